#pragma once

// A project around the command dialogs: a map tree with two maps saved in a project folder (the
// place picker loads them from there), a file of each kind of material the dialogs pick, and a
// table runner that renders what a dialog wrote with map names.

#include <QDir>
#include <QFile>
#include <functional>
#include <string>
#include <vector>

#include "EvCmdTestSupport.h"
#include "TestEnvironment.h"
#include "data/LD_MapTree.h"
#include "platform/Paths.h"

namespace tarvel::test {

using Lines = std::vector<TQelEventScriptLine>;
using Texts = std::vector<std::string>;

// One row of a dialog table: the lines given to the dialog (none for a new command), what the user
// does while it shows, and the texts the script list then shows for the lines written on OK.
struct CommandCase {
    const char* name;
    int32_t code;
    Lines in;
    std::function<void(TFormEvCmdBase&)> act;
    Texts out;
    bool battle = false;
};

class EvCmdProjectTest : public EvCmdTest {
protected:
    EvCmdProjectTest() {
        SetProjectPath(folder + "/");
        tree.AddNode(0, 0)->Name = "Game";
        tree.AddMapNode(0, 1)->Name = "Field";
        tree.AddMapNode(0, 2)->Name = "Cave";
        tree.ActiveID = 1;
        map.ID = 1;
        map.SetWidth(30);
        map.SetHeight(20);
        map.SaveMap(1);
        TQelMap cave(2);
        cave.Reset();
        cave.SetWidth(40);
        cave.SetHeight(30);
        cave.SaveMap(2);
        edited.X = 3;
        edited.Y = 4;
        for (const char* file : {"Music/Theme.mid", "Sound/Bell.wav", "Picture/Sun.png", "Movie/Intro.avi",
                                 "Panorama/Sky.png", "Backdrop/Cave.png", "Backdrop/Desert.png"})
            WriteFile(folder + "/" + file, "not a real file");
    }
    ~EvCmdProjectTest() override { SetProjectPath(""); }

    TEvCmdContext MapContext() {
        TEvCmdContext context = EvCmdTest::MapContext();
        context.MapTree = &tree;
        return context;
    }

    // Runs each case through the dialog the factory gives for its code, from a fresh run's
    // remembered values. A new command is run once more without any action afterwards: a dialog
    // that remembers its last OK writes the same command again.
    void RunTable(const std::vector<CommandCase>& cases) {
        for (const CommandCase& c : cases) {
            SCOPED_TRACE(c.name);
            ResetEvCmdOptions();
            const TEvCmdContext context = c.battle ? BattleContext() : MapContext();
            auto dialog = CreateEvCmdDialog(c.code, nullptr);
            ASSERT_NE(dialog, nullptr);
            dialog->SetContext(context);
            SetLines(*dialog, c.in);
            ASSERT_TRUE(RunDialog(*dialog, c.act));
            EXPECT_EQ(Render(dialog->Lines(), context), c.out);
            if (!c.in.empty()) continue;
            auto again = CreateEvCmdDialog(c.code, nullptr);
            again->SetContext(context);
            ASSERT_TRUE(RunDialog(*again, nullptr));
            EXPECT_EQ(Render(again->Lines(), context), c.out) << "remembered values";
        }
    }

    // The dialog of a code with the lines, in the map context (or the battle context).
    std::unique_ptr<TFormEvCmdBase> Dialog(int32_t code, const Lines& in = {}, bool battle = false) {
        auto dialog = CreateEvCmdDialog(code, nullptr);
        if (!dialog) throw std::runtime_error("no dialog for " + std::to_string(code));
        dialog->SetContext(battle ? BattleContext() : MapContext());
        SetLines(*dialog, in);
        return dialog;
    }

    QString folder = MakeTempFolder("evcmd");
    TQelMapTree tree;
};

} // namespace tarvel::test
