#pragma once

// The screen and its characters: "Screen Erase", "Screen Display", "Screen Colour", "Screen
// Flash", "Shake Screen", "Screen Pan", "Weather Screen Effects", "Change Hero Transparency",
// "Flash Character" and "Wait".

#include <QStringList>
#include <array>

#include "EvCmdBase.h"

class QComboBox;
class QSpinBox;
class QToolButton;

namespace tarvel {

class TCharacterCombo;
class TColourSliders;
class TRadioGroup;
class TTenthsSpin;
class TWaitCheckBox;

// The screen's erase effects 0 "Fade-out" .. 20 "Do Not Erase" and show effects 0 "Fade-In" ..
// 19 "Instant Display", as the lists offer them.
const QStringList& EraseEffectNames();
const QStringList& ShowEffectNames();

// "Screen Erase" and "Screen Display": a list of effects whose first entry stands for the effect
// that the screen exchange style set for the situation (stored -1, the others their number).
class TScreenEffectForm : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TScreenEffectForm(QWidget* owner, int32_t code, const QString& caption, const QStringList& effects);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    QComboBox* mEffect;
};

class TFormEvCmd11010 : public TScreenEffectForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11010(QWidget* owner);
};

class TFormEvCmd11020 : public TScreenEffectForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11020(QWidget* owner);
};

// The time of an effect in tenths and the shared wait flag, on one row.
class TTimeAndWait : public QWidget {
    Q_OBJECT
public:
    explicit TTimeAndWait(QWidget* parent = nullptr);
    TTenthsSpin* Time() const { return mTime; }
    TWaitCheckBox* Wait() const { return mWait; }
    // From the edited line (time and wait parameters), else the remembered time and shared wait.
    void Load(const TQelEventScriptLine* head, int timeIndex, int waitIndex, int32_t rememberedTime);

private:
    TTenthsSpin* mTime;
    TWaitCheckBox* mWait;
};

// Sliders, a time and wait, written as the sliders' values, the time and the wait flag: the base
// of "Screen Colour", "Screen Flash" and "Shake Screen".
class TEffectSlidersForm : public TFormEvCmdBase {
    Q_OBJECT
protected:
    // The sliders stand in a group whose title and object name is name.
    TEffectSlidersForm(QWidget* owner, int32_t code, const QString& caption, const char* name,
                       const QStringList& labels, int minimum, int maximum);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TColourSliders* mSliders;
    TTimeAndWait* mTime;
};

// "Screen Colour": red, green, blue and saturation 0..200 per cent (100 unchanged).
class TFormEvCmd11030 : public TEffectSlidersForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11030(QWidget* owner);
};

// "Screen Flash": colour and power 0..31.
class TFormEvCmd11040 : public TEffectSlidersForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11040(QWidget* owner);
};

// "Shake Screen": power and speed 1..9.
class TFormEvCmd11050 : public TEffectSlidersForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11050(QWidget* owner);
};

// "Screen Pan": fix the screen, free it, move it a number of tiles in a direction chosen on a cross
// of buttons, or return it to the hero; moving and returning have a speed and wait.
class TFormEvCmd11060 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11060(QWidget* owner);
    // The direction the cross stands at: 0 up, 1 right, 2 down, 3 left.
    int Direction() const;

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableByMode();
    TRadioGroup* mMode;
    std::array<QToolButton*, 4> mDirections{};
    QSpinBox* mTiles;
    QComboBox* mSpeed;
    TWaitCheckBox* mWait;
};

// "Weather Screen Effects".
class TFormEvCmd11070 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11070(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mWeather;
    TRadioGroup* mStrength;
};

// "Change Hero Transparency".
class TFormEvCmd11310 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11310(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mOpacity;
};

// "Flash Character": a character, colour and power 0..31, time and wait.
class TFormEvCmd11320 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11320(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TCharacterCombo* mCharacter;
    TColourSliders* mFlash;
    TTimeAndWait* mTime;
};

// "Wait": 0..1000 tenths of a second.
class TFormEvCmd11410 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11410(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TTenthsSpin* mTime;
};

} // namespace tarvel
