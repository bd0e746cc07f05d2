// tarvel-cli material list|resolve: the material lookup as the editor's pickers and loaders see it.
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "CliCommon.h"
#include "platform/Material.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

namespace tarvel::cli {

namespace {

const char* const kUsage = "material list FOLDER [--project DIR] [--rtp DIR] | "
                           "material resolve NAME FOLDER [--project DIR] [--rtp DIR]";

QString folderPath(const std::string& path) {
    if (path.empty()) return {};
    return IncludeTrailingPathDelimiter(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
}

MaterialRoots rootsFrom(Arguments& args) {
    MaterialRoots roots;
    roots.projectPath = folderPath(args.takeOption("--project"));
    // Without --rtp the runtime package the editor uses (from the user's settings).
    roots.runtimePackagePath =
        args.hasOption("--rtp") ? folderPath(args.takeOption("--rtp")) : UserSettings::RuntimePackagePath();
    return roots;
}

const MaterialFolderInfo& folderInfo(const std::string& name) {
    const MaterialFolderInfo* info = FindMaterialFolder(QString::fromStdString(name));
    if (!info) {
        std::string known;
        for (const auto& f : MaterialFolders())
            known += std::string(known.empty() ? "" : ", ") + f.name;
        throw CommandError("material", "unknown material folder \"" + name + "\" (one of " + known + ")");
    }
    return *info;
}

} // namespace

int RunMaterial(Arguments& args) {
    MaterialRoots roots = rootsFrom(args);
    std::vector<std::string> words = args.positionalAtLeast(1);
    const std::string& verb = words[0];
    if (verb == "list" && words.size() == 2) {
        const auto& info = folderInfo(words[1]);
        for (const QString& entry : ListMaterialNames(info.name, info.extensions(), roots))
            std::printf("%s\n", entry.toUtf8().constData());
        return 0;
    }
    if (verb == "resolve" && words.size() == 3) {
        const auto& info = folderInfo(words[2]);
        QString path =
            ResolveMaterialFile(QString::fromStdString(words[1]), info.name, info.extensions(), roots);
        std::printf("%s\n", path.toUtf8().constData());
        return 0;
    }
    throw UsageError(kUsage);
}

namespace {
const Command kMaterialCommand{"material", kUsage, RunMaterial};

const RegisterCommand kRegistered{kMaterialCommand};
} // namespace

} // namespace tarvel::cli
