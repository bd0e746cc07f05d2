#pragma once

// The rules of the battle animation editor that need no window: frames inserted and deleted with
// their timing entries following, frames copied and cleared in ranges, cells interpolated between
// two frames and set in batches, the cells of a frame added, deleted, reordered and kept on the
// grid, the offsets that follow a change of the reference line, the order of the timing list, the
// geometry of the edit view and the schedule of a playback.

#include <cstdint>
#include <vector>

#include "LD_Animation.h"

namespace tarvel {

constexpr int AnimationMaxFrames = 99;
constexpr int AnimationMaxCells = 8;
constexpr int AnimationMaxTimings = 500;
// Cells stay within this many pixels of the anchor in both axes.
constexpr int AnimationCellReach = 320;
// The grid step of "Use Grid".
constexpr int AnimationGridStep = 8;

// Rounds num / den (den > 0) to the nearest integer, halves to the even one, exactly.
int64_t RoundRatioHalfEven(int64_t num, int64_t den);

// ---- frames (index 0-based) ----

int AnimationFrameCount(const TQelAnimationItem& animation);
// The frame at a 0-based index, or nullptr.
TQelAnimationPatternItem* AnimationFrame(const TQelAnimationItem& animation, int index);
// Sets the number of frames (1..99): new frames are empty, frames beyond the count are dropped.
void SetAnimationFrameCount(TQelAnimationItem& animation, int count);

bool CanInsertAnimationFrame(const TQelAnimationItem& animation);
// The frame at index is duplicated into the next place and every later frame moves one place on;
// timing entries at or after its frame number move one frame later. False (nothing done) when the
// animation already has 99 frames or the index names no frame.
bool InsertAnimationFrame(TQelAnimationItem& animation, int index);
bool CanDeleteAnimationFrame(const TQelAnimationItem& animation);
// The frame at index goes, later frames move up; timing entries after its frame number move one
// frame earlier. False (nothing done) for the last remaining frame or an index that names none.
bool DeleteAnimationFrame(TQelAnimationItem& animation, int index);
// "Get Prev.": the frame at index (from 1 on) becomes a copy of the frame before it.
bool CopyPreviousAnimationFrame(TQelAnimationItem& animation, int index);

// "Frame Managament", frame numbers 1-based: frames a..b (either order) copied so that a lands on
// d. Copying runs in the direction that never overwrites a frame before it is read; destinations
// beyond the last frame are skipped; d = a copies nothing.
void CopyAnimationFrames(TQelAnimationItem& animation, int a, int b, int d);
// Frames a..b (either order) emptied.
void ClearAnimationFrames(TQelAnimationItem& animation, int a, int b);

// "Animation Complement Editor": frame numbers and cell numbers 1-based, either order.
struct TComplementSettings {
    int startFrame = 1;
    int endFrame = 1;
    int firstCell = 1;
    int lastCell = 1;
    bool pattern = true;       // "Pattern Number"
    bool magnification = true; // x, y and magnification
    bool transparency = true;  // red, green, blue, saturation and transparency
};
// For each cell valid in both end frames, the frames from the start up to (not including) the end
// get that cell, its values stepped evenly from the start frame's to the end frame's.
void ComplementAnimation(TQelAnimationItem& animation, const TComplementSettings& settings);

// "Establition Cells All Together": the chosen settings written into the chosen cells of the chosen
// frames, where those cells exist and are valid.
struct TBatchCellSettings {
    std::vector<int> frames; // 1-based frame numbers
    bool cells[AnimationMaxCells] = {};
    bool setPattern = false;
    int pattern = 0; // 0-based, as stored
    bool setZoom = false;
    int zoom = 100;
    bool setTransparency = false;
    int transparency = 0;
    bool setColor = false;
    int red = 100, green = 100, blue = 100, chroma = 100;
};
void ApplyBatchCells(TQelAnimationItem& animation, const TBatchCellSettings& settings);

// ---- the cells of a frame (index 0-based) ----

// A cell that exists and is visible.
bool AnimationCellValid(const TQelAnimationPatternItem& frame, int index);
// Where a new cell goes: the first invalid cell, else a new one at the end while the frame has
// fewer than 8; -1 when the frame is full.
int FreeAnimationCellSlot(const TQelAnimationPatternItem& frame);
// Takes the free slot, resets the cell there and returns its index (-1: the frame is full).
int TakeFreeAnimationCell(TQelAnimationPatternItem& frame);
// Invalid cells at the end of the list are removed.
void TrimInvalidAnimationCells(TQelAnimationPatternItem& frame);
// The cell becomes invalid and the invalid cells at the end go. Returns the cell selected
// afterwards: the last one, or -1 when none is left.
int DeleteAnimationCell(TQelAnimationPatternItem& frame, int index);
// "Priority to Up" (cells 0..6): swaps the cell with the next one, appending an invalid cell when
// it is the last. Returns the cell's new index, or -1 (nothing done).
int RaiseAnimationCell(TQelAnimationPatternItem& frame, int index);
// "Priority to Down" (from cell 1): swaps the cell with the one before, then removes an invalid
// cell left at the end. Returns the cell's new index, or -1 (nothing done).
int LowerAnimationCell(TQelAnimationPatternItem& frame, int index);

// v moved to the nearest multiple of the grid step (a remainder of exactly half a step rounds
// down) and kept within the cells' reach. A step of 1 only keeps it within reach.
int SnapToAnimationGrid(int v, int grid);
void SnapAnimationCell(TQelAnimationCellItem& cell, int grid);
// Places a pasted cell at (x, y), on the grid; while another valid cell of the frame has the same
// place and magnification, the place moves by (8, 8).
void PlacePastedAnimationCell(TQelAnimationPatternItem& frame, int index, int x, int y, int grid);

// ---- the reference line ----

// How far every cell moves down when the line ("Head" 0, "Center" 1, "At a feet" 2) changes, for a
// target image of the given height (halves rounded toward zero).
int AnimationLineChangeOffset(int oldLine, int newLine, int targetHeight);
// How far every cell moves down when the scope ("Single" 0, "All" 1) changes.
int AnimationScopeChangeOffset(int oldScope, int newScope, int line, int targetHeight);
void ShiftAnimationCellsY(TQelAnimationItem& animation, int dy);

// ---- the timing list ----

// The order of the timing list: frame number; then the sound name as case-sensitive text, with
// "(OFF)" after every name; then the shake value. Entries equal in all three keep their order.
bool AnimationTimingBefore(const TQelAnimationTimingItem& a, const TQelAnimationTimingItem& b);
// Sorts the list and numbers the entries 1..n.
void SortAnimationTimings(TQelAnimationItem& animation);

// ---- the edit view ----

// The view scrolls over a virtual area 960 x 800 pixels with the anchor in its middle.
constexpr int AnimationViewWidth = 320;
constexpr int AnimationViewHeight = 160;
constexpr int AnimationViewRangeX = 960;
constexpr int AnimationViewRangeY = 800;
constexpr int AnimationViewStartX = 320;
constexpr int AnimationViewStartY = 320;

// Where the anchor (origin) of the cells and the target's top-left stand in the view, for the
// scroll positions, the scope and line, and the size of the target image. For "Single" the line
// moves the anchor to the target's head or feet while the target stays put.
struct TAnimationViewGeometry {
    int originX = 0, originY = 0;
    int imageX = 0, imageY = 0; // the target image's top-left, relative to the origin
};
TAnimationViewGeometry AnimationViewGeometry(int scrollX, int scrollY, int scope, int line, int targetWidth,
                                             int targetHeight);

// The square a cell covers in the view (right and bottom exclusive): centred on origin + its
// offset, half a side of 48 pixels times its magnification, corners rounded to the nearest pixel.
struct TCellSquare {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
TCellSquare AnimationCellSquare(int originX, int originY, const TQelAnimationCellItem& cell);

// ---- playback ----

// A playback runs from 10 steps before the first frame to 10 steps after the last, one step every
// 33 ms; step i is shown 330 + 33 i ms after the start, so step -10 at once.
struct TAnimationPlaybackStep {
    int step = 0;        // the frame index the flashes of this step belong to (-10 .. count + 9)
    int timeMs = 0;      // from the start of the playback
    bool drawsFrame = 0; // the frame's cells are drawn and its sounds played (0 <= step < count)
};
constexpr int AnimationPlaybackLead = 10;
constexpr int AnimationPlaybackStartMs = 330;
constexpr int AnimationPlaybackStepMs = 33;
std::vector<TAnimationPlaybackStep> AnimationPlaybackSchedule(int frameCount);

} // namespace tarvel
