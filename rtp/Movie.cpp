#include "Movie.h"

#include <cstring>

namespace tarvel::rtp {

namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
void fourcc(std::vector<uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

// Appends a chunk (id, size, data, pad byte) and returns the offset of its id.
size_t chunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& data) {
    size_t at = out.size();
    fourcc(out, id);
    put32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() & 1) out.push_back(0);
    return at;
}

std::vector<uint8_t> list(const char* type, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> data;
    fourcc(data, type);
    data.insert(data.end(), body.begin(), body.end());
    return data;
}

} // namespace

std::vector<uint8_t> WriteAvi(const std::vector<IndexedImage>& frames, int fps) {
    const int w = frames.at(0).Width(), h = frames.at(0).Height();
    const int stride = (w + 3) & ~3;
    const uint32_t frameBytes = uint32_t(stride * h);
    const uint32_t count = uint32_t(frames.size());

    std::vector<uint8_t> avih;
    put32(avih, uint32_t(1000000 / fps));
    put32(avih, frameBytes * uint32_t(fps));
    put32(avih, 0);
    put32(avih, 0x10); // has an index
    put32(avih, count);
    put32(avih, 0);
    put32(avih, 1);
    put32(avih, frameBytes);
    put32(avih, uint32_t(w));
    put32(avih, uint32_t(h));
    for (int i = 0; i < 4; ++i)
        put32(avih, 0);

    std::vector<uint8_t> strh;
    fourcc(strh, "vids");
    fourcc(strh, "DIB ");
    put32(strh, 0);
    put16(strh, 0);
    put16(strh, 0);
    put32(strh, 0);
    put32(strh, 1);
    put32(strh, uint32_t(fps));
    put32(strh, 0);
    put32(strh, count);
    put32(strh, frameBytes);
    put32(strh, 0xFFFFFFFFu);
    put32(strh, 0);
    put16(strh, 0);
    put16(strh, 0);
    put16(strh, uint16_t(w));
    put16(strh, uint16_t(h));

    std::vector<uint8_t> strf;
    put32(strf, 40);
    put32(strf, uint32_t(w));
    put32(strf, uint32_t(h)); // positive: rows bottom-up
    put16(strf, 1);
    put16(strf, 8);
    put32(strf, 0); // uncompressed
    put32(strf, frameBytes);
    put32(strf, 0);
    put32(strf, 0);
    put32(strf, 256);
    put32(strf, 0);
    for (const Rgb& c : frames[0].Palette()) {
        strf.push_back(c.b);
        strf.push_back(c.g);
        strf.push_back(c.r);
        strf.push_back(0);
    }

    std::vector<uint8_t> strl;
    chunk(strl, "strh", strh);
    chunk(strl, "strf", strf);
    std::vector<uint8_t> hdrl;
    chunk(hdrl, "avih", avih);
    chunk(hdrl, "LIST", list("strl", strl));

    // The movie data; index offsets count from the "movi" identifier.
    std::vector<uint8_t> movi;
    std::vector<uint8_t> idx;
    for (const IndexedImage& f : frames) {
        std::vector<uint8_t> pixels(frameBytes, 0);
        for (int y = 0; y < h; ++y)
            std::memcpy(&pixels[size_t((h - 1 - y) * stride)], f.Row(y), size_t(w));
        size_t at = chunk(movi, "00db", pixels);
        fourcc(idx, "00db");
        put32(idx, 0x10); // key frame
        put32(idx, uint32_t(at + 4));
        put32(idx, frameBytes);
    }

    std::vector<uint8_t> body;
    fourcc(body, "AVI ");
    chunk(body, "LIST", list("hdrl", hdrl));
    chunk(body, "LIST", list("movi", movi));
    chunk(body, "idx1", idx);
    std::vector<uint8_t> file;
    chunk(file, "RIFF", body);
    return file;
}

} // namespace tarvel::rtp
