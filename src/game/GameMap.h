#pragma once

// The map the party is on: its layers as the game reads them (passability, terrain, what is drawn
// above the characters, counters), its loops, its events with their active pages, and an index of
// which events stand on which cell.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "GameCharacter.h"
#include "GameData.h"

namespace tarvel::game {

class TGameInterpreter;

// Bits of a chip's passability byte.
enum TPassBits : uint8_t {
    passDown = 0x01,
    passLeft = 0x02,
    passRight = 0x04,
    passUp = 0x08,
    passDirections = 0x0F,
    passSquare = 0x10,  // drawn above the characters (on an upper chip: the chip below decides)
    passStar = 0x20,    // a lower chip that is drawn above the characters and never blocks
    passCounter = 0x40, // a counter: talked across
};
// The bit of a side of a cell.
uint8_t DirectionBit(int dir);

// Page triggers.
enum TTrigger : int {
    trPushKey = 0,
    trHeroTouch = 1,
    trEventTouch = 2,
    trAutoStart = 3,
    trParallel = 4,
    trCall = 5
};
// Movement types of a page.
enum TMoveType : int {
    mtStill = 0,
    mtRandom = 1,
    mtCycleUpDown = 2,
    mtCycleLeftRight = 3,
    mtTowardHero = 4,
    mtAwayFromHero = 5,
    mtRoute = 6
};

// An event of the map as it plays.
class TGameEvent : public TGameCharacter {
public:
    TGameEvent(const TQelEventItem& record);
    ~TGameEvent() override;
    TGameEvent* AsEvent() override { return this; }

    int32_t ID() const { return mRecord->ID; }
    const std::string& Name() const { return mRecord->Name; }
    const TQelEventItem& Record() const { return *mRecord; }

    // The active page number (1-based), 0 when no page's conditions hold or the event was erased.
    int Page() const { return mErased ? 0 : mPage; }
    const TQelEventPageItem* PageRecord() const;
    TScriptPtr PageScript() const { return PageScriptOf(mPage); }
    // The script of any page (1-based), or nullptr.
    TScriptPtr PageScriptOf(int page) const;
    // Makes a page active (0: none), taking its graphic, movement and trigger.
    void SetPage(int page);
    int Trigger() const { return mTrigger; }
    bool Overlap() const { return mOverlap; }
    // Shown and acting: a page is active and it was not erased.
    bool Active() const { return !mErased && mPage > 0; }
    bool Erased() const { return mErased; }
    void SetErased(bool erased) { mErased = erased; }

    // Its script runs in the foreground: it stands where it is.
    bool Running() const { return mRunning; }
    void SetRunning(bool running) { mRunning = running; }
    // Whether the whole map's events wait (a message that asks them to, a stop of all movement).
    void SetFrozen(bool frozen) { mFrozen = frozen; }

    // The parallel script of its page (trigger 4), or nullptr.
    TGameInterpreter* Parallel() const { return mParallel.get(); }
    void SetParallel(std::unique_ptr<TGameInterpreter> parallel);

    // Its place in the map's event list and the link of the map's cell index.
    int indexInMap = -1;
    int nextInCell = -1;

protected:
    void Autonomous() override;
    bool MayMove() const override { return !mRunning && !mFrozen; }

private:
    const TQelEventItem* mRecord;
    std::vector<TScriptPtr> mScripts; // per page
    int mPage = 0;
    bool mErased = false;
    int mTrigger = -1;
    bool mOverlap = false;
    int mMoveType = mtStill;
    int mCycleDirection = -1; // the way a cycling event walks
    bool mRunning = false;
    bool mFrozen = false;
    std::unique_ptr<TGameInterpreter> mParallel;
};

class TGameMap {
public:
    // Takes the map; the chipset record is looked up in the database.
    TGameMap(std::unique_ptr<TQelMap> map, const TQelDataBase& db);
    ~TGameMap();

    int32_t ID() const { return mMap->ID; }
    TQelMap& Data() { return *mMap; }
    const TQelMap& Data() const { return *mMap; }
    int Width() const { return mMap->Width; }
    int Height() const { return mMap->Height; }
    bool LoopsX() const { return mMap->ScrollType == 2 || mMap->ScrollType == 3; }
    bool LoopsY() const { return mMap->ScrollType == 1 || mMap->ScrollType == 3; }
    // Brings a cell into the map along the looping directions; false when it lies outside.
    bool WrapCell(int& x, int& y) const;
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

    // The chipset the map is drawn with (scripts may change it); nullptr when the database has no
    // such record.
    const TQelChipSetItem* ChipSet() const { return mChipSet; }
    int32_t ChipSetID() const { return mChipSetID; }
    void SetChipSet(int32_t id);

    // Whether a character may leave or enter the cell on that side, by the chips alone: an upper
    // chip decides unless it is the empty chip or drawn above the characters, then the lower chip.
    bool Passable(int x, int y, int dir) const;
    // The upper chip of the cell is a counter.
    bool IsCounter(int x, int y) const;
    // The terrain record ID of the cell's lower chip (0 outside or without a chipset).
    int32_t TerrainID(int x, int y) const;
    // Whether the cell's upper (lower) chip is drawn above the characters.
    bool UpperAbove(int x, int y) const;
    bool LowerAbove(int x, int y) const;

    // Replaces every chip of a palette cell by another (lower: the 162 families, keeping a water
    // or autotile's shape when both are of one family; upper: the 144 chips).
    void ReplaceChip(int layer, int from, int to);

    // The events, in ID order.
    std::vector<std::unique_ptr<TGameEvent>>& Events() { return mEvents; }
    const std::vector<std::unique_ptr<TGameEvent>>& Events() const { return mEvents; }
    TGameEvent* EventByID(int32_t id) const;
    // Calls f for every event on the cell (active or not) until it returns true.
    template <typename F>
    bool ForEventsAt(int x, int y, F f) const {
        if (!Inside(x, y)) return false;
        for (int i = mCellHead[size_t(y * Width() + x)]; i >= 0; i = mEvents[size_t(i)]->nextInCell)
            if (f(*mEvents[size_t(i)])) return true;
        return false;
    }
    // Keeps the cell index right after an event changed cells.
    void EventMoved(TGameEvent& event, int oldX, int oldY);

private:
    // The passability byte of the cell's upper chip (-1 for the empty chip) and lower chip (-1 for
    // a number that names no chip); the cell lies inside the map.
    int upperFlags(int x, int y) const;
    int lowerFlags(int x, int y) const;
    void unlink(int index, int x, int y);
    void link(int index, int x, int y);

    std::unique_ptr<TQelMap> mMap;
    const TQelDataBase& mDb;
    const TQelChipSetItem* mChipSet = nullptr;
    int32_t mChipSetID = 0;
    std::vector<std::unique_ptr<TGameEvent>> mEvents;
    std::vector<int> mCellHead;
};

} // namespace tarvel::game
