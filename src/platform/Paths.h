#pragma once

#include <QString>

namespace tarvel {

// The path with a trailing "/" (unchanged when it already ends in a path delimiter).
QString IncludeTrailingPathDelimiter(const QString& path);

// The folder of the open project, ending in "/"; empty while no project is open.
const QString& ProjectPath();
void SetProjectPath(const QString& path);

// The runtime package folder as read from the settings at start-up, ending in "/" (empty when
// none is installed).
const QString& RuntimePackagePath();
void SetRuntimePackagePath(const QString& path);

// The editor's temporary folder "TARVEL_TEMP" under the system's temporary path (no trailing "/").
QString TempWorkFolder();

// The folder of the editor's program file, ending in "/". Outside the editor (tests, tools) it is
// the folder of the running program.
QString ApplicationFolder();

// Removes a folder and everything under it. Hidden entries are removed too; subfolders whose
// names begin with "." are left alone (and so is their parent). Never reports a failure.
void DeleteFolderTree(const QString& path);

// Deletes and re-creates a folder empty, with any missing parents; ignores every failure.
void RecreateFolder(const QString& path);

} // namespace tarvel
