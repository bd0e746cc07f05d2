#include "SelTitle.h"

namespace tarvel {

TFormSelTitle::TFormSelTitle(QWidget* parent)
    : TFormSelImage(parent, "Select Graphics Title", "Title", QSize(), QSize(320, 240)) {}

} // namespace tarvel
