#pragma once

#include <map>
#include <string>
#include <vector>

#include "IndexedImage.h"
#include "Palette.h"

namespace tarvel::rtp {

// A palette that hands out one ramp per colour asked for, sharing ramps asked for twice.
class RampCache {
public:
    explicit RampCache(PaletteBuilder& pal) : mPal(pal) {}
    Ramp Get(Rgb middle, int count = 4, float contrast = 0.8f);

private:
    PaletteBuilder& mPal;
    std::map<uint32_t, Ramp> mRamps;
};

enum class HairStyle {
    Short,
    Long,
    Spiky,
    Ponytail,
    Bun,
    Bald,
    Hood,
    Helmet,
    WizardHat,
    StrawHat,
    Crown,
    Bandana,
    Bob
};
enum class Outfit { Tunic, Robe, Armour, Dress, Gi, Coat };
enum class Held { None, Sword, Staff, Spear, Bow, Axe };
enum class Body {
    Humanoid,
    Slime,
    Bat,
    Ghost,
    Wolf,
    Spider,
    Mushroom,
    Chest,
    Door,
    Crystal,
    Orb,
    Lever,
    Boat,
    Ship,
    Airship,
    Raft,
    Horse,
    Cart,
    Fairy,
    Bird
};

// Everything that tells one character from another: body kind, colours, hair, clothes.
struct CharacterLook {
    std::string name;
    Body body = Body::Humanoid;
    Rgb skin{236, 192, 150}, hair{120, 70, 40}, main{180, 60, 50}, second{90, 70, 60}, legs{70, 70, 100};
    Rgb eyes{40, 60, 120};
    HairStyle hairStyle = HairStyle::Short;
    Outfit outfit = Outfit::Tunic;
    Held held = Held::None;
    bool cape = false;
    Rgb capeColour{60, 60, 140};
    bool beard = false;
    bool child = false;
    bool stout = false;
    bool pointedEars = false;
};

// The ramps a look is drawn in, taken from the picture's palette.
struct LookRamps {
    uint8_t ink = 0, eyeWhite = 0;
    Ramp skin, hair, main, second, legs, cape, eyes, metal, leather, gold, white, red;
};
LookRamps RampsFor(const CharacterLook& look, RampCache& cache, uint8_t ink);

// Draws one 24 x 32 frame of a character with its top-left at (ox, oy): direction 0 up, 1 right,
// 2 down, 3 left; pattern 0..2 (1 is the standing frame, 0 and 2 the steps of a walk).
void DrawCharacterFrame(IndexedImage& img, int ox, int oy, const CharacterLook& look, const LookRamps& r,
                        int dir, int pattern);

// A character-set picture of 288 x 256 holding up to 8 looks (in 4 columns and 2 rows).
IndexedImage MakeCharacterSet(const std::vector<CharacterLook>& looks);

// A face-set picture of 192 x 192: the faces of up to 8 looks at indices 0..7 (48 x 48 each, four
// to a row) and the same faces smiling at indices 8..15.
IndexedImage MakeFaceSet(const std::vector<CharacterLook>& looks);

// The package's character and face sets: name and looks.
struct CharacterSetPlan {
    std::string name;
    std::vector<CharacterLook> looks;
    bool hasFaces;
};
const std::vector<CharacterSetPlan>& CharacterSetPlans();

} // namespace tarvel::rtp
