#include "MapEditUtils.h"

#include <algorithm>

#include "MapGraphics.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PrismSheet.h"
#include "records/QelAssert.h"

namespace tarvel {

namespace {

// The eight neighbours in the order of their mask bits.
const int kDX[8] = {-1, 1, 1, -1, -1, 0, 1, 0};
const int kDY[8] = {-1, -1, 1, 1, 0, -1, 0, 1};
enum { iTopLeft, iTopRight, iBottomRight, iBottomLeft, iLeft, iTop, iRight, iBottom };

const uint8_t kVariantMask[50] = {0,   1,   2,   3,   4,   5,   6,   7,   8,  9,  10,  11,  12,
                                  13,  14,  15,  25,  27,  29,  31,  35,  39, 43, 47,  70,  78,
                                  71,  79,  140, 141, 142, 143, 95,  175, 59, 63, 103, 111, 206,
                                  207, 157, 159, 127, 191, 223, 239, 255, 0,  0,  0};

// The keep mask of each neighbour when the cell between them changed: only the bits facing the
// changed cell are recomputed.
const int kFacingMask[8] = {4, 8, 1, 2, 70, 140, 25, 35};

// Water and animated chips (kinds 0..5) all connect to each other.
constexpr int kFirstAutotileKind = 6;
constexpr int kDeepWater = 2;

const uint16_t kMarked = 1;

int wrapped(int v, int size) {
    v %= size;
    return v < 0 ? v + size : v;
}

} // namespace

int MaskToVariant(int mask) {
    const bool tl = mask & nbTopLeft, tr = mask & nbTopRight, br = mask & nbBottomRight,
               bl = mask & nbBottomLeft;
    const int edges = (mask & nbLeft ? 1 : 0) | (mask & nbTop ? 2 : 0) | (mask & nbRight ? 4 : 0) |
                      (mask & nbBottom ? 8 : 0);
    switch (edges) {
    case 0:
        return (tl ? 1 : 0) + (tr ? 2 : 0) + (br ? 4 : 0) + (bl ? 8 : 0);
    case 1: // left
        return 16 + (tr ? 1 : 0) + (br ? 2 : 0);
    case 2: // top
        return 20 + (br ? 1 : 0) + (bl ? 2 : 0);
    case 3: // left, top
        return 34 + (br ? 1 : 0);
    case 4: // right
        return 24 + (bl ? 1 : 0) + (tl ? 2 : 0);
    case 5: // left, right
        return 32;
    case 6: // top, right
        return 36 + (bl ? 1 : 0);
    case 7: // left, top, right
        return 42;
    case 8: // bottom
        return 28 + (tl ? 1 : 0) + (tr ? 2 : 0);
    case 9: // left, bottom
        return 40 + (tr ? 1 : 0);
    case 10: // top, bottom
        return 33;
    case 11: // left, top, bottom
        return 43;
    case 12: // right, bottom
        return 38 + (tl ? 1 : 0);
    case 13: // left, right, bottom
        return 44;
    case 14: // top, right, bottom
        return 45;
    default:
        return 46;
    }
}

int VariantToMask(int variant) {
    if (variant < 0 || variant >= 50) return 0;
    return kVariantMask[variant];
}

int PaletteForm(int number) {
    if (number < 0) return number;
    if (number < 3000) return number / 1000 * 1000 + kPaletteVariant;
    if (number < 5000) return number - number % 50 + kPaletteVariant;
    return number;
}

// --- TQelCurrentChip ---

int TQelCurrentChip::GetChip(int column, int row) const {
    QelAssert(column >= 0 && column < MaxSize, "MapEditUtils", 228);
    QelAssert(row >= 0 && row < MaxSize, "MapEditUtils", 229);
    return mChips[column][row];
}

void TQelCurrentChip::SetChip(int column, int row, int number) {
    QelAssert(column >= 0 && column < MaxSize, "MapEditUtils", 236);
    QelAssert(row >= 0 && row < MaxSize, "MapEditUtils", 237);
    mChips[column][row] = int16_t(number);
}

void TQelCurrentChip::SetSize(int width, int height) {
    mWidth = std::clamp(width, 1, MaxSize);
    mHeight = std::clamp(height, 1, MaxSize);
}

int BrushFamily(const TQelCurrentChip& brush) {
    const int number = brush.GetChip(0, 0);
    if (number >= 0 && number <= 4999) return number - number % 50;
    return number;
}

TQelCurrentChip PickBrush(const TQelMap& map, const TRect& rect, bool upper, bool shift) {
    const TQelMapLayer& layer = upper ? map.UpperLayer : map.LowerLayer;
    TQelCurrentChip brush(upper ? UpperFillChip : LowerFillChip);
    const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    const int right = std::min({rect.right, layer.Width, left + TQelCurrentChip::MaxSize});
    const int bottom = std::min({rect.bottom, layer.Height, top + TQelCurrentChip::MaxSize});
    if (right <= left || bottom <= top) return brush;
    brush.SetSize(right - left, bottom - top);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const int number = layer.GetChip(x, y);
            brush.SetChip(x - left, y - top, upper || shift ? number : PaletteForm(number));
        }
    return brush;
}

// --- TQelMapPainter ---

TQelMapPainter::TQelMapPainter(TQelMap& map) : mMap(&map), mBrush(&mDefaultBrush) {}

TQelMapLayer& TQelMapPainter::layer() const {
    return mLayer == TEditLayer::Upper ? mMap->UpperLayer : mMap->LowerLayer;
}

bool TQelMapPainter::wrapInto(int& x, int& y) const {
    const TQelMapLayer& l = layer();
    if (l.WrapX && l.Width > 0) x = wrapped(x, l.Width);
    if (l.WrapY && l.Height > 0) y = wrapped(y, l.Height);
    return x >= 0 && y >= 0 && x < l.Width && y < l.Height;
}

int TQelMapPainter::linkOf(const TQelChipSetGraphic* links, int kind) const {
    return links ? links->GetLink(kind) : -1;
}

void TQelMapPainter::report(int x, int y, int before, int after, bool redraw) const {
    if (mListener) mListener({x, y, mLayer, before, after, redraw});
}

int TQelMapPainter::connectedChip(int x, int y, int keepMask, int number, bool ctrl) const {
    const TQelMapLayer& lower = mMap->LowerLayer;
    const TQelChipSetGraphic* links = mLinkSource;
    if (!links) {
        if (TMapGraphics* graphics = MapGraphicsOf(*mMap)) links = &graphics->ChipSet();
    }
    const int kind = ChipKind(number);
    const int defaults = number < 5000 ? VariantToMask(number % 50) : 0;
    int kinds[8];
    int computed = 0;
    for (int i = 0; i < 8; ++i) {
        const int e = ChipKind(lower.GetChip(x + kDX[i], y + kDY[i]));
        kinds[i] = e;
        bool different;
        if (e == -1)
            different = ctrl;
        else
            different = !(e == kind || linkOf(links, e) == kind ||
                          (kind < kFirstAutotileKind && e < kFirstAutotileKind));
        if (different) computed |= 1 << i;
    }
    const int mask = ((computed & keepMask) | (defaults & ~keepMask)) & 255;
    int result = KindBaseChip(kind);
    if (result < 5000) result += MaskToVariant(mask);

    if (kind >= 0 && kind <= kDeepWater) {
        bool counts[8];
        for (int i = 0; i < 8; ++i) {
            if (kind == kDeepWater)
                counts[i] = kinds[i] < kDeepWater; // shallow water or outside the map
            else if (i >= iLeft)
                counts[i] = kinds[i] == kDeepWater;
            else
                counts[i] = !(mask & (1 << i));
        }
        int junction = 0;
        if (counts[iTop] && counts[iLeft] && counts[iTopLeft]) junction |= 1;
        if (counts[iTop] && counts[iRight] && counts[iTopRight]) junction |= 2;
        if (counts[iBottom] && counts[iLeft] && counts[iBottomLeft]) junction |= 4;
        if (counts[iBottom] && counts[iRight] && counts[iBottomRight]) junction |= 8;
        result += 50 * junction;
    }
    return result;
}

bool TQelMapPainter::PutChip(int x, int y, bool redraw, bool connect, int keepMask, int number,
                             TEditKeys keys) {
    TQelMapLayer& target = layer();
    if (x < 0 || y < 0 || x >= target.Width || y >= target.Height) return false;
    // No chip has a negative number; a layer cell could not even hold one.
    if (number < 0) return false;
    if (keys.shift) connect = false;
    if (mLayer == TEditLayer::Lower) {
        if (number < 5000 && number % 50 == kPaletteVariant) number -= kPaletteVariant;
        if (connect) number = connectedChip(x, y, keepMask, number, keys.ctrl);
    }
    const int before = target.GetChip(x, y);
    if (number == before) return false;
    target.SetChip(x, y, number);
    report(x, y, before, target.GetChip(x, y), redraw);
    return true;
}

bool TQelMapPainter::PutChipWrapped(int x, int y, bool redraw, bool connect, int keepMask, int number,
                                    TEditKeys keys) {
    if (!wrapInto(x, y)) return false;
    return PutChip(x, y, redraw, connect, keepMask, number, keys);
}

int TQelMapPainter::BrushChipAt(int x, int y) const {
    const TQelCurrentChip& brush = *mBrush;
    return brush.GetChip(wrapped(x - mAnchor.x, brush.Width()), wrapped(y - mAnchor.y, brush.Height()));
}

void TQelMapPainter::PlaceBrushChip(int x, int y, TEditKeys keys) {
    int cx = x, cy = y;
    if (!wrapInto(cx, cy)) return;
    PutChip(cx, cy, true, true, 255, BrushChipAt(x, y), keys);
    if (mLayer != TEditLayer::Lower) return;
    // Shift only keeps the brush chip as it is; the neighbours still fit themselves to it.
    const TEditKeys neighbourKeys{false, keys.ctrl};
    for (int i = 0; i < 8; ++i) {
        int nx = cx + kDX[i], ny = cy + kDY[i];
        if (!wrapInto(nx, ny)) continue;
        PutChip(nx, ny, true, true, kFacingMask[i], mMap->LowerLayer.GetChip(nx, ny), neighbourKeys);
    }
}

void TQelMapPainter::PlaceBrush(TPoint topLeft, TEditKeys keys) {
    const TQelCurrentChip& brush = *mBrush;
    for (int row = 0; row < brush.Height(); ++row)
        for (int column = 0; column < brush.Width(); ++column) {
            int x = topLeft.x + column, y = topLeft.y + row;
            if (!wrapInto(x, y)) continue;
            PlaceBrushChip(topLeft.x + column, topLeft.y + row, keys);
        }
}

void TQelMapPainter::PenLine(TPoint from, TPoint to, TEditKeys keys) {
    const int dx = std::abs(to.x - from.x), dy = std::abs(to.y - from.y);
    const int sx = to.x < from.x ? -1 : 1, sy = to.y < from.y ? -1 : 1;
    // The major axis advances every step; the error starts at half its length.
    const int major = std::max(dx, dy), minor = std::min(dx, dy);
    int error = major / 2;
    TPoint p = from;
    for (int step = 0; step < major; ++step) {
        error -= minor;
        if (dx >= dy) {
            p.x += sx;
            if (error < 0) {
                p.y += sy;
                error += major;
            }
        } else {
            p.y += sy;
            if (error < 0) {
                p.x += sx;
                error += major;
            }
        }
        PlaceBrush(p, keys);
    }
}

void TQelMapPainter::resetMask() {
    const TQelMapLayer& l = layer();
    mMask.SetSize(l.Width, l.Height);
    mMask.Clear();
}

bool TQelMapPainter::masked(int x, int y) const {
    return mMask.Row(y)[x] == THighColorDIB::White;
}

bool TQelMapPainter::isBorder(int x, int y) const {
    const TQelMapLayer& l = layer();
    for (int i = 0; i < 8; ++i) {
        int nx = x + kDX[i], ny = y + kDY[i];
        if (l.WrapX) nx = wrapped(nx, l.Width);
        if (l.WrapY) ny = wrapped(ny, l.Height);
        // Beyond the edge of a map that does not loop there is nothing to connect to: such a
        // cell is a border only towards cells of the map.
        if (nx < 0 || ny < 0 || nx >= l.Width || ny >= l.Height) continue;
        if (!masked(nx, ny)) return true;
    }
    return false;
}

std::vector<int> TQelMapPainter::areaLine(int from, int to, int size, bool wrap) const {
    std::vector<int> line;
    if (size <= 0) return line;
    std::vector<bool> seen(size_t(size), false);
    for (int v = from; v < to; ++v) {
        int w = v;
        if (wrap) w = wrapped(v, size);
        if (w < 0 || w >= size || seen[size_t(w)]) continue;
        seen[size_t(w)] = true;
        line.push_back(w);
    }
    return line;
}

void TQelMapPainter::compose(const std::vector<int>& cols, const std::vector<int>& rows,
                             const TQelMapLayer* restore, TEditKeys keys) {
    TQelMapLayer& target = layer();
    // Masked cells first take a provisional chip of the brush's kind (its full variant), so
    // every cell that connects below already sees the finished shape around it.
    for (int y : rows)
        for (int x : cols) {
            if (masked(x, y)) {
                if (mLayer != TEditLayer::Lower) continue;
                const int kind = ChipKind(BrushChipAt(x, y));
                if (kind < 0 || kind == ChipKind(target.GetChip(x, y))) continue;
                const int base = KindBaseChip(kind);
                PutChip(x, y, false, false, 255, base < 5000 ? base + 48 : base, {});
            } else if (restore) {
                PutChip(x, y, false, false, 255, restore->GetChip(x, y), {});
            }
        }
    for (int y : rows)
        for (int x : cols) {
            if (!masked(x, y)) continue;
            if (isBorder(x, y))
                PlaceBrushChip(x, y, keys);
            else
                PutChip(x, y, false, true, 255, BrushChipAt(x, y), keys);
        }
}

TRect TQelMapPainter::DrawShape(TShapeKind shape, const TRect& oldRect, const TRect& newRect,
                                const TQelMapLayer& backup, TEditKeys keys) {
    const TQelMapLayer& l = layer();
    resetMask();
    if (l.Width <= 0 || l.Height <= 0) return {};
    if (shape == TShapeKind::Ellipse && newRect.Width() > 2 && newRect.Height() > 2)
        mMask.FillEllipse(newRect, THighColorDIB::White);
    else
        mMask.FillRect(newRect, THighColorDIB::White);

    TRect area = newRect;
    if (!oldRect.IsEmpty()) {
        area.left = std::min(area.left, oldRect.left);
        area.top = std::min(area.top, oldRect.top);
        area.right = std::max(area.right, oldRect.right);
        area.bottom = std::max(area.bottom, oldRect.bottom);
    }
    area = {area.left - 1, area.top - 1, area.right + 1, area.bottom + 1};
    compose(areaLine(area.left, area.right, l.Width, l.WrapX),
            areaLine(area.top, area.bottom, l.Height, l.WrapY), &backup, keys);
    return {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, l.Width),
            std::min(area.bottom, l.Height)};
}

TRect TQelMapPainter::FloodFill(TPoint cell, const TQelMapLayer& base, TEditKeys keys) {
    const TQelMapLayer& l = layer();
    resetMask();
    const int width = std::min(l.Width, base.Width), height = std::min(l.Height, base.Height);
    if (cell.x < 0 || cell.y < 0 || cell.x >= width || cell.y >= height) return {};
    const bool byKind = mLayer == TEditLayer::Lower;
    auto targetOf = [&](int number) { return byKind ? ChipKind(number) : number; };
    const int target = targetOf(base.GetChip(cell.x, cell.y));
    for (int y = 0; y < height; ++y) {
        uint16_t* row = mMask.Row(y);
        const uint16_t* chips = base.Cells.data() + size_t(y) * size_t(base.Width);
        for (int x = 0; x < width; ++x)
            if (targetOf(chips[x]) == target) row[x] = kMarked;
    }
    // The marked region around the cell, through shared edges.
    TRect bounds{cell.x, cell.y, cell.x + 1, cell.y + 1};
    std::vector<TPoint> stack{cell};
    mMask.Row(cell.y)[cell.x] = THighColorDIB::White;
    while (!stack.empty()) {
        const TPoint p = stack.back();
        stack.pop_back();
        bounds.left = std::min(bounds.left, p.x);
        bounds.right = std::max(bounds.right, p.x + 1);
        bounds.top = std::min(bounds.top, p.y);
        bounds.bottom = std::max(bounds.bottom, p.y + 1);
        const TPoint next[4] = {{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
        for (const TPoint& n : next) {
            if (n.x < 0 || n.y < 0 || n.x >= width || n.y >= height) continue;
            uint16_t& pixel = mMask.Row(n.y)[n.x];
            if (pixel != kMarked) continue;
            pixel = THighColorDIB::White;
            stack.push_back(n);
        }
    }
    for (int y = 0; y < height; ++y) {
        uint16_t* row = mMask.Row(y);
        for (int x = 0; x < width; ++x)
            if (row[x] == kMarked) row[x] = 0;
    }
    // Nothing outside the filled region changes but its neighbours, so the region's bounds grown
    // by a cell are all that is composed.
    compose(areaLine(bounds.left, bounds.right, l.Width, false),
            areaLine(bounds.top, bounds.bottom, l.Height, false), nullptr, keys);
    return {std::max(bounds.left - 1, 0), std::max(bounds.top - 1, 0), std::min(bounds.right + 1, l.Width),
            std::min(bounds.bottom + 1, l.Height)};
}

// --- TQelMapEditUndoManager ---

TQelMapEditUndoManager::TQelMapEditUndoManager() {
    for (int i = 0; i < Steps; ++i) {
        mLower[size_t(i)].FillChip = LowerFillChip;
        mUpper[size_t(i)].FillChip = UpperFillChip;
    }
}

void TQelMapEditUndoManager::SetSize(int width, int height) {
    for (int i = 0; i < Steps; ++i) {
        mLower[size_t(i)].ResizeLayer(width, height);
        mUpper[size_t(i)].ResizeLayer(width, height);
    }
}

void TQelMapEditUndoManager::Push(const TQelMap& map) {
    Push(map.LowerLayer, map.UpperLayer);
}

void TQelMapEditUndoManager::Push(const TQelMapLayer& lower, const TQelMapLayer& upper) {
    TQelMapLayer& l = mLower[size_t(mPosition)];
    TQelMapLayer& u = mUpper[size_t(mPosition)];
    l.Width = lower.Width;
    l.Height = lower.Height;
    l.Cells = lower.Cells;
    u.Width = upper.Width;
    u.Height = upper.Height;
    u.Cells = upper.Cells;
    mPosition = (mPosition + 1) % Steps;
    mCount = std::min(mCount + 1, Steps);
}

namespace {

// Cell by cell, as far as both layers reach.
void copyCells(const TQelMapLayer& from, TQelMapLayer& to) {
    if (from.Width == to.Width && from.Height == to.Height && from.Cells.size() == to.Cells.size()) {
        to.Cells = from.Cells;
        return;
    }
    const int width = std::min(from.Width, to.Width), height = std::min(from.Height, to.Height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            to.SetChip(x, y, from.GetChip(x, y));
}

} // namespace

bool TQelMapEditUndoManager::Undo(TQelMap& map) {
    if (mCount == 0) return false;
    mPosition = (mPosition + Steps - 1) % Steps;
    --mCount;
    copyCells(mLower[size_t(mPosition)], map.LowerLayer);
    copyCells(mUpper[size_t(mPosition)], map.UpperLayer);
    return true;
}

// --- TQelPaintStroke ---

const TQelMapLayer& TQelPaintStroke::CurrentBackup() const {
    return mPainter.Layer() == TEditLayer::Upper ? mBaseUpper : mBaseLower;
}

void TQelPaintStroke::Begin(TMapTool tool, TPoint cell, TPoint brushOffset, TEditKeys keys) {
    TQelMap& map = mPainter.Map();
    mBaseLower.AssignLayer(map.LowerLayer);
    mBaseUpper.AssignLayer(map.UpperLayer);
    mTool = tool;
    mActive = true;
    mStart = cell;
    mOffset = brushOffset;
    mCursor = {cell.x - brushOffset.x, cell.y - brushOffset.y};
    mPainter.SetAnchor(mCursor);
    mShapeRect = {cell.x, cell.y, cell.x + 1, cell.y + 1};
    switch (tool) {
    case mtPen:
        mPainter.PlaceBrush(mCursor, keys);
        break;
    case mtRectangle:
    case mtEllipse:
        mPainter.PlaceBrushChip(cell.x, cell.y, keys);
        break;
    case mtFill:
        mPainter.FloodFill(cell, CurrentBackup(), keys);
        break;
    default:
        break;
    }
}

TRect TQelPaintStroke::MoveTo(TPoint cell, TEditKeys keys) {
    if (!mActive) return {};
    if (mTool == mtPen) {
        const TPoint cursor{cell.x - mOffset.x, cell.y - mOffset.y};
        mPainter.PenLine(mCursor, cursor, keys);
        mCursor = cursor;
        return {};
    }
    if (mTool != mtRectangle && mTool != mtEllipse) return {};
    const TRect rect = CellRect(mStart, cell);
    const TRect area = mPainter.DrawShape(mTool == mtEllipse ? TShapeKind::Ellipse : TShapeKind::Rectangle,
                                          mShapeRect, rect, CurrentBackup(), keys);
    mShapeRect = rect;
    return area;
}

void TQelPaintStroke::End(TUndoRecorder& undo) {
    if (!mActive) return;
    mActive = false;
    undo.Push(mBaseLower, mBaseUpper);
    mPainter.Map().Modified = true;
}

void TQelPaintStroke::Cancel() {
    if (!mActive) return;
    mActive = false;
    TQelMap& map = mPainter.Map();
    map.LowerLayer.Cells = mBaseLower.Cells;
    map.UpperLayer.Cells = mBaseUpper.Cells;
}

} // namespace tarvel
