#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tarvel {

// Writes a truecolour PNG of any size band by band, never holding the whole picture: the rows
// arrive as 5-6-5 pixels (as a board holds them), and each band is widened to 8 bits a channel,
// filtered row by row (rows that repeat cells stay unfiltered, others take the filter that leaves
// the smallest differences) and
// compressed on a worker thread into deflate blocks of its own. The blocks are joined in order into
// one zlib stream, the way parallel gzip tools join theirs: every band but the last ends on a byte
// boundary, each is primed with the data just before it so nothing is lost at the seams, and the
// checksums of the bands are joined with adler32_combine. So all cores compress at once and the
// memory held is that of a few bands, whatever the picture's size.
//
// This is the writer of pictures that tools export; pictures stored in a project go through
// WritePngStream, whose bytes never change.
class TPngBandWriter {
public:
    struct Options {
        // zlib's compression level and strategy. On map pictures level 3 leaves files well below
        // those of other map tools at the default level, for about the work of level 1.
        int level = 3;
        int strategy = 0;
        // The width of the cells the picture is drawn from, in pixels.
        int cellPixels = 16;
        // Bands compressed at once; 0 means one per core.
        int threads = 0;
        // Rows a band holds; 0 means BandRows of the width.
        int bandRows = 0;
    };

    // Starts the file: it is written under a temporary name beside fileName and renamed over it
    // by Finish, so a failure never leaves a half-written picture. Raises EFileError when the
    // file cannot be made.
    TPngBandWriter(const std::string& fileName, int width, int height);
    TPngBandWriter(const std::string& fileName, int width, int height, const Options& options);
    // Without Finish, the temporary file is removed.
    ~TPngBandWriter();
    TPngBandWriter(const TPngBandWriter&) = delete;
    TPngBandWriter& operator=(const TPngBandWriter&) = delete;

    // The next rows of the picture, top down: row r of the band starts at
    // pixels + r * stridePixels and holds width 5-6-5 pixels.
    void AddRows(const uint16_t* pixels, int stridePixels, int rows);
    // Writes what is still compressing and the end of the file, then renames it into place.
    // Raises EFileError on a write failure, std::logic_error when rows are missing.
    void Finish();

    // Rows per band for a picture of this width: enough for each band to be worth a thread.
    static int BandRows(int width);

    // One band as a worker hands it back: its deflate blocks, the checksum and length of its
    // filtered bytes, and whether it ends the stream.
    struct Band {
        std::vector<uint8_t> compressed;
        uint32_t adler = 1;
        size_t length = 0;
        bool last = false;
        std::vector<uint16_t> pixels; // the band's pixel memory, handed back for reuse
    };

private:
    struct Task {
        std::function<Band()> run;
        std::promise<Band> result;
    };

    void work();
    void submit(bool last);
    void writeOldest();
    void writeChunk(const char* type, const uint8_t* data, size_t length);
    void writeBytes(const void* data, size_t length);

    std::string mFileName, mTempName;
    std::FILE* mFile = nullptr;
    int mWidth, mHeight;
    Options mOptions;
    int mThreads = 1;
    int mRowsAdded = 0;
    size_t mBandRows;
    // Rows waiting to form the next band, after the rows of the band before it that the next one
    // needs as its context (the row above for filtering, and enough rows to prime the compressor).
    std::vector<uint16_t> mPending;
    int mContextRows = 0;
    int mPendingRows = 0;
    std::vector<uint16_t> mSpare;
    std::deque<std::future<Band>> mInFlight;
    // The workers and the bands waiting for one.
    std::vector<std::thread> mWorkers;
    std::mutex mQueueMutex;
    std::condition_variable mWake;
    std::deque<std::unique_ptr<Task>> mQueue;
    bool mStopping = false;
    uint32_t mAdler = 1;
    bool mHeaderWritten = false;
    bool mFinished = false;
};

} // namespace tarvel
