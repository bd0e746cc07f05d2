// Load and save of a full database (every list section at its 5000-record limit, every field
// set, common events with 50-line scripts, full curves), and tarvel-cli dump of that file.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

#include "SampleDataBase.h"

using namespace tarvel;
namespace fs = std::filesystem;

namespace {

constexpr int kRecords = 5000;

// The database and its file, made once for all benchmarks of this file.
struct BigDataBase {
    TQelDataBase db;
    fs::path file;
    int64_t records = 0;
    int64_t bytes = 0;

    BigDataBase() {
        test::FillSampleDataBase(db, kRecords, 6);
        int seed = 0;
        for (const auto& item : db.CommonEvents())
            test::FillScript(static_cast<TQelCommonEventItem&>(*item).Script, 50, seed++);
        for (int id = FirstDataBaseSection; id <= LastDataBaseSection; ++id)
            if (auto* list = dynamic_cast<TCatalog*>(db.Section(id))) records += list->Count();
        file = fs::temp_directory_path() / ("tarvel-bench-" + std::to_string(::getpid()) + ".qdb");
        db.SaveToFile(file.string());
        bytes = static_cast<int64_t>(fs::file_size(file));
    }
    ~BigDataBase() {
        std::error_code ec;
        fs::remove(file, ec);
    }
};

BigDataBase& big() {
    static BigDataBase instance;
    return instance;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void report(benchmark::State& state, int64_t records, int64_t bytes) {
    state.SetItemsProcessed(state.iterations() * records);
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["records"] = static_cast<double>(records);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1048576.0;
    state.counters["peak_rss_MB"] = peakMegabytes();
}

} // namespace

static void BM_DataBaseSaveRecords(benchmark::State& state) {
    auto& b = big();
    fs::path out = b.file;
    out += ".save";
    for (auto _ : state)
        b.db.SaveToFile(out.string());
    std::error_code ec;
    fs::remove(out, ec);
    report(state, b.records, b.bytes);
}
BENCHMARK(BM_DataBaseSaveRecords)->Unit(benchmark::kMillisecond);

static void BM_DataBaseLoadRecords(benchmark::State& state) {
    auto& b = big();
    TQelDataBase db;
    for (auto _ : state) {
        // A different size and time-stamp each time is not needed: the sections are replaced
        // whole either way.
        db.LoadFromFile(b.file.string());
        benchmark::DoNotOptimize(db.Heroes().Count());
    }
    report(state, b.records, b.bytes);
}
BENCHMARK(BM_DataBaseLoadRecords)->Unit(benchmark::kMillisecond);

// The headless tool as a version-control diff runs it: a whole process per dump.
static void BM_CliDumpRecords(benchmark::State& state) {
    auto& b = big();
    fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "tarvel-cli";
    if (!fs::exists(cli)) {
        state.SkipWithError("tarvel-cli is not built beside the benchmarks");
        return;
    }
    fs::path json = b.file;
    json += ".json";
    std::string command = "'" + cli.string() + "' dump '" + b.file.string() + "' > '" + json.string() + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("tarvel-cli dump failed");
    state.counters["json_MB"] = static_cast<double>(fs::file_size(json)) / 1048576.0;
    std::error_code ec;
    fs::remove(json, ec);
    report(state, b.records, b.bytes);
}
BENCHMARK(BM_CliDumpRecords)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
