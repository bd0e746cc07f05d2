// The sound library's costs: loading the soundfont, rendering MIDI music and overlapping sound
// effects (as multiples of real time, higher is better), and the memory the soundfont takes.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include "../tests/sound/SoundMaterial.h"
#include "Mixer.h"
#include "SoundFontSetting.h"
#include "Synthesizer.h"

using namespace tarvel::consort;
using namespace tarvel::test::sound;

namespace {

// Material for the benchmarks, written once into a folder of this run.
class BenchMaterial {
public:
    BenchMaterial() {
        mFolder =
            std::filesystem::temp_directory_path() / ("tarvel-sound-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(mFolder);
        mMinuteOfMusic = write("busy.mid", MidiFile(BusyPiece(60.0)));
        const double hertz[] = {220, 277, 330, 392, 440, 523, 659, 784};
        for (double h : hertz)
            mEffects.push_back(write("effect" + std::to_string(int(h)) + ".wav",
                                     WaveFile(Tone(h, 3.0, 0.1f, 22050), 1, 22050)));
    }
    ~BenchMaterial() { std::filesystem::remove_all(mFolder); }
    const std::string& minuteOfMusic() const { return mMinuteOfMusic; }
    const std::vector<std::string>& effects() const { return mEffects; }

private:
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::filesystem::path path = mFolder / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path.string();
    }
    std::filesystem::path mFolder;
    std::string mMinuteOfMusic;
    std::vector<std::string> mEffects;
};

const BenchMaterial& material() {
    static BenchMaterial m;
    return m;
}

// A line of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double statusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return 0;
}

// Heap memory in use, in megabytes (large blocks such as the soundfont's samples included).
double heapMegabytes() {
    struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void render(Mixer& mixer, std::vector<float>& buffer, double seconds) {
    const int block = int(buffer.size() / 2);
    for (long done = 0, total = std::lround(seconds * kSampleRate); done < total; done += block)
        mixer.Render(buffer.data(), int(std::min<long>(block, total - done)));
}

} // namespace

static void BM_SoundFontLoad(benchmark::State& state) {
    const std::string path = SoundFontPath();
    for (auto _ : state) {
        std::string error;
        auto synthesizer = Synthesizer::Create(path, &error);
        if (!synthesizer) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(synthesizer.get());
    }
}
BENCHMARK(BM_SoundFontLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

// One minute of busy General MIDI music (piano, bass, strings, drums), rendered in the device's
// blocks of 1024 frames. "realtime" is seconds of music rendered per second.
static void BM_RenderMidiMinuteFrames(benchmark::State& state) {
    const double heapBefore = heapMegabytes();
    const double rssBefore = statusMegabytes("VmRSS");
    Mixer mixer;
    std::string error;
    if (!mixer.PlayMusic(material().minuteOfMusic(), &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const double heapWithSoundFont = heapMegabytes();
    std::vector<float> buffer(2 * 1024);
    double processorSeconds = 0;
    for (auto _ : state) {
        const double start = threadSeconds();
        render(mixer, buffer, 60.0);
        processorSeconds += threadSeconds() - start;
    }
    state.SetItemsProcessed(state.iterations() * 60 * kSampleRate);
    state.counters["realtime"] =
        benchmark::Counter(60.0 * double(state.iterations()), benchmark::Counter::kIsRate);
    // The same on the thread's processor time, which the load of other programs on the shared
    // cores does not lengthen.
    state.counters["realtime_cpu"] = 60.0 * double(state.iterations()) / processorSeconds;
    // The synthesiser with its soundfont on the heap; the whole process before it and at its
    // peak (which includes whatever benchmarks ran earlier in the same run).
    state.counters["soundfont_MB"] = heapWithSoundFont - heapBefore;
    state.counters["rss_before_MB"] = rssBefore;
    state.counters["peak_MB"] = statusMegabytes("VmHWM");
    state.counters["load_ms"] = mixer.SoundFontLoadMilliseconds();
}
BENCHMARK(BM_RenderMidiMinuteFrames)->Unit(benchmark::kMillisecond)->UseRealTime();

// Eight sound effects of three seconds, at tempos 100 to 150 and balances across the field, all
// sounding together for two seconds.
static void BM_RenderEightEffectsFrames(benchmark::State& state) {
    Mixer mixer;
    std::vector<float> buffer(2 * 1024);
    const auto& effects = material().effects();
    for (auto _ : state) {
        for (size_t i = 0; i < effects.size(); ++i)
            mixer.PlaySound(effects[i], 80, 100 + int(i) * 7, int(i) * 14);
        render(mixer, buffer, 2.0);
        mixer.StopSounds();
    }
    state.SetItemsProcessed(state.iterations() * 2 * kSampleRate);
    state.counters["realtime"] =
        benchmark::Counter(2.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderEightEffectsFrames)->Unit(benchmark::kMillisecond)->UseRealTime();
