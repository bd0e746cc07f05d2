#pragma once

// What the merge knows about each kind of project file beyond its records' fields: save counters
// take the larger value and view state ours; map events and tree nodes have free IDs; a map
// names its layer entries as cells and keeps one event to a cell; a tree keeps every node under
// an existing parent, its depths and display order in step with the parents.

#include <string>

#include "JsonMerge.h"

namespace tarvel::cli {

// The rules of "database", "maptree" or "map"; plain merging for any other kind.
const JsonMergeRules& MergeRulesFor(const std::string& kind);

} // namespace tarvel::cli
