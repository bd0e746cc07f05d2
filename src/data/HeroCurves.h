#pragma once

// The rules of the hero editor that need no window: the experience formula, the generated and
// painted parameter curves, the order of the learned skills and which initial equipment a hero
// may hold in which box.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "LD_Player.h"

namespace tarvel {

class TQelItem;
class TQelItemItem;

// A curve as the editors handle it: the value at level L at index L - 1.
using THeroCurve = std::array<int32_t, MaxHeroLevel>;

THeroCurve ReadCurve(const TQelPlayerItem& hero, int parameter);
void WriteCurve(TQelPlayerItem& hero, int parameter, const THeroCurve& curve);

// The values a curve point may take: 0 to 999 for max MP, 1 to 999 for the others.
int CurveMinValue(int parameter);
constexpr int CurveMaxValue = 999;

// Experience ------------------------------------------------------------------------------------

constexpr int32_t ExpBaseMin = 10, ExpBaseMax = 50;
constexpr int32_t ExpIncreaseMin = 10, ExpIncreaseMax = 50;
constexpr int32_t ExpCorrectionMin = 0, ExpCorrectionMax = 40;
// A total beyond 999999 is reported as this value ("------" in the tables).
constexpr int32_t ExpCapped = 1000000;

// The total experience needed for a level (0 for level 1 and below), ExpCapped once past 999999.
int32_t ExperienceTotal(int32_t base, int32_t increase, int32_t correction, int level);
// The table lines of the experience dialog: "L %2d :%7d" or "L %2d : ------".
std::string ExpTotalLine(int32_t base, int32_t increase, int32_t correction, int level);
std::string ExpNextLine(int32_t base, int32_t increase, int32_t correction, int level);
// The text under "Curve of Experience" on the page.
std::string ExpSummary(int32_t base, int32_t increase, int32_t correction);

// Curve generation ------------------------------------------------------------------------------

constexpr int GrowthStyleEarly = -2, GrowthStyleNormal = 3, GrowthStyleLate = 8;

// Draws the cubic Bezier curve from (1, y1) to (50, y50) bent by the growth style as a line of
// pixels on a 51 x 1000 grid; levels 2 to 49 take the smallest y set in their column (a column
// the line misses keeps its value), levels 1 and 50 take y1 and y50.
void GenerateCurve(THeroCurve& curve, int32_t y1, int32_t y50, int style);

// The "Simple Creation" grades, best first.
enum THeroGrade { hgGenius, hgExcellence, hgStandard, hgLowGrade, HeroGradeCount };
// Random(n): an integer from 0 to n - 1 (n >= 1).
using TRandomSource = std::function<int(int n)>;
// Rolls the two end values and a growth style for the grade and generates the curve from them.
void RollCurve(THeroCurve& curve, int parameter, THeroGrade grade, const TRandomSource& random);

// Painting with the mouse: the point (level, value) after the previous one. Every level between
// the two gets the value on the straight line between them, so a fast drag leaves no gaps; the
// level itself gets the value. Values are clamped to [minValue, maxValue]; levels outside 1..50
// are left out.
void PaintCurve(THeroCurve& curve, bool hasPrevious, int previousLevel, int32_t previousValue, int level,
                int32_t value, int32_t minValue, int32_t maxValue);

// Learned skills --------------------------------------------------------------------------------

constexpr int MaxLearnedSkills = 500;
// Sorts by level, then skill ID, and numbers the entries 1..Count.
void SortLearning(TQelPlayerLearning& skills);

// Initial equipment -----------------------------------------------------------------------------

enum TEquipSlot { esWeapon, esShield, esArmor, esHelmet, esAccessory, EquipSlotCount };
// The kind of item a box lists: with two swords the second box lists weapons.
uint8_t EquipSlotItemType(int slot, bool twoSword);
// Whether the item is offered in the box for this hero.
bool MayEquip(const TQelItemItem& item, int slot, bool twoSword, int32_t heroID);
// Stores a choice in one of the five boxes and applies the two-handed rule to the hands: a
// two-handed weapon in either hand empties the other hand (after a choice in the first box the
// second is emptied; after choosing an item in the second box the first is).
void ChooseEquipment(TQelPlayerItem& hero, const TQelItem& items, int slot, int32_t itemID);
// The value shown as "Now:" on the page: the curve at the initial level plus, for attack,
// defense, mind and agility, the bonuses of the initial equipment.
int32_t HeroNowValue(const TQelPlayerItem& hero, const TQelItem& items, int parameter);

} // namespace tarvel
