// The installer's LHA reader: decoding -lh5- data written by the archiver, on text, map-like
// data and incompressible bytes (stored). Reports bytes per second of decoded output.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "LhaReader.h"
#include "LhaWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes MakeText(size_t size, unsigned seed) {
    static const char* words[] = {"@> Message: ", "hero ",       "walks ",  "into ",
                                  "the ",         "dark ",       "cave\n",  "Switch [0012:Door] is ON\n",
                                  "Map0001 ",     "(012, 034) ", "potion ", "+5 "};
    std::mt19937 random(seed);
    Bytes text;
    while (text.size() < size) {
        const char* word = words[random() % (sizeof words / sizeof *words)];
        text.insert(text.end(), word, word + std::char_traits<char>::length(word));
    }
    text.resize(size);
    return text;
}

// Two layers of chip numbers with runs, as a map file holds them.
Bytes MakeMap(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes map;
    while (map.size() < size) {
        uint16_t chip = uint16_t(random() % 12 == 0 ? 4000 + random() % 600 : 5000 + random() % 8);
        size_t run = 1 + random() % 12;
        for (size_t i = 0; i < run; ++i) {
            map.push_back(uint8_t(chip));
            map.push_back(uint8_t(chip >> 8));
        }
    }
    map.resize(size);
    return map;
}

Bytes MakeRandom(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = uint8_t(random());
    return bytes;
}

Bytes Archive(const Bytes& content) {
    tarvel::unlha::VectorSink sink;
    tarvel::unlha::LhaWriter writer(sink);
    writer.AddFile("content.bin", content.data(), content.size(), 0644, 0);
    writer.Finish();
    return sink.Bytes;
}

void Decode(benchmark::State& state, Bytes (*make)(size_t, unsigned)) {
    const Bytes content = make(size_t(state.range(0)), 1);
    const Bytes archive = Archive(content);
    const auto entries = tarvel::setup::ReadLhaDirectory(archive.data(), archive.size());
    state.SetLabel(entries.at(0).method);
    for (auto _ : state) {
        size_t produced = 0;
        tarvel::setup::DecodeLhaEntry(archive.data(), archive.size(), entries.at(0),
                                      [&](const uint8_t*, size_t count) { produced += count; });
        benchmark::DoNotOptimize(produced);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(content.size()));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(content.size()));
    state.counters["ratio"] = double(archive.size()) / double(content.size());
}

void BM_LhaDecodeTextBytes(benchmark::State& state) {
    Decode(state, MakeText);
}
void BM_LhaDecodeMapBytes(benchmark::State& state) {
    Decode(state, MakeMap);
}
void BM_LhaDecodeStoredBytes(benchmark::State& state) {
    Decode(state, MakeRandom);
}

} // namespace

BENCHMARK(BM_LhaDecodeTextBytes)->Arg(1 << 20);
BENCHMARK(BM_LhaDecodeMapBytes)->Arg(1 << 20);
BENCHMARK(BM_LhaDecodeStoredBytes)->Arg(1 << 20);
