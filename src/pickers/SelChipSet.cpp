#include "SelChipSet.h"

namespace tarvel {

TFormSelChipSet::TFormSelChipSet(QWidget* parent)
    : TFormSelImage(parent, "Select ChipSet Graphics", "ChipSet", QSize(480, 256), QSize(480, 256)) {}

} // namespace tarvel
