#pragma once

#include <cstdint>
#include <string>

namespace tarvel::consort {

class Mixer;

// The audio device a mixer plays through. When no real device opens (a server, a build machine,
// or the device is busy) it opens SDL's silent "dummy" driver instead, which pulls audio at the
// same pace, so previews still run and end in real time.
class AudioOutput {
public:
    AudioOutput() = default;
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Starts pulling audio from the mixer. False only when not even the silent driver opens.
    bool Open(Mixer& mixer);
    // Stops pulling and hands the device back to the system. Waits for a running pull to end,
    // so never call it while holding a lock that the pull takes.
    void Close();
    bool IsOpen() const { return mDevice != 0; }
    // The driver in use ("pulseaudio", "alsa", "dummy", ...); empty when closed.
    const std::string& DriverName() const { return mDriver; }
    // How many frames the device asks for at a time.
    int BufferFrames() const { return mBufferFrames; }

private:
    bool openWithCurrentDriver(Mixer& mixer);
    uint32_t mDevice = 0;
    bool mSubsystemStarted = false;
    std::string mDriver;
    int mBufferFrames = 0;
};

} // namespace tarvel::consort
