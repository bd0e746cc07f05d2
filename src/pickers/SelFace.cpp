#include "SelFace.h"

#include <algorithm>

namespace tarvel {

TFormSelFace::TFormSelFace(QWidget* parent)
    : TFormSelImage(parent, "Select Face Graphic", "FaceSet", QSize(192, 192), QSize(192, 192)) {}

void TFormSelFace::SetIndex(int index) {
    mIndex = std::clamp(index, 0, 15);
    RepaintPreview();
}

void TFormSelFace::ComposePreview(TPrismBoard& board) {
    board.Clear();
    board.DrawSheet(0, 0, Sheet().BoundsRect(), Sheet());
    OutlineCell(board, Bounds(mIndex % 4 * FaceSize, mIndex / 4 * FaceSize, FaceSize, FaceSize));
}

void TFormSelFace::PreviewClick(QPoint at) {
    if (at.x() < 0 || at.y() < 0 || at.x() >= 4 * FaceSize || at.y() >= 4 * FaceSize) return;
    SetIndex(at.y() / FaceSize * 4 + at.x() / FaceSize);
}

} // namespace tarvel
