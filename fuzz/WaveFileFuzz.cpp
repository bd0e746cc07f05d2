// The WAVE decoder over arbitrary bytes, and the mixer playing whatever it decodes, looping and at
// a changed rate: nothing may crash, and every sample must stay finite and within full scale.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "Mixer.h"
#include "WaveClip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel::consort;
    auto clip = DecodeWave(data, size, nullptr);
    if (clip) {
        if (clip->samples.size() % 2) std::abort();
        for (float s : clip->samples)
            if (!std::isfinite(s) || std::fabs(s) > 1.0f) std::abort();
    }
    static Mixer mixer;
    if (mixer.PlayMusicData(std::vector<uint8_t>(data, data + size), "input")) {
        mixer.SetMusicTempo(150);
        mixer.SetMusicBalance(20);
        std::vector<float> out(2 * 2048);
        for (int block = 0; block < 3; ++block) {
            mixer.Render(out.data(), 2048);
            for (float s : out)
                if (!std::isfinite(s) || std::fabs(s) > 1.0f) std::abort();
        }
    }
    return 0;
}
