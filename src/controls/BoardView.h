#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace tarvel {

class TPrismBoard;

// Shows a 16-bit board (not owned) in a widget. The board's own memory is wrapped in a QImage
// and painted in one call, so what the renderer composed is what the window shows, pixel for
// pixel. The board's top-left stands at the widget's top-left less the origin (a view that
// scrolls by itself moves the origin; one inside a scroll area leaves it at 0, 0). Mouse events
// are reported in board pixels.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void SetBoard(const TPrismBoard* board);
    const TPrismBoard* Board() const { return mBoard; }
    // The board pixel shown at the widget's top-left.
    void SetOrigin(QPoint origin);
    QPoint Origin() const { return mOrigin; }
    // The colour of the widget's area that the board does not cover.
    void SetBackground(QColor colour);
    // When on, dragging with the middle button pans the scroll area the view sits in.
    void SetMiddleButtonPanning(bool on) { mPanning = on; }
    // After the board was resized: the widget takes the board's size as its own fixed size.
    void FitToBoard();

    QSize sizeHint() const override;

    // The board's pixels as a QImage over the board's memory (no copy). Valid until the board is
    // resized or destroyed.
    static QImage ImageOf(const TPrismBoard& board);
    // The same for one rectangle of the board (clipped to it): drawing it converts only those
    // pixels to the window's format, not the whole board.
    static QImage ImageOf(const TPrismBoard& board, const QRect& part);

signals:
    void boardMousePress(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void boardMouseMove(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void boardMouseRelease(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void boardDoubleClick(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPoint boardPoint(const QPointF& widgetPoint) const;

    const TPrismBoard* mBoard = nullptr;
    QPoint mOrigin;
    QColor mBackground;
    bool mPanning = false;
    bool mPanActive = false;
    QPoint mPanStart;      // global position of the middle press
    QPoint mPanScrollFrom; // the scroll bars' values at that moment
};

} // namespace tarvel
