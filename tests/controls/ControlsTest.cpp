#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/DialogPlacement.h"
#include "controls/FormQelBase.h"
#include "controls/MessageBoxes.h"

using namespace tarvel;

TEST(FormQelBase, F1ClicksTheEnabledHelpButtonOnly) {
    TFormQelBase form;
    auto* help = new QPushButton("Help", &form);
    help->setObjectName("ButtonHelp");
    form.show();
    QSignalSpy clicked(help, &QPushButton::clicked);
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(clicked.count(), 1);
    help->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_F1);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(MessageBoxes, HeadlessBoxesAnswerAtOnceAndAreRecorded) {
    ClearShownMessages();
    SetHeadlessAnswer(QMessageBox::No);
    EXPECT_FALSE(AskYesNo("Map was changed. Save it?"));
    EXPECT_EQ(
        AskBox("Question", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Warning),
        QMessageBox::No);
    // An answer the box does not offer falls back to its first button.
    EXPECT_EQ(AskBox("Only OK", QMessageBox::Ok, QMessageBox::NoIcon), QMessageBox::Ok);
    SetHeadlessAnswer(QMessageBox::NoButton);
    ShowError("Project Making Failure");
    EXPECT_EQ(ShownMessages(),
              (QStringList{"Map was changed. Save it?", "Question", "Only OK", "Project Making Failure"}));
    EXPECT_EQ(ApplicationTitle(), "Tarvel");
}

TEST(DialogPlacement, PlacedNearTheOwnerAndKeptOnTheScreen) {
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(area.left() + 40, area.top() + 30, 300, 200);
    owner.show();
    QWidget dialog(&owner, Qt::Dialog);
    dialog.resize(120, 80);
    PlaceNearOwner(&dialog, 10, 20);
    EXPECT_EQ(dialog.pos(), owner.mapToGlobal(QPoint(10, 20)));

    // Far to the right and bottom: moved back inside the screen.
    PlaceNearOwner(&dialog, area.width() * 2, area.height() * 2);
    EXPECT_LE(dialog.frameGeometry().right(), area.right());
    EXPECT_LE(dialog.frameGeometry().bottom(), area.bottom());
    // Far to the left and top: left and top kept at the screen's edge.
    PlaceNearOwner(&dialog, -area.width() * 2, -area.height() * 2);
    EXPECT_EQ(dialog.frameGeometry().topLeft(), area.topLeft());

    CenterOnOwner(&dialog);
    QPoint offset = dialog.frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2); // halves of odd sizes round
}
