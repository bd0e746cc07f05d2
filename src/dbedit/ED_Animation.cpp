#include "ED_Animation.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ED_AnimationCells.h"
#include "ED_AnimationFrames.h"
#include "ED_AnimationTiming.h"
#include "ED_AnimationView.h"
#include "ED_Widgets.h"
#include "controls/BoardView.h"
#include "controls/BusyCursor.h"
#include "controls/DialogPlacement.h"
#include "data/AnimationEditRules.h"
#include "data/LD_DataBase.h"
#include "pickers/SelBattle.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {

TPlaybackClock& playbackClock() {
    static TPlaybackClock clock;
    return clock;
}

int64_t clockNow() {
    static QElapsedTimer timer;
    if (!timer.isValid()) timer.start();
    return playbackClock().now ? playbackClock().now() : timer.elapsed();
}

void clockWait() {
    if (playbackClock().wait)
        playbackClock().wait();
    else
        QThread::msleep(1);
}

// Swallows the input that arrived while a playback held the window, so clicks made meanwhile do
// not act afterwards.
class TInputDiscarder : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }
};

void discardPendingInput() {
    TInputDiscarder discarder;
    qApp->installEventFilter(&discarder);
    QApplication::processEvents();
    qApp->removeEventFilter(&discarder);
}

} // namespace

void SetPlaybackClock(TPlaybackClock clock) {
    playbackClock() = std::move(clock);
}

TFormEDAnimation::TFormEDAnimation(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Animations(), ClipboardFormat::Animations) {
    setObjectName("FormEDAnimation");
    setWindowTitle("Battle Animation");
    QWidget* area = EditorArea();
    EditName()->setMaxLength(20);
    mImageBox = new TFieldBox([this](std::string& name) { return ImageBoxClick(name); }, area);
    mImageBox->setObjectName("ImageBox");
    mFrameNoBox = new TFieldBox([this](std::string& value) { return FrameNoBoxClick(value); }, area);
    mFrameNoBox->setObjectName("FrameNoBox");
    mFrameNoBox->setMinimumWidth(56);
    mFrameList = new QListWidget(area);
    mFrameList->setObjectName("ListFrames");
    mBack = new QPushButton("&Back", area);
    mNext = new QPushButton("&Next", area);
    mScope = new TRadioGroup("Apply Scope", {"Single", "All"}, Qt::Vertical, area);
    mLine = new TRadioGroup("Y coord. line", {"Head", "Center", "At a feet"}, Qt::Vertical, area);
    mTarget = new TRecordCombo(&dataBase.Monsters(), area);
    mTarget->setObjectName("ComboTarget");
    mGrid = new QCheckBox("Use Grid", area);
    mGetPrev = new QPushButton("Get Prev.", area);
    mEdit = new QPushButton("Edit...", area);
    mComplete = new QPushButton("Complete...", area);
    mCreateAll = new QPushButton("Create All...", area);
    mPlayback = new QPushButton("Playback", area);
    mTimingList = new QTreeWidget(area);
    mTimingList->setObjectName("ListTiming");
    mView = new TAnimationCellView(area);
    mStrip = new TAnimationPatternStrip(mView->Graphic(), area);
    for (QPushButton* b : {mBack, mNext, mGetPrev, mEdit, mComplete, mCreateAll, mPlayback})
        b->setAutoDefault(false);

    // Top: name, picture and frame count.
    auto* top = new QHBoxLayout;
    auto* nameLabel = new QLabel("Name", area);
    nameLabel->setBuddy(EditName());
    top->addWidget(nameLabel);
    top->addWidget(EditName(), 2);
    top->addWidget(new QLabel("Battle Graphics", area));
    top->addWidget(mImageBox, 2);
    top->addWidget(new QLabel("Frame No.", area));
    top->addWidget(mFrameNoBox);

    // The view, the frames beside it, the scope and the line.
    auto* frames = new QVBoxLayout;
    frames->addWidget(mFrameList, 1);
    auto* backNext = new QHBoxLayout;
    backNext->addWidget(mBack);
    backNext->addWidget(mNext);
    frames->addLayout(backNext);
    mBack->setMaximumWidth(56);
    mNext->setMaximumWidth(56);
    mFrameList->setMaximumWidth(120);
    auto* scopes = new QVBoxLayout;
    scopes->addWidget(mScope);
    scopes->addWidget(mLine);
    scopes->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(mView, 0, Qt::AlignTop);
    middle->addLayout(frames);
    middle->addLayout(scopes, 1);

    // The timing list and the tools.
    mTimingList->setColumnCount(3);
    mTimingList->setHeaderLabels({"Frame", "Select Sound Effect", "Flash"});
    mTimingList->setRootIsDecorated(false);
    mTimingList->setUniformRowHeights(true);
    mTimingList->setAllColumnsShowFocus(true);
    mTimingList->header()->setStretchLastSection(true);
    mTimingList->setColumnWidth(0, 56);
    mTimingList->setColumnWidth(1, 120);
    mTimingList->setMinimumHeight(72);
    auto* tools = new QGridLayout;
    auto* targetLabel = new QLabel("Target Victim", area);
    targetLabel->setBuddy(mTarget);
    tools->addWidget(targetLabel, 0, 0);
    tools->addWidget(mTarget, 0, 1);
    tools->addWidget(mGrid, 1, 0);
    tools->addWidget(mGetPrev, 1, 1);
    tools->addWidget(mEdit, 2, 0);
    tools->addWidget(mComplete, 2, 1);
    tools->addWidget(mCreateAll, 3, 0);
    tools->addWidget(mPlayback, 3, 1);
    tools->setRowStretch(4, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mTimingList, 1);
    bottom->addLayout(tools);

    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(mStrip);
    layout->addLayout(bottom, 1);

    // The frame list's menu.
    mFrameMenu = new QMenu(this);
    auto frameAction = [this](const QString& caption, const QKeySequence& key, const char* name,
                              void (TFormEDAnimation::*slot)()) {
        QAction* a = AddMenuAction(mFrameMenu, this, caption, name, slot);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetShortcut);
            mFrameList->addAction(a);
        }
        return a;
    };
    mFrameCopy = frameAction("&Copy", {}, "Menu_FrameCopy", &TFormEDAnimation::Menu_FrameCopy);
    mFramePaste = frameAction("&Paste", {}, "Menu_FramePaste", &TFormEDAnimation::Menu_FramePaste);
    mFrameClear = frameAction("C&lear", {}, "Menu_FrameClear", &TFormEDAnimation::Menu_FrameClear);
    mFrameCut = frameAction("Cu&t", {}, "Menu_FrameCut", &TFormEDAnimation::Menu_FrameCut);
    mFrameMenu->addSeparator();
    mFrameInsert = frameAction("&Insert", QKeySequence(Qt::Key_Insert), "Menu_FrameInsert",
                               &TFormEDAnimation::Menu_FrameInsert);
    mFrameDelete = frameAction("&Delete", QKeySequence(Qt::SHIFT | Qt::Key_Delete), "Menu_FrameDelete",
                               &TFormEDAnimation::Menu_FrameDelete);
    connect(mFrameMenu, &QMenu::aboutToShow, this, &TFormEDAnimation::UpdateFrameMenu);
    mFrameList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mFrameList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { mFrameMenu->popup(mFrameList->viewport()->mapToGlobal(at)); });

    // The timing list's menu.
    mTimingMenu = new QMenu(this);
    auto timingAction = [this](const QString& caption, const char* name, void (TFormEDAnimation::*slot)()) {
        return AddMenuAction(mTimingMenu, this, caption, name, slot);
    };
    mTimingEdit = timingAction("&Edit...", "Menu_TimingEdit", &TFormEDAnimation::Menu_TimingEdit);
    mTimingMenu->addSeparator();
    mTimingCut = timingAction("Cu&t", "Menu_TimingCut", &TFormEDAnimation::Menu_TimingCut);
    mTimingCopy = timingAction("&Copy", "Menu_TimingCopy", &TFormEDAnimation::Menu_TimingCopy);
    mTimingPaste = timingAction("&Paste", "Menu_TimingPaste", &TFormEDAnimation::Menu_TimingPaste);
    mTimingDelete = timingAction("&Delete", "Menu_TimingDelete", &TFormEDAnimation::Menu_TimingDelete);
    mTimingEdit->setShortcut(Qt::Key_Return);
    connect(mTimingMenu, &QMenu::aboutToShow, this, &TFormEDAnimation::UpdateTimingMenu);
    mTimingList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mTimingList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // The mouse opens it only on a row, which it selects first.
        QTreeWidgetItem* row = mTimingList->itemAt(at);
        if (!row) return;
        mTimingList->setCurrentItem(row);
        mTimingMenu->popup(mTimingList->viewport()->mapToGlobal(at));
    });
    connect(mTimingList, &QTreeWidget::itemDoubleClicked, this, &TFormEDAnimation::Menu_TimingEdit);

    connect(mFrameList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        mView->SetFrame(row);
        mGetPrev->setEnabled(row > 0);
    });
    connect(mBack, &QPushButton::clicked, this, [this] { SetFrameIndex(FrameIndex() - 1); });
    connect(mNext, &QPushButton::clicked, this, [this] { SetFrameIndex(FrameIndex() + 1); });
    connect(mScope, &TRadioGroup::indexChanged, this, &TFormEDAnimation::ScopeClick);
    connect(mLine, &TRadioGroup::indexChanged, this, &TFormEDAnimation::LineClick);
    connect(mTarget, &QComboBox::currentIndexChanged, this, &TFormEDAnimation::TargetChange);
    connect(mGrid, &QCheckBox::toggled, this, &TFormEDAnimation::GridClick);
    connect(mGetPrev, &QPushButton::clicked, this, &TFormEDAnimation::ButtonGetPrevClick);
    connect(mEdit, &QPushButton::clicked, this, &TFormEDAnimation::ButtonEditClick);
    connect(mComplete, &QPushButton::clicked, this, &TFormEDAnimation::ButtonCompleteClick);
    connect(mCreateAll, &QPushButton::clicked, this, &TFormEDAnimation::ButtonCreateAllClick);
    connect(mPlayback, &QPushButton::clicked, this, &TFormEDAnimation::ButtonPlaybackClick);
    mView->onModified = [this] { Modified(); };
    mView->onFrameStep = [this](int delta) { SetFrameIndex(FrameIndex() + delta); };
    mStrip->onPatternChosen = [this](int pattern) { mView->SetPattern(pattern); };
    mFrameList->installEventFilter(this);
    mStrip->PaintBox()->installEventFilter(this);
    mTimingList->installEventFilter(this);
}

TFormEDAnimation::~TFormEDAnimation() = default;

int TFormEDAnimation::FrameCount() const {
    return Current() ? AnimationFrameCount(*Current()) : 0;
}

int TFormEDAnimation::FrameIndex() const {
    return std::max(mFrameList->currentRow(), 0);
}

void TFormEDAnimation::SetFrameIndex(int index) {
    if (index >= 0 && index < mFrameList->count()) mFrameList->setCurrentRow(index);
}

// ---- loading ----

void TFormEDAnimation::LoadRecord() {
    TQelAnimationItem* animation = Current();
    const bool has = animation != nullptr;
    for (QWidget* w :
         std::initializer_list<QWidget*>{mImageBox, mFrameNoBox, mFrameList, mScope, mLine, mGetPrev, mEdit,
                                         mComplete, mCreateAll, mPlayback, mTimingList})
        w->setEnabled(has);
    mView->SetAnimation(animation);
    mImageBox->SetValue(has ? animation->GraphicName : std::string());
    mFrameNoBox->SetValue(has ? std::to_string(FrameCount()) : std::string());
    fillFrameList(0);
    mScope->SetIndex(has ? animation->Scope : 0);
    showLine();
    const TQelSystem& system = DataBase().System();
    const int monster =
        system.PreviewMonster >= 1 && system.PreviewMonster <= mTarget->count() ? system.PreviewMonster : 1;
    mTarget->SetID(monster);
    mGrid->setChecked(system.PreviewGrid != 0);
    mView->SetGrid(system.PreviewGrid != 0);
    fillTimingList(nullptr);
    loadTarget();
    mStrip->Redraw();
    mView->Redraw();
}

void TFormEDAnimation::fillFrameList(int selected) {
    const QSignalBlocker block(mFrameList);
    mFrameList->clear();
    for (int f = 1; f <= FrameCount(); ++f)
        mFrameList->addItem(QString::asprintf(" < %.2d >", f));
    const int row = std::clamp(selected, 0, std::max(FrameCount() - 1, 0));
    mFrameList->setCurrentRow(FrameCount() > 0 ? row : -1);
    mView->SetFrame(row);
    mGetPrev->setEnabled(Current() && row > 0);
}

void TFormEDAnimation::showLine() {
    const bool single = Current() && Current()->Scope == 0;
    mLine->setEnabled(single);
    const QSignalBlocker block(mLine);
    if (single) {
        mLine->SetIndex(Current()->Position);
        return;
    }
    // "All" has no line to show.
    for (int i = 0; i < mLine->Count(); ++i) {
        QRadioButton* b = mLine->Button(i);
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

void TFormEDAnimation::loadTarget() {
    const TQelMonsterItem* monster = DataBase().Monsters().Find(mTarget->ID());
    if (monster)
        mView->SetTarget(monster->GraphicName, monster->GraphicHue);
    else
        mView->SetTarget(std::string(), 0);
}

QStringList TFormEDAnimation::TimingRowTexts(const TQelAnimationTimingItem& t) {
    QString flash;
    if (t.FlashScope == 1 || t.FlashScope == 2)
        flash = QString::asprintf(t.FlashScope == 1 ? "Target(R%.2d,G%.2d,B%.2d,V%.2d)"
                                                    : "Screen(R%.2d,G%.2d,B%.2d,V%.2d)",
                                  t.FlashRed, t.FlashGreen, t.FlashBlue, t.FlashPower);
    const QString sound = t.Sound.FileName == MusicOff ? QString() : QString::fromStdString(t.Sound.FileName);
    return {QString::asprintf(" < %.2d >", t.Frame), sound, flash};
}

void TFormEDAnimation::fillTimingList(const TQelAnimationTimingItem* select) {
    const QSignalBlocker block(mTimingList);
    mTimingList->clear();
    QTreeWidgetItem* chosen = nullptr;
    if (Current())
        for (int i = 0; i < Current()->Timings.Count(); ++i) {
            const TQelAnimationTimingItem* t = Current()->Timings.Items(i);
            auto* row = new QTreeWidgetItem(mTimingList, TimingRowTexts(*t));
            if (t == select) chosen = row;
        }
    // The empty row where a new entry is made.
    auto* empty = new QTreeWidgetItem(mTimingList, QStringList{QString(), QString(), QString()});
    mTimingList->setCurrentItem(chosen ? chosen : select ? empty : mTimingList->topLevelItem(0));
    mTimingList->scrollToItem(mTimingList->currentItem());
}

TQelAnimationTimingItem* TFormEDAnimation::TimingAt(int row) const {
    return Current() ? Current()->Timings.Items(row) : nullptr;
}

// ---- changes ----

void TFormEDAnimation::cellsChanged() {
    mView->SetFrame(FrameIndex());
    Modified();
}

void TFormEDAnimation::framesChanged() {
    mFrameNoBox->SetValue(std::to_string(FrameCount()));
    fillFrameList(FrameIndex());
    mView->Graphic().BuildFlashes(false);
    fillTimingList(nullptr);
    Modified();
}

void TFormEDAnimation::timingsChanged(const TQelAnimationTimingItem* select) {
    fillTimingList(select);
    mView->Graphic().BuildFlashes(false);
    Modified();
}

bool TFormEDAnimation::ImageBoxClick(std::string& name) {
    if (!Current()) return false;
    name = Current()->GraphicName;
    if (!PickPictureName<TFormSelBattle>(this, name)) return false;
    Current()->GraphicName = name;
    mView->ReloadPicture();
    mStrip->Redraw();
    Modified();
    return true;
}

bool TFormEDAnimation::FrameNoBoxClick(std::string& value) {
    if (!Current()) return false;
    TFormFrameNumber dialog(window(), FrameCount());
    PlaceNearOwner(&dialog, 212, 44);
    if (dialog.exec() != QDialog::Accepted) return false;
    SetAnimationFrameCount(*Current(), dialog.Count());
    framesChanged();
    value = std::to_string(FrameCount());
    return true;
}

void TFormEDAnimation::ScopeClick(int scope) {
    if (Loading() || !Current() || Current()->Scope == scope) return;
    ShiftAnimationCellsY(*Current(), AnimationScopeChangeOffset(Current()->Scope, scope, Current()->Position,
                                                                mView->TargetHeight()));
    Current()->Scope = uint8_t(scope);
    showLine();
    mView->Redraw();
    Modified();
}

void TFormEDAnimation::LineClick(int line) {
    if (Loading() || !Current() || Current()->Scope != 0 || Current()->Position == line) return;
    ShiftAnimationCellsY(*Current(),
                         AnimationLineChangeOffset(Current()->Position, line, mView->TargetHeight()));
    Current()->Position = uint8_t(line);
    mView->Redraw();
    Modified();
}

void TFormEDAnimation::TargetChange(int row) {
    if (Loading() || row < 0) return;
    DataBase().System().PreviewMonster = row + 1;
    loadTarget();
    Modified();
}

void TFormEDAnimation::GridClick(bool on) {
    if (Loading()) return;
    DataBase().System().PreviewGrid = on ? 1 : 0;
    mView->SetGrid(on);
    Modified();
}

// ---- the tools ----

void TFormEDAnimation::ButtonGetPrevClick() {
    if (Current() && CopyPreviousAnimationFrame(*Current(), FrameIndex())) cellsChanged();
}

void TFormEDAnimation::ButtonEditClick() {
    if (!Current()) return;
    TFormFrameManage dialog(window(), FrameCount());
    PlaceNearOwner(&dialog, 544, 180);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.Apply(*Current());
    fillTimingList(nullptr);
    cellsChanged();
}

void TFormEDAnimation::ButtonCompleteClick() {
    if (!Current()) return;
    TFormComplement dialog(window(), FrameCount());
    PlaceNearOwner(&dialog, 440, 190);
    if (dialog.exec() != QDialog::Accepted) return;
    ComplementAnimation(*Current(), dialog.Settings());
    cellsChanged();
}

void TFormEDAnimation::ButtonCreateAllClick() {
    if (!Current()) return;
    TFormAnimationCellsAll dialog(window(), FrameCount());
    PlaceNearOwner(&dialog, 232, 110);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplyBatchCells(*Current(), dialog.Settings());
    cellsChanged();
}

void TFormEDAnimation::ButtonPlaybackClick() {
    if (!Current()) return;
    {
        TBusyCursor busy;
        TQelAnimationGraphic& graphic = mView->Graphic();
        graphic.BuildFlashes(false);
        const int64_t start = clockNow();
        for (const TAnimationPlaybackStep& step : AnimationPlaybackSchedule(FrameCount())) {
            while (clockNow() - start < step.timeMs)
                clockWait();
            if (step.drawsFrame) graphic.PlayFrameSounds(step.step);
            mView->DrawPlaybackStep(step.step);
            mView->ShowNow();
        }
    }
    discardPendingInput();
    RepaintView();
}

void TFormEDAnimation::ShowPlaybackStep(int step) {
    if (!Current()) return;
    mView->Graphic().BuildFlashes(false);
    mView->DrawPlaybackStep(step);
}

void TFormEDAnimation::RepaintView() {
    mView->Redraw();
}

// ---- the frame menu ----

void TFormEDAnimation::UpdateFrameMenu() {
    const bool has = Current() != nullptr;
    mFrameCopy->setEnabled(has);
    mFrameClear->setEnabled(has);
    mFrameCut->setEnabled(has);
    mFramePaste->setEnabled(has && Clipboard().has(ClipboardFormat::AnimationFrames));
    mFrameInsert->setEnabled(has && CanInsertAnimationFrame(*Current()));
    mFrameDelete->setEnabled(has && CanDeleteAnimationFrame(*Current()));
}

void TFormEDAnimation::Menu_FrameCopy() {
    if (!Current()) return;
    if (const TQelAnimationPatternItem* frame = AnimationFrame(*Current(), FrameIndex()))
        frame->CopyToClipboard(ClipboardFormat::AnimationFrames);
}

void TFormEDAnimation::Menu_FramePaste() {
    if (!Current()) return;
    TQelAnimationPatternItem* frame = AnimationFrame(*Current(), FrameIndex());
    if (frame && frame->PasteFromClipboard(ClipboardFormat::AnimationFrames)) cellsChanged();
}

void TFormEDAnimation::Menu_FrameClear() {
    if (!Current()) return;
    if (TQelAnimationPatternItem* frame = AnimationFrame(*Current(), FrameIndex())) {
        frame->Reset();
        cellsChanged();
    }
}

void TFormEDAnimation::Menu_FrameCut() {
    Menu_FrameCopy();
    Menu_FrameClear();
}

void TFormEDAnimation::Menu_FrameInsert() {
    UpdateFrameMenu();
    if (mFrameInsert->isEnabled() && InsertAnimationFrame(*Current(), FrameIndex())) framesChanged();
}

void TFormEDAnimation::Menu_FrameDelete() {
    UpdateFrameMenu();
    if (mFrameDelete->isEnabled() && DeleteAnimationFrame(*Current(), FrameIndex())) framesChanged();
}

// ---- the timing menu ----

void TFormEDAnimation::UpdateTimingMenu() {
    const TQelAnimationTimingItem* entry = TimingAt(mTimingList->currentIndex().row());
    const bool room = Current() && Current()->Timings.Count() < AnimationMaxTimings;
    mTimingEdit->setEnabled(Current() && (entry || room));
    mTimingCut->setEnabled(entry);
    mTimingCopy->setEnabled(entry);
    mTimingDelete->setEnabled(entry);
    mTimingPaste->setEnabled(room && Clipboard().has(ClipboardFormat::AnimationTimings));
}

void TFormEDAnimation::Menu_TimingEdit() {
    UpdateTimingMenu();
    if (!mTimingEdit->isEnabled()) return;
    TQelAnimationTimingItem* entry = TimingAt(mTimingList->currentIndex().row());
    TQelAnimationTimingItem copy;
    if (entry)
        copy.Assign(*entry);
    else
        copy.Frame = std::clamp(RememberedTimingFrame().Value(), 1, std::max(FrameCount(), 1));
    TFormAnimationTiming dialog(window(), FrameCount());
    dialog.SetTiming(copy);
    PlaceNearOwner(&dialog, 304, 80);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!entry) entry = Current()->Timings.Append();
    dialog.GetTiming(*entry);
    SortAnimationTimings(*Current());
    timingsChanged(entry);
}

void TFormEDAnimation::Menu_TimingCut() {
    Menu_TimingCopy();
    Menu_TimingDelete();
}

void TFormEDAnimation::Menu_TimingCopy() {
    if (const TQelAnimationTimingItem* entry = TimingAt(mTimingList->currentIndex().row()))
        entry->CopyToClipboard(ClipboardFormat::AnimationTimings);
}

void TFormEDAnimation::Menu_TimingPaste() {
    UpdateTimingMenu();
    if (!mTimingPaste->isEnabled()) return;
    TQelAnimationTiming pasted;
    if (pasted.PasteFromClipboard(ClipboardFormat::AnimationTimings, 0) == 0) return;
    TQelAnimationTiming& timings = Current()->Timings;
    const TQelAnimationTimingItem* first = nullptr;
    for (int i = 0; i < pasted.Count() && timings.Count() < AnimationMaxTimings; ++i) {
        TQelAnimationTimingItem* entry = timings.Append();
        entry->Assign(*pasted.Items(i));
        if (!first) first = entry;
    }
    SortAnimationTimings(*Current());
    timingsChanged(first);
}

void TFormEDAnimation::Menu_TimingDelete() {
    const TQelAnimationTimingItem* entry = TimingAt(mTimingList->currentIndex().row());
    if (!entry) return;
    const int row = mTimingList->currentIndex().row();
    Current()->Timings.Remove(entry->ID);
    timingsChanged(nullptr);
    mTimingList->setCurrentItem(
        mTimingList->topLevelItem(std::min(row, mTimingList->topLevelItemCount() - 1)));
}

// ---- keys ----

bool TFormEDAnimation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        const bool ctrl = e->modifiers() & Qt::ControlModifier;
        if (watched == mTimingList && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
            Menu_TimingEdit();
            return true;
        }
        if ((watched == mFrameList || watched == mStrip->PaintBox()) && !ctrl &&
            (e->key() == Qt::Key_B || e->key() == Qt::Key_N)) {
            SetFrameIndex(FrameIndex() + (e->key() == Qt::Key_B ? -1 : 1));
            return true;
        }
    }
    if (watched == mTimingList && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        const QRect row = mTimingList->visualItemRect(mTimingList->currentItem());
        mTimingMenu->popup(mTimingList->viewport()->mapToGlobal(row.bottomLeft()));
        return true;
    }
    return TFormDataBaseListOf::eventFilter(watched, event);
}

} // namespace tarvel
