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

struct Proportions {
  Percentages percentages;
  Ratio ratio;
};

// A mass of this many tenths of a gram or more is said in kilograms: 1000 г is "1 кг".
constexpr std::int64_t KilogramInTenthsOfGram = 10000;
constexpr std::int64_t GramsInKilogram = 1000;

// The decimal places school allows in a line of working, by the kind's level (One, Two, Three).
constexpr std::array<std::int64_t, 3> WorkingPlaces = {1, 2, 2};

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

// Where a kind's problems have few numbers to vary, a hundred sheets would meet one problem twice
// by chance: there one of its numbers is not drawn but taken in turn, by the sheet, so that
// sheets fewer than SpreadStride apart take different ones. A turn that gives no sound problem in
// SpreadTries draws passes on by the stride, out of the hundred sheets' reach. The turns are
// shuffled by a prime, so that neighbouring sheets do not read alike, and each kind starts
// elsewhere, so that two kinds on one sheet do not give the same numbers (700 г of 8%).
constexpr std::uint64_t SpreadStride = 101;
constexpr int SpreadTries = 20;
constexpr std::uint64_t SpreadShuffle = 7919;
constexpr std::uint64_t KindsApart = 1009;

std::uint64_t TurnOf(const Problem& problem, int draw) {
  return static_cast<std::uint64_t>(problem.source.sheet) +
         SpreadStride * static_cast<std::uint64_t>(draw / SpreadTries) +
         KindsApart * static_cast<std::uint64_t>(problem.kind);
}

// A ratio's problem is its three percentages alone, and the parts' two are taken in turn.
std::optional<std::uint64_t> TurnFor(const Problem& problem, int draw) {
  if (problem.asked != Asked::Ratio) {
    return std::nullopt;
  }
  return TurnOf(problem, draw);
}

// The turn's place among `count` things: different for turns that differ by less than `count`.
std::size_t InTurn(std::uint64_t turn, std::size_t count) {
  return static_cast<std::size_t>(turn * SpreadShuffle % count);
}

// Every percentage given: the masses must be as (p2 − pm) : (pm − p1).
std::optional<Proportions> WithPercentagesGiven(std::int64_t first, std::int64_t second,
                                                std::int64_t mixture, std::int64_t maxPart) {
  if (!IsStrictlyBetween(mixture, first, second)) {
    return std::nullopt;
  }
  const Ratio ratio = Reduced(std::abs(second - mixture), std::abs(mixture - first));
  if (std::max(ratio.first, ratio.second) > maxPart) {
    return std::nullopt;
  }
  return Proportions{{first, second, mixture}, ratio};
}

std::optional<Proportions> DrawWithPercentagesGiven(std::span<const std::int64_t> firstPercents,
                                                    std::span<const std::int64_t> secondPercents,
                                                    std::span<const std::int64_t> mixturePercents,
                                                    std::int64_t maxPart, SplitMix64& random) {
  const std::int64_t first = DrawFrom(firstPercents, random);
  const std::int64_t second = DrawFrom(secondPercents, random);
  return WithPercentagesGiven(first, second, DrawFrom(mixturePercents, random), maxPart);
}

// The two parts' percentages taken in turn, the mixture's drawn.
std::optional<Proportions> SpreadWithPercentagesGiven(std::span<const std::int64_t> firstPercents,
                                                      std::span<const std::int64_t> secondPercents,
                                                      std::span<const std::int64_t> mixturePercents,
                                                      std::int64_t maxPart, std::uint64_t turn,
                                                      SplitMix64& random) {
  const std::size_t pair = InTurn(turn, firstPercents.size() * secondPercents.size());
  return WithPercentagesGiven(firstPercents[pair / secondPercents.size()],
                              secondPercents[pair % secondPercents.size()],
                              DrawFrom(mixturePercents, random), maxPart);
}

// Salt or sugar dissolved is a small part of its solution, far smaller than one of two solutions
// mixed: 5% is 1 : 19 of water.
constexpr std::int64_t DissolvedRatioPart = 25;

// What the parts of the mixing that is drawn are. Water that leaves is drawn read backwards, as a
// mixing: there the mixture that is stated is the first part, and the stated first part the
// mixture (dried produce and water make the fresh).
struct DrawnParts {
  Ingredient first;
  Ingredient second;
  Ingredient mixture;
};

DrawnParts DrawnPartsOf(Recipe recipe, Kind kind) {
  if (LeavesWater(kind)) {
    return {Ingredient::Solution, recipe.second, recipe.first};
  }
  return {recipe.first, recipe.second, Ingredient::Solution};
}

bool IsDissolved(const DrawnParts& parts) {
  return parts.first == Ingredient::PureSubstance && parts.second == Ingredient::Water;
}

// The percentages first and the masses' ratio with them; the unknown percentage, if any, is
// worked out rather than drawn, so that it comes out whole or with one decimal place.
std::optional<Proportions> DrawProportions(Context context, const DrawnParts& parts,
                                           VariantIndex variant, std::optional<std::uint64_t> turn,
                                           SplitMix64& random) {
  const std::span<const std::int64_t> firstPercents = PercentsOf(context, parts.first);
  const std::span<const std::int64_t> secondPercents = PercentsOf(context, parts.second);
  const std::span<const std::int64_t> mixturePercents = PercentsOf(context, parts.mixture);
  const std::int64_t maxPart = NumbersOf(context).maxRatioPart;
  if (IsResultColumn(variant, MixPercent)) {
    return DrawWithMixtureSought(firstPercents, secondPercents, maxPart, random);
  }
  if (IsResultColumn(variant, Percent2)) {
    return DrawWithSecondSought(firstPercents, mixturePercents, maxPart, random);
  }
  if (turn) {
    return SpreadWithPercentagesGiven(firstPercents, secondPercents, mixturePercents, maxPart,
                                      *turn, random);
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

// The round masses a context's problems may give, ascending.
std::vector<std::int64_t> RoundMasses(const ContextNumbers& numbers) {
  std::vector<std::int64_t> masses;
  for (std::int64_t mass = numbers.minMass; mass <= numbers.maxMass; mass += numbers.massStep) {
    if (IsPlausibleMass(numbers, mass) && IsRound(mass)) {
      masses.push_back(mass);
    }
  }
  return masses;
}

const std::vector<std::int64_t>& RoundMassesOf(Context context) {
  static const std::array<std::vector<std::int64_t>, ContextCount> Masses = [] {
    std::array<std::vector<std::int64_t>, ContextCount> masses;
    for (const Context each : Contexts) {
      masses[static_cast<std::size_t>(each)] = RoundMasses(NumbersOf(each));
    }
    return masses;
  }();
  return Masses[static_cast<std::size_t>(context)];
}

// The part of the ratio that the first mass the problem gives stands for.
std::int64_t GivenPart(VariantIndex variant, Ratio ratio) {
  if (!IsResultColumn(variant, Weight1)) {
    return ratio.first;
  }
  return IsResultColumn(variant, Weight2) ? ratio.first + ratio.second : ratio.second;
}

// The first mass the problem gives is round (2,5 кг; 350 г), any of the context's round masses
// that the ratio allows, so that the masses read as school writes them and vary widely.
bool FitsGivenMass(const ContextNumbers& numbers, Ratio ratio, std::int64_t part,
                   std::int64_t mass) {
  return mass % (part * numbers.massStep) == 0 && FitsMasses(numbers, ratio, mass / part);
}

std::optional<std::int64_t> DrawScale(Context context, VariantIndex variant, Ratio ratio,
                                      SplitMix64& random) {
  const ContextNumbers& numbers = NumbersOf(context);
  const std::int64_t part = GivenPart(variant, ratio);
  const auto fits = [&](std::int64_t mass) { return FitsGivenMass(numbers, ratio, part, mass); };
  const std::vector<std::int64_t>& masses = RoundMassesOf(context);
  const std::ptrdiff_t count = std::count_if(masses.begin(), masses.end(), fits);
  if (count == 0) {
    return std::nullopt;
  }
  std::ptrdiff_t chosen =
      static_cast<std::ptrdiff_t>(random.Below(static_cast<std::uint64_t>(count)));
  for (const std::int64_t mass : masses) {
    if (fits(mass) && chosen-- == 0) {
      return mass / part;
    }
  }
  return std::nullopt;
}

// Any of the context's round masses, where the ratio allows it: every strength and mass that fit
// are then alike likely. Produce dried has parts far apart (5 : 39), which few masses fit.
std::optional<std::int64_t> DrawAnyScale(Context context, VariantIndex variant, Ratio ratio,
                                         SplitMix64& random) {
  const std::int64_t part = GivenPart(variant, ratio);
  const std::int64_t mass = DrawFrom(RoundMassesOf(context), random);
  if (!FitsGivenMass(NumbersOf(context), ratio, part, mass)) {
    return std::nullopt;
  }
  return mass / part;
}

bool AreGivenMassesRound(const Problem& problem) {
  for (const Column column : {Weight1, Weight2, MixWeight}) {
    // Water that evaporated is given as the mass that left.
    if (problem.IsGiven(column) && !IsRound(std::abs(problem.Value(column).count))) {
      return false;
    }
  }
  return true;
}

// The drawn numbers' rules, checked in exact integer arithmetic: plausible in their context,
// both balances, the mixture between its parts and round givens.
bool IsSound(const Problem& problem, const DrawnParts& parts) {
  const ContextNumbers& numbers = NumbersOf(problem.context);
  const std::int64_t p1 = problem.Value(Percent1).count;
  const std::int64_t w1 = problem.Value(Weight1).count;
  const std::int64_t p2 = problem.Value(Percent2).count;
  const std::int64_t w2 = problem.Value(Weight2).count;
  const std::int64_t pm = problem.Value(MixPercent).count;
  const std::int64_t wm = problem.Value(MixWeight).count;
  return IsPlausibleMass(numbers, w1) && IsPlausibleMass(numbers, w2) &&
         IsPlausibleMass(numbers, wm) && IsPlausiblePercent(problem.context, parts.first, p1) &&
         IsPlausiblePercent(problem.context, parts.second, p2) &&
         IsPlausiblePercent(problem.context, parts.mixture, pm) && IsStrictlyBetween(pm, p1, p2) &&
         w1 + w2 == wm && w1 * p1 + w2 * p2 == wm * pm && AreGivenMassesRound(problem);
}

bool AreApart(const ContextNumbers& numbers, std::int64_t a, std::int64_t b) {
  const std::int64_t gap = std::abs(a - b);
  return gap >= numbers.minGap && 4 * gap >= numbers.minGapQuarters * std::max(a, b);
}

bool IsWaterOrPure(Ingredient ingredient) {
  return ingredient == Ingredient::Water || ingredient == Ingredient::PureSubstance;
}

// The two parts, and a solution and what it becomes where only water or the pure substance is
// added or leaves, differ enough for the answer to teach something.
bool ArePercentagesApart(const Problem& problem) {
  const ContextNumbers& numbers = NumbersOf(problem.context);
  const std::int64_t p1 = problem.Value(Percent1).count;
  const bool becomes = IsWaterOrPure(problem.second);
  return AreApart(numbers, p1, problem.Value(Percent2).count) &&
         (!becomes || AreApart(numbers, p1, problem.Value(MixPercent).count));
}

// A mass times a percentage, in hundredths of a tenth (of the unit times a per cent): whether
// mass · percent : 100 has at most `places` decimal places.
bool HasPlaces(std::int64_t massTimesPercent, std::int64_t places) {
  std::int64_t unit = 1000;
  for (std::int64_t place = 1; place < places; ++place) {
    unit /= 10;
  }
  return massTimesPercent % unit == 0;
}

// What school works out on the way, in the problem's own unit: each part's substance
// (mass · percent : 100), and its water (mass · (100 − percent) : 100) where water or the pure
// substance is added. The whole's mass (substance : percent · 100) is one of the masses, all in
// tenths already.
bool HasSchoolDecimals(const Problem& problem) {
  const std::int64_t places = WorkingPlaces[static_cast<std::size_t>(problem.level)];
  const bool waterWorked = IsWaterOrPure(problem.second);
  for (const auto& [weight, percent] :
       {std::pair{Weight1, Percent1}, {Weight2, Percent2}, {MixWeight, MixPercent}}) {
    const std::int64_t mass = problem.Value(weight).count;
    const std::int64_t share = problem.Value(percent).count;
    if (!HasPlaces(mass * share, places) ||
        (waterWorked && !HasPlaces(mass * (1000 - share), places))) {
      return false;
    }
  }
  return true;
}

constexpr std::array<Column, 3> MassColumns = {Weight1, Weight2, MixWeight};

bool ReachesAKilogram(const std::array<Tenths, ColumnCount>& values) {
  return std::any_of(MassColumns.begin(), MassColumns.end(), [&](Column column) {
    return std::abs(values[column].count) >= KilogramInTenthsOfGram;
  });
}

// False where a mass would need hundredths of a kilogram (1250 г).
bool IntoKilograms(std::array<Tenths, ColumnCount>& values) {
  for (const Column column : MassColumns) {
    Tenths& mass = values[column];
    if (mass.count % GramsInKilogram != 0) {
      return false;
    }
    mass.count /= GramsInKilogram;
  }
  return true;
}

// A problem in grams whose largest mass, in either step, given or sought, reaches 1000 г is said
// wholly in kilograms, as a textbook says "1,5 кг"; none where a mass would then need hundredths
// of a kilogram.
std::optional<Problem> InTextbookUnit(Problem problem) {
  std::optional<std::array<Tenths, ColumnCount>>& first = problem.firstStep;
  const bool large = ReachesAKilogram(problem.values) || (first && ReachesAKilogram(*first));
  if (problem.unit != Unit::Gram || !large) {
    return problem;
  }
  if (!IntoKilograms(problem.values) || (first && !IntoKilograms(*first))) {
    return std::nullopt;
  }
  problem.unit = Unit::Kilogram;
  return problem;
}

using Values = std::array<Tenths, ColumnCount>;

Values ValuesOf(const Proportions& proportions, std::int64_t scale) {
  const auto& [percentages, ratio] = proportions;
  return {{{percentages.first},
           {ratio.first * scale},
           {percentages.second},
           {ratio.second * scale},
           {percentages.mixture},
           {(ratio.first + ratio.second) * scale}}};
}

std::optional<std::array<Tenths, ColumnCount>> DrawValues(Context context, const DrawnParts& parts,
                                                          VariantIndex variant,
                                                          std::optional<std::uint64_t> turn,
                                                          SplitMix64& random) {
  const std::optional<Proportions> proportions =
      DrawProportions(context, parts, variant, turn, random);
  if (!proportions) {
    return std::nullopt;
  }
  const Ratio ratio = proportions->ratio;
  const std::optional<std::int64_t> scale = parts.mixture == Ingredient::Fresh
                                                ? DrawAnyScale(context, variant, ratio, random)
                                                : DrawScale(context, variant, ratio, random);
  if (!scale) {
    return std::nullopt;
  }
  return ValuesOf(*proportions, *scale);
}

// Evaporation read backwards is a mixing: what remains and the water that left make the solution
// at the start, as dried produce and its water make the fresh. It is drawn so, with every given
// of "Вариант 7", and then turned round.
constexpr VariantIndex EvaporationDrawnAs = 6;

std::array<Tenths, ColumnCount> TurnedRound(const std::array<Tenths, ColumnCount>& mixing) {
  return {{mixing[MixPercent],
           mixing[MixWeight],
           {0},
           {-mixing[Weight2].count},
           mixing[Percent1],
           mixing[Weight1]}};
}

// No answer is a number the pupil could copy from the problem or from the other box, nor one a
// typical mistake gives too: the new solution's mass, or the average of two percentages where
// the parts weigh the same. A ratio's terms are no numbers to copy, but 1 : 1 is that average.
bool AnswersTeach(const Problem& problem) {
  if (problem.asked == Asked::Ratio) {
    return problem.Value(Weight1) != problem.Value(Weight2);
  }
  for (const Column sought : problem.sought) {
    const std::int64_t answer = AnsweredValue(problem, sought).count;
    for (const Column other : AllColumns) {
      // The grid's number, and the one the text states where they differ (90% вода for 10%).
      if (other != sought && (std::abs(problem.Value(other).count) == answer ||
                              AnsweredValue(problem, other).count == answer)) {
        return false;
      }
    }
    // Nor one of the first step's, whose mixture's percentage is the mistake of two steps.
    if (problem.firstStep &&
        std::any_of(problem.firstStep->begin(), problem.firstStep->end(),
                    [answer](Tenths value) { return value.count == answer; })) {
      return false;
    }
  }
  const bool percentageSought =
      std::any_of(problem.sought.begin(), problem.sought.end(),
                  [&problem](Column column) { return UnitOf(problem, column) == Unit::Percent; });
  return !percentageSought ||
         problem.Value(Weight1).count != std::abs(problem.Value(Weight2).count);
}

// What the first step's draw could not yet check: its working in the unit the problem is said
// in, and the water a second step gives, round.
bool IsSoundSecondStep(const Problem& problem) {
  return HasSchoolDecimals(FirstStepOf(problem)) && AreGivenMassesRound(problem);
}

// The problem as the pupil reads it, where its drawn numbers keep every rule of the sheet too.
std::optional<Problem> Stated(Problem problem, const std::array<Tenths, ColumnCount>& drawn,
                              const std::vector<Problem>& earlier) {
  problem.values = LeavesWater(problem.kind) ? TurnedRound(drawn) : drawn;
  std::optional<Problem> stated = InTextbookUnit(std::move(problem));
  if (!stated || !ArePercentagesApart(*stated) || !HasSchoolDecimals(*stated) ||
      (stated->firstStep && !IsSoundSecondStep(*stated)) || !AnswersTeach(*stated) ||
      std::any_of(earlier.begin(), earlier.end(),
                  [&](const Problem& other) { return IsSameProblem(*stated, other); })) {
    return std::nullopt;
  }
  return stated;
}

// A problem of the kind in the context, all but its numbers and wording.
Problem Framed(const ProblemSource& source, Kind kind, Context context) {
  Problem problem;
  problem.source = source;
  problem.kind = kind;
  problem.context = context;
  problem.level = LevelOfKind(kind);
  problem.variant = VariantOfKind(kind);
  const Recipe recipe = *RecipeOf(context, kind);
  problem.first = recipe.first;
  problem.second = recipe.second;
  problem.unit = NumbersOf(context).unit;
  const std::span<const Column> sought = SoughtOf(kind);
  problem.sought.assign(sought.begin(), sought.end());
  problem.asked = AskedOf(kind);
  return problem;
}

// Salt dissolved in water has few strengths, and few masses fit each: drawn at random, a hundred
// sheets would meet one problem a few times. Its sound problems in a context are few enough to list
// once, each strength of the textbook's (12%, not 12,5%) with each round mass that fits it.
std::vector<Values> SoundDissolved(const Problem& problem, const DrawnParts& parts) {
  const ContextNumbers& numbers = NumbersOf(problem.context);
  std::vector<Values> sound;
  Problem drawn = problem;
  for (const std::int64_t mixture : PercentsOf(problem.context, parts.mixture)) {
    const std::optional<Proportions> proportions = WithPercentagesGiven(
        PercentsOf(problem.context, parts.first).front(),
        PercentsOf(problem.context, parts.second).front(), mixture, DissolvedRatioPart);
    if (!proportions) {
      continue;
    }
    const std::int64_t part = GivenPart(problem.variant, proportions->ratio);
    for (const std::int64_t mass : RoundMassesOf(problem.context)) {
      if (FitsGivenMass(numbers, proportions->ratio, part, mass)) {
        drawn.values = ValuesOf(*proportions, mass / part);
        if (IsSound(drawn, parts) && Stated(problem, drawn.values, {})) {
          sound.push_back(drawn.values);
        }
      }
    }
  }
  return sound;
}

// Listed for every kind and context that dissolve the pure substance, the first time one is asked.
const std::vector<Values>& SoundDissolvedOf(Kind kind, Context context) {
  static const auto Lists = [] {
    std::array<std::array<std::vector<Values>, ContextCount>, KindCount> lists;
    for (const Kind each : Kinds) {
      for (const Context where : Contexts) {
        const std::optional<Recipe> recipe = RecipeOf(where, each);
        if (recipe && IsDissolved(DrawnPartsOf(*recipe, each))) {
          lists[static_cast<std::size_t>(each)][static_cast<std::size_t>(where)] =
              SoundDissolved(Framed({}, each, where), DrawnPartsOf(*recipe, each));
        }
      }
    }
    return lists;
  }();
  return Lists[static_cast<std::size_t>(kind)][static_cast<std::size_t>(context)];
}

// The sheet's turn among the listed problems; where it repeats an earlier one on the sheet, a turn
// out of the hundred sheets' reach.
Problem TakeInTurn(const Problem& problem, const std::vector<Problem>& earlier) {
  const std::vector<Values>& sound = SoundDissolvedOf(problem.kind, problem.context);
  for (int draw = 0; draw < MaxDraws && !sound.empty(); draw += SpreadTries) {
    const Values& values = sound[InTurn(TurnOf(problem, draw), sound.size())];
    if (std::optional<Problem> stated = Stated(problem, values, earlier)) {
      return *stated;
    }
  }
  throw std::logic_error("no sound problem of this kind in this context");
}

// A candidate that breaks a rule, or repeats one of the earlier problems, is drawn again from the
// same stream, so the redraws are the same everywhere too.
Problem DrawNumbers(const Problem& problem, Recipe recipe, SplitMix64& random,
                    const std::vector<Problem>& earlier) {
  Problem drawn = problem;
  drawn.variant = LeavesWater(problem.kind) ? EvaporationDrawnAs : problem.variant;
  const DrawnParts parts = DrawnPartsOf(recipe, problem.kind);
  if (IsDissolved(parts)) {
    return TakeInTurn(problem, earlier);
  }
  for (int draw = 0; draw < MaxDraws; ++draw) {
    const std::optional<std::array<Tenths, ColumnCount>> values =
        DrawValues(drawn.context, parts, drawn.variant, TurnFor(problem, draw), random);
    if (values) {
      drawn.values = *values;
      if (IsSound(drawn, parts)) {
        std::optional<Problem> stated = Stated(problem, *values, earlier);
        if (stated) {
          return *stated;
        }
      }
    }
  }
  throw std::logic_error("no sound problem of this kind in this context");
}

constexpr DrawnParts TwoSolutions = {Ingredient::Solution, Ingredient::Solution,
                                     Ingredient::Solution};

// Two solutions mixed, as a problem of its own: the first of two steps.
Problem AsMixing(Problem problem, const std::array<Tenths, ColumnCount>& values) {
  problem.kind = Kind::MixTwo;
  problem.variant = VariantOfKind(Kind::MixTwo);
  problem.first = Ingredient::Solution;
  problem.second = Ingredient::Solution;
  problem.values = values;
  const std::span<const Column> sought = SoughtOf(Kind::MixTwo);
  problem.sought.assign(sought.begin(), sought.end());
  problem.asked = Asked::Amounts;
  problem.firstStep.reset();
  return problem;
}

std::optional<std::array<Tenths, ColumnCount>> DrawFirstStep(const Problem& problem,
                                                             SplitMix64& random) {
  Problem mixing = AsMixing(problem, {});
  const std::optional<std::array<Tenths, ColumnCount>> values =
      DrawValues(mixing.context, TwoSolutions, mixing.variant, TurnFor(mixing, 0), random);
  if (!values) {
    return std::nullopt;
  }
  mixing.values = *values;
  // Two equal masses read as made up; a textbook's first step mixes two different amounts.
  if (!IsSound(mixing, TwoSolutions) || !ArePercentagesApart(mixing) ||
      (*values)[Weight1] == (*values)[Weight2]) {
    return std::nullopt;
  }
  return values;
}

// Water poured into the first step's mixture, or evaporated from it, until it is of one of the
// context's strengths, far enough from the mixture's: the substance stays, so the new solution
// weighs wm · pm : p.
std::optional<std::array<Tenths, ColumnCount>> DrawSecondStep(
    Context context, const std::array<Tenths, ColumnCount>& first, bool evaporates,
    SplitMix64& random) {
  const ContextNumbers& numbers = NumbersOf(context);
  const std::int64_t percent = first[MixPercent].count;
  const std::int64_t mass = first[MixWeight].count;
  const std::int64_t target = DrawFrom(numbers.solutionPercents, random);
  if ((target > percent) != evaporates || !AreApart(numbers, percent, target) ||
      mass * percent % target != 0) {
    return std::nullopt;
  }
  const std::int64_t newMass = mass * percent / target;
  const std::int64_t water = std::abs(newMass - mass);
  // Water of the same amount as a solution mixed before reads as made up too.
  if (!IsPlausibleMass(numbers, newMass) || !IsPlausibleMass(numbers, water) ||
      water == first[Weight1].count || water == first[Weight2].count) {
    return std::nullopt;
  }
  return std::array<Tenths, ColumnCount>{
      {{percent}, {mass}, {0}, {newMass - mass}, {target}, {newMass}}};
}

// The second step's variant, and the quantity it asks for: the water given and the new
// solution's percentage asked, or the other way round.
constexpr std::array<VariantIndex, 2> SecondStepVariants = {0, 1};
constexpr std::array<Column, 2> SecondStepSought = {MixPercent, Weight2};

// Two steps: which way the second goes, water poured in or, where the context has it, evaporated,
// is drawn first, then both steps' numbers.
Problem DrawTwoSteps(Problem problem, SplitMix64& random, const std::vector<Problem>& earlier) {
  const std::size_t shape = static_cast<std::size_t>(random.Below(SecondStepVariants.size()));
  problem.variant = SecondStepVariants[shape];
  problem.sought = {SecondStepSought[shape]};
  const bool evaporates =
      RecipeOf(problem.context, Kind::Evaporation).has_value() && random.Below(2) == 1;
  for (int draw = 0; draw < MaxDraws; ++draw) {
    const std::optional<std::array<Tenths, ColumnCount>> first = DrawFirstStep(problem, random);
    if (!first) {
      continue;
    }
    const std::optional<std::array<Tenths, ColumnCount>> second =
        DrawSecondStep(problem.context, *first, evaporates, random);
    if (!second) {
      continue;
    }
    problem.firstStep = *first;
    if (std::optional<Problem> stated = Stated(problem, *second, earlier)) {
      return *stated;
    }
  }
  throw std::logic_error("no sound problem of two steps in this context");
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

// What a place on the sheet tells of.
struct Place {
  Kind kind;
  Context context;
  friend bool operator==(const Place&, const Place&) = default;
};

// The place's own stream: its first draw picks the kind within its slot, the rest its numbers.
SplitMix64 NumbersStream(const ProblemSource& source) {
  return SplitMix64(SeedFor(Stream::Numbers, source, static_cast<std::uint64_t>(source.place)));
}

Kind KindAt(const ProblemSource& source, const std::vector<std::vector<Kind>>& slots,
            SplitMix64& numbers) {
  const std::size_t at = static_cast<std::size_t>(source.place);
  SplitMix64 order(SeedFor(Stream::Order, source, at / slots.size()));
  const std::vector<Kind>& slot = slots[Permutation(slots.size(), order)[at % slots.size()]];
  return slot[static_cast<std::size_t>(numbers.Below(slot.size()))];
}

// A place takes, among the contexts that have its kind, the one its kind has told of least on the
// sheet so far, the first from its own on in the sheet's order: neighbouring places tell of
// different things, and a kind comes back to a context only once it has been in all of its own.
Context ContextFor(Kind kind, const std::vector<std::size_t>& order, std::size_t place,
                   const std::vector<Place>& before) {
  std::optional<Context> least;
  std::ptrdiff_t leastUses = 0;
  for (std::size_t step = 0; step < order.size(); ++step) {
    const Context context = Contexts[order[(place + step) % order.size()]];
    const std::ptrdiff_t uses = std::count(before.begin(), before.end(), Place{kind, context});
    if (RecipeOf(context, kind) && (!least || uses < leastUses)) {
      least = context;
      leastUses = uses;
    }
  }
  if (!least) {
    throw std::logic_error("no context has this kind");
  }
  return *least;
}

// What the places up to the source's tell of, in order.
std::vector<Place> PlacesUpTo(const ProblemSource& source, const SheetDraws& sheetDraws) {
  const std::vector<std::vector<Kind>> slots = SlotsOf(source.level);
  std::vector<Place> places;
  for (std::int32_t place = 0; place <= source.place; ++place) {
    const ProblemSource at = {source.sheet, source.level, place};
    SplitMix64 numbers = NumbersStream(at);
    const Kind kind = KindAt(at, slots, numbers);
    places.push_back(
        {kind, ContextFor(kind, sheetDraws.contextOrder, static_cast<std::size_t>(place), places)});
  }
  return places;
}

bool IsBetween(std::int32_t value, std::int32_t low, std::int32_t high) {
  return value >= low && value <= high;
}

}  // namespace

double Tenths::ToDouble() const {
  return static_cast<double>(count) / 10;
}

std::string Tenths::Text(std::string_view decimalSeparator) const {
  return *DecimalText(Fraction::Of(count, 10), decimalSeparator);
}

bool Problem::IsGiven(Column column) const {
  const bool massOfARatio = asked == Asked::Ratio && UnitOf(*this, column) != Unit::Percent;
  // The second step starts from the first step's mixture, which the pupil works out.
  const bool mixedBefore = firstStep && (column == Percent1 || column == Weight1);
  return !IsResultColumn(variant, column) && !massOfARatio && !mixedBefore;
}

bool IsPlaceOnSheet(std::int32_t sheet, std::int32_t place) {
  return IsBetween(sheet, FirstSheet, LastSheet) && IsBetween(place, 0, MaxSheetSize - 1);
}

bool IsSheet(std::int32_t sheet, std::int32_t count) {
  return IsBetween(sheet, FirstSheet, LastSheet) && IsBetween(count, MinSheetSize, MaxSheetSize);
}

Problem MakeProblem(std::int32_t sheet, Level level, std::int32_t place) {
  if (!IsPlaceOnSheet(sheet, place)) {
    throw std::out_of_range("no place " + std::to_string(place) + " on sheet " +
                            std::to_string(sheet));
  }
  const ProblemSource source = {sheet, level, place};
  const std::vector<std::vector<Kind>> slots = SlotsOf(level);
  SplitMix64 random = NumbersStream(source);
  const Kind kind = KindAt(source, slots, random);
  const SheetDraws sheetDraws = DrawSheet(source);
  const std::vector<Place> places = PlacesUpTo(source, sheetDraws);
  Problem problem = Framed(source, kind, places.back().context);
  const std::size_t round = static_cast<std::size_t>(place) / slots.size();
  problem.wording = sheetDraws.wording + static_cast<std::uint32_t>(round);
  const Recipe recipe = *RecipeOf(problem.context, problem.kind);
  // Only a place of the same kind in the same context could repeat a problem.
  std::vector<Problem> earlier;
  for (std::int32_t before = 0; before < place; ++before) {
    if (places[static_cast<std::size_t>(before)] == places.back()) {
      earlier.push_back(MakeProblem(sheet, level, before));
    }
  }
  if (problem.kind == Kind::TwoSteps) {
    return DrawTwoSteps(problem, random, earlier);
  }
  return DrawNumbers(problem, recipe, random, earlier);
}

std::vector<Problem> MakeSheet(std::int32_t sheet, Level level, std::int32_t count) {
  if (!IsSheet(sheet, count)) {
    throw std::out_of_range("no sheet " + std::to_string(sheet) + " of " + std::to_string(count));
  }
  std::vector<Problem> problems;
  for (std::int32_t place = 0; place < count; ++place) {
    problems.push_back(MakeProblem(sheet, level, place));
  }
  return problems;
}

Ratio MassRatio(const Problem& problem) {
  return Reduced(problem.Value(Weight1).count, std::abs(problem.Value(Weight2).count));
}

bool IsSameProblem(const Problem& one, const Problem& other) {
  if (one.kind != other.kind || one.context != other.context || one.first != other.first ||
      one.second != other.second || one.asked != other.asked || one.variant != other.variant ||
      one.firstStep != other.firstStep) {
    return false;
  }
  // A first step gives all four of its quantities, masses among them.
  bool massGiven = one.firstStep.has_value();
  for (const Column column : AllColumns) {
    if (one.IsGiven(column)) {
      massGiven = massGiven || UnitOf(one, column) != Unit::Percent;
      if (one.Value(column) != other.Value(column)) {
        return false;
      }
    }
  }
  return !massGiven || one.unit == other.unit;
}

Tenths AnsweredValue(const Problem& problem, Column column) {
  const Tenths value = problem.Value(column);
  if (UnitOf(problem, column) == Unit::Percent) {
    return StatedShareOf(problem.context) == StatedShare::Water ? Tenths{1000 - value.count}
                                                                : value;
  }
  return column == Weight2 && WaterLeft(problem) ? Tenths{-value.count} : value;
}

bool WaterLeft(const Problem& problem) {
  return LeavesWater(problem.kind) ||
         (problem.kind == Kind::TwoSteps && problem.Value(Weight2).count < 0);
}

Problem FirstStepOf(const Problem& problem) {
  return AsMixing(problem, problem.firstStep.value());
}

Unit UnitOf(const Problem& problem, Column column) {
  const bool isPercentage = column == Percent1 || column == Percent2 || column == MixPercent;
  return isPercentage ? Unit::Percent : problem.unit;
}

std::string_view UnitSymbol(Unit unit) {
  constexpr std::array<std::string_view, 4> Symbols = {"г", "кг", "л", "%"};
  return Symbols[static_cast<std::size_t>(unit)];
}
