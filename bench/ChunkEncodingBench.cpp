#include <benchmark/benchmark.h>

#include "SampleRecords.h"

using namespace tarvel;

namespace {

test::SampleRecord makeRecord(int i) {
    test::SampleRecord r;
    r.Name = "Record number " + std::to_string(i);
    r.Number = i * 37;
    r.Flag = i % 2;
    r.Always = "always";
    r.Buffer.assign(64, static_cast<uint8_t>(i));
    r.Nested.Value = i;
    r.Nested.Text = "nested";
    return r;
}

} // namespace

static void BM_VarIntWriteRead(benchmark::State& state) {
    TMemoryStream stream;
    for (auto _ : state) {
        stream.Clear();
        for (uint32_t v = 0; v < 4096; ++v) WriteVarInt(stream, v * 2654435761u);
        stream.SetPosition(0);
        uint32_t sum = 0;
        for (int i = 0; i < 4096; ++i) sum += ReadVarInt(stream);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 4096);
}
BENCHMARK(BM_VarIntWriteRead);

static void BM_RecordSaveRecords(benchmark::State& state) {
    auto record = makeRecord(7);
    TMemoryStream stream;
    for (auto _ : state) {
        stream.Clear();
        record.SaveToStream(stream);
        benchmark::DoNotOptimize(stream.Data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * stream.Size());
}
BENCHMARK(BM_RecordSaveRecords);

static void BM_RecordLoadRecords(benchmark::State& state) {
    auto bytes = makeRecord(7).SaveToBytes();
    test::SampleRecord record;
    for (auto _ : state) {
        TMemoryStream stream(bytes);
        record.LoadFromStream(stream);
        benchmark::DoNotOptimize(record.Number);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_RecordLoadRecords);
