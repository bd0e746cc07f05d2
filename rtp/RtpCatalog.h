#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ChipsetPainter.h"

// What the runtime package holds, for the code that builds the template database and for anyone
// who wires the material into records: which picture is which hero, which sound belongs in which
// system slot, which terrain a chipset's chips stand for. Every name here is a file of the package
// (checked by the tests), written without folder and extension as the records hold it.
namespace tarvel::rtp::catalog {

struct Hero {
    const char* name;
    const char* role;
    const char* charSet; // folder CharSet
    int charIndex;
    const char* faceSet; // folder FaceSet; the smiling face is faceIndex + 8
    int faceIndex;
};
// The eight heroes of Hero1 (the starting cast) and the eight of Hero2.
const std::vector<Hero>& Heroes();

struct SystemSlot {
    int chunk;        // chunk ID in the system record
    const char* slot; // the slot as the system page names it
    const char* name; // the material
};
// Chunks 31..38 ("Title Screen" .. "Game Over"), folder Music.
const std::vector<SystemSlot>& SystemMusic();
// Chunks 41..52 ("Cursor Movement" .. "Item Use"), folder Sound.
const std::vector<SystemSlot>& SystemSounds();

struct Vehicle {
    const char* slot; // "Boat", "Ship", "Airship"
    const char* charSet;
    int charIndex;
};
const std::vector<Vehicle>& Vehicles();

// The title, game-over and system pictures of a new game, and the music of its kinds of map.
extern const char* const kTitle;
extern const char* const kGameOver;
extern const char* const kSystem;
extern const char* const kFieldMusic;
extern const char* const kTownMusic;
extern const char* const kDungeonMusic;
extern const char* const kCastleMusic;
extern const char* const kBossMusic;

// A terrain the chipsets' chips stand for (ChipsetInfo::lowerTerrain names one of these), with
// suggested values for the terrain record.
struct Terrain {
    const char* name;
    const char* backdrop; // folder Backdrop
    int damage;
    int encounterRate;
    bool boatPass, shipPass, airshipPass, airshipLand;
    int charDisplay; // 0 normal, 1 cut off the bottom third, 2 the bottom half, 3 semi-transparent
};
const std::vector<Terrain>& Terrains();

struct Monster {
    const char* name;
    const char* graphic; // folder Monster
};
const std::vector<Monster>& Monsters();

struct Animation {
    const char* name;
    const char* sheet;                   // folder Battle
    int cells;                           // cells 0..cells-1 show the effect in order
    const char* sound;                   // folder Sound, played at the first frame
    int flashScope;                      // 0 none, 1 target, 2 screen
    int flashRed, flashGreen, flashBlue; // 0..31
};
const std::vector<Animation>& Animations();

struct Chipset {
    const char* name; // folder ChipSet
    ChipsetInfo (*make)();
};
// The chipsets, each with the function that draws it and names every family and chip.
const std::vector<Chipset>& Chipsets();

// A passability byte for a chip of the given kind, as the chipset editor sets them: circle 0x0F
// (walkable), cross 0x00, square 0x1F (walkable, drawn above the characters), and the counter
// bit 0x40 on a blocked chip.
uint8_t SuggestedPassByte(Pass pass);

} // namespace tarvel::rtp::catalog
