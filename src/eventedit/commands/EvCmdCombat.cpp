#include "EvCmdCombat.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>

#include "EvCmdOptions.h"
#include "EvCmdWidgets.h"
#include "data/LD_DataBase.h"

namespace tarvel {

namespace {

TQelDataBase* database() {
    return QelDataBase();
}

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

// A message style group: "A:", "B:"... with the style's first text under the buttons, so the
// user sees which messages a style means.
TRadioGroup* messageStyles(QWidget* parent, int count, bool shop) {
    QStringList captions;
    for (int i = 0; i < count; ++i)
        captions << QString(QChar('A' + i)) + ":";
    auto* group = new TRadioGroup("Message Style", captions, Qt::Horizontal, parent);
    group->setObjectName("GroupMessages");
    auto* preview = new QLabel(group);
    preview->setObjectName("LabelMessage");
    preview->setMinimumWidth(220);
    // Beside the buttons, before the row's closing stretch.
    static_cast<QBoxLayout*>(group->layout())->insertWidget(count, preview, 1);
    auto show = [group, preview, shop](int style) {
        TQelDataBase* db = database();
        if (!db) return;
        std::vector<std::string> texts =
            shop ? db->Vocabulary().ShopStyle(style) : db->Vocabulary().InnStyle(style);
        preview->setText(texts.empty() ? QString() : fromBytes(texts.front()));
    };
    QObject::connect(group, &TRadioGroup::indexChanged, preview, show);
    show(0);
    return group;
}

} // namespace

// ---- TFormEvCmd10710

namespace {

struct TCombatFields {
    TFixedOrVariable Group;
    int32_t Background = 0;
    std::string Backdrop;
    int32_t Escape = 0;
    int32_t Defeat = 0;
    bool Headstart = false;
};

TEvCmdOption<TCombatFields>& rememberedCombat() {
    static TEvCmdOption<TCombatFields> option{TCombatFields{}};
    return option;
}

} // namespace

TFormEvCmd10710::TFormEvCmd10710(QWidget* owner)
    : TFormEvCmdBase(owner, 10710, "Combat"),
      mGroup(new TIdOrVariableEdit("Monster Group", database() ? &database()->MonGroups() : nullptr, this)),
      mEscape(new TRadioGroup("Escape", {"Free Escape", "Event Interrupt", "Independent Fork"}, Qt::Vertical,
                              this)),
      mDefeat(new TRadioGroup("Defeat", {"Game Over", "Independent Fork"}, Qt::Vertical, this)),
      mHeadstart(new QCheckBox("Headstart Attack", this)) {
    mGroup->setObjectName("EditGroup");
    mEscape->setObjectName("GroupEscape");
    mDefeat->setObjectName("GroupDefeat");
    mHeadstart->setObjectName("CheckHeadstart");
    auto* background = new QGroupBox("Battle Background", this);
    auto* grid = new QGridLayout(background);
    mTerrain = new QRadioButton("As in Terrain Chip", background);
    mTerrain->setObjectName("RadioTerrain");
    mDesign = new QRadioButton("Design", background);
    mDesign->setObjectName("RadioDesign");
    mBackdrop = new TMaterialBox(TMaterialBox::TKind::Backdrop, background);
    mBackdrop->setObjectName("BoxBackdrop");
    grid->addWidget(mTerrain, 0, 0, 1, 2);
    grid->addWidget(mDesign, 1, 0);
    grid->addWidget(mBackdrop, 1, 1);
    grid->setColumnStretch(1, 1);
    mTerrain->setChecked(true);
    auto* endings = new QHBoxLayout;
    endings->addWidget(mEscape);
    endings->addWidget(mDefeat);
    Body()->addWidget(mGroup);
    Body()->addWidget(background);
    Body()->addLayout(endings);
    Body()->addWidget(mHeadstart);
    connect(mDesign, &QRadioButton::toggled, this, &TFormEvCmd10710::enableBackground);
}

void TFormEvCmd10710::enableBackground() {
    mBackdrop->setEnabled(mDesign->isChecked());
}

void TFormEvCmd10710::LoadCommand(const TQelEventScriptLine* head) {
    TCombatFields f = rememberedCombat().Value();
    if (head) {
        f.Group.Load(head->Param(0), head->Param(1));
        f.Background = head->Param(2) == 1 ? 1 : 0;
        if (f.Background == 1) f.Backdrop = head->Text;
        f.Escape = head->Param(3);
        f.Defeat = head->Param(4);
        f.Headstart = head->Param(5) == 1;
    }
    mGroup->SetValue(f.Group);
    (f.Background == 1 ? mDesign : mTerrain)->setChecked(true);
    mBackdrop->SetFileName(f.Backdrop);
    mEscape->SetIndex(f.Escape);
    mDefeat->SetIndex(f.Defeat);
    mHeadstart->setChecked(f.Headstart);
    enableBackground();
}

void TFormEvCmd10710::SaveCommand() {
    TCombatFields f{mGroup->Value(),  mDesign->isChecked() ? 1 : 0, mBackdrop->FileName(), mEscape->Index(),
                    mDefeat->Index(), mHeadstart->isChecked()};
    rememberedCombat().Set(f);
    WriteBlock({Code(),
                0,
                f.Background == 1 ? f.Backdrop : std::string(),
                {f.Group.Mode, f.Group.Stored(), f.Background, f.Escape, f.Defeat, f.Headstart}});
}

// ---- TFormEvCmd10720

namespace {

struct TShopFields {
    int32_t Type = 0;
    int32_t Messages = 0;
    bool Branch = false;
    std::vector<int32_t> Goods;
};

TEvCmdOption<TShopFields>& rememberedShop() {
    static TEvCmdOption<TShopFields> option{TShopFields{}};
    return option;
}

// The first goods parameter.
constexpr int GoodsParam = 4;

} // namespace

TFormEvCmd10720::TFormEvCmd10720(QWidget* owner)
    : TFormEvCmdBase(owner, 10720, "Call Shop"),
      mType(new TRadioGroup("Shop Type", {"Norm", "No Sale", "Sale Only"}, Qt::Horizontal, this)),
      mMessages(messageStyles(this, 3, true)),
      mBranch(new QCheckBox("Branch on whether a trade was made", this)), mGoodsList(new QListWidget(this)),
      mItems(new QListWidget(this)), mAdd(new QPushButton("Add", this)),
      mDelete(new QPushButton("Delete >", this)) {
    mType->setObjectName("GroupType");
    mBranch->setObjectName("CheckBranch");
    mGoodsList->setObjectName("ListGoods");
    mItems->setObjectName("ListItems");
    mAdd->setObjectName("ButtonAdd");
    mDelete->setObjectName("ButtonDelete");
    for (QPushButton* button : {mAdd, mDelete})
        button->setAutoDefault(false);
    // The goods line up name and price in columns.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mGoodsList->setFont(fixed);
    mGoodsList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mGoodsList->setMinimumSize(QFontMetrics(fixed).horizontalAdvance(QString(27, 'W')), 240);
    mItems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mItems->setMinimumSize(170, 240);
    if (TQelDataBase* db = database())
        for (int i = 0; i < db->Items().Count(); ++i)
            mItems->addItem(fromBytes(db->Items().Items(i)->Name));

    auto* goods = new QGroupBox("Goods", this);
    auto* row = new QHBoxLayout(goods);
    row->addWidget(mGoodsList, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(mAdd);
    buttons->addWidget(mDelete);
    buttons->addStretch(1);
    row->addLayout(buttons);
    row->addWidget(mItems, 1);
    Body()->addWidget(mType);
    Body()->addWidget(mMessages);
    Body()->addWidget(mBranch);
    Body()->addWidget(goods);

    connect(mAdd, &QPushButton::clicked, this, &TFormEvCmd10720::ButtonAddClick);
    connect(mDelete, &QPushButton::clicked, this, &TFormEvCmd10720::ButtonDeleteClick);
    connect(mItems, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        mItems->clearSelection();
        item->setSelected(true);
        ButtonAddClick();
    });
    connect(mGoodsList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        mGoodsList->clearSelection();
        item->setSelected(true);
        ButtonDeleteClick();
    });
    connect(mType, &TRadioGroup::indexChanged, this, &TFormEvCmd10720::enableGoods);
}

QString TFormEvCmd10720::GoodsText(int32_t itemID) {
    TQelDataBase* db = database();
    const TQelItemItem* item = db ? db->Items().Find(itemID) : nullptr;
    QString name = item ? fromBytes(item->Name) : QStringLiteral("?");
    return QStringLiteral("%1%2").arg(name, -20).arg(item ? item->Price : 0, 6);
}

void TFormEvCmd10720::fillGoods() {
    mGoodsList->clear();
    for (int32_t id : mGoods)
        mGoodsList->addItem(GoodsText(id));
}

void TFormEvCmd10720::enableGoods() {
    bool goods = mType->Index() != SellOnly;
    for (QWidget* control : std::initializer_list<QWidget*>{mGoodsList, mItems, mAdd, mDelete})
        control->setEnabled(goods);
}

void TFormEvCmd10720::ButtonAddClick() {
    for (int row = 0; row < mItems->count() && int(mGoods.size()) < MaxGoods; ++row)
        if (mItems->item(row)->isSelected()) mGoods.push_back(row + 1);
    fillGoods();
}

void TFormEvCmd10720::ButtonDeleteClick() {
    for (int row = mGoodsList->count() - 1; row >= 0; --row)
        if (mGoodsList->item(row)->isSelected()) mGoods.erase(mGoods.begin() + row);
    fillGoods();
}

void TFormEvCmd10720::LoadCommand(const TQelEventScriptLine* head) {
    TShopFields f = rememberedShop().Value();
    if (head) {
        f.Type = head->Param(0);
        f.Messages = head->Param(1);
        f.Branch = head->Param(2) == 1;
        f.Goods.clear();
        if (f.Type != SellOnly)
            for (int i = GoodsParam; i < head->ParamCount() && int(f.Goods.size()) < MaxGoods; ++i)
                f.Goods.push_back(head->Param(i));
    }
    mType->SetIndex(f.Type);
    mMessages->SetIndex(f.Messages);
    mBranch->setChecked(f.Branch);
    mGoods = f.Goods;
    fillGoods();
    enableGoods();
}

void TFormEvCmd10720::SaveCommand() {
    TShopFields f{mType->Index(), mMessages->Index(), mBranch->isChecked(), mGoods};
    rememberedShop().Set(f);
    std::vector<int32_t> params = {f.Type, f.Messages, f.Branch, 0};
    // A shop that only buys from the party sells nothing.
    if (f.Type != SellOnly) params.insert(params.end(), f.Goods.begin(), f.Goods.end());
    WriteBlock({Code(), 0, {}, params});
}

// ---- TFormEvCmd10730

namespace {

struct TInnFields {
    int32_t Messages = 0;
    int32_t Price = 0;
    bool Branch = false;
};

TEvCmdOption<TInnFields>& rememberedInn() {
    static TEvCmdOption<TInnFields> option{TInnFields{}};
    return option;
}

} // namespace

TFormEvCmd10730::TFormEvCmd10730(QWidget* owner)
    : TFormEvCmdBase(owner, 10730, "Call Inn"), mMessages(messageStyles(this, 2, false)),
      mPrice(new QSpinBox(this)), mBranch(new QCheckBox("Branch on whether the party stayed", this)) {
    mPrice->setObjectName("SpinPrice");
    mPrice->setRange(0, 999999);
    mBranch->setObjectName("CheckBranch");
    auto* price = new QHBoxLayout;
    price->addWidget(new QLabel("Price", this));
    price->addWidget(mPrice, 1);
    Body()->addWidget(mMessages);
    Body()->addLayout(price);
    Body()->addWidget(mBranch);
}

void TFormEvCmd10730::LoadCommand(const TQelEventScriptLine* head) {
    TInnFields f = rememberedInn().Value();
    if (head) f = {head->Param(0), head->Param(1), head->Param(2) == 1};
    mMessages->SetIndex(f.Messages);
    mPrice->setValue(f.Price);
    mBranch->setChecked(f.Branch);
}

void TFormEvCmd10730::SaveCommand() {
    TInnFields f{mMessages->Index(), mPrice->value(), mBranch->isChecked()};
    rememberedInn().Set(f);
    WriteBlock({Code(), 0, {}, {f.Messages, f.Price, f.Branch}});
}

// ---- TFormEvCmd10740

namespace {

struct TInputNameFields {
    int32_t Hero = 1;
    int32_t Table = 0;
    bool ShowName = false;
};

TEvCmdOption<TInputNameFields>& rememberedInputName() {
    static TEvCmdOption<TInputNameFields> option{TInputNameFields{}};
    return option;
}

} // namespace

TFormEvCmd10740::TFormEvCmd10740(QWidget* owner)
    : TFormEvCmdBase(owner, 10740, "Input Name"),
      mHero(new TRecordCombo(database() ? &database()->Heroes() : nullptr, this)),
      mTable(new TRadioGroup("Initial Characters", {"Table 1", "Table 2"}, Qt::Horizontal, this)),
      mShowName(new QCheckBox("Show Initial Name Now", this)) {
    mHero->setObjectName("ComboHero");
    mTable->setObjectName("GroupTable");
    mShowName->setObjectName("CheckShowName");
    auto* hero = new QHBoxLayout;
    hero->addWidget(new QLabel("Hero", this));
    hero->addWidget(mHero, 1);
    Body()->addLayout(hero);
    Body()->addWidget(mTable);
    Body()->addWidget(mShowName);
}

void TFormEvCmd10740::LoadCommand(const TQelEventScriptLine* head) {
    TInputNameFields f = rememberedInputName().Value();
    if (head) f = {head->Param(0), head->Param(1), head->Param(2) == 1};
    mHero->SetID(f.Hero);
    mTable->SetIndex(f.Table);
    mShowName->setChecked(f.ShowName);
}

void TFormEvCmd10740::SaveCommand() {
    TInputNameFields f{mHero->ID(), mTable->Index(), mShowName->isChecked()};
    rememberedInputName().Set(f);
    WriteLine({Code(), 0, {}, {f.Hero, f.Table, f.ShowName}});
}

} // namespace tarvel
