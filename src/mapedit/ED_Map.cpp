#include "ED_Map.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"
#include "pickers/SelBackdrop.h"
#include "pickers/SelMusic.h"
#include "pickers/SelPanorama.h"
#include "platform/Material.h"
#include "records/ClipboardPort.h"
#include "ui_ED_Area.h"
#include "ui_ED_Map.h"

namespace tarvel {

namespace {

QString monGroupName(int32_t id) {
    TQelDataBase* db = TQelDataBase::Current();
    const TQelMonGroupItem* group = db ? db->MonGroups().Find(id) : nullptr;
    return group ? QString::fromStdString(group->Name) : QString();
}

bool isClick(QEvent* event) {
    return event->type() == QEvent::MouseButtonRelease &&
           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

// ---- Map Encounter Rate Editor ----

TFormEncounterEdit::TFormEncounterEdit(QWidget* parent, int32_t monGroupID)
    : TFormQelBase(parent), mList(new QListWidget(this)) {
    setWindowTitle("Map Encounter Rate Editor");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mList);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    if (TQelDataBase* db = TQelDataBase::Current())
        for (const auto& group : db->MonGroups())
            mList->addItem(QString::asprintf("%.4d:", group->ID) + QString::fromStdString(group->Name));
    mList->setCurrentRow(std::clamp(monGroupID - 1, 0, std::max(0, mList->count() - 1)));
    resize(300, 360);
}

int32_t TFormEncounterEdit::MonGroupID() const {
    return mList->currentRow() + 1;
}

// ---- the encounter list ----

TEncounterList::TEncounterList(QTreeWidget* view, const TQelEncount& entries, QWidget* owner)
    : QObject(owner), mView(view), mOwner(owner), mMenu(new QMenu(owner)) {
    mEntries.Assign(entries);
    mEditAction = mMenu->addAction("&Edit...", this, &TEncounterList::Edit);
    mMenu->addSeparator();
    mCutAction = mMenu->addAction("Cu&t", this, &TEncounterList::Cut);
    mCopyAction = mMenu->addAction("&Copy", this, &TEncounterList::Copy);
    mPasteAction = mMenu->addAction("&Paste", this, &TEncounterList::Paste);
    mMenu->addSeparator();
    mDeleteAction = mMenu->addAction("&Delete", this, &TEncounterList::Delete);
    connect(mMenu, &QMenu::aboutToShow, this, &TEncounterList::updateMenu);
    connect(mView, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // The menu belongs to a focused row; the context-menu key opens it at that row.
        if (!mView->currentItem()) return;
        updateMenu();
        mMenu->exec(mView->viewport()->mapToGlobal(at));
    });
    connect(mView, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (CanEdit()) Edit();
    });
    chooseGroup = [this](int32_t& id) {
        TFormEncounterEdit dialog(mOwner, id);
        CenterOnOwner(&dialog);
        if (dialog.exec() != QDialog::Accepted) return false;
        id = dialog.MonGroupID();
        return true;
    };
    Refresh();
}

void TEncounterList::Refresh() {
    int row = std::max(0, CurrentRow());
    mView->clear();
    for (const auto& entry : mEntries)
        new QTreeWidgetItem(mView, {monGroupName(static_cast<const TQelEncountItem&>(*entry).MonGroupID)});
    new QTreeWidgetItem(mView, {QString()});
    mView->setCurrentItem(mView->topLevelItem(std::min(row, mView->topLevelItemCount() - 1)));
}

int TEncounterList::CurrentRow() const {
    QTreeWidgetItem* item = mView->currentItem();
    return item ? mView->indexOfTopLevelItem(item) : -1;
}

bool TEncounterList::CanEdit() const {
    int row = CurrentRow();
    return row >= 0 && (row < mEntries.Count() || mEntries.Count() < MaxEncounters);
}

bool TEncounterList::CanPaste() const {
    return CurrentRow() >= 0 && mEntries.Count() < MaxEncounters &&
           Clipboard().has(ClipboardFormat::EncounterEntries);
}

void TEncounterList::updateMenu() {
    int row = CurrentRow();
    bool onEntry = row >= 0 && row < mEntries.Count();
    mEditAction->setEnabled(CanEdit());
    mCutAction->setEnabled(onEntry);
    mCopyAction->setEnabled(onEntry);
    mPasteAction->setEnabled(CanPaste());
    mDeleteAction->setEnabled(onEntry);
}

void TEncounterList::Edit() {
    if (!CanEdit()) return;
    int row = CurrentRow();
    bool isNew = row >= mEntries.Count();
    int32_t id = isNew ? 1 : mEntries.Items(row)->MonGroupID;
    if (!chooseGroup || !chooseGroup(id)) return;
    TQelEncountItem* entry = isNew ? mEntries.Append() : mEntries.Items(row);
    entry->MonGroupID = id;
    Refresh();
}

void TEncounterList::Copy() {
    int row = CurrentRow();
    if (row < 0 || row >= mEntries.Count()) return;
    mEntries.CopyToClipboard(ClipboardFormat::EncounterEntries, row, 1);
}

void TEncounterList::Cut() {
    Copy();
    Delete();
}

void TEncounterList::Paste() {
    if (!CanPaste()) return;
    mEntries.PasteFromClipboard(ClipboardFormat::EncounterEntries, CurrentRow());
    // Never more entries than a map may list.
    while (mEntries.Count() > MaxEncounters)
        mEntries.Delete(mEntries.Items(mEntries.Count() - 1)->ID);
    Refresh();
}

void TEncounterList::Delete() {
    int row = CurrentRow();
    if (row < 0 || row >= mEntries.Count()) return;
    mEntries.Remove(mEntries.Items(row)->ID);
    Refresh();
}

// ---- map properties ----

TFormEDMap::TFormEDMap(QWidget* parent, MapPropertiesRequest& request)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormEDMap>()), mRequest(request) {
    ui->setupUi(this);
    setWindowTitle(QString(request.isNew ? "Map Making" : "Map Creation") +
                   QString::asprintf(" - ID:%.4d", request.id));
    mPanorama.SetAutoSize(true);
    ui->PanoramaPreview->SetBoard(&mPreviewBoard);
    ui->PanoramaPreview->installEventFilter(this);
    ui->EditMusic->installEventFilter(this);
    ui->EditBattleBack->installEventFilter(this);
    mEncounters = std::make_unique<TEncounterList>(ui->ListEncounters, request.item.Encounters, this);

    choosePanorama = [this](std::string& name) {
        TFormSelPanorama picker(this);
        picker.SetFileName(QString::fromStdString(name));
        CenterOnOwner(&picker);
        if (picker.exec() != QDialog::Accepted) return false;
        name = picker.FileName().toStdString();
        return true;
    };
    chooseMusic = [this](TQelMusic& music) {
        TFormSelMusic picker(this);
        picker.SetMusic(music);
        CenterOnOwner(&picker);
        if (picker.exec() != QDialog::Accepted) return false;
        music.Assign(picker.Music());
        return true;
    };
    chooseBackdrop = [this](std::string& name) {
        TFormSelBackdrop picker(this);
        picker.SetFileName(QString::fromStdString(name));
        CenterOnOwner(&picker);
        if (picker.exec() != QDialog::Accepted) return false;
        name = picker.FileName().toStdString();
        return true;
    };

    readRequest();

    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(ui->CheckUsePanorama),
          static_cast<QAbstractButton*>(ui->CheckHorzPan), static_cast<QAbstractButton*>(ui->CheckHorzAuto),
          static_cast<QAbstractButton*>(ui->CheckVertPan), static_cast<QAbstractButton*>(ui->CheckVertAuto),
          static_cast<QAbstractButton*>(ui->RadioMusicParent),
          static_cast<QAbstractButton*>(ui->RadioMusicEvent),
          static_cast<QAbstractButton*>(ui->RadioMusicSet),
          static_cast<QAbstractButton*>(ui->RadioBackParent),
          static_cast<QAbstractButton*>(ui->RadioBackTerrain),
          static_cast<QAbstractButton*>(ui->RadioBackSet)})
        connect(b, &QAbstractButton::toggled, this, &TFormEDMap::UpdateEnabling);
    connect(ui->SpinHorzSpeed, qOverload<int>(&QSpinBox::valueChanged), this, [this](int v) {
        if (!mUpdating && ui->SpinHorzSpeed->isEnabled()) mHorzSpeed = v;
    });
    connect(ui->SpinVertSpeed, qOverload<int>(&QSpinBox::valueChanged), this, [this](int v) {
        if (!mUpdating && ui->SpinVertSpeed->isEnabled()) mVertSpeed = v;
    });
    connect(ui->ButtonSetPanorama, &QPushButton::clicked, this, [this] {
        std::string name = mPanoramaName;
        if (choosePanorama && choosePanorama(name)) setPanoramaName(name);
    });
    connect(ui->ButtonOk, &QPushButton::clicked, this, [this] {
        WriteBack();
        accept();
    });
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateEnabling();
}

TFormEDMap::~TFormEDMap() = default;

void TFormEDMap::setMode(std::initializer_list<QAbstractButton*> radios, int mode) {
    int i = 0;
    for (QAbstractButton* b : radios)
        b->setChecked(i++ == mode);
}

int TFormEDMap::chosenMode(std::initializer_list<QAbstractButton*> radios) const {
    int i = 0;
    for (QAbstractButton* b : radios) {
        if (b->isChecked()) return i;
        ++i;
    }
    return 0;
}

void TFormEDMap::readRequest() {
    TQelMapTreeItem& item = mRequest.item;
    const MapSettings& s = mRequest.settings;
    ui->EditName->setText(QString::fromStdString(item.Name));
    if (TQelDataBase* db = TQelDataBase::Current())
        for (const auto& chipSet : db->ChipSets())
            ui->ListChipSets->addItem(QString::fromStdString(chipSet->Name));
    int chipSetRow = s.chipSetID - 1;
    if (chipSetRow < 0 || chipSetRow >= ui->ListChipSets->count()) chipSetRow = 0;
    ui->ListChipSets->setCurrentRow(chipSetRow);
    ui->SpinWidth->setValue(s.width);
    ui->SpinHeight->setValue(s.height);
    ui->ComboScrollType->setCurrentIndex(std::clamp(s.scrollType, 0, 3));
    ui->SpinSteps->setValue(std::clamp(item.EncounterSteps, 0, 999));

    ui->CheckUsePanorama->setChecked(s.usePanorama);
    mPanoramaName = s.panoramaName;
    ui->CheckHorzPan->setChecked(s.horzPan);
    ui->CheckHorzAuto->setChecked(s.horzAuto);
    mHorzSpeed = std::clamp(s.horzSpeed, -8, 8);
    ui->CheckVertPan->setChecked(s.vertPan);
    ui->CheckVertAuto->setChecked(s.vertAuto);
    mVertSpeed = std::clamp(s.vertSpeed, -8, 8);

    mMusic.Assign(item.Music);
    mBattleBackName = item.BattleBackName;
    ui->EditMusic->setText(QString::fromStdString(mMusic.FileName));
    ui->EditBattleBack->setText(QString::fromStdString(mBattleBackName));

    uint8_t modes[5] = {item.MusicMode, item.BattleBackMode, item.TeleportMode, item.EscapeMode,
                        item.SaveMode};
    if (mRequest.parentIsRoot) {
        // A map under the game itself has no parent to take anything from.
        for (uint8_t& m : modes)
            if (m == 0) m = 1;
        for (QAbstractButton* b : {static_cast<QAbstractButton*>(ui->RadioMusicParent),
                                   static_cast<QAbstractButton*>(ui->RadioBackParent),
                                   static_cast<QAbstractButton*>(ui->RadioTeleportParent),
                                   static_cast<QAbstractButton*>(ui->RadioEscapeParent),
                                   static_cast<QAbstractButton*>(ui->RadioSaveParent)})
            b->setEnabled(false);
    }
    setMode({ui->RadioMusicParent, ui->RadioMusicEvent, ui->RadioMusicSet}, modes[0]);
    setMode({ui->RadioBackParent, ui->RadioBackTerrain, ui->RadioBackSet}, modes[1]);
    setMode({ui->RadioTeleportParent, ui->RadioTeleportDisable, ui->RadioTeleportEnable}, modes[2]);
    setMode({ui->RadioEscapeParent, ui->RadioEscapeDisable, ui->RadioEscapeEnable}, modes[3]);
    setMode({ui->RadioSaveParent, ui->RadioSaveDisable, ui->RadioSaveEnable}, modes[4]);
    setPanoramaName(mPanoramaName);
}

void TFormEDMap::showSpeed(QSpinBox* spin, bool enabled, int stored) {
    // A disabled speed shows no number; turning its auto scroll on shows the stored speed again.
    spin->setEnabled(enabled);
    if (enabled) {
        spin->setSpecialValueText(QString());
        spin->setMinimum(-8);
        spin->setValue(stored);
    } else {
        spin->setMinimum(-9);
        spin->setSpecialValueText(" ");
        spin->setValue(-9);
    }
}

void TFormEDMap::UpdateEnabling() {
    mUpdating = true;
    bool use = ui->CheckUsePanorama->isChecked();
    ui->PanoramaPreview->setEnabled(use);
    ui->ButtonSetPanorama->setEnabled(use);
    ui->CheckHorzPan->setEnabled(use);
    ui->CheckVertPan->setEnabled(use);
    bool horzAuto = use && ui->CheckHorzPan->isChecked();
    bool vertAuto = use && ui->CheckVertPan->isChecked();
    ui->CheckHorzAuto->setEnabled(horzAuto);
    ui->CheckVertAuto->setEnabled(vertAuto);
    showSpeed(ui->SpinHorzSpeed, horzAuto && ui->CheckHorzAuto->isChecked(), mHorzSpeed);
    showSpeed(ui->SpinVertSpeed, vertAuto && ui->CheckVertAuto->isChecked(), mVertSpeed);
    ui->LabelHorzSpeed->setEnabled(ui->SpinHorzSpeed->isEnabled());
    ui->LabelVertSpeed->setEnabled(ui->SpinVertSpeed->isEnabled());
    // The music and backdrop boxes keep showing their names when disabled.
    ui->EditMusic->setEnabled(ui->RadioMusicSet->isChecked());
    ui->EditBattleBack->setEnabled(ui->RadioBackSet->isChecked());
    mUpdating = false;
    repaintPreview();
}

void TFormEDMap::setPanoramaName(const std::string& name) {
    mPanoramaName = name;
    QString path = ResolveMaterialFile(QString::fromStdString(name), "Panorama", ImageExtensions());
    mPanorama.FreePixels();
    if (!path.isEmpty() && path != QString::fromStdString(name)) {
        try {
            mPanorama.LoadFromFile(path.toStdString(), false);
        } catch (const std::exception&) {
            mPanorama.FreePixels();
        }
    }
    repaintPreview();
}

void TFormEDMap::repaintPreview() {
    QSize size = ui->PanoramaPreview->minimumSize();
    mPreviewBoard.SetSize(size.width(), size.height());
    QColor fill = palette().color(ui->CheckUsePanorama->isChecked() ? QPalette::Base : QPalette::Window);
    FillRect(mPreviewBoard, TRect{0, 0, size.width(), size.height()},
             TRGB{uint8_t(fill.red()), uint8_t(fill.green()), uint8_t(fill.blue())});
    if (ui->CheckUsePanorama->isChecked() && mPanorama.Width() > 0 && mPanorama.Height() > 0) {
        TRect target = FitRect(TRect{0, 0, size.width(), size.height()}, mPanorama.BoundsRect());
        mPreviewBoard.StretchDrawSheet(target, mPanorama, mPanorama.BoundsRect());
    }
    ui->PanoramaPreview->update();
}

bool TFormEDMap::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->PanoramaPreview && event->type() == QEvent::MouseButtonDblClick &&
        ui->PanoramaPreview->isEnabled()) {
        ui->ButtonSetPanorama->click();
        return true;
    }
    if (watched == ui->EditMusic && isClick(event) && ui->EditMusic->isEnabled()) {
        TQelMusic music;
        music.Assign(mMusic);
        if (chooseMusic && chooseMusic(music)) {
            mMusic.Assign(music);
            ui->EditMusic->setText(QString::fromStdString(mMusic.FileName));
        }
        return true;
    }
    if (watched == ui->EditBattleBack && isClick(event) && ui->EditBattleBack->isEnabled()) {
        std::string name = mBattleBackName;
        if (chooseBackdrop && chooseBackdrop(name)) {
            mBattleBackName = name;
            ui->EditBattleBack->setText(QString::fromStdString(name));
        }
        return true;
    }
    return TFormQelBase::eventFilter(watched, event);
}

void TFormEDMap::WriteBack() {
    TQelMapTreeItem& item = mRequest.item;
    item.Name = ui->EditName->text().toStdString();
    item.MusicMode = uint8_t(chosenMode({ui->RadioMusicParent, ui->RadioMusicEvent, ui->RadioMusicSet}));
    item.Music.Assign(mMusic);
    item.BattleBackMode = uint8_t(chosenMode({ui->RadioBackParent, ui->RadioBackTerrain, ui->RadioBackSet}));
    item.BattleBackName = mBattleBackName;
    item.TeleportMode =
        uint8_t(chosenMode({ui->RadioTeleportParent, ui->RadioTeleportDisable, ui->RadioTeleportEnable}));
    item.EscapeMode =
        uint8_t(chosenMode({ui->RadioEscapeParent, ui->RadioEscapeDisable, ui->RadioEscapeEnable}));
    item.SaveMode = uint8_t(chosenMode({ui->RadioSaveParent, ui->RadioSaveDisable, ui->RadioSaveEnable}));
    item.Encounters.Assign(mEncounters->Entries());
    item.EncounterSteps = ui->SpinSteps->value();

    MapSettings& s = mRequest.settings;
    s.chipSetID = std::max(0, ui->ListChipSets->currentRow()) + 1;
    s.width = ui->SpinWidth->value();
    s.height = ui->SpinHeight->value();
    s.scrollType = ui->ComboScrollType->currentIndex();
    s.usePanorama = ui->CheckUsePanorama->isChecked();
    s.panoramaName = s.usePanorama ? mPanoramaName : std::string();
    s.horzPan = ui->CheckHorzPan->isChecked();
    s.horzAuto = ui->CheckHorzAuto->isChecked();
    s.horzSpeed = mHorzSpeed;
    s.vertPan = ui->CheckVertPan->isChecked();
    s.vertAuto = ui->CheckVertAuto->isChecked();
    s.vertSpeed = mVertSpeed;
}

// ---- area properties ----

TFormEDArea::TFormEDArea(QWidget* parent, AreaPropertiesRequest& request)
    : TFormQelBase(parent), ui(std::make_unique<Ui::TFormEDArea>()), mRequest(request),
      mRect(request.item.AreaRect) {
    ui->setupUi(this);
    setWindowTitle(QString(request.isNew ? "Area Making" : "Area Creation") +
                   QString::asprintf(" - ID:%.4d", request.id));
    ui->EditName->setText(QString::fromStdString(request.item.Name));
    ui->EditArea->setText(AreaText(mRect));
    ui->EditArea->installEventFilter(this);
    mEncounters = std::make_unique<TEncounterList>(ui->ListEncounters, request.item.Encounters, this);
    connect(ui->ButtonOk, &QPushButton::clicked, this, [this] {
        WriteBack();
        accept();
    });
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormEDArea::~TFormEDArea() = default;

QString TFormEDArea::AreaText(const TMapAreaRect& r) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
    return QString::asprintf("(%.3d,%.3d) - (%.3d,%.3d)", r.Left, r.Top, r.Right - 1, r.Bottom - 1);
}

bool TFormEDArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->EditArea && isClick(event)) {
        TMapAreaRect rect = mRect;
        if (chooseArea && chooseArea(rect)) {
            mRect = rect;
            ui->EditArea->setText(AreaText(mRect));
        }
        return true;
    }
    return TFormQelBase::eventFilter(watched, event);
}

void TFormEDArea::WriteBack() {
    mRequest.item.Name = ui->EditName->text().toStdString();
    mRequest.item.AreaRect = mRect;
    mRequest.item.Encounters.Assign(mEncounters->Entries());
}

} // namespace tarvel
