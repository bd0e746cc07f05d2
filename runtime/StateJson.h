#pragma once

#include <QJsonObject>

#include "game/Game.h"

namespace tarvel::runtime {

// The state of a game as the headless mode writes it: the frame, the map and the hero's place and
// facing, every switch and variable of the database, the money, the items held, the party, the
// message on screen and the events of the map with their active pages; besides, the scene, the
// choices offered, the music, the vehicle ridden and the notices given so far.
QJsonObject GameStateJson(const game::TGame& game);

} // namespace tarvel::runtime
