#pragma once

// Whether records and lists hold the same data, read from the fields each record describes as
// they stand. Saving a record is no way to compare it: a save trims some tables to the sizes of
// the process-wide database, and so depends on which database that is.

#include "records/Catalog.h"

namespace tarvel::cli {

// Every named field alike, nested records and lists included (records of one class).
bool SameFields(const TCatalogBaseItem& a, const TCatalogBaseItem& b);
// The same IDs in the same order, each with the same fields.
bool SameItems(const TCatalog& a, const TCatalog& b);

} // namespace tarvel::cli
