#pragma once

#include <string>

#include "IndexedImage.h"

namespace tarvel::rtp {

// Writes an 8-bit paletted PNG with all 256 palette entries (through a temporary file and a
// rename). Raises std::runtime_error when the file cannot be written.
void SaveIndexedPng(const std::string& path, const IndexedImage& image);

} // namespace tarvel::rtp

namespace tarvel::rtp {
// Reads an 8-bit paletted PNG back (palette and indices unchanged); raises std::runtime_error
// when the file is missing or not paletted.
IndexedImage LoadIndexedPng(const std::string& path);
} // namespace tarvel::rtp
