#pragma once

#include <optional>
#include <string>

namespace tarvel::consort {

// The General MIDI soundfont that Debian's timgm6mb-soundfont package installs.
inline constexpr const char* kDefaultSoundFontPath = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The per-user settings file the editor writes through QSettings:
// $XDG_CONFIG_HOME/Ostel/Tarvel.conf, or ~/.config/Ostel/Tarvel.conf.
std::string UserSettingsFilePath();

// The value of a top-level key ([General]) of a settings file in QSettings' ini form, unescaped
// as QSettings reads it: quoted parts, backslash escapes, "@@" for a leading "@",
// "@ByteArray(...)". Nothing for a missing key and for values that QSettings does not read as one
// string (lists, other typed values).
std::optional<std::string> ReadGeneralSetting(const std::string& fileText, const std::string& key);

// The soundfont to load: the file that the user's setting "SoundFontPath" names when that file
// exists, else the Debian soundfont.
std::string SoundFontPath();

} // namespace tarvel::consort
