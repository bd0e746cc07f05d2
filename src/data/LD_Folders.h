#pragma once

// The two folders the data code reads and writes project files in: the open project's folder and
// the editor's temporary folder for the working copies of maps. The core has no Qt, so the editor
// and the tools tell it the folders when they start (the platform's SetProjectPath keeps the
// project folder here in step).

#include <string>

namespace tarvel::CoreFolders {

// The open project's folder, ending in "/"; empty while no project is open (files are then
// looked up in the current directory).
const std::string& ProjectPath();
// Stores the folder, adding a trailing "/" unless it is empty or has one.
void SetProjectPath(const std::string& path);

// The temporary folder "TARVEL_TEMP" for working copies, without a trailing "/". Until it is set,
// it lies under $TMPDIR (or /tmp when that is unset or empty).
const std::string& TempWorkFolder();
// Stores the folder; an empty path goes back to the default.
void SetTempWorkFolder(const std::string& path);

} // namespace tarvel::CoreFolders
