// "Pack Project" and "Choose Disk Path" driven through their controls offscreen, with the floppy
// drive stood in for, the real archiver and the messages the user would see.
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "DiskTestSupport.h"
#include "app/ProjPackForm.h"
#include "controls/MessageBoxes.h"
#include "platform/Settings.h"
#include "ui_ProjDiskPath.h"
#include "ui_ProjPack.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// Installs a stand-in drive set for one test.
struct DrivesInstalled {
    FakeDrives drives;
    DrivesInstalled() { SetGameDiskDrives(&drives); }
    ~DrivesInstalled() {
        SetGameDiskDrives(nullptr);
        SetHeadlessAnswer(QMessageBox::NoButton);
    }
};

// Cancels the copy's progress display as soon as it shows.
void CancelProgressWhenShown() {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        for (QWidget* widget : QApplication::allWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(widget); progress && progress->isVisible()) {
                progress->cancel();
                poll->deleteLater();
                return;
            }
    });
    poll->start(0);
}

} // namespace

TEST(ChooseDiskPath, AcceptsFoldersAndFloppyRootsOnly) {
    DrivesInstalled installed;
    const QString home = MakeTempFolder("drives");
    installed.drives.floppyRoot = home + "/floppy/";
    installed.drives.cdRomRoot = home + "/cdrom/";
    installed.drives.notReadyRoot = home + "/gone/";
    QDir().mkpath(home + "/floppy/sub");
    QDir().mkpath(home + "/disks");
    WriteFile(home + "/file");

    struct Case {
        QString text;
        QMessageBox::StandardButton answer;
        QStringList messages;
        bool accepted;
        QString path;
    } cases[] = {
        {home + "/floppy", QMessageBox::NoButton, {}, true, home + "/floppy/"},
        {home + "/floppy/sub", QMessageBox::NoButton, {"Assign Create Path _?_"}, false, {}},
        {home + "/cdrom", QMessageBox::NoButton, {"Assign Create Path _?_"}, false, {}},
        {home + "/gone/x", QMessageBox::NoButton, {"Prepare Device _?_"}, false, {}},
        {home + "/disks/", QMessageBox::NoButton, {}, true, home + "/disks/"},
        {home + "/disks/new/deeper", QMessageBox::No, {"Folder Exists. Make?"}, false, {}},
        {home + "/disks/new/deeper",
         QMessageBox::Yes,
         {"Folder Exists. Make?"},
         true,
         home + "/disks/new/deeper/"},
        {home + "/file/below",
         QMessageBox::Yes,
         {"Folder Exists. Make?", "Folder Making quality _??_"},
         false,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TFormProjectDiskPath dialog(nullptr, home + "/disks/");
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Choose Disk Path");
        EXPECT_EQ(dialog.form()->EditPath->text(), home + "/disks/");
        dialog.form()->EditPath->setText(c.text);
        ASSERT_TRUE(dialog.form()->ButtonOk->isEnabled());
        ClearShownMessages();
        SetHeadlessAnswer(c.answer);
        QTest::mouseClick(dialog.form()->ButtonOk, Qt::LeftButton);
        EXPECT_EQ(ShownMessages(), c.messages);
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(dialog.path(), c.path);
    }
    EXPECT_TRUE(QFileInfo(home + "/disks/new/deeper").isDir());

    TFormProjectDiskPath dialog(nullptr, "/");
    dialog.form()->EditPath->setText("relative/path");
    EXPECT_FALSE(dialog.form()->ButtonOk->isEnabled());
    dialog.form()->EditPath->setText("/media/floppy");
    EXPECT_TRUE(dialog.form()->ButtonOk->isEnabled());
}

TEST(PackProject, ProposesTheFloppyDriveAndRemembersTheOption) {
    DrivesInstalled installed;
    PackProject project;
    UserSettings::SetIncludeRtpOption(true);
    {
        TFormProjectPack dialog;
        EXPECT_EQ(dialog.windowTitle(), "Pack Project");
        EXPECT_EQ(dialog.form()->LabelTitle->text(), "Packing Game Data, Making Setup Game Disk");
        EXPECT_EQ(dialog.form()->GroupTarget->title(), "Choose Disk Path");
        EXPECT_EQ(dialog.form()->CheckIncludeRtp->text(), "Include RunTime Package into the Game Disk");
        EXPECT_EQ(dialog.form()->ButtonStart->text(), "Start Make");
        EXPECT_TRUE(dialog.form()->CheckIncludeRtp->isChecked());
        // No floppy drive: a folder of the user's.
        EXPECT_EQ(dialog.target(), QDir::homePath() + "/GameDisks/Quest/");
        EXPECT_EQ(dialog.form()->EditTarget->text(), dialog.target());
    }
    installed.drives.floppyRoot = MakeTempFolder("floppy") + "/";
    UserSettings::SetIncludeRtpOption(false);
    TFormProjectPack dialog;
    EXPECT_EQ(dialog.target(), installed.drives.floppyRoot);
    EXPECT_FALSE(dialog.form()->CheckIncludeRtp->isChecked());
}

TEST(PackProject, StartMakeFillsTheTargetFolderAndSaysDone) {
    DrivesInstalled installed;
    PackProject project;
    SetRuntimePackagePath(MakeRuntimePackage(true));
    ASSERT_TRUE(UnlhaLib().Load(BuildBinFolder()));
    const QString target = MakeTempFolder("target") + "/";

    TFormProjectPack dialog;
    dialog.setTarget(target);
    dialog.form()->CheckIncludeRtp->setChecked(true);
    dialog.show();
    ClearShownMessages();
    QTest::mouseClick(dialog.form()->ButtonStart, Qt::LeftButton);
    EXPECT_EQ(ShownMessages(), QStringList{"Game Disk Making Done"});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(FileNames(target),
              (QStringList{"Quest.lzh", "Setup.exe", "Setup.ini", "UNLHA32.DLL", "UNLHA32.TXT"}));
    EXPECT_TRUE(UserSettings::IncludeRtpOption());
    EXPECT_FALSE(ProjectIni::HasFullPackageFlag(project.path));
    EXPECT_TRUE(FolderContents(ExtractWithLhasa(target + "Quest.lzh")).count("Music/Field1.mid"));
    SetRuntimePackagePath({});
}

TEST(PackProject, CancellingTheCopyStopsTheRun) {
    DrivesInstalled installed;
    PackProject project;
    ASSERT_TRUE(UnlhaLib().Load(BuildBinFolder()));
    const QString target = MakeTempFolder("target") + "/";
    TFormProjectPack dialog;
    dialog.setTarget(target);
    dialog.form()->CheckIncludeRtp->setChecked(false);
    dialog.show();
    ClearShownMessages();
    CancelProgressWhenShown();
    QTest::mouseClick(dialog.form()->ButtonStart, Qt::LeftButton);
    EXPECT_EQ(ShownMessages(), QStringList{"Game Disk Making Stopped"});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    // The archive never reached the target: the copy stopped before it.
    EXPECT_FALSE(QFileInfo::exists(target + "Quest.lzh"));
}

TEST(PackProject, FloppySetThroughTheDialog) {
    DrivesInstalled installed;
    PackProject project;
    ASSERT_TRUE(UnlhaLib().Load(BuildBinFolder()));
    const QString floppy = MakeTempFolder("floppy") + "/";
    installed.drives.floppyRoot = floppy;
    TFormProjectPack dialog;
    ASSERT_EQ(dialog.target(), floppy);
    dialog.form()->CheckIncludeRtp->setChecked(false);
    dialog.show();
    ClearShownMessages();
    SetHeadlessAnswer(QMessageBox::Ok);
    QTest::mouseClick(dialog.form()->ButtonStart, Qt::LeftButton);
    EXPECT_EQ(ShownMessages(), (QStringList{"There's 1 of 1.44MB Floppy Disks Necessary",
                                            "Prepare 1 of formatted disks", "Game Disk Making Done"}));
    EXPECT_EQ(FileNames(floppy),
              (QStringList{"Quest.001", "Setup.exe", "Setup.ini", "UNLHA32.DLL", "UNLHA32.TXT"}));
    EXPECT_TRUE(ReadFile(floppy + "Setup.ini").contains("DiskNumber=1"));

    // Cancel at the disk prompt.
    TFormProjectPack again;
    again.show();
    ClearShownMessages();
    SetHeadlessAnswer(QMessageBox::Cancel);
    QTest::mouseClick(again.form()->ButtonStart, Qt::LeftButton);
    EXPECT_EQ(ShownMessages(), (QStringList{"There's 1 of 1.44MB Floppy Disks Necessary",
                                            "Prepare 1 of formatted disks", "Game Disk Making Stopped"}));
    EXPECT_EQ(again.result(), QDialog::Rejected);
}
