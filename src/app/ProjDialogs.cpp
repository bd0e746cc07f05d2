#include "ProjDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "controls/MessageBoxes.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/ProjectManager.h"
#include "ui_ProjBasePath.h"
#include "ui_ProjNew.h"
#include "ui_ProjOpen.h"
#include "ui_ProjRename.h"

namespace tarvel {

namespace {

// A read-only path box opens the folder chooser when clicked.
bool isClickOn(QObject* watched, QEvent* event, QObject* box) {
    return watched == box && event->type() == QEvent::MouseButtonRelease &&
           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

// Runs "Default Project Path" from the given folder; the accepted folder, or empty.
QString askBasePath(QWidget* owner, const QString& current) {
    TFormProjectBasePath dialog(owner, current);
    CenterOnOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.path();
}

} // namespace

// ---- Default Project Path ----

TFormProjectBasePath::TFormProjectBasePath(QWidget* parent, const QString& currentPath)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormProjectBasePath>()),
      mModel(new QFileSystemModel(this)) {
    ui->setupUi(this);
    mModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    mModel->setRootPath("/");
    ui->FolderView->setModel(mModel);
    for (int column = 1; column < mModel->columnCount(); ++column)
        ui->FolderView->hideColumn(column);
    QModelIndex start = mModel->index(QDir::cleanPath(currentPath));
    if (start.isValid()) {
        ui->FolderView->setCurrentIndex(start);
        ui->FolderView->scrollTo(start);
        ui->FolderView->expand(start);
    }
    ui->EditPath->setText(currentPath);
    connect(ui->FolderView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { ui->EditPath->setText(mModel->filePath(index)); });
    connect(ui->EditPath, &QLineEdit::textChanged, this, &TFormProjectBasePath::updateOk);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormProjectBasePath::ButtonOkClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    updateOk();
}

TFormProjectBasePath::~TFormProjectBasePath() = default;

QLineEdit* TFormProjectBasePath::pathEdit() const {
    return ui->EditPath;
}

bool TFormProjectBasePath::CanAccept(const QString& text) {
    return text.size() >= 3 && text.startsWith('/') && QFileInfo(text).isDir();
}

void TFormProjectBasePath::updateOk() {
    ui->ButtonOk->setEnabled(CanAccept(ui->EditPath->text()));
}

void TFormProjectBasePath::ButtonOkClick() {
    QString path = IncludeTrailingPathDelimiter(QFileInfo(ui->EditPath->text()).absoluteFilePath());
    if (IsFloppyDrive(path) || IsCdRomDrive(path)) {
        ShowError("Assign Path Create _??_", this);
        return;
    }
    if (!IsDriveReady(path)) {
        ShowError("Device Not Ready _??_", this);
        return;
    }
    if (!QFileInfo(path).isDir()) {
        if (!AskYesNo("Folder ?Exist. Make?", this)) return;
        bool made;
        {
            TBusyCursor busy;
            made = QDir().mkpath(path);
        }
        if (!made || !QFileInfo(path).isDir()) {
            ShowError("Creadte Under _?_", this);
            return;
        }
    }
    mPath = path;
    accept();
}

// ---- Create New Project ----

TFormProjectNew::TFormProjectNew(QWidget* parent)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormProjectNew>()) {
    ui->setupUi(this);
    ui->EditBasePath->installEventFilter(this);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormProjectNew::ButtonOkClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    mBasePath = TProjectManager::BasePath();
    ui->EditFolderName->setText(ProposeNewProjectFolder(mBasePath));
    ui->EditGameTitle->setText("Untitled");
    ui->EditBasePath->setText(mBasePath);
}

TFormProjectNew::~TFormProjectNew() = default;

QString TFormProjectNew::folderName() const {
    return ui->EditFolderName->text();
}
QString TFormProjectNew::gameTitle() const {
    return ui->EditGameTitle->text();
}

void TFormProjectNew::showEvent(QShowEvent* event) {
    TFormQelBase::showEvent(event);
    ui->EditFolderName->setFocus();
    ui->EditFolderName->selectAll();
}

bool TFormProjectNew::eventFilter(QObject* watched, QEvent* event) {
    if (isClickOn(watched, event, ui->EditBasePath)) {
        chooseBasePath();
        return true;
    }
    return TFormQelBase::eventFilter(watched, event);
}

void TFormProjectNew::chooseBasePath() {
    QString chosen = askBasePath(this, ui->EditBasePath->text());
    if (chosen.isEmpty()) return;
    mBasePath = chosen;
    EditorIni::SetProjectBasePath(chosen);
    ui->EditBasePath->setText(chosen);
}

void TFormProjectNew::ButtonOkClick() {
    if (HasForbiddenFolderCharacter(folderName())) {
        ShowError(ProjectMessage::ForbiddenCharacterNew, this);
        return;
    }
    if (!MakeProjectFolder(mBasePath, folderName())) {
        ShowError(ProjectMessage::FolderMaking, this);
        return;
    }
    EditorIni::SetProjectBasePath(mBasePath);
    accept();
}

// ---- Change Name ----

TFormProjectRename::TFormProjectRename(QWidget* parent, const QString& basePath, const QString& folderName,
                                       const QString& title)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormProjectRename>()), mBasePath(basePath),
      mOldFolder(folderName) {
    ui->setupUi(this);
    ui->EditFolderName->setText(folderName);
    ui->EditGameTitle->setText(title);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormProjectRename::ButtonOkClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormProjectRename::~TFormProjectRename() = default;

QString TFormProjectRename::folderName() const {
    return ui->EditFolderName->text();
}

void TFormProjectRename::ButtonOkClick() {
    try {
        RenameProject(mBasePath, mOldFolder, folderName(), ui->EditGameTitle->text());
    } catch (const EProjectError& e) {
        ShowError(e.what(), this);
        return;
    }
    accept();
}

// ---- Open Project ----

TFormProjectOpen::TFormProjectOpen(QWidget* parent)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormProjectOpen>()) {
    ui->setupUi(this);
    ui->EditBasePath->installEventFilter(this);
    ui->ListProjects->header()->setStretchLastSection(false);
    // The title column follows the list's width whenever the list is laid out again.
    ui->ListProjects->viewport()->installEventFilter(this);
    connect(ui->ButtonOpen, &QPushButton::clicked, this, &TFormProjectOpen::ButtonOpenClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ButtonRename, &QPushButton::clicked, this, &TFormProjectOpen::ButtonRenameClick);
    connect(ui->ButtonDelete, &QPushButton::clicked, this, &TFormProjectOpen::ButtonDeleteClick);
    connect(ui->ListProjects, &QTreeWidget::itemDoubleClicked, this, [this] { ButtonOpenClick(); });
    mBasePath = TProjectManager::BasePath();
    ui->EditBasePath->setText(mBasePath);
    rebuildList();
}

TFormProjectOpen::~TFormProjectOpen() = default;

void TFormProjectOpen::rebuildList(const QString& selectFolder) {
    ui->ListProjects->clear();
    QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
    QTreeWidgetItem* select = nullptr;
    for (const auto& row : ListProjects(mBasePath)) {
        auto* item = new QTreeWidgetItem(ui->ListProjects, {row.folderName, row.gameTitle});
        item->setIcon(0, icon);
        // The named folder's row, else the first row.
        if (!select || row.folderName == selectFolder) select = item;
    }
    if (select) {
        ui->ListProjects->setCurrentItem(select);
        ui->ListProjects->scrollToItem(select);
    }
    ui->ListProjects->resizeColumnToContents(0);
    fitTitleColumn();
}

void TFormProjectOpen::fitTitleColumn() {
    // The title column fills the list, less a scroll bar when the rows do not all fit.
    QTreeWidget* list = ui->ListProjects;
    int width = list->viewport()->width() - list->columnWidth(0);
    list->setColumnWidth(1, std::max(width, 40));
}

QString TFormProjectOpen::selectedFolder() const {
    QTreeWidgetItem* item = ui->ListProjects->currentItem();
    return item ? item->text(0) : QString();
}

bool TFormProjectOpen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->ListProjects->viewport() && event->type() == QEvent::Resize) fitTitleColumn();
    if (isClickOn(watched, event, ui->EditBasePath)) {
        chooseBasePath();
        return true;
    }
    return TFormQelBase::eventFilter(watched, event);
}

void TFormProjectOpen::chooseBasePath() {
    QString chosen = askBasePath(this, ui->EditBasePath->text());
    if (chosen.isEmpty() || chosen == EditorIni::ProjectBasePath()) return;
    EditorIni::SetProjectBasePath(chosen);
    mBasePath = chosen;
    ui->EditBasePath->setText(chosen);
    rebuildList();
}

void TFormProjectOpen::ButtonOpenClick() {
    QString folder = selectedFolder();
    if (folder.isEmpty()) return;
    EditorIni::SetProjectBasePath(mBasePath);
    mResult = folder;
    accept();
}

void TFormProjectOpen::ButtonRenameClick() {
    QTreeWidgetItem* item = ui->ListProjects->currentItem();
    if (!item) return;
    TFormProjectRename rename(this, mBasePath, item->text(0), item->text(1));
    CenterOnOwner(&rename);
    if (rename.exec() != QDialog::Accepted) return;
    rebuildList(rename.folderName());
}

void TFormProjectOpen::ButtonDeleteClick() {
    QString folder = selectedFolder();
    if (folder.isEmpty()) return;
    if (AskBox(QString(ProjectMessage::AskErase).arg(folder), QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Warning, this) != QMessageBox::Yes)
        return;
    {
        TBusyCursor busy;
        DeleteProject(mBasePath, folder);
    }
    rebuildList();
}

} // namespace tarvel
