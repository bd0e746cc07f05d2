#pragma once

// The place picker ("Set Place"): the map tree beside a map view at 16 pixels a cell (buttons for
// 32, 16 and 8); the user chooses a map in the tree and a cell on it. Start positions and event
// destinations are chosen with it.

#include <functional>
#include <memory>

#include "MapViewer.h"
#include "controls/FormQelBase.h"

namespace Ui {
class TFormMapSetPlace;
}

namespace tarvel {

class TFormMapTree;

// The map view of the place picker: a left click chooses the cell under it.
class TFormMapPosSetter : public TFormMapViewer {
    Q_OBJECT
public:
    explicit TFormMapPosSetter(QWidget* parent = nullptr);

    // The chosen cell; (-1, -1) when none is.
    TPoint Position() const { return mPosition; }
    bool HasPosition() const { return mPosition.x >= 0; }
    void SetPosition(TPoint cell);

    std::function<void()> onPositionChanged;
    std::function<void()> onDoubleClicked;

protected:
    void DrawOverlays(TPrismBoard& screen) override;
    void PaintBoxMouseDown(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;
    void PaintBoxDoubleClick(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) override;

private:
    TPoint mPosition{-1, -1};
};

class TFormMapSetPlace : public TFormQelBase {
    Q_OBJECT
public:
    struct Options {
        // Areas are shown in the tree and can be chosen themselves.
        bool areasSelectable = false;
        // OK needs only a map, no cell.
        bool mapAloneEnough = false;
        // The tree cannot be changed: only a cell of the given map is chosen.
        bool locked = false;
    };

    // The map tree (not owned; its active node is put back when the picker closes), the map the
    // editor has open (shown as it is, unsaved edits included, when it is chosen), the map ID and
    // cell to start from (0 and (-1, -1) for none).
    TFormMapSetPlace(QWidget* parent, TQelMapTree& tree, const TQelMap* currentMap, int32_t mapID,
                     TPoint position, Options options);
    ~TFormMapSetPlace() override;

    Ui::TFormMapSetPlace* form() const { return ui.get(); }
    TFormMapPosSetter* View() const { return mView; }
    TFormMapTree* TreePane() const { return mTreePane; }
    // The chosen map (an area's ID when areas are selectable); 0 for none.
    int32_t MapID() const { return mChosenID; }
    TPoint Position() const;
    // The text of the label: "%.4d:%s (%.3d,%.3d)", "%.4d:%s" or nothing.
    QString PlaceText() const;

    void done(int result) override;

private:
    void mapShown();
    void choiceChanged();
    void restoreActive();

    std::unique_ptr<Ui::TFormMapSetPlace> ui;
    TQelMapTree& mTree;
    const TQelMap* mCurrentMap;
    Options mOptions;
    TQelMap mMap;
    TFormMapTree* mTreePane;
    TFormMapPosSetter* mView;
    int32_t mChosenID = 0;
    int32_t mSavedActiveID = 0;
    bool mRestored = false;
};

} // namespace tarvel
