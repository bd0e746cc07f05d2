#pragma once

// The heroes as the game changes them (level, experience, HP and MP, parameters, skills,
// equipment, conditions, name and graphics), the party, the money and the items held.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/LD_DataBase.h"

namespace tarvel::game {

// The most of one item the party holds, of money, and the highest parameter value.
constexpr int32_t kMaxItemCount = 99;
constexpr int32_t kMaxMoney = 999999;
constexpr int32_t kMaxParameter = 999;
constexpr int32_t kMaxExperience = 9999999;
constexpr int kMaxPartySize = 4;
// The condition a hero has who cannot fight (HP 0).
constexpr int32_t kFallenCondition = 1;

struct TGameHero {
    int32_t id = 0;
    std::string name;
    std::string title;
    std::string charName;
    int32_t charIndex = 0;
    bool charTransparent = false;
    std::string faceName;
    int32_t faceIndex = 0;
    int32_t level = 1;
    int32_t exp = 0;
    int32_t hp = 0;
    int32_t mp = 0;
    // Lasting changes of the six parameters (max HP, max MP, attack, defense, mind, agility).
    std::array<int32_t, ParameterCount> bonus{};
    // Item IDs of weapon, shield, armour, helmet, accessory (0: none).
    std::array<int32_t, 5> equipment{};
    std::vector<int32_t> skills;     // ascending IDs
    std::vector<int32_t> conditions; // ascending IDs
};

// The party and its heroes. Heroes are made from their database records the first time they are
// needed and keep their changes for the rest of the game, in or out of the party.
class TGameParty {
public:
    explicit TGameParty(const TQelDataBase& db) : mDb(&db) {}

    // A new game: the system record's initial party, every hero at its initial state, no money,
    // no items.
    void NewGame();

    // The hero of that ID, made from the database on first use; nullptr when the database has no
    // such hero.
    TGameHero* Hero(int32_t id);
    const std::map<int32_t, TGameHero>& Heroes() const { return mHeroes; }
    std::map<int32_t, TGameHero>& Heroes() { return mHeroes; }

    const std::vector<int32_t>& Members() const { return mMembers; }
    std::vector<int32_t>& Members() { return mMembers; }
    bool InParty(int32_t heroID) const;
    // Adds a hero at the end (ignored when full, already in or unknown); removes one.
    void AddMember(int32_t heroID);
    void RemoveMember(int32_t heroID);

    int32_t Money() const { return mMoney; }
    void SetMoney(int64_t money);
    // Items held, not counting what is equipped.
    int32_t ItemCount(int32_t itemID) const;
    void SetItemCount(int32_t itemID, int64_t count);
    // How many heroes of the party have the item equipped.
    int32_t EquippedCount(int32_t itemID) const;
    const std::map<int32_t, int32_t>& Items() const { return mItems; }
    std::map<int32_t, int32_t>& Items() { return mItems; }

    // Parameter values: the curve at the hero's level plus lasting changes, and for attack,
    // defense, mind and agility the bonuses of the equipment; held within 1..999 (max MP 0..999).
    int32_t Parameter(const TGameHero& hero, int parameter) const;
    int32_t MaxHP(const TGameHero& hero) const { return Parameter(hero, paMaxHP); }
    int32_t MaxMP(const TGameHero& hero) const { return Parameter(hero, paMaxMP); }

    // The experience a hero needs in all to reach a level.
    int32_t ExperienceForLevel(const TGameHero& hero, int32_t level) const;
    // Sets experience (0..9999999) and moves the level with it; returns the texts of the levels
    // gained and skills learned ("Aren reached level 5.").
    std::vector<std::string> SetExperience(TGameHero& hero, int64_t exp);
    // Sets the level (1..max level); experience becomes what the level needs.
    std::vector<std::string> SetLevel(TGameHero& hero, int64_t level);
    void SetHP(TGameHero& hero, int64_t hp, bool mayFall);
    void SetMP(TGameHero& hero, int64_t mp);
    void FullRecovery(TGameHero& hero);

    bool HasSkill(const TGameHero& hero, int32_t skillID) const;
    void LearnSkill(TGameHero& hero, int32_t skillID);
    void ForgetSkill(TGameHero& hero, int32_t skillID);
    bool HasCondition(const TGameHero& hero, int32_t conditionID) const;
    void AddCondition(TGameHero& hero, int32_t conditionID);
    void RemoveCondition(TGameHero& hero, int32_t conditionID);

    // Medicine used on a hero from the menu: a standing hero (or, for one that only revives, a
    // fallen one) gets the recovery of HP and MP and loses the conditions the item treats. False
    // when it would do nothing to this hero.
    bool ApplyMedicine(TGameHero& hero, const TQelItemItem& item);

    // The slot an item goes to (0 weapon .. 4 accessory), -1 for an item that is not equipment.
    int EquipmentSlot(int32_t itemID) const;
    // Equips an item from the party's items (when the hero may and one is held), the old one going
    // back; false when it could not.
    bool Equip(TGameHero& hero, int32_t itemID);
    // Takes off a slot (0..4; 5 every slot), the items going back to the party.
    void Unequip(TGameHero& hero, int slot);

    const TQelDataBase& DataBase() const { return *mDb; }
    // Grows with every change of the items held or of the party's members (what event pages
    // may ask about).
    uint64_t Version() const { return mVersion; }

private:
    void learnSkillsUpTo(TGameHero& hero, int32_t fromLevel, int32_t toLevel,
                         std::vector<std::string>* texts);
    const TQelPlayerItem* record(const TGameHero& hero) const;

    const TQelDataBase* mDb;
    std::map<int32_t, TGameHero> mHeroes;
    std::vector<int32_t> mMembers;
    std::map<int32_t, int32_t> mItems;
    int32_t mMoney = 0;
    uint64_t mVersion = 0;
};

} // namespace tarvel::game
