// The starter database that new projects are made from, as the build wrote it beside the editor:
// every record must be usable with the runtime package as it is generated (names that are files,
// chips whose terrain and passability fit what they show) and with the rest of the database.
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

#include "ChipsetPainter.h"
#include "Package.h"
#include "RtpCatalog.h"
#include "TemplateDataBase.h"
#include "TestEnvironment.h"
#include "data/LD_DataBase.h"
#include "records/Stream.h"

using namespace tarvel;

namespace {

// The files of the runtime package by folder and name, with the pictures' sizes.
struct PackageIndex {
    std::map<std::string, std::set<std::string>> names;
    std::map<std::string, std::pair<int, int>> pictureSizes; // "Folder/Name"
    PackageIndex() {
        rtp::RtpPackage package = rtp::BuildPackage();
        for (const auto& p : package.pictures) {
            names[p.folder].insert(p.name);
            pictureSizes[p.folder + "/" + p.name] = {p.image.Width(), p.image.Height()};
        }
        for (const auto& f : package.files)
            names[f.folder].insert(f.name);
    }
    bool Has(const std::string& folder, const std::string& name) const {
        auto it = names.find(folder);
        return it != names.end() && it->second.count(name);
    }
    std::pair<int, int> Size(const std::string& folder, const std::string& name) const {
        auto it = pictureSizes.find(folder + "/" + name);
        return it == pictureSizes.end() ? std::pair<int, int>{0, 0} : it->second;
    }
};

class StarterKit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sPackage = new PackageIndex;
        sDb = new TQelDataBase;
        sDb->LoadFromFile((test::BuildBinFolder() + "/QUORIN.qdb.dat").toStdString());
    }
    static void TearDownTestSuite() {
        delete sDb;
        delete sPackage;
    }
    static const PackageIndex& Package() { return *sPackage; }
    static TQelDataBase& Db() { return *sDb; }

    static PackageIndex* sPackage;
    static TQelDataBase* sDb;
};
PackageIndex* StarterKit::sPackage = nullptr;
TQelDataBase* StarterKit::sDb = nullptr;

bool IsEquipment(int type) {
    return type >= itWeapon && type <= itAccessory;
}

} // namespace

TEST_F(StarterKit, TheBuiltFileIsWhatTheGeneratorMakesAndReadsWithoutError) {
    ASSERT_FALSE(Db().LoadFailed()) << Db().LoadError();
    TMemoryStream file;
    file.LoadFromFile((test::BuildBinFolder() + "/QUORIN.qdb.dat").toStdString());
    TQelDataBase fresh;
    starter::FillTemplateDataBase(fresh);
    TMemoryStream made;
    fresh.WriteToStream(made);
    EXPECT_TRUE(file.Bytes() == made.Bytes()) << "build/bin/QUORIN.qdb.dat is stale or not deterministic";
}

TEST_F(StarterKit, HeroesHaveFacesWalkGraphicsCurvesEquipmentAndSkills) {
    TQelDataBase& db = Db();
    ASSERT_GE(db.Heroes().Count(), 4);
    for (int i = 0; i < db.Heroes().Count(); ++i) {
        const TQelPlayerItem* h = db.Heroes().Items(i);
        SCOPED_TRACE(h->Name);
        EXPECT_FALSE(h->Name.empty());
        EXPECT_TRUE(Package().Has("CharSet", h->CharName));
        EXPECT_TRUE(h->CharIndex >= 0 && h->CharIndex < 8);
        EXPECT_TRUE(Package().Has("FaceSet", h->FaceName));
        EXPECT_TRUE(h->FaceIndex >= 0 && h->FaceIndex < 16);
        EXPECT_TRUE(h->InitialLevel >= 1 && h->InitialLevel <= h->MaxLevel && h->MaxLevel <= 50);
        EXPECT_TRUE(h->ExpBase >= 10 && h->ExpBase <= 50 && h->ExpIncrease >= 10 && h->ExpIncrease <= 50);
        EXPECT_TRUE(h->ExpCorrection >= 0 && h->ExpCorrection <= 40);
        EXPECT_NE(db.Animations().Find(h->UnarmedAnimation), nullptr);

        // Curves of their own: growing with the level, inside the curve editor's ranges.
        bool ownCurve = false;
        for (int p = 0; p < ParameterCount; ++p) {
            int low = p == paMaxMP ? 0 : 1;
            for (int level = 1; level <= 50; ++level) {
                int v = h->Curve(p, level);
                EXPECT_TRUE(v >= low && v <= 999) << "parameter " << p << " level " << level;
                if (level > 1) {
                    EXPECT_GE(v, h->Curve(p, level - 1)) << "parameter " << p << " level " << level;
                }
            }
            EXPECT_GT(h->Curve(p, 50), h->Curve(p, 1)) << "parameter " << p;
            const uint16_t* defaults = p < 2 ? DefaultHPCurve : p < 4 ? DefaultAttackCurve : DefaultMindCurve;
            for (int level = 1; level <= 50; ++level)
                ownCurve |= h->Curve(p, level) != defaults[level - 1];
        }
        EXPECT_TRUE(ownCurve);

        // Learned skills exist, in level order, within the hero's levels.
        ASSERT_GE(h->Skills.Count(), 1);
        for (int k = 0; k < h->Skills.Count(); ++k) {
            const TQelPlayerLearningItem* learn = h->Skills.Items(k);
            EXPECT_NE(db.Skills().Find(learn->SkillID), nullptr);
            EXPECT_TRUE(learn->Level >= 1 && learn->Level <= h->MaxLevel);
            if (k > 0) {
                EXPECT_GE(learn->Level, h->Skills.Items(k - 1)->Level);
            }
        }

        // The initial equipment fits its slots and the hero may wear it; a two-handed weapon
        // leaves the second hand empty.
        const int slotType[5] = {itWeapon, itShield, itArmor, itHelmet, itAccessory};
        for (int slot = 0; slot < 5; ++slot) {
            int id = h->InitialEquipment(slot);
            if (id == 0) continue;
            const TQelItemItem* item = db.Items().Find(id);
            ASSERT_NE(item, nullptr) << "slot " << slot;
            int expected = slot == 1 && h->TwoSword ? itWeapon : slotType[slot];
            EXPECT_EQ(item->ItemType, expected) << "slot " << slot;
            EXPECT_TRUE(item->CanEquip(h->ID)) << item->Name;
        }
        const TQelItemItem* weapon = db.Items().Find(h->InitialEquipment(0));
        if (weapon && weapon->TwoHanded) {
            EXPECT_EQ(h->InitialEquipment(1), 0);
        }
    }
}

TEST_F(StarterKit, SkillsItemsAndMonstersReferToRecordsThatExist) {
    TQelDataBase& db = Db();
    const int conditions = db.Conditions().Count(), attributes = db.Attributes().Count();
    std::set<int> usedSkills;
    for (int i = 0; i < db.Heroes().Count(); ++i)
        for (int k = 0; k < db.Heroes().Items(i)->Skills.Count(); ++k)
            usedSkills.insert(db.Heroes().Items(i)->Skills.Items(k)->SkillID);

    for (int i = 0; i < db.Skills().Count(); ++i) {
        const TQelSkillItem* s = db.Skills().Items(i);
        SCOPED_TRACE(s->Name);
        EXPECT_FALSE(s->Name.empty());
        EXPECT_FALSE(s->Description.empty());
        EXPECT_LE(s->SkillType, 3);
        EXPECT_LE(s->Scope, 4);
        EXPECT_TRUE(s->UsableInField || s->UsableInBattle);
        if (s->SkillType == 0) {
            EXPECT_NE(db.Animations().Find(s->AnimationID), nullptr);
        } else {
            EXPECT_TRUE(Package().Has("Sound", s->Sound.FileName));
        }
        EXPECT_LE(s->ConditionCount, conditions);
        EXPECT_LE(s->AttributeCount, attributes);
    }

    int weapons = 0, medicine = 0, armour = 0;
    for (int i = 0; i < db.Items().Count(); ++i) {
        const TQelItemItem* it = db.Items().Items(i);
        SCOPED_TRACE(it->Name);
        EXPECT_FALSE(it->Name.empty());
        EXPECT_GT(it->Price, 0);
        if (it->ItemType == itWeapon) {
            ++weapons;
            EXPECT_NE(db.Animations().Find(it->AnimationID), nullptr);
            EXPECT_GT(it->Bonuses[0], 0);
        }
        if (it->ItemType >= itShield && it->ItemType <= itHelmet) ++armour;
        if (IsEquipment(it->ItemType)) {
            EXPECT_EQ(it->EquipCount, db.Heroes().Count());
            bool someone = false;
            for (int h = 1; h <= db.Heroes().Count(); ++h)
                someone |= it->CanEquip(h);
            EXPECT_TRUE(someone);
        }
        if (it->ItemType == itMedicine) {
            ++medicine;
            bool cures = false;
            for (int c = 1; c <= conditions; ++c)
                cures |= it->Condition(c);
            EXPECT_TRUE(cures || it->Recovery[0] + it->Recovery[1] + it->Recovery[2] + it->Recovery[3] > 0);
        }
    }
    EXPECT_GE(weapons, 5);
    EXPECT_GE(armour, 5);
    EXPECT_GE(medicine, 3);

    for (int i = 0; i < db.Monsters().Count(); ++i) {
        const TQelMonsterItem* m = db.Monsters().Items(i);
        SCOPED_TRACE(m->Name);
        EXPECT_TRUE(Package().Has("Monster", m->GraphicName));
        EXPECT_GT(m->Parameters[0], 0);
        EXPECT_GT(m->Experience, 0);
        if (m->DropItemID) {
            EXPECT_NE(db.Items().Find(m->DropItemID), nullptr);
        }
        ASSERT_GE(m->Actions.Count(), 1);
        for (int a = 0; a < m->Actions.Count(); ++a) {
            const TQelMonsterActItem* act = m->Actions.Items(a);
            EXPECT_LE(act->ActKind, 1);
            if (act->ActKind == 1) {
                EXPECT_NE(db.Skills().Find(act->SkillID), nullptr);
                usedSkills.insert(act->SkillID);
            }
            EXPECT_GT(act->Rating, 0);
        }
    }
    // No skill is left that neither a hero learns nor a monster uses.
    for (int i = 0; i < db.Skills().Count(); ++i)
        EXPECT_TRUE(usedSkills.count(db.Skills().Items(i)->ID)) << db.Skills().Items(i)->Name;
}

TEST_F(StarterKit, MonsterGroupsStandInsideTheBattleSceneAndAreMetSomewhere) {
    TQelDataBase& db = Db();
    ASSERT_GE(db.MonGroups().Count(), 5);
    bool metOnGrass = false;
    for (int g = 0; g < db.MonGroups().Count(); ++g) {
        const TQelMonGroupItem* group = db.MonGroups().Items(g);
        SCOPED_TRACE(group->Name);
        EXPECT_FALSE(group->Name.empty());
        EXPECT_LE(group->Name.size(), 20u);
        ASSERT_TRUE(group->Members.Count() >= 1 && group->Members.Count() <= 10);
        for (int i = 0; i < group->Members.Count(); ++i) {
            const TQelMonGroupMonsterItem* member = group->Members.Items(i);
            const TQelMonsterItem* m = db.Monsters().Find(member->MonsterID);
            ASSERT_NE(m, nullptr);
            auto [w, h] = Package().Size("Monster", m->GraphicName);
            EXPECT_GE(member->X - w / 2, 0) << m->Name;
            EXPECT_LE(member->X + w / 2, 320) << m->Name;
            EXPECT_GE(member->Y - h / 2, 0) << m->Name;
            EXPECT_LE(member->Y + h / 2, 160) << m->Name;
        }
        EXPECT_EQ(group->TerrainCount, db.Terrain().Count());
        metOnGrass |= group->OnTerrain(1);
    }
    EXPECT_TRUE(metOnGrass) << "nothing to fight on the first terrain";
}

TEST_F(StarterKit, TerrainAttributesConditionsAndAnimationsAreComplete) {
    TQelDataBase& db = Db();
    std::set<std::string> terrainNames;
    for (int i = 0; i < db.Terrain().Count(); ++i) {
        const TQelGroundItem* t = db.Terrain().Items(i);
        EXPECT_TRUE(terrainNames.insert(t->Name).second) << "two terrains named " << t->Name;
        EXPECT_TRUE(Package().Has("Backdrop", t->BattleBackName)) << t->Name;
    }
    ASSERT_GE(db.Attributes().Count(), 2);
    for (int i = 0; i < db.Attributes().Count(); ++i)
        EXPECT_FALSE(db.Attributes().Items(i)->Name.empty());

    // The first condition is the fallen hero's, with the values a new first condition has.
    ASSERT_GE(db.Conditions().Count(), 2);
    const TQelStatusItem* fallen = db.Conditions().Find(1);
    TQelStatusItem fresh(1);
    EXPECT_FALSE(fallen->Name.empty());
    EXPECT_EQ(fallen->StatusType, fresh.StatusType);
    EXPECT_EQ(fallen->Colour, fresh.Colour);
    EXPECT_EQ(fallen->Priority, fresh.Priority);
    EXPECT_EQ(fallen->Restriction, fresh.Restriction);
    for (int i = 0; i < db.Conditions().Count(); ++i)
        EXPECT_FALSE(db.Conditions().Items(i)->Messages[0].empty()) << db.Conditions().Items(i)->Name;

    ASSERT_GE(db.Animations().Count(), 5);
    for (int i = 0; i < db.Animations().Count(); ++i) {
        const TQelAnimationItem* a = db.Animations().Items(i);
        SCOPED_TRACE(a->Name);
        ASSERT_TRUE(Package().Has("Battle", a->GraphicName));
        auto [w, h] = Package().Size("Battle", a->GraphicName);
        const int sheetCells = (w / 96) * (h / 96);
        ASSERT_GE(a->Frames.Count(), 2);
        for (int f = 0; f < a->Frames.Count(); ++f) {
            const TQelAnimationPatternItem* frame = a->Frames.Items(f);
            ASSERT_GE(frame->Cells.Count(), 1) << "frame " << f + 1;
            for (int c = 0; c < frame->Cells.Count(); ++c)
                EXPECT_LT(frame->Cells.Items(c)->Pattern, sheetCells) << "frame " << f + 1;
        }
        ASSERT_GE(a->Timings.Count(), 1);
        for (int t = 0; t < a->Timings.Count(); ++t) {
            const TQelAnimationTimingItem* timing = a->Timings.Items(t);
            EXPECT_TRUE(timing->Frame >= 1 && timing->Frame <= a->Frames.Count());
            EXPECT_TRUE(Package().Has("Sound", timing->Sound.FileName));
        }
    }
}

// Each chip of the generated chipsets names the terrain it shows and is as walkable as it was
// drawn to be.
TEST_F(StarterKit, ChipsetRecordsFitTheGeneratedChipsets) {
    TQelDataBase& db = Db();
    const auto& chipsets = rtp::catalog::Chipsets();
    ASSERT_EQ(db.ChipSets().Count(), int(chipsets.size()));
    EXPECT_EQ(db.ChipSets().Find(1)->GraphicName, "Grassland") << "a new project's map uses chipset 1";
    for (size_t i = 0; i < chipsets.size(); ++i) {
        const TQelChipSetItem* c = db.ChipSets().Find(int(i) + 1);
        SCOPED_TRACE(c->Name);
        ASSERT_TRUE(Package().Has("ChipSet", c->GraphicName));
        rtp::ChipsetInfo info = chipsets[i].make();
        ASSERT_EQ(info.name, c->GraphicName);
        for (int kind = 0; kind < LowerChipCount; ++kind) {
            const TQelGroundItem* t = db.Terrain().Find(c->ChipTerrain(kind));
            ASSERT_NE(t, nullptr) << "lower kind " << kind;
            EXPECT_EQ(t->Name, info.lowerTerrain[size_t(kind)]) << info.lowerNames[size_t(kind)];
            EXPECT_EQ(c->LowerChipPass(kind), rtp::catalog::SuggestedPassByte(info.lowerPass[size_t(kind)]))
                << info.lowerNames[size_t(kind)];
        }
        for (int chip = 1; chip < UpperChipCount; ++chip)
            EXPECT_EQ(c->UpperChipPass(chip), rtp::catalog::SuggestedPassByte(info.upperPass[size_t(chip)]))
                << info.upperNames[size_t(chip)];
        EXPECT_EQ(c->UpperChipPass(0), 0x1F) << "the empty upper chip";

        // What the chips are: the plain ground walkable in all four directions, water and deep
        // water closed on foot, water for boats and deep water for ships only.
        EXPECT_EQ(c->LowerChipPass(18) & 0x0F, 0x0F);
        for (int water : {0, 1, 2})
            EXPECT_EQ(c->LowerChipPass(water) & 0x0F, 0) << "water kind " << water;
        const TQelGroundItem* shallow = db.Terrain().Find(c->ChipTerrain(0));
        const TQelGroundItem* deep = db.Terrain().Find(c->ChipTerrain(2));
        EXPECT_TRUE(shallow->BoatPass && shallow->ShipPass);
        EXPECT_TRUE(!deep->BoatPass && deep->ShipPass);
    }
}

TEST_F(StarterKit, SystemRecordNamesMaterialOfThePackage) {
    TQelDataBase& db = Db();
    const TQelSystem& s = db.System();
    EXPECT_TRUE(Package().Has("Title", s.TitleName));
    EXPECT_TRUE(Package().Has("GameOver", s.GameOverName));
    EXPECT_TRUE(Package().Has("System", s.SystemName));
    EXPECT_TRUE(Package().Has("Backdrop", s.MonGroupBackdrop));
    for (const auto& [name, index] : {std::pair{s.BoatName, s.BoatIndex}, std::pair{s.ShipName, s.ShipIndex},
                                      std::pair{s.AirshipName, s.AirshipIndex}}) {
        EXPECT_TRUE(Package().Has("CharSet", name)) << name;
        EXPECT_TRUE(index >= 0 && index < 8);
    }
    for (const TQelMusic* m : {&s.TitleMusic, &s.BattleMusic, &s.BattleEndMusic, &s.InnMusic, &s.BoatMusic,
                               &s.ShipMusic, &s.AirshipMusic, &s.GameOverMusic})
        EXPECT_TRUE(Package().Has("Music", m->FileName)) << m->FileName;
    for (const TQelSound& sound : s.Sounds)
        EXPECT_TRUE(Package().Has("Sound", sound.FileName)) << sound.FileName;

    ASSERT_TRUE(s.PartySize >= 1 && s.PartySize <= 4);
    std::set<int> party;
    for (int i = 0; i < s.PartySize; ++i) {
        EXPECT_NE(db.Heroes().Find(s.PartyHero(i)), nullptr);
        EXPECT_TRUE(party.insert(s.PartyHero(i)).second) << "a hero twice in the party";
    }
    ASSERT_GE(s.TestParty.Count(), 1);
    for (int i = 0; i < s.TestParty.Count(); ++i) {
        const TQelTestPlayerItem* member = s.TestParty.Items(i);
        const TQelPlayerItem* hero = db.Heroes().Find(member->HeroID);
        ASSERT_NE(hero, nullptr);
        EXPECT_TRUE(member->Level >= hero->InitialLevel && member->Level <= hero->MaxLevel);
        for (int slot = 0; slot < 5; ++slot)
            if (member->Equipment(slot)) {
                EXPECT_TRUE(db.Items().Find(member->Equipment(slot))->CanEquip(hero->ID));
            }
    }
}

TEST_F(StarterKit, EveryVocabularyTextIsPlainEnglish) {
    const TQelVocabulary& v = Db().Vocabulary();
    for (int id : TQelVocabulary::TextIDs()) {
        const std::string& text = v.Text(id);
        EXPECT_FALSE(text.empty()) << "text " << id;
        bool plain = true, letters = false;
        for (unsigned char ch : text) {
            plain &= ch >= 0x20 && ch < 0x7F;
            letters |= std::isalpha(ch) != 0;
        }
        EXPECT_TRUE(plain && letters) << "text " << id << ": " << text;
    }
}
