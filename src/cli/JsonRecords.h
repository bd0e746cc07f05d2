#pragma once

// The plain-text (JSON) form of records and record lists, driven by each record's field names:
// dump writes every named field; build starts from the record's reset values and takes the
// fields the JSON gives, so a field left out keeps its reset value.

#include <nlohmann/json.hpp>
#include <string>

#include "records/Catalog.h"

namespace tarvel::cli {

using Json = nlohmann::ordered_json;

// Raised for JSON that does not describe a record: an unknown key, a value of the wrong type or
// out of range. The message names the path of the offending value ("heroes[3].Name").
class JsonFormatError : public std::runtime_error {
public:
    explicit JsonFormatError(const std::string& what) : std::runtime_error(what) {}
};

// Text as a JSON string when it is valid UTF-8, else {"hex": "..."}.
Json TextToJson(const std::string& bytes);
std::string TextFromJson(const Json& value, const std::string& path);
bool IsValidUtf8(const std::string& bytes);

// Hooks for records whose plain-text form has keys beyond their named fields (a page's script,
// a move route). A hook is asked for every record; it adds or takes the keys it knows.
struct JsonRecordHooks {
    virtual ~JsonRecordHooks() = default;
    // Adds extra keys for the record to the object.
    virtual void dumpExtra(const TCatalogBaseItem& record, Json& object) const {}
    // Takes the extra key if it is one of the record's; true when it was.
    virtual bool buildExtra(TCatalogBaseItem& record, const std::string& key, const Json& value,
                            const std::string& path) const {
        return false;
    }
};
// The hooks in use (one set for the whole tool).
void SetJsonRecordHooks(const JsonRecordHooks* hooks);

Json RecordToJson(const TCatalogBaseItem& record);
// Resets the record, then sets the fields the object names.
void RecordFromJson(TCatalogBaseItem& record, const Json& object, const std::string& path);

// A list as an array of objects, each with "ID" first.
Json ListToJson(const TCatalog& list);
void ListFromJson(TCatalog& list, const Json& array, const std::string& path);

} // namespace tarvel::cli
