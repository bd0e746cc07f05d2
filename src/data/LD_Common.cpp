#include "LD_Common.h"

#include <algorithm>

namespace tarvel {

namespace {
bool gEditorRunning = false;
} // namespace

bool EditorRunning() {
    return gEditorRunning;
}

void SetEditorRunning(bool running) {
    gEditorRunning = running;
}

void ResizeList(TCatalog& list, int n) {
    if (n < 0) n = 0;
    while (list.Count() > 0 && list.Items(list.Count() - 1)->ID > n)
        list.Delete(list.Items(list.Count() - 1)->ID);
    for (int id = list.Count() + 1; id <= n; ++id)
        list.FindOrCreate(id);
}

namespace RecordTable {

uint8_t Get(const std::vector<uint8_t>& table, int32_t count, int32_t id, uint8_t neutral) {
    if (id < 1 || id > count || static_cast<size_t>(id) > table.size()) return neutral;
    return table[static_cast<size_t>(id - 1)];
}

void Set(std::vector<uint8_t>& table, int32_t count, int32_t id, uint8_t value) {
    if (id < 1 || id > count) return;
    if (static_cast<size_t>(id) > table.size()) return;
    table[static_cast<size_t>(id - 1)] = value;
}

void Resize(std::vector<uint8_t>& table, int32_t& count, int32_t n, uint8_t fill) {
    if (n < 0) n = 0;
    table.resize(static_cast<size_t>(n), fill);
    count = n;
}

void Normalize(std::vector<uint8_t>& table, int32_t& count) {
    int64_t n = std::clamp<int64_t>(count, 0, static_cast<int64_t>(table.size()));
    table.resize(static_cast<size_t>(n));
    count = static_cast<int32_t>(n);
}

void Fit(std::vector<uint8_t>& table, int32_t& count, uint8_t neutral) {
    if (count < 0) count = 0;
    table.resize(static_cast<size_t>(count), neutral);
}

void Trim(std::vector<uint8_t>& table, int32_t& count, uint8_t neutral, int32_t limit) {
    Fit(table, count, neutral);
    // Capped first, then trimmed: the other order can leave a neutral entry at the end, which the
    // next save would cut, so saving twice would not give the same bytes.
    size_t n = table.size();
    if (limit >= 0 && n > static_cast<size_t>(limit)) n = static_cast<size_t>(limit);
    while (n > 0 && table[n - 1] == neutral)
        --n;
    table.resize(n);
    count = static_cast<int32_t>(n);
}

} // namespace RecordTable

uint16_t BlockUInt16(const uint8_t* block, int index) {
    return static_cast<uint16_t>(block[2 * index] | block[2 * index + 1] << 8);
}

void SetBlockUInt16(uint8_t* block, int index, uint16_t value) {
    block[2 * index] = static_cast<uint8_t>(value);
    block[2 * index + 1] = static_cast<uint8_t>(value >> 8);
}

} // namespace tarvel
