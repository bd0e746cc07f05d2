#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/Paths.h"

using namespace tarvel;
using tarvel::test::WriteFile;

TEST(Paths, TrailingDelimiter) {
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/b"), "/a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/b/"), "/a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x\\"), "C:\\x\\");
    SetProjectPath("/p/Game");
    EXPECT_EQ(ProjectPath(), "/p/Game/");
    SetProjectPath("");
    EXPECT_EQ(ProjectPath(), "");
}

TEST(Paths, TempWorkFolderIsUnderTheSystemTemporaryFolder) {
    EXPECT_EQ(TempWorkFolder(), tarvel::test::TestHome() + "/tmp/TARVEL_TEMP");
}

TEST(Paths, DeleteFolderTreeRemovesHiddenAndReadOnlyFilesButNeverFollowsLinks) {
    QString root = tarvel::test::MakeTempFolder("tree");
    QString outside = tarvel::test::MakeTempFolder("outside");
    WriteFile(outside + "/precious.txt", "keep");
    WriteFile(root + "/a.txt");
    WriteFile(root + "/.hidden");
    WriteFile(root + "/sub/deep/b.txt");
    WriteFile(root + "/readonly.txt");
    QFile::setPermissions(root + "/readonly.txt", QFile::ReadOwner);
    QFile::link(outside, root + "/link");

    DeleteFolderTree(root);
    EXPECT_FALSE(QFileInfo::exists(root));
    EXPECT_EQ(tarvel::test::ReadFile(outside + "/precious.txt"), "keep");

    // A subfolder whose name begins with "." is left, and so its parent stays.
    QString dotted = tarvel::test::MakeTempFolder("dotted");
    WriteFile(dotted + "/.git/config");
    WriteFile(dotted + "/x.txt");
    DeleteFolderTree(dotted);
    EXPECT_TRUE(QFileInfo::exists(dotted + "/.git/config"));
    EXPECT_FALSE(QFileInfo::exists(dotted + "/x.txt"));

    DeleteFolderTree(root + "/never-existed"); // no failure reported
    RecreateFolder(root + "/fresh/parents");
    EXPECT_TRUE(QDir(root + "/fresh/parents").exists());
}
