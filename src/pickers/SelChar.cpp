#include "SelChar.h"

#include <algorithm>

#include "graphics/GR_CharSet.h"

namespace tarvel {

TFormSelChar::TFormSelChar(QWidget* parent)
    : TFormSelImage(parent, "Select Walk Graphic", "CharSet", QSize(kCharSetWidth, kCharSetHeight),
                    QSize(4 * CellWidth, 2 * CellHeight)) {}

void TFormSelChar::SetIndex(int index) {
    mIndex = std::clamp(index, 0, 7);
    RepaintPreview();
}

void TFormSelChar::DrawCharacters(TPrismBoard& board, TPrismSheet& sheet, int direction, int pattern) {
    const TPaletteEntry& key = sheet.Palette()[0];
    FillRect(board, TRect{0, 0, board.Width(), board.Height()}, TRGB{key.red, key.green, key.blue});
    if (sheet.Width() <= 0) return;
    bool wasTransparent = sheet.Transparent();
    sheet.SetTransparent(true);
    for (int c = 0; c < 8; ++c) {
        TPoint from = CharSetFrameOrigin(c, pattern, direction);
        board.StretchDrawSheet(CharacterCell(c), sheet, Bounds(from.x, from.y, 24, 32));
    }
    sheet.SetTransparent(wasTransparent);
}

TRect TFormSelChar::CharacterCell(int index) {
    return Bounds(index % 4 * CellWidth, index / 4 * CellHeight, CellWidth, CellHeight);
}

int TFormSelChar::CharacterAt(QPoint at) {
    if (at.x() < 0 || at.y() < 0 || at.x() >= 4 * CellWidth || at.y() >= 2 * CellHeight) return -1;
    return at.x() / CellWidth + at.y() / CellHeight * 4;
}

void TFormSelChar::ComposePreview(TPrismBoard& board) {
    DrawCharacters(board, Sheet(), 2, 1);
    OutlineCell(board, CharacterCell(mIndex));
}

void TFormSelChar::PreviewClick(QPoint at) {
    int index = CharacterAt(at);
    if (index >= 0) SetIndex(index);
}

} // namespace tarvel
