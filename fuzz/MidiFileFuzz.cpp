// The MIDI check over arbitrary bytes, and the synthesiser playing whatever passes it: neither may
// crash or hang, the clean copy must read back as itself, and the mix must stay finite and below
// full scale.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "MidiFile.h"
#include "Mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel::consort;
    MidiFileInfo info;
    std::vector<uint8_t> clean;
    if (InspectMidiFile(data, size, &info, nullptr, &clean)) {
        MidiFileInfo again;
        std::vector<uint8_t> cleanAgain;
        if (!InspectMidiFile(clean.data(), clean.size(), &again, nullptr, &cleanAgain)) std::abort();
        if (cleanAgain != clean || again.lastTick != info.lastTick || again.hasNotes != info.hasNotes)
            std::abort();
    }
    static Mixer mixer; // one soundfont load for the whole run
    if (mixer.PlayMusicData(std::vector<uint8_t>(data, data + size), "input")) {
        mixer.SetMusicTempo(150);
        std::vector<float> out(2 * 4096);
        for (int block = 0; block < 4; ++block) {
            mixer.Render(out.data(), 4096);
            for (float s : out)
                if (!std::isfinite(s) || std::fabs(s) > 1.0f) std::abort();
        }
    }
    return 0;
}
