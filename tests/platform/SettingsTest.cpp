#include <QSettings>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/Settings.h"

using namespace tarvel;

TEST(UserSettings, DefaultsWhenAbsentOrUnreadable) {
    QSettings raw("Ostel", "Tarvel");
    raw.clear();
    raw.sync();
    EXPECT_TRUE(UserSettings::FullScreenFlag());
    EXPECT_FALSE(UserSettings::ShowTitleFlag());
    EXPECT_EQ(UserSettings::RuntimePackagePath(), "");

    raw.setValue("FullScreenFlag", "garbage");
    raw.setValue("ShowTitleFlag", "true");
    raw.setValue("RuntimePackagePath", "/opt/rtp");
    raw.sync();
    EXPECT_TRUE(UserSettings::FullScreenFlag());
    EXPECT_TRUE(UserSettings::ShowTitleFlag());
    EXPECT_EQ(UserSettings::RuntimePackagePath(), "/opt/rtp/");

    UserSettings::SetFullScreenFlag(false);
    EXPECT_FALSE(UserSettings::FullScreenFlag());
    raw.clear();
}

TEST(UserSettings, StoredWhereLinuxProgramsKeepThem) {
    UserSettings::SetShowTitleFlag(true);
    UserSettings::Sync();
    EXPECT_TRUE(QFileInfo::exists(tarvel::test::TestHome() + "/.config/Ostel/Tarvel.conf"));
}

TEST(EditorIni, ProjectBasePathAndOpenedFolder) {
    EXPECT_EQ(EditorIni::ProjectBasePath(), tarvel::test::TestHome() + "/TarvelProjects/");
    EditorIni::SetProjectBasePath("/srv/games");
    EditorIni::SetOpenedProjectFolder("Project1");
    EXPECT_EQ(EditorIni::ProjectBasePath(), "/srv/games/");
    EXPECT_EQ(EditorIni::OpenedProjectFolder(), "Project1");
    EXPECT_EQ(EditorIni::Path(), tarvel::test::TestHome() + "/.config/Ostel/Tarvel.ini");
    // Another section of the same file survives the editor's writes.
    tarvel::test::WriteFile(EditorIni::Path(), "[Mine]\nKeep=1\n[Tarvel]\nOpenedProjectFolder=Old\n");
    EditorIni::SetOpenedProjectFolder("");
    EXPECT_EQ(tarvel::test::ReadFile(EditorIni::Path()), "[Mine]\nKeep=1\n[Tarvel]\nOpenedProjectFolder=\n");
}

TEST(ProjectIni, TitleModeZoomAndPackageFlag) {
    QString project = tarvel::test::MakeTempFolder("Project");
    EXPECT_EQ(ProjectIni::GameTitle(project), "Untitled");
    EXPECT_EQ(ProjectIni::MapEditMode(project), 0);
    ProjectIni::SetGameTitle(project, "Quest");
    ProjectIni::SetMapEditModeAndZoom(project, 2, 2);
    EXPECT_EQ(ProjectIni::GameTitle(project + "/"), "Quest");
    EXPECT_EQ(ProjectIni::MapEditMode(project), 2);
    EXPECT_EQ(ProjectIni::MapEditZoom(project), 2);
    ProjectIni::SetMapEditModeAndZoom(project, 5, -1);
    EXPECT_EQ(ProjectIni::MapEditMode(project), 0);
    EXPECT_EQ(ProjectIni::MapEditZoom(project), 0);
    ProjectIni::SetFullPackageFlag(project, true);
    EXPECT_TRUE(ProjectIni::HasFullPackageFlag(project));
    ProjectIni::SetFullPackageFlag(project, false);
    EXPECT_FALSE(ProjectIni::HasFullPackageFlag(project));
    EXPECT_EQ(ProjectIni::GameTitle(project), "Quest");
}
