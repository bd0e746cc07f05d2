#include "GameKeys.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace tarvel::game {

namespace {

const char* const kKeyWords[kGameKeyCount] = {"up", "down", "left", "right", "decide", "cancel"};

} // namespace

const char* GameKeyWord(TGameKey key) {
    return kKeyWords[size_t(key)];
}

void TGameInput::Update(const TKeyState& keys) {
    ++mTick;
    for (int k = 0; k < kGameKeyCount; ++k) {
        const bool down = keys.held[size_t(k)];
        int& frames = mFrames[size_t(k)];
        if (down && frames == 0 && k < 4) mArrowOrder[size_t(k)] = mTick;
        frames = down ? frames + 1 : 0;
    }
    mKeys = keys;
}

void TGameInput::Clear() {
    // Held keys stay held, but count as held since long ago: none of them is "pressed" again.
    for (int k = 0; k < kGameKeyCount; ++k)
        if (mFrames[size_t(k)] > 0) mFrames[size_t(k)] = 1 << 20;
}

bool TGameInput::Repeated(TGameKey key) const {
    const int frames = mFrames[size_t(key)];
    if (frames == 1) return true;
    if (frames > (1 << 19)) return false;
    return frames > kRepeatDelay && (frames - kRepeatDelay - 1) % kRepeatInterval == 0;
}

int TGameInput::Direction() const {
    // Key order is up, down, left, right; directions are 0 up, 1 right, 2 down, 3 left.
    static const int kDirectionOfKey[4] = {0, 2, 3, 1};
    int best = -1;
    int64_t latest = -1;
    for (int k = 0; k < 4; ++k)
        if (mFrames[size_t(k)] > 0 && mArrowOrder[size_t(k)] > latest) {
            latest = mArrowOrder[size_t(k)];
            best = kDirectionOfKey[k];
        }
    return best;
}

std::vector<TKeyChange> ParseKeyScript(const std::string& text) {
    std::vector<TKeyChange> changes;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::vector<std::string> parts;
        for (std::string w; words >> w;)
            parts.push_back(w);
        if (parts.empty() || parts[0][0] == '#') continue;
        if (parts.size() != 3)
            throw EKeyScriptError(lineNumber,
                                  "expected \"FRAME KEY down\" or \"FRAME KEY up\", found \"" + line + "\"");
        char* end = nullptr;
        errno = 0;
        const long long frame = std::strtoll(parts[0].c_str(), &end, 10);
        if (*end != '\0' || errno != 0 || frame < 0 || !std::isdigit(static_cast<unsigned char>(parts[0][0])))
            throw EKeyScriptError(lineNumber, "\"" + parts[0] + "\" is not a frame number (0 or more)");
        TKeyChange change;
        change.frame = frame;
        auto word = std::find_if(std::begin(kKeyWords), std::end(kKeyWords),
                                 [&](const char* w) { return parts[1] == w; });
        if (word == std::end(kKeyWords))
            throw EKeyScriptError(lineNumber, "unknown key \"" + parts[1] +
                                                  "\" (up, down, left, right, decide or cancel)");
        change.key = TGameKey(word - std::begin(kKeyWords));
        if (parts[2] != "down" && parts[2] != "up")
            throw EKeyScriptError(lineNumber, "\"" + parts[2] + "\" should be \"down\" or \"up\"");
        change.down = parts[2] == "down";
        changes.push_back(change);
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TKeyChange& a, const TKeyChange& b) { return a.frame < b.frame; });
    return changes;
}

TKeyScriptPlayer::TKeyScriptPlayer(std::vector<TKeyChange> changes) : mChanges(std::move(changes)) {}

TKeyState TKeyScriptPlayer::KeysAt(int64_t frame) {
    while (mNext < mChanges.size() && mChanges[mNext].frame <= frame) {
        mKeys.Set(mChanges[mNext].key, mChanges[mNext].down);
        ++mNext;
    }
    return mKeys;
}

} // namespace tarvel::game
