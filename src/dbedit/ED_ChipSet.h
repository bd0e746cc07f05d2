#pragma once

// The "ChipSets" page of the database window: a chipset's name and picture, the terrain of every
// lower chip, the passability of every chip, the counter flag of upper chips, and how the sea
// chips cycle, all edited on palettes of the chips drawn at twice their size.

#include <QDialog>
#include <QTimer>
#include <memory>

#include "DataBaseList.h"
#include "data/ChipSetEditRules.h"
#include "data/LD_ChipSet.h"
#include "graphics/GR_ChipSet.h"
#include "graphics/PrismSheet.h"
#include "mapedit_core/MapGraphics.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTabWidget;

namespace tarvel {

class BoardView;
class TFieldBox;

// The tab ("Lower Chip" 0, "Chip Above" 1) the page showed when it closed last.
TProcessOption<int>& RememberedChipSetTab();

class TFormEDChipSet : public TFormDataBaseListOf<TQelChipSetItem> {
    Q_OBJECT
public:
    // What a click on a palette changes and what is printed over the chips. The lower tab has the
    // first three, the upper tab the last three.
    enum TMode { ModeTerrain, ModeBlockPass, ModePass4Dir, ModeCounter };
    static constexpr int MouseInterval = 100;
    static constexpr int PreviewInterval = 200;
    static constexpr int PaletteWidth = ChipPaletteColumns * ChipPaletteCell;
    static constexpr int PaletteHeight = LowerPaletteRows * ChipPaletteCell;
    static constexpr int PaletteView = 352;

    TFormEDChipSet(QWidget* parent, TQelDataBase& dataBase);
    ~TFormEDChipSet() override;

    bool UpperTab() const;
    void SetUpperTab(bool upper);
    // The mode of the active tab; choosing one presses its button.
    TMode Mode() const;
    void SetMode(TMode mode);
    QPushButton* ModeButton(bool upper, TMode mode) const;

    QTabWidget* PageControl() const { return mPages; }
    BoardView* PaintBox(bool upper) const { return mPaintBox[upper ? 1 : 0]; }
    QScrollArea* ScrollBox(bool upper) const { return mScrollBox[upper ? 1 : 0]; }
    QListWidget* TerrainList() const { return mTerrainList; }
    QPushButton* ButtonSetAll() const { return mButtonSetAll; }
    TFieldBox* ImageBox() const { return mImageBox; }
    QRadioButton* SequenceButton(int tag) const { return mSequence[tag]; }
    QRadioButton* SpeedButton(int tag) const { return mSpeed[tag]; }
    BoardView* PreviewBox() const { return mPreviewBox; }
    QTimer* MouseTimer() { return &mMouseTimer; }
    QTimer* PreviewTimer() { return &mPreviewTimer; }

    const TPrismBoard& PaletteBoard() const { return mPaletteBoard; }
    const TPrismBoard& PreviewBoard() const { return mPreviewBoard; }
    int PreviewCounter() const { return mPreviewCounter; }
    // The last mouse position in the active palette's coordinates; (-1, -1) when hidden.
    QPoint MousePosition() const { return mMouse; }

    // Draws every cell of the active tab's palette anew.
    void RedrawPalettes();
    // The timers' work, also called by the mouse events.
    void MouseTimerTick();
    void PreviewTimerTick();
    void PaintBoxMouseDown(bool upper, QPoint at, Qt::MouseButton button);
    void PaintBoxMouseMove(bool upper, QPoint at, Qt::MouseButtons buttons);
    void PaintBoxMouseUp(bool upper, QPoint at, Qt::MouseButton button);
    // The chipset picker; on OK the record takes the chosen picture (name is set to it).
    bool ImageBoxClick(std::string& name);
    void ButtonSetAllClick();

protected:
    void LoadRecord() override;

private:
    void PageControlChange();
    void ModeButtonClick();
    void SequenceClick(int tag);
    void SpeedClick(int tag);
    void TerrainListClick();

    void trackMouse(QPoint at);
    void drawCell(int column, int row);
    void drawCellAt(QPoint at);
    void invalidatePaintBoxes();
    void repaintPreview();
    void restartPreview();
    int passOf(bool upper, int cell) const;
    void setPassOf(bool upper, int cell, int value);
    void chipChanged(int column, int row);
    void paintTerrain(QPoint at);

    TQelChipSetGraphic mChips;
    ChipSetRecordLook mLook;
    std::unique_ptr<TPrismSheet> mMarks, mMarksHot;
    TPrismBoard mPaletteBoard;
    TPrismBoard mPreviewBoard;
    int mRememberedTerrainRow = -1;
    QPoint mMouse{-1, -1};
    int mPreviewCounter = 0;
    bool mTerrainDrag = false;

    QTabWidget* mPages;
    QScrollArea* mScrollBox[2];
    BoardView* mPaintBox[2];
    QButtonGroup* mModes[2];
    QListWidget* mTerrainList;
    QPushButton* mButtonSetAll;
    TFieldBox* mImageBox;
    QRadioButton* mSequence[2];
    QRadioButton* mSpeed[2];
    BoardView* mPreviewBox;
    QTimer mMouseTimer;
    QTimer mPreviewTimer;
};

// "Set All Chips to...": a terrain for every lower chip.
class TFormSetAllChips : public QDialog {
    Q_OBJECT
public:
    TFormSetAllChips(QWidget* parent, const TCatalog& terrain, int row);
    QComboBox* TerrainBox() const { return mTerrain; }
    int Row() const;

private:
    QComboBox* mTerrain;
};

} // namespace tarvel
