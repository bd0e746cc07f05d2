#include "EventCommands.h"

#include <algorithm>

#include "EventCommandBlocks.h"

namespace tarvel {

namespace {

constexpr int MapPickerButtons = 90;
constexpr int BattlePickerButtons = 30;

// Code, caption, map picker position, battle picker position, paste rules.
const TEventCommand Table[] = {
    {0, nullptr, -1, -1, RemovedFromMapScripts},
    {10, nullptr, -1, -1, KeptInBattleScripts},
    {10110, " Message...", 0, 0, KeptInBattleScripts},
    {10120, " Message Style...", 1, -1, 0},
    {10130, " Face Graphics...", 2, 1, KeptInBattleScripts},
    {10140, " Show Choice...", 3, -1, 0},
    {10150, " Input Number...", 4, -1, 0},
    {10210, " Change Switch...", 5, 2, KeptInBattleScripts},
    {10220, " Change Variable...", 6, 3, KeptInBattleScripts},
    {10230, " Timer Operations...", 7, -1, 0},
    {10310, " Change Gold Held...", 8, -1, 0},
    {10320, " Add Item...", 9, 4, KeptInBattleScripts},
    {10330, " Change Party...", 10, 5, KeptInBattleScripts},
    {10410, " Change EXP...", 11, -1, 0},
    {10420, " Change Level...", 12, -1, 0},
    {10430, " Change Abilities...", 13, -1, 0},
    {10440, " Change Skill...", 14, 6, KeptInBattleScripts},
    {10450, " Change Equipment...", 15, 7, KeptInBattleScripts},
    {10460, " Change HP...", 16, 8, KeptInBattleScripts},
    {10470, " Change MP...", 17, 9, KeptInBattleScripts},
    {10480, " Change Condition...", 18, 10, KeptInBattleScripts},
    {10490, " Full Recovery...", 19, 11, KeptInBattleScripts},
    {10500, " Take Damage...", 20, -1, 0},
    {10610, " Change Hero Name...", 21, -1, 0},
    {10620, " Change Hero Degree...", 22, -1, 0},
    {10630, " Set Hero Walk GFX...", 23, -1, 0},
    {10640, " Change Hero Face...", 24, -1, 0},
    {10650, " Change Vehicle GFX...", 25, -1, 0},
    {10660, " Change System BGM...", 26, -1, 0},
    {10670, " Change System SE...", 27, -1, 0},
    {10680, " Set System Graphics...", 28, -1, 0},
    {10690, " Screen Exchange Style...", 29, -1, 0},
    {10710, " Start Combat...", 30, -1, 0},
    {10720, " Call Shop...", 31, -1, 0},
    {10730, " Call Inn...", 32, -1, 0},
    {10740, " Enter Hero Name...", 33, -1, 0},
    {10810, " Teleport...", 34, -1, 0},
    {10820, " Memory Place...", 35, -1, 0},
    {10830, " Goto Memorized Place...", 36, -1, 0},
    {10840, " Ride Vehicle", 37, -1, 0},
    {10850, " Set Vehicle Origin...", 38, -1, 0},
    {10860, " Set Event Place...", 39, -1, 0},
    {10870, " Swap 2 Events...", 40, -1, 0},
    {10910, " Set Ground ID...", 41, -1, 0},
    {10920, " Set Event ID...", 42, -1, 0},
    {11010, " Erase Screen...", 43, -1, 0},
    {11020, " Show Screen...", 44, -1, 0},
    {11030, " Set Screen Tone...", 45, 17, KeptInBattleScripts},
    {11040, " Flash Screen...", 46, 18, KeptInBattleScripts},
    {11050, " Shake Screen...", 47, 19, KeptInBattleScripts},
    {11060, " Pan Screen...", 48, -1, 0},
    {11070, " Call Weather Effect...", 49, -1, 0},
    {11110, " Show Picture...", 50, -1, 0},
    {11120, " Move Picture...", 51, -1, 0},
    {11130, " Erase Picture...", 52, -1, 0},
    {11210, " Show Battle Animation...", 53, -1, 0},
    {11310, " Set Hero Transperency...", 54, -1, 0},
    {11320, " Flash Chara...", 55, -1, 0},
    {11330, " Set Chara Movement...", 56, -1, 0},
    {11340, " Move All", 57, -1, 0},
    {11350, " Stop All", 58, -1, 0},
    {11410, " Wait...", 59, 21, KeptInBattleScripts},
    {11510, " Play BGM...", 60, 22, KeptInBattleScripts},
    {11520, " Fade-out BGM...", 61, 23, KeptInBattleScripts},
    {11530, " Memorize BGM", 62, -1, 0},
    {11540, " Play Memorized BGM", 63, -1, 0},
    {11550, " Play SE...", 64, 24, KeptInBattleScripts},
    {11560, " Play Movie...", 65, -1, 0},
    {11610, " Set Password...", 66, -1, 0},
    {11710, " Change ChipSet...", 67, -1, 0},
    {11720, " Change BackGround...", 68, -1, 0},
    {11740, " Encounter Rate...", 69, -1, 0},
    {11750, " Change Chip...", 70, -1, 0},
    {11810, " Set Teleport Place...", 71, -1, 0},
    {11820, " Disable Teleport...", 72, -1, 0},
    {11830, " Set Escape Place...", 73, -1, 0},
    {11840, " Disable Escape...", 74, -1, 0},
    {11910, " Call Save Menu", 75, -1, 0},
    {11930, " Disable Save...", 76, -1, 0},
    {11950, " Call Menu", 77, -1, 0},
    {11960, " Disable Menu...", 78, -1, 0},
    {12010, " Fork Conditions...", 79, -1, 0},
    {12110, " Label...", 80, -1, 0},
    {12120, " Goto Label...", 81, -1, 0},
    {12210, " Cycle", 82, -1, 0},
    {12220, " Break Cycle", 83, -1, 0},
    {12310, " Stop Parallel Events", 84, 26, KeptInBattleScripts},
    {12320, " Erase Timer Events", 85, -1, 0},
    {12330, " Call Event...", 86, -1, 0},
    {12410, " Comment...", 87, 27, KeptInBattleScripts},
    {12420, " Game Over", 88, 28, KeptInBattleScripts},
    {12510, " Go to Title Screen", 89, -1, 0},
    {13110, " Change Enemy HP", -1, 12, RemovedFromMapScripts | KeptInBattleScripts},
    {13120, " Change Enemy MP", -1, 13, RemovedFromMapScripts | KeptInBattleScripts},
    {13130, " Chng.Enemy State...", -1, 14, RemovedFromMapScripts | KeptInBattleScripts},
    {13150, " Enemy Encount...", -1, 15, RemovedFromMapScripts | KeptInBattleScripts},
    {13210, " Change Battle BG...", -1, 16, RemovedFromMapScripts | KeptInBattleScripts},
    {13260, " Show Battle Animation...", -1, 20, RemovedFromMapScripts | KeptInBattleScripts},
    {13310, " Fork Conditions...", -1, 25, RemovedFromMapScripts | KeptInBattleScripts},
    {13410, " Stop Combat...", -1, 29, RemovedFromMapScripts | KeptInBattleScripts},
    {20110, nullptr, -1, -1, KeptInBattleScripts},
    {22410, nullptr, -1, -1, KeptInBattleScripts},
    {23310, nullptr, -1, -1, RemovedFromMapScripts | KeptInBattleScripts},
    {23311, nullptr, -1, -1, RemovedFromMapScripts | KeptInBattleScripts},
};

} // namespace

const std::vector<TEventCommand>& EventCommands() {
    static const std::vector<TEventCommand> table(std::begin(Table), std::end(Table));
    return table;
}

const TEventCommand* EventCommandOf(int32_t code) {
    const std::vector<TEventCommand>& table = EventCommands();
    auto it = std::lower_bound(table.begin(), table.end(), code,
                               [](const TEventCommand& row, int32_t value) { return row.Code < value; });
    return it != table.end() && it->Code == code ? &*it : nullptr;
}

int PickerButtonCount(TCommandPicker picker) {
    return picker == TCommandPicker::Map ? MapPickerButtons : BattlePickerButtons;
}

int32_t PickerButtonCode(TCommandPicker picker, int position) {
    for (const TEventCommand& row : EventCommands())
        if ((picker == TCommandPicker::Map ? row.MapButton : row.BattleButton) == position && position >= 0)
            return row.Code;
    return 0;
}

int PickerButtonOf(TCommandPicker picker, int32_t code) {
    const TEventCommand* row = EventCommandOf(code);
    if (!row) return -1;
    return picker == TCommandPicker::Map ? row->MapButton : row->BattleButton;
}

bool PasteKeeps(TScriptKind kind, int32_t code) {
    const TEventCommand* row = EventCommandOf(code);
    const uint8_t rules = row ? row->PasteRules : 0;
    if (kind == TScriptKind::BattleEvent) return (rules & KeptInBattleScripts) != 0;
    return (rules & RemovedFromMapScripts) == 0;
}

int FilterPastedLines(TScriptKind kind, TQelEventScriptList& lines) {
    int removed = 0;
    int i = 0;
    while (i < lines.Count()) {
        const TQelEventScriptLine& line = *lines.Line(i);
        if (PasteKeeps(kind, line.Code)) {
            ++i;
            continue;
        }
        const int32_t indent = line.Indent;
        int end = i + 1;
        while (end < lines.Count()) {
            const TQelEventScriptLine& next = *lines.Line(end);
            // A line above the removed one's level ends it too, so a broken block never takes
            // the lines of the commands around it.
            if (next.Indent < indent || (next.Indent == indent && IsCommandCode(next.Code))) break;
            ++end;
        }
        for (int k = end; k > i; --k)
            lines.Delete(i);
        removed += end - i;
    }
    return removed;
}

} // namespace tarvel
