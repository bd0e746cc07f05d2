// The game played headless on a large map: 500 x 500 cells, 1,000 events of which 900 walk (at
// random, to and fro, along routes) and 100 run parallel scripts that count, compare and wait a
// frame, with the hero walking. Frames per second are the frames stepped per second of one core;
// a game at 60 frames a second needs 60 of them. The memory is what the game holds besides the
// database: the map, its events and their scripts.
#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>

#include "game/Game.h"
#include "game/GameRender.h"

using namespace tarvel;
using namespace tarvel::game;

namespace {

constexpr int kSize = 500;
constexpr int kEvents = 1000;
constexpr int kParallel = 100;

// The heap in use, in kilobytes.
double HeapKiB() {
    return double(mallinfo2().uordblks) / 1024.0;
}

// The resident memory of the process in kilobytes.
double ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * 4.0;
}

TQelEventScriptLine Line(int32_t code, std::vector<int32_t> params = {}, int32_t indent = 0) {
    return TQelEventScriptLine(code, indent, {}, std::move(params));
}

void FillLargeGame(TGameData& data) {
    TQelDataBase& db = data.DataBase();
    TQelDataBase::ResetList(db.Switches(), 200);
    TQelDataBase::ResetList(db.Variables(), 200);
    TQelChipSetItem& chips = *db.ChipSets().Find(1);
    chips.SetLowerChipPass(19, 0); // walls
    TQelMap map(1);
    map.Reset();
    map.ChipSetID = 1;
    map.SetWidth(kSize);
    map.SetHeight(kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            map.LowerLayer.SetChip(x, y, (x * 7 + y * 13) % 41 == 0 ? 5001 : 5000);
            map.UpperLayer.SetChip(x, y, (x + y) % 17 == 0 ? 10005 : 10000);
        }
    for (int id = 1; id <= kEvents; ++id) {
        TQelEventItem* event = map.Events.FindOrCreate(id);
        event->X = (id * 37) % kSize;
        event->Y = (id * 91) % kSize;
        TQelEventPageItem* page = event->Pages.Items(0);
        page->CharName = "People1";
        page->Priority = 1;
        page->Script.Clear();
        if (id <= kParallel) {
            // Counts a variable of its own up to 100 and starts again, a frame at a time.
            const int v = 1 + id % 200;
            page->Trigger = 4;
            page->Script.Add(Line(10220, {0, v, v, 1, 0, 1}));
            page->Script.Add(Line(12010, {1, v, 0, 100, 1, 0}));
            page->Script.Add(Line(10220, {0, v, v, 0, 0, 0}, 1));
            page->Script.Add(Line(10, {}, 1));
            page->Script.Add(Line(22011));
            page->Script.Add(Line(11410, {0}));
        } else {
            page->MoveType = uint8_t(1 + id % 6);
            page->MoveFrequency = 4 + id % 5;
            page->MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcRight));
            page->MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcDown));
            page->MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcLeft));
            page->MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcUp));
            page->Script.Add(Line(10110, {}));
        }
        page->Script.Add(Line(0));
    }
    data.AddMap(1, map);
    data.Tree().AddNode(0, 0);
    TQelMapTreeItem* node = data.Tree().AddNode(0, 1);
    node->NodeKind = nkMap;
    data.Tree().StartPositions.SetStartMap(0, 1);
    data.Tree().StartPositions.SetStartX(0, kSize / 2);
    data.Tree().StartPositions.SetStartY(0, kSize / 2);
}

// The hero walks a square, a key for 64 frames each.
TKeyState KeysAt(int64_t frame) {
    static const TGameKey kWalk[] = {TGameKey::Right, TGameKey::Down, TGameKey::Left, TGameKey::Up};
    TKeyState keys;
    keys.Set(kWalk[(frame / 64) % 4], true);
    return keys;
}

} // namespace

static void BM_GameHeadlessFrames500x500Events1000Parallel100(benchmark::State& state) {
    TGameData data;
    FillLargeGame(data);
    TSilentSound sound;
    TMemorySaveStore saves;
    const double before = HeapKiB();
    auto game = std::make_unique<TGame>(data, sound, saves);
    game->Start(false);
    const double held = HeapKiB() - before;
    // The first second settles the parallel scripts and the walkers.
    for (int i = 0; i < 60; ++i)
        game->Step(KeysAt(i));
    int64_t frame = 60;
    for (auto _ : state)
        game->Step(KeysAt(frame++));
    state.SetItemsProcessed(state.iterations());
    state.counters["frames_per_s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["game_MiB"] = held / 1024.0;
    state.counters["process_MiB"] = ResidentKiB() / 1024.0;
    state.counters["events"] = kEvents;
    state.counters["parallel"] = kParallel;
}
BENCHMARK(BM_GameHeadlessFrames500x500Events1000Parallel100)->Unit(benchmark::kMicrosecond);

// Drawing one frame of the same game (without pictures to draw from: the work of the map's cells,
// the characters in view and the windows; the chipset and character pictures are blank).
static void BM_GameDrawFrame320x240Pixels(benchmark::State& state) {
    TGameData data;
    FillLargeGame(data);
    TSilentSound sound;
    TMemorySaveStore saves;
    TGame game(data, sound, saves);
    game.Start(false);
    TGameRenderer renderer;
    TGameFrame frame;
    for (auto _ : state) {
        renderer.Draw(game, frame);
        benchmark::DoNotOptimize(frame.board.Row(0));
    }
    state.SetItemsProcessed(state.iterations() * kGameScreenWidth * kGameScreenHeight);
}
BENCHMARK(BM_GameDrawFrame320x240Pixels)->Unit(benchmark::kMicrosecond);
