#include <algorithm>
#include <iterator>

#include "EvCmdBase.h"

namespace tarvel {

namespace {

// The commands that write their one line without asking anything.
constexpr int32_t NoWindowCodes[] = {10840, 11340, 11350, 11530, 11540, 11910, 11950,
                                     12220, 12310, 12320, 12420, 12510, 13410};

bool isNoWindowCode(int32_t code) {
    return std::find(std::begin(NoWindowCodes), std::end(NoWindowCodes), code) != std::end(NoWindowCodes);
}

constexpr int32_t CycleCode = 12210;

} // namespace

std::unique_ptr<TFormEvCmdBase> CreateEvCmdDialog(int32_t code, QWidget* owner) {
    if (isNoWindowCode(code)) return std::make_unique<TEvCmdNoWindow>(owner, code);
    if (code == CycleCode) return std::make_unique<TEvCmdCycle>(owner);
    return nullptr;
}

bool HasEvCmdDialog(int32_t code) {
    return isNoWindowCode(code) || code == CycleCode;
}

} // namespace tarvel
