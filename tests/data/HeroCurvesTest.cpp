#include <gtest/gtest.h>

#include <cmath>

#include "data/HeroCurves.h"
#include "data/LD_Item.h"

using namespace tarvel;

TEST(HeroExperience, TotalsAgainstHandComputedTables) {
    struct Case {
        int base, increase, correction, level;
        int32_t total;
    };
    // Worked by hand from the formula: e.g. base 30, increase 30, level 4: b runs 30, 54, 88.9
    // with c = 1.8, then 0.808 x 0.8 + 1 = 1.6464; the sum of the truncated b is 172.
    const Case cases[] = {
        {30, 30, 0, 1, 0},  {30, 30, 0, 0, 0},  {30, 30, 0, 2, 30}, {30, 30, 0, 3, 84},  {30, 30, 0, 4, 172},
        {30, 30, 5, 3, 94}, {10, 10, 0, 2, 10}, {10, 10, 0, 3, 26}, {50, 50, 40, 2, 90}, {50, 50, 40, 3, 230},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExperienceTotal(c.base, c.increase, c.correction, c.level), c.total)
            << c.base << "/" << c.increase << "/" << c.correction << " level " << c.level;
}

TEST(HeroExperience, TotalsGrowAndCapAtAMillion) {
    for (int base : {10, 30, 50})
        for (int increase : {10, 50})
            for (int level = 2; level <= MaxHeroLevel; ++level) {
                int32_t previous = ExperienceTotal(base, increase, 0, level - 1);
                int32_t total = ExperienceTotal(base, increase, 0, level);
                EXPECT_TRUE(total > previous || total == ExpCapped)
                    << base << " " << increase << " " << level;
                EXPECT_TRUE(total <= 999999 || total == ExpCapped);
            }
    // The steepest setting passes a million before level 50; the lightest one does not.
    EXPECT_EQ(ExperienceTotal(50, 50, 40, 50), ExpCapped);
    EXPECT_LT(ExperienceTotal(10, 10, 0, 50), ExpCapped);
}

TEST(HeroExperience, TableLines) {
    EXPECT_EQ(ExpTotalLine(30, 30, 0, 3), "L  3 :     84");
    EXPECT_EQ(ExpNextLine(30, 30, 0, 3), "L  3 :     88");
    EXPECT_EQ(ExpNextLine(30, 30, 0, 50), "L 50 : ------");
    EXPECT_EQ(ExpTotalLine(50, 50, 40, 50), "L 50 : ------");
    int capped = 2;
    while (ExperienceTotal(50, 50, 40, capped) != ExpCapped)
        ++capped;
    // The last level below the cap still has a total, but its next level cannot be reached.
    EXPECT_EQ(ExpTotalLine(50, 50, 40, capped - 1).find("------"), std::string::npos);
    EXPECT_EQ(ExpNextLine(50, 50, 40, capped - 1), "L " + std::to_string(capped - 1) + " : ------");
    EXPECT_EQ(ExpSummary(25, 30, 4), "Standart=25; Additional=30; Corrected=4");
}

namespace {

// The Bezier curve's y where its x equals the given x, found by bisection (x grows with t).
double bezierYAt(double targetX, int32_t y1, int32_t y50, int style) {
    double xs[4] = {1, 16.0 + 2 * style, 32.0 + 2 * style, 50};
    double ys[4] = {double(y1), double(y1 + (16 - 2 * style) * (y50 - y1) / 50),
                    double(y1 + (32 - 2 * style) * (y50 - y1) / 50), double(y50)};
    auto at = [](const double* p, double t) {
        double u = 1 - t;
        return u * u * u * p[0] + 3 * u * u * t * p[1] + 3 * u * t * t * p[2] + t * t * t * p[3];
    };
    double lo = 0, hi = 1;
    for (int i = 0; i < 60; ++i) {
        double mid = (lo + hi) / 2;
        (at(xs, mid) < targetX ? lo : hi) = mid;
    }
    return at(ys, lo);
}

} // namespace

TEST(HeroCurveGeneration, RisingCurvesFollowTheBezierWithinOneValue) {
    struct Case {
        int32_t y1, y50;
        int style;
    };
    const Case cases[] = {{50, 999, GrowthStyleNormal},
                          {1, 999, GrowthStyleEarly},
                          {10, 500, GrowthStyleLate},
                          {20, 60, 2},
                          {0, 999, 4}};
    for (const Case& c : cases) {
        THeroCurve curve{};
        GenerateCurve(curve, c.y1, c.y50, c.style);
        EXPECT_EQ(curve[0], c.y1);
        EXPECT_EQ(curve[MaxHeroLevel - 1], c.y50);
        for (int level = 2; level < MaxHeroLevel; ++level) {
            // A rising line's lowest pixel in a column is where it enters the column.
            double expected = bezierYAt(level - 0.5, c.y1, c.y50, c.style);
            EXPECT_NEAR(curve[level - 1], expected, 1.0)
                << c.y1 << ".." << c.y50 << " style " << c.style << " level " << level;
        }
    }
}

TEST(HeroCurveGeneration, FlatAndStyleBends) {
    THeroCurve flat;
    flat.fill(7);
    GenerateCurve(flat, 321, 321, GrowthStyleNormal);
    for (int32_t v : flat)
        EXPECT_EQ(v, 321);

    THeroCurve early{}, late{};
    GenerateCurve(early, 10, 900, GrowthStyleEarly);
    GenerateCurve(late, 10, 900, GrowthStyleLate);
    EXPECT_GT(early[24], late[24] + 100);
}

TEST(HeroCurveGeneration, SimpleCreationRangesWithAFixedRandomSource) {
    TRandomSource lowest = [](int) { return 0; };
    TRandomSource highest = [](int n) { return n - 1; };
    struct Case {
        int parameter;
        THeroGrade grade;
        int32_t minY1, maxY1, minY50, maxY50;
    };
    const Case cases[] = {
        {paMaxHP, hgGenius, 50, 60, 800, 999},     {paAttack, hgGenius, 17, 19, 200, 248},
        {paDefense, hgLowGrade, 10, 12, 50, 98},   {paMind, hgStandard, 15, 20, 200, 299},
        {paMaxMP, hgExcellence, 40, 50, 600, 799}, {paAgility, hgExcellence, 20, 25, 300, 399},
    };
    for (const Case& c : cases) {
        THeroCurve low{}, high{};
        RollCurve(low, c.parameter, c.grade, lowest);
        RollCurve(high, c.parameter, c.grade, highest);
        EXPECT_EQ(low[0], c.minY1) << c.parameter;
        EXPECT_EQ(high[0], c.maxY1) << c.parameter;
        EXPECT_EQ(low[49], c.minY50) << c.parameter;
        EXPECT_EQ(high[49], c.maxY50) << c.parameter;
    }
    // The growth style is the last roll: 0 gives style 2, which is generated like Create Curve.
    THeroCurve rolled{}, drawn{};
    RollCurve(rolled, paMaxHP, hgGenius, lowest);
    GenerateCurve(drawn, 50, 800, 2);
    EXPECT_EQ(rolled, drawn);
}

TEST(HeroCurvePainting, DragsFillEveryLevelBetweenPoints) {
    THeroCurve curve;
    curve.fill(1);
    PaintCurve(curve, false, 0, 0, 10, 100, 1, 999);
    PaintCurve(curve, true, 10, 100, 14, 140, 1, 999);
    for (int level = 10; level <= 14; ++level)
        EXPECT_EQ(curve[level - 1], 100 + 10 * (level - 10));
    EXPECT_EQ(curve[8], 1);
    EXPECT_EQ(curve[14], 1);

    // Backwards across the whole graph in one move, past its ends and its range.
    curve.fill(1);
    PaintCurve(curve, true, 55, 1200, -3, -100, 0, 999);
    for (int level = 1; level <= MaxHeroLevel; ++level) {
        int32_t expected = std::clamp(((level + 3) * 1200 + (55 - level) * -100) / 58, 0, 999);
        EXPECT_EQ(curve[level - 1], expected) << level;
    }

    // A drag that stays in one column only sets that level.
    curve.fill(5);
    PaintCurve(curve, true, 20, 300, 20, 310, 1, 999);
    EXPECT_EQ(curve[19], 310);
    EXPECT_EQ(curve[18], 5);
}

TEST(HeroSkills, SortedByLevelThenSkill) {
    TQelPlayerLearning skills;
    const int entries[][2] = {{5, 3}, {1, 9}, {5, 1}, {1, 2}, {3, 3}};
    for (auto& e : entries) {
        auto* item = skills.Append();
        item->Level = e[0];
        item->SkillID = e[1];
    }
    SortLearning(skills);
    const int expected[][2] = {{1, 2}, {1, 9}, {3, 3}, {5, 1}, {5, 3}};
    ASSERT_EQ(skills.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(skills.Items(i)->ID, i + 1);
        EXPECT_EQ(skills.Items(i)->Level, expected[i][0]);
        EXPECT_EQ(skills.Items(i)->SkillID, expected[i][1]);
    }
}

namespace {

struct EquipFixture {
    TQelItem items;
    EquipFixture() {
        auto add = [&](uint8_t type, bool twoHanded, int bonusAttack) {
            auto* item = items.Append();
            item->ItemType = type;
            item->TwoHanded = twoHanded;
            item->Bonuses[0] = bonusAttack;
        };
        add(itWeapon, false, 10); // 1 sword
        add(itWeapon, true, 30);  // 2 two-handed axe
        add(itShield, false, 2);  // 3 shield
        add(itWeapon, false, 5);  // 4 dagger
        add(itArmor, false, 1);   // 5 armour
    }
};

} // namespace

TEST(HeroEquipment, TwoHandedWeaponsEmptyTheOtherHand) {
    struct Case {
        const char* what;
        bool twoSword;
        int32_t weapon, second;
        int slot;
        int32_t chosen;
        int32_t weaponAfter, secondAfter;
    };
    const Case cases[] = {
        {"two-handed in arms empties the shield", false, 1, 3, esWeapon, 2, 2, 0},
        {"one-handed in arms keeps the shield", false, 2, 0, esWeapon, 1, 1, 0},
        {"(None) in arms with a two-handed second hand", true, 1, 2, esWeapon, 0, 0, 0},
        {"shield beside a two-handed weapon empties arms", false, 2, 0, esShield, 3, 0, 3},
        {"shield beside a sword stays", false, 1, 0, esShield, 3, 1, 3},
        {"(None) in the second box leaves arms", false, 2, 0, esShield, 0, 2, 0},
        {"two swords, a two-handed second hand empties arms", true, 1, 0, esShield, 2, 0, 2},
        {"two swords, dagger and sword", true, 1, 0, esShield, 4, 1, 4},
    };
    EquipFixture f;
    for (const Case& c : cases) {
        TQelPlayerItem hero(1);
        hero.TwoSword = c.twoSword;
        hero.SetInitialEquipment(esWeapon, c.weapon);
        hero.SetInitialEquipment(esShield, c.second);
        hero.SetInitialEquipment(esArmor, 5);
        ChooseEquipment(hero, f.items, c.slot, c.chosen);
        EXPECT_EQ(hero.InitialEquipment(esWeapon), c.weaponAfter) << c.what;
        EXPECT_EQ(hero.InitialEquipment(esShield), c.secondAfter) << c.what;
        EXPECT_EQ(hero.InitialEquipment(esArmor), 5) << c.what;
    }
}

TEST(HeroEquipment, OfferedItemsAndNowValues) {
    EquipFixture f;
    TQelItemItem* dagger = f.items.Find(4);
    dagger->SetEquipCount(3);
    dagger->SetCanEquip(1, true);
    EXPECT_TRUE(MayEquip(*dagger, esWeapon, false, 1));
    EXPECT_FALSE(MayEquip(*dagger, esWeapon, false, 2)) << "a hero the item is not for";
    EXPECT_TRUE(MayEquip(*dagger, esWeapon, false, 7)) << "a hero beyond the item's table";
    EXPECT_FALSE(MayEquip(*dagger, esShield, false, 1));
    EXPECT_TRUE(MayEquip(*dagger, esShield, true, 1)) << "two swords: the second box lists weapons";
    EXPECT_FALSE(MayEquip(*f.items.Find(3), esShield, true, 1));

    TQelPlayerItem hero(1);
    hero.InitialLevel = 3;
    hero.SetCurve(paAttack, 3, 40);
    hero.SetCurve(paMaxHP, 3, 200);
    hero.SetInitialEquipment(esWeapon, 1);
    hero.SetInitialEquipment(esShield, 3);
    hero.SetInitialEquipment(esHelmet, 99); // no such item
    EXPECT_EQ(HeroNowValue(hero, f.items, paAttack), 40 + 10 + 2);
    EXPECT_EQ(HeroNowValue(hero, f.items, paMaxHP), 200);
}
