#include "EvCmdFlow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>

#include "EvCmdOptions.h"
#include "EvCmdParts.h"
#include "EvCmdWidgets.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"

namespace tarvel {

// ---- TLabelForm

namespace {

constexpr int LabelCount = 100;

TEvCmdOption<int32_t>& rememberedLabel(int32_t code) {
    static TEvCmdOption<int32_t> label{1};
    static TEvCmdOption<int32_t> jump{1};
    return code == 12110 ? label : jump;
}

} // namespace

TLabelForm::TLabelForm(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption), mLabel(RangeSpin(1, LabelCount, this, "SpinLabel")) {
    auto* group = new QGroupBox("Label Number", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mLabel, 1);
    Body()->addWidget(group);
}

void TLabelForm::LoadCommand(const TQelEventScriptLine* head) {
    mLabel->setValue(head ? head->Param(0) : rememberedLabel(Code()).Value());
}

void TLabelForm::SaveCommand() {
    rememberedLabel(Code()).Set(mLabel->value());
    WriteLine({Code(), 0, {}, {mLabel->value()}});
}

// ---- TFormEvCmd12330

namespace {

enum TCallMode { cmCommon, cmDirect, cmVariables };

struct TCallFields {
    int32_t Mode = cmCommon;
    int32_t CommonEvent = 1;
    int32_t Event = CharacterThisEvent;
    int32_t Page = 1;
    int32_t EventVariable = 1;
    int32_t PageVariable = 1;
};

TEvCmdOption<TCallFields>& rememberedCall() {
    static TEvCmdOption<TCallFields> option{TCallFields{}};
    return option;
}

} // namespace

TFormEvCmd12330::TFormEvCmd12330(QWidget* owner)
    : TFormEvCmdBase(owner, 12330, "Call Event"),
      mCommonEvent(new TRecordCombo(QelDataBase() ? &QelDataBase()->CommonEvents() : nullptr, this)),
      mEvent(new TCharacterCombo(this)), mPage(RangeSpin(1, 1, this, "SpinPage")),
      mEventVariable(new TSwitchVariableBox(TIdKind::Variable, this)),
      mPageVariable(new TSwitchVariableBox(TIdKind::Variable, this)) {
    mCommonEvent->setObjectName("ComboCommonEvent");
    mEvent->setObjectName("ComboEvent");
    mEventVariable->setObjectName("BoxEventVariable");
    mPageVariable->setObjectName("BoxPageVariable");
    const char* captions[] = {"Common Events", "Map Event (Direct designation)",
                              "Map Event (Variable Designation)"};
    auto* group = new QGroupBox("Event", this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 3; ++i) {
        mModes[i] = new QRadioButton(captions[i], group);
        mModes[i]->setObjectName(QStringLiteral("RadioMode%1").arg(i));
        connect(mModes[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on) enableByMode();
        });
    }
    grid->addWidget(mModes[cmCommon], 0, 0, 1, 4);
    grid->addWidget(mCommonEvent, 1, 1, 1, 3);
    grid->addWidget(mModes[cmDirect], 2, 0, 1, 4);
    grid->addWidget(new QLabel("Event", group), 3, 1);
    grid->addWidget(mEvent, 3, 2);
    grid->addWidget(new QLabel("Page", group), 4, 1);
    grid->addWidget(mPage, 4, 2);
    grid->addWidget(mModes[cmVariables], 5, 0, 1, 4);
    grid->addWidget(new QLabel("Event", group), 6, 1);
    grid->addWidget(mEventVariable, 6, 2);
    grid->addWidget(new QLabel("Page", group), 7, 1);
    grid->addWidget(mPageVariable, 7, 2);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(2, 1);
    Body()->addWidget(group);
    mModes[cmCommon]->setChecked(true);
    connect(mEvent, &QComboBox::currentIndexChanged, this, [this] { mPage->setMaximum(PageCount()); });
}

int TFormEvCmd12330::PageCount() const {
    const TEvCmdContext& context = Context();
    const int32_t event = mEvent->Value();
    const TQelEventItem* item = nullptr;
    // "this Event" and the edited event are the copy being edited, with the pages it has now.
    if (event == CharacterThisEvent || (context.EventID != 0 && event == context.EventID))
        item = context.Event;
    else if (context.Map)
        item = context.Map->Events.Find(event);
    return item ? std::max(item->Pages.Count(), 1) : 1;
}

void TFormEvCmd12330::enableByMode() {
    mCommonEvent->setEnabled(mModes[cmCommon]->isChecked());
    mEvent->setEnabled(mModes[cmDirect]->isChecked());
    mPage->setEnabled(mModes[cmDirect]->isChecked());
    mEventVariable->setEnabled(mModes[cmVariables]->isChecked());
    mPageVariable->setEnabled(mModes[cmVariables]->isChecked());
}

void TFormEvCmd12330::LoadCommand(const TQelEventScriptLine* head) {
    TCallFields f = rememberedCall().Value();
    if (head) {
        f.Mode = std::clamp(head->Param(0), 0, 2);
        if (f.Mode == cmCommon) f.CommonEvent = head->Param(1);
        if (f.Mode == cmDirect) {
            f.Event = head->Param(1);
            f.Page = head->Param(2);
        }
        if (f.Mode == cmVariables) {
            f.EventVariable = head->Param(1);
            f.PageVariable = head->Param(2);
        }
    }
    mCommonEvent->SetID(f.CommonEvent);
    mEvent->Fill(Context(), TCharacterCombo::TLeading::ThisEvent);
    mEvent->SetValue(f.Event);
    mPage->setMaximum(PageCount());
    mPage->setValue(f.Page);
    mEventVariable->SetValue(f.EventVariable);
    mPageVariable->SetValue(f.PageVariable);
    mModes[f.Mode]->setChecked(true);
    enableByMode();
}

void TFormEvCmd12330::SaveCommand() {
    TCallFields f;
    for (int i = 0; i < 3; ++i)
        if (mModes[i]->isChecked()) f.Mode = i;
    f.CommonEvent = mCommonEvent->ID();
    f.Event = mEvent->Value();
    f.Page = mPage->value();
    f.EventVariable = mEventVariable->Value();
    f.PageVariable = mPageVariable->Value();
    rememberedCall().Set(f);
    switch (f.Mode) {
    case cmCommon:
        WriteLine({Code(), 0, {}, {cmCommon, f.CommonEvent, 0}});
        break;
    case cmDirect:
        WriteLine({Code(), 0, {}, {cmDirect, f.Event, f.Page}});
        break;
    default:
        WriteLine({Code(), 0, {}, {cmVariables, f.EventVariable, f.PageVariable}});
        break;
    }
}

} // namespace tarvel
