// Walking on the map: the chips' passability (blocked, the four sides, upper chips deciding or
// leaving it to the chip below), events and vehicles in the way, the map's edge and its loops.
#include <gtest/gtest.h>

#include "GameFixture.h"

using namespace tarvel;
using namespace tarvel::game;
using namespace tarvel::game::test;

namespace {

// Chips of the walking map besides the fixture's.
constexpr int chLedge = 3; // may be left and entered only on its bottom side
constexpr int uBlock = 1;  // an upper chip that blocks
constexpr int uArch = 2;   // drawn above the characters: the chip below decides
constexpr int uBridge = 3; // an upper chip open on every side

// One frame of walking at the hero's speed moves an eighth of a cell.
constexpr int kFramesPerCell = 8;

void MakeWalkingMap(TGameFixture& f) {
    TQelChipSetItem& chips = f.ChipSet();
    chips.SetLowerChipPass(LowerKind(chLedge), passDown);
    chips.SetUpperChipPass(uBlock, 0);
    chips.SetUpperChipPass(uArch, passDirections | passSquare);
    chips.SetUpperChipPass(uBridge, passDirections);
    TQelMap& map = f.AddMap(1);
    map.LowerLayer.SetChip(5, 3, Lower(chWall));
    map.LowerLayer.SetChip(8, 5, Lower(chLedge));
    map.UpperLayer.SetChip(2, 8, Upper(uBlock));
    map.LowerLayer.SetChip(4, 9, Lower(chWall));
    map.UpperLayer.SetChip(4, 9, Upper(uArch));
    map.UpperLayer.SetChip(4, 10, Upper(uArch));
    map.LowerLayer.SetChip(6, 11, Lower(chWater));
    map.UpperLayer.SetChip(6, 11, Upper(uBridge));
    map.LowerLayer.SetChip(6, 12, Lower(chWater));
}

} // namespace

TEST(Walking, ChipsDecideWhereTheHeroMayGo) {
    struct Case {
        const char* what;
        int x, y;
        TGameKey key;
        int cells; // cells of walking time the key is held
        int endX, endY;
    };
    const Case cases[] = {
        {"a wall stops the hero before it", 3, 3, TGameKey::Right, 5, 4, 3},
        {"the ledge is entered from below, and left upwards never", 8, 7, TGameKey::Up, 4, 8, 5},
        {"the ledge is not entered from above", 8, 3, TGameKey::Down, 4, 8, 4},
        {"the ledge is left downwards", 8, 5, TGameKey::Down, 2, 8, 7},
        {"an upper chip that blocks stops the hero", 0, 8, TGameKey::Right, 4, 1, 8},
        {"under an arch the wall below still blocks", 3, 9, TGameKey::Right, 2, 3, 9},
        {"under an arch on open ground the hero walks", 3, 10, TGameKey::Right, 2, 5, 10},
        {"a bridge carries the hero over water", 5, 11, TGameKey::Right, 2, 7, 11},
        {"water without a bridge stops the hero", 5, 12, TGameKey::Right, 2, 5, 12},
        {"the edge of a map that does not loop stops the hero", 1, 0, TGameKey::Up, 2, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGameFixture f;
        MakeWalkingMap(f);
        TGame& game = f.Start(1, c.x, c.y);
        f.Hold({c.key}, c.cells * kFramesPerCell);
        f.Wait(kFramesPerCell);
        EXPECT_EQ(game.Hero().X(), c.endX);
        EXPECT_EQ(game.Hero().Y(), c.endY);
    }
}

TEST(Walking, TheHeroTurnsTowardsAWayItCannotGoAndStepsAreWholeCells) {
    TGameFixture f;
    MakeWalkingMap(f);
    TGame& game = f.Start(1, 4, 3);
    f.Hold({TGameKey::Right}, 3);
    EXPECT_EQ(game.Hero().Direction(), dirRight);
    EXPECT_EQ(game.Hero().X(), 4);
    EXPECT_FALSE(game.Hero().Moving());
    // A tap still walks a whole cell.
    f.Hold({TGameKey::Down}, 1);
    EXPECT_EQ(game.Hero().Y(), 4);
    EXPECT_TRUE(game.Hero().Moving());
    f.Wait(kFramesPerCell);
    EXPECT_FALSE(game.Hero().Moving());
    EXPECT_EQ(game.Hero().RealY(), 4 * kCellUnits);
}

TEST(Walking, EventsWithTheCharactersBlockAndOthersAreWalkedOver) {
    struct Case {
        int layer;
        bool through;
        bool active;
        int endX;
    };
    const Case cases[] = {
        {layerSame, false, true, 4},  // stands in the way
        {layerBelow, false, true, 7}, // walked over
        {layerAbove, false, true, 7}, // walked under
        {layerSame, true, true, 7},   // slips through (set by its route)
        {layerSame, false, false, 7}, // no page: not there at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layer * 100 + c.through * 10 + c.active);
        TGameFixture f;
        f.AddMap(1);
        TQelEventPageItem& page = f.AddEvent(1, 1, 5, 3);
        page.Priority = uint8_t(c.layer);
        if (c.through) page.MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcStartSlipThrough));
        page.MoveType = c.through ? 6 : 0;
        page.MoveFrequency = 8; // the route starts at once
        if (!c.active) {
            page.Condition.Flags = TQelEventCondition::cfSwitchA;
            page.Condition.SwitchA = 1;
        }
        TGame& game = f.Start(1, 3, 3);
        f.Wait(2);
        f.Hold({TGameKey::Right}, 4 * kFramesPerCell);
        f.Wait(kFramesPerCell);
        EXPECT_EQ(game.Hero().X(), c.endX);
    }
}

TEST(Walking, OnALoopingMapTheHeroWalksOverTheEdgeToTheOtherSide) {
    struct Case {
        int scrollType;
        TGameKey key;
        int x, y, endX, endY;
    };
    const Case cases[] = {
        {2, TGameKey::Left, 0, 5, 19, 5},   // horizontal loop
        {2, TGameKey::Up, 3, 0, 3, 0},      // ... but not vertically
        {1, TGameKey::Up, 3, 0, 3, 14},     // vertical loop
        {3, TGameKey::Right, 19, 14, 0, 14} // both
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scrollType);
        TGameFixture f;
        TQelMap& map = f.AddMap(1);
        map.SetScrollType(c.scrollType);
        TGame& game = f.Start(1, c.x, c.y);
        f.Hold({c.key}, kFramesPerCell);
        f.Wait(kFramesPerCell);
        EXPECT_EQ(game.Hero().X(), c.endX);
        EXPECT_EQ(game.Hero().Y(), c.endY);
        EXPECT_EQ(game.Hero().RealX(), c.endX * kCellUnits);
        EXPECT_EQ(game.Hero().RealY(), c.endY * kCellUnits);
    }
}

TEST(Walking, TheViewFollowsTheHeroAndStopsAtTheMapsEdges) {
    TGameFixture f;
    f.AddMap(1, 60, 40);
    TGame& game = f.Start(1, 30, 20);
    // The hero stands in column 9 and row 7 of the screen.
    EXPECT_EQ(game.CameraX(), (30 - 9) * 16);
    EXPECT_EQ(game.CameraY(), (20 - 7) * 16);
    f.Hold({TGameKey::Right}, 4);
    EXPECT_EQ(game.CameraX(), (30 - 9) * 16 + 8);
    TGameFixture corner;
    corner.AddMap(1, 60, 40);
    TGame& cornerGame = corner.Start(1, 1, 38);
    EXPECT_EQ(cornerGame.CameraX(), 0);
    EXPECT_EQ(cornerGame.CameraY(), 40 * 16 - 240);
}

TEST(Walking, AMissingStartMapIsANoticeAndNoGame) {
    TGameFixture f;
    f.AddMap(1);
    TGame& game = f.Start(7, 1, 1);
    EXPECT_EQ(game.Map(), nullptr);
    ASSERT_EQ(game.Notices().size(), 1u);
    EXPECT_NE(game.Notices()[0].find("there is no map 7"), std::string::npos) << game.Notices()[0];
    f.Hold({TGameKey::Right}, 10); // nothing to do, nothing breaks
    EXPECT_EQ(game.Frame(), 10);
}

TEST(Walking, HarmfulGroundHurtsTheHeroesOnEachStepButLeavesThemStanding) {
    TGameFixture f;
    TQelDataBase::ResetList(f.DataBase().Terrain(), 3);
    f.DataBase().Terrain().Find(3)->Damage = 15;
    f.ChipSet().SetChipTerrain(LowerKind(4), 3);
    TQelMap& map = f.AddMap(1);
    for (int x = 4; x < 20; ++x)
        map.LowerLayer.SetChip(x, 5, Lower(4));
    TGame& game = f.Start(1, 3, 5);
    TGameHero& hero = *game.State().party.Hero(1);
    const int full = hero.hp;
    EXPECT_FALSE(game.Screen().Flashing());
    f.Hold({TGameKey::Right}, kFramesPerCell);
    EXPECT_EQ(hero.hp, full - 15);
    EXPECT_TRUE(game.Screen().Flashing());
    f.Hold({TGameKey::Right}, kFramesPerCell);
    f.Wait(kFramesPerCell);
    EXPECT_EQ(hero.hp, full - 30);
    f.Hold({TGameKey::Right}, 4 * kFramesPerCell);
    f.Wait(kFramesPerCell);
    EXPECT_EQ(hero.hp, 1);
}
