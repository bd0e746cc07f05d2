#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses a walk graphic (a character set of 288 x 256 with a transparent colour) and one of its
// 8 characters. The preview shows each character by its middle pattern facing down, doubled to
// 48 x 64: 4 in a row, 2 rows.
class TFormSelChar : public TFormSelImage {
public:
    static constexpr int CellWidth = 48;
    static constexpr int CellHeight = 64;

    explicit TFormSelChar(QWidget* parent = nullptr);
    // The chosen character, 0..7.
    int Index() const { return mIndex; }
    void SetIndex(int index);

    // Fills the board with the sheet's transparent colour and draws the 8 characters of the sheet
    // at a facing (0 up, 1 right, 2 down, 3 left) and pattern (0 left, 1 middle, 2 right), doubled.
    static void DrawCharacters(TPrismBoard& board, TPrismSheet& sheet, int direction, int pattern);
    // The character under a point of such a preview, or -1.
    static int CharacterAt(QPoint at);
    static TRect CharacterCell(int index);

protected:
    void ComposePreview(TPrismBoard& board) override;
    void PreviewClick(QPoint at) override;

private:
    int mIndex = 0;
};

} // namespace tarvel
