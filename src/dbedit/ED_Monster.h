#pragma once

#include "DataBaseControls.h"
#include "DataBaseList.h"
#include "data/LD_Monster.h"

class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace tarvel {

// "Monsters": a monster's picture, abilities, rewards, its susceptibility to conditions and
// attributes, and its "Action Pattern": the list of actions it chooses from in battle, edited
// entry by entry and copied through the clipboard.
class TFormEDMonster : public TFormDataBaseListOf<TQelMonsterItem> {
    Q_OBJECT
public:
    TFormEDMonster(QWidget* parent, TQelDataBase& dataBase);

    QTabWidget* Pages() const { return mPages; }
    QSpinBox* SpinParameter(int index) const { return mParameters[index]; }
    TActionPickerBox* GraphicBox() const { return mGraphic; }
    QLabel* Picture() const { return mPicture; }
    TRecordComboBox* ComboDropItem() const { return mDropItem; }
    TRecordRankTable* ConditionRanks() const { return mConditionRanks; }
    TRecordRankTable* AttributeRanks() const { return mAttributeRanks; }
    QTreeWidget* ActionList() const { return mActions; }
    QMenu* ActionMenu() const { return mActionMenu; }
    QAction* ActionPasteAction() const { return mActionPaste; }

    // The action pattern's operations; each works on the selected entry.
    void ActionAdd();
    void ActionEdit();
    void ActionDelete();
    void ActionCopy();
    void ActionCut();
    // Inserts the clipboard's actions before the selected entry (at the end when none is).
    void ActionPaste();
    void UpdateActionMenu();

protected:
    void LoadRecord() override;
    void RefreshDerived() override;

private:
    void fillActions(int select);
    void showPicture();
    // Runs the action dialog on an action; true after OK.
    bool editAction(TQelMonsterActItem& action);

    TFieldBinder<TQelMonsterItem> mBinder;
    QTabWidget* mPages = nullptr;
    QSpinBox* mParameters[6] = {};
    TActionPickerBox* mGraphic = nullptr;
    QLabel* mPicture = nullptr;
    TRecordComboBox* mDropItem = nullptr;
    QCheckBox* mCanCritical = nullptr;
    QSpinBox* mCriticalRate = nullptr;
    TRecordRankTable* mConditionRanks = nullptr;
    TRecordRankTable* mAttributeRanks = nullptr;
    QTreeWidget* mActions = nullptr;
    QPushButton* mEditButton = nullptr;
    QPushButton* mDeleteButton = nullptr;
    QMenu* mActionMenu = nullptr;
    QAction* mActionEdit = nullptr;
    QAction* mActionCut = nullptr;
    QAction* mActionCopy = nullptr;
    QAction* mActionPaste = nullptr;
    QAction* mActionDelete = nullptr;
};

} // namespace tarvel
