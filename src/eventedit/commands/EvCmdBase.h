#pragma once

// The family of event-command dialogs. The command pickers create a command's dialog by code, hand
// it the lines of the command being edited (none for a new one) and the editing context, run it,
// and take back the lines it produced.
//
// A dialog with a window opens in three steps (Open): its working fields start from the values it
// remembers from its last OK, the edited command's head line overrides them, and the controls are
// filled and set with the updating flag raised (so handlers ignore what the dialog does itself).
// OK remembers the fields and writes the command's lines; Cancel leaves the lines as they were.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "controls/FormQelBase.h"
#include "data/LD_Event.h"

class QPushButton;
class QVBoxLayout;

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

    // A battle event page's script: the dialogs offer the group's members instead of the map's
    // characters. A common event opened without a map is still a map script.
    bool IsBattle() const { return MonGroup != nullptr; }
};

// The bodies of a block command's branches as they stood when the dialog opened, so that an edit
// keeps them. A body line belongs to the branch whose label came last before it; lines at the
// head's indent are structure, deeper ones body. Bodies are kept with their own indents.
class TBranchBodies {
public:
    // Reads the branches of the command whose head is the first line.
    void Read(const TQelEventScriptList& lines);
    // The body kept for a branch: the head's own body (a fork's then-branch, a cycle) under the
    // head code, a label's under its code (a choice's under 20140 and its index). Empty when the
    // edited command had no such branch (or for a new command).
    const std::vector<TQelEventScriptLine>& Body(int32_t code, int32_t index = 0) const;

private:
    std::map<std::pair<int32_t, int32_t>, std::vector<TQelEventScriptLine>> mBodies;
};

class TFormEvCmdBase : public TFormQelBase {
    Q_OBJECT
public:
    // A dialog with a window gets its caption; the commands without one leave it empty.
    TFormEvCmdBase(QWidget* owner, int32_t code, const QString& caption = {});
    ~TFormEvCmdBase() override;

    int32_t Code() const { return mCode; }
    // On entry the lines of the command being edited (empty for a new command); after a Run that
    // returned true, the lines of the new or changed command with indents relative to it (0 for
    // the head, its branch labels and its end line; 1 and deeper for body lines).
    TQelEventScriptList& Lines() { return mLines; }
    const TQelEventScriptList& Lines() const { return mLines; }

    const TEvCmdContext& Context() const { return mContext; }
    void SetContext(const TEvCmdContext& context) { mContext = context; }

    // A picker opened from the dialog (switch, variable and the like, which let the user rename
    // entries) changed the database; the host editor saves it or reloads it accordingly. Set also
    // when the dialog itself is cancelled afterwards.
    bool DataBaseChanged() const { return mDataBaseChanged; }
    void SetDataBaseChanged() { mDataBaseChanged = true; }

    // Creates or changes the command: true when it was. The base opens the dialog, shows it
    // modally and returns true for OK; commands without a window of their own override it.
    virtual bool Run();
    // Fills the controls from the remembered values and the edited lines (once; Run does it).
    void Open();

    // "&Ok": remembers the working fields, writes the lines and closes with OK.
    void ButtonOkClick();
    // "&Help": the manual at the command's code.
    void ButtonHelpClick();
    QPushButton* ButtonOk() const { return mButtonOk; }
    QPushButton* ButtonCancel() const { return mButtonCancel; }
    QPushButton* ButtonHelp() const { return mButtonHelp; }

protected:
    // The dialog's controls go into this layout, above the buttons.
    QVBoxLayout* Body() const { return mBody; }

    // Opening: working fields from the remembered values, then from the edited head line when
    // there is one (nullptr for a new command); lists and controls set from the fields.
    virtual void LoadCommand(const TQelEventScriptLine* head) {}
    // OK: the working fields to the remembered values, the command into Lines().
    virtual void SaveCommand() {}

    // Raised while the dialog sets its own controls; handlers return at once while it is.
    bool Updating() const { return mUpdating > 0; }
    class TUpdating {
    public:
        explicit TUpdating(TFormEvCmdBase& form) : mForm(form) { ++mForm.mUpdating; }
        ~TUpdating() { --mForm.mUpdating; }
        TUpdating(const TUpdating&) = delete;
        TUpdating& operator=(const TUpdating&) = delete;

    private:
        TFormEvCmdBase& mForm;
    };

    // The lines become this one line.
    void WriteLine(const TQelEventScriptLine& head);
    // The lines become the block of this head: each branch its layout calls for, with the body the
    // branch had when the dialog opened (an empty line at indent 1 when it had none); branches the
    // head no longer calls for are dropped with their bodies.
    void WriteBlock(const TQelEventScriptLine& head);
    const TBranchBodies& Bodies() const { return mBodies; }

private:
    int32_t mCode;
    TQelEventScriptList mLines;
    TEvCmdContext mContext;
    TBranchBodies mBodies;
    bool mDataBaseChanged = false;
    bool mOpened = false;
    int mUpdating = 0;
    QVBoxLayout* mBody = nullptr;
    QPushButton* mButtonOk = nullptr;
    QPushButton* mButtonCancel = nullptr;
    QPushButton* mButtonHelp = nullptr;
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
