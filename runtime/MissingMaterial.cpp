#include "MissingMaterial.h"

#include <QFileInfo>

#include "platform/Settings.h"

namespace tarvel::runtime {

TMissingMaterial::TMissingMaterial() : mInner(&MaterialLocator()) {
    SetMaterialLocator(this);
}

TMissingMaterial::~TMissingMaterial() {
    SetMaterialLocator(mInner);
}

std::string TMissingMaterial::Locate(const std::string& name, const std::string& folder) {
    const std::string path = mInner->Locate(name, folder);
    // "(OFF)" is the music and sound that is no file.
    if (name.empty() || name == "(OFF)") return path;
    const QFileInfo file(QString::fromStdString(path));
    if (file.isAbsolute() && file.isFile()) return path;
    if (mSeen.insert(folder + "/" + name).second) {
        std::string line = "cannot find \"" + name + "\" in the " + folder +
                           " folder of the project or of the runtime package";
        if (UserSettings::RuntimePackagePath().isEmpty()) line += " (no runtime package is set)";
        mNew.push_back(line + "; it is left out");
    }
    return path;
}

std::vector<std::string> TMissingMaterial::TakeNew() {
    std::vector<std::string> lines;
    lines.swap(mNew);
    return lines;
}

} // namespace tarvel::runtime
