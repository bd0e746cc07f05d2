#include <QApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "PickerTestSupport.h"
#include "controls/BoardView.h"
#include "graphics/GR_ChipSet.h"
#include "pickers/SelChar.h"
#include "pickers/SelEvChar.h"
#include "pickers/SelFace.h"
#include "pickers/SelMonster.h"
#include "pickers/SelMovie.h"
#include "pickers/SelMusic.h"
#include "pickers/SelPanorama.h"
#include "pickers/SelReplChip.h"
#include "pickers/SelSystem.h"
#include "ui_SelEvChar.h"
#include "ui_SelMonster.h"
#include "ui_SelReplChip.h"
#include "ui_SelSystem.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

QStringList rows(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// A double-click as the window system delivers it: press, release, double-click, release.
void doubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

void clickRow(QListWidget* list, int row, bool twice = false) {
    list->scrollToItem(list->item(row));
    QPoint at = list->visualItemRect(list->item(row)).center();
    if (twice)
        doubleClick(list->viewport(), at);
    else
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Radio buttons take clicks on their mark and text only, not on the rest of their width.
void clickRadio(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
}

// The 5-6-5 colour a palette index of the test palette is drawn in (neutral colour effects).
uint16_t colourOf(int index) {
    const TPaletteEntry e = PickerPalette()[index];
    return Pack565(TRGB{e.red, e.green, e.blue});
}

// The colour under a point of a board view, as the window shows it.
uint16_t shownAt(QWidget* view, QPoint at) {
    QRgb c = view->grab().toImage().pixel(at);
    return Pack565(TRGB{uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))});
}

// A character set whose every frame (character c, direction d, pattern p) is one colour.
int frameIndex(int c, int d, int p) {
    return 1 + c * 12 + d * 3 + p;
}
TBitmap CodedCharSet() {
    return MakePicture(
        288, 256, [](int x, int y) { return frameIndex(x / 72 + y / 128 * 4, y % 128 / 32, x % 72 / 24); });
}

const uint16_t kWhite = 0xFFFF;

} // namespace

TEST(MaterialPickers, CurrentNameFindsItsRowWithOrWithoutTheMarkElseRowZero) {
    MaterialFolders folders;
    folders.Picture(false, "FaceSet", "Own1", FlatPicture(192, 192, 90));
    folders.Picture(false, "FaceSet", "Own2", FlatPicture(192, 192, 91));
    folders.Picture(true, "FaceSet", "Own2", FlatPicture(192, 192, 5)); // shadowed by the project's
    for (int k = 1; k <= 30; ++k)
        folders.Picture(true, "FaceSet", QString("Face%1").arg(k), FlatPicture(192, 192, 100 + k));
    folders.File(false, "Music", "Town.mid");
    folders.File(true, "Music", "Battle1.mid");
    folders.File(true, "Music", "Field1.wav");

    struct Case {
        const char* name;
        int row;
        const char* chosen;
        int colour; // the preview's colour index; -1 for the music picker
    } faceCases[] = {
        {"Own2", 1, "Own2", 91},
        {"Face9", 10, "Face9", 109}, // only in the runtime package: found through its mark
        {"face9", 10, "Face9", 109}, // typed in another case: still its file, still its row
        {"Nowhere", 0, "Own1", 90},
        {"", 0, "Own1", 90},
    };
    for (const Case& c : faceCases) {
        SCOPED_TRACE(c.name);
        TFormSelFace dialog;
        dialog.SetFileName(c.name);
        dialog.show();
        QListWidget* list = dialog.DataList();
        ASSERT_EQ(list->count(), 32);
        EXPECT_EQ(list->item(2)->text(), "Face1 <RTP>");
        EXPECT_EQ(list->currentRow(), c.row);
        EXPECT_EQ(dialog.FileName(), c.chosen);
        // The selected row stands six rows below the top.
        EXPECT_EQ(list->verticalScrollBar()->value(), std::max(0, c.row - 6));
        EXPECT_EQ(dialog.PreviewBoard().Pixel(20, 20), colourOf(c.colour));
    }

    struct MusicCase {
        const char* name;
        int row;
        const char* chosen;
    } musicCases[] = {
        {"Field1", 3, "Field1"}, {"Town", 1, "Town"}, {"Nowhere", 0, "(OFF)"}, {"(OFF)", 0, "(OFF)"}};
    for (const MusicCase& c : musicCases) {
        SCOPED_TRACE(c.name);
        TFormSelMusic dialog;
        TQelMusic music;
        music.FileName = c.name;
        dialog.SetMusic(music);
        dialog.show();
        EXPECT_EQ(rows(dialog.DataList()), QStringList({"(OFF)", "Town", "Battle1 <RTP>", "Field1 <RTP>"}));
        EXPECT_EQ(dialog.DataList()->currentRow(), c.row);
        EXPECT_EQ(dialog.Music().FileName, c.chosen);
    }
}

TEST(MaterialPickers, ChoosingARowStoresTheBareNameAndDoubleClickIsOk) {
    MaterialFolders folders;
    for (int k = 1; k <= 30; ++k)
        folders.File(true, "Movie", QString("Clip%1.avi").arg(k));
    folders.Picture(true, "Panorama", "Wide", FlatPicture(640, 240, 50));
    folders.Picture(true, "Panorama", "Small", FlatPicture(100, 50, 60));

    TFormSelMovie movie;
    movie.SetFileName("Clip19");
    movie.show();
    EXPECT_EQ(movie.windowTitle(), "Select Movie");
    EXPECT_EQ(movie.DataList()->currentRow(), 18);
    // The movie list keeps only four rows above the selection.
    EXPECT_EQ(movie.DataList()->verticalScrollBar()->value(), 14);
    clickRow(movie.DataList(), 2);
    EXPECT_EQ(movie.FileName(), "Clip3");
    EXPECT_TRUE(movie.isVisible());
    clickRow(movie.DataList(), 4, true);
    EXPECT_EQ(movie.FileName(), "Clip5");
    EXPECT_EQ(movie.result(), QDialog::Accepted);
    EXPECT_FALSE(movie.isVisible());

    TFormSelPanorama panorama;
    panorama.SetFileName("Small");
    panorama.show();
    EXPECT_EQ(panorama.windowTitle(), "Select Panorama");
    // A small picture is not enlarged: 100 x 50 in the middle of 320 x 240.
    EXPECT_EQ(panorama.PreviewBoard().Pixel(160, 120), colourOf(60));
    EXPECT_EQ(panorama.PreviewBoard().Pixel(100, 120), 0);
    clickRow(panorama.DataList(), 1);
    EXPECT_EQ(panorama.FileName(), "Wide");
    // 640 x 240 is halved to 320 x 120 and centred: rows 60..179.
    const TPrismBoard& board = panorama.PreviewBoard();
    EXPECT_EQ(board.Pixel(0, 59), 0);
    EXPECT_EQ(board.Pixel(0, 60), colourOf(50));
    EXPECT_EQ(board.Pixel(319, 179), colourOf(50));
    EXPECT_EQ(board.Pixel(319, 180), 0);
    EXPECT_EQ(shownAt(panorama.Preview(), QPoint(10, 100)), colourOf(50));
    // A double-click on the preview is OK as well.
    doubleClick(panorama.Preview(), QPoint(10, 10));
    EXPECT_EQ(panorama.result(), QDialog::Accepted);
}

TEST(MaterialPickers, FaceClickChoosesTheFaceUnderThePointAndOutlinesIt) {
    MaterialFolders folders;
    folders.Picture(false, "FaceSet", "Faces",
                    MakePicture(192, 192, [](int x, int y) { return 1 + y / 48 * 4 + x / 48; }));
    TFormSelFace dialog;
    dialog.SetFileName("Faces");
    dialog.SetIndex(6);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Face Graphic");
    EXPECT_EQ(dialog.Index(), 6);

    struct Case {
        QPoint at;
        int face;
    } cases[] = {{{1, 1}, 0},  {{47, 47}, 0},    {{48, 0}, 1},     {{191, 0}, 3},
                 {{1, 48}, 4}, {{100, 150}, 14}, {{191, 191}, 15}, {{60, 100}, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        QTest::mouseClick(dialog.Preview(), Qt::LeftButton, {}, c.at);
        EXPECT_EQ(dialog.Index(), c.face);
        QPoint corner(c.face % 4 * 48, c.face / 4 * 48);
        const TPrismBoard& board = dialog.PreviewBoard();
        EXPECT_EQ(board.Pixel(corner.x(), corner.y()), kWhite);
        EXPECT_EQ(board.Pixel(corner.x() + 47, corner.y() + 47), kWhite);
        EXPECT_EQ(board.Pixel(corner.x() + 24, corner.y() + 24), colourOf(1 + c.face));
        EXPECT_EQ(shownAt(dialog.Preview(), corner), kWhite);
    }
    // Only the chosen face is outlined.
    EXPECT_EQ(dialog.PreviewBoard().Pixel(0, 0), colourOf(1));
}

TEST(MaterialPickers, WalkGraphicShowsMiddlePatternFacingDownDoubledAndClickChoosesTheCharacter) {
    MaterialFolders folders;
    folders.Picture(true, "CharSet", "Hero", CodedCharSet());
    TFormSelChar dialog;
    dialog.SetFileName("Hero");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Walk Graphic");
    EXPECT_EQ(dialog.Preview()->size(), QSize(192, 128));
    for (int c = 0; c < 8; ++c) {
        SCOPED_TRACE(c);
        int left = c % 4 * 48, top = c / 4 * 64;
        EXPECT_EQ(dialog.PreviewBoard().Pixel(left + 24, top + 32), colourOf(frameIndex(c, 2, 1)));
        EXPECT_EQ(dialog.PreviewBoard().Pixel(left + 47, top + 63),
                  c == 0 ? kWhite : colourOf(frameIndex(c, 2, 1)));
    }
    struct Case {
        QPoint at;
        int character;
    } cases[] = {{{1, 1}, 0}, {{47, 63}, 0}, {{48, 0}, 1}, {{191, 127}, 7}, {{100, 70}, 6}, {{150, 10}, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.character);
        QTest::mouseClick(dialog.Preview(), Qt::LeftButton, {}, c.at);
        EXPECT_EQ(dialog.Index(), c.character);
        EXPECT_EQ(dialog.PreviewBoard().Pixel(c.character % 4 * 48, c.character / 4 * 64), kWhite);
    }
}

TEST(MaterialPickers, EventGraphicKeepsTheChipPlaceAcrossPagesAndShowsTheRightPanel) {
    MaterialFolders folders;
    folders.Picture(false, "ChipSet", "Tiles",
                    MakePicture(480, 256, [](int x, int y) { return 1 + (x / 16 + y / 16 * 30) % 255; }));
    folders.Picture(false, "CharSet", "Hero", CodedCharSet());
    TChipSetLook look;
    look.graphicName = "Tiles";
    TQelChipSetGraphic chipSet;
    chipSet.SetChipSet(&look);

    TFormSelEvChar dialog(nullptr, &chipSet);
    dialog.SetFileName("");
    dialog.SetIndex(100);
    dialog.show();
    auto* ui = dialog.form();
    EXPECT_EQ(dialog.windowTitle(), "Selet Graphics");
    EXPECT_EQ(rows(dialog.DataList()), QStringList({"*ChipSet 1", "*ChipSet 2", "*ChipSet 3", "Hero"}));
    // No file name: the page of the chosen chip.
    EXPECT_EQ(dialog.DataList()->currentRow(), 2);
    EXPECT_EQ(dialog.ChipPage(), 2);
    EXPECT_TRUE(ui->PanelChip->isVisible());
    EXPECT_FALSE(ui->PanelChar->isVisible());
    EXPECT_EQ(dialog.Index(), 100);

    // Page 3 shows upper chips 10096..10143; chip 100 is the fifth, outlined.
    TPrismBoard reference;
    reference.SetSize(32, 32);
    chipSet.DrawChip(reference, 0, 0, 10100, false, 32, 0);
    QImage shown = ui->PaintBoxChip->grab().toImage();
    QRgb inner = shown.pixel(4 * 32 + 16, 16);
    EXPECT_EQ(Pack565(TRGB{uint8_t(qRed(inner)), uint8_t(qGreen(inner)), uint8_t(qBlue(inner))}),
              reference.Pixel(16, 16));
    EXPECT_EQ(shownAt(ui->PaintBoxChip, QPoint(4 * 32, 0)), kWhite);

    struct Step {
        int row;     // list row clicked, or -1 for a click on the chips
        QPoint chip; // where the chips are clicked
        int index;   // the chosen chip afterwards
    } steps[] = {
        {1, {}, 52}, // page 2 keeps the fifth place
        {-1, {2 * 32 + 5, 3 * 32 + 5}, 48 + 3 * 6 + 2},
        {2, {}, 96 + 3 * 6 + 2}, // page 3: same place
        {0, {}, 3 * 6 + 2},
        {-1, {191, 255}, 47},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.index);
        if (s.row >= 0)
            clickRow(dialog.DataList(), s.row);
        else
            QTest::mouseClick(ui->PaintBoxChip, Qt::LeftButton, {}, s.chip);
        EXPECT_EQ(dialog.Index(), s.index);
        EXPECT_EQ(dialog.FileName(), "");
    }

    // A walk graphic: the facing and pattern panel instead of the chips.
    clickRow(dialog.DataList(), 3);
    EXPECT_EQ(dialog.FileName(), "Hero");
    EXPECT_EQ(dialog.ChipPage(), -1);
    EXPECT_TRUE(ui->PanelChar->isVisible());
    EXPECT_FALSE(ui->PanelChip->isVisible());
    EXPECT_EQ(dialog.Direction(), 2);
    EXPECT_EQ(dialog.Pattern(), 1);
    clickRadio(ui->RadioLeft);
    clickRadio(ui->RadioPatternRight);
    QTest::mouseClick(dialog.Preview(), Qt::LeftButton, {}, QPoint(60, 100));
    EXPECT_EQ(dialog.Direction(), 3);
    EXPECT_EQ(dialog.Pattern(), 2);
    EXPECT_EQ(dialog.Index(), 5);
    // Character 5 at facing left, right pattern; character 2 likewise.
    EXPECT_EQ(dialog.PreviewBoard().Pixel(48 + 24, 64 + 32), colourOf(frameIndex(5, 3, 2)));
    EXPECT_EQ(dialog.PreviewBoard().Pixel(96 + 24, 32), colourOf(frameIndex(2, 3, 2)));

    // Opening on a walk graphic selects its row and the caller's facing and pattern.
    TFormSelEvChar again(nullptr, &chipSet);
    again.SetFileName("Hero");
    again.SetIndex(5);
    again.SetDirection(1);
    again.SetPattern(0);
    again.show();
    EXPECT_EQ(again.DataList()->currentRow(), 3);
    EXPECT_TRUE(again.form()->RadioRight->isChecked());
    EXPECT_TRUE(again.form()->RadioPatternLeft->isChecked());
    EXPECT_EQ(again.Index(), 5);
}

TEST(MaterialPickers, MonsterHueSliderMapsStepsToShiftsOfTheUnshiftedPalette) {
    MaterialFolders folders;
    // Index 10 (a saturated colour) on the transparent index 0.
    folders.Picture(true, "Monster", "Slime", MakePicture(64, 48, [](int x, int) { return x < 8 ? 0 : 10; }));
    folders.Picture(true, "Monster", "Bat", FlatPicture(40, 30, 20));
    auto rotated = [](int index, int degrees) {
        TPrismSheet sheet;
        sheet.Palette() = PickerPalette();
        sheet.UpdateColorTable();
        sheet.RotateHue(degrees);
        return sheet.ColorTable()[index];
    };

    // On show the slider stands at ((shift + 180) mod 360) div 10; the shift stays exact.
    struct ShowCase {
        int hue;
        int position;
    } shows[] = {{0, 18}, {45, 22}, {180, 0}, {350, 17}, {359, 17}, {10, 19}};
    for (const ShowCase& c : shows) {
        SCOPED_TRACE(c.hue);
        TFormSelMonster dialog;
        dialog.SetFileName("Slime");
        dialog.SetHue(c.hue);
        dialog.show();
        EXPECT_EQ(dialog.form()->TrackHue->value(), c.position);
        EXPECT_EQ(dialog.Hue(), c.hue);
        EXPECT_EQ(dialog.PreviewBoard().Pixel(160, 120), rotated(10, c.hue));
        EXPECT_EQ(dialog.form()->ImageHue->x(), c.position * 216 / 36 - 216);
    }

    TFormSelMonster dialog;
    dialog.SetFileName("Slime");
    dialog.SetHue(45);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Monsters Graphic");
    // Centred on the transparent colour: the 64 x 48 picture covers 128..191 x 96..143.
    EXPECT_EQ(dialog.PreviewBoard().Pixel(100, 100), colourOf(0));
    EXPECT_EQ(dialog.PreviewBoard().Pixel(130, 100), colourOf(0));
    EXPECT_EQ(dialog.PreviewBoard().Pixel(136, 96), rotated(10, 45));
    EXPECT_EQ(dialog.PreviewBoard().Pixel(136, 144), colourOf(0));

    // Each step is 10 degrees from the middle; both ends are half way round.
    QSlider* slider = dialog.form()->TrackHue;
    struct StepCase {
        Qt::Key key;
        int position;
        int hue;
    } steps[] = {{Qt::Key_Right, 23, 50},
                 {Qt::Key_Home, 0, 180},
                 {Qt::Key_Right, 1, 190},
                 {Qt::Key_End, 36, 180},
                 {Qt::Key_Left, 35, 170}};
    for (const StepCase& s : steps) {
        SCOPED_TRACE(s.position);
        QTest::keyClick(slider, s.key);
        EXPECT_EQ(slider->value(), s.position);
        EXPECT_EQ(dialog.Hue(), s.hue);
        // Always from the picture's own palette: shifts never pile up.
        EXPECT_EQ(dialog.PreviewBoard().Pixel(160, 120), rotated(10, s.hue));
        EXPECT_EQ(dialog.form()->ImageHue->x(), s.position * 6 - 216);
    }

    // Another picture starts unshifted, with the slider in the middle.
    clickRow(dialog.DataList(), 0);
    EXPECT_EQ(dialog.FileName(), "Bat");
    EXPECT_EQ(slider->value(), 18);
    EXPECT_EQ(dialog.Hue(), 0);
    EXPECT_EQ(dialog.PreviewBoard().Pixel(160, 120), colourOf(20));
}

TEST(MaterialPickers, SystemGraphicStoresWallpaperAndFontFromTheButtonsTags) {
    MaterialFolders folders;
    folders.Picture(true, "System", "Blue", FlatPicture(160, 80, 33));
    TFormSelSystem dialog;
    dialog.SetFileName("Blue");
    dialog.SetWallpaperMode(1);
    dialog.SetGameFont(0);
    dialog.show();
    auto* ui = dialog.form();
    EXPECT_EQ(dialog.windowTitle(), "Select System Graphics");
    EXPECT_TRUE(ui->RadioTile->isChecked());
    EXPECT_TRUE(ui->RadioFont1->isChecked());
    clickRadio(ui->RadioEnlarge);
    clickRadio(ui->RadioFont2);
    EXPECT_EQ(dialog.WallpaperMode(), 0);
    EXPECT_EQ(dialog.GameFont(), 1);
    // The sheet is 160 x 128 whatever the picture's size; rows it lacks stay index 0.
    EXPECT_EQ(dialog.Sheet().Height(), 128);
    EXPECT_EQ(dialog.PreviewBoard().Pixel(80, 40), colourOf(33));
    EXPECT_EQ(dialog.PreviewBoard().Pixel(80, 100), colourOf(0));
}

TEST(MaterialPickers, ChipPickerScrollsToTheChosenRowAndChoosesTheClickedChip) {
    MaterialFolders folders;
    folders.Picture(false, "ChipSet", "Tiles",
                    MakePicture(480, 256, [](int x, int y) { return 1 + (x / 16 * 7 + y / 16 * 3) % 250; }));
    TChipSetLook look;
    look.graphicName = "Tiles";
    TQelChipSetGraphic chipSet;
    chipSet.SetChipSet(&look);
    chipSet.SetTransparent(true);

    struct Case {
        bool upper;
        int chip;
        int scroll;
    } cases[] = {{true, 10040, (6 - 4) * 32}, {false, 5003, 0}, {false, 5143, 768 - 12 * 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chip);
        TFormSelReplChip dialog(nullptr, &chipSet, c.upper);
        dialog.SetChip(c.chip);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Select Chip");
        EXPECT_EQ(dialog.ChipBoard().Height(), 768);
        QScrollBar* bar = dialog.form()->ScrollBox->verticalScrollBar();
        EXPECT_EQ(bar->value(), c.scroll);
        int index = c.chip - (c.upper ? 10000 : 5000);
        TRect cell = Bounds(index % 6 * 32, index / 6 * 32, 32, 32);
        EXPECT_EQ(dialog.ChipBoard().Pixel(cell.left, cell.top), kWhite);
        // The chip drawn is the layer's chip, at 32 x 32.
        TPrismBoard reference;
        reference.SetSize(32, 32);
        chipSet.SetTransparent(false);
        chipSet.DrawChip(reference, 0, 0, c.chip, false, 32, 0);
        EXPECT_EQ(dialog.ChipBoard().Pixel(cell.left + 16, cell.top + 16), reference.Pixel(16, 16));
    }
    // The picker put the map's renderer back as it found it.
    chipSet.SetTransparent(true);
    {
        TFormSelReplChip dialog(nullptr, &chipSet, true);
        EXPECT_TRUE(chipSet.Sheet().Transparent());
    }

    TFormSelReplChip dialog(nullptr, &chipSet, true);
    dialog.SetChip(10100);
    dialog.show();
    QScrollBar* bar = dialog.form()->ScrollBox->verticalScrollBar();
    // A click in the scrolled view: row 13 + (40 / 32) = 14, column 4: chip 88.
    QTest::mouseClick(dialog.form()->PaintBox, Qt::LeftButton, {}, QPoint(4 * 32 + 3, bar->value() + 72));
    EXPECT_EQ(dialog.Chip(), 10000 + (bar->value() + 72) / 32 * 6 + 4);
    // The middle button pans the board: dragged down, the board follows and shows rows above.
    int before = bar->value();
    QTest::mousePress(dialog.form()->PaintBox, Qt::MiddleButton, {}, QPoint(50, before + 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, before + 200),
                     dialog.form()->PaintBox->mapToGlobal(QPointF(50, before + 200)), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.form()->PaintBox, &move);
    QTest::mouseRelease(dialog.form()->PaintBox, Qt::MiddleButton, {}, QPoint(50, before + 200));
    EXPECT_EQ(bar->value(), before - 100);
    EXPECT_EQ(dialog.Chip(), 10000 + (before + 72) / 32 * 6 + 4);
    doubleClick(dialog.form()->PaintBox, QPoint(5, bar->value() + 5));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Chip(), 10000 + (bar->value() + 5) / 32 * 6);
}
