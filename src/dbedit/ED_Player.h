#pragma once

// The "Hero" page of the database window: a hero's names, levels, options, the six small graphs
// of its parameter curves, its experience settings, initial equipment, unarmed animation, skill
// slot name, the skills it learns and its condition and attribute ranks.

#include <QFrame>
#include <QTreeWidget>

#include "DataBaseList.h"
#include "data/HeroCurves.h"
#include "data/LD_Player.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace tarvel {

// A small graph of one parameter curve: a bar per level on black and the "Now:" value.
class TPlayerCurveGraph : public QFrame {
    Q_OBJECT
public:
    static constexpr int GraphWidth = 100, GraphHeight = 54;
    TPlayerCurveGraph(int parameter, QWidget* parent = nullptr);
    void SetCurve(const THeroCurve& curve, int32_t now);
    int Parameter() const { return mParameter; }
    // The parameter's colour and its value units per pixel on the page.
    static QColor Colour(int parameter);
    static int PageScale(int parameter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int mParameter;
    THeroCurve mCurve{};
    int32_t mNow = 0;
};

// Ranks A..E, one row per condition or attribute: a left click or Space lowers the rank, a right
// click raises it, both wrapping around.
class TRankTable : public QTreeWidget {
    Q_OBJECT
public:
    explicit TRankTable(const QString& title, QWidget* parent = nullptr);
    // Rows with their names and ranks.
    void SetRows(const QStringList& names, const std::vector<int>& ranks);
    std::vector<int> Ranks() const;
    // Steps the rank of a row by -1 or +1.
    void StepRank(int row, int step);
    std::function<void()> OnChanged;
    static QString RankMark(int rank);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class TFormEDPlayer : public TFormDataBaseListOf<TQelPlayerItem> {
    Q_OBJECT
public:
    TFormEDPlayer(QWidget* parent, TQelDataBase& dataBase);

    QLineEdit* EditTitle() const { return mTitle; }
    QSpinBox* InitialLevel() const { return mInitialLevel; }
    QSpinBox* MaxLevel() const { return mMaxLevel; }
    QCheckBox* CanCritical() const { return mCanCritical; }
    QSpinBox* CriticalRate() const { return mCriticalRate; }
    QCheckBox* TwoSword() const { return mOptions[0]; }
    QCheckBox* Option(int i) const { return mOptions[i]; }
    TPlayerCurveGraph* Graph(int parameter) const { return mGraphs[parameter]; }
    QLabel* ExpText() const { return mExpText; }
    QComboBox* Equipment(int slot) const { return mEquipment[slot]; }
    QLabel* EquipmentLabel(int slot) const { return mEquipmentLabels[slot]; }
    QComboBox* UnarmedAnimation() const { return mUnarmed; }
    QCheckBox* UseSkillSlotName() const { return mUseSlotName; }
    QLineEdit* SkillSlotName() const { return mSlotName; }
    QListWidget* SkillList() const { return mSkills; }
    QPushButton* ButtonDeleteSkill() const { return mDeleteSkill; }
    TRankTable* ConditionRanks() const { return mConditions; }
    TRankTable* AttributeRanks() const { return mAttributes; }

    // The skills list's row text: "L %2d" and the skill's name ("?" when it does not exist).
    QString SkillRowText(const TQelPlayerLearningItem& entry) const;
    void DeleteSelectedSkill();

protected:
    void LoadRecord() override;
    void RefreshDerived() override;

private:
    void loadEquipment();
    void loadSkills(int selectRow);
    void equipmentChosen(int slot);
    void levelsChanged();
    void ranksChanged(bool conditions);

    QLineEdit* mTitle;
    QSpinBox* mInitialLevel;
    QSpinBox* mMaxLevel;
    QCheckBox* mCanCritical;
    QSpinBox* mCriticalRate;
    // "2-Sword Style", "Equipmnt Fix", "Control by AI", "Strong Def."
    QCheckBox* mOptions[4];
    TPlayerCurveGraph* mGraphs[ParameterCount];
    QLabel* mExpText;
    QComboBox* mEquipment[EquipSlotCount];
    QLabel* mEquipmentLabels[EquipSlotCount];
    QComboBox* mUnarmed;
    QCheckBox* mUseSlotName;
    QLineEdit* mSlotName;
    QListWidget* mSkills;
    QPushButton* mDeleteSkill;
    TRankTable* mConditions;
    TRankTable* mAttributes;
};

} // namespace tarvel
