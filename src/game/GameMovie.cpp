#include "GameMovie.h"

#include <cstring>

namespace tarvel::game {

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    if (at + 4 > b.size()) return 0;
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
    return at + 4 <= b.size() && std::memcmp(b.data() + at, tag, 4) == 0;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

struct Reader {
    explicit Reader(const std::vector<uint8_t>& bytes) : b(bytes) {}
    const std::vector<uint8_t>& b;
    TMovieInfo info;
    int streamIndex = -1;        // the stream being described
    int audioStream = -1;        // the PCM sound stream
    std::vector<uint8_t> format; // its WAVEFORMAT
    std::vector<uint8_t> sound;
    uint32_t microsPerFrame = 0, totalFrames = 0;
    int depth = 0;

    // Walks the chunks between begin and end.
    void walk(size_t begin, size_t end, bool inMovie) {
        if (++depth > 16) return;
        size_t at = begin;
        while (at + 8 <= end && at + 8 <= b.size()) {
            const uint32_t size = U32(b, at + 4);
            const size_t data = at + 8;
            if (size > b.size() - data) return;
            if (Tag(b, at, "LIST") && size >= 4) {
                walk(data + 4, data + size, inMovie || Tag(b, data, "movi"));
            } else if (Tag(b, at, "avih") && size >= 20) {
                microsPerFrame = U32(b, data);
                totalFrames = U32(b, data + 16);
            } else if (Tag(b, at, "strh") && size >= 4) {
                ++streamIndex;
                if (Tag(b, data, "auds") && audioStream < 0) audioStream = streamIndex;
            } else if (Tag(b, at, "strf") && streamIndex == audioStream && audioStream >= 0 && size >= 16) {
                // Plain PCM only (format tag 1).
                if (b[data] == 1 && b[data + 1] == 0)
                    format.assign(b.begin() + long(data), b.begin() + long(data + 16));
                else
                    audioStream = -2;
            } else if (inMovie && audioStream >= 0 && b[at + 2] == 'w' && b[at + 3] == 'b' &&
                       (b[at] - '0') * 10 + (b[at + 1] - '0') == audioStream) {
                sound.insert(sound.end(), b.begin() + long(data), b.begin() + long(data + size));
            }
            at = data + size + (size & 1);
        }
        --depth;
    }
};

} // namespace

TMovieInfo ReadMovieInfo(const std::vector<uint8_t>& bytes) {
    Reader r(bytes);
    if (!Tag(bytes, 0, "RIFF") || !Tag(bytes, 8, "AVI ")) return r.info;
    r.walk(12, bytes.size(), false);
    if (r.microsPerFrame == 0) return r.info;
    r.info.valid = true;
    const uint64_t micros = uint64_t(r.microsPerFrame) * r.totalFrames;
    r.info.frames = int((micros * 60 + 999999) / 1000000);
    if (!r.format.empty() && !r.sound.empty()) {
        std::vector<uint8_t>& w = r.info.wave;
        w.insert(w.end(), {'R', 'I', 'F', 'F'});
        Put32(w, uint32_t(4 + 8 + 16 + 8 + r.sound.size()));
        w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
        Put32(w, 16);
        w.insert(w.end(), r.format.begin(), r.format.end());
        w.insert(w.end(), {'d', 'a', 't', 'a'});
        Put32(w, uint32_t(r.sound.size()));
        w.insert(w.end(), r.sound.begin(), r.sound.end());
    }
    return r.info;
}

} // namespace tarvel::game
