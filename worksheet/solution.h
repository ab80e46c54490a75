#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "worksheet/fraction.h"
#include "worksheet/solver.h"
#include "worksheet/variants.h"

// A row solved the way a teacher writes it on the board, in exact numbers: the table of the
// three parts; then plain arithmetic where every mass is known once the masses add up (variants
// 1, 3, 4 and 6), or one equation in x solved line by line (2, 5 and 7); the check and the
// answer. Where the numbers are no real mixture, or the equation has no single solution, it says
// why instead. It is worked out anew from the numbers the cells show, so that 100 : 3 is
// 33,(3) and not the double the solver found.

enum class Part : std::uint8_t { First, Second, Mixture };
inline constexpr std::array<Part, 3> Parts = {Part::First, Part::Second, Part::Mixture};

struct PartColumns {
  Column percent;
  Column weight;
};
PartColumns ColumnsOf(Part part);
Part PartOf(Column column);

// A mass as the table holds it: a number, x, or a number with x added or taken away.
struct Mass {
  Fraction number;
  std::int8_t x = 0;    // 0: no x; 1: number + x; −1: number − x
  bool xFirst = false;  // "x + 300", where x is the first part's mass
  friend bool operator==(const Mass&, const Mass&) = default;
};

// A term of one side of the equation once the hundreds are cleared: factor times a mass ("40x",
// "36(200 + x)"), or a plain number, which is a mass of 1 without x.
struct Term {
  Fraction factor;
  Mass mass{1};
  friend bool operator==(const Term&, const Term&) = default;
};
using Side = std::vector<Term>;

struct Equation {
  Side left;
  Side right;
  friend bool operator==(const Equation&, const Equation&) = default;
};

// One part's pure substance as the equation is first written: mass · percent : 100, or, where
// the mass is a number, the amount the table worked out.
struct SubstanceTerm {
  Mass mass;
  Fraction percent;
  Fraction amount;  // where mass.x is 0
};

enum class EquationStep : std::uint8_t {
  ClearHundreds,  // both sides times 100
  OpenBrackets,
  MoveTerms,  // the terms with x to one side, the numbers to the other, with their signs changed
  Collect,    // a·x = b, or b = a·x where x stands on the right
};

struct EquationLine {
  EquationStep step;
  Equation equation;
};

struct EquationSolution {
  Column unknown;                        // the mass that x stands for
  std::vector<SubstanceTerm> parts;      // the first and the second part's substance
  std::optional<Part> withoutSubstance;  // the one part of 0%, which adds nothing to its side
  std::vector<SubstanceTerm> mixture;    // empty where the mixture has none (0%)
  std::vector<EquationLine> lines;       // each only where it changes something
  Fraction coefficient;                  // a·x = b
  Fraction constant;
  bool xOnLeft = true;        // collected as "4x = 1200", or as "1200 = 4x" to keep a positive
  std::optional<Fraction> x;  // none where a is 0
};

// One line of plain arithmetic, about one part.
enum class Arithmetic : std::uint8_t {
  MassSum,              // the mixture's mass: first + second
  MassDifference,       // a part's mass: mixture − the other part
  Substance,            // mass · percent : 100
  SubstanceSum,         // the mixture's substance: first + second
  SubstanceDifference,  // the second's substance: mixture − first
  Percent,              // amount : mass · 100, none where the mass is 0
};

struct ArithmeticLine {
  Arithmetic kind;
  Part part;
  Fraction left;  // the two numbers the line works with, in the order it writes them
  Fraction right;
  std::optional<Fraction> result;
};

// What makes the numbers impossible for a real mixture.
enum class FindingKind : std::uint8_t {
  MixPercentOutsideParts,  // a mixture is never weaker or stronger than both of its parts
  PercentBelowZero,
  PercentAboveHundred,
  MassNotPositive,
};

struct Finding {
  FindingKind kind;
  Column column;
};

enum class Outcome : std::uint8_t {
  Answer,       // a real mixture: the check and the answer
  Impossible,   // the numbers were found, but they are no real mixture (the findings say why)
  NoSolution,   // the equation came to 0 · x = b with b not 0
  EveryNumber,  // 0 · x = 0
  ZeroMass,     // a percentage of a mass of 0 was asked for
  Approximate,  // too many digits for exact fractions: the cells' rounded values only
  TooLarge,     // the calculation failed and the numbers are too large for exact fractions
};

// Both balances worked out again with the values found, and the percentages' order.
struct Check {
  std::array<Fraction, 3> substance;  // by part
  Fraction substanceSum;              // first + second
  Fraction massSum;
};

struct RowSolution {
  VariantIndex variant = 0;
  MixtureValues values{};  // as the cells show them; after a fault only the givens are meaningful
  std::array<Column, 4> givens{};
  std::array<Column, 2> unknowns{};  // in the solver's order
  Outcome outcome = Outcome::Answer;
  // Exact where known: the givens, and what the derivation found.
  std::array<std::optional<Fraction>, ColumnCount> exact;
  // The table: each part's mass, percentage and substance; none where it is sought without x.
  std::array<std::optional<Mass>, 3> tableMass;
  std::array<std::optional<Fraction>, 3> tablePercent;
  std::array<std::optional<Fraction>, 3> tableSubstance;  // where mass and percent are numbers
  std::vector<ArithmeticLine> arithmetic;  // all of it, or what the equation needs first
  std::optional<EquationSolution> equation;
  std::vector<ArithmeticLine> afterEquation;  // the other unknown, from the masses
  Check check;                                // where the outcome is Answer
  std::vector<Finding> findings;
  // Results whose cells differ from the exact value by more than the rounding of their last
  // digit: the solver's doubles lose digits where close numbers are taken from each other.
  std::vector<Column> inexactCells;

  // A part of 0% whose mass is below zero beside a real solution, and a stronger mixture of some
  // mass: water that evaporated, not an impossible number.
  std::optional<Part> waterLeft;

  bool IsGiven(Column column) const;
  bool IsExact() const;
  // A real mixture, solved: one can draw it. Water that left would be a bar shorter than nothing.
  bool IsDrawable() const { return outcome == Outcome::Answer && !waterLeft; }
};

// `values` are the row's six quantities as the cells show them after a successful Calculate
// (`calculated`), or, after a failed one, with its four givens as the cells read.
RowSolution SolveStepByStep(VariantIndex variant, const MixtureValues& values, bool calculated);
