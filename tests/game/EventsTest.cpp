// Events on the map: the page chosen by its conditions, how pages are started (the decision key,
// touching, automatically, in parallel), and how events move by themselves.
#include <gtest/gtest.h>

#include "GameFixture.h"

using namespace tarvel;
using namespace tarvel::game;
using namespace tarvel::game::test;

namespace {

constexpr int kFramesPerCell = 8;

// A line that turns switch n on.
TQelEventScriptLine SwitchOn(int n) {
    return Line(10210, {0, n, n, 0});
}

} // namespace

TEST(EventPages, TheLastPageWhoseConditionsHoldPlays) {
    using Setter = void (*)(TGame&);
    struct Case {
        const char* what;
        uint8_t flags;
        Setter partly; // makes the condition not yet hold (or nullptr)
        Setter fully;  // makes it hold
    };
    const Case cases[] = {
        {"switch A", TQelEventCondition::cfSwitchA, nullptr, [](TGame& g) { g.State().SetSwitch(3, true); }},
        {"switches A and B", TQelEventCondition::cfSwitchA | TQelEventCondition::cfSwitchB,
         [](TGame& g) { g.State().SetSwitch(3, true); }, [](TGame& g) { g.State().SetSwitch(4, true); }},
        {"a variable at least", TQelEventCondition::cfVariable, [](TGame& g) { g.State().SetVariable(2, 4); },
         [](TGame& g) { g.State().SetVariable(2, 5); }},
        {"an item held", TQelEventCondition::cfItem, nullptr,
         [](TGame& g) { g.State().party.SetItemCount(2, 1); }},
        {"a hero in the party", TQelEventCondition::cfHero, nullptr,
         [](TGame& g) { g.State().party.AddMember(2); }},
        {"the timer at most", TQelEventCondition::cfTimer, [](TGame& g) { g.State().timer.frames = 30 * 60; },
         [](TGame& g) {
             g.State().timer.running = true;
             g.State().Touch();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGameFixture f;
        TQelDataBase::ResetList(f.DataBase().Heroes(), 2);
        f.AddMap(1);
        f.AddEvent(1, 1, 3, 3);
        TQelEventPageItem* second = f.Event(1, 1).Pages.FindOrCreate(2);
        second->Condition.Flags = c.flags;
        second->Condition.SwitchA = 3;
        second->Condition.SwitchB = 4;
        second->Condition.VariableID = 2;
        second->Condition.VariableValue = 5;
        second->Condition.ItemID = 2;
        second->Condition.HeroID = 2;
        second->Condition.TimerSeconds = 40;
        TGame& game = f.Start(1, 10, 10);
        const TGameEvent& event = *game.Map()->EventByID(1);
        EXPECT_EQ(event.Page(), 1);
        if (c.partly) {
            c.partly(game);
            f.Wait(1);
            EXPECT_EQ(event.Page(), 1);
        }
        c.fully(game);
        f.Wait(1);
        EXPECT_EQ(event.Page(), 2);
    }
}

TEST(EventPages, AnEventWithoutAPageIsNeitherSeenNorInTheWay) {
    TGameFixture f;
    f.AddMap(1);
    TQelEventPageItem& page = f.AddEvent(1, 1, 5, 3);
    page.Priority = layerSame;
    page.Condition.Flags = TQelEventCondition::cfSwitchA;
    page.Condition.SwitchA = 1;
    TGame& game = f.Start(1, 3, 3);
    EXPECT_EQ(game.Map()->EventByID(1)->Page(), 0);
    f.Hold({TGameKey::Right}, 4 * kFramesPerCell);
    EXPECT_EQ(game.Hero().X(), 7);
    // Once its page holds it stands where it stood.
    game.State().SetSwitch(1, true);
    f.Wait(1);
    EXPECT_EQ(game.Map()->EventByID(1)->Page(), 1);
    EXPECT_EQ(game.Map()->EventByID(1)->X(), 5);
}

TEST(EventTriggers, EachTriggerStartsItsPageTheWayItSays) {
    enum How { Decide, WalkInto, EventWalksIn, StandOnAndDecide, StepOnto };
    struct Case {
        const char* what;
        int trigger;
        int layer;
        How how;
        bool starts;
    };
    const Case cases[] = {
        {"push key, decision key in front", trPushKey, layerSame, Decide, true},
        {"push key, walked into", trPushKey, layerSame, WalkInto, false},
        {"hero touch, walked into", trHeroTouch, layerSame, WalkInto, true},
        {"hero touch, decision key in front", trHeroTouch, layerSame, Decide, true},
        {"event touch, the event walks into the hero", trEventTouch, layerSame, EventWalksIn, true},
        {"push key, the event walks into the hero", trPushKey, layerSame, EventWalksIn, false},
        {"below, push key, decision key on it", trPushKey, layerBelow, StandOnAndDecide, true},
        {"below, hero touch, stepped onto", trHeroTouch, layerBelow, StepOnto, true},
        {"below, push key, stepped onto", trPushKey, layerBelow, StepOnto, false},
        {"below, decision key in front", trPushKey, layerBelow, Decide, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGameFixture f;
        f.AddMap(1);
        // The event stands right of the hero; walking in, it comes from two cells away.
        const int eventX = c.how == EventWalksIn ? 7 : c.how == StandOnAndDecide ? 5 : 6;
        TQelEventPageItem& page = f.AddEvent(1, 1, eventX, 5);
        page.Trigger = uint8_t(c.trigger);
        page.Priority = uint8_t(c.layer);
        if (c.how == EventWalksIn) {
            page.MoveType = mtRoute;
            page.MoveFrequency = 8;
            page.MoveSpeed = 4;
            page.MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcLeft));
        }
        TGameFixture::SetScript(page, {SwitchOn(1)});
        TGame& game = f.Start(1, 5, 5);
        switch (c.how) {
        case Decide:
            game.Hero().ForceDirection(dirRight);
            f.Press(TGameKey::Decide);
            break;
        case WalkInto:
            f.Hold({TGameKey::Right}, 2);
            break;
        case EventWalksIn:
            f.Wait(3 * kFramesPerCell);
            break;
        case StandOnAndDecide:
            f.Press(TGameKey::Decide);
            break;
        case StepOnto:
            f.Hold({TGameKey::Right}, kFramesPerCell);
            break;
        }
        f.Wait(2);
        EXPECT_EQ(game.State().Switch(1), c.starts);
    }
}

TEST(EventTriggers, AnAutoStartPageRunsOverAndOverUntilItsPageChanges) {
    TGameFixture f;
    f.AddMap(1);
    TQelEventPageItem& page = f.AddEvent(1, 1, 1, 1);
    page.Trigger = trAutoStart;
    TGameFixture::SetScript(page, {Line(10220, {0, 1, 1, 1, 0, 1}), // variable 1 + 1
                                   Line(12010, {1, 1, 0, 3, 1, 0}), // when it is 3 or more
                                   SwitchOn(1), Line(10, {}, {}, 1), Line(22011)});
    TQelEventPageItem* done = f.Event(1, 1).Pages.FindOrCreate(2);
    done->Condition.Flags = TQelEventCondition::cfSwitchA;
    done->Condition.SwitchA = 1;
    TGame& game = f.Start(1, 5, 5);
    f.Wait(10);
    EXPECT_EQ(game.State().Variable(1), 3);
    // The hero is free again.
    f.Hold({TGameKey::Down}, 1);
    EXPECT_EQ(game.Hero().Y(), 6);
}

TEST(EventTriggers, AParallelPageRunsBesideTheForegroundAndStopsWithItsPage) {
    TGameFixture f;
    f.AddMap(1);
    TQelEventPageItem& parallel = f.AddEvent(1, 1, 1, 1);
    parallel.Trigger = trParallel;
    parallel.Condition.Flags = TQelEventCondition::cfSwitchA;
    parallel.Condition.SwitchA = 2;
    TGameFixture::SetScript(parallel, {Line(10220, {0, 1, 1, 1, 0, 1}), Line(11410, {0})});
    TQelEventPageItem& talk = f.AddEvent(1, 2, 6, 5);
    talk.Priority = layerSame;
    TGameFixture::SetScript(talk, {Line(10110, {}, "Hi")});
    TGame& game = f.Start(1, 5, 5);
    f.Wait(5);
    EXPECT_EQ(game.State().Variable(1), 0);
    game.State().SetSwitch(2, true);
    f.Hold({TGameKey::Right}, 1);
    f.Press(TGameKey::Decide);
    f.Wait(20);
    EXPECT_TRUE(game.Message().Visible());
    // A wait of 0 lets a frame pass: one count a frame.
    EXPECT_EQ(game.State().Variable(1), 23);
    game.State().SetSwitch(2, false);
    f.Wait(5);
    EXPECT_EQ(game.State().Variable(1), 23);
}

TEST(EventMovement, EventsWalkByTheirMovementType) {
    TGameFixture f;
    TQelMap& map = f.AddMap(1);
    for (int x = 0; x < 20; ++x) {
        map.LowerLayer.SetChip(x, 0, Lower(chWall));
        map.LowerLayer.SetChip(x, 4, Lower(chWall));
    }
    // Up and down between the walls of rows 0 and 4.
    TQelEventPageItem& cycle = f.AddEvent(1, 1, 2, 2);
    cycle.CharName = "People1";
    cycle.MoveType = mtCycleUpDown;
    cycle.MoveFrequency = 8;
    cycle.MoveSpeed = 4;
    // Toward the hero, who stands at (15, 10).
    TQelEventPageItem& follower = f.AddEvent(1, 2, 10, 10);
    follower.CharName = "People1";
    follower.MoveType = mtTowardHero;
    follower.MoveFrequency = 8;
    follower.MoveSpeed = 4;
    follower.Priority = layerSame;
    TGame& game = f.Start(1, 15, 10);
    std::vector<int> rows;
    for (int i = 0; i < 8; ++i) {
        f.Wait(kFramesPerCell);
        rows.push_back(game.Map()->EventByID(1)->Y());
    }
    EXPECT_EQ(rows, (std::vector<int>{3, 2, 1, 2, 3, 2, 1, 2}));
    // It stops beside the hero.
    EXPECT_EQ(game.Map()->EventByID(2)->X(), 14);
    EXPECT_EQ(game.Map()->EventByID(2)->Y(), 10);
}

TEST(EventMovement, RandomMovementIsTheSameInEveryRunWithTheSameKeys) {
    auto run = [] {
        TGameFixture f;
        f.AddMap(1);
        for (int id = 1; id <= 5; ++id) {
            TQelEventPageItem& page = f.AddEvent(1, id, 2 + 3 * id, 7);
            page.MoveType = mtRandom;
            page.MoveFrequency = 7;
        }
        TGame& game = f.Start(1, 1, 1);
        f.Wait(600);
        std::vector<int> places;
        for (const auto& e : game.Map()->Events()) {
            places.push_back(e->X());
            places.push_back(e->Y());
        }
        return places;
    };
    const std::vector<int> first = run();
    EXPECT_EQ(first, run());
    // They did walk.
    EXPECT_NE(first, (std::vector<int>{5, 7, 8, 7, 11, 7, 14, 7, 17, 7}));
}

TEST(EventMovement, AMessageThatMakesEventsWaitStopsThem) {
    for (bool eventsWait : {false, true}) {
        SCOPED_TRACE(eventsWait);
        TGameFixture f;
        f.AddMap(1);
        TQelEventPageItem& walker = f.AddEvent(1, 1, 2, 10);
        walker.MoveType = mtRoute;
        walker.MoveFrequency = 8;
        walker.MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcRight));
        TQelEventPageItem& talk = f.AddEvent(1, 2, 1, 1);
        talk.Trigger = trAutoStart;
        TGameFixture::SetScript(talk, {Line(10120, {0, 2, 0, eventsWait ? 1 : 0}), Line(10110, {}, "Wait")});
        TGame& game = f.Start(1, 10, 5);
        f.Wait(60);
        EXPECT_TRUE(game.Message().Visible());
        EXPECT_EQ(game.Map()->EventByID(1)->X() == 2, eventsWait);
    }
}

// A parallel script that erases its own event, or goes to the title (which closes the map it
// belongs to), finishes its frame and runs no more.
TEST(EventTriggers, AParallelScriptMayEraseItsEventOrEndTheGame) {
    for (int32_t code : {12320, 12510}) {
        SCOPED_TRACE(code);
        TGameFixture f;
        f.AddMap(1);
        TQelEventPageItem& page = f.AddEvent(1, 1, 1, 1);
        page.Trigger = trParallel;
        TGameFixture::SetScript(page, {Line(10220, {0, 1, 1, 1, 0, 1}), Line(code), Line(10220, {0, 2, 2, 1, 0, 1})});
        TGame& game = f.Start(1, 5, 5);
        f.Wait(3);
        EXPECT_EQ(game.State().Variable(1), 1);
        EXPECT_EQ(game.State().Variable(2), code == 12320 ? 1 : 0);
        if (code == 12320) {
            EXPECT_TRUE(game.Map()->EventByID(1)->Erased());
            EXPECT_EQ(game.Map()->EventByID(1)->Page(), 0);
        } else {
            EXPECT_EQ(game.Scene(), TScene::Title);
        }
    }
}
