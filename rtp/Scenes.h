#pragma once

#include <string>
#include <vector>

#include "IndexedImage.h"

namespace tarvel::rtp {

struct NamedPicture {
    std::string name;
    IndexedImage image;
};

// System graphics of 160 x 80 (window skins, cursors, digits and text colours; layout in
// rtp/README.md).
std::vector<NamedPicture> MakeSystemGraphics();
// Title screens and game-over screens of 320 x 240.
std::vector<NamedPicture> MakeTitles();
std::vector<NamedPicture> MakeGameOvers();
// Battle backdrops of 320 x 160.
std::vector<NamedPicture> MakeBackdrops();
// Panoramas (map backgrounds that scroll behind the map).
std::vector<NamedPicture> MakePanoramas();
// Pictures shown over the screen by events (index 0 transparent).
std::vector<NamedPicture> MakePictures();
// Battle graphics of monsters (index 0 transparent).
std::vector<NamedPicture> MakeMonsters();
// Battle-animation sheets of 96 x 96 cells in rows of 5 (index 0 transparent).
std::vector<NamedPicture> MakeBattleAnimations();

} // namespace tarvel::rtp
