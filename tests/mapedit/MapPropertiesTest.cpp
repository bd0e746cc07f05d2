#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "data/LD_DataBase.h"
#include "mapedit/ED_Map.h"
#include "records/ClipboardPort.h"
#include "ui_ED_Area.h"
#include "ui_ED_Map.h"

using namespace tarvel;

namespace {

struct DataBaseWithTwoChipSets {
    TQelDataBase db;
    DataBaseWithTwoChipSets() {
        TQelDataBase::ResetList(db.ChipSets(), 2);
        db.ChipSets().Find(1)->Name = "World";
        db.ChipSets().Find(2)->Name = "Town";
        TQelDataBase::ResetList(db.MonGroups(), 3);
        db.MonGroups().Find(2)->Name = "Slime*2";
    }
};

} // namespace

TEST(MapPropertiesDialog, NewMapUnderTheRootHasNothingToInherit) {
    DataBaseWithTwoChipSets data;
    MapPropertiesRequest request;
    request.id = 7;
    request.isNew = true;
    request.parentIsRoot = true;
    request.item.Name = "MAP0007";
    request.settings.chipSetID = 2;
    TFormEDMap dialog(nullptr, request);
    EXPECT_EQ(dialog.windowTitle(), "Map Making - ID:0007");
    auto* f = dialog.form();
    for (QAbstractButton* parent : {static_cast<QAbstractButton*>(f->RadioMusicParent),
                                    static_cast<QAbstractButton*>(f->RadioBackParent),
                                    static_cast<QAbstractButton*>(f->RadioTeleportParent),
                                    static_cast<QAbstractButton*>(f->RadioEscapeParent),
                                    static_cast<QAbstractButton*>(f->RadioSaveParent)})
        EXPECT_FALSE(parent->isEnabled()) << parent->objectName().toStdString();
    EXPECT_TRUE(f->RadioMusicEvent->isChecked());
    EXPECT_TRUE(f->RadioBackTerrain->isChecked());
    EXPECT_TRUE(f->RadioTeleportDisable->isChecked());
    EXPECT_TRUE(f->RadioEscapeDisable->isChecked());
    EXPECT_TRUE(f->RadioSaveDisable->isChecked());
    EXPECT_EQ(f->ListChipSets->currentRow(), 1);

    f->EditName->setText("Harbour");
    f->SpinWidth->setValue(60);
    QTest::mouseClick(f->ButtonOk, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(request.item.Name, "Harbour");
    EXPECT_EQ(request.item.MusicMode, 1);
    EXPECT_EQ(request.settings.width, 60);
    EXPECT_EQ(request.settings.chipSetID, 2);
}

TEST(MapPropertiesDialog, ChipSetBeyondTheListSelectsTheFirst) {
    DataBaseWithTwoChipSets data;
    MapPropertiesRequest request;
    request.id = 3;
    request.settings.chipSetID = 9;
    TFormEDMap dialog(nullptr, request);
    EXPECT_EQ(dialog.windowTitle(), "Map Creation - ID:0003");
    EXPECT_EQ(dialog.form()->ListChipSets->currentRow(), 0);
    EXPECT_TRUE(dialog.form()->RadioMusicParent->isEnabled());
}

TEST(MapPropertiesDialog, PanoramaEnablingAndClearing) {
    DataBaseWithTwoChipSets data;
    MapPropertiesRequest request;
    request.settings.usePanorama = true;
    request.settings.panoramaName = "Sky";
    request.settings.horzPan = true;
    request.settings.horzAuto = true;
    request.settings.horzSpeed = 3;
    TFormEDMap dialog(nullptr, request);
    auto* f = dialog.form();
    EXPECT_TRUE(f->ButtonSetPanorama->isEnabled());
    EXPECT_TRUE(f->SpinHorzSpeed->isEnabled());
    EXPECT_EQ(f->SpinHorzSpeed->value(), 3);
    EXPECT_FALSE(f->CheckVertAuto->isEnabled());
    EXPECT_FALSE(f->SpinVertSpeed->isEnabled());

    f->CheckHorzAuto->setChecked(false);
    EXPECT_FALSE(f->SpinHorzSpeed->isEnabled());
    EXPECT_EQ(f->SpinHorzSpeed->text().trimmed(), "");
    f->CheckHorzAuto->setChecked(true);
    EXPECT_EQ(f->SpinHorzSpeed->value(), 3) << "turning auto scroll on shows its stored speed";

    f->CheckUsePanorama->setChecked(false);
    for (QWidget* w : {static_cast<QWidget*>(f->ButtonSetPanorama), static_cast<QWidget*>(f->PanoramaPreview),
                       static_cast<QWidget*>(f->CheckHorzPan), static_cast<QWidget*>(f->CheckVertPan),
                       static_cast<QWidget*>(f->SpinHorzSpeed), static_cast<QWidget*>(f->SpinVertSpeed)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    dialog.WriteBack();
    EXPECT_FALSE(request.settings.usePanorama);
    EXPECT_EQ(request.settings.panoramaName, "");

    // The music box is open only with "Set To", and the picker's choice is what is stored.
    EXPECT_FALSE(f->EditMusic->isEnabled());
    f->RadioMusicSet->setChecked(true);
    EXPECT_TRUE(f->EditMusic->isEnabled());
    dialog.chooseMusic = [](TQelMusic& music) {
        music.FileName = "Town1";
        music.Volume = 70;
        return true;
    };
    QTest::mouseClick(f->EditMusic, Qt::LeftButton);
    EXPECT_EQ(f->EditMusic->text(), "Town1");
    dialog.WriteBack();
    EXPECT_EQ(request.item.MusicMode, 2);
    EXPECT_EQ(request.item.Music.FileName, "Town1");
    EXPECT_EQ(request.item.Music.Volume, 70);
}

TEST(EncounterList, EditsCopiesAndStopsAtFiveHundred) {
    DataBaseWithTwoChipSets data;
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    AreaPropertiesRequest request;
    request.item.Name = "AREA0004";
    TFormEDArea dialog(nullptr, request);
    TEncounterList& list = *dialog.encounters();
    QTreeWidget* view = dialog.form()->ListEncounters;
    ASSERT_EQ(view->topLevelItemCount(), 1); // the empty row

    list.chooseGroup = [](int32_t& id) {
        id = 2;
        return true;
    };
    view->setCurrentItem(view->topLevelItem(0));
    list.Edit();
    ASSERT_EQ(list.Entries().Count(), 1);
    EXPECT_EQ(view->topLevelItem(0)->text(0), "Slime*2");
    EXPECT_EQ(view->topLevelItemCount(), 2);

    view->setCurrentItem(view->topLevelItem(0));
    list.Copy();
    view->setCurrentItem(view->topLevelItem(1));
    EXPECT_TRUE(list.CanPaste());
    list.Paste();
    EXPECT_EQ(list.Entries().Count(), 2);

    for (int i = list.Entries().Count(); i < MaxEncounters; ++i) {
        view->setCurrentItem(view->topLevelItem(view->topLevelItemCount() - 1));
        list.Edit();
    }
    EXPECT_EQ(list.Entries().Count(), 500);
    view->setCurrentItem(view->topLevelItem(view->topLevelItemCount() - 1));
    EXPECT_FALSE(list.CanEdit()) << "a 501st entry";
    EXPECT_FALSE(list.CanPaste());
    list.Edit();
    EXPECT_EQ(list.Entries().Count(), 500);

    view->setCurrentItem(view->topLevelItem(0));
    list.Delete();
    EXPECT_EQ(list.Entries().Count(), 499);
    dialog.WriteBack();
    EXPECT_EQ(request.item.Encounters.Count(), 499);
    SetClipboardPort(nullptr);
}

TEST(AreaDialog, TitlesAndTheAreaText) {
    AreaPropertiesRequest request;
    request.id = 4;
    request.isNew = true;
    request.item.AreaRect = {2, 3, 6, 8};
    TFormEDArea dialog(nullptr, request);
    EXPECT_EQ(dialog.windowTitle(), "Area Making - ID:0004");
    EXPECT_EQ(dialog.form()->EditArea->text(), "(002,003) - (005,007)");
    EXPECT_EQ(TFormEDArea::AreaText({4, 4, 4, 9}), "");
    dialog.chooseArea = [](TMapAreaRect& rect) {
        rect = {0, 0, 1, 1};
        return true;
    };
    QTest::mouseClick(dialog.form()->EditArea, Qt::LeftButton);
    EXPECT_EQ(dialog.form()->EditArea->text(), "(000,000) - (000,000)");
    dialog.WriteBack();
    EXPECT_EQ(request.item.AreaRect.Right, 1);
}
