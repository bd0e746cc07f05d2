#include "ED_Vocabulary.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "DataBaseControls.h"
#include "data/LD_DataBase.h"
#include "pickers/ProcessOption.h"

namespace tarvel {

namespace {

TProcessOption<int>& rememberedSubPage() {
    static TProcessOption<int> page(0);
    return page;
}

const std::vector<const char*>& shopRows() {
    static const std::vector<const char*> rows = {"Choose business",
                                                  "Choose business (again)",
                                                  "Purchase",
                                                  "Sale",
                                                  "Leave",
                                                  "Buy: which item",
                                                  "Buy: how many",
                                                  "Purchase complete",
                                                  "Sell: which item",
                                                  "Sell: how many",
                                                  "Sale complete"};
    return rows;
}

const std::vector<const char*>& innRows() {
    static const std::vector<const char*> rows = {"Question, before the price", "Question, after the price",
                                                  "Price question's tail", "Lodge", "Stay"};
    return rows;
}

} // namespace

TFormEDVocabPage::TFormEDVocabPage(QWidget* parent, TQelVocabulary& vocabulary,
                                   const TVocabularyLayout& layout)
    : QWidget(parent), mVocabulary(vocabulary) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    outer->addWidget(scroll);
    auto* rows = new QVBoxLayout(content);
    for (const auto& row : layout) {
        auto* line = new QHBoxLayout;
        for (const TVocabularySection& section : row) {
            if (const auto* group = std::get_if<TVocabularyGroup>(&section)) {
                auto* box = new QGroupBox(group->caption, content);
                auto* grid = new QGridLayout(box);
                const int perColumn = (int(group->texts.size()) + group->columns - 1) / group->columns;
                for (size_t i = 0; i < group->texts.size(); ++i) {
                    const int column = int(i) / perColumn * 2;
                    const int gridRow = int(i) % perColumn;
                    QLineEdit* edit = addEdit(box, group->texts[i].id);
                    auto* label = new QLabel(group->texts[i].label, box);
                    label->setBuddy(edit);
                    grid->addWidget(label, gridRow, column);
                    grid->addWidget(edit, gridRow, column + 1);
                    grid->setColumnStretch(column + 1, 1);
                }
                line->addWidget(box, group->columns);
            } else {
                const auto& styles = std::get<TVocabularyStyles>(section);
                auto* box = new QGroupBox(styles.caption, content);
                auto* grid = new QGridLayout(box);
                for (size_t c = 0; c < styles.styles.size(); ++c) {
                    grid->addWidget(new QLabel(styles.styles[c], box), 0, int(c) + 1);
                    grid->setColumnStretch(int(c) + 1, 1);
                }
                for (size_t r = 0; r < styles.rows.size(); ++r) {
                    grid->addWidget(new QLabel(styles.rows[r], box), int(r) + 1, 0);
                    for (size_t c = 0; c < styles.styles.size(); ++c)
                        grid->addWidget(addEdit(box, styles.firstIDs[c] + int(r)), int(r) + 1, int(c) + 1);
                }
                line->addWidget(box, int(styles.styles.size()));
            }
        }
        rows->addLayout(line);
    }
    rows->addStretch(1);
}

QLineEdit* TFormEDVocabPage::addEdit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString("EditText%1").arg(id));
    connect(edit, &QLineEdit::textChanged, this, [this, id](const QString& value) {
        if (mLoading) return;
        mVocabulary.SetText(id, value.toStdString());
        if (OnModified) OnModified();
    });
    mEdits[id] = edit;
    return edit;
}

void TFormEDVocabPage::Load() {
    mLoading = true;
    for (auto& [id, edit] : mEdits) {
        edit->setText(QString::fromStdString(mVocabulary.Text(id)));
        edit->setCursorPosition(0);
    }
    mLoading = false;
}

QLineEdit* TFormEDVocabPage::Edit(int id) const {
    auto found = mEdits.find(id);
    return found == mEdits.end() ? nullptr : found->second;
}

TFormEDVocabPage1::TFormEDVocabPage1(QWidget* parent, TQelVocabulary& vocabulary)
    : TFormEDVocabPage(parent, vocabulary,
                       {{TVocabularyGroup{"Battle Messages 1",
                                          {{voMonstersAppear, "Monsters appear"},
                                           {voFirstStrike, "First strike"},
                                           {voEscapeSuccess, "Escaped"},
                                           {voEscapeFailure, "Escape failed"},
                                           {voVictory, "Victory"},
                                           {voDefeat, "Defeat"},
                                           {voExperienceGained, "Experience gained"},
                                           {voMoneyGainedHead, "Money gained, before"},
                                           {voMoneyGainedTail, "Money gained, after"},
                                           {voItemGained, "Item gained"}}},
                         TVocabularyGroup{"Battle Messages 2",
                                          {{voAttack, "Attack"},
                                           {voAllyCritical, "Critical hit by a hero"},
                                           {voEnemyCritical, "Critical hit by a monster"},
                                           {voDefend, "Defending"},
                                           {voObserve, "Watching"},
                                           {voChargeUp, "Charging up"},
                                           {voSelfDestruct, "Self-destruction"},
                                           {voEnemyEscapes, "A monster escapes"},
                                           {voEnemyTransforms, "A monster transforms"}}}}}) {}

TFormEDVocabPage2::TFormEDVocabPage2(QWidget* parent, TQelVocabulary& vocabulary)
    : TFormEDVocabPage(parent, vocabulary,
                       {{TVocabularyGroup{"Battle Messages 3",
                                          {{voEnemyDamaged, "Damage to a monster"},
                                           {voEnemyUndamaged, "A monster takes no damage"},
                                           {voAllyDamaged, "Damage to a hero"},
                                           {voAllyUndamaged, "A hero takes no damage"},
                                           {voSkillFailureA, "Skill failure A"},
                                           {voSkillFailureB, "Skill failure B"},
                                           {voSkillFailureC, "Skill failure C"},
                                           {voAttackMissed, "Attack missed"},
                                           {voItemUsed, "Item used"}}},
                         TVocabularyGroup{"Battle Messages 4",
                                          {{voHPRecovered, "HP recovered"},
                                           {voParameterUp, "Parameter raised"},
                                           {voParameterDown, "Parameter lowered"},
                                           {voAllyAbsorbed, "Absorbed from a hero"},
                                           {voEnemyAbsorbed, "Absorbed from a monster"},
                                           {voResistanceUp, "Resistance raised"},
                                           {voResistanceDown, "Resistance lowered"},
                                           {voLevelUp, "Level up"},
                                           {voSkillLearned, "Skill learned"}}}}}) {}

TFormEDVocabPage3::TFormEDVocabPage3(QWidget* parent, TQelVocabulary& vocabulary)
    : TFormEDVocabPage(
          parent, vocabulary,
          {{TVocabularyStyles{"Shop Messages",
                              {"Shop Messages Style A", "Shop Messages Style B", "Shop Messages Style C"},
                              {voShopA, voShopB, voShopC},
                              shopRows()}}}) {}

TFormEDVocabPage4::TFormEDVocabPage4(QWidget* parent, TQelVocabulary& vocabulary)
    : TFormEDVocabPage(parent, vocabulary,
                       {{TVocabularyStyles{"INN Messages",
                                           {"INN Messages Style A", "INN Messages Style B"},
                                           {voInnA, voInnB},
                                           innRows()}},
                        {TVocabularyGroup{"Items and money",
                                          {{voItemsOwned, "Number of owned Items"},
                                           {voItemsEquipped, "Number of Equipped Items"},
                                           {voCurrency, "Currency Unit (GP)"}},
                                          3}},
                        {TVocabularyGroup{"SAVE - LOAD - END GAME",
                                          {{voSavePrompt, "Save to which file"},
                                           {voLoadPrompt, "Load which file"},
                                           {voEndGameConfirm, "End the game?"},
                                           {voFile, "File"},
                                           {voYes, "Yes"},
                                           {voNo, "No"}},
                                          3}}}) {}

TFormEDVocabPage5::TFormEDVocabPage5(QWidget* parent, TQelVocabulary& vocabulary)
    : TFormEDVocabPage(parent, vocabulary,
                       {{TVocabularyGroup{"Command",
                                          {{voFight, "Fight"},
                                           {voAuto, "Auto"},
                                           {voEscape, "Escape"},
                                           {voCommandAttack, "Attack"},
                                           {voCommandDefense, "Defense"},
                                           {voItems, "Items"},
                                           {voSkills, "Skills"},
                                           {voEquipment, "Equipment"},
                                           {voSave, "Save"},
                                           {voEndGame, "End Game"},
                                           {voNewGame, "New Game"},
                                           {voContinue, "Continue"},
                                           {voShutdown, "Shutdown"}},
                                          3}},
                        {TVocabularyGroup{"Abilities, Equipment, etc.",
                                          {{voLevel, "Level"},
                                           {voHP, "HP"},
                                           {voMP, "MP"},
                                           {voNormalState, "Normal state"},
                                           {voLevelShort, "Level (short)"},
                                           {voHPShort, "HP (short)"},
                                           {voMPShort, "MP (short)"},
                                           {voNormalStateShort, "Normal (short)"},
                                           {voMPCost, "MP cost"},
                                           {voAttackPower, "Attack"},
                                           {voDefensePower, "Defense"},
                                           {voMind, "Mind"},
                                           {voAgility, "Agility"},
                                           {voWeapon, "Weapon"},
                                           {voShield, "Shield"},
                                           {voArmor, "Armor"},
                                           {voHelmet, "Helmet"},
                                           {voAccessory, "Accessory"}},
                                          3}}}) {}

TFormEDVocabulary::TFormEDVocabulary(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseBase(parent, dataBase), mTabs(new QTabWidget(this)) {
    setObjectName("FormEDVocabulary");
    mTabs->setObjectName("VocabularyPages");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mTabs);
    TQelVocabulary& words = dataBase.Vocabulary();
    mPages[0] = new TFormEDVocabPage1(mTabs, words);
    mPages[1] = new TFormEDVocabPage2(mTabs, words);
    mPages[2] = new TFormEDVocabPage3(mTabs, words);
    mPages[3] = new TFormEDVocabPage4(mTabs, words);
    mPages[4] = new TFormEDVocabPage5(mTabs, words);
    const char* const captions[SubPageCount] = {"Battle 1", "Battle 2", "Shops", "Inns, Items, Saving",
                                                "Commands, Abilities"};
    for (int i = 0; i < SubPageCount; ++i) {
        mPages[i]->OnModified = [this] { Modified(); };
        mTabs->addTab(mPages[i], captions[i]);
    }
}

TFormEDVocabulary::~TFormEDVocabulary() {
    rememberedSubPage().Set(mTabs->currentIndex());
}

void TFormEDVocabulary::Start() {
    for (TFormEDVocabPage* page : mPages)
        page->Load();
    mTabs->setCurrentIndex(rememberedSubPage().Value());
}

QLineEdit* TFormEDVocabulary::Edit(int id) const {
    for (TFormEDVocabPage* page : mPages)
        if (QLineEdit* edit = page->Edit(id)) return edit;
    return nullptr;
}

} // namespace tarvel
