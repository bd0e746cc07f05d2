#pragma once

#include "SelBase.h"

class QButtonGroup;

namespace Ui {
class TFormSelEvChar;
}

namespace tarvel {

class TQelChipSetGraphic;

// Chooses the graphic of an event page: a character of a walk graphic with its facing and
// pattern, or an upper chip of the map's chipset. The list starts with three chip pages of 48
// upper chips each ("*ChipSet 1" to "*ChipSet 3"); a chip page clears the file name.
class TFormSelEvChar : public TFormSelImageBase {
    Q_OBJECT
public:
    static constexpr int ChipPages = 3;
    static constexpr int ChipsPerPage = 48;
    static constexpr int ChipCell = 32;

    // chipSet: the current map's chipset renderer (not owned; may be null, then the chip pages
    // stay blank).
    explicit TFormSelEvChar(QWidget* parent = nullptr, TQelChipSetGraphic* chipSet = nullptr);
    ~TFormSelEvChar() override;
    Ui::TFormSelEvChar* form() const { return ui.get(); }

    // With a file name, the character (0..7); with none, the upper chip (0..143).
    int Index() const;
    void SetIndex(int index);
    // 0 up, 1 right, 2 down, 3 left.
    int Direction() const { return mDirection; }
    void SetDirection(int direction);
    // 0 left, 1 middle, 2 right.
    int Pattern() const { return mPattern; }
    void SetPattern(int pattern);
    // The chip page shown (0..2), or -1 while a walk graphic is shown.
    int ChipPage() const { return mChipPage; }

    static QString ChipPageText(int page);

protected:
    QStringList LeadingRows() const override;
    int InitialRow() const override;
    void DataListClick(int row) override;
    void ComposePreview(TPrismBoard& board) override;
    void PreviewClick(QPoint at) override;

private:
    void ComposeChips();
    void ChipClick(QPoint at);
    void showPanels();

    std::unique_ptr<Ui::TFormSelEvChar> ui;
    QButtonGroup* mDirections;
    QButtonGroup* mPatterns;
    TQelChipSetGraphic* mChipSet;
    TPrismBoard mChipBoard;
    int mCharIndex = 0;
    int mChipIndex = 0;
    int mDirection = 2;
    int mPattern = 1;
    int mChipPage = -1;
};

} // namespace tarvel
