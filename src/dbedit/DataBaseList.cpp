#include "DataBaseList.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "records/Catalog.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {
constexpr int ListWidth = 156;
}

TFormDataBaseList::TFormDataBaseList(QWidget* parent, TQelDataBase& dataBase, TCatalog& records,
                                     int clipboardFormat)
    : TFormDataBaseBase(parent, dataBase), mRecords(records), mFormat(clipboardFormat),
      mList(new TRecordListBox(this)), mButtonMax(new QPushButton("Max Field Number...", this)),
      mEditName(new QLineEdit(this)), mNameRow(new QWidget(this)), mEditorArea(new QWidget(this)),
      mMenu(new QMenu(this)) {
    mList->setObjectName("DataList");
    mButtonMax->setObjectName("ButtonMax");
    mEditName->setObjectName("EditName");
    mEditorArea->setObjectName("EditorArea");

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* left = new QVBoxLayout;
    mList->setFixedWidth(ListWidth);
    mButtonMax->setFixedWidth(ListWidth);
    left->addWidget(mList, 1);
    left->addWidget(mButtonMax);
    layout->addLayout(left);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    auto* nameLayout = new QHBoxLayout(mNameRow);
    nameLayout->setContentsMargins(0, 0, 0, 0);
    auto* nameLabel = new QLabel("Name", mNameRow);
    nameLabel->setBuddy(mEditName);
    nameLayout->addWidget(nameLabel);
    nameLayout->addWidget(mEditName, 1);
    right->addWidget(mNameRow);
    right->addWidget(mEditorArea, 1);
    layout->addLayout(right, 1);

    // The menu's shortcuts work while the list has the focus; elsewhere Ctrl+C and Del belong to
    // the control being typed in.
    auto action = [this](const QString& caption, const QKeySequence& key, const char* name,
                         void (TFormDataBaseList::*slot)()) {
        QAction* a = mMenu->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetShortcut);
            mList->addAction(a);
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mCopy = action("&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), "Menu_Copy", &TFormDataBaseList::Menu_Copy);
    mPaste =
        action("&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), "Menu_Paste", &TFormDataBaseList::Menu_Paste);
    mClear = action("C&lear", QKeySequence(Qt::Key_Delete), "Menu_Clear", &TFormDataBaseList::Menu_Clear);
    mCut = action("Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), "Menu_Cut", &TFormDataBaseList::Menu_Cut);
    mMultiCopy = action("&MultiCopy...", {}, "Menu_MultiCopy", &TFormDataBaseList::Menu_MultiCopy);
    connect(mMenu, &QMenu::aboutToShow, this, &TFormDataBaseList::UpdateMenu);

    mList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        DataListClick();
        mMenu->popup(mList->viewport()->mapToGlobal(at));
    });
    connect(mList, &QListWidget::currentRowChanged, this, [this] { DataListClick(); });
    connect(mButtonMax, &QPushButton::clicked, this, &TFormDataBaseList::ButtonMaxClick);
    connect(mEditName, &QLineEdit::textChanged, this, &TFormDataBaseList::EditNameChange);
}

TFormDataBaseList::~TFormDataBaseList() {
    if (mStarted) RememberedListPosition(mFormat).Set({mList->TopLine(), mList->currentRow()});
}

void TFormDataBaseList::Start() {
    // A page that placed the name in its own editor needs no row of its own for it.
    mNameRow->setVisible(mEditName->parentWidget() == mNameRow);
    FillRecordList(mList, mRecords);
    const TListPosition position = RememberedListPosition(mFormat).Value();
    RestoreListPosition(mList, position.topLine, position.selectedLine);
    mStarted = true;
    selectRecord(true);
}

void TFormDataBaseList::selectRecord(bool force) {
    TCatalogItem* item = mRecords.Items(mList->currentRow());
    if (!force && item == mCurrent) return;
    mCurrent = item;
    {
        TLoadingScope loading(*this);
        mEditName->setText(item ? QString::fromStdString(item->Name) : QString());
        mEditName->setEnabled(item != nullptr);
        LoadRecord();
    }
    RefreshDerived();
    update();
}

void TFormDataBaseList::DataListClick() {
    if (mStarted) selectRecord(false);
}

void TFormDataBaseList::ReloadRecord() {
    selectRecord(true);
}

void TFormDataBaseList::SelectPreviousRecord() {
    if (mList->currentRow() > 0) mList->setCurrentRow(mList->currentRow() - 1);
}

void TFormDataBaseList::SelectNextRecord() {
    if (mList->currentRow() + 1 < mList->count()) mList->setCurrentRow(mList->currentRow() + 1);
}

void TFormDataBaseList::EditNameChange(const QString& text) {
    if (Loading() || !mCurrent) return;
    mCurrent->Name = text.toStdString();
    RefreshRecordLine(mList, mRecords);
    Modified();
}

int TFormDataBaseList::pageLeft() const {
    return window() == this ? 0 : mapTo(window(), QPoint(0, 0)).x();
}

void TFormDataBaseList::ButtonMaxClick() {
    if (!ChangeRecordCount(window(), pageLeft(), mList, mRecords)) return;
    // The current record may be one of those just deleted.
    mCurrent = nullptr;
    selectRecord(true);
    Modified();
}

void TFormDataBaseList::UpdateMenu() {
    mPaste->setEnabled(Clipboard().has(mFormat));
}

void TFormDataBaseList::Menu_Copy() {
    if (mCurrent) mCurrent->CopyToClipboard(mFormat);
}

void TFormDataBaseList::Menu_Paste() {
    const int row = mList->currentRow();
    if (!mCurrent || row < 0 || !Clipboard().has(mFormat)) return;
    const int pasted = mRecords.PasteFromClipboard(mFormat, row);
    if (pasted == 0) return;
    if (pasted == 1)
        RefreshRecordLine(mList, mRecords);
    else
        FillRecordList(mList, mRecords);
    ReloadRecord();
    Modified();
}

void TFormDataBaseList::Menu_Clear() {
    if (!mCurrent) return;
    mCurrent->Reset();
    RefreshRecordLine(mList, mRecords);
    ReloadRecord();
    Modified();
}

void TFormDataBaseList::Menu_Cut() {
    Menu_Copy();
    Menu_Clear();
}

void TFormDataBaseList::Menu_MultiCopy() {
    MultiCopyRecords(window(), pageLeft(), mList, mRecords, mFormat);
}

} // namespace tarvel
