// "Make Game disk..." and "RAW &Material Editor..." as the main window runs them: the save prompt
// first for the game disk, the material manager with the project as the current directory.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/MainUnit.h"
#include "app/MaterialForm.h"
#include "app/ProjPackForm.h"
#include "controls/MessageBoxes.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/ProjectManager.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::WriteFile;

namespace {

struct OpenProject {
    QString base = MakeTempFolder("base") + "/";
    QString templates = MakeTempFolder("templates");
    std::unique_ptr<TFormQelMain> form;
    OpenProject() {
        EditorIni::SetProjectBasePath(base);
        {
            TQelDataBase db;
            db.SaveToFile((templates + "/QUORIN.qdb.dat").toStdString());
        }
        WriteFile(templates + "/QUORIN.exe.dat", "runtime");
        form = std::make_unique<TFormQelMain>();
        form->setTemplateFolder(templates);
        EXPECT_TRUE(MakeProjectFolder(base, "Game"));
        form->projectManager().CreateProject("Game", "Game");
        form->UpdateActions();
        ClearShownMessages();
    }
    ~OpenProject() {
        SetHeadlessAnswer(QMessageBox::NoButton);
        form->projectManager().CloseProject();
    }
};

// Closes the first visible window of type T once the event loop runs, and says whether it did.
template <typename T>
std::shared_ptr<bool> CloseWhenShown() {
    auto closed = std::make_shared<bool>(false);
    QTimer::singleShot(0, [closed] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
                *closed = true;
                dialog->reject();
            }
    });
    return closed;
}

} // namespace

TEST(MainWindowGameDisk, AsksToSaveFirstAndNoStopsHere) {
    OpenProject p;
    ASSERT_TRUE(p.form->Action_ProjectPack->isEnabled());

    p.form->map().Modified = true;
    SetHeadlessAnswer(QMessageBox::No);
    auto shown = CloseWhenShown<TFormProjectPack>();
    p.form->Action_ProjectPack->trigger();
    QApplication::processEvents();
    EXPECT_EQ(ShownMessages(), QStringList{"Map was changed. Save it?"});
    EXPECT_FALSE(*shown);
    EXPECT_TRUE(p.form->IsSomethingChanged());

    ClearShownMessages();
    SetHeadlessAnswer(QMessageBox::Yes);
    shown = CloseWhenShown<TFormProjectPack>();
    p.form->Action_ProjectPack->trigger();
    EXPECT_EQ(ShownMessages(), QStringList{"Map was changed. Save it?"});
    EXPECT_TRUE(*shown);
    EXPECT_FALSE(p.form->IsSomethingChanged());

    // Nothing changed: no question, straight to the dialog.
    ClearShownMessages();
    shown = CloseWhenShown<TFormProjectPack>();
    p.form->Action_ProjectPack->trigger();
    EXPECT_TRUE(ShownMessages().isEmpty());
    EXPECT_TRUE(*shown);
}

TEST(MainWindowMaterial, OpensTheManagerInTheProjectAndComesBackThere) {
    OpenProject p;
    const QString projectFolder = QDir::currentPath();
    ASSERT_EQ(IncludeTrailingPathDelimiter(projectFolder), ProjectPath());
    UserSettings::SetMaterialPath(MakeTempFolder("material"));
    auto shown = CloseWhenShown<TFormMaterialBase>();
    p.form->Action_ToolMaterial->trigger();
    EXPECT_TRUE(*shown);
    EXPECT_EQ(QDir::currentPath(), projectFolder);
}
