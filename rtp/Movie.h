#pragma once

#include <cstdint>
#include <vector>

#include "IndexedImage.h"

namespace tarvel::rtp {

// An AVI file of uncompressed 8-bit frames ("DIB " video, one stream, an index): every frame
// uses the palette of the first. Rows are stored bottom-up and padded to four bytes, as a DIB is.
std::vector<uint8_t> WriteAvi(const std::vector<IndexedImage>& frames, int framesPerSecond);

// The frames of the package's opening movie: dawn over the sea, the sun rising behind a castle.
std::vector<IndexedImage> MakeOpeningFrames();

} // namespace tarvel::rtp
