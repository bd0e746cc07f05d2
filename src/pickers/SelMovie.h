#pragma once

#include "SelBase.h"

namespace Ui {
class TFormSelMovie;
}

namespace tarvel {

// Chooses a movie; there is no preview, only the list.
class TFormSelMovie : public TFormSelBase {
    Q_OBJECT
public:
    explicit TFormSelMovie(QWidget* parent = nullptr);
    ~TFormSelMovie() override;
    Ui::TFormSelMovie* form() const { return ui.get(); }

private:
    std::unique_ptr<Ui::TFormSelMovie> ui;
};

} // namespace tarvel
