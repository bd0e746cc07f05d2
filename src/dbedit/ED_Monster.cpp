#include "ED_Monster.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ED_MonsterAct.h"
#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"
#include "graphics/PrismSheet.h"
#include "pickers/SelMonster.h"
#include "platform/Material.h"
#include "records/ClipboardPort.h"

namespace tarvel {

namespace {

constexpr QSize PictureSize(160, 96);

// The monster's picture with its hue shift, its transparent colour left out, fitted into the box.
QPixmap monsterPicture(const std::string& name, int hue) {
    const QString path = ResolveMaterialFile(QString::fromStdString(name), "Monster", ImageExtensions());
    if (path.isEmpty() || path == QString::fromStdString(name)) return {};
    TPrismSheet sheet;
    sheet.SetAutoSize(true);
    sheet.LoadFromFile(path.toStdString(), false);
    if (sheet.Width() <= 0 || sheet.Height() <= 0) return {};
    sheet.RotateHue(hue);
    QImage image(sheet.Width(), sheet.Height(), QImage::Format_Indexed8);
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i) {
        const TPaletteEntry& entry = sheet.Palette()[size_t(i)];
        colours[i] = i == 0 ? qRgba(0, 0, 0, 0) : qRgb(entry.red, entry.green, entry.blue);
    }
    image.setColorTable(colours);
    for (int y = 0; y < sheet.Height(); ++y)
        std::copy_n(sheet.Row(y), sheet.Width(), image.scanLine(y));
    QPixmap picture = QPixmap::fromImage(image);
    if (picture.width() > PictureSize.width() || picture.height() > PictureSize.height())
        picture = picture.scaled(PictureSize, Qt::KeepAspectRatio, Qt::FastTransformation);
    return picture;
}

} // namespace

TFormEDMonster::TFormEDMonster(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Monsters(), ClipboardFormat::Monsters),
      mBinder(*this, [this] { return Current(); }) {
    setObjectName("FormEDMonster");
    // Three sub-pages: the monster, its action pattern, its ranks.
    auto* areaLayout = new QVBoxLayout(EditorArea());
    areaLayout->setContentsMargins(0, 0, 0, 0);
    mPages = new QTabWidget(EditorArea());
    mPages->setObjectName("MonsterPages");
    areaLayout->addWidget(mPages);
    auto* monsterPage = new QWidget(mPages);
    QWidget* editor = MakeScrolledEditor(monsterPage);
    auto* grid = new QGridLayout(editor);
    mPages->addTab(monsterPage, "Monster");
    using M = TQelMonsterItem;

    // ---- the monster and its picture
    auto* general = new QGroupBox("Monster", editor);
    auto* form = new QFormLayout(general);
    form->addRow("Name", EditName());
    mGraphic = mBinder.Picker(
        new TActionPickerBox(general),
        [](M& r) {
            QString text = QString::fromStdString(r.GraphicName);
            if (r.GraphicHue != 0) text += QString(" (hue %1)").arg(r.GraphicHue);
            return text;
        },
        [this](M& r) {
            TFormSelMonster picker(window());
            picker.SetFileName(QString::fromStdString(r.GraphicName));
            picker.SetHue(r.GraphicHue);
            CenterOnOwner(&picker);
            if (picker.exec() != QDialog::Accepted) return false;
            r.GraphicName = picker.FileName().toStdString();
            r.GraphicHue = picker.Hue();
            showPicture();
            return true;
        });
    form->addRow("Graphic", mGraphic);
    mPicture = new QLabel(general);
    mPicture->setObjectName("Picture");
    mPicture->setFixedSize(PictureSize);
    mPicture->setAlignment(Qt::AlignCenter);
    mPicture->setFrameShape(QFrame::StyledPanel);
    form->addRow(mPicture);
    auto* flags = new QHBoxLayout;
    flags->addWidget(mBinder.Check(new QCheckBox("Transp.", general), &M::Transparent));
    flags->addWidget(mBinder.Check(new QCheckBox("Air", general), &M::Flying));
    flags->addStretch(1);
    form->addRow(flags);
    grid->addWidget(general, 0, 0);

    // ---- abilities, rewards, battle
    auto* ability = new QGroupBox("Ability value", editor);
    auto* abilityForm = new QFormLayout(ability);
    const char* const parameters[6] = {"Max HP", "Max MP", "Attack", "Defense", "Mind", "Agility"};
    for (int i = 0; i < 6; ++i) {
        mParameters[i] = mBinder.Spin(new QSpinBox(ability), i == 1 ? 0 : 1, i < 2 ? 9999 : 999,
                                      [i](M& r) -> int32_t& { return r.Parameters[i]; });
        abilityForm->addRow(parameters[i], mParameters[i]);
    }
    grid->addWidget(ability, 0, 1);

    auto* rewards = new QGroupBox("Rewards", editor);
    auto* rewardForm = new QFormLayout(rewards);
    rewardForm->addRow("Experience cost", mBinder.Spin(new QSpinBox(rewards), 0, 99999, &M::Experience));
    rewardForm->addRow("Money", mBinder.Spin(new QSpinBox(rewards), 0, 99999, &M::Money));
    mDropItem = new TRecordComboBox(rewards);
    mDropItem->Fill(dataBase.Items(), "(None)");
    rewardForm->addRow("War Profit Goods", mBinder.RecordChoice(mDropItem, &M::DropItemID));
    rewardForm->addRow("Item Appearance Rate",
                       Percent(mBinder.Spin(new QSpinBox(rewards), 0, 100, &M::DropRate)));
    grid->addWidget(rewards, 1, 0);

    auto* battle = new QGroupBox("Battle", editor);
    auto* battleForm = new QFormLayout(battle);
    mCanCritical = mBinder.Check(new QCheckBox("Certain Kill Probability", battle), &M::CanCritical);
    mCriticalRate = mBinder.Spin(new QSpinBox(battle), 1, 100, &M::CriticalRate);
    mCriticalRate->setPrefix("1 / ");
    battleForm->addRow(mCanCritical, mCriticalRate);
    battleForm->addRow(mBinder.Check(new QCheckBox("Common Attack Miss Departure", battle), &M::AttackMiss));
    grid->addWidget(battle, 1, 1);

    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    // ---- the action pattern
    auto* pattern = new QWidget(mPages);
    auto* patternColumn = new QVBoxLayout(pattern);
    mActions = new QTreeWidget(pattern);
    mActions->setObjectName("ActionList");
    mActions->setRootIsDecorated(false);
    mActions->setHeaderLabels({"Action", "Condition", "Preference"});
    mActions->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    mActions->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    mActions->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    mActions->header()->setStretchLastSection(false);
    mActions->setContextMenuPolicy(Qt::CustomContextMenu);
    patternColumn->addWidget(mActions, 1);
    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton("Add...", pattern);
    mEditButton = new QPushButton("Edit...", pattern);
    mDeleteButton = new QPushButton("Delete", pattern);
    buttons->addWidget(add);
    buttons->addWidget(mEditButton);
    buttons->addWidget(mDeleteButton);
    buttons->addStretch(1);
    patternColumn->addLayout(buttons);
    mPages->addTab(pattern, "Action Pattern");

    mActionMenu = new QMenu(this);
    auto menuAction = [this](const QString& caption, const QKeySequence& key,
                             void (TFormEDMonster::*slot)()) {
        QAction* a = mActionMenu->addAction(caption);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetShortcut);
            mActions->addAction(a);
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    mActionEdit = menuAction("&Edit...", {}, &TFormEDMonster::ActionEdit);
    mActionCut = menuAction("Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), &TFormEDMonster::ActionCut);
    mActionCopy = menuAction("&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), &TFormEDMonster::ActionCopy);
    mActionPaste = menuAction("&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), &TFormEDMonster::ActionPaste);
    mActionDelete = menuAction("&Delete", QKeySequence(Qt::Key_Delete), &TFormEDMonster::ActionDelete);
    connect(mActionMenu, &QMenu::aboutToShow, this, &TFormEDMonster::UpdateActionMenu);
    connect(mActions, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { mActionMenu->popup(mActions->viewport()->mapToGlobal(at)); });
    connect(mActions, &QTreeWidget::itemDoubleClicked, this, [this] { ActionEdit(); });
    connect(mActions, &QTreeWidget::currentItemChanged, this, [this] { RefreshDerived(); });
    connect(add, &QPushButton::clicked, this, &TFormEDMonster::ActionAdd);
    connect(mEditButton, &QPushButton::clicked, this, &TFormEDMonster::ActionEdit);
    connect(mDeleteButton, &QPushButton::clicked, this, &TFormEDMonster::ActionDelete);

    // ---- ranks against conditions and attributes
    auto* ranks = new QWidget(mPages);
    auto* rankColumns = new QHBoxLayout(ranks);
    auto* conditionBox = new QGroupBox("Condition", ranks);
    auto* conditionColumn = new QVBoxLayout(conditionBox);
    mConditionRanks = new TRecordRankTable(conditionBox);
    mConditionRanks->Fill(dataBase.Conditions());
    mBinder.ConditionRanks(mConditionRanks);
    conditionColumn->addWidget(mConditionRanks);
    rankColumns->addWidget(conditionBox);
    auto* attributeBox = new QGroupBox("Attribute", ranks);
    auto* attributeColumn = new QVBoxLayout(attributeBox);
    mAttributeRanks = new TRecordRankTable(attributeBox);
    mAttributeRanks->Fill(dataBase.Attributes());
    mBinder.AttributeRanks(mAttributeRanks);
    attributeColumn->addWidget(mAttributeRanks);
    rankColumns->addWidget(attributeBox);
    mPages->addTab(ranks, "Condition, Attribute");
}

void TFormEDMonster::LoadRecord() {
    mBinder.Load();
    showPicture();
    fillActions(0);
}

void TFormEDMonster::RefreshDerived() {
    mCriticalRate->setEnabled(mCanCritical->isChecked());
    const bool selected = mActions->currentItem() != nullptr;
    mEditButton->setEnabled(selected);
    mDeleteButton->setEnabled(selected);
}

void TFormEDMonster::showPicture() {
    const TQelMonsterItem* monster = Current();
    mPicture->setPixmap(monster ? monsterPicture(monster->GraphicName, monster->GraphicHue) : QPixmap());
}

void TFormEDMonster::fillActions(int select) {
    const QSignalBlocker block(mActions);
    mActions->clear();
    const TQelMonsterItem* monster = Current();
    if (monster) {
        for (const auto& entry : monster->Actions) {
            const auto& action = static_cast<const TQelMonsterActItem&>(*entry);
            auto* line = new QTreeWidgetItem(mActions);
            line->setText(0, TFormEDMonsterAct::ActionText(action, DataBase()));
            line->setText(1, TFormEDMonsterAct::ConditionText(action, DataBase()));
            line->setText(2, QString::number(action.Rating));
            line->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    if (mActions->topLevelItemCount() > 0)
        mActions->setCurrentItem(
            mActions->topLevelItem(std::clamp(select, 0, mActions->topLevelItemCount() - 1)));
    RefreshDerived();
}

bool TFormEDMonster::editAction(TQelMonsterActItem& action) {
    TFormEDMonsterAct dialog(window(), DataBase());
    dialog.SetAction(action);
    CenterOnOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    action.Assign(dialog.Action());
    return true;
}

void TFormEDMonster::ActionAdd() {
    TQelMonsterItem* monster = Current();
    if (!monster) return;
    TQelMonsterActItem action(monster->Actions.Count() + 1);
    if (!editAction(action)) return;
    monster->Actions.Append()->Assign(action);
    fillActions(monster->Actions.Count() - 1);
    Modified();
}

void TFormEDMonster::ActionEdit() {
    TQelMonsterItem* monster = Current();
    const int row = mActions->indexOfTopLevelItem(mActions->currentItem());
    TQelMonsterActItem* action = monster ? monster->Actions.Items(row) : nullptr;
    if (!action || !editAction(*action)) return;
    fillActions(row);
    Modified();
}

void TFormEDMonster::ActionDelete() {
    TQelMonsterItem* monster = Current();
    const int row = mActions->indexOfTopLevelItem(mActions->currentItem());
    TQelMonsterActItem* action = monster ? monster->Actions.Items(row) : nullptr;
    if (!action) return;
    monster->Actions.Remove(action->ID);
    fillActions(row);
    Modified();
}

void TFormEDMonster::ActionCopy() {
    TQelMonsterItem* monster = Current();
    const int row = mActions->indexOfTopLevelItem(mActions->currentItem());
    if (monster && monster->Actions.Items(row))
        monster->Actions.CopyToClipboard(ClipboardFormat::MonsterActions, row, 1);
}

void TFormEDMonster::ActionCut() {
    ActionCopy();
    ActionDelete();
}

void TFormEDMonster::ActionPaste() {
    TQelMonsterItem* monster = Current();
    if (!monster) return;
    const std::optional<std::vector<uint8_t>> block = Clipboard().get(ClipboardFormat::MonsterActions);
    uint32_t count = 0;
    TMemoryStream records;
    if (!block || !ParseClipboardBlock(*block, count, records) || count == 0) return;
    int row = mActions->indexOfTopLevelItem(mActions->currentItem());
    if (row < 0) row = monster->Actions.Count();
    // Read them all first, so that a damaged block inserts nothing.
    std::vector<std::unique_ptr<TQelMonsterActItem>> pasted;
    try {
        for (uint32_t k = 0; k < count; ++k) {
            auto action = std::make_unique<TQelMonsterActItem>();
            action->LoadFromStream(records);
            pasted.push_back(std::move(action));
        }
    } catch (const std::exception&) {
        return;
    }
    for (size_t k = 0; k < pasted.size(); ++k)
        monster->Actions.Insert(row + int(k) + 1)->Assign(*pasted[k]);
    fillActions(row);
    Modified();
}

void TFormEDMonster::UpdateActionMenu() {
    const bool selected = mActions->currentItem() != nullptr;
    mActionEdit->setEnabled(selected);
    mActionCut->setEnabled(selected);
    mActionCopy->setEnabled(selected);
    mActionDelete->setEnabled(selected);
    mActionPaste->setEnabled(Current() && Clipboard().has(ClipboardFormat::MonsterActions));
}

} // namespace tarvel
