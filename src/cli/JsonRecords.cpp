#include "JsonRecords.h"

#include <cstring>
#include <limits>

namespace tarvel::cli {

namespace {

const JsonRecordHooks* gHooks = nullptr;

const char* const kHexDigits = "0123456789abcdef";

std::string toHex(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += kHexDigits[c >> 4];
        out += kHexDigits[c & 15];
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void fail(const std::string& path, const std::string& what) {
    throw JsonFormatError((path.empty() ? std::string("(top)") : path) + ": " + what);
}

int64_t integerFrom(const Json& value, const std::string& path, int64_t min, int64_t max) {
    if (!value.is_number_integer()) fail(path, "expected a whole number");
    int64_t n =
        value.is_number_unsigned() ? static_cast<int64_t>(value.get<uint64_t>()) : value.get<int64_t>();
    if (n < min || n > max) fail(path, "number " + std::to_string(n) + " is out of range");
    return n;
}

int elementSize(TFieldForm form) {
    switch (form) {
    case TFieldForm::Int16Array:
    case TFieldForm::UInt16Array:
        return 2;
    case TFieldForm::Int32Array:
        return 4;
    default:
        return 1;
    }
}

Json bytesToJson(const uint8_t* data, size_t size, TFieldForm form) {
    Json array = Json::array();
    int width = elementSize(form);
    for (size_t i = 0; i + static_cast<size_t>(width) <= size; i += static_cast<size_t>(width)) {
        switch (form) {
        case TFieldForm::Int16Array:
            array.push_back(static_cast<int16_t>(data[i] | data[i + 1] << 8));
            break;
        case TFieldForm::UInt16Array:
            array.push_back(static_cast<uint16_t>(data[i] | data[i + 1] << 8));
            break;
        case TFieldForm::Int32Array: {
            uint32_t v = uint32_t(data[i]) | uint32_t(data[i + 1]) << 8 | uint32_t(data[i + 2]) << 16 |
                         uint32_t(data[i + 3]) << 24;
            array.push_back(static_cast<int32_t>(v));
            break;
        }
        default:
            array.push_back(data[i]);
        }
    }
    return array;
}

std::vector<uint8_t> bytesFromJson(const Json& value, TFieldForm form, const std::string& path) {
    if (!value.is_array()) fail(path, "expected an array of numbers");
    std::vector<uint8_t> out;
    int width = elementSize(form);
    out.reserve(value.size() * static_cast<size_t>(width));
    for (size_t i = 0; i < value.size(); ++i) {
        std::string at = path + "[" + std::to_string(i) + "]";
        int64_t n;
        switch (form) {
        case TFieldForm::Int16Array:
            n = integerFrom(value[i], at, std::numeric_limits<int16_t>::min(),
                            std::numeric_limits<int16_t>::max());
            break;
        case TFieldForm::UInt16Array:
            n = integerFrom(value[i], at, 0, std::numeric_limits<uint16_t>::max());
            break;
        case TFieldForm::Int32Array:
            n = integerFrom(value[i], at, std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max());
            break;
        default:
            n = integerFrom(value[i], at, 0, 255);
        }
        for (int b = 0; b < width; ++b)
            out.push_back(static_cast<uint8_t>(static_cast<uint64_t>(n) >> (8 * b)));
    }
    return out;
}

const TFieldName* findName(const std::vector<TFieldName>& names, const std::string& key) {
    for (const auto& n : names)
        if (key == n.name) return &n;
    return nullptr;
}

std::string describePath(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

} // namespace

void SetJsonRecordHooks(const JsonRecordHooks* hooks) {
    gHooks = hooks;
}

bool IsValidUtf8(const std::string& bytes) {
    size_t i = 0, n = bytes.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        int extra;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= n) return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not valid UTF-8.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

Json TextToJson(const std::string& bytes) {
    if (IsValidUtf8(bytes)) return Json(bytes);
    return Json{{"hex", toHex(bytes)}};
}

std::string TextFromJson(const Json& value, const std::string& path) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_object() && value.size() == 1 && value.contains("hex") && value["hex"].is_string()) {
        const std::string hex = value["hex"].get<std::string>();
        if (hex.size() % 2) fail(path, "hex text of odd length");
        std::string out;
        for (size_t i = 0; i < hex.size(); i += 2) {
            int hi = hexValue(hex[i]), lo = hexValue(hex[i + 1]);
            if (hi < 0 || lo < 0) fail(path, "bad hex digit");
            out += static_cast<char>(hi << 4 | lo);
        }
        return out;
    }
    fail(path, "expected text (a string or {\"hex\": ...})");
}

Json RecordToJson(const TCatalogBaseItem& constRecord) {
    auto& record = const_cast<TCatalogBaseItem&>(constRecord);
    Json object = Json::object();
    if (auto* item = dynamic_cast<const TCatalogItem*>(&constRecord)) object["ID"] = item->ID;
    TCatalogVarData v;
    for (const TFieldName& field : record.FieldNames()) {
        if (field.form == TFieldForm::Hidden) continue;
        v = TCatalogVarData();
        record.DescribeField(field.id, v, true);
        switch (v.Kind) {
        case vkInteger:
            object[field.name] = *static_cast<const int32_t*>(v.Data);
            break;
        case vkBoolean:
            object[field.name] = *static_cast<const uint8_t*>(v.Data) != 0;
            break;
        case vkReal:
            object[field.name] = *static_cast<const double*>(v.Data);
            break;
        case vkString:
            object[field.name] = TextToJson(*static_cast<const std::string*>(v.Data));
            break;
        case vkBlock:
            // A one-byte block is a small number (a direction, a type, a flag), not a table.
            if (v.Size == 1 && field.form == TFieldForm::Default)
                object[field.name] = *static_cast<const uint8_t*>(v.Data);
            else
                object[field.name] =
                    bytesToJson(static_cast<const uint8_t*>(v.Data), static_cast<size_t>(v.Size), field.form);
            break;
        case vkBuffer: {
            const auto& buffer = *static_cast<const std::vector<uint8_t>*>(v.Data);
            object[field.name] = bytesToJson(buffer.data(), buffer.size(), field.form);
            break;
        }
        case vkRecord:
            object[field.name] =
                RecordToJson(*static_cast<const TCatalogBaseItem*>(static_cast<const TStreamable*>(v.Data)));
            break;
        case vkList:
            object[field.name] =
                ListToJson(*static_cast<const TCatalog*>(static_cast<const TStreamable*>(v.Data)));
            break;
        case vkNone:
            break;
        }
    }
    if (gHooks) gHooks->dumpExtra(constRecord, object);
    return object;
}

void RecordFromJson(TCatalogBaseItem& record, const Json& object, const std::string& path) {
    if (!object.is_object()) fail(path, "expected an object");
    record.Reset();
    const auto& names = record.FieldNames();
    TCatalogVarData v;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string& key = it.key();
        const Json& value = it.value();
        std::string at = describePath(path, key);
        if (key == "ID" && dynamic_cast<TCatalogItem*>(&record)) continue; // the list places the item
        if (gHooks && gHooks->buildExtra(record, key, value, at)) continue;
        const TFieldName* field = findName(names, key);
        if (!field || field->form == TFieldForm::Hidden) fail(at, "unknown key");
        v = TCatalogVarData();
        record.DescribeField(field->id, v, true);
        switch (v.Kind) {
        case vkInteger:
            *static_cast<int32_t*>(v.Data) = static_cast<int32_t>(integerFrom(
                value, at, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
            break;
        case vkBoolean:
            if (!value.is_boolean()) fail(at, "expected true or false");
            *static_cast<uint8_t*>(v.Data) = value.get<bool>() ? 1 : 0;
            break;
        case vkReal:
            if (!value.is_number()) fail(at, "expected a number");
            *static_cast<double*>(v.Data) = value.get<double>();
            break;
        case vkString:
            *static_cast<std::string*>(v.Data) = TextFromJson(value, at);
            break;
        case vkBlock: {
            if (v.Size == 1 && field->form == TFieldForm::Default) {
                *static_cast<uint8_t*>(v.Data) = static_cast<uint8_t>(integerFrom(value, at, 0, 255));
                break;
            }
            std::vector<uint8_t> bytes = bytesFromJson(value, field->form, at);
            if (bytes.size() > static_cast<size_t>(v.Size))
                fail(at, "more than " + std::to_string(v.Size / elementSize(field->form)) + " entries");
            // A shorter array leaves the rest of the block at its reset value.
            std::memcpy(v.Data, bytes.data(), bytes.size());
            break;
        }
        case vkBuffer: {
            auto& buffer = *static_cast<std::vector<uint8_t>*>(v.Data);
            buffer = bytesFromJson(value, field->form, at);
            // The table's count field follows its length.
            if (field->countId) {
                TCatalogVarData count;
                record.DescribeField(field->countId, count, true);
                if (count.Kind == vkInteger)
                    *static_cast<int32_t*>(count.Data) =
                        static_cast<int32_t>(buffer.size() / static_cast<size_t>(elementSize(field->form)));
            }
            break;
        }
        case vkRecord:
            RecordFromJson(*static_cast<TCatalogBaseItem*>(static_cast<TStreamable*>(v.Data)), value, at);
            break;
        case vkList:
            ListFromJson(*static_cast<TCatalog*>(static_cast<TStreamable*>(v.Data)), value, at);
            break;
        case vkNone:
            fail(at, "unknown key");
        }
    }
}

Json ListToJson(const TCatalog& list) {
    Json array = Json::array();
    for (const auto& item : list)
        array.push_back(RecordToJson(*item));
    return array;
}

void ListFromJson(TCatalog& list, const Json& array, const std::string& path) {
    if (!array.is_array()) fail(path, "expected an array");
    list.Clear();
    int32_t previous = 0;
    for (size_t i = 0; i < array.size(); ++i) {
        std::string at = path + "[" + std::to_string(i) + "]";
        const Json& element = array[i];
        if (!element.is_object()) fail(at, "expected an object");
        // Without an "ID" an entry takes the one after the previous entry.
        int32_t id = element.contains("ID")
                         ? static_cast<int32_t>(
                               integerFrom(element["ID"], at + ".ID", 0, std::numeric_limits<int32_t>::max()))
                         : previous + 1;
        if (list.Find(id)) fail(at + ".ID", "ID " + std::to_string(id) + " appears twice");
        RecordFromJson(*list.FindOrCreate(id), element, at);
        previous = id;
    }
}

} // namespace tarvel::cli
