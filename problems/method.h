#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "worksheet/fraction.h"
#include "worksheet/solution.h"

// The sixth grade's way where water or the pure substance turns one solution into another: what
// does not change is worked out first, in plain arithmetic, and then the new solution from it.
// Water poured in or evaporated leaves the substance as it was; the pure substance added leaves
// the water. Dissolving the pure substance in water, or diluting a concentrate, starts from the
// substance of the solution that is to be made. The numbers are the grid's six, exact; water
// that leaves is a part of 0% with a negative mass.

// What does not change.
enum class Kept : std::uint8_t { Substance, Water };

enum class MethodStep : std::uint8_t {
  KeptAmount,  // a part's kept amount: mass · share : 100 (share: the percentage, or 100 − it)
  WholeFromKept,    // a part's mass from its kept amount: amount · 100 : share
  PercentFromKept,  // the new solution's percentage: amount · 100 : mass
  TotalMass,        // the new solution's mass: the first part's and the second's
  ChangedMass,      // the water's or the pure substance's mass: the new solution's less the old
  RemainingMass,    // the water a solution is made with: the solution's mass less the other part
  KeptTotal,        // the kept amount of two parts mixed: the first's and the second's
};

struct MethodLine {
  MethodStep step;
  Part part;      // the part whose quantity the line finds
  Fraction left;  // the two numbers the line works with, in the order it writes them
  Fraction right;
  Fraction share;  // of the kept amount in the part, in %: the percentage, or 100 − it
  Fraction result;
};

struct Method {
  Kept kept = Kept::Substance;
  Part changing = Part::Second;  // the water or the pure substance
  // Water that left, not poured in: its mass is below zero, and the line tells it as it is.
  bool waterLeaves = false;
  // The solution is made from its parts, none of them there before, or only its own mass and
  // strength are known: dissolving, diluting a concentrate, how much of each.
  bool made = false;
  // The pure substance dissolved in water: the solution is nothing but its two parts.
  bool dissolves = false;
  std::vector<MethodLine> lines;
};

// None where the row is not such a problem: no part of 0% or 100%, or both, or nothing known
// that stays. `values` are the row's six quantities, exact, the sought ones included.
std::optional<Method> WhatStaysMethod(VariantIndex variant,
                                      const std::array<Fraction, ColumnCount>& values);

// Two solutions mixed, then water poured in or evaporated: first the mixture, in plain arithmetic
// (the substance of each solution, the mixture's mass and its substance), then the water's step
// by what does not change, from the substance the first step found.
struct TwoStepMethod {
  std::vector<MethodLine> mixing;  // KeptAmount of each part, TotalMass and KeptTotal of both
  Method watering;                 // without the kept amount, which `mixing` ends with
};

// None where either step is not such a step: `mixing` are the first step's six quantities, and
// `watering` the second's, whose first part is the first step's mixture and second part water.
std::optional<TwoStepMethod> TwoStepsMethod(const std::array<Fraction, ColumnCount>& mixing,
                                            VariantIndex variant,
                                            const std::array<Fraction, ColumnCount>& watering);

// The quantity of the grid a line finds, if any: the kept amount is no cell, but where the pure
// substance is dissolved it is that part's mass.
std::optional<Column> FoundColumn(const Method& method, const MethodLine& line);
