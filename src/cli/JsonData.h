#pragma once

// The plain-text form of the game data: script lines, move route commands and the database file.
// Pages of every kind show their script as "Script" lines and move routes their commands as
// "Commands" (hooks installed for the whole tool), instead of the stored bytes.

#include "JsonRecords.h"
#include "data/LD_DataBase.h"
#include "data/LD_Event.h"
#include "data/LD_MoveRoute.h"

namespace tarvel::cli {

// Script lines as [{"Code", "Indent", "Text", "Params"}, ...].
Json ScriptToJson(const TQelEventScriptList& script);
void ScriptFromJson(TQelEventScriptList& script, const Json& array, const std::string& path);

// Move route commands as [{"Code", ...the extra fields of the code}, ...].
Json RouteCommandsToJson(const TQelMoveRoute& route);
void RouteCommandsFromJson(TQelMoveRoute& route, const Json& array, const std::string& path);

// The JSON key of each database section ("heroes", ..., "commonEvents"), by chunk ID.
const char* DataBaseSectionKey(int chunkID);

// {"kind": "database", "heroes": [...], ..., "commonEvents": [...]}.
Json DataBaseToJson(const TQelDataBase& db);
// Resets the database, then takes the sections the JSON names.
void DataBaseFromJson(TQelDataBase& db, const Json& json);
// One section (by chunk ID) as its JSON value, and back (the section is cleared or reset first).
Json DataBaseSectionToJson(const TQelDataBase& db, int chunkID);
void DataBaseSectionFromJson(TQelDataBase& db, int chunkID, const Json& value);

} // namespace tarvel::cli
