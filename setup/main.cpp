// The installer of a game disk ("Setup.exe" on the disk, "Setup.exe.dat" beside the editor). It
// reads "Setup.ini" beside itself, gathers the game's archive (the ".lzh" beside it, or the pieces
// of a floppy set, asking for each further disk) and unpacks it into a folder the user chooses.
//
//   Setup.exe                        a window: choose the folder, Install
//   Setup.exe --target FOLDER        no window: install into FOLDER and end (0 done, 1 failed)
//   Setup.exe --source FOLDER ...    read Setup.ini and the archive from FOLDER instead of the
//                                    installer's own folder
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <exception>

#include "LhaReader.h"
#include "SetupInstall.h"

using namespace tarvel::setup;

namespace {

std::string local(const QString& text) {
    return QFile::encodeName(text).toStdString();
}
QString fromLocal(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

class SetupWindow : public QDialog {
public:
    SetupWindow(const SetupInfo& info, const QString& source) : mInfo(info), mSource(source) {
        const QString title = QString::fromStdString(info.gameTitle);
        setWindowTitle(title + " Setup");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(
            new QLabel("This installs " + title + " on this computer.\nInstall into this folder:"));
        auto* row = new QHBoxLayout;
        mFolder = new QLineEdit(fromLocal(ProposedInstallFolder(info, local(QDir::homePath()))), this);
        mFolder->setMinimumWidth(360);
        auto* browse = new QPushButton("&Browse...", this);
        row->addWidget(mFolder);
        row->addWidget(browse);
        layout->addLayout(row);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        auto* install = new QPushButton("&Install", this);
        install->setDefault(true);
        auto* cancel = new QPushButton("Cancel", this);
        buttons->addWidget(install);
        buttons->addWidget(cancel);
        layout->addLayout(buttons);
        connect(browse, &QPushButton::clicked, this, [this] {
            QString chosen = QFileDialog::getExistingDirectory(this, "Install into", mFolder->text());
            if (!chosen.isEmpty()) mFolder->setText(chosen);
        });
        connect(install, &QPushButton::clicked, this, &SetupWindow::install);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

private:
    // Asks for disk `disk` until its piece can be read there, or the user cancels.
    std::string askDisk(int disk, int count) {
        const QString piece = fromLocal(PieceFileName(mInfo, disk));
        for (;;) {
            auto answer = QMessageBox::question(
                this, windowTitle(), QString("Insert disk %1 of %2, then press OK.").arg(disk).arg(count),
                QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
            if (answer != QMessageBox::Ok) return {};
            if (QFileInfo(QDir(mSource).filePath(piece)).isReadable()) return local(mSource);
        }
    }

    void install() {
        const QString folder = QDir::cleanPath(mFolder->text().trimmed());
        if (folder.isEmpty() || QFileInfo(folder).isRelative()) {
            QMessageBox::critical(this, windowTitle(), "Choose a folder to install into.");
            return;
        }
        try {
            std::vector<uint8_t> archive = GatherArchive(
                mInfo, local(mSource), [this](int disk, int count) { return askDisk(disk, count); });
            if (archive.empty()) return;
            QProgressDialog progress("Installing...", "Cancel", 0, 1, this);
            progress.setWindowModality(Qt::WindowModal);
            progress.setMinimumDuration(0);
            bool done = ExtractLhaArchive(archive.data(), archive.size(), local(folder),
                                          [&](size_t index, size_t count, const LhaEntry& entry) {
                                              progress.setMaximum(int(count));
                                              progress.setValue(int(index));
                                              progress.setLabelText(fromLocal(entry.path));
                                              return !progress.wasCanceled();
                                          });
            progress.close();
            if (!done) {
                QMessageBox::warning(this, windowTitle(), "The installation was stopped.");
                return;
            }
        } catch (const std::exception& e) {
            QMessageBox::critical(this, windowTitle(), QString::fromLocal8Bit(e.what()));
            return;
        }
        QMessageBox::information(this, windowTitle(),
                                 QString::fromStdString(mInfo.gameTitle) + " is installed in " + folder +
                                     ".\nStart it with QUORIN.exe there.");
        accept();
    }

    SetupInfo mInfo;
    QString mSource;
    QLineEdit* mFolder;
};

struct Arguments {
    QString source;
    QString target;
    bool ok = true;
};

Arguments parseArguments(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        QString word = QString::fromLocal8Bit(argv[i]);
        if ((word == "--target" || word == "--source") && i + 1 < argc) {
            (word == "--target" ? args.target : args.source) = QFile::decodeName(argv[++i]);
        } else {
            args.ok = false;
        }
    }
    return args;
}

} // namespace

int main(int argc, char** argv) {
    Arguments args = parseArguments(argc, argv);
    if (!args.ok) {
        std::fprintf(stderr, "usage: Setup.exe [--source FOLDER] [--target FOLDER]\n");
        return 2;
    }
    if (!args.target.isEmpty()) {
        // No window: every piece of a floppy set is expected in the source folder.
        QCoreApplication app(argc, argv);
        QString source = args.source.isEmpty() ? QCoreApplication::applicationDirPath() : args.source;
        try {
            SetupInfo info = ReadSetupIni(local(QDir(source).filePath("Setup.ini")));
            std::vector<uint8_t> archive =
                GatherArchive(info, local(source), [&](int, int) { return local(source); });
            ExtractLhaArchive(archive.data(), archive.size(), local(QDir::cleanPath(args.target)));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "Setup: %s\n", e.what());
            return 1;
        }
        return 0;
    }

    QApplication app(argc, argv);
    QString source = args.source.isEmpty() ? QCoreApplication::applicationDirPath() : args.source;
    SetupInfo info;
    try {
        info = ReadSetupIni(local(QDir(source).filePath("Setup.ini")));
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Setup", QString::fromLocal8Bit(e.what()));
        return 1;
    }
    SetupWindow window(info, source);
    return window.exec() == QDialog::Accepted ? 0 : 1;
}
