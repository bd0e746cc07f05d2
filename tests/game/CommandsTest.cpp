// The commands beyond the flow of a script: heroes, the system settings, the screen and its
// pictures, sound, vehicles and events on the map, the scenes scripts open (battles, shops, inns,
// name entry, the menu and the save screen) and the end of a game.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "game/GameMovie.h"

using namespace tarvel;
using namespace tarvel::game;
using namespace tarvel::game::test;

namespace {

// Hero 1 (all party members, p0 = 0 p1 = 0) as a hero target, and hero 1 by ID.
const int32_t kAll = 0;

TGameHero& Aren(TGame& game) {
    return *game.State().party.Hero(1);
}

} // namespace

TEST(HeroCommands, ExperienceRaisesTheLevelAndTellsWhatWasGainedWhenAsked) {
    ScriptRun run({Line(10410, {kAll, 0, 0, 0, 100, 1})}); // + 100 experience, shown
    TQelPlayerItem& hero = *run.f.DataBase().Heroes().Find(1);
    hero.Skills.FindOrCreate(1)->Level = 3;
    hero.Skills.Items(0)->SkillID = 1;
    run.f.DataBase().Skills().Find(1)->Name = "Heal";
    run.f.DataBase().Vocabulary().SetText(voLevelUp, "reached level");
    run.f.DataBase().Vocabulary().SetText(voSkillLearned, "was learned!");
    TGame& game = run.Start();
    // 30 to reach level 2, 90 to reach level 3, 180 to reach level 4.
    EXPECT_EQ(Aren(game).level, 3);
    EXPECT_EQ(Aren(game).exp, 100);
    EXPECT_EQ(game.State().party.ExperienceForLevel(Aren(game), 4), 180);
    EXPECT_TRUE(game.State().party.HasSkill(Aren(game), 1));
    ASSERT_TRUE(game.Message().Visible());
    EXPECT_EQ(game.Message().Text(), "Aren reached level 3.\nHeal was learned!");
    EXPECT_FALSE(run.Finished());
    run.f.Press(TGameKey::Decide);
    EXPECT_TRUE(run.Finished());
}

TEST(HeroCommands, LevelsParametersHPMPConditionsAndRecovery) {
    ScriptRun run({Line(10420, {kAll, 0, 0, 0, 4, 0}),       // level + 4: 5
                   Line(10430, {kAll, 0, 0, 2, 0, 7}),       // attack + 7
                   Line(10470, {kAll, 0, 1, 0, 10}),         // MP - 10
                   Line(10460, {kAll, 0, 1, 0, 999, 0}),     // HP - 999, may not fall: 1 left
                   SetVariable(1, 0, 5, 1, 2),               // variable 1 = HP
                   Line(10460, {kAll, 0, 1, 0, 999, 1}),     // HP - 999, may fall
                   Line(10460, {kAll, 0, 0, 0, 50}),         // the fallen are not healed by it
                   SetVariable(2, 0, 5, 1, 2),               // variable 2 = HP
                   Line(10490, {kAll, 0}),                   // full recovery
                   Line(10480, {kAll, 0, 0, 2}),             // condition 2
                   Line(10500, {1, 1, 20, 0, 0, 0, 1, 3})}); // 20 damage into variable 3
    TQelDataBase::ResetList(run.f.DataBase().Conditions(), 2);
    TGame& game = run.Start();
    TGameParty& party = game.State().party;
    TGameHero& hero = Aren(game);
    EXPECT_EQ(hero.level, 5);
    EXPECT_EQ(party.Parameter(hero, paAttack), 20 + 7); // the curve at level 5, and the change
    EXPECT_EQ(game.State().Variable(1), 1);
    EXPECT_EQ(game.State().Variable(2), 0);
    EXPECT_EQ(hero.conditions, std::vector<int32_t>{2});
    EXPECT_EQ(game.State().Variable(3), 20);
    EXPECT_EQ(hero.hp, party.MaxHP(hero) - 20);
    EXPECT_EQ(hero.mp, party.MaxMP(hero));
}

TEST(HeroCommands, SkillsEquipmentNamesAndGraphics) {
    ScriptRun run({Line(10440, {kAll, 0, 0, 0, 2}),                                  // learn skill 2
                   Line(10440, {kAll, 0, 0, 0, 3}), Line(10440, {kAll, 0, 1, 0, 2}), // forget skill 2
                   Line(10450, {kAll, 0, 0, 0, 2}), // equip item 2 (a weapon)
                   Line(10450, {kAll, 0, 0, 0, 3}), // equip item 3 (a helmet)
                   Line(10450, {kAll, 0, 1, 3, 0}), // take off the helmet
                   Line(10610, {1}, "Zed"), Line(10620, {1}, "the Bold"), Line(10630, {1, 5, 1}, "Hero2"),
                   Line(10640, {1, 7}, "Faces2")});
    TQelDataBase& db = run.f.DataBase();
    TQelDataBase::ResetList(db.Skills(), 3);
    db.Items().Find(2)->ItemType = itWeapon;
    db.Items().Find(3)->ItemType = itHelmet;
    db.Items().Find(2)->Bonuses[0] = 6;
    TGame& game = run.Start();
    TGameHero& hero = Aren(game);
    EXPECT_EQ(hero.skills, std::vector<int32_t>{3});
    EXPECT_EQ(hero.equipment[0], 2);
    EXPECT_EQ(hero.equipment[3], 0);
    EXPECT_EQ(game.State().party.ItemCount(3), 1);
    EXPECT_EQ(game.State().party.ItemCount(2), 0);
    EXPECT_EQ(game.State().party.Parameter(hero, paAttack), 15 + 6);
    EXPECT_EQ(hero.name, "Zed");
    EXPECT_EQ(hero.title, "the Bold");
    EXPECT_EQ(hero.faceName, "Faces2");
    EXPECT_EQ(hero.faceIndex, 7);
    // The walk graphic of the party's first hero is the hero's on the map.
    EXPECT_EQ(game.Hero().CharName(), "Hero2");
    EXPECT_EQ(game.Hero().CharIndex(), 5);
    EXPECT_EQ(game.Hero().Transparency(), 3);
}

TEST(SystemCommands, MusicSoundsGraphicsAndTransitionsOfTheSystem) {
    ScriptRun run({Line(10660, {0, 0, 80, 100, 50}, "Boss"),           // the battle music
                   Line(10670, {1, 90, 100, 50}, "Ding"),              // the decision sound
                   Line(10680, {1, 1}, "Stone"), Line(10690, {0, 19}), // teleports erase at once
                   Line(10690, {1, 19})});
    TGame& game = run.Start();
    const TGameState& s = game.State();
    EXPECT_EQ(s.systemMusic[1].FileName, "Boss");
    EXPECT_EQ(s.systemMusic[1].Volume, 80);
    EXPECT_EQ(s.systemSounds[ssDecision].FileName, "Ding");
    EXPECT_EQ(s.systemGraphic, "Stone");
    EXPECT_EQ(s.wallpaper, 1);
    EXPECT_EQ(s.transitions[stTeleportErase], 19);
    // The decision sound is the new one.
    game.PlaySystemSound(ssDecision);
    EXPECT_EQ(run.f.Sound().sounds.back(), "Ding");
}

TEST(ScreenCommands, ToneFlashAndShakeTakeTheirTimeAndWaitWhenAsked) {
    ScriptRun run({Line(11030, {200, 0, 100, 100, 10, 1}), // a tone over a second, waiting
                   Line(10210, {0, 1, 1, 0}),
                   Line(11040, {31, 0, 0, 31, 5, 0}), // a red flash of half a second
                   Line(11050, {5, 5, 10, 0})});      // shaking for a second
    TGame& game = run.Start(1);
    run.f.Wait(29);
    const TTone half = game.Screen().Tone();
    EXPECT_GT(half.red, 120);
    EXPECT_LT(half.red, 180);
    EXPECT_FALSE(game.State().Switch(1));
    run.f.Wait(31);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_EQ(game.Screen().Tone(), (TTone{200, 0, 100, 100}));
    EXPECT_GT(game.Screen().FlashStrength(), 0);
    run.f.Wait(5);
    EXPECT_NE(game.Screen().ShakeOffset(), 0);
    run.f.Wait(90);
    EXPECT_EQ(game.Screen().FlashStrength(), 0);
    EXPECT_EQ(game.Screen().ShakeOffset(), 0);
}

TEST(ScreenCommands, ErasingAndShowingTheScreenWithTheirTypes) {
    ScriptRun run({Line(11010, {-1}),                            // the teleport's erase (fade)
                   Line(10210, {0, 1, 1, 0}), Line(11020, {19}), // shown at once
                   Line(10210, {0, 2, 2, 0}), Line(11010, {20}), // "do not erase": nothing happens
                   Line(10210, {0, 3, 3, 0})});
    TGame& game = run.Start(1);
    EXPECT_TRUE(game.Screen().InTransition());
    EXPECT_FALSE(game.State().Switch(1));
    run.f.Wait(TGameScreen::kTransitionFrames + 1);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_TRUE(game.State().Switch(3));
    EXPECT_FALSE(game.Screen().Erased());
}

TEST(ScreenCommands, PanningHoldsTheViewMovesItAndBringsItBack) {
    ScriptRun run({Line(11060, {0}),                            // lock
                   Line(11060, {2, 1, 3, 4, 1}),                // 3 cells right at speed 4, waiting
                   Line(10210, {0, 1, 1, 0}), Line(11410, {5}), // half a second
                   Line(11060, {3, 0, 0, 6, 1}),                // back, waiting
                   Line(11060, {1})});                          // unlock
    run.f.MapData(1).SetWidth(60);
    run.f.MapData(1).SetHeight(40);
    TGame& game = run.Start(1, 30, 20);
    const int camera = 30 * 16 - 144;
    // Two pixels a frame for 48 pixels.
    EXPECT_EQ(game.CameraX(), camera + 2);
    run.f.Wait(23);
    EXPECT_FALSE(game.State().Switch(1));
    run.f.Wait(1);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_EQ(game.CameraX(), camera + 48);
    // Back, and unlocked: the view follows the hero again.
    run.f.Wait(40);
    EXPECT_EQ(game.CameraX(), camera);
    EXPECT_FALSE(game.Screen().PanLocked());
    run.f.Hold({TGameKey::Right}, 8);
    EXPECT_EQ(game.CameraX(), camera + 16);
}

TEST(ScreenCommands, PicturesAreShownMovedAndErased) {
    ScriptRun run({Line(11110, {3, 0, 100, 50, 0, 100, 0, 1, 100, 100, 100, 100, 0, 0}, "Sun"),
                   SetVariable(1, 0, 0, 300),
                   Line(11120, {3, 1, 1, 1, 0, 200, 50, 0, 100, 100, 100, 100, 0, 0, 10, 1}),
                   Line(10210, {0, 1, 1, 0}), Line(11130, {3}), Line(11130, {25})});
    TGame& game = run.Start(1);
    const TGamePicture& p = game.Screen().Pictures()[2];
    EXPECT_TRUE(p.shown);
    EXPECT_EQ(p.name, "Sun");
    // Shown at 100 and one frame on the way to 300.
    EXPECT_EQ(p.x.Whole(), 103);
    run.f.Wait(30);
    // Halfway to (300, 300), twice as large, half see-through.
    EXPECT_GT(p.x.Whole(), 150);
    EXPECT_LT(p.x.Whole(), 250);
    EXPECT_FALSE(game.State().Switch(1));
    run.f.Wait(31);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_FALSE(p.shown);
}

TEST(SoundCommands, MusicIsPlayedFadedMemorizedAndPlayedAgain) {
    ScriptRun run({Line(11510, {0, 90, 100, 50}, "Town"), Line(11530), Line(11510, {0, 100, 100, 50}, "Cave"),
                   Line(11550, {100, 100, 50}, "Door"), Line(11540), SetVariable(1, 0, 0, 0),
                   Line(11520, {2000})});
    TGame& game = run.Start();
    EXPECT_EQ(run.f.Sound().sounds, std::vector<std::string>{"Door"});
    EXPECT_EQ(game.State().memorizedMusic.FileName, "Town");
    EXPECT_EQ(game.State().music.FileName, MusicOff);
    EXPECT_EQ(run.f.Sound().lastMusic, "(OFF)");
}

TEST(MapCommands, EventsArePlacedSwappedAndFoundAndTheTerrainRead) {
    ScriptRun run({Line(10860, {2, 0, 10, 11}),                         // event 2 to (10, 11)
                   SetVariable(1, 0, 0, 12), Line(10860, {3, 1, 1, 1}), // event 3 to the place in variable 1
                   Line(10870, {10001, 2}),                             // the hero and event 2 swap
                   Line(10920, {0, 12, 12, 4}),                         // variable 4: the event at (12, 12)
                   Line(10910, {0, 0, 0, 5})});                         // variable 5: the terrain at (0, 0)
    run.f.AddEvent(1, 2, 2, 2);
    run.f.AddEvent(1, 3, 3, 3);
    run.f.MapData(1).LowerLayer.SetChip(0, 0, Lower(chWater));
    TGame& game = run.Start();
    EXPECT_EQ(game.Map()->EventByID(2)->X(), 5);
    EXPECT_EQ(game.Map()->EventByID(2)->Y(), 5);
    EXPECT_EQ(game.Hero().X(), 10);
    EXPECT_EQ(game.Hero().Y(), 11);
    EXPECT_EQ(game.Map()->EventByID(3)->X(), 12);
    EXPECT_EQ(game.State().Variable(4), 3);
    EXPECT_EQ(game.State().Variable(5), 2);
}

TEST(MapCommands, ChipsetPanoramaChipsAndEncounters) {
    ScriptRun run({Line(11710, {2}), Line(11720, {1, 0, 1, -3, 0, 0}, "Sky"),
                   Line(11750, {0, 18 + chOpen, 18 + chWall}), // open ground becomes wall
                   Line(11740, {40})});
    run.f.DataBase().ChipSets().FindOrCreate(2)->SetLowerChipPass(LowerKind(chWall), 0);
    TGame& game = run.Start();
    EXPECT_EQ(game.Map()->ChipSetID(), 2);
    EXPECT_TRUE(game.Panorama().use);
    EXPECT_EQ(game.Panorama().name, "Sky");
    EXPECT_TRUE(game.Panorama().horzLoop);
    EXPECT_EQ(game.Panorama().horzSpeed, -3);
    EXPECT_EQ(game.Map()->Data().LowerLayer.GetChip(7, 7), Lower(chWall));
    EXPECT_EQ(game.EncounterSteps(), 40);
    run.f.Hold({TGameKey::Down}, 8);
    EXPECT_EQ(game.Hero().Y(), 5);
}

TEST(MapCommands, WhatIsAllowedAndTheTeleportPlaces) {
    ScriptRun run({Line(11810, {0, 2, 3, 4, 1, 7}), Line(11810, {0, 1, 1, 1, 0, 0}), Line(11810, {1, 2}),
                   Line(11820, {0}), Line(11840, {0}), Line(11930, {0}), Line(11960, {0}),
                   Line(11830, {2, 5, 6, 1, 3})});
    TGame& game = run.Start();
    const TGameState& s = game.State();
    ASSERT_EQ(s.teleportPlaces.size(), 1u);
    EXPECT_EQ(s.teleportPlaces[0].mapID, 1);
    EXPECT_FALSE(s.teleportAllowed);
    EXPECT_FALSE(s.escapeAllowed);
    EXPECT_FALSE(s.saveAllowed);
    EXPECT_FALSE(s.menuAllowed);
    EXPECT_EQ(s.escapePlace.mapID, 2);
    EXPECT_EQ(s.escapePlace.switchID, 3);
    // Without the menu the cancel key does nothing.
    run.f.Press(TGameKey::Cancel);
    EXPECT_EQ(game.Scene(), TScene::Map);
}

TEST(Vehicles, TheBoatIsPlacedBoardedSteeredOverWaterAndLeft) {
    ScriptRun run({Line(10850, {0, 0, 1, 6, 5})}); // the boat to (6, 5) of map 1
    TQelMap& map = run.f.MapData(1);
    for (int x = 6; x <= 10; ++x)
        map.LowerLayer.SetChip(x, 5, Lower(chWater));
    run.f.DataBase().System().BoatName = "Vehicle1";
    TGame& game = run.Start();
    ASSERT_TRUE(game.VehicleHere(vhBoat));
    // The hero cannot walk onto the water, but boards the boat in front of it.
    run.f.Hold({TGameKey::Right}, 8);
    EXPECT_EQ(game.Hero().X(), 5);
    run.f.Press(TGameKey::Decide);
    run.f.Wait(8);
    EXPECT_EQ(game.Riding(), vhBoat);
    EXPECT_EQ(game.Hero().X(), 6);
    run.f.Hold({TGameKey::Right}, 4 * 8);
    run.f.Wait(8);
    EXPECT_EQ(game.Hero().X(), 10);
    EXPECT_EQ(game.State().vehicles[vhBoat].x, 10);
    // Off onto the land beyond.
    run.f.Press(TGameKey::Decide);
    run.f.Wait(8);
    EXPECT_EQ(game.Riding(), -1);
    EXPECT_EQ(game.Hero().X(), 11);
    EXPECT_EQ(game.VehicleCharacter(vhBoat).X(), 10);
}

TEST(CharacterCommands, RoutesSetByAScriptAndTheWaitForThem) {
    // The hero goes two steps right and turns up, the event one step down; then the script waits.
    auto route = [](int32_t who, std::vector<uint8_t> codes) {
        std::vector<int32_t> params{who, 8, 0, 0};
        for (uint8_t c : codes)
            params.push_back(c);
        return Line(11330, params);
    };
    ScriptRun run({route(10001, {mcRight, mcRight, mcFaceUp}), route(2, {mcDown}), Line(11340),
                   Line(10210, {0, 1, 1, 0}), Line(11310, {0}), Line(11320, {10001, 31, 31, 0, 31, 10, 1}),
                   Line(10210, {0, 2, 2, 0})});
    run.f.AddEvent(1, 2, 12, 2).CharName = "People1";
    TGame& game = run.Start(2);
    EXPECT_FALSE(game.State().Switch(1));
    run.f.Wait(30);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_EQ(game.Hero().X(), 7);
    EXPECT_EQ(game.Hero().Direction(), dirUp);
    EXPECT_EQ(game.Map()->EventByID(2)->Y(), 3);
    EXPECT_FALSE(game.HeroVisible());
    EXPECT_GT(game.Hero().FlashStrength(), 0);
    EXPECT_FALSE(game.State().Switch(2));
    run.f.Wait(60);
    EXPECT_TRUE(game.State().Switch(2));
    EXPECT_FALSE(game.Hero().Forced());
}

TEST(CharacterCommands, ABrokenRouteIsANoticeAndStopAllEndsEveryRoute) {
    ScriptRun run({Line(11330, {10001, 8, 1, 0, 34, 9}), // a graphic command cut short
                   Line(11330, {2, 8, 1, 0, mcRight, mcLeft}), Line(11350)});
    run.f.AddEvent(1, 2, 12, 2);
    TGame& game = run.Start(2);
    ASSERT_EQ(game.Notices().size(), 1u);
    EXPECT_NE(game.Notices()[0].find("line 2: the move route is broken"), std::string::npos)
        << game.Notices()[0];
    EXPECT_FALSE(game.Map()->EventByID(2)->Forced());
}

TEST(CharacterCommands, ABattleAnimationPlaysOnACharacterAndIsWaitedFor) {
    ScriptRun run({Line(11210, {1, 10001, 1, 0}), Line(10210, {0, 1, 1, 0}), Line(11210, {7, 10001, 1, 0}),
                   Line(10210, {0, 2, 2, 0})});
    TQelAnimationItem& animation = *run.f.DataBase().Animations().Find(1);
    TQelAnimationTimingItem* timing = animation.Timings.FindOrCreate(1);
    timing->Frame = 2;
    timing->Sound.FileName = "Slash";
    timing->FlashScope = 2;
    TGame& game = run.Start(1);
    EXPECT_TRUE(game.Screen().Animation().active);
    run.f.Wait(2 * animation.Frames.Count() + 2);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_EQ(run.f.Sound().sounds, std::vector<std::string>{"Slash"});
    // An animation the database does not have is no wait.
    EXPECT_TRUE(game.State().Switch(2));
}

TEST(Scenes, ABattleEndsAsThePlayerChoosesAndTheScriptTakesThatBranch) {
    struct Case {
        int escapeCase, defeatCase;
        std::vector<TGameKey> keys;
        int branchSwitch; // 1 victory, 2 escape, 3 defeat, 0 none
        bool after;       // the line after the battle ran
        TScene scene;
    };
    const Case cases[] = {
        {2, 1, {TGameKey::Decide}, 1, true, TScene::Map},
        {2, 1, {TGameKey::Down, TGameKey::Decide}, 2, true, TScene::Map},
        {2, 1, {TGameKey::Up, TGameKey::Decide}, 3, true, TScene::Map},
        {1, 0, {TGameKey::Down, TGameKey::Decide}, 0, false, TScene::Map},    // escaping ends the script
        {0, 0, {TGameKey::Down, TGameKey::Decide}, 0, true, TScene::Map},     // free escape
        {0, 0, {TGameKey::Up, TGameKey::Decide}, 0, false, TScene::GameOver}, // defeat: the game is over
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.branchSwitch * 100 + c.escapeCase * 10 + c.defeatCase);
        std::vector<TQelEventScriptLine> lines = {Line(10710, {0, 1, 0, c.escapeCase, c.defeatCase, 0})};
        if (c.escapeCase == 2 || c.defeatCase == 1) {
            for (int b = 0; b < 3; ++b) {
                if (b == 1 && c.escapeCase != 2) continue;
                if (b == 2 && c.defeatCase != 1) continue;
                lines.push_back(Line(20710 + b));
                lines.push_back(Line(10210, {0, b + 1, b + 1, 0}, {}, 1));
                lines.push_back(Line(10, {}, {}, 1));
            }
            lines.push_back(Line(20713));
        }
        lines.push_back(Line(10210, {0, 5, 5, 0}));
        ScriptRun run(lines);
        TGame& game = run.Start();
        ASSERT_EQ(game.Scene(), TScene::Battle);
        for (TGameKey key : c.keys)
            run.f.Press(key);
        run.f.Wait(2);
        EXPECT_EQ(game.Scene(), c.scene);
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ(game.State().Switch(s), s == c.branchSwitch) << "switch " << s;
        EXPECT_EQ(game.State().Switch(5), c.after);
        EXPECT_EQ(game.State().battleCount, 1);
    }
}

TEST(Scenes, AShopSellsAndBuysOneAtATime) {
    ScriptRun run({Line(10310, {0, 0, 100}), Line(10720, {0, 0, 1, 0, 2, 3}), Line(20720),
                   Line(10210, {0, 1, 1, 0}, {}, 1), Line(10, {}, {}, 1), Line(20721),
                   Line(10210, {0, 2, 2, 0}, {}, 1), Line(10, {}, {}, 1), Line(20722)});
    TQelDataBase& db = run.f.DataBase();
    db.Items().Find(2)->Price = 30;
    db.Items().Find(3)->Price = 500;
    TGame& game = run.Start();
    ASSERT_EQ(game.Scene(), TScene::Shop);
    // Buy: item 2 twice; item 3 is too dear.
    for (TGameKey key : {TGameKey::Decide, TGameKey::Decide, TGameKey::Decide, TGameKey::Down,
                         TGameKey::Decide, TGameKey::Cancel})
        run.f.Press(key);
    EXPECT_EQ(game.State().party.ItemCount(2), 2);
    EXPECT_EQ(game.State().party.ItemCount(3), 0);
    EXPECT_EQ(game.State().party.Money(), 40);
    // Sell one back for half.
    for (TGameKey key :
         {TGameKey::Down, TGameKey::Decide, TGameKey::Decide, TGameKey::Cancel, TGameKey::Cancel})
        run.f.Press(key);
    run.f.Wait(2);
    EXPECT_EQ(game.State().party.ItemCount(2), 1);
    EXPECT_EQ(game.State().party.Money(), 55);
    EXPECT_EQ(game.Scene(), TScene::Map);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_FALSE(game.State().Switch(2));
}

TEST(Scenes, AnInnHealsThePartyForItsPriceOrSendsItOff) {
    for (int money : {10, 50}) {
        SCOPED_TRACE(money);
        ScriptRun run({Line(10310, {0, 0, money}), Line(10460, {kAll, 0, 1, 0, 20, 0}),
                       Line(10730, {0, 30, 1}), Line(20730), Line(10210, {0, 1, 1, 0}, {}, 1),
                       Line(10, {}, {}, 1), Line(20731), Line(10210, {0, 2, 2, 0}, {}, 1),
                       Line(10, {}, {}, 1), Line(20732)});
        TGame& game = run.Start();
        ASSERT_EQ(game.Scene(), TScene::Inn);
        run.f.Press(TGameKey::Decide);
        if (money < 30) {
            // Not enough money: the buzzer, and the inn asks on; leaving is the other branch.
            EXPECT_EQ(game.Scene(), TScene::Inn);
            run.f.Press(TGameKey::Cancel);
        }
        run.f.Wait(2);
        const bool stayed = money >= 30;
        EXPECT_EQ(game.State().Switch(1), stayed);
        EXPECT_EQ(game.State().Switch(2), !stayed);
        EXPECT_EQ(game.State().party.Money(), stayed ? money - 30 : money);
        EXPECT_EQ(Aren(game).hp == game.State().party.MaxHP(Aren(game)), stayed);
    }
}

TEST(Scenes, AHeroIsNamedLetterByLetter) {
    ScriptRun run({Line(10740, {1, 0, 1})});
    TGame& game = run.Start();
    ASSERT_EQ(game.Scene(), TScene::NameEntry);
    EXPECT_EQ(game.NameEntry().name, "Aren");
    // Back twice, then "B" (right of "A"), then up to the last row and right to "Done".
    for (TGameKey key : {TGameKey::Cancel, TGameKey::Cancel, TGameKey::Right, TGameKey::Decide})
        run.f.Press(key);
    EXPECT_EQ(game.NameEntry().name, "ArB");
    run.f.Press(TGameKey::Up);
    for (int i = 0; i < 10 && game.NameEntry().cursor != int(game.NameEntry().letters.size()) - 1; ++i)
        run.f.Press(TGameKey::Right);
    ASSERT_EQ(game.NameEntry().cursor, int(game.NameEntry().letters.size()) - 1);
    run.f.Press(TGameKey::Decide);
    run.f.Wait(2);
    EXPECT_EQ(game.Scene(), TScene::Map);
    EXPECT_EQ(Aren(game).name, "ArB");
    EXPECT_TRUE(run.Finished());
}

TEST(Scenes, TheMenuAndTheSaveScreenOpenedByAScriptAreWaitedFor) {
    ScriptRun run({Line(11950), Line(10210, {0, 1, 1, 0}), Line(11910), Line(10210, {0, 2, 2, 0})});
    TGame& game = run.Start();
    EXPECT_EQ(game.Scene(), TScene::Menu);
    run.f.Press(TGameKey::Cancel);
    run.f.Wait(1);
    EXPECT_TRUE(game.State().Switch(1));
    EXPECT_EQ(game.Scene(), TScene::Save);
    run.f.Press(TGameKey::Decide); // into file 1
    run.f.Wait(1);
    EXPECT_TRUE(game.State().Switch(2));
    EXPECT_TRUE(run.f.Saves().Exists(1));
    EXPECT_EQ(game.State().saveCount, 1);
}

TEST(Scenes, GameOverAndBackToTheTitle) {
    ScriptRun over({Line(12420), Line(10210, {0, 1, 1, 0})});
    TGame& game = over.Start();
    EXPECT_EQ(game.Scene(), TScene::GameOver);
    EXPECT_FALSE(game.State().Switch(1));
    over.f.Press(TGameKey::Decide);
    EXPECT_EQ(game.Scene(), TScene::Title);
    ScriptRun title({Line(12510)});
    EXPECT_EQ(title.Start().Scene(), TScene::Title);
}

TEST(Scenes, APasswordWaitsForAnAcceptedKey) {
    ScriptRun run({Line(11610, {1, 1, 0, 1, 0})}); // waits; only the decision key
    TGame& game = run.Start();
    run.f.Press(TGameKey::Up);
    EXPECT_EQ(game.State().Variable(1), 0);
    EXPECT_FALSE(run.Finished());
    run.f.Press(TGameKey::Decide);
    run.f.Wait(1);
    EXPECT_EQ(game.State().Variable(1), 5);
    EXPECT_TRUE(run.Finished());
}

TEST(Movies, TheLengthAndTheSoundOfAnAviAreRead) {
    // RIFF AVI with a main header (one frame every 40 000 microseconds, 75 frames: 3 seconds), a
    // video and a PCM sound stream, and two chunks of sound data.
    std::vector<uint8_t> avi;
    auto put = [&](const char* tag) { avi.insert(avi.end(), tag, tag + 4); };
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            avi.push_back(uint8_t(v >> (8 * i)));
    };
    auto chunk = [&](const char* tag, std::vector<uint8_t> data) {
        put(tag);
        u32(uint32_t(data.size()));
        avi.insert(avi.end(), data.begin(), data.end());
        if (data.size() & 1) avi.push_back(0);
    };
    auto words = [](std::vector<uint32_t> values) {
        std::vector<uint8_t> b;
        for (uint32_t v : values)
            for (int i = 0; i < 4; ++i)
                b.push_back(uint8_t(v >> (8 * i)));
        return b;
    };
    std::vector<uint8_t> wave{1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0};
    put("RIFF");
    u32(0);
    put("AVI ");
    put("LIST");
    const size_t headerList = avi.size();
    u32(0);
    put("hdrl");
    chunk("avih", words({40000, 0, 0, 0, 75, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    chunk("strh", words({0x73646976u, 0})); // "vids"
    chunk("strh", words({0x73647561u, 0})); // "auds"
    chunk("strf", wave);
    const uint32_t listSize = uint32_t(avi.size() - headerList - 4);
    for (int i = 0; i < 4; ++i)
        avi[headerList + size_t(i)] = uint8_t(listSize >> (8 * i));
    put("LIST");
    u32(4 + 8 + 4 + 8 + 2);
    put("movi");
    chunk("01wb", {1, 2, 3, 4});
    chunk("01wb", {5, 6});
    const TMovieInfo info = ReadMovieInfo(avi);
    ASSERT_TRUE(info.valid);
    EXPECT_EQ(info.frames, 180);
    ASSERT_EQ(info.wave.size(), 44u + 6u);
    EXPECT_EQ(std::vector<uint8_t>(info.wave.end() - 6, info.wave.end()),
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(ReadMovieInfo({'R', 'I', 'F', 'F'}).valid);
}
