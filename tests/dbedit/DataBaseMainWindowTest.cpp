#include <QAction>
#include <gtest/gtest.h>

#include "DataBaseFixture.h"
#include "app/MainUnit.h"
#include "mapedit/ChipSelector.h"
#include "mapedit/MapEditor.h"
#include "mapedit_core/MapGraphics.h"

using namespace tarvel;
using namespace tarvel::test;

// "&Data Base..." writes the full-screen toggle first (a battle test reads it from the settings),
// and afterwards the map draws with what the database now holds.
TEST(DataBaseMainWindow, DataBaseActionWritesTheToggleAndRefreshesTheMap) {
    EditorIni::SetProjectBasePath(MakeTempFolder("base") + "/");
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    {
        TFormQelMain main;
        main.setTemplateFolder(BuildBinFolder());
        ASSERT_TRUE(MakeProjectFolder(TProjectManager::BasePath(), "Quest"));
        main.projectManager().CreateProject("Quest", "The Quest");
        ASSERT_TRUE(main.IsProjectOpen());
        main.UpdateActions();
        ASSERT_TRUE(main.Action_ToolDataBase->isEnabled());
        TMapGraphics* graphics = MapGraphicsOf(main.map());
        ASSERT_NE(graphics, nullptr);
        const int32_t chipSetID = main.map().ChipSetID;
        ASSERT_NE(main.dataBase().ChipSets().Find(chipSetID), nullptr);

        UserSettings::SetFullScreenFlag(true);
        main.Action_GameFullScreen->setChecked(false);
        bool opened = false;
        OnNextModal<TFormDataBase>([&](TFormDataBase* form) {
            opened = true;
            EXPECT_FALSE(UserSettings::FullScreenFlag());
            // The map's chipset gets another picture; OK saves it.
            main.dataBase().ChipSets().Find(chipSetID)->GraphicName = "Dungeon";
            form->ButtonOkClick();
        });
        main.Action_ToolDataBase->trigger();
        EXPECT_TRUE(opened);
        EXPECT_EQ(graphics->ChipSet().ImageName(), "Dungeon");

        // The map's chipset deleted while the window is open: the map view draws a blank chipset
        // meanwhile, and after Cancel the reloaded one again.
        OnNextModal<TFormDataBase>([&](TFormDataBase* form) {
            main.dataBase().ChipSets().Delete(chipSetID);
            main.mapEditor()->RedrawAll();
            main.chipSelector()->Refresh();
            form->reject();
        });
        main.Action_ToolDataBase->trigger();
        EXPECT_EQ(graphics->ChipSet().ImageName(), "Dungeon");
        main.projectManager().CloseProject();
    }
    SetClipboardPort(nullptr);
}
