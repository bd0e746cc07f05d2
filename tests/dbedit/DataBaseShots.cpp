// Writes the database window to PNG files, one per tab, on a project made from the starter
// database, so that its pages can be looked at: dbwindow-shots RTP_FOLDER OUT_FOLDER SUFFIX.
// The window takes the size it takes on the screen it runs on (run it under xvfb-run with the
// screen size to look at); SUFFIX ends each file name ("800x600").
#include <QApplication>
#include <QDir>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "dbedit/DataBaseForm.h"
#include "dbedit/DataBaseList.h"
#include "dbedit/DataBaseTabs.h"
#include "dbedit/ED_Item.h"
#include "platform/Paths.h"
#include "platform/PlatformPorts.h"
#include "platform/Settings.h"
#include "project/ProjectDocument.h"

using namespace tarvel;

namespace {

bool save(QWidget& window, const QString& file) {
    QApplication::processEvents();
    bool ok = window.grab().save(file);
    // A page that does not fit shows scroll bars around its editor: worth a look.
    QStringList scrolled;
    for (QScrollArea* area : window.findChildren<QScrollArea*>()) {
        if (!area->isVisible()) continue;
        if (area->horizontalScrollBar()->isVisible()) scrolled << "horizontal";
        if (area->verticalScrollBar()->isVisible()) scrolled << "vertical";
    }
    std::printf("%s %dx%d %s%s\n", qPrintable(file), window.width(), window.height(),
                ok ? "written" : "FAILED",
                scrolled.isEmpty() ? "" : qPrintable(" scrolls " + scrolled.join(" ")));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    // Under xvfb-run the window takes the size of the virtual screen; without a display it is
    // drawn offscreen.
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    setenv("HOME", qPrintable(home.path()), 1);
    setenv("XDG_CONFIG_HOME", qPrintable(home.path() + "/.config"), 1);
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: dbwindow-shots RTP_FOLDER OUT_FOLDER SUFFIX\n");
        return 2;
    }
    SetRuntimePackagePath(IncludeTrailingPathDelimiter(QString::fromLocal8Bit(argv[1])));
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString suffix = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(out);
    InstallPlatformPorts();

    TProjectDocument document;
    EditorIni::SetProjectBasePath(home.path() + "/base/");
    RecreateFolder(TempWorkFolder());
    document.SetTemplateFolder(QCoreApplication::applicationDirPath());
    if (!MakeProjectFolder(TProjectManager::BasePath(), "Quest")) return 1;
    document.CreateProject("Quest", "The Quest");

    bool ok = true;
    const char* const names[DataBaseTabCount] = {
        "hero",   "skills",  "items",    "monsters",   "mparty", "attributes",  "conditions",
        "battle", "terrain", "chipsets", "vocabulary", "system", "commonevents"};
    for (int tab = 0; tab < DataBaseTabCount; ++tab) {
        RememberedDataBaseTab().Set(tab);
        TFormDataBase form(nullptr, document);
        form.show();
        QApplication::processEvents();
        if (auto* list = dynamic_cast<TFormDataBaseList*>(form.Page())) list->DataList()->setCurrentRow(1);
        ok &= save(form, QString("%1/%2-%3.png").arg(out, names[tab], suffix));
        // The item kinds and the sub-pages have shots of their own.
        if (auto* items = dynamic_cast<TFormEDItem*>(form.Page())) {
            for (int kind : {itWeapon, itArmor, itMedicine, itMaterial, itSwitch}) {
                items->ComboType()->setCurrentIndex(kind);
                ok &= save(form, QString("%1/items-kind%2-%3.png").arg(out).arg(kind).arg(suffix));
            }
        }
        QTabWidget* sub = nullptr;
        for (const char* name :
             {"SkillPages", "MonsterPages", "ConditionPages", "VocabularyPages", "SystemPages"})
            if (form.Page() && !sub) sub = form.Page()->findChild<QTabWidget*>(name);
        if (sub) {
            for (int i = 1; i < sub->count(); ++i) {
                sub->setCurrentIndex(i);
                ok &= save(form, QString("%1/%2%3-%4.png").arg(out, names[tab]).arg(i + 1).arg(suffix));
            }
            sub->setCurrentIndex(0);
        }
        form.reject();
    }
    document.CloseProject();
    return ok ? 0 : 1;
}
