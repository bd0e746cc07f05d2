#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "../pickers/PickerTestSupport.h"
#include "EvCmdTestSupport.h"
#include "eventedit/commands/EvCmdSystem.h"
#include "eventedit/commands/EvCmdWidgets.h"
#include "pickers/SelFace.h"
#include "pickers/SelSystem.h"
#include "ui_SelSystem.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

void material(TFormEvCmdBase& d, const char* name, const std::string& file, int index = 0) {
    auto& box = Control<TMaterialBox>(d, name);
    box.SetFileName(file);
    box.SetIndex(index);
}

void selectRow(QListWidget* list, const QString& text) {
    auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->setCurrentItem(found.front());
}

} // namespace

TEST_F(EvCmdTest, HeroAndSystemDialogsWriteTheirCommands) {
    RunCases({
        {"hero name of at most 12 bytes",
         10610,
         {},
         [](TFormEvCmdBase& d) {
             combo(d, "ComboHero", 1);
             QTest::keyClicks(&Control<QLineEdit>(d, "EditText"), "Bryan the Bold");
         },
         {"<>Change Hero Name: Brian Name - Bryan the Bo Set  "}},
        {"hero degree edited",
         10620,
         {{10620, 0, "Knight", {1}}},
         [](TFormEvCmdBase& d) { EXPECT_EQ(Control<QLineEdit>(d, "EditText").text(), "Knight"); },
         {"<>Change Hero Degree: Alex Degree - Knight Set  "}},
        {"translucent walk graphic",
         10630,
         {},
         [](TFormEvCmdBase& d) {
             combo(d, "ComboHero", 2);
             material(d, "BoxGraphic", "Actor2", 3);
             Control<QCheckBox>(d, "CheckTransparent").click();
         },
         {"<>Set Hero's Walk Graphics:     Cleo->Actor2-4 Set  "}},
        {"vehicle graphic",
         10650,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupVehicle", 1);
             material(d, "BoxGraphic", "Vehicle", 1);
         },
         {"<>Change Vehicle Graphics:  Ship  ->Vehicle-2 Set  "}},
        {"inn music",
         10660,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupWhich", 2);
             TQelMusic music;
             music.FileName = "Inn1";
             music.FadeIn = 2000;
             Control<TMaterialBox>(d, "BoxMusic").SetMusic(music);
         },
         {"<>Change System BGM: Inn ->Inn1 Set  "}},
        {"a new music starts off", 10660, {}, nullptr, {"<>Change System BGM: Batl->(OFF) Set  "}},
        {"enemy damage sound",
         10670,
         {},
         [](TFormEvCmdBase& d) {
             combo(d, "ComboWhich", 7);
             TQelSound sound;
             sound.FileName = "Hit";
             sound.Volume = 80;
             Control<TMaterialBox>(d, "BoxSound").SetSound(sound);
         },
         {"<>Change System SE:     EnemyDamag->Hit Set  "}},
        {"battle start shows instantly",
         10690,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupSituation", 3);
             EXPECT_EQ(Control<QComboBox>(d, "ComboType").count(), 20);
             combo(d, "ComboType", 19);
         },
         {"<>Set Scrn. Exchange Type:BattlStr/Show, Instant "}},
        {"each situation keeps its own type",
         10690,
         {{10690, 0, "", {4, 20}}},
         [](TFormEvCmdBase& d) {
             auto& type = Control<QComboBox>(d, "ComboType");
             EXPECT_EQ(type.count(), 21);
             EXPECT_EQ(type.currentText(), "Do Not Erase");
             radio(d, "GroupSituation", 1);
             combo(d, "ComboType", 2);
             radio(d, "GroupSituation", 4);
             EXPECT_EQ(type.currentIndex(), 20);
         },
         {"<>Set Scrn. Exchange Type:BattlEnd/Eras, Leave     "}},
    });

    // The music and sound values travel with the line.
    auto music = CreateEvCmdDialog(10660, nullptr);
    SetLines(*music, {{10660, 0, "Inn1", {2, 3000, 90, 110, 40}}});
    ASSERT_TRUE(RunDialog(*music, nullptr));
    EXPECT_EQ(music->Lines().Line(0)->Params, (std::vector<int32_t>{2, 3000, 90, 110, 40}));
    auto sound = CreateEvCmdDialog(10670, nullptr);
    SetLines(*sound, {{10670, 0, "Hit", {11, 70, 120, 30}}});
    ASSERT_TRUE(RunDialog(*sound, nullptr));
    EXPECT_EQ(sound->Lines().Line(0)->Params, (std::vector<int32_t>{11, 70, 120, 30}));
}

TEST_F(EvCmdTest, GraphicsAreChosenInThePickersTheDialogsOpen) {
    MaterialFolders folders;
    folders.Picture(false, "FaceSet", "Faces", FlatPicture(192, 192, 3));
    folders.Picture(true, "System", "Frame", FlatPicture(160, 128, 4));
    folders.Picture(false, "System", "Plain", FlatPicture(160, 128, 5));

    // A face box opens the face picker with its value and takes the chosen face.
    auto face = CreateEvCmdDialog(10640, nullptr);
    ASSERT_TRUE(RunDialog(*face, [](TFormEvCmdBase& d) {
        OnNextModal<TFormSelFace>([](TFormSelFace& picker) {
            EXPECT_EQ(picker.windowTitle(), "Select Face Graphic");
            selectRow(picker.DataList(), "Faces");
            picker.SetIndex(15);
            picker.accept();
        });
        Control<TMaterialBox>(d, "BoxGraphic").click();
    }));
    EXPECT_EQ(Render(face->Lines(), MapContext()),
              (Texts{"<>Set Hero's Face Graphics:   Alex->Faces-16 Set  "}));

    // System graphics: the picker instead of a window, opened with the edited values; a name
    // from the runtime package comes back without its mark.
    auto system = CreateEvCmdDialog(10680, nullptr);
    SetLines(*system, {{10680, 0, "Plain", {1, 1}}});
    OnNextModal<TFormSelSystem>([](TFormSelSystem& picker) {
        EXPECT_EQ(picker.DataList()->currentItem()->text(), "Plain");
        EXPECT_TRUE(picker.form()->RadioTile->isChecked());
        EXPECT_TRUE(picker.form()->RadioFont2->isChecked());
        selectRow(picker.DataList(), "Frame <RTP>");
        picker.form()->RadioFont1->click();
        picker.accept();
    });
    ASSERT_TRUE(system->Run());
    EXPECT_EQ(LinesOf(system->Lines()), (Lines{{10680, 0, "Frame", {1, 0}}}));
    EXPECT_EQ(Render(system->Lines(), MapContext()), (Texts{"<>Change System Graphics:     Frame"}));

    // Cancel in the picker leaves the lines alone; a new command starts from the last OK.
    system = CreateEvCmdDialog(10680, nullptr);
    OnNextModal<TFormSelSystem>([](TFormSelSystem& picker) {
        EXPECT_EQ(picker.DataList()->currentItem()->text(), "Frame <RTP>");
        picker.reject();
    });
    EXPECT_FALSE(system->Run());
    EXPECT_EQ(system->Lines().Count(), 0);
}
