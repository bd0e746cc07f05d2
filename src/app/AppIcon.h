#pragma once

#include <QImage>

namespace tarvel {

// The editor's icon, drawn by code at any size: a map sheet of green land and blue water on a
// parchment square, with a pennant on a hill. Used for the window and installed in the desktop's
// icon theme at the usual sizes.
QImage DrawAppIcon(int size);

} // namespace tarvel
