#pragma once

#include "SelBase.h"

namespace tarvel {

// Chooses the game-over screen; the preview shows it whole, fitted.
class TFormSelGameOver : public TFormSelImage {
public:
    explicit TFormSelGameOver(QWidget* parent = nullptr);
};

} // namespace tarvel
