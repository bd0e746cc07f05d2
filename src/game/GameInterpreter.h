#pragma once

// Runs a script line by line: the commands of a map event's page or a common event, following
// branches, loops, labels and calls by the lines' indents, and waiting where a command takes time
// (a message, a wait, a move, a teleport, a transition).

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "GameData.h"

namespace tarvel::game {

class TGame;
class TGameCharacter;

// Where a script comes from, to name it in a notice.
struct TScriptOwner {
    enum TKind : int { MapEvent = 0, CommonEvent = 1 };
    int kind = MapEvent;
    int32_t mapID = 0;
    int32_t eventID = 0; // map event
    int32_t page = 0;    // map event page
    int32_t commonID = 0;
    std::string name;
    // "map 1, event 3 (EV0003), page 2" or "common event 4 (Name)".
    std::string Describe() const;
};

struct TInterpreterFrame {
    TScriptPtr script;
    TScriptOwner owner;
    int pc = 0;
    // The event that "this event" means (0 none).
    int32_t thisEvent = 0;
    // The script was started by the decision key (a push of the key on its event).
    bool byDecide = false;
};

// What the interpreter waits for.
enum class TWait : int {
    None = 0,
    Frames,     // a number of frames
    Message,    // the message window to close
    Choice,     // a choice to be made
    Number,     // a number to be entered
    MoveAll,    // every route set by a script to end
    Teleport,   // the teleport to be done
    Transition, // the screen to be erased or shown
    Battle,     // the outcome of a battle
    Key,        // a key (password input)
    Pan,        // the view to stop panning
    Animation,  // a battle animation to end
    Scene,      // the menu, save screen, shop, inn or name entry to close
};

class TGameInterpreter {
public:
    // Commands one interpreter may run in one frame without waiting; more are taken as a script
    // that loops without end, and it goes on in the next frame.
    static constexpr int kCommandsPerFrame = 10000;
    // The deepest calls of events may nest.
    static constexpr int kMaxCallDepth = 100;

    TGameInterpreter(TGame& game, bool foreground);

    void Start(TScriptPtr script, const TScriptOwner& owner, int32_t thisEvent, bool byDecide = false);
    // A parallel script: started over as soon as it ends, once in a frame at most (a script that
    // never waits runs once a frame).
    void StartLoop(TScriptPtr script, const TScriptOwner& owner, int32_t thisEvent);
    void Clear();
    bool Running() const { return !mStack.empty(); }
    bool Foreground() const { return mForeground; }
    int ID() const { return mID; }

    // One frame: waits, then runs commands until one has to wait or the script ends.
    void Update();

    // Told by the game how a scene the script waited for ended: the battle outcome (0 victory,
    // 1 escape, 2 defeat), a shop or inn (0 done, 1 not), a key code.
    void Resume(int result);

    TWait Waiting() const { return mWait; }
    const std::vector<TInterpreterFrame>& Stack() const { return mStack; }
    std::vector<TInterpreterFrame>& Stack() { return mStack; }
    int WaitFrames() const { return mWaitFrames; }
    void SetWait(TWait wait, int frames) {
        mWait = wait;
        mWaitFrames = frames;
    }

private:
    // Runs the line at the frame's pc; false when the script has to wait there.
    bool execute(TInterpreterFrame& frame, int index);
    // Continues after the label line of a block's branch (code, with its parameter when the label
    // has one); without such a label, after the block's end.
    void branch(TInterpreterFrame& frame, int headIndex, int32_t labelCode, int32_t param, bool hasParam);
    bool waitDone();
    // Moves pc past the block that the line at index ends or labels: to the line after the block's
    // end line at the same indent.
    void skipToBlockEnd(TInterpreterFrame& frame, int index, int32_t endCode);
    // The next line at the indent with one of the codes, from index on; -1 when there is none
    // before the indent drops below.
    int findAtIndent(const TScriptLines& lines, int from, int32_t indent,
                     std::initializer_list<int32_t> codes) const;
    void notice(const TInterpreterFrame& frame, const std::string& what) const;

    // Command groups.
    bool commandMessage(TInterpreterFrame& frame, int index);
    bool commandChoice(TInterpreterFrame& frame, int index);
    bool commandNumber(TInterpreterFrame& frame, int index);
    // Whether another script's message window is up; then the line waits (pc back on it).
    bool messageTaken(TInterpreterFrame& frame, int index);
    // The switches or variables a 10210 or 10220 line names (p0..p2).
    std::pair<int32_t, int32_t> targetRange(const TQelEventScriptLine& line) const;
    void commandSwitch(const TQelEventScriptLine& line);
    void commandVariable(const TInterpreterFrame& frame, const TQelEventScriptLine& line);
    int32_t operandValue(const TInterpreterFrame& frame, const TQelEventScriptLine& line);
    bool condition(const TInterpreterFrame& frame, const TQelEventScriptLine& line);
    void commandHeroes(const TQelEventScriptLine& line);
    bool commandMap(TInterpreterFrame& frame, const TQelEventScriptLine& line);
    bool commandScreen(TInterpreterFrame& frame, const TQelEventScriptLine& line);
    bool commandSound(TInterpreterFrame& frame, const TQelEventScriptLine& line);
    bool commandCall(TInterpreterFrame& frame, const TQelEventScriptLine& line);
    bool commandScene(TInterpreterFrame& frame, const TQelEventScriptLine& line, int index);
    // Shows texts in the message window (a level gained) and waits for it.
    bool showTexts(const std::vector<std::string>& texts);
    // The heroes a hero target names (p0: 0 all members, 1 a hero, 2 the hero in a variable).
    std::vector<int32_t> targetHeroes(int32_t kind, int32_t value) const;
    TGameCharacter* character(const TInterpreterFrame& frame, int32_t designator) const;

    TGame& mGame;
    bool mForeground;
    int mID;
    std::vector<TInterpreterFrame> mStack;
    bool mLoop = false;
    TInterpreterFrame mLoopStart;
    TWait mWait = TWait::None;
    int mWaitFrames = 0;
    int mResumeResult = -1;
    // The head line of the block a wait will branch in, and the variable a number goes to.
    int mHeadIndex = 0;
    int32_t mPendingVariable = 0;
    // The line being run (for notices).
    int mLineIndex = 0;
    // Levels gained and skills learned by the last change of experience or level, to be shown.
    std::vector<std::string> mLevelTexts;

    friend class TGameSaver;
};

} // namespace tarvel::game
