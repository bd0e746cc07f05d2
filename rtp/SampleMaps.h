#pragma once

#include <string>

#include "ChipsetPainter.h"
#include "IndexedImage.h"

namespace tarvel::rtp {

// A small map painted with the chipset's families and objects the way a user would paint them
// (a lake with deep water, autotile areas with notches and holes, buildings, furniture), composed
// the way the editor composes chips. The chip names come from info, the pixels from picture (the
// file as written). For looking at, not for games.
IndexedImage RenderSampleMap(const IndexedImage& picture, const ChipsetInfo& info, int waterStep = 0,
                             int animFrame = 0);

} // namespace tarvel::rtp
