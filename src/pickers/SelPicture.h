#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses a picture for the picture commands; the preview shows it whole, fitted.
class TFormSelPicture : public TFormSelImage {
public:
    explicit TFormSelPicture(QWidget* parent = nullptr);
};

} // namespace tarvel
