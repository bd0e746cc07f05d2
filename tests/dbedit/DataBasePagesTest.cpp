#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <set>

#include "DataBaseFixture.h"
#include "dbedit/ED_Attrib.h"
#include "dbedit/ED_Ground.h"
#include "dbedit/ED_Item.h"
#include "dbedit/ED_Monster.h"
#include "dbedit/ED_MonsterAct.h"
#include "dbedit/ED_Skill.h"
#include "dbedit/ED_Status.h"
#include "dbedit/ED_System.h"
#include "dbedit/ED_Vocabulary.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

enum Tab {
    HeroTab = 0,
    SkillTab = 1,
    ItemTab = 2,
    MonsterTab = 3,
    AttributeTab = 5,
    ConditionTab = 6,
    TerrainTab = 8,
    VocabularyTab = 10,
    SystemTab = 11
};

template <typename Page>
Page* page(DataBaseProject& p) {
    auto* shown = dynamic_cast<Page*>(p.form->Page());
    EXPECT_NE(shown, nullptr);
    return shown;
}

// The whole database as bytes, to see that nothing changed.
std::vector<uint8_t> dataBaseBytes(TQelDataBase& db) {
    TMemoryStream stream;
    const int32_t saves = db.System().SaveCount;
    db.WriteToStream(stream);
    db.System().SaveCount = saves;
    return stream.Bytes();
}

} // namespace

// One field on each page, edited through its control: OK writes it into the file, Cancel leaves
// the file and (after the reload) the database as they were.
TEST(DataBasePages, AnEditReachesTheFileOnOkOnly) {
    struct Case {
        const char* name;
        int tab;
        std::function<void(TFormDataBase&)> edit;
        std::function<QJsonValue(const QJsonObject&)> saved;
        QJsonValue value;
    };
    auto second = [](const QJsonObject& file, const char* section, const char* field) {
        return file.value(section).toArray().at(1).toObject().value(field);
    };
    const std::vector<Case> cases = {
        {"skill MP cost", SkillTab,
         [](TFormDataBase& f) { dynamic_cast<TFormEDSkill*>(f.Page())->SpinMPCost()->setValue(77); },
         [&](const QJsonObject& j) { return second(j, "skills", "MPCost"); }, 77},
        {"item price", ItemTab,
         [](TFormDataBase& f) { dynamic_cast<TFormEDItem*>(f.Page())->SpinPrice()->setValue(4321); },
         [&](const QJsonObject& j) { return second(j, "items", "Price"); }, 4321},
        {"monster max HP", MonsterTab,
         [](TFormDataBase& f) { dynamic_cast<TFormEDMonster*>(f.Page())->SpinParameter(0)->setValue(777); },
         [&](const QJsonObject& j) { return second(j, "monsters", "MaxHP"); }, 777},
        {"attribute rank A", AttributeTab,
         [](TFormDataBase& f) { dynamic_cast<TFormEDAttrib*>(f.Page())->RateSpin(0)->setValue(250); },
         [&](const QJsonObject& j) { return second(j, "attributes", "RateA"); }, 250},
        {"condition message", ConditionTab,
         [](TFormDataBase& f) {
             dynamic_cast<TFormEDStatus*>(f.Page())->EditMessage(4)->setText("is well again.");
         },
         [&](const QJsonObject& j) { return second(j, "conditions", "RecoveryMessage"); }, "is well again."},
        {"terrain damage", TerrainTab,
         [](TFormDataBase& f) { dynamic_cast<TFormEDGround*>(f.Page())->SpinDamage()->setValue(12); },
         [&](const QJsonObject& j) { return second(j, "terrain", "Damage"); }, 12},
        {"vocabulary victory", VocabularyTab,
         [](TFormDataBase& f) {
             dynamic_cast<TFormEDVocabulary*>(f.Page())->Edit(voVictory)->setText("We won!");
         },
         [](const QJsonObject& j) { return j.value("vocabulary").toObject().value("5"); }, "We won!"},
        {"system transition", SystemTab,
         [](TFormDataBase& f) {
             dynamic_cast<TFormEDSystem*>(f.Page())->TransitionBox(0)->setCurrentIndex(17);
         },
         [](const QJsonObject& j) { return j.value("system").toObject().value("TeleportErase"); }, 17},
    };
    for (const Case& c : cases) {
        for (bool ok : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (ok ? " OK" : " Cancel"));
            DataBaseProject p;
            const QJsonValue before = c.saved(p.savedFile());
            ASSERT_NE(before, c.value);
            const std::vector<uint8_t> inMemory = dataBaseBytes(p.db());
            p.open(c.tab);
            if (auto* list = p.listPage()) list->DataList()->setCurrentRow(1);
            c.edit(*p.form);
            EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
            p.close(ok);
            EXPECT_EQ(c.saved(p.savedFile()), ok ? c.value : before);
            if (!ok) {
                EXPECT_EQ(dataBaseBytes(p.db()), inMemory);
            }
        }
    }
}

// Going through every record of every page loads the controls without storing anything.
TEST(DataBasePages, LoadingRecordsChangesNothing) {
    DataBaseProject p;
    const std::vector<uint8_t> before = dataBaseBytes(p.db());
    p.open(0);
    for (int tab = 0; tab < 13; ++tab) {
        p.form->SetTabIndex(tab);
        if (TFormDataBaseList* list = p.listPage()) {
            for (int line = 0; line < list->DataList()->count(); ++line)
                QTest::keyClick(p.form.get(), Qt::Key_F5);
            EXPECT_EQ(list->DataList()->currentRow(), list->DataList()->count() - 1);
        }
        // Every sub-page, so that nothing is filled lazily.
        for (QTabWidget* sub : p.form->Page()->findChildren<QTabWidget*>())
            for (int i = 0; i < sub->count(); ++i)
                sub->setCurrentIndex(i);
        EXPECT_FALSE(p.form->ButtonApply()->isEnabled()) << p.form->TabBar()->tabText(tab).toStdString();
    }
    EXPECT_EQ(dataBaseBytes(p.db()), before);
}

TEST(DataBasePages, ItemKindShowsTheFieldsItUses) {
    DataBaseProject p;
    p.open(ItemTab);
    auto* items = page<TFormEDItem>(p);
    TQelItemItem* item = p.db().Items().Find(1);
    item->HitRate = 75;
    items->ReloadRecord();

    struct Shown {
        int kind;
        bool equip, weapon, armor, medicine, skill, material, switchGroup, tables;
    };
    const Shown rows[] = {
        {itCommon, false, false, false, false, false, false, false, false},
        {itWeapon, true, true, false, false, false, false, false, true},
        {itHelmet, true, false, true, false, false, false, false, true},
        {itMedicine, false, false, false, true, false, false, false, true},
        {itBook, false, false, false, false, true, false, false, false},
        {itMaterial, false, false, false, false, false, true, false, false},
        {itUnique, false, false, false, false, true, false, false, false},
        {itSwitch, false, false, false, false, false, false, true, false},
    };
    for (const Shown& row : rows) {
        SCOPED_TRACE(row.kind);
        items->ComboType()->setCurrentIndex(row.kind);
        EXPECT_EQ(item->ItemType, row.kind);
        EXPECT_EQ(!items->EquipGroup()->isHidden(), row.equip);
        EXPECT_EQ(!items->WeaponGroup()->isHidden(), row.weapon);
        EXPECT_EQ(!items->ArmorGroup()->isHidden(), row.armor);
        EXPECT_EQ(!items->MedicineGroup()->isHidden(), row.medicine);
        EXPECT_EQ(!items->MedicineUseGroup()->isHidden(), row.medicine);
        EXPECT_EQ(!items->SkillGroup()->isHidden(), row.skill);
        EXPECT_EQ(!items->MaterialGroup()->isHidden(), row.material);
        EXPECT_EQ(!items->SwitchGroup()->isHidden(), row.switchGroup);
        EXPECT_EQ(!items->Tables()->isHidden(), row.tables);
        if (row.tables) {
            const bool equipment = row.kind != itMedicine;
            EXPECT_EQ(items->Tables()->isTabVisible(TFormEDItem::HeroTab), equipment);
            EXPECT_EQ(items->Tables()->isTabVisible(TFormEDItem::AttributeTab), equipment);
            EXPECT_TRUE(items->Tables()->isTabVisible(TFormEDItem::ConditionTab));
            EXPECT_EQ(items->Tables()->tabText(TFormEDItem::ConditionTab),
                      equipment ? "Ghost Condition" : "Treatment for condition");
        }
    }
    // What the other kinds use is kept, and shows again with its kind.
    EXPECT_EQ(item->HitRate, 75);
    items->ComboType()->setCurrentIndex(itWeapon);
    EXPECT_EQ(items->SpinHitRate()->value(), 75);
}

TEST(DataBasePages, EquipTableGrowsKeepingWhoMayEquip) {
    DataBaseProject p;
    TQelItemItem* item = p.db().Items().Find(1);
    item->SetEquipCount(2);
    item->SetCanEquip(1, true);
    item->SetCanEquip(2, false);
    p.open(ItemTab);
    auto* items = page<TFormEDItem>(p);
    items->ComboType()->setCurrentIndex(itWeapon);
    TRecordFlagList* heroes = items->Heroes();
    // Heroes beyond the table may equip the item, and show so.
    EXPECT_TRUE(heroes->Flag(5));
    EXPECT_FALSE(heroes->Flag(2));
    heroes->item(5)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(item->CanEquip(6));
    for (int id : {1, 3, 4, 5, 7, 8})
        EXPECT_TRUE(item->CanEquip(id)) << id;
    EXPECT_FALSE(item->CanEquip(2));
}

TEST(DataBasePages, SkillTablesAndTheIdOfAMissingRecord) {
    DataBaseProject p;
    TQelSkillItem* skill = p.db().Skills().Find(1);
    skill->AnimationID = 999;
    p.open(SkillTab);
    auto* skills = page<TFormEDSkill>(p);
    skills->Conditions()->item(2)->setCheckState(Qt::Checked);
    EXPECT_TRUE(skill->Condition(3));
    skills->Attributes()->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(skill->Attribute(1));
    skills->SpinMPCost()->setValue(3);
    // An animation that does not exist is shown by its number and kept.
    EXPECT_EQ(skill->AnimationID, 999);
    // The kind decides what can be set.
    skills->ComboType()->setCurrentIndex(3);
    EXPECT_FALSE(skills->EffectGroup()->isEnabled());
    EXPECT_TRUE(skills->SwitchGroup()->isEnabled());
    skills->ComboType()->setCurrentIndex(0);
    EXPECT_TRUE(skills->EffectGroup()->isEnabled());
    EXPECT_FALSE(skills->SwitchGroup()->isEnabled());
}

TEST(DataBasePages, MonsterRanksAndActionPattern) {
    DataBaseProject p;
    p.open(MonsterTab);
    auto* monsters = page<TFormEDMonster>(p);
    p.listPage()->DataList()->setCurrentRow(1);
    TQelMonsterItem* bat = p.db().Monsters().Find(2);
    ASSERT_EQ(bat->Actions.Count(), 2);

    // A click on a rank's column chooses it.
    TRecordRankTable* ranks = monsters->AttributeRanks();
    QTest::mouseClick(ranks->viewport(), Qt::LeftButton, {},
                      ranks->visualItemRect(ranks->item(3, 5)).center());
    EXPECT_EQ(bat->AttributeRate(4), 4);
    EXPECT_EQ(ranks->Rank(4), 4);

    // Copy the first action and paste it before the second: three actions, the copy in the middle.
    QTreeWidget* list = monsters->ActionList();
    list->setCurrentItem(list->topLevelItem(0));
    monsters->ActionCopy();
    EXPECT_TRUE(p.clipboard.has(ClipboardFormat::MonsterActions));
    list->setCurrentItem(list->topLevelItem(1));
    monsters->ActionPaste();
    ASSERT_EQ(bat->Actions.Count(), 3);
    EXPECT_EQ(bat->Actions.Items(1)->SaveToBytes(), bat->Actions.Items(0)->SaveToBytes());
    EXPECT_EQ(bat->Actions.Items(2)->BasicAction, baDoubleAttack);
    EXPECT_EQ(list->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bat->Actions.Items(i)->ID, i + 1);

    // A block that breaks off inside its records inserts nothing.
    const std::vector<uint8_t> records = bat->Actions.Items(0)->SaveToBytes();
    p.clipboard.set(ClipboardFormat::MonsterActions,
                    MakeClipboardBlock(std::vector<uint8_t>(records.begin(), records.end() - 1), 1));
    monsters->ActionPaste();
    EXPECT_EQ(bat->Actions.Count(), 3);

    // The dialog edits a new action: a skill used while the monster's HP is low.
    OnNextModal<TFormEDMonsterAct>([](TFormEDMonsterAct* dialog) {
        dialog->KindGroup()->button(1)->click();
        dialog->ComboSkill()->setCurrentIndex(4);
        dialog->ComboCondition()->setCurrentIndex(acOwnHP);
        dialog->SpinParam(0)->setValue(10);
        dialog->SpinParam(1)->setValue(40);
        dialog->SpinRating()->setValue(70);
        dialog->accept();
    });
    monsters->ActionAdd();
    ASSERT_EQ(bat->Actions.Count(), 4);
    const TQelMonsterActItem* added = bat->Actions.Items(3);
    EXPECT_EQ(added->ActKind, 1);
    EXPECT_EQ(added->SkillID, 5);
    EXPECT_EQ(added->ConditionType, acOwnHP);
    EXPECT_EQ(added->ConditionParam1, 10);
    EXPECT_EQ(added->ConditionParam2, 40);
    EXPECT_EQ(added->Rating, 70);
    EXPECT_EQ(list->topLevelItem(3)->text(1), "HP 10 - 40 %");

    // Cancel leaves an action as it was; delete closes the gap.
    list->setCurrentItem(list->topLevelItem(3));
    OnNextModal<TFormEDMonsterAct>([](TFormEDMonsterAct* dialog) {
        dialog->SpinRating()->setValue(1);
        dialog->reject();
    });
    monsters->ActionEdit();
    EXPECT_EQ(added->Rating, 70);
    list->setCurrentItem(list->topLevelItem(0));
    monsters->ActionDelete();
    EXPECT_EQ(bat->Actions.Count(), 3);
    EXPECT_EQ(bat->Actions.Items(2)->ID, 3);
    EXPECT_EQ(bat->Actions.Items(2)->Rating, 70);
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
}

TEST(DataBasePages, ActionDialogKeepsNumbersItDoesNotShowUntilTheConditionChanges) {
    DataBaseProject p;
    TFormEDMonsterAct dialog(nullptr, p.db());
    TQelMonsterActItem action(1);
    action.ConditionType = acTurnNumber;
    action.ConditionParam1 = 500;
    action.ConditionParam2 = 3;
    dialog.SetAction(action);
    // Opened and confirmed unchanged, the numbers stay.
    EXPECT_EQ(dialog.Action().ConditionParam1, 500);
    dialog.ComboCondition()->setCurrentIndex(acOwnHP);
    // As a percentage it is shown and stored as 100.
    EXPECT_EQ(dialog.SpinParam(0)->value(), 100);
    EXPECT_EQ(dialog.Action().ConditionParam1, 100);
    EXPECT_EQ(dialog.Action().ConditionParam2, 3);
}

TEST(DataBasePages, PartySlotsFollowTheNoneRule) {
    DataBaseProject p;
    TQelSystem& system = p.db().System();
    ASSERT_EQ(system.PartySize, 4);
    p.open(SystemTab);
    auto* page = dynamic_cast<TFormEDSystem*>(p.form->Page());
    ASSERT_NE(page, nullptr);
    // Each slot offers "(None)" and the heroes that no other slot holds.
    TRecordComboBox* second = page->PartySlot(1);
    EXPECT_EQ(second->itemText(0), "(None)");
    EXPECT_EQ(second->count(), 1 + 8 - 3);
    EXPECT_EQ(second->findData(system.PartyHero(0)), -1);
    EXPECT_NE(second->findData(system.PartyHero(1)), -1);

    // "(None)" in the second slot ends the party there.
    second->setCurrentIndex(0);
    EXPECT_EQ(system.PartySize, 1);
    EXPECT_EQ(page->PartySlot(2)->ID(), 0);
    EXPECT_FALSE(page->PartySlot(2)->isEnabled());
    EXPECT_TRUE(page->PartySlot(1)->isEnabled());

    // A hero chosen in the first free slot joins.
    second->setCurrentIndex(second->findData(8));
    EXPECT_EQ(system.PartySize, 2);
    EXPECT_EQ(system.PartyHero(1), 8);
    EXPECT_TRUE(page->PartySlot(2)->isEnabled());
    EXPECT_EQ(page->PartySlot(0)->findData(8), -1);
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
}

TEST(DataBasePages, TestPartyMembers) {
    DataBaseProject p;
    TQelTestPlayer& party = p.db().System().TestParty;
    party.Clear();
    p.open(SystemTab);
    auto* page = dynamic_cast<TFormEDSystem*>(p.form->Page());
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->TestRemove()->isEnabled());
    for (int i = 0; i < 4; ++i)
        page->TestAdd()->click();
    ASSERT_EQ(party.Count(), 4);
    EXPECT_FALSE(page->TestAdd()->isEnabled());
    // Each new member takes a hero no one else has.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(party.Items(i)->HeroID, i + 1);

    page->TestMembers()->setCurrentRow(1);
    page->TestLevel()->setValue(12);
    // The weapon box offers weapons only.
    TRecordComboBox* weapons = page->TestEquipment(0);
    for (int i = 1; i < weapons->count(); ++i)
        EXPECT_EQ(p.db().Items().Find(weapons->itemData(i).toInt())->ItemType, itWeapon);
    weapons->setCurrentIndex(1);
    EXPECT_EQ(party.Items(1)->Level, 12);
    EXPECT_EQ(party.Items(1)->Equipment(0), weapons->itemData(1).toInt());

    page->TestRemove()->click();
    ASSERT_EQ(party.Count(), 3);
    EXPECT_EQ(party.Items(1)->HeroID, 3);
    EXPECT_EQ(party.Items(1)->ID, 2);
    p.close(true);
    EXPECT_EQ(p.savedFile()["system"].toObject()["TestParty"].toArray().size(), 3);
}

// Every spin box, check box, text box, choice and radio button of the eight pages is bound to
// the record: changing it changes the database in memory and enables "&Apply". A control that
// was laid out but never bound would show a value the file never gets.
TEST(DataBasePages, EveryControlEditsTheDatabase) {
    DataBaseProject p;
    p.open(0);
    for (int tab :
         {SkillTab, ItemTab, MonsterTab, AttributeTab, ConditionTab, TerrainTab, VocabularyTab, SystemTab}) {
        p.form->SetTabIndex(tab);
        if (TFormDataBaseList* list = p.listPage()) list->DataList()->setCurrentRow(1);
        QWidget* shown = p.form->Page();
        ASSERT_NE(shown, nullptr);
        // The controls inside spin boxes and choices are theirs, not the page's.
        auto own = [](QWidget* w) {
            for (QWidget* up = w->parentWidget(); up; up = up->parentWidget())
                if (qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QComboBox*>(up)) return false;
            return true;
        };
        auto describe = [&](QWidget* w) {
            QString text = w->metaObject()->className();
            if (auto* button = qobject_cast<QAbstractButton*>(w)) text += " \"" + button->text() + "\"";
            if (!w->objectName().isEmpty()) text += " " + w->objectName();
            return p.form->TabBar()->tabText(tab).toStdString() + ": " + text.toStdString();
        };
        int checked = 0;
        for (QWidget* w : shown->findChildren<QWidget*>()) {
            if (!own(w)) continue;
            std::function<void()> change;
            if (auto* spin = qobject_cast<QSpinBox*>(w)) {
                change = [spin] {
                    spin->setValue(spin->value() == spin->minimum() ? spin->maximum() : spin->minimum());
                };
            } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
                if (radio->isChecked()) continue;
                change = [radio] { radio->setChecked(true); };
            } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
                change = [check] { check->setChecked(!check->isChecked()); };
            } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                change = [edit] { edit->setText(edit->text() + "!"); };
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                if (combo->count() < 2) continue;
                change = [combo] { combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count()); };
            } else {
                continue;
            }
            SCOPED_TRACE(describe(w));
            p.form->ButtonApply()->setEnabled(false);
            const std::vector<uint8_t> before = dataBaseBytes(p.db());
            change();
            EXPECT_TRUE(dataBaseBytes(p.db()) != before);
            EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
            ++checked;
        }
        EXPECT_GT(checked, 0) << p.form->TabBar()->tabText(tab).toStdString();
    }
}

// The vocabulary sub-pages together hold one text box for each of the 120 texts, each box editing
// its own text.
TEST(DataBasePages, VocabularyHasABoxForEveryText) {
    DataBaseProject p;
    p.open(VocabularyTab);
    auto* words = page<TFormEDVocabulary>(p);
    ASSERT_NE(words, nullptr);
    std::set<QLineEdit*> boxes;
    for (int id : TQelVocabulary::TextIDs()) {
        SCOPED_TRACE(id);
        QLineEdit* edit = words->Edit(id);
        ASSERT_NE(edit, nullptr);
        boxes.insert(edit);
        edit->setText(QString("text %1").arg(id));
    }
    EXPECT_EQ(boxes.size(), TQelVocabulary::TextIDs().size());
    EXPECT_EQ(words->findChildren<QLineEdit*>().size(), boxes.size());
    for (int id : TQelVocabulary::TextIDs())
        EXPECT_EQ(p.db().Vocabulary().Text(id), "text " + std::to_string(id));
}
