#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include "EvCmdProjectFixture.h"
#include "eventedit/commands/EvCmdParts.h"
#include "eventedit/commands/EvCmdPicture.h"
#include "eventedit/commands/EvCmdScreen.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

void sliders(TFormEvCmdBase& d, const char* group, std::vector<int> values) {
    auto& colours = Control<TColourSliders>(d, group);
    for (size_t i = 0; i < values.size(); ++i)
        colours.Slider(int(i))->Spin()->setValue(values[i]);
}

// Chooses the picture as the picture picker would.
void choosePicture(TFormEvCmdBase& d, const std::string& name) {
    auto& box = Control<TMaterialBox>(d, "BoxPicture");
    box.SetFileName(name);
    emit box.changed();
}

} // namespace

TEST_F(EvCmdProjectTest, ScreenDialogsWriteTheirCommands) {
    RunTable({
        {"erase with the exchange style's effect",
         11010,
         {{11010, 0, "", {4}}},
         [](TFormEvCmdBase& d) { Control<QComboBox>(d, "ComboEffect").setCurrentIndex(0); },
         {"<>Erase Scren:CreatMovePlace"}},
        {"erase by mosaic",
         11010,
         {},
         [](TFormEvCmdBase& d) {
             auto& combo = Control<QComboBox>(d, "ComboEffect");
             EXPECT_EQ(combo.count(), 21) << "the exchange style's entry and effects 0..19";
             EXPECT_EQ(combo.itemText(20), "Instant Erase");
             combo.setCurrentIndex(18);
         },
         {"<>Erase Scren:Mosaic  "}},
        {"show by zoom",
         11020,
         {},
         [](TFormEvCmdBase& d) { Control<QComboBox>(d, "ComboEffect").setCurrentIndex(17); },
         {"<>Show Screen:Zoom Out    "}},
        {"tone over two and a half seconds with wait",
         11030,
         {},
         [](TFormEvCmdBase& d) {
             sliders(d, "Tone", {50, 100, 200, 0});
             spin(d, "SpinTime", 25);
             Control<QCheckBox>(d, "CheckWait").setChecked(true);
         },
         {"<>Set Screen Tone:(R050,G100,B200,S000),2.5sec(W)"}},
        {"flash",
         11040,
         {},
         [](TFormEvCmdBase& d) {
             sliders(d, "Flash", {31, 0, 15, 20});
             spin(d, "SpinTime", 5);
         },
         {"<>Flash Screen:     (R31,G00,B15,V20),0.5sec"}},
        {"shake",
         11050,
         {},
         [](TFormEvCmdBase& d) {
             sliders(d, "Shake", {3, 9});
         },
         {"<>Shake Screen:   Pow.3,Speed 9,1.0s."}},
        {"pan fixed",
         11060,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_FALSE(Control<QSpinBox>(d, "SpinTiles").isEnabled());
             EXPECT_FALSE(Control<QCheckBox>(d, "CheckWait").isEnabled());
         },
         {"<>Pan Screen:       Fixed   "}},
        {"pan moves left by 12 tiles at the fastest speed",
         11060,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupMode", 2);
             Control<QToolButton>(d, "ButtonDirection3").click();
             spin(d, "SpinTiles", 12);
             Control<QComboBox>(d, "ComboSpeed").setCurrentIndex(5);
             Control<QCheckBox>(d, "CheckWait").setChecked(true);
         },
         {"<>Pan Screen:       Lf- 12Delay,  Rate6(W)"}},
        {"pan returns at the standard speed",
         11060,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupMode", 3);
             EXPECT_FALSE(Control<QToolButton>(d, "ButtonDirection0").isEnabled());
             EXPECT_TRUE(Control<QComboBox>(d, "ComboSpeed").isEnabled());
         },
         {"<>Pan Screen:       Restore Origin PRate4"}},
        {"snow, high",
         11070,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupWeather", 2);
             radio(d, "GroupStrength", 2);
         },
         {"<>Set Weather Effect:   Sn, Hi"}},
        {"hero opacity normal",
         11310,
         {},
         [](TFormEvCmdBase& d) { radio(d, "GroupOpacity", 1); },
         {"<>Set Hero's Opacity:   Non Transparent   "}},
        {"flash an event of the map",
         11320,
         {},
         [](TFormEvCmdBase& d) {
             Control<QComboBox>(d, "ComboCharacter").setCurrentIndex(5);
             Control<QCheckBox>(d, "CheckWait").setChecked(true);
         },
         {"<>Flash Character:          Guard, 1.0s.(W)"}},
        {"wait the longest time",
         11410,
         {},
         [](TFormEvCmdBase& d) {
             Control<QSpinBox>(d, "SpinTime").setValue(5000);
             EXPECT_EQ(Control<QSpinBox>(d, "SpinTime").value(), 1000);
         },
         {"<>Wait:     100.0s."}},
    });
}

TEST_F(EvCmdProjectTest, ScreenModesWriteZeroForWhatTheyDoNotUse) {
    struct Case {
        Lines in;
        std::function<void(TFormEvCmdBase&)> act;
        std::vector<int32_t> params;
    };
    const std::vector<Case> cases = {
        // No weather has no strength; a pan that only fixes the screen has no move.
        {{{11070, 0, "", {1, 2}}}, [](TFormEvCmdBase& d) { radio(d, "GroupWeather", 0); }, {0, 0}},
        {{{11060, 0, "", {2, 3, 7, 5, 1}}},
         [](TFormEvCmdBase& d) { radio(d, "GroupMode", 1); },
         {1, 0, 0, 0, 0}},
        {{{11060, 0, "", {2, 3, 7, 5, 1}}},
         [](TFormEvCmdBase& d) { radio(d, "GroupMode", 3); },
         {3, 0, 0, 5, 1}},
        // Back to moving: the direction and distance were kept.
        {{{11060, 0, "", {2, 3, 7, 5, 1}}},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupMode", 0);
             radio(d, "GroupMode", 2);
         },
         {2, 3, 7, 5, 1}},
        {{{11320, 0, "", {2, 1, 2, 3, 4, 15, 0}}}, nullptr, {2, 1, 2, 3, 4, 15, 0}},
    };
    for (const Case& c : cases) {
        auto dialog = Dialog(c.in[0].Code, c.in);
        ASSERT_TRUE(RunDialog(*dialog, c.act));
        EXPECT_EQ(dialog->Lines().Line(0)->Params, c.params) << c.in[0].Code;
    }
}

TEST_F(EvCmdProjectTest, TheWaitFlagIsSharedByTheEffectDialogs) {
    auto tone = Dialog(11030);
    ASSERT_TRUE(
        RunDialog(*tone, [](TFormEvCmdBase& d) { Control<QCheckBox>(d, "CheckWait").setChecked(true); }));
    for (int32_t code : {11040, 11050, 11120, 11320}) {
        auto dialog = Dialog(code);
        bool checked = false;
        ASSERT_TRUE(RunDialog(
            *dialog, [&](TFormEvCmdBase& d) { checked = Control<QCheckBox>(d, "CheckWait").isChecked(); }));
        EXPECT_TRUE(checked) << code;
    }
    // The OK of an edited command remembers its flag as well.
    auto flash = Dialog(11040, {{11040, 0, "", {1, 2, 3, 4, 10, 0}}});
    ASSERT_TRUE(RunDialog(*flash, nullptr));
    EXPECT_FALSE(SharedWaitFlag().Value());
}

TEST_F(EvCmdProjectTest, ShowPictureNeedsAPictureAndWritesEveryAttribute) {
    auto dialog = Dialog(11110);
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        EXPECT_FALSE(d.ButtonOk()->isEnabled()) << "no picture yet";
        EXPECT_EQ(Control<QSpinBox>(d, "SpinX").value(), 160);
        EXPECT_EQ(Control<QSpinBox>(d, "SpinY").value(), 120);
        choosePicture(d, "Sun");
        EXPECT_TRUE(d.ButtonOk()->isEnabled());
        spin(d, "SpinNumber", 20);
        spin(d, "SpinX", -640);
        spin(d, "SpinY", 720);
        Control<QCheckBox>(d, "CheckScroll").click();
        spin(d, "SpinZoom", 2000);
        spin(d, "SpinTransparency", 40);
        radio(d, "GroupKey", 1);
        OnNextModal<TFormEvCmdPicAttr>([](TFormEvCmdPicAttr& form) {
            EXPECT_EQ(form.windowTitle(), "Other Attribute display");
            EXPECT_FALSE(Control<QSpinBox>(form, "SpinPower").isEnabled());
            auto& tone = Control<TColourSliders>(form, "Tone");
            tone.Slider(0)->Spin()->setValue(0);
            tone.Slider(3)->Spin()->setValue(200);
            radio(form, "GroupEffect", 2);
            spin(form, "SpinPower", 7);
            Control<QPushButton>(form, "ButtonOk").click();
        });
        Control<QPushButton>(d, "ButtonAttributes").click();
    }));
    EXPECT_EQ(Render(dialog->Lines(), MapContext()), Texts{"<>Show Picture:     20, Sun, (-640,720)"});
    EXPECT_EQ(dialog->Lines().Line(0)->Params,
              (std::vector<int32_t>{20, 0, -640, 720, 1, 2000, 40, 0, 0, 100, 100, 200, 2, 7}));

    // From variables, remembered for the next new picture; a cancelled attribute dialog changes
    // nothing, and without an effect its strength is written as 0.
    dialog = Dialog(11110);
    ASSERT_TRUE(RunDialog(*dialog, [](TFormEvCmdBase& d) {
        EXPECT_TRUE(d.ButtonOk()->isEnabled()) << "the remembered picture";
        Control<QRadioButton>(d, "RadioPositionVariable").click();
        Control<TSwitchVariableBox>(d, "BoxVariableX").SetValue(7);
        Control<TSwitchVariableBox>(d, "BoxVariableY").SetValue(2);
        OnNextModal<TFormEvCmdPicAttr>([](TFormEvCmdPicAttr& form) {
            radio(form, "GroupEffect", 0);
            form.reject();
        });
        Control<QPushButton>(d, "ButtonAttributes").click();
        OnNextModal<TFormEvCmdPicAttr>([](TFormEvCmdPicAttr& form) {
            EXPECT_EQ(Control<TRadioGroup>(form, "GroupEffect").Index(), 2) << "the cancelled change is gone";
            radio(form, "GroupEffect", 0);
            form.accept();
        });
        Control<QPushButton>(d, "ButtonAttributes").click();
    }));
    EXPECT_EQ(Render(dialog->Lines(), MapContext()), Texts{"<>Show Picture:     20, Sun, (V[0007],V[0002])"});
    EXPECT_EQ(dialog->Lines().Line(0)->Params,
              (std::vector<int32_t>{20, 1, 7, 2, 1, 2000, 40, 0, 0, 100, 100, 200, 0, 0}));
}

TEST_F(EvCmdProjectTest, MoveAndErasePicture) {
    RunTable({
        {"move a picture",
         11120,
         {},
         [](TFormEvCmdBase& d) {
             spin(d, "SpinNumber", 3);
             spin(d, "SpinX", 10);
             spin(d, "SpinY", -20);
             spin(d, "SpinTime", 32);
         },
         {"<>Move Picture:     3, (10,-20),3.2sec"}},
        {"an edited move keeps its tone and effect; it never scrolls or keys",
         11120,
         {{11120, 0, "", {4, 1, 5, 6, 1, 50, 10, 1, 1, 2, 3, 4, 1, 9, 100, 1}}},
         nullptr,
         {"<>Move Picture:     4, (V[0005],V[0006]),10.0sec(W)"}},
        {"erase picture 20",
         11130,
         {},
         [](TFormEvCmdBase& d) { spin(d, "SpinNumber", 20); },
         {"<>Erase Picture:    20"}},
    });
    auto dialog = Dialog(11120, {{11120, 0, "", {4, 1, 5, 6, 1, 50, 10, 1, 1, 2, 3, 4, 1, 9, 100, 1}}});
    ASSERT_TRUE(RunDialog(*dialog, nullptr));
    EXPECT_EQ(dialog->Lines().Line(0)->Params,
              (std::vector<int32_t>{4, 1, 5, 6, 0, 50, 10, 0, 1, 2, 3, 4, 1, 9, 100, 1}));
}

TEST_F(EvCmdProjectTest, CancelLeavesTheScreenAndPictureLinesUntouched) {
    for (const Lines& in :
         std::vector<Lines>{{{11010, 1, "", {3}}},
                            {{11030, 1, "", {1, 2, 3, 4, 5, 1}}},
                            {{11060, 1, "", {2, 1, 3, 2, 0}}},
                            {{11110, 1, "Sun", {1, 0, 5, 6, 0, 100, 0, 1, 100, 100, 100, 100, 0, 0}}},
                            {{11120, 1, "", {1, 0, 5, 6, 0, 100, 0, 0, 100, 100, 100, 100, 0, 0, 10, 0}}},
                            {{11410, 1, "", {7}}}}) {
        auto dialog = Dialog(in[0].Code, in);
        EXPECT_FALSE(RunDialog(
            *dialog,
            [](TFormEvCmdBase& d) {
                for (QSpinBox* s : d.findChildren<QSpinBox*>())
                    s->setValue(s->minimum());
            },
            false));
        EXPECT_EQ(LinesOf(dialog->Lines()), in) << in[0].Code;
    }
}
