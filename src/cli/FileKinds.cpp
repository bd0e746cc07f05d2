#include "FileKinds.h"

#include <algorithm>
#include <functional>

namespace tarvel::cli {

namespace {

std::vector<const FileKind*>& registry() {
    static std::vector<const FileKind*> kinds;
    return kinds;
}

std::string indent(int depth) {
    return std::string(2 * static_cast<size_t>(depth), ' ');
}

// Writes formatted JSON through a buffer that is handed to the sink whenever it fills, so a dump
// of a large file never holds all of its text at once.
class JsonWriter {
public:
    JsonWriter(const std::function<void(const std::string&)>& sink, JsonRowLength rowLength)
        : mSink(sink), mRowLength(rowLength) {}
    ~JsonWriter() { flush(); }
    void flush() {
        if (!mBuffer.empty()) mSink(mBuffer);
        mBuffer.clear();
    }
    void value(const Json& value, int depth, const Json* owner = nullptr) {
        bool nested = value.is_object() ||
                      (value.is_array() && std::any_of(value.begin(), value.end(), [](const Json& element) {
                           return element.is_object() || element.is_array();
                       }));
        if (!nested || value.empty()) {
            size_t row = value.is_array() && owner && mRowLength ? mRowLength(mKeys, *owner) : 0;
            if (row && value.size() > row)
                rows(value, depth, row);
            else
                put(value.dump());
            return;
        }
        put(value.is_object() ? "{\n" : "[\n");
        size_t i = 0;
        if (value.is_object()) {
            for (auto it = value.begin(); it != value.end(); ++it, ++i) {
                put(indent(depth + 1) + Json(it.key()).dump() + ": ");
                mKeys.push_back(it.key());
                this->value(it.value(), depth + 1, &value);
                mKeys.pop_back();
                put(i + 1 < value.size() ? ",\n" : "\n");
            }
        } else {
            for (const Json& element : value) {
                put(indent(depth + 1));
                this->value(element, depth + 1);
                put(++i < value.size() ? ",\n" : "\n");
            }
        }
        put(indent(depth) + (value.is_object() ? "}" : "]"));
    }
    void put(const std::string& text) {
        mBuffer += text;
        if (mBuffer.size() >= 1 << 16) flush();
    }

private:
    // A table of plain values, row entries to a line.
    void rows(const Json& table, int depth, size_t row) {
        put("[\n");
        for (size_t i = 0; i < table.size(); ++i) {
            bool first = i % row == 0, last = i + 1 == table.size();
            if (first) put(indent(depth + 1));
            put(table[i].dump());
            put(last ? "\n" : (i + 1) % row == 0 ? ",\n" : ", ");
        }
        put(indent(depth) + "]");
    }

    const std::function<void(const std::string&)>& mSink;
    JsonRowLength mRowLength;
    // The object keys from the top to the value being written.
    std::vector<std::string> mKeys;
    std::string mBuffer;
};

} // namespace

const std::vector<const FileKind*>& FileKinds() {
    return registry();
}

RegisterFileKind::RegisterFileKind(const FileKind& kind) {
    registry().push_back(&kind);
}

const FileKind* FileKindOfBytes(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    std::string header;
    try {
        header = ReadVarString(stream);
    } catch (const EReadError&) {
        return nullptr;
    }
    for (const FileKind* kind : registry())
        if (header == kind->header) return kind;
    return nullptr;
}

const FileKind* FileKindNamed(const std::string& name) {
    for (const FileKind* kind : registry())
        if (name == kind->kind) return kind;
    return nullptr;
}

std::string HexBytes(const uint8_t* data, size_t size) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    out.reserve(size * 3);
    for (size_t i = 0; i < size; ++i) {
        if (i) out += ' ';
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

void RawRecordTree(TMemoryStream& stream, TCatalogBaseItem& schema, int depth, std::string& out) {
    for (;;) {
        uint32_t id = ReadVarInt(stream);
        if (id == 0) return;
        uint32_t length = ReadVarInt(stream);
        if (length > static_cast<uint64_t>(stream.Remaining())) throw EReadError();
        int64_t start = stream.Position();
        const uint8_t* payload = stream.Data() + start;
        std::string line = indent(depth) + std::to_string(id) + " " + std::to_string(length);
        TCatalogVarData v;
        if (id <= static_cast<uint32_t>(MaxFieldID)) schema.DescribeField(static_cast<int>(id), v, true);
        bool shown = false;
        if (v.Kind == vkRecord || v.Kind == vkList) {
            // The nested bytes are read on their own, so they can never run into the next chunk.
            std::string nested;
            try {
                TMemoryStream sub(payload, length);
                auto* object = static_cast<TStreamable*>(v.Data);
                if (v.Kind == vkRecord)
                    RawRecordTree(sub, *static_cast<TCatalogBaseItem*>(object), depth + 1, nested);
                else
                    RawListTree(sub, *static_cast<const TCatalog*>(object), depth + 1, nested);
                out += line + "\n" + nested;
                shown = true;
            } catch (const EReadError&) {
                line += " (unreadable)";
            }
        }
        if (!shown) out += line + (length ? " " + HexBytes(payload, length) : std::string()) + "\n";
        stream.SetPosition(start + static_cast<int64_t>(length));
    }
}

void RawListTree(TMemoryStream& stream, const TCatalog& schema, int depth, std::string& out) {
    uint32_t count = ReadVarInt(stream);
    out += indent(depth) + "count " + std::to_string(count) + "\n";
    for (uint32_t i = 0; i < count; ++i) {
        if (stream.Remaining() < 2) throw EReadError();
        int32_t id = static_cast<int32_t>(ReadVarInt(stream));
        out += indent(depth) + "#" + std::to_string(id) + "\n";
        auto item = schema.CreateItem(id);
        RawRecordTree(stream, *item, depth + 1, out);
    }
}

void WriteFormattedJson(const Json& json, const std::function<void(const std::string&)>& sink,
                        JsonRowLength rowLength) {
    JsonWriter writer(sink, rowLength);
    writer.value(json, 0);
    writer.put("\n");
}

std::string FormatJson(const Json& json, JsonRowLength rowLength) {
    std::string out;
    WriteFormattedJson(
        json, [&out](const std::string& text) { out += text; }, rowLength);
    return out;
}

} // namespace tarvel::cli
