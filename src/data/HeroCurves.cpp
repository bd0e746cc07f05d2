#include "HeroCurves.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "LD_Item.h"

namespace tarvel {

THeroCurve ReadCurve(const TQelPlayerItem& hero, int parameter) {
    THeroCurve curve{};
    for (int level = 1; level <= MaxHeroLevel; ++level)
        curve[level - 1] = hero.Curve(parameter, level);
    return curve;
}

void WriteCurve(TQelPlayerItem& hero, int parameter, const THeroCurve& curve) {
    for (int level = 1; level <= MaxHeroLevel; ++level)
        hero.SetCurve(parameter, level, curve[level - 1]);
}

int CurveMinValue(int parameter) {
    return parameter == paMaxMP ? 0 : 1;
}

int32_t ExperienceTotal(int32_t base, int32_t increase, int32_t correction, int level) {
    int32_t sum = 0;
    double b = base;
    double c = 1.5 + increase * 0.01;
    for (int step = 1; step < level; ++step) {
        sum += static_cast<int32_t>(std::trunc(b)) + correction;
        b *= c;
        // The damping uses the level asked for, not the step: each level runs its own loop.
        c = (level * 0.002 + 0.8) * (c - 1) + 1;
        if (sum > 999999) return ExpCapped;
    }
    return sum;
}

namespace {

std::string format(const char* pattern, int level, int32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, level, value);
    return text;
}

} // namespace

std::string ExpTotalLine(int32_t base, int32_t increase, int32_t correction, int level) {
    int32_t total = ExperienceTotal(base, increase, correction, level);
    if (total >= ExpCapped) return format("L %2d : ------", level, 0);
    return format("L %2d :%7d", level, total);
}

std::string ExpNextLine(int32_t base, int32_t increase, int32_t correction, int level) {
    if (level >= MaxHeroLevel) return format("L %2d : ------", level, 0);
    int32_t next = ExperienceTotal(base, increase, correction, level + 1);
    if (next > 999999) return format("L %2d : ------", level, 0);
    return format("L %2d :%7d", level, next - ExperienceTotal(base, increase, correction, level));
}

std::string ExpSummary(int32_t base, int32_t increase, int32_t correction) {
    char text[96];
    std::snprintf(text, sizeof text, "Standart=%d; Additional=%d; Corrected=%d", base, increase, correction);
    return text;
}

void GenerateCurve(THeroCurve& curve, int32_t y1, int32_t y50, int style) {
    constexpr int GridHeight = 1000;
    const double x[4] = {1, 16.0 + 2 * style, 32.0 + 2 * style, 50};
    const double y[4] = {double(y1), double(y1 + (16 - 2 * style) * (y50 - y1) / 50),
                         double(y1 + (32 - 2 * style) * (y50 - y1) / 50), double(y50)};
    // The smallest y set in each column; GridHeight while the column is untouched.
    std::array<int, MaxHeroLevel + 1> lowest;
    lowest.fill(GridHeight);
    auto plot = [&](int px, int py) {
        if (px < 0 || px > MaxHeroLevel || py < 0 || py >= GridHeight) return;
        lowest[px] = std::min(lowest[px], py);
    };
    // The curve moves at most 3 x 1000 pixels per unit of t, so 16384 steps move it by less than
    // a pixel at a time: the plotted points form an unbroken line.
    constexpr int Steps = 16384;
    for (int i = 0; i <= Steps; ++i) {
        double t = double(i) / Steps, u = 1 - t;
        double w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
        double px = 0, py = 0;
        for (int k = 0; k < 4; ++k) {
            px += w[k] * x[k];
            py += w[k] * y[k];
        }
        plot(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
    }
    curve[0] = y1;
    curve[MaxHeroLevel - 1] = y50;
    for (int level = 2; level < MaxHeroLevel; ++level)
        if (lowest[level] < GridHeight) curve[level - 1] = lowest[level];
}

void RollCurve(THeroCurve& curve, int parameter, THeroGrade grade, const TRandomSource& random) {
    static const int gradeA[HeroGradeCount] = {5, 4, 3, 2};
    static const int gradeB[HeroGradeCount] = {80, 60, 40, 20};
    double k = parameter <= paMaxMP ? 10 : parameter <= paDefense ? 2.5 : 5;
    int a = gradeA[grade], b = gradeB[grade];
    int inner = static_cast<int>(std::trunc(random(2) + k));
    int32_t y1 = static_cast<int32_t>(std::trunc(random(inner) + k * a));
    if (parameter == paAttack || parameter == paDefense) y1 += 5;
    double high = k * (b + random(20));
    int32_t y50 = static_cast<int32_t>(std::trunc(high + random(static_cast<int>(std::trunc(k)))));
    int style = random(3) + 2;
    GenerateCurve(curve, y1, y50, style);
}

void PaintCurve(THeroCurve& curve, bool hasPrevious, int previousLevel, int32_t previousValue, int level,
                int32_t value, int32_t minValue, int32_t maxValue) {
    auto store = [&](int at, int32_t v) {
        if (at >= 1 && at <= MaxHeroLevel) curve[at - 1] = std::clamp(v, minValue, maxValue);
    };
    int d = level - previousLevel;
    if (hasPrevious && d != 0) {
        for (int i = std::min(0, d); i <= std::max(0, d); ++i)
            store(previousLevel + i, ((d - i) * previousValue + value * i) / d);
    }
    store(level, value);
}

void SortLearning(TQelPlayerLearning& skills) {
    skills.SortAndRenumber([](const TCatalogItem& a, const TCatalogItem& b) {
        auto& x = static_cast<const TQelPlayerLearningItem&>(a);
        auto& y = static_cast<const TQelPlayerLearningItem&>(b);
        return x.Level != y.Level ? x.Level < y.Level : x.SkillID < y.SkillID;
    });
}

uint8_t EquipSlotItemType(int slot, bool twoSword) {
    static const uint8_t types[EquipSlotCount] = {itWeapon, itShield, itArmor, itHelmet, itAccessory};
    if (slot == esShield && twoSword) return itWeapon;
    return slot >= 0 && slot < EquipSlotCount ? types[slot] : uint8_t(itCommon);
}

bool MayEquip(const TQelItemItem& item, int slot, bool twoSword, int32_t heroID) {
    return item.ItemType == EquipSlotItemType(slot, twoSword) && item.CanEquip(heroID);
}

namespace {

bool twoHanded(const TQelItem& items, int32_t id) {
    const TQelItemItem* item = id > 0 ? items.Find(id) : nullptr;
    return item && item->ItemType == itWeapon && item->TwoHanded != 0;
}

} // namespace

void ChooseEquipment(TQelPlayerItem& hero, const TQelItem& items, int slot, int32_t itemID) {
    hero.SetInitialEquipment(slot, itemID);
    bool either = twoHanded(items, hero.InitialEquipment(esWeapon)) ||
                  twoHanded(items, hero.InitialEquipment(esShield));
    if (slot == esWeapon && either) hero.SetInitialEquipment(esShield, 0);
    if (slot == esShield && itemID != 0 && either) hero.SetInitialEquipment(esWeapon, 0);
}

int32_t HeroNowValue(const TQelPlayerItem& hero, const TQelItem& items, int parameter) {
    int32_t value = hero.Curve(parameter, hero.InitialLevel);
    if (parameter < paAttack) return value;
    for (int slot = 0; slot < EquipSlotCount; ++slot) {
        int32_t id = hero.InitialEquipment(slot);
        if (const TQelItemItem* item = id > 0 ? items.Find(id) : nullptr)
            value += item->Bonuses[parameter - paAttack];
    }
    return value;
}

} // namespace tarvel
