// Everyday comfort in the main window: dialogs wholly on a small screen, a title that names the
// project and shows unsaved changes, the Edit menu acting on the map view's mode with undo and
// redo, and the one notice when previews cannot be heard.
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "app/MainUnit.h"
#include "app/MaterialForm.h"
#include "app/ProjPackForm.h"
#include "controls/BoardView.h"
#include "controls/DialogPlacement.h"
#include "controls/MessageBoxes.h"
#include "controls/SoundNotice.h"
#include "dbedit/DataBaseForm.h"
#include "mapedit/ED_Map.h"
#include "mapedit/MapEditor.h"
#include "mapedit/MapTreeView.h"
#include "pickers/SelMusic.h"
#include "platform/OutsideLibraries.h"
#include "platform/PlatformPorts.h"
#include "platform/Settings.h"
#include "project/ProjectManager.h"
#include "records/ClipboardPort.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

// A main window with a project made from the starter templates open.
struct OpenEditor {
    MemoryClipboard clipboard;
    std::unique_ptr<TFormQelMain> form;
    explicit OpenEditor(int undoSteps) {
        SetClipboardPort(&clipboard);
        EditorIni::SetProjectBasePath(MakeTempFolder("base") + "/");
        UserSettings::SetUndoSteps(undoSteps);
        form = std::make_unique<TFormQelMain>();
        form->setTemplateFolder(BuildBinFolder());
        EXPECT_TRUE(MakeProjectFolder(TProjectManager::BasePath(), "Quest"));
        form->document().CreateProject("Quest", "The Quest");
        form->show();
        form->UpdateActions();
    }
    ~OpenEditor() {
        // The next window would reopen a project left open; nothing here is to be kept.
        SetHeadlessAnswer(QMessageBox::No);
        form->ProjectClose();
        SetHeadlessAnswer(QMessageBox::NoButton);
        form.reset();
        SetClipboardPort(nullptr);
    }
    TFormMapEditor* view() const { return form->mapEditor(); }
    QPoint cell(int x, int y) const {
        const int cs = view()->CellSize();
        return {x * cs + cs / 2 - view()->ScrollX(), y * cs + cs / 2 - view()->ScrollY()};
    }
    void click(int x, int y) {
        QTest::mouseClick(view()->PaintBox(), Qt::LeftButton, {}, cell(x, y));
        form->UpdateActions();
    }
};

// With TARVEL_SHOTS set, writes what a screen of the given size shows: the window at its place.
void writeScreenShot(QWidget& window, const QString& name, QSize screen) {
    const QString folder = qEnvironmentVariable("TARVEL_SHOTS");
    if (folder.isEmpty()) return;
    QImage canvas(screen, QImage::Format_RGB32);
    canvas.fill(qRgb(58, 110, 165));
    QPainter painter(&canvas);
    painter.drawPixmap(window.geometry().topLeft(), window.grab());
    painter.end();
    canvas.save(QString("%1/%2-%3x%4.png").arg(folder, name).arg(screen.width()).arg(screen.height()));
}

// Placed in the room of a screen of the given size, the dialog lies wholly inside it, and its OK
// button lies inside the dialog, visible; a dialog whose contents are taller or wider than the
// room scrolls them.
void expectFits(QDialog& dialog, const char* name, QSize screen) {
    SCOPED_TRACE(std::string(name) + " on " + std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
    const QRect room(QPoint(0, 0), screen);
    dialog.ensurePolished();
    const QSize natural = dialog.sizeHint();
    FitInto(&dialog, room);
    dialog.move(room.center() - dialog.rect().center());
    ClampInto(&dialog, room);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(room.contains(dialog.frameGeometry())) << dialog.frameGeometry().width() << "x"
                                                      << dialog.frameGeometry().height();
    writeScreenShot(dialog, QString(name).replace(' ', '-'), screen);
    if (natural.height() > screen.height() || natural.width() > screen.width())
        EXPECT_NE(dialog.findChild<QScrollArea*>("PlacementScrollArea"), nullptr);
    if (auto* ok = dialog.findChild<QPushButton*>("ButtonOk")) {
        const QRect button(ok->mapTo(&dialog, QPoint(0, 0)), ok->size());
        EXPECT_TRUE(dialog.rect().contains(button));
        EXPECT_TRUE(ok->isVisible());
    }
    dialog.hide();
}

class RecordingSilentSound : public SoundLibraryPort {
public:
    int plays = 0;
    void Create() override {}
    void InitWave() override {}
    void Release() override {}
    void InitMidi() override {}
    void TermMidi() override {}
    void PlayMusic(const QString&) override { ++plays; }
    void FadeInMusic(int) override {}
    void SetMusicVolume(int) override {}
    void SetMusicSpeed(int) override {}
    void SetMusicPanpot(int) override {}
    void FadeOutMusic(int) override {}
    void StopMusic() override {}
    void PlaySoundEx(const QString&, int, int, int) override { ++plays; }
    void StopSound() override {}
    bool OutputIsSilent() const override { return true; }
};

} // namespace

TEST(Comfort, LargestDialogsFitTheScreen) {
    OpenEditor e(3);
    // The map properties dialog is taller than an 800 x 600 screen: there it scrolls.
    for (QSize screen : {QSize(1024, 768), QSize(800, 600)}) {
        MapPropertiesRequest request;
        request.id = 1;
        request.item.Name = "MAP0001";
        request.settings.width = 60;
        request.settings.height = 45;
        TFormEDMap properties(e.form.get(), request);
        expectFits(properties, "map properties", screen);
    }
    const QSize screen(1024, 768);
    TFormMaterialBase material(e.form.get());
    expectFits(material, "material manager", screen);
    TFormProjectPack pack(e.form.get());
    expectFits(pack, "game disk", screen);
    TFormSelMusic music(e.form.get());
    expectFits(music, "music picker", screen);
    TFormDataBase dataBase(e.form.get(), e.form->document());
    expectFits(dataBase, "database window", screen);
}

TEST(Comfort, TitleNamesTheProjectAndShowsUnsavedChanges) {
    {
        TFormQelMain none;
        none.UpdateActions();
        EXPECT_EQ(none.windowTitle(), "Tarvel");
    }
    OpenEditor e(3);
    EXPECT_EQ(e.form->windowTitle(), QString("The Quest [*] \u2014 Tarvel"));
    EXPECT_FALSE(e.form->isWindowModified());
    e.form->Action_MapModeLayer1->trigger();
    e.click(2, 2);
    EXPECT_TRUE(e.form->isWindowModified());
    EXPECT_TRUE(e.form->SaveAll());
    e.form->UpdateActions();
    EXPECT_FALSE(e.form->isWindowModified());
    e.form->ProjectClose();
    EXPECT_EQ(e.form->windowTitle(), "Tarvel");
}

TEST(Comfort, EditMenuActsOnTheViewsModeWithRedo) {
    OpenEditor e(100);
    e.form->Action_MapModeLayer1->trigger();
    e.form->UpdateActions();
    EXPECT_FALSE(e.form->Action_EditUndo->isEnabled());
    EXPECT_FALSE(e.form->Action_EditCopy->isEnabled()); // no selection yet
    EXPECT_TRUE(e.form->Action_EditSelectAll->isEnabled());

    e.view()->Brush(mmLower) = TQelCurrentChip(5003);
    const int before = e.form->map().LowerLayer.GetChip(2, 2);
    e.click(2, 2);
    EXPECT_EQ(e.form->map().LowerLayer.GetChip(2, 2), 5003);
    EXPECT_TRUE(e.form->Action_EditUndo->isEnabled());
    EXPECT_FALSE(e.form->Action_EditRedo->isEnabled());
    e.form->Action_EditUndo->trigger();
    EXPECT_EQ(e.form->map().LowerLayer.GetChip(2, 2), before);
    EXPECT_TRUE(e.form->Action_EditRedo->isEnabled());
    e.form->Action_EditRedo->trigger();
    EXPECT_EQ(e.form->map().LowerLayer.GetChip(2, 2), 5003);
    // The history outlives a save.
    EXPECT_TRUE(e.form->SaveAll());
    e.form->UpdateActions();
    EXPECT_TRUE(e.form->Action_EditUndo->isEnabled());

    if (!qEnvironmentVariable("TARVEL_SHOTS").isEmpty()) {
        auto* menu = e.form->findChild<QMenu*>("Menu_Edit");
        menu->popup(e.form->mapToGlobal(QPoint(120, 20)));
        QApplication::processEvents();
        menu->grab().save(qEnvironmentVariable("TARVEL_SHOTS") + "/edit-menu.png");
        e.form->grab().save(qEnvironmentVariable("TARVEL_SHOTS") + "/main-window.png");
        menu->hide();
    }

    // Select All, then Copy: the chips reach the clipboard through the view's own command.
    e.form->Action_MapToolSelect->trigger();
    e.form->Action_EditSelectAll->trigger();
    EXPECT_TRUE(e.form->Action_EditCopy->isEnabled());
    e.form->Action_EditCopy->trigger();
    EXPECT_TRUE(e.clipboard.has(ClipboardFormat::MapChips));

    // In event mode the entries follow the event menu: nothing to copy on an empty cell, and
    // Select All has no meaning.
    e.form->Action_MapModeEvent->trigger();
    e.form->UpdateActions();
    EXPECT_FALSE(e.form->Action_EditCopy->isEnabled());
    EXPECT_FALSE(e.form->Action_EditSelectAll->isEnabled());
}

TEST(Comfort, SilentSoundIsToldOnceAndStaysInTheStatusBar) {
    RecordingSilentSound sound;
    SetSoundLibraryPort(&sound);
    ResetSoundNotice();
    ClearShownMessages();
    {
        OpenEditor e(3);
        auto* notice = e.form->findChild<QLabel*>("SoundNotice");
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(notice->isHidden());
        TFormSelMusic picker(e.form.get());
        picker.SetFileName("Town");
        picker.ButtonPlayClick();
        picker.ButtonPlayClick();
        EXPECT_EQ(ShownMessages(), QStringList{NoSoundDeviceMessage});
        EXPECT_EQ(sound.plays, 2);
        EXPECT_FALSE(notice->isHidden());
        EXPECT_EQ(notice->text(), NoSoundDeviceMessage);
    }
    SetSoundLibraryPort(nullptr);
    ResetSoundNotice();
}
