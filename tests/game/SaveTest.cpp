// Saved games: what a save holds comes back on a load, a script saved in the middle goes on after
// the load, a broken file changes nothing; the menu and the screens that save and load.
#include <gtest/gtest.h>

#include "GameFixture.h"
#include "game/GameSave.h"
#include "records/CatalogBase.h"

using namespace tarvel;
using namespace tarvel::game;
using namespace tarvel::game::test;

namespace {

// Everything the headless state shows, and more, as one comparable text.
std::string Describe(TGame& game) {
    std::string s = "map " + std::to_string(game.Map() ? game.Map()->ID() : 0) + " at " +
                    std::to_string(game.Hero().X()) + "," + std::to_string(game.Hero().Y()) + " facing " +
                    std::to_string(game.Hero().Direction()) + "\n";
    const TGameState& state = game.State();
    for (int i = 1; i <= state.SwitchCount(); ++i)
        s += state.Switch(i) ? '1' : '0';
    s += "\n";
    for (int i = 1; i <= state.VariableCount(); ++i)
        s += std::to_string(state.Variable(i)) + " ";
    s += "\nmoney " + std::to_string(state.party.Money()) + " items";
    for (const auto& [id, count] : state.party.Items())
        s += " " + std::to_string(id) + "x" + std::to_string(count);
    s += "\nparty";
    for (int32_t id : state.party.Members()) {
        const TGameHero& h = *game.State().party.Hero(id);
        s += " " + h.name + " L" + std::to_string(h.level) + " HP" + std::to_string(h.hp);
    }
    s += "\nevents";
    if (game.Map())
        for (const auto& e : game.Map()->Events())
            s += " " + std::to_string(e->ID()) + "@" + std::to_string(e->X()) + "," + std::to_string(e->Y()) +
                 "p" + std::to_string(e->Page()) + (e->Erased() ? "x" : "");
    s += "\nmusic " + state.music.FileName + " tone " + std::to_string(game.Screen().Tone().red);
    s += " picture " + game.Screen().Pictures()[0].name;
    return s;
}

// A game on map 1 whose script changes all kinds of things, then saves through the save screen
// (file 1), then counts variable 7 up after the save.
struct SavedGame {
    SavedGame()
        : run({Line(10210, {1, 1, 3, 0}),                                   // switches 1..3
               SetVariable(2, 0, 0, -77), Line(10320, {0, 0, 4, 0, 3}),     // 3 of item 4
               Line(10310, {0, 0, 1234}), Line(10410, {0, 0, 0, 0, 50, 0}), // 50 experience
               Line(10860, {2, 0, 9, 4}),                                   // event 2 to (9, 4)
               Line(12330, {1, 3, 1}),                                      // event 3 erases itself
               Line(10810, {2, 6, 7}),                                      // to map 2
               Line(11030, {50, 100, 100, 100, 0, 0}),
               Line(11110, {1, 0, 160, 120, 0, 100, 0, 1, 100, 100, 100, 100, 0, 0}, "Moon"),
               Line(11510, {0, 100, 100, 50}, "Night"), Line(11910), SetVariable(7, 1, 0, 1)}) {
        run.f.AddEvent(1, 2, 4, 4).CharName = "People1";
        TGameFixture::SetScript(run.f.AddEvent(1, 3, 8, 8), {Line(12320)});
        TQelEventPageItem& walker = run.f.AddEvent(2, 1, 3, 3);
        walker.CharName = "People1";
        walker.MoveType = mtRoute;
        walker.MoveFrequency = 8;
        walker.MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcRight));
        walker.MoveRoute.Add(std::make_unique<TQelMoveRouteItem>(mcLeft));
        game = &run.Start(2);
        run.f.Wait(80); // the teleport's erase and show
    }
    ScriptRun run;
    TGame* game = nullptr;
};

} // namespace

TEST(SavedGames, ALoadBringsBackWhatWasSavedAndTheScriptGoesOn) {
    SavedGame saved;
    TGame& game = *saved.game;
    ASSERT_EQ(game.Scene(), TScene::Save);
    ASSERT_EQ(game.Map()->ID(), 2);
    // The key that saves: the game is saved in this frame, the script goes on in the next.
    saved.run.f.Hold({TGameKey::Decide}, 1);
    ASSERT_TRUE(saved.run.f.Saves().Exists(1));
    const std::string atSave = Describe(game);
    const int64_t frameAfterSave = game.Frame();

    // Another game of the same project loads it.
    TGame other(saved.run.f.Data(), saved.run.f.Sound(), saved.run.f.Saves());
    other.Start(true);
    ASSERT_TRUE(other.LoadGame(1));
    EXPECT_EQ(other.Scene(), TScene::Map);
    EXPECT_EQ(Describe(other), atSave);
    EXPECT_EQ(other.State().saveCount, 1);
    EXPECT_EQ(other.Frame(), frameAfterSave - 1);
    EXPECT_EQ(other.State().Variable(7), 0);
    // The script was waiting for the save screen: it goes on after the load as it does in the game
    // that saved, and the walker walks the same steps in both.
    TKeyState none;
    for (int i = 0; i < 41; ++i) {
        game.Step(none);
        other.Step(none);
        ASSERT_EQ(Describe(other), Describe(game)) << "frame " << i;
    }
    EXPECT_EQ(other.State().Variable(7), 1);
    EXPECT_EQ(other.Map()->EventByID(1)->RealX(), game.Map()->EventByID(1)->RealX());
}

TEST(SavedGames, TheFileIsChunkEncodedBehindItsHeaderAndItsSummaryIsRead) {
    SavedGame saved;
    saved.run.f.Press(TGameKey::Decide);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(saved.run.f.Saves().Read(1, bytes));
    TMemoryStream stream(bytes);
    EXPECT_EQ(ReadVarString(stream), "TarvelSave");
    TSaveSummary summary;
    ASSERT_TRUE(ReadSaveSummary(bytes, summary));
    EXPECT_EQ(summary.leaderName, "Aren");
    EXPECT_EQ(summary.leaderLevel, 2);
    EXPECT_EQ(summary.mapID, 2);
    EXPECT_EQ(saved.game->SlotText(1), " 1  Aren   2");
    EXPECT_EQ(saved.game->SlotText(2), " 2  -");
}

TEST(SavedGames, ABrokenOrForeignFileIsNotLoadedAndChangesNothing) {
    SavedGame saved;
    saved.run.f.Press(TGameKey::Decide);
    std::vector<uint8_t> good;
    saved.run.f.Saves().Read(1, good);
    TGame& game = *saved.game;
    game.State().SetVariable(9, 5);
    const std::string before = Describe(game);
    std::vector<std::vector<uint8_t>> broken = {
        {},
        {10, 'N', 'o', 't', 'A', 'S', 'a', 'v', 'e', '!', 0},
        std::vector<uint8_t>(good.begin(), good.begin() + long(good.size() / 2)),
        std::vector<uint8_t>(good.begin(), good.end() - 1),
    };
    for (size_t i = 0; i < broken.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(game.LoadBytes(broken[i]));
        EXPECT_EQ(Describe(game), before);
    }
    EXPECT_TRUE(game.LoadBytes(good));
    EXPECT_EQ(game.State().Variable(9), 0);
}

TEST(Menu, ItListsTheItemsAndSavesEndsOrGoesBack) {
    ScriptRun run({Line(10320, {0, 0, 2, 0, 3})});
    run.f.DataBase().Items().Find(2)->Name = "Potion";
    run.f.DataBase().Vocabulary().SetText(voItems, "Items");
    TGame& game = run.Start();
    run.f.Press(TGameKey::Cancel);
    ASSERT_EQ(game.Scene(), TScene::Menu);
    EXPECT_EQ(game.MenuList().Items()[0], "Items");
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(game.MenuPage(), 1);
    EXPECT_EQ(game.SubList().Items(), std::vector<std::string>{"Potion\t3"});
    run.f.Press(TGameKey::Cancel);
    EXPECT_EQ(game.MenuPage(), 0);
    // Save: the save screen, back to the menu with cancel.
    run.f.Press(TGameKey::Down);
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(game.Scene(), TScene::Save);
    run.f.Press(TGameKey::Cancel);
    EXPECT_EQ(game.Scene(), TScene::Menu);
    // End the game: asked first; yes goes to the title.
    run.f.Press(TGameKey::Down);
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(game.MenuPage(), 2);
    run.f.Press(TGameKey::Up);
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(game.Scene(), TScene::Title);
    EXPECT_FALSE(run.f.Saves().Exists(1));
}

// Medicine from the menu: a potion for the hero chosen, a revival only for the fallen, an elixir of
// limitless use for the whole party; goods are listed but not used.
TEST(Menu, MedicineTreatsTheHeroChosenOrTheWholePartyAndIsUsedUp) {
    ScriptRun run({Line(10330, {0, 0, 2}), Line(10320, {0, 0, 1, 0, 1}), Line(10320, {0, 0, 2, 0, 2}),
                   Line(10320, {0, 0, 3, 0, 1}), Line(10320, {0, 0, 4, 0, 1})});
    TQelDataBase& db = run.f.DataBase();
    TQelDataBase::ResetList(db.Heroes(), 2);
    TQelItemItem& potion = *db.Items().Find(2);
    potion.ItemType = itMedicine;
    potion.Recovery[1] = 5; // HP points
    TQelItemItem& elixir = *db.Items().Find(3);
    elixir.ItemType = itMedicine;
    elixir.EntireParty = 1;
    elixir.Recovery[0] = 100; // HP percent
    elixir.Recovery[2] = 100; // MP percent
    elixir.Uses = 0;
    TQelItemItem& revival = *db.Items().Find(4);
    revival.ItemType = itMedicine;
    revival.DeadOnly = true;
    revival.Recovery[0] = 50;
    TGame& game = run.Start();
    TGameParty& party = game.State().party;
    ASSERT_EQ(party.Members(), (std::vector<int32_t>{1, 2}));
    TGameHero& aren = *party.Hero(1);
    TGameHero& second = *party.Hero(2);
    const int32_t maxHP = party.MaxHP(aren);
    ASSERT_GT(maxHP, 10);
    party.SetHP(aren, 1, false);
    party.SetMP(aren, 0);
    party.SetHP(second, 0, true);

    run.f.Press(TGameKey::Cancel);
    run.f.Press(TGameKey::Decide);
    ASSERT_EQ(game.MenuPage(), 1);
    EXPECT_FALSE(game.SubList().Enabled(0)); // goods
    EXPECT_TRUE(game.SubList().Enabled(1));
    // The potion on the first hero; then on the fallen one it does nothing.
    run.f.Press(TGameKey::Down);
    run.f.Press(TGameKey::Decide);
    ASSERT_EQ(game.MenuPage(), 3);
    EXPECT_EQ(game.TargetList().Count(), 2);
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(aren.hp, 6);
    EXPECT_EQ(party.ItemCount(2), 1);
    run.f.Press(TGameKey::Down);
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(second.hp, 0);
    EXPECT_EQ(party.ItemCount(2), 1);
    EXPECT_EQ(game.MenuPage(), 3);
    run.f.Press(TGameKey::Cancel);
    ASSERT_EQ(game.MenuPage(), 1);
    // The revival does nothing to a standing hero and raises the fallen one; the last one used,
    // the items come back without it.
    run.f.Press(TGameKey::Down);
    run.f.Press(TGameKey::Down);
    run.f.Press(TGameKey::Decide);
    ASSERT_EQ(game.MenuPage(), 3);
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(party.ItemCount(4), 1);
    run.f.Press(TGameKey::Down);
    run.f.Press(TGameKey::Decide);
    EXPECT_FALSE(party.HasCondition(second, kFallenCondition));
    EXPECT_EQ(second.hp, std::max(1, party.MaxHP(second) / 2));
    EXPECT_EQ(party.ItemCount(4), 0);
    ASSERT_EQ(game.MenuPage(), 1);
    ASSERT_EQ(game.SubList().Count(), 3);
    // The elixir treats everyone at once and stays; with nobody left to treat it is refused.
    EXPECT_EQ(game.SubList().Cursor(), 2);
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(aren.hp, maxHP);
    EXPECT_EQ(aren.mp, party.MaxMP(aren));
    EXPECT_EQ(second.hp, party.MaxHP(second));
    EXPECT_EQ(party.ItemCount(3), 1);
    const uint64_t version = party.Version();
    run.f.Press(TGameKey::Decide);
    EXPECT_EQ(party.Version(), version);
    EXPECT_EQ(game.MenuPage(), 1);
}

TEST(Menu, SavingIsOffWhereTheMapOrAScriptSaysSo) {
    struct Case {
        uint8_t saveMode;
        bool scriptDisables;
        bool enabled;
    };
    const Case cases[] = {{2, false, true}, {1, false, false}, {2, true, false}, {0, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saveMode * 10 + c.scriptDisables);
        ScriptRun run(c.scriptDisables ? std::vector<TQelEventScriptLine>{Line(11930, {0})}
                                       : std::vector<TQelEventScriptLine>{});
        run.f.Data().Tree().Find(1)->SaveMode = c.saveMode;
        TGame& game = run.Start();
        run.f.Press(TGameKey::Cancel);
        ASSERT_EQ(game.Scene(), TScene::Menu);
        EXPECT_EQ(game.MenuList().Enabled(1), c.enabled);
    }
}

TEST(Title, ContinueLoadsASavedGameAndShutdownEnds) {
    SavedGame saved;
    saved.run.f.Press(TGameKey::Decide);
    TGame title(saved.run.f.Data(), saved.run.f.Sound(), saved.run.f.Saves());
    title.Start(true);
    ASSERT_EQ(title.Scene(), TScene::Title);
    // With a saved game the cursor starts on "Continue".
    EXPECT_EQ(title.TitleList().Cursor(), 1);
    TKeyState decide, none;
    decide.Set(TGameKey::Decide, true);
    title.Step(decide);
    title.Step(none);
    ASSERT_EQ(title.Scene(), TScene::Load);
    EXPECT_TRUE(title.SlotList().Enabled(0));
    EXPECT_FALSE(title.SlotList().Enabled(1));
    title.Step(decide);
    title.Step(none);
    EXPECT_EQ(title.Scene(), TScene::Map);
    EXPECT_EQ(title.Map()->ID(), 2);

    TGameFixture empty;
    empty.AddMap(1);
    TGame& fresh = empty.Start(1, 1, 1);
    fresh.ToTitle();
    empty.Wait(1);
    ASSERT_EQ(fresh.Scene(), TScene::Title);
    EXPECT_FALSE(fresh.TitleList().Enabled(1));
    EXPECT_EQ(fresh.TitleList().Cursor(), 0);
    empty.Press(TGameKey::Up); // wraps to "Shutdown"
    empty.Press(TGameKey::Decide);
    EXPECT_TRUE(fresh.Ended());
}
