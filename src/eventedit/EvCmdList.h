#pragma once

// The command pickers "Event Commands": TFormEvCmdList for map and common-event scripts (three
// tabs of 30 buttons) and TFormEvCmdList2 for battle scripts (30 buttons). A button runs its
// command's dialog and closes the picker with OK when the dialog did; a command whose dialog does
// not exist has its button disabled. For Edit the picker opens no window of its own: it runs the
// dialog of the first line's code with the lines being edited.

#include <QList>
#include <memory>

#include "commands/EvCmdBase.h"
#include "controls/FormQelBase.h"
#include "data/EventCommands.h"
#include "pickers/ProcessOption.h"

class QAbstractButton;
class QTabWidget;

namespace tarvel {

// The button chosen last in a map-script picker (0..89) and in a battle-script picker (0..29), for
// the rest of the run.
TProcessOption<int>& LastMapCommandButton();
TProcessOption<int>& LastBattleCommandButton();

class TFormEvCmdListBase : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int ButtonsPerPage = 30;

    ~TFormEvCmdListBase() override;

    TCommandPicker Picker() const { return mPicker; }
    // The lines to edit (none for Insert); after a run that returned true, the command's lines
    // with indents relative to its head.
    TQelEventScriptList& Lines() { return mLines; }
    void SetContext(const TEvCmdContext& context) { mContext = context; }
    const TEvCmdContext& Context() const { return mContext; }

    // Shows the picker on the page and button chosen last; true when a command dialog reported OK.
    bool RunInsert();
    // Runs the dialog of the first line's code on the lines, without showing the picker; false
    // when the picker has no dialog for that code or the dialog was cancelled.
    bool RunEdit();
    // Whether Edit would open a dialog for the code.
    bool CanEdit(int32_t code) const;
    // A command dialog changed the database (renamed switches, for one).
    bool DataBaseChanged() const { return mDataBaseChanged; }

    QAbstractButton* Button(int position) const;
    int ButtonCount() const { return int(mButtons.size()); }
    // The page shown (0 for the one-page picker).
    virtual int CurrentPage() const { return 0; }
    // A button was chosen: it is remembered and its command's dialog runs.
    void ButtonClick(int position);

protected:
    TFormEvCmdListBase(QWidget* owner, TCommandPicker picker, TProcessOption<int>& lastButton);
    // Builds the buttons of one page, positions first..first + 29, into the page widget.
    void buildPage(QWidget* page, int first);
    // The row with the "Cancel" button.
    QWidget* makeCancelButton();
    // Shows the page holding a button.
    virtual void showPageOf(int position) { (void)position; }
    void showEvent(QShowEvent* event) override;

private:
    bool runDialog(int32_t code);

    TCommandPicker mPicker;
    TProcessOption<int>& mLastButton;
    QList<QAbstractButton*> mButtons;
    TQelEventScriptList mLines;
    TEvCmdContext mContext;
    bool mDataBaseChanged = false;
};

// The map and common-event picker: tabs "1", "2" and "3".
class TFormEvCmdList : public TFormEvCmdListBase {
    Q_OBJECT
public:
    explicit TFormEvCmdList(QWidget* owner);
    QTabWidget* Tabs() const { return mTabs; }
    int CurrentPage() const override;

protected:
    void showPageOf(int position) override;

private:
    QTabWidget* mTabs;
};

// The battle picker: one list of 30 buttons.
class TFormEvCmdList2 : public TFormEvCmdListBase {
    Q_OBJECT
public:
    explicit TFormEvCmdList2(QWidget* owner);
};

// The picker of a kind of script.
std::unique_ptr<TFormEvCmdListBase> CreateEvCmdList(TCommandPicker picker, QWidget* owner);

} // namespace tarvel
