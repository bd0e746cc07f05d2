#include "GameParty.h"

#include <algorithm>

namespace tarvel::game {

namespace {

int32_t Clamp(int64_t value, int64_t lo, int64_t hi) {
    return int32_t(value < lo ? lo : value > hi ? hi : value);
}

void InsertSorted(std::vector<int32_t>& list, int32_t value) {
    auto at = std::lower_bound(list.begin(), list.end(), value);
    if (at == list.end() || *at != value) list.insert(at, value);
}

void EraseSorted(std::vector<int32_t>& list, int32_t value) {
    auto at = std::lower_bound(list.begin(), list.end(), value);
    if (at != list.end() && *at == value) list.erase(at);
}

bool HasSorted(const std::vector<int32_t>& list, int32_t value) {
    return std::binary_search(list.begin(), list.end(), value);
}

} // namespace

void TGameParty::NewGame() {
    mHeroes.clear();
    mMembers.clear();
    mItems.clear();
    mMoney = 0;
    ++mVersion;
    const TQelSystem& system = mDb->System();
    for (int i = 0; i < system.PartySize; ++i)
        AddMember(system.PartyHero(i));
}

const TQelPlayerItem* TGameParty::record(const TGameHero& hero) const {
    return mDb->Heroes().Find(hero.id);
}

TGameHero* TGameParty::Hero(int32_t id) {
    auto it = mHeroes.find(id);
    if (it != mHeroes.end()) return &it->second;
    const TQelPlayerItem* r = mDb->Heroes().Find(id);
    if (!r) return nullptr;
    TGameHero& hero = mHeroes[id];
    hero.id = id;
    hero.name = r->Name;
    hero.title = r->Title;
    hero.charName = r->CharName;
    hero.charIndex = r->CharIndex;
    hero.charTransparent = r->CharTransparent;
    hero.faceName = r->FaceName;
    hero.faceIndex = r->FaceIndex;
    hero.level = Clamp(r->InitialLevel, 1, std::max(1, r->MaxLevel));
    hero.exp = ExperienceForLevel(hero, hero.level);
    for (int slot = 0; slot < 5; ++slot)
        hero.equipment[size_t(slot)] = r->InitialEquipment(slot);
    learnSkillsUpTo(hero, 0, hero.level, nullptr);
    hero.hp = MaxHP(hero);
    hero.mp = MaxMP(hero);
    return &hero;
}

bool TGameParty::InParty(int32_t heroID) const {
    return std::find(mMembers.begin(), mMembers.end(), heroID) != mMembers.end();
}

void TGameParty::AddMember(int32_t heroID) {
    if (int(mMembers.size()) >= kMaxPartySize || InParty(heroID) || !Hero(heroID)) return;
    mMembers.push_back(heroID);
    ++mVersion;
}

void TGameParty::RemoveMember(int32_t heroID) {
    mMembers.erase(std::remove(mMembers.begin(), mMembers.end(), heroID), mMembers.end());
    ++mVersion;
}

void TGameParty::SetMoney(int64_t money) {
    mMoney = Clamp(money, 0, kMaxMoney);
}

int32_t TGameParty::ItemCount(int32_t itemID) const {
    auto it = mItems.find(itemID);
    return it == mItems.end() ? 0 : it->second;
}

void TGameParty::SetItemCount(int32_t itemID, int64_t count) {
    if (!mDb->Items().Find(itemID)) return;
    const int32_t n = Clamp(count, 0, kMaxItemCount);
    ++mVersion;
    if (n == 0)
        mItems.erase(itemID);
    else
        mItems[itemID] = n;
}

int32_t TGameParty::EquippedCount(int32_t itemID) const {
    int32_t n = 0;
    for (int32_t id : mMembers) {
        auto it = mHeroes.find(id);
        if (it == mHeroes.end()) continue;
        for (int32_t e : it->second.equipment)
            n += e == itemID && itemID != 0;
    }
    return n;
}

int32_t TGameParty::Parameter(const TGameHero& hero, int parameter) const {
    const TQelPlayerItem* r = record(hero);
    int64_t value = (r ? r->Curve(parameter, hero.level) : 0) + hero.bonus[size_t(parameter)];
    if (parameter >= paAttack)
        for (int32_t itemID : hero.equipment)
            if (const TQelItemItem* item = mDb->Items().Find(itemID))
                value += item->Bonuses[parameter - paAttack];
    return Clamp(value, parameter == paMaxMP ? 0 : 1, kMaxParameter);
}

int32_t TGameParty::ExperienceForLevel(const TGameHero& hero, int32_t level) const {
    const TQelPlayerItem* r = record(hero);
    if (!r) return 0;
    // Each level costs the base, the increase once more for every level already gained, and the
    // correction.
    int64_t total = 0;
    for (int32_t k = 1; k < level && total < kMaxExperience; ++k)
        total +=
            std::max<int64_t>(0, int64_t(r->ExpBase) + int64_t(r->ExpIncrease) * (k - 1) + r->ExpCorrection);
    return Clamp(total, 0, kMaxExperience);
}

void TGameParty::learnSkillsUpTo(TGameHero& hero, int32_t fromLevel, int32_t toLevel,
                                 std::vector<std::string>* texts) {
    const TQelPlayerItem* r = record(hero);
    if (!r) return;
    for (const auto& item : r->Skills) {
        const auto& learning = static_cast<const TQelPlayerLearningItem&>(*item);
        if (learning.Level > fromLevel && learning.Level <= toLevel && !HasSkill(hero, learning.SkillID)) {
            LearnSkill(hero, learning.SkillID);
            if (texts)
                if (const TQelSkillItem* skill = mDb->Skills().Find(learning.SkillID))
                    texts->push_back(skill->Name + " " + mDb->Vocabulary().Text(voSkillLearned));
        }
    }
}

std::vector<std::string> TGameParty::SetExperience(TGameHero& hero, int64_t exp) {
    std::vector<std::string> texts;
    const TQelPlayerItem* r = record(hero);
    hero.exp = Clamp(exp, 0, kMaxExperience);
    if (!r) return texts;
    const int32_t maxLevel = std::max(1, std::min<int32_t>(r->MaxLevel, MaxHeroLevel));
    int32_t level = 1;
    while (level < maxLevel && ExperienceForLevel(hero, level + 1) <= hero.exp)
        ++level;
    if (level > hero.level) {
        texts.push_back(hero.name + " " + mDb->Vocabulary().Text(voLevelUp) + " " + std::to_string(level) +
                        ".");
        learnSkillsUpTo(hero, hero.level, level, &texts);
    }
    hero.level = level;
    hero.hp = std::min(hero.hp, MaxHP(hero));
    hero.mp = std::min(hero.mp, MaxMP(hero));
    return texts;
}

std::vector<std::string> TGameParty::SetLevel(TGameHero& hero, int64_t level) {
    const TQelPlayerItem* r = record(hero);
    const int32_t maxLevel = r ? std::max(1, std::min<int32_t>(r->MaxLevel, MaxHeroLevel)) : 1;
    return SetExperience(hero, ExperienceForLevel(hero, Clamp(level, 1, maxLevel)));
}

void TGameParty::SetHP(TGameHero& hero, int64_t hp, bool mayFall) {
    hero.hp = Clamp(hp, mayFall ? 0 : 1, MaxHP(hero));
    if (hero.hp == 0) AddCondition(hero, kFallenCondition);
}

void TGameParty::SetMP(TGameHero& hero, int64_t mp) {
    hero.mp = Clamp(mp, 0, MaxMP(hero));
}

void TGameParty::FullRecovery(TGameHero& hero) {
    hero.conditions.clear();
    hero.hp = MaxHP(hero);
    hero.mp = MaxMP(hero);
}

bool TGameParty::HasSkill(const TGameHero& hero, int32_t skillID) const {
    return HasSorted(hero.skills, skillID);
}

void TGameParty::LearnSkill(TGameHero& hero, int32_t skillID) {
    if (mDb->Skills().Find(skillID)) InsertSorted(hero.skills, skillID);
}

void TGameParty::ForgetSkill(TGameHero& hero, int32_t skillID) {
    EraseSorted(hero.skills, skillID);
}

bool TGameParty::HasCondition(const TGameHero& hero, int32_t conditionID) const {
    return HasSorted(hero.conditions, conditionID);
}

void TGameParty::AddCondition(TGameHero& hero, int32_t conditionID) {
    if (!mDb->Conditions().Find(conditionID)) return;
    InsertSorted(hero.conditions, conditionID);
    if (conditionID == kFallenCondition) hero.hp = 0;
}

void TGameParty::RemoveCondition(TGameHero& hero, int32_t conditionID) {
    EraseSorted(hero.conditions, conditionID);
    if (conditionID == kFallenCondition && hero.hp == 0) hero.hp = 1;
}

bool TGameParty::ApplyMedicine(TGameHero& hero, const TQelItemItem& item) {
    const bool fallen = HasCondition(hero, kFallenCondition);
    if (item.DeadOnly != fallen) return false;
    const int32_t maxHP = MaxHP(hero), maxMP = MaxMP(hero);
    const int64_t hp = int64_t(maxHP) * item.Recovery[0] / 100 + item.Recovery[1];
    const int64_t mp = int64_t(maxMP) * item.Recovery[2] / 100 + item.Recovery[3];
    bool changed = false;
    if (fallen) {
        RemoveCondition(hero, kFallenCondition);
        changed = true;
    }
    for (const int32_t id : std::vector<int32_t>(hero.conditions))
        if (item.Condition(id)) {
            RemoveCondition(hero, id);
            changed = true;
        }
    if (hp > 0 && hero.hp < maxHP) {
        // A hero raised gets the recovery as its HP, not on top of the one it stands up with.
        SetHP(hero, (fallen ? 0 : int64_t(hero.hp)) + hp, false);
        changed = true;
    }
    if (mp > 0 && hero.mp < maxMP) {
        SetMP(hero, int64_t(hero.mp) + mp);
        changed = true;
    }
    if (changed) ++mVersion;
    return changed;
}

int TGameParty::EquipmentSlot(int32_t itemID) const {
    const TQelItemItem* item = mDb->Items().Find(itemID);
    if (!item || item->ItemType < itWeapon || item->ItemType > itAccessory) return -1;
    return item->ItemType - itWeapon;
}

bool TGameParty::Equip(TGameHero& hero, int32_t itemID) {
    int slot = EquipmentSlot(itemID);
    const TQelItemItem* item = mDb->Items().Find(itemID);
    const TQelPlayerItem* r = record(hero);
    if (slot < 0 || !item || ItemCount(itemID) <= 0 || !item->CanEquip(hero.id)) return false;
    // A second weapon goes into the shield's hand of a hero who fights with two swords.
    if (slot == 0 && r && r->TwoSword && hero.equipment[0] != 0 && hero.equipment[1] == 0) slot = 1;
    Unequip(hero, slot);
    // A two-handed weapon frees the other hand.
    if (item->ItemType == itWeapon && item->TwoHanded) Unequip(hero, slot == 0 ? 1 : 0);
    SetItemCount(itemID, ItemCount(itemID) - 1);
    hero.equipment[size_t(slot)] = itemID;
    hero.hp = std::min(hero.hp, MaxHP(hero));
    hero.mp = std::min(hero.mp, MaxMP(hero));
    return true;
}

void TGameParty::Unequip(TGameHero& hero, int slot) {
    if (slot == 5) {
        for (int s = 0; s < 5; ++s)
            Unequip(hero, s);
        return;
    }
    if (slot < 0 || slot > 4) return;
    int32_t& held = hero.equipment[size_t(slot)];
    if (held != 0) SetItemCount(held, ItemCount(held) + 1);
    held = 0;
}

} // namespace tarvel::game
