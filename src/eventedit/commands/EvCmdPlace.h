#pragma once

// Places and vehicles: Teleport (the place picker alone), "Memorize this Place", "Teleport to
// Memorized Place", "Placement of Vehicle", "Place of Event", "Exchange Event Places", "Change
// Terrain ID", "Change Event ID", "Place of Teleport" and "Place Escape Area"; with the box that
// chooses a place through the place picker "Set Place".

#include <cstdint>
#include <vector>

#include "EvCmdBase.h"
#include "EvCmdWidgets.h"

class QCheckBox;
class QRadioButton;

namespace tarvel {

class TCharacterCombo;
class TQelMapTree;
class TRadioGroup;

// A map and a cell on it; X and Y are -1 when only the map is chosen.
struct TMapPlace {
    int32_t MapID = 0;
    int32_t X = 0;
    int32_t Y = 0;
    bool HasCell() const { return X >= 0 && Y >= 0; }
};

// Where a new teleport starts: the current map (the edited map, else the map open in the tree), at
// the edited event's cell when there is an edited event, else at the cell (scroll X div 32 + 9,
// scroll Y div 32 + 7) of the view position the tree stores for that map, kept inside the map.
TMapPlace TeleportStartPlace(const TEvCmdContext& context);

// The place picker moves the view positions the map tree remembers (it centres the given cell, and
// browsing shows other maps); choosing a place must not move the editor's own view, so every
// stored position goes back when this ends.
class TStoredViewPositions {
public:
    explicit TStoredViewPositions(TQelMapTree* tree);
    ~TStoredViewPositions();
    TStoredViewPositions(const TStoredViewPositions&) = delete;
    TStoredViewPositions& operator=(const TStoredViewPositions&) = delete;

private:
    struct TSaved {
        int32_t ID;
        int32_t ScrollX;
        int32_t ScrollY;
    };
    TQelMapTree* mTree;
    std::vector<TSaved> mSaved;
};

// Shows a place and chooses it with the place picker. On any map: "%.4d:%s (%.3d,%.3d)" of map ID,
// map name and cell ("%.4d:%s" for a map alone); on the edited map only (the tree locked):
// "(%.3d,%.3d)". Disabled where there is no map tree (or, for the edited map, no map).
class TPlaceBox : public TPickerBox {
    Q_OBJECT
public:
    enum class TScope { AnyMap, EditedMap };
    TPlaceBox(TScope scope, QWidget* parent = nullptr);

    void SetContext(const TEvCmdContext& context);
    // The picker's OK needs only a map, no cell.
    void SetMapAloneEnough(bool on) { mMapAlone = on; }

    TMapPlace Value() const { return mPlace; }
    void SetValue(const TMapPlace& place);
    bool CanPick() const;

    void Refresh() override;
    void Pick() override;

private:
    TScope mScope;
    TQelMapTree* mTree = nullptr;
    const TQelMap* mMap = nullptr;
    TMapPlace mPlace;
    bool mMapAlone = false;
};

// Teleport: no window of its own. The place picker opens on the edited command's place, or for a
// new command on the place TeleportStartPlace gives; its OK writes the command.
class TFormEvCmd10810 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10810(QWidget* owner) : TFormEvCmdBase(owner, 10810) {}
    bool Run() override;
};

// The three variables of a place (map ID, X, Y), shared with every dialog that names them.
class TPlaceVariablesForm : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TPlaceVariablesForm(QWidget* owner, int32_t code, const QString& caption);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TSwitchVariableBox* mMapID;
    TSwitchVariableBox* mX;
    TSwitchVariableBox* mY;
};

// "Memorize this Place": the variables that receive the party's map ID, X and Y.
class TFormEvCmd10820 : public TPlaceVariablesForm {
    Q_OBJECT
public:
    explicit TFormEvCmd10820(QWidget* owner) : TPlaceVariablesForm(owner, 10820, "Memorize this Place") {}
};

// "Teleport to Memorized Place": the variables that hold the destination.
class TFormEvCmd10830 : public TPlaceVariablesForm {
    Q_OBJECT
public:
    explicit TFormEvCmd10830(QWidget* owner)
        : TPlaceVariablesForm(owner, 10830, "Teleport to Memorized Place") {}
};

// A place given directly (the place box) or by variables; the shared part of the vehicle, event,
// terrain-ID and event-ID dialogs. With three variables the map ID is one of them.
class TDirectOrVariablePlace : public QGroupBox {
    Q_OBJECT
public:
    TDirectOrVariablePlace(TPlaceBox::TScope scope, QWidget* parent = nullptr);
    void SetContext(const TEvCmdContext& context) { mPlace->SetContext(context); }
    int Mode() const;
    void SetMode(int mode);
    TMapPlace Place() const { return mPlace->Value(); }
    void SetPlace(const TMapPlace& place) { mPlace->SetValue(place); }
    // The variables come from and go to the shared place variables.
    void LoadVariables();
    void RememberVariables() const;
    // Map ID (with a map), X and Y as stored: the place, or the variables.
    std::vector<int32_t> Stored() const;
    // Sets the mode's values from stored parameters (map ID first when the place has a map).
    void Load(int32_t mode, const std::vector<int32_t>& values);

private:
    void enableByMode();
    TPlaceBox::TScope mScope;
    QRadioButton* mRadioDirect;
    QRadioButton* mRadioVariable;
    TPlaceBox* mPlace;
    TSwitchVariableBox* mVariableMap = nullptr;
    TSwitchVariableBox* mVariableX;
    TSwitchVariableBox* mVariableY;
};

// "Placement of Vehicle".
class TFormEvCmd10850 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10850(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mVehicle;
    TDirectOrVariablePlace* mPlace;
};

// "Place of Event".
class TFormEvCmd10860 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10860(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TCharacterCombo* mEvent;
    TDirectOrVariablePlace* mPlace;
};

// "Exchange Event Places".
class TFormEvCmd10870 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10870(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TCharacterCombo* mFirst;
    TCharacterCombo* mSecond;
};

// "Change Terrain ID" and "Change Event ID": a cell of the map and the variable that receives the
// terrain or event ID found there.
class TCellIDForm : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TCellIDForm(QWidget* owner, int32_t code, const QString& caption);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TDirectOrVariablePlace* mPlace;
    TSwitchVariableBox* mResult;
};

class TFormEvCmd10910 : public TCellIDForm {
    Q_OBJECT
public:
    explicit TFormEvCmd10910(QWidget* owner) : TCellIDForm(owner, 10910, "Change Terrain ID") {}
};

class TFormEvCmd10920 : public TCellIDForm {
    Q_OBJECT
public:
    explicit TFormEvCmd10920(QWidget* owner) : TCellIDForm(owner, 10920, "Change Event ID") {}
};

// A switch turned on after a teleport or an escape: the check box and the switch box.
class TSwitchAfterEdit : public QGroupBox {
    Q_OBJECT
public:
    TSwitchAfterEdit(const QString& caption, QWidget* parent = nullptr);
    bool IsOn() const;
    int32_t Switch() const;
    void SetValue(bool on, int32_t switchID);

private:
    QCheckBox* mCheck;
    TSwitchVariableBox* mSwitch;
};

// "Place of Teleport": adds a place to the teleport list (with a switch turned on after the
// teleport) or deletes a map's place from it.
class TFormEvCmd11810 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11810(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void operationChanged();
    TRadioGroup* mOperation;
    TPlaceBox* mPlace;
    TSwitchAfterEdit* mSwitch;
};

// "Place Escape Area".
class TFormEvCmd11830 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11830(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TPlaceBox* mPlace;
    TSwitchAfterEdit* mSwitch;
};

} // namespace tarvel
