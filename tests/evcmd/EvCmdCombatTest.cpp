#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "EvCmdTestSupport.h"
#include "eventedit/commands/EvCmdCombat.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;
using namespace tarvel::test;

namespace {

void selectRows(QListWidget& list, std::initializer_list<int> rows) {
    list.clearSelection();
    for (int row : rows)
        list.item(row)->setSelected(true);
}

// A double-click as the window system delivers it: press, release, double-click, release.
void doubleClickRow(QListWidget& list, int row) {
    QPoint at = list.visualItemRect(list.item(row)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at);
}

// A combat with every branch, each body holding one message, at indent 2.
Lines CombatWithBodies() {
    return {
        {10710, 2, "", {0, 1, 0, 2, 1, 0}},
        {20710, 2},
        {10110, 3, "won"},
        {10, 3},
        {20711, 2},
        {10110, 3, "fled"},
        {10, 3},
        {20712, 2},
        {10110, 3, "lost"},
        {10, 3},
        {20713, 2},
    };
}

} // namespace

TEST_F(EvCmdTest, CombatWritesTheBranchesItsSettingsCallFor) {
    RunCases({
        {"a battle without branches",
         10710,
         {},
         [](TFormEvCmdBase& d) {
             EXPECT_FALSE(Control<TMaterialBox>(d, "BoxBackdrop").isEnabled());
             Control<QComboBox>(d, "ComboFixed").setCurrentIndex(1);
         },
         {"<>Strt Combat:Bat"}},
        {"escape and defeat branch, a background, first strike",
         10710,
         {},
         [](TFormEvCmdBase& d) {
             Control<QRadioButton>(d, "RadioDesign").click();
             Control<TMaterialBox>(d, "BoxBackdrop").SetFileName("Grass");
             radio(d, "GroupEscape", 2);
             radio(d, "GroupDefeat", 1);
             check(d, "CheckHeadstart", true);
         },
         {"<>Strt Combat:Slime*2, Grass, PreemptA", ":VictoryCase", "  <>", ":Escape Case", "  <>",
          ":Defeat Case", "  <>", ":End Case "}},
        {"a group by variable; the background name goes with the terrain",
         10710,
         {{10710, 0, "Grass", {1, 7, 1, 0, 0, 0}}},
         [](TFormEvCmdBase& d) { Control<QRadioButton>(d, "RadioTerrain").click(); },
         {"<>Strt Combat:V[0007]"}},
        {"escape no longer a branch: its body goes, the others stay",
         10710,
         CombatWithBodies(),
         [](TFormEvCmdBase& d) { radio(d, "GroupEscape", 0); },
         {"<>Strt Combat:Slime*2", ":VictoryCase", "  <>Messg:won", "  <>", ":Defeat Case", "  <>Messg:lost",
          "  <>", ":End Case "}},
        {"no branch at all: one line",
         10710,
         CombatWithBodies(),
         [](TFormEvCmdBase& d) {
             radio(d, "GroupEscape", 1);
             radio(d, "GroupDefeat", 0);
         },
         {"<>Strt Combat:Slime*2"}},
    });
}

TEST_F(EvCmdTest, ShopInnAndNameDialogsWriteTheirCommands) {
    RunCases({
        {"goods added from the item list",
         10720,
         {},
         [](TFormEvCmdBase& d) {
             auto& items = Control<QListWidget>(d, "ListItems");
             selectRows(items, {0, 1});
             Control<QPushButton>(d, "ButtonAdd").click();
             doubleClickRow(items, 3);
             EXPECT_EQ(Control<QListWidget>(d, "ListGoods").item(1)->text(), "Sword                  250");
         },
         {"<>Call Shop:  Potion, Sword, Ether"}},
        {"goods deleted and repeated; buying only",
         10720,
         {{10720, 0, "", {0, 0, 0, 0, 1, 2, 3}}},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupType", 1);
             auto& goods = Control<QListWidget>(d, "ListGoods");
             selectRows(goods, {0, 2});
             Control<QPushButton>(d, "ButtonDelete").click();
             doubleClickRow(Control<QListWidget>(d, "ListItems"), 1);
         },
         {"<>Call Shop:  (Purchase) Sword, Sword"}},
        {"a selling shop with branches lists no goods",
         10720,
         {{10720, 0, "", {0, 0, 0, 0, 1, 2}}},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupType", 2);
             EXPECT_FALSE(Control<QListWidget>(d, "ListGoods").isEnabled());
             radio(d, "GroupMessages", 2);
             check(d, "CheckBranch", true);
         },
         {"<>Call Shop:  (Sell)     ", ":Trade Case   ", "  <>", ":Trade Case??   ", "  <>", ":End Case "}},
        {"shop branches keep their bodies",
         10720,
         {{10720, 0, "", {0, 1, 1, 0, 4}},
          {20720, 0},
          {10110, 1, "thanks"},
          {10, 1},
          {20721, 0},
          {10, 1},
          {20722, 0}},
         nullptr,
         {"<>Call Shop:  Ether", ":Trade Case   ", "  <>Messg:thanks", "  <>", ":Trade Case??   ", "  <>",
          ":End Case "}},
        {"inn with branches",
         10730,
         {},
         [](TFormEvCmdBase& d) {
             radio(d, "GroupMessages", 1);
             Control<QSpinBox>(d, "SpinPrice").setValue(50);
             check(d, "CheckBranch", true);
         },
         {"<>Call Inn:   LodgCost50", ":Lodging Case ", "  <>", ":Lodging Case?? ", "  <>", ":End Case "}},
        {"inn branches dropped with their bodies",
         10730,
         {{10730, 0, "", {0, 10, 1}},
          {20730, 0},
          {10110, 1, "slept"},
          {10, 1},
          {20731, 0},
          {10, 1},
          {20732, 0}},
         [](TFormEvCmdBase& d) { check(d, "CheckBranch", false); },
         {"<>Call Inn:   LodgCost10"}},
        {"input name",
         10740,
         {},
         [](TFormEvCmdBase& d) {
             Control<QComboBox>(d, "ComboHero").setCurrentIndex(2);
             radio(d, "GroupTable", 1);
             check(d, "CheckShowName", true);
         },
         {"<>Enter Name:     Cleo"}},
    });

    // A selling shop writes exactly four parameters; the name input its three.
    auto shop = CreateEvCmdDialog(10720, nullptr);
    SetLines(*shop, {{10720, 0, "", {2, 1, 0, 0, 3, 3}}});
    ASSERT_TRUE(RunDialog(*shop, nullptr));
    EXPECT_EQ(shop->Lines().Line(0)->Params, (std::vector<int32_t>{2, 1, 0, 0}));
    auto name = CreateEvCmdDialog(10740, nullptr);
    SetLines(*name, {{10740, 0, "", {3, 1, 1}}});
    ASSERT_TRUE(RunDialog(*name, nullptr));
    EXPECT_EQ(name->Lines().Line(0)->Params, (std::vector<int32_t>{3, 1, 1}));
}

TEST_F(EvCmdTest, ShopGoodsStopAtOneHundred) {
    auto dialog = CreateEvCmdDialog(10720, nullptr);
    auto& shop = static_cast<TFormEvCmd10720&>(*dialog);
    shop.Open();
    auto& items = Control<QListWidget>(shop, "ListItems");
    selectRows(items, {0, 1, 2});
    for (int i = 0; i < 33; ++i)
        shop.ButtonAddClick();
    EXPECT_EQ(shop.Goods().size(), 99u);
    // Of three selected items one more fits.
    shop.ButtonAddClick();
    ASSERT_EQ(shop.Goods().size(), 100u);
    EXPECT_EQ(shop.Goods().back(), 1);
    shop.show();
    doubleClickRow(items, 3);
    EXPECT_EQ(shop.Goods().size(), 100u);
    EXPECT_EQ(shop.Goods().back(), 1);
    ASSERT_TRUE(RunDialog(shop, nullptr));
    EXPECT_EQ(shop.Lines().Line(0)->ParamCount(), 104);

    // A stored shop with more goods than that opens with the first hundred.
    auto again = CreateEvCmdDialog(10720, nullptr);
    std::vector<int32_t> params = {0, 0, 0, 0};
    params.insert(params.end(), 120, 2);
    SetLines(*again, {{10720, 0, "", params}});
    again->Open();
    EXPECT_EQ(static_cast<TFormEvCmd10720&>(*again).Goods().size(), 100u);
}
