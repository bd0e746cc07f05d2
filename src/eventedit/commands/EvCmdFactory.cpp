#include <algorithm>
#include <functional>
#include <iterator>
#include <map>

#include "EvCmdBase.h"
#include "EvCmdCombat.h"
#include "EvCmdMessage.h"
#include "EvCmdParty.h"
#include "EvCmdSystem.h"
#include "EvCmdVariables.h"

namespace tarvel {

// The dialogs of the codes from 10810 on (EvCmdFactory10810.cpp): nullptr and false for others.
std::unique_ptr<TFormEvCmdBase> CreateEvCmdDialog10810To13410(int32_t code, QWidget* owner);
bool HasEvCmdDialog10810To13410(int32_t code);

namespace {

// The commands that write their one line without asking anything.
constexpr int32_t NoWindowCodes[] = {10840, 11340, 11350, 11530, 11540, 11910, 11950,
                                     12220, 12310, 12320, 12420, 12510, 13410};

bool isNoWindowCode(int32_t code) {
    return std::find(std::begin(NoWindowCodes), std::end(NoWindowCodes), code) != std::end(NoWindowCodes);
}

using Creator = std::function<std::unique_ptr<TFormEvCmdBase>(QWidget*)>;

template <typename Form>
Creator creator() {
    return [](QWidget* owner) { return std::make_unique<Form>(owner); };
}

// The dialog of every command that has one (a window or a picker of its own).
const std::map<int32_t, Creator>& dialogs() {
    static const std::map<int32_t, Creator> table = {
        {10110, creator<TFormEvCmd10110>()}, {10120, creator<TFormEvCmd10120>()},
        {10130, creator<TFormEvCmd10130>()}, {10140, creator<TFormEvCmd10140>()},
        {10150, creator<TFormEvCmd10150>()}, {10210, creator<TFormEvCmd10210>()},
        {10220, creator<TFormEvCmd10220>()}, {10230, creator<TFormEvCmd10230>()},
        {10310, creator<TFormEvCmd10310>()}, {10320, creator<TFormEvCmd10320>()},
        {10330, creator<TFormEvCmd10330>()}, {10410, creator<TFormEvCmd10410>()},
        {10420, creator<TFormEvCmd10420>()}, {10430, creator<TFormEvCmd10430>()},
        {10440, creator<TFormEvCmd10440>()}, {10450, creator<TFormEvCmd10450>()},
        {10460, creator<TFormEvCmd10460>()}, {10470, creator<TFormEvCmd10470>()},
        {10480, creator<TFormEvCmd10480>()}, {10490, creator<TFormEvCmd10490>()},
        {10500, creator<TFormEvCmd10500>()}, {10610, creator<TFormEvCmd10610>()},
        {10620, creator<TFormEvCmd10620>()}, {10630, creator<TFormEvCmd10630>()},
        {10640, creator<TFormEvCmd10640>()}, {10650, creator<TFormEvCmd10650>()},
        {10660, creator<TFormEvCmd10660>()}, {10670, creator<TFormEvCmd10670>()},
        {10680, creator<TFormEvCmd10680>()}, {10690, creator<TFormEvCmd10690>()},
        {10710, creator<TFormEvCmd10710>()}, {10720, creator<TFormEvCmd10720>()},
        {10730, creator<TFormEvCmd10730>()}, {10740, creator<TFormEvCmd10740>()},
        {12210, creator<TEvCmdCycle>()},     {12410, creator<TFormEvCmd12410>()},
    };
    return table;
}

} // namespace

std::unique_ptr<TFormEvCmdBase> CreateEvCmdDialog(int32_t code, QWidget* owner) {
    if (auto dialog = CreateEvCmdDialog10810To13410(code, owner)) return dialog;
    if (isNoWindowCode(code)) return std::make_unique<TEvCmdNoWindow>(owner, code);
    auto found = dialogs().find(code);
    return found == dialogs().end() ? nullptr : found->second(owner);
}

bool HasEvCmdDialog(int32_t code) {
    return HasEvCmdDialog10810To13410(code) || isNoWindowCode(code) || dialogs().count(code) > 0;
}

} // namespace tarvel
