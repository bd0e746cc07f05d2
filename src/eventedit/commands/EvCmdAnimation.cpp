#include "EvCmdAnimation.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "EvCmdOptions.h"
#include "EvCmdWidgets.h"
#include "controls/BoardView.h"
#include "data/LD_Animation.h"
#include "data/LD_DataBase.h"
#include "graphics/GR_Animation.h"
#include "mapedit_core/AnimationRecordLook.h"

namespace tarvel {

// ---- TAnimationPreview

TAnimationPreview::TAnimationPreview(QWidget* parent)
    : QWidget(parent), mGraphic(std::make_unique<TQelAnimationGraphic>()), mView(new BoardView(this)),
      mPlay(new QPushButton("Play", this)), mTimer(new QTimer(this)) {
    setObjectName("Preview");
    mPlay->setObjectName("ButtonPlay");
    mPlay->setAutoDefault(false);
    mBoard.SetSize(Width, Height);
    mView->SetBoard(&mBoard);
    mView->FitToBoard();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mView);
    layout->addWidget(mPlay, 0, Qt::AlignRight);
    mTimer->setInterval(FrameMilliseconds);
    connect(mTimer, &QTimer::timeout, this, &TAnimationPreview::Step);
    connect(mPlay, &QPushButton::clicked, this, &TAnimationPreview::Play);
    draw();
}

TAnimationPreview::~TAnimationPreview() = default;

void TAnimationPreview::SetAnimation(int32_t id) {
    mTimer->stop();
    TQelDataBase* db = QelDataBase();
    const TQelAnimationItem* item = db ? db->Animations().Find(id) : nullptr;
    mGraphic->SetAnimation(nullptr, true);
    mLook = item ? std::make_unique<TAnimationRecordLook>(item) : nullptr;
    mGraphic->SetAnimation(mLook.get(), false);
    mFrame = 0;
    draw();
}

void TAnimationPreview::Play() {
    mFrame = 0;
    draw();
    if (mLook) mGraphic->PlayFrameSounds(0);
    if (mLook && mLook->FrameCount() > 1) mTimer->start();
}

void TAnimationPreview::Step() {
    if (!mLook || mFrame + 1 >= mLook->FrameCount()) {
        mTimer->stop();
        return;
    }
    ++mFrame;
    draw();
    mGraphic->PlayFrameSounds(mFrame);
    if (mFrame + 1 >= mLook->FrameCount()) mTimer->stop();
}

bool TAnimationPreview::Playing() const {
    return mTimer->isActive();
}

void TAnimationPreview::draw() {
    FillRect(mBoard, {0, 0, Width, Height}, TRGB{128, 128, 128});
    if (mLook) {
        mGraphic->ResetColors();
        mGraphic->ApplyScreenFlash(mGraphic->Sheet(), mFrame);
        mGraphic->DrawFrame(mBoard, Width / 2, mFrame, Height / 2);
    }
    mView->update();
}

// ---- TFormEvCmd11210

namespace {

struct TMapAnimationFields {
    int32_t Animation = 1;
    int32_t Target = CharacterHero;
    bool WholeMap = false;
};

TEvCmdOption<TMapAnimationFields>& rememberedMapAnimation() {
    static TEvCmdOption<TMapAnimationFields> option{TMapAnimationFields{}};
    return option;
}

TRecordCombo* animationCombo(QWidget* parent, TAnimationPreview* preview) {
    TQelDataBase* db = QelDataBase();
    auto* combo = new TRecordCombo(db ? &db->Animations() : nullptr, parent);
    combo->setObjectName("ComboAnimation");
    QObject::connect(combo, &QComboBox::currentIndexChanged, preview,
                     [combo, preview] { preview->SetAnimation(combo->ID()); });
    return combo;
}

// The animation list above its preview.
QGroupBox* animationGroup(QWidget* parent, TRecordCombo* combo, TAnimationPreview* preview) {
    auto* group = new QGroupBox("Battle Animation", parent);
    auto* column = new QVBoxLayout(group);
    column->addWidget(combo);
    column->addWidget(preview);
    return group;
}

} // namespace

TFormEvCmd11210::TFormEvCmd11210(QWidget* owner)
    : TFormEvCmdBase(owner, 11210, "Show Battle Animation"), mPreview(new TAnimationPreview(this)),
      mTarget(new TCharacterCombo(this)), mWait(new TWaitCheckBox(this)),
      mWholeMap(new QCheckBox("Whole Map", this)) {
    mAnimation = animationCombo(this, mPreview);
    mTarget->setObjectName("ComboTarget");
    mWholeMap->setObjectName("CheckWholeMap");
    Body()->addWidget(animationGroup(this, mAnimation, mPreview));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Target", this));
    row->addWidget(mTarget, 1);
    Body()->addLayout(row);
    Body()->addWidget(mWait);
    Body()->addWidget(mWholeMap);
}

void TFormEvCmd11210::LoadCommand(const TQelEventScriptLine* head) {
    TMapAnimationFields f = rememberedMapAnimation().Value();
    mWait->LoadRemembered();
    if (head) {
        f = {head->Param(0), head->Param(1), head->Param(3) == 1};
        mWait->setChecked(head->Param(2) == 1);
    }
    mAnimation->SetID(f.Animation);
    mPreview->SetAnimation(mAnimation->ID());
    mTarget->Fill(Context());
    mTarget->SetValue(f.Target);
    mWholeMap->setChecked(f.WholeMap);
}

void TFormEvCmd11210::SaveCommand() {
    TMapAnimationFields f{mAnimation->ID(), mTarget->Value(), mWholeMap->isChecked()};
    rememberedMapAnimation().Set(f);
    mWait->Remember();
    WriteLine({Code(), 0, {}, {f.Animation, f.Target, mWait->isChecked() ? 1 : 0, f.WholeMap ? 1 : 0}});
}

// ---- TFormEvCmd13260

namespace {

constexpr int32_t WholeGroup = -1;

struct TBattleAnimationFields {
    int32_t Animation = 1;
    bool AllGroup = true;
    int32_t Member = 0;
};

TEvCmdOption<TBattleAnimationFields>& rememberedBattleAnimation() {
    static TEvCmdOption<TBattleAnimationFields> option{TBattleAnimationFields{}};
    return option;
}

} // namespace

TFormEvCmd13260::TFormEvCmd13260(QWidget* owner)
    : TFormEvCmdBase(owner, 13260, "Show Battle Animation"), mPreview(new TAnimationPreview(this)),
      mAllGroup(new QRadioButton("All Group", this)), mOneMember(new QRadioButton("Member", this)),
      mMember(new TCharacterCombo(this)), mWait(new TWaitCheckBox(this)) {
    mAnimation = animationCombo(this, mPreview);
    mAllGroup->setObjectName("RadioAllGroup");
    mOneMember->setObjectName("RadioMember");
    mMember->setObjectName("ComboMember");
    Body()->addWidget(animationGroup(this, mAnimation, mPreview));
    auto* target = new QGroupBox("Target", this);
    auto* grid = new QGridLayout(target);
    grid->addWidget(mAllGroup, 0, 0);
    grid->addWidget(mOneMember, 1, 0);
    grid->addWidget(mMember, 1, 1);
    grid->setColumnStretch(1, 1);
    Body()->addWidget(target);
    Body()->addWidget(mWait);
    connect(mOneMember, &QRadioButton::toggled, mMember, &QWidget::setEnabled);
}

void TFormEvCmd13260::LoadCommand(const TQelEventScriptLine* head) {
    TBattleAnimationFields f = rememberedBattleAnimation().Value();
    mWait->LoadRemembered();
    if (head) {
        f.Animation = head->Param(0);
        f.AllGroup = head->Param(1) < 0;
        if (!f.AllGroup) f.Member = head->Param(1);
        mWait->setChecked(head->Param(2) == 1);
    }
    mAnimation->SetID(f.Animation);
    mPreview->SetAnimation(mAnimation->ID());
    mMember->Fill(Context());
    mMember->SetValue(f.Member);
    (f.AllGroup ? mAllGroup : mOneMember)->setChecked(true);
    mMember->setEnabled(!f.AllGroup);
}

void TFormEvCmd13260::SaveCommand() {
    TBattleAnimationFields f{mAnimation->ID(), mAllGroup->isChecked(), mMember->Value()};
    rememberedBattleAnimation().Set(f);
    mWait->Remember();
    WriteLine({Code(), 0, {}, {f.Animation, f.AllGroup ? WholeGroup : f.Member, mWait->isChecked() ? 1 : 0}});
}

} // namespace tarvel
