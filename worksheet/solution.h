#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "worksheet/solver.h"
#include "worksheet/variants.h"

// A calculated row solved the way school solves it: each part's active substance, the two
// balances (the weights add up, and so does the active substance), one equation in one
// unknown, and the check. It also says what makes the numbers impossible for a real mixture;
// those are findings about the values, never faults.

enum class Part : std::uint8_t { First, Second, Mixture };
inline constexpr std::array<Part, 3> Parts = {Part::First, Part::Second, Part::Mixture};

struct PartColumns {
  Column percent;
  Column weight;
};
PartColumns ColumnsOf(Part part);

// weight × percent / 100, as the pupil writes it.
struct Substance {
  Part part;
  double weight;
  double percent;
  double amount;
};
Substance SubstanceOf(Part part, const MixtureValues& values);

// How an unknown follows from what is known by the time its step comes.
enum class Method : std::uint8_t {
  // The only unknown weight: the weight balance gives it at once.
  WeightBalance,
  // Every weight is known, so the substance balance has one unknown left.
  SubstanceBalance,
  // Two weights are unknown: the weight balance puts the next step's weight in terms of this
  // one, which leaves the substance balance one equation in this one.
  Substitution,
};

struct SolvedStep {
  Step rule;  // the solver's step, with its formula as the solver computes it
  Method method;
  double value;
};

// Both sides of the substance balance, computed again from the six values.
struct Check {
  Substance first;
  Substance second;
  double partsTotal;
  Substance mixture;
};

enum class FindingKind : std::uint8_t {
  NegativeWeight,
  MixtureWeightNotPositive,
  PercentBelowZero,
  PercentAboveHundred,
  MixPercentOutsideParts,  // a mixture is never weaker or stronger than both of its parts
};

struct Finding {
  FindingKind kind;
  Column column;
};

struct RowSolution {
  VariantIndex variant;
  MixtureValues values;  // the six as the cells show them
  std::array<Column, 4> givens;
  std::array<Column, 2> unknowns;
  // The two balances hold the same quantities for every variant; which of them are unknown
  // (IsGiven) is what changes how they read.
  std::vector<Substance> givenSubstances;  // of the parts whose percentage and weight are given
  std::array<SolvedStep, 2> steps;         // in the solver's order
  Check check;
  std::vector<Finding> findings;

  bool IsGiven(Column column) const;
  // Every weight above zero and every percentage within 0 to 100: a mixture one can draw.
  bool IsDrawable() const;
};

// `values` are the row's six quantities as the cells show them after a successful Calculate.
RowSolution SolveStepByStep(VariantIndex variant, const MixtureValues& values);
