#include "ED_Player.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionFocusRect>

#include "data/LD_Animation.h"
#include "data/LD_Attribute.h"
#include "data/LD_Condition.h"
#include "data/LD_DataBase.h"
#include "data/LD_Item.h"
#include "data/LD_Skill.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {

const char* const ParameterNames[ParameterCount] = {"Max HP",       "Max MP",     "Attack Pow.",
                                                    "Defense Pow.", "Mind Force", "Agility"};
const char* const EquipmentCaptions[EquipSlotCount] = {
    "Arms :", "Shield :", "Armor :", "Helmet :", "Other :"};

} // namespace

// Small graphs ----------------------------------------------------------------------------------

TPlayerCurveGraph::TPlayerCurveGraph(int parameter, QWidget* parent) : QFrame(parent), mParameter(parameter) {
    setFixedSize(GraphWidth, GraphHeight);
    setFocusPolicy(Qt::StrongFocus);
}

void TPlayerCurveGraph::SetCurve(const THeroCurve& curve, int32_t now) {
    mCurve = curve;
    mNow = now;
    update();
}

QColor TPlayerCurveGraph::Colour(int parameter) {
    static const QColor colours[ParameterCount] = {{255, 85, 51}, {238, 85, 255}, {255, 204, 17},
                                                   {17, 221, 51}, {85, 119, 255}, {17, 221, 255}};
    return colours[parameter];
}

int TPlayerCurveGraph::PageScale(int parameter) {
    return parameter <= paMaxMP ? 12 : parameter <= paDefense ? 3 : 6;
}

void TPlayerCurveGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    int scale = PageScale(mParameter);
    for (int level = 1; level <= MaxHeroLevel; ++level) {
        int top = std::max(0, GraphHeight - mCurve[level - 1] / scale);
        painter.fillRect(2 * (level - 1), top, 2, GraphHeight - top, Colour(mParameter));
    }
    painter.setPen(Qt::white);
    painter.drawText(QRect(2, 2, GraphWidth - 4, GraphHeight - 4), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Now:%1").arg(mNow));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// Rank tables -----------------------------------------------------------------------------------

TRankTable::TRankTable(const QString& title, QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(2);
    setHeaderLabels({title, QString()});
    setRootIsDecorated(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

QString TRankTable::RankMark(int rank) {
    return QString(QChar('A' + std::clamp(rank, 0, 4)));
}

void TRankTable::SetRows(const QStringList& names, const std::vector<int>& ranks) {
    clear();
    for (int i = 0; i < names.size(); ++i) {
        auto* row = new QTreeWidgetItem(this, {names[i], RankMark(ranks[i])});
        row->setData(1, Qt::UserRole, ranks[i]);
        row->setTextAlignment(1, Qt::AlignCenter);
    }
}

std::vector<int> TRankTable::Ranks() const {
    std::vector<int> ranks;
    for (int i = 0; i < topLevelItemCount(); ++i)
        ranks.push_back(topLevelItem(i)->data(1, Qt::UserRole).toInt());
    return ranks;
}

void TRankTable::StepRank(int row, int step) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item) return;
    int rank = (item->data(1, Qt::UserRole).toInt() + step + 5) % 5;
    item->setData(1, Qt::UserRole, rank);
    item->setText(1, RankMark(rank));
    if (OnChanged) OnChanged();
}

void TRankTable::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || index.column() != 1) return;
    if (event->button() == Qt::LeftButton) StepRank(index.row(), -1);
    if (event->button() == Qt::RightButton) StepRank(index.row(), +1);
}

void TRankTable::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentItem()) {
        StepRank(indexOfTopLevelItem(currentItem()), -1);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

// The page --------------------------------------------------------------------------------------

TFormEDPlayer::TFormEDPlayer(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Heroes(), ClipboardFormat::Heroes) {
    auto* grid = new QGridLayout(EditorArea());
    grid->setContentsMargins(0, 0, 0, 0);

    // Names, levels and options.
    auto* basics = new QGridLayout;
    basics->addWidget(new QLabel(tr("Name")), 0, 0);
    basics->addWidget(EditName(), 0, 1);
    basics->addWidget(new QLabel(tr("Degree")), 1, 0);
    mTitle = new QLineEdit;
    basics->addWidget(mTitle, 1, 1);
    basics->addWidget(new QLabel(tr("Initial Level")), 2, 0);
    mInitialLevel = new QSpinBox;
    basics->addWidget(mInitialLevel, 2, 1);
    basics->addWidget(new QLabel(tr("Max Level")), 3, 0);
    mMaxLevel = new QSpinBox;
    basics->addWidget(mMaxLevel, 3, 1);
    auto* critical = new QGroupBox(tr("Certain Kill Probability"));
    auto* criticalRow = new QHBoxLayout(critical);
    mCanCritical = new QCheckBox;
    mCriticalRate = new QSpinBox;
    mCriticalRate->setRange(1, 100);
    criticalRow->addWidget(mCanCritical);
    criticalRow->addWidget(new QLabel(tr("Counter")));
    criticalRow->addWidget(mCriticalRate, 1);
    basics->addWidget(critical, 4, 0, 1, 2);
    auto* options = new QGridLayout;
    const char* optionNames[4] = {"2-Sword Style", "Equipmnt Fix", "Control by AI", "Strong Def."};
    for (int i = 0; i < 4; ++i) {
        mOptions[i] = new QCheckBox(tr(optionNames[i]));
        options->addWidget(mOptions[i], i / 2, i % 2);
    }
    basics->addLayout(options, 5, 0, 1, 2);
    grid->addLayout(basics, 0, 0);

    // Curves and experience.
    auto* curves = new QGroupBox(tr("Parameters"));
    auto* curveGrid = new QGridLayout(curves);
    curveGrid->setHorizontalSpacing(8);
    for (int p = 0; p < ParameterCount; ++p) {
        auto* cell = new QVBoxLayout;
        cell->addWidget(new QLabel(tr(ParameterNames[p])));
        mGraphs[p] = new TPlayerCurveGraph(p);
        cell->addWidget(mGraphs[p]);
        curveGrid->addLayout(cell, p / 3, p % 3);
    }
    auto* experience = new QGroupBox(tr("Curve of Experience"));
    auto* experienceRow = new QHBoxLayout(experience);
    mExpText = new QLabel;
    mExpText->setWordWrap(true);
    experienceRow->addWidget(mExpText);
    curveGrid->addWidget(experience, 2, 0, 1, 3);
    grid->addWidget(curves, 0, 1);

    // Equipment, animation, skill slot name.
    auto* equipment = new QGroupBox(tr("Initial Equipment"));
    auto* equipGrid = new QGridLayout(equipment);
    for (int slot = 0; slot < EquipSlotCount; ++slot) {
        mEquipmentLabels[slot] = new QLabel(tr(EquipmentCaptions[slot]));
        mEquipment[slot] = new QComboBox;
        equipGrid->addWidget(mEquipmentLabels[slot], slot, 0);
        equipGrid->addWidget(mEquipment[slot], slot, 1);
        connect(mEquipment[slot], &QComboBox::activated, this, [this, slot] { equipmentChosen(slot); });
    }
    equipGrid->addWidget(new QLabel(tr("Unarmed Battle Animation")), EquipSlotCount, 0, 1, 2);
    mUnarmed = new QComboBox;
    equipGrid->addWidget(mUnarmed, EquipSlotCount + 1, 0, 1, 2);
    mUseSlotName = new QCheckBox(tr("TechSkill Slot Name:"));
    mSlotName = new QLineEdit;
    equipGrid->addWidget(mUseSlotName, EquipSlotCount + 2, 0);
    equipGrid->addWidget(mSlotName, EquipSlotCount + 2, 1);
    grid->addWidget(equipment, 1, 0);

    // Skills and ranks.
    auto* lower = new QHBoxLayout;
    auto* skills = new QGroupBox(tr("Skills"));
    auto* skillColumn = new QVBoxLayout(skills);
    mSkills = new QListWidget;
    skillColumn->addWidget(mSkills);
    mDeleteSkill = new QPushButton(tr("&Delete"));
    skillColumn->addWidget(mDeleteSkill);
    lower->addWidget(skills);
    mConditions = new TRankTable(tr("Condition Effect"));
    mAttributes = new TRankTable(tr("Afflicted Condition"));
    lower->addWidget(mConditions);
    lower->addWidget(mAttributes);
    grid->addLayout(lower, 1, 1);
    grid->setRowStretch(1, 1);

    // Changes store straight into the hero.
    auto edited = [this](auto store) {
        return [this, store](auto... value) {
            if (Loading() || !Current()) return;
            store(*Current(), value...);
            Modified();
        };
    };
    connect(mTitle, &QLineEdit::textEdited, this,
            edited([](TQelPlayerItem& h, const QString& t) { h.Title = t.toStdString(); }));
    connect(mInitialLevel, &QSpinBox::valueChanged, this, [this] { levelsChanged(); });
    connect(mMaxLevel, &QSpinBox::valueChanged, this, [this] { levelsChanged(); });
    connect(mCanCritical, &QCheckBox::toggled, this, edited([this](TQelPlayerItem& h, bool on) {
                h.CanCritical = on;
                mCriticalRate->setEnabled(on);
            }));
    connect(mCriticalRate, &QSpinBox::valueChanged, this,
            edited([](TQelPlayerItem& h, int v) { h.CriticalRate = v; }));
    connect(mOptions[0], &QCheckBox::toggled, this, edited([this](TQelPlayerItem& h, bool on) {
                h.TwoSword = on;
                loadEquipment();
            }));
    connect(mOptions[1], &QCheckBox::toggled, this,
            edited([](TQelPlayerItem& h, bool on) { h.FixEquipment = on; }));
    connect(mOptions[2], &QCheckBox::toggled, this,
            edited([](TQelPlayerItem& h, bool on) { h.AutoBattle = on; }));
    connect(mOptions[3], &QCheckBox::toggled, this,
            edited([](TQelPlayerItem& h, bool on) { h.StrongDefense = on; }));
    connect(mUnarmed, &QComboBox::activated, this,
            edited([](TQelPlayerItem& h, int row) { h.UnarmedAnimation = row + 1; }));
    connect(mUseSlotName, &QCheckBox::toggled, this, edited([this](TQelPlayerItem& h, bool on) {
                h.UseSkillSlotName = on;
                mSlotName->setEnabled(on);
            }));
    connect(mSlotName, &QLineEdit::textEdited, this,
            edited([](TQelPlayerItem& h, const QString& t) { h.SkillSlotName = t.toStdString(); }));
    connect(mDeleteSkill, &QPushButton::clicked, this, &TFormEDPlayer::DeleteSelectedSkill);
    connect(mSkills, &QListWidget::currentRowChanged, this, [this](int row) {
        mDeleteSkill->setEnabled(Current() && row >= 0 && row < Current()->Skills.Count());
    });
    mConditions->OnChanged = [this] { ranksChanged(true); };
    mAttributes->OnChanged = [this] { ranksChanged(false); };
}

void TFormEDPlayer::LoadRecord() {
    TQelPlayerItem& hero = *Current();
    TQelDataBase& db = DataBase();
    // An animation the database no longer has falls back to the first.
    if (hero.UnarmedAnimation > db.Animations().Count()) hero.UnarmedAnimation = 1;

    mTitle->setText(QString::fromStdString(hero.Title));
    mMaxLevel->setRange(1, MaxHeroLevel);
    mInitialLevel->setRange(1, MaxHeroLevel);
    mMaxLevel->setValue(hero.MaxLevel);
    mInitialLevel->setValue(hero.InitialLevel);
    mMaxLevel->setMinimum(mInitialLevel->value());
    mInitialLevel->setMaximum(mMaxLevel->value());
    mCanCritical->setChecked(hero.CanCritical);
    mCriticalRate->setValue(hero.CriticalRate);
    mCriticalRate->setEnabled(hero.CanCritical);
    mOptions[0]->setChecked(hero.TwoSword);
    mOptions[1]->setChecked(hero.FixEquipment);
    mOptions[2]->setChecked(hero.AutoBattle);
    mOptions[3]->setChecked(hero.StrongDefense);
    mUseSlotName->setChecked(hero.UseSkillSlotName);
    mSlotName->setText(QString::fromStdString(hero.SkillSlotName));
    mSlotName->setEnabled(hero.UseSkillSlotName);

    mUnarmed->clear();
    for (auto& item : db.Animations())
        mUnarmed->addItem(QString::asprintf("%.4d:", item->ID) + QString::fromStdString(item->Name));
    mUnarmed->setCurrentIndex(hero.UnarmedAnimation - 1);

    loadEquipment();
    loadSkills(-1);

    QStringList names;
    std::vector<int> ranks;
    for (auto& item : db.Conditions()) {
        names << QString::fromStdString(item->Name);
        ranks.push_back(hero.ConditionRate(item->ID));
    }
    mConditions->SetRows(names, ranks);
    names.clear();
    ranks.clear();
    for (auto& item : db.Attributes()) {
        names << QString::fromStdString(item->Name);
        ranks.push_back(hero.AttributeRate(item->ID));
    }
    mAttributes->SetRows(names, ranks);
}

void TFormEDPlayer::RefreshDerived() {
    if (!Current()) return;
    const TQelPlayerItem& hero = *Current();
    for (int p = 0; p < ParameterCount; ++p)
        mGraphs[p]->SetCurve(ReadCurve(hero, p), HeroNowValue(hero, DataBase().Items(), p));
    mExpText->setText(QString::fromStdString(ExpSummary(hero.ExpBase, hero.ExpIncrease, hero.ExpCorrection)));
}

void TFormEDPlayer::loadEquipment() {
    TQelPlayerItem& hero = *Current();
    mEquipmentLabels[esShield]->setText(hero.TwoSword ? tr("Hands :") : tr(EquipmentCaptions[esShield]));
    for (int slot = 0; slot < EquipSlotCount; ++slot) {
        QComboBox* box = mEquipment[slot];
        QSignalBlocker block(box);
        box->clear();
        box->addItem(tr("(None)"), 0);
        for (auto& record : DataBase().Items()) {
            auto& item = static_cast<const TQelItemItem&>(*record);
            if (MayEquip(item, slot, hero.TwoSword, hero.ID))
                box->addItem(QString::fromStdString(item.Name), item.ID);
        }
        // An item that is no longer offered shows as "(None)".
        box->setCurrentIndex(std::max(0, box->findData(hero.InitialEquipment(slot))));
    }
}

void TFormEDPlayer::equipmentChosen(int slot) {
    if (Loading() || !Current()) return;
    ChooseEquipment(*Current(), DataBase().Items(), slot, mEquipment[slot]->currentData().toInt());
    for (int other = 0; other < EquipSlotCount; ++other) {
        QComboBox* box = mEquipment[other];
        box->setCurrentIndex(std::max(0, box->findData(Current()->InitialEquipment(other))));
    }
    Modified();
}

void TFormEDPlayer::levelsChanged() {
    if (Loading() || !Current()) return;
    Current()->InitialLevel = mInitialLevel->value();
    Current()->MaxLevel = mMaxLevel->value();
    // The initial level stays within 1 and the maximum, the maximum within it and 50.
    mMaxLevel->setMinimum(mInitialLevel->value());
    mInitialLevel->setMaximum(mMaxLevel->value());
    Modified();
}

QString TFormEDPlayer::SkillRowText(const TQelPlayerLearningItem& entry) const {
    const TQelSkillItem* skill = DataBase().Skills().Find(entry.SkillID);
    return QString::asprintf("L %2d  ", entry.Level) + (skill ? QString::fromStdString(skill->Name) : "?");
}

void TFormEDPlayer::loadSkills(int selectRow) {
    mSkills->clear();
    for (auto& entry : Current()->Skills)
        mSkills->addItem(SkillRowText(static_cast<const TQelPlayerLearningItem&>(*entry)));
    mSkills->addItem(QString()); // the row for adding
    mSkills->setCurrentRow(selectRow >= 0 ? std::min(selectRow, mSkills->count() - 1) : 0);
    mDeleteSkill->setEnabled(mSkills->currentRow() < Current()->Skills.Count());
}

void TFormEDPlayer::DeleteSelectedSkill() {
    if (!Current()) return;
    int row = mSkills->currentRow();
    TQelPlayerLearning& skills = Current()->Skills;
    if (row < 0 || row >= skills.Count()) return;
    skills.Remove(skills.Items(row)->ID);
    SortLearning(skills);
    loadSkills(row);
    Modified();
}

void TFormEDPlayer::ranksChanged(bool conditions) {
    if (Loading() || !Current()) return;
    TQelPlayerItem& hero = *Current();
    std::vector<int> ranks = (conditions ? mConditions : mAttributes)->Ranks();
    int count = static_cast<int>(ranks.size());
    if (conditions && hero.ConditionCount < count) hero.SetConditionCount(count);
    if (!conditions && hero.AttributeCount < count) hero.SetAttributeCount(count);
    for (int i = 0; i < count; ++i) {
        if (conditions)
            hero.SetConditionRate(i + 1, ranks[i]);
        else
            hero.SetAttributeRate(i + 1, ranks[i]);
    }
    Modified();
}

} // namespace tarvel
