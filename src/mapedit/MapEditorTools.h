#pragma once

// The tools of the map editor view, one class each. The view hands a tool the mouse in the layer
// modes (and the event tool in event mode) after it has dealt with what all tools share: the
// middle button, a second button that cancels a running stroke, and double-clicks. A tool that
// answers a press with true holds the mouse until that button is released. Only the view includes
// this header.

#include "MapCursors.h"
#include "MapEditor.h"

namespace tarvel {

class TFormMapEditor::TTool {
public:
    explicit TTool(TFormMapEditor& editor) : E(editor) {}
    virtual ~TTool() = default;
    TTool(const TTool&) = delete;
    TTool& operator=(const TTool&) = delete;

    virtual TMapCursor MouseCursor() const = 0;
    // A button went down on the paint box; true when the tool now follows the mouse until the
    // button comes up.
    virtual bool Press(QPoint at, Qt::MouseButton button) = 0;
    // The mouse moved with the pressed button held.
    virtual void Drag(QPoint) {}
    virtual void Release(QPoint, Qt::MouseButton) {}
    // Another button went down during the drag: everything it did is taken back.
    virtual void Cancel() {}
    // The mouse moved with no button held: the cursor is the brush under it.
    virtual void Hover(QPoint at);
    virtual void AutoScrolled(QPoint) {}

protected:
    TFormMapEditor& E;
};

// Selects a rectangle of cells, lifts it, moves it; the right button opens the chips menu.
class TFormMapEditor::TSelectTool : public TFormMapEditor::TTool {
public:
    using TTool::TTool;
    TMapCursor MouseCursor() const override;
    bool Press(QPoint at, Qt::MouseButton button) override;
    void Drag(QPoint at) override;
    void Release(QPoint at, Qt::MouseButton button) override;
    void Cancel() override;
    void AutoScrolled(QPoint at) override;

private:
    void moveTo(QPoint at);

    bool mSelecting = false;
    bool mMoving = false;
    TPoint mCorner;
    QPoint mMoveFrom;
    TRect mMoveStart;
};

// Left click zooms in, right click zooms out, around the clicked point.
class TFormMapEditor::TZoomTool : public TFormMapEditor::TTool {
public:
    using TTool::TTool;
    TMapCursor MouseCursor() const override { return TMapCursor::Zoom; }
    bool Press(QPoint at, Qt::MouseButton button) override;
};

// The tools that paint: a left stroke runs through the map edit rules from press to release, and
// the right button picks a brush from the map.
class TFormMapEditor::TDrawingTool : public TFormMapEditor::TTool {
public:
    TDrawingTool(TFormMapEditor& editor, TMapTool tool) : TTool(editor), mTool(tool) {}
    bool Press(QPoint at, Qt::MouseButton button) override;
    void Drag(QPoint at) override;
    void Release(QPoint at, Qt::MouseButton button) override;
    void Cancel() override;

protected:
    // The stroke's first cell (the busy cursor of the fill goes here).
    virtual void begin(TPoint cell);

private:
    void pickTo(QPoint at);

    TMapTool mTool;
};

class TFormMapEditor::TPenTool : public TFormMapEditor::TDrawingTool {
public:
    explicit TPenTool(TFormMapEditor& editor) : TDrawingTool(editor, mtPen) {}
    TMapCursor MouseCursor() const override { return TMapCursor::Pen; }
};

class TFormMapEditor::TRectangleTool : public TFormMapEditor::TDrawingTool {
public:
    explicit TRectangleTool(TFormMapEditor& editor) : TDrawingTool(editor, mtRectangle) {}
    TMapCursor MouseCursor() const override { return TMapCursor::Rectangle; }
};

class TFormMapEditor::TEllipseTool : public TFormMapEditor::TDrawingTool {
public:
    explicit TEllipseTool(TFormMapEditor& editor) : TDrawingTool(editor, mtEllipse) {}
    TMapCursor MouseCursor() const override { return TMapCursor::Ellipse; }
};

class TFormMapEditor::TFillTool : public TFormMapEditor::TDrawingTool {
public:
    explicit TFillTool(TFormMapEditor& editor) : TDrawingTool(editor, mtFill) {}
    TMapCursor MouseCursor() const override { return TMapCursor::Fill; }

protected:
    void begin(TPoint cell) override;
};

// Event mode: the cursor cell, dragging events and start positions, the event menu.
class TFormMapEditor::TEventTool : public TFormMapEditor::TTool {
public:
    using TTool::TTool;
    TMapCursor MouseCursor() const override { return TMapCursor::Select; }
    bool Press(QPoint at, Qt::MouseButton button) override;
    void Drag(QPoint at) override;
    void Release(QPoint at, Qt::MouseButton button) override;
    void Cancel() override;
    // The cursor stays where the last press put it.
    void Hover(QPoint) override {}
};

} // namespace tarvel
