#pragma once

// Saved games: the whole state of a game (switches, variables, the party, the map with every
// event where it stands and what it is doing, the scripts that run, the screen) in the chunk
// encoding of the project files, behind the header "TarvelSave". A file begins with a short
// summary (the first hero's name and level), which the save and load screens show.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::game {

class TGame;
class TGameCharacter;
class TGameInterpreter;
class TGameScreen;
class TGameState;
class TSaveRecord;
struct TSaveContent;
struct TInterpreterSave;

extern const char* const SaveFileHeader;

struct TSaveSummary {
    std::string leaderName;
    int32_t leaderLevel = 0;
    int32_t mapID = 0;
    int32_t saveCount = 0;
};

// The summary of a saved game; false when the bytes are no saved game.
bool ReadSaveSummary(const std::vector<uint8_t>& bytes, TSaveSummary& summary);

class TGameSaver {
public:
    static std::vector<uint8_t> Save(const TGame& game);
    // Restores a game saved by Save; false (the game untouched as far as possible) when the bytes
    // are no saved game or its map cannot be played.
    static bool Load(TGame& game, const std::vector<uint8_t>& bytes);

private:
    // One description of the saved game serves writing and reading.
    static void describe(TSaveRecord& r, TGameState& state, TGameScreen& screen, TSaveContent& content);
    static void describeCharacter(TSaveRecord& r, TGameCharacter& c);
    static void describeInterpreter(TSaveRecord& r, TInterpreterSave& in);
    static void describeScreen(TSaveRecord& r, TGameScreen& s);
    static void capture(const TGame& game, TSaveContent& content);
    static TInterpreterSave captureInterpreter(const TGameInterpreter& in);
    static bool restoreInterpreter(TGame& game, TGameInterpreter& in, const TInterpreterSave& saved);
};

} // namespace tarvel::game
