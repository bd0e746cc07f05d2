#include "ED_CommonEvent.h"

#include <QLineEdit>

#include "data/LD_DataBase.h"
#include "eventedit/NameLimit.h"
#include "eventedit/ScriptEdit.h"
#include "eventedit/ScriptList.h"
#include "records/ClipboardPort.h"
#include "ui_ED_CommonEvent.h"

namespace tarvel {

namespace {

constexpr uint8_t RowTriggers[] = {TFormEDCommonEvent::TriggerCall, TFormEDCommonEvent::TriggerAutoStart,
                                   TFormEDCommonEvent::TriggerParallel};

} // namespace

void TCommonEventSwitchBox::Refresh() {
    const TQelDataBase* db = QelDataBase();
    const bool exists = db && db->Switches().Find(Value());
    showText(exists ? Label(TIdKind::Switch, Value()) : QString());
}

TFormEDCommonEvent::TFormEDCommonEvent(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.CommonEvents(), ClipboardFormat::CommonEvents),
      ui(std::make_unique<Ui::TFormEDCommonEvent>()) {
    setObjectName("FormEDCommonEvent");
    ui->setupUi(EditorArea());
    LimitTextBytes(EditName(), NameBytes);

    mScriptEditor = new TScriptEditor(ui->ScriptList, TScriptKind::CommonEvent, this);
    mScriptEditor->SetConverter(&mConverter);
    mScriptEditor->SetPickerOffset(CommandPickerOffset);
    connect(mScriptEditor, &TScriptEditor::changed, this, [this] { Modified(); });
    // A command dialog renamed switches or the like: the names shown change, and the window
    // saves the database with the rest.
    connect(mScriptEditor, &TScriptEditor::dataBaseChanged, this, [this] {
        Modified();
        mScriptEditor->Reload();
        refreshCondition();
    });

    connect(ui->ComboTrigger, &QComboBox::currentIndexChanged, this, &TFormEDCommonEvent::triggerChosen);
    connect(ui->CheckSwitch, &QCheckBox::clicked, this, &TFormEDCommonEvent::switchChecked);
    connect(ui->BoxSwitch, &TPickerBox::changed, this, [this] {
        if (!Current()) return;
        Current()->SwitchID = ui->BoxSwitch->Value();
        Modified();
    });
    // A rename in the picker is a change too, and shows in the script.
    connect(ui->BoxSwitch, &TPickerBox::dataBaseChanged, this, [this] {
        Modified();
        mScriptEditor->Reload();
        refreshCondition();
    });
}

TFormEDCommonEvent::~TFormEDCommonEvent() = default;

TScriptListBox* TFormEDCommonEvent::ScriptList() const {
    return ui->ScriptList;
}

int TFormEDCommonEvent::TriggerRow(uint8_t trigger) {
    for (int row = 0; row < 3; ++row)
        if (RowTriggers[row] == trigger) return row;
    return -1;
}

void TFormEDCommonEvent::Start() {
    // The database window hands over the map tree and the map before the page starts.
    mConverter.SetContext({0, nullptr, MapTree(), Map(), nullptr, &DataBase()});
    mScriptEditor->SetContext({0, nullptr, MapTree(), Map(), nullptr});
    TFormDataBaseListOf::Start();
}

void TFormEDCommonEvent::LoadRecord() {
    TQelCommonEventItem* record = Current();
    ui->GroupTrigger->setEnabled(record != nullptr);
    ui->GroupCommands->setEnabled(record != nullptr);
    if (record) {
        // A stored value no row stands for leaves the row as it was.
        const int row = TriggerRow(record->Trigger);
        if (row >= 0) ui->ComboTrigger->setCurrentIndex(row);
    }
    refreshCondition();
    mScriptEditor->SetScript(record ? &record->Script : nullptr);
}

void TFormEDCommonEvent::refreshCondition() {
    const TQelCommonEventItem* record = Current();
    TLoadingScope loading(*this);
    const bool automatic = record && record->Trigger != TriggerCall;
    ui->GroupSwitch->setEnabled(automatic);
    ui->CheckSwitch->setChecked(record && record->UseSwitch);
    const bool box = automatic && record->UseSwitch;
    ui->BoxSwitch->setEnabled(box);
    ui->LabelSwitch->setEnabled(box);
    ui->BoxSwitch->SetValue(record ? record->SwitchID : 0);
}

void TFormEDCommonEvent::triggerChosen(int row) {
    TQelCommonEventItem* record = Current();
    if (Loading() || !record || row < 0 || row >= 3) return;
    record->Trigger = RowTriggers[row];
    refreshCondition();
    Modified();
}

void TFormEDCommonEvent::switchChecked(bool on) {
    TQelCommonEventItem* record = Current();
    if (Loading() || !record) return;
    record->UseSwitch = on;
    refreshCondition();
    Modified();
}

} // namespace tarvel
