#pragma once

#include <string>
#include <vector>

namespace tarvel::rtp {

// Renders every picture of each picture folder of a generated package onto one PNG per folder
// (SHEETDIR/<Folder>.png), enlarged, labelled, index 0 shown as a checkerboard where the kind is
// transparent; chipsets also get a sample map composed from their chips. Returns the sheet paths.
std::vector<std::string> WriteContactSheets(const std::string& packageDir, const std::string& sheetDir);

} // namespace tarvel::rtp
