#pragma once

// A project opened by the subcommands that work on one map (paint, render-map): the material
// lookup pointed at the project and the runtime package, the database (for the map's chipset
// record), the map with its chipset renderer, and on request the map tree.

#include <memory>
#include <string>

#include "project/ProjectDocument.h"

namespace tarvel::cli {

struct MapProject {
    std::string folder; // ending in "/"
    std::string mapPath;
    // The project's database, tree and map; the map carries its graphics.
    std::unique_ptr<TProjectDocument> document;
    TQelDataBase* dataBase = nullptr;
    TQelMapTree* tree = nullptr; // none when the project has no "QUORIN.qmt" or it was not asked for
    TQelMap* map = nullptr;
};

// The map ID of a command line (1..9999), or a UsageError with usage.
int32_t ParseMapID(const std::string& text, const char* usage);

// Opens the project and loads the map with its graphics. rtp is the runtime package folder (empty:
// the one the user's settings name). Failures are CommandErrors of command; a map whose chipset
// record or picture is missing is loaded with a warning on standard error, as the editor would
// show it blank.
MapProject OpenMapProject(const std::string& folder, int32_t mapID, const std::string& rtp, bool withTree,
                          const char* command);

} // namespace tarvel::cli
