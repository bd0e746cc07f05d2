#include "GameInterpreter.h"

#include <algorithm>

#include "Game.h"
#include "data/EventCommandBlocks.h"

namespace tarvel::game {

namespace {

int gNextInterpreterID = 1;

enum : int32_t {
    cEnd = 0,
    cEmpty = 10,
    cMessage = 10110,
    cMessageLine = 20110,
    cMessageStyle = 10120,
    cFace = 10130,
    cChoice = 10140,
    cChoiceLabel = 20140,
    cChoiceEnd = 20141,
    cNumber = 10150,
    cSwitch = 10210,
    cVariable = 10220,
    cTimer = 10230,
    cCombat = 10710,
    cShop = 10720,
    cInn = 10730,
    cEnterName = 10740,
    cForkElse = 22010,
    cForkEnd = 22011,
    cFork = 12010,
    cLabel = 12110,
    cGoto = 12120,
    cCycle = 12210,
    cCycleEnd = 22210,
    cBreak = 12220,
    cInterrupt = 12310,
    cEraseEvent = 12320,
    cCallEvent = 12330,
    cComment = 12410,
    cCommentLine = 22410,
    cGameOver = 12420,
    cTitle = 12510,
    cWait = 11410,
};

} // namespace

std::string TScriptOwner::Describe() const {
    if (kind == CommonEvent)
        return "common event " + std::to_string(commonID) + (name.empty() ? "" : " \"" + name + "\"");
    return "map " + std::to_string(mapID) + ", event " + std::to_string(eventID) +
           (name.empty() ? "" : " \"" + name + "\"") + ", page " + std::to_string(page);
}

TGameInterpreter::TGameInterpreter(TGame& game, bool foreground)
    : mGame(game), mForeground(foreground), mID(gNextInterpreterID++) {}

void TGameInterpreter::Start(TScriptPtr script, const TScriptOwner& owner, int32_t thisEvent, bool byDecide) {
    Clear();
    if (!script) return;
    TInterpreterFrame frame;
    frame.script = std::move(script);
    frame.owner = owner;
    frame.thisEvent = thisEvent;
    frame.byDecide = byDecide;
    mStack.push_back(std::move(frame));
}

void TGameInterpreter::StartLoop(TScriptPtr script, const TScriptOwner& owner, int32_t thisEvent) {
    Start(std::move(script), owner, thisEvent);
    if (mStack.empty()) return;
    mLoop = true;
    mLoopStart = mStack.front();
}

void TGameInterpreter::Clear() {
    mLoop = false;
    mStack.clear();
    mWait = TWait::None;
    mWaitFrames = 0;
    mResumeResult = -1;
    if (mGame.Message().Owner() == mID) mGame.Message().Close();
}

void TGameInterpreter::Resume(int result) {
    mResumeResult = result;
}

void TGameInterpreter::notice(const TInterpreterFrame& frame, const std::string& what) const {
    mGame.Notice(frame.owner.Describe() + ", line " + std::to_string(mLineIndex + 1) + ": " + what);
}

void TGameInterpreter::Update() {
    if (mStack.empty()) return;
    if (!waitDone()) return;
    bool restarted = false;
    for (int budget = kCommandsPerFrame; budget > 0 && !mStack.empty(); --budget) {
        TInterpreterFrame& frame = mStack.back();
        if (size_t(frame.pc) >= frame.script->size()) {
            mStack.pop_back();
            if (mStack.empty() && mLoop && !restarted) {
                mStack.push_back(mLoopStart);
                restarted = true;
            }
            continue;
        }
        const int index = frame.pc++;
        mLineIndex = index;
        if (!execute(frame, index)) return;
        if (mWait != TWait::None) return;
    }
}

int TGameInterpreter::findAtIndent(const TScriptLines& lines, int from, int32_t indent,
                                   std::initializer_list<int32_t> codes) const {
    for (int i = from; i < int(lines.size()); ++i) {
        const TQelEventScriptLine& line = lines[size_t(i)];
        if (line.Indent < indent) return -1;
        if (line.Indent == indent && std::find(codes.begin(), codes.end(), line.Code) != codes.end())
            return i;
    }
    return -1;
}

void TGameInterpreter::skipToBlockEnd(TInterpreterFrame& frame, int index, int32_t endCode) {
    const TScriptLines& lines = *frame.script;
    const int end = findAtIndent(lines, index + 1, lines[size_t(index)].Indent, {endCode});
    frame.pc = end >= 0 ? end + 1 : int(lines.size());
}

void TGameInterpreter::branch(TInterpreterFrame& frame, int headIndex, int32_t labelCode, int32_t param,
                              bool hasParam) {
    const TScriptLines& lines = *frame.script;
    const TQelEventScriptLine& head = lines[size_t(headIndex)];
    const TCommandBlock* block = BlockOfHead(head.Code);
    const int32_t endCode = block ? block->EndCode : 0;
    for (int i = headIndex + 1; i < int(lines.size()); ++i) {
        const TQelEventScriptLine& line = lines[size_t(i)];
        if (line.Indent < head.Indent) break;
        if (line.Indent != head.Indent) continue;
        if (line.Code == labelCode && (!hasParam || line.Param(0) == param)) {
            frame.pc = i + 1;
            return;
        }
        if (line.Code == endCode) {
            frame.pc = i + 1;
            return;
        }
        if (line.Code < FirstFollowCode) break; // the next command: the block had no lines of its own
    }
    frame.pc = headIndex + 1;
}

bool TGameInterpreter::waitDone() {
    if (mStack.empty()) return false;
    TInterpreterFrame& frame = mStack.back();
    TGameMessage& message = mGame.Message();
    switch (mWait) {
    case TWait::None:
        return true;
    case TWait::Frames:
        if (mWaitFrames > 1) {
            --mWaitFrames;
            return false;
        }
        break;
    case TWait::Message:
        if (message.Visible() && message.Owner() == mID) return false;
        break;
    case TWait::Choice: {
        int value = 0;
        if (message.TakeResult(mID, value)) {
            branch(frame, mHeadIndex, cChoiceLabel, value, true);
        } else if (message.Visible() && message.Owner() == mID) {
            return false;
        } else {
            skipToBlockEnd(frame, mHeadIndex, cChoiceEnd);
        }
        break;
    }
    case TWait::Number: {
        int value = 0;
        if (message.TakeResult(mID, value))
            mGame.State().SetVariable(mPendingVariable, value);
        else if (message.Visible() && message.Owner() == mID)
            return false;
        break;
    }
    case TWait::MoveAll: {
        bool moving = mGame.Hero().Forced();
        for (int v = 0; v < kVehicleCount; ++v)
            moving = moving || mGame.VehicleCharacter(v).Forced();
        if (TGameMap* map = mGame.Map())
            for (const auto& event : map->Events())
                moving = moving || event->Forced();
        if (moving) return false;
        break;
    }
    case TWait::Teleport:
        if (mGame.TeleportPending()) return false;
        break;
    case TWait::Transition:
        if (mGame.Screen().InTransition()) return false;
        break;
    case TWait::Pan:
        if (mGame.Screen().Panning()) return false;
        break;
    case TWait::Animation:
        if (mGame.Screen().Animation().active) return false;
        break;
    case TWait::Key: {
        const int code = mGame.KeyCode();
        const TQelEventScriptLine& line = (*frame.script)[size_t(mHeadIndex)];
        const bool accepted = (code >= 1 && code <= 4 && line.Param(2)) || (code == 5 && line.Param(3)) ||
                              (code == 6 && line.Param(4));
        if (!accepted) return false;
        mGame.State().SetVariable(line.Param(0), code);
        mGame.Input().Clear();
        break;
    }
    case TWait::Battle: {
        if (mResumeResult < 0) return false;
        const int result = mResumeResult;
        const TQelEventScriptLine& head = (*frame.script)[size_t(mHeadIndex)];
        if (result == 1 && head.Param(3) == 1) {
            // "Event Interrupt": escaping ends the script.
            mWait = TWait::None;
            mResumeResult = -1;
            mStack.clear();
            return false;
        }
        branch(frame, mHeadIndex, 20710 + result, 0, false);
        break;
    }
    case TWait::Scene: {
        if (mResumeResult < 0) return false;
        const int result = mResumeResult;
        const TQelEventScriptLine& head = (*frame.script)[size_t(mHeadIndex)];
        if (head.Code == cShop) branch(frame, mHeadIndex, 20720 + result, 0, false);
        if (head.Code == cInn) branch(frame, mHeadIndex, 20730 + result, 0, false);
        break;
    }
    }
    mWait = TWait::None;
    mWaitFrames = 0;
    mResumeResult = -1;
    return true;
}

bool TGameInterpreter::showTexts(const std::vector<std::string>& texts) {
    if (texts.empty()) return true;
    // Each group of four lines in a window of its own would need more waits; the first four show.
    mGame.Message().Open(texts, mGame.MessageStyle(), TMessageFace(), mID);
    mWait = TWait::Message;
    return false;
}

bool TGameInterpreter::execute(TInterpreterFrame& frame, int index) {
    const TScriptLines& lines = *frame.script;
    const TQelEventScriptLine& line = lines[size_t(index)];
    TGameState& state = mGame.State();
    switch (line.Code) {
    case cEnd:
        frame.pc = int(lines.size());
        return true;
    case cEmpty:
    case cComment:
    case cCommentLine:
    case cMessageLine:
    case cLabel:
    case cCycle:
        return true;
    case cMessage:
        return commandMessage(frame, index);
    case cMessageStyle: {
        TMessageStyle& style = mGame.MessageStyle();
        style.transparent = line.Param(0) == 1;
        style.position = std::clamp(line.Param(1), 0, 2);
        style.autoPosition = line.Param(2) == 1;
        style.eventsWait = line.Param(3) == 1;
        return true;
    }
    case cFace: {
        TMessageFace& face = mGame.MessageFace();
        face.name = line.Text;
        face.index = line.Param(0);
        face.right = line.Param(1) == 1;
        face.mirrored = line.Param(2) == 1;
        return true;
    }
    case cChoice:
        return commandChoice(frame, index);
    case cNumber:
        return commandNumber(frame, index);
    case cSwitch:
        commandSwitch(line);
        return true;
    case cVariable:
        commandVariable(frame, line);
        return true;
    case cTimer: {
        TGameTimer& timer = state.timer;
        if (line.Param(0) == 0) {
            const int32_t seconds = line.Param(1) == 0 ? line.Param(2) : state.Variable(line.Param(2));
            timer.frames = std::clamp(seconds, 0, 5999) * kFramesPerSecond;
        } else if (line.Param(0) == 1) {
            timer.running = true;
            timer.visible = line.Param(3) == 1;
            timer.inBattle = line.Param(4) == 1;
        } else {
            timer.running = false;
            timer.visible = false;
        }
        state.Touch();
        return true;
    }
    case 10310: {
        const int32_t amount = line.Param(1) == 0 ? line.Param(2) : state.Variable(line.Param(2));
        state.party.SetMoney(int64_t(state.party.Money()) + (line.Param(0) == 0 ? amount : -int64_t(amount)));
        return true;
    }
    case 10320: {
        const int32_t item = line.Param(1) == 0 ? line.Param(2) : state.Variable(line.Param(2));
        const int32_t count = line.Param(3) == 0 ? line.Param(4) : state.Variable(line.Param(4));
        state.party.SetItemCount(item, int64_t(state.party.ItemCount(item)) +
                                           (line.Param(0) == 0 ? count : -int64_t(count)));
        return true;
    }
    case 10330: {
        const int32_t hero = line.Param(1) == 0 ? line.Param(2) : state.Variable(line.Param(2));
        if (line.Param(0) == 0)
            state.party.AddMember(hero);
        else
            state.party.RemoveMember(hero);
        mGame.RefreshHeroGraphic();
        return true;
    }
    case cFork: {
        if (!condition(frame, line)) {
            const int target = findAtIndent(lines, index + 1, line.Indent, {cForkElse, cForkEnd});
            frame.pc = target >= 0 ? target + 1 : int(lines.size());
        }
        return true;
    }
    case cGoto: {
        for (int i = 0; i < int(lines.size()); ++i)
            if (lines[size_t(i)].Code == cLabel && lines[size_t(i)].Param(0) == line.Param(0)) {
                frame.pc = i + 1;
                return true;
            }
        notice(frame, "there is no label " + std::to_string(line.Param(0)) + " to go to");
        return true;
    }
    case cCycleEnd: {
        for (int i = index - 1; i >= 0; --i) {
            const TQelEventScriptLine& l = lines[size_t(i)];
            if (l.Indent < line.Indent) break;
            if (l.Indent == line.Indent && l.Code == cCycle) {
                frame.pc = i + 1;
                break;
            }
        }
        // Once round the loop per frame at most is not needed: the command budget ends a loop
        // that never waits.
        return true;
    }
    case cBreak: {
        for (int i = index + 1; i < int(lines.size()); ++i)
            if (lines[size_t(i)].Code == cCycleEnd && lines[size_t(i)].Indent < line.Indent) {
                frame.pc = i + 1;
                return true;
            }
        return true;
    }
    case cInterrupt:
        // Ends the whole script, callers included; a parallel one starts over in the next frame.
        mStack.clear();
        return false;
    case cEraseEvent:
        // Gone until the map is entered again. Its page stays as it is: the script erasing it may be
        // the page's own parallel one, which finishes this frame and is not run again.
        if (TGameMap* map = mGame.Map())
            if (TGameEvent* event = map->EventByID(frame.thisEvent)) {
                event->SetErased(true);
                if (event->Parallel() == this) mLoop = false;
            }
        return true;
    case cCallEvent:
        return commandCall(frame, line);
    case cWait:
        mWait = TWait::Frames;
        mWaitFrames = std::max(0, line.Param(0)) * kFramesPerSecond / 10;
        return false;
    case cGameOver:
        mGame.GameOver();
        mStack.clear();
        return false;
    case cTitle:
        mGame.ToTitle();
        mStack.clear();
        return false;
    default:
        break;
    }
    if (line.Code >= FirstFollowCode) {
        // A branch label reached from the branch before it: that branch is done.
        if (IsBranchLabelCode(line.Code)) skipToBlockEnd(frame, index, BlockOfCode(line.Code)->EndCode);
        return true;
    }
    if (line.Code >= 10400 && line.Code < 10700) {
        commandHeroes(line);
        if (line.Code == 10410 || line.Code == 10420) return showTexts(mLevelTexts);
        return true;
    }
    if (line.Code == cCombat || line.Code == cShop || line.Code == cInn || line.Code == cEnterName ||
        line.Code == 11910 || line.Code == 11950)
        return commandScene(frame, line, index);
    if ((line.Code >= 10800 && line.Code < 11000) || (line.Code >= 11700 && line.Code < 11900))
        return commandMap(frame, line);
    if (line.Code >= 11000 && line.Code < 11500) return commandScreen(frame, line);
    if (line.Code >= 11500 && line.Code < 11700) return commandSound(frame, line);
    if (line.Code == 11930 || line.Code == 11960) {
        (line.Code == 11930 ? state.saveAllowed : state.menuAllowed) = line.Param(0) == 1;
        return true;
    }
    // Battle commands and codes no dialog writes do nothing here.
    return true;
}

// ---------------------------------------------------------------------------------------------

bool TGameInterpreter::messageTaken(TInterpreterFrame& frame, int index) {
    const TGameMessage& message = mGame.Message();
    if (!message.Visible() || message.Owner() == mID) return false;
    // Another script's window is up: this one waits its turn on the same line.
    frame.pc = index;
    return true;
}

bool TGameInterpreter::commandMessage(TInterpreterFrame& frame, int index) {
    const TScriptLines& lines = *frame.script;
    TGameMessage& message = mGame.Message();
    if (messageTaken(frame, index)) return false;
    std::vector<std::string> text{lines[size_t(index)].Text};
    int next = index + 1;
    while (next < int(lines.size()) && lines[size_t(next)].Code == cMessageLine)
        text.push_back(lines[size_t(next++)].Text);
    frame.pc = next;
    message.Open(text, mGame.MessageStyle(), mGame.MessageFace(), mID);
    // A choice or a number right after the text shows in the same window when it fits.
    if (next < int(lines.size())) {
        const TQelEventScriptLine& after = lines[size_t(next)];
        if (after.Code == cChoice &&
            TGameMessage::Fits(int(message.Lines().size()), int(ChoiceTexts(after.Text).size())))
            return true;
        if (after.Code == cNumber && TGameMessage::Fits(int(message.Lines().size()), 1)) return true;
    }
    mWait = TWait::Message;
    return false;
}

bool TGameInterpreter::commandChoice(TInterpreterFrame& frame, int index) {
    if (messageTaken(frame, index)) return false;
    const TQelEventScriptLine& line = (*frame.script)[size_t(index)];
    mGame.Message().AddChoices(ChoiceTexts(line.Text), line.Param(0), mGame.MessageStyle(),
                               mGame.MessageFace(), mID);
    mHeadIndex = index;
    mWait = TWait::Choice;
    return false;
}

bool TGameInterpreter::commandNumber(TInterpreterFrame& frame, int index) {
    if (messageTaken(frame, index)) return false;
    const TQelEventScriptLine& line = (*frame.script)[size_t(index)];
    mGame.Message().AddNumber(line.Param(0), mGame.MessageStyle(), mGame.MessageFace(), mID);
    mPendingVariable = line.Param(1);
    mWait = TWait::Number;
    return false;
}

std::pair<int32_t, int32_t> TGameInterpreter::targetRange(const TQelEventScriptLine& line) const {
    // One ID, a range, or the ID a variable holds; IDs run from 1 to 5000.
    int32_t first = line.Param(1), last = line.Param(1);
    if (line.Param(0) == 1) last = line.Param(2);
    if (line.Param(0) == 2) first = last = mGame.State().Variable(line.Param(1));
    if (last < first) std::swap(first, last);
    return {std::max(first, 1), std::min(last, 5000)};
}

void TGameInterpreter::commandSwitch(const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    const auto [first, last] = targetRange(line);
    for (int32_t id = first; id <= last; ++id) {
        const int op = line.Param(3);
        state.SetSwitch(id, op == 0 ? true : op == 1 ? false : !state.Switch(id));
    }
}

int32_t TGameInterpreter::operandValue(const TInterpreterFrame& frame, const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    TGameParty& party = state.party;
    const int32_t a = line.Param(5), b = line.Param(6);
    switch (line.Param(4)) {
    case 0:
        return a;
    case 1:
        return state.Variable(a);
    case 2:
        return state.Variable(state.Variable(a));
    case 3:
        return mGame.Random().Range(a, b);
    case 4:
        return b == 0 ? party.ItemCount(a) : party.EquippedCount(a);
    case 5: {
        TGameHero* hero = party.Hero(a);
        if (!hero) return 0;
        switch (b) {
        case 0:
            return hero->level;
        case 1:
            return hero->exp;
        case 2:
            return hero->hp;
        case 3:
            return hero->mp;
        case 4:
            return party.MaxHP(*hero);
        case 5:
            return party.MaxMP(*hero);
        case 6:
            return party.Parameter(*hero, paAttack);
        case 7:
            return party.Parameter(*hero, paDefense);
        case 8:
            return party.Parameter(*hero, paMind);
        case 9:
            return party.Parameter(*hero, paAgility);
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
            return hero->equipment[size_t(b - 10)];
        default:
            return 0;
        }
    }
    case 6: {
        TGameCharacter* c = character(frame, a);
        if (!c) return 0;
        switch (b) {
        case 0: {
            // A vehicle's map is where it stands; anything else is on the party's map.
            if (a >= desBoat && a <= desAirship) return state.vehicles[size_t(a - desBoat)].mapID;
            return mGame.Map() ? mGame.Map()->ID() : 0;
        }
        case 1:
            return c->X();
        case 2:
            return c->Y();
        case 3:
            return c->Direction();
        case 4:
            return c->RealX() * kCellPixels / kCellUnits - mGame.CameraX() + kCellPixels / 2;
        case 5:
            return c->RealY() * kCellPixels / kCellUnits - mGame.CameraY() + kCellPixels;
        default:
            return 0;
        }
    }
    case 7:
        switch (a) {
        case 0:
            return party.Money();
        case 1:
            return state.timer.Seconds();
        case 2:
            return int32_t(party.Members().size());
        case 3:
            return state.saveCount;
        case 4:
            return state.battleCount;
        case 5:
            return state.victoryCount;
        case 6:
            return state.defeatCount;
        case 7:
            return state.escapeCount;
        case 8:
            return mGame.Sound().MusicTicks();
        default:
            return 0;
        }
    default:
        return 0; // the enemies of a battle
    }
}

void TGameInterpreter::commandVariable(const TInterpreterFrame& frame, const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    const auto [first, last] = targetRange(line);
    for (int32_t id = first; id <= last; ++id) {
        // A random operand draws for each variable of a range.
        const int64_t value = operandValue(frame, line);
        const int64_t old = state.Variable(id);
        switch (line.Param(3)) {
        case 0:
            state.SetVariable(id, value);
            break;
        case 1:
            state.SetVariable(id, old + value);
            break;
        case 2:
            state.SetVariable(id, old - value);
            break;
        case 3:
            state.SetVariable(id, old * value);
            break;
        case 4:
            if (value != 0) state.SetVariable(id, old / value);
            break;
        case 5:
            if (value != 0) state.SetVariable(id, old % value);
            break;
        default:
            break;
        }
    }
}

bool TGameInterpreter::condition(const TInterpreterFrame& frame, const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    TGameParty& party = state.party;
    const int32_t p1 = line.Param(1), p2 = line.Param(2), p3 = line.Param(3);
    switch (line.Param(0)) {
    case 0:
        return state.Switch(p1) == (p2 == 0);
    case 1: {
        const int32_t v = state.Variable(p1);
        const int32_t other = p2 == 0 ? p3 : state.Variable(p3);
        switch (line.Param(4)) {
        case 0:
            return v == other;
        case 1:
            return v >= other;
        case 2:
            return v <= other;
        case 3:
            return v > other;
        case 4:
            return v < other;
        case 5:
            return v != other;
        default:
            return false;
        }
    }
    case 2: {
        const int32_t seconds = state.timer.Seconds();
        return p2 == 0 ? seconds >= p1 : seconds <= p1;
    }
    case 3:
        return p2 == 0 ? party.Money() >= p1 : party.Money() <= p1;
    case 4:
        return (party.ItemCount(p1) > 0) == (p2 == 0);
    case 5: {
        TGameHero* hero = party.Hero(p1);
        if (!hero) return false;
        switch (p2) {
        case 0:
            return party.InParty(p1);
        case 1:
            return hero->name == line.Text;
        case 2:
            return hero->level >= p3;
        case 3:
            return hero->hp >= p3;
        case 4:
            return party.HasSkill(*hero, p3);
        case 5:
            return std::find(hero->equipment.begin(), hero->equipment.end(), p3) != hero->equipment.end();
        case 6:
            return party.HasCondition(*hero, p3);
        default:
            return false;
        }
    }
    case 6: {
        TGameCharacter* c = character(frame, p1);
        return c && c->Direction() == p2;
    }
    case 7:
        return mGame.Riding() == p1;
    case 8:
        return frame.byDecide;
    case 9:
        return mGame.Sound().MusicPlayedOnce();
    default:
        return false;
    }
}

TGameCharacter* TGameInterpreter::character(const TInterpreterFrame& frame, int32_t designator) const {
    return mGame.Character(designator, frame.thisEvent);
}

bool TGameInterpreter::commandCall(TInterpreterFrame& frame, const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    if (int(mStack.size()) >= kMaxCallDepth) {
        notice(frame, "events call each other more than " + std::to_string(kMaxCallDepth) + " deep");
        return true;
    }
    TInterpreterFrame called;
    called.thisEvent = frame.thisEvent;
    called.byDecide = frame.byDecide;
    if (line.Param(0) == 0) {
        const int32_t id = line.Param(1);
        const TQelCommonEventItem* common = mGame.DataBase().CommonEvents().Find(id);
        called.script = mGame.Data().CommonEventScript(id);
        if (!common || !called.script) {
            notice(frame, "there is no common event " + std::to_string(id) + " to call");
            return true;
        }
        called.owner = TScriptOwner{TScriptOwner::CommonEvent, 0, 0, 0, id, common->Name};
    } else {
        int32_t id = line.Param(0) == 1 ? line.Param(1) : state.Variable(line.Param(1));
        const int32_t page = line.Param(0) == 1 ? line.Param(2) : state.Variable(line.Param(2));
        if (id == desThisEvent) id = frame.thisEvent;
        TGameEvent* event = mGame.Map() ? mGame.Map()->EventByID(id) : nullptr;
        if (!event) {
            notice(frame, "there is no event " + std::to_string(id) + " on this map to call");
            return true;
        }
        called.script = event->PageScriptOf(page);
        if (!called.script) {
            notice(frame,
                   "event " + std::to_string(id) + " has no page " + std::to_string(page) + " to call");
            return true;
        }
        called.owner = TScriptOwner{TScriptOwner::MapEvent, mGame.Map()->ID(), id, page, 0, event->Name()};
        called.thisEvent = id;
    }
    // The frame reference is not used after this: the stack may grow.
    mStack.push_back(std::move(called));
    return true;
}

} // namespace tarvel::game
