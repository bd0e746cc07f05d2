#include "EvCmdWidgets.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QValidator>
#include <algorithm>
#include <memory>

#include "EvCmdBase.h"
#include "EvCmdOptions.h"
#include "controls/DialogPlacement.h"
#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "pickers/SelBackdrop.h"
#include "pickers/SelChar.h"
#include "pickers/SelFace.h"
#include "pickers/SelMovie.h"
#include "pickers/SelMusic.h"
#include "pickers/SelPanorama.h"
#include "pickers/SelPicture.h"
#include "pickers/SelSound.h"
#include "pickers/SelSwitch.h"
#include "pickers/SelVariable.h"

namespace tarvel {

namespace {

class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int bytes, QString forbidden, QObject* parent)
        : QValidator(parent), mBytes(bytes), mForbidden(std::move(forbidden)) {}
    State validate(QString& input, int&) const override {
        for (QChar c : mForbidden)
            if (input.contains(c)) return Invalid;
        return input.toUtf8().size() <= mBytes ? Acceptable : Invalid;
    }

private:
    int mBytes;
    QString mForbidden;
};

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

} // namespace

// ---- TRadioGroup

TRadioGroup::TRadioGroup(const QString& title, const QStringList& captions, Qt::Orientation orientation,
                         QWidget* parent)
    : QGroupBox(title, parent) {
    auto* layout = new QBoxLayout(
        orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    for (const QString& caption : captions) {
        auto* button = new QRadioButton(caption, this);
        layout->addWidget(button);
        int index = int(mButtons.size());
        mButtons.push_back(button);
        connect(button, &QRadioButton::toggled, this, [this, index](bool on) {
            if (on) emit indexChanged(index);
        });
    }
    if (orientation == Qt::Horizontal) layout->addStretch(1);
    if (!mButtons.empty()) mButtons.front()->setChecked(true);
    // Without a title the buttons stand on their own, as one row or column of a larger box.
    if (title.isEmpty()) {
        setStyleSheet("QGroupBox { border: none; margin: 0px; padding: 0px; }");
        layout->setContentsMargins(0, 0, 0, 0);
    }
}

int TRadioGroup::Index() const {
    for (size_t i = 0; i < mButtons.size(); ++i)
        if (mButtons[i]->isChecked()) return int(i);
    return 0;
}

void TRadioGroup::SetIndex(int index) {
    if (index < 0 || index >= Count()) index = 0;
    if (!mButtons.empty()) mButtons[size_t(index)]->setChecked(true);
}

// ---- TRecordCombo

TRecordCombo::TRecordCombo(const TCatalog* list, QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(20);
    if (!list) return;
    for (int i = 0; i < list->Count(); ++i)
        addItem(fromBytes(list->Items(i)->Name));
}

void TRecordCombo::SetID(int32_t id) {
    setCurrentIndex(id >= 1 && id <= count() ? id - 1 : (count() > 0 ? 0 : -1));
}

// ---- TByteLimitEdit

TByteLimitEdit::TByteLimitEdit(int bytes, QWidget* parent) : QLineEdit(parent), mBytes(bytes) {
    setValidator(new ByteLimitValidator(bytes, {}, this));
}

void TByteLimitEdit::SetForbidden(const QString& characters) {
    mForbidden = characters;
    delete validator();
    setValidator(new ByteLimitValidator(mBytes, characters, this));
}

QString TByteLimitEdit::CutToBytes(const QString& text, int bytes) {
    QString out;
    int used = 0;
    for (int i = 0; i < text.size();) {
        // A surrogate pair is one character.
        int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString character = text.mid(i, length);
        int size = int(character.toUtf8().size());
        if (used + size > bytes) break;
        out += character;
        used += size;
        i += length;
    }
    return out;
}

void TByteLimitEdit::SetBytes(const std::string& bytes) {
    QString text = fromBytes(bytes);
    for (QChar c : mForbidden)
        text.remove(c);
    setText(CutToBytes(text, mBytes));
}

// ---- TTenthsSpin

TTenthsSpin::TTenthsSpin(QWidget* parent) : QSpinBox(parent) {
    setRange(0, 1000);
    setValue(DefaultTenths);
    setSuffix(" sec.");
}

QString TTenthsSpin::textFromValue(int value) const {
    return QString::asprintf("%d.%d", value / 10, value % 10);
}

int TTenthsSpin::valueFromText(const QString& text) const {
    QString number = text;
    number.remove(suffix());
    QStringList parts = number.trimmed().split('.');
    int whole = parts.value(0).toInt();
    int tenth = parts.size() > 1 && !parts[1].isEmpty() ? parts[1].left(1).toInt() : 0;
    return whole * 10 + tenth;
}

QValidator::State TTenthsSpin::validate(QString& text, int&) const {
    QString number = text;
    number.remove(suffix());
    static const QRegularExpression pattern("^\\s*\\d{0,3}(\\.\\d?)?\\s*$");
    if (!pattern.match(number).hasMatch()) return QValidator::Invalid;
    if (number.trimmed().isEmpty()) return QValidator::Intermediate;
    int value = valueFromText(text);
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Invalid;
}

// ---- TWaitCheckBox

TWaitCheckBox::TWaitCheckBox(QWidget* parent) : QCheckBox("Wait until done", parent) {
    setObjectName("CheckWait");
}

void TWaitCheckBox::LoadRemembered() {
    setChecked(SharedWaitFlag().Value());
}

void TWaitCheckBox::Remember() const {
    SharedWaitFlag().Set(isChecked());
}

// ---- TPickerBox

TPickerBox::TPickerBox(QWidget* parent) : QPushButton(parent) {
    // A field rather than a button: the value reads from the left.
    setStyleSheet("text-align: left; padding: 3px 6px;");
    setAutoDefault(false);
    setMinimumWidth(160);
    connect(this, &QPushButton::clicked, this, [this] { Pick(); });
}

void TPickerBox::showText(const QString& text) {
    // An ampersand in a name is text, not a mnemonic.
    QString shown = text;
    shown.replace("&", "&&");
    setText(shown);
    setToolTip(text);
}

// ---- TSwitchVariableBox

TSwitchVariableBox::TSwitchVariableBox(TIdKind kind, QWidget* parent) : TPickerBox(parent), mKind(kind) {
    Refresh();
}

int TSwitchVariableBox::Count(TIdKind kind) {
    TQelDataBase* db = QelDataBase();
    int count = !db ? 0 : kind == TIdKind::Switch ? db->Switches().Count() : db->Variables().Count();
    return std::max(count, 1);
}

QString TSwitchVariableBox::Label(TIdKind kind, int32_t id) {
    TQelDataBase* db = QelDataBase();
    const TCatalogItem* item = !db                       ? nullptr
                               : kind == TIdKind::Switch ? static_cast<TCatalog&>(db->Switches()).Find(id)
                                                         : static_cast<TCatalog&>(db->Variables()).Find(id);
    return fromBytes(NumberedNameLabel(id, item ? item->Name : std::string()));
}

void TSwitchVariableBox::SetValue(int32_t id) {
    mValue = id;
    Refresh();
}

void TSwitchVariableBox::Refresh() {
    showText(Label(mKind, mValue));
}

void TSwitchVariableBox::Pick() {
    TQelDataBase* db = QelDataBase();
    if (!db) return;
    std::unique_ptr<TFormSelSwitchVariable> picker;
    if (mKind == TIdKind::Switch)
        picker = std::make_unique<TFormSelSwitch>(window(), db->Switches());
    else
        picker = std::make_unique<TFormSelVariable>(window(), db->Variables());
    picker->SetChosenID(mValue);
    CenterOnOwner(picker.get());
    bool ok = picker->exec() == QDialog::Accepted;
    if (picker->DataBaseChanged()) emit dataBaseChanged();
    if (ok) {
        SetValue(picker->ChosenID());
        emit changed();
    }
    Refresh();
}

// ---- TMaterialBox

TMaterialBox::TMaterialBox(TKind kind, QWidget* parent) : TPickerBox(parent), mKind(kind) {
    if (kind == TKind::Music || kind == TKind::Sound) mName = MusicOff;
    Refresh();
}

std::string TMaterialBox::FileName() const {
    return mName;
}

void TMaterialBox::SetFileName(const std::string& name) {
    mName = name;
    Refresh();
}

void TMaterialBox::SetIndex(int32_t index) {
    mIndex = index;
    Refresh();
}

TQelMusic TMaterialBox::Music() const {
    TQelMusic music = mMusic;
    music.FileName = mName;
    return music;
}

void TMaterialBox::SetMusic(const TQelMusic& music) {
    mMusic.Assign(music);
    SetFileName(music.FileName);
}

TQelSound TMaterialBox::Sound() const {
    TQelSound sound = mSound;
    sound.FileName = mName;
    return sound;
}

void TMaterialBox::SetSound(const TQelSound& sound) {
    mSound.Assign(sound);
    SetFileName(sound.FileName);
}

void TMaterialBox::Refresh() {
    QString name = fromBytes(mName);
    if (name.isEmpty()) {
        showText("(None)");
        return;
    }
    if (mKind == TKind::Face || mKind == TKind::CharSet)
        showText(QStringLiteral("%1-%2").arg(name).arg(mIndex + 1));
    else
        showText(name);
}

void TMaterialBox::Pick() {
    QString name = fromBytes(mName);
    auto run = [this](TFormSelBase& picker) {
        CenterOnOwner(&picker);
        return picker.exec() == QDialog::Accepted;
    };
    // Faces and character sets: a picture and the index of its part.
    auto runIndexed = [&](auto& picker) {
        picker.SetFileName(name);
        picker.SetIndex(mIndex);
        if (!run(picker)) return false;
        mName = picker.FileName().toStdString();
        mIndex = picker.Index();
        return true;
    };
    bool ok = false;
    switch (mKind) {
    case TKind::Face: {
        TFormSelFace picker(window());
        ok = runIndexed(picker);
        break;
    }
    case TKind::CharSet: {
        TFormSelChar picker(window());
        ok = runIndexed(picker);
        break;
    }
    case TKind::Music: {
        TFormSelMusic picker(window());
        picker.SetMusic(Music());
        if ((ok = run(picker))) {
            mMusic.Assign(picker.Music());
            mName = mMusic.FileName;
        }
        break;
    }
    case TKind::Sound: {
        TFormSelSound picker(window());
        picker.SetSound(Sound());
        if ((ok = run(picker))) {
            mSound.Assign(picker.Sound());
            mName = mSound.FileName;
        }
        break;
    }
    case TKind::Backdrop:
    case TKind::Picture:
    case TKind::Movie:
    case TKind::Panorama: {
        std::unique_ptr<TFormSelBase> picker;
        if (mKind == TKind::Backdrop) picker = std::make_unique<TFormSelBackdrop>(window());
        if (mKind == TKind::Picture) picker = std::make_unique<TFormSelPicture>(window());
        if (mKind == TKind::Movie) picker = std::make_unique<TFormSelMovie>(window());
        if (mKind == TKind::Panorama) picker = std::make_unique<TFormSelPanorama>(window());
        picker->SetFileName(name);
        if ((ok = run(*picker))) mName = picker->FileName().toStdString();
        break;
    }
    }
    Refresh();
    if (ok) emit changed();
}

// ---- value structs

void TFixedOrVariable::Load(int32_t mode, int32_t value) {
    Mode = mode == 1 ? 1 : 0;
    (Mode == 1 ? Variable : Fixed) = value;
}

void THeroTarget::Load(int32_t mode, int32_t value) {
    Mode = std::clamp(mode, 0, 2);
    if (Mode == 1) HeroID = value;
    if (Mode == 2) Variable = value;
}

int32_t TIdTarget::First() const {
    switch (Mode) {
    case 1:
        return std::min(From, To);
    case 2:
        return Variable;
    default:
        return One;
    }
}

int32_t TIdTarget::Second() const {
    switch (Mode) {
    case 1:
        return std::max(From, To);
    case 2:
        return 0;
    default:
        return One;
    }
}

void TIdTarget::Load(int32_t mode, int32_t first, int32_t second) {
    Mode = std::clamp(mode, 0, 2);
    if (Mode == 0) One = first;
    if (Mode == 1) {
        From = first;
        To = second;
    }
    if (Mode == 2) Variable = first;
}

// ---- TFixedOrVariableEdit

TFixedOrVariableEdit::TFixedOrVariableEdit(const QString& title, const QString& fixedCaption, QWidget* fixed,
                                           QWidget* parent)
    : QGroupBox(title, parent), mRadioFixed(new QRadioButton(fixedCaption, this)),
      mRadioVariable(new QRadioButton("Variable", this)), mFixed(fixed),
      mVariable(new TSwitchVariableBox(TIdKind::Variable, this)) {
    mRadioFixed->setObjectName("RadioFixed");
    mRadioVariable->setObjectName("RadioVariable");
    mVariable->setObjectName("BoxVariable");
    auto* grid = new QGridLayout(this);
    grid->addWidget(mRadioFixed, 0, 0);
    grid->addWidget(fixed, 0, 1);
    grid->addWidget(mRadioVariable, 1, 0);
    grid->addWidget(mVariable, 1, 1);
    grid->setColumnStretch(1, 1);
    mRadioFixed->setChecked(true);
    connect(mRadioFixed, &QRadioButton::toggled, this, [this] {
        enableByMode();
        emit changed();
    });
    connect(mVariable, &TPickerBox::changed, this, &TFixedOrVariableEdit::changed);
    enableByMode();
}

int TFixedOrVariableEdit::Mode() const {
    return mRadioVariable->isChecked() ? 1 : 0;
}

TFixedOrVariable TFixedOrVariableEdit::Value() const {
    return {Mode(), fixedValue(), mVariable->Value()};
}

void TFixedOrVariableEdit::SetValue(const TFixedOrVariable& value) {
    setFixedValue(value.Fixed);
    mVariable->SetValue(value.Variable);
    (value.Mode == 1 ? mRadioVariable : mRadioFixed)->setChecked(true);
    enableByMode();
}

void TFixedOrVariableEdit::enableByMode() {
    mFixed->setEnabled(Mode() == 0);
    mVariable->setEnabled(Mode() == 1);
}

// ---- TOperandEdit

TOperandEdit::TOperandEdit(const QString& title, int minimum, int maximum, QWidget* parent)
    : TFixedOrVariableEdit(title, "Constant", new QSpinBox, parent),
      mSpin(static_cast<QSpinBox*>(fixedWidget())) {
    mSpin->setObjectName("SpinFixed");
    mSpin->setRange(minimum, maximum);
    connect(mSpin, &QSpinBox::valueChanged, this, &TFixedOrVariableEdit::changed);
}

int32_t TOperandEdit::fixedValue() const {
    return mSpin->value();
}

void TOperandEdit::setFixedValue(int32_t value) {
    mSpin->setValue(value);
}

// ---- TIdOrVariableEdit

TIdOrVariableEdit::TIdOrVariableEdit(const QString& title, const TCatalog* list, QWidget* parent)
    : TFixedOrVariableEdit(title, "Fixed", new TRecordCombo(list), parent),
      mCombo(static_cast<TRecordCombo*>(fixedWidget())) {
    mCombo->setObjectName("ComboFixed");
    connect(mCombo, &QComboBox::currentIndexChanged, this, &TFixedOrVariableEdit::changed);
}

int32_t TIdOrVariableEdit::fixedValue() const {
    return mCombo->ID();
}

void TIdOrVariableEdit::setFixedValue(int32_t value) {
    mCombo->SetID(value);
}

// ---- THeroTargetEdit

THeroTargetEdit::THeroTargetEdit(QWidget* parent)
    : QGroupBox("Target", parent),
      mHero(new TRecordCombo(QelDataBase() ? &QelDataBase()->Heroes() : nullptr, this)),
      mVariable(new TSwitchVariableBox(TIdKind::Variable, this)) {
    setObjectName("HeroTarget");
    mHero->setObjectName("ComboHero");
    mVariable->setObjectName("BoxVariable");
    auto* grid = new QGridLayout(this);
    QStringList captions = {"Entire Party", "Hero", "Variable"};
    mModes = new QButtonGroup(this);
    for (int i = 0; i < captions.size(); ++i) {
        auto* radio = new QRadioButton(captions[i], this);
        radio->setObjectName(QStringLiteral("RadioTarget%1").arg(i));
        mModes->addButton(radio, i);
        grid->addWidget(radio, i, 0);
    }
    grid->addWidget(mHero, 1, 1);
    grid->addWidget(mVariable, 2, 1);
    grid->setColumnStretch(1, 1);
    mModes->button(0)->setChecked(true);
    connect(mModes, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (!on) return;
        enableByMode();
        emit changed();
    });
    connect(mHero, &QComboBox::currentIndexChanged, this, &THeroTargetEdit::changed);
    connect(mVariable, &TPickerBox::changed, this, &THeroTargetEdit::changed);
    enableByMode();
}

THeroTarget THeroTargetEdit::Value() const {
    return {std::max(mModes->checkedId(), 0), mHero->ID(), mVariable->Value()};
}

void THeroTargetEdit::SetValue(const THeroTarget& value) {
    mHero->SetID(value.HeroID);
    mVariable->SetValue(value.Variable);
    mModes->button(std::clamp(value.Mode, 0, 2))->setChecked(true);
    enableByMode();
}

void THeroTargetEdit::enableByMode() {
    int mode = Value().Mode;
    mHero->setEnabled(mode == 1);
    mVariable->setEnabled(mode == 2);
}

// ---- TIdTargetEdit

TIdTargetEdit::TIdTargetEdit(TIdKind kind, QWidget* parent)
    : QGroupBox(kind == TIdKind::Switch ? "Switch" : "Variable", parent),
      mOne(new TSwitchVariableBox(kind, this)), mFrom(new QSpinBox(this)), mTo(new QSpinBox(this)),
      mVariable(new TSwitchVariableBox(TIdKind::Variable, this)) {
    setObjectName("IdTarget");
    mOne->setObjectName("BoxOne");
    mFrom->setObjectName("SpinFrom");
    mTo->setObjectName("SpinTo");
    mVariable->setObjectName("BoxVariable");
    int count = TSwitchVariableBox::Count(kind);
    for (QSpinBox* spin : {mFrom, mTo}) {
        spin->setRange(1, count);
        connect(spin, &QSpinBox::valueChanged, this, &TIdTargetEdit::changed);
    }
    auto* grid = new QGridLayout(this);
    const char* captions[] = {"One", "Range", "Variable"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(captions[i], this);
        radio->setObjectName(QStringLiteral("RadioTarget%1").arg(i));
        mRadios.push_back(radio);
        grid->addWidget(radio, i, 0);
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (!on) return;
            enableByMode();
            emit changed();
        });
    }
    grid->addWidget(mOne, 0, 1, 1, 4);
    grid->addWidget(new QLabel("From", this), 1, 1);
    grid->addWidget(mFrom, 1, 2);
    grid->addWidget(new QLabel("To", this), 1, 3);
    grid->addWidget(mTo, 1, 4);
    grid->addWidget(mVariable, 2, 1, 1, 4);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    mRadios[0]->setChecked(true);
    connect(mOne, &TPickerBox::changed, this, &TIdTargetEdit::changed);
    connect(mVariable, &TPickerBox::changed, this, &TIdTargetEdit::changed);
    enableByMode();
}

TIdTarget TIdTargetEdit::Value() const {
    int mode = 0;
    for (size_t i = 0; i < mRadios.size(); ++i)
        if (mRadios[i]->isChecked()) mode = int(i);
    return {mode, mOne->Value(), mFrom->value(), mTo->value(), mVariable->Value()};
}

void TIdTargetEdit::SetValue(const TIdTarget& value) {
    mOne->SetValue(value.One);
    mFrom->setValue(value.From);
    mTo->setValue(value.To);
    mVariable->SetValue(value.Variable);
    mRadios[size_t(std::clamp(value.Mode, 0, 2))]->setChecked(true);
    enableByMode();
}

void TIdTargetEdit::enableByMode() {
    int mode = Value().Mode;
    mOne->setEnabled(mode == 0);
    mFrom->setEnabled(mode == 1);
    mTo->setEnabled(mode == 1);
    mVariable->setEnabled(mode == 2);
}

// ---- TCharacterCombo

TCharacterCombo::TCharacterCombo(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(20);
}

QString TCharacterCombo::MemberText(const TQelMonGroupItem* group, int index) {
    QString text = QString::number(index + 1) + ":";
    const TQelMonGroupMonsterItem* member = group ? group->Members.Items(index) : nullptr;
    TQelDataBase* db = QelDataBase();
    const TQelMonsterItem* monster = member && db ? db->Monsters().Find(member->MonsterID) : nullptr;
    if (monster) text += fromBytes(monster->Name);
    return text;
}

void TCharacterCombo::Fill(const TEvCmdContext& context, TLeading leading) {
    clear();
    mBattle = context.IsBattle();
    if (mBattle) {
        for (int i = 0; i < context.MonGroup->Members.Count(); ++i)
            addItem(MemberText(context.MonGroup, i), i);
        return;
    }
    if (leading == TLeading::Characters) {
        addItem("Hero", CharacterHero);
        addItem("Boat", CharacterBoat);
        addItem("Ship", CharacterShip);
        addItem("Airship", CharacterAirship);
    }
    addItem("this Event", CharacterThisEvent);
    if (!context.Map) return;
    for (int i = 0; i < context.Map->Events.Count(); ++i) {
        const TQelEventItem* event = context.Map->Events.Items(i);
        // The edited event shows the name typed in the editor.
        const std::string& name = context.Event && context.EventID != 0 && event->ID == context.EventID
                                      ? context.Event->Name
                                      : event->Name;
        addItem(fromBytes(name), event->ID);
    }
}

int32_t TCharacterCombo::Value() const {
    return currentIndex() >= 0 ? currentData().toInt() : (mBattle ? 0 : CharacterThisEvent);
}

void TCharacterCombo::SetValue(int32_t value) {
    int row = findData(value);
    if (row < 0) row = mBattle ? 0 : findData(CharacterThisEvent);
    setCurrentIndex(row);
}

} // namespace tarvel
