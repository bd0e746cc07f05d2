#include <gtest/gtest.h>

#include <set>
#include <typeinfo>

#include "BytesHelper.h"
#include "data/LD_DataBase.h"
#include "records/ClipboardPort.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

using ChunkList = std::vector<std::pair<int, int>>;

template <typename Record>
std::string resetHex(int32_t id = 2) {
    if constexpr (std::is_base_of_v<TCatalogItem, Record>) {
        Record record(id);
        return RecordHex(record);
    } else {
        Record record;
        return RecordHex(record);
    }
}

} // namespace

TEST(Records, ResetRecordBytes) {
    struct Case {
        const char* name;
        std::string actual;
        const char* hex;
    } cases[] = {
        {"music", resetHex<TQelMusic>(), "01 05 28 4F 46 46 29 00"},
        {"sound", resetHex<TQelSound>(), "01 05 28 4F 46 46 29 00"},
        {"attribute", resetHex<TQelAttribItem>(), "02 01 00 00"},
        {"terrain", resetHex<TQelGroundItem>(), "0B 01 00 00"},
        {"condition", resetHex<TQelStatusItem>(), "02 01 00 05 01 00 00"},
        // Compared against its own reset values, so they are not written.
        {"condition 1 (a fallen hero's)", resetHex<TQelStatusItem>(1), "02 01 01 05 01 01 00"},
        {"chipset", resetHex<TQelChipSetItem>(), "00"},
        {"switch", resetHex<TQelSwitchItem>(), "00"},
        {"variable", resetHex<TQelVariableItem>(), "00"},
        {"skill", resetHex<TQelSkillItem>(),
         "08 01 00 0C 01 00 10 08 01 05 28 4F 46 46 29 00 2A 00 2C 00 00"},
        {"item", resetHex<TQelItemItem>(), "03 01 00 0F 01 00 1F 01 00 33 01 00 3E 00 40 00 42 00 00"},
        {"monster", resetHex<TQelMonsterItem>(), "20 00 22 00 2A 0C 01 01 01 01 00 02 01 00 05 01 00 00 00"},
        {"monster action", resetHex<TQelMonsterActItem>(), "01 01 00 02 01 00 05 01 00 00"},
        {"monster group", resetHex<TQelMonGroupItem>(),
         "02 01 00 05 00 0B 12 01 01 02 04 01 01 00 00 0B 01 04 0C 04 00 00 00 00 00 00"},
        {"group member", resetHex<TQelMonGroupMonsterItem>(), "00"},
        {"battle trigger", resetHex<TQelBattleEventTrigger>(), "01 01 00 00"},
        {"common event", resetHex<TQelCommonEventItem>(), "0B 01 05 15 01 04 16 04 00 00 00 00 00"},
        {"learned skill", resetHex<TQelPlayerLearningItem>(), "00"},
        {"test party member", resetHex<TQelTestPlayerItem>(), "00"},
        {"animation timing", resetHex<TQelAnimationTimingItem>(),
         "02 08 01 05 28 4F 46 46 29 00 03 01 00 00"},
        {"animation frame", resetHex<TQelAnimationPatternItem>(), "01 01 00 00"},
        {"animation cell", resetHex<TQelAnimationCellItem>(), "00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, ToHex(Hex(c.hex))) << c.name;
}

TEST(Records, ResetRecordsWithLongChunks) {
    struct Case {
        const char* name;
        Bytes bytes;
        ChunkList chunks;
    } cases[] = {
        // Curves and equipment always written, the learned skills as an empty list, the two
        // rank tables with length 0.
        {"hero", TQelPlayerItem(1).SaveToBytes(), {{31, 600}, {51, 10}, {63, 1}, {72, 0}, {74, 0}}},
        {"animation", TQelAnimationItem(1).SaveToBytes(), {{6, 1}, {9, 1}, {10, 1}, {12, 1 + 20 * 5}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Chunks(c.bytes), c.chunks) << c.name;

    // The curve chunk's length is the varint 84 58.
    Bytes hero = TQelPlayerItem(1).SaveToBytes();
    EXPECT_EQ(ToHex(Bytes(hero.begin(), hero.begin() + 3)), "1F 84 58");

    // A reset system record: the party array, music, sounds, transitions, the grid, the test
    // party, and the save counter that the save itself raised to 1.
    TQelSystem system;
    Bytes bytes = system.SaveToBytes();
    ChunkList expected = {{22, 2}};
    for (int id = 31; id <= 38; ++id)
        expected.push_back({id, 8});
    for (int id = 41; id <= 52; ++id)
        expected.push_back({id, 8});
    for (int id = 61; id <= 66; ++id)
        expected.push_back({id, 1});
    expected.insert(expected.end(), {{82, 1}, {85, 1}, {91, 1}});
    EXPECT_EQ(Chunks(bytes), expected);
    EXPECT_EQ(ToHex(Bytes(bytes.begin(), bytes.begin() + 4)), "16 02 01 00");
    EXPECT_EQ(system.SaveCount, 1);
    system.SaveToBytes();
    EXPECT_EQ(system.SaveCount, 2);

    // Every vocabulary text is written, empty or not.
    TQelVocabulary vocabulary;
    ChunkList texts = Chunks(vocabulary.SaveToBytes());
    ASSERT_EQ(texts.size(), 120u);
    EXPECT_EQ(texts.front(), (std::pair<int, int>{1, 0}));
    EXPECT_EQ(texts.back(), (std::pair<int, int>{153, 0}));
}

TEST(Records, NewRecordsHoldTheirDefaults) {
    TQelMonsterItem monster;
    ASSERT_EQ(monster.Actions.Count(), 1);
    EXPECT_EQ(monster.Actions.Items(0)->ActKind, 0);
    EXPECT_EQ(monster.Actions.Items(0)->ConditionType, 0);
    EXPECT_EQ(monster.Actions.Items(0)->Rating, 50);

    TQelAnimationItem animation;
    EXPECT_EQ(animation.Frames.Count(), 20);
    EXPECT_EQ(animation.Frames.Items(19)->Cells.Count(), 0);
    EXPECT_EQ(animation.Timings.Count(), 0);

    TQelPlayerItem hero;
    EXPECT_EQ(hero.Curve(paMaxHP, 1), 40);
    EXPECT_EQ(hero.Curve(paMaxMP, 50), 600);
    EXPECT_EQ(hero.Curve(paDefense, 25), 58);
    EXPECT_EQ(hero.Curve(paAgility, 50), 300);
    EXPECT_EQ(hero.Curve(paMind, 11), 50);
}

TEST(Records, AccessorsOutsideTheirRange) {
    TQelPlayerItem hero;
    EXPECT_EQ(hero.Curve(0, 51), 0);
    EXPECT_EQ(hero.Curve(-1, 1), 0);
    Bytes before = hero.SaveToBytes();
    hero.SetCurve(6, 1, 9);
    hero.SetCurve(0, 0, 9);
    hero.SetInitialEquipment(5, 9);
    hero.SetConditionRate(1, 4); // no table yet
    EXPECT_EQ(hero.SaveToBytes(), before);
    EXPECT_EQ(hero.InitialEquipment(5), 0);
    EXPECT_EQ(hero.ConditionRate(3), 2);
    hero.SetCurve(paAttack, 50, 999);
    EXPECT_EQ(hero.Curve(paAttack, 50), 999);
    EXPECT_EQ(hero.Curves[2 * (2 * 50 + 49)], 999 & 0xFF);

    TQelChipSetItem chipset;
    EXPECT_EQ(chipset.ChipTerrain(161), 1);
    EXPECT_EQ(chipset.ChipTerrain(162), 0);
    EXPECT_EQ(chipset.UpperChipPass(0), 31);
    EXPECT_EQ(chipset.UpperChipPass(144), 0);
    chipset.SetLowerChipPass(162, 0);
    chipset.SetUpperChipPass(-1, 0);
    EXPECT_EQ(RecordHex(chipset), "00");

    TQelTestPlayerItem member;
    member.SetEquipment(5, 3);
    member.SetEquipment(4, 0x12345);
    EXPECT_EQ(member.Equipment(4), 0x2345);
    EXPECT_EQ(member.Equipment(5), 0);

    TQelItemItem item;
    EXPECT_TRUE(item.CanEquip(7)); // beyond the table
    item.SetEquipCount(3);
    EXPECT_FALSE(item.CanEquip(2)); // new entries may not equip
    EXPECT_TRUE(item.CanEquip(4));

    TQelMonGroupItem group;
    group.SetTerrainCount(2);
    EXPECT_TRUE(group.OnTerrain(1));
    EXPECT_TRUE(group.OnTerrain(9));
}

TEST(Records, PartyOperations) {
    TQelSystem system;
    system.SetPartySize(3);
    system.SetPartyHero(0, 4);
    system.SetPartyHero(1, 5);
    system.SetPartyHero(2, 6);
    system.SetPartyHero(3, 7); // outside the party
    EXPECT_EQ(system.PartyHero(2), 6);
    EXPECT_EQ(system.PartyHero(3), 0);
    system.SetPartyHero(1, 0);
    EXPECT_EQ(system.PartySize, 1);
    EXPECT_EQ(system.PartyHero(0), 4);
    EXPECT_EQ(system.PartyHero(1), 0);

    // A stored party size larger than the array read is cut to the array; nothing is allocated
    // for the size.
    TQelSystem loaded;
    loaded.LoadFromBytes(Hex("15 05 87 FF FF FF 7F 16 04 02 00 03 00 00"));
    EXPECT_EQ(loaded.PartySize, 2);
    EXPECT_EQ(loaded.PartyHero(1), 3);
    EXPECT_EQ(loaded.PartyHeroes.size(), 4u);
}

TEST(Records, TestPartyEquipment) {
    TQelTestPlayerItem member(1);
    member.SetEquipment(0, 5);
    EXPECT_EQ(RecordHex(member), "0B 01 05 00");

    // A reader keeps the low 16 bits of a stored slot.
    TQelTestPlayerItem loaded(1);
    loaded.LoadFromBytes(Hex("0C 03 84 80 07 00")); // 65543
    EXPECT_EQ(loaded.Equipment(1), 7);
}

TEST(Records, RateTablesAreTrimmedAndCappedBeforeSaving) {
    TQelDataBase db;
    TQelDataBase::ResetList(db.Conditions(), 10);
    TQelDataBase::ResetList(db.Attributes(), 3);

    struct Case {
        const char* name;
        std::vector<uint8_t> table;
        int32_t expectedCount;
        const char* expectedHex;
    } heroCases[] = {
        {"trailing neutral ranks cut", {2, 0, 2, 2}, 2, "02 00"},
        {"all neutral", {2, 2, 2}, 0, ""},
        {"capped at the 10 conditions",
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1},
         10,
         "00 00 00 00 00 00 00 00 00 00"},
        // Capped first, so no neutral rank is left at the end for the next save to cut.
        {"neutral rank just inside the cap",
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1},
         9,
         "00 00 00 00 00 00 00 00 00"},
    };
    for (const auto& c : heroCases) {
        SCOPED_TRACE(c.name);
        TQelPlayerItem hero(1);
        hero.SetConditionCount(static_cast<int32_t>(c.table.size()));
        for (size_t i = 0; i < c.table.size(); ++i)
            hero.SetConditionRate(static_cast<int32_t>(i + 1), c.table[i]);
        TQelPlayerItem loaded;
        loaded.LoadFromBytes(hero.SaveToBytes());
        EXPECT_EQ(loaded.ConditionCount, c.expectedCount);
        EXPECT_EQ(ToHex(loaded.ConditionRates), c.expectedHex);
    }

    // Skills and items trim zeros; the monster's condition table is neutral at 1 and its
    // attribute table at 2; the item's equip table is neither trimmed nor capped.
    TQelSkillItem skill;
    skill.SetAttributeCount(5);
    skill.SetAttribute(3, true);
    skill.SetConditionCount(4);
    EXPECT_EQ(Chunks(skill.SaveToBytes()).back(), (std::pair<int, int>{44, 3}));
    EXPECT_EQ(skill.ConditionCount, 0);

    TQelMonsterItem monster;
    monster.SetConditionCount(4);
    monster.SetAttributeCount(6);
    monster.SetAttributeRate(2, 0);
    monster.SetAttributeRate(5, 0);
    Bytes bytes = monster.SaveToBytes();
    EXPECT_EQ(ToHex(Bytes(bytes.begin(), bytes.begin() + 2)), "20 00"); // no count chunk
    EXPECT_EQ(ToHex(monster.AttributeRates), "02 00"); // capped at 3 attributes, then trimmed

    TQelItemItem item;
    item.SetEquipCount(20);
    item.SetConditionCount(20);
    item.SetCondition(4, true);
    item.SetCondition(12, true);
    TQelItemItem loadedItem;
    loadedItem.LoadFromBytes(item.SaveToBytes());
    EXPECT_EQ(loadedItem.EquipCount, 20);
    EXPECT_EQ(loadedItem.ConditionCount, 4);
    EXPECT_TRUE(loadedItem.Condition(4));
    EXPECT_FALSE(loadedItem.Condition(12));
}

TEST(Records, TableCountsFromAFileNeverAllocate) {
    // A huge condition count beside a two-byte table: the table is what the file holds.
    TQelPlayerItem hero;
    hero.LoadFromBytes(Hex("47 05 87 FF FF FF 7F 48 02 00 01 00"));
    EXPECT_EQ(hero.ConditionCount, 2);
    EXPECT_EQ(hero.ConditionRate(2), 1);
    EXPECT_EQ(hero.ConditionRate(3), 2);
    // A table longer than its count reads neutral beyond the count and is cut to it.
    TQelSkillItem skill;
    skill.LoadFromBytes(Hex("29 01 01 2A 03 01 01 01 00"));
    EXPECT_TRUE(skill.Condition(1));
    EXPECT_FALSE(skill.Condition(2));
    EXPECT_EQ(skill.Conditions.size(), 1u);
}

TEST(Records, ChipSetTablesAreDeclinedOnlyOnSave) {
    TQelChipSetItem chipset;
    chipset.SetChipTerrain(5, 2);
    Bytes bytes = chipset.SaveToBytes();
    EXPECT_EQ(ToHex(Bytes(bytes.begin(), bytes.begin() + 3)), "03 82 44");
    EXPECT_EQ(Chunks(bytes), (ChunkList{{3, 324}}));

    TQelChipSetItem loaded;
    loaded.LoadFromBytes(bytes);
    EXPECT_EQ(loaded.ChipTerrain(5), 2);
    EXPECT_EQ(loaded.ChipTerrain(6), 1);

    // Upper chip 0 is not compared; a table of the wrong length keeps its reset values.
    TQelChipSetItem upper;
    upper.SetUpperChipPass(0, 0);
    EXPECT_EQ(RecordHex(upper), "00");
    upper.SetUpperChipPass(143, 1);
    EXPECT_EQ(Chunks(upper.SaveToBytes()), (ChunkList{{5, 144}}));
    TQelChipSetItem wrong;
    wrong.LoadFromBytes(Hex("04 02 00 00 00"));
    EXPECT_EQ(wrong.LowerChipPass(0), 15);
}

TEST(Records, FirstConditionKeepsTheOtherConditionsDefaults) {
    // Colour 6 and priority 50 are the other conditions' defaults but not condition 1's.
    TQelStatusItem first(1);
    first.Colour = 6;
    first.Priority = 50;
    EXPECT_EQ(RecordHex(first), "02 01 01 03 01 06 04 01 32 05 01 01 00");
    TQelStatusItem loaded(1);
    loaded.LoadFromBytes(first.SaveToBytes());
    EXPECT_EQ(loaded.Colour, 6);
    EXPECT_EQ(loaded.Priority, 50);
}

TEST(Records, MusicAssignCopiesOnlyItsOwnClass) {
    TQelMusic music, other;
    music.FileName = "Town";
    music.FadeIn = 500;
    other.Assign(music);
    EXPECT_EQ(other.FileName, "Town");
    EXPECT_EQ(other.FadeIn, 500);
    TQelSound sound;
    sound.FileName = "Bell";
    other.Assign(sound);
    EXPECT_EQ(other.FileName, "Town");
    TQelSound copy;
    copy.Assign(sound);
    EXPECT_EQ(copy.FileName, "Bell");
}

TEST(Records, NumberedNameLabels) {
    TQelSwitchItem unnamed(12), named(7);
    named.Name = "Door";
    EXPECT_EQ(unnamed.DisplayLabel(), "0012");
    EXPECT_EQ(named.DisplayLabel(), "0007:Door");
    TQelVariableItem big(12345);
    EXPECT_EQ(big.DisplayLabel(), "12345");
}

TEST(Records, VocabularyGroups) {
    TQelVocabulary vocabulary;
    EXPECT_EQ(TQelVocabulary::TextIDs().size(), 120u);
    struct Case {
        int id;
        bool text;
    } cases[] = {{1, true},    {37, true},  {38, false}, {51, true},   {52, false}, {94, false}, {95, true},
                 {109, false}, {117, true}, {140, true}, {149, false}, {153, true}, {154, false}};
    for (const auto& c : cases)
        EXPECT_EQ(TQelVocabulary::IsTextID(c.id), c.text) << c.id;

    vocabulary.SetText(voShopB + shPurchased, "Thanks!");
    vocabulary.SetText(voInnB + inStay, "Stay");
    vocabulary.SetText(38, "ignored");
    std::vector<std::string> shop = vocabulary.ShopStyle(1);
    ASSERT_EQ(shop.size(), 11u);
    EXPECT_EQ(shop[shPurchased], "Thanks!");
    EXPECT_EQ(vocabulary.InnStyle(1)[inStay], "Stay");
    EXPECT_TRUE(vocabulary.ShopStyle(3).empty());
    EXPECT_EQ(TQelVocabulary::ShopStyleIDs(2).back(), 77);
    EXPECT_EQ(TQelVocabulary::InnStyleIDs(1).back(), 89);
    EXPECT_EQ(vocabulary.Text(38), "");

    TQelVocabulary loaded;
    loaded.LoadFromBytes(vocabulary.SaveToBytes());
    EXPECT_EQ(loaded.Text(voShopB + shPurchased), "Thanks!");
}

TEST(Records, AnimationsLoadedOrSavedThroughTheirListAreMarkedChanged) {
    TQelAnimation animations;
    TQelDataBase::ResetList(animations, 2);
    EXPECT_FALSE(animations.Items(0)->Changed);
    TMemoryStream stream;
    animations.SaveToStream(stream);
    EXPECT_TRUE(animations.Items(1)->Changed);

    TQelAnimation loaded;
    stream.SetPosition(0);
    loaded.LoadFromStream(stream);
    EXPECT_TRUE(loaded.Items(0)->Changed);
    loaded.Items(0)->Changed = false;
    loaded.CopyToClipboard(ClipboardFormat::Animations, 0, 1);
    EXPECT_TRUE(loaded.Items(0)->Changed);
}

TEST(Records, TypedAccessorsNameTheMissingRecord) {
    TQelDataBase db;
    struct Case {
        std::function<void()> byID;
        std::function<TCatalogItem*()> byIndex;
        const char* message;
    } cases[] = {
        {[&] { db.Heroes().ByID(9); }, [&] { return db.Heroes().ByIndex(9); }, "Invalid Hero"},
        {[&] { db.Skills().ByID(9); }, [&] { return db.Skills().ByIndex(9); }, "Invalid Tech Skill"},
        {[&] { db.Items().ByID(9); }, [&] { return db.Items().ByIndex(9); }, "Invalid Item Designed"},
        {[&] { db.Monsters().ByID(9); }, [&] { return db.Monsters().ByIndex(9); }, "Invalid Enemy Chara"},
        {[&] { db.MonGroups().ByID(9); }, [&] { return db.MonGroups().ByIndex(9); },
         "Invalid Monsters Group"},
        {[&] { db.Terrain().ByID(9); }, [&] { return db.Terrain().ByIndex(9); }, "Invalid Terrain Designed"},
        {[&] { db.Conditions().ByID(9); }, [&] { return db.Conditions().ByIndex(9); },
         "Invalid Condition State"},
        {[&] { db.Switches().ByID(9); }, [&] { return db.Switches().ByIndex(9); }, "Invalid Switch"},
        {[&] { db.Variables().ByID(9); }, [&] { return db.Variables().ByIndex(9); }, "Invalid Variable"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        {
            EditorRunningScope outside(false);
            try {
                c.byID();
                ADD_FAILURE() << "no error";
            } catch (const EQelDataError& e) {
                EXPECT_STREQ(e.what(), c.message);
            }
        }
        EditorRunningScope inside(true);
        EXPECT_EQ(c.byIndex(), nullptr);
        EXPECT_NO_THROW(c.byID());
    }
    EXPECT_NE(db.Heroes().ByID(1), nullptr);
}

TEST(Records, EveryDescribedFieldHasAPlainTextName) {
    std::vector<std::unique_ptr<TCatalogBaseItem>> records;
    records.push_back(std::make_unique<TQelPlayerItem>(1));
    records.push_back(std::make_unique<TQelPlayerLearningItem>(1));
    records.push_back(std::make_unique<TQelSkillItem>(1));
    records.push_back(std::make_unique<TQelItemItem>(1));
    records.push_back(std::make_unique<TQelMonsterItem>(1));
    records.push_back(std::make_unique<TQelMonsterActItem>(1));
    records.push_back(std::make_unique<TQelMonGroupItem>(1));
    records.push_back(std::make_unique<TQelMonGroupMonsterItem>(1));
    records.push_back(std::make_unique<TQelBattleEventTrigger>());
    records.push_back(std::make_unique<TQelBattleEventPageItem>(1));
    records.push_back(std::make_unique<TQelGroundItem>(1));
    records.push_back(std::make_unique<TQelAttribItem>(1));
    records.push_back(std::make_unique<TQelStatusItem>(1));
    records.push_back(std::make_unique<TQelAnimationItem>(1));
    records.push_back(std::make_unique<TQelAnimationTimingItem>(1));
    records.push_back(std::make_unique<TQelAnimationPatternItem>(1));
    records.push_back(std::make_unique<TQelAnimationCellItem>(1));
    records.push_back(std::make_unique<TQelChipSetItem>(1));
    records.push_back(std::make_unique<TQelVocabulary>());
    records.push_back(std::make_unique<TQelSystem>());
    records.push_back(std::make_unique<TQelTestPlayerItem>(1));
    records.push_back(std::make_unique<TQelSwitchItem>(1));
    records.push_back(std::make_unique<TQelVariableItem>(1));
    records.push_back(std::make_unique<TQelCommonEventItem>(1));
    records.push_back(std::make_unique<TQelMusic>());
    records.push_back(std::make_unique<TQelSound>());
    records.push_back(std::make_unique<TQelEventItem>(1));
    records.push_back(std::make_unique<TQelEventPageItem>(1));
    records.push_back(std::make_unique<TQelEventCondition>());
    records.push_back(std::make_unique<TQelMoveRoute>());
    for (const auto& record : records) {
        SCOPED_TRACE(typeid(*record).name());
        std::vector<int> described, named;
        TCatalogVarData v;
        for (int id = 1; id <= MaxFieldID; ++id) {
            v = TCatalogVarData();
            record->DescribeField(id, v, true);
            if (v.Kind != vkNone) described.push_back(id);
        }
        std::set<std::string> keys;
        for (const auto& field : record->FieldNames()) {
            named.push_back(field.id);
            EXPECT_TRUE(keys.insert(field.name).second) << "name used twice: " << field.name;
        }
        EXPECT_EQ(described, named);
    }
}
