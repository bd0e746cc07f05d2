#include "SelBattle.h"

namespace tarvel {

TFormSelBattle::TFormSelBattle(QWidget* parent)
    : TFormSelImage(parent, "Select Battle Animation", "Battle", QSize(), QSize(480, 240)) {}

} // namespace tarvel
