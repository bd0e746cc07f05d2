// Paints a map of the runtime package's "Grassland" chipset in the main window the way a user
// does (palette clicks and drags, pen, rectangle and ellipse strokes on the map view, a
// selection) and writes the window at zoom 1/1 and 1/4 to PNG files, so that they can be looked
// at: map-view-shots RTP_FOLDER OUT_FOLDER. Runs offscreen unless a platform is chosen, in a
// temporary home of its own.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "app/MainUnit.h"
#include "controls/BoardView.h"
#include "mapedit/ChipSelector.h"
#include "mapedit/MapEditor.h"
#include "mapedit/MapTreeView.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "platform/Settings.h"

using namespace tarvel;

namespace {

struct Shots {
    TFormQelMain& form;
    TFormMapEditor* view;
    TFormChipSelector* palette;

    void settle() {
        for (int i = 0; i < 4; ++i)
            QApplication::processEvents();
    }
    QPoint cell(int x, int y) const {
        const int cs = view->CellSize();
        return {x * cs + cs / 2 - view->ScrollX(), y * cs + cs / 2 - view->ScrollY()};
    }
    // A palette selection from one cell to another (a click when they are the same).
    void choose(int c0, int r0, int c1, int r1) {
        QWidget* box = palette->PaintBox();
        const QPoint a(c0 * 32 + 16, r0 * 32 + 16), b(c1 * 32 + 16, r1 * 32 + 16);
        QTest::mousePress(box, Qt::LeftButton, {}, a);
        QTest::qWait(TFormChipSelector::DragDelay + 40);
        QTest::mouseMove(box, b);
        QTest::mouseRelease(box, Qt::LeftButton, {}, b);
        settle();
    }
    // A left stroke on the map from one cell to another.
    void stroke(int x0, int y0, int x1, int y1) {
        QWidget* box = view->PaintBox();
        QTest::mousePress(box, Qt::LeftButton, {}, cell(x0, y0));
        settle();
        QTest::mouseMove(box, cell(x1, y1));
        settle();
        QTest::mouseRelease(box, Qt::LeftButton, {}, cell(x1, y1));
        settle();
    }
    void click(int x, int y) { stroke(x, y, x, y); }
    bool save(const QString& file) {
        settle();
        const bool ok = form.grab().save(file);
        std::printf("%s %s\n", qPrintable(file), ok ? "written" : "FAILED");
        return ok;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    setenv("HOME", qPrintable(home.path()), 1);
    setenv("XDG_CONFIG_HOME", qPrintable(home.path() + "/config"), 1);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: map-view-shots RTP_FOLDER OUT_FOLDER\n");
        return 2;
    }
    const QString rtp = IncludeTrailingPathDelimiter(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    // Opening the project changes the current folder.
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    UserSettings::SetRuntimePackagePath(rtp);
    SetRuntimePackagePath(rtp);
    InstallPlatformPorts();

    // A project whose chipset 1 is the package's "Grassland".
    const QString base = home.path() + "/projects/", templates = home.path() + "/templates";
    QDir().mkpath(base);
    QDir().mkpath(templates);
    EditorIni::SetProjectBasePath(base);
    {
        TQelDataBase db;
        db.ChipSets().Find(1)->Name = "Grassland";
        db.ChipSets().Find(1)->GraphicName = "Grassland";
        db.SaveToFile((templates + "/QUORIN.qdb.dat").toStdString());
    }
    QFile exe(templates + "/QUORIN.exe.dat");
    exe.open(QIODevice::WriteOnly);
    exe.write("runtime");
    exe.close();

    TFormQelMain form;
    form.setTemplateFolder(templates);
    MakeProjectFolder(base, "Shots");
    form.projectManager().CreateProject("Shots", "Screenshots");
    form.resize(1100, 760);
    form.show();
    TQelMap& map = form.map();
    map.ChipSetID = 1;
    map.SetWidth(36);
    map.SetHeight(26);
    map.ReloadChipSet();
    map.Modified = true;
    form.mapTreePane()->onMapChanged(false);
    Shots s{form, form.mapEditor(), form.chipSelector()};
    s.settle();

    // Lower layer: on grass, a lake with a sandy shore and deep water in it, dirt and road patches, tall
    // grass in an ellipse, flowers painted with the pen.
    form.Action_MapModeLayer1->trigger();
    // A new map is all water: grass first, with the fill.
    form.Action_MapToolSeedFill->trigger();
    s.choose(0, 3, 0, 3); // grass
    s.click(0, 0);
    form.Action_MapToolRect->trigger();
    s.choose(0, 0, 0, 0); // water
    s.stroke(2, 2, 11, 9);
    form.Action_MapToolEllipse->trigger();
    s.choose(2, 0, 2, 0); // deep water
    s.stroke(4, 3, 9, 8);
    form.Action_MapToolRect->trigger();
    s.choose(0, 1, 0, 1); // dirt
    s.stroke(15, 2, 21, 6);
    s.choose(2, 1, 2, 1); // road
    s.stroke(12, 11, 33, 12);
    s.stroke(22, 3, 23, 10);
    form.Action_MapToolEllipse->trigger();
    s.choose(3, 1, 3, 1); // tall grass
    s.stroke(24, 14, 33, 22);
    form.Action_MapToolPen->trigger();
    s.choose(4, 1, 4, 1); // flowers
    s.stroke(3, 16, 10, 20);
    s.stroke(10, 20, 16, 17);
    s.choose(1, 0, 1, 0); // a canal
    s.stroke(2, 23, 20, 23);

    // Upper layer: trees two cells tall and big trees of 2 x 2, a fence, a signpost.
    form.Action_MapModeLayer2->trigger();
    s.choose(1, 1, 1, 2); // tree top and trunk
    for (auto [x, y] : {std::pair{14, 8}, {16, 9}, {18, 8}, {28, 3}, {30, 5}, {32, 3}, {26, 5}})
        s.click(x, y);
    s.choose(1, 5, 2, 6); // big tree
    for (auto [x, y] : {std::pair{12, 15}, {20, 18}, {29, 8}})
        s.click(x, y);
    s.choose(1, 4, 3, 4); // fence left, middle, right
    s.click(15, 7);
    s.choose(4, 3, 4, 3); // signpost
    s.click(21, 10);

    // An event and the party's start, then a selection on the lower layer.
    auto* event = map.Events.FindOrCreate(1);
    event->X = 24;
    event->Y = 11;
    event->Name = "Guard";
    static_cast<TQelEventPageItem*>(event->Pages.FindOrCreate(1))->CharName = "People2";
    static_cast<TQelEventPageItem*>(event->Pages.FindOrCreate(1))->CharIndex = 4;
    map.Graphics().CollectCharSet("People2");
    form.mapTree().StartPositions.SetStartMap(0, map.ID);
    form.mapTree().StartPositions.SetStartX(0, 13);
    form.mapTree().StartPositions.SetStartY(0, 12);
    s.view->RebuildEvents();
    form.Action_MapModeLayer1->trigger();
    form.Action_MapToolSelect->trigger();
    {
        QWidget* box = s.view->PaintBox();
        const QPoint a(14 * 32 - s.view->ScrollX(), 14 * 32 - s.view->ScrollY());
        const QPoint b(19 * 32 - s.view->ScrollX(), 18 * 32 - s.view->ScrollY());
        QTest::mousePress(box, Qt::LeftButton, {}, a);
        s.settle();
        QTest::mouseMove(box, b);
        s.settle();
        QTest::mouseRelease(box, Qt::LeftButton, {}, b);
    }
    // The mouse over the lake shows the lower layer's cursor frame in the next shots' pen tool.
    bool ok = true;
    s.view->ScrollTo(0, 0);
    ok &= s.save(out + "/map-view-select-1-1.png");
    form.Action_MapToolPen->trigger();
    QMouseEvent hover(QEvent::MouseMove, QPointF(s.cell(7, 10)),
                      QPointF(s.view->PaintBox()->mapToGlobal(s.cell(7, 10))), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(s.view->PaintBox(), &hover);
    ok &= s.save(out + "/map-view-1-1.png");
    form.Action_MapScale3->trigger();
    ok &= s.save(out + "/map-view-1-4.png");
    form.Action_MapModeLayer2->trigger();
    ok &= s.save(out + "/map-view-upper-1-4.png");
    form.Action_MapModeEvent->trigger();
    form.Action_MapScale1->trigger();
    QTest::mouseClick(s.view->PaintBox(), Qt::LeftButton, {}, s.cell(24, 11));
    ok &= s.save(out + "/map-view-events-1-1.png");
    return ok ? 0 : 1;
}
