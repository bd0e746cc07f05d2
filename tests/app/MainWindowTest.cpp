#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/MainUnit.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

using namespace tarvel;

TEST(MainWindow, ActionsCarryTheirCaptionsAndShortcuts) {
    TFormQelMain form;
    struct Case {
        QAction* action;
        const char* caption;
        QKeySequence shortcut;
    } cases[] = {
        {form.Action_ProjectNew, "Create &new project...", {}},
        {form.Action_ProjectOpen, "&Open project...", {}},
        {form.Action_ProjectClose, "Close project", {}},
        {form.Action_ProjectPack, "Make Game disk...", {}},
        {form.Action_Exit, "E&xit", QKeySequence(Qt::ALT | Qt::Key_F4)},
        {form.Action_MapSave, "&Save map...", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {form.Action_MapRevert, "&Revert map...", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {form.Action_MapModeLayer1, "&Lower Layer Mode", QKeySequence(Qt::Key_F5)},
        {form.Action_MapModeLayer2, "&Upper Layer Mode", QKeySequence(Qt::Key_F6)},
        {form.Action_MapModeEvent, "&Event Mode", QKeySequence(Qt::Key_F7)},
        {form.Action_MapScale1, "Zoom &1/1", {}},
        {form.Action_MapScale2, "Zoom 1/&2", {}},
        {form.Action_MapScale3, "Zoom 1/&4", {}},
        {form.Action_MapScale4, "Zoom 1/&8", {}},
        {form.Action_ToolDataBase, "&Data Base...", QKeySequence(Qt::Key_F8)},
        {form.Action_ToolMaterial, "RAW &Material Editor...", {}},
        {form.Action_ToolSelectMusic, "&BGM Selector...", {}},
        {form.Action_GameTestPlay, "Test Play", QKeySequence(Qt::Key_F9)},
        {form.Action_GameFullScreen, "&Full screen", {}},
        {form.Action_GameShowTitle, "Show title", {}},
        {form.Action_HelpContents, "Help &Contents", QKeySequence(Qt::Key_F1)},
        {form.Action_HelpAbout, "&About...", {}},
        {form.Action_MapToolUndo, "Undo", {}},
        {form.Action_MapToolSelect, "Select Region", {}},
        {form.Action_MapToolZoom, "Zoom", {}},
        {form.Action_MapToolPen, "Pen", {}},
        {form.Action_MapToolRect, "Rectangle", {}},
        {form.Action_MapToolEllipse, "Ellipse", {}},
        {form.Action_MapToolSeedFill, "Fill Region", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(c.action->text(), c.caption);
        EXPECT_EQ(c.action->shortcut(), c.shortcut);
    }
    QStringList menus;
    for (QAction* a : form.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Project", "&Map", "E&dit", "&Tool", "&Game", "&Help"}));
    auto* showTitleItem = form.findChild<QAction*>("Menu_Game_ShowTitle");
    ASSERT_NE(showTitleItem, nullptr);
    EXPECT_EQ(showTitleItem->text(), "Show Game &Title");
}

TEST(MainWindow, WithoutAProjectOnlyProjectExitAndHelpAreEnabled) {
    SetProjectPath("");
    TFormQelMain form;
    form.UpdateActions();
    QList<QAction*> enabled;
    for (QAction* a : form.findChildren<QAction*>())
        if (a->objectName().startsWith("Action_") && a->isEnabled()) enabled << a;
    QStringList names;
    for (QAction* a : enabled)
        names << a->objectName();
    names.sort();
    EXPECT_EQ(names, (QStringList{"Action_Exit", "Action_HelpAbout", "Action_HelpContents",
                                  "Action_ProjectNew", "Action_ProjectOpen"}));
}

TEST(MainWindow, ModeZoomAndToolActionsAreRadioGroups) {
    TFormQelMain form;
    for (QAction* a : {form.Action_MapScale2, form.Action_MapScale4, form.Action_MapModeEvent})
        a->setEnabled(true);
    form.Action_MapScale2->trigger();
    form.Action_MapScale4->trigger();
    EXPECT_FALSE(form.Action_MapScale2->isChecked());
    EXPECT_TRUE(form.Action_MapScale4->isChecked());
    form.Action_MapModeEvent->trigger();
    EXPECT_EQ(form.editMode(), TFormQelMain::ModeEvent);
    EXPECT_EQ(form.statusPanel(1)->text(), "Event Editing Mode");
}

TEST(MainWindow, LayoutSizesAndTemporaryFolderLifetime) {
    QString temp = TempWorkFolder();
    tarvel::test::WriteFile(temp + "/Map0003.qmu", "left over");
    {
        TFormQelMain form;
        EXPECT_EQ(form.minimumSize(), QSize(720, 573));
        EXPECT_EQ(form.width(), 800);
        EXPECT_TRUE(QDir(temp).exists());
        EXPECT_TRUE(QDir(temp).isEmpty());
        EXPECT_EQ(form.chipPalettePlace()->parentWidget()->parentWidget()->width(),
                  TFormQelMain::LeftColumnWidth);
        form.Action_GameFullScreen->setChecked(false);
        form.Action_GameShowTitle->setChecked(true);
        form.show();
        form.close();
    }
    EXPECT_FALSE(QDir(temp).exists());
    EXPECT_FALSE(UserSettings::FullScreenFlag());
    EXPECT_TRUE(UserSettings::ShowTitleFlag());
    EXPECT_FALSE(UserSettings::FormPlacement("FormQelMain").isEmpty());
    EXPECT_FALSE(QSettings("Ostel", "Tarvel").value("ApplicationPath").toString().isEmpty());

    // The next window starts with the toggles as they were left.
    TFormQelMain again;
    EXPECT_FALSE(again.fullScreen());
    EXPECT_TRUE(again.showTitle());
}
