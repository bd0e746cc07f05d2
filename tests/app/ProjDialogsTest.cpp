#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/ProjDialogs.h"
#include "controls/MessageBoxes.h"
#include "platform/Settings.h"
#include "ui_ProjNew.h"
#include "ui_ProjOpen.h"
#include "ui_ProjRename.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::WriteFile;

namespace {

QString freshBase() {
    QString base = MakeTempFolder("base") + "/";
    EditorIni::SetProjectBasePath(base);
    return base;
}

QStringList rows(QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + "|" + list->topLevelItem(i)->text(1);
    return out;
}

} // namespace

TEST(ProjectNewDialog, ProposesRefusesAndMakesTheFolder) {
    QString base = freshBase();
    QDir().mkpath(base + "Project1");
    QDir().mkpath(base + "Project3");
    TFormProjectNew dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Create New Project");
    EXPECT_EQ(dialog.folderName(), "Project2");
    EXPECT_EQ(dialog.gameTitle(), "Untitled");
    EXPECT_EQ(dialog.form()->EditBasePath->text(), base);

    struct Case {
        QString name;
        const char* message;
    } refused[] = {{"a/b", "Folder name chara use to be inclided _1_"},
                   {"Project1", "Project Folder Making"},
                   {"", "Project Folder Making"}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name.toStdString());
        ClearShownMessages();
        dialog.form()->EditFolderName->setText(c.name);
        QTest::mouseClick(dialog.form()->ButtonOk, Qt::LeftButton);
        EXPECT_EQ(ShownMessages(), QStringList{c.message});
        EXPECT_TRUE(dialog.isVisible());
    }

    ClearShownMessages();
    dialog.form()->EditFolderName->setText("Project2");
    dialog.form()->EditGameTitle->setText("My Quest");
    QTest::mouseClick(dialog.form()->ButtonOk, Qt::LeftButton);
    EXPECT_TRUE(ShownMessages().isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(QDir(base + "Project2").exists());
    EXPECT_EQ(dialog.gameTitle(), "My Quest");
}

TEST(ProjectOpenDialog, ListsRenamesAndDeletes) {
    QString base = freshBase();
    WriteFile(base + "Demo/QUORIN.exe");
    WriteFile(base + "Demo/QUORIN.ini", "[QUORIN]\nGameTitle=Demo Game\n");
    WriteFile(base + "Bare/QUORIN.exe");
    QDir().mkpath(base + "NotAProject");

    TFormProjectOpen dialog;
    dialog.show();
    QTreeWidget* list = dialog.form()->ListProjects;
    EXPECT_EQ(rows(list), (QStringList{"Bare|Untitled", "Demo|Demo Game"}));
    EXPECT_EQ(list->currentItem()->text(0), "Bare");

    // Renaming goes through "Change Name"; the list then selects the renamed row.
    TFormProjectRename rename(&dialog, base, "Demo", "Demo Game");
    rename.form()->EditFolderName->setText("Quest");
    QTest::mouseClick(rename.form()->ButtonOk, Qt::LeftButton);
    ASSERT_EQ(rename.result(), QDialog::Accepted);
    dialog.rebuildList(rename.folderName());
    EXPECT_EQ(rows(list), (QStringList{"Bare|Untitled", "Quest|Demo Game"}));
    EXPECT_EQ(list->currentItem()->text(0), "Quest");

    // Delete asks first; No keeps the project.
    ClearShownMessages();
    SetHeadlessAnswer(QMessageBox::No);
    QTest::mouseClick(dialog.form()->ButtonDelete, Qt::LeftButton);
    EXPECT_EQ(ShownMessages(), QStringList{"Do you want to erase 'Quest' Game Project?"});
    EXPECT_TRUE(QDir(base + "Quest").exists());
    SetHeadlessAnswer(QMessageBox::Yes);
    QTest::mouseClick(dialog.form()->ButtonDelete, Qt::LeftButton);
    SetHeadlessAnswer(QMessageBox::NoButton);
    EXPECT_FALSE(QDir(base + "Quest").exists());
    EXPECT_EQ(rows(list), QStringList{"Bare|Untitled"});

    QTest::mouseClick(dialog.form()->ButtonOpen, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.folderName(), "Bare");
}

TEST(ProjectRenameDialog, RefusesForbiddenNamesAndFailedMoves) {
    QString base = freshBase();
    WriteFile(base + "One/QUORIN.exe");
    WriteFile(base + "Two/QUORIN.exe");
    TFormProjectRename dialog(nullptr, base, "One", "Title");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Change Name");
    struct Case {
        QString name;
        const char* message;
    } cases[] = {{"x:y", "Folder name chara use to be inclided _2_"}, {"Two", "Project folder Name Ghange"}};
    for (const auto& c : cases) {
        ClearShownMessages();
        dialog.form()->EditFolderName->setText(c.name);
        QTest::mouseClick(dialog.form()->ButtonOk, Qt::LeftButton);
        EXPECT_EQ(ShownMessages(), QStringList{c.message});
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_TRUE(QDir(base + "One").exists());
}

TEST(ProjectBasePathDialog, AcceptsOnlyExistingAbsoluteFolders) {
    QString folder = MakeTempFolder("bp");
    EXPECT_TRUE(TFormProjectBasePath::CanAccept(folder));
    EXPECT_FALSE(TFormProjectBasePath::CanAccept(folder + "/missing"));
    EXPECT_FALSE(TFormProjectBasePath::CanAccept("relative/path"));
    EXPECT_FALSE(TFormProjectBasePath::CanAccept("/"));

    TFormProjectBasePath dialog(nullptr, folder);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Default Project Path");
    auto* ok = dialog.findChild<QPushButton*>("ButtonOk");
    EXPECT_TRUE(ok->isEnabled());
    dialog.pathEdit()->setText(folder + "/missing");
    EXPECT_FALSE(ok->isEnabled());
    dialog.pathEdit()->setText(folder);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.path(), folder + "/");
}
