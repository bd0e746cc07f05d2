#include <gtest/gtest.h>

#include "BytesHelper.h"
#include "data/AnimationEditRules.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// An animation of n frames; frame f (1-based) holds one cell whose X is f, so a frame shows where
// it came from.
std::unique_ptr<TQelAnimationItem> marked(int n) {
    auto a = std::make_unique<TQelAnimationItem>(1);
    SetAnimationFrameCount(*a, n);
    for (int f = 1; f <= n; ++f)
        AnimationFrame(*a, f - 1)->Cells.FindOrCreate(1)->X = f;
    return a;
}

int markOf(const TQelAnimationItem& a, int frame) {
    const TQelAnimationPatternItem* f = AnimationFrame(a, frame - 1);
    return f && f->Cells.Count() > 0 ? f->Cells.Items(0)->X : 0;
}

std::vector<int> marks(const TQelAnimationItem& a) {
    std::vector<int> out;
    for (int f = 1; f <= AnimationFrameCount(a); ++f)
        out.push_back(markOf(a, f));
    return out;
}

TQelAnimationTimingItem* addTiming(TQelAnimationItem& a, int frame, const char* sound = "(OFF)",
                                   int shake = 0) {
    TQelAnimationTimingItem* t = a.Timings.Append();
    t->Frame = frame;
    t->Sound.FileName = sound;
    t->Shake = shake;
    return t;
}

std::vector<int> timingFrames(const TQelAnimationItem& a) {
    std::vector<int> out;
    for (int i = 0; i < a.Timings.Count(); ++i)
        out.push_back(a.Timings.Items(i)->Frame);
    return out;
}

TQelAnimationCellItem* addCell(TQelAnimationPatternItem& frame, int x, int y, bool visible = true) {
    TQelAnimationCellItem* c = frame.Cells.Append();
    c->X = x;
    c->Y = y;
    c->Visible = visible;
    return c;
}

} // namespace

TEST(AnimationEditRules, RoundsHalvesToEven) {
    struct Case {
        int64_t num, den, rounded;
    } cases[] = {{1, 2, 0},   {3, 2, 2},   {5, 2, 2}, {-1, 2, 0},  {-3, 2, -2}, {7, 3, 2}, {8, 3, 3},
                 {-7, 3, -2}, {-8, 3, -3}, {9, 1, 9}, {-9, 4, -2}, {10, 4, 2},  {14, 4, 4}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundRatioHalfEven(c.num, c.den), c.rounded) << c.num << "/" << c.den;
}

TEST(AnimationEditRules, InsertingAFrameDuplicatesItAndShiftsTheTimings) {
    auto a_ = marked(5);
    TQelAnimationItem& a = *a_;
    addTiming(a, 2);
    addTiming(a, 3);
    addTiming(a, 5);
    ASSERT_TRUE(InsertAnimationFrame(a, 2)); // frame 3
    EXPECT_EQ(marks(a), (std::vector<int>{1, 2, 3, 3, 4, 5}));
    EXPECT_EQ(timingFrames(a), (std::vector<int>{2, 4, 6}));
    // The copy is a copy, not the same cells.
    AnimationFrame(a, 3)->Cells.Items(0)->X = 30;
    EXPECT_EQ(markOf(a, 3), 3);

    auto full_ = marked(AnimationMaxFrames);
    TQelAnimationItem& full = *full_;
    addTiming(full, 1);
    EXPECT_FALSE(CanInsertAnimationFrame(full));
    EXPECT_FALSE(InsertAnimationFrame(full, 0));
    EXPECT_EQ(AnimationFrameCount(full), AnimationMaxFrames);
    EXPECT_EQ(timingFrames(full), std::vector<int>{1});
    EXPECT_FALSE(InsertAnimationFrame(a, 6)); // no frame 7
}

TEST(AnimationEditRules, DeletingAFrameShiftsTheLaterTimingsBack) {
    auto a_ = marked(5);
    TQelAnimationItem& a = *a_;
    addTiming(a, 2);
    addTiming(a, 3);
    addTiming(a, 4);
    ASSERT_TRUE(DeleteAnimationFrame(a, 2)); // frame 3
    EXPECT_EQ(marks(a), (std::vector<int>{1, 2, 4, 5}));
    // The entry of the deleted frame stays on its number, now the frame that moved up.
    EXPECT_EQ(timingFrames(a), (std::vector<int>{2, 3, 3}));
    for (int f = 0; f < 4; ++f)
        EXPECT_EQ(AnimationFrame(a, f)->ID, f + 1);

    auto one_ = marked(1);
    TQelAnimationItem& one = *one_;
    EXPECT_FALSE(CanDeleteAnimationFrame(one));
    EXPECT_FALSE(DeleteAnimationFrame(one, 0));
    EXPECT_EQ(AnimationFrameCount(one), 1);
}

TEST(AnimationEditRules, FrameCountKeepsFramesAndTimings) {
    auto a_ = marked(3);
    TQelAnimationItem& a = *a_;
    addTiming(a, 3);
    SetAnimationFrameCount(a, 5);
    EXPECT_EQ(marks(a), (std::vector<int>{1, 2, 3, 0, 0}));
    SetAnimationFrameCount(a, 0);
    EXPECT_EQ(marks(a), std::vector<int>{1});
    SetAnimationFrameCount(a, 150);
    EXPECT_EQ(AnimationFrameCount(a), AnimationMaxFrames);
    EXPECT_EQ(timingFrames(a), std::vector<int>{3});
}

TEST(AnimationEditRules, FrameManagementCopiesWithoutOverwritingItsSource) {
    struct Case {
        int a, b, d;
        std::vector<int> after;
    } cases[] = {
        {2, 4, 1, {2, 3, 4, 4, 5, 6}}, // backwards: ascending order
        {2, 4, 3, {1, 2, 2, 3, 4, 6}}, // forwards over itself: descending order
        {4, 2, 3, {1, 2, 2, 3, 4, 6}}, // either order of A and B
        {3, 5, 5, {1, 2, 3, 4, 3, 4}}, // beyond the last frame is skipped
        {2, 4, 2, {1, 2, 3, 4, 5, 6}}, // onto itself: nothing
    };
    for (const Case& c : cases) {
        auto a_ = marked(6);
        TQelAnimationItem& a = *a_;
        CopyAnimationFrames(a, c.a, c.b, c.d);
        EXPECT_EQ(marks(a), c.after) << c.a << ".." << c.b << " to " << c.d;
    }
    auto a_ = marked(6);
    TQelAnimationItem& a = *a_;
    ClearAnimationFrames(a, 5, 2);
    EXPECT_EQ(marks(a), (std::vector<int>{1, 0, 0, 0, 0, 6}));
    EXPECT_TRUE(CopyPreviousAnimationFrame(a, 1));
    EXPECT_EQ(marks(a), (std::vector<int>{1, 1, 0, 0, 0, 6}));
    EXPECT_FALSE(CopyPreviousAnimationFrame(a, 0));
}

TEST(AnimationEditRules, ComplementStepsValuesRoundingHalvesToEven) {
    TQelAnimationItem a(1);
    SetAnimationFrameCount(a, 10);
    // Cell 1 runs from frame 2 to frame 6 (d = 4), so quarters and halves come up.
    TQelAnimationCellItem* s = addCell(*AnimationFrame(a, 1), 1, 0);
    s->Pattern = 0;
    s->Zoom = 100;
    s->Transparency = 10;
    s->Red = 0;
    TQelAnimationCellItem* e = addCell(*AnimationFrame(a, 5), 3, -2);
    e->Pattern = 4;
    e->Zoom = 200;
    e->Transparency = 20;
    e->Red = 200;
    // Cell 2 is only in the start frame: skipped.
    addCell(*AnimationFrame(a, 1), 50, 50);
    // Given from end to start, it works the same.
    ComplementAnimation(a, {6, 2, 2, 1, true, true, true});

    struct Row {
        int frame, x, y, pattern, zoom, transparency, red;
    } rows[] = {
        {2, 1, 0, 0, 100, 10, 0},    // the start frame keeps its values
        {3, 2, 0, 1, 125, 12, 50},   // 1.5 -> 2, -0.5 -> 0, 12.5 -> 12
        {4, 2, -1, 2, 150, 15, 100}, //
        {5, 2, -2, 3, 175, 18, 150}, // 2.5 -> 2, -1.5 -> -2, 17.5 -> 18
        {6, 3, -2, 4, 200, 20, 200}, // the end frame is not written
    };
    for (const Row& r : rows) {
        const TQelAnimationPatternItem* f = AnimationFrame(a, r.frame - 1);
        ASSERT_GE(f->Cells.Count(), 1) << r.frame;
        const TQelAnimationCellItem* c = f->Cells.Items(0);
        EXPECT_TRUE(c->Visible) << r.frame;
        EXPECT_EQ(c->X, r.x) << r.frame;
        EXPECT_EQ(c->Y, r.y) << r.frame;
        EXPECT_EQ(c->Pattern, r.pattern) << r.frame;
        EXPECT_EQ(c->Zoom, r.zoom) << r.frame;
        EXPECT_EQ(c->Transparency, r.transparency) << r.frame;
        EXPECT_EQ(c->Red, r.red) << r.frame;
        // Only one cell is made in the frames between; cell 2 was skipped.
        if (r.frame > 2 && r.frame < 6) {
            EXPECT_EQ(f->Cells.Count(), 1) << r.frame;
        }
    }
    EXPECT_EQ(AnimationFrame(a, 6)->Cells.Count(), 0);

    // Only what is checked changes; cells are appended invalid up to the one made.
    TQelAnimationItem b(1);
    SetAnimationFrameCount(b, 3);
    addCell(*AnimationFrame(b, 0), 0, 0, false);
    addCell(*AnimationFrame(b, 0), 0, 0)->Pattern = 2;
    addCell(*AnimationFrame(b, 2), 0, 0, false);
    addCell(*AnimationFrame(b, 2), 40, 0)->Pattern = 6;
    ComplementAnimation(b, {1, 3, 2, 2, true, false, false});
    const TQelAnimationPatternItem* middle = AnimationFrame(b, 1);
    ASSERT_EQ(middle->Cells.Count(), 2);
    EXPECT_FALSE(middle->Cells.Items(0)->Visible);
    EXPECT_TRUE(middle->Cells.Items(1)->Visible);
    EXPECT_EQ(middle->Cells.Items(1)->Pattern, 4);
    EXPECT_EQ(middle->Cells.Items(1)->X, 0);
}

TEST(AnimationEditRules, BatchCellsWriteOnlyCheckedSettingsIntoValidCells) {
    TQelAnimationItem a(1);
    SetAnimationFrameCount(a, 3);
    for (int f = 0; f < 3; ++f) {
        addCell(*AnimationFrame(a, f), 0, 0);
        addCell(*AnimationFrame(a, f), 0, 0, false);
    }
    TBatchCellSettings s;
    s.frames = {1, 3, 7};
    s.cells[0] = s.cells[1] = s.cells[5] = true;
    s.setPattern = true;
    s.pattern = 4;
    s.setColor = true;
    s.red = 150;
    s.chroma = 0;
    s.zoom = 300; // not checked
    ApplyBatchCells(a, s);
    for (int f : {0, 2}) {
        const TQelAnimationCellItem* c = AnimationFrame(a, f)->Cells.Items(0);
        EXPECT_EQ(c->Pattern, 4);
        EXPECT_EQ(c->Red, 150);
        EXPECT_EQ(c->Chroma, 0);
        EXPECT_EQ(c->Zoom, 100);
        EXPECT_EQ(AnimationFrame(a, f)->Cells.Items(1)->Pattern, 0); // invalid
        EXPECT_EQ(AnimationFrame(a, f)->Cells.Count(), 2);           // no cell 6 made
    }
    EXPECT_EQ(AnimationFrame(a, 1)->Cells.Items(0)->Pattern, 0);
}

TEST(AnimationEditRules, CellsOfAFrame) {
    TQelAnimationPatternItem frame;
    for (int k = 0; k < AnimationMaxCells; ++k)
        addCell(frame, k, 0);
    // A full frame takes no new cell.
    EXPECT_EQ(FreeAnimationCellSlot(frame), -1);
    EXPECT_EQ(TakeFreeAnimationCell(frame), -1);
    // Deleting a middle cell frees its slot; the selection goes to the last cell.
    EXPECT_EQ(DeleteAnimationCell(frame, 3), 7);
    EXPECT_EQ(FreeAnimationCellSlot(frame), 3);
    frame.Cells.Items(3)->X = 99;
    EXPECT_EQ(TakeFreeAnimationCell(frame), 3);
    EXPECT_TRUE(frame.Cells.Items(3)->Visible);
    EXPECT_EQ(frame.Cells.Items(3)->X, 0);
    // Deleting the last cells trims every invalid cell at the end.
    frame.Cells.Items(6)->Visible = false;
    EXPECT_EQ(DeleteAnimationCell(frame, 7), 5);
    EXPECT_EQ(frame.Cells.Count(), 6);
    EXPECT_EQ(FreeAnimationCellSlot(frame), 6);

    // Priority: up past the end appends an invalid cell, down removes it again.
    EXPECT_EQ(RaiseAnimationCell(frame, 5), 6);
    ASSERT_EQ(frame.Cells.Count(), 7);
    EXPECT_FALSE(frame.Cells.Items(5)->Visible);
    EXPECT_EQ(frame.Cells.Items(6)->X, 5);
    EXPECT_EQ(LowerAnimationCell(frame, 6), 5);
    EXPECT_EQ(frame.Cells.Count(), 6);
    EXPECT_EQ(frame.Cells.Items(5)->X, 5);
    EXPECT_EQ(RaiseAnimationCell(frame, 1), 2);
    EXPECT_EQ(frame.Cells.Items(1)->X, 2);
    EXPECT_EQ(frame.Cells.Items(2)->X, 1);
    EXPECT_EQ(LowerAnimationCell(frame, 0), -1);
    for (int k = 6; k < AnimationMaxCells; ++k)
        addCell(frame, k, 0);
    EXPECT_EQ(RaiseAnimationCell(frame, 7), -1);
    EXPECT_EQ(RaiseAnimationCell(frame, 6), 7);
}

TEST(AnimationEditRules, SnapsToTheGridWithinReach) {
    struct Case {
        int v, grid, snapped;
    } cases[] = {{13, 8, 16}, {12, 8, 8}, {11, 8, 8},    {-12, 8, -16}, {-13, 8, -16},   {-11, 8, -8},
                 {4, 8, 0},   {5, 8, 8},  {318, 8, 320}, {325, 8, 320}, {-400, 1, -320}, {13, 1, 13}};
    for (const Case& c : cases)
        EXPECT_EQ(SnapToAnimationGrid(c.v, c.grid), c.snapped) << c.v << " on " << c.grid;
}

TEST(AnimationEditRules, PastedCellsStepAsideFromTheirTwins) {
    TQelAnimationPatternItem frame;
    addCell(frame, 16, 8);
    addCell(frame, 24, 16);
    addCell(frame, 32, 24)->Zoom = 50; // another magnification: no twin
    addCell(frame, 32, 24, false);
    const int slot = TakeFreeAnimationCell(frame);
    EXPECT_EQ(slot, 3);
    PlacePastedAnimationCell(frame, slot, 13, 9, 8);
    EXPECT_EQ(frame.Cells.Items(slot)->X, 32);
    EXPECT_EQ(frame.Cells.Items(slot)->Y, 24);
}

TEST(AnimationEditRules, LineAndScopeChangesKeepCellsOnTheTarget) {
    EXPECT_EQ(AnimationLineChangeOffset(1, 0, 96), 48);  // Center -> Head
    EXPECT_EQ(AnimationLineChangeOffset(0, 2, 97), -96); // Head -> At a feet, odd height
    EXPECT_EQ(AnimationLineChangeOffset(2, 1, 96), 48);
    EXPECT_EQ(AnimationScopeChangeOffset(1, 0, 0, 96), 48);  // All -> Single on the head
    EXPECT_EQ(AnimationScopeChangeOffset(0, 1, 0, 96), -48); // and back
    EXPECT_EQ(AnimationScopeChangeOffset(0, 1, 1, 96), 0);
    EXPECT_EQ(AnimationScopeChangeOffset(1, 1, 2, 96), 0);

    // What moves the cells is what moves the anchor: a cell keeps its place in the view.
    for (int from = 0; from < 3; ++from)
        for (int to = 0; to < 3; ++to) {
            const TAnimationViewGeometry a = AnimationViewGeometry(320, 320, 0, from, 40, 97);
            const TAnimationViewGeometry b = AnimationViewGeometry(320, 320, 0, to, 40, 97);
            EXPECT_EQ(a.originY + 10, b.originY + 10 + AnimationLineChangeOffset(from, to, 97));
            EXPECT_EQ(a.originY + a.imageY, b.originY + b.imageY);
        }

    auto anim_ = marked(2);
    TQelAnimationItem& anim = *anim_;
    AnimationFrame(anim, 1)->Cells.Items(0)->Y = -5;
    ShiftAnimationCellsY(anim, 48);
    EXPECT_EQ(AnimationFrame(anim, 0)->Cells.Items(0)->Y, 48);
    EXPECT_EQ(AnimationFrame(anim, 1)->Cells.Items(0)->Y, 43);
}

TEST(AnimationEditRules, ViewGeometry) {
    const TAnimationViewGeometry start = AnimationViewGeometry(320, 320, 1, 0, 64, 96);
    EXPECT_EQ(start.originX, 160);
    EXPECT_EQ(start.originY, 80);
    EXPECT_EQ(start.imageX, -32);
    EXPECT_EQ(start.imageY, -48);
    const TAnimationViewGeometry head = AnimationViewGeometry(0, 640, 0, 0, 65, 97);
    EXPECT_EQ(head.originX, 480);
    EXPECT_EQ(head.originY, -240 - 48);
    EXPECT_EQ(head.imageX, -32);
    EXPECT_EQ(head.imageY, 0);
    const TAnimationViewGeometry feet = AnimationViewGeometry(320, 320, 0, 2, 64, 96);
    EXPECT_EQ(feet.originY, 128);
    EXPECT_EQ(feet.imageY, -96);

    TQelAnimationCellItem cell;
    cell.X = 10;
    cell.Y = -4;
    cell.Zoom = 100;
    TCellSquare s = AnimationCellSquare(160, 80, cell);
    EXPECT_EQ((std::vector<int>{s.left, s.top, s.right, s.bottom}), (std::vector<int>{122, 28, 218, 124}));
    cell.Zoom = 51; // half a side of 24.48
    s = AnimationCellSquare(160, 80, cell);
    EXPECT_EQ((std::vector<int>{s.left, s.top, s.right, s.bottom}), (std::vector<int>{146, 52, 194, 100}));
    EXPECT_TRUE(s.Contains(146, 52));
    EXPECT_FALSE(s.Contains(194, 60));
}

TEST(AnimationEditRules, TimingOrder) {
    TQelAnimationItem a(1);
    addTiming(a, 2, "b");
    addTiming(a, 1, "(OFF)");
    addTiming(a, 1, "apple");
    addTiming(a, 1, "Zap", 5);
    addTiming(a, 1, "Zap", 2);
    addTiming(a, 1, "(OFF)", 1);
    addTiming(a, 1, "Zap", 2)->FlashRed = 7; // equal in every key: stays after its twin
    addTiming(a, 0, "(OFF)");
    SortAnimationTimings(a);
    std::vector<std::string> order;
    for (int i = 0; i < a.Timings.Count(); ++i) {
        const TQelAnimationTimingItem* t = a.Timings.Items(i);
        EXPECT_EQ(t->ID, i + 1);
        order.push_back(std::to_string(t->Frame) + " " + t->Sound.FileName + " " + std::to_string(t->Shake) +
                        (t->FlashRed == 7 ? "*" : ""));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"0 (OFF) 0", "1 Zap 2", "1 Zap 2*", "1 Zap 5", "1 apple 0",
                                               "1 (OFF) 0", "1 (OFF) 1", "2 b 0"}));
}

TEST(AnimationEditRules, PlaybackScheduleRunsTenStepsEachSide) {
    const std::vector<TAnimationPlaybackStep> steps = AnimationPlaybackSchedule(3);
    ASSERT_EQ(steps.size(), 23u);
    for (size_t i = 0; i < steps.size(); ++i) {
        const int step = int(i) - 10;
        EXPECT_EQ(steps[i].step, step);
        EXPECT_EQ(steps[i].timeMs, 330 + 33 * step);
        EXPECT_EQ(steps[i].drawsFrame, step >= 0 && step < 3) << step;
    }
    EXPECT_EQ(steps.front().timeMs, 0);
    EXPECT_EQ(steps.back().timeMs, 726);
    EXPECT_EQ(AnimationPlaybackSchedule(0).size(), 20u);
}
