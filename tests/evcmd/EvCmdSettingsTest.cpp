#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include "EvCmdProjectFixture.h"
#include "eventedit/commands/EvCmdFlow.h"
#include "eventedit/commands/EvCmdMapSettings.h"
#include "eventedit/commands/EvCmdParts.h"
#include "eventedit/commands/EvCmdSound.h"
#include "eventedit/commands/EvCmdWidgets.h"
#include "pickers/SelBackdrop.h"
#include "pickers/SelMusic.h"
#include "pickers/SelReplChip.h"
#include "pickers/SelSound.h"
#include "ui_SelMusic.h"
#include "ui_SelSound.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

void choose(TFormEvCmdBase& d, const char* name, const std::string& file) {
    auto& box = Control<TMaterialBox>(d, name);
    box.SetFileName(file);
    emit box.changed();
}

// Selects a row of a material picker's list by its text.
void selectRow(TFormSelBase& picker, const QString& text) {
    const auto rows = picker.DataList()->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1) << text.toStdString();
    picker.DataList()->setCurrentItem(rows.front());
}

} // namespace

TEST_F(EvCmdProjectTest, MusicSoundAndBackdropAreChosenInTheirPickersAlone) {
    // A new Play BGM: the music picker, its sliders give fade-in, volume, tempo and balance.
    auto music = Dialog(11510);
    OnNextModal<TFormSelMusic>([](TFormSelMusic& picker) {
        EXPECT_EQ(picker.windowTitle(), "Select BGM");
        selectRow(picker, "Theme");
        picker.form()->TrackFadeIn->setValue(3);
        picker.form()->TrackVolume->setValue(8);
        picker.form()->TrackTempo->setValue(7);
        picker.form()->TrackBalance->setValue(2);
        picker.accept();
    });
    ASSERT_TRUE(music->Run());
    EXPECT_EQ(LinesOf(music->Lines()), (Lines{{11510, 0, "Theme", {3000, 80, 120, 20}}}));
    EXPECT_EQ(Render(music->Lines(), MapContext()), Texts{"<>Play BGM:  Theme"});

    // Edited: the picker opens on the line's music and values; Cancel changes nothing.
    const Lines playing = {{11510, 2, "Theme", {5000, 50, 150, 100}}};
    music = Dialog(11510, playing);
    OnNextModal<TFormSelMusic>([](TFormSelMusic& picker) {
        EXPECT_EQ(picker.DataList()->currentItem()->text(), "Theme");
        EXPECT_EQ(picker.form()->TrackFadeIn->value(), 5);
        EXPECT_EQ(picker.form()->TrackTempo->value(), 10);
        picker.reject();
    });
    EXPECT_FALSE(music->Run());
    EXPECT_EQ(LinesOf(music->Lines()), playing);

    // Play SE remembers the sound of its last OK for the next new one.
    auto sound = Dialog(11550);
    OnNextModal<TFormSelSound>([](TFormSelSound& picker) {
        EXPECT_EQ(picker.DataList()->currentRow(), 0) << "(OFF) at first";
        selectRow(picker, "Bell");
        picker.form()->TrackVolume->setValue(5);
        picker.accept();
    });
    ASSERT_TRUE(sound->Run());
    EXPECT_EQ(LinesOf(sound->Lines()), (Lines{{11550, 0, "Bell", {50, 100, 50}}}));
    sound = Dialog(11550);
    OnNextModal<TFormSelSound>([](TFormSelSound& picker) {
        EXPECT_EQ(picker.DataList()->currentItem()->text(), "Bell");
        EXPECT_EQ(picker.form()->TrackVolume->value(), 5);
        picker.accept();
    });
    ASSERT_TRUE(sound->Run());
    EXPECT_EQ(Render(sound->Lines(), MapContext()), Texts{"<>Play SE:      Bell"});

    auto backdrop = Dialog(13210, {{13210, 1, "Desert", {}}}, true);
    OnNextModal<TFormSelBase>([](TFormSelBase& picker) {
        EXPECT_EQ(picker.windowTitle(), "Select Battle Background");
        EXPECT_EQ(picker.DataList()->currentItem()->text(), "Desert");
        selectRow(picker, "Cave");
        picker.accept();
    });
    ASSERT_TRUE(backdrop->Run());
    EXPECT_EQ(LinesOf(backdrop->Lines()), (Lines{{13210, 0, "Cave", {}}}));
    EXPECT_EQ(Render(backdrop->Lines(), BattleContext()), Texts{"<>Change Battl.BG:Cave"});
}

TEST_F(EvCmdProjectTest, SoundMovieAndMapSettingDialogsWriteTheirCommands) {
    NameRecords(db.ChipSets(), {"Field", "Castle"});
    NameRecords(db.CommonEvents(), {"Heal All", "Save Point"});
    RunTable({
        {"fade out over 20 seconds",
         11520,
         {},
         [](TFormEvCmdBase& d) { Control<TValueSlider>(d, "SliderSeconds").Slider()->setValue(20); },
         {"<>Fade-out BGM:        20s."}},
        {"a movie needs a file; from variables, at a smaller size",
         11560,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_FALSE(d.ButtonOk()->isEnabled());
             choose(d, "BoxMovie", "Intro");
             EXPECT_TRUE(d.ButtonOk()->isEnabled());
             EXPECT_EQ(Control<QSpinBox>(d, "SpinWidth").value(), 320);
             Control<QRadioButton>(d, "RadioPositionVariable").click();
             Control<TSwitchVariableBox>(d, "BoxVariableX").SetValue(7);
             spin(d, "SpinWidth", 160);
             spin(d, "SpinHeight", 999);
         },
         {"<>Play Movie:     Intro, (V[0007],V[0001]), (160,240)"}},
        {"password into a variable, decision key only",
         11610,
         {},
         [](TFormEvCmdBase& d) {
             Control<TSwitchVariableBox>(d, "BoxVariable").SetValue(7);
             check(d, "CheckKey0", false);
             check(d, "CheckKey2", false);
         },
         {"<>Enter Password: [0007:Count]"}},
        {"chipset",
         11710,
         {},
         [](TFormEvCmdBase& d) { Control<QComboBox>(d, "ComboChipSet").setCurrentIndex(1); },
         {"<>Change ChipSet:     Castle"}},
        {"an edited chipset beyond the list becomes the first",
         11710,
         {{11710, 0, "", {9}}},
         nullptr,
         {"<>Change ChipSet:     Field"}},
        {"panorama looping both ways, scrolling left",
         11720,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_FALSE(d.ButtonOk()->isEnabled());
             EXPECT_FALSE(Control<QCheckBox>(d, "CheckHorzAuto").isEnabled());
             choose(d, "BoxPanorama", "Sky");
             check(d, "CheckHorzLoop", true);
             check(d, "CheckHorzAuto", true);
             spin(d, "SpinHorzSpeed", -8);
             check(d, "CheckVertLoop", true);
             EXPECT_FALSE(Control<QSpinBox>(d, "SpinVertSpeed").isEnabled());
         },
         {"<>Change BG:  Sky, WidhLoop(-8), HeighLop"}},
        {"encounter every 999 steps",
         11740,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_EQ(Control<QSpinBox>(d, "SpinSteps").value(), 25);
             spin(d, "SpinSteps", 999);
         },
         {"<>Encounter Rate:   999St"}},
        {"an upper chip replaced",
         11750,
         {{11750, 0, "", {1, 3, 143}}},
         nullptr,
         {"<>Change 1 Chip:UpperChip  004 N. 144 Substitu"}},
        {"teleport enabled",
         11820,
         {},
         [](TFormEvCmdBase& d) { radio(d, "GroupEnable", 1); },
         {"<>Disable Teleport:     Enable  "}},
        {"escape disabled", 11840, {}, nullptr, {"<>Disable Escape:       Disable "}},
        {"saving enabled",
         11930,
         {},
         [](TFormEvCmdBase& d) { radio(d, "GroupEnable", 1); },
         {"<>Disable Saving:   Enable  "}},
        {"menu disabled", 11960, {}, nullptr, {"<>Disable System Menu:    Disable "}},
        {"label 100",
         12110,
         {},
         [](TFormEvCmdBase& d) { spin(d, "SpinLabel", 100); },
         {"<>Label:        100No"}},
        {"jump to label 3",
         12120,
         {},
         [](TFormEvCmdBase& d) { spin(d, "SpinLabel", 3); },
         {"<>Goto Label:       3No"}},
        {"call a common event",
         12330,
         {},
         [](TFormEvCmdBase& d) { Control<QComboBox>(d, "ComboCommonEvent").setCurrentIndex(1); },
         {"<>Call Event:         Save Point"}},
        {"call a page of an event from variables",
         12330,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(d, "RadioMode2").click();
             Control<TSwitchVariableBox>(d, "BoxEventVariable").SetValue(7);
             Control<TSwitchVariableBox>(d, "BoxPageVariable").SetValue(2);
         },
         {"<>Call Event:         V[7][V[2]]"}},
    });

    // What the unused settings are written as.
    struct Case {
        Lines in;
        std::vector<int32_t> params;
    };
    for (const Case& c : std::vector<Case>{
             // Auto-scroll belongs to its loop and the speed to auto-scroll.
             {{{11720, 0, "Sky", {0, 1, 1, 5, 0, 7}}}, {0, 1, 0, 0, 0, 0}},
             {{{11720, 0, "Sky", {1, 1, 1, 5, 1, 7}}}, {1, 1, 1, 5, 1, 7}},
             {{{11610, 0, "", {3, 0, 1, 0, 1}}}, {3, 0, 1, 0, 1}},
             {{{11520, 0, "", {7500}}}, {7000}},
             // A common event names no page.
             {{{12330, 0, "", {0, 2, 9}}}, {0, 2, 0}},
             // A common event beyond the list becomes the first one.
             {{{12330, 0, "", {0, 99, 0}}}, {0, 1, 0}},
             {{{12330, 0, "", {0, 0, 0}}}, {0, 1, 0}},
         }) {
        auto dialog = Dialog(c.in[0].Code, c.in);
        ASSERT_TRUE(RunDialog(*dialog, nullptr));
        EXPECT_EQ(dialog->Lines().Line(0)->Params, c.params) << c.in[0].Code;
    }
}

TEST_F(EvCmdProjectTest, ChangeChipKeepsAPairPerLayerChosenInSelectChip) {
    auto dialog = Dialog(11750);
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        auto& form = static_cast<TFormEvCmd11750&>(d);
        OnNextModal<TFormSelReplChip>([](TFormSelReplChip& picker) {
            EXPECT_EQ(picker.Chip(), TFormSelReplChip::LowerBase);
            picker.SetChip(TFormSelReplChip::LowerBase + 12);
            picker.accept();
        });
        form.ButtonChipClick(0);
        EXPECT_EQ(Control<QPushButton>(d, "ButtonChip0").text(), "013");
        radio(d, "GroupLayer", 1);
        EXPECT_EQ(Control<QPushButton>(d, "ButtonChip0").text(), "001") << "the upper layer's own pair";
        OnNextModal<TFormSelReplChip>([](TFormSelReplChip& picker) {
            EXPECT_EQ(picker.Chip(), TFormSelReplChip::UpperBase);
            picker.SetChip(TFormSelReplChip::UpperBase + 143);
            picker.accept();
        });
        form.ButtonChipClick(1);
        OnNextModal<TFormSelReplChip>([](TFormSelReplChip& picker) {
            picker.SetChip(TFormSelReplChip::UpperBase + 5);
            picker.reject();
        });
        form.ButtonChipClick(0);
        radio(d, "GroupLayer", 0);
        EXPECT_EQ(Control<QPushButton>(d, "ButtonChip0").text(), "013") << "kept while the upper was shown";
        radio(d, "GroupLayer", 1);
    }));
    EXPECT_EQ(LinesOf(dialog->Lines()), (Lines{{11750, 0, "", {1, 0, 143}}}));
}

TEST_F(EvCmdProjectTest, CallEventOffersTheEventsOfTheMapAndTheirPages) {
    edited.Pages.FindOrCreate(2);
    edited.Pages.FindOrCreate(3);
    map.Events.Find(2)->Pages.FindOrCreate(2);

    struct Case {
        const char* name;
        Lines in;
        bool withEvent;
        int32_t chooseRow; // -1: leave the list
        int32_t page;
        std::vector<int32_t> params;
        int pageLimit;
    };
    const std::vector<Case> cases = {
        {"this Event has the edited copy's three pages", {}, true, 0, 3, {1, 10005, 3}, 3},
        {"the edited event is the copy too", {}, true, 2, 9, {1, 5, 3}, 3},
        {"another event has its own two pages", {}, true, 1, 9, {1, 2, 2}, 2},
        {"an event not on the map becomes this Event",
         {{12330, 0, "", {1, 44, 2}}},
         true,
         -1,
         2,
         {1, 10005, 2},
         3},
        {"without an edited event this Event has one page", {}, false, 0, 5, {1, 10005, 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetEvCmdOptions();
        TEvCmdContext context = MapContext();
        if (!c.withEvent) {
            context.EventID = 0;
            context.Event = nullptr;
        }
        auto dialog = CreateEvCmdDialog(12330, nullptr);
        dialog->SetContext(context);
        SetLines(*dialog, c.in);
        int limit = 0;
        ASSERT_TRUE(RunDialog(*dialog, [&](TFormEvCmdBase& d) {
            Control<QRadioButton>(d, "RadioMode1").click();
            auto& events = Control<QComboBox>(d, "ComboEvent");
            EXPECT_EQ(events.itemText(0), "this Event");
            if (c.chooseRow >= 0) events.setCurrentIndex(c.chooseRow);
            spin(d, "SpinPage", c.page);
            limit = Control<QSpinBox>(d, "SpinPage").maximum();
        }));
        EXPECT_EQ(limit, c.pageLimit);
        EXPECT_EQ(dialog->Lines().Line(0)->Params, c.params);
    }
    auto dialog = Dialog(12330, {{12330, 0, "", {1, 44, 2}}});
    ASSERT_TRUE(RunDialog(*dialog, nullptr));
    EXPECT_EQ(Render(dialog->Lines(), MapContext()), Texts{"<>Call Event:          this Event [2]"});
}

TEST_F(EvCmdProjectTest, CancelLeavesTheSettingLinesUntouched) {
    for (const Lines& in : std::vector<Lines>{{{11520, 1, "", {3000}}},
                                              {{11560, 1, "Intro", {0, 1, 2, 3, 4}}},
                                              {{11610, 1, "", {3, 1, 1, 1, 1}}},
                                              {{11720, 1, "Sky", {1, 0, 1, -3, 0, 0}}},
                                              {{11750, 1, "", {0, 4, 5}}},
                                              {{11930, 1, "", {1}}},
                                              {{12330, 1, "", {2, 3, 4}}}}) {
        auto dialog = Dialog(in[0].Code, in);
        EXPECT_FALSE(RunDialog(
            *dialog,
            [](TFormEvCmdBase& d) {
                for (QAbstractButton* b : d.findChildren<QRadioButton*>())
                    b->click();
                for (QCheckBox* b : d.findChildren<QCheckBox*>())
                    b->toggle();
            },
            false));
        EXPECT_EQ(LinesOf(dialog->Lines()), in) << in[0].Code;
    }
}
