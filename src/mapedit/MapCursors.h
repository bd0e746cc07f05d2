#pragma once

// The mouse cursors of the map view: one picture per tool, one for picking a brush from the map
// and one for scrolling with the middle button. They are drawn by code the first time they are
// asked for, so the editor ships no cursor files.

#include <QCursor>

namespace tarvel {

enum class TMapCursor {
    Select,
    Zoom,
    Pen,
    Rectangle,
    Ellipse,
    Fill,
    Pick,
    DragScroll,
    MoveSelection,
};

const QCursor& MapCursor(TMapCursor which);

} // namespace tarvel
