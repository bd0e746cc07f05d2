#include "ED_System.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"
#include "eventedit/commands/EvCmdScreen.h"
#include "pickers/SelGameOver.h"
#include "pickers/SelSystem.h"
#include "pickers/SelTitle.h"

namespace tarvel {

namespace {

TProcessOption<int>& rememberedSubPage() {
    static TProcessOption<int> page(0);
    return page;
}

// A picture picker of the whole-image kind: runs it on a name; true after OK.
template <typename Picker>
bool choosePicture(QWidget* owner, std::string& name) {
    Picker picker(owner);
    picker.SetFileName(QString::fromStdString(name));
    CenterOnOwner(&picker);
    if (picker.exec() != QDialog::Accepted) return false;
    name = picker.FileName().toStdString();
    return true;
}

} // namespace

TFormEDSystem::TFormEDSystem(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseBase(parent, dataBase), mSystem(dataBase.System()),
      mBinder(*this, [this] { return &mSystem; }), mTabs(new QTabWidget(this)) {
    setObjectName("FormEDSystem");
    mTabs->setObjectName("SystemPages");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mTabs);
    mTabs->addTab(buildGeneral(), "General");
    mTabs->addTab(buildMusic(), "Music");
    mTabs->addTab(buildSounds(), "Sound Effects");
    mTabs->addTab(buildTransitions(), "Transitions");
    mTabs->addTab(buildTesting(), "Battle Test");
}

TFormEDSystem::~TFormEDSystem() {
    rememberedSubPage().Set(mTabs->currentIndex());
}

void TFormEDSystem::Start() {
    reload();
    mTabs->setCurrentIndex(rememberedSubPage().Value());
}

void TFormEDSystem::reload() {
    {
        TLoadingScope loading(*this);
        mBinder.Load();
        fillParty();
        fillTestMembers(mTestMembers->currentRow());
        mSaveCount->setText(QString::number(mSystem.SaveCount));
    }
    RefreshDerived();
}

QWidget* TFormEDSystem::buildGeneral() {
    auto* page = new QWidget(mTabs);
    QWidget* editor = MakeScrolledEditor(page);
    auto* grid = new QGridLayout(editor);

    auto* vehicles = new QGroupBox("Vehicles", editor);
    auto* vehicleForm = new QFormLayout(vehicles);
    struct Vehicle {
        const char* caption;
        std::string TQelSystem::*name;
        int32_t TQelSystem::*index;
    };
    const Vehicle vehicleFields[3] = {{"Boat", &TQelSystem::BoatName, &TQelSystem::BoatIndex},
                                      {"Ship", &TQelSystem::ShipName, &TQelSystem::ShipIndex},
                                      {"Airship", &TQelSystem::AirshipName, &TQelSystem::AirshipIndex}};
    for (const Vehicle& v : vehicleFields) {
        auto* box = mBinder.Material(
            new TMaterialBox(TMaterialBox::TKind::CharSet, vehicles),
            [v](TQelSystem& r, TMaterialBox& b) {
                b.SetFileName(r.*v.name);
                b.SetIndex(r.*v.index);
            },
            [v](TQelSystem& r, const TMaterialBox& b) {
                r.*v.name = b.FileName();
                r.*v.index = b.Index();
            });
        box->setObjectName(QString("Vehicle%1").arg(v.caption));
        vehicleForm->addRow(v.caption, box);
    }
    grid->addWidget(vehicles, 0, 0);

    auto* pictures = new QGroupBox("Pictures", editor);
    auto* pictureForm = new QFormLayout(pictures);
    pictureForm->addRow(
        "Title Screen",
        mBinder.Picker(
            new TActionPickerBox(pictures), [](TQelSystem& r) { return QString::fromStdString(r.TitleName); },
            [this](TQelSystem& r) { return choosePicture<TFormSelTitle>(window(), r.TitleName); }));
    pictureForm->addRow("Game Over", mBinder.Picker(
                                         new TActionPickerBox(pictures),
                                         [](TQelSystem& r) { return QString::fromStdString(r.GameOverName); },
                                         [this](TQelSystem& r) {
                                             return choosePicture<TFormSelGameOver>(window(), r.GameOverName);
                                         }));
    pictureForm->addRow("System Graphic",
                        mBinder.Picker(
                            new TActionPickerBox(pictures),
                            [](TQelSystem& r) { return QString::fromStdString(r.SystemName); },
                            [this](TQelSystem& r) {
                                TFormSelSystem picker(window());
                                picker.SetFileName(QString::fromStdString(r.SystemName));
                                picker.SetWallpaperMode(r.WallpaperMode);
                                picker.SetGameFont(r.GameFont);
                                CenterOnOwner(&picker);
                                if (picker.exec() != QDialog::Accepted) return false;
                                r.SystemName = picker.FileName().toStdString();
                                r.WallpaperMode = picker.WallpaperMode();
                                r.GameFont = picker.GameFont();
                                // The wallpaper and font choices below show what the picker set.
                                TLoadingScope loading(*this);
                                mBinder.Load();
                                return true;
                            }));
    auto* wallpaper = new QHBoxLayout;
    mWallpaper = mBinder.Radio(MakeRadioGroup(pictures, wallpaper, {"Enlarge to Display", "Tile Display"}),
                               &TQelSystem::WallpaperMode);
    pictureForm->addRow("Wallpaper", wallpaper);
    auto* font = new QHBoxLayout;
    mBinder.Radio(MakeRadioGroup(pictures, font, {"Font 1", "Font 2"}), &TQelSystem::GameFont);
    pictureForm->addRow("Message font", font);
    grid->addWidget(pictures, 0, 1);

    auto* party = new QGroupBox("Initial Party", editor);
    auto* partyForm = new QFormLayout(party);
    for (int slot = 0; slot < PartySlots; ++slot) {
        mParty[slot] = new TRecordComboBox(party);
        mParty[slot]->setObjectName(QString("PartySlot%1").arg(slot + 1));
        partyForm->addRow(QString("Hero %1").arg(slot + 1), mParty[slot]);
        connect(mParty[slot], &QComboBox::currentIndexChanged, this, [this, slot] { PartySlotChange(slot); });
    }
    grid->addWidget(party, 1, 0);

    auto* settings = new QGroupBox("Editor settings", editor);
    auto* settingsForm = new QFormLayout(settings);
    auto* victim = new TRecordComboBox(settings);
    victim->Fill(DataBase().Monsters());
    settingsForm->addRow("Target Victim", mBinder.RecordChoice(victim, &TQelSystem::PreviewMonster));
    settingsForm->addRow(mBinder.Check(new QCheckBox("Use Grid", settings), &TQelSystem::PreviewGrid));
    settingsForm->addRow("Monster group background",
                         mBinder.MaterialName(new TMaterialBox(TMaterialBox::TKind::Backdrop, settings),
                                              &TQelSystem::MonGroupBackdrop));
    mSaveCount = new QLabel(settings);
    settingsForm->addRow("Times saved", mSaveCount);
    grid->addWidget(settings, 1, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget* TFormEDSystem::buildMusic() {
    auto* page = new QWidget(mTabs);
    QWidget* editor = MakeScrolledEditor(page);
    auto* column = new QVBoxLayout(editor);
    auto* group = new QGroupBox("System Music", editor);
    auto* form = new QFormLayout(group);
    TQelMusic TQelSystem::*const fields[8] = {&TQelSystem::TitleMusic,     &TQelSystem::BattleMusic,
                                              &TQelSystem::BattleEndMusic, &TQelSystem::InnMusic,
                                              &TQelSystem::BoatMusic,      &TQelSystem::ShipMusic,
                                              &TQelSystem::AirshipMusic,   &TQelSystem::GameOverMusic};
    const char* const captions[8] = {"Title Screen", "Battle", "Battle End", "Inn",
                                     "Boat",         "Ship",   "Airship",    "Game Over"};
    for (int i = 0; i < 8; ++i) {
        mMusic[i] = mBinder.Music(new TMaterialBox(TMaterialBox::TKind::Music, group), fields[i]);
        form->addRow(captions[i], mMusic[i]);
    }
    column->addWidget(group);
    column->addStretch(1);
    return page;
}

QWidget* TFormEDSystem::buildSounds() {
    auto* page = new QWidget(mTabs);
    QWidget* editor = MakeScrolledEditor(page);
    auto* grid = new QGridLayout(editor);
    const char* const captions[SystemSoundCount] = {
        "Cursor Movement", "Decision",      "Cancel",         "Buzzer",  "Start Battle", "Escape",
        "Enemy Attack",    "Enemys Damage", "Friends Damage", "Evasion", "Enemy Die",    "Item Use"};
    auto* group = new QGroupBox("System Sound Effects", editor);
    auto* form = new QGridLayout(group);
    for (int i = 0; i < SystemSoundCount; ++i) {
        mSounds[i] = mBinder.Sound(new TMaterialBox(TMaterialBox::TKind::Sound, group),
                                   [i](TQelSystem& r) -> TQelSound& { return r.Sounds[i]; });
        // Two columns of six.
        const int row = i % 6;
        const int column = i / 6 * 2;
        form->addWidget(new QLabel(captions[i], group), row, column);
        form->addWidget(mSounds[i], row, column + 1);
    }
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    grid->addWidget(group, 0, 0);
    grid->setRowStretch(1, 1);
    return page;
}

QWidget* TFormEDSystem::buildTransitions() {
    auto* page = new QWidget(mTabs);
    QWidget* editor = MakeScrolledEditor(page);
    auto* column = new QVBoxLayout(editor);
    auto* group = new QGroupBox("Screen Transitions", editor);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Erase", group), 0, 1);
    grid->addWidget(new QLabel("Show", group), 0, 2);
    const char* const rows[3] = {"Teleport", "Battle start", "Battle end"};
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(new QLabel(rows[row], group), row + 1, 0);
        for (int side = 0; side < 2; ++side) {
            const int index = row * 2 + side;
            mTransitions[index] =
                mBinder.Choice(MakeChoiceBox(group, side == 0 ? EraseEffectNames() : ShowEffectNames()),
                               [index](TQelSystem& r) -> uint8_t& { return r.Transitions[index]; });
            grid->addWidget(mTransitions[index], row + 1, side + 1);
        }
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    column->addWidget(group);
    column->addStretch(1);
    return page;
}

QWidget* TFormEDSystem::buildTesting() {
    auto* page = new QWidget(mTabs);
    QWidget* editor = MakeScrolledEditor(page);
    auto* grid = new QGridLayout(editor);
    TQelDataBase& db = DataBase();

    auto* party = new QGroupBox("Battle Test Party", editor);
    auto* partyColumn = new QVBoxLayout(party);
    mTestMembers = new QListWidget(party);
    mTestMembers->setObjectName("TestMembers");
    partyColumn->addWidget(mTestMembers, 1);
    auto* buttons = new QHBoxLayout;
    mTestAdd = new QPushButton("Add", party);
    mTestRemove = new QPushButton("Remove", party);
    buttons->addWidget(mTestAdd);
    buttons->addWidget(mTestRemove);
    buttons->addStretch(1);
    partyColumn->addLayout(buttons);
    grid->addWidget(party, 0, 0);
    connect(mTestAdd, &QPushButton::clicked, this, &TFormEDSystem::TestAddClick);
    connect(mTestRemove, &QPushButton::clicked, this, &TFormEDSystem::TestRemoveClick);
    connect(mTestMembers, &QListWidget::currentRowChanged, this, [this] {
        if (!mFillingTest) loadTestMember();
    });

    mTestMember = new QGroupBox("Member", editor);
    auto* memberForm = new QFormLayout(mTestMember);
    mTestHero = new TRecordComboBox(mTestMember);
    mTestHero->Fill(db.Heroes());
    memberForm->addRow("Hero", mTestHero);
    mTestLevel = new QSpinBox(mTestMember);
    mTestLevel->setRange(1, 99);
    mTestLevel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    memberForm->addRow("Level", mTestLevel);
    const char* const slotCaptions[5] = {"Arms :", "Shield :", "Armor :", "Helmet :", "Other :"};
    for (int slot = 0; slot < 5; ++slot) {
        mTestEquipment[slot] = new TRecordComboBox(mTestMember);
        auto* label = new QLabel(slotCaptions[slot], mTestMember);
        if (slot == 1) mTestSecondHand = label;
        memberForm->addRow(label, mTestEquipment[slot]);
    }
    grid->addWidget(mTestMember, 0, 1);
    connect(mTestHero, &QComboBox::currentIndexChanged, this, [this] {
        if (mFillingTest || Loading()) return;
        storeTestMember();
        // Another hero may hold other items in the second hand.
        loadTestMember();
    });
    connect(mTestLevel, &QSpinBox::valueChanged, this, [this] {
        if (!mFillingTest && !Loading()) storeTestMember();
    });
    for (TRecordComboBox* box : mTestEquipment)
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            if (!mFillingTest && !Loading()) storeTestMember();
        });

    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

// ---- the initial party

void TFormEDSystem::fillParty() {
    const TQelPlayer& heroes = DataBase().Heroes();
    for (int slot = 0; slot < PartySlots; ++slot) {
        // Each slot offers the heroes that no other slot holds.
        auto taken = [this, slot](int id) {
            for (int other = 0; other < mSystem.PartySize && other < PartySlots; ++other)
                if (other != slot && mSystem.PartyHero(other) == id) return true;
            return false;
        };
        const QSignalBlocker block(mParty[slot]);
        mParty[slot]->Fill(heroes, "(None)", [&](int id) { return !taken(id); });
        mParty[slot]->SetID(slot < mSystem.PartySize ? mSystem.PartyHero(slot) : 0);
        // A slot after the first empty one has nothing to add to.
        mParty[slot]->setEnabled(slot <= mSystem.PartySize);
    }
}

void TFormEDSystem::PartySlotChange(int slot) {
    if (Loading()) return;
    const int id = mParty[slot]->ID();
    if (id == 0) {
        // "(None)" ends the party at this slot.
        mSystem.SetPartyHero(slot, 0);
    } else {
        if (slot >= mSystem.PartySize) mSystem.SetPartySize(slot + 1);
        mSystem.SetPartyHero(slot, id);
    }
    fillParty();
    Modified();
}

// ---- the battle-test party

TQelTestPlayerItem* TFormEDSystem::currentTestMember() const {
    return mSystem.TestParty.Items(mTestMembers->currentRow());
}

QString TFormEDSystem::testMemberText(const TQelTestPlayerItem& member) const {
    const TQelPlayerItem* hero = DataBase().Heroes().Find(member.HeroID);
    return QString("Person %1: %2 Lv %3")
        .arg(member.ID)
        .arg(QString::asprintf("%.4d:", member.HeroID) +
             (hero ? QString::fromStdString(hero->Name) : QString()))
        .arg(member.Level);
}

void TFormEDSystem::fillTestMembers(int select) {
    mFillingTest = true;
    mTestMembers->clear();
    for (const auto& entry : mSystem.TestParty)
        mTestMembers->addItem(testMemberText(static_cast<const TQelTestPlayerItem&>(*entry)));
    mTestMembers->setCurrentRow(
        mTestMembers->count() == 0 ? -1 : std::clamp(select, 0, mTestMembers->count() - 1));
    mFillingTest = false;
    loadTestMember();
}

void TFormEDSystem::loadTestMember() {
    const TQelTestPlayerItem* member = currentTestMember();
    mFillingTest = true;
    mTestMember->setEnabled(member != nullptr);
    if (member) {
        mTestHero->SetID(member->HeroID);
        mTestLevel->setValue(member->Level);
        const TQelPlayerItem* hero = DataBase().Heroes().Find(member->HeroID);
        const bool twoSwords = hero && hero->TwoSword;
        mTestSecondHand->setText(twoSwords ? "Hands :" : "Shield :");
        const TQelItem& items = DataBase().Items();
        for (int slot = 0; slot < 5; ++slot) {
            // The second hand of a two-sword hero holds weapons.
            const int kind = slot == 1 && twoSwords ? itWeapon : itWeapon + slot;
            mTestEquipment[slot]->Fill(items, "(None)",
                                       [&items, kind](int id) { return items.Find(id)->ItemType == kind; });
            mTestEquipment[slot]->SetID(member->Equipment(slot));
        }
    }
    mFillingTest = false;
    RefreshDerived();
}

void TFormEDSystem::storeTestMember() {
    TQelTestPlayerItem* member = currentTestMember();
    if (!member) return;
    member->HeroID = mTestHero->ID();
    member->Level = mTestLevel->value();
    for (int slot = 0; slot < 5; ++slot)
        member->SetEquipment(slot, mTestEquipment[slot]->ID());
    if (QListWidgetItem* line = mTestMembers->currentItem()) line->setText(testMemberText(*member));
    Modified();
}

void TFormEDSystem::TestAddClick() {
    if (mSystem.TestParty.Count() >= TestPartyMax) return;
    TQelTestPlayerItem* member = mSystem.TestParty.Append();
    // A new member takes the first hero no one else has yet.
    for (const auto& hero : DataBase().Heroes()) {
        bool used = false;
        for (const auto& other : mSystem.TestParty)
            used = used || (other.get() != member &&
                            static_cast<const TQelTestPlayerItem&>(*other).HeroID == hero->ID);
        if (!used) {
            member->HeroID = hero->ID;
            break;
        }
    }
    fillTestMembers(mSystem.TestParty.Count() - 1);
    Modified();
}

void TFormEDSystem::TestRemoveClick() {
    const TQelTestPlayerItem* member = currentTestMember();
    if (!member) return;
    const int row = mTestMembers->currentRow();
    mSystem.TestParty.Remove(member->ID);
    fillTestMembers(row);
    Modified();
}

void TFormEDSystem::RefreshDerived() {
    mTestAdd->setEnabled(mSystem.TestParty.Count() < TestPartyMax);
    mTestRemove->setEnabled(currentTestMember() != nullptr);
}

} // namespace tarvel
