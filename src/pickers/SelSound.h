#pragma once

#include "SelBase.h"
#include "data/LD_Music.h"

namespace Ui {
class TFormSelSound;
}

namespace tarvel {

// Chooses a sound effect with its volume, tempo and balance, and plays it once through the sound
// library. The list starts with "(OFF)".
class TFormSelSound : public TFormSelBase {
    Q_OBJECT
public:
    explicit TFormSelSound(QWidget* parent = nullptr);
    ~TFormSelSound() override;
    Ui::TFormSelSound* form() const { return ui.get(); }

    void SetSound(const TQelSound& sound);
    TQelSound Sound() const;

    void ButtonPlayClick();
    void ButtonInterruptClick();

protected:
    QStringList LeadingRows() const override;
    void DataListDoubleClick() override { ButtonPlayClick(); }
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::TFormSelSound> ui;
    int mVolume = 100;
    int mTempo = 100;
    int mBalance = 50;
};

} // namespace tarvel
