#include "TemplateDataBase.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "RtpCatalog.h"
#include "Scenes.h"
#include "data/LD_DataBase.h"

namespace tarvel::starter {

const char* const kTemplateFileName = "QUORIN.qdb.dat";

namespace {

namespace catalog = rtp::catalog;

// Record IDs the kit refers to across sections. Sections are filled in this numbering, so the
// enums are the IDs.
enum Attribute {
    atSlash = 1,
    atStrike,
    atPierce,
    atFire,
    atIce,
    atThunder,
    atWind,
    atHoly,
    atDark,
    AttributeCount_
};
constexpr int kAttributeCount = AttributeCount_ - 1;

enum Condition {
    cdKnockedOut = 1,
    cdPoison,
    cdBlind,
    cdSilence,
    cdSleep,
    cdConfusion,
    cdParalysis,
    cdWeakness,
    ConditionCount_
};
constexpr int kConditionCount = ConditionCount_ - 1;

enum Skill {
    skHeal = 1,
    skHealAll,
    skCure,
    skRevive,
    skFire,
    skBlaze,
    skIce,
    skThunder,
    skGust,
    skHolyLight,
    skDarkWave,
    skVenom,
    skSleep,
    skPowerSlash,
    skAimedShot,
    skFocus,
    skBarrier,
    skEscape,
    skReturn,
    skDrain,
    skFlameBreath,
    skWebShot,
};

enum Item {
    imPotion = 1,
    imHiPotion,
    imEther,
    imAntidote,
    imEyeDrops,
    imElixir,
    imPhoenixFeather,
    imTent,
    imShortSword,
    imLongSword,
    imBroadsword,
    imOakStaff,
    imMagicRod,
    imIronMace,
    imShortBow,
    imLongBow,
    imDagger,
    imBattleAxe,
    imIronKnuckles,
    imBuckler,
    imIronShield,
    imClothes,
    imRobe,
    imLeatherArmour,
    imChainMail,
    imCap,
    imLeatherHelmet,
    imIronHelmet,
    imSpeedRing,
    imGuardAmulet,
    imPowerRing,
    imPowerSeed,
    imMagicSeed,
};

// The starting cast: the eight heroes of the package's first hero set, in its order.
enum Hero { hrAren = 1, hrLysa, hrBrom, hrKira, hrMira, hrDax, hrTao, hrGorm, HeroCount_ };
constexpr int kHeroCount = HeroCount_ - 1;

// Monsters in the package catalog's order.
enum Monster {
    mnSlime = 1,
    mnBat,
    mnGoblin,
    mnWolf,
    mnSkeleton,
    mnMushroom,
    mnSnake,
    mnGhost,
    mnSpider,
    mnGolem,
    mnEvilEye,
    mnDragon,
    mnDarkKnight,
};

// Ranks A..E of the condition and attribute tables.
enum Rank { rkA = 0, rkB, rkC, rkD, rkE };

// Battle animations are the package's, in the catalog's order.
int AnimationID(const std::string& name) {
    const auto& animations = catalog::Animations();
    for (size_t i = 0; i < animations.size(); ++i)
        if (name == animations[i].name) return int(i) + 1;
    throw std::logic_error("no battle animation " + name);
}

int TerrainID(const std::string& name) {
    const auto& terrains = catalog::Terrains();
    for (size_t i = 0; i < terrains.size(); ++i)
        if (name == terrains[i].name) return int(i) + 1;
    throw std::logic_error("no terrain " + name);
}

// One bit per hero (bit 0 hero 1): who may equip an item.
constexpr int Who(std::initializer_list<int> heroes) {
    int mask = 0;
    for (int h : heroes)
        mask |= 1 << (h - 1);
    return mask;
}
constexpr int kEveryone = (1 << kHeroCount) - 1;

// ---------------------------------------------------------------------------------------------

void AddAttributes(TQelDataBase& db) {
    struct Row {
        const char* name;
        uint8_t type; // 0 arms, 1 magic
    };
    static const Row rows[] = {{"Slash", 0},   {"Strike", 0}, {"Pierce", 0}, {"Fire", 1},    {"Ice", 1},
                               {"Thunder", 1}, {"Wind", 1},   {"Holy", 1},   {"Darkness", 1}};
    TQelDataBase::ResetList(db.Attributes(), kAttributeCount);
    for (int i = 0; i < kAttributeCount; ++i) {
        TQelAttribItem* a = db.Attributes().Find(i + 1);
        a->Name = rows[i].name;
        a->AttribType = rows[i].type;
    }
}

void AddConditions(TQelDataBase& db) {
    TQelDataBase::ResetList(db.Conditions(), kConditionCount);
    auto cond = [&](int id, const char* name) {
        TQelStatusItem* c = db.Conditions().Find(id);
        c->Name = name;
        return c;
    };
    auto messages = [](TQelStatusItem* c, const char* ally, const char* enemy, const char* already,
                       const char* ongoing, const char* recovery) {
        c->Messages[0] = ally;
        c->Messages[1] = enemy;
        c->Messages[2] = already;
        c->Messages[3] = ongoing;
        c->Messages[4] = recovery;
    };

    // The first condition is the one a fallen hero has: it keeps the values its reset gives it
    // (lasting outside battle, shown first, no action at all).
    TQelStatusItem* ko = cond(cdKnockedOut, "Knocked Out");
    messages(ko, "has fallen!", "is defeated!", "", "", "is back on their feet!");

    TQelStatusItem* poison = cond(cdPoison, "Poison");
    poison->StatusType = 1; // lasts after the battle
    poison->Colour = 11;
    poison->Priority = 60;
    poison->Losses[0] = 5; // HP percent per battle turn
    poison->Losses[2] = 1; // on the map: every step ...
    poison->Losses[3] = 1; // ... one HP
    messages(poison, "is poisoned!", "is poisoned!", "", "suffers from the poison.",
             "is no longer poisoned.");

    TQelStatusItem* blind = cond(cdBlind, "Blind");
    blind->Colour = 3;
    blind->Priority = 40;
    blind->HitRateChange = 50;
    blind->CureTurns = 5;
    blind->CureRate = 50;
    messages(blind, "is blinded!", "is blinded!", "", "", "can see again.");

    TQelStatusItem* silence = cond(cdSilence, "Silence");
    silence->Colour = 9;
    silence->Priority = 40;
    silence->SkillLimitOn1 = true; // no skill that costs more than 0
    silence->SkillLimit1 = 0;
    silence->CureTurns = 5;
    silence->CureRate = 30;
    messages(silence, "is silenced!", "is silenced!", "", "", "can speak again.");

    TQelStatusItem* sleep = cond(cdSleep, "Sleep");
    sleep->Colour = 1;
    sleep->Priority = 70;
    sleep->Restriction = 1;
    sleep->CureTurns = 3;
    sleep->CureRate = 50;
    sleep->ShockCureRate = 100;
    messages(sleep, "falls asleep!", "falls asleep!", "", "is fast asleep.", "wakes up.");

    TQelStatusItem* confusion = cond(cdConfusion, "Confusion");
    confusion->Colour = 8;
    confusion->Priority = 65;
    confusion->Restriction = 3; // attacks friends
    confusion->CureTurns = 3;
    confusion->CureRate = 40;
    confusion->ShockCureRate = 50;
    messages(confusion, "is confused!", "is confused!", "", "is confused.", "comes to their senses.");

    TQelStatusItem* paralysis = cond(cdParalysis, "Paralysis");
    paralysis->Colour = 7;
    paralysis->Priority = 80;
    paralysis->Restriction = 1;
    paralysis->CureTurns = 4;
    paralysis->CureRate = 30;
    messages(paralysis, "is paralysed!", "is paralysed!", "", "cannot move.", "can move again.");

    TQelStatusItem* weakness = cond(cdWeakness, "Weakness");
    weakness->Colour = 12;
    weakness->Priority = 30;
    weakness->HalfParameters[0] = true; // attack
    weakness->HalfParameters[1] = true; // defense
    weakness->CureTurns = 5;
    weakness->CureRate = 40;
    messages(weakness, "is weakened!", "is weakened!", "", "", "regains strength.");
}

// Each picture cell of a sheet is shown for two frames in order, then the last cell fades out
// over two frames. The sound plays and the flash starts with the first frame.
void AddAnimations(TQelDataBase& db) {
    const auto& animations = catalog::Animations();
    TQelDataBase::ResetList(db.Animations(), int(animations.size()));
    for (size_t i = 0; i < animations.size(); ++i) {
        const catalog::Animation& a = animations[i];
        TQelAnimationItem* item = db.Animations().Find(int(i) + 1);
        item->Name = a.name;
        item->GraphicName = a.sheet;
        item->Scope = 0;
        item->Position = 1; // centred on the target
        item->Frames.Clear();
        int frame = 0;
        auto addFrame = [&](int cell, int transparency, int zoom) {
            TQelAnimationPatternItem* f = item->Frames.FindOrCreate(++frame);
            TQelAnimationCellItem* c = f->Cells.FindOrCreate(1);
            c->Pattern = cell;
            c->Transparency = transparency;
            c->Zoom = zoom;
        };
        for (int cell = 0; cell < a.cells; ++cell) {
            addFrame(cell, 0, 100);
            addFrame(cell, 0, 100);
        }
        addFrame(a.cells - 1, 40, 105);
        addFrame(a.cells - 1, 80, 110);

        item->Timings.Clear();
        TQelAnimationTimingItem* t = item->Timings.FindOrCreate(1);
        t->Frame = 1;
        t->Sound.FileName = a.sound;
        t->FlashScope = uint8_t(a.flashScope);
        t->FlashRed = a.flashRed;
        t->FlashGreen = a.flashGreen;
        t->FlashBlue = a.flashBlue;
        t->FlashPower = a.flashScope == 2 ? 20 : 31;
        if (std::string(a.name) == "Thunder") t->Shake = 3;
    }
}

void AddTerrain(TQelDataBase& db) {
    const auto& terrains = catalog::Terrains();
    TQelDataBase::ResetList(db.Terrain(), int(terrains.size()));
    for (size_t i = 0; i < terrains.size(); ++i) {
        const catalog::Terrain& t = terrains[i];
        TQelGroundItem* g = db.Terrain().Find(int(i) + 1);
        g->Name = t.name;
        g->BattleBackName = t.backdrop;
        g->Damage = t.damage;
        g->EncounterRate = t.encounterRate;
        g->BoatPass = t.boatPass;
        g->ShipPass = t.shipPass;
        g->AirshipPass = t.airshipPass;
        g->AirshipLand = t.airshipLand;
        g->CharDisplay = uint8_t(t.charDisplay);
    }
}

// ---------------------------------------------------------------------------------------------

struct SkillRow {
    Skill id;
    const char* name;
    const char* description;
    const char* message1;
    const char* message2;
    uint8_t type;  // 0 normal, 1 teleport, 2 escape, 3 switch
    uint8_t scope; // 0 one enemy, 1 all enemies, 2 the user, 3 one ally, 4 the party
    int mpCost;
    const char* animation; // nullptr: none needed (teleport and escape)
    bool field, battle;
    int attackInfluence, mindInfluence, variance, baseEffect, hitRate;
    std::initializer_list<TSkillEffect> effects;
    std::initializer_list<int> conditions;
    std::initializer_list<int> attributes;
    int failureMessage;
};

void AddSkills(TQelDataBase& db) {
    // clang-format off
    static const std::vector<SkillRow> rows = {
        {skHeal, "Heal", "Restores a little HP to one ally.", "casts Heal!", "", 0, 3, 4, "Heal",
         true, true, 0, 3, 2, 40, 100, {seHP}, {}, {}, 0},
        {skHealAll, "Heal All", "Restores HP to the whole party.", "casts Heal All!", "", 0, 4, 12, "Heal",
         true, true, 0, 3, 2, 40, 100, {seHP}, {}, {}, 0},
        {skCure, "Cure", "Cures poison and blindness.", "casts Cure!", "", 0, 3, 3, "Heal",
         true, true, 0, 0, 0, 0, 100, {}, {cdPoison, cdBlind}, {}, 0},
        {skRevive, "Revive", "Brings a fallen ally back.", "casts Revive!", "", 0, 3, 20, "Holy",
         true, true, 0, 1, 0, 20, 100, {seHP}, {cdKnockedOut}, {}, 0},
        {skFire, "Fire", "Burns one enemy.", "casts Fire!", "", 0, 0, 5, "Fire",
         false, true, 0, 3, 4, 30, 100, {seHP}, {}, {atFire}, 0},
        {skBlaze, "Blaze", "Engulfs every enemy in flames.", "casts Blaze!", "", 0, 1, 14, "Fire",
         false, true, 0, 3, 4, 45, 100, {seHP}, {}, {atFire}, 0},
        {skIce, "Ice", "Freezes one enemy.", "casts Ice!", "", 0, 0, 5, "Ice",
         false, true, 0, 3, 4, 30, 100, {seHP}, {}, {atIce}, 0},
        {skThunder, "Thunder", "Strikes one enemy with lightning.", "casts Thunder!", "", 0, 0, 7, "Thunder",
         false, true, 0, 3, 5, 40, 100, {seHP}, {}, {atThunder}, 0},
        {skGust, "Gust", "A cutting wind hits every enemy.", "calls up a Gust!", "", 0, 1, 8, "Wind",
         false, true, 0, 3, 4, 25, 100, {seHP}, {}, {atWind}, 0},
        {skHolyLight, "Holy Light", "Sacred light sears one enemy.", "casts Holy Light!", "", 0, 0, 12, "Holy",
         false, true, 0, 3, 3, 60, 100, {seHP}, {}, {atHoly}, 0},
        {skDarkWave, "Dark Wave", "A wave of darkness hits every foe.", "unleashes a Dark Wave!", "", 0, 1, 12,
         "Darkness", false, true, 0, 3, 4, 45, 100, {seHP}, {}, {atDark}, 0},
        {skVenom, "Venom", "Poisons one enemy.", "spits venom!", "", 0, 0, 4, "Poison",
         false, true, 0, 1, 3, 10, 80, {seHP}, {cdPoison}, {}, 1},
        {skSleep, "Sleep", "Puts one enemy to sleep.", "casts Sleep!", "", 0, 0, 5, "Darkness",
         false, true, 0, 0, 0, 0, 70, {}, {cdSleep}, {}, 1},
        {skPowerSlash, "Power Slash", "A mighty blow at one enemy.", "swings with all their might!", "", 0, 0, 6,
         "Slash", false, true, 4, 0, 4, 30, 95, {seHP}, {}, {atSlash}, 0},
        {skAimedShot, "Aimed Shot", "A careful shot that never misses.", "takes careful aim!", "", 0, 0, 5,
         "Hit", false, true, 3, 0, 3, 20, 100, {seHP, seIgnoreDefense}, {}, {atPierce}, 0},
        {skFocus, "Focus", "Raises the user's attack.", "focuses their strength!", "", 0, 2, 5, "Holy",
         false, true, 0, 1, 0, 10, 100, {seAttack}, {}, {}, 2},
        {skBarrier, "Barrier", "Raises the party's defense.", "raises a Barrier!", "", 0, 4, 8, "Holy",
         false, true, 0, 1, 0, 10, 100, {seDefense}, {}, {}, 2},
        {skEscape, "Escape", "Leads the party out of a dungeon.", "", "", 2, 4, 4, nullptr,
         true, false, 0, 0, 0, 0, 100, {}, {}, {}, 0},
        {skReturn, "Return", "Takes the party to a place visited before.", "", "", 1, 4, 8, nullptr,
         true, false, 0, 0, 0, 0, 100, {}, {}, {}, 0},
        {skDrain, "Drain", "Steals HP from one enemy.", "casts Drain!", "", 0, 0, 8, "Darkness",
         false, true, 0, 3, 3, 25, 100, {seHP, seAbsorb}, {}, {atDark}, 0},
        {skFlameBreath, "Flame Breath", "Scorching breath over the party.", "breathes fire!", "", 0, 1, 0, "Fire",
         false, true, 2, 2, 4, 60, 100, {seHP}, {}, {atFire}, 0},
        {skWebShot, "Web Shot", "A sticky web that slows one foe.", "shoots a web!", "", 0, 0, 0, "Wind",
         false, true, 0, 0, 0, 10, 85, {seAgility}, {cdParalysis}, {}, 1},
    };
    // clang-format on
    TQelDataBase::ResetList(db.Skills(), int(rows.size()));
    for (const SkillRow& r : rows) {
        TQelSkillItem* s = db.Skills().Find(r.id);
        s->Name = r.name;
        s->Description = r.description;
        s->UseMessage1 = r.message1;
        s->UseMessage2 = r.message2;
        s->SkillType = r.type;
        s->Scope = r.scope;
        s->MPCost = r.mpCost;
        s->AnimationID = r.animation ? AnimationID(r.animation) : 1;
        s->UsableInField = r.field;
        s->UsableInBattle = r.battle;
        s->AttackInfluence = r.attackInfluence;
        s->MindInfluence = r.mindInfluence;
        s->Variance = r.variance;
        s->BaseEffect = r.baseEffect;
        s->HitRate = r.hitRate;
        s->FailureMessage = r.failureMessage;
        for (TSkillEffect e : r.effects)
            s->Effects[e] = true;
        s->SetConditionCount(kConditionCount);
        for (int c : r.conditions)
            s->SetCondition(c, true);
        s->SetAttributeCount(kAttributeCount);
        for (int a : r.attributes)
            s->SetAttribute(a, true);
        // Teleport and escape skills sound when used; the others through their animation.
        if (r.type == 1 || r.type == 2) s->Sound.FileName = r.type == 2 ? "Escape1" : "Magic1";
    }
}

// ---------------------------------------------------------------------------------------------

struct ItemRow {
    Item id;
    const char* name;
    const char* description;
    TItemType type;
    int price;
    int attack, defense, mind, agility;
    int equipMask; // heroes who may equip it (equipment only)
    const char* animation;
    std::initializer_list<int> attributes;
};

void AddItems(TQelDataBase& db) {
    // clang-format off
    static const std::vector<ItemRow> equipment = {
        {imShortSword, "Short Sword", "A light, well-balanced blade.", itWeapon, 80, 8, 0, 0, 0,
         Who({hrAren, hrBrom, hrDax, hrGorm}), "Slash", {atSlash}},
        {imLongSword, "Long Sword", "A knight's trusty sword.", itWeapon, 300, 18, 0, 0, 0,
         Who({hrAren, hrBrom, hrGorm}), "Slash", {atSlash}},
        {imBroadsword, "Broadsword", "A heavy blade of fine steel.", itWeapon, 900, 30, 0, 0, 0,
         Who({hrAren, hrBrom}), "Slash", {atSlash}},
        {imOakStaff, "Oak Staff", "A walking staff of hard oak.", itWeapon, 60, 5, 0, 5, 0,
         Who({hrLysa, hrMira, hrTao}), "Hit", {atStrike}},
        {imMagicRod, "Magic Rod", "A rod that sharpens the mind.", itWeapon, 500, 8, 0, 12, 0,
         Who({hrLysa, hrMira}), "Hit", {atStrike}},
        {imIronMace, "Iron Mace", "A flanged club of iron.", itWeapon, 250, 14, 0, 0, 0,
         Who({hrBrom, hrMira, hrGorm}), "Hit", {atStrike}},
        {imShortBow, "Short Bow", "A hunter's bow.", itWeapon, 150, 10, 0, 0, 0,
         Who({hrKira}), "Hit", {atPierce}},
        {imLongBow, "Long Bow", "A tall bow of yew with a long reach.", itWeapon, 600, 22, 0, 0, 2,
         Who({hrKira}), "Hit", {atPierce}},
        {imDagger, "Dagger", "A small knife, quick in the hand.", itWeapon, 50, 6, 0, 0, 2,
         Who({hrAren, hrLysa, hrKira, hrDax}), "Slash", {atPierce}},
        {imBattleAxe, "Battle Axe", "A huge axe wielded with both hands.", itWeapon, 800, 34, 0, 0, -2,
         Who({hrGorm}), "Slash", {atSlash}},
        {imIronKnuckles, "Iron Knuckles", "Iron bands for bare-handed fighters.", itWeapon, 200, 12, 0, 0, 0,
         Who({hrTao}), "Claw", {atStrike}},
        {imBuckler, "Buckler", "A small round shield.", itShield, 60, 0, 4, 0, 0,
         Who({hrAren, hrBrom, hrMira, hrDax, hrGorm}), nullptr, {}},
        {imIronShield, "Iron Shield", "A sturdy shield of iron.", itShield, 300, 0, 10, 0, 0,
         Who({hrAren, hrBrom}), nullptr, {}},
        {imClothes, "Clothes", "Plain travelling clothes.", itArmor, 20, 0, 2, 0, 0,
         kEveryone, nullptr, {}},
        {imRobe, "Robe", "A robe woven with charms.", itArmor, 120, 0, 4, 4, 0,
         Who({hrLysa, hrMira, hrTao}), nullptr, {}},
        {imLeatherArmour, "Leather Armour", "Hardened leather that stops a blade.", itArmor, 150, 0, 8, 0, 0,
         Who({hrAren, hrBrom, hrKira, hrDax, hrGorm}), nullptr, {}},
        {imChainMail, "Chain Mail", "A shirt of iron rings.", itArmor, 600, 0, 16, 0, -2,
         Who({hrAren, hrBrom, hrGorm}), nullptr, {}},
        {imCap, "Cap", "A soft cap.", itHelmet, 30, 0, 2, 0, 0,
         kEveryone, nullptr, {}},
        {imLeatherHelmet, "Leather Helmet", "A helmet of boiled leather.", itHelmet, 80, 0, 4, 0, 0,
         Who({hrAren, hrBrom, hrKira, hrDax, hrGorm}), nullptr, {}},
        {imIronHelmet, "Iron Helmet", "A heavy helmet of iron.", itHelmet, 300, 0, 8, 0, 0,
         Who({hrAren, hrBrom, hrGorm}), nullptr, {}},
        {imSpeedRing, "Speed Ring", "Quickens the wearer's step.", itAccessory, 500, 0, 0, 0, 10,
         kEveryone, nullptr, {}},
        {imGuardAmulet, "Guard Amulet", "Wards off poison.", itAccessory, 400, 0, 2, 2, 0,
         kEveryone, nullptr, {}},
        {imPowerRing, "Power Ring", "Strengthens the wearer's arm.", itAccessory, 600, 6, 0, 0, 0,
         kEveryone, nullptr, {}},
    };
    // clang-format on
    TQelDataBase::ResetList(db.Items(), imMagicSeed);
    auto item = [&](int id, const char* name, const char* description, TItemType type, int price) {
        TQelItemItem* it = db.Items().Find(id);
        it->Name = name;
        it->Description = description;
        it->ItemType = type;
        it->Price = price;
        return it;
    };

    // Medicine: recovery in percent and points of HP and MP (chunks 32..35).
    auto medicine = [&](int id, const char* name, const char* description, int price, int hpPercent,
                        int hpPoints, int mpPercent, int mpPoints) {
        TQelItemItem* it = item(id, name, description, itMedicine, price);
        it->Recovery[0] = hpPercent;
        it->Recovery[1] = hpPoints;
        it->Recovery[2] = mpPercent;
        it->Recovery[3] = mpPoints;
        it->SetConditionCount(kConditionCount);
        it->SetAttributeCount(kAttributeCount);
        return it;
    };
    medicine(imPotion, "Potion", "Restores 50 HP.", 30, 0, 50, 0, 0);
    medicine(imHiPotion, "Hi-Potion", "Restores 150 HP.", 120, 0, 150, 0, 0);
    medicine(imEther, "Ether", "Restores 30 MP.", 200, 0, 0, 0, 30);
    medicine(imAntidote, "Antidote", "Cures poison.", 20, 0, 0, 0, 0)->SetCondition(cdPoison, true);
    medicine(imEyeDrops, "Eye Drops", "Cures blindness.", 20, 0, 0, 0, 0)->SetCondition(cdBlind, true);
    medicine(imElixir, "Elixir", "Restores all HP and MP.", 1000, 100, 0, 100, 0);
    TQelItemItem* feather =
        medicine(imPhoenixFeather, "Phoenix Feather", "Revives a fallen ally.", 300, 25, 0, 0, 0);
    feather->SetCondition(cdKnockedOut, true);
    feather->DeadOnly = true;
    TQelItemItem* tent = medicine(imTent, "Tent", "Rests the whole party outdoors.", 250, 100, 0, 100, 0);
    tent->EntireParty = 1;
    tent->FieldOnly = true;

    for (const ItemRow& r : equipment) {
        TQelItemItem* it = item(r.id, r.name, r.description, r.type, r.price);
        it->Bonuses[0] = r.attack;
        it->Bonuses[1] = r.defense;
        it->Bonuses[2] = r.mind;
        it->Bonuses[3] = r.agility;
        if (r.animation) it->AnimationID = AnimationID(r.animation);
        it->SetEquipCount(kHeroCount);
        for (int h = 1; h <= kHeroCount; ++h)
            it->SetCanEquip(h, (r.equipMask >> (h - 1)) & 1);
        it->SetAttributeCount(kAttributeCount);
        for (int a : r.attributes)
            it->SetAttribute(a, true);
        it->SetConditionCount(kConditionCount);
    }
    db.Items().Find(imBattleAxe)->TwoHanded = 1;
    db.Items().Find(imBattleAxe)->HitRate = 80;
    db.Items().Find(imDagger)->CriticalRate = 10;
    db.Items().Find(imDagger)->HitRate = 95;
    db.Items().Find(imShortBow)->WeaponFlags[0] = true; // first turn strike
    db.Items().Find(imLongBow)->WeaponFlags[0] = true;
    db.Items().Find(imIronKnuckles)->WeaponFlags[1] = true; // strikes twice
    // The amulet guards against the conditions it is marked with.
    db.Items().Find(imGuardAmulet)->SetCondition(cdPoison, true);
    db.Items().Find(imGuardAmulet)->ConditionChance = 100;

    TQelItemItem* power = item(imPowerSeed, "Power Seed", "Permanently raises attack by 3.", itMaterial, 500);
    power->Increases[2] = 3;
    TQelItemItem* magic = item(imMagicSeed, "Magic Seed", "Permanently raises max MP by 5.", itMaterial, 500);
    magic->Increases[1] = 5;
}

// ---------------------------------------------------------------------------------------------

struct HeroRow {
    Hero id;
    // Values at level 1 and level 50 of max HP, max MP, attack, defense, mind and agility.
    int first[ParameterCount];
    int last[ParameterCount];
    int initialLevel;
    int expBase, expIncrease, expCorrection;
    int equipment[5];
    std::initializer_list<std::pair<int, int>> skills; // level, skill
    std::initializer_list<std::pair<int, Rank>> conditionRanks;
    std::initializer_list<std::pair<int, Rank>> attributeRanks;
    bool twoSword;
};

// A curve from the level-1 value to the level-50 value that grows a little faster later on,
// as experienced heroes do.
int CurveValue(int first, int last, int level) {
    double t = double(level - 1) / double(MaxHeroLevel - 1);
    double f = t * (0.6 + 0.4 * t);
    return int(std::lround(first + (last - first) * f));
}

void AddHeroes(TQelDataBase& db) {
    // clang-format off
    static const std::vector<HeroRow> rows = {
        {hrAren, {62, 10, 18, 14, 8, 14}, {950, 150, 180, 150, 90, 140}, 1, 30, 30, 0,
         {imShortSword, imBuckler, imClothes, imCap, 0},
         {{4, skPowerSlash}, {12, skFocus}}, {}, {}, false},
        {hrLysa, {38, 30, 8, 8, 22, 12}, {600, 500, 70, 80, 250, 130}, 1, 25, 25, 0,
         {imOakStaff, 0, imRobe, imCap, 0},
         {{1, skFire}, {3, skIce}, {6, skThunder}, {9, skSleep}, {14, skBlaze}, {18, skGust}, {24, skDrain}},
         {{cdSilence, rkB}}, {{atFire, rkD}, {atIce, rkD}, {atThunder, rkD}}, false},
        {hrBrom, {70, 0, 16, 20, 6, 8}, {999, 60, 170, 200, 70, 100}, 1, 35, 35, 0,
         {imLongSword, imBuckler, imLeatherArmour, imLeatherHelmet, 0},
         {{8, skBarrier}, {12, skPowerSlash}}, {{cdPoison, rkD}, {cdConfusion, rkD}}, {{atSlash, rkD}}, false},
        {hrKira, {50, 10, 16, 10, 10, 18}, {800, 150, 170, 120, 110, 190}, 3, 30, 28, 0,
         {imShortBow, 0, imClothes, imCap, 0},
         {{3, skAimedShot}, {7, skVenom}, {15, skFocus}}, {{cdBlind, rkD}}, {{atWind, rkD}}, false},
        {hrMira, {42, 26, 8, 10, 20, 12}, {650, 450, 80, 100, 230, 130}, 1, 25, 28, 0,
         {imOakStaff, 0, imRobe, imCap, 0},
         {{1, skHeal}, {3, skCure}, {10, skHolyLight}, {12, skHealAll}, {16, skRevive}, {20, skBarrier},
          {22, skReturn}},
         {{cdConfusion, rkD}}, {{atHoly, rkE}, {atDark, rkB}}, false},
        {hrDax, {48, 8, 14, 10, 8, 22}, {760, 120, 150, 110, 90, 240}, 3, 28, 30, 5,
         {imDagger, imDagger, imClothes, imCap, 0},
         {{3, skEscape}, {6, skVenom}}, {{cdPoison, rkD}, {cdSleep, rkD}}, {}, true},
        {hrTao, {64, 12, 18, 12, 14, 16}, {980, 200, 190, 130, 150, 170}, 5, 32, 30, 0,
         {imIronKnuckles, 0, imClothes, 0, 0},
         {{5, skFocus}, {8, skHeal}, {16, skPowerSlash}}, {{cdSleep, rkD}, {cdConfusion, rkE}}, {{atStrike, rkD}},
         false},
        {hrGorm, {72, 0, 22, 14, 4, 8}, {999, 40, 210, 150, 60, 90}, 5, 35, 32, 0,
         {imBattleAxe, 0, imLeatherArmour, imLeatherHelmet, 0},
         {{7, skFocus}, {10, skPowerSlash}}, {{cdWeakness, rkD}}, {{atSlash, rkD}, {atIce, rkB}}, false},
    };
    // clang-format on
    const auto& cast = catalog::Heroes();
    TQelDataBase::ResetList(db.Heroes(), kHeroCount);
    for (const HeroRow& r : rows) {
        const catalog::Hero& look = cast[size_t(r.id - 1)];
        TQelPlayerItem* h = db.Heroes().Find(r.id);
        h->Name = look.name;
        h->Title = look.role;
        h->CharName = look.charSet;
        h->CharIndex = look.charIndex;
        h->FaceName = look.faceSet;
        h->FaceIndex = look.faceIndex;
        h->InitialLevel = r.initialLevel;
        h->MaxLevel = MaxHeroLevel;
        h->ExpBase = r.expBase;
        h->ExpIncrease = r.expIncrease;
        h->ExpCorrection = r.expCorrection;
        h->TwoSword = r.twoSword;
        h->UnarmedAnimation = AnimationID("Hit");
        for (int p = 0; p < ParameterCount; ++p)
            for (int level = 1; level <= MaxHeroLevel; ++level)
                h->SetCurve(p, level, CurveValue(r.first[p], r.last[p], level));
        for (int slot = 0; slot < 5; ++slot)
            h->SetInitialEquipment(slot, r.equipment[slot]);
        h->Skills.Clear();
        int n = 0;
        for (const auto& [level, skill] : r.skills) {
            TQelPlayerLearningItem* learn = h->Skills.FindOrCreate(++n);
            learn->Level = level;
            learn->SkillID = skill;
        }
        h->SetConditionCount(kConditionCount);
        for (const auto& [condition, rank] : r.conditionRanks)
            h->SetConditionRate(condition, rank);
        h->SetAttributeCount(kAttributeCount);
        for (const auto& [attribute, rank] : r.attributeRanks)
            h->SetAttributeRate(attribute, rank);
    }
}

// ---------------------------------------------------------------------------------------------

struct Action {
    uint8_t kind; // 0 standard action, 1 skill
    int what;     // the standard action or the skill
    int rating;
    uint8_t conditionType = 0; // 0 always, 2 turn number, 4 own HP percent
    int param1 = 0, param2 = 0;
};

struct MonsterRow {
    Monster id;
    int parameters[6]; // max HP, max MP, attack, defense, mind, agility
    int experience, money;
    int dropItem, dropRate;
    bool flying, transparent;
    std::vector<Action> actions;
    std::initializer_list<std::pair<int, Rank>> attributeRanks;
    std::initializer_list<std::pair<int, Rank>> conditionRanks;
};

void AddMonsters(TQelDataBase& db) {
    const Action attack{0, baAttack, 50};
    // clang-format off
    static const std::vector<MonsterRow> rows = {
        {mnSlime, {30, 0, 12, 8, 6, 8}, 4, 6, imPotion, 20, false, false, {attack},
         {{atStrike, rkD}, {atFire, rkB}}, {}},
        {mnBat, {24, 0, 14, 6, 6, 20}, 5, 5, imEyeDrops, 10, true, false,
         {attack, {0, baDoubleAttack, 20}}, {{atWind, rkB}, {atPierce, rkB}}, {}},
        {mnGoblin, {45, 0, 20, 12, 8, 12}, 8, 12, imDagger, 8, false, false,
         {attack, {0, baDefend, 10}, {0, baEscape, 5, 4, 0, 30}}, {}, {}},
        {mnWolf, {50, 0, 24, 10, 8, 22}, 10, 8, imPotion, 15, false, false,
         {attack, {0, baDoubleAttack, 25, 2, 2, 3}}, {{atFire, rkB}}, {}},
        {mnSkeleton, {70, 0, 28, 18, 8, 12}, 16, 20, imIronHelmet, 5, false, false,
         {attack, {0, baChargeUp, 15}}, {{atHoly, rkA}, {atStrike, rkB}, {atPierce, rkD}},
         {{cdPoison, rkE}, {cdSleep, rkE}}},
        {mnMushroom, {55, 20, 18, 14, 16, 8}, 12, 10, imAntidote, 30, false, false,
         {attack, {1, skSleep, 30}}, {{atFire, rkB}}, {{cdPoison, rkE}}},
        {mnSnake, {60, 10, 26, 12, 10, 18}, 14, 14, imAntidote, 25, false, false,
         {attack, {1, skVenom, 35}}, {{atIce, rkB}}, {{cdPoison, rkE}}},
        {mnGhost, {65, 30, 20, 30, 24, 16}, 20, 18, imEther, 10, true, true,
         {attack, {1, skDarkWave, 25}, {0, baObserve, 10}}, {{atHoly, rkA}, {atSlash, rkD}, {atStrike, rkD},
         {atDark, rkE}}, {{cdPoison, rkE}, {cdSleep, rkE}, {cdConfusion, rkE}}},
        {mnSpider, {80, 10, 30, 16, 10, 20}, 22, 16, imAntidote, 20, false, false,
         {attack, {1, skVenom, 25}, {1, skWebShot, 20}}, {{atFire, rkB}}, {}},
        {mnGolem, {200, 0, 45, 50, 10, 6}, 60, 50, imPowerSeed, 10, false, false,
         {attack, {0, baChargeUp, 20}, {0, baSelfDestruct, 30, 4, 0, 20}},
         {{atThunder, rkB}, {atSlash, rkD}, {atPierce, rkD}},
         {{cdPoison, rkE}, {cdSleep, rkE}, {cdConfusion, rkE}, {cdBlind, rkE}}},
        {mnEvilEye, {120, 60, 30, 24, 40, 20}, 45, 40, imMagicSeed, 10, true, false,
         {attack, {1, skSleep, 25}, {1, skDrain, 25}}, {{atHoly, rkB}, {atPierce, rkB}}, {{cdBlind, rkE}}},
        {mnDragon, {800, 200, 70, 60, 50, 30}, 400, 500, imElixir, 100, false, false,
         {attack, {1, skFlameBreath, 40, 2, 2, 3}, {0, baChargeUp, 15}},
         {{atFire, rkE}, {atIce, rkB}}, {{cdPoison, rkE}, {cdSleep, rkE}, {cdConfusion, rkE}, {cdParalysis, rkE}}},
        {mnDarkKnight, {600, 100, 65, 55, 40, 30}, 300, 400, imBroadsword, 100, false, false,
         {attack, {1, skPowerSlash, 30}, {1, skDarkWave, 40, 4, 0, 50}},
         {{atHoly, rkA}, {atDark, rkE}}, {{cdPoison, rkE}, {cdSleep, rkE}, {cdConfusion, rkE}}},
    };
    // clang-format on
    const auto& looks = catalog::Monsters();
    TQelDataBase::ResetList(db.Monsters(), int(rows.size()));
    for (const MonsterRow& r : rows) {
        TQelMonsterItem* m = db.Monsters().Find(r.id);
        m->Name = looks[size_t(r.id - 1)].name;
        m->GraphicName = looks[size_t(r.id - 1)].graphic;
        for (int p = 0; p < 6; ++p)
            m->Parameters[p] = r.parameters[p];
        m->Experience = r.experience;
        m->Money = r.money;
        m->DropItemID = r.dropItem;
        m->DropRate = r.dropRate;
        m->Flying = r.flying;
        m->Transparent = r.transparent;
        m->Actions.Clear();
        int n = 0;
        for (const Action& a : r.actions) {
            TQelMonsterActItem* act = m->Actions.FindOrCreate(++n);
            act->ActKind = a.kind;
            if (a.kind == 0)
                act->BasicAction = uint8_t(a.what);
            else
                act->SkillID = a.what;
            act->Rating = a.rating;
            act->ConditionType = a.conditionType;
            act->ConditionParam1 = a.param1;
            act->ConditionParam2 = a.param2;
        }
        m->SetAttributeCount(kAttributeCount);
        for (const auto& [attribute, rank] : r.attributeRanks)
            m->SetAttributeRate(attribute, rank);
        m->SetConditionCount(kConditionCount);
        for (const auto& [condition, rank] : r.conditionRanks)
            m->SetConditionRate(condition, rank);
    }
}

// The monster group page's "In Row" layout: members side by side on the 320 x 160 scene, flying
// monsters up in the air, the others standing on the ground line.
void LineUp(TQelMonGroupItem& group, const TQelDataBase& db,
            const std::map<std::string, std::pair<int, int>>& sizes) {
    struct Box {
        int w, h;
        bool flying;
    };
    std::vector<Box> boxes;
    for (int i = 0; i < group.Members.Count(); ++i) {
        const TQelMonsterItem* m = db.Monsters().Find(group.Members.Items(i)->MonsterID);
        auto size = sizes.at(m->GraphicName);
        boxes.push_back({size.first, size.second, m->Flying});
    }
    int total = 0;
    for (const Box& b : boxes)
        total += b.w + 8;
    int overlap = 0;
    if (total > 320 && boxes.size() >= 2) {
        overlap = (total - 320) / int(boxes.size() - 1);
        total = 320;
    }
    int cursor = 160 - total / 2;
    for (size_t i = 0; i < boxes.size(); ++i) {
        TQelMonGroupMonsterItem* member = group.Members.Items(int(i));
        int halfW = boxes[i].w / 2, halfH = boxes[i].h / 2;
        member->X = std::clamp(cursor + halfW + 4, halfW, 320 - halfW);
        int y = boxes[i].flying ? halfH / 2 + 48 : 148 - halfH;
        member->Y = std::clamp(y, halfH, 160 - halfH);
        cursor += 2 * (halfW + 4) - overlap;
    }
}

// The name the monster group page's "Auto Name Group" gives: each monster once in member order,
// with "x" and the count when it appears more than once, separated by ",".
std::string AutoGroupName(const TQelMonGroupItem& group, const TQelDataBase& db) {
    std::string name;
    std::vector<int> counted;
    for (int i = 0; i < group.Members.Count(); ++i) {
        int id = group.Members.Items(i)->MonsterID;
        if (std::find(counted.begin(), counted.end(), id) != counted.end()) continue;
        counted.push_back(id);
        int count = 0;
        for (int j = 0; j < group.Members.Count(); ++j)
            count += group.Members.Items(j)->MonsterID == id;
        if (!name.empty()) name += ",";
        name += db.Monsters().Find(id)->Name;
        if (count > 1) name += "x" + std::to_string(count);
    }
    if (name.size() > 20) name = name.substr(0, 19) + "-";
    return name;
}

void AddMonsterGroups(TQelDataBase& db) {
    std::map<std::string, std::pair<int, int>> sizes;
    for (const rtp::NamedPicture& p : rtp::MakeMonsters())
        sizes[p.name] = {p.image.Width(), p.image.Height()};

    const std::vector<std::string> fields = {"Grass", "Tall Grass", "Dirt", "Road", "Farmland", "Hills"};
    const std::vector<std::string> woods = {"Forest", "Tall Grass", "Swamp"};
    const std::vector<std::string> caves = {"Cave Floor", "Floor", "Carpet", "Ice"};
    const std::vector<std::string> deep = {"Cave Floor", "Lava", "Poison", "Pit"};
    const std::vector<std::string> heights = {"Mountain", "Hills", "Snow", "Desert"};
    struct GroupRow {
        std::vector<int> members;
        std::vector<std::string> terrains; // empty: met nowhere at random (boss fights)
    };
    const std::vector<GroupRow> rows = {
        {{mnSlime, mnSlime}, fields},
        {{mnSlime, mnBat}, fields},
        {{mnGoblin, mnGoblin}, fields},
        {{mnWolf, mnWolf, mnWolf}, woods},
        {{mnBat, mnBat, mnBat}, caves},
        {{mnMushroom, mnSlime, mnSlime}, woods},
        {{mnSnake, mnGoblin}, woods},
        {{mnSkeleton, mnSkeleton}, caves},
        {{mnGhost, mnSkeleton}, deep},
        {{mnSpider, mnSpider}, caves},
        {{mnGolem}, heights},
        {{mnEvilEye, mnBat, mnBat}, deep},
        {{mnDragon}, {}},
        {{mnDarkKnight, mnGhost}, {}},
    };
    const int terrainCount = db.Terrain().Count();
    TQelDataBase::ResetList(db.MonGroups(), int(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        TQelMonGroupItem* g = db.MonGroups().Find(int(i) + 1);
        g->Members.Clear();
        int n = 0;
        for (int monster : rows[i].members)
            g->Members.FindOrCreate(++n)->MonsterID = monster;
        LineUp(*g, db, sizes);
        g->Name = AutoGroupName(*g, db);
        g->SetTerrainCount(terrainCount);
        for (int t = 1; t <= terrainCount; ++t)
            g->SetOnTerrain(t, false);
        for (const std::string& terrain : rows[i].terrains)
            g->SetOnTerrain(TerrainID(terrain), true);
    }
}

// ---------------------------------------------------------------------------------------------

// The chipset records follow the generated pictures chip by chip: every lower chip names the
// terrain record of the ground it shows, and every chip gets the passability its drawing was meant
// for. Upper chip 0, the empty chip, keeps the value every new chipset has.
void AddChipSets(TQelDataBase& db) {
    const auto& chipsets = catalog::Chipsets();
    TQelDataBase::ResetList(db.ChipSets(), int(chipsets.size()));
    for (size_t i = 0; i < chipsets.size(); ++i) {
        rtp::ChipsetInfo info = chipsets[i].make();
        TQelChipSetItem* c = db.ChipSets().Find(int(i) + 1);
        c->Name = chipsets[i].name;
        c->GraphicName = chipsets[i].name;
        for (int kind = 0; kind < LowerChipCount; ++kind) {
            c->SetChipTerrain(kind, TerrainID(info.lowerTerrain[size_t(kind)]));
            c->SetLowerChipPass(kind, catalog::SuggestedPassByte(info.lowerPass[size_t(kind)]));
        }
        for (int chip = 1; chip < UpperChipCount; ++chip)
            c->SetUpperChipPass(chip, catalog::SuggestedPassByte(info.upperPass[size_t(chip)]));
        c->SeaAnimation = 0;
        c->SeaSpeed = 0;
    }
}

// ---------------------------------------------------------------------------------------------

// Battle texts that follow a name or a number read on from it: the runtime shows "Slime" and
// "appeared!" as "Slime appeared!", and "12" with "HP recovered." as "12 HP recovered.".
void FillVocabulary(TQelVocabulary& v) {
    const std::vector<std::pair<int, const char*>> texts = {
        {voMonstersAppear, "appeared!"},
        {voFirstStrike, "The party strikes first!"},
        {voEscapeSuccess, "The party got away safely."},
        {voEscapeFailure, "The party could not escape!"},
        {voVictory, "Victory!"},
        {voDefeat, "The party has fallen..."},
        {voExperienceGained, "experience points gained."},
        {voMoneyGainedHead, "The party found"},
        {voMoneyGainedTail, "in coins."},
        {voItemGained, "was found!"},
        {voAttack, "attacks!"},
        {voAllyCritical, "lands a critical hit!"},
        {voEnemyCritical, "lands a crushing blow!"},
        {voDefend, "stands on guard."},
        {voObserve, "watches closely."},
        {voChargeUp, "gathers strength."},
        {voSelfDestruct, "explodes!"},
        {voEnemyEscapes, "ran away."},
        {voEnemyTransforms, "changed its shape!"},
        {voEnemyDamaged, "points of damage to the enemy!"},
        {voEnemyUndamaged, "took no damage."},
        {voAllyDamaged, "points of damage taken!"},
        {voAllyUndamaged, "took no damage."},
        {voSkillFailureA, "But nothing happened."},
        {voSkillFailureB, "But it missed!"},
        {voSkillFailureC, "But it had no effect."},
        {voAttackMissed, "dodged the attack!"},
        {voItemUsed, "used"},
        {voHPRecovered, "HP recovered."},
        {voParameterUp, "went up."},
        {voParameterDown, "went down."},
        {voAllyAbsorbed, "was drained from the hero."},
        {voEnemyAbsorbed, "was drained from the enemy."},
        {voResistanceUp, "resistance went up."},
        {voResistanceDown, "resistance went down."},
        {voLevelUp, "reached level"},
        {voSkillLearned, "was learned!"},
        {voItemsOwned, "Owned"},
        {voItemsEquipped, "Equipped"},
        {voCurrency, "G"},
        {voFight, "Fight"},
        {voAuto, "Auto"},
        {voEscape, "Escape"},
        {voCommandAttack, "Attack"},
        {voCommandDefense, "Defend"},
        {voItems, "Items"},
        {voSkills, "Skills"},
        {voEquipment, "Equipment"},
        {voSave, "Save"},
        {voEndGame, "End Game"},
        {voNewGame, "New Game"},
        {voContinue, "Continue"},
        {voShutdown, "Shutdown"},
        {voLevel, "Level"},
        {voHP, "HP"},
        {voMP, "MP"},
        {voNormalState, "Normal"},
        {voLevelShort, "Lv"},
        {voHPShort, "HP"},
        {voMPShort, "MP"},
        {voNormalStateShort, "OK"},
        {voMPCost, "Cost"},
        {voAttackPower, "Attack"},
        {voDefensePower, "Defense"},
        {voMind, "Mind"},
        {voAgility, "Agility"},
        {voWeapon, "Weapon"},
        {voShield, "Shield"},
        {voArmor, "Armour"},
        {voHelmet, "Helmet"},
        {voAccessory, "Accessory"},
        {voSavePrompt, "Save to which file?"},
        {voLoadPrompt, "Load which file?"},
        {voEndGameConfirm, "Do you want to end the game?"},
        {voFile, "File"},
        {voYes, "Yes"},
        {voNo, "No"},
    };
    for (const auto& [id, text] : texts)
        v.SetText(id, text);

    // Three shops: a general store, a smithy and an apothecary.
    const char* const shops[3][ShopTextCount] = {
        {"Welcome! What can I do for you?", "Anything else?", "Buy", "Sell", "Leave", "What would you like?",
         "How many?", "Thank you!", "What will you sell?", "How many?", "Thank you!"},
        {"Looking for good steel?", "Something else?", "Buy", "Sell", "Leave", "Which one catches your eye?",
         "How many do you need?", "A fine choice!", "What have you got?", "How many?", "A fair deal."},
        {"Remedies for every ill! What will it be?", "Anything more?", "Buy", "Sell", "Leave",
         "Which remedy?", "How many bottles?", "Stay healthy!", "What would you part with?", "How many?",
         "Much obliged."},
    };
    for (int style = 0; style < 3; ++style) {
        std::vector<int> ids = TQelVocabulary::ShopStyleIDs(style);
        for (int i = 0; i < ShopTextCount; ++i)
            v.SetText(ids[size_t(i)], shops[style][i]);
    }
    const char* const inns[2][InnTextCount] = {
        {"A night's rest costs", "gold.", "Will you stay?", "Stay", "Leave"},
        {"Welcome, travellers. A room is", "gold a night.", "Would you like to rest?", "Rest", "No, thanks"},
    };
    for (int style = 0; style < 2; ++style) {
        std::vector<int> ids = TQelVocabulary::InnStyleIDs(style);
        for (int i = 0; i < InnTextCount; ++i)
            v.SetText(ids[size_t(i)], inns[style][i]);
    }
}

void FillSystem(TQelDataBase& db) {
    TQelSystem& s = db.System();
    s.Reset();
    const auto& vehicles = catalog::Vehicles();
    s.BoatName = vehicles[0].charSet;
    s.BoatIndex = vehicles[0].charIndex;
    s.ShipName = vehicles[1].charSet;
    s.ShipIndex = vehicles[1].charIndex;
    s.AirshipName = vehicles[2].charSet;
    s.AirshipIndex = vehicles[2].charIndex;
    s.TitleName = catalog::kTitle;
    s.GameOverName = catalog::kGameOver;
    s.SystemName = catalog::kSystem;

    const int party[] = {hrAren, hrLysa, hrBrom, hrMira};
    s.SetPartySize(4);
    for (int i = 0; i < 4; ++i)
        s.SetPartyHero(i, party[i]);

    TQelMusic* music[] = {&s.TitleMusic, &s.BattleMusic, &s.BattleEndMusic, &s.InnMusic,
                          &s.BoatMusic,  &s.ShipMusic,   &s.AirshipMusic,   &s.GameOverMusic};
    for (const catalog::SystemSlot& slot : catalog::SystemMusic())
        music[slot.chunk - 31]->FileName = slot.name;
    for (const catalog::SystemSlot& slot : catalog::SystemSounds())
        s.Sounds[slot.chunk - 41].FileName = slot.name;

    s.MonGroupBackdrop = "Grassland";
    s.PreviewMonster = 1;

    // The battle-test party: the starting four at level 5 in their initial equipment.
    s.TestParty.Clear();
    for (int i = 0; i < 4; ++i) {
        TQelTestPlayerItem* member = s.TestParty.FindOrCreate(i + 1);
        const TQelPlayerItem* hero = db.Heroes().Find(party[i]);
        member->HeroID = party[i];
        member->Level = 5;
        for (int slot = 0; slot < 5; ++slot)
            member->SetEquipment(slot, hero->InitialEquipment(slot));
    }
}

} // namespace

void FillTemplateDataBase(TQelDataBase& db) {
    db.Reset();
    AddAttributes(db);
    AddConditions(db);
    AddAnimations(db);
    AddTerrain(db);
    AddSkills(db);
    AddItems(db);
    AddHeroes(db);
    AddMonsters(db);
    AddMonsterGroups(db);
    AddChipSets(db);
    FillVocabulary(db.Vocabulary());
    FillSystem(db);
    // A handful of named switches and variables to start the story with.
    const char* switches[] = {"Intro Seen", "Chest Opened", "Door Unlocked", "Boss Defeated"};
    TQelDataBase::ResetList(db.Switches(), 4);
    for (int i = 0; i < 4; ++i)
        db.Switches().Find(i + 1)->Name = switches[i];
    const char* variables[] = {"Steps", "Gold Found"};
    TQelDataBase::ResetList(db.Variables(), 2);
    for (int i = 0; i < 2; ++i)
        db.Variables().Find(i + 1)->Name = variables[i];
}

} // namespace tarvel::starter
