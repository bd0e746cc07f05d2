#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ChipsetLayout.h"
#include "Draw.h"
#include "IndexedImage.h"
#include "Palette.h"

namespace tarvel::rtp {

// Where a terrain's edge lies inside a 16 x 16 chip: the width of the band of outside ground
// along each side, and the radii that round outer and inner corners.
struct EdgeShape {
    float top = 4, bottom = 4, side = 4;
    float radius = 3;
    float innerRadius = 2;
};

// One pixel of a composed chip as a terrain sees it: d is the distance into the terrain (negative
// outside it, large in the middle), (nx, ny) the outward normal of the nearest edge.
struct EdgeSample {
    float d;
    float nx, ny;
};

// The distance field of a chip whose four quarters are in the given states; the same function
// draws every piece, so pieces that the renderer puts side by side meet without seams.
EdgeSample SampleEdge(const chips::QuarterStates& states, float x, float y, const EdgeShape& shape);

// A 16 x 16 texture that repeats, looked up with any coordinates.
class Tile {
public:
    Tile() : mImage(16, 16) {}
    uint8_t At(int x, int y) const { return mImage.At(x & 15, y & 15); }
    void Set(int x, int y, uint8_t v) { mImage.Set(x & 15, y & 15, v); }
    IndexedImage& Image() { return mImage; }
    const IndexedImage& Image() const { return mImage; }

private:
    IndexedImage mImage;
};

// How a terrain draws: the colour of a pixel inside it and outside it, given the edge sample.
// An optional wobble (a function of the chip coordinates only, so it repeats with the chips)
// roughens the edge.
struct TerrainStyle {
    EdgeShape shape;
    std::function<uint8_t(int x, int y, const EdgeSample& e)> inside;
    std::function<uint8_t(int x, int y, const EdgeSample& e)> outside;
    std::function<float(int x, int y)> wobble;
};

// Paints one 16 x 16 piece at pixel (px, py) of the picture.
void PaintPiece(IndexedImage& img, int px, int py, const chips::QuarterStates& states,
                const TerrainStyle& style);

// Paints a whole ground autotile block (palette form, link cell, inner corners, 3 x 3 patch) at
// the slot's origin; the link cell shows the plain middle of the terrain, which no palette form
// equals, so the autotile links to no other.
void PaintAutotileBlock(IndexedImage& img, int slot, const TerrainStyle& style);

// Paints the water pieces of one animation frame (0..2): water A states and the shared middle,
// the junction pieces and deep water, and the water B edge states.
struct WaterStyles {
    TerrainStyle shoreA;       // water A against land
    TerrainStyle shoreB;       // water B against land
    TerrainStyle junction;     // shallow water with deep water filling the corners (inside = shallow)
    TerrainStyle deepJunction; // deep water with shallow water in the corners (inside = deep)
    std::function<uint8_t(int x, int y)> deep;
};
void PaintWaterFrame(IndexedImage& img, int frame, const WaterStyles& styles);

// The pixel origin of a plain lower or upper chip.
inline void LowerChipPixel(int index, int& px, int& py) {
    chips::Unit u = chips::LowerChipUnit(index);
    px = u.x * 8, py = u.y * 8;
}
inline void UpperChipPixel(int index, int& px, int& py) {
    chips::Unit u = chips::UpperChipUnit(index);
    px = u.x * 8, py = u.y * 8;
}

// Draws multi-chip objects of the upper layer: a canvas of w x h chips whose chips go to the upper
// chips first, first + 1, ... row by row (w chips per row, rows 6 chips apart, as in the picture).
void PlaceUpperObject(IndexedImage& img, int first, int wChips, const IndexedImage& canvas);
void PlaceLowerObject(IndexedImage& img, int first, int wChips, const IndexedImage& canvas);

// How a chip is meant to be walked: the chipset records choose passability bytes from this.
// Open: walkable; Blocked: not walkable; Above: walkable and drawn above the characters (tree
// tops, arches); Counter: not walkable, but a character can talk across it (shop counters).
enum class Pass { Open, Blocked, Above, Counter };

// One generated chipset: its picture and what each family and chip is, for the database's chipset
// and terrain records.
struct ChipsetInfo {
    std::string name;
    IndexedImage image;
    // The 162 lower families (0 water A, 1 water B, 2 deep water, 3..5 animated chips, 6..17 the
    // ground autotiles, 18..161 the plain chips 0..143) and the 144 upper chips (0 the empty chip).
    std::vector<std::string> lowerNames, upperNames;
    std::vector<std::string> lowerTerrain; // terrain name of each lower family
    std::vector<Pass> lowerPass, upperPass;
};

// Hands out the plain lower chips and the upper chips of a chipset, row by row, keeping an object
// of several chips inside one area of the picture, and draws them.
class ChipAllocator {
public:
    explicit ChipAllocator(ChipsetInfo& info) : mInfo(info) {}
    // canvas is w x h chips of 16 x 16; returns the index of its top-left chip.
    int Lower(const std::string& name, const IndexedImage& canvas, const std::string& terrain,
              Pass pass = Pass::Open);
    int Upper(const std::string& name, const IndexedImage& canvas, Pass pass = Pass::Blocked);
    // Several chips of one object can differ: passability per chip row (top row first).
    int Upper(const std::string& name, const IndexedImage& canvas, const std::vector<Pass>& rowPass);
    int LowerUsed() const;
    int UpperUsed() const;

private:
    int place(bool upper, const std::string& name, const IndexedImage& canvas);
    ChipsetInfo& mInfo;
    bool mLowerUsed[144] = {};
    bool mUpperUsed[144] = {true};
};

ChipsetInfo MakeGrasslandChipset();
ChipsetInfo MakeDungeonChipset();

} // namespace tarvel::rtp
