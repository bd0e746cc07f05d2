#include "SelReplChip.h"

#include <QScrollBar>
#include <algorithm>

#include "controls/BoardView.h"
#include "graphics/GR_ChipSet.h"
#include "ui_SelReplChip.h"

namespace tarvel {

namespace {
constexpr int kColumns = 6;
constexpr int kRowsAboveChosen = 4;
constexpr int kVisibleRows = 12;
} // namespace

TFormSelReplChip::TFormSelReplChip(QWidget* parent, TQelChipSetGraphic* chipSet, bool upperLayer)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormSelReplChip>()), mChipSet(chipSet),
      mUpper(upperLayer) {
    ui->setupUi(this);
    mBoard.SetSize(kColumns * ChipCell, ChipCount / kColumns * ChipCell);
    ui->PaintBox->SetBoard(&mBoard);
    ui->PaintBox->FitToBoard();
    ui->PaintBox->SetMiddleButtonPanning(true);
    ui->ScrollBox->setFixedSize(mBoard.Width() + ui->ScrollBox->verticalScrollBar()->sizeHint().width() +
                                    2 * ui->ScrollBox->frameWidth(),
                                kVisibleRows * ChipCell + 2 * ui->ScrollBox->frameWidth());
    ui->ScrollBox->verticalScrollBar()->setSingleStep(ChipCell);
    connect(ui->PaintBox, &BoardView::boardMousePress, this, [this](QPoint at, Qt::MouseButton button) {
        if (button == Qt::LeftButton) PaintBoxClick(at);
    });
    connect(ui->PaintBox, &BoardView::boardDoubleClick, this, [this](QPoint, Qt::MouseButton button) {
        if (button == Qt::LeftButton) accept();
    });
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    Compose();
}

TFormSelReplChip::~TFormSelReplChip() = default;

void TFormSelReplChip::SetChip(int number) {
    mIndex = std::clamp(number - Base(), 0, ChipCount - 1);
    Compose();
}

void TFormSelReplChip::showEvent(QShowEvent* event) {
    TFormQelBase::showEvent(event);
    Compose();
    // The chosen chip's row stands four rows below the top.
    ui->ScrollBox->verticalScrollBar()->setValue(
        std::max(0, (mIndex / kColumns - kRowsAboveChosen) * ChipCell));
}

void TFormSelReplChip::Compose() {
    mBoard.Clear();
    if (mChipSet && mChipSet->ChipSet()) {
        // The renderer is the map's: its transparency is put back as it was.
        bool wasTransparent = mChipSet->Sheet().Transparent();
        mChipSet->SetTransparent(false);
        for (int i = 0; i < ChipCount; ++i)
            mChipSet->DrawChip(mBoard, i % kColumns * ChipCell, 0, Base() + i, false, ChipCell,
                               i / kColumns * ChipCell);
        mChipSet->SetTransparent(wasTransparent);
    }
    FrameRect(mBoard, Bounds(mIndex % kColumns * ChipCell, mIndex / kColumns * ChipCell, ChipCell, ChipCell),
              TRGB{255, 255, 255});
    ui->PaintBox->update();
}

void TFormSelReplChip::PaintBoxClick(QPoint at) {
    if (at.x() < 0 || at.y() < 0 || at.x() >= mBoard.Width() || at.y() >= mBoard.Height()) return;
    mIndex = at.y() / ChipCell * kColumns + at.x() / ChipCell;
    Compose();
}

} // namespace tarvel
