#include "ED_ChipSet.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCursor>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ED_Widgets.h"
#include "controls/BoardView.h"
#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"
#include "graphics/EditorMarks.h"
#include "pickers/SelChipSet.h"
#include "records/ClipboardPort.h"

namespace tarvel {

TProcessOption<int>& RememberedChipSetTab() {
    static TProcessOption<int> tab(0);
    return tab;
}

namespace {

const TRGB CellLine{0, 0, 0};

// Division that rounds down, so that a point left of or above the palette is in column or row -1.
int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int rowsOf(bool upper) {
    return upper ? UpperPaletteRows : LowerPaletteRows;
}

} // namespace

TFormEDChipSet::TFormEDChipSet(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.ChipSets(), ClipboardFormat::ChipSets),
      mMarks(std::make_unique<TPrismSheet>()), mMarksHot(std::make_unique<TPrismSheet>()),
      mPages(new QTabWidget(EditorArea())), mTerrainList(new QListWidget(EditorArea())),
      mButtonSetAll(new QPushButton("Set to All...", EditorArea())),
      mImageBox(new TFieldBox([this](std::string& name) { return ImageBoxClick(name); }, EditorArea())),
      mPreviewBox(new BoardView(EditorArea())) {
    setObjectName("FormEDChipSet");
    setWindowTitle("ChipSets");
    EditName()->setMaxLength(20);
    mPages->setObjectName("PageControl");
    mTerrainList->setObjectName("ListTerrain");
    mButtonSetAll->setObjectName("ButtonSetAll");
    mImageBox->setObjectName("ImageBox");
    mPreviewBox->setObjectName("PreviewBox");

    DrawChipMarkSheet(*mMarks, false);
    DrawChipMarkSheet(*mMarksHot, true);
    mPaletteBoard.SetSize(PaletteWidth, PaletteHeight);
    mPreviewBoard.SetSize(ChipPaletteCell, ChipPaletteCell);
    mChips.SetTransparent(false);

    // The two palettes, each with its mode buttons.
    const char* modeCaptions[2][3] = {{"Terrain Type", "Block Pass", "Pass 4 Dir."},
                                      {"Block Pass", "Pass 4 Dir.", "Context counter"}};
    const char* tabCaptions[2] = {"Lower Chip", "Chip Above"};
    for (int t = 0; t < 2; ++t) {
        auto* page = new QWidget(mPages);
        auto* layout = new QHBoxLayout(page);
        layout->setContentsMargins(4, 4, 4, 4);
        auto* scroll = new QScrollArea(page);
        auto* box = new BoardView(scroll);
        box->setObjectName(t == 0 ? "PaintBoxLower" : "PaintBoxUpper");
        box->SetBoard(&mPaletteBoard);
        box->setFixedSize(PaletteWidth, rowsOf(t == 1) * ChipPaletteCell);
        box->setMouseTracking(true);
        box->setFocusPolicy(Qt::StrongFocus);
        box->SetMiddleButtonPanning(true);
        scroll->setWidget(box);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        scroll->verticalScrollBar()->setSingleStep(ChipPaletteCell);
        const int frame = 2 * scroll->frameWidth();
        scroll->setFixedSize(PaletteWidth + scroll->verticalScrollBar()->sizeHint().width() + frame,
                             PaletteView + frame);
        layout->addWidget(scroll, 0, Qt::AlignTop);
        mScrollBox[t] = scroll;
        mPaintBox[t] = box;

        auto* buttons = new QVBoxLayout;
        mModes[t] = new QButtonGroup(page);
        for (int m = 0; m < 3; ++m) {
            auto* button = new QPushButton(modeCaptions[t][m], page);
            button->setCheckable(true);
            button->setAutoDefault(false);
            button->setObjectName(QString("ButtonMode%1%2").arg(t).arg(m));
            mModes[t]->addButton(button, t == 0 ? m : m + 1);
            buttons->addWidget(button);
        }
        buttons->addStretch(1);
        layout->addLayout(buttons);
        layout->addStretch(1);
        mPages->addTab(page, tabCaptions[t]);

        const bool upper = t == 1;
        connect(box, &BoardView::boardMousePress, this,
                [this, upper](QPoint at, Qt::MouseButton button) { PaintBoxMouseDown(upper, at, button); });
        connect(box, &BoardView::boardMouseMove, this, [this, upper](QPoint at, Qt::MouseButtons buttons) {
            PaintBoxMouseMove(upper, at, buttons);
        });
        connect(box, &BoardView::boardMouseRelease, this,
                [this, upper](QPoint at, Qt::MouseButton button) { PaintBoxMouseUp(upper, at, button); });
        connect(mModes[t], &QButtonGroup::idClicked, this, &TFormEDChipSet::ModeButtonClick);
    }
    mModes[0]->button(ModeTerrain)->setChecked(true);
    mModes[1]->button(ModeBlockPass)->setChecked(true);

    // The record's own fields, the terrain list and the sea animation.
    auto* right = new QVBoxLayout;
    auto* heading = new QLabel("ChipSets Editor", EditorArea());
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    right->addWidget(heading);
    auto* nameLabel = new QLabel("Name", EditorArea());
    nameLabel->setBuddy(EditName());
    right->addWidget(nameLabel);
    right->addWidget(EditName());
    right->addWidget(new QLabel("ChipSet Graphics", EditorArea()));
    right->addWidget(mImageBox);
    auto* terrainLabel = new QLabel("Terrain", EditorArea());
    terrainLabel->setBuddy(mTerrainList);
    right->addWidget(terrainLabel);
    right->addWidget(mTerrainList, 1);
    mButtonSetAll->setAutoDefault(false);
    right->addWidget(mButtonSetAll);

    auto* sea = new QGroupBox("Sea Animation", EditorArea());
    auto* seaLayout = new QGridLayout(sea);
    auto* sequence = new QButtonGroup(sea);
    auto* speed = new QButtonGroup(sea);
    const char* sequenceCaptions[2] = {"1-2-3-2", "1-2-3"};
    const char* speedCaptions[2] = {"Slow Speed", "High Speed"};
    for (int tag = 0; tag < 2; ++tag) {
        mSequence[tag] = new QRadioButton(sequenceCaptions[tag], sea);
        mSpeed[tag] = new QRadioButton(speedCaptions[tag], sea);
        sequence->addButton(mSequence[tag], tag);
        speed->addButton(mSpeed[tag], tag);
        seaLayout->addWidget(mSequence[tag], tag, 0);
        seaLayout->addWidget(mSpeed[tag], tag, 1);
    }
    mPreviewBox->SetBoard(&mPreviewBoard);
    mPreviewBox->FitToBoard();
    seaLayout->addWidget(mPreviewBox, 0, 2, 2, 1, Qt::AlignCenter);
    right->addWidget(sea);

    auto* layout = new QHBoxLayout(EditorArea());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mPages);
    layout->addLayout(right, 1);

    // Terrain names, the first one chosen.
    const TCatalog& terrain = DataBase().Terrain();
    for (int i = 0; i < terrain.Count(); ++i)
        mTerrainList->addItem(RecordLineText(terrain, i));
    mTerrainList->setCurrentRow(0);

    connect(mPages, &QTabWidget::currentChanged, this, &TFormEDChipSet::PageControlChange);
    connect(mButtonSetAll, &QPushButton::clicked, this, &TFormEDChipSet::ButtonSetAllClick);
    connect(sequence, &QButtonGroup::idClicked, this, &TFormEDChipSet::SequenceClick);
    connect(speed, &QButtonGroup::idClicked, this, &TFormEDChipSet::SpeedClick);
    connect(&mMouseTimer, &QTimer::timeout, this, &TFormEDChipSet::MouseTimerTick);
    connect(&mPreviewTimer, &QTimer::timeout, this, &TFormEDChipSet::PreviewTimerTick);

    {
        const QSignalBlocker block(mPages);
        mPages->setCurrentIndex(RememberedChipSetTab().Value() == 1 ? 1 : 0);
    }
    ModeButtonClick();
    mMouseTimer.start(MouseInterval);
    mPreviewTimer.start(PreviewInterval);
}

TFormEDChipSet::~TFormEDChipSet() {
    mMouseTimer.stop();
    mPreviewTimer.stop();
    RememberedChipSetTab().Set(mPages->currentIndex());
}

bool TFormEDChipSet::UpperTab() const {
    return mPages->currentIndex() == 1;
}

void TFormEDChipSet::SetUpperTab(bool upper) {
    mPages->setCurrentIndex(upper ? 1 : 0);
}

TFormEDChipSet::TMode TFormEDChipSet::Mode() const {
    const int id = mModes[UpperTab() ? 1 : 0]->checkedId();
    return id < 0 ? (UpperTab() ? ModeBlockPass : ModeTerrain) : TMode(id);
}

void TFormEDChipSet::SetMode(TMode mode) {
    if (QAbstractButton* button = mModes[UpperTab() ? 1 : 0]->button(mode)) {
        button->setChecked(true);
        ModeButtonClick();
    }
}

QPushButton* TFormEDChipSet::ModeButton(bool upper, TMode mode) const {
    return qobject_cast<QPushButton*>(mModes[upper ? 1 : 0]->button(mode));
}

void TFormEDChipSet::LoadRecord() {
    TQelChipSetItem* chipSet = Current();
    mLook.SetRecord(chipSet);
    mChips.SetChipSet(chipSet ? &mLook : nullptr);
    mImageBox->SetValue(chipSet ? chipSet->GraphicName : std::string());
    mImageBox->setEnabled(chipSet != nullptr);
    const int sequence = chipSet && chipSet->SeaAnimation == 1 ? 1 : 0;
    const int speed = chipSet && chipSet->SeaSpeed == 1 ? 1 : 0;
    mSequence[sequence]->setChecked(true);
    mSpeed[speed]->setChecked(true);
    RedrawPalettes();
    restartPreview();
}

// ---- drawing ----

void TFormEDChipSet::RedrawPalettes() {
    mPaletteBoard.Clear();
    const int rows = rowsOf(UpperTab());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < ChipPaletteColumns; ++c)
            drawCell(c, r);
    invalidatePaintBoxes();
}

int TFormEDChipSet::passOf(bool upper, int cell) const {
    if (!Current()) return 0;
    return upper ? Current()->UpperChipPass(cell) : Current()->LowerChipPass(cell);
}

void TFormEDChipSet::setPassOf(bool upper, int cell, int value) {
    if (upper)
        Current()->SetUpperChipPass(cell, value);
    else
        Current()->SetLowerChipPass(cell, value);
}

void TFormEDChipSet::drawCell(int column, int row) {
    const bool upper = UpperTab();
    if (column < 0 || column >= ChipPaletteColumns || row < 0 || row >= rowsOf(upper) || !Current()) return;
    const int cell = column + row * ChipPaletteColumns;
    const int x = column * ChipPaletteCell, y = row * ChipPaletteCell;
    mChips.DrawChip(mPaletteBoard, x, 0, ChipSetPaletteChip(upper, cell), false, ChipPaletteCell, y);
    FillRect(mPaletteBoard, {x, y + ChipPaletteCell - 1, x + ChipPaletteCell, y + ChipPaletteCell}, CellLine);
    FillRect(mPaletteBoard, {x + ChipPaletteCell - 1, y, x + ChipPaletteCell, y + ChipPaletteCell}, CellLine);

    const bool hot =
        floorDiv(mMouse.x(), ChipPaletteCell) == column && floorDiv(mMouse.y(), ChipPaletteCell) == row;
    TPrismSheet& sheet = hot ? *mMarksHot : *mMarks;
    auto mark = [&](TPrismSheet& from, TChipMark m, int dx, int dy) {
        mPaletteBoard.DrawSheet(x + dx, y + dy, ChipMarkRect(int(m)), from);
    };
    const int pass = passOf(upper, cell);
    switch (Mode()) {
    case ModeTerrain: {
        const TTerrainDigits digits = TerrainDigits(Current()->ChipTerrain(cell));
        for (size_t k = 0; k < digits.digits.size(); ++k)
            mPaletteBoard.DrawSheet(x + digits.firstX + int(k) * ChipDigitWidth, y + 8,
                                    ChipDigitRect(digits.digits[k] - '0'), sheet);
        break;
    }
    case ModeBlockPass:
        mark(sheet, BlockPassMark(pass), 8, 8);
        break;
    case ModePass4Dir: {
        const int quarter = hot ? QuarterUnderPoint(mMouse.x() - x, mMouse.y() - y) : 0;
        for (const TDirectionMark& d : DirectionMarks)
            mark(d.bit == quarter ? *mMarksHot : *mMarks, (pass & d.bit) ? d.arrow : TChipMark::Dot, d.dx,
                 d.dy);
        break;
    }
    case ModeCounter:
        mark(sheet, CounterMark(pass), 8, 8);
        break;
    }
}

void TFormEDChipSet::drawCellAt(QPoint at) {
    drawCell(floorDiv(at.x(), ChipPaletteCell), floorDiv(at.y(), ChipPaletteCell));
}

void TFormEDChipSet::invalidatePaintBoxes() {
    mPaintBox[0]->update();
    mPaintBox[1]->update();
}

// ---- the mouse ----

void TFormEDChipSet::trackMouse(QPoint at) {
    // The first upper chip is the empty chip: it is never highlighted (nor edited).
    if (UpperTab() && at.x() >= 0 && at.x() < ChipPaletteCell && at.y() >= 0 && at.y() < ChipPaletteCell)
        at = QPoint(-1, -1);
    const QPoint old = mMouse;
    mMouse = at;
    drawCellAt(old);
    drawCellAt(mMouse);
    invalidatePaintBoxes();
}

void TFormEDChipSet::MouseTimerTick() {
    // The pointer may have left the palette without a move event reaching it.
    BoardView* box = PaintBox(UpperTab());
    trackMouse(box->mapFromGlobal(QCursor::pos()));
}

void TFormEDChipSet::PaintBoxMouseMove(bool upper, QPoint at, Qt::MouseButtons buttons) {
    if (upper != UpperTab()) return;
    trackMouse(at);
    if (mTerrainDrag && (buttons & Qt::LeftButton)) paintTerrain(at);
}

void TFormEDChipSet::paintTerrain(QPoint at) {
    const int column = floorDiv(at.x(), ChipPaletteCell), row = floorDiv(at.y(), ChipPaletteCell);
    if (column < 0 || column >= ChipPaletteColumns || row < 0 || row >= LowerPaletteRows) return;
    const int cell = column + row * ChipPaletteColumns;
    const int terrain = mTerrainList->currentRow() + 1;
    if (Current()->ChipTerrain(cell) == terrain) return;
    Current()->SetChipTerrain(cell, terrain);
    chipChanged(column, row);
}

void TFormEDChipSet::chipChanged(int column, int row) {
    drawCell(column, row);
    invalidatePaintBoxes();
    Modified();
}

void TFormEDChipSet::PaintBoxMouseDown(bool upper, QPoint at, Qt::MouseButton button) {
    // The middle button pans the palette (the box does that itself).
    if (button == Qt::MiddleButton || upper != UpperTab() || !Current()) return;
    trackMouse(at);
    PaintBox(upper)->setFocus();
    const int column = floorDiv(mMouse.x(), ChipPaletteCell), row = floorDiv(mMouse.y(), ChipPaletteCell);
    if (column < 0 || column >= ChipPaletteColumns || row < 0 || row >= rowsOf(upper)) return;
    const int cell = column + row * ChipPaletteColumns;
    if (upper && cell == 0) return;
    const bool left = button == Qt::LeftButton;
    if (!left && button != Qt::RightButton) return;
    const int pass = passOf(upper, cell);
    switch (Mode()) {
    case ModeTerrain:
        if (!left) {
            const int row = Current()->ChipTerrain(cell) - 1;
            mTerrainList->setCurrentRow(row >= 0 && row < mTerrainList->count() ? row : -1);
            return;
        }
        // With no terrain chosen there is nothing to paint with.
        if (mTerrainList->currentRow() < 0) return;
        mTerrainDrag = true;
        paintTerrain(mMouse);
        return;
    case ModeBlockPass:
        setPassOf(upper, cell, StepBlockPass(pass, left, BlockPassHasStar(upper, cell)));
        break;
    case ModePass4Dir:
        setPassOf(upper, cell,
                  pass ^ QuarterUnderPoint(mMouse.x() - column * ChipPaletteCell,
                                           mMouse.y() - row * ChipPaletteCell));
        break;
    case ModeCounter:
        setPassOf(upper, cell, pass ^ ChipPass::Counter);
        break;
    }
    chipChanged(column, row);
}

void TFormEDChipSet::PaintBoxMouseUp(bool, QPoint, Qt::MouseButton button) {
    if (button == Qt::LeftButton) mTerrainDrag = false;
}

// ---- the controls ----

void TFormEDChipSet::PageControlChange() {
    mTerrainDrag = false;
    mPages->setFocus();
    mMouse = QPoint(-1, -1);
    RedrawPalettes();
}

void TFormEDChipSet::ModeButtonClick() {
    RedrawPalettes();
    const bool terrain = mModes[0]->checkedId() == ModeTerrain;
    if (terrain) {
        mTerrainList->setEnabled(true);
        if (mRememberedTerrainRow >= 0) mTerrainList->setCurrentRow(mRememberedTerrainRow);
    } else if (mTerrainList->isEnabled()) {
        if (mTerrainList->currentRow() >= 0) mRememberedTerrainRow = mTerrainList->currentRow();
        mTerrainList->setCurrentRow(-1);
        mTerrainList->clearSelection();
        mTerrainList->setEnabled(false);
    }
    mButtonSetAll->setEnabled(terrain);
    PaintBox(UpperTab())->setFocus();
}

bool TFormEDChipSet::ImageBoxClick(std::string& name) {
    if (!Current()) return false;
    name = Current()->GraphicName;
    if (!PickPictureName<TFormSelChipSet>(this, name)) return false;
    Current()->GraphicName = name;
    mChips.SetChipSet(&mLook);
    RedrawPalettes();
    repaintPreview();
    Modified();
    return true;
}

void TFormEDChipSet::ButtonSetAllClick() {
    if (!Current()) return;
    TFormSetAllChips dialog(window(), DataBase().Terrain(), mTerrainList->currentRow());
    PlaceNearOwner(&dialog, 212, 220);
    if (dialog.exec() != QDialog::Accepted || dialog.Row() < 0) return;
    SetAllChipTerrain(*Current(), dialog.Row() + 1);
    RedrawPalettes();
    Modified();
}

void TFormEDChipSet::SequenceClick(int tag) {
    if (Loading() || !Current()) return;
    Current()->SeaAnimation = tag;
    Modified();
    restartPreview();
}

void TFormEDChipSet::SpeedClick(int tag) {
    if (Loading() || !Current()) return;
    Current()->SeaSpeed = tag;
    Modified();
    restartPreview();
}

// ---- the sea animation ----

void TFormEDChipSet::restartPreview() {
    mPreviewCounter = 0;
    repaintPreview();
    mPreviewTimer.start(PreviewInterval);
}

void TFormEDChipSet::PreviewTimerTick() {
    ++mPreviewCounter;
    repaintPreview();
}

void TFormEDChipSet::repaintPreview() {
    if (Current()) mChips.DrawChip(mPreviewBoard, 0, mPreviewCounter * 12, 0, false, ChipPaletteCell, 0);
    mPreviewBox->update();
}

// ---- "Set All Chips to..." ----

TFormSetAllChips::TFormSetAllChips(QWidget* parent, const TCatalog& terrain, int row)
    : QDialog(parent), mTerrain(new QComboBox(this)) {
    setObjectName("FormSetAllChips");
    setWindowTitle("Set All Chips to...");
    mTerrain->setObjectName("ComboTerrain");
    for (int i = 0; i < terrain.Count(); ++i)
        mTerrain->addItem(RecordLineText(terrain, i));
    mTerrain->setCurrentIndex(row >= 0 && row < mTerrain->count() ? row : 0);
    QDialogButtonBox* buttons = MakeOkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Terrain", this);
    label->setBuddy(mTerrain);
    layout->addWidget(label);
    layout->addWidget(mTerrain);
    layout->addWidget(buttons);
    mTerrain->setMinimumWidth(220);
}

int TFormSetAllChips::Row() const {
    return mTerrain->currentIndex();
}

} // namespace tarvel
