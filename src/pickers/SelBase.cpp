#include "SelBase.h"

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>

#include "controls/BoardView.h"
#include "platform/Material.h"
#include "ui_SelImage.h"

namespace tarvel {

// ---- the list ----

TFormSelBase::TFormSelBase(QWidget* parent, const QString& folder, const QStringList& extensions,
                           int scrollRows)
    : TFormQelBase(parent), mFolder(folder), mExtensions(extensions), mScrollRows(scrollRows) {}

void TFormSelBase::AttachList(QListWidget* list) {
    mList = list;
    // One scroll step per row, so the scroll bar's value is the top row.
    mList->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(mList, &QListWidget::currentRowChanged, this, [this](int row) { DataListClick(row); });
    connect(mList, &QListWidget::itemDoubleClicked, this, [this] { DataListDoubleClick(); });
}

void TFormSelBase::showEvent(QShowEvent* event) {
    TFormQelBase::showEvent(event);
    RebuildList();
}

int TFormSelBase::FindNameRow(const QString& name) const {
    const QString marked = name + RtpMark;
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (const QString& wanted : {name, marked})
            for (int row = 0; row < mList->count(); ++row)
                if (mList->item(row)->text().compare(wanted, cs) == 0) return row;
    }
    return -1;
}

int TFormSelBase::InitialRow() const {
    int row = FindNameRow(mFileName);
    return row < 0 ? 0 : row;
}

void TFormSelBase::RebuildList() {
    if (!mList) return;
    QStringList rows = LeadingRows();
    {
        TBusyCursor busy;
        rows += ListMaterialNames(mFolder, mExtensions);
    }
    {
        QSignalBlocker block(mList);
        mList->clear();
        mList->addItems(rows);
    }
    int row = rows.isEmpty() ? -1 : InitialRow();
    {
        QSignalBlocker block(mList);
        mList->setCurrentRow(row);
    }
    // The selected row stands a few rows below the top, so the rows before it stay in sight.
    mList->doItemsLayout();
    mList->verticalScrollBar()->setValue(std::max(0, row - mScrollRows));
    DataListClick(row);
}

void TFormSelBase::DataListClick(int row) {
    mFileName = row < 0 || row >= mList->count() ? QString() : MaterialNameOf(mList->item(row)->text());
    NameChosen();
}

// ---- the preview ----

TFormSelImageBase::TFormSelImageBase(QWidget* parent, const QString& folder, QSize sheetSize)
    : TFormSelBase(parent, folder, ImageExtensions()), mSheet(std::make_unique<TPrismSheet>()),
      mSheetSize(sheetSize) {
    if (sheetSize.isEmpty())
        mSheet->SetAutoSize(true);
    else
        mSheet->SetSize(sheetSize.width(), sheetSize.height());
}

TFormSelImageBase::~TFormSelImageBase() = default;

void TFormSelImageBase::AttachPreview(BoardView* view, QSize previewSize) {
    mView = view;
    mPreviewSize = previewSize;
    mBoard.SetSize(previewSize.width(), previewSize.height());
    mView->SetBoard(&mBoard);
    mView->FitToBoard();
    connect(mView, &BoardView::boardMousePress, this, [this](QPoint at, Qt::MouseButton button) {
        if (button == Qt::LeftButton) PreviewClick(at);
    });
    connect(mView, &BoardView::boardDoubleClick, this, [this](QPoint, Qt::MouseButton button) {
        if (button == Qt::LeftButton) accept();
    });
}

void TFormSelImageBase::NameChosen() {
    LoadSheet();
    RepaintPreview();
}

void TFormSelImageBase::LoadSheet() {
    TPrismSheet& sheet = *mSheet;
    // A picture of its own size leaves nothing of the previous one behind when it fails to load.
    if (sheet.AutoSize()) sheet.FreePixels();
    QString path = ResolveMaterialFile(mFileName, Folder(), ImageExtensions());
    // A name that names no file comes back bare; it is not looked for anywhere else.
    if (path.isEmpty() || path == mFileName)
        sheet.Clear();
    else
        sheet.LoadFromFile(path.toStdString(), false);
}

void TFormSelImageBase::ComposePreview(TPrismBoard& board) {
    board.Clear();
    DrawFitted(board, TRect{0, 0, board.Width(), board.Height()}, *mSheet);
}

void TFormSelImageBase::RepaintPreview() {
    if (!mView) return;
    mBoard.SetSize(mPreviewSize.width(), mPreviewSize.height());
    ComposePreview(mBoard);
    mView->update();
}

void TFormSelImageBase::OutlineCell(TPrismBoard& board, const TRect& cell) {
    FrameRect(board, cell, TRGB{255, 255, 255});
}

void TFormSelImageBase::DrawFitted(TPrismBoard& board, const TRect& area, TPrismSheet& sheet) {
    if (sheet.Width() <= 0 || sheet.Height() <= 0) return;
    TRect target = FitRect(area, TRect{0, 0, sheet.Width(), sheet.Height()});
    board.StretchDrawSheet(target, sheet, sheet.BoundsRect());
}

// ---- the plain image picker ----

TFormSelImage::TFormSelImage(QWidget* parent, const QString& caption, const QString& folder, QSize sheetSize,
                             QSize previewSize)
    : TFormSelImageBase(parent, folder, sheetSize), ui(std::make_unique<Ui::TFormSelImage>()) {
    ui->setupUi(this);
    setWindowTitle(caption);
    AttachList(ui->DataList);
    AttachPreview(ui->PaintBox, previewSize);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormSelImage::~TFormSelImage() = default;

} // namespace tarvel
