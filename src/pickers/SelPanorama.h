#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses a panorama (the picture behind a map); the preview shows it whole, fitted.
class TFormSelPanorama : public TFormSelImage {
public:
    explicit TFormSelPanorama(QWidget* parent = nullptr);
};

} // namespace tarvel
