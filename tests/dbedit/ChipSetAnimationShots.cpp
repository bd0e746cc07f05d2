// Opens the database window on a project made from the starter database, with the default
// runtime package, and writes the chipset page in each of its mark modes and the battle animation
// page (editing and mid-playback) to PNG files at the window sizes that fit an 800 x 600 and a
// 1280 x 1024 screen, so that they can be looked at: database-shots BIN_FOLDER OUT_FOLDER, where
// BIN_FOLDER holds the starter database and the package (RTP). Runs offscreen unless a platform
// is chosen, in a temporary home of its own.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "controls/BoardView.h"
#include "dbedit/DataBaseForm.h"
#include "dbedit/ED_Animation.h"
#include "dbedit/ED_AnimationView.h"
#include "dbedit/ED_ChipSet.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "platform/Settings.h"
#include "project/ProjectDocument.h"
#include "project/ProjectManager.h"

using namespace tarvel;

namespace {

constexpr int ChipSetTab = 9;
constexpr int BattleTab = 7;

void settle() {
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
}

bool save(QWidget& window, const QString& file) {
    settle();
    const bool ok = window.grab().save(file);
    std::printf("%s %s\n", qPrintable(file), ok ? "written" : "FAILED");
    return ok;
}

bool chipSetShots(TFormDataBase& form, const QString& out, const QString& size) {
    form.SetTabIndex(ChipSetTab);
    auto* page = dynamic_cast<TFormEDChipSet*>(form.Page());
    if (!page) return false;
    page->PreviewTimer()->stop();
    // Each mark mode with the pointer resting over a cell, so its highlight shows.
    struct Shot {
        bool upper;
        TFormEDChipSet::TMode mode;
        QPoint hover;
        const char* name;
    } shots[] = {
        {false, TFormEDChipSet::ModeTerrain, {3 * 32 + 10, 2 * 32 + 12}, "chipset-terrain"},
        {false, TFormEDChipSet::ModeBlockPass, {1 * 32 + 16, 4 * 32 + 16}, "chipset-blockpass-lower"},
        {false, TFormEDChipSet::ModePass4Dir, {2 * 32 + 4, 3 * 32 + 16}, "chipset-pass4dir-lower"},
        {true, TFormEDChipSet::ModeBlockPass, {2 * 32 + 16, 1 * 32 + 16}, "chipset-blockpass-upper"},
        {true, TFormEDChipSet::ModePass4Dir, {3 * 32 + 16, 2 * 32 + 28}, "chipset-pass4dir-upper"},
        {true, TFormEDChipSet::ModeCounter, {4 * 32 + 16, 3 * 32 + 16}, "chipset-counter"},
    };
    bool ok = true;
    for (const Shot& shot : shots) {
        page->SetUpperTab(shot.upper);
        page->SetMode(shot.mode);
        page->MouseTimer()->stop();
        page->PaintBoxMouseMove(shot.upper, shot.hover, Qt::NoButton);
        ok &= save(form, out + "/" + shot.name + "-" + size + ".png");
    }
    page->SetUpperTab(false);
    return ok;
}

bool animationShots(TFormDataBase& form, const QString& out, const QString& size) {
    bool ok = true;
    form.SetTabIndex(BattleTab);
    auto* page = dynamic_cast<TFormEDAnimation*>(form.Page());
    if (!page) return false;
    // The third frame with the second's cells as ghosts, its first cell chosen.
    page->SetFrameIndex(2);
    page->View()->PaintBox()->setFocus();
    page->View()->SetSelectedCell(0);
    ok &= save(form, out + "/animation-edit-" + size + ".png");
    // Mid-playback: the target's flash at its height, and half-way through the frames.
    page->ShowPlaybackStep(1);
    ok &= save(form, out + "/animation-playback-flash-" + size + ".png");
    page->ShowPlaybackStep(page->FrameCount() / 2);
    ok &= save(form, out + "/animation-playback-" + size + ".png");
    page->RepaintView();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    setenv("HOME", qPrintable(home.path()), 1);
    setenv("XDG_CONFIG_HOME", qPrintable(home.path() + "/config"), 1);
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: database-shots BIN_FOLDER OUT_FOLDER\n");
        return 2;
    }
    const QString bin = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    const QString rtp = IncludeTrailingPathDelimiter(bin + "/RTP");
    UserSettings::SetRuntimePackagePath(rtp);
    SetRuntimePackagePath(rtp);
    InstallPlatformPorts();

    const QString base = home.path() + "/projects/";
    QDir().mkpath(base);
    EditorIni::SetProjectBasePath(base);
    TProjectDocument document;
    document.SetTemplateFolder(bin);
    MakeProjectFolder(base, "Shots");
    document.CreateProject("Shots", "Screenshots");

    bool ok = true;
    // The window as it opens on an 800 x 600 screen and on a 1280 x 1024 one.
    const std::pair<QSize, QString> sizes[] = {{{784, 552}, "800x600"}, {{960, 680}, "1280x1024"}};
    for (const auto& [size, name] : sizes) {
        TFormDataBase form(nullptr, document);
        form.resize(size);
        form.show();
        settle();
        ok &= chipSetShots(form, out, name);
        ok &= animationShots(form, out, name);
        form.reject();
    }
    return ok ? 0 : 1;
}
