#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses a battle background; the preview shows it whole, fitted.
class TFormSelBackdrop : public TFormSelImage {
public:
    explicit TFormSelBackdrop(QWidget* parent = nullptr);
};

} // namespace tarvel
