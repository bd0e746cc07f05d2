// The archiver's -lh5- encoder and archive writer on project-like material: event and ini text,
// map data, PNG pictures and WAV sounds. Each benchmark reports bytes per second of input and
// the packed size as a fraction of the input ("ratio"); zlib at its default level on the same
// input gives the "zlib_ratio" beside it, since no LHA writer is at hand to compare with.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "ArchiveCommand.h"
#include "Lh5Encoder.h"
#include "LhaWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(Bytes& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putBig32(Bytes& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

Bytes Deflate(const Bytes& in) {
    uLongf size = compressBound(in.size());
    Bytes out(size);
    compress2(out.data(), &size, in.data(), in.size(), Z_DEFAULT_COMPRESSION);
    out.resize(size);
    return out;
}

// Event scripts, messages and settings as the editor's text views show them, with names made
// of random syllables so the text is not more repetitive than a real game's.
Bytes MakeText(size_t size, unsigned seed) {
    static const char* forms[] = {
        "@> Message: %s, %s the %s of %s!\n",      "@> Conditional Branch: Switch [%04d:%s %s] is ON\n",
        "  @> Change Items: [%04d:%s] +%d\n",      "  @> Play Sound Effect: %s%d, 100, 100, 50\n",
        "@> Control Variables: [%04d:%s] += %d\n", "@> Move Event: %s, Turn Left, Wait, Move Up x%d\n",
        "@> Teleport: Map%04d (%03d, %03d)\n",     "Name=%s %s\nAttack=%d\nDefense=%d\nAgility=%d\n",
        ": Else Handler\n@> Wait: %d frame(s)\n",
    };
    static const char* syllables[] = {"ka",  "ri", "mon", "tel", "a",   "dor", "shi", "van", "e",  "lor",
                                      "gra", "nu", "sel", "o",   "bri", "tha", "ul",  "zen", "mi", "ra"};
    std::mt19937 random(seed);
    auto word = [&] {
        std::string w;
        for (int n = 1 + int(random() % 3); n > 0; --n)
            w += syllables[random() % std::size(syllables)];
        w[0] = char(w[0] - 'a' + 'A');
        return w;
    };
    std::string text;
    char line[256];
    while (text.size() < size) {
        int form = int(random() % std::size(forms));
        std::string a = word(), b = word(), c = word(), d = word();
        int n1 = int(random() % 5000), n2 = int(random() % 500), n3 = int(random() % 500);
        switch (form) {
        case 0:
            std::snprintf(line, sizeof line, forms[0], a.c_str(), b.c_str(), c.c_str(), d.c_str());
            break;
        case 1:
            std::snprintf(line, sizeof line, forms[1], n1, a.c_str(), b.c_str());
            break;
        case 2:
            std::snprintf(line, sizeof line, forms[2], n1, a.c_str(), n2);
            break;
        case 3:
            std::snprintf(line, sizeof line, forms[3], a.c_str(), n2);
            break;
        case 4:
            std::snprintf(line, sizeof line, forms[4], n1, a.c_str(), n2);
            break;
        case 5:
            std::snprintf(line, sizeof line, forms[5], a.c_str(), n2 % 9 + 1);
            break;
        case 6:
            std::snprintf(line, sizeof line, forms[6], n1 % 300, n2, n3);
            break;
        case 7:
            std::snprintf(line, sizeof line, forms[7], a.c_str(), b.c_str(), n2, n3, n1 % 100);
            break;
        default:
            std::snprintf(line, sizeof line, forms[8], n2 % 60);
            break;
        }
        text += line;
    }
    return Bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size));
}

// Map files: two layers of 16-bit chip numbers (ground areas, autotile edges, a sparse upper
// layer) and some event records with small integers.
Bytes MakeMapData(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Bytes out;
    for (const char* c = "QelMapUnit"; *c; ++c)
        out.push_back(uint8_t(*c));
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));
    std::vector<uint16_t> lower(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int region = ((x / 13) + (y / 9) * 3 + int(random() % 40 == 0)) % 5;
            uint16_t chip = uint16_t(4000 + region * 50);
            if (x % 13 == 0 || y % 9 == 0) chip = uint16_t(chip + random() % 47); // autotile variants
            lower[size_t(y) * width + x] = chip;
        }
    for (uint16_t chip : lower)
        put16(out, chip);
    for (int i = 0; i < width * height; ++i)
        put16(out, random() % 12 == 0 ? uint16_t(10000 + random() % 144) : 10000);
    for (int e = 0; e < 300; ++e) {
        out.push_back(0x01);
        put16(out, uint16_t(e + 1));
        for (int k = 0; k < 24; ++k)
            out.push_back(uint8_t(random() % 8 == 0 ? random() % 256 : k));
    }
    return out;
}

// A PNG of 256 colours: a signature, IHDR, PLTE and zlib-deflated rows of drawn tiles.
Bytes MakePng(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Bytes rows;
    for (int y = 0; y < height; ++y) {
        rows.push_back(0); // filter type
        for (int x = 0; x < width; ++x) {
            int shade = ((x * 7 + y * 3) / 16 + (x / 16 + y / 16) * 11) % 200;
            rows.push_back(uint8_t(shade + (random() % 5 == 0 ? random() % 40 : 0)));
        }
    }
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&](const char* type, const Bytes& data) {
        putBig32(out, uint32_t(data.size()));
        Bytes typed(type, type + 4);
        typed.insert(typed.end(), data.begin(), data.end());
        out.insert(out.end(), typed.begin(), typed.end());
        putBig32(out, uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
    };
    Bytes header;
    putBig32(header, uint32_t(width));
    putBig32(header, uint32_t(height));
    header.insert(header.end(), {8, 3, 0, 0, 0});
    chunk("IHDR", header);
    Bytes palette;
    for (int i = 0; i < 256; ++i)
        palette.insert(palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3)});
    chunk("PLTE", palette);
    chunk("IDAT", Deflate(rows));
    chunk("IEND", {});
    return out;
}

// A 16-bit mono sound at 22050 Hz: decaying tones with a little noise.
Bytes MakeWav(double seconds, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 60.0);
    const int rate = 22050;
    const int samples = int(seconds * rate);
    Bytes out;
    for (const char* c = "RIFF"; *c; ++c)
        out.push_back(uint8_t(*c));
    put32(out, uint32_t(36 + samples * 2));
    for (const char* c = "WAVEfmt "; *c; ++c)
        out.push_back(uint8_t(*c));
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    for (const char* c = "data"; *c; ++c)
        out.push_back(uint8_t(*c));
    put32(out, uint32_t(samples * 2));
    double frequency = 220.0;
    for (int i = 0; i < samples; ++i) {
        if (i % (rate / 4) == 0) frequency = 220.0 * std::pow(2.0, int(random() % 12) / 12.0);
        double t = double(i % (rate / 4)) / rate;
        double value =
            9000.0 * std::exp(-6.0 * t) * std::sin(2 * M_PI * frequency * i / rate) + noise(random);
        put16(out, uint16_t(int16_t(std::lround(value))));
    }
    return out;
}

struct Material {
    std::string name;
    Bytes bytes;
};

// A small project: about 1 MB of text, 1.2 MB of maps, 1.4 MB of pictures and 1.6 MB of sounds.
const std::vector<Material>& Project() {
    static const std::vector<Material> project = [] {
        std::vector<Material> files;
        files.push_back({"QUORIN.ini", MakeText(2000, 1)});
        files.push_back({"Events.txt", MakeText(1000000, 2)});
        for (int m = 1; m <= 6; ++m)
            files.push_back(
                {"Map000" + std::to_string(m) + ".qmu", MakeMapData(160 + m * 20, 120 + m * 10, 10 + m)});
        for (int p = 0; p < 8; ++p)
            files.push_back({"Picture/Pic" + std::to_string(p) + ".png", MakePng(640, 320 + p * 32, 30 + p)});
        for (int s = 0; s < 4; ++s)
            files.push_back({"Sound/Sound" + std::to_string(s) + ".wav", MakeWav(6.0 + s * 2.0, 50 + s)});
        return files;
    }();
    return project;
}

Bytes KindSample(const std::string& kind) {
    Bytes all;
    for (const Material& m : Project()) {
        bool match = (kind == "text" && m.name.find(".txt") != std::string::npos) ||
                     (kind == "maps" && m.name.find(".qmu") != std::string::npos) ||
                     (kind == "png" && m.name.find(".png") != std::string::npos) ||
                     (kind == "wav" && m.name.find(".wav") != std::string::npos);
        if (match) all.insert(all.end(), m.bytes.begin(), m.bytes.end());
    }
    return all;
}

void CompressKind(benchmark::State& state, const std::string& kind) {
    const Bytes input = KindSample(kind);
    Bytes out;
    for (auto _ : state) {
        tarvel::unlha::CompressLh5(input.data(), input.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
    state.counters["input_MB"] = double(input.size()) / 1e6;
    state.counters["ratio"] = double(out.size()) / double(input.size());
    state.counters["zlib_ratio"] = double(Deflate(input).size()) / double(input.size());
}

} // namespace

static void BM_Lh5CompressBytes_Text(benchmark::State& state) {
    CompressKind(state, "text");
}
static void BM_Lh5CompressBytes_MapData(benchmark::State& state) {
    CompressKind(state, "maps");
}
static void BM_Lh5CompressBytes_Png(benchmark::State& state) {
    CompressKind(state, "png");
}
static void BM_Lh5CompressBytes_Wav(benchmark::State& state) {
    CompressKind(state, "wav");
}
BENCHMARK(BM_Lh5CompressBytes_Text)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lh5CompressBytes_MapData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lh5CompressBytes_Png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lh5CompressBytes_Wav)->Unit(benchmark::kMillisecond);

// The whole project through the archive writer in memory: PNG pictures fall back to -lh0-
// (the encoder gives up as soon as its output reaches the input's size).
static void BM_LhaArchiveProjectBytes(benchmark::State& state) {
    const auto& project = Project();
    size_t input = 0, packed = 0, zlib = 0;
    for (const Material& m : project) {
        input += m.bytes.size();
        zlib += std::min(Deflate(m.bytes).size(), m.bytes.size());
    }
    for (auto _ : state) {
        tarvel::unlha::VectorSink sink;
        tarvel::unlha::LhaWriter writer(sink);
        for (const Material& m : project)
            writer.AddFile(m.name, m.bytes.data(), m.bytes.size(), 0100644, 1700000000);
        writer.Finish();
        packed = sink.Bytes.size();
        benchmark::DoNotOptimize(sink.Bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input));
    state.counters["input_MB"] = double(input) / 1e6;
    state.counters["ratio"] = double(packed) / double(input);
    state.counters["zlib_ratio"] = double(zlib) / double(input);
}
BENCHMARK(BM_LhaArchiveProjectBytes)->Unit(benchmark::kMillisecond);

// The editor's call on a project folder on disk: response file, walk, read, write, rename.
static void BM_UnlhaGameDiskBytes(benchmark::State& state) {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/unlha-bench-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made) {
        state.SkipWithError("cannot make a temporary folder");
        return;
    }
    fs::path root(made);
    size_t input = 0;
    for (const Material& m : Project()) {
        fs::create_directories((root / "Project" / m.name).parent_path());
        std::ofstream(root / "Project" / m.name, std::ios::binary)
            .write(reinterpret_cast<const char*>(m.bytes.data()), std::streamsize(m.bytes.size()));
        input += m.bytes.size();
    }
    fs::create_directories(root / "GameDisk");
    std::ofstream(root / "GameDisk/Response.lst")
        << "\"" << (root / "Project").string()
        << "/\"\nPicture\nSound\nQUORIN.ini\nEvents.txt\nMap????.qmu\n";
    const std::string archive = (root / "GameDisk/Project.lzh").string();
    const std::string command =
        "a -+ -r2 -d \"" + archive + "\" @" + (root / "GameDisk/Response.lst").string();
    std::string message;
    for (auto _ : state) {
        fs::remove(archive);
        if (tarvel::unlha::RunUnlhaCommand(command.c_str(), message) != 0) {
            state.SkipWithError(message.c_str());
            break;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input));
    std::error_code ignored;
    if (fs::exists(archive)) state.counters["ratio"] = double(fs::file_size(archive)) / double(input);
    fs::remove_all(root, ignored);
}
BENCHMARK(BM_UnlhaGameDiskBytes)->Unit(benchmark::kMillisecond);
