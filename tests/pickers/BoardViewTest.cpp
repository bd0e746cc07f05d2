#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/BoardView.h"
#include "graphics/PrismSheet.h"

using namespace tarvel;

namespace {

QRgb shown(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

QRgb expected(TRGB c) {
    TRGB u = Unpack565(Pack565(c));
    return qRgb(u.red, u.green, u.blue) & 0xFFFFFF;
}

} // namespace

TEST(BoardView, ShowsTheBoardsPixelsAtItsOriginAndReportsBoardPoints) {
    // An odd width, so the board's rows are padded: the view must step by the board's stride.
    TPrismBoard board;
    board.SetSize(37, 20);
    FillRect(board, TRect{0, 0, 37, 20}, TRGB{200, 40, 10});
    FillRect(board, TRect{30, 10, 37, 20}, TRGB{10, 220, 90});
    BoardView view;
    view.SetBoard(&board);
    view.FitToBoard();
    view.show();
    EXPECT_EQ(view.size(), QSize(37, 20));
    QImage image = view.grab().toImage();
    EXPECT_EQ(shown(image, 0, 0), expected({200, 40, 10}));
    EXPECT_EQ(shown(image, 36, 19), expected({10, 220, 90}));
    EXPECT_EQ(shown(image, 29, 19), expected({200, 40, 10}));

    // Scrolled by (30, 10): the green corner is now at the top-left, the rest is background.
    view.SetBackground(QColor(1, 2, 3));
    view.SetOrigin(QPoint(30, 10));
    image = view.grab().toImage();
    EXPECT_EQ(shown(image, 0, 0), expected({10, 220, 90}));
    EXPECT_EQ(shown(image, 6, 9), expected({10, 220, 90}));
    EXPECT_EQ(shown(image, 7, 0), qRgb(1, 2, 3) & 0xFFFFFF);

    QSignalSpy presses(&view, &BoardView::boardMousePress);
    QSignalSpy doubles(&view, &BoardView::boardDoubleClick);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
    QTest::mouseDClick(&view, Qt::RightButton, {}, QPoint(1, 1));
    QTest::mouseRelease(&view, Qt::RightButton, {}, QPoint(1, 1));
    ASSERT_GE(presses.count(), 1);
    EXPECT_EQ(presses.first().at(0).toPoint(), QPoint(33, 14));
    EXPECT_EQ(presses.first().at(2).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    ASSERT_EQ(doubles.count(), 1);
    EXPECT_EQ(doubles.first().at(0).toPoint(), QPoint(31, 11));
    EXPECT_EQ(doubles.first().at(1).value<Qt::MouseButton>(), Qt::RightButton);
}

TEST(BoardView, MiddleButtonDragPansTheScrollAreaAndClicksNothing) {
    TPrismBoard board;
    board.SetSize(100, 1000);
    QScrollArea area;
    auto* view = new BoardView;
    view->SetBoard(&board);
    view->FitToBoard();
    view->SetMiddleButtonPanning(true);
    area.setWidget(view);
    area.resize(130, 200);
    area.show();
    area.verticalScrollBar()->setValue(300);
    QSignalSpy presses(view, &BoardView::boardMousePress);

    QPoint start(50, 350);
    QTest::mousePress(view, Qt::MiddleButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 250), view->mapToGlobal(QPointF(50, 250)), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    // Dragged up by 100 pixels: the content follows the pointer, so the view scrolls down.
    EXPECT_EQ(area.verticalScrollBar()->value(), 400);
    QTest::mouseRelease(view, Qt::MiddleButton, {}, QPoint(50, 250));
    EXPECT_EQ(presses.count(), 0);

    // Without panning the middle button is an ordinary press.
    view->SetMiddleButtonPanning(false);
    QTest::mouseClick(view, Qt::MiddleButton, {}, QPoint(5, 500));
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.first().at(1).value<Qt::MouseButton>(), Qt::MiddleButton);
}
