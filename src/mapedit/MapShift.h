#pragma once

// "Shift Map": a direction and an amount, remembered for the rest of the run; and the vehicle
// chooser "Set Vehicle Position".

#include <memory>

#include "controls/FormQelBase.h"

namespace Ui {
class TFormMapShift;
class TFormMapShipPos;
} // namespace Ui

namespace tarvel {

class TFormMapShift : public TFormQelBase {
    Q_OBJECT
public:
    enum Direction { Up, Left, Right, Down };
    // The map's size bounds the amount: its height for Up and Down, its width for Left and Right.
    TFormMapShift(QWidget* parent, int mapWidth, int mapHeight);
    ~TFormMapShift() override;
    // The shift of the accepted choice: Up (0, -n), Left (-n, 0), Right (n, 0), Down (0, n).
    void Offset(int& dx, int& dy) const;
    Ui::TFormMapShift* form() const { return ui.get(); }

private:
    Direction direction() const;
    void updateRange();
    std::unique_ptr<Ui::TFormMapShift> ui;
    int mWidth, mHeight;
};

class TFormMapShipPos : public TFormQelBase {
    Q_OBJECT
public:
    explicit TFormMapShipPos(QWidget* parent = nullptr);
    ~TFormMapShipPos() override;
    // 1 boat, 2 ship, 3 airship; 0 when nothing is chosen.
    int Vehicle() const;
    Ui::TFormMapShipPos* form() const { return ui.get(); }

private:
    std::unique_ptr<Ui::TFormMapShipPos> ui;
};

} // namespace tarvel
