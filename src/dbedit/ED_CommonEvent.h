#pragma once

// The "Common Events" page of the database window: the frame's record list on the left, and for
// the selected common event its name, start condition, the switch that must be on for the
// automatic kinds, and its script, edited with the same list, pickers, command dialogs and
// clipboard rules as an event page (the paste filter of common events).

#include <memory>

#include "DataBaseList.h"
#include "data/EventScriptConverter.h"
#include "data/LD_CommonEvent.h"
#include "eventedit/commands/EvCmdWidgets.h"

namespace Ui {
class TFormEDCommonEvent;
}

namespace tarvel {

class TScriptEditor;
class TScriptListBox;

// The page's switch box: a switch the database does not have shows nothing.
class TCommonEventSwitchBox : public TSwitchVariableBox {
    Q_OBJECT
public:
    explicit TCommonEventSwitchBox(QWidget* parent = nullptr) : TSwitchVariableBox(TIdKind::Switch, parent) {}
    void Refresh() override;
};

class TFormEDCommonEvent : public TFormDataBaseListOf<TQelCommonEventItem> {
    Q_OBJECT
public:
    static constexpr int NameBytes = 20;
    // The stored start conditions, in the order of the list's rows.
    static constexpr uint8_t TriggerCall = 5;
    static constexpr uint8_t TriggerAutoStart = 3;
    static constexpr uint8_t TriggerParallel = 4;
    // Where the command picker opens, from the owner window.
    static constexpr QPoint CommandPickerOffset{288, 72};

    TFormEDCommonEvent(QWidget* parent, TQelDataBase& dataBase);
    ~TFormEDCommonEvent() override;
    Ui::TFormEDCommonEvent* form() const { return ui.get(); }
    TScriptListBox* ScriptList() const;
    TScriptEditor* ScriptEditor() const { return mScriptEditor; }

    void Start() override;
    // The row of a stored start condition (-1 for a value no row stands for).
    static int TriggerRow(uint8_t trigger);

protected:
    void LoadRecord() override;

private:
    void refreshCondition();
    void triggerChosen(int row);
    void switchChecked(bool on);

    std::unique_ptr<Ui::TFormEDCommonEvent> ui;
    TEventScriptConverter mConverter;
    TScriptEditor* mScriptEditor = nullptr;
};

} // namespace tarvel
