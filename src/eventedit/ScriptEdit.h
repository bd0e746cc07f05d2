#pragma once

// The editing of a script through its script list, shared by every editor that shows one (the
// event editor, the common event page, the monster group's battle pages): the pop-up menu with
// insert, edit, cut, copy, paste, delete and select all, their keys and enabling rules, the
// command picker, and keeping the list's texts in step with the script. The editors differ only in
// the kind of script (which picker and which paste filter) and where the picker opens.

#include <QObject>
#include <QPoint>

#include "commands/EvCmdBase.h"
#include "data/EventCommands.h"
#include "data/EventScriptConverter.h"

class QAction;
class QMenu;

namespace tarvel {

class TScriptListBox;

class TScriptEditor : public QObject {
    Q_OBJECT
public:
    // The list (not owned) shows the script; host is the window the picker opens over.
    TScriptEditor(TScriptListBox* list, TScriptKind kind, QWidget* host);
    ~TScriptEditor() override;

    TScriptListBox* List() const { return mList; }
    TScriptKind Kind() const { return mKind; }
    // The script edited (not owned; nullptr for none) and the renderer of its lines.
    void SetScript(TQelEventScriptList* script);
    TQelEventScriptList* Script() const { return mScript; }
    void SetConverter(const TEventScriptConverter* converter) { mConverter = converter; }
    // What the command dialogs are told about the script.
    void SetContext(const TEvCmdContext& context) { mContext = context; }
    // Where the picker opens, from the host's client origin.
    void SetPickerOffset(QPoint offset) { mPickerOffset = offset; }

    // The list's texts from the script: with as many lines as before each text is replaced in
    // place and the selection kept; otherwise the list is refilled and the caret put on line 0.
    void Reload();

    QMenu* Menu() const { return mMenu; }
    // The enabling rules, worked out again (the menu does so whenever it opens).
    void UpdateMenu();

    void Insert();
    void Edit();
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    void SelectAll();

    QAction* Menu_EventCommand_Insert;
    QAction* Menu_EventCommand_Edit;
    QAction* Menu_EventCommand_Cut;
    QAction* Menu_EventCommand_Copy;
    QAction* Menu_EventCommand_Paste;
    QAction* Menu_EventCommand_Delete;
    QAction* Menu_EventCommand_SelectAll;

    // The message shown when the clipboard's lines are damaged and nothing was pasted.
    static const char* const DamagedPasteText;

signals:
    // The script changed (the host enables "&Apply" or marks its record changed).
    void changed();
    // A command dialog changed the database.
    void dataBaseChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the action's operation when its enabling rule allows it now.
    void runIfEnabled(QAction* action);
    void showMenu(QPoint globalPos);
    // Inserts lines (indents relative to their first) before a script line and their texts into
    // the list; returns how many.
    int insertLines(int position, const TQelEventScriptList& lines);
    void removeLines(int first, int last);
    QStringList texts(int first, int count) const;
    // Runs a picker for Insert (no lines) or Edit (the selected lines); true with its lines.
    bool runPicker(TQelEventScriptList& lines, bool edit);
    bool selectionIsWhole() const;

    TScriptListBox* mList;
    TScriptKind mKind;
    QWidget* mHost;
    TQelEventScriptList* mScript = nullptr;
    const TEventScriptConverter* mConverter = nullptr;
    TEvCmdContext mContext;
    QPoint mPickerOffset{352, 72};
    QMenu* mMenu;
};

} // namespace tarvel
