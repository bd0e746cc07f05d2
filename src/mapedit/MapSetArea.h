#pragma once

// The area picker: the parent map at 16 pixels a cell (buttons for 32, 16 and 8), on which the
// user drags the rectangle of an area from grid corner to grid corner.

#include <functional>
#include <memory>

#include "MapViewer.h"
#include "controls/FormQelBase.h"

namespace Ui {
class TFormMapSetArea;
}

namespace tarvel {

// The map view of the area picker: a left drag spans the rectangle (auto-scrolling at the edges),
// another button during the drag clears it.
class TFormAreaMaker : public TFormMapViewer {
    Q_OBJECT
public:
    explicit TFormAreaMaker(QWidget* parent = nullptr);

    // Cells, right and bottom exclusive; empty when no whole cell is spanned.
    TRect AreaRect() const { return mRect; }
    void SetAreaRect(const TRect& rect);
    // The map tree item whose remembered scroll the view uses (not owned; may be none).
    void SetScrollItem(TQelMapTreeItem* item) { mScrollItem = item; }
    bool Dragging() const { return mDragging; }

    std::function<void()> onAreaChanged;

protected:
    TRect AreaFrame() const override { return mRect; }
    TQelMapTreeItem* ScrollItem() const override { return mScrollItem; }
    void PaintBoxMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void PaintBoxMouseMove(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) override;
    void PaintBoxMouseUp(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void AutoScrolled(QPoint mouse) override;

private:
    void spanTo(QPoint at);

    TRect mRect;
    TQelMapTreeItem* mScrollItem = nullptr;
    bool mDragging = false;
    TPoint mCorner;
};

class TFormMapSetArea : public TFormQelBase {
    Q_OBJECT
public:
    // The map is shown, never changed. The scroll item's remembered scroll centres the view and
    // is put back when the picker closes.
    TFormMapSetArea(QWidget* parent, TQelMapTree* tree, TQelMap& map, TQelMapTreeItem* scrollItem,
                    const TMapAreaRect& rect);
    ~TFormMapSetArea() override;

    Ui::TFormMapSetArea* form() const { return ui.get(); }
    TFormAreaMaker* View() const { return mView; }
    TMapAreaRect AreaRect() const;

    void done(int result) override;

private:
    void areaChanged();

    std::unique_ptr<Ui::TFormMapSetArea> ui;
    TFormAreaMaker* mView;
    TQelMapTreeItem* mScrollItem;
    int32_t mSavedScrollX = 0, mSavedScrollY = 0;
};

} // namespace tarvel
