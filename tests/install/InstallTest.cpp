// Installing and starting out: tarvel-cli install-rtp writes the generated runtime package and
// points the settings at it, and tarvel-cli new-project makes a project from the templates beside
// the programs the way the editor does, leaving nothing behind when it fails.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "platform/Settings.h"
#include "records/Stream.h"

using namespace tarvel;
using tarvel::test::BuildBinFolder;
using tarvel::test::MakeTempFolder;
using tarvel::test::ProcessResult;
using tarvel::test::ReadFile;
using tarvel::test::RunProgram;

namespace {

ProcessResult Cli(const QStringList& words, const QString& program = BuildBinFolder() + "/tarvel-cli") {
    return RunProgram(program, words, 120000);
}

QString StoredRuntimePackagePath() {
    return QSettings("Ostel", "Tarvel").value("RuntimePackagePath").toString();
}

QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDir dir(folder);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        for (const QString& f : QDir(folder + "/" + sub).entryList(QDir::Files, QDir::Name))
            files << sub + "/" + f;
    return files;
}

const QStringList kMaterialFolders = {"Backdrop", "Battle",  "CharSet", "ChipSet", "FaceSet",
                                      "GameOver", "Monster", "Movie",   "Music",   "Panorama",
                                      "Picture",  "Sound",   "System",  "Title"};

} // namespace

TEST(InstallRtp, WritesTheGeneratedPackageAndSetsThePathOnlyWhenNoPackageIsNamed) {
    const QString first = MakeTempFolder("rtp") + "/Package";
    ProcessResult r = Cli({"install-rtp", first});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QDir(first).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), kMaterialFolders);
    EXPECT_EQ(StoredRuntimePackagePath(), first + "/");

    // The same files as the generator writes.
    const QString generated = MakeTempFolder("gen");
    ASSERT_EQ(RunProgram(BuildBinFolder() + "/tarvel-rtpgen", {generated}, 120000).exitCode, 0);
    const QStringList files = FilesUnder(first);
    EXPECT_EQ(files, FilesUnder(generated));
    EXPECT_TRUE(files.contains("ChipSet/Grassland.png"));
    EXPECT_EQ(ReadFile(first + "/ChipSet/Grassland.png"), ReadFile(generated + "/ChipSet/Grassland.png"));

    // A second package does not take the place of one that exists ...
    const QString second = MakeTempFolder("rtp") + "/Other";
    r = Cli({"install-rtp", second});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(StoredRuntimePackagePath(), first + "/");
    EXPECT_TRUE(QFile::exists(second + "/Sound/Decision1.wav"));
    // ... but does when the named one is gone.
    QDir(first).removeRecursively();
    r = Cli({"install-rtp", second});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(StoredRuntimePackagePath(), second + "/");

    EXPECT_EQ(Cli({"install-rtp", "a", "b"}).exitCode, 2);
}

TEST(NewProject, MakesTheFoldersTemplatesTitleTreeAndFirstMap) {
    const QString base = MakeTempFolder("base");
    EditorIni::SetOpenedProjectFolder("Earlier");
    ProcessResult r = Cli({"new-project", base, "Quest", "The Quest"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString project = base + "/Quest/";
    EXPECT_EQ(r.out.trimmed(), project.toUtf8());

    EXPECT_EQ(QDir(project).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), kMaterialFolders);
    for (const QString& folder : kMaterialFolders)
        EXPECT_TRUE(QDir(project + folder).isEmpty()) << folder.toStdString();
    EXPECT_EQ(ReadFile(project + "QUORIN.exe"), ReadFile(BuildBinFolder() + "/QUORIN.exe.dat"));
    EXPECT_TRUE(QFileInfo(project + "QUORIN.exe").isExecutable());
    EXPECT_EQ(ReadFile(project + "QUORIN.qdb"), ReadFile(BuildBinFolder() + "/QUORIN.qdb.dat"));
    EXPECT_EQ(ProjectIni::GameTitle(project), "The Quest");

    TMemoryStream stream;
    stream.LoadFromFile((project + "QUORIN.qmt").toStdString());
    TQelMapTree tree;
    tree.LoadFromFileStream(stream);
    ASSERT_EQ(tree.Count(), 2);
    EXPECT_EQ(tree.ActiveID, 1);
    EXPECT_EQ(tree.Find(0)->Name, "The Quest");
    EXPECT_EQ(tree.Find(0)->NodeKind, nkRoot);
    const TQelMapTreeItem* first = tree.Find(1);
    EXPECT_EQ(first->Name, "MAP0001");
    EXPECT_EQ(first->NodeKind, nkMap);
    for (uint8_t mode :
         {first->MusicMode, first->BattleBackMode, first->TeleportMode, first->EscapeMode, first->SaveMode})
        EXPECT_EQ(mode, 1);
    EXPECT_EQ(first->EncounterSteps, 25);
    TQelMap map;
    map.ReadFile((project + "Map0001.qmu").toStdString());
    EXPECT_EQ(map.Width, 100);
    EXPECT_EQ(map.Height, 100);
    EXPECT_EQ(map.ChipSetID, 1);

    // The base path moves to where the project was made, as the new-project dialog leaves it;
    // the project the editor reopens at start stays the one it was.
    EXPECT_EQ(EditorIni::ProjectBasePath(), base + "/");
    EXPECT_EQ(EditorIni::OpenedProjectFolder(), "Earlier");
    // The working copy went through a folder of the tool's own, not the editor's.
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + "/TARVEL_TEMP/Map0001.qmu"));
}

TEST(NewProject, AMissingTemplateGivesProjectMakingFailureAndLeavesNoFolder) {
    // The tool takes its templates from its own folder: a copy of it beside one template only.
    for (const char* present : {"QUORIN.exe.dat", "QUORIN.qdb.dat"}) {
        SCOPED_TRACE(present);
        const QString tools = MakeTempFolder("tools");
        ASSERT_TRUE(QFile::copy(BuildBinFolder() + "/tarvel-cli", tools + "/tarvel-cli"));
        QFile::setPermissions(tools + "/tarvel-cli", QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
        ASSERT_TRUE(QFile::copy(BuildBinFolder() + "/" + present, tools + "/" + present));
        const QString base = MakeTempFolder("base");
        ProcessResult r = Cli({"new-project", base, "Broken", "Title"}, tools + "/tarvel-cli");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "tarvel-cli: new-project: Project Making Failure\n");
        EXPECT_FALSE(QFileInfo::exists(base + "/Broken"));
    }
}

TEST(NewProject, RefusesAFolderThatExistsAndAForbiddenName) {
    const QString base = MakeTempFolder("base");
    test::WriteFile(base + "/Taken/keep.txt", "mine");
    struct Case {
        const char* folder;
        const char* message;
    };
    for (const Case& c :
         {Case{"Taken", "Project Folder Making"}, Case{"a:b", "Folder name chara use to be inclided _1_"}}) {
        ProcessResult r = Cli({"new-project", base, c.folder, "Title"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, QByteArray("tarvel-cli: new-project: ") + c.message + "\n");
    }
    EXPECT_EQ(ReadFile(base + "/Taken/keep.txt"), "mine");
    EXPECT_EQ(QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Taken"});
    EXPECT_EQ(Cli({"new-project", base, "OnlyTwo"}).exitCode, 2);
}
