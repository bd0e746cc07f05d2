#include "SelBackdrop.h"

namespace tarvel {

TFormSelBackdrop::TFormSelBackdrop(QWidget* parent)
    : TFormSelImage(parent, "Select Battle Background", "Backdrop", QSize(), QSize(320, 240)) {}

} // namespace tarvel
