#include "MapSetArea.h"

#include <QVBoxLayout>
#include <algorithm>

#include "ED_Map.h"
#include "ui_MapSetArea.h"

namespace tarvel {

// ---- the view ----

TFormAreaMaker::TFormAreaMaker(QWidget* parent) : TFormMapViewer(parent) {
    setObjectName("FormAreaMaker");
}

void TFormAreaMaker::SetAreaRect(const TRect& rect) {
    const TRect r = rect.IsEmpty() ? TRect{} : rect;
    if (r == mRect) return;
    // The frame lies inside the rectangle, so its pixels are all there is to show anew.
    InvalidateView(ViewRectOfCells(mRect));
    mRect = r;
    InvalidateView(ViewRectOfCells(mRect));
    if (onAreaChanged) onAreaChanged();
}

void TFormAreaMaker::PaintBoxMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers) {
    if (!HasMap()) return;
    if (mDragging) {
        if (button != Qt::LeftButton) {
            mDragging = false;
            StopAutoScroll();
            SetAreaRect({});
        }
        return;
    }
    if (button != Qt::LeftButton) return;
    mDragging = true;
    mCorner = NearestGridCorner(at);
    SetAreaRect({});
    StartAutoScroll();
}

void TFormAreaMaker::spanTo(QPoint at) {
    const TPoint c = NearestGridCorner(at);
    SetAreaRect({std::min(mCorner.x, c.x), std::min(mCorner.y, c.y), std::max(mCorner.x, c.x),
                 std::max(mCorner.y, c.y)});
}

void TFormAreaMaker::PaintBoxMouseMove(QPoint at, Qt::MouseButtons, Qt::KeyboardModifiers) {
    if (mDragging) spanTo(at);
}

void TFormAreaMaker::PaintBoxMouseUp(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers) {
    if (!mDragging || button != Qt::LeftButton) return;
    spanTo(at);
    mDragging = false;
    StopAutoScroll();
}

void TFormAreaMaker::AutoScrolled(QPoint mouse) {
    if (mDragging) spanTo(mouse);
}

// ---- the picker ----

TFormMapSetArea::TFormMapSetArea(QWidget* parent, TQelMapTree* tree, TQelMap& map,
                                 TQelMapTreeItem* scrollItem, const TMapAreaRect& rect)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormMapSetArea>()), mView(new TFormAreaMaker),
      mScrollItem(scrollItem) {
    ui->setupUi(this);
    auto* layout = new QVBoxLayout(ui->ViewPlace);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mView);
    if (mScrollItem) {
        mSavedScrollX = mScrollItem->ScrollX;
        mSavedScrollY = mScrollItem->ScrollY;
    }
    mView->SetMapTree(tree);
    mView->SetMap(&map);
    mView->SetScrollItem(mScrollItem);
    mView->SetCellSize(16);
    mView->SetAreaRect({rect.Left, rect.Top, rect.Right, rect.Bottom});
    mView->onAreaChanged = [this] { areaChanged(); };
    // The dialog's own size first, so the view centres in the room it will have.
    adjustSize();
    resize(660, 541);
    layout->activate();
    ui->MainLayout->activate();
    mView->LoadView();

    auto zoom = [this](int size) { mView->SetCellSize(size); };
    connect(ui->ButtonZoom1, &QToolButton::clicked, this, [zoom] { zoom(32); });
    connect(ui->ButtonZoom2, &QToolButton::clicked, this, [zoom] { zoom(16); });
    connect(ui->ButtonZoom4, &QToolButton::clicked, this, [zoom] { zoom(8); });
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    areaChanged();
}

TFormMapSetArea::~TFormMapSetArea() {
    if (mScrollItem) {
        mScrollItem->ScrollX = mSavedScrollX;
        mScrollItem->ScrollY = mSavedScrollY;
    }
}

TMapAreaRect TFormMapSetArea::AreaRect() const {
    const TRect r = mView->AreaRect();
    TMapAreaRect rect;
    rect.Left = r.left;
    rect.Top = r.top;
    rect.Right = r.right;
    rect.Bottom = r.bottom;
    return rect;
}

void TFormMapSetArea::areaChanged() {
    ui->LabelArea->setText(TFormEDArea::AreaText(AreaRect()));
    ui->ButtonOk->setEnabled(!mView->AreaRect().IsEmpty());
}

void TFormMapSetArea::done(int result) {
    // Looking around in the picker does not move the main view.
    if (mScrollItem) {
        mScrollItem->ScrollX = mSavedScrollX;
        mScrollItem->ScrollY = mSavedScrollY;
    }
    TFormQelBase::done(result);
}

} // namespace tarvel
