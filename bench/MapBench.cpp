// Maps and the map tree at their largest: a 500 x 500 map with 5000 events of three pages each,
// read and written in memory and through the file system; and a project save that moves 50
// working copies of a 200-map project into the project folder.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/LD_Folders.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

using namespace tarvel;

namespace {

constexpr int kEvents = 5000;
constexpr int kPages = 3;

// A full map: every cell set, events spread over the map, each page with a graphic, a short
// script and a move route.
void fillLargeMap(TQelMap& map) {
    map.Reset();
    map.SetWidth(500);
    map.SetHeight(500);
    for (int32_t y = 0; y < 500; ++y)
        for (int32_t x = 0; x < 500; ++x) {
            map.LowerLayer.SetChip(x, y, 5000 + (x * 7 + y * 13) % 1500);
            map.UpperLayer.SetChip(x, y, 10000 + (x + y) % 144);
        }
    for (int32_t id = 1; id <= kEvents; ++id) {
        auto* event = map.Events.FindOrCreate(id);
        event->Name = "EV" + std::to_string(id);
        event->X = id % 500;
        event->Y = id / 10;
        for (int32_t p = 1; p <= kPages; ++p) {
            auto* page = event->Pages.FindOrCreate(p);
            page->CharName = "People" + std::to_string(p);
            page->CharIndex = id % 8;
            page->Condition.Flags = 1;
            page->Condition.SwitchA = id;
            page->MoveType = 6;
            page->MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(2));
            page->MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(23));
            page->Script.Clear();
            page->Script.Add(TQelEventScriptLine(10110, 0, "Good morning, traveller.", {0}));
            page->Script.Add(TQelEventScriptLine(10210, 0, "", {id, id, 0}));
            page->Script.Add(TQelEventScriptLine(0, 0));
        }
    }
}

const TQelMap& largeMap() {
    static TQelMap map;
    static bool made = false;
    if (!made) {
        fillLargeMap(map);
        made = true;
    }
    return map;
}

// A folder of its own under the temporary path, removed at the end of the run.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tarvel-bench-XXXXXX";
        path = mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
};

void reportLargeMap(benchmark::State& state, int64_t bytes) {
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * 500 * 500);
    state.counters["events"] = kEvents;
    state.counters["fileKiB"] = static_cast<double>(bytes) / 1024.0;
}

} // namespace

static void BM_MapSave500x500Events5000Cells(benchmark::State& state) {
    const TQelMap& map = largeMap();
    int64_t bytes = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        map.SaveToFileStream(stream);
        bytes = stream.Size();
        benchmark::DoNotOptimize(stream.Data());
    }
    reportLargeMap(state, bytes);
}
BENCHMARK(BM_MapSave500x500Events5000Cells)->Unit(benchmark::kMillisecond);

static void BM_MapLoad500x500Events5000Cells(benchmark::State& state) {
    TMemoryStream file;
    largeMap().SaveToFileStream(file);
    TQelMap map;
    for (auto _ : state) {
        file.SetPosition(0);
        map.LoadFromFileStream(file);
        benchmark::DoNotOptimize(map.Events.Count());
    }
    reportLargeMap(state, file.Size());
}
BENCHMARK(BM_MapLoad500x500Events5000Cells)->Unit(benchmark::kMillisecond);

// The same through files: the save writes a temporary file, syncs it and renames it.
static void BM_MapFileSaveLoad500x500Events5000Cells(benchmark::State& state) {
    ScratchFolder folder;
    std::string path = (folder.path / "Map0001.qmu").string();
    TQelMap map;
    map.Assign(largeMap());
    for (auto _ : state) {
        map.SaveToFile(path);
        map.LoadFromFile(path);
    }
    reportLargeMap(state, static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_MapFileSaveLoad500x500Events5000Cells)->Unit(benchmark::kMillisecond);

// SaveTree of a 200-map project in which 50 maps (100 x 100, 20 events each) have working copies;
// the working copies are written outside the timing before every save.
static void BM_SaveTree200Maps50WorkingCopiesMaps(benchmark::State& state) {
    ScratchFolder folder;
    std::filesystem::create_directories(folder.path / "project");
    std::filesystem::create_directories(folder.path / "TARVEL_TEMP");
    CoreFolders::SetProjectPath((folder.path / "project").string());
    CoreFolders::SetTempWorkFolder((folder.path / "TARVEL_TEMP").string());

    TQelMap map;
    map.Reset();
    map.SetWidth(100);
    map.SetHeight(100);
    for (int32_t id = 1; id <= 20; ++id) {
        auto* event = map.Events.FindOrCreate(id);
        event->X = id;
        event->Y = id;
    }
    TQelMapTree tree;
    tree.AddNode(0, 0)->Name = "Bench";
    for (int32_t id = 1; id <= 200; ++id) {
        tree.AddMapNode(id <= 20 ? 0 : (id - 1) / 10, id);
        map.SaveMap(id);
    }
    tree.SaveTree();

    for (auto _ : state) {
        state.PauseTiming();
        for (int32_t id = 4; id <= 200; id += 4) {
            map.SaveTempMap(id);
            tree.Find(id)->HasWorkCopy = true;
        }
        state.ResumeTiming();
        tree.SaveTree();
    }
    state.SetItemsProcessed(state.iterations() * 50);
    CoreFolders::SetProjectPath("");
    CoreFolders::SetTempWorkFolder("");
}
BENCHMARK(BM_SaveTree200Maps50WorkingCopiesMaps)->Unit(benchmark::kMillisecond);
