#pragma once

#include <memory>

#include "controls/FormQelBase.h"
#include "graphics/PrismSheet.h"

namespace Ui {
class TFormSelReplChip;
}

namespace tarvel {

class TQelChipSetGraphic;

// Chooses one of the 144 plain lower chips (5000..5143) or the 144 upper chips (10000..10143) of
// the current map's chipset, shown 6 in a row at 32 x 32 on a board that scrolls.
class TFormSelReplChip : public TFormQelBase {
    Q_OBJECT
public:
    static constexpr int ChipCell = 32;
    static constexpr int ChipCount = 144;
    static constexpr int LowerBase = 5000;
    static constexpr int UpperBase = 10000;

    // chipSet: the map's chipset renderer (not owned; may be null, then the chips stay blank).
    TFormSelReplChip(QWidget* parent, TQelChipSetGraphic* chipSet, bool upperLayer);
    ~TFormSelReplChip() override;
    Ui::TFormSelReplChip* form() const { return ui.get(); }

    // The chip number; one outside the layer's range chooses the nearest chip of the layer.
    int Chip() const { return Base() + mIndex; }
    void SetChip(int number);
    const TPrismBoard& ChipBoard() const { return mBoard; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    int Base() const { return mUpper ? UpperBase : LowerBase; }
    void Compose();
    void PaintBoxClick(QPoint at);

    std::unique_ptr<Ui::TFormSelReplChip> ui;
    TQelChipSetGraphic* mChipSet;
    bool mUpper;
    int mIndex = 0;
    TPrismBoard mBoard;
};

} // namespace tarvel
