#pragma once

#include "Draw.h"
#include "IndexedImage.h"
#include "Palette.h"

namespace tarvel::rtp {

// The colours the small objects of a chipset are drawn in; each chipset fills this from its palette.
struct PropRamps {
    const PaletteBuilder* pal = nullptr;
    uint8_t ink = 0;
    Ramp leaves, wood, stone, rock, metal, cloth, roof, fire, glass, paper, gold, red, white, straw, grass;
};

// Objects of the upper layer, each drawn into a canvas of whole chips with its transparent
// background, outlined with ink. Sizes in chips are noted per function.
namespace props {
void Tree(IndexedImage& c, const PropRamps& r, uint32_t seed); // 1 x 2
void Pine(IndexedImage& c, const PropRamps& r);                // 1 x 2
void DeadTree(IndexedImage& c, const PropRamps& r);            // 1 x 2
void Palm(IndexedImage& c, const PropRamps& r);                // 1 x 2
void BigTree(IndexedImage& c, const PropRamps& r);             // 2 x 2
void Bush(IndexedImage& c, const PropRamps& r, Ramp berries, bool withBerries);
void FlowerClump(IndexedImage& c, const PropRamps& r, Ramp a, Ramp b);
void GrassTuft(IndexedImage& c, const PropRamps& r);
void Rock(IndexedImage& c, const PropRamps& r, float size);
void Stump(IndexedImage& c, const PropRamps& r);
void Log(IndexedImage& c, const PropRamps& r);
void Mushrooms(IndexedImage& c, const PropRamps& r);
void Signpost(IndexedImage& c, const PropRamps& r);
void Gravestone(IndexedImage& c, const PropRamps& r);
void LampPost(IndexedImage& c, const PropRamps& r); // 1 x 2
void Statue(IndexedImage& c, const PropRamps& r);   // 1 x 2
void Fence(IndexedImage& c, const PropRamps& r, bool left, bool right, bool vertical);
void Barrel(IndexedImage& c, const PropRamps& r);
void Crate(IndexedImage& c, const PropRamps& r);
void Pot(IndexedImage& c, const PropRamps& r);
void Sack(IndexedImage& c, const PropRamps& r);
void Haystack(IndexedImage& c, const PropRamps& r);
void Woodpile(IndexedImage& c, const PropRamps& r);
void Well(IndexedImage& c, const PropRamps& r); // 1 x 2
void Table(IndexedImage& c, const PropRamps& r);
void Chair(IndexedImage& c, const PropRamps& r);
void Stool(IndexedImage& c, const PropRamps& r);
void Bench(IndexedImage& c, const PropRamps& r);
void Bed(IndexedImage& c, const PropRamps& r);       // 1 x 2
void Bookshelf(IndexedImage& c, const PropRamps& r); // 1 x 2
void Cupboard(IndexedImage& c, const PropRamps& r);  // 1 x 2
void Counter(IndexedImage& c, const PropRamps& r, bool left, bool right);
void Fireplace(IndexedImage& c, const PropRamps& r); // 1 x 2
void PottedPlant(IndexedImage& c, const PropRamps& r);
void Sign(IndexedImage& c, const PropRamps& r, int icon); // 0 inn, 1 items, 2 weapons, 3 armour, 4 magic
void Window(IndexedImage& c, const PropRamps& r);
void Door(IndexedImage& c, const PropRamps& r, bool open);
void Chest(IndexedImage& c, const PropRamps& r, bool open);
void Torch(IndexedImage& c, const PropRamps& r);
void Campfire(IndexedImage& c, const PropRamps& r);
void Tent(IndexedImage& c, const PropRamps& r); // 2 x 2
void Flag(IndexedImage& c, const PropRamps& r); // 1 x 2
void Ladder(IndexedImage& c, const PropRamps& r);
void Stairs(IndexedImage& c, const PropRamps& r, bool down);
void Skull(IndexedImage& c, const PropRamps& r);
void Crystal(IndexedImage& c, const PropRamps& r, Ramp crystal);
void Pillar(IndexedImage& c, const PropRamps& r); // 1 x 2
void Altar(IndexedImage& c, const PropRamps& r);
void Cobweb(IndexedImage& c, const PropRamps& r);
void Stalagmite(IndexedImage& c, const PropRamps& r);
void Bones(IndexedImage& c, const PropRamps& r);
void Lilypads(IndexedImage& c, const PropRamps& r, Ramp flower);
void Reeds(IndexedImage& c, const PropRamps& r);
// World-map places, one chip each.
void Village(IndexedImage& c, const PropRamps& r);
void Town(IndexedImage& c, const PropRamps& r);
void Castle(IndexedImage& c, const PropRamps& r);
void Tower(IndexedImage& c, const PropRamps& r);
void CaveMouth(IndexedImage& c, const PropRamps& r);
void Shrine(IndexedImage& c, const PropRamps& r);
void Ruins(IndexedImage& c, const PropRamps& r);
void Port(IndexedImage& c, const PropRamps& r);

void FruitTree(IndexedImage& c, const PropRamps& r, Ramp fruit);    // 1 x 2
void Birch(IndexedImage& c, const PropRamps& r);                    // 1 x 2
void Cactus(IndexedImage& c, const PropRamps& r);                   // 1 x 2
void Scarecrow(IndexedImage& c, const PropRamps& r);                // 1 x 2
void MarketStall(IndexedImage& c, const PropRamps& r, Ramp awning); // 2 x 2
void Cart(IndexedImage& c, const PropRamps& r);                     // 2 x 1
void Trough(IndexedImage& c, const PropRamps& r);
void Anvil(IndexedImage& c, const PropRamps& r);
void Cauldron(IndexedImage& c, const PropRamps& r);
void StoneFence(IndexedImage& c, const PropRamps& r, bool left, bool right, bool vertical);
void Beehive(IndexedImage& c, const PropRamps& r);
void Desk(IndexedImage& c, const PropRamps& r);
void CandleStand(IndexedImage& c, const PropRamps& r);
void Vase(IndexedImage& c, const PropRamps& r, Ramp glaze);
void Coffin(IndexedImage& c, const PropRamps& r);            // 1 x 2
void Throne(IndexedImage& c, const PropRamps& r, Ramp seat); // 1 x 2
void Cage(IndexedImage& c, const PropRamps& r);
void WeaponRack(IndexedImage& c, const PropRamps& r);
void ArmourStand(IndexedImage& c, const PropRamps& r); // 1 x 2
void Spikes(IndexedImage& c, const PropRamps& r);
void CrystalBall(IndexedImage& c, const PropRamps& r, Ramp glow);
void RuneStone(IndexedImage& c, const PropRamps& r, Ramp glow);
void BrokenPillar(IndexedImage& c, const PropRamps& r);
void Chains(IndexedImage& c, const PropRamps& r);
void MineCart(IndexedImage& c, const PropRamps& r, Ramp ore);
void Shelf(IndexedImage& c, const PropRamps& r);
void Clock(IndexedImage& c, const PropRamps& r); // 1 x 2
void Rubble(IndexedImage& c, const PropRamps& r);
void Bucket(IndexedImage& c, const PropRamps& r);
void Boulder(IndexedImage& c, const PropRamps& r); // 2 x 2

// Finishes an object: the ink outline around everything drawn.
void Finish(IndexedImage& c, const PropRamps& r);
} // namespace props

} // namespace tarvel::rtp
