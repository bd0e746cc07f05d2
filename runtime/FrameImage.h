#pragma once

#include <QImage>

#include "game/GameRender.h"

namespace tarvel::runtime {

// A drawn frame as a picture: the board enlarged by a whole factor and the texts written over it
// with the system's fonts at the same factor, so the window shows them sharp.
QImage FrameImage(const game::TGameFrame& frame, int scale);

} // namespace tarvel::runtime
