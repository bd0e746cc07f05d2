#pragma once

// The map tree pane: the project's maps and areas as a tree. Selecting a node parks the current
// map (a modified map goes to its working copy) and loads the chosen one; the popup menus create,
// copy, paste, delete and shift maps and open the property dialogs. The rules of those commands
// are MapTreeEdits'; the pane asks, shows and reports.

#include <QTreeWidget>
#include <functional>

#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "mapedit_core/MapTreeEdits.h"

class QMenu;
class QAction;

namespace tarvel {

// The tree widget itself: drag and drop only as the map tree allows it.
class TMapTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    explicit TMapTreeWidget(QWidget* parent = nullptr);
    // The item a node stands for.
    static int32_t NodeID(const QTreeWidgetItem* node);
    QTreeWidgetItem* FindNode(int32_t id) const;

    // Whether the dragged node may be dropped onto the target: a map anywhere but onto an area,
    // itself or its own subtree; an area only onto its own parent map.
    bool CanDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target) const;
    // Makes the dragged node the target's last child when allowed; false when refused.
    bool DropOnto(QTreeWidgetItem* dragged, QTreeWidgetItem* target);

    std::function<const TQelMapTreeItem*(int32_t id)> itemOf;
    std::function<void()> onDropped;

protected:
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The values the map properties dialog (new map or edit) works on; filled by the tree window,
// returned by the dialog.
struct MapPropertiesRequest {
    int32_t id = 0;
    bool isNew = false;
    bool parentIsRoot = false;
    TQelMapTreeItem item; // the node's values (a copy; the tree takes them back on OK)
    MapSettings settings; // the map's values
};

// The values of the area dialog.
struct AreaPropertiesRequest {
    int32_t id = 0;
    bool isNew = false;
    TQelMapTreeItem item;                  // the area node's values (a copy)
    const TQelMap* map = nullptr;          // the parent map, shown by the rectangle picker
    TQelMapTreeItem* parentItem = nullptr; // the parent map's node (its remembered scroll)
};

class TFormMapTree : public QWidget {
    Q_OBJECT
public:
    TFormMapTree(TQelMapTree& tree, TQelMap& map, QWidget* parent = nullptr);

    TMapTreeWidget* treeWidget() const { return mTree; }

    // Clears the view and fills it from the tree's Order, selecting the current map.
    void BuildTree();
    // Empties the view (no project).
    void ClearView();
    // The selected node's item, or nullptr.
    TQelMapTreeItem* SelectedItem() const;
    // Selects the node and loads its map (as a click would).
    void SelectNode(int32_t id);

    // Saves the current map to its working copy when it was changed; true when nothing was lost
    // (a failed write is reported and leaves the map open and modified).
    bool ParkCurrentMap();
    // The ID of the map the view shows: the active node's own ID, its parent map's for an area,
    // 0 for the root.
    int32_t ShownMapID() const;
    // The name the main window shows for the active node.
    QString ShownMapName() const;

    // Size of the map view's client area, to centre areas in it.
    void SetViewClientSize(QSize size) { mViewClientSize = size; }

    // For the pickers: the tree only selects (no menus, no commands, no dragging, and the tree's
    // order is never read back from it) and shows areas only when asked to.
    void SetSelectionOnly(bool showAreas);
    bool SelectionOnly() const { return mSelectionOnly; }
    // Loads the active node's map and runs the map-changed callback, as selecting it does.
    void ShowActiveMap();

    // The commands of the popup menus.
    void NewMap();
    void NewArea();
    void EditProperties();
    void CopyMap();
    void PasteMap();
    void DeleteNode();
    void ShiftMap();

    // The dialogs the commands open; set by the main window. Each returns true for OK.
    std::function<bool(MapPropertiesRequest&)> runMapProperties;
    std::function<bool(AreaPropertiesRequest&)> runAreaProperties;
    // Returns (dx, dy) of an accepted shift of a map of the given size.
    std::function<bool(int width, int height, int& dx, int& dy)> runShift;
    // The shown map changed (loaded, emptied or changed in its properties); keepScroll when the
    // view should stay where it is.
    std::function<void(bool keepScroll)> onMapChanged;

    QAction* Menu_NewMap;
    QAction* Menu_NewArea;
    QAction* Menu_MapProperties;
    QAction* Menu_AreaProperties;
    QAction* Menu_Copy;
    QAction* Menu_Paste;
    QAction* Menu_Delete;
    QAction* Menu_Shift;
    // The popup of the selected node's kind.
    QMenu* PopupMenu() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void onCurrentItemChanged(QTreeWidgetItem* current);
    void loadActiveMap();
    void rebuildOrder();
    void updateMenus();
    void mapChanged(bool keepScroll);
    QTreeWidgetItem* addViewNode(QTreeWidgetItem* parent, const TQelMapTreeItem& item);
    // Adds the view node of a node just put in the tree under its parent, and rebuilds Order.
    void showNewNode(int32_t parentID, const TQelMapTreeItem& item, bool select);
    void refreshNodeText(QTreeWidgetItem* node);

    TQelMapTree& mMapTree;
    TQelMap& mMap;
    TMapTreeWidget* mTree;
    QMenu* mRootMenu;
    QMenu* mMapMenu;
    QMenu* mAreaMenu;
    QSize mViewClientSize{640, 480};
    bool mBuilding = false;
    bool mSelectionOnly = false;
    bool mShowAreas = true;
};

} // namespace tarvel
