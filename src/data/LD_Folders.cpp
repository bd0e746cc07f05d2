#include "LD_Folders.h"

#include <cstdlib>

namespace tarvel::CoreFolders {

namespace {

std::string gProjectPath;
std::string gTempWorkFolder;

std::string defaultTempWorkFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp ? tmp : "/tmp";
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base == "/" ? "/TARVEL_TEMP" : base + "/TARVEL_TEMP";
}

} // namespace

const std::string& ProjectPath() {
    return gProjectPath;
}

void SetProjectPath(const std::string& path) {
    gProjectPath = path;
    if (!gProjectPath.empty() && gProjectPath.back() != '/') gProjectPath += '/';
}

const std::string& TempWorkFolder() {
    // Taken when first asked, so a tool or test that sets TMPDIR at start is followed.
    if (gTempWorkFolder.empty()) gTempWorkFolder = defaultTempWorkFolder();
    return gTempWorkFolder;
}

void SetTempWorkFolder(const std::string& path) {
    gTempWorkFolder = path;
    while (gTempWorkFolder.size() > 1 && gTempWorkFolder.back() == '/')
        gTempWorkFolder.pop_back();
}

} // namespace tarvel::CoreFolders
