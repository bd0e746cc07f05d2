#include "MapSetPlace.h"

#include <QVBoxLayout>

#include "MapTreeView.h"
#include "mapedit_core/MapEventMap.h"
#include "mapedit_core/MapGraphics.h"
#include "ui_MapSetPlace.h"

namespace tarvel {

// ---- the view ----

TFormMapPosSetter::TFormMapPosSetter(QWidget* parent) : TFormMapViewer(parent) {
    setObjectName("FormMapPosSetter");
}

void TFormMapPosSetter::SetPosition(TPoint cell) {
    if (cell == mPosition) return;
    auto frame = [this] {
        return ViewRectOfCells({mPosition.x, mPosition.y, mPosition.x + 1, mPosition.y + 1});
    };
    if (HasPosition()) InvalidateView(frame());
    mPosition = cell.x < 0 || cell.y < 0 ? TPoint{-1, -1} : cell;
    if (HasPosition()) InvalidateView(frame());
    if (onPositionChanged) onPositionChanged();
}

void TFormMapPosSetter::DrawOverlays(TPrismBoard& screen) {
    TFormMapViewer::DrawOverlays(screen);
    if (HasPosition())
        DrawPositionFrame(screen,
                          ViewRectOfCells({mPosition.x, mPosition.y, mPosition.x + 1, mPosition.y + 1}));
}

void TFormMapPosSetter::PaintBoxMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers) {
    if (button != Qt::LeftButton || !HasMap()) return;
    const TPoint cell = CellAt(at);
    if (cell.x < 0 || cell.y < 0 || cell.x >= Map()->LowerLayer.Width || cell.y >= Map()->LowerLayer.Height)
        return;
    SetPosition(cell);
}

void TFormMapPosSetter::PaintBoxDoubleClick(QPoint at, Qt::MouseButton button,
                                            Qt::KeyboardModifiers modifiers) {
    PaintBoxMouseDown(at, button, modifiers);
    if (button == Qt::LeftButton && onDoubleClicked) onDoubleClicked();
}

// ---- the picker ----

TFormMapSetPlace::TFormMapSetPlace(QWidget* parent, TQelMapTree& tree, const TQelMap* currentMap,
                                   int32_t mapID, TPoint position, Options options)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormMapSetPlace>()), mTree(tree),
      mCurrentMap(currentMap), mOptions(options), mView(new TFormMapPosSetter) {
    ui->setupUi(this);
    AttachMapGraphics(mMap);
    mSavedActiveID = mTree.ActiveID;
    if (mapID > 0 && mTree.NodeByID(mapID)) {
        mTree.ActiveID = mapID;
    } else if (mapID <= 0) {
        const TQelMapTreeItem* active = mTree.ActiveNode();
        if (active && active->NodeKind == nkArea) mTree.ActiveID = active->ParentID;
    }
    const bool positionGiven = position.x >= 0 && position.y >= 0;
    if (mapID > 0 && mTree.ActiveID == mapID && positionGiven) {
        // The given cell shows near the view's top-left quarter.
        TQelMapTreeItem* item = mTree.ActiveNode();
        item->ScrollX = position.x * 32 - 160;
        item->ScrollY = position.y * 32 - 120;
    }

    mTreePane = new TFormMapTree(mTree, mMap);
    mTreePane->SetSelectionOnly(options.areasSelectable);
    auto* treeLayout = new QVBoxLayout(ui->TreePlace);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(mTreePane);
    auto* viewLayout = new QVBoxLayout(ui->ViewPlace);
    viewLayout->setContentsMargins(0, 0, 0, 0);
    viewLayout->addWidget(mView);
    resize(556, 301);
    ui->MainLayout->activate();

    mView->SetMapTree(&mTree);
    mView->SetMap(&mMap);
    mView->SetCellSize(16);
    mView->onResized = [this](QSize size) { mTreePane->SetViewClientSize(size); };
    mView->onPositionChanged = [this] { choiceChanged(); };
    mView->onDoubleClicked = [this] {
        if (mView->HasPosition() && mChosenID > 0) accept();
    };
    mTreePane->onMapChanged = [this](bool) { mapShown(); };
    if (options.locked) mTreePane->setEnabled(false);

    mTreePane->BuildTree();
    mTreePane->ShowActiveMap();
    if (positionGiven && mapID > 0 && mChosenID == mapID) mView->SetPosition(position);

    auto zoom = [this](int size) { mView->SetCellSize(size); };
    connect(ui->ButtonZoom1, &QToolButton::clicked, this, [zoom] { zoom(32); });
    connect(ui->ButtonZoom2, &QToolButton::clicked, this, [zoom] { zoom(16); });
    connect(ui->ButtonZoom4, &QToolButton::clicked, this, [zoom] { zoom(8); });
    connect(ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    choiceChanged();
}

TFormMapSetPlace::~TFormMapSetPlace() {
    restoreActive();
}

void TFormMapSetPlace::restoreActive() {
    if (mRestored) return;
    mRestored = true;
    mTree.ActiveID = mSavedActiveID;
}

void TFormMapSetPlace::done(int result) {
    restoreActive();
    TFormQelBase::done(result);
}

TPoint TFormMapSetPlace::Position() const {
    return mView->Position();
}

void TFormMapSetPlace::mapShown() {
    const int32_t shownID = mTreePane->ShownMapID();
    // The map open in the editor may hold edits not yet in any file.
    if (mCurrentMap && shownID > 0 && mCurrentMap->ID == shownID) {
        mMap.Assign(*mCurrentMap);
        mMap.ID = shownID;
        mMap.ReloadChipSet();
    }
    const TQelMapTreeItem* node = mTree.ActiveNode();
    if (!node || node->NodeKind == nkRoot)
        mChosenID = 0;
    else if (node->NodeKind == nkArea && !mOptions.areasSelectable)
        mChosenID = node->ParentID;
    else
        mChosenID = node->ID;
    mView->SetPosition({-1, -1});
    mView->LoadView();
    choiceChanged();
}

QString TFormMapSetPlace::PlaceText() const {
    const TQelMapTreeItem* item = mChosenID > 0 ? mTree.NodeByID(mChosenID) : nullptr;
    if (!item) return {};
    const QString head =
        QString("%1:%2").arg(mChosenID, 4, 10, QChar('0')).arg(QString::fromStdString(item->Name));
    if (!mView->HasPosition()) return head;
    const TPoint p = mView->Position();
    return QString("%1 (%2,%3)").arg(head).arg(p.x, 3, 10, QChar('0')).arg(p.y, 3, 10, QChar('0'));
}

void TFormMapSetPlace::choiceChanged() {
    ui->LabelPlace->setText(PlaceText());
    const bool map = mChosenID > 0;
    ui->ButtonOk->setEnabled(map && (mView->HasPosition() || mOptions.mapAloneEnough));
}

} // namespace tarvel
