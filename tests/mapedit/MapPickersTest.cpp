// The area picker and the place picker, and the event operations of a map cell.
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "MapViewFixture.h"
#include "mapedit/MapEventManager.h"
#include "mapedit/MapSetArea.h"
#include "mapedit/MapSetPlace.h"
#include "mapedit/MapTreeView.h"
#include "platform/Paths.h"
#include "ui_MapSetArea.h"
#include "ui_MapSetPlace.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

QPoint corner(TFormMapViewer& view, int x, int y) {
    const int cs = view.CellSize();
    return {x * cs - view.ScrollX(), y * cs - view.ScrollY()};
}

} // namespace

TEST(AreaPicker, DragsARectangleFromGridCornerToGridCorner) {
    SampleChipSetData data;
    TQelMapTree tree;
    tree.AddNode(0, 0);
    TQelMapTreeItem* item = tree.AddMapNode(0, 1);
    item->ScrollX = 64;
    item->ScrollY = 32;
    TQelMap map(1);
    MakeSampleMap(map, 1, 60, 50);
    TMapAreaRect rect;
    rect.Left = 2, rect.Top = 3, rect.Right = 6, rect.Bottom = 8;

    TFormMapSetArea picker(nullptr, &tree, map, item, rect);
    picker.show();
    QApplication::processEvents();
    auto* f = picker.form();
    TFormAreaMaker* view = picker.View();
    EXPECT_EQ(view->CellSize(), 16);
    EXPECT_EQ(f->LabelArea->text(), "(002,003) - (005,007)");
    EXPECT_TRUE(f->ButtonOk->isEnabled());

    // From near the corner (1, 1) to near the corner (4, 3): each end snaps to its nearest corner.
    QWidget* box = view->PaintBox();
    QTest::mousePress(box, Qt::LeftButton, {}, corner(*view, 1, 1) + QPoint(5, -6));
    QTest::mouseMove(box, corner(*view, 4, 3) + QPoint(-7, 7));
    QTest::mouseRelease(box, Qt::LeftButton, {}, corner(*view, 4, 3) + QPoint(-7, 7));
    EXPECT_EQ(view->AreaRect(), (TRect{1, 1, 4, 3}));
    EXPECT_EQ(f->LabelArea->text(), "(001,001) - (003,002)");

    // No whole cell: empty, and OK is off.
    QTest::mousePress(box, Qt::LeftButton, {}, corner(*view, 5, 5));
    QTest::mouseMove(box, corner(*view, 5, 9));
    QTest::mouseRelease(box, Qt::LeftButton, {}, corner(*view, 5, 9));
    EXPECT_TRUE(view->AreaRect().IsEmpty());
    EXPECT_EQ(f->LabelArea->text(), "");
    EXPECT_FALSE(f->ButtonOk->isEnabled());

    // Another button during the drag clears the rectangle.
    QTest::mousePress(box, Qt::LeftButton, {}, corner(*view, 2, 2));
    QTest::mouseMove(box, corner(*view, 6, 6));
    EXPECT_FALSE(view->AreaRect().IsEmpty());
    QTest::mousePress(box, Qt::RightButton, {}, corner(*view, 6, 6));
    EXPECT_TRUE(view->AreaRect().IsEmpty());
    QTest::mouseRelease(box, Qt::RightButton, {}, corner(*view, 6, 6));
    QTest::mouseRelease(box, Qt::LeftButton, {}, corner(*view, 6, 6));
    EXPECT_TRUE(view->AreaRect().IsEmpty());

    // Corners are clamped to the map.
    QTest::mousePress(box, Qt::LeftButton, {}, corner(*view, 58, 48));
    view->ScrollTo(100000, 100000);
    QTest::mouseMove(box, QPoint(view->VisibleSize().width() + 300, view->VisibleSize().height() + 300));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(5000, 5000));
    EXPECT_EQ(view->AreaRect().right, 60);
    EXPECT_EQ(view->AreaRect().bottom, 50);

    // Zoom buttons switch the cell size; scrolling in the picker leaves the item as it was.
    f->ButtonZoom1->click();
    EXPECT_EQ(view->CellSize(), 32);
    f->ButtonZoom4->click();
    EXPECT_EQ(view->CellSize(), 8);
    picker.reject();
    EXPECT_EQ(item->ScrollX, 64);
    EXPECT_EQ(item->ScrollY, 32);
}

namespace {

// A project folder with maps 1 and 2 under the root and area 3 on map 1.
struct PlaceFixture {
    SampleChipSetData data;
    TQelMapTree tree;
    QString folder = MakeTempFolder("place");

    PlaceFixture() {
        SetProjectPath(folder + "/");
        tree.AddNode(0, 0)->Name = "Game";
        tree.AddMapNode(0, 1)->Name = "Field";
        tree.AddMapNode(0, 2)->Name = "Cave";
        TQelMapTreeItem* area = tree.AddNode(1, 3);
        area->NodeKind = nkArea;
        area->Name = "Forest";
        area->AreaRect = {2, 2, 8, 8};
        for (int id : {1, 2}) {
            TQelMap map(id);
            ResetGrassMap(map, 20 + id * 10, 15 + id * 10);
            map.ChipSetID = 1;
            map.SaveMap(id);
        }
        tree.ActiveID = 1;
    }
    ~PlaceFixture() { SetProjectPath(""); }
};

QTreeWidgetItem* node(TFormMapSetPlace& picker, int id) {
    return picker.TreePane()->treeWidget()->FindNode(id);
}

} // namespace

TEST(PlacePicker, ChoosesAMapAndACell) {
    PlaceFixture p;
    TFormMapSetPlace picker(nullptr, p.tree, nullptr, 2, {4, 5}, {});
    picker.show();
    QApplication::processEvents();
    auto* f = picker.form();
    EXPECT_EQ(picker.windowTitle(), "Set Place");
    EXPECT_EQ(picker.MapID(), 2);
    EXPECT_EQ(picker.Position(), (TPoint{4, 5}));
    EXPECT_EQ(f->LabelPlace->text(), "0002:Cave (004,005)");
    EXPECT_TRUE(f->ButtonOk->isEnabled());
    EXPECT_EQ(picker.View()->CellSize(), 16);
    EXPECT_EQ(picker.View()->Map()->Width, 40);
    // The given cell's map remembers a view around it.
    EXPECT_EQ(p.tree.NodeByID(2)->ScrollX, 4 * 32 - 160);
    EXPECT_EQ(p.tree.NodeByID(2)->ScrollY, 5 * 32 - 120);
    // Areas are not offered.
    EXPECT_EQ(node(picker, 3), nullptr);

    // Another map: the cell is forgotten until one is clicked.
    picker.TreePane()->treeWidget()->setCurrentItem(node(picker, 1));
    EXPECT_EQ(picker.MapID(), 1);
    EXPECT_EQ(picker.View()->Map()->Width, 30);
    EXPECT_EQ(f->LabelPlace->text(), "0001:Field");
    EXPECT_FALSE(f->ButtonOk->isEnabled());
    TFormMapPosSetter* view = picker.View();
    const int cs = view->CellSize();
    QTest::mouseClick(view->PaintBox(), Qt::LeftButton, {},
                      QPoint(7 * cs + 3 - view->ScrollX(), 9 * cs + 3 - view->ScrollY()));
    EXPECT_EQ(picker.Position(), (TPoint{7, 9}));
    EXPECT_EQ(f->LabelPlace->text(), "0001:Field (007,009)");
    EXPECT_TRUE(f->ButtonOk->isEnabled());
    // The root chooses nothing.
    picker.TreePane()->treeWidget()->setCurrentItem(node(picker, 0));
    EXPECT_EQ(picker.MapID(), 0);
    EXPECT_EQ(f->LabelPlace->text(), "");
    EXPECT_FALSE(f->ButtonOk->isEnabled());
    picker.reject();
    EXPECT_EQ(p.tree.ActiveID, 1);
}

TEST(PlacePicker, AreasMapsAloneLockingAndTheEditedMap) {
    PlaceFixture p;
    // With no map given and an area active, the area's parent is where the picker opens.
    p.tree.ActiveID = 3;
    TQelMap current(1);
    ResetGrassMap(current, 30, 25);
    current.LowerLayer.SetChip(3, 3, Stone); // not saved anywhere yet
    {
        TFormMapSetPlace::Options options;
        options.areasSelectable = true;
        options.mapAloneEnough = true;
        TFormMapSetPlace picker(nullptr, p.tree, &current, 0, {-1, -1}, options);
        EXPECT_EQ(picker.MapID(), 1);
        EXPECT_EQ(picker.View()->Map()->LowerLayer.GetChip(3, 3), Stone);
        EXPECT_TRUE(picker.form()->ButtonOk->isEnabled()) << "a map alone is enough";
        ASSERT_NE(node(picker, 3), nullptr);
        picker.TreePane()->treeWidget()->setCurrentItem(node(picker, 3));
        EXPECT_EQ(picker.MapID(), 3);
        EXPECT_EQ(picker.form()->LabelPlace->text(), "0003:Forest");
        EXPECT_EQ(picker.View()->Map()->ID, 1);
        // The picker's tree never rewrites the project's order.
        EXPECT_EQ(p.tree.OrderIndexOf(3), 2);
    }
    EXPECT_EQ(p.tree.ActiveID, 3);
    {
        TFormMapSetPlace::Options options;
        options.locked = true;
        TFormMapSetPlace picker(nullptr, p.tree, nullptr, 2, {1, 1}, options);
        EXPECT_FALSE(picker.TreePane()->isEnabled());
        bool accepted = false;
        QObject::connect(&picker, &QDialog::accepted, [&] { accepted = true; });
        TFormMapPosSetter* view = picker.View();
        QTest::mouseDClick(view->PaintBox(), Qt::LeftButton, {},
                           QPoint(2 * 16 + 5 - view->ScrollX(), 6 * 16 + 5 - view->ScrollY()));
        EXPECT_TRUE(accepted);
        EXPECT_EQ(picker.Position(), (TPoint{2, 6}));
        EXPECT_EQ(picker.MapID(), 2);
    }
    EXPECT_EQ(p.tree.ActiveID, 3);
}

// ---- the event operations of a cell ----

TEST(EventManager, PastedNamesTakeTheNewDefaultName) {
    struct Case {
        const char* name;
        const char* pasted;
    } cases[] = {{"EV0007", "EV0012"}, {"", "EV0012"},       {"EV12", "EV12"},      {"Guard", "Guard"},
                 {"EV0000", "EV0000"}, {"EVabcd", "EVabcd"}, {"EV00071", "EV00071"}};
    for (const auto& c : cases)
        EXPECT_EQ(TQelEventManager::PastedEventName(c.name, 12), c.pasted) << c.name;
}

TEST(EventManager, CopyPasteAndTheirRefusals) {
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    TQelMapTree tree;
    TQelMap map(4);
    ResetGrassMap(map, 20, 15);
    map.ID = 4;
    for (int id = 1; id <= 11; ++id) {
        auto* event = map.Events.FindOrCreate(id);
        event->X = id;
        event->Y = 1;
        event->Name = id == 7 ? "EV0007" : "E";
    }
    tree.StartPositions.SetStartMap(0, 4);
    tree.StartPositions.SetStartX(0, 3);
    tree.StartPositions.SetStartY(0, 9);
    TQelEventManager manager;
    manager.SetMap(&tree, &map);
    int changes = 0;
    manager.onChange = [&] { ++changes; };

    EXPECT_EQ(manager.FindAt(7, 1), 7);
    EXPECT_EQ(manager.FindAt(3, 9), TQelEventManager::PartyStart);
    EXPECT_EQ(manager.NameAt(3, 9), "Hero");
    EXPECT_EQ(manager.FindAt(0, 0), 0);
    EXPECT_FALSE(manager.CopyAt(0, 0));

    ASSERT_TRUE(manager.CopyAt(7, 1));
    auto block = clipboard.get(ClipboardFormat::MapEvent);
    ASSERT_TRUE(block);
    // A 4-byte byte count, the number 0, the event record.
    EXPECT_EQ(size_t(block->at(0) | block->at(1) << 8 | block->at(2) << 16 | block->at(3) << 24),
              block->size() - 4);
    EXPECT_EQ(block->at(4), 0);
    EXPECT_FALSE(manager.PasteAt(2, 1)) << "an occupied cell takes nothing";
    EXPECT_EQ(changes, 0);
    ASSERT_TRUE(manager.PasteAt(5, 5));
    ASSERT_NE(map.Events.Find(12), nullptr);
    EXPECT_EQ(map.Events.Find(12)->Name, "EV0012");
    EXPECT_EQ(map.Events.Find(12)->X, 5);
    EXPECT_EQ(changes, 1);

    // The party start travels alone: cut here, pasted there.
    ASSERT_TRUE(manager.CutAt(3, 9));
    EXPECT_EQ(tree.StartPositions.StartMap(0), 0);
    EXPECT_EQ(*clipboard.get(ClipboardFormat::MapEvent),
              (std::vector<uint8_t>{3, 0, 0, 0, 0x83, 0xD4, 0x61}));
    ASSERT_TRUE(manager.PasteAt(6, 6));
    EXPECT_EQ(tree.StartPositions.StartMap(0), 4);
    EXPECT_EQ(tree.StartPositions.StartX(0), 6);
    EXPECT_EQ(map.Events.Count(), 12);

    // A block shorter than it says adds nothing.
    clipboard.set(ClipboardFormat::MapEvent, {40, 0, 0, 0, 0, 1});
    EXPECT_FALSE(manager.PasteAt(8, 8));
    EXPECT_EQ(map.Events.Count(), 12);
    // The party start only goes onto an empty cell; a vehicle wherever it is asked to.
    EXPECT_FALSE(manager.SetPartyStartAt(1, 1));
    EXPECT_TRUE(manager.SetPartyStartAt(9, 9));
    manager.chooseVehicle = [] { return 3; };
    EXPECT_TRUE(manager.SetVehicleStartAt(1, 1));
    EXPECT_EQ(tree.StartPositions.StartMap(3), 4);
    EXPECT_EQ(tree.StartPositions.StartX(3), 1);
    SetClipboardPort(nullptr);
}

TEST(EventManager, NoFreeIDPastesNothing) {
    MemoryClipboard clipboard;
    SetClipboardPort(&clipboard);
    TQelMapTree tree;
    TQelMap map(1);
    ResetGrassMap(map, 20, 15);
    for (int id = 1; id <= TQelEventManager::MaxEventID; ++id)
        map.Events.FindOrCreate(id)->X = -1;
    clipboard.set(ClipboardFormat::MapEvent, TQelEventManager::EventBlock(TQelEventItem(1)));
    TQelEventManager manager;
    manager.SetMap(&tree, &map);
    EXPECT_EQ(TQelEventManager::LowestFreeEventID(map), 0);
    EXPECT_FALSE(manager.PasteAt(2, 2));
    EXPECT_EQ(map.Events.Count(), TQelEventManager::MaxEventID);
    SetClipboardPort(nullptr);
}
