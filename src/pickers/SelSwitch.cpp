#include "SelSwitch.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QValidator>
#include <algorithm>

#include "DataMaxChange.h"
#include "controls/DialogPlacement.h"
#include "data/LD_Common.h"
#include "ui_SelSwitch.h"

namespace tarvel {

namespace {

// Names are stored as bytes with a byte limit; the box refuses what would not fit.
class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int bytes, QObject* parent) : QValidator(parent), mBytes(bytes) {}
    State validate(QString& input, int&) const override {
        return input.toUtf8().size() <= mBytes ? Acceptable : Invalid;
    }

private:
    int mBytes;
};

} // namespace

TProcessOption<int>& LastSwitchID() {
    static TProcessOption<int> option{1};
    return option;
}

TFormSelSwitchVariable::TFormSelSwitchVariable(QWidget* parent, TCatalog& list, const QString& caption,
                                               TProcessOption<int>& lastID)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormSelSwitch>()), mList(list), mLastID(lastID),
      mChosenID(lastID.Value()) {
    ui->setupUi(this);
    setWindowTitle(caption);
    for (int id = 1; id <= list.Count(); ++id) {
        TCatalogItem* item = list.Find(id);
        mNames.push_back(item ? item->Name : std::string());
    }
    // A section is never empty; an empty one gets its first entry when the picker applies.
    if (mNames.empty()) {
        mNames.emplace_back();
        markPending();
    }
    ui->EditName->setValidator(new ByteLimitValidator(NameBytes, this));

    auto addAction = [this](const QString& text, const QKeySequence& key,
                            void (TFormSelSwitchVariable::*slot)()) {
        auto* action = new QAction(text, ui->DataList);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        ui->DataList->addAction(action);
        return action;
    };
    addAction("&Copy", QKeySequence::Copy, &TFormSelSwitchVariable::Menu_Copy);
    mPaste = addAction("&Paste", QKeySequence::Paste, &TFormSelSwitchVariable::Menu_Paste);
    addAction("C&lear", QKeySequence::Delete, &TFormSelSwitchVariable::Menu_Clear);

    // The list's own copy (of the whole line) gives way to the name's copy, paste and clear.
    ui->DataList->installEventFilter(this);

    connect(ui->GroupList, &QListWidget::currentRowChanged, this, &TFormSelSwitchVariable::GroupListClick);
    connect(ui->DataList, &QListWidget::currentRowChanged, this, &TFormSelSwitchVariable::DataListClick);
    connect(ui->DataList, &QListWidget::itemDoubleClicked, this, &TFormSelSwitchVariable::ButtonOkClick);
    connect(ui->EditName, &QLineEdit::textEdited, this, &TFormSelSwitchVariable::EditNameChange);
    connect(ui->ButtonMax, &QPushButton::clicked, this, &TFormSelSwitchVariable::ButtonMaxClick);
    connect(ui->ButtonApply, &QPushButton::clicked, this, &TFormSelSwitchVariable::ButtonApplyClick);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormSelSwitchVariable::ButtonOkClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormSelSwitchVariable::~TFormSelSwitchVariable() = default;

QString TFormSelSwitchVariable::GroupText(int firstID, int lastID) {
    return QString::asprintf("[ %.4d - %.4d ]", firstID, lastID);
}

QString TFormSelSwitchVariable::CutToBytes(const QString& text, int bytes) {
    QString out;
    int used = 0;
    for (int i = 0; i < text.size();) {
        // A surrogate pair is one character.
        int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString character = text.mid(i, length);
        int size = int(character.toUtf8().size());
        if (used + size > bytes) break;
        out += character;
        used += size;
        i += length;
    }
    return out;
}

QString TFormSelSwitchVariable::lineText(int id) const {
    return QString::asprintf("%.4d:", id) + QString::fromStdString(WorkingName(id));
}

void TFormSelSwitchVariable::showEvent(QShowEvent* event) {
    TFormQelBase::showEvent(event);
    rebuildGroups();
    selectID(mChosenID);
}

void TFormSelSwitchVariable::rebuildGroups() {
    const QSignalBlocker block(ui->GroupList);
    ui->GroupList->clear();
    int count = WorkingCount();
    for (int first = 1; first <= count; first += GroupSize)
        ui->GroupList->addItem(GroupText(first, std::min(first + GroupSize - 1, count)));
}

void TFormSelSwitchVariable::fillDataList() {
    const QSignalBlocker block(ui->DataList);
    ui->DataList->clear();
    int group = ui->GroupList->currentRow();
    if (group < 0) return;
    int first = group * GroupSize + 1;
    int last = std::min(first + GroupSize - 1, WorkingCount());
    for (int id = first; id <= last; ++id)
        ui->DataList->addItem(lineText(id));
}

void TFormSelSwitchVariable::selectID(int id) {
    id = std::clamp(id, 1, WorkingCount());
    mChosenID = id;
    {
        const QSignalBlocker block(ui->GroupList);
        ui->GroupList->setCurrentRow((id - 1) / GroupSize);
    }
    ui->GroupList->scrollToItem(ui->GroupList->currentItem());
    fillDataList();
    {
        const QSignalBlocker block(ui->DataList);
        ui->DataList->setCurrentRow((id - 1) % GroupSize);
    }
    ui->LabelID->setText(QString::asprintf("%.4d:", id));
    const QSignalBlocker block(ui->EditName);
    ui->EditName->setText(QString::fromStdString(WorkingName(id)));
}

void TFormSelSwitchVariable::GroupListClick(int group) {
    if (group < 0) return;
    // The row within the group stays where the new group has it, else the group's last.
    int row = (mChosenID - 1) % GroupSize;
    int id = std::min(group * GroupSize + row + 1, WorkingCount());
    selectID(id);
}

void TFormSelSwitchVariable::DataListClick(int row) {
    int group = ui->GroupList->currentRow();
    if (row < 0 || group < 0) return;
    selectID(group * GroupSize + row + 1);
}

void TFormSelSwitchVariable::SelectPreviousID() {
    if (mChosenID > 1) selectID(mChosenID - 1);
}

void TFormSelSwitchVariable::SelectNextID() {
    if (mChosenID < WorkingCount()) selectID(mChosenID + 1);
}

void TFormSelSwitchVariable::keyPressEvent(QKeyEvent* event) {
    Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    bool plainOrCtrl = modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier;
    if (plainOrCtrl && event->key() == Qt::Key_F4) {
        SelectPreviousID();
        event->accept();
        return;
    }
    if (plainOrCtrl && event->key() == Qt::Key_F5) {
        SelectNextID();
        event->accept();
        return;
    }
    TFormQelBase::keyPressEvent(event);
}

bool TFormSelSwitchVariable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->DataList &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        void (TFormSelSwitchVariable::*command)() = nullptr;
        if (key->matches(QKeySequence::Copy))
            command = &TFormSelSwitchVariable::Menu_Copy;
        else if (key->matches(QKeySequence::Paste))
            command = &TFormSelSwitchVariable::Menu_Paste;
        else if (key->matches(QKeySequence::Delete))
            command = &TFormSelSwitchVariable::Menu_Clear;
        if (command) {
            // Taking the shortcut over means the key press comes here, once.
            if (event->type() == QEvent::KeyPress) (this->*command)();
            event->accept();
            return true;
        }
    }
    return TFormQelBase::eventFilter(watched, event);
}

void TFormSelSwitchVariable::markPending() {
    mPending = true;
    ui->ButtonApply->setEnabled(true);
}

void TFormSelSwitchVariable::setName(int id, const std::string& name) {
    if (id < 1 || id > WorkingCount()) return;
    mNames[size_t(id - 1)] = name;
    int group = ui->GroupList->currentRow();
    int row = id - 1 - group * GroupSize;
    if (group >= 0 && row >= 0 && row < ui->DataList->count()) ui->DataList->item(row)->setText(lineText(id));
    if (id == mChosenID) {
        QString text = QString::fromStdString(name);
        if (ui->EditName->text() != text) {
            const QSignalBlocker block(ui->EditName);
            ui->EditName->setText(text);
        }
    }
    markPending();
}

void TFormSelSwitchVariable::EditNameChange(const QString& text) {
    setName(mChosenID, text.toStdString());
}

void TFormSelSwitchVariable::Menu_Copy() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(WorkingName(mChosenID)));
}

void TFormSelSwitchVariable::Menu_Paste() {
    QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) return;
    // A name is one line.
    text = text.section(QRegularExpression("[\r\n]"), 0, 0);
    setName(mChosenID, CutToBytes(text, NameBytes).toStdString());
}

void TFormSelSwitchVariable::Menu_Clear() {
    setName(mChosenID, std::string());
}

void TFormSelSwitchVariable::ButtonMaxClick() {
    TFormDataMaxChange dialog(this, WorkingCount());
    PlaceNearOwner(&dialog, 14, 218);
    if (dialog.exec() != QDialog::Accepted) return;
    mNames.resize(size_t(dialog.Value()));
    rebuildGroups();
    selectID(mChosenID);
    markPending();
}

void TFormSelSwitchVariable::ButtonApplyClick() {
    int count = WorkingCount();
    ResizeList(mList, count);
    for (int id = 1; id <= count; ++id)
        mList.FindOrCreate(id)->Name = mNames[size_t(id - 1)];
    mPending = false;
    ui->ButtonApply->setEnabled(false);
    mDataBaseChanged = true;
    emit dataBaseChanged();
}

void TFormSelSwitchVariable::ButtonOkClick() {
    mLastID.Set(mChosenID);
    if (mPending) ButtonApplyClick();
    accept();
}

TFormSelSwitch::TFormSelSwitch(QWidget* parent, TCatalog& switches)
    : TFormSelSwitchVariable(parent, switches, "Select Switch", LastSwitchID()) {}

} // namespace tarvel
