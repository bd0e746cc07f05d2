#include "DiskSplit.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "records/Stream.h"

namespace tarvel {

int SplitFileForDisks(const std::string& file, const std::string& folder, int64_t firstSize, int64_t pieceSize) {
    namespace fs = std::filesystem;
    if (firstSize <= 0 || pieceSize <= 0) throw EFileError("Invalid piece size for \"" + file + "\"");
    std::ifstream in(file, std::ios::binary);
    if (!in) throw EFileError("Cannot open file \"" + file + "\"");
    std::string stem = fs::path(file).stem().string();
    int count = 0;
    std::vector<char> buffer;
    for (;;) {
        int64_t want = count == 0 ? firstSize : pieceSize;
        buffer.resize(static_cast<size_t>(want));
        in.read(buffer.data(), want);
        std::streamsize got = in.gcount();
        if (got <= 0) break;
        ++count;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%.3d", count);
        fs::path piece = fs::path(folder) / (stem + suffix);
        WriteFileAtomically(piece.string(), reinterpret_cast<const uint8_t*>(buffer.data()),
                            static_cast<size_t>(got));
        if (got < want) break;
    }
    if (in.bad()) throw EFileError("Cannot read file \"" + file + "\"");
    return count;
}

} // namespace tarvel
