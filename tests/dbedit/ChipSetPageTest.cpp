#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "DataBaseFixture.h"
#include "PageTestSupport.h"
#include "controls/BoardView.h"
#include "data/LD_Common.h"
#include "dbedit/ED_ChipSet.h"
#include "dbedit/ED_Widgets.h"
#include "graphics/EditorMarks.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

constexpr int ChipSetTab = 9;

struct ChipSetPage {
    DataBaseProject p;
    TFormEDChipSet* page = nullptr;
    TPrismSheet marks, hot;

    explicit ChipSetPage(int extraRecords = 0) {
        RememberedChipSetTab().Reset();
        if (extraRecords) ResizeList(p.db().ChipSets(), p.db().ChipSets().Count() + extraRecords);
        p.open(ChipSetTab);
        page = dynamic_cast<TFormEDChipSet*>(p.form->Page());
        EXPECT_NE(page, nullptr);
        // The timers are driven by hand.
        page->MouseTimer()->stop();
        page->PreviewTimer()->stop();
        DrawChipMarkSheet(marks, false);
        DrawChipMarkSheet(hot, true);
    }
    TQelChipSetItem& record() { return *page->Current(); }
    static QPoint cellPoint(int cell, int dx = 16, int dy = 16) {
        return {(cell % 6) * 32 + dx, (cell / 6) * 32 + dy};
    }
    void click(bool upper, int cell, Qt::MouseButton button, int dx = 16, int dy = 16) {
        QTest::mouseClick(page->PaintBox(upper), button, {}, cellPoint(cell, dx, dy));
    }
    // The mark m of the (normal or highlighted) sheet stands at (dx, dy) in the cell.
    bool shows(int cell, TChipMark m, bool highlighted, int dx = 8, int dy = 8) {
        const QPoint at = cellPoint(cell, 0, 0);
        return ShowsSheetPart(page->PaletteBoard(), at.x() + dx, at.y() + dy, highlighted ? hot : marks,
                              ChipMarkRect(int(m)));
    }
};

} // namespace

TEST(ChipSetPage, ANewChipSetShowsItsDefaults) {
    ChipSetPage t(1);
    t.page->DataList()->setCurrentRow(2);
    ASSERT_EQ(t.page->Current()->ID, 3);
    EXPECT_EQ(t.page->EditName()->maxLength(), 20);
    // Terrain 1 on every lower chip: one digit, 12 pixels in, 8 down.
    for (int cell = 0; cell < LowerChipCount; ++cell) {
        const QPoint at = ChipSetPage::cellPoint(cell, 0, 0);
        ASSERT_TRUE(
            ShowsSheetPart(t.page->PaletteBoard(), at.x() + 12, at.y() + 8, t.marks, ChipDigitRect(1)))
            << cell;
    }
    t.page->SetMode(TFormEDChipSet::ModeBlockPass);
    for (int cell = 0; cell < LowerChipCount; ++cell)
        ASSERT_TRUE(t.shows(cell, TChipMark::Circle, false)) << cell;
    t.page->SetUpperTab(true);
    EXPECT_EQ(t.page->Mode(), TFormEDChipSet::ModeBlockPass);
    EXPECT_TRUE(t.shows(0, TChipMark::Square, false));
    for (int cell = 1; cell < UpperChipCount; ++cell)
        ASSERT_TRUE(t.shows(cell, TChipMark::Circle, false)) << cell;

    // The empty upper chip is neither highlighted nor edited.
    t.page->PaintBoxMouseMove(true, ChipSetPage::cellPoint(0), Qt::NoButton);
    EXPECT_EQ(t.page->MousePosition(), QPoint(-1, -1));
    t.click(true, 0, Qt::LeftButton);
    t.click(true, 0, Qt::RightButton);
    EXPECT_EQ(t.record().UpperChipPass(0), 31);
    EXPECT_TRUE(t.shows(0, TChipMark::Square, false));
    EXPECT_FALSE(t.p.form->ButtonApply()->isEnabled());
    // Any other cell under the mouse is drawn highlighted.
    t.page->PaintBoxMouseMove(true, ChipSetPage::cellPoint(1), Qt::NoButton);
    EXPECT_TRUE(t.shows(1, TChipMark::Circle, true));
    t.page->PaintBoxMouseMove(true, ChipSetPage::cellPoint(2), Qt::NoButton);
    EXPECT_TRUE(t.shows(1, TChipMark::Circle, false));
}

TEST(ChipSetPage, BlockPassClicksStepThroughTheMarks) {
    const int circle = 0x0F, cross = 0x00, square = 0x1F, star = 0x30;
    struct Case {
        bool upper;
        int cell;
        Qt::MouseButton button;
        std::vector<int> values;
    } cases[] = {
        {false, 6, Qt::LeftButton, {circle, cross, square, star, circle}},
        {false, 13, Qt::RightButton, {circle, star, square, cross, circle}},
        {false, 18, Qt::LeftButton, {circle, cross, square, circle}},
        {false, 2, Qt::RightButton, {circle, square, cross, circle}},
        {true, 10, Qt::LeftButton, {circle, cross, square, circle}},
    };
    ChipSetPage t(1);
    t.page->DataList()->setCurrentRow(2);
    for (const Case& c : cases) {
        t.page->SetUpperTab(c.upper);
        t.page->SetMode(TFormEDChipSet::ModeBlockPass);
        auto pass = [&] {
            return c.upper ? t.record().UpperChipPass(c.cell) : t.record().LowerChipPass(c.cell);
        };
        ASSERT_EQ(pass(), c.values[0]);
        for (size_t i = 1; i < c.values.size(); ++i) {
            t.click(c.upper, c.cell, c.button);
            EXPECT_EQ(pass(), c.values[i]) << c.cell << " click " << i;
            EXPECT_TRUE(t.shows(c.cell, BlockPassMark(c.values[i]), true)) << c.cell << " click " << i;
        }
    }
    EXPECT_TRUE(t.p.form->ButtonApply()->isEnabled());
}

TEST(ChipSetPage, PassFourDirTogglesTheQuarterUnderTheMouse) {
    ChipSetPage t(1);
    t.page->DataList()->setCurrentRow(2);
    t.page->SetMode(TFormEDChipSet::ModePass4Dir);
    t.click(false, 20, Qt::LeftButton, 16, 1); // near the top edge
    EXPECT_EQ(t.record().LowerChipPass(20), 0x07);
    // The mouse is on the up quarter: its mark (now the dot) is highlighted, the others are not.
    EXPECT_TRUE(t.shows(20, TChipMark::Dot, true, 8, 0));
    EXPECT_TRUE(t.shows(20, TChipMark::ArrowLeft, false, 0, 8));
    EXPECT_TRUE(t.shows(20, TChipMark::ArrowRight, false, 16, 8));
    EXPECT_TRUE(t.shows(20, TChipMark::ArrowDown, false, 8, 16));
    t.click(false, 20, Qt::LeftButton, 1, 16); // near the left edge
    EXPECT_EQ(t.record().LowerChipPass(20), 0x05);
    t.click(false, 20, Qt::RightButton, 16, 16); // the centre belongs to the lower quarter
    EXPECT_EQ(t.record().LowerChipPass(20), 0x04);

    t.page->SetUpperTab(true);
    t.page->SetMode(TFormEDChipSet::ModePass4Dir);
    t.click(true, 3, Qt::LeftButton, 30, 16);
    EXPECT_EQ(t.record().UpperChipPass(3), 0x0B);
    t.click(true, 3, Qt::LeftButton, 31, 0); // the top right corner lies on the up side
    EXPECT_EQ(t.record().UpperChipPass(3), 0x03);
    EXPECT_EQ(t.record().LowerChipPass(3), 0x0F);
}

TEST(ChipSetPage, TerrainIsPickedWithTheRightButtonAndPaintedByDragging) {
    ChipSetPage t;
    TQelChipSetItem& chipSet = t.record();
    ASSERT_TRUE(t.page->TerrainList()->isEnabled());
    const int picked = chipSet.ChipTerrain(30);
    ASSERT_GT(picked, 1);
    t.click(false, 30, Qt::RightButton);
    EXPECT_EQ(t.page->TerrainList()->currentRow(), picked - 1);

    t.page->TerrainList()->setCurrentRow(3);
    const std::vector<int> before = [&] {
        std::vector<int> v;
        for (int c = 0; c < LowerChipCount; ++c)
            v.push_back(chipSet.ChipTerrain(c));
        return v;
    }();
    QWidget* box = t.page->PaintBox(false);
    SendMouse(box, QEvent::MouseButtonPress, ChipSetPage::cellPoint(24), Qt::LeftButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseMove, ChipSetPage::cellPoint(25), Qt::NoButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseMove, ChipSetPage::cellPoint(31), Qt::NoButton, Qt::LeftButton);
    // Left of the palette and above it nothing is painted.
    SendMouse(box, QEvent::MouseMove, QPoint(-4, 4 * 32 + 10), Qt::NoButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseMove, QPoint(40, -10), Qt::NoButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseButtonRelease, QPoint(40, -10), Qt::LeftButton, Qt::NoButton);
    // Moving after the release paints nothing either.
    SendMouse(box, QEvent::MouseMove, ChipSetPage::cellPoint(40), Qt::NoButton, Qt::NoButton);
    for (int c = 0; c < LowerChipCount; ++c)
        EXPECT_EQ(chipSet.ChipTerrain(c), c == 24 || c == 25 || c == 31 ? 4 : before[size_t(c)]) << c;
    const QPoint at = ChipSetPage::cellPoint(25, 0, 0);
    EXPECT_TRUE(ShowsSheetPart(t.page->PaletteBoard(), at.x() + 12, at.y() + 8, t.marks, ChipDigitRect(4)));
}

TEST(ChipSetPage, ModesDisableTheTerrainListAndRememberItsRow) {
    ChipSetPage t;
    t.page->TerrainList()->setCurrentRow(5);
    t.page->SetMode(TFormEDChipSet::ModeBlockPass);
    EXPECT_FALSE(t.page->TerrainList()->isEnabled());
    EXPECT_TRUE(t.page->TerrainList()->selectedItems().isEmpty());
    EXPECT_FALSE(t.page->ButtonSetAll()->isEnabled());
    EXPECT_TRUE(t.page->ModeButton(false, TFormEDChipSet::ModeBlockPass)->isChecked());
    EXPECT_FALSE(t.page->ModeButton(false, TFormEDChipSet::ModeTerrain)->isChecked());
    t.page->SetMode(TFormEDChipSet::ModePass4Dir);
    t.page->SetMode(TFormEDChipSet::ModeTerrain);
    EXPECT_TRUE(t.page->TerrainList()->isEnabled());
    EXPECT_EQ(t.page->TerrainList()->currentRow(), 5);
    EXPECT_TRUE(t.page->ButtonSetAll()->isEnabled());

    // The tab is remembered for the next opening.
    t.page->SetUpperTab(true);
    t.p.form.reset();
    t.p.open(ChipSetTab);
    auto* again = dynamic_cast<TFormEDChipSet*>(t.p.form->Page());
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->UpperTab());
}

TEST(ChipSetPage, SetToAllAndCounterFlagsReachTheFile) {
    ChipSetPage t;
    const int upper8 = t.record().UpperChipPass(8), upper9 = t.record().UpperChipPass(9);
    t.page->TerrainList()->setCurrentRow(1);
    OnNextModal<TFormSetAllChips>([](TFormSetAllChips* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Set All Chips to...");
        EXPECT_EQ(dialog->TerrainBox()->currentIndex(), 1);
        dialog->TerrainBox()->setCurrentIndex(2);
        dialog->accept();
    });
    t.page->ButtonSetAllClick();
    for (int c = 0; c < LowerChipCount; ++c)
        ASSERT_EQ(t.record().ChipTerrain(c), 3) << c;
    const QPoint at = ChipSetPage::cellPoint(100, 0, 0);
    EXPECT_TRUE(ShowsSheetPart(t.page->PaletteBoard(), at.x() + 12, at.y() + 8, t.marks, ChipDigitRect(3)));

    t.page->SetUpperTab(true);
    t.page->SetMode(TFormEDChipSet::ModeCounter);
    t.click(true, 7, Qt::LeftButton);
    t.click(true, 9, Qt::LeftButton);
    t.click(true, 9, Qt::RightButton);
    EXPECT_TRUE(t.shows(7, TChipMark::Counter, false));
    EXPECT_TRUE(t.shows(9, TChipMark::Dot, true));
    const int upper7 = t.record().UpperChipPass(7);
    EXPECT_EQ(upper7 & ChipPass::Counter, ChipPass::Counter);
    t.p.close(true);

    const QJsonObject chipSet = t.p.savedFile()["chipsets"].toArray()[0].toObject();
    const QJsonArray terrain = chipSet["Terrain"].toArray();
    ASSERT_EQ(terrain.size(), LowerChipCount);
    for (const QJsonValue& v : terrain)
        EXPECT_EQ(v.toInt(), 3);
    const QJsonArray upper = chipSet["UpperPass"].toArray();
    ASSERT_EQ(upper.size(), UpperChipCount);
    EXPECT_EQ(upper[7].toInt(), upper7);
    EXPECT_EQ(upper[8].toInt(), upper8);
    EXPECT_EQ(upper[9].toInt(), upper9);
    EXPECT_EQ(upper[0].toInt(), 31);
}

TEST(ChipSetPage, SeaPreviewFollowsItsTimerAndSettings) {
    TestPictures pictures;
    // Water A's centre in its three animation columns: red, green, blue.
    const std::vector<TRGB> colours = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    TBitmap sea = pictures.Blank(480, 256, colours);
    for (int frame = 0; frame < 3; ++frame)
        TestPictures::Fill(sea, Bounds(16 * frame, 64, 16, 16), uint8_t(frame + 1));
    pictures.Add("TestSea", sea);
    ChipSetPage t;
    t.record().GraphicName = "TestSea";
    t.record().SeaAnimation = 0;
    t.record().SeaSpeed = 0;
    t.page->ReloadRecord();
    t.page->PreviewTimer()->stop();
    EXPECT_EQ(t.page->PreviewCounter(), 0);

    auto shown = [&] {
        const uint16_t p = t.page->PreviewBoard().Pixel(16, 16);
        for (int i = 1; i <= 3; ++i)
            if (p == Pack565(colours[size_t(i)])) return i;
        return 0;
    };
    // Slow, 1-2-3-2: a step every two ticks, the fourth step shows the second frame again.
    std::vector<int> frames;
    for (int tick = 0; tick <= 8; ++tick) {
        frames.push_back(shown());
        t.page->PreviewTimerTick();
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 3, 3, 2, 2, 1}));

    // Fast 1-2-3 restarts from the first frame and steps every tick.
    t.page->SpeedButton(1)->click();
    EXPECT_EQ(t.page->PreviewCounter(), 0);
    t.page->PreviewTimer()->stop();
    t.page->SequenceButton(1)->click();
    t.page->PreviewTimer()->stop();
    frames.clear();
    for (int tick = 0; tick <= 3; ++tick) {
        frames.push_back(shown());
        t.page->PreviewTimerTick();
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 1}));
    EXPECT_EQ(t.record().SeaSpeed, 1);
    EXPECT_EQ(t.record().SeaAnimation, 1);
    EXPECT_TRUE(t.p.form->ButtonApply()->isEnabled());
}

TEST(ChipSetPage, PictureAndNameAreEditedHere) {
    TestPictures pictures;
    ChipSetPage t;
    // Two one-colour pictures, in the project's chipset folder for the picker to list.
    for (const auto& [name, colour] :
         {std::pair<std::string, TRGB>{"Before", {200, 0, 0}}, {"After", {0, 200, 0}}}) {
        TBitmap picture = pictures.Blank(480, 256, {{0, 0, 0}, colour});
        TestPictures::Fill(picture, Bounds(0, 0, 480, 256), 1);
        pictures.Add(name, picture);
        WriteProjectPicture("ChipSet", QString::fromStdString(name), picture);
    }
    t.record().GraphicName = "Before";
    t.page->ReloadRecord();
    EXPECT_EQ(t.page->ImageBox()->Value(), "Before");
    const QPoint corner = ChipSetPage::cellPoint(40, 2, 2);
    EXPECT_EQ(t.page->PaletteBoard().Pixel(corner.x(), corner.y()), Pack565({200, 0, 0}));

    // Cancel keeps the picture; OK takes the chosen one, and the palette shows it at once.
    PickPicture(t.page->ImageBox(), "Select ChipSet Graphics", "Before", "After", false);
    EXPECT_EQ(t.record().GraphicName, "Before");
    EXPECT_FALSE(t.p.form->ButtonApply()->isEnabled());
    PickPicture(t.page->ImageBox(), "Select ChipSet Graphics", "Before", "After", true);
    EXPECT_EQ(t.record().GraphicName, "After");
    EXPECT_EQ(t.page->ImageBox()->Value(), "After");
    EXPECT_EQ(t.page->PaletteBoard().Pixel(corner.x(), corner.y()), Pack565({0, 200, 0}));
    EXPECT_TRUE(t.p.form->ButtonApply()->isEnabled());

    // The name is cut at 20 characters and its list row follows it.
    t.page->EditName()->setText("A name longer than twenty characters");
    EXPECT_EQ(t.record().Name, "A name longer than t");
    EXPECT_EQ(t.page->DataList()->item(0)->text(), "0001:A name longer than t");
    t.p.close(true);
    const QJsonObject chipSet = t.p.savedFile()["chipsets"].toArray()[0].toObject();
    EXPECT_EQ(chipSet["GraphicName"].toString(), "After");
    EXPECT_EQ(chipSet["Name"].toString(), "A name longer than t");
}
