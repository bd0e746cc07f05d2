#pragma once

// Byte sequences written as the hex the file documentation uses ("02 07 01 01 00"), so expected
// encodings read like the tables they come from.

#include <cstdint>
#include <string>
#include <vector>

#include "data/LD_Common.h"
#include "records/CatalogBase.h"

namespace tarvel::test {

using Bytes = std::vector<uint8_t>;

inline Bytes Hex(const std::string& text) {
    Bytes out;
    int high = -1;
    for (char c : text) {
        int v = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                       : -1;
        if (v < 0) continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

inline std::string ToHex(const Bytes& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i) out += ' ';
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

// A record's bytes as hex, for readable failure messages.
inline std::string RecordHex(const TCatalogBaseItem& record) {
    return ToHex(record.SaveToBytes());
}

inline std::string ListHex(const TStreamable& list) {
    TMemoryStream stream;
    list.SaveToStream(stream);
    return ToHex(stream.Bytes());
}

// The top-level chunks of a record as (ID, length) pairs, for records whose bytes are too long to
// spell out.
inline std::vector<std::pair<int, int>> Chunks(const Bytes& record) {
    std::vector<std::pair<int, int>> out;
    TMemoryStream stream(record);
    for (;;) {
        int id = static_cast<int>(ReadVarInt(stream));
        if (!id) break;
        int length = static_cast<int>(ReadVarInt(stream));
        out.emplace_back(id, length);
        stream.SetPosition(stream.Position() + length);
    }
    return out;
}

// Sets the editor-running marker for one scope.
struct EditorRunningScope {
    explicit EditorRunningScope(bool running) : previous(EditorRunning()) { SetEditorRunning(running); }
    ~EditorRunningScope() { SetEditorRunning(previous); }
    bool previous;
};

} // namespace tarvel::test
