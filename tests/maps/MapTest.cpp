#include <QFile>
#include <gtest/gtest.h>

#include "MapFixtures.h"
#include "platform/Paths.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// The header as it starts every map file.
Bytes header() {
    return Hex("0A 51 65 6C 4D 61 70 55 6E 69 74");
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A layer chunk of width x height cells of one chip.
Bytes layerChunk(int id, int width, int height, uint16_t chip) {
    TMemoryStream s;
    WriteVarInt(s, static_cast<uint32_t>(id));
    WriteVarInt(s, static_cast<uint32_t>(width * height * 2));
    for (int i = 0; i < width * height; ++i)
        s.WriteUInt16LE(chip);
    return s.Bytes();
}

Bytes intChunk(int id, int32_t value) {
    TMemoryStream s;
    WriteVarInt(s, static_cast<uint32_t>(id));
    WriteVarInt(s, value, true);
    return s.Bytes();
}

// Records what the map asks of its graphics.
struct RecordingGraphics : TQelMapGraphics {
    std::vector<int32_t>* chipSets;
    std::vector<std::string>* charSets;
    RecordingGraphics(std::vector<int32_t>* c, std::vector<std::string>* s) : chipSets(c), charSets(s) {}
    void ReloadChipSet(int32_t id) override { chipSets->push_back(id); }
    void CollectCharSet(const std::string& name) override { charSets->push_back(name); }
};

class MapFile : public ProjectFolderTest {};

} // namespace

TEST(MapLayer, GetChipWrapsOnlyWhereTheMapLoops) {
    TQelMap map;
    map.Reset();
    for (int32_t x = 0; x < 20; ++x)
        for (int32_t y = 0; y < 15; ++y)
            map.LowerLayer.SetChip(x, y, 1000 + x * 100 + y);
    struct Case {
        int scrollType;
        int32_t x, y;
        int32_t expected;
    } cases[] = {
        {2, -1, 3, 1000 + 19 * 100 + 3}, // horizontal loop: the right edge
        {2, 3, -1, -1},                  // ... but not vertically
        {2, 20, 0, 1000},
        {2, -41, 0, 1000 + 19 * 100},    // far outside still lands in the grid
        {1, 3, -1, 1000 + 3 * 100 + 14}, // vertical loop
        {1, -1, 3, -1},
        {3, -1, -1, 1000 + 19 * 100 + 14},
        {0, -1, 3, -1},
        {0, 20, 3, -1},
        {0, 19, 14, 1000 + 19 * 100 + 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "scroll " << c.scrollType << " at " << c.x << "," << c.y);
        map.SetScrollType(c.scrollType);
        EXPECT_EQ(map.LowerLayer.GetChip(c.x, c.y), c.expected);
    }
}

TEST(MapLayer, SetChipIsClippedAndKeepsTheLow16Bits) {
    TQelMapLayer layer(10000);
    layer.InitLayer();
    layer.WrapX = layer.WrapY = true;
    layer.SetChip(-1, 0, 5); // writes never wrap
    layer.SetChip(20, 0, 5);
    layer.SetChip(0, 15, 5);
    for (uint16_t c : layer.Cells)
        ASSERT_EQ(c, 10000);
    layer.SetChip(4, 5, 0x12345);
    EXPECT_EQ(layer.GetChip(4, 5), 0x2345);
    layer.ClearLayer();
    EXPECT_EQ(layer.GetChip(4, 5), 10000);
}

TEST(MapLayer, ResizeIsAnchoredTopLeft) {
    TQelMap map;
    FillSampleMap(map);
    map.SetWidth(25);
    map.SetHeight(10);
    ASSERT_EQ(map.Width, 25);
    ASSERT_EQ(map.Height, 10);
    for (const TQelMapLayer* layer : {&map.LowerLayer, &map.UpperLayer}) {
        ASSERT_EQ(layer->Cells.size(), 250u);
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 0; x < 25; ++x) {
                int32_t expected = x >= 20                    ? layer->FillChip
                                   : layer == &map.LowerLayer ? x + 100 * y
                                                              : 10000 + (x + y) % 7;
                ASSERT_EQ(layer->GetChip(x, y), expected) << x << "," << y;
            }
    }
    // Events are neither moved nor removed by a resize.
    map.SetWidth(2);
    EXPECT_EQ(map.Events.EventByID(4)->X, 2);

    // A negative size is an empty grid, not a crash.
    map.SetWidth(-3);
    EXPECT_EQ(map.Width, 0);
    EXPECT_TRUE(map.LowerLayer.Cells.empty());
}

TEST(Map, CreateLeavesEverythingZeroUntilReset) {
    TQelMap map(7);
    EXPECT_EQ(map.ID, 7);
    EXPECT_EQ(map.ChipSetID, 0);
    EXPECT_EQ(map.Width, 0);
    EXPECT_EQ(map.Height, 0);
    EXPECT_TRUE(map.LowerLayer.Cells.empty());
    EXPECT_EQ(map.LowerLayer.FillChip, 0);
    EXPECT_EQ(map.UpperLayer.FillChip, 10000);

    map.Reset();
    EXPECT_EQ(map.ChipSetID, 1);
    EXPECT_EQ(map.Width, 20);
    EXPECT_EQ(map.Height, 15);
    EXPECT_EQ(map.UpperLayer.GetChip(19, 14), 10000);
    EXPECT_EQ(map.LowerLayer.GetChip(19, 14), 0);

    // Reset also stops a looping map's layers from wrapping.
    map.SetScrollType(3);
    map.Modified = true;
    map.SaveCount = 4;
    map.Reset();
    EXPECT_EQ(map.LowerLayer.GetChip(-1, 0), -1);
    EXPECT_FALSE(map.Modified);
    EXPECT_EQ(map.SaveCount, 0);

    FillSampleMap(map);
    map.Modified = true;
    map.CloseMap();
    EXPECT_EQ(map.ID, 0);
    EXPECT_EQ(map.Width, 0);
    EXPECT_EQ(map.Height, 0);
    EXPECT_EQ(map.ChipSetID, 0);
    EXPECT_EQ(map.Events.Count(), 0);
    EXPECT_FALSE(map.Modified);
    EXPECT_TRUE(map.UpperLayer.Cells.empty());
}

TEST(Map, ShiftRotatesLayersAndEvents) {
    TQelMap map;
    FillSampleMap(map);
    TQelMap before;
    FillSampleMap(before);
    map.Events.EventByID(4)->X = 19;
    auto* beyond = map.Events.FindOrCreate(9); // left beyond the edge by a resize
    beyond->X = 23;
    beyond->Y = 1;

    map.ShiftMap(1, 0);
    for (int32_t y = 0; y < 15; ++y) {
        EXPECT_EQ(map.LowerLayer.GetChip(0, y), before.LowerLayer.GetChip(19, y));
        EXPECT_EQ(map.UpperLayer.GetChip(5, y), before.UpperLayer.GetChip(4, y));
    }
    EXPECT_EQ(map.Events.EventByID(4)->X, 0);
    EXPECT_EQ(map.Events.EventByID(4)->Y, 3);
    EXPECT_EQ(beyond->X, 4);

    // Five to the left: column 5 to 0, columns 0..4 to 15..19; upwards likewise.
    map.ShiftMap(-1, 0);
    map.ShiftMap(-5, -2);
    for (int32_t x = 0; x < 20; ++x)
        for (int32_t y = 0; y < 15; ++y)
            ASSERT_EQ(map.LowerLayer.GetChip(x, y), before.LowerLayer.GetChip((x + 5) % 20, (y + 2) % 15));
    EXPECT_EQ(map.Events.EventByID(4)->X, 14);
    EXPECT_EQ(map.Events.EventByID(4)->Y, 1);

    // The map's own scroll type is untouched by the shift.
    EXPECT_EQ(map.LowerLayer.GetChip(-1, 0), -1);
}

TEST_F(MapFile, ResetMapSavesToTheDocumentedBytes) {
    TQelMap map;
    map.Reset();
    map.SaveMap(1);
    Bytes lower = Hex("47 84 58");
    lower.resize(lower.size() + 600, 0);
    Bytes upper = Hex("48 84 58");
    for (int i = 0; i < 300; ++i) {
        upper.push_back(0x10);
        upper.push_back(0x27);
    }
    Bytes expected = concat({header(), Hex("0B 01 00"), lower, upper, Hex("51 01 00 5B 01 01 00")});
    EXPECT_EQ(ToHex(fileBytes(projectFile("Map0001.qmu"))), ToHex(expected));
    EXPECT_EQ(map.ID, 1);
    EXPECT_EQ(map.SaveCount, 1);
}

TEST_F(MapFile, SaveAndLoadRoundTrip) {
    TQelMap map;
    FillSampleMap(map, 31, 17);
    map.SetScrollType(2);
    map.Modified = true;
    map.SaveMap(12);
    EXPECT_FALSE(map.Modified);
    EXPECT_EQ(map.SaveCount, 1);
    map.SaveMap(12);
    EXPECT_EQ(map.SaveCount, 2);

    std::vector<int32_t> chipSets;
    std::vector<std::string> charSets;
    TQelMap loaded;
    loaded.SetGraphics(std::make_unique<RecordingGraphics>(&chipSets, &charSets));
    loaded.LoadMap(12);
    EXPECT_EQ(loaded.ID, 12);
    EXPECT_EQ(MapFileBytes(loaded), MapFileBytes(map));
    EXPECT_EQ(loaded.SaveCount, 2);
    EXPECT_EQ(loaded.Events.EventByID(4)->Pages.PageByID(2)->Script.Line(0)->Text, "Hello");
    // The loaded scroll type reaches the layers.
    EXPECT_EQ(loaded.LowerLayer.GetChip(-1, 0), loaded.LowerLayer.GetChip(30, 0));
    // The chipset and the one page with a character set went to the graphics.
    EXPECT_EQ(chipSets, std::vector<int32_t>{3});
    EXPECT_EQ(charSets, std::vector<std::string>{"Hero1"});

    // A copy through the encoding wraps like the original.
    TQelMap copy;
    copy.Assign(map);
    EXPECT_EQ(copy.UpperLayer.GetChip(-2, 3), map.UpperLayer.GetChip(29, 3));
    EXPECT_EQ(copy.UpperLayer.GetChip(2, -1), -1);

    // The counter wraps instead of overflowing.
    loaded.SaveCount = 2147483647;
    loaded.SaveMap(12);
    EXPECT_EQ(loaded.SaveCount, -2147483647 - 1);

    loaded.DeleteMap(12);
    EXPECT_FALSE(exists(projectFile("Map0012.qmu")));
    loaded.DeleteMap(12); // a missing file is no error
}

TEST_F(MapFile, LayerChunkOfTheWrongLengthIsSkipped) {
    // A 30-wide header with 20 x 15 layers: a 30 x 15 map with both layers at their fill chips.
    Bytes file = concat({header(), intChunk(2, 30), layerChunk(71, 20, 15, 5), layerChunk(72, 20, 15, 10005),
                         Hex("51 01 00 00")});
    TMemoryStream stream(file);
    TQelMap map;
    map.LoadFromFileStream(stream);
    EXPECT_EQ(map.Width, 30);
    EXPECT_EQ(map.Height, 15);
    ASSERT_EQ(map.LowerLayer.Cells.size(), 450u);
    EXPECT_EQ(std::count(map.LowerLayer.Cells.begin(), map.LowerLayer.Cells.end(), 0), 450);
    EXPECT_EQ(std::count(map.UpperLayer.Cells.begin(), map.UpperLayer.Cells.end(), 10000), 450);

    // A file without layer chunks still has layers of its size.
    Bytes bare = concat({header(), intChunk(2, 40), intChunk(3, 16), Hex("00")});
    TMemoryStream bareStream(bare);
    map.LoadFromFileStream(bareStream);
    EXPECT_EQ(map.LowerLayer.Cells.size(), 640u);
    EXPECT_EQ(map.UpperLayer.GetChip(39, 15), 10000);
}

TEST_F(MapFile, BrokenFilesAreReadErrorsOutsideTheEditor) {
    TQelMap good;
    FillSampleMap(good);
    Bytes goodBytes = MapFileBytes(good);
    Bytes truncated(goodBytes.begin(), goodBytes.begin() + 700);
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"wrong header", concat({Hex("0A 51 65 6C 4D 61 70 54 72 65 65"), Hex("00")})},
        {"empty file", {}},
        {"truncated", truncated},
        {"width 0", concat({header(), intChunk(2, 0), Hex("00")})},
        {"width 501", concat({header(), intChunk(2, 501), Hex("00")})},
        {"negative height", concat({header(), intChunk(3, -1), Hex("00")})},
        {"huge width before a layer", concat({header(), intChunk(2, 0x7FFFFFFF), intChunk(3, 0x7FFFFFFF),
                                              layerChunk(71, 1, 1, 0), Hex("00")})},
        {"500 x 500 layer in a small file",
         concat({header(), intChunk(2, 500), intChunk(3, 500), layerChunk(71, 20, 15, 0), Hex("00")})},
        {"width changed after the layers",
         concat({header(), layerChunk(71, 20, 15, 0), intChunk(2, 9999), Hex("00")})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(projectFile("Map0002.qmu"), c.bytes);
        TQelMap map;
        EXPECT_THROW(map.LoadMap(2), EReadError);
        // Whatever was read, the layers match the size, so the map can be saved and read back.
        EXPECT_EQ(map.LowerLayer.Cells.size(), size_t(map.Width) * map.Height);
        EXPECT_EQ(map.UpperLayer.Cells.size(), size_t(map.Width) * map.Height);
        EXPECT_GE(map.Width, 1);
        map.SaveTempMap(2);
        TQelMap again;
        EXPECT_NO_THROW(again.LoadTempMap(2));
        EXPECT_EQ(MapFileBytes(again).size(), MapFileBytes(map).size());
    }
    TQelMap map;
    EXPECT_THROW(map.LoadMap(3), EFileError); // no such file
}

TEST_F(MapFile, InsideTheEditorBrokenAndMissingFilesAreTolerated) {
    EditorRunningScope editor(true);
    TQelMap good;
    FillSampleMap(good, 25, 15);
    Bytes goodBytes = MapFileBytes(good);
    // Cut inside the upper layer: the lower layer and the size were read.
    Bytes truncated(goodBytes.begin(), goodBytes.begin() + 900);
    writeBytes(projectFile("Map0002.qmu"), truncated);

    std::vector<int32_t> chipSets;
    std::vector<std::string> charSets;
    TQelMap map;
    map.SetGraphics(std::make_unique<RecordingGraphics>(&chipSets, &charSets));
    EXPECT_NO_THROW(map.LoadMap(2));
    EXPECT_EQ(map.Width, 25);
    EXPECT_EQ(map.ChipSetID, 3);
    EXPECT_EQ(map.LowerLayer.GetChip(7, 2), 207);
    EXPECT_EQ(map.UpperLayer.GetChip(7, 2), 10000);
    EXPECT_EQ(map.Events.Count(), 0);

    // A map without a file is a new map, and its own chipset is loaded, not the previous one.
    EXPECT_NO_THROW(map.LoadMap(8));
    EXPECT_EQ(map.ID, 8);
    EXPECT_EQ(map.Width, 20);
    EXPECT_EQ(map.ChipSetID, 1);
    EXPECT_EQ(chipSets, (std::vector<int32_t>{3, 1}));

    // A broken working copy is tolerated by the editor's load, not by the strict reader.
    writeBytes(tempFile("Map0002.qmu"), truncated);
    EXPECT_NO_THROW(map.LoadTempMap(2));
    EXPECT_THROW(map.ReadFile(tempFile("Map0002.qmu")), EReadError);
}

TEST_F(MapFile, WorkingCopiesLiveInTheTemporaryFolder) {
    QDir(mTemp).removeRecursively(); // created again by the first save
    TQelMap map;
    FillSampleMap(map);
    map.SaveTempMap(5);
    EXPECT_TRUE(exists(tempFile("Map0005.qmu")));
    EXPECT_FALSE(exists(projectFile("Map0005.qmu")));
    TQelMap loaded;
    loaded.LoadTempMap(5);
    EXPECT_EQ(loaded.ID, 5);
    EXPECT_EQ(loaded.Events.EventByID(4)->Name, "Door");
    loaded.DeleteTempMap(5);
    EXPECT_FALSE(exists(tempFile("Map0005.qmu")));
}

TEST_F(MapFile, FailedSaveIsNotCounted) {
    TQelMap map;
    map.Reset();
    map.Modified = true;
    EXPECT_THROW(map.SaveToFile(mProject.toStdString() + "/no/such/folder/Map0001.qmu"), EFileError);
    EXPECT_EQ(map.SaveCount, 0);
    EXPECT_TRUE(map.Modified);
}

TEST(MapFileName, FormatsTheID) {
    EXPECT_EQ(MapFileName(1), "Map0001.qmu");
    EXPECT_EQ(MapFileName(9999), "Map9999.qmu");
    EXPECT_EQ(MapFileName(12345), "Map12345.qmu");
}

TEST(CoreFolders, FollowThePlatformAndTheEnvironment) {
    SetProjectPath("/some/project");
    EXPECT_EQ(CoreFolders::ProjectPath(), "/some/project/");
    EXPECT_EQ(ProjectMapPath(3), "/some/project/Map0003.qmu");
    SetProjectPath("");
    EXPECT_EQ(CoreFolders::ProjectPath(), "");

    // Until the editor says otherwise, working copies go to TARVEL_TEMP under $TMPDIR.
    CoreFolders::SetTempWorkFolder("");
    EXPECT_EQ(CoreFolders::TempWorkFolder(), TempWorkFolder().toStdString());
    EXPECT_EQ(TempMapPath(3), TempWorkFolder().toStdString() + "/Map0003.qmu");
}
