#pragma once

// The family of event-command dialogs. The command pickers create a command's dialog by code, hand
// it the lines of the command being edited (none for a new one) and the editing context, run it,
// and take back the lines it produced.

#include <cstdint>
#include <memory>

#include "controls/FormQelBase.h"
#include "data/LD_Event.h"

namespace tarvel {

class TQelMap;
class TQelMapTree;
class TQelMonGroupItem;

// Where a command is edited; set by the command picker before the dialog runs.
struct TEvCmdContext {
    // The edited event's ID (0 when there is none: common events, battle pages) and its working
    // copy in the event editor.
    int32_t EventID = 0;
    TQelEventItem* Event = nullptr;
    TQelMapTree* MapTree = nullptr;
    // The map of map and common-event scripts; none in battle scripts.
    TQelMap* Map = nullptr;
    // The monster group of battle scripts; none elsewhere.
    TQelMonGroupItem* MonGroup = nullptr;
};

class TFormEvCmdBase : public TFormQelBase {
    Q_OBJECT
public:
    TFormEvCmdBase(QWidget* owner, int32_t code);

    int32_t Code() const { return mCode; }
    // On entry the lines of the command being edited (empty for a new command); after a Run that
    // returned true, the lines of the new or changed command with indents relative to it (0 for
    // the head, its branch labels and its end line; 1 and deeper for body lines).
    TQelEventScriptList& Lines() { return mLines; }
    const TQelEventScriptList& Lines() const { return mLines; }

    const TEvCmdContext& Context() const { return mContext; }
    void SetContext(const TEvCmdContext& context) { mContext = context; }

    // A picker opened from the dialog (switch, variable and the like, which let the user rename
    // entries) changed the database; the host editor saves it or reloads it accordingly.
    bool DataBaseChanged() const { return mDataBaseChanged; }
    void SetDataBaseChanged() { mDataBaseChanged = true; }

    // Creates or changes the command: true when it was. The base shows the window modally and
    // returns true for OK; commands without a window of their own override it.
    virtual bool Run();

private:
    int32_t mCode;
    TQelEventScriptList mLines;
    TEvCmdContext mContext;
    bool mDataBaseChanged = false;
};

// Commands that have no window: Run writes their one line at once.
class TEvCmdNoWindow : public TFormEvCmdBase {
    Q_OBJECT
public:
    using TFormEvCmdBase::TFormEvCmdBase;
    bool Run() override;
};

// Cycle (12210): no window; Run keeps the body of the cycle being edited and writes the head, the
// body (an empty line when there is none) and the end line.
class TEvCmdCycle : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TEvCmdCycle(QWidget* owner) : TFormEvCmdBase(owner, 12210) {}
    bool Run() override;
};

// The dialog of a command code, or nullptr when the code has none (an end line, a continuation
// or label line, or a command whose dialog does not exist yet: its picker button is disabled).
std::unique_ptr<TFormEvCmdBase> CreateEvCmdDialog(int32_t code, QWidget* owner);
// Whether CreateEvCmdDialog gives a dialog for the code.
bool HasEvCmdDialog(int32_t code);

} // namespace tarvel
