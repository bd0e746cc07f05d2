#include "ED_Ground.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "data/LD_DataBase.h"
#include "records/ClipboardPort.h"

namespace tarvel {

TFormEDGround::TFormEDGround(QWidget* parent, TQelDataBase& dataBase)
    : TFormDataBaseListOf(parent, dataBase, dataBase.Terrain(), ClipboardFormat::Terrain),
      mBinder(*this, [this] { return Current(); }) {
    setObjectName("FormEDGround");
    QWidget* editor = MakeScrolledEditor(EditorArea());
    auto* grid = new QGridLayout(editor);

    auto* general = new QGroupBox("Terrain", editor);
    auto* form = new QFormLayout(general);
    form->addRow("Name", EditName());
    mDamage = mBinder.Spin(new QSpinBox(general), 0, 999, &TQelGroundItem::Damage);
    form->addRow("Damage", mDamage);
    form->addRow("Enemy Magnify Appearance",
                 Percent(mBinder.Spin(new QSpinBox(general), 0, 500, &TQelGroundItem::EncounterRate)));
    mBattleBack = mBinder.MaterialName(new TMaterialBox(TMaterialBox::TKind::Backdrop, general),
                                       &TQelGroundItem::BattleBackName);
    form->addRow("Battle Background", mBattleBack);
    grid->addWidget(general, 0, 0, 1, 2);

    auto* vehicles = new QGroupBox("Vehicles", editor);
    auto* vehicleColumn = new QVBoxLayout(vehicles);
    vehicleColumn->addWidget(
        mBinder.Check(new QCheckBox("in Boat Passable", vehicles), &TQelGroundItem::BoatPass));
    vehicleColumn->addWidget(
        mBinder.Check(new QCheckBox("in Ship Passable", vehicles), &TQelGroundItem::ShipPass));
    mAirshipPass =
        mBinder.Check(new QCheckBox("in Airship Passable", vehicles), &TQelGroundItem::AirshipPass);
    vehicleColumn->addWidget(mAirshipPass);
    vehicleColumn->addWidget(
        mBinder.Check(new QCheckBox("Airship Landing", vehicles), &TQelGroundItem::AirshipLand));
    vehicleColumn->addStretch(1);
    grid->addWidget(vehicles, 1, 0);

    auto* display = new QGroupBox("Common Chara Display Method", editor);
    auto* displayColumn = new QVBoxLayout(display);
    mDisplay = mBinder.Radio(MakeRadioGroup(display, displayColumn,
                                            {"Normal", "Cut Off 1/3 Body Bottom", "Cut Off 1/2 Body Bottom",
                                             "Semi-Tranparent Body"}),
                             &TQelGroundItem::CharDisplay);
    displayColumn->addStretch(1);
    grid->addWidget(display, 1, 1);
    grid->setRowStretch(2, 1);
}

} // namespace tarvel
