#pragma once

#include <stdexcept>
#include <string>

#include "unlha.h"

namespace tarvel::unlha {

// A failure of an archiver command, with the result code that Unlha returns for it and the
// message it writes into the caller's buffer.
class UnlhaError : public std::runtime_error {
public:
    UnlhaError(int code, const std::string& message) : std::runtime_error(message), mCode(code) {}
    int Code() const { return mCode; }

private:
    int mCode;
};

} // namespace tarvel::unlha
