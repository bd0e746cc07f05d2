#include "SelEvChar.h"

#include <QButtonGroup>
#include <algorithm>

#include "SelChar.h"
#include "controls/BoardView.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GR_ChipSet.h"
#include "ui_SelEvChar.h"

namespace tarvel {

namespace {
constexpr int kUpperChipBase = 10000;
}

TFormSelEvChar::TFormSelEvChar(QWidget* parent, TQelChipSetGraphic* chipSet)
    : TFormSelImageBase(parent, "CharSet", QSize(kCharSetWidth, kCharSetHeight)),
      ui(std::make_unique<Ui::TFormSelEvChar>()), mChipSet(chipSet) {
    ui->setupUi(this);
    AttachList(ui->DataList);
    AttachPreview(ui->PaintBox, QSize(4 * TFormSelChar::CellWidth, 2 * TFormSelChar::CellHeight));

    mChipBoard.SetSize(6 * ChipCell, ChipsPerPage / 6 * ChipCell);
    ui->PaintBoxChip->SetBoard(&mChipBoard);
    ui->PaintBoxChip->FitToBoard();
    connect(ui->PaintBoxChip, &BoardView::boardMousePress, this, [this](QPoint at, Qt::MouseButton button) {
        if (button == Qt::LeftButton) ChipClick(at);
    });
    connect(ui->PaintBoxChip, &BoardView::boardDoubleClick, this, [this](QPoint, Qt::MouseButton button) {
        if (button == Qt::LeftButton) accept();
    });

    mDirections = new QButtonGroup(this);
    mDirections->addButton(ui->RadioUp, 0);
    mDirections->addButton(ui->RadioRight, 1);
    mDirections->addButton(ui->RadioDown, 2);
    mDirections->addButton(ui->RadioLeft, 3);
    mPatterns = new QButtonGroup(this);
    mPatterns->addButton(ui->RadioPatternLeft, 0);
    mPatterns->addButton(ui->RadioPatternMiddle, 1);
    mPatterns->addButton(ui->RadioPatternRight, 2);
    connect(mDirections, &QButtonGroup::idClicked, this, [this](int id) { SetDirection(id); });
    connect(mPatterns, &QButtonGroup::idClicked, this, [this](int id) { SetPattern(id); });

    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    showPanels();
}

TFormSelEvChar::~TFormSelEvChar() = default;

QString TFormSelEvChar::ChipPageText(int page) {
    return QStringLiteral("*ChipSet %1").arg(page + 1);
}

int TFormSelEvChar::Index() const {
    return mFileName.isEmpty() ? mChipIndex : mCharIndex;
}

void TFormSelEvChar::SetIndex(int index) {
    // The same number means a chip without a file name and a character with one; which of the
    // two it is shows only once the list is built, so both are kept.
    mChipIndex = std::clamp(index, 0, ChipPages * ChipsPerPage - 1);
    mCharIndex = index >= 0 && index < 8 ? index : 0;
    RepaintPreview();
    ComposeChips();
}

void TFormSelEvChar::SetDirection(int direction) {
    mDirection = std::clamp(direction, 0, 3);
    if (QAbstractButton* button = mDirections->button(mDirection)) button->setChecked(true);
    RepaintPreview();
}

void TFormSelEvChar::SetPattern(int pattern) {
    mPattern = std::clamp(pattern, 0, 2);
    if (QAbstractButton* button = mPatterns->button(mPattern)) button->setChecked(true);
    RepaintPreview();
}

QStringList TFormSelEvChar::LeadingRows() const {
    QStringList rows;
    for (int page = 0; page < ChipPages; ++page)
        rows << ChipPageText(page);
    return rows;
}

int TFormSelEvChar::InitialRow() const {
    if (mFileName.isEmpty()) return mChipIndex / ChipsPerPage;
    return TFormSelImageBase::InitialRow();
}

void TFormSelEvChar::DataListClick(int row) {
    if (row >= 0 && row < ChipPages) {
        mFileName.clear();
        mChipPage = row;
        // Another page keeps the chip's place within the page.
        mChipIndex = row * ChipsPerPage + mChipIndex % ChipsPerPage;
        ComposeChips();
    } else {
        mChipPage = -1;
        TFormSelImageBase::DataListClick(row);
    }
    showPanels();
}

void TFormSelEvChar::showPanels() {
    ui->PanelChar->setVisible(mChipPage < 0);
    ui->PanelChip->setVisible(mChipPage >= 0);
}

void TFormSelEvChar::ComposePreview(TPrismBoard& board) {
    TFormSelChar::DrawCharacters(board, Sheet(), mDirection, mPattern);
    OutlineCell(board, TFormSelChar::CharacterCell(mCharIndex));
}

void TFormSelEvChar::PreviewClick(QPoint at) {
    int index = TFormSelChar::CharacterAt(at);
    if (index < 0) return;
    mCharIndex = index;
    RepaintPreview();
}

void TFormSelEvChar::ComposeChips() {
    mChipBoard.Clear();
    int page = mChipPage >= 0 ? mChipPage : mChipIndex / ChipsPerPage;
    if (mChipSet && mChipSet->ChipSet()) {
        // The renderer is the map's: its transparency is put back as it was.
        bool wasTransparent = mChipSet->Sheet().Transparent();
        mChipSet->SetTransparent(false);
        for (int i = 0; i < ChipsPerPage; ++i)
            mChipSet->DrawChip(mChipBoard, i % 6 * ChipCell, 0, kUpperChipBase + page * ChipsPerPage + i,
                               false, ChipCell, i / 6 * ChipCell);
        mChipSet->SetTransparent(wasTransparent);
    }
    if (mChipIndex / ChipsPerPage == page) {
        int i = mChipIndex % ChipsPerPage;
        OutlineCell(mChipBoard, Bounds(i % 6 * ChipCell, i / 6 * ChipCell, ChipCell, ChipCell));
    }
    ui->PaintBoxChip->update();
}

void TFormSelEvChar::ChipClick(QPoint at) {
    if (mChipPage < 0 || at.x() < 0 || at.y() < 0 || at.x() >= mChipBoard.Width() ||
        at.y() >= mChipBoard.Height())
        return;
    mChipIndex = mChipPage * ChipsPerPage + at.y() / ChipCell * 6 + at.x() / ChipCell;
    ComposeChips();
}

} // namespace tarvel
