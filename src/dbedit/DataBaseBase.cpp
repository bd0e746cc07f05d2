#include "DataBaseBase.h"

#include <QScrollBar>
#include <algorithm>
#include <map>

#include "DataMultiCopy.h"
#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "data/LD_Common.h"
#include "pickers/DataMaxChange.h"
#include "records/Catalog.h"

namespace tarvel {

TFormDataBaseBase::TFormDataBaseBase(QWidget* parent, TQelDataBase& dataBase)
    : QWidget(parent), mDataBase(dataBase) {}

TFormDataBaseBase::~TFormDataBaseBase() = default;

void TFormDataBaseBase::Modified() {
    if (OnModified) OnModified();
    RefreshDerived();
}

// ---------------------------------------------------------------------------------------------

TRecordListBox::TRecordListBox(QWidget* parent) : QListWidget(parent) {
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { mPendingTop = -1; });
}

void TRecordListBox::LayoutNow() {
    executeDelayedItemsLayout();
    updateGeometries();
}

int TRecordListBox::TopLine() {
    LayoutNow();
    return mPendingTop >= 0 ? mPendingTop : verticalScrollBar()->value();
}

void TRecordListBox::SetTopLine(int line) {
    mPendingTop = std::clamp(line, 0, std::max(0, count() - 1));
    LayoutNow();
    applyTopLine();
}

void TRecordListBox::updateGeometries() {
    QListWidget::updateGeometries();
    applyTopLine();
}

void TRecordListBox::applyTopLine() {
    if (mPendingTop < 0) return;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(mPendingTop);
    // Taken once the list is laid out far enough to show it (or cannot scroll so far at all).
    if (bar->value() == mPendingTop || (isVisible() && viewport()->height() > 0)) mPendingTop = -1;
}

TProcessOption<TListPosition>& RememberedListPosition(int clipboardFormat) {
    static std::map<int, TProcessOption<TListPosition>> positions;
    return positions.try_emplace(clipboardFormat, TListPosition{}).first->second;
}

QString RecordLineText(const TCatalog& records, int index) {
    const TCatalogItem* item = records.Items(index);
    if (!item) return {};
    return QString::asprintf("%.4d:", item->ID) + QString::fromStdString(item->Name);
}

void FillRecordList(TRecordListBox* list, TCatalog& records) {
    TBusyCursor busy;
    if (records.Count() == 0) records.FindOrCreate(1);
    const int top = list->TopLine();
    const int selected = list->currentRow();
    const QSignalBlocker block(list);
    list->clear();
    QStringList lines;
    lines.reserve(records.Count());
    for (int i = 0; i < records.Count(); ++i)
        lines << RecordLineText(records, i);
    list->addItems(lines);
    list->setCurrentRow(selected >= 0 && selected < list->count() ? selected : list->count() - 1);
    list->SetTopLine(top);
}

void RestoreListPosition(TRecordListBox* list, int topLine, int selectedLine) {
    const QSignalBlocker block(list);
    list->SetTopLine(topLine);
    list->setCurrentRow(selectedLine >= 0 && selectedLine < list->count() ? selectedLine : 0);
}

void RefreshRecordLine(TRecordListBox* list, const TCatalog& records) {
    QListWidgetItem* line = list->currentItem();
    if (line) line->setText(RecordLineText(records, list->currentRow()));
}

bool ChangeRecordCount(QWidget* owner, int pageLeft, TRecordListBox* list, TCatalog& records) {
    TFormDataMaxChange dialog(owner, records.Count());
    PlaceNearOwner(&dialog, pageLeft + 14, 410);
    if (dialog.exec() != QDialog::Accepted) return false;
    TBusyCursor busy;
    ResizeList(records, dialog.Value());
    FillRecordList(list, records);
    return true;
}

bool MultiCopyRecords(QWidget* owner, int pageLeft, TRecordListBox* list, TCatalog& records,
                      int clipboardFormat) {
    const int first = list->currentRow();
    if (first < 0 || first >= records.Count()) return false;
    TFormDataMultiCopy dialog(owner, records.Count() - first);
    PlaceNearOwner(&dialog, pageLeft + 14, 32);
    if (dialog.exec() != QDialog::Accepted) return false;
    TBusyCursor busy;
    records.CopyToClipboard(clipboardFormat, first, dialog.Value());
    FillRecordList(list, records);
    return true;
}

} // namespace tarvel
