#include "PlatformPorts.h"

#include "Material.h"
#include "OutsideLibraries.h"
#include "graphics/GraphicsPorts.h"
#include "graphics/PictureFile.h"

namespace tarvel {

namespace {

class ProjectMaterialLocator : public MaterialLocatorPort {
public:
    std::string Locate(const std::string& name, const std::string& folder) override {
        QString folderName = QString::fromStdString(folder);
        const MaterialFolderInfo* info = FindMaterialFolder(folderName);
        if (!info) return name;
        return ResolveMaterialFile(QString::fromStdString(name), folderName, info->extensions())
            .toStdString();
    }
};

class SoundLibraryPlayer : public SoundPlayerPort {
public:
    void PlaySound(const std::string& path, int volume, int tempo, int balance) override {
        SoundLibrary().PlaySoundEx(QString::fromStdString(path), volume, tempo, balance);
    }
};

} // namespace

void InstallPlatformPorts() {
    static ProjectMaterialLocator locator;
    static SoundLibraryPlayer player;
    SetMaterialLocator(&locator);
    SetSoundPlayer(&player);
    RegisterPictureFormats();
}

} // namespace tarvel
