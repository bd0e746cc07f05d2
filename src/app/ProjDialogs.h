#pragma once

// The project dialogs: "Create New Project", "Open Project" (with rename and delete), "Change
// Name" and "Default Project Path". Each is created for one use, shown modally and read back.

#include <memory>

#include "controls/FormQelBase.h"

class QFileSystemModel;
class QLineEdit;

namespace Ui {
class TFormProjectNew;
class TFormProjectOpen;
class TFormProjectRename;
class TFormProjectBasePath;
} // namespace Ui

namespace tarvel {

// Chooses the folder under which projects live.
class TFormProjectBasePath : public TFormQelBase {
    Q_OBJECT
public:
    TFormProjectBasePath(QWidget* parent, const QString& currentPath);
    ~TFormProjectBasePath() override;
    // The accepted folder, with a trailing "/".
    QString path() const { return mPath; }
    QLineEdit* pathEdit() const;
    // True when the text can be accepted: an absolute path of at least 3 characters naming an
    // existing folder.
    static bool CanAccept(const QString& text);

private:
    void ButtonOkClick();
    void updateOk();
    std::unique_ptr<Ui::TFormProjectBasePath> ui;
    QFileSystemModel* mModel;
    QString mPath;
};

class TFormProjectNew : public TFormQelBase {
    Q_OBJECT
public:
    explicit TFormProjectNew(QWidget* parent = nullptr);
    ~TFormProjectNew() override;
    QString folderName() const;
    QString gameTitle() const;
    QString basePath() const { return mBasePath; }
    Ui::TFormProjectNew* form() const { return ui.get(); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ButtonOkClick();
    void chooseBasePath();
    std::unique_ptr<Ui::TFormProjectNew> ui;
    QString mBasePath;
};

class TFormProjectRename : public TFormQelBase {
    Q_OBJECT
public:
    TFormProjectRename(QWidget* parent, const QString& basePath, const QString& folderName,
                       const QString& title);
    ~TFormProjectRename() override;
    QString folderName() const;
    Ui::TFormProjectRename* form() const { return ui.get(); }

private:
    void ButtonOkClick();
    std::unique_ptr<Ui::TFormProjectRename> ui;
    QString mBasePath;
    QString mOldFolder;
};

class TFormProjectOpen : public TFormQelBase {
    Q_OBJECT
public:
    explicit TFormProjectOpen(QWidget* parent = nullptr);
    ~TFormProjectOpen() override;
    // The folder chosen with "&Open".
    QString folderName() const { return mResult; }
    Ui::TFormProjectOpen* form() const { return ui.get(); }
    // Rebuilds the list, selecting the row of the folder (the first row when it is empty or
    // missing).
    void rebuildList(const QString& selectFolder = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ButtonOpenClick();
    void ButtonRenameClick();
    void ButtonDeleteClick();
    void chooseBasePath();
    void fitTitleColumn();
    QString selectedFolder() const;
    std::unique_ptr<Ui::TFormProjectOpen> ui;
    QString mBasePath;
    QString mResult;
};

} // namespace tarvel
