// Sound effects made by synthesis: oscillators with pitch sweeps, filtered noise and envelopes,
// mixed into one buffer per effect.
#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tarvel::rtp {

namespace {

const int kRate = 22050;
const float kPi = 3.14159265f;

enum class Wave { Sine, Square, Saw, Triangle };

struct Buffer {
    std::vector<float> s;
    explicit Buffer(float seconds) : s(size_t(seconds * kRate), 0.0f) {}
    void Add(size_t at, float v) {
        if (at < s.size()) s[at] += v;
    }
};

float wave(Wave w, float phase) {
    float p = phase - std::floor(phase);
    switch (w) {
    case Wave::Sine:
        return std::sin(2 * kPi * p);
    case Wave::Square:
        return p < 0.5f ? 0.8f : -0.8f;
    case Wave::Saw:
        return 2 * p - 1;
    case Wave::Triangle:
        return p < 0.5f ? 4 * p - 1 : 3 - 4 * p;
    }
    return 0;
}

// Envelope: a short attack, then an exponential decay of the given time constant.
float env(float t, float attack, float decay) {
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

// A tone from f0 to f1 (exponential sweep) starting at `start` seconds.
void tone(Buffer& b, float start, float length, float f0, float f1, Wave w, float volume, float attack,
          float decay, float vibrato = 0) {
    float phase = 0;
    size_t n = size_t(length * kRate);
    for (size_t i = 0; i < n; ++i) {
        float t = i / float(kRate);
        float f = f0 * std::pow(f1 / f0, t / length) * (1 + vibrato * std::sin(2 * kPi * 7 * t));
        phase += f / kRate;
        // Fade the last few milliseconds so nothing clicks.
        float tail = std::min(1.0f, (length - t) * 200);
        b.Add(size_t(start * kRate) + i, wave(w, phase) * volume * env(t, attack, decay) * tail);
    }
}

// Noise through a one-pole low-pass whose cutoff sweeps from c0 to c1 (0..1 of the rate).
void noise(Buffer& b, float start, float length, float c0, float c1, float volume, float attack, float decay,
           uint32_t seed, bool highPass = false) {
    uint32_t state = seed * 2654435761u + 1;
    float low = 0;
    size_t n = size_t(length * kRate);
    for (size_t i = 0; i < n; ++i) {
        float t = i / float(kRate);
        state = state * 1664525u + 1013904223u;
        float white = ((state >> 8) & 0xFFFF) / 32768.0f - 1.0f;
        float c = c0 + (c1 - c0) * (t / length);
        low += c * (white - low);
        float v = highPass ? white - low : low;
        float tail = std::min(1.0f, (length - t) * 200);
        b.Add(size_t(start * kRate) + i, v * volume * env(t, attack, decay) * tail);
    }
}

float midiFreq(int key) {
    return 440.0f * std::pow(2.0f, (key - 69) / 12.0f);
}

// A bell-like note: a sine with a quieter inharmonic partial.
void chime(Buffer& b, float start, int key, float volume, float decay = 0.25f) {
    float f = midiFreq(key);
    tone(b, start, decay * 4, f, f, Wave::Sine, volume, 0.002f, decay);
    tone(b, start, decay * 3, f * 2.76f, f * 2.76f, Wave::Sine, volume * 0.25f, 0.002f, decay * 0.5f);
}

std::vector<float> normalise(Buffer& b, float peak = 0.85f) {
    float m = 0;
    for (float v : b.s)
        m = std::max(m, std::fabs(v));
    if (m > 0)
        for (float& v : b.s)
            v *= peak / m;
    return b.s;
}

using Maker = std::function<std::vector<float>()>;

std::vector<std::pair<std::string, Maker>> makers() {
    return {
        {"Cursor1",
         [] {
             Buffer b(0.06f);
             tone(b, 0, 0.06f, 1760, 1760, Wave::Square, 0.5f, 0.001f, 0.015f);
             tone(b, 0, 0.06f, 3520, 3520, Wave::Sine, 0.3f, 0.001f, 0.01f);
             return normalise(b, 0.6f);
         }},
        {"Decision1",
         [] {
             Buffer b(0.35f);
             chime(b, 0, 84, 0.6f, 0.05f);
             chime(b, 0.07f, 91, 0.7f, 0.07f);
             return normalise(b, 0.7f);
         }},
        {"Cancel1",
         [] {
             Buffer b(0.3f);
             tone(b, 0, 0.08f, midiFreq(79), midiFreq(79), Wave::Triangle, 0.6f, 0.002f, 0.03f);
             tone(b, 0.07f, 0.2f, midiFreq(72), midiFreq(72), Wave::Triangle, 0.6f, 0.002f, 0.05f);
             return normalise(b, 0.65f);
         }},
        {"Buzzer1",
         [] {
             Buffer b(0.3f);
             tone(b, 0, 0.28f, 110, 100, Wave::Square, 0.5f, 0.005f, 0.5f, 0.02f);
             tone(b, 0, 0.28f, 116, 104, Wave::Saw, 0.35f, 0.005f, 0.5f);
             return normalise(b, 0.7f);
         }},
        {"BattleStart1",
         [] {
             Buffer b(1.2f);
             noise(b, 0, 0.7f, 0.02f, 0.5f, 0.8f, 0.5f, 0.3f, 11);
             tone(b, 0, 0.7f, 110, 880, Wave::Saw, 0.35f, 0.4f, 0.4f);
             noise(b, 0.65f, 0.5f, 0.6f, 0.1f, 1.0f, 0.002f, 0.12f, 12);
             tone(b, 0.65f, 0.5f, 90, 50, Wave::Sine, 0.9f, 0.002f, 0.15f);
             for (int k : {60, 67, 72})
                 chime(b, 0.66f, k, 0.25f, 0.12f);
             return normalise(b);
         }},
        {"Escape1",
         [] {
             Buffer b(0.8f);
             float t = 0;
             for (int i = 0; i < 6; ++i) {
                 noise(b, t, 0.05f, 0.3f, 0.1f, 0.8f, 0.002f, 0.015f, 20 + i);
                 tone(b, t, 0.05f, 160, 90, Wave::Sine, 0.5f, 0.001f, 0.015f);
                 t += 0.12f - i * 0.012f;
             }
             noise(b, t, 0.3f, 0.05f, 0.4f, 0.6f, 0.05f, 0.1f, 29, true);
             return normalise(b, 0.75f);
         }},
        {"EnemyAttack1",
         [] {
             Buffer b(0.3f);
             noise(b, 0, 0.28f, 0.05f, 0.6f, 1.0f, 0.08f, 0.06f, 31, true);
             return normalise(b, 0.75f);
         }},
        {"EnemyDamage1",
         [] {
             Buffer b(0.35f);
             noise(b, 0, 0.25f, 0.5f, 0.05f, 1.0f, 0.001f, 0.05f, 41);
             tone(b, 0, 0.25f, 220, 70, Wave::Square, 0.5f, 0.001f, 0.06f);
             return normalise(b);
         }},
        {"AllyDamage1",
         [] {
             Buffer b(0.4f);
             tone(b, 0, 0.35f, 140, 50, Wave::Sine, 1.0f, 0.001f, 0.09f);
             noise(b, 0, 0.2f, 0.2f, 0.02f, 0.7f, 0.001f, 0.05f, 51);
             return normalise(b);
         }},
        {"Evasion1",
         [] {
             Buffer b(0.25f);
             noise(b, 0, 0.22f, 0.6f, 0.05f, 1.0f, 0.02f, 0.05f, 61, true);
             tone(b, 0, 0.2f, 1200, 2400, Wave::Sine, 0.2f, 0.01f, 0.05f);
             return normalise(b, 0.6f);
         }},
        {"EnemyDefeat1",
         [] {
             Buffer b(0.9f);
             tone(b, 0, 0.8f, 880, 110, Wave::Square, 0.4f, 0.005f, 0.3f);
             noise(b, 0.1f, 0.75f, 0.3f, 0.02f, 0.7f, 0.2f, 0.25f, 71);
             return normalise(b, 0.75f);
         }},
        {"ItemUse1",
         [] {
             Buffer b(0.7f);
             int keys[5] = {84, 88, 91, 96, 100};
             for (int i = 0; i < 5; ++i)
                 chime(b, i * 0.06f, keys[i], 0.5f, 0.08f);
             return normalise(b, 0.7f);
         }},
        {"Slash1",
         [] {
             Buffer b(0.35f);
             noise(b, 0, 0.25f, 0.1f, 0.8f, 1.0f, 0.03f, 0.06f, 81, true);
             tone(b, 0.18f, 0.15f, 3000, 2600, Wave::Sine, 0.25f, 0.001f, 0.04f);
             return normalise(b, 0.75f);
         }},
        {"Fire1",
         [] {
             Buffer b(1.0f);
             noise(b, 0, 0.95f, 0.03f, 0.15f, 1.0f, 0.1f, 0.4f, 91);
             for (int i = 0; i < 14; ++i)
                 noise(b, 0.05f + i * 0.06f, 0.02f, 0.6f, 0.6f, 0.6f, 0.001f, 0.005f, 92 + i, true);
             return normalise(b);
         }},
        {"Ice1",
         [] {
             Buffer b(0.9f);
             int keys[6] = {96, 103, 100, 108, 105, 110};
             for (int i = 0; i < 6; ++i)
                 chime(b, i * 0.07f, keys[i], 0.4f, 0.1f);
             noise(b, 0.4f, 0.4f, 0.7f, 0.7f, 0.3f, 0.001f, 0.06f, 111, true);
             return normalise(b, 0.7f);
         }},
        {"Thunder1",
         [] {
             Buffer b(1.4f);
             noise(b, 0, 0.15f, 0.9f, 0.5f, 1.0f, 0.001f, 0.04f, 121, true);
             noise(b, 0.05f, 1.3f, 0.02f, 0.005f, 1.2f, 0.05f, 0.45f, 122);
             tone(b, 0.05f, 1.2f, 60, 35, Wave::Sine, 0.6f, 0.02f, 0.4f);
             return normalise(b);
         }},
        {"Heal1",
         [] {
             Buffer b(1.0f);
             int keys[6] = {72, 76, 79, 84, 88, 91};
             for (int i = 0; i < 6; ++i)
                 chime(b, i * 0.08f, keys[i], 0.35f, 0.18f);
             tone(b, 0, 0.9f, midiFreq(60), midiFreq(60), Wave::Sine, 0.2f, 0.2f, 0.4f, 0.004f);
             return normalise(b, 0.7f);
         }},
        {"Wind1",
         [] {
             Buffer b(1.0f);
             noise(b, 0, 1.0f, 0.02f, 0.08f, 1.0f, 0.3f, 0.4f, 131);
             noise(b, 0.2f, 0.7f, 0.1f, 0.03f, 0.5f, 0.2f, 0.2f, 132);
             return normalise(b, 0.7f);
         }},
        {"Darkness1",
         [] {
             Buffer b(1.2f);
             tone(b, 0, 1.2f, 55, 45, Wave::Saw, 0.5f, 0.4f, 0.6f, 0.01f);
             tone(b, 0, 1.2f, 82, 67, Wave::Square, 0.25f, 0.5f, 0.5f);
             noise(b, 0, 1.1f, 0.01f, 0.03f, 0.5f, 0.4f, 0.4f, 141);
             return normalise(b, 0.75f);
         }},
        {"Holy1",
         [] {
             Buffer b(1.2f);
             for (int k : {60, 64, 67, 72, 76})
                 tone(b, 0, 1.2f, midiFreq(k), midiFreq(k), Wave::Triangle, 0.2f, 0.15f, 0.6f, 0.004f);
             for (int i = 0; i < 4; ++i)
                 chime(b, 0.2f + i * 0.12f, 96 + i * 4, 0.25f, 0.12f);
             return normalise(b, 0.7f);
         }},
        {"Poison1",
         [] {
             Buffer b(0.8f);
             for (int i = 0; i < 8; ++i) {
                 float f = 300 + (i * 137) % 300;
                 tone(b, i * 0.08f, 0.08f, f, f * 1.8f, Wave::Sine, 0.5f, 0.005f, 0.03f);
             }
             return normalise(b, 0.65f);
         }},
        {"Claw1",
         [] {
             Buffer b(0.45f);
             for (int i = 0; i < 3; ++i)
                 noise(b, i * 0.09f, 0.12f, 0.2f, 0.7f, 1.0f, 0.01f, 0.03f, 151 + i, true);
             return normalise(b, 0.75f);
         }},
        {"Door1",
         [] {
             Buffer b(0.7f);
             tone(b, 0, 0.45f, 300, 420, Wave::Saw, 0.3f, 0.05f, 0.3f, 0.03f);
             noise(b, 0.45f, 0.2f, 0.3f, 0.02f, 1.0f, 0.001f, 0.04f, 161);
             tone(b, 0.45f, 0.2f, 90, 60, Wave::Sine, 0.7f, 0.001f, 0.05f);
             return normalise(b, 0.7f);
         }},
        {"Chest1",
         [] {
             Buffer b(0.8f);
             noise(b, 0, 0.1f, 0.4f, 0.1f, 0.6f, 0.001f, 0.03f, 171);
             int keys[4] = {79, 84, 88, 91};
             for (int i = 0; i < 4; ++i)
                 chime(b, 0.1f + i * 0.07f, keys[i], 0.45f, 0.1f);
             return normalise(b, 0.7f);
         }},
        {"Save1",
         [] {
             Buffer b(1.2f);
             chime(b, 0, 84, 0.5f, 0.25f);
             chime(b, 0.15f, 91, 0.5f, 0.25f);
             chime(b, 0.3f, 96, 0.6f, 0.3f);
             return normalise(b, 0.7f);
         }},
        {"Step1",
         [] {
             Buffer b(0.12f);
             noise(b, 0, 0.1f, 0.15f, 0.05f, 1.0f, 0.002f, 0.02f, 181);
             return normalise(b, 0.5f);
         }},
        {"Bell1",
         [] {
             Buffer b(1.5f);
             chime(b, 0, 79, 0.8f, 0.4f);
             chime(b, 0, 67, 0.4f, 0.5f);
             return normalise(b, 0.7f);
         }},
        {"Coin1",
         [] {
             Buffer b(0.35f);
             tone(b, 0, 0.07f, midiFreq(95), midiFreq(95), Wave::Square, 0.4f, 0.001f, 0.04f);
             tone(b, 0.07f, 0.28f, midiFreq(100), midiFreq(100), Wave::Square, 0.4f, 0.001f, 0.08f);
             return normalise(b, 0.6f);
         }},
        {"Jump1",
         [] {
             Buffer b(0.3f);
             tone(b, 0, 0.25f, 300, 900, Wave::Square, 0.4f, 0.005f, 0.1f);
             return normalise(b, 0.6f);
         }},
        {"Switch1",
         [] {
             Buffer b(0.15f);
             noise(b, 0, 0.03f, 0.8f, 0.8f, 0.8f, 0.001f, 0.006f, 191, true);
             tone(b, 0.04f, 0.08f, 900, 700, Wave::Square, 0.3f, 0.001f, 0.02f);
             return normalise(b, 0.6f);
         }},
        {"LevelUp1",
         [] {
             Buffer b(1.1f);
             int keys[7] = {72, 76, 79, 84, 79, 84, 88};
             float at[7] = {0, 0.08f, 0.16f, 0.24f, 0.4f, 0.48f, 0.56f};
             for (int i = 0; i < 7; ++i)
                 tone(b, at[i], i == 6 ? 0.5f : 0.12f, midiFreq(keys[i]), midiFreq(keys[i]), Wave::Square,
                      0.35f, 0.002f, i == 6 ? 0.25f : 0.08f);
             return normalise(b, 0.65f);
         }},
        {"Magic1",
         [] {
             Buffer b(0.9f);
             tone(b, 0, 0.8f, 400, 1600, Wave::Sine, 0.4f, 0.05f, 0.4f, 0.03f);
             tone(b, 0, 0.8f, 600, 2400, Wave::Triangle, 0.25f, 0.05f, 0.3f, 0.03f);
             noise(b, 0.1f, 0.7f, 0.6f, 0.6f, 0.15f, 0.1f, 0.3f, 201, true);
             return normalise(b, 0.7f);
         }},
    };
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

} // namespace

std::vector<uint8_t> WriteWav(const std::vector<float>& samples, int sampleRate) {
    std::vector<uint8_t> out;
    uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(out, 36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, uint32_t(sampleRate));
    put32(out, uint32_t(sampleRate * 2));
    put16(out, 2);
    put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, dataBytes);
    for (float v : samples) {
        int s = int(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
        put16(out, uint16_t(int16_t(s)));
    }
    return out;
}

std::vector<SoundEffect> MakeSounds() {
    std::vector<SoundEffect> out;
    for (auto& [name, make] : makers())
        out.push_back({name, WriteWav(make(), kRate)});
    return out;
}

} // namespace tarvel::rtp
