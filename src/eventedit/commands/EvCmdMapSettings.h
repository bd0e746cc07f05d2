#pragma once

// The map and the game's settings: "Enter Password", "Change ChipSet", "Change Parallax
// Background", "Change Enemy Encounter", "Change Chip", and the four disable/enable switches of
// teleport, escape, saving and the menu.

#include <array>

#include "EvCmdBase.h"

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace tarvel {

class TMaterialBox;
class TRadioGroup;
class TRecordCombo;
class TSwitchVariableBox;

// "Enter Password": the variable that receives the key, whether to wait for a key and which
// groups of keys count.
class TFormEvCmd11610 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11610(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TSwitchVariableBox* mVariable;
    QCheckBox* mWait;
    std::array<QCheckBox*, 3> mKeys{};
};

// "Change ChipSet".
class TFormEvCmd11710 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11710(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRecordCombo* mChipSet;
};

// "Change Parallax Background": the panorama (required: "&Ok" stays disabled until one is chosen),
// horizontal and vertical loops, each with its auto-scroll and speed -8..8. Auto-scroll is offered
// only with its loop, the speed only with auto-scroll.
class TFormEvCmd11720 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11720(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    struct TAxis {
        QCheckBox* Loop;
        QCheckBox* Auto;
        QSpinBox* Speed;
    };
    TAxis makeAxis(const QString& title, const char* prefix);
    void enableControls();
    TMaterialBox* mPanorama;
    TAxis mHorizontal;
    TAxis mVertical;
};

// "Change Enemy Encounter": steps 0..999.
class TFormEvCmd11740 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11740(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    QSpinBox* mSteps;
};

// "Change Chip": on the lower or the upper layer, a chip of the map's chipset and the chip that
// replaces it, each chosen in "Select Chip" (numbers within the layer, from 0). Each layer keeps
// its own pair.
class TFormEvCmd11750 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11750(QWidget* owner);
    // Opens "Select Chip" for the chip to replace (0) or its replacement (1).
    void ButtonChipClick(int which);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void showChips();
    TRadioGroup* mLayer;
    std::array<QPushButton*, 2> mButtons{};
    // The pair of each layer: [layer][which].
    std::array<std::array<int32_t, 2>, 2> mChips{};
};

// "Disable Teleport", "Disable Escape", "Disable Save", "Disable Menu": 0 disable, 1 enable.
class TEnableForm : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TEnableForm(QWidget* owner, int32_t code, const QString& caption);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mEnable;
};

class TFormEvCmd11820 : public TEnableForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11820(QWidget* owner) : TEnableForm(owner, 11820, "Disable Teleport") {}
};

class TFormEvCmd11840 : public TEnableForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11840(QWidget* owner) : TEnableForm(owner, 11840, "Disable Escape") {}
};

class TFormEvCmd11930 : public TEnableForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11930(QWidget* owner) : TEnableForm(owner, 11930, "Disable Save") {}
};

class TFormEvCmd11960 : public TEnableForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11960(QWidget* owner) : TEnableForm(owner, 11960, "Disable Menu") {}
};

} // namespace tarvel
