#include <QTest>
#include <gtest/gtest.h>

#include "mapedit/MapShift.h"
#include "ui_MapShift.h"
#include "ui_MapShipPos.h"

using namespace tarvel;

TEST(MapShiftDialog, OffsetsRangesAndTheRememberedChoice) {
    {
        TFormMapShift first(nullptr, 20, 15);
        EXPECT_TRUE(first.form()->RadioUp->isChecked());
        EXPECT_EQ(first.form()->SpinAmount->value(), 1);
        EXPECT_EQ(first.form()->SpinAmount->maximum(), 15);
        first.form()->RadioLeft->setChecked(true);
        EXPECT_EQ(first.form()->SpinAmount->maximum(), 20);
        first.form()->SpinAmount->setValue(5);
        int dx, dy;
        first.Offset(dx, dy);
        EXPECT_EQ(dx, -5);
        EXPECT_EQ(dy, 0);
        QTest::mouseClick(first.form()->ButtonOk, Qt::LeftButton);
    }
    TFormMapShift again(nullptr, 30, 40);
    EXPECT_TRUE(again.form()->RadioLeft->isChecked());
    EXPECT_EQ(again.form()->SpinAmount->value(), 5);
    struct Case {
        QRadioButton* radio;
        int dx, dy;
    } cases[] = {
        {again.form()->RadioUp, 0, -5}, {again.form()->RadioRight, 5, 0}, {again.form()->RadioDown, 0, 5}};
    for (const auto& c : cases) {
        c.radio->setChecked(true);
        int dx, dy;
        again.Offset(dx, dy);
        EXPECT_EQ(dx, c.dx);
        EXPECT_EQ(dy, c.dy);
    }
}

TEST(MapShipPosDialog, ChoicesAndDoubleClick) {
    TFormMapShipPos dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Set Vehicle Position");
    EXPECT_EQ(dialog.Vehicle(), 1);
    dialog.form()->ListVehicles->setCurrentRow(2);
    EXPECT_EQ(dialog.Vehicle(), 3);
    QListWidgetItem* ship = dialog.form()->ListVehicles->item(1);
    QRect rect = dialog.form()->ListVehicles->visualItemRect(ship);
    // A double click is a click and then a second press.
    QTest::mouseClick(dialog.form()->ListVehicles->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(dialog.form()->ListVehicles->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Vehicle(), 2);
}
