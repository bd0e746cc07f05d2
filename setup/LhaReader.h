#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Lh5Decoder.h"

namespace tarvel::setup {

// One entry of an LHA archive as its header describes it.
struct LhaEntry {
    std::string path;   // relative, "/" between parts; checked to stay inside its folder
    std::string method; // "-lh0-", "-lh5-", "-lhd-", ...
    bool folder = false;
    uint64_t packedSize = 0;
    uint64_t originalSize = 0;
    uint16_t crc = 0;
    bool hasMode = false;
    uint32_t mode = 0;
    int64_t mtime = 0;
    size_t dataOffset = 0; // where the packed data start in the archive
};

// The entries of an archive written with level-2 headers (the level the editor's archiver
// writes): each header's own CRC is checked, and a path that would leave the folder it is
// extracted into ("..", absolute, empty parts) is refused. Raises LhaError for a damaged or cut
// archive, another header level, or an entry the installer does not make (symbolic links).
std::vector<LhaEntry> ReadLhaDirectory(const uint8_t* archive, size_t size);

// The entry's original bytes (stored, or -lh4- to -lh7-), in order; their CRC-16 is checked at
// the end. Raises LhaError for an unknown method, damaged data or a wrong CRC.
void DecodeLhaEntry(const uint8_t* archive, size_t size, const LhaEntry& entry, const ByteReceiver& receive);

// Extracts every entry under folder (made when missing). Files are written through a temporary
// file and a rename and take the permission bits stored for them (never set-id bits); folders
// are made as they come. progress is told about each entry before it is written and may stop the
// extraction by returning false (what was written stays). Returns false when stopped. Raises
// LhaError for a damaged archive and std::runtime_error when a file cannot be written; nothing
// is written before the whole directory has been read.
using ExtractProgress = std::function<bool(size_t index, size_t count, const LhaEntry& entry)>;
bool ExtractLhaArchive(const uint8_t* archive, size_t size, const std::string& folder,
                       const ExtractProgress& progress = {});

} // namespace tarvel::setup
