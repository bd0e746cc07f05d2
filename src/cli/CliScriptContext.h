#pragma once

// What render-lines and script share: reading the files a script is shown with (database, map
// tree, map), whole-number options, and printing a script the way the script list shows it.

#include <cstdint>
#include <memory>
#include <string>

#include "CliCommon.h"
#include "data/EventScriptConverter.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

namespace tarvel::cli {

// Each raises CommandError(command, "<path>: <reason>") for a file that cannot be read or is not
// of its kind.
std::unique_ptr<TQelDataBase> ReadDataBaseFile(const std::string& path, const std::string& command);
std::unique_ptr<TQelMapTree> ReadMapTreeFile(const std::string& path, const std::string& command);
std::unique_ptr<TQelMap> ReadMapFile(const std::string& path, const std::string& command);

// "--name N" with N a whole number from low to high; absent: fallback. Anything else is wrong
// usage.
int32_t IntegerOption(Arguments& args, const std::string& name, int32_t fallback, int32_t low, int32_t high);

// One output line per script line: its display text, bytes as they are, then a line feed.
void PrintScript(const TEventScriptConverter& converter, const TQelEventScriptList& script);

} // namespace tarvel::cli
