#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses a battle-animation picture; the preview shows its cells whole, fitted.
class TFormSelBattle : public TFormSelImage {
public:
    explicit TFormSelBattle(QWidget* parent = nullptr);
};

} // namespace tarvel
