#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "worksheet/grid.h"

// What a sheet asks for: "Ниво 1" what does not change and the plain arithmetic of a mixture,
// "Ниво 2" one unknown, "Ниво 3" two unknown masses, a ratio and two steps, or all of them mixed.
enum class Level : std::uint8_t { One, Two, Three, Mixed };
inline constexpr std::array<Level, 4> Levels = {Level::One, Level::Two, Level::Three, Level::Mixed};

// The shapes school gives a mixture problem; each is solved by one variant of the grid.
enum class Kind : std::uint8_t {
  MixTwo,                 // two solutions mixed: what percentage results?
  AddWater,               // water poured in to weaken a solution: how much?
  AddPure,                // the pure substance added to strengthen it: how much?
  TopUpWithWater,         // water up to a given mass: what percentage results?
  UnknownSecondStrength,  // a second part of unknown percentage: what was it?
  FirstForMixture,        // how much of the first, with a known second, for a given percentage?
  SecondFromMixture,      // a known mixture from a known first part: how much of what second?
  EachForMixture,         // how much of each, for a given mixture?
  // Water leaves until the solution is stronger: a part of water (0%) whose mass is negative.
  Evaporation,
  // The pure substance (first, 100%) and water (second, 0%), none of them there before:
  Dissolving,             // how much of each for a given solution?
  DissolvedPercent,       // so much dissolved in so much water: what percentage results?
  SolutionFromSubstance,  // so much of the substance: how much solution, and how much water?
  UnknownStart,           // water poured in weakened a solution: how much was there?
  // Fresh produce dried: its water leaves, as in evaporation, and its dry matter stays. How much
  // dried produce?
  Drying,
  RatioForMixture,  // in what ratio are two parts mixed for a given percentage?
  // Two steps: two solutions mixed, then water poured into the mixture or evaporated from it.
  // What percentage results from so much water, or how much water for a given percentage?
  TwoSteps,
  // One step: how much of the substance a given solution holds, as the pure substance it was
  // made of.
  SubstanceInSolution,
};
inline constexpr std::size_t KindCount = 17;
inline constexpr std::array<Kind, KindCount> Kinds = {Kind::MixTwo,
                                                      Kind::AddWater,
                                                      Kind::AddPure,
                                                      Kind::TopUpWithWater,
                                                      Kind::UnknownSecondStrength,
                                                      Kind::FirstForMixture,
                                                      Kind::SecondFromMixture,
                                                      Kind::EachForMixture,
                                                      Kind::Evaporation,
                                                      Kind::Dissolving,
                                                      Kind::DissolvedPercent,
                                                      Kind::SolutionFromSubstance,
                                                      Kind::UnknownStart,
                                                      Kind::Drying,
                                                      Kind::RatioForMixture,
                                                      Kind::TwoSteps,
                                                      Kind::SubstanceInSolution};

enum class Context : std::uint8_t {
  Salt,
  Sugar,
  Alcohol,
  Juice,
  Vinegar,
  Milk,
  Copper,
  Tin,
  Silver,
  Gold,
  Mushrooms,  // fresh and dried produce
  Plums,
  Apricots,
};
inline constexpr std::size_t ContextCount = 13;
inline constexpr std::array<Context, ContextCount> Contexts = {
    Context::Salt,      Context::Sugar,  Context::Alcohol, Context::Juice,  Context::Vinegar,
    Context::Milk,      Context::Copper, Context::Tin,     Context::Silver, Context::Gold,
    Context::Mushrooms, Context::Plums,  Context::Apricots};

// What a part is: the context's own solution (разтвор, оцет, мляко, сплав, сушени гъби), the
// concentrate that solution is made from (оцетна есенция), water (0%), the pure substance (100%)
// or the fresh produce that is dried. A mixture is always the context's solution.
enum class Ingredient : std::uint8_t { Solution, Concentrate, Water, PureSubstance, Fresh };

// What the percentages a problem states measure: the substance the grid's columns hold, or the
// water beside it. Produce is said to hold "90% вода" where the column holds its dry matter, 10%.
enum class StatedShare : std::uint8_t { Substance, Water };

// Masses are in one of the first three; Percent is the unit of the percentage columns.
enum class Unit : std::uint8_t { Gram, Kilogram, Litre, Percent };

// What a question asks for: the sought quantities themselves, or only the ratio w1 : w2 of the
// two parts' masses, which the grid finds for any mixture's mass.
enum class Asked : std::uint8_t { Amounts, Ratio };

VariantIndex VariantOfKind(Kind kind);
Asked AskedOf(Kind kind);
// Whether the kind's second part is water that leaves: its mass in the grid is negative.
bool LeavesWater(Kind kind);
Level LevelOfKind(Kind kind);
// The columns the kind's question asks for, in the order it asks them: one or both of its
// variant's results (the grid computes both).
std::span<const Column> SoughtOf(Kind kind);

struct Recipe {
  Ingredient first;
  Ingredient second;
};
// None where the kind does not fit the context: no water poured into an alloy or milk, no
// vinegar or alcohol left to evaporate.
std::optional<Recipe> RecipeOf(Context context, Kind kind);

// What is plausible in a context, every number in tenths (of the unit, or of a per cent).
struct ContextNumbers {
  Unit unit;              // of the masses
  std::int64_t massStep;  // every mass is a multiple of it
  std::int64_t minMass;
  std::int64_t maxMass;
  std::int64_t maxRatioPart;  // the parts' masses are as a : b in lowest terms, both up to it
  // Two percentages a mixing compares are at least minGap apart and, where the range is narrow
  // (milk, vinegar), at least minGapQuarters quarters of the larger: 24% with 25% teaches nothing.
  std::int64_t minGap;
  std::int64_t minGapQuarters;
  std::span<const std::int64_t> solutionPercents;     // ascending
  std::span<const std::int64_t> concentratePercents;  // ascending; empty without one
  std::span<const std::int64_t> freshPercents = {};   // ascending; only produce has them
  StatedShare stated = StatedShare::Substance;
};
const ContextNumbers& NumbersOf(Context context);

StatedShare StatedShareOf(Context context);

// The percentages a part of this ingredient is given with, ascending: only 0 for water and only
// 100 for the pure substance.
std::span<const std::int64_t> PercentsOf(Context context, Ingredient ingredient);
