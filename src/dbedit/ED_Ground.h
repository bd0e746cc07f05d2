#pragma once

#include "DataBaseControls.h"
#include "DataBaseList.h"
#include "data/LD_Terrain.h"

namespace tarvel {

// "Terrain": what each ground of the chipsets does to the party: damage, encounters, the battle
// background, which vehicles pass it and how characters show on it.
class TFormEDGround : public TFormDataBaseListOf<TQelGroundItem> {
    Q_OBJECT
public:
    TFormEDGround(QWidget* parent, TQelDataBase& dataBase);

    QSpinBox* SpinDamage() const { return mDamage; }
    TMaterialBox* BattleBack() const { return mBattleBack; }
    QCheckBox* CheckAirshipPass() const { return mAirshipPass; }
    QButtonGroup* DisplayGroup() const { return mDisplay; }

protected:
    void LoadRecord() override { mBinder.Load(); }

private:
    TFieldBinder<TQelGroundItem> mBinder;
    QSpinBox* mDamage = nullptr;
    TMaterialBox* mBattleBack = nullptr;
    QCheckBox* mAirshipPass = nullptr;
    QButtonGroup* mDisplay = nullptr;
};

} // namespace tarvel
