#pragma once

// A small game made in memory: a database with one hero, one chipset whose passability each test
// sets, maps added as the test builds them, and the party placed where the test says. Frames are
// stepped with the keys the test holds.

#include <memory>
#include <string>
#include <vector>

#include "game/Game.h"

namespace tarvel::game::test {

// A plain lower chip (0..143) and an upper chip (0..143) as map numbers.
inline int Lower(int index) {
    return 5000 + index;
}
inline int Upper(int index) {
    return 10000 + index;
}
// The lower chip kind of a plain chip, for its passability entry.
inline int LowerKind(int index) {
    return 18 + index;
}

// Lower plain chips with fixed meanings in every fixture map.
enum TFixtureChip {
    chOpen = 0,  // passable from every side
    chWall = 1,  // passable from no side
    chWater = 2, // terrain 2, where boats go
};

// Script lines.
TQelEventScriptLine Line(int32_t code, std::vector<int32_t> params = {}, std::string text = {},
                         int32_t indent = 0);

class TGameFixture {
public:
    TGameFixture();
    ~TGameFixture();

    TQelDataBase& DataBase() { return mData.DataBase(); }
    TQelChipSetItem& ChipSet() { return *DataBase().ChipSets().Find(1); }
    TGameData& Data() { return mData; }
    TSilentSound& Sound() { return mSound; }
    TMemorySaveStore& Saves() { return mSaves; }

    // A new map (20 x 15 unless given) of open ground, registered under its ID when Start runs.
    TQelMap& AddMap(int32_t id, int width = 20, int height = 15);
    TQelMap& MapData(int32_t id);
    // An event on a map with one page; the page is returned for the test to fill.
    TQelEventPageItem& AddEvent(int32_t mapID, int32_t eventID, int x, int y);
    TQelEventItem& Event(int32_t mapID, int32_t eventID);
    // A script of lines for a page (the end line is added).
    static void SetScript(TQelBaseEventPageItem& page, std::vector<TQelEventScriptLine> lines);
    TQelCommonEventItem& AddCommonEvent(int32_t id, int trigger, std::vector<TQelEventScriptLine> lines);

    // Makes the game with the party on the map and cell given.
    TGame& Start(int32_t mapID, int x, int y);
    TGame& Game() { return *mGame; }

    // Steps frames with keys held (then released).
    void Hold(std::initializer_list<TGameKey> keys, int frames);
    void Wait(int frames) { Hold({}, frames); }
    // Presses a key for one frame and lets go for one.
    void Press(TGameKey key);

private:
    TGameData mData;
    TSilentSound mSound;
    TMemorySaveStore mSaves;
    std::vector<std::unique_ptr<TQelMap>> mMaps;
    std::unique_ptr<TGame> mGame;
};

// A game whose map 1 has an event 1 at (1, 1) that runs the script at once, once: its first line
// turns switch 10 on, which ends its page, and its last sets variable 10 to 1, so the test sees
// that it ran to its end. Map 2 is open ground too.
struct ScriptRun {
    explicit ScriptRun(std::vector<TQelEventScriptLine> lines);
    TGame& Start(int frames = 2, int heroX = 5, int heroY = 5);
    bool Finished() const;
    TGameFixture f;
};

// Variable op (0 set, 1 add, ...) with an operand of a kind and its values.
TQelEventScriptLine SetVariable(int id, int op, int kind, int a, int b = 0);

} // namespace tarvel::game::test
