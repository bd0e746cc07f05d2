#pragma once

// The two drawn areas of the battle animation page: the view in which the cells of a frame are
// placed around the target, and the strip of the picture's patterns the new cells take.

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

#include "data/AnimationEditRules.h"
#include "data/LD_Animation.h"
#include "graphics/GR_Animation.h"
#include "graphics/PrismSheet.h"
#include "mapedit_core/AnimationRecordLook.h"

class QAction;
class QMenu;
class QScrollBar;

namespace tarvel {

class BoardView;

// The edit view: a 320 x 160 window over a virtual area around the anchor, showing the game
// screen, guide lines, the darkened target, the cells of the previous frame as ghosts and the
// cells of the current frame, which are made, picked, dragged and edited here.
class TAnimationCellView : public QWidget {
    Q_OBJECT
public:
    explicit TAnimationCellView(QWidget* parent = nullptr);
    ~TAnimationCellView() override;

    // The record edited (not owned; may be none); the drawing follows it.
    void SetAnimation(TQelAnimationItem* animation);
    TQelAnimationItem* Animation() const { return mAnimation; }
    // Loads the picture of the record again (its name changed).
    void ReloadPicture();
    // The target drawn behind the cells: a monster picture and its hue shift.
    void SetTarget(const std::string& pictureName, int hue);
    int TargetWidth() const;
    int TargetHeight() const;
    void SetFrame(int index);
    int Frame() const { return mFrame; }
    // The pattern a new cell takes.
    void SetPattern(int pattern) { mPattern = pattern; }
    // "Use Grid": cells move in steps of 8 pixels instead of 1.
    void SetGrid(bool on) { mGrid = on ? AnimationGridStep : 1; }
    int Grid() const { return mGrid; }
    int SelectedCell() const { return mSelected; }
    void SetSelectedCell(int index);

    TAnimationViewGeometry Geometry() const;
    BoardView* PaintBox() const { return mBox; }
    QScrollBar* HorizontalBar() const { return mHorizontal; }
    QScrollBar* VerticalBar() const { return mVertical; }
    const TPrismBoard& Board() const { return mBoard; }
    TQelAnimationGraphic& Graphic() { return mGraphic; }
    bool Dragging() const { return mDragging; }

    QMenu* CellMenu() const { return mMenu; }
    QAction* Menu_PropertyAction() const { return mProperty; }
    QAction* Menu_CutAction() const { return mCut; }
    QAction* Menu_CopyAction() const { return mCopy; }
    QAction* Menu_PasteAction() const { return mPaste; }
    QAction* Menu_DeleteAction() const { return mDelete; }
    QAction* Menu_PriorityUpAction() const { return mUp; }
    QAction* Menu_PriorityDownAction() const { return mDown; }

    // Draws the view anew and shows it.
    void Redraw();
    // Draws step i of a playback (-10 .. frame count + 9): the game screen in the screen flash of
    // the step, the target in full colour with its flash, and from 0 to count - 1 the frame's cells.
    void DrawPlaybackStep(int step);
    // Shows what is drawn at once.
    void ShowNow();

    // Pointer handling, in view pixels.
    void PaintBoxMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void PaintBoxMouseMove(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void PaintBoxMouseUp(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void PaintBoxDoubleClick(QPoint at, Qt::MouseButton button);
    // Opens the cell menu; at is the place a paste goes, in anchor coordinates.
    void PopupCellMenu(QPoint at, QPoint global);
    // The arrow keys: the selected cell (or, with all, every cell) one grid step on.
    void MoveCells(int dx, int dy, bool all);

    void Menu_Property();
    void Menu_Cut();
    void Menu_Copy();
    void Menu_Paste();
    void Menu_Delete();
    void Menu_PriorityUp();
    void Menu_PriorityDown();
    void UpdateMenu();

    // A cell changed.
    std::function<void()> onModified;
    // B or N was pressed: the previous or next frame is wanted (-1 or +1).
    std::function<void(int)> onFrameStep;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TQelAnimationPatternItem* frame() const;
    TQelAnimationCellItem* selectedCell() const;
    int cellAt(QPoint at, bool throughTop) const;
    QPoint toOrigin(QPoint at) const;
    bool nearOrigin(QPoint at, int reach) const;
    // The target darkened (editing) or in full colour with the target flash of a playback step.
    void drawTarget(bool darkened, int flashStep = 0);
    void drawCellFrame(const TCellSquare& square, TRGB colour);
    void changed();
    // The selected cell moved up or down the list by a rule that returns its new place.
    void reorder(int (*rule)(TQelAnimationPatternItem&, int));
    void endDrag();
    void showHint(QPoint global);

    TQelAnimationItem* mAnimation = nullptr;
    TAnimationRecordLook mLook;
    TQelAnimationGraphic mGraphic;
    std::unique_ptr<TPrismSheet> mTarget;
    std::unique_ptr<TPrismSheet> mNumbers;
    std::unique_ptr<TPrismSheet> mScratch;
    std::unique_ptr<TQelAnimationPatternItem> mSpare;
    std::string mTargetName;
    int mTargetHue = 0;
    TPrismBoard mBoard;
    int mFrame = 0;
    int mPattern = 0;
    int mGrid = 1;
    int mSelected = -1;
    bool mDragging = false;
    QPoint mDragPos;
    bool mMenuPending = false;
    bool mPanning = false;
    QPoint mPanStart, mPanFrom;
    QPoint mMenuPoint;

    BoardView* mBox;
    QScrollBar* mHorizontal;
    QScrollBar* mVertical;
    QMenu* mMenu;
    QAction* mProperty;
    QAction* mCut;
    QAction* mCopy;
    QAction* mPaste;
    QAction* mDelete;
    QAction* mUp;
    QAction* mDown;
};

// The strip of the picture's 25 patterns, 96 x 96 each side by side; the chosen one is outlined
// white and is what new cells take.
class TAnimationPatternStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int PatternCount = 25;
    TAnimationPatternStrip(TQelAnimationGraphic& graphic, QWidget* parent = nullptr);

    int Pattern() const { return mPattern; }
    void SetPattern(int pattern);
    BoardView* PaintBox() const { return mBox; }
    QScrollBar* ScrollBar() const { return mBar; }
    const TPrismBoard& Board() const { return mBoard; }
    void Redraw();
    void PaintBoxMouseDown(QPoint at, Qt::MouseButton button);

    std::function<void(int)> onPatternChosen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TQelAnimationGraphic& mGraphic;
    TPrismBoard mBoard;
    int mPattern = 0;
    bool mPanning = false;
    int mPanStart = 0, mPanFrom = 0;
    BoardView* mBox;
    QScrollBar* mBar;
};

} // namespace tarvel
