#pragma once

// The chip palette: the narrow pane beside the map view that shows the chips of the current map's
// chipset for the editing mode, drawn at twice their size, and lets the user choose the brush: one
// chip by a click, or up to 6 x 6 chips by dragging. The main window turns the selection into the
// brush of the mode and shows here the chip of a brush picked from the map.

#include <QScrollArea>
#include <QTimer>
#include <array>
#include <functional>

#include "data/LD_Map.h"
#include "graphics/PrismSheet.h"

namespace tarvel {

class BoardView;
class TPaletteScrollBox;

class TFormChipSelector : public QWidget {
    Q_OBJECT
public:
    static constexpr int ChipCell = 32;
    static constexpr int Columns = 6;
    static constexpr int PaletteWidth = ChipCell * Columns;
    static constexpr int BoardHeight = 1536;
    static constexpr int DragDelay = 150;
    static constexpr int AutoScrollInterval = 40;
    static constexpr int WheelStep = 16;
    // A drag reaches at most this many rows from where it began.
    static constexpr int DragReach = 5;

    explicit TFormChipSelector(QWidget* parent = nullptr);
    ~TFormChipSelector() override;

    // The map whose chipset is shown (not owned; none while no map is open).
    void SetMap(TQelMap* map);
    int Mode() const { return mMode; }
    // 0 lower layer, 1 upper layer, 2 events, 3 none. Nothing when unchanged; otherwise the
    // palette of the mode is shown and the listener called.
    void SetMode(int mode);
    // Every mode back to the top with its first cell selected; mode none.
    void Reset();
    // Draws the palette anew (the map or its chipset changed).
    void Refresh();

    // The selected cells of the current mode; left -1 when nothing is selected.
    TRect Selection() const;
    bool HasSelection() const;
    // Stores and shows a selection; (-1, -1, -1, -1) shows none.
    void SetSelection(const TRect& cells);
    // The chip of a palette cell in the current mode.
    int ChipAt(int column, int row) const;
    // The palette cell of a chip in the current mode; (-1, -1) when it has none.
    TPoint CellOfChip(int number) const;
    static int Rows(int mode);

    // The application lost the focus: a drag ends as if its button had been released.
    void EndDrag();
    bool Dragging() const { return mDragging; }

    // The selection changed (a click or drag ended, or the mode changed).
    std::function<void()> onSelectionChanged;

    BoardView* PaintBox() const { return mPaintBox; }
    QScrollArea* ScrollBox() const;
    const TPrismBoard& Board() const { return mBoard; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct ModeRecord {
        int scrollX = 0;
        int scrollY = 0;
        TRect selection{0, 0, 1, 1};
    };

    bool hasMap() const;
    void layoutPalette();
    void drawCells(const TRect& cells);
    void drawFrame();
    void onPress(QPoint at, Qt::MouseButton button);
    void onMove(QPoint at);
    void onRelease(Qt::MouseButton button);
    void cancelDrag();
    void autoScrollStep();
    ModeRecord& record() { return mRecords[size_t(mMode)]; }
    const ModeRecord& record() const { return mRecords[size_t(mMode)]; }

    TQelMap* mMap = nullptr;
    int mMode = 3;
    std::array<ModeRecord, 4> mRecords;
    TPrismBoard mBoard;
    TPaletteScrollBox* mScrollBox;
    BoardView* mPaintBox;
    bool mDragging = false;
    bool mDelayPassed = false;
    Qt::MouseButton mDragButton = Qt::NoButton;
    TPoint mDragStart;
    TRect mSavedSelection;
    QPoint mLastMouse;
    QTimer mDelayTimer;
    QTimer mAutoScrollTimer;
    bool mLayingOut = false;
};

} // namespace tarvel
