#include "GraphicsPorts.h"

namespace tarvel {

namespace {

class NameAsPath : public MaterialLocatorPort {
public:
    std::string Locate(const std::string& name, const std::string&) override { return name; }
};

class SilentSoundPlayer : public SoundPlayerPort {
public:
    void PlaySound(const std::string&, int, int, int) override {}
};

NameAsPath gNameAsPath;
SilentSoundPlayer gSilent;
MaterialLocatorPort* gLocator = &gNameAsPath;
SoundPlayerPort* gSoundPlayer = &gSilent;

} // namespace

MaterialLocatorPort& MaterialLocator() {
    return *gLocator;
}

MaterialLocatorPort* SetMaterialLocator(MaterialLocatorPort* port) {
    MaterialLocatorPort* previous = gLocator == &gNameAsPath ? nullptr : gLocator;
    gLocator = port ? port : &gNameAsPath;
    return previous;
}

SoundPlayerPort& SoundPlayer() {
    return *gSoundPlayer;
}

SoundPlayerPort* SetSoundPlayer(SoundPlayerPort* port) {
    SoundPlayerPort* previous = gSoundPlayer == &gSilent ? nullptr : gSoundPlayer;
    gSoundPlayer = port ? port : &gSilent;
    return previous;
}

} // namespace tarvel
