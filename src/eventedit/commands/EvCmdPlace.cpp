#include "EvCmdPlace.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>

#include "EvCmdOptions.h"
#include "controls/DialogPlacement.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"
#include "mapedit/MapSetPlace.h"

namespace tarvel {

namespace {

QString mapHead(const TQelMapTree* tree, int32_t mapID) {
    const TQelMapTreeItem* node = tree && mapID > 0 ? tree->NodeByID(mapID) : nullptr;
    return QStringLiteral("%1:%2")
        .arg(mapID, 4, 10, QChar('0'))
        .arg(node ? QString::fromStdString(node->Name) : QStringLiteral("?"));
}

QString cellText(int32_t x, int32_t y) {
    return QStringLiteral("(%1,%2)").arg(x, 3, 10, QChar('0')).arg(y, 3, 10, QChar('0'));
}

// The map a new place starts on: the edited map, else the map open in the tree (an area's map).
int32_t currentMapID(const TEvCmdContext& context) {
    if (context.Map) return context.Map->ID;
    if (!context.MapTree) return 0;
    const TQelMapTreeItem* active = context.MapTree->ActiveNode();
    if (!active) return 0;
    return active->NodeKind == nkArea ? active->ParentID : active->ID;
}

// Runs the place picker from a place; returns the chosen one, or nothing on Cancel.
bool pickPlace(QWidget* owner, TQelMapTree& tree, const TQelMap* current, TMapPlace& place,
               TFormMapSetPlace::Options options) {
    TStoredViewPositions keep(&tree);
    TFormMapSetPlace picker(owner, tree, current, place.MapID, {place.X, place.Y}, options);
    if (owner) CenterOnOwner(&picker);
    if (picker.exec() != QDialog::Accepted) return false;
    const TPoint cell = picker.Position();
    place = {picker.MapID(), cell.x, cell.y};
    return true;
}

} // namespace

TMapPlace TeleportStartPlace(const TEvCmdContext& context) {
    TMapPlace place;
    place.MapID = currentMapID(context);
    if (context.Event) {
        place.X = context.Event->X;
        place.Y = context.Event->Y;
    } else {
        const TQelMapTreeItem* node = context.MapTree ? context.MapTree->NodeByID(place.MapID) : nullptr;
        place.X = (node ? node->ScrollX : 0) / 32 + 9;
        place.Y = (node ? node->ScrollY : 0) / 32 + 7;
    }
    if (context.Map && context.Map->ID == place.MapID) {
        place.X = std::min(place.X, context.Map->Width - 1);
        place.Y = std::min(place.Y, context.Map->Height - 1);
    }
    place.X = std::max(place.X, 0);
    place.Y = std::max(place.Y, 0);
    return place;
}

// ---- TStoredViewPositions

TStoredViewPositions::TStoredViewPositions(TQelMapTree* tree) : mTree(tree) {
    if (!tree) return;
    for (int i = 0; i < tree->Count(); ++i) {
        const TQelMapTreeItem* node = tree->NodeByIndex(i);
        mSaved.push_back({node->ID, node->ScrollX, node->ScrollY});
    }
}

TStoredViewPositions::~TStoredViewPositions() {
    for (const TSaved& saved : mSaved)
        if (TQelMapTreeItem* node = mTree->NodeByID(saved.ID)) {
            node->ScrollX = saved.ScrollX;
            node->ScrollY = saved.ScrollY;
        }
}

// ---- TPlaceBox

TPlaceBox::TPlaceBox(TScope scope, QWidget* parent) : TPickerBox(parent), mScope(scope) {
    setMinimumWidth(200);
    setEnabled(false);
    Refresh();
}

void TPlaceBox::SetContext(const TEvCmdContext& context) {
    mTree = context.MapTree;
    mMap = context.Map;
    setEnabled(CanPick());
    Refresh();
}

void TPlaceBox::SetValue(const TMapPlace& place) {
    mPlace = place;
    Refresh();
}

bool TPlaceBox::CanPick() const {
    return mTree && (mScope == TScope::AnyMap || mMap);
}

void TPlaceBox::Refresh() {
    if (mScope == TScope::EditedMap) {
        showText(cellText(mPlace.X, mPlace.Y));
        return;
    }
    QString text = mapHead(mTree, mPlace.MapID);
    if (mPlace.HasCell()) text += " " + cellText(mPlace.X, mPlace.Y);
    showText(text);
}

void TPlaceBox::Pick() {
    if (!CanPick()) return;
    TFormMapSetPlace::Options options;
    options.mapAloneEnough = mMapAlone;
    TMapPlace place = mPlace;
    if (mScope == TScope::EditedMap) {
        options.locked = true;
        place.MapID = mMap->ID;
    }
    if (!pickPlace(window(), *mTree, mMap, place, options)) return;
    SetValue(place);
    emit changed();
}

// ---- TFormEvCmd10810

bool TFormEvCmd10810::Run() {
    Open();
    TQelMapTree* tree = Context().MapTree;
    if (!tree) return false;
    TMapPlace place;
    if (const TQelEventScriptLine* head = Lines().Line(0))
        place = {head->Param(0), head->Param(1), head->Param(2)};
    else
        place = TeleportStartPlace(Context());
    if (!pickPlace(parentWidget(), *tree, Context().Map, place, {})) return false;
    WriteLine({Code(), 0, {}, {place.MapID, place.X, place.Y}});
    return true;
}

// ---- TPlaceVariablesForm

TPlaceVariablesForm::TPlaceVariablesForm(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption), mMapID(new TSwitchVariableBox(TIdKind::Variable, this)),
      mX(new TSwitchVariableBox(TIdKind::Variable, this)),
      mY(new TSwitchVariableBox(TIdKind::Variable, this)) {
    mMapID->setObjectName("BoxMapID");
    mX->setObjectName("BoxX");
    mY->setObjectName("BoxY");
    auto* group = new QGroupBox("Variables", this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Map ID", group), 0, 0);
    grid->addWidget(mMapID, 0, 1);
    grid->addWidget(new QLabel("X", group), 1, 0);
    grid->addWidget(mX, 1, 1);
    grid->addWidget(new QLabel("Y", group), 2, 0);
    grid->addWidget(mY, 2, 1);
    Body()->addWidget(group);
}

void TPlaceVariablesForm::LoadCommand(const TQelEventScriptLine* head) {
    TPlaceVariables v = SharedPlaceVariables().Value();
    if (head) v = {head->Param(0), head->Param(1), head->Param(2)};
    mMapID->SetValue(v.MapID);
    mX->SetValue(v.X);
    mY->SetValue(v.Y);
}

void TPlaceVariablesForm::SaveCommand() {
    TPlaceVariables v{mMapID->Value(), mX->Value(), mY->Value()};
    SharedPlaceVariables().Set(v);
    WriteLine({Code(), 0, {}, {v.MapID, v.X, v.Y}});
}

// ---- TDirectOrVariablePlace

TDirectOrVariablePlace::TDirectOrVariablePlace(TPlaceBox::TScope scope, QWidget* parent)
    : QGroupBox("Place", parent), mScope(scope), mRadioDirect(new QRadioButton("Specific", this)),
      mRadioVariable(new QRadioButton("Variable", this)), mPlace(new TPlaceBox(scope, this)),
      mVariableX(new TSwitchVariableBox(TIdKind::Variable, this)),
      mVariableY(new TSwitchVariableBox(TIdKind::Variable, this)) {
    setObjectName("Place");
    mRadioDirect->setObjectName("RadioDirect");
    mRadioVariable->setObjectName("RadioVariable");
    mPlace->setObjectName("BoxPlace");
    mVariableX->setObjectName("BoxX");
    mVariableY->setObjectName("BoxY");
    auto* grid = new QGridLayout(this);
    grid->addWidget(mRadioDirect, 0, 0);
    grid->addWidget(mPlace, 0, 1, 1, 2);
    grid->addWidget(mRadioVariable, 1, 0);
    int row = 1;
    if (scope == TPlaceBox::TScope::AnyMap) {
        mVariableMap = new TSwitchVariableBox(TIdKind::Variable, this);
        mVariableMap->setObjectName("BoxMapID");
        grid->addWidget(new QLabel("Map ID", this), row, 1);
        grid->addWidget(mVariableMap, row++, 2);
    }
    grid->addWidget(new QLabel("X", this), row, 1);
    grid->addWidget(mVariableX, row++, 2);
    grid->addWidget(new QLabel("Y", this), row, 1);
    grid->addWidget(mVariableY, row, 2);
    grid->setColumnStretch(2, 1);
    mRadioDirect->setChecked(true);
    connect(mRadioDirect, &QRadioButton::toggled, this, &TDirectOrVariablePlace::enableByMode);
    enableByMode();
}

int TDirectOrVariablePlace::Mode() const {
    return mRadioVariable->isChecked() ? 1 : 0;
}

void TDirectOrVariablePlace::SetMode(int mode) {
    (mode == 1 ? mRadioVariable : mRadioDirect)->setChecked(true);
    enableByMode();
}

void TDirectOrVariablePlace::enableByMode() {
    const bool direct = Mode() == 0;
    mPlace->setEnabled(direct && mPlace->CanPick());
    for (TSwitchVariableBox* box : {mVariableMap, mVariableX, mVariableY})
        if (box) box->setEnabled(!direct);
}

void TDirectOrVariablePlace::LoadVariables() {
    const TPlaceVariables& v = SharedPlaceVariables().Value();
    if (mVariableMap) mVariableMap->SetValue(v.MapID);
    mVariableX->SetValue(v.X);
    mVariableY->SetValue(v.Y);
}

void TDirectOrVariablePlace::RememberVariables() const {
    TPlaceVariables v = SharedPlaceVariables().Value();
    if (mVariableMap) v.MapID = mVariableMap->Value();
    v.X = mVariableX->Value();
    v.Y = mVariableY->Value();
    SharedPlaceVariables().Set(v);
}

std::vector<int32_t> TDirectOrVariablePlace::Stored() const {
    std::vector<int32_t> values;
    const TMapPlace place = mPlace->Value();
    if (Mode() == 0) {
        if (mVariableMap) values.push_back(place.MapID);
        values.push_back(place.X);
        values.push_back(place.Y);
    } else {
        if (mVariableMap) values.push_back(mVariableMap->Value());
        values.push_back(mVariableX->Value());
        values.push_back(mVariableY->Value());
    }
    return values;
}

void TDirectOrVariablePlace::Load(int32_t mode, const std::vector<int32_t>& values) {
    auto value = [&values](size_t i) { return i < values.size() ? values[i] : 0; };
    const size_t first = mVariableMap ? 1 : 0;
    SetMode(mode == 1 ? 1 : 0);
    if (Mode() == 0) {
        TMapPlace place = mPlace->Value();
        if (mVariableMap) place.MapID = value(0);
        place.X = value(first);
        place.Y = value(first + 1);
        mPlace->SetValue(place);
    } else {
        if (mVariableMap) mVariableMap->SetValue(value(0));
        mVariableX->SetValue(value(first));
        mVariableY->SetValue(value(first + 1));
    }
}

// ---- TFormEvCmd10850

namespace {

struct TVehiclePlaceFields {
    int32_t Vehicle = 0;
    int32_t Mode = 0;
    TMapPlace Place;
};

TEvCmdOption<TVehiclePlaceFields>& rememberedVehiclePlace() {
    static TEvCmdOption<TVehiclePlaceFields> option{TVehiclePlaceFields{}};
    return option;
}

// A new command with no remembered map starts where a teleport would.
TMapPlace placeOrStart(TMapPlace place, const TEvCmdContext& context) {
    return place.MapID > 0 ? place : TeleportStartPlace(context);
}

} // namespace

TFormEvCmd10850::TFormEvCmd10850(QWidget* owner)
    : TFormEvCmdBase(owner, 10850, "Placement of Vehicle"),
      mVehicle(new TRadioGroup("Vehicle", {"Boat", "Ship", "Airship"}, Qt::Horizontal, this)),
      mPlace(new TDirectOrVariablePlace(TPlaceBox::TScope::AnyMap, this)) {
    mVehicle->setObjectName("GroupVehicle");
    Body()->addWidget(mVehicle);
    Body()->addWidget(mPlace);
}

void TFormEvCmd10850::LoadCommand(const TQelEventScriptLine* head) {
    TVehiclePlaceFields f = rememberedVehiclePlace().Value();
    mPlace->SetContext(Context());
    mPlace->LoadVariables();
    mPlace->SetPlace(placeOrStart(f.Place, Context()));
    mPlace->SetMode(f.Mode);
    if (head) {
        f.Vehicle = head->Param(0);
        mPlace->Load(head->Param(1), {head->Param(2), head->Param(3), head->Param(4)});
    }
    mVehicle->SetIndex(f.Vehicle);
}

void TFormEvCmd10850::SaveCommand() {
    TVehiclePlaceFields f{mVehicle->Index(), mPlace->Mode(), mPlace->Place()};
    rememberedVehiclePlace().Set(f);
    mPlace->RememberVariables();
    std::vector<int32_t> params = {f.Vehicle, f.Mode};
    for (int32_t v : mPlace->Stored())
        params.push_back(v);
    WriteLine({Code(), 0, {}, params});
}

// ---- TFormEvCmd10860

namespace {

struct TEventPlaceFields {
    int32_t Event = CharacterThisEvent;
    int32_t Mode = 0;
    TMapPlace Place;
};

TEvCmdOption<TEventPlaceFields>& rememberedEventPlace() {
    static TEvCmdOption<TEventPlaceFields> option{TEventPlaceFields{}};
    return option;
}

TCharacterCombo* eventCombo(QWidget* parent, const char* name) {
    auto* combo = new TCharacterCombo(parent);
    combo->setObjectName(name);
    return combo;
}

} // namespace

TFormEvCmd10860::TFormEvCmd10860(QWidget* owner)
    : TFormEvCmdBase(owner, 10860, "Place of Event"), mEvent(eventCombo(this, "ComboEvent")),
      mPlace(new TDirectOrVariablePlace(TPlaceBox::TScope::EditedMap, this)) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Event", this));
    row->addWidget(mEvent, 1);
    Body()->addLayout(row);
    Body()->addWidget(mPlace);
}

void TFormEvCmd10860::LoadCommand(const TQelEventScriptLine* head) {
    TEventPlaceFields f = rememberedEventPlace().Value();
    mEvent->Fill(Context(), TCharacterCombo::TLeading::ThisEvent);
    mPlace->SetContext(Context());
    mPlace->LoadVariables();
    mPlace->SetPlace(f.Place);
    mPlace->SetMode(f.Mode);
    if (head) {
        f.Event = head->Param(0);
        mPlace->Load(head->Param(1), {head->Param(2), head->Param(3)});
    }
    mEvent->SetValue(f.Event);
}

void TFormEvCmd10860::SaveCommand() {
    TEventPlaceFields f{mEvent->Value(), mPlace->Mode(), mPlace->Place()};
    rememberedEventPlace().Set(f);
    mPlace->RememberVariables();
    std::vector<int32_t> params = {f.Event, f.Mode};
    for (int32_t v : mPlace->Stored())
        params.push_back(v);
    WriteLine({Code(), 0, {}, params});
}

// ---- TFormEvCmd10870

namespace {

struct TSwapFields {
    int32_t First = CharacterThisEvent;
    int32_t Second = CharacterThisEvent;
};

TEvCmdOption<TSwapFields>& rememberedSwap() {
    static TEvCmdOption<TSwapFields> option{TSwapFields{}};
    return option;
}

} // namespace

TFormEvCmd10870::TFormEvCmd10870(QWidget* owner)
    : TFormEvCmdBase(owner, 10870, "Exchange Event Places"), mFirst(eventCombo(this, "ComboFirst")),
      mSecond(eventCombo(this, "ComboSecond")) {
    auto* group = new QGroupBox("Events", this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("Event 1", group), 0, 0);
    grid->addWidget(mFirst, 0, 1);
    grid->addWidget(new QLabel("Event 2", group), 1, 0);
    grid->addWidget(mSecond, 1, 1);
    grid->setColumnStretch(1, 1);
    Body()->addWidget(group);
}

void TFormEvCmd10870::LoadCommand(const TQelEventScriptLine* head) {
    TSwapFields f = rememberedSwap().Value();
    if (head) f = {head->Param(0), head->Param(1)};
    mFirst->Fill(Context(), TCharacterCombo::TLeading::ThisEvent);
    mSecond->Fill(Context(), TCharacterCombo::TLeading::ThisEvent);
    mFirst->SetValue(f.First);
    mSecond->SetValue(f.Second);
}

void TFormEvCmd10870::SaveCommand() {
    TSwapFields f{mFirst->Value(), mSecond->Value()};
    rememberedSwap().Set(f);
    WriteLine({Code(), 0, {}, {f.First, f.Second}});
}

// ---- TCellIDForm (10910, 10920)

namespace {

struct TCellIDFields {
    int32_t Mode = 0;
    TMapPlace Place;
    int32_t Result = 1;
};

// Each of the two dialogs remembers its own.
TEvCmdOption<TCellIDFields>& rememberedCellID(int32_t code) {
    static TEvCmdOption<TCellIDFields> terrain{TCellIDFields{}};
    static TEvCmdOption<TCellIDFields> event{TCellIDFields{}};
    return code == 10910 ? terrain : event;
}

} // namespace

TCellIDForm::TCellIDForm(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption),
      mPlace(new TDirectOrVariablePlace(TPlaceBox::TScope::EditedMap, this)),
      mResult(new TSwitchVariableBox(TIdKind::Variable, this)) {
    mResult->setObjectName("BoxResult");
    Body()->addWidget(mPlace);
    auto* group = new QGroupBox(code == 10910 ? "Store the Terrain ID in" : "Store the Event ID in", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mResult, 1);
    Body()->addWidget(group);
}

void TCellIDForm::LoadCommand(const TQelEventScriptLine* head) {
    TCellIDFields f = rememberedCellID(Code()).Value();
    mPlace->SetContext(Context());
    mPlace->LoadVariables();
    mPlace->SetPlace(f.Place);
    mPlace->SetMode(f.Mode);
    if (head) {
        mPlace->Load(head->Param(0), {head->Param(1), head->Param(2)});
        f.Result = head->Param(3);
    }
    mResult->SetValue(f.Result);
}

void TCellIDForm::SaveCommand() {
    TCellIDFields f{mPlace->Mode(), mPlace->Place(), mResult->Value()};
    rememberedCellID(Code()).Set(f);
    mPlace->RememberVariables();
    std::vector<int32_t> params = {f.Mode};
    for (int32_t v : mPlace->Stored())
        params.push_back(v);
    params.push_back(f.Result);
    WriteLine({Code(), 0, {}, params});
}

// ---- TSwitchAfterEdit

TSwitchAfterEdit::TSwitchAfterEdit(const QString& caption, QWidget* parent)
    : QGroupBox(parent), mCheck(new QCheckBox(caption, this)),
      mSwitch(new TSwitchVariableBox(TIdKind::Switch, this)) {
    setObjectName("SwitchAfter");
    mCheck->setObjectName("CheckSwitch");
    mSwitch->setObjectName("BoxSwitch");
    auto* row = new QHBoxLayout(this);
    row->addWidget(mCheck);
    row->addWidget(mSwitch, 1);
    connect(mCheck, &QCheckBox::toggled, mSwitch, &QWidget::setEnabled);
    mSwitch->setEnabled(false);
}

bool TSwitchAfterEdit::IsOn() const {
    return mCheck->isChecked();
}

int32_t TSwitchAfterEdit::Switch() const {
    return mSwitch->Value();
}

void TSwitchAfterEdit::SetValue(bool on, int32_t switchID) {
    mCheck->setChecked(on);
    mSwitch->SetValue(switchID);
    mSwitch->setEnabled(on);
}

// ---- TFormEvCmd11810

namespace {

struct TTeleportPlaceFields {
    int32_t Operation = 0;
    TMapPlace Place;
    bool SwitchOn = false;
    int32_t Switch = 1;
};

TEvCmdOption<TTeleportPlaceFields>& rememberedTeleportPlace() {
    static TEvCmdOption<TTeleportPlaceFields> option{TTeleportPlaceFields{}};
    return option;
}

} // namespace

TFormEvCmd11810::TFormEvCmd11810(QWidget* owner)
    : TFormEvCmdBase(owner, 11810, "Place of Teleport"),
      mOperation(new TRadioGroup("Operation", {"Add", "Delete"}, Qt::Horizontal, this)),
      mPlace(new TPlaceBox(TPlaceBox::TScope::AnyMap, this)),
      mSwitch(new TSwitchAfterEdit("Switch ON after Teleport", this)) {
    mOperation->setObjectName("GroupOperation");
    mPlace->setObjectName("BoxPlace");
    Body()->addWidget(mOperation);
    auto* group = new QGroupBox("Place", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mPlace, 1);
    Body()->addWidget(group);
    Body()->addWidget(mSwitch);
    connect(mOperation, &TRadioGroup::indexChanged, this, &TFormEvCmd11810::operationChanged);
    connect(mPlace, &TPickerBox::changed, this, &TFormEvCmd11810::operationChanged);
}

void TFormEvCmd11810::operationChanged() {
    const bool add = mOperation->Index() == 0;
    mPlace->SetMapAloneEnough(!add);
    mSwitch->setEnabled(add);
    // A place is added with its cell; deleting names the map alone.
    ButtonOk()->setEnabled(!add || mPlace->Value().HasCell());
}

void TFormEvCmd11810::LoadCommand(const TQelEventScriptLine* head) {
    TTeleportPlaceFields f = rememberedTeleportPlace().Value();
    f.Place = placeOrStart(f.Place, Context());
    if (head) {
        f.Operation = head->Param(0);
        // A deleted place names its map alone; its cell is chosen anew to add one.
        if (f.Operation == 0)
            f.Place = {head->Param(1), head->Param(2), head->Param(3)};
        else
            f.Place = {head->Param(1), -1, -1};
        f.SwitchOn = head->Param(4) == 1;
        if (f.SwitchOn) f.Switch = head->Param(5);
    }
    mPlace->SetContext(Context());
    mPlace->SetValue(f.Place);
    mSwitch->SetValue(f.SwitchOn, f.Switch);
    mOperation->SetIndex(f.Operation);
    operationChanged();
}

void TFormEvCmd11810::SaveCommand() {
    TTeleportPlaceFields f{mOperation->Index(), mPlace->Value(), mSwitch->IsOn(), mSwitch->Switch()};
    rememberedTeleportPlace().Set(f);
    if (f.Operation == 1) {
        WriteLine({Code(), 0, {}, {1, f.Place.MapID, 0, 0, 0, 0}});
        return;
    }
    WriteLine({Code(),
               0,
               {},
               {0, f.Place.MapID, f.Place.X, f.Place.Y, f.SwitchOn ? 1 : 0, f.SwitchOn ? f.Switch : 0}});
}

// ---- TFormEvCmd11830

namespace {

struct TEscapePlaceFields {
    TMapPlace Place;
    bool SwitchOn = false;
    int32_t Switch = 1;
};

TEvCmdOption<TEscapePlaceFields>& rememberedEscapePlace() {
    static TEvCmdOption<TEscapePlaceFields> option{TEscapePlaceFields{}};
    return option;
}

} // namespace

TFormEvCmd11830::TFormEvCmd11830(QWidget* owner)
    : TFormEvCmdBase(owner, 11830, "Place Escape Area"),
      mPlace(new TPlaceBox(TPlaceBox::TScope::AnyMap, this)),
      mSwitch(new TSwitchAfterEdit("Switch ON after Escape", this)) {
    mPlace->setObjectName("BoxPlace");
    auto* group = new QGroupBox("Place", this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(mPlace, 1);
    Body()->addWidget(group);
    Body()->addWidget(mSwitch);
}

void TFormEvCmd11830::LoadCommand(const TQelEventScriptLine* head) {
    TEscapePlaceFields f = rememberedEscapePlace().Value();
    f.Place = placeOrStart(f.Place, Context());
    if (head) {
        f.Place = {head->Param(0), head->Param(1), head->Param(2)};
        f.SwitchOn = head->Param(3) == 1;
        if (f.SwitchOn) f.Switch = head->Param(4);
    }
    mPlace->SetContext(Context());
    mPlace->SetValue(f.Place);
    mSwitch->SetValue(f.SwitchOn, f.Switch);
}

void TFormEvCmd11830::SaveCommand() {
    TEscapePlaceFields f{mPlace->Value(), mSwitch->IsOn(), mSwitch->Switch()};
    rememberedEscapePlace().Set(f);
    WriteLine({Code(),
               0,
               {},
               {f.Place.MapID, f.Place.X, f.Place.Y, f.SwitchOn ? 1 : 0, f.SwitchOn ? f.Switch : 0}});
}

} // namespace tarvel
