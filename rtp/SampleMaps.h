#pragma once

#include <string>

#include "IndexedImage.h"

namespace tarvel::rtp {

// A small map painted with every family of a chipset (a lake with deep water and the animated
// chips, a canal of water B, a blob of each ground autotile with notches and holes, and a strip
// of upper chips), composed the way the editor composes chips. For looking at, not for games.
IndexedImage RenderSampleMap(const IndexedImage& chipset, const std::string& name, int waterStep = 0,
                             int animFrame = 0);

} // namespace tarvel::rtp
