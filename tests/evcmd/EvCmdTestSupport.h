#pragma once

// What the command dialog tests share: a small database, a map with events and a monster group to
// edit in, the converter that renders the lines a dialog wrote as the script list shows them, and
// a runner that acts on a modal dialog while Run shows it.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/EventScriptConverter.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "eventedit/commands/EvCmdBase.h"
#include "eventedit/commands/EvCmdOptions.h"
#include "eventedit/commands/EvCmdWidgets.h"

namespace tarvel::test {

inline void NameRecords(TCatalog& list, const std::vector<std::string>& names) {
    TQelDataBase::ResetList(list, int(names.size()));
    for (size_t i = 0; i < names.size(); ++i)
        list.Items(int(i))->Name = names[i];
}

using Lines = std::vector<TQelEventScriptLine>;
using Texts = std::vector<std::string>;

// One row of a dialog table: the lines given to the dialog (none for a new command), what the user
// does, and the texts the script list then shows for the lines written on OK.
struct DialogCase {
    const char* name;
    int32_t code;
    Lines in;
    std::function<void(TFormEvCmdBase&)> act;
    Texts out;
    bool battle = false;
};

inline void SetLines(TFormEvCmdBase& dialog, const std::vector<TQelEventScriptLine>& lines) {
    dialog.Lines().Clear();
    for (const TQelEventScriptLine& line : lines)
        dialog.Lines().Add(line);
}

inline std::vector<TQelEventScriptLine> LinesOf(const TQelEventScriptList& list) {
    std::vector<TQelEventScriptLine> out;
    for (const auto& line : list)
        out.push_back(*line);
    return out;
}

// Runs the dialog through Run: once it shows, act does what a user would, then OK (or Cancel) is
// clicked. A dialog that act already closed stays closed. Returns what Run returned.
inline bool RunDialog(TFormEvCmdBase& dialog, const std::function<void(TFormEvCmdBase&)>& act,
                      bool ok = true) {
    QTimer::singleShot(0, &dialog, [&dialog, act, ok] {
        if (act) act(dialog);
        if (!dialog.isVisible()) return;
        if (ok)
            dialog.ButtonOkClick();
        else
            dialog.reject();
    });
    return dialog.Run();
}

// A database, the map of the edited event and a monster group. Every test starts with the
// dialogs' remembered values as a fresh run has them.
class EvCmdTest : public ::testing::Test {
protected:
    EvCmdTest() {
        ResetEvCmdOptions();
        NameRecords(db.Heroes(), {"Alex", "Brian", "Cleo"});
        NameRecords(db.Items(), {"Potion", "Sword", "Shield", "Ether"});
        db.Items().Find(1)->Price = 10;
        db.Items().Find(2)->Price = 250;
        db.Items().Find(3)->Price = 120;
        db.Items().Find(4)->Price = 35;
        NameRecords(db.Skills(), {"Heal", "Fire"});
        NameRecords(db.Conditions(), {"Dead", "Poison", "Sleep"});
        NameRecords(db.Monsters(), {"Slime", "Bat"});
        NameRecords(db.MonGroups(), {"Slime*2", "Bat"});
        std::vector<std::string> names(30);
        names[0] = "Door";
        names[6] = "Lever";
        NameRecords(db.Switches(), names);
        names[0] = "Gold";
        names[6] = "Count";
        NameRecords(db.Variables(), names);

        map.Events.FindOrCreate(2)->Name = "Guard";
        map.Events.FindOrCreate(5)->Name = "Chest";
        edited.Name = "Chest (edited)";
        group.Members.FindOrCreate(1)->MonsterID = 1;
        group.Members.FindOrCreate(2)->MonsterID = 2;
        group.Members.FindOrCreate(3)->MonsterID = 77;
    }
    ~EvCmdTest() override { ResetEvCmdOptions(); }

    TEvCmdContext MapContext() {
        TEvCmdContext context;
        context.EventID = 5;
        context.Event = &edited;
        context.Map = &map;
        return context;
    }
    TEvCmdContext BattleContext() {
        TEvCmdContext context;
        context.MonGroup = &group;
        return context;
    }

    // The texts the script list shows for the lines, in the context the dialog edited in.
    std::vector<std::string> Render(const TQelEventScriptList& lines, const TEvCmdContext& context) const {
        TEventScriptContext show;
        show.EventID = context.EventID;
        show.Event = context.Event;
        show.Map = context.Map;
        show.MapTree = context.MapTree;
        show.MonGroup = context.MonGroup;
        show.DataBase = &db;
        return TEventScriptConverter(show).DescribeScript(lines);
    }

    // Runs each case through the dialog the factory gives for its code. A new command whose dialog
    // remembers its values is run once more without any action: OK then writes the same command.
    void RunCases(const std::vector<DialogCase>& cases, bool remembers = true) {
        for (const DialogCase& c : cases) {
            SCOPED_TRACE(c.name);
            ResetEvCmdOptions();
            TEvCmdContext context = c.battle ? BattleContext() : MapContext();
            auto dialog = CreateEvCmdDialog(c.code, nullptr);
            ASSERT_NE(dialog, nullptr);
            dialog->SetContext(context);
            SetLines(*dialog, c.in);
            ASSERT_TRUE(RunDialog(*dialog, c.act));
            EXPECT_EQ(Render(dialog->Lines(), context), c.out);
            if (!remembers || !c.in.empty()) continue;
            auto again = CreateEvCmdDialog(c.code, nullptr);
            again->SetContext(context);
            ASSERT_TRUE(RunDialog(*again, nullptr));
            EXPECT_EQ(Render(again->Lines(), context), c.out) << "remembered values";
        }
    }

    TQelDataBase db;
    TQelMap map;
    TQelEventItem edited{5};
    TQelMonGroupItem group{1};
};

// The modal window that is open now (a picker a dialog opened), acted on once it shows.
template <typename Form>
void OnNextModal(const std::function<void(Form&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* form = dynamic_cast<Form*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr) << "no modal window of the expected kind";
        act(*form);
    });
}

// A child control by its object name; a missing one ends the test with an error.
template <typename T>
T& Control(QWidget& parent, const char* name) {
    T* control = parent.findChild<T*>(QString::fromLatin1(name));
    if (!control) throw std::runtime_error(std::string("no control ") + name);
    return *control;
}

// What a user does to the controls of a dialog, by their names.
inline void radio(QWidget& d, const char* group, int index) {
    Control<TRadioGroup>(d, group).Button(index)->click();
}
inline void click(QWidget& d, const char* name) {
    Control<QAbstractButton>(d, name).click();
}
inline void check(QWidget& d, const char* name, bool on) {
    Control<QAbstractButton>(d, name).setChecked(on);
}
inline void combo(QWidget& d, const char* name, int index) {
    Control<QComboBox>(d, name).setCurrentIndex(index);
}
inline void spin(QWidget& d, const char* name, int value) {
    Control<QSpinBox>(d, name).setValue(value);
}
inline void box(QWidget& d, const char* name, int value) {
    Control<TSwitchVariableBox>(d, name).SetValue(value);
}

// A fork and its bodies as the script holds them, at indent 2 (inside two other blocks): a
// then-branch with a message and a cycle around another message, and an else branch with a message.
inline std::vector<TQelEventScriptLine> ForkWithBodies() {
    return {
        {12010, 2, "", {0, 1, 0, 0, 0, 1}},
        {10110, 3, "then"},
        {12210, 3},
        {10110, 4, "deep"},
        {10, 4},
        {22210, 3},
        {10, 3},
        {22010, 2},
        {10110, 3, "else"},
        {10, 3},
        {22011, 2},
    };
}

} // namespace tarvel::test
