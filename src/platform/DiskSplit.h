#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

// Cuts a file into pieces for floppy disks: piece 1 takes firstSize bytes, every further piece
// pieceSize bytes (the last one what is left). Piece k is written into folder as the file's name
// with its extension replaced by "." and k in three digits ("Game.lzh" -> "Game.001").
// Returns the number of pieces, 0 for an empty file. Raises EFileError when a file cannot be read
// or written.
int SplitFileForDisks(const std::string& file, const std::string& folder, int64_t firstSize, int64_t pieceSize);

} // namespace tarvel
