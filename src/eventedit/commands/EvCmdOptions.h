#pragma once

// The values the command dialogs remember for the rest of the run. Each dialog keeps the working
// fields of its last OK in one typed option (a new command of that kind starts from them), and a
// few values are shared between dialogs of both halves of the family: the wait flag of the screen
// effects, the three variables that hold a place, and the monster group member of the enemy
// commands. Nothing here is ever saved; every value starts from its default at start-up.

#include <cstdint>
#include <map>
#include <memory>

#include "pickers/ProcessOption.h"

namespace tarvel {

class TEvCmdOptionBase {
public:
    virtual ~TEvCmdOptionBase() = default;
    virtual void ResetValue() = 0;
};

// Registers itself so that every remembered value can go back to its start at once.
void RegisterEvCmdOption(TEvCmdOptionBase* option);

// One remembered value of the command dialogs. Define it as a function-local static beside the
// dialog that owns it.
template <typename T>
class TEvCmdOption : public TProcessOption<T>, public TEvCmdOptionBase {
public:
    explicit TEvCmdOption(T initial) : TProcessOption<T>(std::move(initial)) { RegisterEvCmdOption(this); }
    void ResetValue() override { TProcessOption<T>::Reset(); }
};

// The remembered record of a dialog class that serves several command codes: one per code,
// starting from initial.
template <typename T>
TEvCmdOption<T>& RememberedOfCode(int32_t code, const T& initial = T{}) {
    static std::map<int32_t, std::unique_ptr<TEvCmdOption<T>>> options;
    auto& option = options[code];
    if (!option) option = std::make_unique<TEvCmdOption<T>>(initial);
    return *option;
}

// Every remembered value of the command dialogs back to its start (a fresh run; tests use it so
// that no test sees what another one chose).
void ResetEvCmdOptions();

// The wait flag shared by the screen colour, flash, shake, pan, move-picture, animation and
// flash-character dialogs.
TEvCmdOption<bool>& SharedWaitFlag();

// The variables that hold a map ID and a cell, shared by the memorize-place, memorized-teleport,
// vehicle-place, event-place and terrain- and event-ID dialogs.
struct TPlaceVariables {
    int32_t MapID = 1;
    int32_t X = 1;
    int32_t Y = 1;
};
TEvCmdOption<TPlaceVariables>& SharedPlaceVariables();

// The monster group member (0-based) shared by the four enemy dialogs.
TEvCmdOption<int32_t>& SharedMemberIndex();

} // namespace tarvel
