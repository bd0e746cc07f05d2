#pragma once

// The chunk encoding that every project file uses: numbered fields carrying their own lengths,
// ended by a zero. A record only answers "which variable of mine is field N"; this base does all
// reading, writing, copying and clipboard transfer from those answers.

#include <cstdint>
#include <string>
#include <vector>

#include "Stream.h"

namespace tarvel {

enum TVarKind : uint8_t {
    vkInteger = 0,
    vkBlock = 1,
    vkBuffer = 2,
    vkString = 3,
    vkList = 4,
    vkRecord = 5,
    vkBoolean = 6,
    vkReal = 7,
    vkNone = 8,
};

// The largest 32-bit signed value: an integer field with this default is always written.
constexpr int32_t NoDefaultInt = 2147483647;
// Field IDs 1..999 are asked for; 1000 never is.
constexpr int MaxFieldID = 999;

// A varint: 1..5 bytes, 7 bits each, most significant group first, bit 7 set on all but the last.
uint32_t ReadVarInt(TMemoryStream& stream);
// Writes the varint; with withLength a byte holding the varint's byte count (1..5) comes first.
void WriteVarInt(TMemoryStream& stream, uint32_t value, bool withLength = false);
inline void WriteVarInt(TMemoryStream& stream, int32_t value, bool withLength = false) {
    WriteVarInt(stream, static_cast<uint32_t>(value), withLength);
}
// Bytes the varint of this value takes (1..5).
int VarIntSize(uint32_t value);

// A counted string: a varint byte length and the bytes, no terminator.
std::string ReadVarString(TMemoryStream& stream);
void WriteVarString(TMemoryStream& stream, const std::string& text);

// Anything that reads and writes itself in the chunk encoding (a record or a record list), so
// that records and lists can be nested in each other.
class TStreamable {
public:
    virtual ~TStreamable() = default;
    virtual void LoadFromStream(TMemoryStream& stream) = 0;
    virtual void SaveToStream(TMemoryStream& stream) const = 0;
    // Back to the state of a new one: a record to its defaults, a list to no items.
    virtual void Reset() = 0;
};

// How a field appears in the plain-text (JSON) form of a record.
enum class TFieldForm : uint8_t {
    Default,     // by its kind: number, true/false, text, object (vkRecord), array of objects (vkList)
    Bytes,       // a vkBlock or vkBuffer as an array of unsigned bytes
    Int16Array,  // a vkBlock or vkBuffer as an array of signed 16-bit little-endian values
    UInt16Array, // ... of unsigned 16-bit values
    Int32Array,  // ... of signed 32-bit values
    Hidden,      // not shown: the record presents the data under another key of its own
};

// Everything there is to know about one field of a record, told by the record's DescribeField:
// its kind and variable, the default a save leaves out, the value a reset gives it, and its name
// in the plain-text form. A single descriptor is reused for every field ID of a record. A field
// is stated once, in DescribeField; reading, writing, resetting, copying and the plain-text form
// all come from there.
struct TCatalogVarData {
    TVarKind Kind = vkNone;
    // The record's variable: int32_t* (vkInteger), a raw block of Size bytes (vkBlock),
    // std::vector<uint8_t>* (vkBuffer), std::string* (vkString), TStreamable* (vkList,
    // vkRecord), uint8_t* or bool* of one byte (vkBoolean), double* (vkReal).
    void* Data = nullptr;
    int32_t Size = 0;
    int32_t DefaultInt = 0;
    uint8_t DefaultBool = 0;
    double DefaultReal = 0.0;
    bool SkipIfEmpty = false;
    // The value a reset gives an integer, boolean or one-byte block field when it is not the
    // default (an integer that is always written, a block whose neutral value is not 0), and the
    // text a reset gives a string field (nullptr: empty).
    bool HasResetValue = false;
    int32_t ResetValue = 0;
    const char* ResetText = nullptr;
    // The plain-text name (nullptr: the field has none) and form. For a vkBuffer table whose
    // entry count is a field of its own (a party size, a condition count): that field's ID. The
    // plain-text form shows only the table and sets the count from the table's length, so the two
    // can never disagree.
    const char* Name = nullptr;
    TFieldForm Form = TFieldForm::Default;
    int CountID = 0;
    // Set while the base only asks what the field is (its kind, name and reset value), not to
    // read or write it: a record that does work while describing a field for a load or a save
    // (checking a size against the file, fitting a layer) leaves that work out.
    bool DescribeOnly = false;

    // The field kinds, each with the default that a save compares with and the plain-text name.
    TCatalogVarData& Integer(int32_t* data, int32_t defaultValue, const char* name);
    TCatalogVarData& Boolean(bool* data, bool defaultValue, const char* name);
    TCatalogVarData& Boolean(uint8_t* data, bool defaultValue, const char* name);
    // skipIfEmpty: an empty text is not written.
    TCatalogVarData& String(std::string* data, const char* name, bool skipIfEmpty = true);
    // A fixed block of bytes, always written; a reset fills it with zeros.
    TCatalogVarData& Block(void* data, int32_t size, const char* name, TFieldForm form = TFieldForm::Default);
    // A buffer written with exactly size bytes (padded with zeros); a reset empties it.
    TCatalogVarData& Buffer(std::vector<uint8_t>* data, int32_t size, const char* name,
                            TFieldForm form = TFieldForm::Bytes, int countID = 0);
    TCatalogVarData& List(TStreamable* data, const char* name);
    TCatalogVarData& Record(TStreamable* data, const char* name);
    TCatalogVarData& Real(double* data, double defaultValue, const char* name);
    // A reset value that differs from the default a save compares with.
    TCatalogVarData& ResetTo(int32_t value);
    TCatalogVarData& ResetTo(const char* text);
    // The field is not shown in the plain-text form under its own name.
    TCatalogVarData& Hidden();
};

// The name of a field in the plain-text form (the name the field has in the editor's documents).
struct TFieldName {
    int id;
    const char* name;
    TFieldForm form = TFieldForm::Default;
    // For a vkBuffer table whose entry count is a field of its own: that field's ID.
    int countId = 0;
};

// The base of every serialisable record. It holds no data; derived classes describe their fields.
class TCatalogBaseItem : public TStreamable {
public:
    ~TCatalogBaseItem() override = default;

    // The names of the described fields in ascending ID order, as DescribeField names them.
    virtual const std::vector<TFieldName>& FieldNames() const;
    // The IDs of every field the class describes, ascending.
    const std::vector<int>& FieldIDs() const;

    // Fills the descriptor for field ID, or leaves Kind at vkNone when the ID is no field of this
    // class. forLoad tells the reader from the writer, so that a class may decline a field on
    // save only; a field described for a save must also be described for a load. Every object of
    // a class describes the same fields for a load: the set is found once per class.
    virtual void DescribeField(int id, TCatalogVarData& varData, bool forLoad) = 0;
    // Sets every described field to its reset value: the one ResetTo gives, else an integer,
    // boolean or real to its default, a text, buffer or list to empty, a block to zeros, a nested
    // record to its own reset. A class with state beyond its fields resets that after this.
    void Reset() override;
    // Copies another record of the same class through the encoding (described fields only).
    virtual void Assign(const TCatalogBaseItem& source);
    // Resets, then reads chunks until a field ID of 0. Unknown IDs, fixed-size fields of the
    // wrong length and nested records that read less or more than their chunk are all absorbed.
    void LoadFromStream(TMemoryStream& stream) override;
    // Writes the described fields in ascending ID order, leaving out those at their defaults,
    // then the terminating 00.
    void SaveToStream(TMemoryStream& stream) const override;
    // Loads the record from the clipboard block of the format; false (record untouched) when
    // the clipboard holds no usable block of it.
    virtual bool PasteFromClipboard(int format);
    // Puts the record on the clipboard as one block of the format, replacing its contents.
    virtual void CopyToClipboard(int format) const;

    // The record's bytes in the encoding.
    std::vector<uint8_t> SaveToBytes() const;
    // Loads the record from bytes in the encoding; raises EReadError on a short record.
    void LoadFromBytes(const std::vector<uint8_t>& bytes);
};

// The clipboard block shared by single- and multi-record copies: 32-bit little-endian payload
// size, 32-bit little-endian record count, the records.
std::vector<uint8_t> MakeClipboardBlock(const std::vector<uint8_t>& records, uint32_t recordCount);
// Splits a block into its record count and payload; false when the block is too short for its
// header or for the size its header claims.
bool ParseClipboardBlock(const std::vector<uint8_t>& block, uint32_t& recordCount, TMemoryStream& records);

} // namespace tarvel
