#pragma once

#include "Characters.h"

namespace tarvel::rtp {

// Draws one 24 x 32 frame of a character that is not a person (creatures, objects, vehicles)
// facing up (0), right (1) or down (2), into a blank frame; the caller outlines and mirrors.
// Objects whose four rows are stages, not directions, draw their own left-facing row.
bool MirrorsLeft(Body body);
void PaintCreature(IndexedImage& f, const CharacterLook& look, const LookRamps& r, int dir, int pattern);

} // namespace tarvel::rtp
