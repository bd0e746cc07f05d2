#pragma once

// The script list: one text line per script line, as the command text renderer writes it. The
// control knows nothing of the script itself; it reads the block structure from the texts alone
// (two blanks per indent level, "<>" in front of every command head) and always selects whole
// commands at one level: a head with its continuation, label and end lines and its bodies, up to
// the next command at that level. Continuation and label lines (they begin with ":") can hold the
// caret but are never selected by themselves, and the final end line never joins a selection of
// several lines.

#include <QAbstractScrollArea>
#include <QStringList>
#include <QTimer>

namespace tarvel {

class TScriptListBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The repeat timer that scrolls while the left button is held outside the rows.
    static constexpr int RepeatInterval = 50;

    explicit TScriptListBox(QWidget* parent = nullptr);

    // ---- the lines ----
    const QStringList& Items() const { return mItems; }
    int Count() const { return int(mItems.size()); }
    // Every change of the lines recomputes the scroll bar, sets the caret again on its line (line
    // 0 when there was none) and repaints.
    void SetItems(const QStringList& items);
    void InsertItems(int index, const QStringList& texts);
    void RemoveItems(int index, int count);
    // Replaces the texts of the lines in place (the count stays); the selection is kept.
    void ReplaceItems(const QStringList& texts);

    // ---- the structure read from the texts ----
    // The number of leading two-blank units.
    int IndentOf(int index) const;
    // The two characters after the indentation are "<>".
    bool IsHead(int index) const;

    // ---- caret and selection ----
    int ItemIndex() const { return mItemIndex; }
    // The selection algorithm: with Shift held (during a key or mouse event) the anchor stays, so
    // the selection grows from it; the selection covers whole commands at the smallest indent of
    // the range.
    void SetItemIndex(int index);
    int Anchor() const { return mAnchor; }
    int SelStart() const { return mSelStart; }
    int SelEnd() const { return mSelEnd; }
    bool HasSelection() const { return mSelStart >= 0; }
    bool IsSelected(int index) const { return mSelStart >= 0 && index >= mSelStart && index <= mSelEnd; }
    // Sets the range start and the anchor.
    void SetSelStart(int value);
    void SetSelEnd(int value);
    // The caret on the next (previous) command head; nothing when there is none.
    void NextHead();
    void PreviousHead();
    // The caret half a page down (up), then on the next (previous) head.
    void HalfPageDown();
    void HalfPageUp();

    // ---- the view ----
    int TopIndex() const { return mTopIndex; }
    // Clamped to 0..Count - VisibleRows.
    void SetTopIndex(int index);
    // The height of "0" in the control's font.
    int LineHeight() const;
    int VisibleRows() const;
    // The line under a point of the viewport, or -1.
    int RowAt(QPoint at) const;
    // The rectangle of a line in the viewport.
    QRect RowRect(int index) const;

    // ---- dragging with the left button ----
    bool Captured() const { return mCaptured; }
    QTimer& RepeatTimer() { return mRepeatTimer; }
    // What the repeat timer does: with the pointer above the rows the view scrolls up one line
    // (two when it is more than a line above) and the caret goes to the top row; below the last
    // full row, down likewise with the caret on the last visible row.
    void RepeatTimerTick();

signals:
    void clicked();
    void doubleClicked();
    // The right button was released over the list, or the context-menu key pressed: where the
    // menu opens.
    void contextMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void applyItemIndex(int index, bool force);
    void itemsChanged();
    void updateScrollBar();
    void scrollToCaret();
    void releaseCapture();
    // Runs an operation with the Shift state of the input event that asked for it.
    template <typename F>
    void withShift(Qt::KeyboardModifiers modifiers, F operation);

    QStringList mItems;
    int mItemIndex = -1;
    int mAnchor = -1;
    int mSelStart = -1;
    int mSelEnd = -1;
    int mTopIndex = 0;
    bool mShift = false;
    bool mCaptured = false;
    // Where the pointer was last seen while captured (viewport coordinates).
    QPoint mLastMouse;
    // The keys held at the last mouse event while captured (Shift keeps the anchor).
    Qt::KeyboardModifiers mLastModifiers;
    QTimer mRepeatTimer;
};

} // namespace tarvel
