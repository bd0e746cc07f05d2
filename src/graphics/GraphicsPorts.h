#pragma once

#include <string>

namespace tarvel {

// How the renderers find the file of a material name. The graphics code never looks at folders
// itself: the platform plugs in the project-then-runtime-package lookup; until then the name is
// taken as the file's path, which is what headless tools and tests want.
class MaterialLocatorPort {
public:
    virtual ~MaterialLocatorPort() = default;
    // The file for a material name in a material folder ("ChipSet", "CharSet", "Battle", "Sound",
    // ...), or the bare name when there is none.
    virtual std::string Locate(const std::string& name, const std::string& folder) = 0;
};
MaterialLocatorPort& MaterialLocator();
// Installs a port (not owned) and returns the previous one; nullptr restores the default.
MaterialLocatorPort* SetMaterialLocator(MaterialLocatorPort* port);

// Where the sounds of a battle animation go. The platform plugs in the sound library; until then
// sounds are dropped, so tools without sound devices run the same code.
class SoundPlayerPort {
public:
    virtual ~SoundPlayerPort() = default;
    // Plays a sound file once with its volume, tempo and balance (percent, percent, 0..100).
    virtual void PlaySound(const std::string& path, int volume, int tempo, int balance) = 0;
};
SoundPlayerPort& SoundPlayer();
SoundPlayerPort* SetSoundPlayer(SoundPlayerPort* port);

} // namespace tarvel
