#include "PngBandWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <zlib.h>

#include "Adler32.h"
#include "Bitmap.h"
#include "records/Stream.h"

namespace tarvel {

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kWindow = 32768;
// About this many bytes of filtered rows make a band.
constexpr size_t kBandBytes = 1536 * 1024;

void putBE32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

// A 5-6-5 row widened to red, green, blue bytes, each channel's top bits repeated below it (the
// widening every picture of the editor's boards uses).
void widenRow(const uint16_t* in, size_t width, uint8_t* out) {
    for (size_t x = 0; x < width; ++x, out += 3) {
        const unsigned p = in[x], r = p >> 11, g = (p >> 5) & 63, b = p & 31;
        out[0] = uint8_t(r << 3 | r >> 2);
        out[1] = uint8_t(g << 2 | g >> 4);
        out[2] = uint8_t(b << 3 | b >> 2);
    }
}

inline uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return uint8_t(a);
    if (pb <= pc) return uint8_t(b);
    return uint8_t(c);
}

inline unsigned cost(uint8_t v) {
    return v < 128 ? v : 256u - v;
}

// Filters one row of 3-byte pixels into out (filter byte first). A picture drawn from cells repeats
// itself: when most pixels equal the pixel one cell to the left or the one above, the row stays
// unfiltered, since deflate finds those repeats in the plain bytes and filtering would break them
// up. Any other row takes the filter whose differences, taken as signed bytes, add up smallest
// (small differences are what deflate codes shortest). The repeats are counted on the 5-6-5
// pixels the row was widened from (pixels and pixelsAbove, cell pixels apart).
void filterRow(const uint8_t* cur, const uint8_t* up, size_t n, const uint16_t* pixels,
               const uint16_t* pixelsAbove, size_t cell, uint8_t* out) {
    constexpr size_t bpp = 3;
    const size_t width = n / bpp;
    size_t repeats = 0;
    for (size_t x = 0; x < width; ++x)
        repeats += pixels[x] == pixelsAbove[x] || (x >= cell && pixels[x] == pixels[x - cell]);
    int best = 0;
    if (repeats * 2 < width) {
        unsigned sums[5] = {0, 0, 0, 0, 0};
        for (size_t i = 0; i < n; ++i) {
            const int a = i >= bpp ? cur[i - bpp] : 0, b = up[i], c = i >= bpp ? up[i - bpp] : 0;
            const uint8_t x = cur[i];
            sums[0] += cost(x);
            sums[1] += cost(uint8_t(x - a));
            sums[2] += cost(uint8_t(x - b));
            sums[3] += cost(uint8_t(x - ((a + b) >> 1)));
            sums[4] += cost(uint8_t(x - paeth(a, b, c)));
        }
        best = int(std::min_element(sums, sums + 5) - sums);
    }
    out[0] = uint8_t(best);
    uint8_t* f = out + 1;
    switch (best) {
    case 0:
        std::memcpy(f, cur, n);
        break;
    case 1:
        for (size_t i = 0; i < n; ++i)
            f[i] = uint8_t(cur[i] - (i >= bpp ? cur[i - bpp] : 0));
        break;
    case 2:
        for (size_t i = 0; i < n; ++i)
            f[i] = uint8_t(cur[i] - up[i]);
        break;
    case 3:
        for (size_t i = 0; i < n; ++i)
            f[i] = uint8_t(cur[i] - (((i >= bpp ? cur[i - bpp] : 0) + up[i]) >> 1));
        break;
    default:
        for (size_t i = 0; i < n; ++i)
            f[i] = uint8_t(cur[i] - paeth(i >= bpp ? cur[i - bpp] : 0, up[i], i >= bpp ? up[i - bpp] : 0));
        break;
    }
}

// The work of one band: widen and filter its rows (and the context rows before it, which only
// prime the compressor), then compress the band's filtered bytes.
struct BandJob {
    std::vector<uint16_t> pixels; // context rows, then the band's rows
    size_t width = 0;
    int contextRows = 0;
    int rows = 0;
    bool first = false;
    bool last = false;
    int level = 3;
    int strategy = 0;
    size_t cell = 16; // pixels
};

// What a worker thread keeps from band to band: the buffers and the compressor, reset for each
// band (a fresh one would cost its allocation and the page faults of new memory every time).
struct WorkerScratch {
    std::vector<uint8_t> filtered, current, above, out;
    std::vector<uint16_t> noPixels; // the zeros above the picture's first row
    z_stream z{};
    bool ready = false;
    int level = 0, strategy = 0;
    ~WorkerScratch() {
        if (ready) deflateEnd(&z);
    }
    z_stream& deflater(int newLevel, int newStrategy) {
        if (ready && (level != newLevel || strategy != newStrategy)) {
            deflateEnd(&z);
            ready = false;
        }
        if (!ready) {
            z = z_stream{};
            if (deflateInit2(&z, newLevel, Z_DEFLATED, -MAX_WBITS, 8, newStrategy) != Z_OK)
                throw EPictureError("Zlib Error");
            ready = true;
            level = newLevel;
            strategy = newStrategy;
        } else if (deflateReset(&z) != Z_OK) {
            throw EPictureError("Zlib Error");
        }
        return z;
    }
};

TPngBandWriter::Band compressBand(BandJob& job) {
    thread_local WorkerScratch scratch;
    const size_t rowBytes = job.width * 3, rowSize = rowBytes + 1;
    const int total = job.contextRows + job.rows;
    scratch.filtered.resize(size_t(total) * rowSize);
    scratch.current.resize(rowBytes);
    scratch.above.assign(rowBytes, 0);
    scratch.noPixels.assign(job.width, 0);
    for (int r = 0; r < total; ++r) {
        widenRow(job.pixels.data() + size_t(r) * job.width, job.width, scratch.current.data());
        // The first context row is only the row above the next; the picture's first row has zeros
        // above it.
        if (r > 0 || job.first)
            filterRow(scratch.current.data(), scratch.above.data(), rowBytes,
                      job.pixels.data() + size_t(r) * job.width,
                      r > 0 ? job.pixels.data() + size_t(r - 1) * job.width : scratch.noPixels.data(),
                      job.cell, scratch.filtered.data() + size_t(r) * rowSize);
        std::swap(scratch.current, scratch.above);
    }

    TPngBandWriter::Band band;
    const uint8_t* data = scratch.filtered.data() + size_t(job.contextRows) * rowSize;
    band.length = size_t(job.rows) * rowSize;
    band.last = job.last;
    band.adler = Adler32(1, data, band.length);

    z_stream& z = scratch.deflater(job.level, job.strategy);
    // The filtered rows just before the band, as the single stream would have them in its window.
    const size_t context =
        job.first ? 0 : std::min(kWindow, size_t(std::max(job.contextRows - 1, 0)) * rowSize);
    if (context > 0 && deflateSetDictionary(&z, data - context, uInt(context)) != Z_OK)
        throw EPictureError("Zlib Error");
    scratch.out.resize(deflateBound(&z, uLong(band.length)) + 16);
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(band.length);
    z.next_out = scratch.out.data();
    z.avail_out = uInt(scratch.out.size());
    // Every band but the last ends with an empty stored block, so the next starts on a byte.
    const int result = deflate(&z, job.last ? Z_FINISH : Z_SYNC_FLUSH);
    if (result != (job.last ? Z_STREAM_END : Z_OK) || z.avail_in != 0) throw EPictureError("Zlib Error");
    band.compressed.assign(scratch.out.data(), z.next_out);
    // The pixels go back to the writer, which fills them with a later band.
    band.pixels = std::move(job.pixels);
    return band;
}

} // namespace

int TPngBandWriter::BandRows(int width) {
    return int(std::max<size_t>(1, kBandBytes / (size_t(std::max(width, 1)) * 3 + 1)));
}

TPngBandWriter::TPngBandWriter(const std::string& fileName, int width, int height)
    : TPngBandWriter(fileName, width, height, Options{}) {}

TPngBandWriter::TPngBandWriter(const std::string& fileName, int width, int height, const Options& options)
    : mFileName(fileName), mWidth(width), mHeight(height), mOptions(options) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("a PNG needs at least one pixel");
    mThreads = options.threads > 0 ? options.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    mBandRows = size_t(options.bandRows > 0 ? options.bandRows : BandRows(width));
    mTempName = fileName + ".tmp-" + std::to_string(reinterpret_cast<uintptr_t>(this));
    mFile = std::fopen(mTempName.c_str(), "wb");
    if (!mFile) throw EFileError("Cannot create file \"" + fileName + "\"");
    mPending.reserve((mBandRows + 8) * size_t(width));
    for (int i = 0; i < mThreads; ++i)
        mWorkers.emplace_back([this] { work(); });

    writeBytes(kSignature, 8);
    uint8_t header[13];
    putBE32(header, uint32_t(width));
    putBE32(header + 4, uint32_t(height));
    header[8] = 8;  // bits a channel
    header[9] = 2;  // truecolour
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filtering
    header[12] = 0; // not interlaced
    writeChunk("IHDR", header, 13);
}

TPngBandWriter::~TPngBandWriter() {
    {
        std::lock_guard<std::mutex> lock(mQueueMutex);
        mStopping = true;
    }
    mWake.notify_all();
    for (std::thread& worker : mWorkers)
        worker.join();
    if (mFile) std::fclose(mFile);
    if (!mFinished) std::remove(mTempName.c_str());
}

void TPngBandWriter::AddRows(const uint16_t* pixels, int stridePixels, int rows) {
    for (int r = 0; r < rows; ++r) {
        if (mRowsAdded == mHeight) throw std::logic_error("more rows than the picture holds");
        const uint16_t* row = pixels + size_t(r) * size_t(stridePixels);
        mPending.insert(mPending.end(), row, row + mWidth);
        ++mPendingRows;
        ++mRowsAdded;
        if (size_t(mPendingRows) == mBandRows && mRowsAdded < mHeight) submit(false);
    }
}

void TPngBandWriter::work() {
    for (;;) {
        std::unique_ptr<Task> task;
        {
            std::unique_lock<std::mutex> lock(mQueueMutex);
            mWake.wait(lock, [this] { return mStopping || !mQueue.empty(); });
            if (mQueue.empty()) return;
            task = std::move(mQueue.front());
            mQueue.pop_front();
        }
        try {
            task->result.set_value(task->run());
        } catch (...) {
            task->result.set_exception(std::current_exception());
        }
    }
}

void TPngBandWriter::submit(bool last) {
    auto task = std::make_unique<Task>();
    auto job = std::make_shared<BandJob>();
    job->width = size_t(mWidth);
    job->contextRows = mContextRows;
    job->rows = mPendingRows;
    job->first = mRowsAdded == mPendingRows;
    job->last = last;
    job->level = mOptions.level;
    job->strategy = mOptions.strategy;
    job->cell = size_t(std::max(mOptions.cellPixels, 1));
    job->pixels = std::move(mPending);
    task->run = [job] { return compressBand(*job); };

    // The next band keeps the rows it needs before it: one row above, and enough filtered rows to
    // fill the compressor's window. Its pixels go into memory an earlier band gave back.
    const size_t rowSize = size_t(mWidth) * 3 + 1;
    const int keep = std::min(mPendingRows + mContextRows, int((kWindow + rowSize - 1) / rowSize) + 1);
    mPending = std::move(mSpare);
    mPending.assign(job->pixels.end() - ptrdiff_t(size_t(keep) * size_t(mWidth)), job->pixels.end());
    mContextRows = keep;
    mPendingRows = 0;

    while (int(mInFlight.size()) > mThreads)
        writeOldest();
    mInFlight.push_back(task->result.get_future());
    {
        std::lock_guard<std::mutex> lock(mQueueMutex);
        mQueue.push_back(std::move(task));
    }
    mWake.notify_one();
}

void TPngBandWriter::writeOldest() {
    Band band = mInFlight.front().get();
    mInFlight.pop_front();
    if (band.pixels.capacity() > mSpare.capacity()) mSpare = std::move(band.pixels);
    std::vector<uint8_t>& bytes = band.compressed;
    if (!mHeaderWritten) {
        // The zlib header: deflate with a 32K window, the level named in the flags.
        const int level = mOptions.level < 0 ? 6 : mOptions.level;
        const int flags = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
        uint8_t head[2] = {0x78, uint8_t(flags << 6)};
        head[1] = uint8_t(head[1] + 31 - (head[0] * 256 + head[1]) % 31);
        bytes.insert(bytes.begin(), head, head + 2);
        mHeaderWritten = true;
    }
    mAdler = uint32_t(adler32_combine(mAdler, band.adler, z_off_t(band.length)));
    if (band.last) {
        uint8_t tail[4];
        putBE32(tail, mAdler);
        bytes.insert(bytes.end(), tail, tail + 4);
    }
    if (!bytes.empty()) writeChunk("IDAT", bytes.data(), bytes.size());
}

void TPngBandWriter::Finish() {
    if (mFinished) return;
    if (mRowsAdded != mHeight) throw std::logic_error("the picture's rows are not all there");
    submit(true);
    while (!mInFlight.empty())
        writeOldest();
    writeChunk("IEND", nullptr, 0);
    const bool failed = std::fflush(mFile) != 0 || std::ferror(mFile);
    std::fclose(mFile);
    mFile = nullptr;
    if (failed || std::rename(mTempName.c_str(), mFileName.c_str()) != 0) {
        std::remove(mTempName.c_str());
        throw EFileError("Cannot write file \"" + mFileName + "\"");
    }
    mFinished = true;
}

void TPngBandWriter::writeBytes(const void* data, size_t length) {
    if (length && std::fwrite(data, 1, length, mFile) != length)
        throw EFileError("Cannot write file \"" + mFileName + "\"");
}

void TPngBandWriter::writeChunk(const char* type, const uint8_t* data, size_t length) {
    uint8_t head[8];
    putBE32(head, uint32_t(length));
    std::memcpy(head + 4, type, 4);
    writeBytes(head, 8);
    writeBytes(data, length);
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
    if (length) crc = crc32(crc, data, uInt(length));
    uint8_t tail[4];
    putBE32(tail, uint32_t(crc));
    writeBytes(tail, 4);
}

} // namespace tarvel
