#include "MaterialForm.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "HelpBrowser.h"
#include "controls/BoardView.h"
#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "controls/MessageBoxes.h"
#include "controls/SoundNotice.h"
#include "data/LD_Event.h"
#include "data/LD_Map.h"
#include "graphics/PictureFile.h"
#include "mapedit_core/MapGraphics.h"
#include "platform/Material.h"
#include "platform/OutsideLibraries.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "project/MaterialBase.h"
#include "ui_MaterialBase.h"
#include "ui_MaterialBase2.h"

namespace tarvel {

namespace {

constexpr int kScrollRows = 6;
constexpr int kPreviewSize = 200;

// The small picture in front of each listed file: a film strip, a note, a speaker or a framed
// landscape, drawn at 16 x 16.
QIcon kindIcon(const QString& kind) {
    static QHash<QString, QIcon> icons;
    const QString key = kind == "Movie" || kind == "Music" || kind == "Sound" ? kind : QString("Image");
    auto found = icons.find(key);
    if (found != icons.end()) return *found;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 44, 60);
    p.setPen(QPen(ink, 1));
    if (key == "Movie") {
        p.setBrush(QColor(70, 70, 80));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(240, 240, 230));
        for (int i = 0; i < 4; ++i) {
            p.drawRect(QRectF(2.5 + i * 3, 3.5, 1.5, 1.5));
            p.drawRect(QRectF(2.5 + i * 3, 11, 1.5, 1.5));
        }
        p.setBrush(QColor(120, 170, 230));
        p.drawRect(QRectF(3.5, 6, 9, 4));
    } else if (key == "Music") {
        p.setBrush(ink);
        p.drawEllipse(QRectF(2, 10, 5, 4));
        p.drawEllipse(QRectF(9, 8, 5, 4));
        p.drawLine(QPointF(6.5, 12), QPointF(6.5, 3));
        p.drawLine(QPointF(13.5, 10), QPointF(13.5, 1.5));
        p.drawLine(QPointF(6.5, 3), QPointF(13.5, 1.5));
    } else if (key == "Sound") {
        p.setBrush(QColor(226, 176, 60));
        p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(5, 6), QPointF(9, 2.5), QPointF(9, 13.5),
                                 QPointF(5, 10), QPointF(2, 10)}));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 5, 5, 6), -60 * 16, 120 * 16);
        p.drawArc(QRectF(8, 2.5, 7.5, 11), -60 * 16, 120 * 16);
    } else {
        p.setBrush(QColor(150, 200, 240));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setBrush(QColor(60, 150, 80));
        p.drawPolygon(QPolygonF(
            {QPointF(2, 13), QPointF(6.5, 7), QPointF(9.5, 10.5), QPointF(11, 9), QPointF(14, 13)}));
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(QRectF(10, 4, 3, 3));
    }
    p.end();
    return *icons.insert(key, QIcon(pixmap));
}

// A picture file scaled down to fit the preview of the import dialog; empty when unreadable.
QPixmap picturePreview(const QString& path) {
    if (!QFileInfo(path).isFile()) return {};
    TBitmap picture;
    try {
        LoadPictureFile(picture, path.toStdString());
    } catch (const std::exception&) {
        return {};
    }
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB888);
    for (int y = 0; y < picture.Height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < picture.Width(); ++x)
            picture.PixelColor(x, y, row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.width() > kPreviewSize || pixmap.height() > kPreviewSize)
        pixmap = pixmap.scaled(kPreviewSize, kPreviewSize, Qt::KeepAspectRatio, Qt::FastTransformation);
    return pixmap;
}

} // namespace

QPixmap MaterialPreview(const QString& file, bool transparent, QSize size) {
    TBitmap picture;
    try {
        LoadPictureFile(picture, file.toStdString());
    } catch (const std::exception&) {
        return {};
    }
    if (picture.Empty() || size.isEmpty()) return {};
    const bool indexed = IsIndexed(picture.PixelFormat());
    // Whole factors keep every pixel square: up while it still fits, else down until it fits.
    int up = 1, down = 1;
    while (picture.Width() * (up + 1) <= size.width() && picture.Height() * (up + 1) <= size.height()) ++up;
    while ((picture.Width() + down - 1) / down > size.width() || (picture.Height() + down - 1) / down > size.height())
        ++down;
    const int width = picture.Width() * up / down, height = picture.Height() * up / down;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int sy = y * down / up;
        for (int x = 0; x < width; ++x) {
            const int sx = x * down / up;
            if (transparent && indexed && picture.PixelIndex(sx, sy) == 0) {
                const bool light = ((x / 8) + (y / 8)) % 2 == 0;
                row[x] = light ? qRgb(204, 204, 204) : qRgb(153, 153, 153);
                continue;
            }
            uint8_t r, g, b;
            picture.PixelColor(sx, sy, r, g, b);
            row[x] = qRgb(r, g, b);
        }
    }
    return QPixmap::fromImage(image);
}

namespace {

QString runImportDialog(QWidget* owner, const QString& kind) {
    QFileDialog dialog(owner, "Import", QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DialogFilters(ImportFilterText(kind)));
    dialog.setDefaultSuffix(ImportDefaultExtension(kind));
    if (IsImageKind(kind)) {
        // The dialog's own widgets, so a preview of the picture under the cursor can stand beside
        // the file list.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        auto* preview = new QLabel(&dialog);
        preview->setFixedSize(kPreviewSize + 4, kPreviewSize + 4);
        preview->setAlignment(Qt::AlignCenter);
        preview->setFrameShape(QFrame::StyledPanel);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(preview, 1, grid->columnCount(), 1, 1);
        QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                         [preview](const QString& path) { preview->setPixmap(picturePreview(path)); });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString runExportDialog(QWidget* owner, const QString& kind, const QString& materialFile,
                        const QString& name) {
    QFileDialog dialog(owner, "Export", QDir::currentPath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(DialogFilters(ExportFilterText(kind, materialFile)));
    dialog.setDefaultSuffix(ExportDefaultExtension(kind, materialFile));
    // A name typed without an extension gets the one of the chosen format.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        QString extension = FilterExtension(filter);
        if (!extension.isEmpty()) dialog.setDefaultSuffix(extension);
    });
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool runColorChoice(QWidget* owner, TBitmap& picture) {
    TFormMaterialBase2 dialog(owner, picture);
    CenterOnOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    picture = dialog.picture();
    return true;
}

// The open and save dialogs leave the current directory in the folder the user chose a file in.
void followChosenFile(const QString& file) {
    QDir::setCurrent(QFileInfo(file).absolutePath());
}

} // namespace

// ---- Material Base ----

TFormMaterialBase2::TFormMaterialBase2(QWidget* parent, const TBitmap& picture)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormMaterialBase2>()), mPicture(picture) {
    ui->setupUi(this);
    mSheet.SetAutoSize(true);
    mSheet.LoadFromBitmap(mPicture);
    ui->PaintBox->SetBoard(&mBoard);
    ui->PaintBox->SetMiddleButtonPanning(true);
    connect(ui->PaintBox, &BoardView::boardMousePress, this,
            [this](QPoint at, Qt::MouseButton button) { PaintBoxMouseDown(at, button); });
    connect(ui->ButtonZoomIn, &QPushButton::clicked, this, [this] { setZoom(mZoom + 1); });
    connect(ui->ButtonZoomOut, &QPushButton::clicked, this, [this] { setZoom(mZoom - 1); });
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormMaterialBase2::ButtonOkClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ButtonHelp, &QPushButton::clicked, this,
            [this] { HelpBrowser::ShowContext(this, TFormMaterialBase::HelpContext); });
    connect(&mTimer, &QTimer::timeout, this, &TFormMaterialBase2::Blink);
    mTimer.start(BlinkMilliseconds);
    setZoom(1);
}

TFormMaterialBase2::~TFormMaterialBase2() = default;

void TFormMaterialBase2::setZoom(int zoom) {
    mZoom = std::clamp(zoom, 1, 4);
    ui->ButtonZoomIn->setEnabled(mZoom < 4);
    ui->ButtonZoomOut->setEnabled(mZoom > 1);
    mBoard.SetSize(mPicture.Width() * mZoom, mPicture.Height() * mZoom);
    ui->PaintBox->FitToBoard();
    redraw();
}

void TFormMaterialBase2::redraw() {
    // Every other blink phase shows the chosen colour lifted towards grey, so it can be told
    // from its neighbours whatever it is.
    const TPaletteEntry original = mPicture.Palette()[size_t(mSelected)];
    TPaletteEntry shown = original;
    if (mBlinkOn) {
        auto lift = [](uint8_t c) { return static_cast<uint8_t>(std::max(0, c - 100) + 80); };
        shown.red = lift(original.red);
        shown.green = lift(original.green);
        shown.blue = lift(original.blue);
    }
    mSheet.Palette() = mPicture.Palette();
    mSheet.Palette()[size_t(mSelected)] = shown;
    mSheet.UpdateColorTable();
    mBoard.StretchDrawSheet(TRect{0, 0, mBoard.Width(), mBoard.Height()}, mSheet, mSheet.BoundsRect());
    ui->PaintBox->update();
}

void TFormMaterialBase2::Blink() {
    mBlinkOn = !mBlinkOn;
    redraw();
}

void TFormMaterialBase2::PaintBoxMouseDown(QPoint at, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    const int x = at.x() / mZoom, y = at.y() / mZoom;
    if (at.x() < 0 || at.y() < 0 || x >= mPicture.Width() || y >= mPicture.Height()) return;
    mSelected = mPicture.PixelIndex(x, y);
    redraw();
}

void TFormMaterialBase2::ButtonOkClick() {
    mTimer.stop();
    MoveColorToIndexZero(mPicture, mSelected);
    accept();
}

// ---- RAW Materials Settings ----

TFormMaterialBase::TFormMaterialBase(QWidget* parent)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormMaterialBase>()),
      mProjectFolder(QDir::currentPath()) {
    ui->setupUi(this);
    chooseImportFile = [this](const QString& kind) { return runImportDialog(this, kind); };
    chooseExportFile = [this](const QString& kind, const QString& file, const QString& name) {
        return runExportDialog(this, kind, file, name);
    };
    chooseTransparentColor = [this](TBitmap& picture) { return runColorChoice(this, picture); };

    // The file dialogs start where the last import or export ended; a MaterialPath that is gone
    // leaves them in the user's home folder.
    QDir::setCurrent(QDir::homePath());
    const QString materialPath = UserSettings::MaterialPath();
    if (!materialPath.isEmpty()) QDir::setCurrent(materialPath);

    ui->DataList->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    for (const MaterialFolderInfo& folder : MaterialFolders())
        ui->KindList->addItem(folder.name);
    const MaterialManagerOptions& options = RememberedMaterialOptions();
    (options.saveFormat == MaterialSaveFormat::Xyz ? ui->RadioXyz : ui->RadioPng)->setChecked(true);

    connect(ui->KindList, &QListWidget::currentRowChanged, this, &TFormMaterialBase::KindListClick);
    connect(ui->DataList, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(ui->DataList, &QListWidget::itemDoubleClicked, this, &TFormMaterialBase::DataListDoubleClick);
    // The selected picture shows beside the list.
    mPreview = new QLabel(this);
    mPreview->setObjectName("MaterialPreview");
    mPreview->setFixedSize(kMaterialPreviewSize + 4, kMaterialPreviewSize + 4);
    mPreview->setAlignment(Qt::AlignCenter);
    mPreview->setFrameShape(QFrame::StyledPanel);
    ui->MainLayout->insertWidget(ui->MainLayout->indexOf(ui->DataList) + 1, mPreview, 0, Qt::AlignTop);
    connect(ui->ButtonImport, &QPushButton::clicked, this, &TFormMaterialBase::ButtonImportClick);
    connect(ui->ButtonExport, &QPushButton::clicked, this, &TFormMaterialBase::ButtonExportClick);
    connect(ui->ButtonDelete, &QPushButton::clicked, this, &TFormMaterialBase::ButtonDeleteClick);
    connect(ui->RadioXyz, &QRadioButton::toggled, this, [](bool xyz) {
        RememberedMaterialOptions().saveFormat = xyz ? MaterialSaveFormat::Xyz : MaterialSaveFormat::Png;
    });
    connect(ui->ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->ButtonHelp, &QPushButton::clicked, this,
            [this] { HelpBrowser::ShowContext(this, HelpContext); });

    const int kinds = int(MaterialFolders().size());
    ui->KindList->setCurrentRow(std::clamp(options.kind, 0, kinds - 1));
}

TFormMaterialBase::~TFormMaterialBase() {
    closeDown();
}

QString TFormMaterialBase::kind() const {
    const int row = ui->KindList->currentRow();
    return row < 0 ? QString() : QString(MaterialFolders()[size_t(row)].name);
}

QString TFormMaterialBase::kindFolder() const {
    return mProjectFolder + "/" + kind() + "/";
}

QString TFormMaterialBase::selectedEntry() const {
    QListWidgetItem* item = ui->DataList->currentItem();
    return item ? item->text() : QString();
}

void TFormMaterialBase::KindListClick(int row) {
    if (row < 0) return;
    RememberedMaterialOptions().kind = row;
    // Another kind starts with no entry selected.
    {
        QSignalBlocker block(ui->DataList);
        ui->DataList->clear();
    }
    RebuildList();
}

void TFormMaterialBase::RebuildList(const QString& selectName) {
    const QString currentKind = kind();
    const MaterialFolderInfo* folder = FindMaterialFolder(currentKind);
    int keepRow = ui->DataList->currentRow();
    QStringList names;
    if (folder) {
        TBusyCursor busy;
        MaterialRoots roots{IncludeTrailingPathDelimiter(mProjectFolder), RuntimePackagePath()};
        names = ListMaterialNames(currentKind, folder->extensions(), roots);
    }
    const QIcon icon = kindIcon(currentKind);
    {
        QSignalBlocker block(ui->DataList);
        ui->DataList->clear();
        for (const QString& name : names)
            ui->DataList->addItem(new QListWidgetItem(icon, name));
        int row = selectName.isEmpty() ? -1 : int(names.indexOf(selectName));
        if (row < 0 && !selectName.isEmpty()) keepRow = -1;
        if (row < 0) row = std::min(keepRow, int(names.size()) - 1);
        ui->DataList->setCurrentRow(row);
        ui->DataList->doItemsLayout();
        ui->DataList->verticalScrollBar()->setValue(std::max(0, row - kScrollRows));
    }
    updateButtons();
}

void TFormMaterialBase::updateButtons() {
    showPreview();
    const QString entry = selectedEntry();
    ui->ButtonExport->setEnabled(!entry.isEmpty());
    ui->ButtonDelete->setEnabled(!entry.isEmpty() && !HasRtpMark(entry));
    ui->GroupImportFrom->setEnabled(IsImageKind(kind()));
}

void TFormMaterialBase::ButtonImportClick() {
    const QString currentKind = kind();
    if (currentKind.isEmpty()) return;
    const QString file = chooseImportFile(currentKind);
    if (file.isEmpty()) return;
    followChosenFile(file);
    const QString name = ImportedMaterialName(file);
    try {
        if (!IsImageKind(currentKind)) {
            ImportPlainMaterial(file, kindFolder());
        } else {
            TBitmap picture;
            {
                TBusyCursor busy;
                picture = LoadImportPicture(file);
            }
            CheckImportSize(currentKind, picture);
            if (ImportSizeRule(currentKind)->transparent && !chooseTransparentColor(picture)) return;
            TBusyCursor busy;
            SaveImportedPicture(picture, kindFolder(), name, RememberedMaterialOptions().saveFormat);
        }
    } catch (const std::exception& e) {
        ShowError(QString::fromStdString(e.what()), this);
        return;
    }
    RebuildList(name);
}

QString TFormMaterialBase::selectedFile() const {
    const QString entry = selectedEntry();
    const MaterialFolderInfo* folder = FindMaterialFolder(kind());
    if (entry.isEmpty() || !folder) return {};
    const QString name = MaterialNameOf(entry);
    MaterialRoots roots{IncludeTrailingPathDelimiter(mProjectFolder), RuntimePackagePath()};
    const QString file = ResolveMaterialFile(name, kind(), folder->extensions(), roots);
    // A file that went away since the list was made comes back as the bare name, which would be
    // read from whatever folder is current.
    if (file == name || !QFileInfo(file).isFile()) return {};
    return file;
}

void TFormMaterialBase::showPreview() {
    const QString file = IsImageKind(kind()) ? selectedFile() : QString();
    mPreview->setPixmap(file.isEmpty() ? QPixmap() : MaterialPreview(file, ImportSizeRule(kind())->transparent,
                                                                      mPreview->contentsRect().size()));
}

void TFormMaterialBase::DataListDoubleClick() {
    const QString file = selectedFile();
    if (file.isEmpty()) return;
    if (kind() == "Music") {
        NoteSoundPreview(this);
        SoundLibrary().InitMidi();
        SoundLibrary().PlayMusic(file);
    } else if (kind() == "Sound") {
        NoteSoundPreview(this);
        SoundLibrary().PlaySoundEx(file, 100, 100, 50);
    }
}

void TFormMaterialBase::ButtonExportClick() {
    const QString entry = selectedEntry();
    if (entry.isEmpty() || !FindMaterialFolder(kind())) return;
    const QString name = MaterialNameOf(entry);
    const QString file = selectedFile();
    if (file.isEmpty()) {
        RebuildList();
        return;
    }
    const QString destination = chooseExportFile(kind(), file, name);
    if (destination.isEmpty()) return;
    followChosenFile(destination);
    try {
        TBusyCursor busy;
        ExportMaterial(kind(), file, destination);
    } catch (const std::exception& e) {
        ShowError(QString::fromStdString(e.what()), this);
    }
}

void TFormMaterialBase::ButtonDeleteClick() {
    const QString entry = selectedEntry();
    if (entry.isEmpty() || HasRtpMark(entry)) return;
    MaterialRoots roots{IncludeTrailingPathDelimiter(mProjectFolder), RuntimePackagePath()};
    const QString file = DeletableMaterialFile(kind(), entry, roots);
    if (file.isEmpty()) {
        // The file is the runtime package's, or went away meanwhile: nothing to erase.
        RebuildList();
        return;
    }
    if (AskBox(QString(MaterialMessage::AskErase).arg(QFileInfo(file).fileName()),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning, this) != QMessageBox::Yes)
        return;
    if (!QFile::remove(file)) {
        ShowError(MaterialMessage::EraseFailed, this);
        return;
    }
    RebuildList();
}

void TFormMaterialBase::done(int result) {
    closeDown();
    TFormQelBase::done(result);
}

void TFormMaterialBase::closeDown() {
    if (mClosed) return;
    mClosed = true;
    UserSettings::SetMaterialPath(QDir::currentPath());
    QDir::setCurrent(mProjectFolder);
    if (ui->KindList->currentRow() >= 0) RememberedMaterialOptions().kind = ui->KindList->currentRow();
}

void RunMaterialManager(QWidget* owner, TQelMap& map) {
    {
        TFormMaterialBase dialog(owner);
        CenterOnOwner(&dialog);
        dialog.exec();
    }
    // The chipset and character pictures may have been replaced under the same names.
    TMapGraphics* graphics = MapGraphicsOf(map);
    if (!graphics) return;
    graphics->ChipSet().Reset();
    graphics->CharSets().Clear();
    map.ReloadChipSet();
    for (const auto& event : map.Events)
        for (const auto& page : static_cast<const TQelEventItem&>(*event).Pages) {
            const std::string& charName = static_cast<const TQelEventPageItem&>(*page).CharName;
            if (!charName.empty()) graphics->CollectCharSet(charName);
        }
}

} // namespace tarvel
