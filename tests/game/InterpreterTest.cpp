// The interpreter: messages and what they ask, switches, variables and their operands, forks,
// loops, labels, calls, items, money and the party, teleports, waits and the timer.
#include <gtest/gtest.h>
#include <set>

#include "GameFixture.h"

using namespace tarvel;
using namespace tarvel::game;
using namespace tarvel::game::test;

TEST(Messages, AMessageShowsItsLinesWithTheFaceAndWaitsForTheKey) {
    ScriptRun run({Line(10130, {3, 1, 1}, "Faces"), Line(10110, {}, "One"), Line(20110, {}, "Two"),
                   Line(10210, {0, 1, 1, 0})});
    TGame& game = run.Start();
    ASSERT_TRUE(game.Message().Visible());
    EXPECT_EQ(game.Message().Text(), "One\nTwo");
    EXPECT_EQ(game.Message().Face().name, "Faces");
    EXPECT_EQ(game.Message().Face().index, 3);
    EXPECT_TRUE(game.Message().Face().right);
    EXPECT_TRUE(game.Message().Face().mirrored);
    run.f.Wait(30);
    EXPECT_FALSE(game.State().Switch(1));
    // The hero does not walk while it shows.
    run.f.Hold({TGameKey::Down}, 10);
    EXPECT_EQ(game.Hero().Y(), 5);
    run.f.Press(TGameKey::Decide);
    EXPECT_FALSE(game.Message().Visible());
    EXPECT_TRUE(game.State().Switch(1));
}

TEST(Messages, TheCancelKeyOfAChoiceDoesWhatItsSettingSays) {
    struct Case {
        int cancel;
        std::vector<TGameKey> keys;
        int branch; // the switch that ends up on (0: none)
    };
    const Case cases[] = {
        {0, {TGameKey::Cancel}, 0},                 // ignored: still asking
        {0, {TGameKey::Down, TGameKey::Decide}, 2}, // the second choice
        {2, {TGameKey::Cancel}, 2},                 // as choice 2
        {5, {TGameKey::Cancel}, 4},                 // its own branch
        {3, {TGameKey::Up, TGameKey::Decide}, 3},   // the cursor wraps round to the last
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cancel);
        std::vector<TQelEventScriptLine> lines = {Line(10140, {c.cancel}, "A/B/C")};
        const char* texts[] = {"A", "B", "C"};
        for (int j = 0; j < 3; ++j) {
            lines.push_back(Line(20140, {j}, texts[j]));
            lines.push_back(Line(10210, {0, j + 1, j + 1, 0}, {}, 1));
            lines.push_back(Line(10, {}, {}, 1));
        }
        if (c.cancel == 5) {
            lines.push_back(Line(20140, {4}));
            lines.push_back(Line(10210, {0, 4, 4, 0}, {}, 1));
            lines.push_back(Line(10, {}, {}, 1));
        }
        lines.push_back(Line(20141));
        ScriptRun run(lines);
        TGame& game = run.Start();
        ASSERT_TRUE(game.Message().Choosing());
        EXPECT_EQ(game.Message().Choices(), (std::vector<std::string>{"A", "B", "C"}));
        for (TGameKey key : c.keys)
            run.f.Press(key);
        run.f.Wait(2);
        for (int s = 1; s <= 4; ++s)
            EXPECT_EQ(game.State().Switch(s), s == c.branch) << "switch " << s;
        EXPECT_EQ(game.Message().Visible(), c.branch == 0);
    }
}

TEST(Messages, ANumberIsEnteredDigitByDigit) {
    ScriptRun run({Line(10110, {}, "How many?"), Line(10150, {3, 4})});
    TGame& game = run.Start();
    ASSERT_TRUE(game.Message().EnteringNumber());
    EXPECT_EQ(game.Message().Text(), "How many?");
    // Starts on the last digit: up twice (2), left, down once (9 wraps), decide: 092.
    for (TGameKey key : {TGameKey::Up, TGameKey::Up, TGameKey::Left, TGameKey::Down, TGameKey::Decide})
        run.f.Press(key);
    run.f.Wait(2);
    EXPECT_EQ(game.State().Variable(4), 92);
}

TEST(Switches, OneARangeOrOneNamedByAVariableTurnsOnOffOrOver) {
    ScriptRun run({Line(10210, {0, 1, 1, 0}),   // 1 on
                   Line(10210, {1, 3, 6, 0}),   // 3..6 on
                   Line(10210, {1, 5, 6, 1}),   // 5..6 off
                   Line(10210, {0, 3, 3, 2}),   // 3 over: off
                   Line(10210, {0, 2, 2, 2}),   // 2 over: on
                   SetVariable(1, 0, 0, 7),     // variable 1 = 7
                   Line(10210, {2, 1, 0, 0})}); // the switch in variable 1 (7) on
    TGame& game = run.Start();
    std::string switches;
    for (int s = 1; s <= 9; ++s)
        switches += game.State().Switch(s) ? '1' : '0';
    EXPECT_EQ(switches, "110100100");
}

TEST(Variables, EachOperationWithEachOperand) {
    struct Case {
        const char* what;
        std::vector<TQelEventScriptLine> lines;
        int expected; // variable 1
    };
    const Case cases[] = {
        {"set", {SetVariable(1, 0, 0, 12)}, 12},
        {"add", {SetVariable(1, 0, 0, 12), SetVariable(1, 1, 0, 5)}, 17},
        {"subtract", {SetVariable(1, 2, 0, 5)}, -5},
        {"multiply", {SetVariable(1, 0, 0, -3), SetVariable(1, 3, 0, 7)}, -21},
        {"divide truncates", {SetVariable(1, 0, 0, -7), SetVariable(1, 4, 0, 2)}, -3},
        {"divide by 0 leaves it", {SetVariable(1, 0, 0, 9), SetVariable(1, 4, 0, 0)}, 9},
        {"remainder", {SetVariable(1, 0, 0, 17), SetVariable(1, 5, 0, 5)}, 2},
        {"held within 7 digits", {SetVariable(1, 0, 0, 9000000), SetVariable(1, 3, 0, 10)}, 9999999},
        {"another variable", {SetVariable(2, 0, 0, 44), SetVariable(1, 0, 1, 2)}, 44},
        {"the variable a variable names",
         {SetVariable(3, 0, 0, 2), SetVariable(2, 0, 0, 8), SetVariable(1, 0, 2, 3)},
         8},
        {"items held", {Line(10320, {0, 0, 2, 0, 6}), SetVariable(1, 0, 4, 2, 0)}, 6},
        {"a hero's level", {SetVariable(1, 0, 5, 1, 0)}, 1},
        {"a hero's max HP", {SetVariable(1, 0, 5, 1, 4)}, 40},
        {"the hero's column", {SetVariable(1, 0, 6, 10001, 1)}, 5},
        {"this event's row", {SetVariable(1, 0, 6, 10005, 2)}, 1},
        {"the money", {Line(10310, {0, 0, 250}), SetVariable(1, 0, 7, 0)}, 250},
        {"the party's size", {SetVariable(1, 0, 7, 2)}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptRun run(c.lines);
        TGame& game = run.Start();
        EXPECT_EQ(game.State().Variable(1), c.expected);
    }
}

TEST(Variables, ARandomOperandStaysInItsBoundsAndDrawsForEachVariableOfARange) {
    ScriptRun run({Line(10220, {1, 1, 9, 0, 3, -2, 3})});
    TGame& game = run.Start();
    std::set<int> seen;
    for (int v = 1; v <= 9; ++v) {
        EXPECT_GE(game.State().Variable(v), -2);
        EXPECT_LE(game.State().Variable(v), 3);
        seen.insert(game.State().Variable(v));
    }
    EXPECT_GT(seen.size(), 2u);
}

TEST(Forks, EachConditionKind) {
    struct Case {
        const char* what;
        std::vector<TQelEventScriptLine> before;
        std::vector<int32_t> condition;
        std::string text;
        bool holds;
    };
    const Case cases[] = {
        {"switch on", {Line(10210, {0, 3, 3, 0})}, {0, 3, 0, 0, 0}, {}, true},
        {"switch off", {}, {0, 3, 1, 0, 0}, {}, true},
        {"variable equal", {SetVariable(2, 0, 0, 4)}, {1, 2, 0, 4, 0}, {}, true},
        {"variable above another",
         {SetVariable(2, 0, 0, 4), SetVariable(3, 0, 0, 5)},
         {1, 2, 1, 3, 3},
         {},
         false},
        {"variable not equal", {}, {1, 2, 0, 1, 5}, {}, true},
        {"money at least", {Line(10310, {0, 0, 100})}, {3, 100, 0, 0, 0}, {}, true},
        {"money at most", {Line(10310, {0, 0, 100})}, {3, 99, 1, 0, 0}, {}, false},
        {"item held", {Line(10320, {0, 0, 4, 0, 1})}, {4, 4, 0, 0, 0}, {}, true},
        {"item not held", {}, {4, 4, 1, 0, 0}, {}, true},
        {"hero in the party", {}, {5, 1, 0, 0, 0}, {}, true},
        {"hero's name", {}, {5, 1, 1, 0, 0}, "Aren", true},
        {"hero's level", {}, {5, 1, 2, 2, 0}, {}, false},
        {"hero facing", {}, {6, 10001, 2, 0, 0}, {}, true},
        {"no vehicle ridden", {}, {7, 0, 0, 0, 0}, {}, false},
        {"started by the key", {}, {8, 0, 0, 0, 0}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int32_t> params = c.condition;
        params.push_back(1); // with an else branch
        std::vector<TQelEventScriptLine> lines = c.before;
        lines.push_back(Line(12010, params, c.text));
        lines.push_back(Line(10210, {0, 8, 8, 0}, {}, 1));
        lines.push_back(Line(10, {}, {}, 1));
        lines.push_back(Line(22010));
        lines.push_back(Line(10210, {0, 9, 9, 0}, {}, 1));
        lines.push_back(Line(10, {}, {}, 1));
        lines.push_back(Line(22011));
        ScriptRun run(lines);
        TGame& game = run.Start();
        EXPECT_EQ(game.State().Switch(8), c.holds);
        EXPECT_EQ(game.State().Switch(9), !c.holds);
    }
}

TEST(Flow, ACycleRunsUntilItsBreakAndLabelsJumpBothWays) {
    ScriptRun run({Line(12210),
                   SetVariable(1, 1, 0, 1, 0),
                   Line(12010, {1, 1, 0, 5, 1, 0}, {}, 1), // variable 1 >= 5
                   Line(12220, {}, {}, 2),
                   Line(10, {}, {}, 2),
                   Line(22011, {}, {}, 1),
                   Line(10, {}, {}, 1),
                   Line(22210),
                   Line(12120, {7}),
                   SetVariable(2, 0, 0, 99), // skipped
                   Line(12110, {3}),
                   SetVariable(3, 1, 0, 1, 0),
                   Line(12010, {1, 3, 0, 2, 4, 0}), // variable 3 < 2
                   Line(12120, {3}, {}, 1),
                   Line(10, {}, {}, 1),
                   Line(22011),
                   Line(12120, {8}),
                   Line(12110, {7}),
                   Line(12120, {3}),
                   Line(12110, {8})});
    TGame& game = run.Start();
    EXPECT_EQ(game.State().Variable(1), 5);
    EXPECT_EQ(game.State().Variable(2), 0);
    EXPECT_EQ(game.State().Variable(3), 2);
    EXPECT_TRUE(game.Notices().empty()) << game.Notices().front();
}

TEST(Flow, ACycleThatNeverWaitsLetsTheGameGoOn) {
    ScriptRun run({Line(12210), SetVariable(1, 1, 0, 1, 0), Line(10, {}, {}, 1), Line(22210)});
    TGame& game = run.Start(3);
    // Each round is three commands (the count, the body's end, the cycle's end), and a frame runs
    // as many commands as the budget allows.
    EXPECT_EQ(game.State().Variable(1), 3 * TGameInterpreter::kCommandsPerFrame / 3);
    EXPECT_EQ(game.Frame(), 3);
}

TEST(Flow, CallsOfCommonAndMapEventsAndWhatTheyAreMissing) {
    ScriptRun run({Line(12330, {0, 1, 0}), // common event 1
                   Line(12330, {1, 2, 1}), // event 2, page 1
                   SetVariable(5, 0, 0, 2), SetVariable(6, 0, 0, 1),
                   Line(12330, {2, 5, 6}),   // the event and page in variables 5 and 6
                   Line(12330, {0, 9, 0}),   // no common event 9
                   Line(12330, {1, 7, 1}),   // no event 7
                   Line(12330, {1, 2, 4})}); // event 2 has no page 4
    run.f.AddCommonEvent(1, trCall, {SetVariable(1, 1, 0, 1)});
    TQelEventPageItem& two = run.f.AddEvent(1, 2, 9, 9);
    TGameFixture::SetScript(two, {SetVariable(2, 1, 0, 1), Line(12320)}); // counts, then erases itself
    TGame& game = run.Start();
    EXPECT_EQ(game.State().Variable(1), 1);
    EXPECT_EQ(game.State().Variable(2), 2);
    EXPECT_TRUE(game.Map()->EventByID(2)->Erased());
    EXPECT_FALSE(game.Map()->EventByID(1)->Erased());
    ASSERT_EQ(game.Notices().size(), 3u);
    EXPECT_EQ(game.Notices()[0],
              "map 1, event 1 \"EV1\", page 1, line 7: there is no common event 9 to call");
    EXPECT_EQ(game.Notices()[1],
              "map 1, event 1 \"EV1\", page 1, line 8: there is no event 7 on this map to call");
    EXPECT_EQ(game.Notices()[2], "map 1, event 1 \"EV1\", page 1, line 9: event 2 has no page 4 to call");
    EXPECT_TRUE(run.Finished());
}

TEST(Flow, InterruptEndsTheScriptAndItsCallers) {
    ScriptRun run({Line(12330, {0, 1, 0}), SetVariable(1, 0, 0, 5)});
    run.f.AddCommonEvent(1, trCall, {SetVariable(2, 0, 0, 3), Line(12310), SetVariable(2, 0, 0, 4)});
    TGame& game = run.Start();
    EXPECT_EQ(game.State().Variable(2), 3);
    EXPECT_EQ(game.State().Variable(1), 0);
}

TEST(Flow, AWaitTakesItsTenthsOfASecond) {
    ScriptRun run({Line(11410, {5}), Line(10210, {0, 1, 1, 0})});
    TGame& game = run.Start(1);
    run.f.Wait(29);
    EXPECT_FALSE(game.State().Switch(1));
    run.f.Wait(1);
    EXPECT_TRUE(game.State().Switch(1));
}

TEST(PartyAndItems, ItemsMoneyAndMembersWithinTheirLimits) {
    TGameFixture base;
    ScriptRun run({Line(10320, {0, 0, 2, 0, 60}), // item 2 + 60
                   Line(10320, {0, 0, 2, 0, 60}), // + 60: 99 at most
                   Line(10320, {1, 0, 3, 0, 5}),  // item 3 - 5: none left
                   SetVariable(1, 0, 0, 4),
                   Line(10320, {0, 1, 1, 1, 1}),  // the item in variable 1, as many as variable 1 says
                   Line(10320, {0, 0, 77, 0, 1}), // no item 77
                   Line(10310, {0, 0, 999999}), Line(10310, {0, 0, 5}), // 999999 at most
                   Line(10310, {1, 0, 1000}), Line(10330, {0, 0, 2}),   // hero 2 joins
                   Line(10330, {0, 0, 2}),                              // once
                   Line(10330, {1, 0, 1})});                            // hero 1 leaves
    TQelDataBase::ResetList(run.f.DataBase().Heroes(), 2);
    TGame& game = run.Start();
    const TGameParty& party = game.State().party;
    EXPECT_EQ(party.Items(), (std::map<int32_t, int32_t>{{2, 99}, {4, 4}}));
    EXPECT_EQ(party.Money(), 998999);
    EXPECT_EQ(party.Members(), std::vector<int32_t>{2});
}

TEST(Teleports, TheScreenFadesThePartyMovesAndMemorizedPlacesReturn) {
    ScriptRun run({Line(10820, {1, 2, 3}),                            // remember map, x, y in variables 1..3
                   Line(10810, {2, 7, 9}),                            // to map 2
                   Line(10210, {0, 1, 1, 0}), Line(10830, {1, 2, 3}), // back
                   Line(10210, {0, 2, 2, 0}), Line(10810, {0, 1, 1}), // no map 0
                   Line(10210, {0, 3, 3, 0})});
    TGame& game = run.Start(1);
    EXPECT_EQ(game.Map()->ID(), 1);
    EXPECT_TRUE(game.Screen().InTransition());
    run.f.Wait(TGameScreen::kTransitionFrames);
    EXPECT_EQ(game.Map()->ID(), 2);
    EXPECT_EQ(game.Hero().X(), 7);
    EXPECT_EQ(game.Hero().Y(), 9);
    EXPECT_FALSE(game.State().Switch(1)); // the screen is still coming back
    run.f.Wait(TGameScreen::kTransitionFrames + 1);
    EXPECT_TRUE(game.State().Switch(1));
    run.f.Wait(2 * TGameScreen::kTransitionFrames + 4);
    EXPECT_EQ(game.Map()->ID(), 1);
    EXPECT_EQ(game.Hero().X(), 5);
    EXPECT_EQ(game.Hero().Y(), 5);
    EXPECT_TRUE(game.State().Switch(3));
    EXPECT_EQ(game.Notices().size(), 1u);
}
