#include "GameFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ChipPreview.h"
#include "ChipsetPainter.h"
#include "TestEnvironment.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "records/Stream.h"

namespace tarvel::test {

const QString& InstalledPackage() {
    static const QString folder = [] {
        QString rtp = TestHome() + "/RTP";
        ProcessResult r = RunProgram(BuildBinFolder() + "/tarvel-cli", {"install-rtp", rtp}, 120000);
        if (!r.finished || r.exitCode != 0) ADD_FAILURE() << "install-rtp failed: " << r.err.toStdString();
        return rtp;
    }();
    return folder;
}

QString MakeProject(const QString& folderName, const QString& title) {
    InstalledPackage();
    QString base = TestHome() + "/projects";
    ProcessResult r = RunProgram(BuildBinFolder() + "/tarvel-cli", {"new-project", base, folderName, title});
    if (!r.finished || r.exitCode != 0) ADD_FAILURE() << "new-project failed: " << r.err.toStdString();
    return base + "/" + folderName + "/";
}

namespace {

// Chip numbers of the generated grassland chipset by the names its generator gives them.
class GrasslandChips {
public:
    GrasslandChips() : mInfo(rtp::MakeGrasslandChipset()) {}
    int LowerKind(const std::string& name) const {
        for (size_t k = 0; k < mInfo.lowerNames.size(); ++k)
            if (mInfo.lowerNames[k] == name) return int(k);
        ADD_FAILURE() << "no lower chip " << name;
        return 18;
    }
    int Upper(const std::string& name) const {
        for (size_t i = 0; i < mInfo.upperNames.size(); ++i)
            if (mInfo.upperNames[i] == name) return 10000 + int(i);
        ADD_FAILURE() << "no upper chip " << name;
        return 10000;
    }

private:
    rtp::ChipsetInfo mInfo;
};

} // namespace

int GrasslandUpperChip(const std::string& name) {
    static const GrasslandChips chips;
    return chips.Upper(name);
}

void PaintVillage(const QString& projectFolder) {
    const std::string mapPath = (projectFolder + "Map0001.qmu").toStdString();
    TQelMap map;
    map.ReadFile(mapPath);
    const int w = map.Width, h = map.Height;
    GrasslandChips chips;

    std::vector<int> kinds(size_t(w * h), chips.LowerKind("Grass"));
    auto kind = [&](int x, int y) -> int& { return kinds[size_t(y * w + x)]; };
    const int tufts = chips.LowerKind("Grass Tufts"), flowers = chips.LowerKind("Grass Flowers");
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x * 7 + y * 13) % 23 == 0) kind(x, y) = (x + y) % 2 ? tufts : flowers;
    // A lake with a deep middle.
    for (int y = 41; y <= 47; ++y)
        for (int x = 37; x <= 45; ++x)
            if (!((x == 37 || x == 45) && (y == 41 || y == 47))) kind(x, y) = 0;
    for (int y = 43; y <= 45; ++y)
        for (int x = 39; x <= 43; ++x)
            kind(x, y) = 2;
    // A road (the third ground autotile) across and down to the house.
    const int road = 6 + 2;
    for (int x = 36; x <= 64; ++x)
        kind(x, 52) = kind(x, 53) = road;
    for (int y = 49; y <= 51; ++y)
        kind(55, y) = road;
    // A house: red roof over a wooden wall with windows and a door.
    const char* roof[3][5] = {
        {"Red Roof Ridge Left", "Red Roof Ridge", "Red Roof Ridge", "Red Roof Ridge", "Red Roof Ridge Right"},
        {"Red Roof Left", "Red Roof", "Red Roof", "Red Roof", "Red Roof Right"},
        {"Red Roof Eaves Left", "Red Roof Eaves", "Red Roof Eaves", "Red Roof Eaves",
         "Red Roof Eaves Right"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            kind(53 + c, 43 + r) = chips.LowerKind(roof[r][c]);
    const char* walls[2][5] = {
        {"Wood Wall Left", "Wood Wall Window", "Wood Wall", "Wood Wall Window", "Wood Wall Right"},
        {"Wood Wall Left", "Wood Wall", "Wood Wall Door", "Wood Wall", "Wood Wall Right"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 5; ++c)
            kind(53 + c, 46 + r) = chips.LowerKind(walls[r][c]);
    kind(55, 48) = road;
    std::vector<int> numbers = rtp::ConnectLayer(kinds, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            map.LowerLayer.SetChip(x, y, numbers[size_t(y * w + x)]);

    auto tree = [&](int x, int y) {
        map.UpperLayer.SetChip(x, y, chips.Upper("Tree 1-1"));
        map.UpperLayer.SetChip(x, y + 1, chips.Upper("Tree 2-1"));
    };
    for (int x = 46; x <= 52; x += 2)
        tree(x, 40);
    for (int y = 43; y <= 49; y += 3)
        tree(61, y);
    for (auto [x, y] :
         {std::pair{59, 44}, {51, 45}, {41, 49}, {54, 56}, {56, 57}, {58, 55}, {49, 57}, {60, 50}})
        tree(x, y);
    map.UpperLayer.SetChip(47, 46, chips.Upper("Well 1-1"));
    map.UpperLayer.SetChip(47, 47, chips.Upper("Well 2-1"));
    map.UpperLayer.SetChip(41, 56, chips.Upper("Fence Left"));
    for (int x = 42; x <= 46; ++x)
        map.UpperLayer.SetChip(x, 56, chips.Upper("Fence"));
    map.UpperLayer.SetChip(47, 56, chips.Upper("Fence Right"));
    map.UpperLayer.SetChip(52, 54, chips.Upper("Signpost"));
    for (int x : {43, 45, 58})
        map.UpperLayer.SetChip(x, 50, chips.Upper("Flowers"));
    map.UpperLayer.SetChip(58, 47, chips.Upper("Barrel"));

    // A villager and a chest.
    TQelEventItem* farmer = map.Events.FindOrCreate(1);
    farmer->Name = "Farmer";
    farmer->X = 45;
    farmer->Y = 54;
    TQelEventPageItem* page = farmer->Pages.Items(0);
    page->CharName = "People1";
    page->CharIndex = 4;
    page->CharDir = 1;
    page->Priority = 1;
    TQelEventItem* chest = map.Events.FindOrCreate(2);
    chest->Name = "Chest";
    chest->X = 57;
    chest->Y = 50;
    page = chest->Pages.Items(0);
    page->CharName = "Object1";
    page->CharIndex = 0;
    page->Priority = 1;
    map.SaveToFile(mapPath);

    const std::string treePath = (projectFolder + "QUORIN.qmt").toStdString();
    TMemoryStream in;
    in.LoadFromFile(treePath);
    TQelMapTree mapTree;
    mapTree.LoadFromFileStream(in);
    mapTree.StartPositions.SetStartMap(0, 1);
    mapTree.StartPositions.SetStartX(0, kVillageStartX);
    mapTree.StartPositions.SetStartY(0, kVillageStartY);
    mapTree.StartPositions.SetStartMap(1, 1);
    mapTree.StartPositions.SetStartX(1, 44);
    mapTree.StartPositions.SetStartY(1, 44);
    TMemoryStream out;
    mapTree.SaveToFileStream(out);
    out.SaveToFile(treePath);
}

} // namespace tarvel::test
