#pragma once

// The deep undo of the map view: a history of steps with redo, kept per map for as long as the
// editor runs (the map's working copy holds its cells; this holds how they got there), whose
// memory grows with the cells changed, not with whole layers per step.
//
// A step opens with Push, given the layers as they were before it, and stays open until the next
// Push: everything that happens to the map in between (a paste and the moves of what was pasted, a
// stroke, a fill) is that one step. Settle brings the open step up to date with the map; the view
// calls it after every change, so a step is never out of date when the map object is given another
// map. While a step is open its before-layers are kept whole; once closed, only its changed cells
// are.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "MapEditUtils.h"
#include "data/LD_Map.h"

namespace tarvel {

class TQelMapEditHistory : public TUndoRecorder {
public:
    explicit TQelMapEditHistory(int steps) : mSteps(steps) {}

    int Steps() const { return mSteps; }
    // Drops the oldest steps beyond the new limit.
    void SetSteps(int steps);

    // Opens a step from the map (or the two layers) as they are now, before a change.
    void Push(const TQelMap& map);
    void Push(const TQelMapLayer& lower, const TQelMapLayer& upper) override;
    // The open step takes in what changed since it opened.
    void Settle(const TQelMap& map);
    // Ends the open step: only its changed cells are kept from now on.
    void Close() { closeOpenStep(); }
    // Takes back the last step (settled first); false when there is none. A step taken back
    // without keepForRedo cannot be done again.
    bool Undo(TQelMap& map, bool keepForRedo = true);
    // Does the last undone step again; false when there is none. A new step forgets them.
    bool Redo(TQelMap& map);
    void Clear();

    int Count() const { return int(mDone.size()); }
    int RedoCount() const { return int(mUndone.size()); }
    // The bytes the history holds (steps and the open step's layers).
    size_t MemoryBytes() const;

    // A fingerprint of the layers as the history last saw them; a map that no longer matches it
    // was changed by something else (reverted, shifted, resized) and its history no longer fits.
    static uint64_t Fingerprint(const TQelMap& map);
    uint64_t LastFingerprint() const { return mFingerprint; }

private:
    struct TCellChange {
        uint32_t index;
        uint16_t before;
        uint16_t after;
    };
    struct TStep {
        std::vector<TCellChange> lower;
        std::vector<TCellChange> upper;
    };
    void closeOpenStep();
    static void diff(const std::vector<uint16_t>& before, const std::vector<uint16_t>& now,
                     std::vector<TCellChange>& changes);
    static void apply(const std::vector<TCellChange>& changes, bool forward, std::vector<uint16_t>& cells);
    void trim();

    int mSteps;
    std::deque<TStep> mDone;
    std::vector<TStep> mUndone;
    // The open step's layers before it (empty when no step is open).
    std::unique_ptr<std::vector<uint16_t>> mOpenLower;
    std::unique_ptr<std::vector<uint16_t>> mOpenUpper;
    uint64_t mFingerprint = 0;
};

// The histories of every map edited in this run, by map ID. A history is given up when its map
// comes back changed by something other than the view (its fingerprint no longer matches).
class TQelMapEditHistories {
public:
    explicit TQelMapEditHistories(int steps = 100) : mSteps(steps) {}
    void SetSteps(int steps);
    int Steps() const { return mSteps; }
    // The history of the map as it is now: kept when the map is as the history left it, else new.
    TQelMapEditHistory& ForMap(const TQelMap& map);
    void Clear() { mHistories.clear(); }
    size_t MemoryBytes() const;

private:
    int mSteps;
    std::map<int32_t, TQelMapEditHistory> mHistories;
};

} // namespace tarvel
