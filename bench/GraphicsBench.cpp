// Pictures and drawing: our PNG codec against libpng on the same pictures (the counter
// "time_vs_libpng" is our time divided by libpng's: below 1 we are faster), blitting throughput in
// pixels per second, and drawing every cell of a 500 x 500 two-layer map at each cell size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <random>
#include <setjmp.h>
#include <time.h>
#include <unistd.h>

#include "graphics/GR_ChipSet.h"
#include "graphics/PictureFile.h"
#include "graphics/PrismPng.h"
#include "graphics/PrismSheet.h"

using namespace tarvel;

namespace {

using Clock = std::chrono::steady_clock;

// Pictures with the texture of real material: cells of patterns and gradients over a limited
// palette, with some noise, so that they compress as drawn pictures do.
TBitmap makeIndexed(int width, int height, uint32_t seed) {
    TBitmap b;
    b.Reset(TPixelFormat::pf8bit, width, height);
    std::mt19937 random(seed);
    for (int i = 0; i < 256; ++i)
        b.Palette()[i] = {uint8_t(random()), uint8_t(random()), uint8_t(random()), 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int cx = x / 16, cy = y / 16, px = x % 16, py = y % 16;
            int index = (cx * 7 + cy * 13) % 200 + (px * px / 8 + py * 3 + cx) % 24;
            if (random() % 10 == 0) index = int(random() % 256);
            if ((cx + cy) % 5 == 0 && px < 4) index = 0; // transparent parts, as chips have
            b.ScanLine(y)[x] = uint8_t(index);
        }
    return b;
}

TBitmap makeTrueColour(int width, int height, uint32_t seed) {
    TBitmap b;
    b.Reset(TPixelFormat::pf24bit, width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = b.ScanLine(y) + x * 3;
            p[0] = uint8_t(x * 255 / width + random() % 8);
            p[1] = uint8_t(y * 255 / height + random() % 8);
            p[2] = uint8_t((x + y) / 4 + random() % 8);
        }
    return b;
}

// ---- libpng, fed and drained in memory ---------------------------------------------------------

struct MemoryReader {
    const std::vector<uint8_t>* bytes;
    size_t position;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader->position + length > reader->bytes->size()) png_error(png, "read past end");
    std::memcpy(out, reader->bytes->data() + reader->position, length);
    reader->position += length;
}

void writeToMemory(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// Decodes to the same result our reader gives: indices with a palette, or blue-green-red rows.
void libpngDecode(const std::vector<uint8_t>& file, TBitmap& bitmap) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw std::runtime_error("libpng failed");
    }
    MemoryReader reader{&file, 0};
    png_set_read_fn(png, &reader, readFromMemory);
    png_read_info(png, info);
    const int width = int(png_get_image_width(png, info)), height = int(png_get_image_height(png, info));
    const bool indexed = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE;
    if (!indexed) png_set_bgr(png);
    bitmap.Reset(indexed ? TPixelFormat::pf8bit : TPixelFormat::pf24bit, width, height);
    if (indexed) {
        png_colorp palette = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &palette, &count);
        for (int i = 0; i < count; ++i)
            bitmap.Palette()[i] = {palette[i].red, palette[i].green, palette[i].blue, 0};
    }
    for (int y = 0; y < height; ++y)
        png_read_row(png, bitmap.ScanLine(y), nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
}

// Encodes as our writer does: no filtering, the default compression level, a 256-entry palette.
std::vector<uint8_t> libpngEncode(const TBitmap& bitmap) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng failed");
    }
    png_set_write_fn(png, &out, writeToMemory, flushNothing);
    const bool indexed = bitmap.PixelFormat() == TPixelFormat::pf8bit;
    png_set_IHDR(png, info, png_uint_32(bitmap.Width()), png_uint_32(bitmap.Height()), 8,
                 indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_color palette[256];
    if (indexed) {
        for (int i = 0; i < 256; ++i)
            palette[i] = {bitmap.Palette()[i].red, bitmap.Palette()[i].green, bitmap.Palette()[i].blue};
        png_set_PLTE(png, info, palette, 256);
    }
    png_write_info(png, info);
    if (!indexed) png_set_bgr(png);
    for (int y = 0; y < bitmap.Height(); ++y)
        png_write_row(png, bitmap.ScanLine(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> ourEncode(const TBitmap& bitmap) {
    TMemoryStream stream;
    WritePngStream(bitmap, stream);
    return std::move(stream.Bytes());
}

const TBitmap& picture(int which) {
    static const TBitmap chipset = makeIndexed(480, 256, 1);
    static const TBitmap indexed = makeIndexed(640, 480, 2);
    static const TBitmap trueColour = makeTrueColour(640, 480, 3);
    return which == 0 ? chipset : which == 1 ? indexed : trueColour;
}

const char* pictureName(int which) {
    return which == 0   ? "chipset 480x256 8-bit"
           : which == 1 ? "picture 640x480 8-bit"
                        : "picture 640x480 24-bit";
}

// Times one run of ours and one of libpng's, one after the other, so that a change of the machine's
// load (other programs share its cores) weighs on both alike. Both codecs run on this one thread,
// so their times are the thread's processor time, which does not count the moments the thread
// waited for a core. The benchmark's time is ours; the counter is the median of our times over the
// median of libpng's, which a burst of load on a few runs does not move.
class AgainstLibpng {
public:
    template <typename F>
    static double time(F work) {
        const double start = threadSeconds();
        work();
        return threadSeconds() - start;
    }
    template <typename Ours, typename Theirs>
    void iteration(benchmark::State& state, Ours ours, Theirs theirs) {
        const double o = time(ours);
        state.SetIterationTime(o);
        mOurs.push_back(o);
        mTheirs.push_back(time(theirs));
    }
    void report(benchmark::State& state) {
        const double theirs = median(mTheirs);
        state.counters["time_vs_libpng"] = theirs > 0 ? median(mOurs) / theirs : 0;
        state.counters["libpng_us"] = theirs * 1e6;
        state.counters["ours_us"] = median(mOurs) * 1e6;
    }

private:
    static double threadSeconds() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }
    static double median(std::vector<double>& times) {
        if (times.empty()) return 0;
        std::nth_element(times.begin(), times.begin() + ptrdiff_t(times.size() / 2), times.end());
        return times[times.size() / 2];
    }
    std::vector<double> mOurs, mTheirs;
};

} // namespace

static void BM_PngDecodePixels(benchmark::State& state) {
    const TBitmap& source = picture(int(state.range(0)));
    const std::vector<uint8_t> file = ourEncode(source);
    TBitmap decoded, theirs;
    AgainstLibpng against;
    for (auto _ : state) {
        against.iteration(
            state,
            [&] {
                TMemoryStream stream(file);
                ReadPngStream(decoded, stream);
                benchmark::DoNotOptimize(decoded.ScanLine(0));
            },
            [&] { libpngDecode(file, theirs); });
    }
    state.SetLabel(pictureName(int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * source.Width() * source.Height());
    against.report(state);
    if (std::memcmp(theirs.ScanLine(source.Height() - 1), decoded.ScanLine(source.Height() - 1),
                    decoded.RowBytes()))
        state.SkipWithError("libpng decoded other pixels");
}
BENCHMARK(BM_PngDecodePixels)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseManualTime();

static void BM_PngEncodePixels(benchmark::State& state) {
    const TBitmap& source = picture(int(state.range(0)));
    size_t size = 0, theirSize = 0;
    AgainstLibpng against;
    for (auto _ : state) {
        against.iteration(
            state,
            [&] {
                const auto bytes = ourEncode(source);
                size = bytes.size();
                benchmark::DoNotOptimize(bytes.data());
            },
            [&] { theirSize = libpngEncode(source).size(); });
    }
    state.SetLabel(pictureName(int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * source.Width() * source.Height());
    state.counters["file_bytes"] = double(size);
    state.counters["libpng_file_bytes"] = double(theirSize);
    against.report(state);
}
BENCHMARK(BM_PngEncodePixels)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseManualTime();

namespace {

// Mode 0 opaque, 1 transparent (index 0 skipped), 2 blended at opacity 128.
void prepareSheet(TPrismSheet& sheet, int mode) {
    sheet.SetAutoSize(true);
    sheet.LoadFromBitmap(picture(0));
    sheet.SetTransparent(mode == 1);
    sheet.SetOpacity(mode == 2 ? 128 : 255);
}

const char* modeName(int mode) {
    return mode == 0 ? "opaque" : mode == 1 ? "transparent" : "blended";
}

} // namespace

static void BM_DrawSheetPixels(benchmark::State& state) {
    TPrismSheet sheet;
    prepareSheet(sheet, int(state.range(0)));
    TPrismBoard board;
    board.SetSize(640, 480);
    for (auto _ : state) {
        board.DrawSheet(80, 112, sheet.BoundsRect(), sheet);
        benchmark::DoNotOptimize(board.Row(200));
    }
    state.SetLabel(modeName(int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * 480 * 256);
}
BENCHMARK(BM_DrawSheetPixels)->Arg(0)->Arg(1)->Arg(2);

static void BM_StretchDrawSheetPixels(benchmark::State& state) {
    TPrismSheet sheet;
    prepareSheet(sheet, int(state.range(0)));
    TPrismBoard board;
    board.SetSize(960, 512);
    // Doubling, the 32-pixel cells of the map view, and halving, its 8-pixel cells.
    const bool enlarge = state.range(1) == 2;
    const TRect dest = enlarge ? TRect{0, 0, 960, 512} : TRect{0, 0, 240, 128};
    for (auto _ : state) {
        board.StretchDrawSheet(dest, sheet, sheet.BoundsRect());
        benchmark::DoNotOptimize(board.Row(100));
    }
    state.SetLabel(std::string(modeName(int(state.range(0)))) + (enlarge ? ", x2" : ", x1/2"));
    state.SetItemsProcessed(state.iterations() * dest.Width() * dest.Height());
}
BENCHMARK(BM_StretchDrawSheetPixels)->ArgsProduct({{0, 1, 2}, {2, 0}});

namespace {

// A 500 x 500 map as painted maps are: water with its edges and junctions, ground autotiles in
// all variants, plain chips; the upper layer mostly empty with some objects.
struct BenchMap {
    std::vector<int16_t> lower, upper;
    BenchMap() : lower(500 * 500), upper(500 * 500) {
        std::mt19937 random(500);
        for (size_t i = 0; i < lower.size(); ++i) {
            const int roll = int(random() % 100);
            if (roll < 30)
                lower[i] = int16_t(int(random() % 3) * 1000 + int(random() % 16) * 50 + int(random() % 47));
            else if (roll < 55)
                lower[i] = int16_t(4000 + int(random() % 12) * 50 + int(random() % 47));
            else if (roll < 58)
                lower[i] = int16_t(3000 + int(random() % 3) * 50);
            else
                lower[i] = int16_t(5000 + int(random() % 144));
            upper[i] = int16_t(random() % 5 == 0 ? 10001 + int(random() % 143) : 10000);
        }
    }
};

struct MapRenderer {
    TChipSetLook record;
    TQelChipSetGraphic graphic;
    MapRenderer() {
        char folder[] = "/tmp/tarvel-bench-XXXXXX";
        const std::string dir = mkdtemp(folder) ? folder : "/tmp";
        record.graphicName = dir + "/ChipSet.png";
        SavePictureFile(picture(0), record.graphicName);
        graphic.SetChipSet(&record);
        std::remove(record.graphicName.c_str());
        rmdir(dir.c_str());
    }
};

} // namespace

static void BM_DrawMapCells(benchmark::State& state) {
    static const BenchMap map;
    static MapRenderer renderer;
    const int size = int(state.range(0));
    TPrismBoard board;
    board.SetSize(1024, 1024); // the cells wrap around a view-sized board
    const int perRow = 1024 / size;
    for (auto _ : state) {
        for (int y = 0; y < 500; ++y)
            for (int x = 0; x < 500; ++x) {
                const int px = (x % perRow) * size, py = (y % perRow) * size;
                renderer.graphic.SetTransparent(false);
                renderer.graphic.DrawChip(board, px, 0, map.lower[size_t(y * 500 + x)], false, size, py);
                renderer.graphic.SetTransparent(true);
                renderer.graphic.DrawChip(board, px, 0, map.upper[size_t(y * 500 + x)], false, size, py);
            }
        benchmark::DoNotOptimize(board.Row(0));
    }
    state.SetLabel("cell size " + std::to_string(size));
    state.SetItemsProcessed(state.iterations() * 500 * 500);
}
BENCHMARK(BM_DrawMapCells)->Arg(32)->Arg(16)->Arg(8)->Arg(4)->Unit(benchmark::kMillisecond);
