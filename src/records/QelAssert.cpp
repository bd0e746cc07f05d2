#include "QelAssert.h"

namespace tarvel {

EQelInternalError::EQelInternalError(const std::string& unit, int line)
    : std::logic_error("Assertion failure (" + unit + ", line " + std::to_string(line) + ")"), mUnit(unit),
      mLine(line) {}

} // namespace tarvel
