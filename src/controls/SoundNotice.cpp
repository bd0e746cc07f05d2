#include "SoundNotice.h"

#include "MessageBoxes.h"
#include "platform/OutsideLibraries.h"

namespace tarvel {

const char* const NoSoundDeviceMessage = "No sound device: music and sounds cannot be previewed.";

namespace {

bool gNoticeGiven = false;

std::function<void(const QString&)>& listener() {
    static std::function<void(const QString&)> l;
    return l;
}

} // namespace

void NoteSoundPreview(QWidget* owner) {
    if (gNoticeGiven || !SoundLibrary().OutputIsSilent()) return;
    gNoticeGiven = true;
    ShowInfo(NoSoundDeviceMessage, owner);
    if (listener()) listener()(NoSoundDeviceMessage);
}

void SetSoundNoticeListener(std::function<void(const QString&)> l) {
    listener() = std::move(l);
}

bool SoundNoticeGiven() {
    return gNoticeGiven;
}

void ResetSoundNotice() {
    gNoticeGiven = false;
}

} // namespace tarvel
