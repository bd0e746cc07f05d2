#include "ProjPackForm.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMouseEvent>
#include <QProgressDialog>

#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "controls/MessageBoxes.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "ui_ProjDiskPath.h"
#include "ui_ProjPack.h"

namespace tarvel {

namespace {

// The nearest folder at or above the path that exists, for opening the folder tree there.
QString nearestExistingFolder(const QString& path) {
    QString current = QDir::cleanPath(path);
    while (!current.isEmpty() && !QFileInfo(current).isDir()) {
        QString parent = QFileInfo(current).absolutePath();
        if (parent == current) break;
        current = parent;
    }
    return current;
}

} // namespace

// ---- Choose Disk Path ----

TFormProjectDiskPath::TFormProjectDiskPath(QWidget* parent, const QString& currentPath)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormProjectDiskPath>()),
      mModel(new QFileSystemModel(this)) {
    ui->setupUi(this);
    mModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    mModel->setRootPath("/");
    ui->FolderView->setModel(mModel);
    for (int column = 1; column < mModel->columnCount(); ++column)
        ui->FolderView->hideColumn(column);
    // Without a path of its own the tree opens at the user's home folder.
    QModelIndex start =
        mModel->index(nearestExistingFolder(currentPath.isEmpty() ? QDir::homePath() : currentPath));
    if (start.isValid()) {
        ui->FolderView->setCurrentIndex(start);
        ui->FolderView->scrollTo(start);
        ui->FolderView->expand(start);
    }
    // The box keeps the current target even when the tree could only open at a parent of it.
    ui->EditPath->setText(currentPath);
    connect(ui->FolderView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { ui->EditPath->setText(mModel->filePath(index)); });
    connect(ui->EditPath, &QLineEdit::textChanged, this, &TFormProjectDiskPath::updateOk);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormProjectDiskPath::ButtonOkClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    updateOk();
}

TFormProjectDiskPath::~TFormProjectDiskPath() = default;

void TFormProjectDiskPath::updateOk() {
    ui->ButtonOk->setEnabled(CanAcceptDiskPath(ui->EditPath->text()));
}

void TFormProjectDiskPath::ButtonOkClick() {
    const QString path = FullDiskPath(ui->EditPath->text());
    switch (CheckDiskPath(path, DiskDrives())) {
    case DiskPathCheck::RefusedPath:
        ShowError(GameDiskMessage::AssignCreatePath, this);
        return;
    case DiskPathCheck::NotReady:
        ShowError(GameDiskMessage::PrepareDevice, this);
        return;
    case DiskPathCheck::AskToMake: {
        if (!AskYesNo(GameDiskMessage::AskMakeFolder, this)) return;
        {
            TBusyCursor busy;
            QDir().mkpath(path);
        }
        if (!QFileInfo(path).isDir()) {
            ShowError(GameDiskMessage::FolderMaking, this);
            return;
        }
        break;
    }
    case DiskPathCheck::Accepted:
        break;
    }
    mPath = path;
    accept();
}

// ---- Pack Project ----

TFormProjectPack::TFormProjectPack(QWidget* parent)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormProjectPack>()) {
    ui->setupUi(this);
    ui->CheckIncludeRtp->setChecked(UserSettings::IncludeRtpOption());
    setTarget(ProposedDiskTarget(DiskDrives(), QDir(ProjectPath()).dirName()));
    ui->EditTarget->installEventFilter(this);
    connect(ui->ButtonStart, &QPushButton::clicked, this, &TFormProjectPack::ButtonStartClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormProjectPack::~TFormProjectPack() = default;

void TFormProjectPack::setTarget(const QString& target) {
    mTarget = IncludeTrailingPathDelimiter(target);
    ui->EditTarget->setText(mTarget);
}

bool TFormProjectPack::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->EditTarget && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        chooseTarget();
        return true;
    }
    return TFormQelBase::eventFilter(watched, event);
}

void TFormProjectPack::chooseTarget() {
    TFormProjectDiskPath dialog(this, mTarget);
    CenterOnOwner(&dialog);
    if (dialog.exec() == QDialog::Accepted) setTarget(dialog.path());
}

void TFormProjectPack::ButtonStartClick() {
    // The result stays Cancel unless the disk set is made. Hiding a dialog that runs modally ends
    // its loop once this handler returns, with the result set below.
    setResult(QDialog::Rejected);
    hide();
    bool made;
    {
        TBusyCursor busy;
        GameDiskJob job = GameDiskJob::ForOpenProject(mTarget, ui->CheckIncludeRtp->isChecked());
        made = MakeGameDisk(job, DiskDrives(), *this);
    }
    done(made ? QDialog::Accepted : QDialog::Rejected);
}

QWidget* TFormProjectPack::messageOwner() {
    // The dialog is hidden while it works; its questions belong to the window that opened it.
    return parentWidget();
}

void TFormProjectPack::Info(const QString& text) {
    ShowInfo(text, messageOwner());
}

void TFormProjectPack::Error(const QString& text) {
    ShowError(text, messageOwner());
}

bool TFormProjectPack::AskForDisk(int disk) {
    return AskBox(QString::asprintf(GameDiskMessage::PrepareDisk, disk),
                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoIcon,
                  messageOwner()) == QMessageBox::Ok;
}

bool TFormProjectPack::CopyFiles(const CopyList& list) {
    QProgressDialog progress("Copying...", "Cancel", 0, 1000, messageOwner());
    progress.setWindowTitle(ApplicationTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    try {
        return CopyFileList(list, [&](qint64 done, qint64 total, const QString& file) {
            progress.setLabelText("Copying " + file);
            // A modal progress dialog lets the events through here, so Cancel is seen at once.
            progress.setValue(total > 0 ? int(done * 1000 / total) : 0);
            return !progress.wasCanceled();
        });
    } catch (const std::exception& e) {
        ShowError(QString::fromStdString(e.what()), messageOwner());
        return false;
    }
}

void RunProjectPack(QWidget* owner) {
    TFormProjectPack dialog(owner);
    CenterOnOwner(&dialog);
    dialog.exec();
}

} // namespace tarvel
