#include "problems/catalogue.h"

#include <stdexcept>

namespace {

struct KindFacts {
  VariantIndex variant;  // 0-based, as the grid counts
  Level level;
  std::array<Column, 2> sought;
  std::size_t soughtCount;
};

// In the order of Kind.
constexpr std::array<KindFacts, KindCount> Facts = {{
    {0, Level::One, {MixPercent}, 1},
    {1, Level::One, {Weight2}, 1},
    {1, Level::One, {Weight2}, 1},
    {2, Level::One, {MixPercent}, 1},
    {3, Level::Two, {Percent2}, 1},
    {4, Level::Two, {Weight1}, 1},
    {5, Level::Two, {Weight2, Percent2}, 2},
    {6, Level::Three, {Weight1, Weight2}, 2},
    {1, Level::One, {Weight2}, 1},
    {6, Level::One, {Weight1, Weight2}, 2},
    {0, Level::One, {MixPercent}, 1},
    {1, Level::One, {MixWeight, Weight2}, 2},
    {4, Level::Two, {Weight1}, 1},
    {1, Level::Two, {MixWeight}, 1},
    {6, Level::Three, {Weight1, Weight2}, 2},
    // Two steps draw their second step's variant („Вариант 1“ or „Вариант 2“) for each problem;
    // a Mixed sheet deals them with the first.
    {0, Level::Three, {MixPercent}, 1},
    {6, Level::One, {Weight1}, 1},
}};

constexpr Recipe Same{Ingredient::Solution, Ingredient::Solution};
constexpr Recipe Watered{Ingredient::Solution, Ingredient::Water};
constexpr Recipe Strengthened{Ingredient::Solution, Ingredient::PureSubstance};
constexpr Recipe FromConcentrate{Ingredient::Concentrate, Ingredient::Water};
constexpr Recipe Dissolved{Ingredient::PureSubstance, Ingredient::Water};
constexpr Recipe Dried{Ingredient::Fresh, Ingredient::Water};
constexpr std::optional<Recipe> No = std::nullopt;

using KindRecipes = std::array<std::optional<Recipe>, KindCount>;

// In the order of Kind: MixTwo, AddWater, AddPure, TopUpWithWater, UnknownSecondStrength,
// FirstForMixture, SecondFromMixture, EachForMixture, Evaporation, Dissolving, DissolvedPercent,
// SolutionFromSubstance, UnknownStart, Drying, RatioForMixture, TwoSteps, SubstanceInSolution.
// Two steps are as the second step has them: the first step's mixture, and water.
constexpr KindRecipes InWater = {Same,    Watered, Strengthened, Watered,   Same,      Same,
                                 Same,    Same,    Watered,      Dissolved, Dissolved, Dissolved,
                                 Watered, No,      Same,         Watered,   Dissolved};
// Pure alcohol and pure juice are no school material, nor is their evaporation.
constexpr KindRecipes Drink = {Same, Watered, No, Watered, Same, Same, Same,    Same, No,
                               No,   No,      No, Watered, No,   Same, Watered, No};
constexpr KindRecipes Vinegar = {Same, FromConcentrate,
                                 No,   FromConcentrate,
                                 Same, FromConcentrate,
                                 Same, FromConcentrate,
                                 No,   No,
                                 No,   No,
                                 No,   No,
                                 Same, No,
                                 No};
constexpr KindRecipes Milk = {Same, No, No, No, Same, Same, Same, Same, No,
                              No,   No, No, No, No,   Same, No,   No};
constexpr KindRecipes Alloy = {Same, No, Strengthened, No, Same, Same, Same, Same, No,
                               No,   No, No,           No, No,   Same, No,   No};
// Produce is only dried.
constexpr KindRecipes Produce = {No, No, No, No, No,    No, No, No, No,
                                 No, No, No, No, Dried, No, No, No};

// In the order of Context.
constexpr std::array<KindRecipes, ContextCount> Recipes = {InWater, InWater, Drink,  Drink, Vinegar,
                                                           Milk,    Alloy,   Alloy,  Alloy, Alloy,
                                                           Produce, Produce, Produce};

// Percentages in tenths. Salt dissolves to about 26%; milk is 1,5% to 4,5%; vinegar 5% (apple) to
// 10% and its essence 70% to 80%; silver and gold as jewellers' hallmarks have them.
// Wide enough that a hundred sheets of one level seldom meet the same problem twice.
constexpr std::int64_t SaltPercents[] = {20,  30,  40,  50,  60,  70,  80,  90,  100,
                                         120, 140, 150, 160, 180, 200, 220, 240, 250};
constexpr std::int64_t SugarPercents[] = {50,  80,  100, 120, 140, 150, 160, 180, 200,
                                          240, 250, 300, 350, 400, 450, 500, 600};
constexpr std::int64_t AlcoholPercents[] = {100, 120, 150, 200, 250, 300, 350, 400, 450, 500,
                                            600, 650, 700, 750, 800, 850, 900, 950, 960};
constexpr std::int64_t JuicePercents[] = {100, 120, 150, 200, 250, 300, 350, 400,
                                          450, 500, 600, 700, 750, 800, 900};
constexpr std::int64_t VinegarPercents[] = {50, 60, 70, 80, 90, 100};
constexpr std::int64_t EssencePercents[] = {700, 750, 800};
constexpr std::int64_t MilkPercents[] = {15, 20, 25, 30, 32, 35, 36, 40, 45};
constexpr std::int64_t CopperPercents[] = {200, 250, 300, 350, 400, 450, 500, 550,
                                           600, 650, 700, 750, 800, 850, 900};
constexpr std::int64_t TinPercents[] = {100, 120, 150, 200, 250, 300, 350, 400, 450, 500, 600};
constexpr std::int64_t SilverPercents[] = {500, 600, 750, 800, 875, 900, 925};
constexpr std::int64_t GoldPercents[] = {375, 400, 500, 585, 600, 750, 800, 900};
// Produce's dry matter, as the columns hold it: fresh mushrooms are 85% to 92% water and dried ones
// 8% to 15%; fresh plums 82% to 88%, dried ones 20% to 35%; fresh apricots 84% to 88%, dried
// ones 15% to 25%.
constexpr std::int64_t FreshMushroomPercents[] = {80, 90, 100, 110, 120, 130, 140, 150};
constexpr std::int64_t DriedMushroomPercents[] = {850, 860, 870, 880, 890, 900, 920};
constexpr std::int64_t FreshPlumPercents[] = {120, 130, 140, 150, 160, 170, 180};
constexpr std::int64_t DriedPlumPercents[] = {650, 700, 720, 750, 760, 800};
constexpr std::int64_t FreshApricotPercents[] = {120, 130, 140, 150, 160};
constexpr std::int64_t DriedApricotPercents[] = {750, 780, 800, 820, 850};
constexpr std::int64_t WaterPercents[] = {0};
constexpr std::int64_t PurePercents[] = {1000};

// Five points apart, as school compares strengths; vinegar's and milk's whole ranges are narrower,
// so there a quarter of the larger (3% with 4%, not 3,5% with 3,6%).
constexpr std::int64_t Points = 50;
constexpr std::int64_t AQuarter = 1;

// Masses from 50 г to 5 кг of a solution; litres of juice, vinegar (0,2 л to a 100 л barrel for
// pickles) and milk; kilograms of copper and tin; grams of silver and gold. Vinegar is made from
// essence one part to 9 of water or, for 6% from 70%, 3 parts to 32 (0,3 л and 3,2 л), which is why
// its parts may be that far apart.
constexpr std::array<ContextNumbers, ContextCount> Numbers = {{
    {Unit::Gram, 10, 500, 50000, 8, Points, 0, SaltPercents, {}},
    {Unit::Gram, 10, 500, 50000, 8, Points, 0, SugarPercents, {}},
    {Unit::Gram, 10, 500, 50000, 8, Points, 0, AlcoholPercents, {}},
    {Unit::Litre, 5, 5, 500, 8, Points, 0, JuicePercents, {}},
    {Unit::Litre, 1, 2, 1000, 40, 0, AQuarter, VinegarPercents, EssencePercents},
    {Unit::Litre, 5, 5, 1000, 8, 0, AQuarter, MilkPercents, {}},
    {Unit::Kilogram, 5, 5, 1000, 8, Points, 0, CopperPercents, {}},
    {Unit::Kilogram, 5, 5, 1000, 8, Points, 0, TinPercents, {}},
    {Unit::Gram, 10, 100, 10000, 8, Points, 0, SilverPercents, {}},
    {Unit::Gram, 5, 20, 5000, 8, Points, 0, GoldPercents, {}},
    // A dried mass is a tenth or so of the fresh: 5 : 39 for 90% and 12% of water.
    {Unit::Kilogram,
     1,
     5,
     1000,
     40,
     Points,
     0,
     DriedMushroomPercents,
     {},
     FreshMushroomPercents,
     StatedShare::Water},
    {Unit::Kilogram,
     1,
     5,
     1000,
     40,
     Points,
     0,
     DriedPlumPercents,
     {},
     FreshPlumPercents,
     StatedShare::Water},
    {Unit::Kilogram,
     1,
     5,
     1000,
     40,
     Points,
     0,
     DriedApricotPercents,
     {},
     FreshApricotPercents,
     StatedShare::Water},
}};

// A ratio's problem gives only its three percentages: with fewer strengths than this, a hundred
// sheets would often meet one problem twice.
constexpr std::size_t MinStrengthsForARatio = 12;

bool HasStrengthsForARatio(Context context) {
  return NumbersOf(context).solutionPercents.size() >= MinStrengthsForARatio;
}

const KindFacts& FactsOf(Kind kind) {
  return Facts[static_cast<std::size_t>(kind)];
}

}  // namespace

VariantIndex VariantOfKind(Kind kind) {
  return FactsOf(kind).variant;
}

Asked AskedOf(Kind kind) {
  return kind == Kind::RatioForMixture ? Asked::Ratio : Asked::Amounts;
}

bool LeavesWater(Kind kind) {
  return kind == Kind::Evaporation || kind == Kind::Drying;
}

Level LevelOfKind(Kind kind) {
  return FactsOf(kind).level;
}

std::span<const Column> SoughtOf(Kind kind) {
  const KindFacts& facts = FactsOf(kind);
  return std::span<const Column>(facts.sought).first(facts.soughtCount);
}

std::optional<Recipe> RecipeOf(Context context, Kind kind) {
  if (AskedOf(kind) == Asked::Ratio && !HasStrengthsForARatio(context)) {
    return std::nullopt;
  }
  return Recipes[static_cast<std::size_t>(context)][static_cast<std::size_t>(kind)];
}

const ContextNumbers& NumbersOf(Context context) {
  return Numbers[static_cast<std::size_t>(context)];
}

StatedShare StatedShareOf(Context context) {
  return NumbersOf(context).stated;
}

std::span<const std::int64_t> PercentsOf(Context context, Ingredient ingredient) {
  switch (ingredient) {
    case Ingredient::Solution:
      return NumbersOf(context).solutionPercents;
    case Ingredient::Concentrate:
      return NumbersOf(context).concentratePercents;
    case Ingredient::Water:
      return WaterPercents;
    case Ingredient::PureSubstance:
      return PurePercents;
    case Ingredient::Fresh:
      return NumbersOf(context).freshPercents;
  }
  throw std::invalid_argument("no such ingredient");
}
