#include "SelPanorama.h"

namespace tarvel {

TFormSelPanorama::TFormSelPanorama(QWidget* parent)
    : TFormSelImage(parent, "Select Panorama", "Panorama", QSize(), QSize(320, 240)) {}

} // namespace tarvel
