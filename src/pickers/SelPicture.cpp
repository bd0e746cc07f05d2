#include "SelPicture.h"

namespace tarvel {

TFormSelPicture::TFormSelPicture(QWidget* parent)
    : TFormSelImage(parent, "Select Picture", "Picture", QSize(), QSize(320, 240)) {}

} // namespace tarvel
