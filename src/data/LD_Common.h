#pragma once

// What every data unit shares: the editor-running marker that makes the data code tolerant, the
// typed record lists with their "Invalid ..." messages, and the per-record tables that hold one
// byte per record of another section.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "records/Catalog.h"

namespace tarvel {

// The process-wide marker that the editor's main window sets when it is created. While it is set,
// a database that fails to load keeps what was read and a request for a missing record yields
// none instead of an error; headless tools and tests run without it and see every error.
bool EditorRunning();
void SetEditorRunning(bool running);

// A request for a record that does not exist, made outside the editor ("Invalid Hero").
class EQelDataError : public std::runtime_error {
public:
    explicit EQelDataError(const std::string& what) : std::runtime_error(what) {}
};

// A list fixed to its item class whose accessors by position and by ID follow the editor's rule:
// a missing record is none inside the editor and an error with the list's message outside it.
template <typename Item>
class TQelList : public TCatalogOf<Item> {
public:
    explicit TQelList(const char* invalidMessage) : mInvalidMessage(invalidMessage) {}

    Item* ByIndex(int index) const { return Checked(TCatalogOf<Item>::Items(index)); }
    Item* ByID(int32_t id) const { return Checked(TCatalogOf<Item>::Find(id)); }
    const char* InvalidMessage() const { return mInvalidMessage; }

protected:
    Item* Checked(Item* item) const {
        if (!item && !EditorRunning()) throw EQelDataError(mInvalidMessage);
        return item;
    }

private:
    const char* mInvalidMessage;
};

// Sets a dense list to n records: default records for the IDs from Count + 1 to n, or the
// records above n deleted.
void ResizeList(TCatalog& list, int n);

// The number of conditions and attributes in the database, for the per-record tables that are
// capped at them before a save; -1 while no database exists (then nothing is capped).
int32_t DataBaseConditionCount();
int32_t DataBaseAttributeCount();

// A table of one byte per record of another section (a condition or attribute rank, an "equip"
// flag), indexed by that record's ID - 1 and stored as a count chunk and a buffer chunk. Entries
// outside the table read as the table's neutral value.
namespace RecordTable {

// The entry for a record ID; the neutral value outside 1..count or beyond the buffer.
uint8_t Get(const std::vector<uint8_t>& table, int32_t count, int32_t id, uint8_t neutral);
// Stores the entry for a record ID; ignored outside 1..count.
void Set(std::vector<uint8_t>& table, int32_t count, int32_t id, uint8_t value);
// Re-sizes the table to n entries (none below 0), filling new entries with fill.
void Resize(std::vector<uint8_t>& table, int32_t& count, int32_t n, uint8_t fill);
// After a load: a count and a buffer read from a file need not agree. The table becomes the part
// of the buffer that the count covers; a count beyond the buffer is cut to it (those entries read
// as neutral either way), so a huge count in a short file never makes anything allocate.
void Normalize(std::vector<uint8_t>& table, int32_t& count);
// Before a save: the count must describe the buffer that is written; entries the buffer lacks
// are filled with the neutral value.
void Fit(std::vector<uint8_t>& table, int32_t& count, uint8_t neutral);
// Before a save: caps the table at limit entries (limit < 0: no cap, when there is no database to
// compare with) and cuts the trailing neutral entries.
void Trim(std::vector<uint8_t>& table, int32_t& count, uint8_t neutral, int32_t limit);

} // namespace RecordTable

// Reads and writes a 16-bit little-endian entry of a raw block; the block holds count entries.
uint16_t BlockUInt16(const uint8_t* block, int index);
void SetBlockUInt16(uint8_t* block, int index, uint16_t value);

} // namespace tarvel
