// The map edit rules at the largest map size: a flood fill of a whole 500 x 500 map, a 500 x 500
// rectangle, and a 200-step pen stroke with a 6 x 6 brush, each a stroke as the map view runs it
// (with the copy of both layers taken at the press). Items are cells written by the brush.
#include <benchmark/benchmark.h>

#include "data/LD_Map.h"
#include "mapedit_core/MapEditUtils.h"

using namespace tarvel;

namespace {

constexpr int kSize = 500;

// A 500 x 500 map of one plain chip and a painter on it. Strokes alternate between two chips so
// that every stroke changes every cell it covers.
struct EditBench {
    TQelMap map;
    TQelCurrentChip brush;
    TQelMapPainter painter{map};
    TQelMapEditUndoManager undo;
    int round = 0;

    EditBench() {
        map.Reset();
        map.SetWidth(kSize);
        map.SetHeight(kSize);
        for (auto& c : map.LowerLayer.Cells)
            c = 5000;
        undo.SetSize(kSize, kSize);
        painter.SetBrush(brush);
    }
    void nextBrush(int a, int b, int size = 1) {
        const int chip = round++ % 2 ? b : a;
        brush.SetSize(size, size);
        for (int row = 0; row < size; ++row)
            for (int column = 0; column < size; ++column)
                brush.SetChip(column, row, chip);
    }
};

void BM_FloodFill500x500Cells(benchmark::State& state) {
    EditBench b;
    for (auto _ : state) {
        b.nextBrush(49, 4049); // water, then an autotile over it
        TQelPaintStroke stroke(b.painter);
        stroke.Begin(mtFill, {250, 250}, {0, 0}, {});
        stroke.End(b.undo);
    }
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
BENCHMARK(BM_FloodFill500x500Cells)->Unit(benchmark::kMillisecond);

void BM_Rectangle500x500Cells(benchmark::State& state) {
    EditBench b;
    for (auto _ : state) {
        b.nextBrush(4049, 49);
        TQelPaintStroke stroke(b.painter);
        stroke.Begin(mtRectangle, {0, 0}, {0, 0}, {});
        stroke.MoveTo({kSize - 1, kSize - 1}, {});
        stroke.End(b.undo);
    }
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
BENCHMARK(BM_Rectangle500x500Cells)->Unit(benchmark::kMillisecond);

// 200 mouse moves of one cell each, diagonally and sideways in turn; the brush lands 201 times.
void BM_PenStroke200Steps6x6BrushCells(benchmark::State& state) {
    EditBench b;
    for (auto _ : state) {
        b.nextBrush(4049, 1049, 6);
        TQelPaintStroke stroke(b.painter);
        TPoint p{100, 100};
        stroke.Begin(mtPen, p, {0, 0}, {});
        for (int step = 0; step < 200; ++step) {
            p.x += 1;
            p.y += step % 2;
            stroke.MoveTo(p, {});
        }
        stroke.End(b.undo);
    }
    state.SetItemsProcessed(state.iterations() * 201 * 36);
}
BENCHMARK(BM_PenStroke200Steps6x6BrushCells)->Unit(benchmark::kMillisecond);

} // namespace
