#include "AnimationEditRules.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tarvel {

int64_t RoundRatioHalfEven(int64_t num, int64_t den) {
    int64_t q = num / den;
    int64_t r = num % den;
    // Floor division first, so the remainder is 0 <= r < den.
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return q;
}

// ---- frames ----

int AnimationFrameCount(const TQelAnimationItem& animation) {
    return animation.Frames.Count();
}

TQelAnimationPatternItem* AnimationFrame(const TQelAnimationItem& animation, int index) {
    return animation.Frames.Items(index);
}

void SetAnimationFrameCount(TQelAnimationItem& animation, int count) {
    ResizeList(animation.Frames, std::clamp(count, 1, AnimationMaxFrames));
}

namespace {

void copyFrame(TQelAnimationItem& animation, int from, int to) {
    TQelAnimationPatternItem* source = AnimationFrame(animation, from);
    TQelAnimationPatternItem* target = AnimationFrame(animation, to);
    if (source && target && source != target) target->Assign(*source);
}

// Moves the timing entries whose frame number passes the test by delta frames.
template <typename Test>
void shiftTimings(TQelAnimationItem& animation, int delta, Test test) {
    for (int i = 0; i < animation.Timings.Count(); ++i) {
        TQelAnimationTimingItem* t = animation.Timings.Items(i);
        if (test(t->Frame)) t->Frame += delta;
    }
}

} // namespace

bool CanInsertAnimationFrame(const TQelAnimationItem& animation) {
    return AnimationFrameCount(animation) < AnimationMaxFrames;
}

bool InsertAnimationFrame(TQelAnimationItem& animation, int index) {
    if (!CanInsertAnimationFrame(animation) || !AnimationFrame(animation, index)) return false;
    TQelAnimationPatternItem* source = AnimationFrame(animation, index);
    TCatalogItem* copy = animation.Frames.Insert(source->ID + 1);
    copy->Assign(*source);
    const int frameNumber = index + 1;
    shiftTimings(animation, 1, [frameNumber](int f) { return f >= frameNumber; });
    return true;
}

bool CanDeleteAnimationFrame(const TQelAnimationItem& animation) {
    return AnimationFrameCount(animation) > 1;
}

bool DeleteAnimationFrame(TQelAnimationItem& animation, int index) {
    if (!CanDeleteAnimationFrame(animation) || !AnimationFrame(animation, index)) return false;
    animation.Frames.Remove(AnimationFrame(animation, index)->ID);
    const int frameNumber = index + 1;
    shiftTimings(animation, -1, [frameNumber](int f) { return f > frameNumber; });
    return true;
}

bool CopyPreviousAnimationFrame(TQelAnimationItem& animation, int index) {
    if (index < 1 || !AnimationFrame(animation, index)) return false;
    copyFrame(animation, index - 1, index);
    return true;
}

void CopyAnimationFrames(TQelAnimationItem& animation, int a, int b, int d) {
    if (b < a) std::swap(a, b);
    const int count = AnimationFrameCount(animation);
    if (d == a) return;
    if (d < a) {
        for (int k = 0; k <= b - a; ++k)
            copyFrame(animation, a + k - 1, d + k - 1);
    } else {
        for (int k = b - a; k >= 0; --k)
            if (d + k <= count) copyFrame(animation, a + k - 1, d + k - 1);
    }
}

void ClearAnimationFrames(TQelAnimationItem& animation, int a, int b) {
    if (b < a) std::swap(a, b);
    for (int f = a; f <= b; ++f)
        if (TQelAnimationPatternItem* frame = AnimationFrame(animation, f - 1)) frame->Reset();
}

namespace {

// The cell at index, appending invalid cells up to it when the frame is shorter.
TQelAnimationCellItem* cellAt(TQelAnimationPatternItem& frame, int index) {
    while (frame.Cells.Count() <= index)
        frame.Cells.Append()->Visible = false;
    return frame.Cells.Items(index);
}

int step(int from, int to, int t, int d) {
    return int(RoundRatioHalfEven(int64_t(from) * d + int64_t(t) * (int64_t(to) - from), d));
}

} // namespace

void ComplementAnimation(TQelAnimationItem& animation, const TComplementSettings& s) {
    const int start = std::min(s.startFrame, s.endFrame), end = std::max(s.startFrame, s.endFrame);
    const int first = std::min(s.firstCell, s.lastCell), last = std::max(s.firstCell, s.lastCell);
    TQelAnimationPatternItem* startFrame = AnimationFrame(animation, start - 1);
    TQelAnimationPatternItem* endFrame = AnimationFrame(animation, end - 1);
    if (!startFrame || !endFrame) return;
    const int d = end - start;
    for (int c = std::max(first, 1) - 1; c <= std::min(last, AnimationMaxCells) - 1; ++c) {
        if (!AnimationCellValid(*startFrame, c) || !AnimationCellValid(*endFrame, c)) continue;
        // Copies, since writing frame start's own cell must not change the values stepped from.
        TQelAnimationCellItem from, to;
        from.Assign(*startFrame->Cells.Items(c));
        to.Assign(*endFrame->Cells.Items(c));
        for (int t = 0; t < d; ++t) {
            TQelAnimationCellItem* cell = cellAt(*AnimationFrame(animation, start - 1 + t), c);
            cell->Visible = true;
            if (s.pattern) cell->Pattern = step(from.Pattern, to.Pattern, t, d);
            if (s.magnification) {
                cell->X = step(from.X, to.X, t, d);
                cell->Y = step(from.Y, to.Y, t, d);
                cell->Zoom = step(from.Zoom, to.Zoom, t, d);
            }
            if (s.transparency) {
                cell->Red = step(from.Red, to.Red, t, d);
                cell->Green = step(from.Green, to.Green, t, d);
                cell->Blue = step(from.Blue, to.Blue, t, d);
                cell->Chroma = step(from.Chroma, to.Chroma, t, d);
                cell->Transparency = step(from.Transparency, to.Transparency, t, d);
            }
        }
    }
}

void ApplyBatchCells(TQelAnimationItem& animation, const TBatchCellSettings& s) {
    for (int number : s.frames) {
        TQelAnimationPatternItem* frame = AnimationFrame(animation, number - 1);
        if (!frame) continue;
        for (int c = 0; c < AnimationMaxCells; ++c) {
            if (!s.cells[c] || !AnimationCellValid(*frame, c)) continue;
            TQelAnimationCellItem* cell = frame->Cells.Items(c);
            if (s.setPattern) cell->Pattern = s.pattern;
            if (s.setZoom) cell->Zoom = s.zoom;
            if (s.setTransparency) cell->Transparency = s.transparency;
            if (s.setColor) {
                cell->Red = s.red;
                cell->Green = s.green;
                cell->Blue = s.blue;
                cell->Chroma = s.chroma;
            }
        }
    }
}

// ---- cells ----

bool AnimationCellValid(const TQelAnimationPatternItem& frame, int index) {
    const TQelAnimationCellItem* cell = frame.Cells.Items(index);
    return index >= 0 && cell && cell->Visible;
}

int FreeAnimationCellSlot(const TQelAnimationPatternItem& frame) {
    for (int k = 0; k < frame.Cells.Count(); ++k)
        if (!frame.Cells.Items(k)->Visible) return k;
    return frame.Cells.Count() < AnimationMaxCells ? frame.Cells.Count() : -1;
}

int TakeFreeAnimationCell(TQelAnimationPatternItem& frame) {
    const int slot = FreeAnimationCellSlot(frame);
    if (slot < 0) return -1;
    TQelAnimationCellItem* cell = slot < frame.Cells.Count() ? frame.Cells.Items(slot) : frame.Cells.Append();
    cell->Reset();
    return slot;
}

void TrimInvalidAnimationCells(TQelAnimationPatternItem& frame) {
    while (frame.Cells.Count() > 0 && !frame.Cells.Items(frame.Cells.Count() - 1)->Visible)
        frame.Cells.Remove(frame.Cells.Items(frame.Cells.Count() - 1)->ID);
}

int DeleteAnimationCell(TQelAnimationPatternItem& frame, int index) {
    if (TQelAnimationCellItem* cell = frame.Cells.Items(index); cell && index >= 0) cell->Visible = false;
    TrimInvalidAnimationCells(frame);
    return frame.Cells.Count() - 1;
}

namespace {
void swapCells(TQelAnimationCellItem& a, TQelAnimationCellItem& b) {
    TQelAnimationCellItem keep;
    keep.Assign(a);
    a.Assign(b);
    b.Assign(keep);
}
} // namespace

int RaiseAnimationCell(TQelAnimationPatternItem& frame, int index) {
    if (index < 0 || index > AnimationMaxCells - 2 || index >= frame.Cells.Count()) return -1;
    if (index == frame.Cells.Count() - 1) frame.Cells.Append()->Visible = false;
    swapCells(*frame.Cells.Items(index), *frame.Cells.Items(index + 1));
    return index + 1;
}

int LowerAnimationCell(TQelAnimationPatternItem& frame, int index) {
    if (index < 1 || index >= frame.Cells.Count()) return -1;
    swapCells(*frame.Cells.Items(index), *frame.Cells.Items(index - 1));
    TQelAnimationCellItem* lastCell = frame.Cells.Items(frame.Cells.Count() - 1);
    if (!lastCell->Visible) frame.Cells.Remove(lastCell->ID);
    return index - 1;
}

int SnapToAnimationGrid(int v, int grid) {
    if (grid > 1) {
        int r = v % grid;
        if (r < 0) r += grid;
        // The remainder taken in (-grid/2, grid/2].
        if (r > grid / 2) r -= grid;
        v -= r;
    }
    return std::clamp(v, -AnimationCellReach, AnimationCellReach);
}

void SnapAnimationCell(TQelAnimationCellItem& cell, int grid) {
    cell.X = SnapToAnimationGrid(cell.X, grid);
    cell.Y = SnapToAnimationGrid(cell.Y, grid);
}

void PlacePastedAnimationCell(TQelAnimationPatternItem& frame, int index, int x, int y, int grid) {
    TQelAnimationCellItem* cell = frame.Cells.Items(index);
    if (!cell) return;
    x = SnapToAnimationGrid(x, grid);
    y = SnapToAnimationGrid(y, grid);
    // At most seven other cells can stand in the way, so this ends.
    for (bool moved = true; moved;) {
        moved = false;
        for (int k = 0; k < frame.Cells.Count(); ++k) {
            const TQelAnimationCellItem* other = frame.Cells.Items(k);
            if (k == index || !other->Visible) continue;
            if (other->X == x && other->Y == y && other->Zoom == cell->Zoom) {
                x += 8;
                y += 8;
                moved = true;
            }
        }
    }
    cell->X = x;
    cell->Y = y;
}

// ---- the reference line ----

int AnimationLineChangeOffset(int oldLine, int newLine, int targetHeight) {
    return (oldLine - newLine) * (targetHeight / 2);
}

int AnimationScopeChangeOffset(int oldScope, int newScope, int line, int targetHeight) {
    if (oldScope == newScope) return 0;
    // The line only counts for "Single": going there puts the cells on it, leaving takes them off.
    return newScope == 0 ? (1 - line) * (targetHeight / 2) : (line - 1) * (targetHeight / 2);
}

void ShiftAnimationCellsY(TQelAnimationItem& animation, int dy) {
    if (dy == 0) return;
    for (int f = 0; f < animation.Frames.Count(); ++f) {
        TQelAnimationPatternItem* frame = animation.Frames.Items(f);
        for (int k = 0; k < frame->Cells.Count(); ++k)
            frame->Cells.Items(k)->Y += dy;
    }
}

// ---- the timing list ----

bool AnimationTimingBefore(const TQelAnimationTimingItem& a, const TQelAnimationTimingItem& b) {
    if (a.Frame != b.Frame) return a.Frame < b.Frame;
    const std::string& na = a.Sound.FileName;
    const std::string& nb = b.Sound.FileName;
    if (na != nb) {
        const bool offA = na == MusicOff, offB = nb == MusicOff;
        if (offA != offB) return offB;
        return na < nb;
    }
    return a.Shake < b.Shake;
}

void SortAnimationTimings(TQelAnimationItem& animation) {
    // The IDs still tell the old order, which decides between entries equal in every key.
    animation.Timings.SortAndRenumber([](const TCatalogItem& a, const TCatalogItem& b) {
        const auto& ta = static_cast<const TQelAnimationTimingItem&>(a);
        const auto& tb = static_cast<const TQelAnimationTimingItem&>(b);
        if (AnimationTimingBefore(ta, tb)) return true;
        if (AnimationTimingBefore(tb, ta)) return false;
        return ta.ID < tb.ID;
    });
}

// ---- the edit view ----

TAnimationViewGeometry AnimationViewGeometry(int scrollX, int scrollY, int scope, int line, int targetWidth,
                                             int targetHeight) {
    TAnimationViewGeometry g;
    g.originX = AnimationViewRangeX / 2 - scrollX;
    g.originY = AnimationViewRangeY / 2 - scrollY;
    g.imageX = -(targetWidth / 2);
    g.imageY = -(targetHeight / 2);
    if (scope == 0) {
        const int half = targetHeight / 2;
        if (line == 0) {
            g.originY -= half;
            g.imageY += half;
        } else if (line == 2) {
            g.originY += half;
            g.imageY -= half;
        }
    }
    return g;
}

TCellSquare AnimationCellSquare(int originX, int originY, const TQelAnimationCellItem& cell) {
    const double half = cell.Zoom / 100.0 * 48.0;
    const double cx = originX + cell.X, cy = originY + cell.Y;
    // nearbyint rounds to the nearest, halves to even, in the default rounding mode.
    return {int(std::nearbyint(cx - half)), int(std::nearbyint(cy - half)), int(std::nearbyint(cx + half)),
            int(std::nearbyint(cy + half))};
}

// ---- playback ----

std::vector<TAnimationPlaybackStep> AnimationPlaybackSchedule(int frameCount) {
    std::vector<TAnimationPlaybackStep> steps;
    frameCount = std::max(frameCount, 0);
    for (int i = -AnimationPlaybackLead; i < frameCount + AnimationPlaybackLead; ++i)
        steps.push_back(
            {i, AnimationPlaybackStartMs + AnimationPlaybackStepMs * i, i >= 0 && i < frameCount});
    return steps;
}

} // namespace tarvel
