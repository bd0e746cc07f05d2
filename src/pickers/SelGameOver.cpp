#include "SelGameOver.h"

namespace tarvel {

TFormSelGameOver::TFormSelGameOver(QWidget* parent)
    : TFormSelImage(parent, "Select Game Over GFX", "GameOver", QSize(), QSize(320, 240)) {}

} // namespace tarvel
