#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "EvCmdProjectFixture.h"
#include "controls/BoardView.h"
#include "eventedit/commands/EvCmdAnimation.h"
#include "eventedit/commands/EvCmdBattle.h"
#include "eventedit/commands/EvCmdWidgets.h"
#include "graphics/Bitmap.h"
#include "graphics/GraphicsPorts.h"
#include "graphics/PictureFile.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

struct SoundRecorder : SoundPlayerPort {
    std::vector<std::string> played;
    void PlaySound(const std::string& path, int, int, int) override { played.push_back(path); }
};

} // namespace

TEST_F(EvCmdProjectTest, EnemyDialogsWriteTheirCommands) {
    RunTable({
        {"HP reduced by a variable, which may defeat the monster",
         13110,
         {},
         [](TFormEvCmdBase& d) {
             combo(d, "ComboMember", 1);
             EXPECT_FALSE(Control<QCheckBox>(d, "CheckDefeat").isEnabled());
             radio(d, "GroupOperation", 1);
             Control<QRadioButton>(d, "RadioVariable").click();
             Control<TSwitchVariableBox>(d, "BoxVariable").SetValue(7);
             Control<QCheckBox>(d, "CheckDefeat").click();
         },
         {"<>Change Enemy's HP:  2:Bat HP - V[0007]Decrem"},
         true},
        {"HP recovered by the most there is",
         13110,
         {},
         [](TFormEvCmdBase& d) { Control<QSpinBox>(d, "SpinFixed").setValue(20000); },
         {"<>Change Enemy's HP:  1:Slime HP - 9999Recovery  "},
         true},
        {"MP",
         13120,
         {},
         [](TFormEvCmdBase& d) {
             Control<QSpinBox>(d, "SpinFixed").setValue(5000);
             radio(d, "GroupOperation", 1);
         },
         {"<>Change Enemy's MP:  1:Slime MP - 999Decrem"},
         true},
        {"a condition cured on the member whose monster is gone",
         13130,
         {},
         [](TFormEvCmdBase& d) {
             combo(d, "ComboMember", 2);
             radio(d, "GroupOperation", 1);
             combo(d, "ComboCondition", 1);
         },
         {"<>Set Enemy's Condition:3:?  Poison Cancel   "},
         true},
        {"a member appears",
         13150,
         {},
         [](TFormEvCmdBase& d) { combo(d, "ComboMember", 1); },
         {"<>Enemy Appears:  2:Bat"},
         true},
    });

    // The defeat flag is written only for a reduction.
    for (const auto& [in, params] : std::vector<std::pair<Lines, std::vector<int32_t>>>{
             {{{13110, 0, "", {1, 1, 0, 5, 1}}}, {1, 1, 0, 5, 1}},
             {{{13110, 0, "", {1, 0, 0, 5, 1}}}, {1, 0, 0, 5, 0}},
             {{{13120, 0, "", {2, 1, 1, 7}}}, {2, 1, 1, 7}},
         }) {
        auto dialog = Dialog(in[0].Code, in, true);
        ASSERT_TRUE(RunDialog(*dialog, nullptr));
        EXPECT_EQ(dialog->Lines().Line(0)->Params, params);
    }
}

TEST_F(EvCmdProjectTest, TheMemberIsSharedByTheFourEnemyDialogs) {
    auto hp = Dialog(13110, {}, true);
    ASSERT_TRUE(RunDialog(*hp, [](TFormEvCmdBase& d) { combo(d, "ComboMember", 2); }));
    for (int32_t code : {13120, 13130, 13150}) {
        auto dialog = Dialog(code, {}, true);
        ASSERT_TRUE(RunDialog(*dialog, nullptr));
        EXPECT_EQ(dialog->Lines().Line(0)->Param(0), 2) << code;
    }
    // An edited command's member is remembered as well; the battle fork keeps its own.
    auto appear = Dialog(13150, {{13150, 0, "", {1}}}, true);
    ASSERT_TRUE(RunDialog(*appear, nullptr));
    EXPECT_EQ(SharedMemberIndex().Value(), 1);
    auto fork = Dialog(13310, {}, true);
    int member = -1;
    ASSERT_TRUE(RunDialog(
        *fork, [&](TFormEvCmdBase& d) { member = Control<QComboBox>(d, "ComboMember").currentIndex(); }));
    EXPECT_EQ(member, 0);
}

TEST_F(EvCmdProjectTest, BattleAnimationDialogsWriteTheirCommands) {
    NameRecords(db.Animations(), {"Fire", "Ice"});
    RunTable({
        {"on an event of the map, waiting",
         11210,
         {},
         [](TFormEvCmdBase& d) {
             combo(d, "ComboAnimation", 1);
             combo(d, "ComboTarget", 5);
             Control<QCheckBox>(d, "CheckWait").setChecked(true);
         },
         {"<>Show Battle Anim.:Ice, Guard(W)"}},
        {"an edited animation over the whole map keeps it",
         11210,
         {{11210, 0, "", {1, 10005, 0, 1}}},
         nullptr,
         {"<>Show Battle Anim.:Fire,  this Event "}},
        {"on the whole group",
         13260,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_FALSE(Control<QComboBox>(d, "ComboMember").isEnabled());
             combo(d, "ComboAnimation", 1);
         },
         {"<>Show Battle Anim.:Ice, Whole Group "},
         true},
        {"on one member",
         13260,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(d, "RadioMember").click();
             combo(d, "ComboMember", 1);
             Control<QCheckBox>(d, "CheckWait").setChecked(true);
         },
         {"<>Show Battle Anim.:Fire, 2:Bat(W)"},
         true},
    });
    auto dialog = Dialog(11210, {{11210, 0, "", {1, 10005, 0, 1}}});
    ASSERT_TRUE(RunDialog(*dialog, nullptr));
    EXPECT_EQ(dialog->Lines().Line(0)->Params, (std::vector<int32_t>{1, 10005, 0, 1}));
    dialog = Dialog(13260, {{13260, 0, "", {2, -1, 1}}}, true);
    ASSERT_TRUE(RunDialog(*dialog, nullptr));
    EXPECT_EQ(dialog->Lines().Line(0)->Params, (std::vector<int32_t>{2, -1, 1}));
}

TEST_F(EvCmdProjectTest, AnimationPreviewShowsTheFirstFrameAndPlaysTheRestOnce) {
    // A one-cell picture of red, drawn by the second of three frames, with a sound at the third.
    TBitmap picture;
    picture.Reset(TPixelFormat::pf8bit, 96, 96);
    picture.Palette()[0] = {0, 0, 255, 0};
    picture.Palette()[1] = {255, 0, 0, 0};
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x)
            picture.ScanLine(y)[x] = 1;
    const std::string file = LocalPath(folder + "/Battle/Red.png");
    QDir().mkpath(folder + "/Battle");
    SavePictureFile(picture, file);
    NameRecords(db.Animations(), {"Red", "Empty"});
    TQelAnimationItem* red = db.Animations().Find(1);
    red->GraphicName = file;
    red->Frames.Clear();
    for (int i = 1; i <= 3; ++i)
        red->Frames.FindOrCreate(i);
    red->Frames.Find(2)->Cells.FindOrCreate(1);
    TQelAnimationTimingItem* timing = red->Timings.FindOrCreate(1);
    timing->Frame = 3;
    timing->Sound.FileName = "Bell";
    SoundRecorder sounds;
    SoundPlayerPort* before = SetSoundPlayer(&sounds);
    // Sounds are named as the record names them: the default lookup, whatever an earlier test of
    // this program installed.
    MaterialLocatorPort* locatorBefore = SetMaterialLocator(nullptr);

    TAnimationPreview preview;
    auto centre = [&] {
        return preview.Board().Row(TAnimationPreview::Height / 2)[TAnimationPreview::Width / 2];
    };
    auto corner = [&] { return preview.Board().Row(0)[0]; };
    preview.SetAnimation(1);
    const uint16_t grey = corner();
    EXPECT_EQ(centre(), grey) << "the first frame has no cell";
    EXPECT_FALSE(preview.Playing());

    // The timer is driven by hand: each step is the next frame.
    preview.Play();
    EXPECT_TRUE(preview.Playing());
    EXPECT_EQ(preview.Timer()->interval(), TAnimationPreview::FrameMilliseconds);
    preview.Step();
    EXPECT_EQ(preview.Frame(), 1);
    EXPECT_EQ(centre(), 0xF800) << "the red cell around the middle";
    EXPECT_EQ(corner(), grey);
    EXPECT_TRUE(sounds.played.empty());
    preview.Step();
    EXPECT_EQ(preview.Frame(), 2);
    EXPECT_EQ(centre(), grey);
    EXPECT_EQ(sounds.played, std::vector<std::string>{"Bell"});
    EXPECT_FALSE(preview.Playing()) << "played once";
    preview.Step();
    EXPECT_EQ(preview.Frame(), 2);

    // Another animation stops playing and shows its first frame.
    preview.Play();
    preview.SetAnimation(2);
    EXPECT_FALSE(preview.Playing());
    EXPECT_EQ(preview.Frame(), 0);
    SetSoundPlayer(before);
    SetMaterialLocator(locatorBefore);
}

TEST_F(EvCmdProjectTest, CancelLeavesTheBattleLinesUntouched) {
    for (const Lines& in : std::vector<Lines>{{{13110, 1, "", {1, 1, 1, 7, 1}}},
                                              {{13130, 1, "", {2, 0, 3}}},
                                              {{13150, 1, "", {2}}},
                                              {{13260, 1, "", {1, -1, 0}}},
                                              {{13310, 1, "", {2, 3, 0, 0, 0, 0}}}}) {
        auto dialog = Dialog(in[0].Code, in, true);
        EXPECT_FALSE(RunDialog(
            *dialog,
            [](TFormEvCmdBase& d) {
                for (QRadioButton* b : d.findChildren<QRadioButton*>())
                    b->click();
                for (QComboBox* c : d.findChildren<QComboBox*>())
                    c->setCurrentIndex(c->count() - 1);
            },
            false));
        EXPECT_EQ(LinesOf(dialog->Lines()), in) << in[0].Code;
    }
}
