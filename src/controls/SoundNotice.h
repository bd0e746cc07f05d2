#pragma once

// Telling the user that previews cannot be heard: when the sound library plays through its
// silent driver (no audio device could be opened), the first preview after the editor starts says
// so once in a message, and the status bar shows it from then on.

#include <QString>
#include <functional>

class QWidget;

namespace tarvel {

extern const char* const NoSoundDeviceMessage;

// Called by every preview just before it plays.
void NoteSoundPreview(QWidget* owner);
// Where the notice goes after the message: the main window's status bar.
void SetSoundNoticeListener(std::function<void(const QString&)> listener);
// Whether the message was shown in this run; false again after a reset (for tests).
bool SoundNoticeGiven();
void ResetSoundNotice();

} // namespace tarvel
