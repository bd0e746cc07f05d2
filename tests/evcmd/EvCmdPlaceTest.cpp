#include <QComboBox>
#include <QRadioButton>
#include <QTreeWidget>

#include "EvCmdProjectFixture.h"
#include "eventedit/commands/EvCmdPlace.h"
#include "mapedit/MapSetPlace.h"
#include "mapedit/MapTreeView.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// Chooses a map and a cell in the place picker that opens next (a map alone with a cell of -1),
// then OK, or Cancel.
void pickPlace(int32_t mapID, TPoint cell, bool ok = true) {
    OnNextModal<TFormMapSetPlace>([=](TFormMapSetPlace& picker) {
        if (picker.MapID() != mapID)
            picker.TreePane()->treeWidget()->setCurrentItem(picker.TreePane()->treeWidget()->FindNode(mapID));
        picker.View()->SetPosition(cell);
        if (ok)
            picker.accept();
        else
            picker.reject();
    });
}

void clickPlace(TFormEvCmdBase& d, int32_t mapID, TPoint cell) {
    pickPlace(mapID, cell);
    Control<TPlaceBox>(d, "BoxPlace").click();
}

void setBox(TFormEvCmdBase& d, const char* name, int32_t value) {
    Control<TSwitchVariableBox>(d, name).SetValue(value);
}

} // namespace

TEST_F(EvCmdProjectTest, PlaceDialogsWriteTheirCommands) {
    RunTable({
        {"memorize the place in three variables",
         10820,
         {},
         [](TFormEvCmdBase& d) {
             setBox(d, "BoxMapID", 7);
             setBox(d, "BoxX", 2);
             setBox(d, "BoxY", 3);
         },
         {"<>Memorize Place:   [0007], [0002], [0003]"}},
        {"teleport to the memorized place",
         10830,
         {{10830, 0, "", {4, 5, 6}}},
         nullptr,
         {"<>Goto Memorized Plac:V[0004] (V[0005],V[0006])"}},
        {"a new vehicle place starts where a teleport would; another cell is picked",
         10850,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_EQ(Control<TPlaceBox>(d, "BoxPlace").text(), "0001:Field (003,004)");
             Control<TRadioGroup>(d, "GroupVehicle").Button(2)->click();
             clickPlace(d, 2, {11, 12});
         },
         {"<>Set Vehicles Origin:Airshp, 0002:Cave (011,012)"}},
        {"vehicle place from three variables",
         10850,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(d, "RadioVariable").click();
             EXPECT_FALSE(Control<TPlaceBox>(d, "BoxPlace").isEnabled());
             setBox(d, "BoxMapID", 1);
             setBox(d, "BoxX", 2);
             setBox(d, "BoxY", 3);
         },
         {"<>Set Vehicles Origin:Boat  , V[0001] (V[0002],V[0003])"}},
        {"an event's place on the edited map",
         10860,
         {},
         [](TFormEvCmdBase& d) {
             Control<QComboBox>(d, "ComboEvent").setCurrentIndex(1);
             OnNextModal<TFormMapSetPlace>([](TFormMapSetPlace& picker) {
                 // Only cells of the edited map: the tree is locked on it.
                 EXPECT_EQ(picker.MapID(), 1);
                 EXPECT_FALSE(picker.TreePane()->isEnabled());
                 picker.View()->SetPosition({8, 9});
                 picker.accept();
             });
             Control<TPlaceBox>(d, "BoxPlace").click();
         },
         {"<>Set Event's Place:    Guard, (008,009)"}},
        {"an edited event place from variables keeps them",
         10860,
         {{10860, 0, "", {5, 1, 6, 7}}},
         nullptr,
         {"<>Set Event's Place:    Chest (edited), (V[0006],V[0007])"}},
        {"swap two events",
         10870,
         {},
         [](TFormEvCmdBase& d) { Control<QComboBox>(d, "ComboSecond").setCurrentIndex(1); },
         {"<>Swap 2 Events:         this Event , Guard"}},
        {"terrain ID of a cell",
         10910,
         {{10910, 0, "", {0, 4, 5, 7}}},
         nullptr,
         {"<>Set Terrain's ID:     (004,005), [0007:Count]"}},
        {"event ID at a place held in variables",
         10920,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(d, "RadioVariable").click();
             setBox(d, "BoxX", 2);
             setBox(d, "BoxY", 3);
             setBox(d, "BoxResult", 7);
         },
         {"<>Set Event's ID:           (V[0002],V[0003]), [0007:Count]"}},
        {"teleport place added with a switch",
         11810,
         {},
         [](TFormEvCmdBase& d) {
             clickPlace(d, 2, {1, 2});
             Control<QCheckBox>(d, "CheckSwitch").click();
             setBox(d, "BoxSwitch", 7);
         },
         {"<>Set Teleport Place:   Add   0002:Cave (001,002)"}},
        {"teleport place deleted names the map alone",
         11810,
         {},
         [](TFormEvCmdBase& d) {
             Control<TRadioGroup>(d, "GroupOperation").Button(1)->click();
             EXPECT_FALSE(Control<TSwitchAfterEdit>(d, "SwitchAfter").isEnabled());
             clickPlace(d, 2, {-1, -1});
         },
         {"<>Set Teleport Place:   Delete0002:Cave"}},
        {"escape place",
         11830,
         {},
         [](TFormEvCmdBase& d) {
             clickPlace(d, 2, {30, 20});
         },
         {"<>Set Escape Place:     0002:Cave (030,020)"}},
    });
}

TEST_F(EvCmdProjectTest, PlaceParametersOfUnusedModesAreZero) {
    struct Case {
        Lines in;
        std::vector<int32_t> params;
    };
    const std::vector<Case> cases = {
        // Deleting a teleport place writes no cell and no switch.
        {{{11810, 0, "", {0, 2, 5, 6, 1, 7}}}, {0, 2, 5, 6, 1, 7}},
        {{{11810, 0, "", {1, 2, 5, 6, 1, 7}}}, {1, 2, 0, 0, 0, 0}},
        // A switch that is not turned on is not named.
        {{{11830, 0, "", {2, 5, 6, 0, 7}}}, {2, 5, 6, 0, 0}},
        {{{10850, 0, "", {1, 1, 4, 5, 6}}}, {1, 1, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        auto dialog = Dialog(c.in[0].Code, c.in);
        ASSERT_TRUE(RunDialog(*dialog, nullptr));
        EXPECT_EQ(dialog->Lines().Line(0)->Params, c.params) << c.in[0].Code;
    }

    // Switching an added place to Delete and back keeps its cell and switch.
    auto dialog = Dialog(11810, {{11810, 0, "", {0, 2, 5, 6, 1, 7}}});
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        Control<TRadioGroup>(d, "GroupOperation").Button(1)->click();
        Control<TRadioGroup>(d, "GroupOperation").Button(0)->click();
    }));
    EXPECT_EQ(dialog->Lines().Line(0)->Params, (std::vector<int32_t>{0, 2, 5, 6, 1, 7}));

    // An edited Delete switched to Add has no cell until one is chosen: "&Ok" waits for it.
    dialog = Dialog(11810, {{11810, 0, "", {1, 2, 0, 0, 0, 0}}});
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        Control<TRadioGroup>(d, "GroupOperation").Button(0)->click();
        EXPECT_FALSE(d.ButtonOk()->isEnabled());
        clickPlace(d, 2, {3, 3});
        EXPECT_TRUE(d.ButtonOk()->isEnabled());
    }));
    EXPECT_EQ(dialog->Lines().Line(0)->Params, (std::vector<int32_t>{0, 2, 3, 3, 0, 0}));
}

TEST_F(EvCmdProjectTest, PlaceVariablesAreSharedByThePlaceDialogs) {
    auto memorize = Dialog(10820);
    ASSERT_TRUE(RunDialog(*memorize, [](TFormEvCmdBase& d) {
        setBox(d, "BoxMapID", 11);
        setBox(d, "BoxX", 12);
        setBox(d, "BoxY", 13);
    }));
    auto vehicle = Dialog(10850);
    ASSERT_TRUE(RunDialog(*vehicle, [](TFormEvCmdBase& d) {
        Control<QRadioButton>(d, "RadioVariable").click();
        setBox(d, "BoxY", 14);
    }));
    EXPECT_EQ(vehicle->Lines().Line(0)->Params, (std::vector<int32_t>{0, 1, 11, 12, 14}));
    auto terrain = Dialog(10910);
    ASSERT_TRUE(
        RunDialog(*terrain, [](TFormEvCmdBase& d) { Control<QRadioButton>(d, "RadioVariable").click(); }));
    EXPECT_EQ(terrain->Lines().Line(0)->Params, (std::vector<int32_t>{1, 12, 14, 1}));
    auto teleport = Dialog(10830);
    ASSERT_TRUE(RunDialog(*teleport, nullptr));
    EXPECT_EQ(teleport->Lines().Line(0)->Params, (std::vector<int32_t>{11, 12, 14}));
}

TEST_F(EvCmdProjectTest, TeleportStartsAtTheEditedEventOrAtTheStoredViewAndRestoresIt) {
    tree.NodeByID(1)->ScrollX = 320;
    tree.NodeByID(1)->ScrollY = 96;
    tree.NodeByID(2)->ScrollX = 64;
    tree.NodeByID(2)->ScrollY = 0;

    struct Case {
        const char* name;
        bool withEvent;
        int32_t scrollX, scrollY;
        TPoint start;
    };
    const std::vector<Case> cases = {
        {"the edited event's cell", true, 320, 96, {3, 4}},
        {"the view's cell (320 / 32 + 9, 96 / 32 + 7)", false, 320, 96, {19, 10}},
        {"kept inside the 30 x 20 map", false, 2000, 2000, {29, 19}},
        {"a view left of the map starts at its edge", false, -640, -320, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tree.NodeByID(1)->ScrollX = c.scrollX;
        tree.NodeByID(1)->ScrollY = c.scrollY;
        TEvCmdContext context = MapContext();
        if (!c.withEvent) {
            // A common event's script: a map, but no event.
            context.EventID = 0;
            context.Event = nullptr;
        }
        EXPECT_EQ(TeleportStartPlace(context).X, c.start.x);
        EXPECT_EQ(TeleportStartPlace(context).Y, c.start.y);

        auto dialog = CreateEvCmdDialog(10810, nullptr);
        dialog->SetContext(context);
        TPoint shown{-9, -9};
        OnNextModal<TFormMapSetPlace>([&](TFormMapSetPlace& picker) {
            EXPECT_EQ(picker.MapID(), 1);
            shown = picker.Position();
            // Looking at another map moves its stored view too.
            picker.TreePane()->treeWidget()->setCurrentItem(picker.TreePane()->treeWidget()->FindNode(2));
            picker.View()->SetPosition({5, 6});
            picker.accept();
        });
        ASSERT_TRUE(dialog->Run());
        EXPECT_EQ(shown, c.start);
        EXPECT_EQ(Render(dialog->Lines(), context), Texts{"<>Teleport: 0002:Cave (005,006)"});
        // Every stored view position is as it was before the picker opened.
        EXPECT_EQ(tree.NodeByID(1)->ScrollX, c.scrollX);
        EXPECT_EQ(tree.NodeByID(1)->ScrollY, c.scrollY);
        EXPECT_EQ(tree.NodeByID(2)->ScrollX, 64);
        EXPECT_EQ(tree.NodeByID(2)->ScrollY, 0);
        EXPECT_EQ(tree.ActiveID, 1);
    }
}

TEST_F(EvCmdProjectTest, EditedTeleportOpensOnItsPlaceAndCancelChangesNothing) {
    const Lines in = {{10810, 2, "", {2, 5, 6}}};
    auto dialog = Dialog(10810, in);
    OnNextModal<TFormMapSetPlace>([](TFormMapSetPlace& picker) {
        EXPECT_EQ(picker.MapID(), 2);
        EXPECT_EQ(picker.Position(), (TPoint{5, 6}));
        picker.View()->SetPosition({7, 8});
        picker.reject();
    });
    EXPECT_FALSE(dialog->Run());
    EXPECT_EQ(LinesOf(dialog->Lines()), in);
    EXPECT_EQ(tree.NodeByID(2)->ScrollX, 0) << "the picker's centring is undone";

    pickPlace(2, {7, 8});
    ASSERT_TRUE(dialog->Run());
    EXPECT_EQ(LinesOf(dialog->Lines()), (Lines{{10810, 0, "", {2, 7, 8}}}));

    // Without a map tree there is nothing to choose from.
    TEvCmdContext context = MapContext();
    context.MapTree = nullptr;
    auto alone = CreateEvCmdDialog(10810, nullptr);
    alone->SetContext(context);
    EXPECT_FALSE(alone->Run());
    EXPECT_EQ(alone->Lines().Count(), 0);
}

TEST_F(EvCmdProjectTest, CancelLeavesThePlaceDialogsLinesUntouched) {
    for (const Lines& in : std::vector<Lines>{{{10820, 1, "", {1, 2, 3}}},
                                              {{10850, 1, "", {2, 0, 1, 4, 5}}},
                                              {{10860, 1, "", {2, 0, 4, 5}}},
                                              {{10870, 1, "", {2, 5}}},
                                              {{10920, 1, "", {0, 4, 5, 2}}},
                                              {{11810, 1, "", {0, 2, 4, 5, 0, 0}}},
                                              {{11830, 1, "", {2, 4, 5, 1, 7}}}}) {
        auto dialog = Dialog(in[0].Code, in);
        EXPECT_FALSE(RunDialog(
            *dialog,
            [](TFormEvCmdBase& d) {
                for (QRadioButton* radio : d.findChildren<QRadioButton*>())
                    radio->click();
            },
            false));
        EXPECT_EQ(LinesOf(dialog->Lines()), in) << in[0].Code;
    }
}
