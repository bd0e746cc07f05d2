#pragma once

// Pictures on the screen: "Show Pic", "Move Pic" and "Erase Pic", with the sub-dialog of colour
// and effect "Other Attribute display" that both Show Pic and Move Pic open.

#include <vector>

#include "EvCmdBase.h"
#include "controls/FormQelBase.h"

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace tarvel {

class TColourSliders;
class TMaterialBox;
class TPositionEdit;
class TRadioGroup;
class TTimeAndWait;

// A picture's tone (red, green, blue, saturation 0..200 per cent) and effect (0 none, 1 rotation,
// 2 ripple) with the effect's speed or strength.
struct TPictureLook {
    std::vector<int32_t> Tone = {100, 100, 100, 100};
    int32_t Effect = 0;
    int32_t Power = 5;
    // p8..p13 of the picture commands: the power is 0 without an effect.
    std::vector<int32_t> Stored() const;
    void Load(const TQelEventScriptLine& head);
};

// "Other Attribute display": the tone and the effect of a picture.
class TFormEvCmdPicAttr : public TFormQelBase {
    Q_OBJECT
public:
    explicit TFormEvCmdPicAttr(QWidget* owner);
    TPictureLook Look() const;
    void SetLook(const TPictureLook& look);

private:
    void enableByEffect();
    TColourSliders* mTone;
    TRadioGroup* mEffect;
    QSpinBox* mPower;
};

// A picture's number, place, magnification and transparency, the part Show Pic and Move Pic
// share, and the button that opens its colour and effect.
class TPictureForm : public TFormEvCmdBase {
    Q_OBJECT
public:
    // Opens "Other Attribute display" on the picture's look; its OK keeps the new look.
    void ButtonAttributesClick();
    const TPictureLook& Look() const { return mLook; }

protected:
    TPictureForm(QWidget* owner, int32_t code, const QString& caption);
    // The picture number and the first rows of the window, then the position and the sizes.
    QSpinBox* mNumber;
    TPositionEdit* mPosition;
    QSpinBox* mZoom;
    QSpinBox* mTransparency;
    QPushButton* mAttributes;
    TPictureLook mLook;
};

// "Show Pic": the picture (required: "&Ok" stays disabled until one is chosen), where its centre
// stands, whether it scrolls with the map, its magnification, transparency, transparent colour,
// tone and effect.
class TFormEvCmd11110 : public TPictureForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11110(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    void enableOk();
    TMaterialBox* mPicture;
    QCheckBox* mScroll;
    TRadioGroup* mKey;
};

// "Move Pic": where the picture moves to and what it becomes, over a time, with wait.
class TFormEvCmd11120 : public TPictureForm {
    Q_OBJECT
public:
    explicit TFormEvCmd11120(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    TTimeAndWait* mTime;
};

// "Erase Pic".
class TFormEvCmd11130 : public TFormEvCmdBase {
    Q_OBJECT
public:
    explicit TFormEvCmd11130(QWidget* owner);

protected:
    void LoadCommand(const TQelEventScriptLine* head) override;
    void SaveCommand() override;

private:
    QSpinBox* mNumber;
};

} // namespace tarvel
