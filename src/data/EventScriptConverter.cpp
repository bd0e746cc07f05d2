#include "EventScriptConverter.h"

#include <cstdio>
#include <cstdlib>

#include "LD_DataBase.h"
#include "LD_Map.h"
#include "LD_MapTree.h"
#include "LD_MoveRoute.h"

namespace tarvel {

const char* const BrokenLineText = "<>Data Broken. Sorry! ";

namespace {

const char* const kUnknown = "?";
const char* const kIndentUnit = "  ";
// The move list of "Set Chara's Movement" stops growing once the line is this many characters.
constexpr size_t kMoveListStop = 120;

// Character designators.
constexpr int32_t kHero = 10001;
constexpr int32_t kBoat = 10002;
constexpr int32_t kShip = 10003;
constexpr int32_t kAirship = 10004;
constexpr int32_t kThisEvent = 10005;

// A choice among words by a value writes nothing when the value is outside the list.
template <size_t N>
void word(std::string& out, int64_t value, const char* const (&words)[N]) {
    if (value >= 0 && value < static_cast<int64_t>(N)) out += words[value];
}

// Formats numbers only: texts are always appended as they are, so names with any bytes (a zero
// byte included) and of any length come through whole.
template <typename... Args>
void format(std::string& out, const char* pattern, Args... args) {
    char buffer[128];
    int n = std::snprintf(buffer, sizeof buffer, pattern, args...);
    if (n > 0)
        out.append(buffer,
                   static_cast<size_t>(n) < sizeof buffer ? static_cast<size_t>(n) : sizeof buffer - 1);
}

void number(std::string& out, int64_t value) {
    out += std::to_string(value);
}

// Characters of UTF-8 text; a byte that does not belong to a well-formed character counts as one.
size_t characterCount(const std::string& text) {
    size_t count = 0;
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        size_t k = 1;
        while (k < length && i + k < text.size() && (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80)
            ++k;
        i += (length > 1 && k == length) ? length : 1;
        ++count;
    }
    return count;
}

// Erase types run from -1 (the type set for the situation) to 20; show types from -1 to 19.
const char* const kEraseTypes[] = {
    "CreatMovePlace",
    "Fade-Out      ",
    "Whole Random Blocks   ",
    "Random Blocks Up      ",
    "Random blocks Down    ",
    "Blind Close       ",
    "Hi-Low Stripe     ",
    "Left-Right Stripe ",
    "Outside-Inside",
    "Inside-Outside",
    "Scroll Up     ",
    "Scroll Down   ",
    "Scroll Left   ",
    "Scroll Right  ",
    "Hi-LowDiv\x84",
    "Lft-Rt Div",
    "HiLow,LfRt Div",
    "Zoom In   ",
    "Mosaic  ",
    "Roster Scroll   ",
    "Instant ",
    "Leave     ",
};
const char* const kShowTypes[] = {
    "Set Move Place",
    "Fade-in     ",
    "Random Blocks Whole   ",
    "Random Blocks Up      ",
    "Random Blocks Down    ",
    "Blind Open        ",
    "Up-Down Stripe    ",
    "Left-Right Stripe ",
    "Outside-Center",
    "Center-Outside",
    "Scroll Down     ",
    "Scroll Up       ",
    "Scroll Right    ",
    "Empty LeftScroll",
    "VerticalComb",
    "HorisontComb",
    "Hi-Low ContrFrom",
    "Zoom Out    ",
    "Mosaic  ",
    "Roster Scroll   ",
    "Instant ",
};

const char* const kVehicles[] = {"Boat  ", "Ship  ", "Airshp"};
const char* const kDirections[] = {"Up", "Rt", "Dw", "Lf"};
const char* const kEnable[] = {"Disable ", "Enable  "};
const char* const kIncrease[] = {"Incr. ", "Decrem"};
const char* const kRaise[] = {"Raise ", " Hang "};
const char* const kRecover[] = {"Recovery  ", "Decrem"};
const char* const kOverLess[] = {"Over", "Less"};
const char* const kAbilities[] = {"Max HP", "Max MP", "Attack", "Defenc", "Mind  ", "Agilit"};
const char* const kConditionArrow[] = {"->", "  "};
const char* const kConditionWord[] = {"Condition ", " Cancel   "};

// The part of a line that the lookups and recurring pieces need: the context and the database.
class Composer {
public:
    Composer(const TEventScriptContext& context, const TQelEventScriptLine& line)
        : mContext(context), mLine(line), mDataBase(context.DataBase ? context.DataBase : QelDataBase()) {}

    std::string Compose();

private:
    int32_t p(int i) const { return mLine.Param(i); }

    // Lookups: "?" when the ID is not found.
    template <typename List>
    void name(const List* list, int32_t id) {
        const TCatalogItem* item = list ? list->Find(id) : nullptr;
        mOut += item ? item->Name : kUnknown;
    }
    void heroName(int32_t id) { name(mDataBase ? &mDataBase->Heroes() : nullptr, id); }
    void itemName(int32_t id) { name(mDataBase ? &mDataBase->Items() : nullptr, id); }
    void skillName(int32_t id) { name(mDataBase ? &mDataBase->Skills() : nullptr, id); }
    void conditionName(int32_t id) { name(mDataBase ? &mDataBase->Conditions() : nullptr, id); }
    void animationName(int32_t id) { name(mDataBase ? &mDataBase->Animations() : nullptr, id); }
    void groupName(int32_t id) { name(mDataBase ? &mDataBase->MonGroups() : nullptr, id); }
    void chipSetName(int32_t id) { name(mDataBase ? &mDataBase->ChipSets() : nullptr, id); }
    void commonEventName(int32_t id) { name(mDataBase ? &mDataBase->CommonEvents() : nullptr, id); }

    void switchLabel(int32_t id) {
        const TQelSwitchItem* item = mDataBase ? mDataBase->Switches().Find(id) : nullptr;
        mOut += item ? item->DisplayLabel() : kUnknown;
    }
    void variableLabel(int32_t id) {
        const TQelVariableItem* item = mDataBase ? mDataBase->Variables().Find(id) : nullptr;
        mOut += item ? item->DisplayLabel() : kUnknown;
    }
    void mapName(int32_t id) {
        const TQelMapTreeItem* node = mContext.MapTree && id > 0 ? mContext.MapTree->Find(id) : nullptr;
        mOut += node ? node->Name : kUnknown;
    }
    void characterName(int32_t designator);
    void memberName(int32_t index);
    void eraseType(int32_t type) { word(mOut, static_cast<int64_t>(type) + 1, kEraseTypes); }
    void showType(int32_t type) { word(mOut, static_cast<int64_t>(type) + 1, kShowTypes); }

    // Recurring pieces.
    void target(int32_t mode, int32_t value) {
        if (mode == 0)
            mOut += "All Members ";
        else if (mode == 1)
            heroName(value);
        else if (mode == 2)
            format(mOut, "V[%.4d]", value);
    }
    void operand(int32_t mode, int32_t value) {
        if (mode == 0)
            number(mOut, value);
        else if (mode == 1)
            format(mOut, "V[%.4d]", value);
    }
    template <typename Lookup>
    void idOrVariable(int32_t mode, int32_t value, Lookup lookup) {
        if (mode == 0)
            (this->*lookup)(value);
        else if (mode == 1)
            format(mOut, "V[%.4d]", value);
    }
    void place(int32_t mode, int32_t x, int32_t y) {
        if (mode == 0)
            format(mOut, "(%.3d,%.3d)", x, y);
        else if (mode == 1)
            format(mOut, "(V[%.4d],V[%.4d])", x, y);
    }
    void picturePlace(int32_t mode, int32_t x, int32_t y) {
        if (mode == 0)
            format(mOut, "(%d,%d)", x, y);
        else if (mode == 1)
            format(mOut, "(V[%.4d],V[%.4d])", x, y);
    }
    void waitMark(int32_t flag) {
        if (flag == 1) mOut += "(W)";
    }
    // "%.4d:%s (%.3d,%.3d)" of a map ID, its name and a cell.
    void mapPlace(int32_t map, int32_t x, int32_t y) {
        format(mOut, "%.4d:", map);
        mapName(map);
        format(mOut, " (%.3d,%.3d)", x, y);
    }
    // The target of "Change Switch" and "Variable Op" (one, a range, or one named by a variable).
    void switchOrVariableTarget(bool variables) {
        switch (p(0)) {
        case 0:
            mOut += "[";
            variables ? variableLabel(p(1)) : switchLabel(p(1));
            mOut += "]";
            break;
        case 1:
            format(mOut, "[%.4d*%.4d] ", p(1), p(2));
            break;
        case 2:
            format(mOut, "[V[%.4d]]", p(1));
            break;
        default:
            break;
        }
    }
    // The graphic commands of heroes and vehicles: "->" + file + "-" + index + 1 + " Set  ".
    void graphicSet(int32_t index) {
        mOut += "->";
        mOut += mLine.Text;
        mOut += "-";
        number(mOut, static_cast<int64_t>(index) + 1);
        mOut += " Set  ";
    }

    void variableOperand();
    void conditionText();
    void moveList();

    const TEventScriptContext& mContext;
    const TQelEventScriptLine& mLine;
    const TQelDataBase* mDataBase;
    std::string mOut;
};

void Composer::characterName(int32_t designator) {
    switch (designator) {
    case kHero:
        mOut += "Hero  ";
        return;
    case kBoat:
        mOut += "Boat  ";
        return;
    case kShip:
        mOut += "Ship  ";
        return;
    case kAirship:
        mOut += "Airshp";
        return;
    case kThisEvent:
        mOut += " this Event ";
        return;
    default:
        break;
    }
    if (!mContext.Map) {
        mOut += kUnknown;
        return;
    }
    // The event being edited shows the name typed in the editor, also before it is applied.
    if (mContext.Event && mContext.EventID != 0 && designator == mContext.EventID) {
        mOut += mContext.Event->Name;
        return;
    }
    const TQelEventItem* event = mContext.Map->Events.Find(designator);
    mOut += event ? event->Name : kUnknown;
}

void Composer::memberName(int32_t index) {
    const TQelMonGroupItem* group = mContext.MonGroup;
    if (group && index < 0) {
        mOut += "Whole Group ";
        return;
    }
    number(mOut, static_cast<int64_t>(index) + 1);
    const TQelMonGroupMonsterItem* member = group ? group->Members.Items(index) : nullptr;
    const TQelMonsterItem* monster =
        member && mDataBase ? mDataBase->Monsters().Find(member->MonsterID) : nullptr;
    mOut += ":";
    mOut += monster ? monster->Name : kUnknown;
}

// The source of "Variable Op" (p4 the kind, p5 and p6 its values).
void Composer::variableOperand() {
    static const char* const heldWords[] = {"Hold Num", "EquipmNm"};
    static const char* const heroWords[] = {"Level ",  "EXP   ", "HP",     "MP",     "Max HP",
                                            "Max MP",  "Attack", "Defenc", "Mind  ", "Agilit",
                                            "Weapon.", "Shld.",  "Armr.",  "Helm.",  "Other No."};
    static const char* const characterWords[] = {"Map ID  ", "X pos", "Y pos", "Dire", "PicsX", "PicsY"};
    static const char* const otherWords[] = {"Money#",     "Timer Time Remain ", "Size of Party ",
                                             "Save Times", "Battles#",           "Victory#",
                                             "Defeati#",   "Fight # ",           "MIDI Play Pos.(Tick)"};
    static const char* const enemyWords[] = {"HP",     "MP",     "Max HP", "Max MP",
                                             "Attack", "Defenc", "Mind  ", "Agilit"};
    switch (p(4)) {
    case 0:
        format(mOut, "%d", p(5));
        break;
    case 1:
        format(mOut, "Var.[%.4d]val.", p(5));
        break;
    case 2:
        format(mOut, "Var.[V[%.4d]]val.", p(5));
        break;
    case 3:
        format(mOut, "Randm[%d*%d]", p(5), p(6));
        break;
    case 4:
        itemName(p(5));
        word(mOut, p(6), heldWords);
        break;
    case 5:
        heroName(p(5));
        mOut += "  ";
        word(mOut, p(6), heroWords);
        break;
    case 6:
        characterName(p(5));
        mOut += "  ";
        word(mOut, p(6), characterWords);
        break;
    case 7:
        word(mOut, p(5), otherWords);
        break;
    case 8:
        memberName(p(5));
        mOut += "  ";
        word(mOut, p(6), enemyWords);
        break;
    default:
        break;
    }
}

// The condition of "Fork Optn" (p0 the kind, p1..p4 and the string as the kind says).
void Composer::conditionText() {
    static const char* const onOff[] = {"ON", "OFF"};
    static const char* const comparisons[] = {"Equivl", "Over", "Less", "Large Than", "Small than", "Expt"};
    static const char* const held[] = {" Have (hold)", " have (hold)  "};
    switch (p(0)) {
    case 0:
        mOut += "Switch [";
        switchLabel(p(1));
        mOut += "]-  ";
        word(mOut, p(2), onOff);
        break;
    case 1:
        mOut += "Varbl[";
        variableLabel(p(1));
        mOut += "]-";
        operand(p(2), p(3));
        // "Equivl" follows a variable operand only; after a constant the comparison is left out.
        if (p(4) != 0 || p(2) == 1) word(mOut, p(4), comparisons);
        break;
    case 2:
        mOut += "Timer -   ";
        format(mOut, "%dm.%.2ds.", p(1) / 60, p(1) % 60);
        word(mOut, p(2), kOverLess);
        break;
    case 3:
        mOut += "MoneyOwn";
        number(mOut, p(1));
        word(mOut, p(2), kOverLess);
        break;
    case 4:
        itemName(p(1));
        word(mOut, p(2), held);
        break;
    case 5:
        heroName(p(1));
        switch (p(2)) {
        case 0:
            mOut += " Party Members    ";
            break;
        case 1:
            mOut += " Name - ";
            mOut += mLine.Text;
            break;
        case 2:
            mOut += " Level -  ";
            number(mOut, p(3));
            mOut += "Over";
            break;
        case 3:
            mOut += " HP - ";
            number(mOut, p(3));
            mOut += "Over";
            break;
        case 4:
            mOut += "- ";
            skillName(p(3));
            mOut += " Use Wear   ";
            break;
        case 5:
            mOut += "- ";
            itemName(p(3));
            mOut += " Equipment    ";
            break;
        case 6:
            mOut += "- ";
            conditionName(p(3));
            mOut += " Condition      ";
            break;
        default:
            break;
        }
        break;
    case 6:
        characterName(p(1));
        mOut += "- ";
        word(mOut, p(2), kDirections);
        mOut += " Go Towards ";
        break;
    case 7:
        word(mOut, p(1), kVehicles);
        mOut += " to Get On  ";
        break;
    case 8:
        mOut += "Descision Key of Starting Event ";
        break;
    case 9:
        mOut += "Play BGM One Loop    ";
        break;
    default:
        break;
    }
}

// The route of "Set Chara's Movement": parameters 4 onward are the route's bytes, decoded one
// command at a time. A route cut inside a command raises the read error that breaks the line.
void Composer::moveList() {
    if (mLine.ParamCount() < 5) return;
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(mLine.ParamCount() - 4));
    for (int i = 4; i < mLine.ParamCount(); ++i)
        bytes.push_back(static_cast<uint8_t>(p(i) & 0xFF));
    TMemoryStream route(std::move(bytes));
    TQelMoveRouteItem command;
    size_t characters = characterCount(mOut);
    while (route.Position() < route.Size()) {
        command.ReadCommand(route);
        const char* name = CommandName(command.Code);
        mOut += ", ";
        mOut += name;
        characters += 2 + characterCount(name);
        if (characters >= kMoveListStop) break;
    }
}

std::string Composer::Compose() {
    static const char* const windows[] = {"Norml,", "Trnsp,"};
    static const char* const positions[] = {"Top,", "Mid,", "Bot,"};
    static const char* const scrolls[] = {"Fixed,", "AuScrl"};
    static const char* const eventsWait[] = {"Events Moves Ban", "Events Can Moves"};
    static const char* const sides[] = {"Lft,", "Rgt,"};
    static const char* const mirrors[] = {"Normal  ", "Mirrored"};
    static const char* const switchOps[] = {"-ON Set   ", "-OFF Set   ", "-ON/OFF Triger"};
    static const char* const variableOps[] = {" Set", " +  ", " -  ", " *  ", "Div ", "Bala"};
    static const char* const partyOps[] = {"Add   ", "Remv"};
    static const char* const skillOps[] = {"Memory", "Forget"};
    static const char* const slots[] = {"Arms", "Sh", "Ar", "Hl", "Other ", "All   "};
    static const char* const systemMusic[] = {"Batl",   "BattlEnd", "Inn ",          "Boat  ",
                                              "Ship  ", "Airshp",   "Game Over     "};
    static const char* const systemSounds[] = {"Cursor Movem", "Dcid", "Cancel    ",   "Buzzer",
                                               "BattlStr",     "Flee", "Enemy Attack", "EnemyDamag",
                                               "Ally Damage ", "Evad", "EnmRIP",       "Item Use    "};
    static const char* const situations[] = {"Teleport/Eras", "Teleport/Show", "BattleSt/Eras",
                                             "BattlStr/Show", "BattlEnd/Eras", "BattlEnd/Show"};
    static const char* const opacity[] = {"Translucent   ", "Non Transparent   "};
    static const char* const weathers[] = {"None", "Ra", "Sn"};
    static const char* const strengths[] = {"Lo", "Mi", "Hi"};
    static const char* const layers[] = {"LowerChip ", "UpperChip "};

    switch (mLine.Code) {
    case 0:
    case 10:
        mOut += "<>";
        break;
    case 10110:
        mOut += "<>Messg:";
        mOut += mLine.Text;
        break;
    case 20110:
    case 22410:
        mOut += ":      :";
        mOut += mLine.Text;
        break;
    case 10120:
        mOut += "<>Set Message Options:";
        word(mOut, p(0), windows);
        word(mOut, p(1), positions);
        word(mOut, p(2), scrolls);
        word(mOut, p(3), eventsWait);
        break;
    case 10130:
        mOut += "<>Set Face Graphic to:  ";
        if (mLine.Text.empty()) {
            mOut += "Eras";
        } else {
            mOut += mLine.Text;
            mOut += ", ";
            number(mOut, static_cast<int64_t>(p(0)) + 1);
            mOut += ", ";
            word(mOut, p(1), sides);
            word(mOut, p(2), mirrors);
        }
        break;
    case 10140:
        mOut += "<>Show Choices: ";
        mOut += mLine.Text;
        break;
    case 20140:
        if (p(0) == 4) {
            mOut += ": Cancel Case     ";
        } else {
            mOut += ":[";
            mOut += mLine.Text;
            mOut += "] Case  ";
        }
        break;
    case 20141:
    case 20713:
    case 20722:
    case 20732:
    case 22011:
    case 23311:
        mOut += ":End Case ";
        break;
    case 10150:
        mOut += "<>Input Number:   ";
        format(mOut, "%dCol.", p(0));
        mOut += "[";
        variableLabel(p(1));
        mOut += "]";
        break;
    case 10210:
        mOut += "<>Change Switch:  ";
        switchOrVariableTarget(false);
        word(mOut, p(3), switchOps);
        break;
    case 10220:
        mOut += "<>Variable Op:";
        switchOrVariableTarget(true);
        word(mOut, p(3), variableOps);
        mOut += ", ";
        variableOperand();
        break;
    case 10230:
        mOut += "<>Timer Operation:";
        if (p(0) == 1) {
            mOut += "StartTmr";
        } else if (p(0) == 2) {
            mOut += "StopTimr";
        } else if (p(0) == 0) {
            mOut += "Cost Creat";
            if (p(1) == 0)
                format(mOut, "%dm.%.2ds.", p(2) / 60, p(2) % 60);
            else if (p(1) == 1)
                format(mOut, "V[%.4d]", p(2));
        }
        break;
    case 10310:
        mOut += "<>Change Money: ";
        mOut += "OwnMoney";
        operand(p(1), p(2));
        word(mOut, p(0), kIncrease);
        break;
    case 10320:
        mOut += "<>Add/Remove Item:";
        idOrVariable(p(1), p(2), &Composer::itemName);
        mOut += "->";
        operand(p(3), p(4));
        word(mOut, p(0), kIncrease);
        break;
    case 10330:
        mOut += "<>Change Heroes Party:";
        idOrVariable(p(1), p(2), &Composer::heroName);
        mOut += "->";
        word(mOut, p(0), partyOps);
        break;
    case 10410:
        mOut += "<>Change EXP:   ";
        target(p(0), p(1));
        mOut += " EXP -    ";
        operand(p(3), p(4));
        word(mOut, p(2), kIncrease);
        break;
    case 10420:
        mOut += "<>Change Level: ";
        target(p(0), p(1));
        mOut += " Level -  ";
        operand(p(3), p(4));
        word(mOut, p(2), kRaise);
        break;
    case 10430:
        mOut += "<>Chang.Ability:";
        target(p(0), p(1));
        mOut += "  ";
        word(mOut, p(3), kAbilities);
        mOut += "->";
        operand(p(4), p(5));
        word(mOut, p(2), kRaise);
        break;
    case 10440:
        mOut += "<>Change T.Skills:";
        target(p(0), p(1));
        mOut += "- ";
        idOrVariable(p(3), p(4), &Composer::skillName);
        mOut += "->";
        word(mOut, p(2), skillOps);
        break;
    case 10450:
        mOut += "<>Equipment:  ";
        target(p(0), p(1));
        mOut += "- ";
        if (p(2) == 0) {
            idOrVariable(p(3), p(4), &Composer::itemName);
            mOut += "Equipment-";
        } else if (p(2) == 1) {
            word(mOut, p(3), slots);
            mOut += " RemovEquipm";
        }
        break;
    case 10460:
        mOut += "<>HP Change:";
        target(p(0), p(1));
        mOut += " HP - ";
        operand(p(3), p(4));
        word(mOut, p(2), kRecover);
        break;
    case 10470:
        mOut += "<>MP Change:";
        target(p(0), p(1));
        mOut += " MP - ";
        operand(p(3), p(4));
        word(mOut, p(2), kRecover);
        break;
    case 10480:
        mOut += "<>Condition:  ";
        target(p(0), p(1));
        word(mOut, p(2), kConditionArrow);
        conditionName(p(3));
        word(mOut, p(2), kConditionWord);
        break;
    case 10490:
        mOut += "<>Recover:";
        target(p(0), p(1));
        mOut += "All Party   ";
        break;
    case 10500:
        mOut += "<>Take Damage:    ";
        target(p(0), p(1));
        format(mOut, "Attack %d Damage    ", p(2));
        break;
    case 10610:
        mOut += "<>Change Hero Name: ";
        heroName(p(0));
        mOut += " Name - ";
        mOut += mLine.Text;
        mOut += " Set  ";
        break;
    case 10620:
        mOut += "<>Change Hero Degree: ";
        heroName(p(0));
        mOut += " Degree - ";
        mOut += mLine.Text;
        mOut += " Set  ";
        break;
    case 10630:
        mOut += "<>Set Hero's Walk Graphics:     ";
        heroName(p(0));
        graphicSet(p(1));
        break;
    case 10640:
        mOut += "<>Set Hero's Face Graphics:   ";
        heroName(p(0));
        graphicSet(p(1));
        break;
    case 10650:
        mOut += "<>Change Vehicle Graphics:  ";
        word(mOut, p(0), kVehicles);
        graphicSet(p(1));
        break;
    case 10660:
        mOut += "<>Change System BGM: ";
        word(mOut, p(0), systemMusic);
        mOut += "->";
        mOut += mLine.Text;
        mOut += " Set  ";
        break;
    case 10670:
        mOut += "<>Change System SE:     ";
        word(mOut, p(0), systemSounds);
        mOut += "->";
        mOut += mLine.Text;
        mOut += " Set  ";
        break;
    case 10680:
        mOut += "<>Change System Graphics:     ";
        mOut += mLine.Text;
        break;
    case 10690:
        mOut += "<>Set Scrn. Exchange Type:";
        word(mOut, p(0), situations);
        mOut += ", ";
        // Erase situations are the even ones, show situations the odd positive ones.
        if (p(0) % 2 == 0)
            eraseType(p(1));
        else if (p(0) > 0)
            showType(p(1));
        break;
    case 10710:
        mOut += "<>Strt Combat:";
        idOrVariable(p(0), p(1), &Composer::groupName);
        if (p(2) == 1) {
            mOut += ", ";
            mOut += mLine.Text;
        }
        if (p(5) == 1) {
            mOut += ", ";
            mOut += "PreemptA";
        }
        break;
    case 20710:
        mOut += ":VictoryCase";
        break;
    case 20711:
        mOut += ":Escape Case";
        break;
    case 20712:
        mOut += ":Defeat Case";
        break;
    case 10720:
        mOut += "<>Call Shop:  ";
        if (p(0) == 1)
            mOut += "(Purchase) ";
        else if (p(0) == 2)
            mOut += "(Sell)     ";
        // A sell-only shop has no goods, whatever parameters it carries.
        if (p(0) <= 1) {
            for (int i = 4; i < mLine.ParamCount(); ++i) {
                if (i > 4) mOut += ", ";
                itemName(p(i));
            }
        }
        break;
    case 20720:
        mOut += ":Trade Case   ";
        break;
    case 20721:
        mOut += ":Trade Case??   ";
        break;
    case 10730:
        mOut += "<>Call Inn:   ";
        mOut += "LodgCost";
        number(mOut, p(1));
        break;
    case 20730:
        mOut += ":Lodging Case ";
        break;
    case 20731:
        mOut += ":Lodging Case?? ";
        break;
    case 10740:
        mOut += "<>Enter Name:     ";
        heroName(p(0));
        break;
    case 10810:
        mOut += "<>Teleport: ";
        mapPlace(p(0), p(1), p(2));
        break;
    case 10820:
        mOut += "<>Memorize Place:   ";
        format(mOut, "[%.4d], [%.4d], [%.4d]", p(0), p(1), p(2));
        break;
    case 10830:
        mOut += "<>Goto Memorized Plac:";
        format(mOut, "V[%.4d] (V[%.4d],V[%.4d])", p(0), p(1), p(2));
        break;
    case 10840:
        mOut += "<>Ride Vehicl:";
        break;
    case 10850:
        mOut += "<>Set Vehicles Origin:";
        word(mOut, p(0), kVehicles);
        mOut += ", ";
        if (p(1) == 0)
            mapPlace(p(2), p(3), p(4));
        else if (p(1) == 1)
            format(mOut, "V[%.4d] (V[%.4d],V[%.4d])", p(2), p(3), p(4));
        break;
    case 10860:
        mOut += "<>Set Event's Place:    ";
        characterName(p(0));
        mOut += ", ";
        place(p(1), p(2), p(3));
        break;
    case 10870:
        mOut += "<>Swap 2 Events:        ";
        characterName(p(0));
        mOut += ", ";
        characterName(p(1));
        break;
    case 10910:
        mOut += "<>Set Terrain's ID:     ";
        place(p(0), p(1), p(2));
        mOut += ", [";
        variableLabel(p(3));
        mOut += "]";
        break;
    case 10920:
        mOut += "<>Set Event's ID:           ";
        place(p(0), p(1), p(2));
        mOut += ", [";
        variableLabel(p(3));
        mOut += "]";
        break;
    case 11010:
        mOut += "<>Erase Scren:";
        eraseType(p(0));
        break;
    case 11020:
        mOut += "<>Show Screen:";
        showType(p(0));
        break;
    case 11030:
        mOut += "<>Set Screen Tone:";
        format(mOut, "(R%.3d,G%.3d,B%.3d,S%.3d),%d.%dsec", p(0), p(1), p(2), p(3), p(4) / 10, p(4) % 10);
        waitMark(p(5));
        break;
    case 11040:
        mOut += "<>Flash Screen:     ";
        format(mOut, "(R%.2d,G%.2d,B%.2d,V%.2d),%d.%dsec", p(0), p(1), p(2), p(3), p(4) / 10, p(4) % 10);
        waitMark(p(5));
        break;
    case 11050:
        mOut += "<>Shake Screen:   ";
        format(mOut, "Pow.%d,Speed %d,%d.%ds.", p(0), p(1), p(2) / 10, p(2) % 10);
        waitMark(p(3));
        break;
    case 11060:
        mOut += "<>Pan Screen:       ";
        if (p(0) == 0)
            mOut += "Fixed   ";
        else if (p(0) == 1)
            mOut += "Cancel Fixatio";
        else if (p(0) == 3)
            mOut += "Restore Origin P";
        if (p(0) >= 2) {
            if (p(0) == 2) {
                word(mOut, p(1), kDirections);
                mOut += "- ";
                number(mOut, p(2));
                mOut += "Delay,  ";
            }
            mOut += "Rate";
            number(mOut, p(3));
            waitMark(p(4));
        }
        break;
    case 11070:
        mOut += "<>Set Weather Effect:   ";
        word(mOut, p(0), weathers);
        if (p(0) >= 1) {
            mOut += ", ";
            word(mOut, p(1), strengths);
        }
        break;
    case 11110:
        mOut += "<>Show Picture:     ";
        number(mOut, p(0));
        mOut += ", ";
        mOut += mLine.Text;
        mOut += ", ";
        picturePlace(p(1), p(2), p(3));
        break;
    case 11120:
        mOut += "<>Move Picture:     ";
        number(mOut, p(0));
        mOut += ", ";
        picturePlace(p(1), p(2), p(3));
        format(mOut, ",%d.%dsec", p(14) / 10, p(14) % 10);
        waitMark(p(15));
        break;
    case 11130:
        mOut += "<>Erase Picture:    ";
        number(mOut, p(0));
        break;
    case 11210:
        mOut += "<>Show Battle Anim.:";
        animationName(p(0));
        mOut += ", ";
        characterName(p(1));
        waitMark(p(2));
        break;
    case 11310:
        mOut += "<>Set Hero's Opacity:   ";
        word(mOut, p(0), opacity);
        break;
    case 11320:
        mOut += "<>Flash Character:          ";
        characterName(p(0));
        mOut += ", ";
        format(mOut, "%d.%ds.", p(5) / 10, p(5) % 10);
        waitMark(p(6));
        break;
    case 11330:
        mOut += "<>Set Chara's Movement:   ";
        characterName(p(0));
        moveList();
        break;
    case 11340:
        mOut += "<>Move All        ";
        break;
    case 11350:
        mOut += "<>Stop All        ";
        break;
    case 11410:
        mOut += "<>Wait:     ";
        format(mOut, "%d.%ds.", p(0) / 10, p(0) % 10);
        break;
    case 11510:
        mOut += "<>Play BGM:  ";
        mOut += mLine.Text;
        break;
    case 11520:
        mOut += "<>Fade-out BGM:        ";
        format(mOut, "%ds.", p(0) / 1000);
        break;
    case 11530:
        mOut += "<>Memorize BGM   ";
        break;
    case 11540:
        mOut += "<>Play Memrized BGM";
        break;
    case 11550:
        mOut += "<>Play SE:      ";
        mOut += mLine.Text;
        break;
    case 11560:
        mOut += "<>Play Movie:     ";
        mOut += mLine.Text;
        mOut += ", ";
        picturePlace(p(0), p(1), p(2));
        mOut += ", ";
        format(mOut, "(%d,%d)", p(3), p(4));
        break;
    case 11610:
        mOut += "<>Enter Password: [";
        variableLabel(p(0));
        mOut += "]";
        break;
    case 11710:
        mOut += "<>Change ChipSet:     ";
        chipSetName(p(0));
        break;
    case 11720: {
        mOut += "<>Change BG:  ";
        mOut += mLine.Text;
        auto speed = [&](int32_t value) {
            mOut += value >= 0 ? "(+" : "(-";
            number(mOut, std::llabs(static_cast<long long>(value)));
            mOut += ")";
        };
        if (p(0) == 1) {
            mOut += ", ";
            mOut += "WidhLoop";
            if (p(2) == 1) speed(p(3));
        }
        if (p(1) == 1) {
            mOut += ", ";
            mOut += "HeighLop";
            if (p(4) == 1) speed(p(5));
        }
        break;
    }
    case 11740:
        mOut += "<>Encounter Rate:   ";
        number(mOut, p(0));
        mOut += "St";
        break;
    case 11750:
        mOut += "<>Change 1 Chip:";
        word(mOut, p(0), layers);
        format(mOut, " %.3lld N. %.3lld Substitu", static_cast<long long>(p(1)) + 1,
               static_cast<long long>(p(2)) + 1);
        break;
    case 11810:
        mOut += "<>Set Teleport Place:   ";
        if (p(0) == 0) {
            mOut += "Add   ";
            mapPlace(p(1), p(2), p(3));
        } else if (p(0) == 1) {
            mOut += "Delete";
            format(mOut, "%.4d:", p(1));
            mapName(p(1));
        }
        break;
    case 11820:
        mOut += "<>Disable Teleport:     ";
        word(mOut, p(0), kEnable);
        break;
    case 11830:
        mOut += "<>Set Escape Place:     ";
        mapPlace(p(0), p(1), p(2));
        break;
    case 11840:
        mOut += "<>Disable Escape:       ";
        word(mOut, p(0), kEnable);
        break;
    case 11910:
        mOut += "<>Call Save Menu      ";
        break;
    case 11950:
        mOut += "<>Call System Menu      ";
        break;
    case 11930:
        mOut += "<>Disable Saving:   ";
        word(mOut, p(0), kEnable);
        break;
    case 11960:
        mOut += "<>Disable System Menu:    ";
        word(mOut, p(0), kEnable);
        break;
    case 12010:
        mOut += "<>Fork Optn:";
        conditionText();
        break;
    case 22010:
    case 23310:
        mOut += ":Excepting Case ";
        break;
    case 12110:
        mOut += "<>Label:        ";
        number(mOut, p(0));
        mOut += "No";
        break;
    case 12120:
        mOut += "<>Goto Label:       ";
        number(mOut, p(0));
        mOut += "No";
        break;
    case 12210:
        mOut += "<>Cycle       ";
        break;
    case 22210:
        mOut += ":End Cycle    ";
        break;
    case 12220:
        mOut += "<>Break Cycle       ";
        break;
    case 12310:
        mOut += "<>Stop Parall.Events";
        break;
    case 12320:
        mOut += "<>Clear Timer Events";
        break;
    case 12330:
        mOut += "<>Call Event:         ";
        if (p(0) == 0) {
            commonEventName(p(1));
        } else if (p(0) == 1) {
            characterName(p(1));
            mOut += "[";
            number(mOut, p(2));
            mOut += "]";
        } else if (p(0) == 2) {
            mOut += "V[";
            number(mOut, p(1));
            mOut += "][V[";
            number(mOut, p(2));
            mOut += "]]";
        }
        break;
    case 12410:
        mOut += "<>Note: ";
        mOut += mLine.Text;
        break;
    case 12420:
        mOut += "<>Game Over     ";
        break;
    case 12510:
        mOut += "<>Goto Title Screen ";
        break;
    case 13110:
        mOut += "<>Change Enemy's HP:  ";
        memberName(p(0));
        mOut += " HP - ";
        operand(p(2), p(3));
        word(mOut, p(1), kRecover);
        break;
    case 13120:
        mOut += "<>Change Enemy's MP:  ";
        memberName(p(0));
        mOut += " MP - ";
        operand(p(2), p(3));
        word(mOut, p(1), kRecover);
        break;
    case 13130:
        mOut += "<>Set Enemy's Condition:";
        memberName(p(0));
        word(mOut, p(1), kConditionArrow);
        conditionName(p(2));
        word(mOut, p(1), kConditionWord);
        break;
    case 13150:
        mOut += "<>Enemy Appears:  ";
        memberName(p(0));
        break;
    case 13210:
        mOut += "<>Change Battl.BG:";
        mOut += mLine.Text;
        break;
    case 13260:
        mOut += "<>Show Battle Anim.:";
        animationName(p(0));
        mOut += ", ";
        memberName(p(1));
        waitMark(p(2));
        break;
    case 13310:
        mOut += "<>Fork Optn:";
        if (p(0) == 0 || p(0) == 1) {
            conditionText();
        } else if (p(0) == 2) {
            heroName(p(1));
            mOut += "-ActionPsb";
        } else if (p(0) == 3) {
            memberName(p(1));
            mOut += "-ActionPsb";
        }
        break;
    case 13410:
        mOut += "<>Stop Battl";
        break;
    default:
        mOut += "<>Do Nothing    ";
        break;
    }
    return std::move(mOut);
}

} // namespace

std::string TEventScriptConverter::DescribeLine(const TQelEventScriptLine& line) const {
    try {
        if (line.Indent > MaxDescribedIndent) return BrokenLineText;
        std::string text = Composer(mContext, line).Compose();
        if (line.Indent <= 0) return text;
        std::string indented;
        indented.reserve(static_cast<size_t>(line.Indent) * 2 + text.size());
        for (int32_t i = 0; i < line.Indent; ++i)
            indented += kIndentUnit;
        indented += text;
        return indented;
    } catch (...) {
        return BrokenLineText;
    }
}

std::vector<std::string> TEventScriptConverter::DescribeScript(const TQelEventScriptList& script) const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(script.Count()));
    for (const auto& line : script)
        texts.push_back(DescribeLine(*line));
    return texts;
}

} // namespace tarvel
