#pragma once

#include <utility>

namespace tarvel {

// A value that a dialog remembers for the rest of the run (the last chosen switch, the last
// previewed music). Each remembered value is one typed option object, defined beside the dialog
// that owns it, instead of a loose global; nothing is stored beyond the run.
template <typename T>
class TProcessOption {
public:
    explicit TProcessOption(T initial) : mInitial(initial), mValue(std::move(initial)) {}

    const T& Value() const { return mValue; }
    void Set(T value) { mValue = std::move(value); }
    // Back to the value the run started with.
    void Reset() { mValue = mInitial; }

private:
    const T mInitial;
    T mValue;
};

} // namespace tarvel
