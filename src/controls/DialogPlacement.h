#pragma once

class QRect;
class QWidget;

namespace tarvel {

// Dialogs are placed by their real size: a window that was not sized by hand is laid out first
// (as showing it would), and one larger than the room on its screen (the available area less two
// frame widths and heights) shows everything above its row of buttons in a scroll area, so its
// buttons and title bar stay within reach on a small screen.

// Centres a dialog on the window that owns it (its parent), then keeps it on the screen.
void CenterOnOwner(QWidget* dialog);
// Puts a dialog at (dx, dy) from the owner's client origin, then keeps it on the screen.
void PlaceNearOwner(QWidget* dialog, int dx, int dy);
// Lays the window out and gives it a scroll area when it is larger than the room on its screen.
void FitOnScreen(QWidget* window);
// The same within a given available area of a screen.
void FitInto(QWidget* window, const QRect& area);
// Moves the window left and up so that it fits inside the room on its screen, then keeps its
// left and top inside that room.
void ClampToScreen(QWidget* window);
void ClampInto(QWidget* window, const QRect& area);

} // namespace tarvel
