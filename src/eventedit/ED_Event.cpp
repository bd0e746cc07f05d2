#include "ED_Event.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

#include "NameLimit.h"
#include "ScriptEdit.h"
#include "ScriptList.h"
#include "commands/EvCmdWidgets.h"
#include "controls/BoardView.h"
#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "controls/HelpContext.h"
#include "controls/MessageBoxes.h"
#include "data/LD_DataBase.h"
#include "data/LD_Item.h"
#include "data/LD_Map.h"
#include "data/LD_Player.h"
#include "data/LD_Switch.h"
#include "graphics/GR_CharSet.h"
#include "graphics/GraphicsPorts.h"
#include "mapedit_core/MapGraphics.h"
#include "pickers/SelEvChar.h"
#include "pickers/SelMusic.h"
#include "records/ClipboardPort.h"
#include "ui_ED_Event.h"

namespace tarvel {

namespace {

constexpr int CharCellWidth = 72;
constexpr int CharCellHeight = 128;
constexpr int FrameWidth = 24;
constexpr int FrameHeight = 32;
constexpr int TranslucentOpacity = 160;
constexpr int SpinAnimType = 5;
constexpr int RouteMoveType = 6;
constexpr int UpperChipBase = 10000;
constexpr int ConditionBoxWidth = 120;

TMoveRouteEditorRunner& routeEditor() {
    static TMoveRouteEditorRunner runner;
    return runner;
}

// The frame columns of a stepping animation: middle, left, middle, right.
constexpr int SteppingColumns[4] = {1, 0, 1, 2};

} // namespace

void SetMoveRouteEditorRunner(TMoveRouteEditorRunner runner) {
    routeEditor() = std::move(runner);
}

bool HasMoveRouteEditor() {
    return bool(routeEditor());
}

TFormEDEvent::TFormEDEvent(QWidget* owner) : TFormQelBase(owner), ui(std::make_unique<Ui::TFormEDEvent>()) {
    ui->setupUi(this);
    setObjectName("FormEDEvent");
    ui->ButtonMusic->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    ui->EditName->installEventFilter(this);
    LimitTextBytes(ui->EditName, NameBytes);
    ui->ButtonApply->setEnabled(false);

    mScriptEditor = new TScriptEditor(ui->ScriptList, TScriptKind::MapEvent, this);
    mScriptEditor->SetConverter(&mConverter);
    mScriptEditor->SetPickerOffset(CommandPickerOffset);
    connect(mScriptEditor, &TScriptEditor::changed, this, &TFormEDEvent::modified);
    connect(mScriptEditor, &TScriptEditor::dataBaseChanged, this, &TFormEDEvent::SubDialogChangedDataBase);

    mCharSheet.SetSize(CharCellWidth, CharCellHeight);
    mPreview.SetSize(PreviewWidth, PreviewHeight);
    ui->PaintBoxPreview->SetBoard(&mPreview);
    connect(ui->PaintBoxPreview, &BoardView::boardDoubleClick, this, [this](QPoint, Qt::MouseButton button) {
        if (button == Qt::LeftButton) ButtonSetGraphicClick();
    });
    connect(&mPreviewTimer, &QTimer::timeout, this, &TFormEDEvent::PreviewTimerTick);

    connect(ui->ButtonNewPage, &QPushButton::clicked, this, &TFormEDEvent::ButtonNewPageClick);
    connect(ui->ButtonCopyPage, &QPushButton::clicked, this, &TFormEDEvent::ButtonCopyPageClick);
    connect(ui->ButtonPastePage, &QPushButton::clicked, this, &TFormEDEvent::ButtonPastePageClick);
    connect(ui->ButtonDeletePage, &QPushButton::clicked, this, &TFormEDEvent::ButtonDeletePageClick);
    connect(ui->ButtonMusic, &QToolButton::clicked, this, &TFormEDEvent::ButtonMusicClick);
    connect(ui->ButtonSetGraphic, &QPushButton::clicked, this, &TFormEDEvent::ButtonSetGraphicClick);
    connect(ui->ButtonCreateRoute, &QPushButton::clicked, this, &TFormEDEvent::ButtonCreateRouteClick);
    connect(ui->ButtonOk, &QPushButton::clicked, this, &TFormEDEvent::ButtonOkClick);
    connect(ui->ButtonApply, &QPushButton::clicked, this, &TFormEDEvent::ButtonApplyClick);
    connect(ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ButtonHelp, &QPushButton::clicked, this, &TFormEDEvent::ButtonHelpClick);
    connect(ui->TabPages, &QTabBar::currentChanged, this, [this](int index) {
        if (!mUpdating && index >= 0) ShowPage(index);
    });
    connect(ui->EditName, &QLineEdit::textEdited, this, &TFormEDEvent::nameEdited);

    // Conditions.
    for (QCheckBox* check : {ui->CheckSwitchA, ui->CheckSwitchB, ui->CheckVariable, ui->CheckItem,
                             ui->CheckHero, ui->CheckTimer})
        connect(check, &QCheckBox::clicked, this, &TFormEDEvent::conditionChecked);
    createConditionControls();
    connect(ui->SpinVariableValue, &QSpinBox::valueChanged, this, [this](int value) {
        if (mUpdating || !Page()) return;
        Page()->Condition.VariableValue = value;
        modified();
    });
    connect(ui->SpinTimerMin, &QSpinBox::valueChanged, this, &TFormEDEvent::storeTimer);
    connect(ui->SpinTimerSec, &QSpinBox::valueChanged, this, &TFormEDEvent::storeTimer);

    // Graphic and movement: each list stores its index (frequency and speed one more).
    auto onIndex = [this](QComboBox* combo, auto store) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, store](int index) {
            if (mUpdating || !Page() || index < 0) return;
            store(*Page(), index);
            refreshMovement();
            modified();
        });
    };
    onIndex(ui->ComboMoveType, [](TQelEventPageItem& page, int index) { page.MoveType = uint8_t(index); });
    onIndex(ui->ComboFrequency, [](TQelEventPageItem& page, int index) { page.MoveFrequency = index + 1; });
    onIndex(ui->ComboTrigger, [](TQelEventPageItem& page, int index) { page.Trigger = uint8_t(index); });
    onIndex(ui->ComboPriority, [](TQelEventPageItem& page, int index) { page.Priority = uint8_t(index); });
    onIndex(ui->ComboAnimType, [this](TQelEventPageItem& page, int index) {
        // A spin starts from the way the page faces.
        if (index == SpinAnimType && page.AnimType != SpinAnimType) mFrame = page.CharDir;
        page.AnimType = uint8_t(index);
    });
    onIndex(ui->ComboSpeed, [](TQelEventPageItem& page, int index) { page.MoveSpeed = index + 1; });
    connect(ui->CheckOverlap, &QCheckBox::clicked, this, [this](bool on) {
        if (mUpdating || !Page()) return;
        Page()->OverlapFlag = on ? 1 : 0;
        modified();
    });
    connect(ui->CheckTransparent, &QCheckBox::clicked, this, [this](bool on) {
        if (mUpdating || !Page()) return;
        Page()->CharTransparent = on ? 1 : 0;
        drawPreview();
        modified();
    });
}

TFormEDEvent::~TFormEDEvent() = default;

TScriptListBox* TFormEDEvent::ScriptList() const {
    return ui->ScriptList;
}

TQelEventPageItem* TFormEDEvent::Page() const {
    return mEvent.Pages.Find(mPageNumber);
}

void TFormEDEvent::SetApplyEnabled(bool on) {
    ui->ButtonApply->setEnabled(on);
}

void TFormEDEvent::modified() {
    if (!mUpdating) ui->ButtonApply->setEnabled(true);
}

// ---- showing ----

void TFormEDEvent::showEvent(QShowEvent* event) {
    TFormQelBase::showEvent(event);
    if (mShownOnce) return;
    mShownOnce = true;
    TBusyCursor busy;
    // An event read from a file without any page could never get one here: it starts with a
    // default page, which is stored only if the user keeps the event.
    if (mEvent.Pages.Count() == 0) mEvent.Pages.FindOrCreate(1);
    mConverter.SetContext({mEventID, &mEvent, mMapTree, mMap, nullptr, nullptr});
    mScriptEditor->SetContext({mEventID, &mEvent, mMapTree, mMap, nullptr});
    {
        const QSignalBlocker block(ui->EditName);
        ui->EditName->setText(QString::fromStdString(mEvent.Name));
    }
    setWindowTitle(windowTitle() + QString::asprintf(" - ID:%.4d", mEventID));
    fillTabs();
    refreshPage();
    mPreviewTimer.start();
    ui->EditName->setFocus();
}

void TFormEDEvent::createConditionControls() {
    auto place = [this](QWidget* placeholder, QWidget* control, const char* name) {
        control->setObjectName(name);
        // Narrower than in the command dialogs, so the script keeps its room on a small screen.
        control->setMinimumWidth(ConditionBoxWidth);
        delete ui->ConditionsLayout->replaceWidget(placeholder, control);
        delete placeholder;
    };
    mBoxSwitchA = new TSwitchVariableBox(TIdKind::Switch, ui->GroupConditions);
    mBoxSwitchB = new TSwitchVariableBox(TIdKind::Switch, ui->GroupConditions);
    mBoxVariable = new TSwitchVariableBox(TIdKind::Variable, ui->GroupConditions);
    const TQelDataBase* db = QelDataBase();
    mComboItem = new TRecordCombo(db ? &db->Items() : nullptr, ui->GroupConditions);
    mComboHero = new TRecordCombo(db ? &db->Heroes() : nullptr, ui->GroupConditions);
    place(ui->PlaceSwitchA, mBoxSwitchA, "BoxSwitchA");
    place(ui->PlaceSwitchB, mBoxSwitchB, "BoxSwitchB");
    place(ui->PlaceVariable, mBoxVariable, "BoxVariable");
    place(ui->PlaceItem, mComboItem, "ComboItem");
    place(ui->PlaceHero, mComboHero, "ComboHero");

    auto storeBox = [this](TSwitchVariableBox* box, int32_t TQelEventCondition::*field) {
        connect(box, &TPickerBox::changed, this, [this, box, field] {
            if (!Page()) return;
            Page()->Condition.*field = box->Value();
            refreshConditions();
            modified();
        });
        // Names renamed in the picker show even when it was cancelled afterwards.
        connect(box, &TPickerBox::dataBaseChanged, this, &TFormEDEvent::SubDialogChangedDataBase);
    };
    storeBox(mBoxSwitchA, &TQelEventCondition::SwitchA);
    storeBox(mBoxSwitchB, &TQelEventCondition::SwitchB);
    storeBox(mBoxVariable, &TQelEventCondition::VariableID);
    auto storeCombo = [this](TRecordCombo* combo, int32_t TQelEventCondition::*field) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo, field](int index) {
            if (mUpdating || !Page() || index < 0) return;
            Page()->Condition.*field = combo->ID();
            modified();
        });
    };
    storeCombo(mComboItem, &TQelEventCondition::ItemID);
    storeCombo(mComboHero, &TQelEventCondition::HeroID);
}

void TFormEDEvent::fillTabs() {
    mUpdating = true;
    while (ui->TabPages->count() > 0)
        ui->TabPages->removeTab(0);
    for (int page = 1; page <= MaxPages && mEvent.Pages.Find(page); ++page)
        ui->TabPages->addTab(QString::number(page));
    mPageNumber = std::clamp(mPageNumber, 1, std::max(1, ui->TabPages->count()));
    ui->TabPages->setCurrentIndex(mPageNumber - 1);
    mUpdating = false;
}

void TFormEDEvent::ShowPage(int tabIndex) {
    if (tabIndex < 0 || tabIndex >= ui->TabPages->count()) return;
    mPageNumber = tabIndex + 1;
    if (ui->TabPages->currentIndex() != tabIndex) {
        mUpdating = true;
        ui->TabPages->setCurrentIndex(tabIndex);
        mUpdating = false;
    }
    refreshPage();
}

void TFormEDEvent::refreshPage() {
    refreshPageButtons();
    refreshConditions();
    refreshMovement();
    TQelEventPageItem* page = Page();
    mScriptEditor->SetScript(page ? &page->Script : nullptr);
    reloadPreview();
}

void TFormEDEvent::refreshPageButtons() {
    const int pages = PageCount();
    ui->ButtonNewPage->setEnabled(pages < MaxPages);
    ui->ButtonCopyPage->setEnabled(true);
    ui->ButtonPastePage->setEnabled(pages < MaxPages && Clipboard().has(ClipboardFormat::EventPage));
    ui->ButtonDeletePage->setEnabled(pages > 1);
}

void TFormEDEvent::refreshConditions() {
    const TQelEventPageItem* page = Page();
    if (!page) return;
    const TQelEventCondition& c = page->Condition;
    mUpdating = true;
    auto flag = [&](uint8_t bit) { return (c.Flags & bit) != 0; };
    ui->CheckSwitchA->setChecked(flag(TQelEventCondition::cfSwitchA));
    ui->CheckSwitchB->setChecked(flag(TQelEventCondition::cfSwitchB));
    ui->CheckVariable->setChecked(flag(TQelEventCondition::cfVariable));
    ui->CheckItem->setChecked(flag(TQelEventCondition::cfItem));
    ui->CheckHero->setChecked(flag(TQelEventCondition::cfHero));
    ui->CheckTimer->setChecked(flag(TQelEventCondition::cfTimer));

    const bool switchA = flag(TQelEventCondition::cfSwitchA), switchB = flag(TQelEventCondition::cfSwitchB);
    const bool variable = flag(TQelEventCondition::cfVariable), item = flag(TQelEventCondition::cfItem);
    const bool hero = flag(TQelEventCondition::cfHero), timer = flag(TQelEventCondition::cfTimer);
    for (QWidget* w : {static_cast<QWidget*>(mBoxSwitchA), static_cast<QWidget*>(ui->LabelSwitchA)})
        w->setEnabled(switchA);
    for (QWidget* w : {static_cast<QWidget*>(mBoxSwitchB), static_cast<QWidget*>(ui->LabelSwitchB)})
        w->setEnabled(switchB);
    for (QWidget* w : {static_cast<QWidget*>(mBoxVariable), static_cast<QWidget*>(ui->LabelVariable),
                       static_cast<QWidget*>(ui->SpinVariableValue)})
        w->setEnabled(variable);
    mComboItem->setEnabled(item);
    ui->LabelItem->setEnabled(item);
    mComboHero->setEnabled(hero);
    ui->LabelHero->setEnabled(hero);
    for (QWidget* w : {static_cast<QWidget*>(ui->SpinTimerMin), static_cast<QWidget*>(ui->LabelTimerMin),
                       static_cast<QWidget*>(ui->SpinTimerSec), static_cast<QWidget*>(ui->LabelTimerSec)})
        w->setEnabled(timer);

    // Disabled controls show nothing, so a value that does not apply does not look set.
    auto showBox = [](TSwitchVariableBox* box, bool on, int32_t id) {
        box->SetValue(id);
        if (!on) box->setText(QString());
    };
    showBox(mBoxSwitchA, switchA, c.SwitchA);
    showBox(mBoxSwitchB, switchB, c.SwitchB);
    showBox(mBoxVariable, variable, c.VariableID);
    ui->SpinVariableValue->setValue(variable ? c.VariableValue : 0);
    mComboItem->SetID(c.ItemID);
    mComboHero->SetID(c.HeroID);
    if (!item) mComboItem->setCurrentIndex(-1);
    if (!hero) mComboHero->setCurrentIndex(-1);
    ui->SpinTimerMin->setValue(timer ? c.TimerSeconds / 60 : 0);
    ui->SpinTimerSec->setValue(timer ? c.TimerSeconds % 60 : 0);
    mUpdating = false;
}

void TFormEDEvent::refreshMovement() {
    const TQelEventPageItem* page = Page();
    if (!page) return;
    const bool wasUpdating = mUpdating;
    mUpdating = true;
    ui->ComboMoveType->setCurrentIndex(std::clamp<int>(page->MoveType, 0, ui->ComboMoveType->count() - 1));
    ui->ComboFrequency->setCurrentIndex(
        std::clamp(page->MoveFrequency - 1, 0, ui->ComboFrequency->count() - 1));
    ui->ComboTrigger->setCurrentIndex(std::clamp<int>(page->Trigger, 0, ui->ComboTrigger->count() - 1));
    ui->ComboPriority->setCurrentIndex(std::clamp<int>(page->Priority, 0, ui->ComboPriority->count() - 1));
    ui->ComboAnimType->setCurrentIndex(std::clamp<int>(page->AnimType, 0, ui->ComboAnimType->count() - 1));
    ui->ComboSpeed->setCurrentIndex(std::clamp(page->MoveSpeed - 1, 0, ui->ComboSpeed->count() - 1));
    ui->CheckOverlap->setChecked(page->OverlapFlag != 0);
    ui->CheckTransparent->setChecked(page->CharTransparent != 0);
    const bool moves = page->MoveType != 0;
    ui->LabelFrequency->setEnabled(moves);
    ui->ComboFrequency->setEnabled(moves);
    ui->ButtonCreateRoute->setEnabled(page->MoveType == RouteMoveType && HasMoveRouteEditor());
    ui->ComboAnimType->setEnabled(!page->CharName.empty());
    mPreviewTimer.setInterval(PreviewInterval(page->MoveSpeed, page->AnimType));
    mUpdating = wasUpdating;
}

// ---- conditions ----

void TFormEDEvent::conditionChecked() {
    TQelEventPageItem* page = Page();
    if (mUpdating || !page) return;
    uint8_t flags = 0;
    if (ui->CheckSwitchA->isChecked()) flags |= TQelEventCondition::cfSwitchA;
    if (ui->CheckSwitchB->isChecked()) flags |= TQelEventCondition::cfSwitchB;
    if (ui->CheckVariable->isChecked()) flags |= TQelEventCondition::cfVariable;
    if (ui->CheckItem->isChecked()) flags |= TQelEventCondition::cfItem;
    if (ui->CheckHero->isChecked()) flags |= TQelEventCondition::cfHero;
    if (ui->CheckTimer->isChecked()) flags |= TQelEventCondition::cfTimer;
    page->Condition.Flags = flags;
    refreshConditions();
    modified();
}

void TFormEDEvent::storeTimer() {
    TQelEventPageItem* page = Page();
    if (mUpdating || !page) return;
    // Each box keeps the other's part.
    page->Condition.TimerSeconds = ui->SpinTimerMin->value() * 60 + ui->SpinTimerSec->value();
    modified();
}

// ---- name ----

void TFormEDEvent::nameEdited(const QString& text) {
    mEvent.Name = text.toStdString();
    mNameEdited = true;
    modified();
}

bool TFormEDEvent::eventFilter(QObject* watched, QEvent* event) {
    // Lines that name this event show the new name once the name edit is left.
    if (watched == ui->EditName && event->type() == QEvent::FocusOut && mNameEdited) {
        mNameEdited = false;
        mScriptEditor->Reload();
    }
    return TFormQelBase::eventFilter(watched, event);
}

// ---- graphic and preview ----

void TFormEDEvent::ButtonSetGraphicClick() {
    TQelEventPageItem* page = Page();
    if (!page) return;
    TMapGraphics* graphics = mMap ? MapGraphicsOf(*mMap) : nullptr;
    TFormSelEvChar picker(this, graphics ? &graphics->ChipSet() : nullptr);
    picker.SetFileName(QString::fromStdString(page->CharName));
    picker.SetIndex(page->CharIndex);
    picker.SetDirection(page->CharDir);
    picker.SetPattern(page->CharPattern);
    PlaceNearOwner(&picker, GraphicPickerOffset.x(), GraphicPickerOffset.y());
    if (picker.exec() != QDialog::Accepted) return;
    const bool hadFile = !page->CharName.empty();
    page->CharName = picker.FileName().toStdString();
    page->CharIndex = picker.Index();
    page->CharDir = uint8_t(picker.Direction());
    page->CharPattern = picker.Pattern();
    const bool hasFile = !page->CharName.empty();
    // A character stands level with the hero by default, a tile below; the animation types are
    // those of characters.
    if (!hadFile && hasFile) {
        if (page->Priority == 0) page->Priority = 1;
        page->AnimType = 0;
    } else if (hadFile && !hasFile) {
        if (page->Priority == 1) page->Priority = 0;
        page->AnimType = 0;
    }
    refreshMovement();
    reloadPreview();
    modified();
}

int TFormEDEvent::PreviewInterval(int speed, int animType) {
    static constexpr int Normal[6] = {266, 200, 166, 133, 116, 100};
    static constexpr int Spin[6] = {400, 266, 200, 133, 100, 66};
    const int i = std::clamp(speed, 1, 6) - 1;
    return animType == SpinAnimType ? Spin[i] : Normal[i];
}

void TFormEDEvent::reloadPreview() {
    const TQelEventPageItem* page = Page();
    mFrame = 0;
    if (page && !page->CharName.empty()) {
        const int index = std::clamp(page->CharIndex, 0, 7);
        const std::string file = MaterialLocator().Locate(page->CharName, "CharSet");
        mCharSheet.SetSize(CharCellWidth, CharCellHeight);
        mCharSheet.LoadFromFile(file, {index % 4 * CharCellWidth, index / 4 * CharCellHeight}, false);
    } else {
        mCharSheet.SetSize(CharCellWidth, CharCellHeight);
        mCharSheet.Clear();
    }
    drawPreview();
}

void TFormEDEvent::drawPreview() {
    const TQelEventPageItem* page = Page();
    const QColor face = palette().color(QPalette::Window);
    FillRect(mPreview, Bounds(0, 0, PreviewWidth, PreviewHeight),
             {uint8_t(face.red()), uint8_t(face.green()), uint8_t(face.blue())});
    if (!page) {
        ui->PaintBoxPreview->update();
        return;
    }
    TMapGraphics* graphics = mMap ? MapGraphicsOf(*mMap) : nullptr;
    const bool hasChipSet = graphics && graphics->ChipSet().ChipSet();
    const int opacity = page->CharTransparent ? TranslucentOpacity : 255;
    if (!page->CharName.empty() || !hasChipSet) {
        int column = std::clamp(page->CharPattern, 0, 2);
        int row = std::clamp<int>(page->CharDir, 0, 3);
        if (page->AnimType == 1 || page->AnimType == 3) column = SteppingColumns[mFrame % 4];
        if (page->AnimType == SpinAnimType) row = mFrame % 4;
        mCharSheet.SetTransparent(true);
        mCharSheet.SetOpacity(opacity);
        mPreview.StretchDrawSheet(Bounds(4, 0, 2 * FrameWidth, 2 * FrameHeight), mCharSheet,
                                  Bounds(column * FrameWidth, row * FrameHeight, FrameWidth, FrameHeight));
    } else {
        TQelChipSetGraphic& chips = graphics->ChipSet();
        TPrismSheet& sheet = chips.Sheet();
        // The renderer is the map's: what it draws with is put back as it was.
        const bool wasTransparent = sheet.Transparent();
        const int wasOpacity = sheet.Opacity();
        chips.SetTransparent(true);
        sheet.SetOpacity(opacity);
        chips.DrawChip(mPreview, (PreviewWidth - 32) / 2, 0,
                       UpperChipBase + std::clamp(page->CharIndex, 0, 143), false, 32,
                       (PreviewHeight - 32) / 2);
        sheet.SetOpacity(wasOpacity);
        chips.SetTransparent(wasTransparent);
    }
    ui->PaintBoxPreview->update();
}

void TFormEDEvent::PreviewTimerTick() {
    ++mFrame;
    const TQelEventPageItem* page = Page();
    // Only a moving picture needs drawing again.
    if (page && (page->AnimType == 1 || page->AnimType == 3 || page->AnimType == SpinAnimType)) drawPreview();
}

// ---- movement ----

void TFormEDEvent::ButtonCreateRouteClick() {
    TQelEventPageItem* page = Page();
    if (!page || page->MoveType != RouteMoveType || !HasMoveRouteEditor()) return;
    bool dataBaseChanged = false;
    const bool ok = routeEditor()(this, *page, dataBaseChanged);
    if (dataBaseChanged) SubDialogChangedDataBase();
    if (ok) {
        refreshMovement();
        modified();
    }
}

void TFormEDEvent::ButtonMusicClick() {
    TFormSelMusic picker(this);
    picker.SetListenOnly(true);
    picker.exec();
}

// ---- pages ----

void TFormEDEvent::ButtonNewPageClick() {
    const TQelEventPageItem* shown = Page();
    if (!shown || PageCount() >= MaxPages) return;
    TQelEventPageItem* page = mEvent.Pages.Insert(mPageNumber + 1);
    shown = Page();
    page->CharName = shown->CharName;
    page->CharIndex = shown->CharIndex;
    page->CharDir = shown->CharDir;
    page->CharPattern = shown->CharPattern;
    page->CharTransparent = shown->CharTransparent;
    page->MoveType = shown->MoveType;
    page->MoveFrequency = shown->MoveFrequency;
    page->Trigger = shown->Trigger;
    page->Priority = shown->Priority;
    page->OverlapFlag = shown->OverlapFlag;
    page->AnimType = shown->AnimType;
    page->MoveSpeed = shown->MoveSpeed;
    page->MoveRoute.Assign(shown->MoveRoute);
    mPageNumber += 1;
    fillTabs();
    refreshPage();
    modified();
}

void TFormEDEvent::ButtonCopyPageClick() {
    if (const TQelEventPageItem* page = Page()) page->CopyToClipboard(ClipboardFormat::EventPage);
    refreshPageButtons();
}

void TFormEDEvent::ButtonPastePageClick() {
    if (PageCount() >= MaxPages) return;
    TQelEventPageItem pasted;
    if (!pasted.PasteFromClipboard(ClipboardFormat::EventPage)) return;
    TQelEventPageItem* page = mEvent.Pages.Insert(mPageNumber + 1);
    page->Assign(pasted);
    mPageNumber += 1;
    fillTabs();
    refreshPage();
    modified();
}

void TFormEDEvent::ButtonDeletePageClick() {
    if (PageCount() <= 1) return;
    mEvent.Pages.Remove(mPageNumber);
    mPageNumber = std::min(mPageNumber, PageCount());
    fillTabs();
    refreshPage();
    modified();
}

void TFormEDEvent::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int tabs = ui->TabPages->count();
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        if (tabs >= 2) {
            const bool back = shift || event->key() == Qt::Key_Backtab;
            ShowPage((mPageNumber - 1 + (back ? tabs - 1 : 1)) % tabs);
        }
        event->accept();
        return;
    }
    TFormQelBase::keyPressEvent(event);
}

// ---- database changes, OK, Apply, Cancel ----

void TFormEDEvent::SubDialogChangedDataBase() {
    mDataBaseChanged = true;
    refreshPage();
    ui->ButtonApply->setEnabled(true);
}

bool TFormEDEvent::store() {
    if (mDataBaseChanged && mStore.Save) {
        try {
            mStore.Save();
        } catch (const std::exception& error) {
            ShowError(QString("The database could not be saved, so the event was not stored either:\n%1")
                          .arg(QString::fromUtf8(error.what())),
                      this);
            return false;
        }
    }
    mDataBaseChanged = false;
    if (onStore) onStore(mEvent);
    return true;
}

void TFormEDEvent::ButtonOkClick() {
    if (store()) accept();
}

void TFormEDEvent::ButtonApplyClick() {
    if (store()) ui->ButtonApply->setEnabled(false);
}

void TFormEDEvent::ButtonHelpClick() {
    ShowHelpContext(this, HelpContext);
}

void TFormEDEvent::done(int result) {
    mPreviewTimer.stop();
    // Database changes that were not saved go with the event.
    if (mDataBaseChanged && mStore.Reload) {
        mDataBaseChanged = false;
        mStore.Reload();
    }
    hide();
    if (parentWidget()) parentWidget()->update();
    TFormQelBase::done(result);
}

} // namespace tarvel
