#include "ScriptEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "EvCmdList.h"
#include "ScriptList.h"
#include "controls/DialogPlacement.h"
#include "controls/MessageBoxes.h"
#include "data/EventCommandBlocks.h"
#include "data/ScriptClipboard.h"
#include "records/ClipboardPort.h"

namespace tarvel {

const char* const TScriptEditor::DamagedPasteText =
    "The event commands on the clipboard are damaged (their lines do not make whole commands), so "
    "nothing was pasted.";

TScriptEditor::TScriptEditor(TScriptListBox* list, TScriptKind kind, QWidget* host)
    : QObject(host), mList(list), mKind(kind), mHost(host), mMenu(new QMenu(list)) {
    mMenu->setObjectName("PopupMenuEventCommand");
    auto makeAction = [this](const char* name, const QString& text, const QKeySequence& key,
                             void (TScriptEditor::*slot)()) {
        auto* action = new QAction(text, mMenu);
        action->setObjectName(name);
        // The keys reach the list as key presses (eventFilter); the menu only shows them.
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        mMenu->addAction(action);
        return action;
    };
    Menu_EventCommand_Insert = makeAction("Menu_EventCommand_Insert", "&Insert...",
                                          QKeySequence(Qt::Key_Return), &TScriptEditor::Insert);
    Menu_EventCommand_Edit =
        makeAction("Menu_EventCommand_Edit", "&Edit...", QKeySequence(Qt::Key_Space), &TScriptEditor::Edit);
    mMenu->addSeparator();
    Menu_EventCommand_Cut =
        makeAction("Menu_EventCommand_Cut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), &TScriptEditor::Cut);
    Menu_EventCommand_Copy = makeAction("Menu_EventCommand_Copy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C),
                                        &TScriptEditor::Copy);
    Menu_EventCommand_Paste = makeAction("Menu_EventCommand_Paste", "&Paste",
                                         QKeySequence(Qt::CTRL | Qt::Key_V), &TScriptEditor::Paste);
    Menu_EventCommand_Delete = makeAction("Menu_EventCommand_Delete", "&Delete", QKeySequence(Qt::Key_Delete),
                                          &TScriptEditor::Delete);
    mMenu->addSeparator();
    Menu_EventCommand_SelectAll = makeAction("Menu_EventCommand_SelectAll", "Select &All",
                                             QKeySequence(Qt::CTRL | Qt::Key_A), &TScriptEditor::SelectAll);

    mList->installEventFilter(this);
    connect(mList, &TScriptListBox::contextMenuRequested, this, &TScriptEditor::showMenu);
    connect(mList, &TScriptListBox::doubleClicked, this, [this] { runIfEnabled(Menu_EventCommand_Insert); });
}

TScriptEditor::~TScriptEditor() = default;

void TScriptEditor::SetScript(TQelEventScriptList* script) {
    mScript = script;
    Reload();
}

QStringList TScriptEditor::texts(int first, int count) const {
    QStringList result;
    for (int i = first; i < first + count; ++i) {
        const TQelEventScriptLine* line = mScript ? mScript->Line(i) : nullptr;
        if (!line) break;
        result << QString::fromStdString(mConverter ? mConverter->DescribeLine(*line) : std::string());
    }
    return result;
}

void TScriptEditor::Reload() {
    const QStringList lines = texts(0, mScript ? mScript->Count() : 0);
    if (lines.size() == mList->Count()) {
        mList->ReplaceItems(lines);
        return;
    }
    mList->SetItems(lines);
    mList->SetItemIndex(-1);
}

// ---- enabling ----

bool TScriptEditor::selectionIsWhole() const {
    return mScript && mList->HasSelection() && mList->Count() == mScript->Count() &&
           mList->SelEnd() >= mList->SelStart() && mList->SelEnd() < mScript->Count();
}

void TScriptEditor::UpdateMenu() {
    const bool selection = selectionIsWhole();
    bool insert = selection, edit = selection, cutCopyDelete = selection;
    if (selection) {
        const int first = mList->SelStart(), last = mList->SelEnd();
        const int32_t level = mScript->Line(first)->Indent;
        for (int i = first; i <= last; ++i) {
            const TQelEventScriptLine& line = *mScript->Line(i);
            if (line.Indent != level) continue;
            // An end line is never a command to edit, cut, copy or delete.
            if (IsEndLineCode(line.Code)) edit = cutCopyDelete = false;
            // A second command at the selection's level: insert and edit take one command.
            if (i > first && IsCommandCode(line.Code)) insert = edit = false;
        }
        // A command without a dialog has nothing to edit.
        if (edit && !(PickerEdits(PickerOf(mKind), mScript->Line(first)->Code) &&
                      HasEvCmdDialog(mScript->Line(first)->Code)))
            edit = false;
    }
    Menu_EventCommand_Insert->setEnabled(insert);
    Menu_EventCommand_Edit->setEnabled(edit);
    Menu_EventCommand_Cut->setEnabled(cutCopyDelete);
    Menu_EventCommand_Copy->setEnabled(cutCopyDelete);
    Menu_EventCommand_Delete->setEnabled(cutCopyDelete);
    Menu_EventCommand_Paste->setEnabled(selection && Clipboard().has(ClipboardFormat::EventCommands));
    Menu_EventCommand_SelectAll->setEnabled(mList->Count() > 1);
}

void TScriptEditor::runIfEnabled(QAction* action) {
    UpdateMenu();
    if (action->isEnabled()) action->trigger();
}

void TScriptEditor::showMenu(QPoint globalPos) {
    UpdateMenu();
    mMenu->popup(globalPos);
}

bool TScriptEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mList || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    QAction* action = nullptr;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers == Qt::NoModifier) action = Menu_EventCommand_Insert;
        break;
    case Qt::Key_Space:
        if (modifiers == Qt::NoModifier) action = Menu_EventCommand_Edit;
        break;
    case Qt::Key_Delete:
        if (modifiers == Qt::NoModifier) action = Menu_EventCommand_Delete;
        break;
    case Qt::Key_X:
        if (modifiers == Qt::ControlModifier) action = Menu_EventCommand_Cut;
        break;
    case Qt::Key_C:
        if (modifiers == Qt::ControlModifier) action = Menu_EventCommand_Copy;
        break;
    case Qt::Key_V:
        if (modifiers == Qt::ControlModifier) action = Menu_EventCommand_Paste;
        break;
    case Qt::Key_A:
        if (modifiers == Qt::ControlModifier) action = Menu_EventCommand_SelectAll;
        break;
    default:
        break;
    }
    if (!action) return false;
    runIfEnabled(action);
    // Taken either way: Enter must not reach the dialog's default button.
    return true;
}

// ---- the operations ----

int TScriptEditor::insertLines(int position, const TQelEventScriptList& lines) {
    if (!mScript || lines.Count() == 0) return 0;
    mScript->InsertLines(position, lines, 0);
    mList->InsertItems(position, texts(position, lines.Count()));
    return lines.Count();
}

void TScriptEditor::removeLines(int first, int last) {
    for (int i = last; i >= first; --i)
        mScript->Delete(i);
    mList->RemoveItems(first, last - first + 1);
}

bool TScriptEditor::runPicker(TQelEventScriptList& lines, bool edit) {
    std::unique_ptr<TFormEvCmdListBase> picker = CreateEvCmdList(PickerOf(mKind), mHost);
    PlaceNearOwner(picker.get(), mPickerOffset.x(), mPickerOffset.y());
    picker->SetContext(mContext);
    picker->Lines().Assign(lines);
    const bool ok = edit ? picker->RunEdit() : picker->RunInsert();
    if (picker->DataBaseChanged()) emit dataBaseChanged();
    if (ok) lines.Assign(picker->Lines());
    return ok;
}

void TScriptEditor::Insert() {
    if (!selectionIsWhole()) return;
    TQelEventScriptList lines;
    if (!runPicker(lines, false)) return;
    const int n = insertLines(mList->SelStart(), lines);
    if (n == 0) return;
    // The view shows the end of the new lines, then their start; the caret goes on to the next
    // head: the first body of a new block, or the line that was selected before.
    mList->SetItemIndex(mList->ItemIndex() + n);
    mList->SetItemIndex(mList->ItemIndex() - n);
    mList->NextHead();
    emit changed();
}

void TScriptEditor::Edit() {
    if (!selectionIsWhole()) return;
    const int first = mList->SelStart(), last = mList->SelEnd();
    TQelEventScriptList lines;
    for (int i = first; i <= last; ++i)
        lines.Add(*mScript->Line(i));
    if (!runPicker(lines, true) || lines.Count() == 0) return;
    removeLines(first, last);
    const int n = insertLines(first, lines);
    mList->SetItemIndex(mList->ItemIndex() + n);
    mList->SetItemIndex(mList->ItemIndex() - n);
    emit changed();
}

void TScriptEditor::Copy() {
    if (!selectionIsWhole()) return;
    TQelEventScriptList lines;
    for (int i = mList->SelStart(); i <= mList->SelEnd(); ++i)
        lines.Add(*mScript->Line(i));
    Clipboard().set(ClipboardFormat::EventCommands, ScriptLinesBlock(lines));
}

void TScriptEditor::Cut() {
    Copy();
    Delete();
}

void TScriptEditor::Paste() {
    if (!selectionIsWhole()) return;
    std::optional<std::vector<uint8_t>> block = Clipboard().get(ClipboardFormat::EventCommands);
    if (!block) return;
    TQelEventScriptList lines;
    if (!ReadScriptLinesBlock(*block, lines)) {
        ShowError(QString::fromUtf8(DamagedPasteText), mHost);
        return;
    }
    FilterPastedLines(mKind, lines);
    const int n = insertLines(mList->SelStart(), lines);
    // The caret stays on the line it was on.
    if (n > 0) mList->SetItemIndex(mList->ItemIndex() + n);
    emit changed();
}

void TScriptEditor::Delete() {
    if (!selectionIsWhole()) return;
    const int first = mList->SelStart();
    removeLines(first, mList->SelEnd());
    mList->SetItemIndex(first);
    emit changed();
}

void TScriptEditor::SelectAll() {
    if (mList->Count() <= 1) return;
    mList->SetSelStart(0);
    mList->SetSelEnd(mList->Count() - 2);
}

} // namespace tarvel
