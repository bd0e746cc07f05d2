#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "DataBaseFixture.h"
#include "data/LD_Item.h"
#include "data/LD_Skill.h"
#include "dbedit/ED_Player.h"
#include <QHeaderView>

using namespace tarvel;
using namespace tarvel::test;

namespace {

constexpr int HeroTab = 0;

TFormEDPlayer* heroPage(DataBaseProject& p) {
    p.open(HeroTab);
    auto* page = dynamic_cast<TFormEDPlayer*>(p.form->Page());
    EXPECT_NE(page, nullptr);
    return page;
}

void choose(QComboBox* box, int32_t itemID) {
    int row = box->findData(itemID);
    ASSERT_GE(row, 0) << "item " << itemID << " not offered";
    box->setCurrentIndex(row);
    emit box->activated(row);
}

// Weapons and a shield for hero 1 at the end of the item list; returns the first new ID.
int32_t addGear(TQelDataBase& db) {
    int32_t first = db.Items().Count() + 1;
    auto add = [&](uint8_t type, bool twoHanded, int attack) {
        TQelItemItem* item = db.Items().Append();
        item->Name = "Gear" + std::to_string(item->ID - first);
        item->ItemType = type;
        item->TwoHanded = twoHanded;
        item->Bonuses[0] = attack;
    };
    add(itWeapon, false, 7); // first: sword
    add(itWeapon, true, 20); // first + 1: two-handed axe
    add(itShield, false, 1); // first + 2: shield
    return first;
}

} // namespace

TEST(HeroPage, FieldsStoreAndSaveWithTheWindow) {
    DataBaseProject p;
    TFormEDPlayer* page = heroPage(p);
    ASSERT_TRUE(page);
    TQelPlayerItem& hero = *p.db().Heroes().Find(1);
    EXPECT_EQ(page->InitialLevel()->value(), hero.InitialLevel);
    EXPECT_EQ(page->CriticalRate()->isEnabled(), hero.CanCritical);
    EXPECT_EQ(page->ExpText()->text(), QString::asprintf("Standart=%d; Additional=%d; Corrected=%d",
                                                         hero.ExpBase, hero.ExpIncrease, hero.ExpCorrection));

    page->EditTitle()->setText("Wanderer");
    emit page->EditTitle()->textEdited("Wanderer");
    page->CanCritical()->setChecked(false);
    EXPECT_FALSE(page->CriticalRate()->isEnabled());
    page->CanCritical()->setChecked(true);
    page->CriticalRate()->setValue(12);
    page->MaxLevel()->setValue(40);
    EXPECT_EQ(page->InitialLevel()->maximum(), 40);
    page->InitialLevel()->setValue(45); // refused beyond the maximum level
    EXPECT_EQ(page->InitialLevel()->value(), 40);
    page->UseSkillSlotName()->setChecked(true);
    EXPECT_TRUE(page->SkillSlotName()->isEnabled());
    page->SkillSlotName()->setText("Magic");
    emit page->SkillSlotName()->textEdited("Magic");
    page->Option(3)->setChecked(!hero.StrongDefense);
    const bool strongDefense = hero.StrongDefense;
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
    p.close(true);

    const TQelPlayerItem& saved = *p.db().Heroes().Find(1);
    EXPECT_EQ(saved.Title, "Wanderer");
    EXPECT_TRUE(saved.CanCritical);
    EXPECT_EQ(saved.CriticalRate, 12);
    EXPECT_EQ(saved.MaxLevel, 40);
    EXPECT_EQ(saved.InitialLevel, 40);
    EXPECT_TRUE(saved.UseSkillSlotName);
    EXPECT_EQ(saved.SkillSlotName, "Magic");
    EXPECT_EQ(saved.StrongDefense, strongDefense);
}

TEST(HeroPage, EquipmentBoxesFollowTheTwoHandedAndTwoSwordRules) {
    DataBaseProject p;
    const int32_t sword = addGear(p.db()), axe = sword + 1, shield = sword + 2;
    TQelPlayerItem& stored = *p.db().Heroes().Find(1);
    stored.TwoSword = false;
    stored.InitialLevel = 1;
    TFormEDPlayer* page = heroPage(p);
    ASSERT_TRUE(page);
    TQelPlayerItem& hero = *p.db().Heroes().Find(1);
    const int32_t attack = hero.Curve(paAttack, 1);

    choose(page->Equipment(esWeapon), sword);
    choose(page->Equipment(esShield), shield);
    EXPECT_EQ(page->Equipment(esShield)->findData(sword), -1) << "weapons are not offered as shields";
    choose(page->Equipment(esWeapon), axe);
    EXPECT_EQ(hero.InitialEquipment(esShield), 0);
    EXPECT_EQ(page->Equipment(esShield)->currentText(), "(None)");
    choose(page->Equipment(esShield), shield);
    EXPECT_EQ(hero.InitialEquipment(esWeapon), 0);
    EXPECT_EQ(page->Equipment(esWeapon)->currentText(), "(None)");

    page->TwoSword()->setChecked(true);
    EXPECT_EQ(page->EquipmentLabel(esShield)->text(), "Hands :");
    EXPECT_EQ(page->Equipment(esShield)->currentText(), "(None)") << "a shield is no longer offered";
    choose(page->Equipment(esWeapon), sword);
    choose(page->Equipment(esShield), sword);
    EXPECT_EQ(hero.InitialEquipment(esShield), sword);
    // The attack graph's "Now:" counts both swords.
    EXPECT_EQ(HeroNowValue(hero, p.db().Items(), paAttack), attack + 14);
    page->TwoSword()->setChecked(false);
    EXPECT_EQ(page->EquipmentLabel(esShield)->text(), "Shield :");
}

TEST(HeroPage, RanksStepWithBothButtonsAndWrap) {
    DataBaseProject p;
    TFormEDPlayer* page = heroPage(p);
    ASSERT_TRUE(page);
    TRankTable* table = page->ConditionRanks();
    ASSERT_GT(table->topLevelItemCount(), 1);
    TQelPlayerItem& hero = *p.db().Heroes().Find(1);
    const int before = hero.ConditionRate(2);
    QRect mark = table->visualItemRect(table->topLevelItem(1));
    QPoint at(table->header()->sectionPosition(1) + 4, mark.center().y());
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(hero.ConditionRate(2), (before + 4) % 5);
    QTest::mouseClick(table->viewport(), Qt::RightButton, {}, at);
    QTest::mouseClick(table->viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(hero.ConditionRate(2), (before + 1) % 5);
    for (int i = 0; i < 5; ++i)
        table->StepRank(1, -1);
    EXPECT_EQ(hero.ConditionRate(2), (before + 1) % 5) << "five steps wrap around";
    EXPECT_EQ(table->topLevelItem(1)->text(1), TRankTable::RankMark((before + 1) % 5));
}

TEST(HeroPage, SkillsListedInOrderAndDeleted) {
    DataBaseProject p;
    TQelPlayerItem& stored = *p.db().Heroes().Find(1);
    stored.Skills.Clear();
    const int entries[][2] = {{7, 2}, {1, 3}, {7, 1}, {2, 9999}};
    for (auto& e : entries) {
        auto* entry = stored.Skills.Append();
        entry->Level = e[0];
        entry->SkillID = e[1];
    }
    SortLearning(stored.Skills);
    TFormEDPlayer* page = heroPage(p);
    ASSERT_TRUE(page);
    QListWidget* list = page->SkillList();
    ASSERT_EQ(list->count(), 5);
    auto name = [&](int id) { return QString::fromStdString(p.db().Skills().Find(id)->Name); };
    EXPECT_EQ(list->item(0)->text(), "L  1  " + name(3));
    EXPECT_EQ(list->item(1)->text(), "L  2  ?");
    EXPECT_EQ(list->item(2)->text(), "L  7  " + name(1));
    EXPECT_EQ(list->item(3)->text(), "L  7  " + name(2));
    EXPECT_EQ(list->item(4)->text(), "");
    list->setCurrentRow(4);
    EXPECT_FALSE(page->ButtonDeleteSkill()->isEnabled());
    list->setCurrentRow(1);
    page->ButtonDeleteSkill()->click();
    TQelPlayerItem& hero = *p.db().Heroes().Find(1);
    ASSERT_EQ(hero.Skills.Count(), 3);
    EXPECT_EQ(hero.Skills.Items(1)->SkillID, 1);
    EXPECT_EQ(hero.Skills.Items(1)->ID, 2);
    EXPECT_EQ(list->count(), 4);
}

TEST(HeroPage, GraphsAndUnarmedAnimationFallBack) {
    DataBaseProject p;
    TQelPlayerItem& stored = *p.db().Heroes().Find(1);
    stored.UnarmedAnimation = p.db().Animations().Count() + 5;
    TFormEDPlayer* page = heroPage(p);
    ASSERT_TRUE(page);
    EXPECT_EQ(p.db().Heroes().Find(1)->UnarmedAnimation, 1);
    EXPECT_EQ(page->UnarmedAnimation()->currentIndex(), 0);

    // The graph draws a bar per level from 54 - value / 12 down, black above it.
    TQelPlayerItem& hero = *p.db().Heroes().Find(1);
    QImage graph = page->Graph(paMaxHP)->grab().toImage();
    const int level = 30, value = hero.Curve(paMaxHP, level);
    const int top = TPlayerCurveGraph::GraphHeight - value / 12;
    ASSERT_GT(top, 1);
    EXPECT_EQ(graph.pixelColor(2 * (level - 1), TPlayerCurveGraph::GraphHeight - 1),
              TPlayerCurveGraph::Colour(paMaxHP));
    EXPECT_EQ(graph.pixelColor(2 * (level - 1) + 1, top), TPlayerCurveGraph::Colour(paMaxHP));
    EXPECT_EQ(graph.pixelColor(2 * (level - 1) + 1, top - 1), QColor(Qt::black));

    // Screens of the page for looking at, when asked for.
    QString shots = qEnvironmentVariable("TARVEL_SHOTS");
    if (!shots.isEmpty()) {
        for (QSize size : {QSize(800, 600), QSize(1280, 1024)}) {
            p.form->resize(size);
            QApplication::processEvents();
            p.form->grab().save(shots + QString("/hero-page-%1x%2.png").arg(size.width()).arg(size.height()));
        }
    }
}
