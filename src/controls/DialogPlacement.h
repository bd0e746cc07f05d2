#pragma once

class QWidget;

namespace tarvel {

// Centres a dialog on the window that owns it (its parent), then keeps it on the screen.
void CenterOnOwner(QWidget* dialog);
// Puts a dialog at (dx, dy) from the owner's client origin, then keeps it on the screen.
void PlaceNearOwner(QWidget* dialog, int dx, int dy);
// Moves the window left and up so that it fits inside the screen's available area less two frame
// widths and heights, then keeps its left and top inside that area.
void ClampToScreen(QWidget* window);

} // namespace tarvel
