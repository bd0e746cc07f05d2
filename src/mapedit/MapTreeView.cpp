#include "MapTreeView.h"

#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include "controls/MessageBoxes.h"
#include "data/MapClipboard.h"

namespace tarvel {

namespace {

constexpr int kIdRole = Qt::UserRole;

// The node pictures by kind: the game, a map, an area.
QIcon nodeIcon(int kind) {
    static QIcon icons[3];
    if (icons[0].isNull()) {
        for (int k = 0; k < 3; ++k) {
            QPixmap pixmap(16, 16);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QColor(40, 44, 60));
            if (k == nkRoot) {
                p.setBrush(QColor(226, 176, 60));
                p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
                p.setPen(QColor(120, 80, 20));
                p.drawLine(QPointF(8, 2), QPointF(8, 14));
                p.drawLine(QPointF(2, 8), QPointF(14, 8));
            } else if (k == nkMap) {
                p.setBrush(QColor(96, 168, 88));
                p.drawRect(QRectF(1.5, 2.5, 13, 11));
                p.setBrush(QColor(70, 120, 200));
                p.drawRect(QRectF(8.5, 6.5, 5, 6));
            } else {
                QPen dashed(QColor(40, 44, 60), 1, Qt::DashLine);
                p.setPen(dashed);
                p.setBrush(QColor(250, 236, 170));
                p.drawRect(QRectF(2.5, 3.5, 11, 9));
            }
        }
    }
    return icons[kind >= 0 && kind <= 2 ? kind : 1];
}

// The tree view as the map tree's algorithms see it.
class QtTreeViewPort : public TMapTreeViewPort {
public:
    QtTreeViewPort(QTreeWidget* tree) : mTree(tree) {}
    void ClearNodes() override { mTree->clear(); }
    Node AddNode(Node parent, int32_t itemID, const std::string& text, int imageIndex) override {
        auto* node =
            parent ? new QTreeWidgetItem(static_cast<QTreeWidgetItem*>(parent)) : new QTreeWidgetItem(mTree);
        node->setText(0, QString::fromStdString(text));
        node->setData(0, kIdRole, itemID);
        node->setIcon(0, nodeIcon(imageIndex));
        return node;
    }
    std::vector<Node> ChildNodes(Node parent) const override {
        std::vector<Node> nodes;
        if (!parent) {
            for (int i = 0; i < mTree->topLevelItemCount(); ++i)
                nodes.push_back(mTree->topLevelItem(i));
        } else {
            auto* p = static_cast<QTreeWidgetItem*>(parent);
            for (int i = 0; i < p->childCount(); ++i)
                nodes.push_back(p->child(i));
        }
        return nodes;
    }
    int32_t NodeItemID(Node node) const override {
        return TMapTreeWidget::NodeID(static_cast<QTreeWidgetItem*>(node));
    }
    bool NodeExpanded(Node node) const override { return static_cast<QTreeWidgetItem*>(node)->isExpanded(); }
    void SetNodeExpanded(Node node, bool expanded) override {
        static_cast<QTreeWidgetItem*>(node)->setExpanded(expanded);
    }
    void SelectNode(Node node) override { mTree->setCurrentItem(static_cast<QTreeWidgetItem*>(node)); }

private:
    QTreeWidget* mTree;
};

bool isInSubtree(const QTreeWidgetItem* node, const QTreeWidgetItem* root) {
    for (const QTreeWidgetItem* n = node; n; n = n->parent())
        if (n == root) return true;
    return false;
}

} // namespace

// ---- TMapTreeWidget ----

TMapTreeWidget::TMapTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int32_t TMapTreeWidget::NodeID(const QTreeWidgetItem* node) {
    return node ? node->data(0, kIdRole).toInt() : -1;
}

QTreeWidgetItem* TMapTreeWidget::FindNode(int32_t id) const {
    QTreeWidgetItemIterator it(const_cast<TMapTreeWidget*>(this));
    for (; *it; ++it)
        if (NodeID(*it) == id) return *it;
    return nullptr;
}

bool TMapTreeWidget::CanDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target) const {
    if (!dragged || !target || !itemOf) return false;
    const TQelMapTreeItem* draggedItem = itemOf(NodeID(dragged));
    const TQelMapTreeItem* targetItem = itemOf(NodeID(target));
    if (!draggedItem || !targetItem) return false;
    if (targetItem->NodeKind == nkArea) return false;
    if (isInSubtree(target, dragged)) return false;
    if (draggedItem->NodeKind == nkMap) return true;
    if (draggedItem->NodeKind == nkArea) return target == dragged->parent();
    return false;
}

bool TMapTreeWidget::DropOnto(QTreeWidgetItem* dragged, QTreeWidgetItem* target) {
    if (!CanDrop(dragged, target)) return false;
    bool wasCurrent = currentItem() == dragged;
    QSignalBlocker quiet(this);
    QTreeWidgetItem* from = dragged->parent();
    if (from)
        from->removeChild(dragged);
    else
        takeTopLevelItem(indexOfTopLevelItem(dragged));
    target->addChild(dragged);
    target->setExpanded(true);
    if (wasCurrent) setCurrentItem(dragged);
    if (onDropped) onDropped();
    return true;
}

void TMapTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (CanDrop(currentItem(), target))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TMapTreeWidget::dropEvent(QDropEvent* event) {
    // Only a drop onto a node, with the left button, makes the node its last child; Qt's own
    // move between rows is never used.
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (DropOnto(currentItem(), target))
        event->setDropAction(Qt::IgnoreAction), event->accept();
    else
        event->ignore();
}

// ---- TFormMapTree ----

TFormMapTree::TFormMapTree(TQelMapTree& tree, TQelMap& map, QWidget* parent)
    : QWidget(parent), mMapTree(tree), mMap(map), mTree(new TMapTreeWidget(this)) {
    setObjectName("FormMapTree");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mTree);
    mTree->itemOf = [this](int32_t id) -> const TQelMapTreeItem* { return mMapTree.Find(id); };
    mTree->onDropped = [this] {
        mMapTree.StructureChanged = true;
        rebuildOrder();
    };
    connect(mTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { onCurrentItemChanged(current); });
    connect(mTree, &QTreeWidget::itemExpanded, this, [this] { rebuildOrder(); });
    connect(mTree, &QTreeWidget::itemCollapsed, this, [this] { rebuildOrder(); });

    auto makeAction = [this](const char* name, const QString& text, const QKeySequence& key,
                             void (TFormMapTree::*slot)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        if (!key.isEmpty()) {
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    Menu_NewMap = makeAction("Menu_NewMap", "Create &New Map...", {}, &TFormMapTree::NewMap);
    Menu_NewArea = makeAction("Menu_NewArea", "Create &Area...", {}, &TFormMapTree::NewArea);
    Menu_MapProperties =
        makeAction("Menu_MapProperties", "&Map Properties...", {}, &TFormMapTree::EditProperties);
    Menu_AreaProperties =
        makeAction("Menu_AreaProperties", "A&rea Properties...", {}, &TFormMapTree::EditProperties);
    Menu_Copy = makeAction("Menu_Copy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), &TFormMapTree::CopyMap);
    Menu_Paste =
        makeAction("Menu_Paste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), &TFormMapTree::PasteMap);
    Menu_Delete =
        makeAction("Menu_Delete", "&Delete...", QKeySequence(Qt::Key_Delete), &TFormMapTree::DeleteNode);
    Menu_Shift = makeAction("Menu_Shift", "&Shift Map...", QKeySequence(Qt::CTRL | Qt::Key_H),
                            &TFormMapTree::ShiftMap);

    mRootMenu = new QMenu(this);
    mRootMenu->addAction(Menu_NewMap);
    mRootMenu->addSeparator();
    mRootMenu->addAction(Menu_Paste);
    mMapMenu = new QMenu(this);
    mMapMenu->addAction(Menu_MapProperties);
    mMapMenu->addSeparator();
    mMapMenu->addAction(Menu_NewMap);
    mMapMenu->addAction(Menu_NewArea);
    mMapMenu->addSeparator();
    mMapMenu->addAction(Menu_Copy);
    mMapMenu->addAction(Menu_Paste);
    mMapMenu->addAction(Menu_Delete);
    mMapMenu->addSeparator();
    mMapMenu->addAction(Menu_Shift);
    mAreaMenu = new QMenu(this);
    mAreaMenu->addAction(Menu_AreaProperties);
    mAreaMenu->addSeparator();
    mAreaMenu->addAction(Menu_Delete);
    connect(mRootMenu, &QMenu::aboutToShow, this, &TFormMapTree::updateMenus);
    connect(mMapMenu, &QMenu::aboutToShow, this, &TFormMapTree::updateMenus);
    updateMenus();
}

TQelMapTreeItem* TFormMapTree::SelectedItem() const {
    QTreeWidgetItem* node = mTree->currentItem();
    return node ? mMapTree.Find(TMapTreeWidget::NodeID(node)) : nullptr;
}

QMenu* TFormMapTree::PopupMenu() const {
    const TQelMapTreeItem* item = SelectedItem();
    if (!item) return nullptr;
    switch (item->NodeKind) {
    case nkRoot:
        return mRootMenu;
    case nkArea:
        return mAreaMenu;
    default:
        return mMapMenu;
    }
}

void TFormMapTree::SetSelectionOnly(bool showAreas) {
    mSelectionOnly = true;
    mShowAreas = showAreas;
    mTree->setDragEnabled(false);
    mTree->setAcceptDrops(false);
    mTree->setDragDropMode(QAbstractItemView::NoDragDrop);
    updateMenus();
}

void TFormMapTree::ShowActiveMap() {
    loadActiveMap();
    mapChanged(false);
}

void TFormMapTree::updateMenus() {
    if (mSelectionOnly) {
        for (QAction* action : actions())
            action->setEnabled(false);
        return;
    }
    const TQelMapTreeItem* item = SelectedItem();
    int kind = item ? item->NodeKind : -1;
    bool full = LowestFreeMapID(mMapTree) == 0;
    Menu_NewMap->setEnabled((kind == nkRoot || kind == nkMap) && !full);
    Menu_NewArea->setEnabled(kind == nkMap && !full);
    Menu_MapProperties->setEnabled(kind == nkMap);
    Menu_AreaProperties->setEnabled(kind == nkArea);
    Menu_Copy->setEnabled(kind == nkMap);
    Menu_Paste->setEnabled((kind == nkRoot || kind == nkMap) && ClipboardHasMap() && !full);
    Menu_Delete->setEnabled(kind == nkMap || kind == nkArea);
    Menu_Shift->setEnabled(kind == nkMap);
}

void TFormMapTree::contextMenuEvent(QContextMenuEvent* event) {
    if (mSelectionOnly) return;
    // The right button selects the node under it first; the context-menu key opens the menu at
    // the tree's top-left.
    if (event->reason() == QContextMenuEvent::Mouse) {
        QTreeWidgetItem* node = mTree->itemAt(mTree->viewport()->mapFrom(this, event->pos()));
        if (node) mTree->setCurrentItem(node);
    }
    QMenu* menu = PopupMenu();
    if (!menu) return;
    updateMenus();
    QPoint at =
        event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : mTree->mapToGlobal(QPoint(0, 0));
    menu->exec(at);
}

QTreeWidgetItem* TFormMapTree::addViewNode(QTreeWidgetItem* parent, const TQelMapTreeItem& item) {
    QtTreeViewPort port(mTree);
    return static_cast<QTreeWidgetItem*>(port.AddNode(parent, item.ID, item.Name, item.NodeKind));
}

void TFormMapTree::showNewNode(int32_t parentID, const TQelMapTreeItem& item, bool select) {
    QTreeWidgetItem* parentNode = mTree->FindNode(parentID);
    {
        // The node is placed without the selection's loading: the caller has set the map up.
        QSignalBlocker quiet(mTree);
        QTreeWidgetItem* viewNode = addViewNode(parentNode, item);
        if (parentNode) parentNode->setExpanded(true);
        if (select) mTree->setCurrentItem(viewNode);
    }
    rebuildOrder();
}

void TFormMapTree::refreshNodeText(QTreeWidgetItem* node) {
    if (const TQelMapTreeItem* item = mMapTree.Find(TMapTreeWidget::NodeID(node)))
        node->setText(0, QString::fromStdString(item->Name));
}

void TFormMapTree::BuildTree() {
    mBuilding = true;
    QtTreeViewPort port(mTree);
    mMapTree.FillTreeView(port, mShowAreas);
    if (!mShowAreas) {
        // The tree still adds the areas after the maps; a picker without areas takes them out.
        std::vector<QTreeWidgetItem*> areas;
        for (QTreeWidgetItemIterator it(mTree); *it; ++it)
            if (const TQelMapTreeItem* item = mMapTree.Find(TMapTreeWidget::NodeID(*it));
                item && item->NodeKind == nkArea)
                areas.push_back(*it);
        for (QTreeWidgetItem* area : areas)
            delete area;
    }
    mMapTree.SelectActive(port);
    mBuilding = false;
    updateMenus();
}

void TFormMapTree::ClearView() {
    mBuilding = true;
    mTree->clear();
    mBuilding = false;
    updateMenus();
}

void TFormMapTree::rebuildOrder() {
    // A picker's tree may leave out the areas; the tree's order is the main pane's business.
    if (mBuilding || mSelectionOnly) return;
    QtTreeViewPort port(mTree);
    mMapTree.ReadTreeView(port);
}

int32_t TFormMapTree::ShownMapID() const {
    return tarvel::ShownMapID(mMapTree);
}

QString TFormMapTree::ShownMapName() const {
    return QString::fromStdString(tarvel::ShownMapName(mMapTree));
}

bool TFormMapTree::ParkCurrentMap() {
    try {
        tarvel::ParkCurrentMap(mMapTree, mMap);
    } catch (const std::exception& e) {
        ShowError(QString("The map could not be kept while you work on another one: %1").arg(e.what()), this);
        return false;
    }
    return true;
}

void TFormMapTree::loadActiveMap() {
    LoadActiveMap(mMapTree, mMap, mViewClientSize.width(), mViewClientSize.height());
}

void TFormMapTree::mapChanged(bool keepScroll) {
    updateMenus();
    if (onMapChanged) onMapChanged(keepScroll);
}

void TFormMapTree::onCurrentItemChanged(QTreeWidgetItem* current) {
    if (mBuilding || !current) return;
    int32_t id = TMapTreeWidget::NodeID(current);
    if (id == mMapTree.ActiveID && (mMap.ID == ShownMapID())) {
        rebuildOrder();
        return;
    }
    if (!ParkCurrentMap()) {
        // The map could not be kept: stay on it rather than lose it.
        QSignalBlocker quiet(mTree);
        mTree->setCurrentItem(mTree->FindNode(mMapTree.ActiveID));
        return;
    }
    mMapTree.ActiveID = id;
    loadActiveMap();
    rebuildOrder();
    mapChanged(false);
}

void TFormMapTree::SelectNode(int32_t id) {
    if (QTreeWidgetItem* node = mTree->FindNode(id)) mTree->setCurrentItem(node);
}

void TFormMapTree::NewMap() {
    TQelMapTreeItem* selected = SelectedItem();
    if (!selected || (selected->NodeKind != nkRoot && selected->NodeKind != nkMap) || !runMapProperties)
        return;
    int32_t id = LowestFreeMapID(mMapTree);
    if (id == 0) return;
    MapPropertiesRequest request;
    request.id = id;
    request.isNew = true;
    request.parentIsRoot = selected->NodeKind == nkRoot;
    request.item.Name = DefaultMapName(id);
    request.item.NodeKind = nkMap;
    request.settings = MapSettings();
    request.settings.chipSetID = mMap.ID > 0 ? mMap.ChipSetID : 1;
    if (!runMapProperties(request)) return;
    if (!ParkCurrentMap()) return;

    const TQelMapTreeItem& node = CreateMap(mMapTree, mMap, selected->ID, id, request.item, request.settings);
    showNewNode(selected->ID, node, true);
    mapChanged(false);
}

void TFormMapTree::NewArea() {
    TQelMapTreeItem* selected = SelectedItem();
    if (!selected || selected->NodeKind != nkMap || !runAreaProperties) return;
    int32_t id = LowestFreeMapID(mMapTree);
    if (id == 0) return;
    AreaPropertiesRequest request;
    request.id = id;
    request.isNew = true;
    request.item.Name = DefaultAreaName(id);
    request.item.NodeKind = nkArea;
    request.item.AreaRect = {0, 0, mMap.Width, mMap.Height};
    request.map = &mMap;
    request.parentItem = selected;
    if (!runAreaProperties(request)) return;

    const TQelMapTreeItem& node = CreateArea(mMapTree, selected->ID, id, request.item);
    showNewNode(selected->ID, node, false);
    updateMenus();
}

void TFormMapTree::EditProperties() {
    TQelMapTreeItem* selected = SelectedItem();
    if (!selected) return;
    QTreeWidgetItem* viewNode = mTree->currentItem();
    if (selected->NodeKind == nkArea) {
        if (!runAreaProperties) return;
        AreaPropertiesRequest request;
        request.id = selected->ID;
        request.item.Assign(*selected);
        request.map = &mMap;
        request.parentItem = mMapTree.Find(selected->ParentID);
        if (!runAreaProperties(request)) return;
        ApplyAreaProperties(*selected, request.item);
        refreshNodeText(viewNode);
        return;
    }
    if (selected->NodeKind != nkMap || !runMapProperties) return;
    MapPropertiesRequest request;
    request.id = selected->ID;
    request.parentIsRoot = selected->ParentID == 0;
    request.item.Assign(*selected);
    request.settings = MapSettings::Of(mMap);
    if (!runMapProperties(request)) return;

    ApplyMapProperties(mMapTree, mMap, *selected, request.item, request.settings);
    refreshNodeText(viewNode);
    mapChanged(true);
}

void TFormMapTree::CopyMap() {
    const TQelMapTreeItem* selected = SelectedItem();
    if (!selected || selected->NodeKind != nkMap || mMap.ID != selected->ID) return;
    CopyMapToClipboard(*selected, mMap);
    updateMenus();
}

void TFormMapTree::PasteMap() {
    TQelMapTreeItem* selected = SelectedItem();
    if (!selected || (selected->NodeKind != nkRoot && selected->NodeKind != nkMap) || !ClipboardHasMap())
        return;
    int32_t id = LowestFreeMapID(mMapTree);
    if (id == 0) return;
    if (!ParkCurrentMap()) return;

    TQelMapTreeItem* node = nullptr;
    QString keepError;
    try {
        node = tarvel::PasteMap(mMapTree, mMap, selected->ID, id);
    } catch (const std::exception& e) {
        node = mMapTree.Find(id);
        keepError = e.what();
    }
    if (!node) {
        loadActiveMap();
        return;
    }
    if (!keepError.isEmpty()) ShowError(QString("The pasted map could not be kept: %1").arg(keepError), this);
    showNewNode(selected->ID, *node, true);
    mapChanged(false);
}

void TFormMapTree::DeleteNode() {
    TQelMapTreeItem* selected = SelectedItem();
    if (!selected || (selected->NodeKind != nkMap && selected->NodeKind != nkArea)) return;
    if (!AskYesNo(QString("Do you want to erase %1 ?").arg(QString::fromStdString(selected->Name)), this))
        return;
    QTreeWidgetItem* viewNode = mTree->currentItem();
    QTreeWidgetItem* parentNode = viewNode->parent();
    tarvel::DeleteNode(mMapTree, mMap, selected->ID);
    {
        QSignalBlocker quiet(mTree);
        delete viewNode;
        if (parentNode) mTree->setCurrentItem(parentNode);
    }
    // The open map stays when only an area of it went: its edits are parked before it is loaded
    // again as the parent's map.
    if (!ParkCurrentMap()) return;
    loadActiveMap();
    rebuildOrder();
    mapChanged(false);
}

void TFormMapTree::ShiftMap() {
    TQelMapTreeItem* selected = SelectedItem();
    if (!selected || selected->NodeKind != nkMap || mMap.ID != selected->ID || !runShift) return;
    int dx = 0, dy = 0;
    if (!runShift(mMap.Width, mMap.Height, dx, dy)) return;
    try {
        tarvel::ShiftMap(mMapTree, mMap, *selected, dx, dy);
    } catch (const std::exception& e) {
        ShowError(QString("The shifted map could not be kept: %1").arg(e.what()), this);
    }
    mapChanged(true);
}

} // namespace tarvel
