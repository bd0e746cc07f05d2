#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/MainUnit.h"
#include "controls/BoardView.h"
#include "controls/MessageBoxes.h"
#include "data/MapClipboard.h"
#include "dbedit/DataBaseForm.h"
#include "dbedit/ED_ChipSet.h"
#include "dbedit/ED_Widgets.h"
#include "mapedit/ChipSelector.h"
#include "mapedit/ED_Map.h"
#include "mapedit/MapEditor.h"
#include "mapedit/MapSetArea.h"
#include "mapedit/MapTreeView.h"
#include "mapedit_core/MapGraphics.h"
#include "pickers/SelBase.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "records/ClipboardPort.h"
#include "ui_ED_Area.h"

using namespace tarvel;
using tarvel::test::MakeTempFolder;
using tarvel::test::WriteFile;

namespace {

// A main window with a fresh project "Game" open: the root, map 1 from the creation, and
// maps 3 and 5 under the root, all saved.
struct OpenProject {
    QString base = MakeTempFolder("base") + "/";
    QString templates = MakeTempFolder("templates");
    MemoryClipboard clipboard;
    std::unique_ptr<TFormQelMain> form;

    OpenProject() {
        SetClipboardPort(&clipboard);
        EditorIni::SetProjectBasePath(base);
        {
            TQelDataBase db;
            db.SaveToFile((templates + "/QUORIN.qdb.dat").toStdString());
        }
        WriteFile(templates + "/QUORIN.exe.dat", "runtime");
        // These tests follow the three-step undo ring.
        UserSettings::SetUndoSteps(3);
        form = std::make_unique<TFormQelMain>();
        form->setTemplateFolder(templates);
        EXPECT_TRUE(MakeProjectFolder(base, "Game"));
        form->projectManager().CreateProject("Game", "The Game");
        for (int id : {3, 5}) {
            form->mapTree().AddMapNode(0, id);
            TQelMap map(id);
            map.Reset();
            map.SaveMap(id);
        }
        form->mapTree().SaveTree();
        form->mapTreePane()->BuildTree();
        form->UpdateActions();
    }
    ~OpenProject() {
        SetHeadlessAnswer(QMessageBox::NoButton);
        SetClipboardPort(nullptr);
    }
    TQelMap& map() { return form->map(); }
    void select(int id) { form->mapTreePane()->SelectNode(id); }
    // Closes the window as the user would; true when it closed.
    bool close() {
        QCloseEvent event;
        QApplication::sendEvent(form.get(), &event);
        return event.isAccepted();
    }
};

} // namespace

TEST(MainWindowProject, EditsSurviveSwitchingMapsUntilReverted) {
    OpenProject p;
    EXPECT_TRUE(p.form->IsProjectOpen());
    EXPECT_TRUE(p.form->Action_ProjectClose->isEnabled());
    EXPECT_FALSE(p.form->Action_ProjectNew->isEnabled());

    p.select(3);
    ASSERT_EQ(p.map().ID, 3);
    p.map().LowerLayer.SetChip(2, 2, 5001);
    p.map().Modified = true;
    p.form->UpdateActions();
    EXPECT_TRUE(p.form->Action_MapSave->isEnabled());

    p.select(5);
    EXPECT_EQ(p.map().ID, 5);
    EXPECT_EQ(p.map().LowerLayer.GetChip(2, 2), 0);
    EXPECT_TRUE(p.form->mapTree().NodeByID(3)->HasWorkCopy);

    p.select(3);
    EXPECT_EQ(p.map().LowerLayer.GetChip(2, 2), 5001);

    SetHeadlessAnswer(QMessageBox::Yes);
    p.form->RevertAll();
    p.select(5);
    p.select(3);
    EXPECT_EQ(p.map().LowerLayer.GetChip(2, 2), 0);
    EXPECT_FALSE(p.form->IsSomethingChanged());
}

TEST(MainWindowProject, SaveWritesWorkingCopiesIntoTheProject) {
    OpenProject p;
    p.select(5);
    p.map().UpperLayer.SetChip(1, 1, 10007);
    p.map().Modified = true;
    EXPECT_TRUE(p.form->SaveAll());
    EXPECT_FALSE(p.form->IsSomethingChanged());
    TQelMap saved;
    saved.ReadFile((p.base + "Game/Map0005.qmu").toStdString());
    EXPECT_EQ(saved.UpperLayer.GetChip(1, 1), 10007);
}

TEST(MainWindowProject, CloseCheckAnswers) {
    struct Case {
        QMessageBox::StandardButton answer;
        bool closes;
        bool written;
    } cases[] = {
        {QMessageBox::Cancel, false, false},
        {QMessageBox::No, true, false},
        {QMessageBox::Yes, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        OpenProject p;
        p.select(3);
        p.map().LowerLayer.SetChip(0, 0, 5002);
        p.map().Modified = true;
        ClearShownMessages();
        SetHeadlessAnswer(c.answer);
        EXPECT_EQ(p.close(), c.closes);
        EXPECT_EQ(ShownMessages(), QStringList{"Map was changed. Save it?"});
        TQelMap saved;
        saved.ReadFile((p.base + "Game/Map0003.qmu").toStdString());
        EXPECT_EQ(saved.LowerLayer.GetChip(0, 0) == 5002, c.written);
    }
}

TEST(MainWindowProject, PastedDefaultNameTakesTheNewID) {
    OpenProject p;
    // IDs 1..11 in use, so the first free one is 12; map 7 keeps its default name.
    for (int id : {2, 4, 6, 7, 8, 9, 10, 11})
        p.form->mapTree().AddMapNode(0, id);
    p.form->mapTree().NodeByID(9)->Name = "Cave";
    p.form->mapTreePane()->BuildTree();

    struct Case {
        int copied;
        const char* pastedName;
    } cases[] = {{7, "MAP0012"}, {9, "Cave"}};
    for (const auto& c : cases) {
        p.select(c.copied);
        p.form->mapTreePane()->CopyMap();
        ASSERT_TRUE(ClipboardHasMap());
        p.select(0);
        int32_t expectedID = LowestFreeMapID(p.form->mapTree());
        p.form->mapTreePane()->PasteMap();
        const TQelMapTreeItem* pasted = p.form->mapTree().NodeByID(expectedID);
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(pasted->Name, c.pastedName);
        EXPECT_EQ(pasted->ParentID, 0);
        EXPECT_TRUE(pasted->HasWorkCopy);
        EXPECT_EQ(p.form->mapTree().ActiveID, expectedID);
        EXPECT_EQ(p.map().ID, expectedID);
    }
}

TEST(MainWindowProject, DragRefusals) {
    OpenProject p;
    TQelMapTree& tree = p.form->mapTree();
    tree.AddMapNode(3, 4); // map 4 inside map 3
    TQelMapTreeItem* area = tree.AddNode(3, 6);
    area->NodeKind = nkArea;
    p.form->mapTreePane()->BuildTree();
    TMapTreeWidget* view = p.form->mapTreePane()->treeWidget();
    auto node = [&](int id) { return view->FindNode(id); };

    EXPECT_FALSE(view->CanDrop(node(6), node(5))) << "an area onto another map";
    EXPECT_FALSE(view->CanDrop(node(3), node(4))) << "a map onto its own child";
    EXPECT_FALSE(view->CanDrop(node(3), node(3))) << "a map onto itself";
    EXPECT_FALSE(view->CanDrop(node(5), node(6))) << "anything onto an area";
    EXPECT_TRUE(view->CanDrop(node(6), node(3))) << "an area onto its own parent";
    EXPECT_TRUE(view->CanDrop(node(4), node(5)));

    EXPECT_FALSE(p.form->IsSomethingChanged());
    EXPECT_TRUE(view->DropOnto(node(4), node(5)));
    EXPECT_EQ(tree.NodeByID(4)->ParentID, 5);
    EXPECT_TRUE(p.form->IsSomethingChanged());
}

TEST(MainWindowProject, ShrinkingAMapDropsEventsAndStartPositionsBeyondTheEdge) {
    OpenProject p;
    p.select(3);
    TQelMap& map = p.map();
    map.SetWidth(40);
    for (auto [id, x] : {std::pair{1, 5}, std::pair{2, 30}}) {
        auto* event = static_cast<TQelEventItem*>(map.Events.FindOrCreate(id));
        event->X = x;
        event->Y = 3;
    }
    auto& starts = p.form->mapTree().StartPositions;
    starts.SetStartMap(0, 3);
    starts.SetStartX(0, 35);
    starts.SetStartMap(1, 3);
    starts.SetStartX(1, 4);
    p.form->mapTreePane()->runMapProperties = [](MapPropertiesRequest& r) {
        EXPECT_FALSE(r.isNew);
        r.settings.width = 20;
        return true;
    };
    p.form->mapTreePane()->EditProperties();
    EXPECT_EQ(map.Width, 20);
    EXPECT_EQ(map.Events.Count(), 1);
    EXPECT_NE(map.Events.Find(1), nullptr);
    EXPECT_EQ(starts.StartMap(0), 0);
    EXPECT_EQ(starts.StartX(0), 0);
    EXPECT_EQ(starts.StartMap(1), 3);
    EXPECT_TRUE(map.Modified);
}

TEST(MainWindowProject, ReopensInTheModeAndZoomItWasClosedIn) {
    QString base;
    {
        OpenProject p;
        base = p.base;
        p.form->Action_MapModeEvent->trigger();
        p.form->Action_MapScale3->trigger();
        EXPECT_TRUE(p.close());
        EXPECT_EQ(ProjectIni::MapEditMode(base + "Game"), 2);
        EXPECT_EQ(ProjectIni::MapEditZoom(base + "Game"), 2);
    }
    EditorIni::SetProjectBasePath(base);
    EXPECT_EQ(EditorIni::OpenedProjectFolder(), "Game");
    TFormQelMain again; // reopens the last project at start
    ASSERT_TRUE(again.IsProjectOpen());
    EXPECT_EQ(again.editMode(), TFormQelMain::ModeEvent);
    EXPECT_TRUE(again.Action_MapModeEvent->isChecked());
    EXPECT_EQ(again.zoomIndex(), 2);
    EXPECT_EQ(TFormQelMain::CellSizeOfZoom(again.zoomIndex()), 8);
    EXPECT_TRUE(again.Action_MapToolPen->isChecked());
    EXPECT_EQ(again.statusPanel(2)->text(), "MAP0001");

    again.ProjectClose();
    EXPECT_FALSE(again.IsProjectOpen());
    EXPECT_EQ(EditorIni::OpenedProjectFolder(), "");
    EXPECT_EQ(again.map().ID, 0);
    EXPECT_EQ(again.mapTree().Count(), 0);
}

// ---- the map view and the chip palette in the main window ----

namespace {

// The paint box pixel in the middle of a cell of the main window's map view.
QPoint cellPoint(TFormMapEditor* view, int x, int y) {
    const int cs = view->CellSize();
    return {x * cs + cs / 2 - view->ScrollX(), y * cs + cs / 2 - view->ScrollY()};
}

void hover(TFormMapEditor* view, int x, int y) {
    const QPoint at = cellPoint(view, x, y);
    QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(view->PaintBox()->mapToGlobal(at)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->PaintBox(), &event);
}

} // namespace

TEST(MainWindowProject, PanesFollowTheMapModesZoomToolsAndUndo) {
    OpenProject p;
    p.form->show();
    TFormMapEditor* view = p.form->mapEditor();
    TFormChipSelector* palette = p.form->chipSelector();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(p.form->mapViewPlace()->isAncestorOf(view));
    EXPECT_TRUE(p.form->chipPalettePlace()->isAncestorOf(palette));

    p.select(3);
    EXPECT_EQ(view->Map(), &p.map());
    EXPECT_TRUE(view->HasMap());
    EXPECT_EQ(view->Mode(), mmLower);
    EXPECT_EQ(palette->Mode(), 0);
    EXPECT_EQ(view->Tool(), mtPen);

    // A stroke of the pen: undo becomes available, and saving takes it away.
    p.form->Action_MapToolSeedFill->trigger();
    EXPECT_EQ(view->Tool(), mtFill);
    p.form->Action_MapToolPen->trigger();
    view->Brush(mmLower) = TQelCurrentChip(5003);
    QTest::mouseClick(view->PaintBox(), Qt::LeftButton, {}, cellPoint(view, 2, 1));
    EXPECT_EQ(p.map().LowerLayer.GetChip(2, 1), 5003);
    p.form->UpdateActions();
    EXPECT_TRUE(p.form->Action_MapToolUndo->isEnabled());
    EXPECT_TRUE(p.form->Action_MapSave->isEnabled());
    p.form->Action_MapToolUndo->trigger();
    EXPECT_EQ(p.map().LowerLayer.GetChip(2, 1), 0);
    QTest::mouseClick(view->PaintBox(), Qt::LeftButton, {}, cellPoint(view, 2, 1));
    EXPECT_TRUE(p.form->SaveAll());
    EXPECT_FALSE(p.form->IsUndoAvailable());
    QTest::mouseClick(view->PaintBox(), Qt::LeftButton, {}, cellPoint(view, 4, 1));
    EXPECT_TRUE(p.form->IsUndoAvailable());

    // The status bar names the map and the cell under the mouse.
    hover(view, 2, 1);
    EXPECT_EQ(p.form->statusPanel(2)->text(), "MAP0003 (002,001)");

    // Zoom and mode commands reach the view and the palette; event mode empties the undo ring.
    p.form->Action_MapScale3->trigger();
    EXPECT_EQ(view->CellSize(), 8);
    p.form->Action_MapModeLayer2->trigger();
    EXPECT_EQ(view->Mode(), mmUpper);
    EXPECT_EQ(palette->Mode(), 1);
    p.form->Action_MapModeEvent->trigger();
    EXPECT_EQ(view->Mode(), mmEvent);
    EXPECT_EQ(palette->Mode(), 2);
    EXPECT_FALSE(p.form->IsUndoAvailable());
    p.form->UpdateActions();
    EXPECT_FALSE(p.form->Action_MapToolPen->isEnabled());

    // In event mode the status bar adds what stands on the cursor cell.
    auto* event = p.map().Events.FindOrCreate(1);
    event->X = 5;
    event->Y = 6;
    event->Name = "Guard";
    view->RebuildEvents();
    QTest::mouseClick(view->PaintBox(), Qt::LeftButton, {}, cellPoint(view, 5, 6));
    EXPECT_EQ(p.form->statusPanel(2)->text(), "MAP0003 (005,006) Guard");

    // Another map: the view shows it and forgets the old one's undo steps.
    p.select(5);
    EXPECT_EQ(view->Map()->ID, 5);
    EXPECT_FALSE(p.form->IsUndoAvailable());
    p.form->ProjectClose();
    EXPECT_EQ(view->Mode(), mmNone);
    EXPECT_EQ(palette->Mode(), 3);
    EXPECT_FALSE(view->HasMap());
}

TEST(MainWindowProject, PickedChipsSelectTheirPaletteCells) {
    OpenProject p;
    p.form->show();
    p.select(3);
    TFormMapEditor* view = p.form->mapEditor();
    TFormChipSelector* palette = p.form->chipSelector();
    p.map().LowerLayer.SetChip(2, 2, 1015);
    p.map().LowerLayer.SetChip(3, 2, 4123);
    struct Case {
        int x;
        Qt::KeyboardModifiers keys;
        int brush;
        TRect cell;
    } cases[] = {
        {2, Qt::NoModifier, 1049, {1, 0, 2, 1}},
        {3, Qt::NoModifier, 4149, {2, 1, 3, 2}},
        // With Shift the exact chip is kept: water still has its kind's cell, an autotile variant
        // has none.
        {2, Qt::ShiftModifier, 1015, {1, 0, 2, 1}},
        {3, Qt::ShiftModifier, 4123, {-1, -1, -1, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.brush);
        QTest::mousePress(view->PaintBox(), Qt::RightButton, {}, cellPoint(view, c.x, 2));
        QTest::mouseRelease(view->PaintBox(), Qt::RightButton, c.keys, cellPoint(view, c.x, 2));
        EXPECT_EQ(view->Brush(mmLower).GetChip(0, 0), c.brush);
        EXPECT_EQ(palette->Selection(), c.cell);
    }

    // A palette drag becomes the brush of the mode, its offset reset.
    palette->SetSelection({0, 3, 2, 5});
    palette->onSelectionChanged();
    const TQelCurrentChip& brush = view->Brush(mmLower);
    EXPECT_EQ(brush.Width(), 2);
    EXPECT_EQ(brush.Height(), 2);
    EXPECT_EQ(brush.GetChip(1, 1), 5000 + 1 + 6 * 4 - 18);
    EXPECT_EQ(view->BrushOffset(), (TPoint{0, 0}));

    // A right double-click turns to the other layer through the mode command; the palette then
    // shows no selection.
    QTest::mouseDClick(view->PaintBox(), Qt::RightButton, {}, cellPoint(view, 6, 6));
    EXPECT_TRUE(p.form->Action_MapModeLayer2->isChecked());
    EXPECT_EQ(p.form->editMode(), TFormQelMain::ModeUpperLayer);
    EXPECT_EQ(palette->Mode(), 1);
    EXPECT_FALSE(palette->HasSelection());
    EXPECT_EQ(p.form->statusPanel(1)->text(), "Upper Chip Editing Mode");
}

TEST(MainWindowProject, ZoomToolChecksTheMatchingZoomCommand) {
    OpenProject p;
    p.form->show();
    p.select(3);
    TFormMapEditor* view = p.form->mapEditor();
    p.form->Action_MapToolZoom->trigger();
    QTest::mouseClick(view->PaintBox(), Qt::RightButton, {}, cellPoint(view, 1, 1));
    EXPECT_EQ(view->CellSize(), 16);
    EXPECT_TRUE(p.form->Action_MapScale2->isChecked());
    EXPECT_EQ(p.form->zoomIndex(), 1);
}

TEST(MainWindowProject, AreaDialogMarksItsRectangleOnTheParentMap) {
    OpenProject p;
    p.form->show();
    p.select(3);
    TQelMapTreeItem* map = p.form->mapTree().NodeByID(3);
    map->ScrollX = 96;
    const int32_t newID = LowestFreeMapID(p.form->mapTree());
    bool pickerSeen = false;
    // The area dialog opens; a click on its rectangle box opens the picker on map 3, where a
    // rectangle is chosen.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TFormEDArea*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<TFormMapSetArea*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            pickerSeen = true;
            EXPECT_EQ(picker->View()->Map(), &p.map());
            EXPECT_EQ(picker->View()->CellSize(), 16);
            picker->View()->SetAreaRect({2, 3, 6, 8});
            picker->accept();
        });
        QTest::mouseClick(dialog->form()->EditArea, Qt::LeftButton);
        EXPECT_EQ(dialog->form()->EditArea->text(), "(002,003) - (005,007)");
        dialog->form()->ButtonOk->click();
    });
    p.form->mapTreePane()->NewArea();
    EXPECT_TRUE(pickerSeen);
    const TQelMapTreeItem* area = p.form->mapTree().NodeByID(newID);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->AreaRect.Left, 2);
    EXPECT_EQ(area->AreaRect.Bottom, 8);
    // The picker's scrolling did not move the main view's remembered place.
    EXPECT_EQ(map->ScrollX, 96);
}

TEST(MainWindowProject, ChipSetPictureChosenInTheDataBaseReachesTheMap) {
    OpenProject p;
    p.form->show();
    p.select(3);
    ASSERT_EQ(p.map().ChipSetID, 1);
    if (p.form->dataBase().ChipSets().Count() < 1) ResizeList(p.form->dataBase().ChipSets(), 1);
    QDir().mkpath(ProjectPath() + "ChipSet");
    WriteFile(ProjectPath() + "ChipSet/Elsewhere.png", "");
    bool pickerSeen = false;
    // The database window opens on the chipsets; the first one gets another picture through the
    // picker, and the window closes with OK.
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TFormDataBase*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->SetTabIndex(9);
        auto* page = dynamic_cast<TFormEDChipSet*>(form->Page());
        ASSERT_NE(page, nullptr);
        page->DataList()->setCurrentRow(0);
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<TFormSelImage*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            pickerSeen = true;
            picker->DataList()->setCurrentRow(picker->FindNameRow("Elsewhere"));
            picker->accept();
        });
        page->ImageBox()->click();
        form->ButtonOk()->click();
    });
    p.form->ToolDataBase();
    EXPECT_TRUE(pickerSeen);
    EXPECT_EQ(p.form->dataBase().ChipSets().Find(1)->GraphicName, "Elsewhere");
    TMapGraphics* graphics = MapGraphicsOf(p.map());
    ASSERT_NE(graphics, nullptr);
    EXPECT_EQ(graphics->ChipSet().ImageName(), "Elsewhere");
}
