// The commands of the interpreter that change heroes, the map, the screen and the sound, and open
// scenes (battles, shops, inns, the menu, the save screen).
#include <algorithm>

#include "Game.h"
#include "GameInterpreter.h"
#include "records/Stream.h"

namespace tarvel::game {

namespace {

int32_t Operand(const TGameState& state, int32_t mode, int32_t value) {
    return mode == 0 ? value : state.Variable(value);
}

// The music or sound reference a line names: its text and its parameters from the given one on
// (fade-in, volume, tempo, balance; a sound has no fade-in).
TQelMusic MusicOf(const TQelEventScriptLine& line, int first) {
    TQelMusic music;
    music.FileName = line.Text;
    music.FadeIn = line.Param(first);
    music.Volume = line.Param(first + 1);
    music.Tempo = line.Param(first + 2);
    music.Balance = line.Param(first + 3);
    return music;
}

TQelSound SoundOf(const TQelEventScriptLine& line, int first) {
    TQelSound sound;
    sound.FileName = line.Text;
    sound.Volume = line.Param(first);
    sound.Tempo = line.Param(first + 1);
    sound.Balance = line.Param(first + 2);
    return sound;
}

int Tenths(int32_t tenths) {
    return std::max(0, tenths) * kFramesPerSecond / 10;
}

} // namespace

std::vector<int32_t> TGameInterpreter::targetHeroes(int32_t kind, int32_t value) const {
    TGameState& state = mGame.State();
    if (kind == 0) return state.party.Members();
    const int32_t id = kind == 1 ? value : state.Variable(value);
    if (!state.party.Hero(id)) return {};
    return {id};
}

void TGameInterpreter::commandHeroes(const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    TGameParty& party = state.party;
    mLevelTexts.clear();
    const int32_t code = line.Code;
    if (code >= 10410 && code <= 10500) {
        for (int32_t id : targetHeroes(line.Param(0), line.Param(1))) {
            TGameHero& hero = *party.Hero(id);
            const bool lower = line.Param(2) == 1;
            switch (code) {
            case 10410: {
                const int64_t v = Operand(state, line.Param(3), line.Param(4));
                auto texts = party.SetExperience(hero, int64_t(hero.exp) + (lower ? -v : v));
                if (line.Param(5) == 1) mLevelTexts.insert(mLevelTexts.end(), texts.begin(), texts.end());
                break;
            }
            case 10420: {
                const int64_t v = Operand(state, line.Param(3), line.Param(4));
                auto texts = party.SetLevel(hero, int64_t(hero.level) + (lower ? -v : v));
                if (line.Param(5) == 1) mLevelTexts.insert(mLevelTexts.end(), texts.begin(), texts.end());
                break;
            }
            case 10430: {
                const int p = std::clamp(line.Param(3), 0, ParameterCount - 1);
                const int32_t v = Operand(state, line.Param(4), line.Param(5));
                hero.bonus[size_t(p)] =
                    std::clamp(hero.bonus[size_t(p)] + (lower ? -v : v), -kMaxParameter, kMaxParameter);
                party.SetHP(hero, hero.hp, hero.hp == 0);
                party.SetMP(hero, hero.mp);
                break;
            }
            case 10440: {
                const int32_t skill = Operand(state, line.Param(3), line.Param(4));
                if (lower)
                    party.ForgetSkill(hero, skill);
                else
                    party.LearnSkill(hero, skill);
                break;
            }
            case 10450:
                if (!lower) {
                    const int32_t item = Operand(state, line.Param(3), line.Param(4));
                    // The command equips the item whether the party holds one or not.
                    if (party.EquipmentSlot(item) >= 0) {
                        if (party.ItemCount(item) == 0) party.SetItemCount(item, 1);
                        party.Equip(hero, item);
                    }
                } else {
                    party.Unequip(hero, line.Param(3));
                }
                break;
            case 10460: {
                const int64_t v = Operand(state, line.Param(3), line.Param(4));
                // A hero who cannot fight is raised only by a full recovery or a cure.
                if (party.HasCondition(hero, kFallenCondition)) break;
                party.SetHP(hero, int64_t(hero.hp) + (lower ? -v : v), line.Param(5) == 1);
                break;
            }
            case 10470: {
                const int64_t v = Operand(state, line.Param(3), line.Param(4));
                party.SetMP(hero, int64_t(hero.mp) + (lower ? -v : v));
                break;
            }
            case 10480:
                if (lower)
                    party.RemoveCondition(hero, line.Param(3));
                else
                    party.AddCondition(hero, line.Param(3));
                break;
            case 10490:
                party.FullRecovery(hero);
                break;
            case 10500: {
                // Damage: the attack less a share of defense and mind, spread by the variance.
                int64_t damage = int64_t(line.Param(2)) -
                                 party.Parameter(hero, paDefense) * line.Param(3) / 200 -
                                 party.Parameter(hero, paMind) * line.Param(4) / 400;
                const int variance = std::clamp(line.Param(5), 0, 10);
                if (damage > 0 && variance > 0)
                    damage += damage * mGame.Random().Range(-variance * 5, variance * 5) / 100;
                damage = std::max<int64_t>(0, damage);
                if (!party.HasCondition(hero, kFallenCondition)) party.SetHP(hero, hero.hp - damage, true);
                if (line.Param(6) == 1) state.SetVariable(line.Param(7), damage);
                break;
            }
            default:
                break;
            }
        }
        mGame.State().Touch();
        return;
    }
    TGameHero* hero = party.Hero(line.Param(0));
    switch (code) {
    case 10610:
        if (hero) hero->name = line.Text;
        break;
    case 10620:
        if (hero) hero->title = line.Text;
        break;
    case 10630:
        if (hero) {
            hero->charName = line.Text;
            hero->charIndex = line.Param(1);
            hero->charTransparent = line.Param(2) == 1;
        }
        mGame.RefreshHeroGraphic();
        break;
    case 10640:
        if (hero) {
            hero->faceName = line.Text;
            hero->faceIndex = line.Param(1);
        }
        break;
    case 10650: {
        const int v = line.Param(0);
        if (v < 0 || v >= kVehicleCount) break;
        state.vehicles[size_t(v)].charName = line.Text;
        state.vehicles[size_t(v)].charIndex = line.Param(1);
        mGame.VehicleCharacter(v).SetGraphic(line.Text, line.Param(1));
        break;
    }
    case 10660: {
        const int which = line.Param(0);
        if (which < 0 || which > 6) break;
        state.systemMusic[size_t(which + 1)].Assign(MusicOf(line, 1));
        break;
    }
    case 10670: {
        const int which = line.Param(0);
        if (which < 0 || which >= SystemSoundCount) break;
        state.systemSounds[size_t(which)].Assign(SoundOf(line, 1));
        break;
    }
    case 10680:
        state.systemGraphic = line.Text;
        state.wallpaper = line.Param(0);
        state.font = line.Param(1);
        break;
    case 10690:
        if (line.Param(0) >= 0 && line.Param(0) < SystemTransitionCount)
            state.transitions[size_t(line.Param(0))] = uint8_t(line.Param(1));
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------

bool TGameInterpreter::commandMap(TInterpreterFrame& frame, const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    TGameMap* map = mGame.Map();
    auto teleport = [&](int32_t mapID, int x, int y) {
        std::string error;
        if (!mGame.MapExists(mapID, error)) {
            notice(frame, "cannot teleport: " + error);
            return true;
        }
        mGame.RequestTeleport(mapID, x, y);
        mWait = TWait::Teleport;
        return false;
    };
    switch (line.Code) {
    case 10810:
        return teleport(line.Param(0), line.Param(1), line.Param(2));
    case 10820:
        state.SetVariable(line.Param(0), map ? map->ID() : 0);
        state.SetVariable(line.Param(1), mGame.Hero().X());
        state.SetVariable(line.Param(2), mGame.Hero().Y());
        return true;
    case 10830:
        return teleport(state.Variable(line.Param(0)), state.Variable(line.Param(1)),
                        state.Variable(line.Param(2)));
    case 10840:
        mGame.RideOrLeave();
        return true;
    case 10850: {
        const bool vars = line.Param(1) == 1;
        mGame.SetVehiclePlace(line.Param(0), Operand(state, vars, line.Param(2)),
                              Operand(state, vars, line.Param(3)), Operand(state, vars, line.Param(4)));
        return true;
    }
    case 10860: {
        TGameCharacter* c = character(frame, line.Param(0));
        if (!c) return true;
        int x = Operand(state, line.Param(1), line.Param(2)),
            y = Operand(state, line.Param(1), line.Param(3));
        if (mGame.WrapCell(x, y) || (map && !map->Inside(x, y))) c->MoveTo(x, y);
        return true;
    }
    case 10870: {
        TGameCharacter* a = character(frame, line.Param(0));
        TGameCharacter* b = character(frame, line.Param(1));
        if (!a || !b || a == b) return true;
        const int ax = a->X(), ay = a->Y();
        a->MoveTo(b->X(), b->Y());
        b->MoveTo(ax, ay);
        return true;
    }
    case 10910:
    case 10920: {
        int x = Operand(state, line.Param(0), line.Param(1)),
            y = Operand(state, line.Param(0), line.Param(2));
        int32_t value = 0;
        if (map && map->WrapCell(x, y)) {
            if (line.Code == 10910) {
                value = map->TerrainID(x, y);
            } else {
                map->ForEventsAt(x, y, [&](TGameEvent& e) {
                    if (!e.Active()) return false;
                    value = e.ID();
                    return true;
                });
            }
        }
        state.SetVariable(line.Param(3), value);
        return true;
    }
    case 11710:
        if (map) map->SetChipSet(line.Param(0));
        return true;
    case 11720: {
        TGame::TPanorama& p = mGame.Panorama();
        p = TGame::TPanorama();
        p.use = !line.Text.empty();
        p.name = line.Text;
        p.horzLoop = line.Param(0) == 1;
        p.vertLoop = line.Param(1) == 1;
        p.horzAuto = line.Param(2) == 1;
        p.horzSpeed = line.Param(3);
        p.vertAuto = line.Param(4) == 1;
        p.vertSpeed = line.Param(5);
        return true;
    }
    case 11740:
        mGame.SetEncounterSteps(line.Param(0));
        return true;
    case 11750:
        mGame.ReplaceChip(line.Param(0), line.Param(1), line.Param(2));
        return true;
    case 11810: {
        auto& places = state.teleportPlaces;
        places.erase(std::remove_if(places.begin(), places.end(),
                                    [&](const TTeleportPlace& p) { return p.mapID == line.Param(1); }),
                     places.end());
        if (line.Param(0) == 0)
            places.push_back(
                {line.Param(1), line.Param(2), line.Param(3), line.Param(4) == 1, line.Param(5)});
        return true;
    }
    case 11820:
        state.teleportAllowed = line.Param(0) == 1;
        return true;
    case 11830:
        state.escapePlace = {line.Param(0), line.Param(1), line.Param(2), line.Param(3) == 1, line.Param(4)};
        return true;
    case 11840:
        state.escapeAllowed = line.Param(0) == 1;
        return true;
    default:
        return true;
    }
}

// ---------------------------------------------------------------------------------------------

bool TGameInterpreter::commandScreen(TInterpreterFrame& frame, const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    TGameScreen& screen = mGame.Screen();
    auto waitFrames = [&](bool wait, int frames) {
        if (!wait || frames <= 0) return true;
        mWait = TWait::Frames;
        mWaitFrames = frames;
        return false;
    };
    switch (line.Code) {
    case 11010:
    case 11020: {
        const bool erase = line.Code == 11010;
        const int type =
            line.Param(0) == -1 ? state.transitions[erase ? stTeleportErase : stTeleportShow] : line.Param(0);
        screen.StartTransition(erase, type);
        if (!screen.InTransition()) return true;
        mWait = TWait::Transition;
        return false;
    }
    case 11030: {
        TTone tone{std::clamp(line.Param(0), 0, 200), std::clamp(line.Param(1), 0, 200),
                   std::clamp(line.Param(2), 0, 200), std::clamp(line.Param(3), 0, 200)};
        screen.StartTone(tone, Tenths(line.Param(4)));
        return waitFrames(line.Param(5) == 1, Tenths(line.Param(4)));
    }
    case 11040:
        screen.StartFlash(line.Param(0), line.Param(1), line.Param(2), line.Param(3), Tenths(line.Param(4)));
        return waitFrames(line.Param(5) == 1, Tenths(line.Param(4)));
    case 11050:
        screen.StartShake(line.Param(0), line.Param(1), Tenths(line.Param(2)));
        return waitFrames(line.Param(3) == 1, Tenths(line.Param(2)));
    case 11060:
        switch (line.Param(0)) {
        case 0:
            screen.SetPanLocked(true);
            return true;
        case 1:
            screen.SetPanLocked(false);
            return true;
        case 2: {
            const int distance = std::clamp(line.Param(2), 0, 1000) * kCellPixels;
            screen.StartPan(DirectionDX(line.Param(1)) * distance, DirectionDY(line.Param(1)) * distance,
                            line.Param(3));
            break;
        }
        default:
            screen.ReturnPan(line.Param(3));
            break;
        }
        if (line.Param(4) == 1 && screen.Panning()) {
            mWait = TWait::Pan;
            return false;
        }
        return true;
    case 11070:
        screen.SetWeather(line.Param(0), line.Param(1));
        return true;
    case 11110: {
        const int n = line.Param(0);
        if (n < 1 || n > kPictureCount) return true;
        TGamePicture& p = screen.Pictures()[size_t(n - 1)];
        p = TGamePicture();
        p.shown = true;
        p.name = line.Text;
        p.x.Set(Operand(state, line.Param(1), line.Param(2)));
        p.y.Set(Operand(state, line.Param(1), line.Param(3)));
        p.scrolls = line.Param(4) == 1;
        p.viewX = mGame.CameraX();
        p.viewY = mGame.CameraY();
        p.zoom.Set(line.Param(5));
        p.transparency.Set(std::clamp(line.Param(6), 0, 100));
        p.useKey = line.Param(7) == 1;
        p.red.Set(line.Param(8));
        p.green.Set(line.Param(9));
        p.blue.Set(line.Param(10));
        p.saturation.Set(line.Param(11));
        p.effect = line.Param(12);
        p.effectPower.Set(line.Param(13));
        return true;
    }
    case 11120: {
        const int n = line.Param(0);
        if (n < 1 || n > kPictureCount) return true;
        TGamePicture& p = screen.Pictures()[size_t(n - 1)];
        if (!p.shown) return true;
        p.x.target = Operand(state, line.Param(1), line.Param(2)) * kFine;
        p.y.target = Operand(state, line.Param(1), line.Param(3)) * kFine;
        p.zoom.target = line.Param(5) * kFine;
        p.transparency.target = std::clamp(line.Param(6), 0, 100) * kFine;
        p.red.target = line.Param(8) * kFine;
        p.green.target = line.Param(9) * kFine;
        p.blue.target = line.Param(10) * kFine;
        p.saturation.target = line.Param(11) * kFine;
        p.effect = line.Param(12);
        p.effectPower.target = line.Param(13) * kFine;
        p.moveFrames = Tenths(line.Param(14));
        if (p.moveFrames == 0)
            for (TGlide* g : {&p.x, &p.y, &p.zoom, &p.transparency, &p.red, &p.green, &p.blue, &p.saturation,
                              &p.effectPower})
                g->value = g->target;
        return waitFrames(line.Param(15) == 1, p.moveFrames);
    }
    case 11130: {
        const int n = line.Param(0);
        if (n >= 1 && n <= kPictureCount) screen.Pictures()[size_t(n - 1)] = TGamePicture();
        return true;
    }
    case 11210:
        mGame.StartAnimation(line.Param(0), line.Param(1), line.Param(3) == 1, frame.thisEvent);
        if (line.Param(2) == 1 && screen.Animation().active) {
            mWait = TWait::Animation;
            return false;
        }
        return true;
    case 11310:
        mGame.SetHeroVisible(line.Param(0) == 1);
        return true;
    case 11320: {
        TGameCharacter* c = character(frame, line.Param(0));
        if (c) c->Flash(line.Param(1), line.Param(2), line.Param(3), line.Param(4), Tenths(line.Param(5)));
        return waitFrames(c && line.Param(6) == 1, Tenths(line.Param(5)));
    }
    case 11330: {
        TGameCharacter* c = character(frame, line.Param(0));
        if (!c) return true;
        std::vector<uint8_t> bytes;
        for (int i = 4; i < line.ParamCount(); ++i)
            bytes.push_back(uint8_t(line.Param(i) & 0xFF));
        TQelMoveRoute route;
        try {
            route.SetRouteBytes(bytes.data(), bytes.size());
        } catch (const EReadError&) {
            notice(frame, "the move route is broken (it ends inside a command)");
            return true;
        }
        TGameRoute r = MakeRoute(route);
        r.repeat = line.Param(2) == 1;
        r.skippable = line.Param(3) == 1;
        c->SetForcedRoute(std::move(r), line.Param(1));
        return true;
    }
    case 11340:
        mWait = TWait::MoveAll;
        return false;
    case 11350:
        mGame.Hero().CancelForcedRoute();
        for (int v = 0; v < kVehicleCount; ++v)
            mGame.VehicleCharacter(v).CancelForcedRoute();
        if (TGameMap* map = mGame.Map())
            for (auto& event : map->Events())
                event->CancelForcedRoute();
        return true;
    default:
        return true;
    }
}

// ---------------------------------------------------------------------------------------------

bool TGameInterpreter::commandSound(TInterpreterFrame& frame, const TQelEventScriptLine& line) {
    TGameState& state = mGame.State();
    switch (line.Code) {
    case 11510:
        mGame.PlayMusic(MusicOf(line, 0));
        return true;
    case 11520:
        mGame.FadeOutMusic(line.Param(0));
        return true;
    case 11530:
        state.memorizedMusic.Assign(state.music);
        return true;
    case 11540:
        mGame.PlayMusic(state.memorizedMusic);
        return true;
    case 11550:
        mGame.PlaySound(SoundOf(line, 0));
        return true;
    case 11560: {
        const bool vars = line.Param(0) == 1;
        mGame.StartMovie(line.Text, Operand(state, vars, line.Param(1)), Operand(state, vars, line.Param(2)),
                         line.Param(3), line.Param(4));
        if (mGame.MovieFrames() <= 0) return true;
        mWait = TWait::Frames;
        mWaitFrames = mGame.MovieFrames();
        return false;
    }
    case 11610: {
        const int code = mGame.KeyCode();
        const bool accepted = (code >= 1 && code <= 4 && line.Param(2)) || (code == 5 && line.Param(3)) ||
                              (code == 6 && line.Param(4));
        if (line.Param(1) == 1) {
            // Waits for a key, from the next frame on (the key that started the script is not it).
            mHeadIndex = frame.pc - 1;
            mWait = TWait::Key;
            return false;
        }
        state.SetVariable(line.Param(0), accepted ? code : 0);
        return true;
    }
    default:
        return true;
    }
}

// ---------------------------------------------------------------------------------------------

bool TGameInterpreter::commandScene(TInterpreterFrame& frame, const TQelEventScriptLine& line, int index) {
    TGameState& state = mGame.State();
    mHeadIndex = index;
    switch (line.Code) {
    case 10710: {
        TBattleRequest request;
        request.groupID = Operand(state, line.Param(0), line.Param(1));
        if (!mGame.DataBase().MonGroups().Find(request.groupID)) {
            notice(frame, "there is no monster group " + std::to_string(request.groupID) + " to fight");
            return true;
        }
        request.escapeCase = line.Param(3);
        request.defeatCase = line.Param(4);
        request.escapeAllowed = true;
        request.fromScript = true;
        mGame.SetSceneWaiter(this);
        mGame.StartBattle(request);
        mWait = TWait::Battle;
        return false;
    }
    case 11910:
        mGame.SetSceneWaiter(this);
        mGame.OpenSaveScreen();
        mWait = TWait::Scene;
        return false;
    case 11950:
        mGame.SetSceneWaiter(this);
        mGame.OpenMenu();
        mWait = TWait::Scene;
        return false;
    default:
        // Shops, inns and name entry.
        mGame.SetSceneWaiter(this);
        if (!mGame.OpenScriptScene(line)) return true;
        mWait = TWait::Scene;
        return false;
    }
}

} // namespace tarvel::game
