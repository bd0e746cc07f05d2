#pragma once

// The vocabulary record (database section 21): every text the game shows in battles, shops, inns,
// menus and the save screen. 120 texts, each its own chunk, all written even when empty. The
// assignment of texts to chunk IDs below is the one the database pages, the command editors and
// the runtime share (the list with its meanings is in docs/json-format.md).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/CatalogBase.h"

namespace tarvel {

enum TVocabularyID : int {
    // "Battle Messages 1" to "Battle Messages 4"
    voMonstersAppear = 1,
    voFirstStrike = 2,
    voEscapeSuccess = 3,
    voEscapeFailure = 4,
    voVictory = 5,
    voDefeat = 6,
    voExperienceGained = 7,
    voMoneyGainedHead = 8,
    voMoneyGainedTail = 9,
    voItemGained = 10,
    voAttack = 11,
    voAllyCritical = 12,
    voEnemyCritical = 13,
    voDefend = 14,
    voObserve = 15,
    voChargeUp = 16,
    voSelfDestruct = 17,
    voEnemyEscapes = 18,
    voEnemyTransforms = 19,
    voEnemyDamaged = 20,
    voEnemyUndamaged = 21,
    voAllyDamaged = 22,
    voAllyUndamaged = 23,
    voSkillFailureA = 24, // a skill's FailureMessage 0
    voSkillFailureB = 25, // FailureMessage 1
    voSkillFailureC = 26, // FailureMessage 2
    voAttackMissed = 27,
    voItemUsed = 28,
    voHPRecovered = 29,
    voParameterUp = 30,
    voParameterDown = 31,
    voAllyAbsorbed = 32,
    voEnemyAbsorbed = 33,
    voResistanceUp = 34,
    voResistanceDown = 35,
    voLevelUp = 36,
    voSkillLearned = 37,
    // "Shop Messages Style A", B and C: eleven texts each from these IDs (TShopText order)
    voShopA = 41,
    voShopB = 54,
    voShopC = 67,
    // "INN Messages Style A" and B: five texts each (TInnText order)
    voInnA = 80,
    voInnB = 85,
    voItemsOwned = 92,
    voItemsEquipped = 93,
    voCurrency = 95,
    // "Command"
    voFight = 101,
    voAuto = 102,
    voEscape = 103,
    voCommandAttack = 104,
    voCommandDefense = 105,
    voItems = 106,
    voSkills = 107,
    voEquipment = 108,
    voSave = 110,
    voEndGame = 112,
    voNewGame = 114,
    voContinue = 115,
    voShutdown = 117,
    // "Abilities, Equipment, etc."
    voLevel = 123,
    voHP = 124,
    voMP = 125,
    voNormalState = 126,
    voLevelShort = 127,
    voHPShort = 128,
    voMPShort = 129,
    voNormalStateShort = 130,
    voMPCost = 131,
    voAttackPower = 132,
    voDefensePower = 133,
    voMind = 134,
    voAgility = 135,
    voWeapon = 136,
    voShield = 137,
    voArmor = 138,
    voHelmet = 139,
    voAccessory = 140,
    // "SAVE - LOAD - END GAME"
    voSavePrompt = 146,
    voLoadPrompt = 147,
    voEndGameConfirm = 148,
    voFile = 151,
    voYes = 152,
    voNo = 153,
};

// The eleven texts of a shop style, in order from the style's first ID.
enum TShopText {
    shChooseBusiness,
    shChooseBusinessAgain,
    shPurchase,
    shSale,
    shLeave,
    shBuyWhich,
    shBuyHowMany,
    shPurchased,
    shSellWhich,
    shSellHowMany,
    shSold,
    ShopTextCount
};

// The five texts of an inn style: the lodging question before and after the price, the price
// question's tail, "lodge" and "stay".
enum TInnText { inBeforePrice, inAfterPrice, inQuestionTail, inLodge, inStay, InnTextCount };

constexpr int VocabularyMaxID = 153;

class TQelVocabulary : public TCatalogBaseItem {
public:
    TQelVocabulary() { Reset(); }

    // Whether a chunk ID holds a text.
    static bool IsTextID(int id);
    // The 120 text IDs in ascending order.
    static const std::vector<int>& TextIDs();

    // The text of an ID; empty for an ID that holds none.
    const std::string& Text(int id) const;
    // Ignored for an ID that holds no text.
    void SetText(int id, const std::string& text);

    // The chunk IDs of shop style n (0..2) and inn style n (0..1); empty outside.
    static std::vector<int> ShopStyleIDs(int n);
    static std::vector<int> InnStyleIDs(int n);
    // The grouped texts for the shop and inn editors and the command editors; empty outside.
    std::vector<std::string> ShopStyle(int n) const;
    std::vector<std::string> InnStyle(int n) const;

    void DescribeField(int id, TCatalogVarData& v, bool forLoad) override;
    // Named by the chunk IDs as text ("1", "41", ...).
    const std::vector<TFieldName>& FieldNames() const override;

private:
    std::array<std::string, VocabularyMaxID + 1> mTexts;
};

} // namespace tarvel
