// The map editor view as the user meets it: a 1024 x 768 view of a 500 x 500 map (plain chips,
// autotile patches, water with edges and junctions, upper-layer objects and events) at each cell
// size, drawn by the real widget on the offscreen platform and painted through Qt's backing
// store. A full redraw, a scroll by one cell, and a 100-step pen stroke that paints one frame per
// step. Times are per frame; items are frames.
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <memory>

#include "../tests/mapedit_core/SampleChipSet.h"
#include "controls/BoardView.h"
#include "data/LD_DataBase.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PictureFile.h"
#include "mapedit/MapEditor.h"
#include "mapedit_core/MapGraphics.h"

using namespace tarvel;

namespace {

constexpr int kMapSize = 500;
const QSize kViewSize(1024, 768);

// The widgets need an application object; the benchmark's own main makes none.
void ensureApplication() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tarvel-bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

struct ViewBench {
    TQelDataBase db;
    TQelMapTree tree;
    TQelMap map{1};
    std::unique_ptr<TFormMapEditor> view;

    ViewBench() {
        ensureApplication();
        const std::string picture = QDir::tempPath().toStdString() + "/tarvel-bench-chipset.png";
        SavePictureFile(test::SampleChipSetPicture(), picture);
        db.ChipSets().Find(1)->GraphicName = picture;
        tree.AddNode(0, 0);
        tree.AddMapNode(0, 1);
        tree.ActiveID = 1;
        AttachMapGraphics(map);
        map.Reset();
        map.SetWidth(kMapSize);
        map.SetHeight(kMapSize);
        map.ChipSetID = 1;
        map.ReloadChipSet();
        fill();
        view = std::make_unique<TFormMapEditor>();
        view->SetMapTree(&tree);
        view->SetMap(&map);
        view->resize(kViewSize);
        view->show();
        view->SetMode(mmLower);
        view->SetTool(mtPen);
        view->LoadMap();
        // The offscreen window is exposed once its events have run; until then nothing paints.
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        frame();
    }

    // Content of every kind the renderer composes differently.
    void fill() {
        for (int y = 0; y < kMapSize; ++y)
            for (int x = 0; x < kMapSize; ++x) {
                int lower = 5000 + (x * 7 + y * 3) % 30;
                if ((x / 7 + y / 5) % 4 == 0) lower = 4000 + 50 * ((x / 7) % 12) + (x * 13 + y * 7) % 47;
                if ((x / 9 + y / 11) % 5 == 1)
                    lower = 1000 * ((x + y) % 3) + 50 * ((x * y) % 16) + (x + 3 * y) % 47;
                map.LowerLayer.SetChip(x, y, lower);
                map.UpperLayer.SetChip(x, y, (x * 5 + y * 11) % 10 < 3 ? 10001 + (x * 5 + y) % 130 : 10000);
            }
        int id = 1;
        for (int y = 3; y < kMapSize; y += 9)
            for (int x = 5; x < kMapSize; x += 13) {
                auto* event = map.Events.FindOrCreate(id++);
                event->X = x;
                event->Y = y;
            }
    }

    // One frame: the event loop paints what the view marked, as it does between two mouse
    // events; the view brings its screen up to date just before.
    void frame() { QApplication::processEvents(); }
    // A frame that left something undrawn measures nothing.
    bool framesPaint() {
        view->RedrawAll();
        frame();
        return !view->RepaintPending();
    }
};

ViewBench& bench() {
    static ViewBench b;
    return b;
}

void setFrameCounters(benchmark::State& state, int64_t frames) {
    state.SetItemsProcessed(frames);
    state.counters["time_per_frame"] =
        benchmark::Counter(double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_MapViewFullRedraw1024x768Frames(benchmark::State& state) {
    ViewBench& b = bench();
    if (!b.framesPaint()) {
        state.SkipWithError("the offscreen paint box did not paint");
        return;
    }
    const int size = int(state.range(0));
    b.view->SetCellSize(size);
    b.view->ScrollTo(kMapSize * size / 3, kMapSize * size / 3);
    b.frame();
    for (auto _ : state) {
        b.view->RedrawAll();
        b.frame();
    }
    setFrameCounters(state, state.iterations());
}
BENCHMARK(BM_MapViewFullRedraw1024x768Frames)
    ->Arg(32)
    ->Arg(16)
    ->Arg(8)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Alternately one cell right and one cell back, so every frame scrolls by a whole cell.
void BM_MapViewScrollOneCell1024x768Frames(benchmark::State& state) {
    ViewBench& b = bench();
    const int size = int(state.range(0));
    b.view->SetCellSize(size);
    b.view->ScrollTo(kMapSize * size / 3, kMapSize * size / 3);
    b.frame();
    int direction = 1;
    for (auto _ : state) {
        b.view->ScrollBy(direction * size, 0);
        direction = -direction;
        b.frame();
    }
    setFrameCounters(state, state.iterations());
}
BENCHMARK(BM_MapViewScrollOneCell1024x768Frames)
    ->Arg(32)
    ->Arg(16)
    ->Arg(8)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A pen stroke of 100 mouse moves of one cell (a staircase), each move followed by its frame, with
// the press and the release; the stroke is undone between iterations outside the timing.
void BM_MapViewPenStroke100StepsFrames(benchmark::State& state) {
    ViewBench& b = bench();
    b.view->SetCellSize(32);
    b.view->ScrollTo(100 * 32, 100 * 32);
    b.view->Brush(mmLower) = TQelCurrentChip(4049);
    b.frame();
    QWidget* box = b.view->PaintBox();
    const int cs = b.view->CellSize();
    auto point = [&](int x, int y) { return QPointF(x * cs + cs / 2, y * cs + cs / 2); };
    auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, box->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    };
    for (auto _ : state) {
        send(QEvent::MouseButtonPress, point(0, 0), Qt::LeftButton, Qt::LeftButton);
        b.frame();
        int x = 0, y = 0;
        for (int step = 0; step < 100; ++step) {
            // Right along the view, then a row down and back, so every step lands in view.
            x += (y % 2 == 0) ? 1 : -1;
            if (x < 0 || x >= 30) {
                x = std::clamp(x, 0, 29);
                ++y;
            }
            send(QEvent::MouseMove, point(x, y), Qt::NoButton, Qt::LeftButton);
            b.frame();
            // A move that waited for a paint would make the next frames measure nothing.
            if (b.view->RepaintPending()) {
                state.SkipWithError("a frame was left unpainted");
                return;
            }
        }
        send(QEvent::MouseButtonRelease, point(x, y), Qt::LeftButton, Qt::NoButton);
        b.frame();
        state.PauseTiming();
        if (ChipKind(b.map.LowerLayer.GetChip(100 + x, 100 + y)) != ChipKind(4049)) {
            state.SkipWithError("the stroke did not reach its end");
            return;
        }
        b.view->Undo();
        b.frame();
        state.ResumeTiming();
    }
    setFrameCounters(state, state.iterations() * 102);
}
BENCHMARK(BM_MapViewPenStroke100StepsFrames)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
