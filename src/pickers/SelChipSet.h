#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses a chipset picture; the preview shows it whole, at its natural size.
class TFormSelChipSet : public TFormSelImage {
public:
    explicit TFormSelChipSet(QWidget* parent = nullptr);
};

} // namespace tarvel
