// The character-set cache, battle-animation drawing, flashes and sounds, the 16-bit mask picture
// and the start-position marks.
#include <gtest/gtest.h>

#include <QDir>

#include "GraphicsTestUtil.h"
#include "graphics/GR_Animation.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GraphicsPorts.h"
#include "graphics/HighColorDIB.h"
#include "graphics/PictureFile.h"
#include "graphics/StartPosMark.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// Finds material in one folder per kind and counts the look-ups.
class FolderLocator : public MaterialLocatorPort {
public:
    explicit FolderLocator(QString root) : mRoot(std::move(root)) {}
    std::string Locate(const std::string& name, const std::string& folder) override {
        ++lookups;
        lastFolder = folder;
        return Path(mRoot + "/" + QString::fromStdString(folder) + "/" + QString::fromStdString(name) +
                    ".png");
    }
    int lookups = 0;
    std::string lastFolder;

private:
    QString mRoot;
};

struct ScopedLocator {
    explicit ScopedLocator(MaterialLocatorPort* port) { SetMaterialLocator(port); }
    ~ScopedLocator() { SetMaterialLocator(nullptr); }
};

class RecordingPlayer : public SoundPlayerPort {
public:
    void PlaySound(const std::string& path, int volume, int tempo, int balance) override {
        calls.push_back(path + " " + std::to_string(volume) + " " + std::to_string(tempo) + " " +
                        std::to_string(balance));
    }
    std::vector<std::string> calls;
};

} // namespace

TEST(CharSetCache, AcquireLoadsOnceAndTrimKeepsWhatIsUsed) {
    const QString root = MakeTempFolder("material");
    QDir().mkpath(root + "/CharSet");
    SavePictureFile(RandomPicture(kCharSetWidth, kCharSetHeight, 3), Path(root + "/CharSet/Hero.png"));
    FolderLocator locator(root);
    ScopedLocator scoped(&locator);

    TQelCharSetGraphic cache;
    EXPECT_EQ(cache.Acquire("Hero"), 0);
    EXPECT_EQ(cache.Acquire("Hero"), 0);
    EXPECT_EQ(locator.lookups, 1);
    EXPECT_EQ(locator.lastFolder, "CharSet");
    EXPECT_FALSE(cache.Sheet(0).IsTransparentArea(cache.Sheet(0).BoundsRect()));
    EXPECT_EQ(cache.Acquire("Missing"), 1); // no error: a blank sheet of the right size
    EXPECT_EQ(cache.Sheet(1).BoundsRect(), (TRect{0, 0, 288, 256}));
    EXPECT_TRUE(cache.Sheet(1).IsTransparentArea(cache.Sheet(1).BoundsRect()));
    EXPECT_EQ(cache.IndexOf("Missing"), 1);
    EXPECT_EQ(cache.IndexOf("Other"), -1);
    EXPECT_EQ(CharSetFrameOrigin(5, 2, 3), (TPoint{120, 224}));

    struct Case {
        int names;
        std::vector<int> used;
        std::vector<int> kept;
    } cases[] = {
        // 25 names, only the first used: removed until 19 remain.
        {25, {0}, {0, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
        // Used entries stay wherever they are; the walk stops once fewer than 20 remain.
        {21, {0, 2, 20}, {0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        // Fewer than 20: nothing goes.
        {5, {}, {0, 1, 2, 3, 4}},
        // The last entry is never examined, even unused.
        {20,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
    };
    for (const auto& c : cases) {
        TQelCharSetGraphic trimmed;
        for (int i = 0; i < c.names; ++i)
            trimmed.Acquire("C" + std::to_string(i));
        trimmed.ClearMarks();
        for (int i : c.used)
            trimmed.Acquire("C" + std::to_string(i));
        trimmed.Trim();
        std::vector<int> kept;
        for (int i = 0; i < trimmed.Count(); ++i)
            kept.push_back(std::stoi(trimmed.Name(i).substr(1)));
        EXPECT_EQ(kept, c.kept) << c.names << " names";
    }
}

TEST(AnimationGraphic, FlashTables) {
    TAnimationLook animation;
    animation.frames.resize(10);
    TAnimationTimingLook target;
    target.Frame = 3;
    target.FlashScope = 1;
    target.FlashRed = 31;
    target.FlashGreen = 10;
    target.FlashBlue = 0;
    target.FlashPower = 30;
    TAnimationTimingLook screen = target;
    screen.FlashScope = 2;
    screen.Frame = 12; // near the end: the table runs to frame count + 9
    screen.FlashPower = 6;
    TAnimationTimingLook overwrite = target;
    overwrite.Frame = 6;
    overwrite.FlashPower = 12;
    TAnimationTimingLook none = target;
    none.FlashScope = 0;
    TAnimationTimingLook beforeFirst = target;
    beforeFirst.Frame = 0;
    animation.timings = {beforeFirst, none, target, screen, overwrite};

    TQelAnimationGraphic graphic;
    graphic.SetAnimation(&animation, false);
    ASSERT_EQ(graphic.FlashCount(), 20);
    std::vector<int> targetStrengths, screenStrengths;
    for (int j = 0; j < 20; ++j) {
        targetStrengths.push_back(graphic.TargetFlash(j).strength);
        screenStrengths.push_back(graphic.ScreenFlash(j).strength);
    }
    // Frame 0's entry covers indices 0..4 at 30, 25, 20, 15, 10 (index -1 is dropped); frame 3
    // (strength 30) overwrites 2..7 with 31, 30, 25, 20, 15, 10; frame 6 (12) overwrites from 5.
    EXPECT_EQ(targetStrengths,
              (std::vector<int>{30, 25, 31, 30, 25, 14, 12, 10, 8, 6, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(screenStrengths,
              (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 6, 5, 4, 3, 2, 0, 0, 0}));
    EXPECT_EQ(graphic.TargetFlash(3), (TFlash{31, 10, 0, 30}));

    // Flashes reach any sheet's colour controls; outside the table they turn neutral.
    TPrismSheet monster;
    graphic.ApplyTargetFlash(monster, 3);
    EXPECT_EQ((std::vector<int>{monster.ColorControl1().ToneRed(), monster.ColorControl1().ToneGreen(),
                                monster.ColorControl1().ToneStrength()}),
              (std::vector<int>{31, 10, 30}));
    graphic.ApplyScreenFlash(monster, 13);
    EXPECT_EQ(monster.ColorControl2().ToneStrength(), 5);
    monster.ColorControl1().SetColor(50, 100, 100, 100, false);
    graphic.ApplyTargetFlash(monster, 20);
    EXPECT_EQ((std::vector<int>{monster.ColorControl1().Red(), monster.ColorControl1().ToneStrength()}),
              (std::vector<int>{100, 0}));

    graphic.SetAnimation(&animation, true); // no flash
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(graphic.TargetFlash(j).strength + graphic.ScreenFlash(j).strength, 0);
}

TEST(AnimationGraphic, CellsZoomColourAndTransparency) {
    const QString root = MakeTempFolder("battle");
    QDir().mkpath(root + "/Battle");
    TBitmap picture = RandomPicture(480, 192, 11); // 10 cells
    picture.ScanLine(96 + 5)[96 * 2 + 7] = 0;      // a transparent pixel in cell 7
    picture.Palette()[0] = {1, 2, 3, 0};
    SavePictureFile(picture, Path(root + "/Battle/Slash.png"));
    FolderLocator locator(root);
    ScopedLocator scoped(&locator);

    TAnimationLook animation;
    animation.graphicName = "Slash";
    TAnimationCellLook plain;
    plain.Pattern = 7;
    plain.X = 10;
    plain.Y = -5;
    TAnimationCellLook half = plain;
    half.Zoom = 50;
    half.Pattern = 2;
    TAnimationCellLook invisible = plain;
    invisible.Visible = false;
    invisible.Pattern = 0;
    TAnimationCellLook faded = plain;
    faded.Transparency = 100;
    faded.Pattern = 1;
    animation.frames = {{plain}, {half}, {plain, invisible}, {faded}};

    TQelAnimationGraphic graphic;
    graphic.SetAnimation(&animation, false);
    EXPECT_EQ(locator.lastFolder, "Battle");
    EXPECT_EQ(graphic.Sheet().BoundsRect(), (TRect{0, 0, 480, 192}));
    EXPECT_EQ(graphic.BackgroundColor(), (TRGB{1, 2, 3}));
    TPrismSheet& sheet = graphic.Sheet();
    const uint16_t background = 0x1234;
    auto freshBoard = [&] {
        auto board = std::make_unique<TPrismBoard>();
        board->SetSize(200, 200);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                board->Row(y)[x] = background;
        return board;
    };

    // Zoom 100: unscaled, centred at (100 + 10, 100 - 5), opaque, index 0 skipped.
    auto board = freshBoard();
    graphic.DrawCell(*board, 100, true, 0, 0, 100);
    EXPECT_EQ(board->Pixel(62, 47), sheet.ColorTable()[sheet.Row(96)[192]]);
    EXPECT_EQ(board->Pixel(62 + 95, 47 + 95), sheet.ColorTable()[sheet.Row(191)[287]]);
    EXPECT_EQ(board->Pixel(62 + 7, 47 + 5), background);
    EXPECT_EQ(board->Pixel(61, 47), background);

    // Zoom 50: 48 x 48 around the same centre, every second pixel.
    board = freshBoard();
    graphic.DrawCell(*board, 100, true, 0, 1, 100);
    EXPECT_EQ(board->Pixel(86, 71), sheet.ColorTable()[sheet.Row(0)[192]]);
    EXPECT_EQ(board->Pixel(87, 72), sheet.ColorTable()[sheet.Row(2)[194]]);
    EXPECT_EQ(board->Pixel(85, 71), background);
    EXPECT_EQ(board->Pixel(86 + 48, 71), background);

    // Transparency 100: opacity 0, which leaves the board as it was.
    board = freshBoard();
    graphic.DrawCell(*board, 100, true, 0, 3, 100);
    EXPECT_EQ(sheet.Opacity(), 0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(board->Pixel(x, y), background);

    // A frame draws its visible cells only; the cell's colours reach colour control 1.
    board = freshBoard();
    animation.frames[2][0].Red = 150;
    graphic.DrawFrame(*board, 100, 2, 100);
    EXPECT_EQ(sheet.ColorControl1().Red(), 150);
    TPrismSheet reference;
    reference.Palette() = sheet.Palette();
    reference.ColorControl1().SetColor(150, 100, 100, 100, true);
    EXPECT_EQ(board->Pixel(62, 47), reference.ColorTable()[sheet.Row(96)[192]]);
    EXPECT_EQ(board->Pixel(100, 100), reference.ColorTable()[sheet.Row(96 + 53)[192 + 38]]); // not cell 0's

    graphic.ResetColors();
    EXPECT_EQ(sheet.Opacity(), 255);
    EXPECT_EQ(sheet.ColorControl1().Red(), 100);
    board = freshBoard();
    graphic.DrawPictureCell(*board, 3, 6, 4);
    EXPECT_EQ(board->Pixel(3, 4), sheet.ColorTable()[sheet.Row(96)[96]]);
}

TEST(AnimationGraphic, FrameSoundsThroughThePlayer) {
    const QString root = MakeTempFolder("sounds");
    FolderLocator locator(root);
    ScopedLocator scoped(&locator);
    RecordingPlayer player;
    SetSoundPlayer(&player);

    TAnimationLook animation;
    animation.frames.resize(4);
    TAnimationTimingLook a;
    a.Frame = 2;
    a.SoundName = "Slash";
    a.Volume = 80;
    a.Tempo = 120;
    a.Balance = 30;
    TAnimationTimingLook off = a;
    off.SoundName = "(OFF)";
    TAnimationTimingLook other = a;
    other.Frame = 3;
    TAnimationTimingLook b = a;
    b.SoundName = "Hit";
    animation.timings = {a, off, other, b};
    TQelAnimationGraphic graphic;
    graphic.SetAnimation(&animation, false);
    graphic.PlayFrameSounds(1); // the entries of frame number 2
    SetSoundPlayer(nullptr);
    EXPECT_EQ(player.calls, (std::vector<std::string>{Path(root) + "/Sound/Slash.png 80 120 30",
                                                      Path(root) + "/Sound/Hit.png 80 120 30"}));
}

TEST(HighColorDIB, StrideRowsAndShapes) {
    THighColorDIB dib;
    struct Case {
        int width, stride;
    } cases[] = {{1, 4}, {2, 4}, {3, 8}, {10, 20}, {11, 24}};
    for (const auto& c : cases) {
        dib.SetSize(c.width, 3);
        EXPECT_EQ(dib.RowStride(), c.stride) << c.width;
    }
    dib.SetSize(7, 5);
    uint8_t* bits = dib.Bits();
    dib.SetSize(7, 5);
    EXPECT_EQ(dib.Bits(), bits); // unchanged size: the same picture
    EXPECT_THROW(dib.Row(-1), EInvalidGraphic);
    EXPECT_THROW(dib.Row(5), EInvalidGraphic);
    dib.FillEllipse({0, 0, 7, 5}, THighColorDIB::White);
    EXPECT_EQ(dib.Row(2)[0], THighColorDIB::White);
    EXPECT_EQ(dib.Row(0)[3], THighColorDIB::White);
    EXPECT_EQ(dib.Row(0)[0], 0);
    EXPECT_EQ(dib.Row(4)[6], 0);
    for (int y = 0; y < 5; ++y) // symmetric both ways
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(dib.Row(y)[x], dib.Row(4 - y)[x]);
            EXPECT_EQ(dib.Row(y)[x], dib.Row(y)[6 - x]);
        }
    dib.Clear();
    dib.FillRect({-2, 3, 3, 9}, 5);
    EXPECT_EQ((std::vector<int>{dib.Row(3)[0], dib.Row(4)[2], dib.Row(4)[3], dib.Row(2)[0]}),
              (std::vector<int>{5, 5, 0, 0}));
    dib.SetSize(0, 10);
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_THROW(dib.Row(0), EInvalidGraphic);
    EXPECT_THROW(dib.SetSize(100000, 100000), EOutOfResources);
}

TEST(StartPosMark, StripsAndDrawing) {
    TStartPosMark marks;
    for (int i = 0; i < 4; ++i) {
        const int size = 32 >> i;
        TPrismSheet& strip = marks.Strip(i);
        EXPECT_EQ(strip.BoundsRect(), (TRect{0, 0, 5 * size, size})) << TStartPosMark::StripName(i);
        for (int m = 0; m < 5; ++m) {
            const TRect square = Bounds(m * size, 0, size, size);
            EXPECT_FALSE(strip.IsTransparentArea(square)) << size << " mark " << m;
            if (size >= 8) {
                EXPECT_TRUE(strip.IsTransparentArea(Bounds(m * size, 0, 1, 1))); // rounded corner
            }
            for (int other = 0; other < m; ++other)
                EXPECT_FALSE(strip.SameArea(square, Bounds(other * size, 0, size, size))) << size << " " << m;
        }
    }
    EXPECT_STREQ(TStartPosMark::StripName(0), "STARTPOS1");

    auto draw = [&](bool dimmed, int size, int mark) {
        auto board = std::make_unique<TPrismBoard>();
        board->SetSize(40, 40);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                board->Row(y)[x] = 0x4208;
        marks.Draw(*board, 4, 4, dimmed, size, mark);
        return board;
    };
    // Mark 2 at size 16 is the strip's square at x 32.
    TPrismSheet& strip16 = marks.Strip(1);
    auto board = draw(false, 16, 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint8_t index = strip16.Row(y)[32 + x];
            ASSERT_EQ(board->Pixel(4 + x, 4 + y), index ? strip16.ColorTable()[index] : 0x4208);
        }
    EXPECT_EQ(board->Pixel(20, 10), 0x4208);
    // Dimmed: half opacity.
    auto dimmed = draw(true, 16, 2);
    const uint8_t centre = strip16.Row(8)[40];
    const uint16_t s = strip16.ColorTable()[centre], d = 0x4208;
    auto channel = [](uint16_t p, int shift, int mask) { return (p >> shift) & mask; };
    const uint16_t blended = uint16_t(((channel(s, 11, 31) * 129 + channel(d, 11, 31) * 128) >> 8) << 11 |
                                      ((channel(s, 5, 63) * 129 + channel(d, 5, 63) * 128) >> 8) << 5 |
                                      ((channel(s, 0, 31) * 129 + channel(d, 0, 31) * 128) >> 8));
    EXPECT_EQ(dimmed->Pixel(12, 12), blended);
    // Other sizes and marks draw nothing.
    for (auto [size, mark] : std::vector<std::pair<int, int>>{{12, 0}, {64, 0}, {16, 5}, {16, -1}}) {
        auto nothing = draw(false, size, mark);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(nothing->Pixel(x, y), 0x4208) << size << " " << mark;
    }
}
