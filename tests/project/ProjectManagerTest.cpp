#include <QDir>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/ProjectManager.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::WriteFile;

namespace {

QString useFreshBasePath() {
    QString base = MakeTempFolder("base");
    EditorIni::SetProjectBasePath(base);
    return base + "/";
}

void makeProject(const QString& base, const QString& folder, const char* ini = nullptr) {
    WriteFile(base + folder + "/QUORIN.exe", "runtime");
    if (ini) WriteFile(base + folder + "/QUORIN.ini", ini);
}

} // namespace

TEST(ProjectFolders, ProposalListingAndNames) {
    QString base = useFreshBasePath();
    QDir().mkpath(base + "Project1");
    QDir().mkpath(base + "Project3");
    EXPECT_EQ(ProposeNewProjectFolder(base), "Project2");

    makeProject(base, "Zeta", "[QUORIN]\nGameTitle=Last\n");
    makeProject(base, "Alpha");
    makeProject(base, ".hidden");
    QDir().mkpath(base + "NoRuntime");
    auto rows = ListProjects(base);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].folderName, "Alpha");
    EXPECT_EQ(rows[0].gameTitle, "Untitled");
    EXPECT_EQ(rows[1].folderName, "Zeta");
    EXPECT_EQ(rows[1].gameTitle, "Last");

    for (QString bad : {"a/b", "a\\b", "c:", "q?", "s*", "l<", "g>", "p|", "d\""})
        EXPECT_TRUE(HasForbiddenFolderCharacter(bad)) << bad.toStdString();
    EXPECT_FALSE(HasForbiddenFolderCharacter("My Game 2"));

    EXPECT_TRUE(MakeProjectFolder(base, "Fresh"));
    EXPECT_FALSE(MakeProjectFolder(base, "Fresh")); // exists
    EXPECT_FALSE(MakeProjectFolder(base, ""));
    EXPECT_FALSE(MakeProjectFolder(base, ".."));
}

TEST(ProjectFolders, RenameAndDelete) {
    QString base = useFreshBasePath();
    makeProject(base, "Demo", "[QUORIN]\nGameTitle=Old\n");
    makeProject(base, "Other");

    RenameProject(base, "Demo", "Demo", "New Title");
    EXPECT_EQ(ProjectIni::GameTitle(base + "Demo"), "New Title");

    RenameProject(base, "Demo", "Quest", "Quest Title");
    EXPECT_FALSE(QFileInfo::exists(base + "Demo"));
    EXPECT_EQ(ProjectIni::GameTitle(base + "Quest"), "Quest Title");

    struct Case {
        QString newName;
        const char* message;
    } refused[] = {{"a/b", ProjectMessage::ForbiddenCharacterRename},
                   {"Other", ProjectMessage::RenameFailure}};
    for (const auto& c : refused) {
        try {
            RenameProject(base, "Quest", c.newName, "x");
            ADD_FAILURE() << "renamed to " << c.newName.toStdString();
        } catch (const EProjectError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_TRUE(QFileInfo::exists(base + "Quest/QUORIN.exe"));
    EXPECT_EQ(ProjectIni::GameTitle(base + "Quest"), "Quest Title");

    DeleteProject(base, "Quest");
    EXPECT_FALSE(QFileInfo::exists(base + "Quest"));
    EXPECT_TRUE(QFileInfo::exists(base + "Other"));
    EXPECT_EQ(QString(ProjectMessage::AskErase).arg("Demo"), "Do you want to erase 'Demo' Game Project?");
}

TEST(ProjectManager, OpenCloseAndReopen) {
    QString base = useFreshBasePath();
    makeProject(base, "Game");
    TProjectManager manager;
    QString seenPath;
    bool loads = false;
    int closed = 0;
    manager.OnOpenProject = [&] {
        seenPath = ProjectPath();
        EXPECT_EQ(QDir::currentPath(), QDir(base + "Game").canonicalPath());
        return loads;
    };
    manager.OnCloseProject = [&] {
        ++closed;
        EXPECT_FALSE(ProjectPath().isEmpty());
    };

    manager.OpenProject("Game"); // the owner reports that loading failed
    EXPECT_FALSE(manager.IsProjectOpen());
    EXPECT_EQ(ProjectPath(), "");

    loads = true;
    manager.OpenProject("Missing"); // cannot be made current: nothing happens
    EXPECT_FALSE(manager.IsProjectOpen());
    manager.OpenProject("Game");
    EXPECT_TRUE(manager.IsProjectOpen());
    EXPECT_EQ(seenPath, base + "Game/");
    EXPECT_EQ(EditorIni::OpenedProjectFolder(), "Game");

    manager.CloseProject();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(manager.IsProjectOpen());
    EXPECT_EQ(ProjectPath(), "");
    EXPECT_EQ(EditorIni::OpenedProjectFolder(), "");
    EXPECT_EQ(QDir::currentPath(), QDir(base).canonicalPath());

    manager.ReopenLastProject(); // nothing was open at the last close
    EXPECT_FALSE(manager.IsProjectOpen());
    EditorIni::SetOpenedProjectFolder("Game");
    manager.ReopenLastProject();
    EXPECT_TRUE(manager.IsProjectOpen());
    manager.CloseProject();

    manager.OnOpenProject = []() -> bool { throw std::runtime_error("broken"); };
    EditorIni::SetOpenedProjectFolder("Game");
    EXPECT_NO_THROW(manager.ReopenLastProject());
    EXPECT_FALSE(manager.IsProjectOpen());
}

TEST(ProjectManager, FailedCreationLeavesNoFolder) {
    QString base = useFreshBasePath();
    TProjectManager manager;
    manager.OnOpenProject = [] { return true; };
    struct Case {
        const char* name;
        std::function<bool(const QString&)> create;
    } cases[] = {
        {"a step reports failure", [](const QString&) { return false; }},
        {"a step raises", [](const QString&) -> bool { throw std::runtime_error("disk full"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(MakeProjectFolder(base, "New"));
        manager.OnCreateProject = c.create;
        try {
            manager.CreateProject("New", "Title");
            ADD_FAILURE() << "no error";
        } catch (const EProjectError& e) {
            EXPECT_STREQ(e.what(), "Project Making Failure");
        }
        EXPECT_FALSE(QFileInfo::exists(base + "New"));
        EXPECT_FALSE(manager.IsProjectOpen());
        EXPECT_EQ(ProjectPath(), "");
    }

    ASSERT_TRUE(MakeProjectFolder(base, "Good"));
    QString titleSeen;
    manager.OnCreateProject = [&](const QString& title) {
        titleSeen = title;
        EXPECT_EQ(ProjectPath(), base + "Good/");
        return true;
    };
    manager.CreateProject("Good", "My Game");
    EXPECT_EQ(titleSeen, "My Game");
    EXPECT_TRUE(manager.IsProjectOpen());
}
