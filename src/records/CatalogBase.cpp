#include "CatalogBase.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <typeindex>
#include <unordered_map>

#include "ClipboardPort.h"

namespace tarvel {

static_assert(sizeof(double) == 8, "vkReal fields are 8-byte doubles");

uint32_t ReadVarInt(TMemoryStream& stream) {
    uint32_t result = 0;
    for (;;) {
        uint8_t b = stream.ReadByte();
        result = (result << 7) + (b & 0x7F);
        if (!(b & 0x80)) return result;
    }
}

int VarIntSize(uint32_t value) {
    int count = 1;
    for (int i = 1; i <= 4; ++i)
        if (value >> (7 * i)) count = i + 1;
    return count;
}

void WriteVarInt(TMemoryStream& stream, uint32_t value, bool withLength) {
    int count = VarIntSize(value);
    uint8_t bytes[6];
    int n = 0;
    if (withLength) bytes[n++] = static_cast<uint8_t>(count);
    for (int i = count - 1; i >= 0; --i) {
        uint8_t group = static_cast<uint8_t>((value >> (7 * i)) & 0x7F);
        bytes[n++] = i ? (group | 0x80) : group;
    }
    stream.Write(bytes, static_cast<size_t>(n));
}

std::string ReadVarString(TMemoryStream& stream) {
    uint32_t length = ReadVarInt(stream);
    // A length beyond the stream is a read error before anything is allocated.
    if (length > static_cast<uint64_t>(stream.Remaining())) throw EReadError();
    std::string text(length, '\0');
    stream.ReadBuffer(text.data(), length);
    return text;
}

void WriteVarString(TMemoryStream& stream, const std::string& text) {
    WriteVarInt(stream, static_cast<uint32_t>(text.size()));
    stream.Write(text.data(), text.size());
}

TCatalogVarData& TCatalogVarData::Integer(int32_t* data, int32_t defaultValue, const char* name) {
    Kind = vkInteger;
    Data = data;
    Size = 0;
    DefaultInt = defaultValue;
    Name = name;
    return *this;
}

TCatalogVarData& TCatalogVarData::Boolean(bool* data, bool defaultValue, const char* name) {
    static_assert(sizeof(bool) == 1, "boolean fields are one byte");
    return Boolean(reinterpret_cast<uint8_t*>(data), defaultValue, name);
}

TCatalogVarData& TCatalogVarData::Boolean(uint8_t* data, bool defaultValue, const char* name) {
    Kind = vkBoolean;
    Data = data;
    Size = 1;
    DefaultBool = defaultValue ? 1 : 0;
    Name = name;
    return *this;
}

TCatalogVarData& TCatalogVarData::String(std::string* data, const char* name, bool skipIfEmpty) {
    Kind = vkString;
    Data = data;
    Size = 0;
    SkipIfEmpty = skipIfEmpty;
    Name = name;
    return *this;
}

TCatalogVarData& TCatalogVarData::Block(void* data, int32_t size, const char* name, TFieldForm form) {
    Kind = vkBlock;
    Data = data;
    Size = size;
    Name = name;
    Form = form;
    return *this;
}

TCatalogVarData& TCatalogVarData::Buffer(std::vector<uint8_t>* data, int32_t size, const char* name,
                                         TFieldForm form, int countID) {
    Kind = vkBuffer;
    Data = data;
    Size = size;
    Name = name;
    Form = form;
    CountID = countID;
    return *this;
}

TCatalogVarData& TCatalogVarData::List(TStreamable* data, const char* name) {
    Kind = vkList;
    Data = data;
    Size = 0;
    Name = name;
    return *this;
}

TCatalogVarData& TCatalogVarData::Record(TStreamable* data, const char* name) {
    Kind = vkRecord;
    Data = data;
    Size = 0;
    Name = name;
    return *this;
}

TCatalogVarData& TCatalogVarData::Real(double* data, double defaultValue, const char* name) {
    Kind = vkReal;
    Data = data;
    Size = 8;
    DefaultReal = defaultValue;
    Name = name;
    return *this;
}

TCatalogVarData& TCatalogVarData::ResetTo(int32_t value) {
    HasResetValue = true;
    ResetValue = value;
    return *this;
}

TCatalogVarData& TCatalogVarData::ResetTo(const char* text) {
    ResetText = text;
    return *this;
}

TCatalogVarData& TCatalogVarData::Hidden() {
    Form = TFieldForm::Hidden;
    return *this;
}

namespace {

// A one-byte boolean field is read through a byte so that a stored 2..255 never lands in a
// C++ bool, where it would be undefined; anything but 0 counts as true.
uint8_t booleanByte(const TCatalogVarData& v) {
    return *static_cast<const uint8_t*>(v.Data);
}

bool isAtDefault(const TCatalogVarData& v) {
    switch (v.Kind) {
    case vkNone:
        return true;
    case vkInteger:
        // NoDefaultInt means the field has no default, so even that value is written.
        return v.DefaultInt != NoDefaultInt && *static_cast<const int32_t*>(v.Data) == v.DefaultInt;
    case vkBoolean:
        return (booleanByte(v) != 0) == (v.DefaultBool != 0);
    case vkReal:
        return *static_cast<const double*>(v.Data) == v.DefaultReal;
    case vkString:
        return v.SkipIfEmpty && static_cast<const std::string*>(v.Data)->empty();
    default:
        return false;
    }
}

void writePayload(TMemoryStream& stream, const TCatalogVarData& v, TMemoryStream& temp) {
    switch (v.Kind) {
    case vkInteger:
        WriteVarInt(stream, *static_cast<const int32_t*>(v.Data), true);
        break;
    case vkBlock:
    case vkReal:
        WriteVarInt(stream, static_cast<uint32_t>(v.Size));
        stream.Write(v.Data, static_cast<size_t>(v.Size));
        break;
    case vkBoolean: {
        WriteVarInt(stream, 1u);
        stream.WriteByte(booleanByte(v) ? 1 : 0);
        break;
    }
    case vkBuffer: {
        // Size bytes are written; a buffer shorter than its declared size is padded with zeros
        // rather than read past its end.
        const auto& buffer = *static_cast<const std::vector<uint8_t>*>(v.Data);
        size_t size = v.Size > 0 ? static_cast<size_t>(v.Size) : 0;
        WriteVarInt(stream, static_cast<uint32_t>(size));
        size_t fromBuffer = std::min(size, buffer.size());
        stream.Write(buffer.data(), fromBuffer);
        for (size_t i = fromBuffer; i < size; ++i)
            stream.WriteByte(0);
        break;
    }
    case vkString:
        WriteVarString(stream, *static_cast<const std::string*>(v.Data));
        break;
    case vkList:
    case vkRecord: {
        temp.Clear();
        static_cast<const TStreamable*>(v.Data)->SaveToStream(temp);
        WriteVarInt(stream, static_cast<uint32_t>(temp.Size()));
        stream.Write(temp.Data(), static_cast<size_t>(temp.Size()));
        break;
    }
    case vkNone:
        break;
    }
}

void readPayload(TMemoryStream& stream, TCatalogVarData& v, uint32_t length) {
    switch (v.Kind) {
    case vkInteger: {
        // The varint must end inside its chunk. One that does not (a chunk of length 0, or a last
        // byte that says more follows) would take its value from the next chunk's bytes, so the
        // field keeps its reset value instead, as a block of the wrong length does.
        const uint8_t* payload = stream.Data() + stream.Position();
        uint32_t result = 0;
        for (uint32_t i = 0; i < length; ++i) {
            result = (result << 7) + (payload[i] & 0x7F);
            if (!(payload[i] & 0x80)) {
                *static_cast<int32_t*>(v.Data) = static_cast<int32_t>(result);
                break;
            }
        }
        break;
    }
    case vkBlock:
    case vkBoolean:
    case vkReal:
        if (static_cast<int64_t>(length) == v.Size) {
            if (v.Kind == vkBoolean) {
                uint8_t b = stream.ReadByte();
                *static_cast<uint8_t*>(v.Data) = b ? 1 : 0;
            } else {
                stream.ReadBuffer(v.Data, length);
            }
        }
        break;
    case vkBuffer: {
        auto& buffer = *static_cast<std::vector<uint8_t>*>(v.Data);
        buffer.resize(length);
        stream.ReadBuffer(buffer.data(), length);
        break;
    }
    case vkString: {
        auto& text = *static_cast<std::string*>(v.Data);
        text.resize(length);
        stream.ReadBuffer(text.data(), length);
        break;
    }
    case vkList:
    case vkRecord:
        static_cast<TStreamable*>(v.Data)->LoadFromStream(stream);
        break;
    case vkNone:
        break;
    }
}

void resetField(const TCatalogVarData& v) {
    switch (v.Kind) {
    case vkInteger:
        *static_cast<int32_t*>(v.Data) = v.HasResetValue                ? v.ResetValue
                                         : v.DefaultInt == NoDefaultInt ? 0
                                                                        : v.DefaultInt;
        break;
    case vkBoolean:
        *static_cast<uint8_t*>(v.Data) = v.HasResetValue ? (v.ResetValue ? 1 : 0) : v.DefaultBool;
        break;
    case vkReal:
        *static_cast<double*>(v.Data) = v.DefaultReal;
        break;
    case vkBlock:
        std::memset(v.Data, 0, static_cast<size_t>(std::max(v.Size, 0)));
        if (v.HasResetValue && v.Size >= 1)
            *static_cast<uint8_t*>(v.Data) = static_cast<uint8_t>(v.ResetValue);
        break;
    case vkBuffer:
        static_cast<std::vector<uint8_t>*>(v.Data)->clear();
        break;
    case vkString:
        if (v.ResetText)
            *static_cast<std::string*>(v.Data) = v.ResetText;
        else
            static_cast<std::string*>(v.Data)->clear();
        break;
    case vkList:
    case vkRecord:
        static_cast<TStreamable*>(v.Data)->Reset();
        break;
    case vkNone:
        break;
    }
}

// What a record class describes, found once per class by asking for every field ID.
struct TRecordLayout {
    std::vector<int> ids;
    std::vector<TFieldName> names;
};

const TRecordLayout& layoutOf(const TCatalogBaseItem& record) {
    static std::unordered_map<std::type_index, std::unique_ptr<TRecordLayout>> layouts;
    std::unique_ptr<TRecordLayout>& layout = layouts[std::type_index(typeid(record))];
    if (!layout) {
        layout = std::make_unique<TRecordLayout>();
        auto& self = const_cast<TCatalogBaseItem&>(record);
        for (int id = 1; id <= MaxFieldID; ++id) {
            TCatalogVarData v;
            v.DescribeOnly = true;
            self.DescribeField(id, v, true);
            if (v.Kind == vkNone) continue;
            layout->ids.push_back(id);
            if (v.Name) layout->names.push_back({id, v.Name, v.Form, v.CountID});
        }
    }
    return *layout;
}

} // namespace

const std::vector<TFieldName>& TCatalogBaseItem::FieldNames() const {
    return layoutOf(*this).names;
}

const std::vector<int>& TCatalogBaseItem::FieldIDs() const {
    return layoutOf(*this).ids;
}

void TCatalogBaseItem::Reset() {
    for (int id : FieldIDs()) {
        TCatalogVarData v;
        v.DescribeOnly = true;
        DescribeField(id, v, true);
        resetField(v);
    }
}

void TCatalogBaseItem::SaveToStream(TMemoryStream& stream) const {
    auto* self = const_cast<TCatalogBaseItem*>(this);
    TMemoryStream temp;
    for (int id : FieldIDs()) {
        TCatalogVarData varData;
        self->DescribeField(id, varData, false);
        if (isAtDefault(varData)) continue;
        WriteVarInt(stream, static_cast<uint32_t>(id));
        writePayload(stream, varData, temp);
    }
    stream.WriteByte(0);
}

void TCatalogBaseItem::LoadFromStream(TMemoryStream& stream) {
    Reset();
    TCatalogVarData varData;
    for (;;) {
        uint32_t id = ReadVarInt(stream);
        if (id == 0) break;
        uint32_t length = ReadVarInt(stream);
        int64_t payloadStart = stream.Position();
        // A chunk that runs past the end of the stream is a read error before anything of it is
        // taken, so a huge length in a short file never makes the reader allocate.
        if (length > static_cast<uint64_t>(stream.Remaining())) throw EReadError();
        varData = TCatalogVarData();
        if (id <= static_cast<uint32_t>(MaxFieldID)) DescribeField(static_cast<int>(id), varData, true);
        readPayload(stream, varData, length);
        stream.SetPosition(payloadStart + static_cast<int64_t>(length));
    }
}

void TCatalogBaseItem::Assign(const TCatalogBaseItem& source) {
    TMemoryStream temp;
    source.SaveToStream(temp);
    temp.SetPosition(0);
    LoadFromStream(temp);
}

std::vector<uint8_t> TCatalogBaseItem::SaveToBytes() const {
    TMemoryStream stream;
    SaveToStream(stream);
    return std::move(stream.Bytes());
}

void TCatalogBaseItem::LoadFromBytes(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    LoadFromStream(stream);
}

std::vector<uint8_t> MakeClipboardBlock(const std::vector<uint8_t>& records, uint32_t recordCount) {
    TMemoryStream block;
    block.WriteUInt32LE(static_cast<uint32_t>(records.size()));
    block.WriteUInt32LE(recordCount);
    block.Write(records.data(), records.size());
    return std::move(block.Bytes());
}

bool ParseClipboardBlock(const std::vector<uint8_t>& block, uint32_t& recordCount, TMemoryStream& records) {
    if (block.size() < 8) return false;
    TMemoryStream header(block.data(), 8);
    uint32_t size = header.ReadUInt32LE();
    recordCount = header.ReadUInt32LE();
    if (size > block.size() - 8) return false;
    records = TMemoryStream(block.data() + 8, size);
    return true;
}

void TCatalogBaseItem::CopyToClipboard(int format) const {
    Clipboard().set(format, MakeClipboardBlock(SaveToBytes(), 1));
}

bool TCatalogBaseItem::PasteFromClipboard(int format) {
    auto block = Clipboard().get(format);
    if (!block) return false;
    uint32_t count = 0;
    TMemoryStream records;
    if (!ParseClipboardBlock(*block, count, records)) return false;
    LoadFromStream(records);
    return true;
}

} // namespace tarvel
