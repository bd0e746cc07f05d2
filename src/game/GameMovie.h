#pragma once

// What the game needs of a movie file (an AVI): how long it runs and its sound. Its pictures are
// not shown: the game shows black where the movie would play.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::game {

struct TMovieInfo {
    bool valid = false;
    // Length in game frames of 1/60 s.
    int frames = 0;
    // The movie's sound as a WAVE file (empty when it has none, or none in plain PCM).
    std::vector<uint8_t> wave;
};

// Reads the headers and the sound of an AVI file in memory; an unreadable file gives !valid.
TMovieInfo ReadMovieInfo(const std::vector<uint8_t>& bytes);

} // namespace tarvel::game
