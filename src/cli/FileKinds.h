#pragma once

// The project files that dump and build know, each recognised by the counted string it starts
// with and named by the JSON's "kind". A file kind registers itself from its own source file, so
// adding the map-tree and map files touches neither dump nor build.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "JsonRecords.h"

namespace tarvel::cli {

// How many numbers one line of a dumped table holds (a map row, a palette row), for the array at
// this path of object keys (list positions left out: {"chipsets", "Terrain"}) inside its owner
// object; 0 keeps the whole array on one line.
using JsonRowLength = size_t (*)(const std::vector<std::string>& keys, const Json& owner);

struct FileKind {
    const char* kind;   // "database", "maptree", "map"
    const char* header; // "QelDataBase", ...
    // The file as JSON; raises on a file that cannot be read.
    Json (*dump)(const std::string& path);
    // Writes the file the JSON describes (every absent field at its reset value); raises
    // JsonFormatError for JSON that describes no such file.
    void (*build)(const Json& json, const std::string& path);
    // The file's chunk tree as text (see RawChunkTree).
    std::string (*dumpRaw)(const std::vector<uint8_t>& bytes);
    // The rows of the kind's large tables in a dump (none: every table on one line).
    JsonRowLength rowLength = nullptr;
};

const std::vector<const FileKind*>& FileKinds();
struct RegisterFileKind {
    explicit RegisterFileKind(const FileKind& kind);
};
// The kind whose header the bytes start with, or nullptr.
const FileKind* FileKindOfBytes(const std::vector<uint8_t>& bytes);
// The kind of a JSON "kind" value, or nullptr.
const FileKind* FileKindNamed(const std::string& kind);

// The chunk tree of a record or a list, one line per chunk indented by two blanks per level:
// "ID length" followed by the payload in hex for a leaf; a nested record's chunks follow on the
// lines below, a nested list shows "count N" and then "#ID" for each item with its chunks below.
// The schema (a record or list of the kind the bytes hold) tells which chunks nest; a chunk that
// does not read as what its schema says is shown as a leaf and marked "(unreadable)". Raises
// EReadError when the bytes end inside the record itself.
void RawRecordTree(TMemoryStream& stream, TCatalogBaseItem& schema, int depth, std::string& out);
void RawListTree(TMemoryStream& stream, const TCatalog& schema, int depth, std::string& out);
// Bytes as upper-case hex pairs separated by blanks ("02 82 2C").
std::string HexBytes(const uint8_t* data, size_t size);

// JSON laid out for reading and for line-by-line diffs: objects and arrays of objects one member
// per line, arrays of plain values on one line, except tables that rowLength cuts into rows of
// their own (so painting one map cell changes one line).
std::string FormatJson(const Json& json, JsonRowLength rowLength = nullptr);
// The same, handed to the sink piece by piece.
void WriteFormattedJson(const Json& json, const std::function<void(const std::string&)>& sink,
                        JsonRowLength rowLength = nullptr);

} // namespace tarvel::cli
