#pragma once

#include <QString>

#include "RuntimeWords.h"

namespace tarvel::runtime {

// The headless mode: plays the game of the folder for the asked number of frames of 1/60 s with
// the keys of the key file, without a window, without real time and without sound, then writes
// the state as JSON (and the last frame as a PNG of 320 x 240 when asked). Returns the exit code:
// 0 done, 1 a file could not be read or written, 2 a key file that cannot be read.
int RunHeadless(const RuntimeWords& words, const QString& gameFolder);

} // namespace tarvel::runtime
