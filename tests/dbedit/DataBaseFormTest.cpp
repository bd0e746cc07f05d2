#include <QAction>
#include <QDir>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>

#include "DataBaseFixture.h"
#include "controls/HelpContext.h"
#include "data/LD_Common.h"
#include "dbedit/DataBaseTabs.h"
#include "dbedit/DataMultiCopy.h"
#include "pickers/DataMaxChange.h"
#include "pickers/SelMusic.h"
#include "ui_DataMaxChange.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

constexpr int HeroTab = 0;
constexpr int SkillTab = 1;
constexpr int ItemTab = 2;

// Selects a line of the page's record list as a click would.
void selectLine(TFormDataBaseList* page, int line) {
    page->DataList()->setCurrentRow(line);
}

std::vector<std::string> heroNames(const TQelDataBase& db) {
    std::vector<std::string> names;
    for (const auto& hero : db.Heroes())
        names.push_back(hero->Name);
    return names;
}

} // namespace

TEST(DataBaseForm, TabsInOrderWithTheirHelpContexts) {
    DataBaseProject p;
    RememberedDataBaseTab().Reset();
    TFormDataBase& form = p.open();
    const char* captions[] = {"Hero",       "Skills",     "Items",        "Monsters", "M.Party",
                              "Attributes", "Conditions", "Battle",       "Terrain",  "ChipSets",
                              "Vocabulary", "System",     "Common Events"};
    ASSERT_EQ(form.TabBar()->count(), 13);
    EXPECT_EQ(form.TabIndex(), 0);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(form.TabBar()->tabText(i), captions[i]);
        form.SetTabIndex(i);
        if (DataBaseTab(i).CreatePage) {
            ASSERT_NE(form.Page(), nullptr) << captions[i];
            // Only the page of the selected tab exists.
            EXPECT_EQ(form.PageArea()->findChildren<TFormDataBaseBase*>(Qt::FindDirectChildrenOnly).size(),
                      1);
        }
        QTest::keyClick(&form, Qt::Key_F1);
        EXPECT_EQ(LastHelpContext(), i + 2) << captions[i];
    }
}

TEST(DataBaseForm, CtrlTabWrapsBothWays) {
    DataBaseProject p;
    TFormDataBase& form = p.open(12);
    QTest::keyClick(&form, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(form.TabIndex(), 0);
    QTest::keyClick(&form, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form.TabIndex(), 12);
    QTest::keyClick(&form, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form.TabIndex(), 11);
}

TEST(DataBaseForm, AnEmptyKindShowsOneNewRecord) {
    DataBaseProject p;
    p.db().Skills().Clear();
    p.open(SkillTab);
    TFormDataBaseList* page = p.listPage();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->DataList()->count(), 1);
    EXPECT_EQ(page->DataList()->item(0)->text(), "0001:");
    ASSERT_EQ(p.db().Skills().Count(), 1);
    EXPECT_EQ(page->CurrentRecord(), p.db().Skills().Items(0));
}

TEST(DataBaseForm, MaximumShrinksAfterTheQuestionAndGrowsWithDefaults) {
    DataBaseProject p;
    ASSERT_EQ(p.db().Heroes().Count(), 8);
    p.open(HeroTab);
    TFormDataBaseList* page = p.listPage();
    selectLine(page, 7);

    struct Step {
        int value;
        QMessageBox::StandardButton answer;
        int heroesAfter;
        bool asked;
    };
    // No keeps the dialog open (Cancel then leaves everything as it was); Yes goes on.
    for (const Step& step : {Step{5, QMessageBox::No, 8, true}, Step{5, QMessageBox::Yes, 5, true},
                             Step{10, QMessageBox::Yes, 10, false}}) {
        SetHeadlessAnswer(step.answer);
        ClearShownMessages();
        bool stayedOpen = false;
        OnNextModal<TFormDataMaxChange>([&](TFormDataMaxChange* dialog) {
            EXPECT_EQ(dialog->form()->SpinMax->value(), p.db().Heroes().Count());
            dialog->form()->SpinMax->setValue(step.value);
            dialog->form()->ButtonOk->click();
            stayedOpen = dialog->isVisible();
            if (stayedOpen) dialog->reject();
        });
        page->ButtonMaxClick();
        EXPECT_EQ(p.db().Heroes().Count(), step.heroesAfter);
        EXPECT_EQ(ShownMessages().contains("Some Data will be lost ok?"), step.asked);
        EXPECT_EQ(stayedOpen, step.answer == QMessageBox::No);
        EXPECT_EQ(page->DataList()->count(), step.heroesAfter);
    }
    // The selection was on hero 8: after the shrink the last line is selected and loaded.
    EXPECT_EQ(page->DataList()->currentRow(), 4);
    EXPECT_EQ(page->CurrentRecord(), p.db().Heroes().Items(4));
    TQelPlayerItem fresh(9);
    EXPECT_EQ(p.db().Heroes().Find(9)->SaveToBytes(), fresh.SaveToBytes());
    EXPECT_EQ(p.db().Heroes().Find(10)->ID, 10);
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
}

TEST(DataBaseForm, MultiCopyOfHeroThreeOfEightPastedOnSeven) {
    DataBaseProject p;
    const std::vector<std::string> before = heroNames(p.db());
    p.open(HeroTab);
    TFormDataBaseList* page = p.listPage();
    selectLine(page, 2);
    OnNextModal<TFormDataMultiCopy>([](TFormDataMultiCopy* dialog) {
        EXPECT_EQ(dialog->SpinCount()->minimum(), 1);
        EXPECT_EQ(dialog->SpinCount()->maximum(), 6);
        EXPECT_EQ(dialog->SpinCount()->value(), 6);
        dialog->accept();
    });
    page->Menu_MultiCopy();
    // Copying changes nothing.
    EXPECT_FALSE(p.form->ButtonApply()->isEnabled());

    selectLine(page, 6);
    page->UpdateMenu();
    EXPECT_TRUE(page->Menu_PasteAction()->isEnabled());
    page->Menu_Paste();
    ASSERT_EQ(p.db().Heroes().Count(), 12);
    EXPECT_EQ(page->DataList()->count(), 12);
    for (int id = 7; id <= 12; ++id)
        EXPECT_EQ(p.db().Heroes().Find(id)->Name, before[size_t(id - 5)]) << id;
    EXPECT_EQ(page->DataList()->item(11)->text(), QString::asprintf("0012:%s", before[7].c_str()));
    EXPECT_EQ(page->EditName()->text(), QString::fromStdString(before[2]));
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
}

TEST(DataBaseForm, PasteStopsAtFiveThousand) {
    DataBaseProject p;
    ResizeList(p.db().Skills(), 4999);
    p.db().Skills().Find(1)->Name = "First";
    p.db().Skills().CopyToClipboard(ClipboardFormat::Skills, 0, 4);
    p.open(SkillTab);
    TFormDataBaseList* page = p.listPage();
    selectLine(page, 4998);
    page->Menu_Paste();
    EXPECT_EQ(p.db().Skills().Count(), 5000);
    EXPECT_EQ(p.db().Skills().Find(4999)->Name, "First");
    EXPECT_EQ(page->DataList()->count(), 5000);
}

TEST(DataBaseForm, PasteOnlyWithThePagesFormatAndCopyClearCut) {
    DataBaseProject p;
    p.open(ItemTab);
    TFormDataBaseList* page = p.listPage();
    p.clipboard.clear();
    page->UpdateMenu();
    EXPECT_FALSE(page->Menu_PasteAction()->isEnabled());
    p.db().Skills().Items(0)->CopyToClipboard(ClipboardFormat::Skills);
    page->UpdateMenu();
    EXPECT_FALSE(page->Menu_PasteAction()->isEnabled());
    const std::string first = p.db().Items().Find(1)->Name;
    const std::string second = p.db().Items().Find(2)->Name;
    page->Menu_Paste();
    EXPECT_EQ(p.db().Items().Find(1)->Name, first);
    EXPECT_FALSE(p.form->ButtonApply()->isEnabled());

    // Cut keeps the ID and empties the record; its copy pastes back over another line.
    selectLine(page, 1);
    page->DataList()->setFocus();
    QTest::keyClick(page->DataList(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(p.db().Items().Find(2)->Name, "");
    EXPECT_EQ(p.db().Items().Find(2)->ID, 2);
    EXPECT_EQ(page->DataList()->item(1)->text(), "0002:");
    EXPECT_EQ(page->EditName()->text(), "");
    selectLine(page, 3);
    page->Menu_Paste();
    EXPECT_EQ(p.db().Items().Find(4)->Name, second);
    EXPECT_EQ(page->DataList()->item(3)->text(), QString::asprintf("0004:%s", second.c_str()));
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
}

TEST(DataBaseForm, NameEditsTheRecordAndItsLine) {
    DataBaseProject p;
    p.open(HeroTab);
    TFormDataBaseList* page = p.listPage();
    selectLine(page, 1);
    EXPECT_FALSE(p.form->ButtonApply()->isEnabled());
    page->EditName()->setText("Zed");
    EXPECT_EQ(p.db().Heroes().Find(2)->Name, "Zed");
    EXPECT_EQ(page->DataList()->item(1)->text(), "0002:Zed");
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
}

TEST(DataBaseForm, FourAndFiveMoveTheSelectionAndStopAtTheEnds) {
    DataBaseProject p;
    p.open(HeroTab);
    TFormDataBaseList* page = p.listPage();
    selectLine(page, 6);
    QTest::keyClick(p.form.get(), Qt::Key_F5);
    EXPECT_EQ(page->DataList()->currentRow(), 7);
    EXPECT_EQ(page->CurrentRecord(), p.db().Heroes().Find(8));
    QTest::keyClick(p.form.get(), Qt::Key_F5, Qt::ControlModifier);
    EXPECT_EQ(page->DataList()->currentRow(), 7);
    EXPECT_EQ(page->EditName()->text(), QString::fromStdString(p.db().Heroes().Find(8)->Name));
    QTest::keyClick(p.form.get(), Qt::Key_F4);
    QTest::keyClick(p.form.get(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(page->DataList()->currentRow(), 5);
    selectLine(page, 0);
    QTest::keyClick(p.form.get(), Qt::Key_F4);
    EXPECT_EQ(page->DataList()->currentRow(), 0);
}

TEST(DataBaseForm, RemembersTabAndSelectionAcrossOpenings) {
    DataBaseProject p;
    p.open(HeroTab);
    selectLine(p.listPage(), 5);
    p.form->SetTabIndex(ItemTab);
    ResizeList(p.db().Items(), 60);
    p.form->SetTabIndex(HeroTab);
    p.form->SetTabIndex(ItemTab);
    selectLine(p.listPage(), 50);
    p.close(false);

    TFormDataBase& again = p.open();
    EXPECT_EQ(again.TabIndex(), ItemTab);
    // The reload dropped the 60 items again; the remembered line no longer exists.
    EXPECT_EQ(p.listPage()->DataList()->currentRow(), 0);
    again.SetTabIndex(HeroTab);
    EXPECT_EQ(p.listPage()->DataList()->currentRow(), 5);
    EXPECT_EQ(p.listPage()->CurrentRecord(), p.db().Heroes().Find(6));
}

TEST(DataBaseForm, TopLineComesBackWithTheList) {
    DataBaseProject p;
    ResizeList(p.db().Skills(), 200);
    p.document.SaveDataBase();
    p.open(SkillTab);
    TRecordListBox* list = p.listPage()->DataList();
    list->setCurrentRow(120);
    list->SetTopLine(110);
    QApplication::processEvents();
    ASSERT_EQ(list->TopLine(), 110);
    p.form->SetTabIndex(HeroTab);
    p.form->SetTabIndex(SkillTab);
    QApplication::processEvents();
    EXPECT_EQ(p.listPage()->DataList()->currentRow(), 120);
    EXPECT_EQ(p.listPage()->DataList()->TopLine(), 110);
}

TEST(DataBaseForm, ApplyThenCancelKeepsTheAppliedChangesOnly) {
    DataBaseProject p;
    p.open(HeroTab);
    TFormDataBaseList* page = p.listPage();
    page->EditName()->setText("Applied");
    p.form->ButtonApply()->click();
    EXPECT_FALSE(p.form->ButtonApply()->isEnabled());
    selectLine(page, 1);
    page->EditName()->setText("Dropped");
    EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
    p.close(false);
    EXPECT_EQ(p.db().Heroes().Find(1)->Name, "Applied");
    EXPECT_NE(p.db().Heroes().Find(2)->Name, "Dropped");
    EXPECT_EQ(p.savedFile()["heroes"].toArray()[0].toObject()["Name"].toString(), "Applied");
}

TEST(DataBaseForm, OkSavesAndCancelDoesNot) {
    for (bool ok : {true, false}) {
        DataBaseProject p;
        p.open(SkillTab);
        p.listPage()->EditName()->setText("Quick Strike");
        p.close(ok);
        const QString saved = p.savedFile()["skills"].toArray()[0].toObject()["Name"].toString();
        EXPECT_EQ(saved == "Quick Strike", ok);
        EXPECT_EQ(p.db().Skills().Find(1)->Name == "Quick Strike", ok);
    }
}

TEST(DataBaseForm, AFailedSaveIsToldAndKeepsTheWindowAndTheEdits) {
    DataBaseProject p;
    p.open(HeroTab);
    p.listPage()->EditName()->setText("Unsaved");
    // A folder in the file's place: no file can be renamed over it.
    ASSERT_TRUE(QFile::remove(p.dataBaseFile()));
    ASSERT_TRUE(QDir().mkpath(p.dataBaseFile() + "/keep"));
    for (QPushButton* button : {p.form->ButtonApply(), p.form->ButtonOk()}) {
        ClearShownMessages();
        button->click();
        ASSERT_EQ(ShownMessages().size(), 1);
        EXPECT_TRUE(ShownMessages()[0].startsWith("The database could not be saved"));
        EXPECT_TRUE(p.form->isVisible());
        EXPECT_TRUE(p.form->ButtonApply()->isEnabled());
        EXPECT_EQ(p.db().Heroes().Find(1)->Name, "Unsaved");
        EXPECT_EQ(p.listPage()->EditName()->text(), "Unsaved");
    }
    // Once the file can be written again, OK saves what was kept.
    ASSERT_TRUE(QDir(p.dataBaseFile()).removeRecursively());
    p.close(true);
    EXPECT_EQ(p.savedFile()["heroes"].toArray()[0].toObject()["Name"].toString(), "Unsaved");
}

TEST(DataBaseForm, MusicButtonOpensTheBgmPickerToListen) {
    DataBaseProject p;
    p.open(HeroTab);
    bool seen = false;
    OnNextModal<TFormSelMusic>([&](TFormSelMusic* picker) {
        seen = true;
        EXPECT_EQ(picker->windowTitle(), "Select BGM");
        EXPECT_FALSE(picker->findChild<QPushButton*>("ButtonOk")->isVisible());
        picker->reject();
    });
    p.form->ButtonMusic()->click();
    EXPECT_TRUE(seen);
}

// "&Help" on each tab opens the manual at its context; the manual has a section for each.
TEST(DataBaseForm, TheManualHasASectionForEveryTab) {
    const QByteArray manual = ReadFile(BuildBinFolder() + "/help/index.html");
    ASSERT_FALSE(manual.isEmpty());
    for (int i = 0; i < DataBaseTabCount; ++i)
        EXPECT_TRUE(manual.contains(QString("name=\"context-%1\"").arg(DataBaseTab(i).HelpContext).toUtf8()))
            << DataBaseTab(i).Caption;
}
