#include "DataBaseControls.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "records/Catalog.h"

namespace tarvel {

TRecordComboBox::TRecordComboBox(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(10);
}

void TRecordComboBox::Fill(const TCatalog& records, const QString& noneText) {
    Fill(records, noneText, {});
}

void TRecordComboBox::Fill(const TCatalog& records, const QString& noneText,
                           const std::function<bool(int id)>& filter) {
    const QSignalBlocker block(this);
    clear();
    if (!noneText.isEmpty()) addItem(noneText, 0);
    for (int i = 0; i < records.Count(); ++i) {
        const int id = records.Items(i)->ID;
        if (!filter || filter(id)) addItem(RecordLineText(records, i), id);
    }
}

void TRecordComboBox::SetID(int id) {
    int index = findData(id);
    if (index < 0) {
        // Kept as it is, in ID order among the others.
        index = 0;
        while (index < count() && itemData(index).toInt() < id)
            ++index;
        insertItem(index, QString::asprintf("%.4d:", id), id);
    }
    setCurrentIndex(index);
}

int TRecordComboBox::ID() const {
    return currentIndex() < 0 ? 0 : currentData().toInt();
}

// ---------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------

TRecordFlagList::TRecordFlagList(QWidget* parent) : QListWidget(parent) {
    setUniformItemSizes(true);
    // A short list scrolls rather than pushing the page's other settings away.
    setMinimumHeight(64);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!mFilling) emit flagChanged(row(item) + 1, item->checkState() == Qt::Checked);
    });
}

void TRecordFlagList::Fill(const TCatalog& records) {
    mFilling = true;
    clear();
    for (int i = 0; i < records.Count(); ++i) {
        auto* item = new QListWidgetItem(RecordLineText(records, i), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    mFilling = false;
}

bool TRecordFlagList::Flag(int id) const {
    const QListWidgetItem* line = item(id - 1);
    return line && line->checkState() == Qt::Checked;
}

void TRecordFlagList::SetFlag(int id, bool on) {
    QListWidgetItem* line = item(id - 1);
    if (!line) return;
    mFilling = true;
    line->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    mFilling = false;
}

// ---------------------------------------------------------------------------------------------

namespace {
const QString RankMark = QStringLiteral("\u25CF");
}

TRecordRankTable::TRecordRankTable(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(1 + RankCount);
    setHorizontalHeaderLabels({"", "A", "B", "C", "D", "E"});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c <= RankCount; ++c) {
        horizontalHeader()->setSectionResizeMode(c, QHeaderView::Fixed);
        setColumnWidth(c, 22);
    }
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setMinimumHeight(64);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QTableWidget::cellClicked, this, &TRecordRankTable::cellChosen);
}

void TRecordRankTable::Fill(const TCatalog& records) {
    clearContents();
    setRowCount(records.Count());
    mRanks.assign(size_t(records.Count()), -1);
    for (int i = 0; i < records.Count(); ++i) {
        setItem(i, 0, new QTableWidgetItem(RecordLineText(records, i)));
        for (int c = 1; c <= RankCount; ++c) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            setItem(i, c, cell);
        }
    }
}

int TRecordRankTable::Rank(int id) const {
    return id >= 1 && id <= int(mRanks.size()) ? mRanks[size_t(id - 1)] : -1;
}

void TRecordRankTable::SetRank(int id, int rank) {
    if (id < 1 || id > int(mRanks.size())) return;
    const int row = id - 1;
    mRanks[size_t(row)] = rank;
    for (int c = 1; c <= RankCount; ++c)
        item(row, c)->setText(c - 1 == rank ? RankMark : QString());
}

void TRecordRankTable::cellChosen(int row, int column) {
    if (column < 1 || row < 0 || row >= int(mRanks.size())) return;
    const int rank = column - 1;
    if (mRanks[size_t(row)] == rank) return;
    SetRank(row + 1, rank);
    emit rankChanged(row + 1, rank);
}

// ---------------------------------------------------------------------------------------------

QButtonGroup* MakeRadioGroup(QWidget* parent, QLayout* layout, const QStringList& captions) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], parent);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    // Side by side, the buttons stand together at the left.
    if (auto* row = qobject_cast<QHBoxLayout*>(layout)) row->addStretch(1);
    return group;
}

QSpinBox* Percent(QSpinBox* box) {
    box->setSuffix(" %");
    return box;
}

QComboBox* MakeChoiceBox(QWidget* parent, const QStringList& captions) {
    auto* box = new QComboBox(parent);
    box->addItems(captions);
    // The longest caption need not decide the width of the form.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(10);
    return box;
}

QWidget* MakeScrolledEditor(QWidget* area) {
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(area);
    scroll->setObjectName("EditorScroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* editor = new QWidget(scroll);
    scroll->setWidget(editor);
    layout->addWidget(scroll);
    return editor;
}

} // namespace tarvel
