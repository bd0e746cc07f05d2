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

// "Screen Colour": red, green, blue and saturation 0..200 per cent, the time to change and wait.
class TFormEvCmd11030 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11030(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TColourSliders* mTone;
    TTimeAndWait* mTime;
};

// "Screen Flash": colour and power 0..31, time and wait.
class TFormEvCmd11040 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11040(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TColourSliders* mFlash;
    TTimeAndWait* mTime;
};

// "Shake Screen": power and speed 1..9, time and wait.
class TFormEvCmd11050 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11050(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TColourSliders* mShake;
    TTimeAndWait* mTime;
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
