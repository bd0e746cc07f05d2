#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses the title screen; the preview shows it whole, fitted.
class TFormSelTitle : public TFormSelImage {
public:
    explicit TFormSelTitle(QWidget* parent = nullptr);
};

} // namespace tarvel
