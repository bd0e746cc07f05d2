#include "MapEditHistory.h"

#include <algorithm>

namespace tarvel {

void TQelMapEditHistory::SetSteps(int steps) {
    mSteps = std::max(steps, 1);
    trim();
}

void TQelMapEditHistory::Push(const TQelMap& map) {
    Push(map.LowerLayer, map.UpperLayer);
}

void TQelMapEditHistory::Push(const TQelMapLayer& lower, const TQelMapLayer& upper) {
    closeOpenStep();
    mUndone.clear();
    mDone.emplace_back();
    mOpenLower = std::make_unique<std::vector<uint16_t>>(lower.Cells);
    mOpenUpper = std::make_unique<std::vector<uint16_t>>(upper.Cells);
    trim();
}

void TQelMapEditHistory::Settle(const TQelMap& map) {
    if (mOpenLower && !mDone.empty()) {
        TStep& step = mDone.back();
        diff(*mOpenLower, map.LowerLayer.Cells, step.lower);
        diff(*mOpenUpper, map.UpperLayer.Cells, step.upper);
    }
    mFingerprint = Fingerprint(map);
}

bool TQelMapEditHistory::Undo(TQelMap& map, bool keepForRedo) {
    Settle(map);
    closeOpenStep();
    if (mDone.empty()) return false;
    TStep step = std::move(mDone.back());
    mDone.pop_back();
    apply(step.lower, false, map.LowerLayer.Cells);
    apply(step.upper, false, map.UpperLayer.Cells);
    if (keepForRedo) mUndone.push_back(std::move(step));
    mFingerprint = Fingerprint(map);
    return true;
}

bool TQelMapEditHistory::Redo(TQelMap& map) {
    Settle(map);
    closeOpenStep();
    if (mUndone.empty()) return false;
    TStep step = std::move(mUndone.back());
    mUndone.pop_back();
    apply(step.lower, true, map.LowerLayer.Cells);
    apply(step.upper, true, map.UpperLayer.Cells);
    mDone.push_back(std::move(step));
    mFingerprint = Fingerprint(map);
    return true;
}

void TQelMapEditHistory::Clear() {
    mDone.clear();
    mUndone.clear();
    mOpenLower.reset();
    mOpenUpper.reset();
}

size_t TQelMapEditHistory::MemoryBytes() const {
    size_t bytes = sizeof(*this);
    auto stepBytes = [](const TStep& s) {
        return sizeof(TStep) + (s.lower.capacity() + s.upper.capacity()) * sizeof(TCellChange);
    };
    for (const TStep& s : mDone)
        bytes += stepBytes(s);
    for (const TStep& s : mUndone)
        bytes += stepBytes(s);
    if (mOpenLower) bytes += (mOpenLower->capacity() + mOpenUpper->capacity()) * sizeof(uint16_t);
    return bytes;
}

uint64_t TQelMapEditHistory::Fingerprint(const TQelMap& map) {
    // FNV-1a over the size and both layers' cells.
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](uint64_t value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    mix(uint64_t(uint32_t(map.LowerLayer.Width)) << 32 | uint32_t(map.LowerLayer.Height));
    for (uint16_t cell : map.LowerLayer.Cells)
        mix(cell);
    for (uint16_t cell : map.UpperLayer.Cells)
        mix(cell);
    return hash;
}

void TQelMapEditHistory::closeOpenStep() {
    mOpenLower.reset();
    mOpenUpper.reset();
    if (!mDone.empty()) {
        mDone.back().lower.shrink_to_fit();
        mDone.back().upper.shrink_to_fit();
    }
}

void TQelMapEditHistory::diff(const std::vector<uint16_t>& before, const std::vector<uint16_t>& now,
                              std::vector<TCellChange>& changes) {
    changes.clear();
    // A layer that changed size is not a step this history can take back cell by cell; the
    // fingerprint check throws such a history away before it is used again.
    if (before.size() != now.size()) return;
    for (size_t i = 0; i < now.size(); ++i)
        if (before[i] != now[i]) changes.push_back({uint32_t(i), before[i], now[i]});
}

void TQelMapEditHistory::apply(const std::vector<TCellChange>& changes, bool forward, std::vector<uint16_t>& cells) {
    for (const TCellChange& c : changes)
        if (c.index < cells.size()) cells[c.index] = forward ? c.after : c.before;
}

void TQelMapEditHistory::trim() {
    while (int(mDone.size()) > mSteps)
        mDone.pop_front();
}

void TQelMapEditHistories::SetSteps(int steps) {
    mSteps = std::max(steps, 1);
    for (auto& [id, history] : mHistories)
        history.SetSteps(mSteps);
}

TQelMapEditHistory& TQelMapEditHistories::ForMap(const TQelMap& map) {
    auto found = mHistories.find(map.ID);
    if (found != mHistories.end() && found->second.LastFingerprint() == TQelMapEditHistory::Fingerprint(map))
        return found->second;
    TQelMapEditHistory& history = mHistories.insert_or_assign(map.ID, TQelMapEditHistory(mSteps)).first->second;
    history.Settle(map);
    return history;
}

size_t TQelMapEditHistories::MemoryBytes() const {
    size_t bytes = 0;
    for (const auto& [id, history] : mHistories)
        bytes += history.MemoryBytes();
    return bytes;
}

} // namespace tarvel
