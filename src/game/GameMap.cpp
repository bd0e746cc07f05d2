#include "GameMap.h"

#include <algorithm>

#include "GameInterpreter.h"
#include "GameRandom.h"
#include "graphics/GR_ChipSet.h"

namespace tarvel::game {

uint8_t DirectionBit(int dir) {
    switch (dir & 3) {
    case dirUp:
        return passUp;
    case dirRight:
        return passRight;
    case dirDown:
        return passDown;
    default:
        return passLeft;
    }
}

// ---------------------------------------------------------------------------------------------

TGameEvent::TGameEvent(const TQelEventItem& record) : mRecord(&record) {
    for (int i = 0; i < record.Pages.Count(); ++i)
        mScripts.push_back(MakeScript(record.Pages.Items(i)->Script));
    mX = record.X;
    mY = record.Y;
    mRealX = mX * kCellUnits;
    mRealY = mY * kCellUnits;
}

TGameEvent::~TGameEvent() = default;

const TQelEventPageItem* TGameEvent::PageRecord() const {
    return mPage > 0 ? mRecord->Pages.Items(mPage - 1) : nullptr;
}

TScriptPtr TGameEvent::PageScriptOf(int page) const {
    return page > 0 && size_t(page) <= mScripts.size() ? mScripts[size_t(page - 1)] : nullptr;
}

void TGameEvent::SetParallel(std::unique_ptr<TGameInterpreter> parallel) {
    mParallel = std::move(parallel);
}

void TGameEvent::SetPage(int page) {
    mPage = page;
    CancelForcedRoute();
    mParallel.reset();
    mFollowsOwnRoute = false;
    mDirectionFixed = false;
    mThrough = false;
    mAnimationStopped = false;
    const TQelEventPageItem* p = PageRecord();
    if (!p) {
        SetGraphic(std::string(), 0);
        mTrigger = -1;
        mMoveType = mtStill;
        return;
    }
    SetGraphic(p->CharName, p->CharIndex);
    ForceDirection(p->CharDir);
    SetPattern(p->CharPattern);
    SetTransparency(p->CharTransparent ? 3 : 0);
    mMoveType = p->MoveType;
    SetFrequency(p->MoveFrequency);
    SetSpeed(p->MoveSpeed);
    mTrigger = p->Trigger;
    SetLayer(std::clamp<int>(p->Priority, layerBelow, layerAbove));
    mOverlap = p->OverlapFlag != 0;
    // A page shown as a chip of the map neither walks nor turns.
    SetAnimType(p->CharName.empty() ? int(animFixedGraphic) : int(p->AnimType));
    if (mMoveType == mtRoute) {
        SetOwnRoute(MakeRoute(p->MoveRoute));
        mFollowsOwnRoute = true;
    }
    mStopCount = 0;
    mCycleDirection = -1;
}

void TGameEvent::Autonomous() {
    if (!Active() || !Rested()) return;
    switch (mMoveType) {
    case mtRandom: {
        const int r = int(mWorld->Random().Range(0, 5));
        if (r < 4)
            Step(r);
        else if (r == 4)
            SetDirection(int(mWorld->Random().Range(0, 3)));
        break;
    }
    case mtCycleUpDown:
    case mtCycleLeftRight: {
        // The way it walks is its own (a fixed facing walks backwards); at the end it turns back.
        const bool vertical = mMoveType == mtCycleUpDown;
        int& dir = mCycleDirection;
        if (vertical ? (dir != dirUp && dir != dirDown) : (dir != dirLeft && dir != dirRight))
            dir = vertical ? (mDirection == dirUp ? dirUp : dirDown)
                           : (mDirection == dirLeft ? dirLeft : dirRight);
        if (!Step(dir)) {
            dir = ReverseDirection(dir);
            SetDirection(dir);
        }
        break;
    }
    case mtTowardHero:
        Step(DirectionToHero(false));
        break;
    case mtAwayFromHero:
        Step(DirectionToHero(true));
        break;
    default:
        break;
    }
    mStopCount = 0;
}

// ---------------------------------------------------------------------------------------------

TGameMap::TGameMap(std::unique_ptr<TQelMap> map, const TQelDataBase& db) : mMap(std::move(map)), mDb(db) {
    SetChipSet(mMap->ChipSetID);
    mCellHead.assign(size_t(std::max(0, Width() * Height())), -1);
    for (const auto& item : mMap->Events) {
        auto event = std::make_unique<TGameEvent>(static_cast<const TQelEventItem&>(*item));
        event->indexInMap = int(mEvents.size());
        mEvents.push_back(std::move(event));
    }
    for (const auto& event : mEvents)
        link(event->indexInMap, event->X(), event->Y());
}

TGameMap::~TGameMap() = default;

bool TGameMap::WrapCell(int& x, int& y) const {
    if (LoopsX() && Width() > 0) x = ((x % Width()) + Width()) % Width();
    if (LoopsY() && Height() > 0) y = ((y % Height()) + Height()) % Height();
    return Inside(x, y);
}

void TGameMap::SetChipSet(int32_t id) {
    mChipSetID = id;
    mChipSet = mDb.ChipSets().Find(id);
}

int TGameMap::upperFlags(int x, int y) const {
    const int upper = mMap->UpperLayer.GetChip(x, y);
    if (upper <= 10000 || upper >= 20000) return -1;
    return mChipSet ? mChipSet->UpperChipPass(std::min(upper - 10000, kUpperChips - 1)) : passDirections;
}

int TGameMap::lowerFlags(int x, int y) const {
    const int kind = ChipKind(mMap->LowerLayer.GetChip(x, y));
    if (kind < 0 || kind >= kLowerChipKinds) return -1;
    return mChipSet ? mChipSet->LowerChipPass(kind) : passDirections;
}

bool TGameMap::Passable(int x, int y, int dir) const {
    if (!WrapCell(x, y)) return false;
    const uint8_t bit = DirectionBit(dir);
    const int upper = upperFlags(x, y);
    if (upper >= 0 && !(upper & passSquare)) return (upper & bit) != 0;
    const int lower = lowerFlags(x, y);
    if (lower < 0) return false;
    return (lower & passStar) || (lower & bit);
}

bool TGameMap::IsCounter(int x, int y) const {
    return WrapCell(x, y) && mChipSet && upperFlags(x, y) >= 0 && (upperFlags(x, y) & passCounter);
}

int32_t TGameMap::TerrainID(int x, int y) const {
    if (!WrapCell(x, y) || !mChipSet) return 0;
    const int kind = ChipKind(mMap->LowerLayer.GetChip(x, y));
    return kind >= 0 && kind < kLowerChipKinds ? mChipSet->ChipTerrain(kind) : 0;
}

bool TGameMap::UpperAbove(int x, int y) const {
    return WrapCell(x, y) && mChipSet && upperFlags(x, y) >= 0 && (upperFlags(x, y) & passSquare);
}

bool TGameMap::LowerAbove(int x, int y) const {
    return WrapCell(x, y) && mChipSet && lowerFlags(x, y) >= 0 &&
           (lowerFlags(x, y) & (passSquare | passStar));
}

void TGameMap::ReplaceChip(int layer, int from, int to) {
    TQelMapLayer& cells = layer == 0 ? mMap->LowerLayer : mMap->UpperLayer;
    if (layer != 0) {
        if (from < 0 || from >= kUpperChips || to < 0 || to >= kUpperChips) return;
        for (uint16_t& cell : cells.Cells)
            if (cell >= 10000 && cell < 20000 && std::min(cell - 10000, kUpperChips - 1) == from)
                cell = uint16_t(10000 + to);
        return;
    }
    if (from < 0 || from >= kLowerChipKinds || to < 0 || to >= kLowerChipKinds) return;
    // Water keeps its shape within the water kinds (0..2), an autotile within the autotiles.
    auto family = [](int kind) { return kind <= 2 ? 0 : kind <= 5 ? 1 : kind <= 17 ? 2 : 3; };
    const bool keepShape = family(from) == family(to) && (family(from) == 0 || family(from) == 2);
    for (uint16_t& cell : cells.Cells) {
        if (ChipKind(cell) != from) continue;
        const int shape = cell - KindBaseChip(from);
        cell =
            uint16_t(KindBaseChip(to) + (keepShape ? shape : (family(to) == 0 || family(to) == 2 ? 49 : 0)));
    }
}

TGameEvent* TGameMap::EventByID(int32_t id) const {
    // Events are held in ID order.
    auto it = std::lower_bound(mEvents.begin(), mEvents.end(), id,
                               [](const std::unique_ptr<TGameEvent>& e, int32_t v) { return e->ID() < v; });
    return it != mEvents.end() && (*it)->ID() == id ? it->get() : nullptr;
}

void TGameMap::unlink(int index, int x, int y) {
    if (!Inside(x, y)) return;
    int* link = &mCellHead[size_t(y * Width() + x)];
    while (*link >= 0) {
        if (*link == index) {
            *link = mEvents[size_t(index)]->nextInCell;
            mEvents[size_t(index)]->nextInCell = -1;
            return;
        }
        link = &mEvents[size_t(*link)]->nextInCell;
    }
}

void TGameMap::link(int index, int x, int y) {
    if (!Inside(x, y)) return;
    int& head = mCellHead[size_t(y * Width() + x)];
    mEvents[size_t(index)]->nextInCell = head;
    head = index;
}

void TGameMap::EventMoved(TGameEvent& event, int oldX, int oldY) {
    unlink(event.indexInMap, oldX, oldY);
    link(event.indexInMap, event.X(), event.Y());
}

} // namespace tarvel::game
