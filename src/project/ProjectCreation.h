#pragma once

#include <QString>

namespace tarvel {

// Fills a freshly made project folder (ProjectPath must already name it), stopping at the first
// failure: the fourteen material folders, the runtime and database copied from the templates
// "QUORIN.exe.dat" and "QUORIN.qdb.dat" in templateFolder, the title in "QUORIN.ini", the map
// tree with its root and the first map ("MAP0001", 100 x 100) saved into the project. Returns
// false when a folder or template copy fails; raises when the tree or the first map cannot be
// written. The caller (the project manager) removes the folder on any failure.
bool FillNewProject(const QString& title, const QString& templateFolder);

} // namespace tarvel
