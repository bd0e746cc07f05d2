#pragma once

#include "SelBase.h"

namespace Ui {
class TFormSelMonster;
}

namespace tarvel {

// Chooses a monster picture and the hue shift its palette is shown (and fought) with. The
// picture is drawn centred on the transparent colour; "Change Fellow Colour" steps the hue by 10
// degrees, its middle position (18) meaning no shift.
class TFormSelMonster : public TFormSelImageBase {
    Q_OBJECT
public:
    static constexpr int HueSteps = 36;
    static constexpr int HueBoxWidth = 216;

    explicit TFormSelMonster(QWidget* parent = nullptr);
    ~TFormSelMonster() override;
    Ui::TFormSelMonster* form() const { return ui.get(); }

    // The hue shift in degrees, 0..359.
    int Hue() const { return mHue; }
    void SetHue(int degrees);

    // The slider's scale: the shift of a position and the position of a shift.
    static int HueOfPosition(int position) { return (position * 10 + 180) % 360; }
    static int PositionOfHue(int degrees) { return ((degrees % 360 + 360) % 360 + 180) % 360 / 10; }
    // Where the hue strip stands for a slider position (its left edge in the strip's box).
    static int HueStripLeft(int position) { return position * HueBoxWidth / HueSteps - HueBoxWidth; }

protected:
    void showEvent(QShowEvent* event) override;
    void LoadSheet() override;
    void NameChosen() override;
    void ComposePreview(TPrismBoard& board) override;

private:
    void TrackHueChange(int position);
    void applyHue();
    void placeStrip(int position);

    std::unique_ptr<Ui::TFormSelMonster> ui;
    TPalette mUnshifted{};
    int mHue = 0;
};

} // namespace tarvel
