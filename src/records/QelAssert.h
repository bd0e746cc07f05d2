#pragma once

#include <stdexcept>
#include <string>

namespace tarvel {

// A broken internal invariant. The message names the source unit and line that the assertion
// stands for, so a report from a user points at the rule that was broken.
class EQelInternalError : public std::logic_error {
public:
    EQelInternalError(const std::string& unit, int line);
    const std::string& unit() const { return mUnit; }
    int line() const { return mLine; }

private:
    std::string mUnit;
    int mLine;
};

// Raises EQelInternalError("unit", line) when the condition does not hold.
inline void QelAssert(bool condition, const char* unit, int line) {
    if (!condition) throw EQelInternalError(unit, line);
}

} // namespace tarvel
