// tarvel-cli as git runs it for a project kept in version control: dump (the diff driver's
// textconv) of the largest map, and merge (the merge driver) of the largest map and of a full
// database, each side having changed its own part. A whole process per run, as in git.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "SampleDataBase.h"
#include "data/LD_Map.h"

using namespace tarvel;
namespace fs = std::filesystem;

namespace {

constexpr int kSide = 500;
constexpr int kEvents = 1000;
constexpr int kRecords = 5000;

fs::path cliProgram() {
    return fs::read_symlink("/proc/self/exe").parent_path() / "tarvel-cli";
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A 500 x 500 map with every cell set and 1000 events of two pages each.
void fillMap(TQelMap& map) {
    map.Reset();
    map.SetWidth(kSide);
    map.SetHeight(kSide);
    for (int32_t y = 0; y < kSide; ++y)
        for (int32_t x = 0; x < kSide; ++x) {
            map.LowerLayer.SetChip(x, y, 5000 + (x * 7 + y * 13) % 1500);
            map.UpperLayer.SetChip(x, y, 10000 + (x + y) % 144);
        }
    for (int32_t id = 1; id <= kEvents; ++id) {
        auto* event = map.Events.FindOrCreate(id);
        event->Name = "EV" + std::to_string(id);
        event->X = id % kSide;
        event->Y = id / 2;
        for (int32_t p = 1; p <= 2; ++p) {
            auto* page = event->Pages.FindOrCreate(p);
            page->CharName = "People" + std::to_string(p);
            page->Script.Clear();
            page->Script.Add(TQelEventScriptLine(10110, 0, "Good morning, traveller.", {0}));
            page->Script.Add(TQelEventScriptLine(0, 0));
        }
    }
}

void saveMap(const TQelMap& map, const fs::path& path) {
    TMemoryStream stream;
    map.SaveToFileStream(stream);
    stream.SaveToFile(path.string());
}

void paintRegion(TQelMap& map, int32_t x0, int32_t y0, int32_t chip) {
    for (int32_t y = y0; y < y0 + 100; ++y)
        for (int32_t x = x0; x < x0 + 100; ++x)
            map.LowerLayer.SetChip(x, y, chip);
}

// The three versions of a file in a folder of their own, removed at the end.
struct Versions {
    fs::path folder, base, ours, theirs, out;
    explicit Versions(const char* name) {
        folder = fs::temp_directory_path() /
                 ("tarvel-bench-merge-" + std::string(name) + "-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        base = folder / (std::string("base.") + name);
        ours = folder / (std::string("ours.") + name);
        theirs = folder / (std::string("theirs.") + name);
        out = folder / (std::string("out.") + name);
    }
    ~Versions() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    void run(benchmark::State& state, const std::string& command) {
        for (auto _ : state)
            if (std::system(command.c_str()) != 0) state.SkipWithError("tarvel-cli failed");
    }
};

Versions& mapVersions() {
    static Versions v("qmu");
    static bool made = false;
    if (!made) {
        TQelMap map;
        fillMap(map);
        saveMap(map, v.base);
        paintRegion(map, 0, 0, 4000);
        map.Events.Find(3)->Name = "Innkeeper";
        saveMap(map, v.ours);
        fillMap(map);
        paintRegion(map, 300, 300, 3000);
        map.Events.Find(900)->Pages.Find(2)->CharName = "Guard";
        saveMap(map, v.theirs);
        made = true;
    }
    return v;
}

} // namespace

static void BM_CliDumpMap500x500Cells(benchmark::State& state) {
    fs::path cli = cliProgram();
    if (!fs::exists(cli)) return state.SkipWithError("tarvel-cli is not built beside the benchmarks");
    Versions& v = mapVersions();
    v.run(state, quoted(cli) + " dump " + quoted(v.base) + " > " + quoted(v.out));
    state.counters["json_MB"] = static_cast<double>(fs::file_size(v.out)) / 1048576.0;
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_CliDumpMap500x500Cells)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

static void BM_CliMergeMap500x500Cells(benchmark::State& state) {
    fs::path cli = cliProgram();
    if (!fs::exists(cli)) return state.SkipWithError("tarvel-cli is not built beside the benchmarks");
    Versions& v = mapVersions();
    v.run(state, quoted(cli) + " merge " + quoted(v.base) + " " + quoted(v.ours) + " " + quoted(v.theirs) +
                     " -o " + quoted(v.out));
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_CliMergeMap500x500Cells)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Every list section at 5000 records with every field set; each side renames its own records.
static void BM_CliMergeDataBaseRecords(benchmark::State& state) {
    fs::path cli = cliProgram();
    if (!fs::exists(cli)) return state.SkipWithError("tarvel-cli is not built beside the benchmarks");
    Versions v("qdb");
    TQelDataBase db;
    test::FillSampleDataBase(db, kRecords, 6);
    db.SaveToFile(v.base.string());
    db.Heroes().Find(10)->Name = "Ours";
    db.Skills().Find(4000)->Name = "Ours";
    db.SaveToFile(v.ours.string());
    test::FillSampleDataBase(db, kRecords, 6);
    db.Heroes().Find(20)->Name = "Theirs";
    db.Items().Find(4999)->Price = 12;
    db.SaveToFile(v.theirs.string());
    int64_t records = 0;
    for (int id = FirstDataBaseSection; id <= LastDataBaseSection; ++id)
        if (auto* list = dynamic_cast<TCatalog*>(db.Section(id))) records += list->Count();
    v.run(state, quoted(cli) + " merge " + quoted(v.base) + " " + quoted(v.ours) + " " + quoted(v.theirs) +
                     " -o " + quoted(v.out));
    state.SetItemsProcessed(state.iterations() * records);
    state.counters["file_MB"] = static_cast<double>(fs::file_size(v.base)) / 1048576.0;
}
BENCHMARK(BM_CliMergeDataBaseRecords)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
