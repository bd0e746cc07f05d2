#include "SampleMaps.h"

#include <stdexcept>
#include <vector>

#include "ChipPreview.h"

namespace tarvel::rtp {

namespace {

class Scene {
public:
    Scene(const ChipsetInfo& info, int w, int h)
        : mInfo(info), mW(w), mH(h), mKinds(w * h, 18), mUpper(w * h, 10000) {}

    int Family(const std::string& name) const {
        for (int k = 0; k < 162; ++k)
            if (mInfo.lowerNames[k] == name) return k;
        throw std::runtime_error("sample map: no lower chip " + name);
    }
    void Lower(int x, int y, const std::string& name) { Set(x, y, Family(name)); }
    void Set(int x, int y, int kind) {
        if (x >= 0 && y >= 0 && x < mW && y < mH) mKinds[y * mW + x] = kind;
    }
    void Fill(int x0, int y0, int w, int h, const std::string& name) {
        int k = Family(name);
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                Set(x, y, k);
    }
    void Ellipse(float cx, float cy, float rx, float ry, const std::string& name) {
        int k = Family(name);
        for (int y = 0; y < mH; ++y)
            for (int x = 0; x < mW; ++x) {
                float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
                if (dx * dx + dy * dy <= 1) Set(x, y, k);
            }
    }
    // An object of the upper layer, all of its chips ("Tree 1-1", "Tree 2-1", ...).
    void Upper(int x, int y, const std::string& name) {
        bool placed = false;
        for (int i = 0; i < 144; ++i) {
            const std::string& n = mInfo.upperNames[i];
            if (n == name) {
                put(x, y, i);
                return;
            }
            if (n.rfind(name + " ", 0) == 0 && n.size() == name.size() + 4 && n[name.size() + 2] == '-') {
                int r = n[name.size() + 1] - '1', c = n[name.size() + 3] - '1';
                put(x + c, y + r, i);
                placed = true;
            }
        }
        if (!placed) throw std::runtime_error("sample map: no upper chip " + name);
    }
    // A house: a roof of the given colour over a wall with windows and a door.
    void House(int x, int y, int w, const std::string& roof, const std::string& wall) {
        const char* cols[3] = {" Left", "", " Right"};
        const char* rows[3] = {" Ridge", "", " Eaves"};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < w; ++c)
                Lower(x + c, y + r, roof + rows[r] + cols[c == 0 ? 0 : c == w - 1 ? 2 : 1]);
        for (int c = 0; c < w; ++c) {
            std::string part = c == 0 ? " Left" : c == w - 1 ? " Right" : c == w / 2 ? " Door" : " Window";
            Lower(x + c, y + 3, wall + part);
        }
    }
    IndexedImage Render(const IndexedImage& picture, int waterStep, int frame) const {
        std::vector<int> lower = ConnectLayer(mKinds, mW, mH);
        for (auto [at, number] : mAnimated)
            lower[at] = number;
        IndexedImage out(mW * 16, mH * 16);
        out.Palette() = picture.Palette();
        for (int y = 0; y < mH; ++y)
            for (int x = 0; x < mW; ++x) {
                DrawPreviewChip(picture, lower[y * mW + x], waterStep, frame, out, x * 16, y * 16, false);
                DrawPreviewChip(picture, mUpper[y * mW + x], waterStep, frame, out, x * 16, y * 16, true);
            }
        return out;
    }
    void Animated(int x, int y, int k) { mAnimated.push_back({y * mW + x, 3000 + 50 * k}); }

private:
    void put(int x, int y, int index) {
        if (x >= 0 && y >= 0 && x < mW && y < mH) mUpper[y * mW + x] = 10000 + index;
    }
    const ChipsetInfo& mInfo;
    int mW, mH;
    std::vector<int> mKinds, mUpper;
    std::vector<std::pair<int, int>> mAnimated;
};

void grassland(Scene& s) {
    // A lake with a deep middle, a canal running into it, a forest with mountains behind, hills,
    // a village on a road, fields and a plateau.
    s.Ellipse(7, 8, 6.5f, 5, "Water");
    s.Ellipse(7.5f, 8.5f, 3, 2.2f, "Deep Water");
    s.Animated(8, 8, 1);
    s.Animated(4, 6, 2);
    s.Fill(13, 0, 2, 7, "Canal");
    s.Fill(11, 6, 4, 2, "Canal");
    s.Ellipse(3, 14, 3.5f, 2, "Sand");
    s.Ellipse(33, 3, 8, 4, "Mountains");
    s.Ellipse(28, 8, 7, 4, "Forest");
    s.Ellipse(37, 10, 4, 3, "Hills");
    s.Ellipse(20, 3, 4, 2.5f, "Tall Grass");
    s.Fill(16, 9, 24, 2, "Road");
    s.Fill(21, 11, 2, 15, "Road");
    s.Fill(2, 18, 7, 5, "Farmland");
    s.Ellipse(12, 22, 3, 2, "Flowers");
    s.Fill(31, 18, 8, 5, "Plateau");
    s.Ellipse(16, 17, 2.5f, 1.5f, "Dirt");
    s.Fill(28, 23, 4, 3, "Snow");
    s.Ellipse(35, 15, 2.5f, 1.5f, "Swamp");
    s.House(16, 12, 4, "Red Roof", "Wood Wall");
    s.House(24, 12, 5, "Blue Roof", "Plaster Wall");
    s.House(24, 19, 4, "Red Roof", "Brick Wall");
    s.Upper(19, 18, "Well");
    s.Upper(15, 20, "Tree");
    s.Upper(26, 7, "Big Tree");
    s.Upper(10, 16, "Pine");
    s.Upper(12, 15, "Fruit Tree");
    s.Upper(14, 24, "Autumn Tree");
    s.Upper(5, 17, "Scarecrow");
    s.Upper(9, 18, "Haystack");
    for (int x = 16; x < 20; ++x)
        s.Upper(x, 16, x == 16 ? "Fence Left" : x == 19 ? "Fence Right" : "Fence");
    s.Upper(23, 16, "Signpost");
    s.Upper(29, 16, "Barrel");
    s.Upper(30, 16, "Crate");
    s.Upper(20, 24, "Lamp Post");
    s.Upper(17, 7, "Flowers");
    s.Upper(1, 11, "Reeds");
    s.Upper(33, 17, "Tent");
    s.Upper(36, 21, "Campfire");
    s.Upper(38, 5, "Castle");
    s.Upper(34, 13, "Rock");
    s.Upper(11, 11, "Bush");
}

void dungeon(Scene& s) {
    // A cave with a pool, a pit, lava and crystals; a castle hall with a carpet to the throne.
    s.Fill(0, 0, 40, 26, "Cave Floor");
    s.Ellipse(6, 6, 5, 3.5f, "Pool");
    s.Ellipse(6, 6.5f, 2, 1.5f, "Deep Water");
    s.Animated(6, 2, 0);
    s.Ellipse(14, 5, 3, 2, "Pit");
    s.Ellipse(6, 15, 4, 3, "Lava");
    s.Animated(6, 15, 1);
    s.Ellipse(14, 14, 3, 2, "Crystals");
    s.Ellipse(3, 22, 3, 2, "Moss");
    s.Ellipse(11, 21, 3, 2, "Rubble");
    s.Ellipse(17, 22, 2, 2, "Poison");
    s.Fill(0, 10, 20, 1, "Rock Wall");
    s.Fill(20, 0, 1, 26, "Rock Wall");
    // The hall: ceiling border, a wall face, the floor, a carpet.
    for (int x = 22; x < 40; ++x) {
        s.Lower(x, 0, std::string("Castle Ceiling Top") + (x == 22 ? " Left" : x == 39 ? " Right" : ""));
        s.Lower(x, 1, std::string("Castle Ceiling Bottom") + (x == 22 ? " Left" : x == 39 ? " Right" : ""));
        s.Lower(x, 2,
                x == 30              ? "Castle Wall Banner"
                : x == 26 || x == 35 ? "Castle Wall Torch"
                                     : "Castle Wall Top");
        s.Lower(x, 3, x == 30 ? "Castle Wall Doorway" : "Castle Wall");
    }
    s.Fill(22, 4, 18, 12, "Brick Floor");
    s.Fill(29, 4, 3, 12, "Carpet");
    s.Upper(30, 4, "Throne");
    for (int y : {6, 10, 14}) {
        s.Upper(25, y, "Pillar");
        s.Upper(35, y, "Pillar");
    }
    s.Upper(23, 5, "Chest");
    s.Upper(38, 5, "Armour Stand");
    // A crypt: dark walls, coffins and bones.
    for (int x = 22; x < 40; ++x) {
        s.Lower(x, 17, "Crypt Wall Top");
        s.Lower(x, 18, x % 5 == 0 ? "Crypt Wall Skulls" : "Crypt Wall");
    }
    s.Fill(22, 19, 18, 7, "Crypt Tiles");
    s.Upper(25, 20, "Coffin");
    s.Upper(28, 20, "Coffin");
    s.Upper(33, 21, "Bones");
    s.Upper(36, 22, "Skull");
    s.Upper(38, 20, "Candles");
    s.Upper(12, 3, "Stalagmite");
    s.Upper(2, 12, "Rock");
    s.Upper(16, 12, "Crystal");
    s.Upper(9, 24, "Mine Cart");
    s.Upper(17, 18, "Torch");
}

} // namespace

IndexedImage RenderSampleMap(const IndexedImage& picture, const ChipsetInfo& info, int waterStep,
                             int animFrame) {
    Scene scene(info, 40, 26);
    if (info.name == "Dungeon")
        dungeon(scene);
    else
        grassland(scene);
    return scene.Render(picture, waterStep, animFrame);
}

} // namespace tarvel::rtp
