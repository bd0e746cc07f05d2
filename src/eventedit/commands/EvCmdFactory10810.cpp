#include <functional>
#include <map>

#include "EvCmdAnimation.h"
#include "EvCmdBase.h"
#include "EvCmdBattle.h"
#include "EvCmdFlow.h"
#include "EvCmdIf.h"
#include "EvCmdMapSettings.h"
#include "EvCmdPicture.h"
#include "EvCmdPlace.h"
#include "EvCmdScreen.h"
#include "EvCmdSound.h"

namespace tarvel {

namespace {

using Creator = std::function<std::unique_ptr<TFormEvCmdBase>(QWidget*)>;

template <typename Form>
Creator make() {
    return [](QWidget* owner) { return std::make_unique<Form>(owner); };
}

// The dialogs of the commands from Teleport (10810) to the battle commands: places and vehicles,
// the screen, pictures, animations, characters, sound and movies, map settings, flow control and
// battle. Set Chara Movement (11330) opens the move route editor and has none until that exists.
const std::map<int32_t, Creator>& table() {
    static const std::map<int32_t, Creator> dialogs = {
        {10810, make<TFormEvCmd10810>()}, {10820, make<TFormEvCmd10820>()}, {10830, make<TFormEvCmd10830>()},
        {10850, make<TFormEvCmd10850>()}, {10860, make<TFormEvCmd10860>()}, {10870, make<TFormEvCmd10870>()},
        {10910, make<TFormEvCmd10910>()}, {10920, make<TFormEvCmd10920>()}, {11010, make<TFormEvCmd11010>()},
        {11020, make<TFormEvCmd11020>()}, {11030, make<TFormEvCmd11030>()}, {11040, make<TFormEvCmd11040>()},
        {11050, make<TFormEvCmd11050>()}, {11060, make<TFormEvCmd11060>()}, {11070, make<TFormEvCmd11070>()},
        {11110, make<TFormEvCmd11110>()}, {11120, make<TFormEvCmd11120>()}, {11130, make<TFormEvCmd11130>()},
        {11210, make<TFormEvCmd11210>()}, {11310, make<TFormEvCmd11310>()}, {11320, make<TFormEvCmd11320>()},
        {11410, make<TFormEvCmd11410>()}, {11510, make<TFormEvCmd11510>()}, {11520, make<TFormEvCmd11520>()},
        {11550, make<TFormEvCmd11550>()}, {11560, make<TFormEvCmd11560>()}, {11610, make<TFormEvCmd11610>()},
        {11710, make<TFormEvCmd11710>()}, {11720, make<TFormEvCmd11720>()}, {11740, make<TFormEvCmd11740>()},
        {11750, make<TFormEvCmd11750>()}, {11810, make<TFormEvCmd11810>()}, {11820, make<TFormEvCmd11820>()},
        {11830, make<TFormEvCmd11830>()}, {11840, make<TFormEvCmd11840>()}, {11930, make<TFormEvCmd11930>()},
        {11960, make<TFormEvCmd11960>()}, {12010, make<TFormEvCmd12010>()}, {12110, make<TFormEvCmd12110>()},
        {12120, make<TFormEvCmd12120>()}, {12330, make<TFormEvCmd12330>()}, {13110, make<TFormEvCmd13110>()},
        {13120, make<TFormEvCmd13120>()}, {13130, make<TFormEvCmd13130>()}, {13150, make<TFormEvCmd13150>()},
        {13210, make<TFormEvCmd13210>()}, {13260, make<TFormEvCmd13260>()}, {13310, make<TFormEvCmd13310>()},
    };
    return dialogs;
}

} // namespace

std::unique_ptr<TFormEvCmdBase> CreateEvCmdDialog10810To13410(int32_t code, QWidget* owner) {
    auto found = table().find(code);
    return found == table().end() ? nullptr : found->second(owner);
}

bool HasEvCmdDialog10810To13410(int32_t code) {
    return table().count(code) > 0;
}

} // namespace tarvel
