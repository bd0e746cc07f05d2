// The display text of every command code: typical parameters, the values that choose each word,
// the lookups with their "?" fallbacks, and the edge cases the script list depends on.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <vector>

#include "ScriptFixture.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

enum class Where { Map, Battle };

struct Case {
    Where where;
    int32_t code;
    std::vector<int32_t> params;
    std::string text;
    std::string expected;
};

std::string describe(const ScriptFixture& f, Where where, const TQelEventScriptLine& line) {
    TEventScriptConverter converter(where == Where::Map ? f.mapContext() : f.battleContext());
    return converter.DescribeLine(line);
}

void runCases(const std::vector<Case>& cases) {
    ScriptFixture f;
    for (const Case& c : cases) {
        TQelEventScriptLine line(c.code, 0, c.text, c.params);
        EXPECT_EQ(describe(f, c.where, line), c.expected) << "code " << c.code;
    }
}

constexpr Where M = Where::Map;
constexpr Where B = Where::Battle;

TEST(EventScriptConverter, MessagesChoicesAndSwitches) {
    runCases({
        {M, 0, {}, "", "<>"},
        {M, 10, {}, "", "<>"},
        {M, 10110, {}, "Hello there", "<>Messg:Hello there"},
        {M, 20110, {}, "second line", ":      :second line"},
        {M, 22410, {}, "more notes", ":      :more notes"},
        {M, 10120, {0, 0, 0, 0}, "", "<>Set Message Options:Norml,Top,Fixed,Events Moves Ban"},
        {M, 10120, {1, 1, 1, 1}, "", "<>Set Message Options:Trnsp,Mid,AuScrlEvents Can Moves"},
        {M, 10120, {0, 2, 0, 1}, "", "<>Set Message Options:Norml,Bot,Fixed,Events Can Moves"},
        {M, 10130, {3, 1, 1}, "", "<>Set Face Graphic to:  Eras"},
        {M, 10130, {0, 0, 0}, "Face1", "<>Set Face Graphic to:  Face1, 1, Lft,Normal  "},
        {M, 10130, {3, 1, 1}, "Face1", "<>Set Face Graphic to:  Face1, 4, Rgt,Mirrored"},
        {M, 10140, {2}, "Yes/No", "<>Show Choices: Yes/No"},
        {M, 20140, {0}, "Yes", ":[Yes] Case  "},
        {M, 20140, {3}, "Maybe", ":[Maybe] Case  "},
        {M, 20140, {4}, "", ": Cancel Case     "},
        {M, 20141, {}, "", ":End Case "},
        {M, 20713, {}, "", ":End Case "},
        {M, 20722, {}, "", ":End Case "},
        {M, 20732, {}, "", ":End Case "},
        {M, 22011, {}, "", ":End Case "},
        {M, 23311, {}, "", ":End Case "},
        {M, 10150, {3, 1}, "", "<>Input Number:   3Col.[0001:Gold]"},
        {M, 10150, {6, 2}, "", "<>Input Number:   6Col.[0002]"},
        {M, 10150, {1, 99}, "", "<>Input Number:   1Col.[?]"},
        {M, 10210, {0, 1, 1, 0}, "", "<>Change Switch:  [0001:Door]-ON Set   "},
        {M, 10210, {1, 3, 12, 1}, "", "<>Change Switch:  [0003*0012] -OFF Set   "},
        {M, 10210, {2, 7, 0, 2}, "", "<>Change Switch:  [V[0007]]-ON/OFF Triger"},
        {M, 10210, {0, 2, 2, 3}, "", "<>Change Switch:  [0002]"},
    });
}

TEST(EventScriptConverter, VariableOperations) {
    runCases({
        {M, 10220, {0, 1, 1, 0, 0, 5, 0}, "", "<>Variable Op:[0001:Gold] Set, 5"},
        {M, 10220, {0, 1, 1, 0, 0, -999999, 0}, "", "<>Variable Op:[0001:Gold] Set, -999999"},
        {M, 10220, {1, 2, 4, 1, 1, 3, 0}, "", "<>Variable Op:[0002*0004]  +  , Var.[0003]val."},
        {M, 10220, {2, 5, 0, 2, 2, 6, 0}, "", "<>Variable Op:[V[0005]] -  , Var.[V[0006]]val."},
        {M, 10220, {0, 1, 1, 3, 3, -5, 10}, "", "<>Variable Op:[0001:Gold] *  , Randm[-5*10]"},
        {M, 10220, {0, 1, 1, 4, 4, 2, 0}, "", "<>Variable Op:[0001:Gold]Div , SwordHold Num"},
        {M, 10220, {0, 1, 1, 5, 4, 2, 1}, "", "<>Variable Op:[0001:Gold]Bala, SwordEquipmNm"},
        {M, 10220, {0, 1, 1, 0, 4, 7, 0}, "", "<>Variable Op:[0001:Gold] Set, ?Hold Num"},
        {M, 10220, {0, 1, 1, 0, 5, 1, 0}, "", "<>Variable Op:[0001:Gold] Set, Alex  Level "},
        {M, 10220, {0, 1, 1, 0, 5, 2, 1}, "", "<>Variable Op:[0001:Gold] Set, Brian  EXP   "},
        {M, 10220, {0, 1, 1, 0, 5, 1, 7}, "", "<>Variable Op:[0001:Gold] Set, Alex  Defenc"},
        {M, 10220, {0, 1, 1, 0, 5, 1, 10}, "", "<>Variable Op:[0001:Gold] Set, Alex  Weapon."},
        {M, 10220, {0, 1, 1, 0, 5, 1, 14}, "", "<>Variable Op:[0001:Gold] Set, Alex  Other No."},
        {M, 10220, {0, 1, 1, 0, 5, 1, 15}, "", "<>Variable Op:[0001:Gold] Set, Alex  "},
        {M, 10220, {0, 1, 1, 0, 6, 10001, 0}, "", "<>Variable Op:[0001:Gold] Set, Hero    Map ID  "},
        {M, 10220, {0, 1, 1, 0, 6, 1, 3}, "", "<>Variable Op:[0001:Gold] Set, Guard  Dire"},
        {M, 10220, {0, 1, 1, 0, 6, 10005, 5}, "", "<>Variable Op:[0001:Gold] Set,  this Event   PicsY"},
        {M, 10220, {0, 1, 1, 0, 7, 0, 0}, "", "<>Variable Op:[0001:Gold] Set, Money#"},
        {M, 10220, {0, 1, 1, 0, 7, 1, 0}, "", "<>Variable Op:[0001:Gold] Set, Timer Time Remain "},
        {M, 10220, {0, 1, 1, 0, 7, 7, 0}, "", "<>Variable Op:[0001:Gold] Set, Fight # "},
        {M, 10220, {0, 1, 1, 0, 7, 8, 0}, "", "<>Variable Op:[0001:Gold] Set, MIDI Play Pos.(Tick)"},
        {B, 10220, {0, 1, 1, 0, 8, 1, 0}, "", "<>Variable Op:[0001:Gold] Set, 2:Bat  HP"},
        {B, 10220, {0, 1, 1, 0, 8, 0, 7}, "", "<>Variable Op:[0001:Gold] Set, 1:Slime  Agilit"},
        {M, 10220, {0, 1, 1, 0, 9, 1, 0}, "", "<>Variable Op:[0001:Gold] Set, "},
        {M, 10230, {1}, "", "<>Timer Operation:StartTmr"},
        {M, 10230, {2}, "", "<>Timer Operation:StopTimr"},
        {M, 10230, {0, 0, 125}, "", "<>Timer Operation:Cost Creat2m.05s."},
        {M, 10230, {0, 0, 5999}, "", "<>Timer Operation:Cost Creat99m.59s."},
        {M, 10230, {0, 1, 4}, "", "<>Timer Operation:Cost CreatV[0004]"},
    });
}

TEST(EventScriptConverter, PartyAndHeroCommands) {
    runCases({
        {M, 10310, {0, 0, 100}, "", "<>Change Money: OwnMoney100Incr. "},
        {M, 10310, {1, 1, 3}, "", "<>Change Money: OwnMoneyV[0003]Decrem"},
        {M, 10320, {0, 0, 1, 0, 5}, "", "<>Add/Remove Item:Potion->5Incr. "},
        {M, 10320, {1, 1, 7, 1, 8}, "", "<>Add/Remove Item:V[0007]->V[0008]Decrem"},
        {M, 10330, {0, 0, 2}, "", "<>Change Heroes Party:Brian->Add   "},
        {M, 10330, {1, 1, 4}, "", "<>Change Heroes Party:V[0004]->Remv"},
        {M, 10410, {0, 0, 0, 0, 100, 1}, "", "<>Change EXP:   All Members  EXP -    100Incr. "},
        {M, 10410, {1, 1, 1, 1, 5, 0}, "", "<>Change EXP:   Alex EXP -    V[0005]Decrem"},
        {M, 10420, {2, 3, 0, 0, 2, 0}, "", "<>Change Level: V[0003] Level -  2Raise "},
        {M, 10420, {1, 2, 1, 0, 1, 0}, "", "<>Change Level: Brian Level -  1 Hang "},
        {M, 10430, {1, 2, 1, 5, 0, 10}, "", "<>Chang.Ability:Brian  Agilit->10 Hang "},
        {M, 10430, {0, 0, 0, 0, 1, 9}, "", "<>Chang.Ability:All Members   Max HP->V[0009]Raise "},
        {M, 10430, {1, 1, 0, 4, 0, 3}, "", "<>Chang.Ability:Alex  Mind  ->3Raise "},
        {M, 10440, {1, 1, 0, 0, 1}, "", "<>Change T.Skills:Alex- Heal->Memory"},
        {M, 10440, {0, 0, 1, 1, 3}, "", "<>Change T.Skills:All Members - V[0003]->Forget"},
        {M, 10450, {1, 1, 0, 0, 2}, "", "<>Equipment:  Alex- SwordEquipment-"},
        {M, 10450, {1, 1, 0, 1, 6}, "", "<>Equipment:  Alex- V[0006]Equipment-"},
        {M, 10450, {1, 1, 1, 0, 0}, "", "<>Equipment:  Alex- Arms RemovEquipm"},
        {M, 10450, {1, 1, 1, 1, 0}, "", "<>Equipment:  Alex- Sh RemovEquipm"},
        {M, 10450, {1, 1, 1, 4, 0}, "", "<>Equipment:  Alex- Other  RemovEquipm"},
        {M, 10450, {1, 1, 1, 5, 0}, "", "<>Equipment:  Alex- All    RemovEquipm"},
        {M, 10460, {0, 0, 0, 0, 50, 0}, "", "<>HP Change:All Members  HP - 50Recovery  "},
        {M, 10460, {1, 2, 1, 1, 4, 1}, "", "<>HP Change:Brian HP - V[0004]Decrem"},
        {M, 10470, {2, 8, 0, 0, 7}, "", "<>MP Change:V[0008] MP - 7Recovery  "},
        {M, 10470, {1, 1, 1, 0, 9}, "", "<>MP Change:Alex MP - 9Decrem"},
        {M, 10480, {1, 1, 0, 2}, "", "<>Condition:  Alex->PoisonCondition "},
        {M, 10480, {0, 0, 1, 1}, "", "<>Condition:  All Members   Death Cancel   "},
        {M, 10480, {1, 1, 0, 5}, "", "<>Condition:  Alex->?Condition "},
        {M, 10490, {0, 0}, "", "<>Recover:All Members All Party   "},
        {M, 10490, {1, 2}, "", "<>Recover:BrianAll Party   "},
        {M, 10490, {1, 3}, "", "<>Recover:?All Party   "},
        {M, 10500, {1, 1, 120, 100, 0, 5, 0, 0}, "", "<>Take Damage:    AlexAttack 120 Damage    "},
        {M, 10610, {1}, "Al", "<>Change Hero Name: Alex Name - Al Set  "},
        {M, 10620, {2}, "Knight", "<>Change Hero Degree: Brian Degree - Knight Set  "},
        {M, 10630, {1, 3, 0}, "Actor1", "<>Set Hero's Walk Graphics:     Alex->Actor1-4 Set  "},
        {M, 10640, {2, 0}, "Face1", "<>Set Hero's Face Graphics:   Brian->Face1-1 Set  "},
        {M, 10650, {2, 1}, "Ship1", "<>Change Vehicle Graphics:  Airshp->Ship1-2 Set  "},
        {M, 10650, {0, 0}, "Boat1", "<>Change Vehicle Graphics:  Boat  ->Boat1-1 Set  "},
        {M, 10660, {0, 0, 100, 100, 50}, "Battle2", "<>Change System BGM: Batl->Battle2 Set  "},
        {M, 10660, {6, 0, 100, 100, 50}, "Over", "<>Change System BGM: Game Over     ->Over Set  "},
        {M, 10670, {1, 100, 100, 50}, "Bell", "<>Change System SE:     Dcid->Bell Set  "},
        {M, 10670, {11, 100, 100, 50}, "Bell", "<>Change System SE:     Item Use    ->Bell Set  "},
        {M, 10680, {0, 1}, "System2", "<>Change System Graphics:     System2"},
        {M, 10740, {2, 0, 1}, "", "<>Enter Name:     Brian"},
    });
}

TEST(EventScriptConverter, TransitionsAndErasedScreens) {
    runCases({
        {M, 10690, {0, 0}, "", "<>Set Scrn. Exchange Type:Teleport/Eras, Fade-Out      "},
        // Erase type 13 ends in the byte 0x84 that the system's own table has.
        {M, 10690, {0, 13}, "", "<>Set Scrn. Exchange Type:Teleport/Eras, Hi-LowDiv\x84"},
        {M, 10690, {1, -1}, "", "<>Set Scrn. Exchange Type:Teleport/Show, Set Move Place"},
        {M, 10690, {2, 20}, "", "<>Set Scrn. Exchange Type:BattleSt/Eras, Leave     "},
        {M, 10690, {3, 12}, "", "<>Set Scrn. Exchange Type:BattlStr/Show, Empty LeftScroll"},
        {M, 10690, {4, 3}, "", "<>Set Scrn. Exchange Type:BattlEnd/Eras, Random blocks Down    "},
        {M, 10690, {5, 20}, "", "<>Set Scrn. Exchange Type:BattlEnd/Show, "},
        // No situation word and no type name for p0 = -1, only the prefix and the separator.
        {M, 10690, {-1, 5}, "", "<>Set Scrn. Exchange Type:, "},
        {M, 11010, {-1}, "", "<>Erase Scren:CreatMovePlace"},
        {M, 11010, {13}, "", "<>Erase Scren:Hi-LowDiv\x84"},
        {M, 11010, {19}, "", "<>Erase Scren:Instant "},
        {M, 11010, {20}, "", "<>Erase Scren:Leave     "},
        {M, 11010, {21}, "", "<>Erase Scren:"},
        {M, 11010, {-2}, "", "<>Erase Scren:"},
        {M, 11020, {-1}, "", "<>Show Screen:Set Move Place"},
        {M, 11020, {1}, "", "<>Show Screen:Random Blocks Whole   "},
        {M, 11020, {14}, "", "<>Show Screen:HorisontComb"},
        {M, 11020, {19}, "", "<>Show Screen:Instant "},
        {M, 11020, {20}, "", "<>Show Screen:"},
    });
    ScriptFixture f;
    std::string hiLow = describe(f, M, TQelEventScriptLine(11010, 0, "", {13}));
    EXPECT_EQ(hiLow.size(), std::string("<>Erase Scren:").size() + 10);
    EXPECT_EQ(static_cast<unsigned char>(hiLow.back()), 0x84);
}

TEST(EventScriptConverter, BattlesShopsInnsAndPlaces) {
    runCases({
        {M, 10710, {0, 1, 0, 0, 0, 0}, "", "<>Strt Combat:Slime*2"},
        {M, 10710, {1, 4, 1, 2, 1, 1}, "Back", "<>Strt Combat:V[0004], Back, PreemptA"},
        {M, 10710, {0, 2, 0, 0, 0, 1}, "Back", "<>Strt Combat:?, PreemptA"},
        {M, 20710, {}, "", ":VictoryCase"},
        {M, 20711, {}, "", ":Escape Case"},
        {M, 20712, {}, "", ":Defeat Case"},
        {M, 10720, {0, 0, 1, 0, 1, 2}, "", "<>Call Shop:  Potion, Sword"},
        {M, 10720, {1, 2, 0, 0, 3}, "", "<>Call Shop:  (Purchase) Shield"},
        {M, 10720, {0, 0, 0, 0, 1, 99}, "", "<>Call Shop:  Potion, ?"},
        {M, 10720, {0, 0, 0, 0}, "", "<>Call Shop:  "},
        // A sell-only shop lists no goods, even when it carries item parameters.
        {M, 10720, {2, 0, 0, 0, 1, 2}, "", "<>Call Shop:  (Sell)     "},
        {M, 20720, {}, "", ":Trade Case   "},
        {M, 20721, {}, "", ":Trade Case??   "},
        {M, 10730, {0, 150, 1}, "", "<>Call Inn:   LodgCost150"},
        {M, 20730, {}, "", ":Lodging Case "},
        {M, 20731, {}, "", ":Lodging Case?? "},
        {M, 10810, {2, 5, 17}, "", "<>Teleport: 0002:Town (005,017)"},
        {M, 10810, {7, 0, 0}, "", "<>Teleport: 0007:? (000,000)"},
        {M, 10810, {0, 1, 2}, "", "<>Teleport: 0000:? (001,002)"},
        {M, 10810, {-3, 1, 2}, "", "<>Teleport: -0003:? (001,002)"},
        {M, 10820, {1, 2, 3}, "", "<>Memorize Place:   [0001], [0002], [0003]"},
        {M, 10830, {1, 2, 3}, "", "<>Goto Memorized Plac:V[0001] (V[0002],V[0003])"},
        {M, 10840, {}, "", "<>Ride Vehicl:"},
        {M, 10850, {1, 0, 1, 10, 12}, "", "<>Set Vehicles Origin:Ship  , 0001:World (010,012)"},
        {M, 10850, {0, 1, 4, 5, 6}, "", "<>Set Vehicles Origin:Boat  , V[0004] (V[0005],V[0006])"},
        {M, 10860, {1, 0, 3, 4}, "", "<>Set Event's Place:    Guard, (003,004)"},
        {M, 10860, {10005, 1, 8, 9}, "", "<>Set Event's Place:     this Event , (V[0008],V[0009])"},
        {M, 10870, {10001, 3}, "", "<>Swap 2 Events:        Hero  , Chest (renamed)"},
        {M, 10870, {2, 10004}, "", "<>Swap 2 Events:        ?, Airshp"},
        {M, 10870, {10002, 10003}, "", "<>Swap 2 Events:        Boat  , Ship  "},
        {M, 10910, {0, 3, 4, 1}, "", "<>Set Terrain's ID:     (003,004), [0001:Gold]"},
        {M, 10920, {1, 5, 6, 2}, "", "<>Set Event's ID:           (V[0005],V[0006]), [0002]"},
    });
}

TEST(EventScriptConverter, ScreenPicturesAndSound) {
    runCases({
        {M, 11030, {100, 50, 0, 200, 15, 1}, "", "<>Set Screen Tone:(R100,G050,B000,S200),1.5sec(W)"},
        {M, 11030, {100, 100, 100, 100, 10, 0}, "", "<>Set Screen Tone:(R100,G100,B100,S100),1.0sec"},
        {M, 11040, {31, 0, 5, 16, 7, 0}, "", "<>Flash Screen:     (R31,G00,B05,V16),0.7sec"},
        {M, 11050, {5, 9, 30, 1}, "", "<>Shake Screen:   Pow.5,Speed 9,3.0s.(W)"},
        {M, 11060, {0, 0, 0, 0, 0}, "", "<>Pan Screen:       Fixed   "},
        {M, 11060, {1, 0, 0, 0, 0}, "", "<>Pan Screen:       Cancel Fixatio"},
        {M, 11060, {2, 3, 10, 4, 1}, "", "<>Pan Screen:       Lf- 10Delay,  Rate4(W)"},
        {M, 11060, {2, 1, 1, 6, 0}, "", "<>Pan Screen:       Rt- 1Delay,  Rate6"},
        {M, 11060, {3, 0, 0, 5, 0}, "", "<>Pan Screen:       Restore Origin PRate5"},
        {M, 11070, {0, 2}, "", "<>Set Weather Effect:   None"},
        {M, 11070, {1, 0}, "", "<>Set Weather Effect:   Ra, Lo"},
        {M, 11070, {2, 1}, "", "<>Set Weather Effect:   Sn, Mi"},
        {M, 11070, {2, 2}, "", "<>Set Weather Effect:   Sn, Hi"},
        {M,
         11110,
         {3, 0, 160, 120, 0, 100, 0, 1, 100, 100, 100, 100, 0, 0},
         "Pic",
         "<>Show Picture:     3, Pic, (160,120)"},
        {M, 11110, {1, 0, -640, 720}, "Pic", "<>Show Picture:     1, Pic, (-640,720)"},
        {M, 11110, {20, 1, 4, 5}, "Pic", "<>Show Picture:     20, Pic, (V[0004],V[0005])"},
        {M,
         11120,
         {2, 0, 10, -20, 0, 100, 0, 0, 100, 100, 100, 100, 0, 0, 25, 1},
         "",
         "<>Move Picture:     2, (10,-20),2.5sec(W)"},
        {M, 11120, {2, 1, 3, 4}, "", "<>Move Picture:     2, (V[0003],V[0004]),0.0sec"},
        {M, 11130, {7}, "", "<>Erase Picture:    7"},
        {M, 11210, {1, 10005, 1, 0}, "", "<>Show Battle Anim.:Slash,  this Event (W)"},
        {M, 11210, {4, 1, 0, 1}, "", "<>Show Battle Anim.:?, Guard"},
        {M, 11310, {0}, "", "<>Set Hero's Opacity:   Translucent   "},
        {M, 11310, {1}, "", "<>Set Hero's Opacity:   Non Transparent   "},
        {M, 11320, {10001, 31, 0, 0, 20, 12, 1}, "", "<>Flash Character:          Hero  , 1.2s.(W)"},
        {M, 11340, {}, "", "<>Move All        "},
        {M, 11350, {}, "", "<>Stop All        "},
        {M, 11410, {25}, "", "<>Wait:     2.5s."},
        {M, 11410, {0}, "", "<>Wait:     0.0s."},
        {M, 11510, {0, 100, 100, 50}, "Town", "<>Play BGM:  Town"},
        {M, 11520, {5000}, "", "<>Fade-out BGM:        5s."},
        {M, 11520, {2500}, "", "<>Fade-out BGM:        2s."},
        {M, 11530, {}, "", "<>Memorize BGM   "},
        {M, 11540, {}, "", "<>Play Memrized BGM"},
        {M, 11550, {100, 100, 50}, "Bell", "<>Play SE:      Bell"},
        {M, 11560, {0, 10, 20, 320, 240}, "Intro", "<>Play Movie:     Intro, (10,20), (320,240)"},
        {M, 11560, {1, 3, 4, 100, 50}, "Intro", "<>Play Movie:     Intro, (V[0003],V[0004]), (100,50)"},
        {M, 11610, {1, 1, 1, 1, 1}, "", "<>Enter Password: [0001:Gold]"},
    });
}

TEST(EventScriptConverter, MapSystemAndFlowCommands) {
    runCases({
        {M, 11710, {1}, "", "<>Change ChipSet:     World"},
        {M, 11710, {5}, "", "<>Change ChipSet:     ?"},
        {M, 11720, {1, 1, 1, -3, 1, 4}, "Sky", "<>Change BG:  Sky, WidhLoop(-3), HeighLop(+4)"},
        {M, 11720, {1, 0, 0, 5, 0, 0}, "Sky", "<>Change BG:  Sky, WidhLoop"},
        {M, 11720, {0, 1, 0, 0, 1, 0}, "Sky", "<>Change BG:  Sky, HeighLop(+0)"},
        {M, 11720, {0, 0, 1, 3, 1, 3}, "Sky", "<>Change BG:  Sky"},
        {M, 11740, {25}, "", "<>Encounter Rate:   25St"},
        {M, 11750, {1, 4, 10}, "", "<>Change 1 Chip:UpperChip  005 N. 011 Substitu"},
        {M, 11750, {0, 143, 0}, "", "<>Change 1 Chip:LowerChip  144 N. 001 Substitu"},
        {M, 11810, {0, 2, 3, 4, 0, 0}, "", "<>Set Teleport Place:   Add   0002:Town (003,004)"},
        {M, 11810, {1, 1, 0, 0, 0, 0}, "", "<>Set Teleport Place:   Delete0001:World"},
        {M, 11820, {0}, "", "<>Disable Teleport:     Disable "},
        {M, 11820, {1}, "", "<>Disable Teleport:     Enable  "},
        {M, 11830, {1, 8, 9, 0, 0}, "", "<>Set Escape Place:     0001:World (008,009)"},
        {M, 11840, {1}, "", "<>Disable Escape:       Enable  "},
        {M, 11910, {}, "", "<>Call Save Menu      "},
        {M, 11930, {0}, "", "<>Disable Saving:   Disable "},
        {M, 11950, {}, "", "<>Call System Menu      "},
        {M, 11960, {1}, "", "<>Disable System Menu:    Enable  "},
        {M, 22010, {}, "", ":Excepting Case "},
        {M, 23310, {}, "", ":Excepting Case "},
        {M, 12110, {5}, "", "<>Label:        5No"},
        {M, 12120, {100}, "", "<>Goto Label:       100No"},
        {M, 12210, {}, "", "<>Cycle       "},
        {M, 22210, {}, "", ":End Cycle    "},
        {M, 12220, {}, "", "<>Break Cycle       "},
        {M, 12310, {}, "", "<>Stop Parall.Events"},
        {M, 12320, {}, "", "<>Clear Timer Events"},
        {M, 12330, {0, 1, 0}, "", "<>Call Event:         Shop keeper"},
        {M, 12330, {0, 2, 0}, "", "<>Call Event:         ?"},
        {M, 12330, {1, 3, 2}, "", "<>Call Event:         Chest (renamed)[2]"},
        {M, 12330, {1, 10005, 1}, "", "<>Call Event:          this Event [1]"},
        {M, 12330, {2, 5, 6}, "", "<>Call Event:         V[5][V[6]]"},
        {M, 12410, {}, "remember", "<>Note: remember"},
        {M, 12420, {}, "", "<>Game Over     "},
        {M, 12510, {}, "", "<>Goto Title Screen "},
        {M, 99999, {1, 2}, "x", "<>Do Nothing    "},
        {M, 20142, {}, "", "<>Do Nothing    "},
        {M, -5, {}, "", "<>Do Nothing    "},
    });
}

TEST(EventScriptConverter, ForkConditions) {
    runCases({
        {M, 12010, {0, 1, 0, 0, 0, 0}, "", "<>Fork Optn:Switch [0001:Door]-  ON"},
        {M, 12010, {0, 2, 1, 0, 0, 1}, "", "<>Fork Optn:Switch [0002]-  OFF"},
        // "Equivl" only after a variable operand; a constant operand writes no comparison.
        {M, 12010, {1, 1, 0, 10, 0, 0}, "", "<>Fork Optn:Varbl[0001:Gold]-10"},
        {M, 12010, {1, 1, 1, 2, 0, 0}, "", "<>Fork Optn:Varbl[0001:Gold]-V[0002]Equivl"},
        {M, 12010, {1, 1, 0, 10, 1, 0}, "", "<>Fork Optn:Varbl[0001:Gold]-10Over"},
        {M, 12010, {1, 1, 0, -10, 2, 0}, "", "<>Fork Optn:Varbl[0001:Gold]--10Less"},
        {M, 12010, {1, 2, 1, 1, 3, 0}, "", "<>Fork Optn:Varbl[0002]-V[0001]Large Than"},
        {M, 12010, {1, 1, 0, 0, 4, 0}, "", "<>Fork Optn:Varbl[0001:Gold]-0Small than"},
        {M, 12010, {1, 1, 0, 7, 5, 0}, "", "<>Fork Optn:Varbl[0001:Gold]-7Expt"},
        {M, 12010, {2, 125, 0}, "", "<>Fork Optn:Timer -   2m.05s.Over"},
        {M, 12010, {2, 59, 1}, "", "<>Fork Optn:Timer -   0m.59s.Less"},
        {M, 12010, {3, 5000, 1}, "", "<>Fork Optn:MoneyOwn5000Less"},
        {M, 12010, {4, 1, 0}, "", "<>Fork Optn:Potion Have (hold)"},
        {M, 12010, {4, 2, 1}, "", "<>Fork Optn:Sword have (hold)  "},
        {M, 12010, {5, 1, 0, 0, 0, 0}, "", "<>Fork Optn:Alex Party Members    "},
        {M, 12010, {5, 1, 1, 0, 0, 0}, "Hero", "<>Fork Optn:Alex Name - Hero"},
        {M, 12010, {5, 2, 2, 10, 0, 0}, "", "<>Fork Optn:Brian Level -  10Over"},
        {M, 12010, {5, 1, 3, 100, 0, 0}, "", "<>Fork Optn:Alex HP - 100Over"},
        {M, 12010, {5, 1, 4, 1, 0, 0}, "", "<>Fork Optn:Alex- Heal Use Wear   "},
        {M, 12010, {5, 1, 5, 2, 0, 0}, "", "<>Fork Optn:Alex- Sword Equipment    "},
        {M, 12010, {5, 1, 6, 2, 0, 0}, "", "<>Fork Optn:Alex- Poison Condition      "},
        {M, 12010, {5, 9, 6, 9, 0, 0}, "", "<>Fork Optn:?- ? Condition      "},
        {M, 12010, {6, 10005, 3}, "", "<>Fork Optn: this Event - Lf Go Towards "},
        {M, 12010, {6, 1, 0}, "", "<>Fork Optn:Guard- Up Go Towards "},
        {M, 12010, {6, 3, 2}, "", "<>Fork Optn:Chest (renamed)- Dw Go Towards "},
        {M, 12010, {7, 2}, "", "<>Fork Optn:Airshp to Get On  "},
        {M, 12010, {8}, "", "<>Fork Optn:Descision Key of Starting Event "},
        {M, 12010, {9}, "", "<>Fork Optn:Play BGM One Loop    "},
        {M, 12010, {10}, "", "<>Fork Optn:"},
    });
}

TEST(EventScriptConverter, BattleCommandsAndMemberNames) {
    runCases({
        {B, 13110, {0, 0, 0, 50, 0}, "", "<>Change Enemy's HP:  1:Slime HP - 50Recovery  "},
        {B, 13110, {1, 1, 1, 3, 1}, "", "<>Change Enemy's HP:  2:Bat HP - V[0003]Decrem"},
        {B, 13120, {-1, 0, 0, 10}, "", "<>Change Enemy's MP:  Whole Group  MP - 10Recovery  "},
        // The third member's monster does not exist.
        {B, 13130, {2, 0, 2}, "", "<>Set Enemy's Condition:3:?->PoisonCondition "},
        {B, 13130, {0, 1, 1}, "", "<>Set Enemy's Condition:1:Slime  Death Cancel   "},
        // An index at or beyond the member count.
        {B, 13150, {3}, "", "<>Enemy Appears:  4:?"},
        {B, 13150, {7}, "", "<>Enemy Appears:  8:?"},
        {B, 13210, {}, "Castle", "<>Change Battl.BG:Castle"},
        {B, 13260, {1, -1, 1}, "", "<>Show Battle Anim.:Slash, Whole Group (W)"},
        {B, 13260, {1, 1, 0}, "", "<>Show Battle Anim.:Slash, 2:Bat"},
        {B, 13310, {0, 1, 1, 0, 0, 0}, "", "<>Fork Optn:Switch [0001:Door]-  OFF"},
        {B, 13310, {1, 2, 1, 1, 5, 1}, "", "<>Fork Optn:Varbl[0002]-V[0001]Expt"},
        {B, 13310, {1, 2, 0, 1, 0, 1}, "", "<>Fork Optn:Varbl[0002]-1"},
        {B, 13310, {2, 2}, "", "<>Fork Optn:Brian-ActionPsb"},
        {B, 13310, {3, 1}, "", "<>Fork Optn:2:Bat-ActionPsb"},
        {B, 13310, {3, -1}, "", "<>Fork Optn:Whole Group -ActionPsb"},
        // Kinds 4 and above are not battle conditions.
        {B, 13310, {4, 1}, "", "<>Fork Optn:"},
        {B, 13410, {}, "", "<>Stop Battl"},
        // Without a map, events have no names.
        {B, 10860, {1, 0, 1, 1}, "", "<>Set Event's Place:    ?, (001,001)"},
        // Without a group, a negative member index is shown as its number + 1 and ":?".
        {M, 13150, {-1}, "", "<>Enemy Appears:  0:?"},
        {M, 13110, {1, 0, 0, 5}, "", "<>Change Enemy's HP:  2:? HP - 5Recovery  "},
        {M, 13260, {1, -3, 0}, "", "<>Show Battle Anim.:Slash, -2:?"},
    });
}

// The edited event shows the name typed in the editor, before it is applied to the map.
TEST(EventScriptConverter, EditedEventShowsItsUnsavedName) {
    ScriptFixture f;
    TQelEventScriptLine line(10220, 0, "", {0, 1, 1, 0, 6, 3, 1});
    EXPECT_EQ(describe(f, M, line), "<>Variable Op:[0001:Gold] Set, Chest (renamed)  X pos");
    // Another event ID than the edited one: the map's stored name.
    TEventScriptContext other = f.mapContext();
    other.EventID = 1;
    other.Event = nullptr;
    EXPECT_EQ(TEventScriptConverter(other).DescribeLine(line), "<>Variable Op:[0001:Gold] Set, Chest  X pos");
    // No current map: "?" even for the edited event.
    TEventScriptContext noMap = f.mapContext();
    noMap.Map = nullptr;
    EXPECT_EQ(TEventScriptConverter(noMap).DescribeLine(line), "<>Variable Op:[0001:Gold] Set, ?  X pos");
    // No map tree: every map name is "?".
    TEventScriptContext noTree = f.mapContext();
    noTree.MapTree = nullptr;
    EXPECT_EQ(TEventScriptConverter(noTree).DescribeLine(TQelEventScriptLine(10810, 0, "", {2, 1, 1})),
              "<>Teleport: 0002:? (001,001)");
}

// Missing parameters read as 0.
TEST(EventScriptConverter, ShortParameterArraysRenderAsZeros) {
    runCases({
        // Switch 0 does not exist; mode 0 and operation 0 ("ON").
        {M, 10210, {}, "", "<>Change Switch:  [?]-ON Set   "},
        {M, 10220, {0, 2}, "", "<>Variable Op:[0002] Set, 0"},
        {M, 10150, {}, "", "<>Input Number:   0Col.[?]"},
        {M, 10810, {}, "", "<>Teleport: 0000:? (000,000)"},
        {M, 11030, {}, "", "<>Set Screen Tone:(R000,G000,B000,S000),0.0sec"},
        {M, 11120, {4}, "", "<>Move Picture:     4, (0,0),0.0sec"},
        {M, 12010, {}, "", "<>Fork Optn:Switch [?]-  ON"},
        {M, 10230, {}, "", "<>Timer Operation:Cost Creat0m.00s."},
        {M, 10130, {}, "Face", "<>Set Face Graphic to:  Face, 1, Lft,Normal  "},
    });
}

TEST(EventScriptConverter, IndentationIsTwoBlanksPerLevel) {
    ScriptFixture f;
    struct IndentCase {
        int32_t code;
        int32_t indent;
        std::string expected;
    } cases[] = {
        {0, 0, "<>"},
        {10, 1, "  <>"},
        {10, 3, "      <>"},
        {10110, 3, "      <>Messg:Hi"},
        {20110, 2, "    :      :Hi"},
        {22011, 1, "  :End Case "},
        {99999, 1, "  <>Do Nothing    "},
        {10110, -1, "<>Messg:Hi"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(f, M, TQelEventScriptLine(c.code, c.indent, "Hi")), c.expected)
            << c.code << " at " << c.indent;
}

// Builds an 11330 line whose parameters 4 onward are the route's bytes.
TQelEventScriptLine moveLine(int32_t target, const std::vector<uint8_t>& route, int32_t indent = 0) {
    std::vector<int32_t> params = {target, 3, 1, 0};
    for (uint8_t b : route)
        params.push_back(b);
    return TQelEventScriptLine(11330, indent, "", params);
}

TEST(EventScriptConverter, MoveListOfSetCharaMovement) {
    ScriptFixture f;
    const std::string prefix = "<>Set Chara's Movement:   ";
    // Step up; switch 5 on; change graphic to Actor1, index 2.
    std::vector<uint8_t> three = {0x00, 0x20, 0x05, 0x22, 0x06, 'A', 'c', 't', 'o', 'r', '1', 0x02};
    EXPECT_EQ(describe(f, M, moveLine(10001, three)),
              prefix + "Hero  " + ", Up      " + ", Switch-ON " + ", Change Graphic  ");
    // Play SE with its sound, then a wait.
    std::vector<uint8_t> sound = {0x23, 0x04, 'B', 'e', 'l', 'l', 0x64, 0x64, 0x32, 0x17};
    EXPECT_EQ(describe(f, M, moveLine(1, sound)), prefix + "Guard" + ", Play SE     " + ", Wait    ");
    // Four parameters: no route, nothing appended.
    EXPECT_EQ(describe(f, M, TQelEventScriptLine(11330, 0, "", {10005, 3, 1, 0})), prefix + " this Event ");
    // Only the low eight bits of each parameter are the byte.
    EXPECT_EQ(describe(f, M, TQelEventScriptLine(11330, 0, "", {10001, 3, 1, 0, 0x101, 0x228})),
              prefix + "Hero  " + ", Right   " + ", Transp. Up  ");
    // A code without a name appends only the separator.
    EXPECT_EQ(describe(f, M, moveLine(10001, {0x30})), prefix + "Hero  , ");
}

TEST(EventScriptConverter, MoveListStopsAtOneHundredTwentyCharacters) {
    ScriptFixture f;
    const std::string prefix = "<>Set Chara's Movement:   ";
    auto ups = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += ", Up      ";
        return s;
    };
    // 26 + 6 characters before the list, 10 per command: after 8 commands 112, after 9 122.
    std::vector<uint8_t> twenty(20, 0x00);
    std::string expected = prefix + "Hero  " + ups(9);
    EXPECT_EQ(expected.size(), 122u);
    EXPECT_EQ(describe(f, M, moveLine(10001, twenty)), expected);
    // The indentation does not count.
    EXPECT_EQ(describe(f, M, moveLine(10001, twenty, 2)), "    " + expected);
    // Bytes after the stop are never decoded, so a route broken there still renders.
    std::vector<uint8_t> brokenLate(9, 0x00);
    brokenLate.push_back(0x22);
    brokenLate.push_back(0x09);
    EXPECT_EQ(describe(f, M, moveLine(10001, brokenLate)), expected);
    // Characters, not bytes: event 4's name is ten two-byte characters, so 36 characters (46
    // bytes) stand before the list and the ninth command is the one that reaches 120.
    std::string accents;
    for (int i = 0; i < 10; ++i)
        accents += "\xC3\xA9";
    EXPECT_EQ(describe(f, M, moveLine(4, twenty)), prefix + accents + ups(9));
    // Reaching exactly 120 stops too: eight steps (112), then codes without a name, which append
    // only ", " each (114, 116, 118, 120).
    std::vector<uint8_t> exact(8, 0x00);
    exact.insert(exact.end(), {0x30, 0x30, 0x30, 0x30, 0x00, 0x00});
    std::string exactText = prefix + "Hero  " + ups(8) + ", , , , ";
    EXPECT_EQ(exactText.size(), 120u);
    EXPECT_EQ(describe(f, M, moveLine(10001, exact)), exactText);
}

TEST(EventScriptConverter, BrokenLinesRenderAsDataBroken) {
    ScriptFixture f;
    // A route that ends inside a command (a graphic name of six bytes with only one there).
    EXPECT_EQ(describe(f, M, moveLine(10001, {0x00, 0x22, 0x06, 'A'})), "<>Data Broken. Sorry! ");
    // No indentation on a broken line.
    EXPECT_EQ(describe(f, M, moveLine(10001, {0x20}, 3)), "<>Data Broken. Sorry! ");
    // A varint code cut short.
    EXPECT_EQ(describe(f, M, moveLine(10001, {0x81})), "<>Data Broken. Sorry! ");
    // The line itself is left as it was.
    TQelEventScriptLine line = moveLine(10001, {0x22});
    TQelEventScriptLine copy = line;
    TEventScriptConverter(f.mapContext()).DescribeLine(line);
    EXPECT_EQ(line, copy);
    // A depth no script can have is broken data rather than a line of endless blanks.
    EXPECT_EQ(describe(f, M, TQelEventScriptLine(10, MaxDescribedIndent + 1)), "<>Data Broken. Sorry! ");
    EXPECT_EQ(describe(f, M, TQelEventScriptLine(10, 2147483647)), "<>Data Broken. Sorry! ");
    EXPECT_EQ(describe(f, M, TQelEventScriptLine(10, MaxDescribedIndent)).size(),
              static_cast<size_t>(MaxDescribedIndent) * 2 + 2);
}

// Extreme parameter values never overflow and never crash.
TEST(EventScriptConverter, ExtremeValues) {
    ScriptFixture f;
    const int32_t lo = -2147483647 - 1;
    const int32_t hi = 2147483647;
    runCases({
        {M, 10130, {hi, 0, 0}, "F", "<>Set Face Graphic to:  F, 2147483648, Lft,Normal  "},
        {M, 11720, {1, 0, 1, lo}, "S", "<>Change BG:  S, WidhLoop(-2147483648)"},
        {M, 11750, {0, hi, lo}, "", "<>Change 1 Chip:LowerChip  2147483648 N. -2147483647 Substitu"},
        {M, 11410, {lo}, "", "<>Wait:     -214748364.-8s."},
        {B, 13150, {hi}, "", "<>Enemy Appears:  2147483648:?"},
        {M, 10650, {0, hi}, "B", "<>Change Vehicle Graphics:  Boat  ->B-2147483648 Set  "},
    });
    // Names of any bytes and length come through whole, a zero byte included.
    ScriptFixture g;
    g.db.Heroes().Find(1)->Name = std::string("A\0B", 3) + std::string(300, 'x');
    EXPECT_EQ(describe(g, M, TQelEventScriptLine(10740, 0, "", {1})),
              "<>Enter Name:     " + std::string("A\0B", 3) + std::string(300, 'x'));
}

TEST(EventScriptConverter, DescribeScriptRendersEveryLineInOrder) {
    ScriptFixture f;
    TQelEventScriptList script;
    script.Add(TQelEventScriptLine(12010, 0, "", {0, 1, 0, 0, 0, 1}));
    script.Add(TQelEventScriptLine(10110, 1, "Open", {}));
    script.Add(TQelEventScriptLine(10, 1));
    script.Add(TQelEventScriptLine(22010, 0));
    script.Add(TQelEventScriptLine(10, 1));
    script.Add(TQelEventScriptLine(22011, 0));
    script.Add(TQelEventScriptLine(0, 0));
    std::vector<std::string> expected = {"<>Fork Optn:Switch [0001:Door]-  ON",
                                         "  <>Messg:Open",
                                         "  <>",
                                         ":Excepting Case ",
                                         "  <>",
                                         ":End Case ",
                                         "<>"};
    EXPECT_EQ(TEventScriptConverter(f.mapContext()).DescribeScript(script), expected);
}

} // namespace

namespace {

// Any parameters at all: the text is the broken-line text, or the indentation followed by "<>"
// for a code below 20000 and ":" for a continuation, label or end line, which is all the script
// list reads. Random lines of every code, with values near the edges of every range.
TEST(EventScriptConverter, AnyParametersKeepTheStructureReadable) {
    ScriptFixture f;
    const std::vector<int32_t> codes = {
        0,     10,    10110, 20110, 10120, 10130, 10140, 20140, 20141, 10150, 10210, 10220, 10230, 10310,
        10320, 10330, 10410, 10420, 10430, 10440, 10450, 10460, 10470, 10480, 10490, 10500, 10610, 10620,
        10630, 10640, 10650, 10660, 10670, 10680, 10690, 10710, 20710, 20711, 20712, 20713, 10720, 20720,
        20721, 20722, 10730, 20730, 20731, 20732, 10740, 10810, 10820, 10830, 10840, 10850, 10860, 10870,
        10910, 10920, 11010, 11020, 11030, 11040, 11050, 11060, 11070, 11110, 11120, 11130, 11210, 11310,
        11320, 11330, 11340, 11350, 11410, 11510, 11520, 11530, 11540, 11550, 11560, 11610, 11710, 11720,
        11740, 11750, 11810, 11820, 11830, 11840, 11910, 11930, 11950, 11960, 12010, 22010, 22011, 12110,
        12120, 12210, 22210, 12220, 12310, 12320, 12330, 12410, 22410, 12420, 12510, 13110, 13120, 13130,
        13150, 13210, 13260, 13310, 23310, 23311, 13410};
    const int32_t edges[] = {
        0,  1,  2,  3,  4,  5,   6,   7,     8,     9,    10,   11,         12,
        13, 20, 21, -1, -2, 255, 256, 10001, 10005, 5000, 5001, 2147483647, -2147483647 - 1};
    std::mt19937 random(7);
    TEventScriptConverter converters[] = {TEventScriptConverter(f.mapContext()),
                                          TEventScriptConverter(f.battleContext()), TEventScriptConverter()};
    for (int n = 0; n < 30000; ++n) {
        TQelEventScriptLine line(codes[random() % codes.size()], static_cast<int32_t>(random() % 5));
        line.SetParamCount(static_cast<int32_t>(random() % 24));
        for (auto& p : line.Params)
            p = random() % 2 ? edges[random() % std::size(edges)] : static_cast<int32_t>(random());
        if (random() % 2) line.Text = std::string("\xC3\xA9/x\x84", 5);
        std::string text = converters[n % 3].DescribeLine(line);
        if (text == BrokenLineText) continue;
        std::string indent(static_cast<size_t>(line.Indent) * 2, ' ');
        ASSERT_EQ(text.compare(0, indent.size(), indent), 0) << line.Code;
        std::string mark = line.Code < 20000 ? "<>" : ":";
        ASSERT_EQ(text.compare(indent.size(), mark.size(), mark), 0) << text;
    }
}

} // namespace
