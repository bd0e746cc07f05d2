#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "TestEnvironment.h"
#include "graphics/Bitmap.h"
#include "graphics/PrismSheet.h"
#include "records/Stream.h"

namespace tarvel::test {

// A palette whose 256 entries give 256 different 5-6-5 colours, so a board pixel tells which
// palette index was drawn (entry 0 stays black).
inline TPalette DistinctPalette() {
    TPalette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = {uint8_t((i & 31) << 3), uint8_t(((i >> 5) & 7) << 2), uint8_t(((i * 7) & 31) << 3), 0};
    return p;
}

// An 8-bit picture of pseudo-random indices from..255 with the distinct palette.
inline TBitmap RandomPicture(int width, int height, uint32_t seed, int from = 1) {
    TBitmap b;
    b.Reset(TPixelFormat::pf8bit, width, height);
    b.Palette() = DistinctPalette();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> index(from, 255);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.ScanLine(y)[x] = uint8_t(index(random));
    return b;
}

inline std::vector<uint8_t> Bytes(const QByteArray& a) {
    return std::vector<uint8_t>(a.begin(), a.end());
}
inline QByteArray QBytes(const std::vector<uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), int(v.size()));
}

// The data of each IDAT chunk of a PNG file, in order.
inline std::vector<std::vector<uint8_t>> IdatChunks(const std::vector<uint8_t>& file) {
    std::vector<std::vector<uint8_t>> chunks;
    for (size_t p = 8; p + 12 <= file.size();) {
        const size_t n =
            size_t(file[p]) << 24 | size_t(file[p + 1]) << 16 | size_t(file[p + 2]) << 8 | file[p + 3];
        if (p + 12 + n > file.size()) break;
        if (std::string(file.begin() + long(p) + 4, file.begin() + long(p) + 8) == "IDAT")
            chunks.emplace_back(file.begin() + long(p) + 8, file.begin() + long(p + 8 + n));
        p += 12 + n;
    }
    return chunks;
}

inline std::string Path(const QString& s) {
    return s.toStdString();
}

} // namespace tarvel::test
