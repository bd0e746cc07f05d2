#include "GameState.h"

#include <algorithm>

namespace tarvel::game {

void TGameState::NewGame(const TQelDataBase& db) {
    switches.assign(size_t(db.Switches().Count()), 0);
    variables.assign(size_t(db.Variables().Count()), 0);
    party.NewGame();
    timer = TGameTimer();
    saveCount = battleCount = victoryCount = defeatCount = escapeCount = 0;
    const TQelSystem& s = db.System();
    const TQelMusic* sources[] = {&s.TitleMusic, &s.BattleMusic, &s.BattleEndMusic, &s.InnMusic,
                                  &s.BoatMusic,  &s.ShipMusic,   &s.AirshipMusic,   &s.GameOverMusic};
    for (size_t i = 0; i < systemMusic.size(); ++i)
        systemMusic[i].Assign(*sources[i]);
    for (size_t i = 0; i < systemSounds.size(); ++i)
        systemSounds[i].Assign(s.Sounds[i]);
    std::copy(std::begin(s.Transitions), std::end(s.Transitions), transitions.begin());
    systemGraphic = s.SystemName;
    wallpaper = s.WallpaperMode;
    font = s.GameFont;
    vehicles = {};
    vehicles[vhBoat].charName = s.BoatName;
    vehicles[vhBoat].charIndex = s.BoatIndex;
    vehicles[vhShip].charName = s.ShipName;
    vehicles[vhShip].charIndex = s.ShipIndex;
    vehicles[vhAirship].charName = s.AirshipName;
    vehicles[vhAirship].charIndex = s.AirshipIndex;
    saveAllowed = menuAllowed = teleportAllowed = escapeAllowed = true;
    teleportPlaces.clear();
    escapePlace = TTeleportPlace();
    music.Reset();
    memorizedMusic.Reset();
    Touch();
}

bool TGameState::Switch(int32_t id) const {
    return id >= 1 && size_t(id) <= switches.size() && switches[size_t(id - 1)] != 0;
}

void TGameState::SetSwitch(int32_t id, bool on) {
    // Switches beyond the database's list exist all the same (a script may name them); IDs are
    // held to the largest a list may have.
    if (id < 1 || id > 5000) return;
    if (size_t(id) > switches.size()) switches.resize(size_t(id), 0);
    if ((switches[size_t(id - 1)] != 0) == on) return;
    switches[size_t(id - 1)] = on ? 1 : 0;
    Touch();
}

int32_t TGameState::Variable(int32_t id) const {
    return id >= 1 && size_t(id) <= variables.size() ? variables[size_t(id - 1)] : 0;
}

void TGameState::SetVariable(int32_t id, int64_t value) {
    if (id < 1 || id > 5000) return;
    if (size_t(id) > variables.size()) variables.resize(size_t(id), 0);
    const int32_t v = int32_t(std::clamp<int64_t>(value, kMinVariable, kMaxVariable));
    if (variables[size_t(id - 1)] == v) return;
    variables[size_t(id - 1)] = v;
    Touch();
}

} // namespace tarvel::game
