#pragma once

// The parameter controls every command dialog is built from, so that all dialogs look and behave
// alike. Each control edits one recurring kind of parameter and keeps the value of each of its
// modes while another mode is selected; the dialogs read and set them through small value
// structs that hold exactly what a dialog remembers.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "data/LD_Music.h"

class QButtonGroup;
class QRadioButton;

namespace tarvel {

class TCatalog;
struct TEvCmdContext;
class TQelMap;
class TQelEventItem;
class TQelMonGroupItem;

// Character designators of command parameters; any other value is an event ID of the map.
constexpr int32_t CharacterHero = 10001;
constexpr int32_t CharacterBoat = 10002;
constexpr int32_t CharacterShip = 10003;
constexpr int32_t CharacterAirship = 10004;
constexpr int32_t CharacterThisEvent = 10005;

// Radio buttons in a group box (the title may be empty): Index() is the checked button's position.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& captions, Qt::Orientation orientation,
                QWidget* parent = nullptr);
    int Index() const;
    // Checks the button at the position; an index outside the buttons checks the first.
    void SetIndex(int index);
    QRadioButton* Button(int index) const { return mButtons.at(size_t(index)); }
    int Count() const { return int(mButtons.size()); }

signals:
    void indexChanged(int index);

private:
    std::vector<QRadioButton*> mButtons;
};

// A database list as a drop-down of its names in ID order: the row is ID - 1.
class TRecordCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TRecordCombo(const TCatalog* list, QWidget* parent = nullptr);
    // The chosen record's ID (0 when the list is empty).
    int32_t ID() const { return currentIndex() + 1; }
    // An ID that is not in the list selects the first record.
    void SetID(int32_t id);
};

// A line edit whose text is stored as bytes with a byte limit: what would not fit is refused,
// and a character is never cut in two. Characters that the stored form uses as separators can be
// refused too.
class TByteLimitEdit : public QLineEdit {
    Q_OBJECT
public:
    TByteLimitEdit(int bytes, QWidget* parent = nullptr);
    void SetForbidden(const QString& characters);
    std::string Bytes() const { return text().toStdString(); }
    // A longer text is cut to the limit.
    void SetBytes(const std::string& bytes);
    static QString CutToBytes(const QString& text, int bytes);

private:
    int mBytes;
    QString mForbidden;
};

// A time in tenths of a second shown as seconds with one decimal ("1.5 sec."), 0..1000 (100
// seconds); new commands start at 10 (one second).
class TTenthsSpin : public QSpinBox {
    Q_OBJECT
public:
    static constexpr int DefaultTenths = 10;
    explicit TTenthsSpin(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
};

// "Wait until done": the wait flag of an effect, remembered across all the dialogs that have one.
class TWaitCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TWaitCheckBox(QWidget* parent = nullptr);
    // Checked as the last OK of any dialog with a wait flag left it.
    void LoadRemembered();
    void Remember() const;
};

// A clickable field that shows a value and opens its picker when clicked (or on Space or Enter
// while it has the focus). The switch, variable and material boxes are such fields.
class TPickerBox : public QPushButton {
    Q_OBJECT
public:
    // Shows the value's label again (a picker may have renamed entries).
    virtual void Refresh() = 0;
    // Opens the picker; after its OK the box shows the chosen value and emits changed.
    virtual void Pick() = 0;

signals:
    // The user chose a value in the picker.
    void changed();
    // The picker wrote names or counts into the database.
    void dataBaseChanged();

protected:
    explicit TPickerBox(QWidget* parent);
    void showText(const QString& text);
};

enum class TIdKind { Switch, Variable };

// A switch or variable ID, shown as "%.4d:%s" of ID and name ("%.4d" when the entry has no name);
// the switch or variable picker chooses it.
class TSwitchVariableBox : public TPickerBox {
    Q_OBJECT
public:
    TSwitchVariableBox(TIdKind kind, QWidget* parent = nullptr);
    int32_t Value() const { return mValue; }
    void SetValue(int32_t id);
    void Refresh() override;
    void Pick() override;

    static QString Label(TIdKind kind, int32_t id);
    // The number of switches or variables in the database (at least 1).
    static int Count(TIdKind kind);

private:
    TIdKind mKind;
    int32_t mValue = 1;
};

// A piece of material named by a command: a face or a walk graphic with the cell chosen in it, a
// music or sound with its playback values, or a plain picture, movie or background.
class TMaterialBox : public TPickerBox {
    Q_OBJECT
public:
    enum class TKind { Face, CharSet, Music, Sound, Backdrop, Picture, Movie, Panorama };
    TMaterialBox(TKind kind, QWidget* parent = nullptr);

    TKind Kind() const { return mKind; }
    // The chosen name (empty: none; "(OFF)" for no music or sound).
    std::string FileName() const;
    void SetFileName(const std::string& name);
    // The face (0..15) or character (0..7) chosen in the file.
    int32_t Index() const { return mIndex; }
    void SetIndex(int32_t index);
    // Music and sound with their playback values (the file name is FileName's).
    TQelMusic Music() const;
    void SetMusic(const TQelMusic& music);
    TQelSound Sound() const;
    void SetSound(const TQelSound& sound);

    void Refresh() override;
    void Pick() override;

private:
    TKind mKind;
    TQelMusic mMusic;
    TQelSound mSound;
    std::string mName;
    int32_t mIndex = 0;
};

// A value that is given directly or held in a variable (an operand, a fixed-or-variable ID): mode
// 0 the fixed value, 1 the ID of the variable. Both are kept while the other mode is shown.
struct TFixedOrVariable {
    int32_t Mode = 0;
    int32_t Fixed = 1;
    int32_t Variable = 1;
    int32_t Stored() const { return Mode == 1 ? Variable : Fixed; }
    void Load(int32_t mode, int32_t value);
};

// A hero target: mode 0 the whole party, 1 one hero, 2 the hero whose ID a variable holds.
struct THeroTarget {
    int32_t Mode = 0;
    int32_t HeroID = 1;
    int32_t Variable = 1;
    // The second parameter: 0 for the party.
    int32_t Stored() const { return Mode == 1 ? HeroID : Mode == 2 ? Variable : 0; }
    void Load(int32_t mode, int32_t value);
};

// The target of a switch or variable operation: mode 0 one ID, 1 a range, 2 the ID a variable
// holds.
struct TIdTarget {
    int32_t Mode = 0;
    int32_t One = 1;
    int32_t From = 1;
    int32_t To = 1;
    int32_t Variable = 1;
    // The two parameters after the mode: the ID twice, the range's bounds (in order), or the
    // variable and 0.
    int32_t First() const;
    int32_t Second() const;
    void Load(int32_t mode, int32_t first, int32_t second);
};

// "Fixed" with its own control, or "Variable" with a variable box: the base of the operand and ID
// controls.
class TFixedOrVariableEdit : public QGroupBox {
    Q_OBJECT
public:
    TFixedOrVariable Value() const;
    void SetValue(const TFixedOrVariable& value);
    int Mode() const;

signals:
    void changed();

protected:
    TFixedOrVariableEdit(const QString& title, const QString& fixedCaption, QWidget* fixed, QWidget* parent);
    virtual int32_t fixedValue() const = 0;
    virtual void setFixedValue(int32_t value) = 0;
    QWidget* fixedWidget() const { return mFixed; }
    void enableByMode();

private:
    QRadioButton* mRadioFixed;
    QRadioButton* mRadioVariable;
    QWidget* mFixed;
    TSwitchVariableBox* mVariable;
};

// A constant in a range, or a variable.
class TOperandEdit : public TFixedOrVariableEdit {
    Q_OBJECT
public:
    TOperandEdit(const QString& title, int minimum, int maximum, QWidget* parent = nullptr);
    QSpinBox* Spin() const { return mSpin; }

protected:
    int32_t fixedValue() const override;
    void setFixedValue(int32_t value) override;

private:
    QSpinBox* mSpin;
};

// A record chosen from a database list, or a variable that holds its ID.
class TIdOrVariableEdit : public TFixedOrVariableEdit {
    Q_OBJECT
public:
    TIdOrVariableEdit(const QString& title, const TCatalog* list, QWidget* parent = nullptr);
    TRecordCombo* Combo() const { return mCombo; }

protected:
    int32_t fixedValue() const override;
    void setFixedValue(int32_t value) override;

private:
    TRecordCombo* mCombo;
};

// "Entire Party", one hero from the list, or the hero whose ID a variable holds.
class THeroTargetEdit : public QGroupBox {
    Q_OBJECT
public:
    explicit THeroTargetEdit(QWidget* parent = nullptr);
    THeroTarget Value() const;
    void SetValue(const THeroTarget& value);

signals:
    void changed();

private:
    void enableByMode();
    QButtonGroup* mModes = nullptr;
    TRecordCombo* mHero;
    TSwitchVariableBox* mVariable;
};

// One switch or variable, a range of them (bounded by their number in the database), or the one
// whose ID a variable holds.
class TIdTargetEdit : public QGroupBox {
    Q_OBJECT
public:
    TIdTargetEdit(TIdKind kind, QWidget* parent = nullptr);
    TIdTarget Value() const;
    void SetValue(const TIdTarget& value);

signals:
    void changed();

private:
    void enableByMode();
    std::vector<QRadioButton*> mRadios;
    TSwitchVariableBox* mOne;
    QSpinBox* mFrom;
    QSpinBox* mTo;
    TSwitchVariableBox* mVariable;
};

// The characters a command can act on. In map scripts: "Hero", "Boat", "Ship", "Airship",
// "this Event", then the current map's events in ID order by name (the edited event by the name
// typed in the editor); the value is a character designator. In battle scripts: the monster
// group's members as "%d:%s" of their number from 1 and the monster's name; the value is the
// member's index from 0.
class TCharacterCombo : public QComboBox {
    Q_OBJECT
public:
    // Which entries lead the map list: every character, or "this Event" alone (commands that act on
    // events only).
    enum class TLeading { Characters, ThisEvent };
    explicit TCharacterCombo(QWidget* parent = nullptr);

    // Fills the list in the form the context calls for.
    void Fill(const TEvCmdContext& context, TLeading leading = TLeading::Characters);
    bool IsBattle() const { return mBattle; }

    int32_t Value() const;
    // A designator or member that the list does not hold selects "this Event" (the first member).
    void SetValue(int32_t value);

    // "%d:%s" of a member's number and its monster's name, or the number and ":" alone.
    static QString MemberText(const TQelMonGroupItem* group, int index);

private:
    bool mBattle = false;
};

} // namespace tarvel
