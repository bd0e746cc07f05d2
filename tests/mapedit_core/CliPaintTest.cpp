// tarvel-cli paint, run as a program on a project folder.
#include <gtest/gtest.h>

#include "MapEditFixtures.h"
#include "graphics/GR_ChipSet.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// A project whose map 1 is width x height grass.
QString grassProject(int width = 8, int height = 6, bool withPicture = true) {
    const QString folder = MakeTempFolder("paint");
    TQelMap map(1);
    ResetGrassMap(map, width, height);
    WriteSampleProject(folder, map, nullptr, withPicture);
    return folder;
}

std::unique_ptr<TQelMap> loadMap(const QString& folder) {
    auto map = std::make_unique<TQelMap>(1);
    map->ReadFile((folder + "/Map0001.qmu").toStdString());
    return map;
}

// Paints and returns the map as written back.
std::unique_ptr<TQelMap> paint(const QString& folder, const QStringList& args) {
    const ProcessResult r = RunCli(QStringList{"paint", folder, "1"} + args);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return loadMap(folder);
}

} // namespace

TEST(CliPaint, AppliesTheOperationsInOrderAndWritesTheMapBack) {
    const QString folder = grassProject();
    const auto map = paint(folder, {"pen:2,2:4049", "pen:3,2:4049", "rect:1,4,3,5:1049"});
    EXPECT_EQ(map->LowerLayer.GetChip(2, 2), 4043);
    EXPECT_EQ(map->LowerLayer.GetChip(3, 2), 4045);
    // A water rectangle on the bottom row: the map's edge does not break it (no --ctrl).
    EXPECT_EQ(map->LowerLayer.GetChip(1, 4), 1034);
    EXPECT_EQ(map->LowerLayer.GetChip(2, 5), 1000);
    EXPECT_EQ(map->LowerLayer.GetChip(3, 5), 1024);
    EXPECT_EQ(map->LowerLayer.GetChip(0, 0), Grass);
    EXPECT_EQ(map->SaveCount, 2) << "the sample map was saved once before";

    const auto more =
        paint(folder, {"brush:4,0:2,2:5001,5002,5003,5004", "ellipse:2,0,7,4:4099", "fill:0,5:2049"});
    EXPECT_EQ(more->LowerLayer.GetChip(7, 0), Grass) << "the ellipse's corner, cut off from the fill";
    EXPECT_EQ(more->LowerLayer.GetChip(2, 0), 2038) << "the other corner, filled";
    for (int x = 3; x <= 6; ++x)
        EXPECT_EQ(ChipKind(more->LowerLayer.GetChip(x, 0)), 7) << "the ellipse over the brush at " << x;
    EXPECT_EQ(more->LowerLayer.GetChip(4, 1), 4050) << "inside the ellipse";
    EXPECT_EQ(ChipKind(more->LowerLayer.GetChip(0, 4)), 2) << "the fill of the grass around everything";
    EXPECT_EQ(more->LowerLayer.GetChip(0, 0), 2050) << "deep water in the corner";
    EXPECT_EQ(more->LowerLayer.GetChip(1, 4), 1052)
        << "water B with deep water above and to its left, the ellipse at its top-right";
    EXPECT_EQ(more->LowerLayer.GetChip(2, 5), 1002) << "the ellipse took its top-right neighbour";
}

TEST(CliPaint, LayerAndKeyOptionsAndPrinting) {
    struct Case {
        const char* what;
        QStringList args;
        bool upper;
        TPoint cell;
        int chip;
    };
    const Case cases[] = {
        {"upper layer", {"--upper", "pen:1,1:10005"}, true, {1, 1}, 10005},
        {"shift", {"--shift", "pen:1,1:4049"}, false, {1, 1}, 4000},
        {"ctrl on the border", {"--ctrl", "rect:0,0,1,1:4049"}, false, {0, 0}, 4034},
        {"no ctrl on the border", {"rect:0,0,1,1:4049"}, false, {0, 0}, 4000},
        {"a brush row by row", {"brush:1,1:2,2:5001,5002,5003,5004"}, false, {1, 2}, 5003},
    };
    for (const Case& c : cases) {
        const QString folder = grassProject();
        const auto map = paint(folder, c.args);
        const TQelMapLayer& layer = c.upper ? map->UpperLayer : map->LowerLayer;
        EXPECT_EQ(layer.GetChip(c.cell.x, c.cell.y), c.chip) << c.what;
        if (c.upper) {
            EXPECT_EQ(map->LowerLayer.GetChip(c.cell.x, c.cell.y), Grass) << "the lower layer is untouched";
        }
    }

    // --print shows the painted layer instead of writing it; cells outside the map are -1.
    const QString folder = grassProject();
    const QByteArray before = ReadFile(folder + "/Map0001.qmu");
    ProcessResult r = RunCli({"paint", folder, "1", "--print", "5,2,8,3", "pen:6,3:4049", "pen:7,3:4049"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "5000 5000 5000   -1\n5000 4043 4033   -1\n");
    EXPECT_EQ(ReadFile(folder + "/Map0001.qmu"), before);
    r = RunCli({"paint", folder, "1", "--upper", "--print", "1,1,0,0"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), "10000 10000\n10000 10000\n");
}

TEST(CliPaint, LinksComeFromTheProjectsChipSetPicture) {
    // Kind 6 beside kind 8: the sample chipset gives kind 8 no link, so kind 6 shows its edge; a
    // project without the picture has a blank chipset, in which every autotile links to kind 6.
    const QString withPicture = grassProject();
    EXPECT_EQ(paint(withPicture, {"pen:4,2:4149", "pen:3,2:4049"})->LowerLayer.GetChip(3, 2), 4046);
    EXPECT_EQ(paint(withPicture, {"pen:2,4:4099", "pen:1,4:4049"})->LowerLayer.GetChip(1, 4), 4043)
        << "kind 7 links to kind 6";

    const QString without = grassProject(8, 6, false);
    const ProcessResult r = RunCli({"paint", without, "1", "pen:4,2:4149", "pen:3,2:4049"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("warning: chipset picture \"Sample\"")) << r.err.toStdString();
    EXPECT_EQ(loadMap(without)->LowerLayer.GetChip(3, 2), 4043);
}

TEST(CliPaint, WrongWordsAndMissingFiles) {
    const QString folder = grassProject();
    struct Case {
        QStringList args;
        int exitCode;
        const char* err;
    };
    const Case cases[] = {
        {{"paint", folder, "1"}, 2, "usage"},
        {{"paint", folder, "1", "line:1,1:5000"}, 2, "unknown operation"},
        {{"paint", folder, "1", "pen:1,1"}, 2, "unknown operation"},
        {{"paint", folder, "1", "pen:1:5000"}, 2, "2 numbers"},
        {{"paint", folder, "1", "pen:1,x:5000"}, 2, "not a whole number"},
        {{"paint", folder, "1", "pen:1,1:6000"}, 2, "outside 0..5143"},
        {{"paint", folder, "1", "--upper", "pen:1,1:5000"}, 2, "outside 10000..19999"},
        {{"paint", folder, "1", "brush:1,1:2,2:5000,5001,5002"}, 2, "needs 4 chips"},
        {{"paint", folder, "1", "brush:1,1:7,1:5000"}, 2, "outside 1..6"},
        {{"paint", folder, "1", "--print", "1,1", "pen:1,1:5000"}, 2, "4 numbers"},
        {{"paint", folder, "0", "pen:1,1:5000"}, 2, "usage"},
        {{"paint", folder, "1", "--bogus", "pen:1,1:5000"}, 2, "usage"},
        {{"paint", folder, "2", "pen:1,1:5000"}, 1, "Map0002.qmu"},
        {{"paint", folder + "/none", "1", "pen:1,1:5000"}, 1, "no such project folder"},
    };
    const QByteArray before = ReadFile(folder + "/Map0001.qmu");
    for (const Case& c : cases) {
        const ProcessResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString() << "\n" << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("tarvel-cli: ")) << r.err.toStdString();
    }
    EXPECT_EQ(ReadFile(folder + "/Map0001.qmu"), before) << "nothing was written";

    // A project without its database.
    QFile::remove(folder + "/QUORIN.qdb");
    const ProcessResult r = RunCli({"paint", folder, "1", "pen:1,1:5000"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("tarvel-cli: paint: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("QUORIN.qdb")) << r.err.toStdString();
}
