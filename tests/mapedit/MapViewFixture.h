#pragma once

// A map editor view on a map of the sample chipset, shown offscreen and driven by mouse and key
// events on its paint box.

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "../mapedit_core/MapEditFixtures.h"
#include "controls/BoardView.h"
#include "mapedit/MapEditor.h"
#include "mapedit_core/MapGraphics.h"
#include "records/ClipboardPort.h"

namespace tarvel::test {

// The sample chipset as chipset 1 of a database of its own (the process-wide one while it lives).
struct SampleChipSetData {
    TQelDataBase db;
    SampleChipSetData() { db.ChipSets().Find(1)->GraphicName = WriteSampleChipSet(MakeTempFolder("chips")); }
};

// Fills a map with the sample chipset's grass and gives it its graphics.
inline void MakeSampleMap(TQelMap& map, int id, int width, int height) {
    AttachMapGraphics(map);
    ResetGrassMap(map, width, height);
    map.ID = id;
    map.ChipSetID = 1;
    map.ReloadChipSet();
    // Without its picture every chip would draw alike, and comparing pictures would prove nothing.
    TMapGraphics* graphics = MapGraphicsOf(map);
    EXPECT_TRUE(graphics && graphics->ChipSet().ChipSet() && graphics->ChipSet().Sheet().Width() == 480);
}

struct EditorFixture {
    SampleChipSetData data;
    MemoryClipboard clipboard;
    TQelMapTree tree;
    TQelMap map{1};
    TFormMapEditor view;

    // undoSteps 3 is the three-step ring; more gives each map a history with redo.
    explicit EditorFixture(int width = 40, int height = 30, QSize size = {640, 480}, int undoSteps = 3) {
        SetClipboardPort(&clipboard);
        view.SetUndoSteps(undoSteps);
        tree.AddNode(0, 0)->Name = "Game";
        tree.AddMapNode(0, 1);
        tree.ActiveID = 1;
        MakeSampleMap(map, 1, width, height);
        view.SetMapTree(&tree);
        view.SetMap(&map);
        view.resize(size);
        view.show();
        view.SetMode(mmLower);
        view.SetTool(mtPen);
        view.LoadMap();
        settle();
    }
    ~EditorFixture() { SetClipboardPort(nullptr); }

    QWidget* box() const { return view.PaintBox(); }
    // The paint box pixel at the middle of a cell.
    QPoint at(int x, int y) const {
        const int cs = view.CellSize();
        return {x * cs + cs / 2 - view.ScrollX(), y * cs + cs / 2 - view.ScrollY()};
    }
    void press(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(box(), button, keys, at(x, y));
    }
    void move(int x, int y) { QTest::mouseMove(box(), at(x, y)); }
    void release(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseRelease(box(), button, keys, at(x, y));
    }
    // A mouse move with no button held (QTest moves the system cursor instead).
    void hover(int x, int y) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at(x, y)), QPointF(box()->mapToGlobal(at(x, y))),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box(), &event);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers keys = {}) { QTest::keyClick(&view, k, keys); }
    // Lets the view paint what is pending (and apply a drag that waited for it).
    void settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            view.FlushDrawing();
        }
    }
    int lower(int x, int y) const { return map.LowerLayer.GetChip(x, y); }
    int upper(int x, int y) const { return map.UpperLayer.GetChip(x, y); }
    // Sets one lower-layer brush chip (what a palette click does).
    void brush(int chip, int mode = mmLower) { view.Brush(mode) = TQelCurrentChip(chip); }
};

} // namespace tarvel::test
