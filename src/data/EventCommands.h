#pragma once

// Every event command code in one table: the caption its picker button shows, where the button
// stands in the map-script picker (three pages of 30) and in the battle-script picker (30), and
// whether the paste filters of each kind of script keep it. The pickers, their Edit tables and the
// paste filters all read this table, so a command is offered, edited and pasted by the same rule.
// It is a plain table keyed by code; further columns belong here too.

#include <cstdint>
#include <vector>

#include "LD_Event.h"

namespace tarvel {

// The two command pickers: map and common-event scripts, and battle scripts.
enum class TCommandPicker { Map, Battle };

// The three kinds of script, which differ in the commands a paste may bring in.
enum class TScriptKind { MapEvent, CommonEvent, BattleEvent };

// Which paste filter lets a code through.
enum TPasteRule : uint8_t {
    // The filter of map event pages and common events removes it.
    RemovedFromMapScripts = 1,
    // The filter of battle event pages keeps it (every code without this flag is removed there).
    KeptInBattleScripts = 2,
};

struct TEventCommand {
    int32_t Code;
    // The picker button's text, with its leading blank ("..." when the command has a window);
    // nullptr for codes no picker offers.
    const char* Caption;
    // Position in the map-script picker (0..89: page = position div 30) and in the battle-script
    // picker (0..29); -1 where the picker does not offer the command.
    int MapButton;
    int BattleButton;
    uint8_t PasteRules;
};

// The whole table, in ascending code order.
const std::vector<TEventCommand>& EventCommands();
// The row of a code, or nullptr.
const TEventCommand* EventCommandOf(int32_t code);

// The number of buttons of a picker: 90 and 30.
int PickerButtonCount(TCommandPicker picker);
// The code of a picker's button, or 0 outside the picker.
int32_t PickerButtonCode(TCommandPicker picker, int position);
// The button of a code in a picker, or -1.
int PickerButtonOf(TCommandPicker picker, int32_t code);
// Whether the picker's Edit opens a dialog for this code: exactly the codes of its buttons.
inline bool PickerEdits(TCommandPicker picker, int32_t code) {
    return PickerButtonOf(picker, code) >= 0;
}
// The picker of a kind of script.
inline TCommandPicker PickerOf(TScriptKind kind) {
    return kind == TScriptKind::BattleEvent ? TCommandPicker::Battle : TCommandPicker::Map;
}

// Whether a script of this kind may hold the code (the paste filter's rule for one line).
bool PasteKeeps(TScriptKind kind, int32_t code);
// Removes the commands the script kind cannot hold. A removed line takes with it every following
// line up to the next one that has its indent and a code below 20000: its continuation, label and
// end lines and its bodies. Returns the number of lines removed.
int FilterPastedLines(TScriptKind kind, TQelEventScriptList& lines);

} // namespace tarvel
