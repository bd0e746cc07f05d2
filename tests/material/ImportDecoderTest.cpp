// The import decoder: pictures of every kind a paint program writes (PNG of every colour type,
// depth and interlacing, made here by PIL and ImageMagick) become 8-bit pictures that keep their
// colours, with transparency as palette entry 0, stored in a form the project's own reader loads.
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "graphics/PictureFile.h"
#include "project/MaterialBase.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// 16 x 8 pictures whose colours follow a pattern the test knows. PIL writes the paletted, grey and
// alpha kinds; ImageMagick the 16-bit and interlaced true-colour ones.
const char* const kMakePictures = R"(
import sys
from PIL import Image
d = sys.argv[1]
W, H = 16, 8
def pal(bits):
    n = 1 << bits
    im = Image.new('P', (W, H))
    im.putpalette(sum([[i * 255 // (n - 1), 255 - i * 255 // (n - 1), (i * 40) % 256] for i in range(n)], []))
    im.putdata([(x + y) % n for y in range(H) for x in range(W)])
    im.save('%s/p%d.png' % (d, bits), bits=bits)
for b in (1, 2, 4, 8):
    pal(b)
g = Image.new('L', (W, H)); g.putdata([x * 16 for y in range(H) for x in range(W)]); g.save(d + '/grey.png')
ga = Image.new('LA', (W, H)); ga.putdata([(x * 16, 0 if x < 4 else 255) for y in range(H) for x in range(W)]); ga.save(d + '/greyalpha.png')
rgba = Image.new('RGBA', (W, H)); rgba.putdata([(x * 16, y * 32, 100, 0 if y == 0 else 255) for y in range(H) for x in range(W)]); rgba.save(d + '/rgba.png')
rgb = Image.new('RGB', (W, H)); rgb.putdata([(x * 16, y * 32, 100) for y in range(H) for x in range(W)]); rgb.save(d + '/rgb.png')
)";

struct Expected {
    bool transparent;
    int red, green, blue;
};

// The colour (or transparency) each test picture has at (x, y).
Expected expectedAt(const QString& name, int x, int y) {
    if (name.startsWith('p')) {
        const int n = 1 << name.mid(1).toInt();
        const int i = (x + y) % n;
        return {false, i * 255 / (n - 1), 255 - i * 255 / (n - 1), (i * 40) % 256};
    }
    if (name == "grey") return {false, x * 16, x * 16, x * 16};
    if (name == "greyalpha") return {x < 4, x * 16, x * 16, x * 16};
    if (name == "rgba") return {y == 0, x * 16, y * 32, 100};
    // rgb, and the 16-bit and interlaced copies of it
    return {false, x * 16, y * 32, 100};
}

} // namespace

TEST(ImportDecoder, EveryKindOfPngBecomesAStoredEightBitPicture) {
    const QString folder = MakeTempFolder("import");
    ProcessResult made = Python(kMakePictures, {folder});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    ProcessResult deep = RunProgram("convert", {folder + "/rgb.png", "-depth", "16", "PNG48:" + folder + "/rgb16.png"});
    ASSERT_EQ(deep.exitCode, 0) << deep.err.toStdString();
    ProcessResult interlaced =
        RunProgram("convert", {folder + "/rgb.png", "-interlace", "PNG", "PNG24:" + folder + "/interlaced.png"});
    ASSERT_EQ(interlaced.exitCode, 0) << interlaced.err.toStdString();
    ASSERT_TRUE(QDir().mkpath(folder + "/stored"));

    for (const QString name :
         {"p1", "p2", "p4", "p8", "grey", "greyalpha", "rgba", "rgb", "rgb16", "interlaced"}) {
        SCOPED_TRACE(name.toStdString());
        TBitmap picture = LoadImportPicture(folder + "/" + name + ".png");
        ASSERT_EQ(picture.PixelFormat(), TPixelFormat::pf8bit);
        ASSERT_EQ(picture.Width(), 16);
        ASSERT_EQ(picture.Height(), 8);
        const QString stored = SaveImportedPicture(picture, folder + "/stored", name, MaterialSaveFormat::Png);
        TBitmap back;
        ASSERT_NO_THROW(LoadPictureFile(back, stored.toStdString()));
        ASSERT_EQ(back.PixelFormat(), TPixelFormat::pf8bit);
        int wrong = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) {
                const QString base = name == "rgb16" || name == "interlaced" ? "rgb" : name;
                const Expected e = expectedAt(base, x, y);
                if (e.transparent) {
                    if (back.PixelIndex(x, y) != 0) ++wrong;
                    continue;
                }
                uint8_t r, g, b;
                back.PixelColor(x, y, r, g, b);
                if (back.PixelIndex(x, y) == 0 && base != "rgb" && base != "grey" && !base.startsWith('p')) ++wrong;
                if (r != e.red || g != e.green || b != e.blue) ++wrong;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ImportDecoder, TransparencyTakesAColourOfItsOwnAndTheProjectReaderStillRefusesForeignKinds) {
    // Two opaque colours and a transparent corner: entry 0 is a third colour, not either of them.
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(qRgba(255, 0, 255, 255));
    image.setPixel(1, 1, qRgba(10, 20, 30, 255));
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(3, 3, qRgba(200, 200, 200, 100)); // more than half transparent
    TBitmap picture = ImportBitmapOf(image);
    EXPECT_EQ(picture.PixelIndex(0, 0), 0);
    EXPECT_EQ(picture.PixelIndex(3, 3), 0);
    EXPECT_NE(picture.PixelIndex(1, 1), 0);
    EXPECT_NE(picture.PixelIndex(2, 2), 0);
    const TPaletteEntry key = picture.Palette()[0];
    for (const auto& [x, y] : {std::pair{1, 1}, std::pair{2, 2}}) {
        const TPaletteEntry e = picture.Palette()[size_t(picture.PixelIndex(x, y))];
        EXPECT_FALSE(e.red == key.red && e.green == key.green && e.blue == key.blue);
    }

    // The project's own reader is unchanged: a greyscale PNG in a project folder is refused.
    const QString folder = MakeTempFolder("foreign");
    ASSERT_EQ(Python(kMakePictures, {folder}).exitCode, 0);
    TBitmap direct;
    EXPECT_THROW(LoadPictureFile(direct, (folder + "/grey.png").toStdString()), EPictureError);
}
