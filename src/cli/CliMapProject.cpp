#include "CliMapProject.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "CliCommon.h"
#include "platform/Material.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

namespace tarvel::cli {

namespace {

void warn(const char* command, const std::string& text) {
    std::fprintf(stderr, "tarvel-cli: %s: warning: %s\n", command, text.c_str());
}

} // namespace

int32_t ParseMapID(const std::string& text, const char* usage) {
    char* end = nullptr;
    errno = 0;
    const long id = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || id < 1 || id > 9999) throw UsageError(usage);
    return int32_t(id);
}

MapProject OpenMapProject(const std::string& folder, int32_t mapID, const std::string& rtp, bool withTree,
                          const char* command) {
    const QFileInfo info(QString::fromStdString(folder));
    if (!info.isDir()) throw CommandError(command, folder + ": no such project folder");
    MapProject project;
    project.folder = IncludeTrailingPathDelimiter(info.absoluteFilePath()).toStdString();
    SetProjectPath(QString::fromStdString(project.folder));
    SetRuntimePackagePath(rtp.empty() ? UserSettings::RuntimePackagePath()
                                      : QFileInfo(QString::fromStdString(rtp)).absoluteFilePath());

    project.document = std::make_unique<TProjectDocument>();
    TProjectDocument& document = *project.document;
    project.dataBase = &document.DataBase();
    try {
        document.ReadDataBase(project.folder);
    } catch (const std::exception& e) {
        throw CommandError(command, project.folder + DataBaseFileName + ": " + e.what());
    }

    if (withTree) {
        const std::string treePath = project.folder + MapTreeFileName;
        try {
            if (document.ReadTreeFile(project.folder))
                project.tree = &document.MapTree();
            else
                warn(command, treePath + " is missing: no start positions are drawn");
        } catch (const std::exception& e) {
            throw CommandError(command, treePath + ": " + e.what());
        }
    }

    project.map = &document.Map();
    project.map->ID = mapID;
    project.mapPath = project.folder + MapFileName(mapID);
    try {
        project.map->LoadFromFile(project.mapPath);
    } catch (const std::exception& e) {
        throw CommandError(command, project.mapPath + ": " + e.what());
    }
    project.map->ID = mapID;

    const TQelChipSetItem* chipSet = project.dataBase->ChipSets().Find(project.map->ChipSetID);
    if (!chipSet) {
        warn(command, "the map's chipset " + std::to_string(project.map->ChipSetID) +
                          " is not in the database: its chips are blank");
    } else {
        const QString picture =
            ResolveMaterialFile(QString::fromStdString(chipSet->GraphicName), "ChipSet", ImageExtensions());
        if (!QFileInfo(picture).isAbsolute() || !QFileInfo::exists(picture))
            warn(command, "chipset picture \"" + chipSet->GraphicName +
                              "\" is in neither the project nor the runtime package: its chips are blank");
    }
    return project;
}

} // namespace tarvel::cli
