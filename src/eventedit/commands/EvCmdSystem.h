#pragma once

// The heroes' names and graphics and the game's system settings: codes 10610 to 10690.

#include <array>

#include "EvCmdBase.h"

class QCheckBox;
class QComboBox;

namespace tarvel {

class TByteLimitEdit;
class TMaterialBox;
class TRadioGroup;
class TRecordCombo;

// "Change Hero Name" and "Change Hero Degree": a hero and a text of at most 12 bytes.
class TFormEvCmdHeroText : public TFormEvCmdBase {
    Q_OBJECT
public:
    static constexpr int TextBytes = 12;

protected:
    TFormEvCmdHeroText(QWidget* owner, int32_t code, const QString& caption, const QString& label);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRecordCombo* mHero;
    TByteLimitEdit* mText;
};

class TFormEvCmd10610 : public TFormEvCmdHeroText {
    Q_OBJECT
public:
    explicit TFormEvCmd10610(QWidget* owner);
};

class TFormEvCmd10620 : public TFormEvCmdHeroText {
    Q_OBJECT
public:
    explicit TFormEvCmd10620(QWidget* owner);
};

// "Change Hero Walking GFX" and "Change Hero Face": a hero and a cell of a picture; the walk
// graphic can be translucent.
class TFormEvCmdHeroGraphic : public TFormEvCmdBase {
    Q_OBJECT
protected:
    TFormEvCmdHeroGraphic(QWidget* owner, int32_t code, const QString& caption, bool walkGraphic);
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRecordCombo* mHero;
    TMaterialBox* mGraphic;
    QCheckBox* mTransparent = nullptr;
};

class TFormEvCmd10630 : public TFormEvCmdHeroGraphic {
    Q_OBJECT
public:
    explicit TFormEvCmd10630(QWidget* owner);
};

class TFormEvCmd10640 : public TFormEvCmdHeroGraphic {
    Q_OBJECT
public:
    explicit TFormEvCmd10640(QWidget* owner);
};

// "Change Vehicle Graphic".
class TFormEvCmd10650 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10650(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mVehicle;
    TMaterialBox* mGraphic;
};

// "Change BGM": one of the system's seven pieces of music.
class TFormEvCmd10660 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10660(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TRadioGroup* mWhich;
    TMaterialBox* mMusic;
};

// "Change Sound Effect": one of the system's twelve sounds.
class TFormEvCmd10670 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10670(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    QComboBox* mWhich;
    TMaterialBox* mSound;
};

// "Change System Graphics": no window of its own; the system graphic picker, with the wallpaper
// and the game font, writes the line.
class TFormEvCmd10680 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd10680(QWidget* owner);
    bool Run() override;
};

// "Change Switch Screen Method": the transition of each of six situations. Erase situations offer
// 21 types ending with "Do Not Erase", show situations 20; each situation keeps its own type while
// another is shown.
class TFormEvCmd10690 : public TFormEvCmdBase {
    Q_OBJECT
public:
    static constexpr int Situations = 6;
    explicit TFormEvCmd10690(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void showTypes(int situation);
    TRadioGroup* mSituation;
    QComboBox* mType;
    std::array<int32_t, Situations> mTypes{};
    int mShown = -1;
};

} // namespace tarvel
