#pragma once

// The game disk dialogs: "Pack Project", which makes the disk set of the open project, and
// "Choose Disk Path", where its target is chosen.

#include <memory>

#include "controls/FormQelBase.h"
#include "project/ProjPack.h"

class QFileSystemModel;

namespace Ui {
class TFormProjectPack;
class TFormProjectDiskPath;
} // namespace Ui

namespace tarvel {

// Chooses the folder (or the floppy drive's root) a game disk is made in.
class TFormProjectDiskPath : public TFormQelBase {
    Q_OBJECT
public:
    TFormProjectDiskPath(QWidget* parent, const QString& currentPath);
    ~TFormProjectDiskPath() override;
    // The accepted folder, with a trailing "/".
    QString path() const { return mPath; }
    Ui::TFormProjectDiskPath* form() const { return ui.get(); }

private:
    void ButtonOkClick();
    void updateOk();
    std::unique_ptr<Ui::TFormProjectDiskPath> ui;
    QFileSystemModel* mModel;
    QString mPath;
};

// "Pack Project": the target box (a click opens "Choose Disk Path"), the runtime package option,
// "Start Make" and "Cancel". While it works the dialog is hidden; its questions and messages are
// owned by the window that opened it. Closes with OK when the disk set was made.
class TFormProjectPack : public TFormQelBase, private GameDiskDialogs {
    Q_OBJECT
public:
    explicit TFormProjectPack(QWidget* parent = nullptr);
    ~TFormProjectPack() override;
    QString target() const { return mTarget; }
    void setTarget(const QString& target);
    Ui::TFormProjectPack* form() const { return ui.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ButtonStartClick();
    void chooseTarget();
    QWidget* messageOwner();

    void Info(const QString& text) override;
    void Error(const QString& text) override;
    bool AskForDisk(int disk) override;
    bool CopyFiles(const CopyList& list) override;

    std::unique_ptr<Ui::TFormProjectPack> ui;
    QString mTarget;
};

// "Make Game disk..." after the save prompt: "Pack Project" centred on the owner, run modally.
void RunProjectPack(QWidget* owner);

} // namespace tarvel
