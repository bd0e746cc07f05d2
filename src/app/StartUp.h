#pragma once

class QScreen;

namespace tarvel {

// The start-up messages, each of which ends the editor.
namespace StartUpMessage {
constexpr const char* Display = "Set your display to 800 x 600 High Color";
constexpr const char* NoRuntimePackage = "Tarvel Error: RTP not found";
constexpr const char* NoSoundLibrary = "Consort.dll not found";
constexpr const char* NoArchiver = "Unlha32.dll not found";
} // namespace StartUpMessage

// True when the screen has at least 16 bits per pixel and 800 x 600 pixels.
bool DisplayIsUsable(int bitsPerPixel, int width, int height);
bool DisplayIsUsable(const QScreen* screen);

// Runs the editor from the start-up checks to the end of its message loop; the result is the
// process's exit code.
int RunEditor(int& argc, char** argv);

} // namespace tarvel
