#pragma once

// What a game holds beyond the map: switches and variables, the party with its money and items,
// the timer, the counts of saves and battles, the system settings scripts changed, what is
// allowed (saving, the menu, teleporting, escaping), the teleport places and the music.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "GameParty.h"
#include "data/LD_Music.h"
#include "data/LD_System.h"

namespace tarvel::game {

constexpr int32_t kMaxVariable = 9999999;
constexpr int32_t kMinVariable = -9999999;
constexpr int kFramesPerSecond = 60;

struct TGameTimer {
    int32_t frames = 0; // time left, in frames
    bool running = false;
    bool visible = false;
    bool inBattle = false;
    // Whole seconds left, counting a started second as whole.
    int32_t Seconds() const { return (frames + kFramesPerSecond - 1) / kFramesPerSecond; }
};

// Where a vehicle stands and what it looks like.
struct TVehicleState {
    int32_t mapID = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t direction = 3;
    std::string charName;
    int32_t charIndex = 0;
};
enum TVehicle : int { vhBoat = 0, vhShip = 1, vhAirship = 2, kVehicleCount = 3 };

struct TTeleportPlace {
    int32_t mapID = 0;
    int32_t x = 0;
    int32_t y = 0;
    bool switchOn = false;
    int32_t switchID = 0;
};

class TGameState {
public:
    explicit TGameState(const TQelDataBase& db) : party(db) {}

    // Everything as a new game starts it.
    void NewGame(const TQelDataBase& db);

    bool Switch(int32_t id) const;
    void SetSwitch(int32_t id, bool on);
    int32_t Variable(int32_t id) const;
    void SetVariable(int32_t id, int64_t value);
    int32_t SwitchCount() const { return int32_t(switches.size()); }
    int32_t VariableCount() const { return int32_t(variables.size()); }

    // Grows with every change that may turn an event's page (switches, variables, items, party);
    // event pages are looked at again when it moved.
    uint64_t version = 0;
    void Touch() { ++version; }

    std::vector<uint8_t> switches;  // switch ID - 1
    std::vector<int32_t> variables; // variable ID - 1
    TGameParty party;
    TGameTimer timer;

    int32_t saveCount = 0;
    int32_t battleCount = 0;
    int32_t victoryCount = 0;
    int32_t defeatCount = 0;
    int32_t escapeCount = 0;

    // The system record's music, sounds, transitions, system graphic and vehicle graphics as
    // scripts changed them (copied from the database at a new game).
    std::array<TQelMusic, 8> systemMusic; // title, battle, battle end, inn, boat, ship, airship, game over
    std::array<TQelSound, SystemSoundCount> systemSounds;
    std::array<uint8_t, SystemTransitionCount> transitions{};
    std::string systemGraphic;
    int32_t wallpaper = 0;
    int32_t font = 0;
    std::array<TVehicleState, kVehicleCount> vehicles;

    bool saveAllowed = true;
    bool menuAllowed = true;
    bool teleportAllowed = true;
    bool escapeAllowed = true;
    std::vector<TTeleportPlace> teleportPlaces;
    TTeleportPlace escapePlace;

    // The music playing (or "(OFF)") and the one memorized.
    TQelMusic music;
    TQelMusic memorizedMusic;
};

} // namespace tarvel::game
