#include "problems/problem.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

#include "problems/random.h"
#include "worksheet/fraction.h"
#include "worksheet/variants.h"

namespace {

// The hardest kind in the hardest context (vinegar from essence) has needed some 1200 draws in a
// million problems, most need a few: reaching this many means the catalogue allows none.
constexpr int MaxDraws = 100000;

// The separate draws made from one sheet number, so that none shifts another.
enum class Stream : std::uint64_t { Order, Sheet, Numbers };

struct Percentages {
  std::int64_t first;
  std::int64_t second;
  std::int64_t mixture;
};

// The parts' masses as w1 : w2, in lowest terms.
struct Ratio {
  std::int64_t first;
  std::int64_t second;
};

struct Proportions {
  Percentages percentages;
  Ratio ratio;
};

// The leading digits of round masses: 1; 1,5; 2; 2,5; 3; 4; 5; 6; 8, times 0,1 to 10 000.
constexpr std::array<std::int64_t, 9> RoundLeads = {10, 15, 20, 25, 30, 40, 50, 60, 80};
constexpr std::size_t PowerCount = 6;

std::int64_t DrawFrom(std::span<const std::int64_t> values, SplitMix64& random) {
  return values[static_cast<std::size_t>(random.Below(values.size()))];
}

Ratio Reduced(std::int64_t first, std::int64_t second) {
  const std::int64_t divisor = std::gcd(first, second);
  return {first / divisor, second / divisor};
}

Ratio DrawRatio(std::int64_t maxPart, SplitMix64& random) {
  const std::int64_t first = random.Between(1, maxPart);
  return Reduced(first, random.Between(1, maxPart));
}

bool IsStrictlyBetween(std::int64_t value, std::int64_t a, std::int64_t b) {
  return std::min(a, b) < value && value < std::max(a, b);
}

// The mixture's percentage follows from the parts' and a ratio drawn for their masses.
std::optional<Proportions> DrawWithMixtureSought(std::span<const std::int64_t> firstPercents,
                                                 std::span<const std::int64_t> secondPercents,
                                                 std::int64_t maxPart, SplitMix64& random) {
  const std::int64_t first = DrawFrom(firstPercents, random);
  const std::int64_t second = DrawFrom(secondPercents, random);
  const Ratio ratio = DrawRatio(maxPart, random);
  const std::int64_t substance = ratio.first * first + ratio.second * second;
  const std::int64_t total = ratio.first + ratio.second;
  if (substance % total != 0) {
    return std::nullopt;
  }
  return Proportions{{first, second, substance / total}, ratio};
}

// The second part's percentage follows from the first's, the mixture's and a drawn ratio.
std::optional<Proportions> DrawWithSecondSought(std::span<const std::int64_t> firstPercents,
                                                std::span<const std::int64_t> mixturePercents,
                                                std::int64_t maxPart, SplitMix64& random) {
  const std::int64_t first = DrawFrom(firstPercents, random);
  const std::int64_t mixture = DrawFrom(mixturePercents, random);
  const Ratio ratio = DrawRatio(maxPart, random);
  const std::int64_t substance = (ratio.first + ratio.second) * mixture - ratio.first * first;
  if (substance % ratio.second != 0) {
    return std::nullopt;
  }
  return Proportions{{first, substance / ratio.second, mixture}, ratio};
}

// Every percentage given: the masses must be as (p2 − pm) : (pm − p1).
std::optional<Proportions> DrawWithPercentagesGiven(std::span<const std::int64_t> firstPercents,
                                                    std::span<const std::int64_t> secondPercents,
                                                    std::span<const std::int64_t> mixturePercents,
                                                    std::int64_t maxPart, SplitMix64& random) {
  const std::int64_t first = DrawFrom(firstPercents, random);
  const std::int64_t second = DrawFrom(secondPercents, random);
  const std::int64_t mixture = DrawFrom(mixturePercents, random);
  if (!IsStrictlyBetween(mixture, first, second)) {
    return std::nullopt;
  }
  const Ratio ratio = Reduced(std::abs(second - mixture), std::abs(mixture - first));
  if (std::max(ratio.first, ratio.second) > maxPart) {
    return std::nullopt;
  }
  return Proportions{{first, second, mixture}, ratio};
}

// The percentages first and the masses' ratio with them; the unknown percentage, if any, is
// worked out rather than drawn, so that it comes out whole or with one decimal place.
std::optional<Proportions> DrawProportions(Context context, Recipe recipe, VariantIndex variant,
                                           SplitMix64& random) {
  const std::span<const std::int64_t> firstPercents = PercentsOf(context, recipe.first);
  const std::span<const std::int64_t> secondPercents = PercentsOf(context, recipe.second);
  const std::span<const std::int64_t> mixturePercents = PercentsOf(context, Ingredient::Solution);
  const std::int64_t maxPart = NumbersOf(context).maxRatioPart;
  if (IsResultColumn(variant, MixPercent)) {
    return DrawWithMixtureSought(firstPercents, secondPercents, maxPart, random);
  }
  if (IsResultColumn(variant, Percent2)) {
    return DrawWithSecondSought(firstPercents, mixturePercents, maxPart, random);
  }
  return DrawWithPercentagesGiven(firstPercents, secondPercents, mixturePercents, maxPart, random);
}

bool IsPlausibleMass(const ContextNumbers& numbers, std::int64_t mass) {
  return mass > 0 && mass % numbers.massStep == 0 && mass >= numbers.minMass &&
         mass <= numbers.maxMass;
}

bool FitsMasses(const ContextNumbers& numbers, Ratio ratio, std::int64_t scale) {
  return IsPlausibleMass(numbers, ratio.first * scale) &&
         IsPlausibleMass(numbers, ratio.second * scale) &&
         IsPlausibleMass(numbers, (ratio.first + ratio.second) * scale);
}

// One part of the ratio weighs a round amount (2,5 кг; 300 г), so that the masses read as
// school writes them.
std::optional<std::int64_t> DrawScale(const ContextNumbers& numbers, Ratio ratio,
                                      SplitMix64& random) {
  std::array<std::int64_t, RoundLeads.size() * PowerCount> scales{};
  std::size_t count = 0;
  std::int64_t power = 1;
  for (std::size_t exponent = 0; exponent < PowerCount; ++exponent, power *= 10) {
    for (const std::int64_t lead : RoundLeads) {
      const std::int64_t scale = lead * power / 10;
      if (lead * power % 10 == 0 && FitsMasses(numbers, ratio, scale)) {
        scales[count++] = scale;
      }
    }
  }
  if (count == 0) {
    return std::nullopt;
  }
  return scales[static_cast<std::size_t>(random.Below(count))];
}

bool IsPlausiblePercent(Context context, Ingredient ingredient, std::int64_t percent) {
  // Only water has 0% and only the pure substance 100%: every other range lies inside.
  const std::span<const std::int64_t> percents = PercentsOf(context, ingredient);
  return percent >= percents.front() && percent <= percents.back();
}

// A mass as a teacher would give it: two significant digits at most (45 г; 1,5 кг; 1800 г), or
// three that end in 25, 50 or 75 (125 г; 1750 г).
bool IsRound(std::int64_t mass) {
  while (mass != 0 && mass % 10 == 0) {
    mass /= 10;
  }
  return mass < 100 || (mass < 1000 && mass % 25 == 0);
}

bool AreGivenMassesRound(const Problem& problem) {
  for (const Column column : {Weight1, Weight2, MixWeight}) {
    if (problem.IsGiven(column) && !IsRound(problem.Value(column).count)) {
      return false;
    }
  }
  return true;
}

// Every rule a problem keeps, checked on its final numbers in exact integer arithmetic.
bool IsSound(const Problem& problem) {
  const ContextNumbers& numbers = NumbersOf(problem.context);
  const std::int64_t p1 = problem.Value(Percent1).count;
  const std::int64_t w1 = problem.Value(Weight1).count;
  const std::int64_t p2 = problem.Value(Percent2).count;
  const std::int64_t w2 = problem.Value(Weight2).count;
  const std::int64_t pm = problem.Value(MixPercent).count;
  const std::int64_t wm = problem.Value(MixWeight).count;
  return IsPlausibleMass(numbers, w1) && IsPlausibleMass(numbers, w2) &&
         IsPlausibleMass(numbers, wm) && IsPlausiblePercent(problem.context, problem.first, p1) &&
         IsPlausiblePercent(problem.context, problem.second, p2) &&
         IsPlausiblePercent(problem.context, Ingredient::Solution, pm) &&
         IsStrictlyBetween(pm, p1, p2) && w1 + w2 == wm && w1 * p1 + w2 * p2 == wm * pm &&
         AreGivenMassesRound(problem);
}

std::optional<std::array<Tenths, ColumnCount>> DrawValues(Context context, Recipe recipe,
                                                          VariantIndex variant,
                                                          SplitMix64& random) {
  const std::optional<Proportions> proportions = DrawProportions(context, recipe, variant, random);
  if (!proportions) {
    return std::nullopt;
  }
  const auto [percentages, ratio] = *proportions;
  const std::optional<std::int64_t> scale = DrawScale(NumbersOf(context), ratio, random);
  if (!scale) {
    return std::nullopt;
  }
  return std::array<Tenths, ColumnCount>{{{percentages.first},
                                          {ratio.first * *scale},
                                          {percentages.second},
                                          {ratio.second * *scale},
                                          {percentages.mixture},
                                          {(ratio.first + ratio.second) * *scale}}};
}

// Evaporation read backwards is a mixing: what remains and the water that left make the solution
// at the start. It is drawn so, with every given of "Вариант 7", and then turned round.
constexpr VariantIndex EvaporationDrawnAs = 6;

std::array<Tenths, ColumnCount> TurnedRound(const std::array<Tenths, ColumnCount>& mixing) {
  return {{mixing[MixPercent],
           mixing[MixWeight],
           {0},
           {-mixing[Weight2].count},
           mixing[Percent1],
           mixing[Weight1]}};
}

// A candidate that breaks a rule is drawn again from the same stream, so the redraws are the
// same everywhere too.
void DrawNumbers(Problem& problem, Recipe recipe, SplitMix64& random) {
  const bool evaporation = LeavesWater(problem.kind);
  Problem drawn = problem;
  drawn.variant = evaporation ? EvaporationDrawnAs : problem.variant;
  for (int draw = 0; draw < MaxDraws; ++draw) {
    const std::optional<std::array<Tenths, ColumnCount>> values =
        DrawValues(drawn.context, recipe, drawn.variant, random);
    if (values) {
      drawn.values = *values;
      if (IsSound(drawn)) {
        problem.values = evaporation ? TurnedRound(drawn.values) : drawn.values;
        return;
      }
    }
  }
  throw std::logic_error("no sound problem of this kind in this context");
}

// The kinds a place on the sheet may take: a variant's kinds on a Mixed sheet, one kind of the
// level otherwise.
std::vector<std::vector<Kind>> SlotsOf(Level level) {
  std::vector<std::vector<Kind>> slots;
  if (level == Level::Mixed) {
    slots.resize(static_cast<std::size_t>(VariantCount));
    for (const Kind kind : Kinds) {
      slots[static_cast<std::size_t>(VariantOfKind(kind))].push_back(kind);
    }
    return slots;
  }
  for (const Kind kind : Kinds) {
    if (LevelOfKind(kind) == level) {
      slots.push_back({kind});
    }
  }
  return slots;
}

std::uint64_t SeedFor(Stream stream, const ProblemSource& source, std::uint64_t detail) {
  return SeedOf({static_cast<std::uint64_t>(stream), static_cast<std::uint64_t>(source.sheet),
                 static_cast<std::uint64_t>(source.level), detail});
}

// What a whole sheet shares: the order in which its places take the contexts, and where its
// places start among their kinds' wordings.
struct SheetDraws {
  std::vector<std::size_t> contextOrder;
  std::uint32_t wording;
};

SheetDraws DrawSheet(const ProblemSource& source) {
  SplitMix64 random(SeedFor(Stream::Sheet, source, 0));
  std::vector<std::size_t> contextOrder = Permutation(ContextCount, random);
  return {std::move(contextOrder), static_cast<std::uint32_t>(random.Next() >> 32)};
}

// A place takes the first context from its own on in the sheet's order that has its kind, so
// that neighbouring places tell of different things.
Context ContextFor(Kind kind, const std::vector<std::size_t>& order, std::size_t place) {
  for (std::size_t step = 0; step < order.size(); ++step) {
    const Context context = Contexts[order[(place + step) % order.size()]];
    if (RecipeOf(context, kind)) {
      return context;
    }
  }
  throw std::logic_error("no context has this kind");
}

void CheckRange(std::int32_t value, std::int32_t low, std::int32_t high, const char* what) {
  if (value < low || value > high) {
    throw std::out_of_range(std::string(what) + " " + std::to_string(value) + " is outside " +
                            std::to_string(low) + " to " + std::to_string(high));
  }
}

}  // namespace

double Tenths::ToDouble() const {
  return static_cast<double>(count) / 10;
}

std::string Tenths::Text(std::string_view decimalSeparator) const {
  return *DecimalText(Fraction::Of(count, 10), decimalSeparator);
}

bool Problem::IsGiven(Column column) const {
  return !IsResultColumn(variant, column);
}

Problem MakeProblem(std::int32_t sheet, Level level, std::int32_t place) {
  CheckRange(sheet, FirstSheet, LastSheet, "sheet");
  CheckRange(place, 0, MaxSheetSize - 1, "place");
  Problem problem;
  problem.source = {sheet, level, place};
  const std::size_t at = static_cast<std::size_t>(place);
  const std::vector<std::vector<Kind>> slots = SlotsOf(level);
  const std::size_t round = at / slots.size();
  SplitMix64 order(SeedFor(Stream::Order, problem.source, round));
  const std::vector<Kind>& slot = slots[Permutation(slots.size(), order)[at % slots.size()]];
  SplitMix64 random(SeedFor(Stream::Numbers, problem.source, at));
  problem.kind = slot[static_cast<std::size_t>(random.Below(slot.size()))];
  const SheetDraws sheetDraws = DrawSheet(problem.source);
  problem.context = ContextFor(problem.kind, sheetDraws.contextOrder, at);
  problem.wording = sheetDraws.wording + static_cast<std::uint32_t>(round);
  problem.level = LevelOfKind(problem.kind);
  problem.variant = VariantOfKind(problem.kind);
  const Recipe recipe = *RecipeOf(problem.context, problem.kind);
  problem.first = recipe.first;
  problem.second = recipe.second;
  problem.unit = NumbersOf(problem.context).unit;
  const std::span<const Column> sought = SoughtOf(problem.kind);
  problem.sought.assign(sought.begin(), sought.end());
  DrawNumbers(problem, recipe, random);
  return problem;
}

std::vector<Problem> MakeSheet(std::int32_t sheet, Level level, std::int32_t count) {
  CheckRange(count, MinSheetSize, MaxSheetSize, "sheet size");
  std::vector<Problem> problems;
  for (std::int32_t place = 0; place < count; ++place) {
    problems.push_back(MakeProblem(sheet, level, place));
  }
  return problems;
}

Tenths AnsweredValue(const Problem& problem, Column column) {
  const Tenths value = problem.Value(column);
  return column == Weight2 && LeavesWater(problem.kind) ? Tenths{-value.count} : value;
}

Unit UnitOf(const Problem& problem, Column column) {
  const bool isPercentage = column == Percent1 || column == Percent2 || column == MixPercent;
  return isPercentage ? Unit::Percent : problem.unit;
}

std::string_view UnitSymbol(Unit unit) {
  constexpr std::array<std::string_view, 4> Symbols = {"г", "кг", "л", "%"};
  return Symbols[static_cast<std::size_t>(unit)];
}
