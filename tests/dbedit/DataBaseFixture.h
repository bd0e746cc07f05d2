#pragma once

// A project made from the starter database and opened through a document, as the editor does,
// and the database window on it.

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "TestEnvironment.h"
#include "controls/MessageBoxes.h"
#include "dbedit/DataBaseForm.h"
#include "dbedit/DataBaseList.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/ProjectDocument.h"
#include "records/ClipboardPort.h"

namespace tarvel::test {

struct DataBaseProject {
    TProjectDocument document;
    MemoryClipboard clipboard;
    std::unique_ptr<TFormDataBase> form;

    DataBaseProject() {
        SetClipboardPort(&clipboard);
        EditorIni::SetProjectBasePath(MakeTempFolder("base") + "/");
        RecreateFolder(TempWorkFolder());
        document.SetTemplateFolder(BuildBinFolder());
        EXPECT_TRUE(MakeProjectFolder(TProjectManager::BasePath(), "Quest"));
        document.CreateProject("Quest", "The Quest");
        ClearShownMessages();
        // Every test starts as a new run of the editor would.
        RememberedDataBaseTab().Reset();
        for (int format = ClipboardFormat::Heroes; format <= ClipboardFormat::CommonEvents; ++format)
            RememberedListPosition(format).Reset();
    }
    ~DataBaseProject() {
        form.reset();
        SetHeadlessAnswer(QMessageBox::NoButton);
        SetClipboardPort(nullptr);
        document.CloseProject();
        DeleteFolderTree(TempWorkFolder());
    }
    TQelDataBase& db() { return document.DataBase(); }
    QString dataBaseFile() const { return ProjectPath() + "QUORIN.qdb"; }

    // Opens the window (shown, not modal) at a tab.
    TFormDataBase& open(int tab = -1) {
        form = std::make_unique<TFormDataBase>(nullptr, document);
        form->show();
        if (tab >= 0) form->SetTabIndex(tab);
        QApplication::processEvents();
        return *form;
    }
    TFormDataBaseList* listPage() const { return dynamic_cast<TFormDataBaseList*>(form->Page()); }
    // Closes and releases the window (the database is read again).
    void close(bool ok) {
        if (ok)
            form->ButtonOkClick();
        else
            form->reject();
        form.reset();
    }

    // The saved database file as tarvel-cli dump shows it.
    QJsonObject savedFile() const {
        ProcessResult r = RunProgram(BuildBinFolder() + "/tarvel-cli", {"dump", dataBaseFile()});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out).object();
    }
};

// Runs a step on the modal dialog that the next call opens, once it shows.
template <typename Dialog, typename Step>
void OnNextModal(Step step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no dialog of the expected kind";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        step(dialog);
    });
}

} // namespace tarvel::test
