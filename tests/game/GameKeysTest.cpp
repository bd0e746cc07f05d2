// Key files of the headless mode and the keys as the game reads them in a frame.
#include <gtest/gtest.h>

#include "game/GameKeys.h"

using namespace tarvel::game;

TEST(KeyScript, ReadsChangesInFrameOrderAndSkipsCommentsAndBlankLines) {
    const auto changes = ParseKeyScript("# walk, then talk\n"
                                        "\n"
                                        "30 decide down\r\n"
                                        "  10   right  down  \n"
                                        "20 right up\n"
                                        "10 up down\n"
                                        "   # an indented comment\n");
    ASSERT_EQ(changes.size(), 4u);
    const int64_t frames[] = {10, 10, 20, 30};
    const TGameKey keys[] = {TGameKey::Right, TGameKey::Up, TGameKey::Right, TGameKey::Decide};
    const bool downs[] = {true, true, false, true};
    for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].frame, frames[i]) << i;
        EXPECT_EQ(changes[i].key, keys[i]) << i;
        EXPECT_EQ(changes[i].down, downs[i]) << i;
    }
}

TEST(KeyScript, NamesTheLineOfAnyMistake) {
    struct Case {
        const char* text;
        int line;
        const char* says;
    };
    const Case cases[] = {
        {"0 up down\nfive up down\n", 2, "is not a frame number"},
        {"-3 up down\n", 1, "is not a frame number"},
        {"1 jump down\n", 1, "unknown key \"jump\""},
        {"1 up pressed\n", 1, "should be \"down\" or \"up\""},
        {"\n\n1 up\n", 3, "expected \"FRAME KEY down\""},
        {"1 up down now\n", 1, "expected"},
        {"99999999999999999999 up down\n", 1, "is not a frame number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseKeyScript(c.text);
            ADD_FAILURE() << "no error";
        } catch (const EKeyScriptError& e) {
            EXPECT_EQ(e.Line(), c.line);
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
}

TEST(KeyScript, AKeyIsHeldFromItsDownFrameUpToItsUpFrame) {
    TKeyScriptPlayer player(ParseKeyScript("2 left down\n5 left up\n5 cancel down\n"));
    std::string held;
    for (int frame = 0; frame < 7; ++frame) {
        const TKeyState keys = player.KeysAt(frame);
        held += keys.Held(TGameKey::Left) ? 'L' : keys.Held(TGameKey::Cancel) ? 'C' : '.';
    }
    EXPECT_EQ(held, "..LLLCC");
}

TEST(GameInput, APressCountsOnceAndAHeldKeyRepeatsAfterItsDelay) {
    TGameInput input;
    TKeyState down;
    down.Set(TGameKey::Down, true);
    std::vector<int> repeats;
    for (int frame = 1; frame <= 40; ++frame) {
        input.Update(down);
        if (input.Repeated(TGameKey::Down)) repeats.push_back(frame);
        EXPECT_EQ(input.Pressed(TGameKey::Down), frame == 1);
    }
    EXPECT_EQ(repeats, (std::vector<int>{1, 25, 31, 37}));
    // Cleared keys are not pressed again while they stay down.
    input.Update(TKeyState());
    input.Update(down);
    input.Clear();
    EXPECT_FALSE(input.Pressed(TGameKey::Down));
    EXPECT_TRUE(input.Held(TGameKey::Down));
}

TEST(GameInput, TheHeroWalksTheWayOfTheArrowPressedLast) {
    TGameInput input;
    TKeyState keys;
    keys.Set(TGameKey::Up, true);
    input.Update(keys);
    EXPECT_EQ(input.Direction(), 0);
    keys.Set(TGameKey::Left, true);
    input.Update(keys);
    EXPECT_EQ(input.Direction(), 3);
    keys.Set(TGameKey::Left, false);
    input.Update(keys);
    EXPECT_EQ(input.Direction(), 0);
    input.Update(TKeyState());
    EXPECT_EQ(input.Direction(), -1);
}
