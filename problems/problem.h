#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problems/catalogue.h"
#include "worksheet/grid.h"

// A value counted in whole tenths, exactly: {125} is 12,5.
struct Tenths {
  std::int64_t count = 0;

  double ToDouble() const;
  // With only the places it needs: "12,5", "300", "0,5"; the cells' separator where given.
  std::string Text(std::string_view decimalSeparator = ",") const;
  friend auto operator<=>(const Tenths&, const Tenths&) = default;
};

// Where a problem comes from; the same three always give the same problem.
struct ProblemSource {
  std::int32_t sheet = 1;
  Level level = Level::Mixed;
  std::int32_t place = 0;  // 0-based on the sheet
  friend bool operator==(const ProblemSource&, const ProblemSource&) = default;
};

// A word problem of the grid's six quantities: four given, one or two asked for. Every value is
// exact, has at most one decimal place, and fits both balances: w1 + w2 = wm and
// w1 · p1 + w2 · p2 = wm · pm. Water that evaporates is a second part of 0% with a negative mass.
// A problem of two steps mixes two solutions first (`firstStep`); `values` are then its second
// step, whose first part is that mixture, worked out rather than given.
struct Problem {
  ProblemSource source;
  Level level = Level::One;  // the kind's own: One, Two or Three
  Kind kind = Kind::MixTwo;
  Context context = Context::Salt;
  VariantIndex variant = 0;
  Ingredient first = Ingredient::Solution;
  Ingredient second = Ingredient::Solution;
  std::array<Tenths, ColumnCount> values{};  // by Column: masses in `unit`, percentages in %
  Unit unit = Unit::Gram;                    // of the masses
  std::vector<Column> sought;                // in the order the question asks for them
  Asked asked = Asked::Amounts;              // a ratio: w1 : w2, for a mixture's mass chosen
  std::uint32_t wording = 0;  // which of the kind's wordings: the text takes it modulo their number
  // The first of two steps, as the grid's six quantities: its four givens are the problem's, its
  // mixture is `values`' first part. None for a problem of one step.
  std::optional<std::array<Tenths, ColumnCount>> firstStep;

  Tenths Value(Column column) const { return values[column]; }
  // Whether the problem's text gives it: a ratio's text gives no mass.
  bool IsGiven(Column column) const;
  friend bool operator==(const Problem&, const Problem&) = default;
};

inline constexpr std::int32_t FirstSheet = 1;
inline constexpr std::int32_t LastSheet = 999999;
inline constexpr std::int32_t MinSheetSize = 4;
inline constexpr std::int32_t MaxSheetSize = 12;

// Whether there is a problem at that place on that sheet, and a sheet of that many problems: what
// the page sends is asked first, as the page's modules have no exceptions to catch.
bool IsPlaceOnSheet(std::int32_t sheet, std::int32_t place);
bool IsSheet(std::int32_t sheet, std::int32_t count);

// The problem at a place on a sheet: a sheet number 1 to 999999 and a place 0 to 11, otherwise
// std::out_of_range. A Mixed sheet deals the seven variants out in a shuffled order, the other
// levels their kinds, so that every stretch of that many places has each once.
Problem MakeProblem(std::int32_t sheet, Level level, std::int32_t place);
// Its places 0 to count − 1; a count outside 4 to 12 is std::out_of_range too.
std::vector<Problem> MakeSheet(std::int32_t sheet, Level level, std::int32_t count);

// The parts' masses as w1 : w2, in lowest terms.
struct Ratio {
  std::int64_t first;
  std::int64_t second;
};
Ratio MassRatio(const Problem& problem);

// Whether the pupil reads the same problem in both: the same shape, steps, parts, givens and
// question. A ratio's masses are the grid's choice, not the problem's.
bool IsSameProblem(const Problem& one, const Problem& other);

// Whether the problem's second part is water that left: its mass in the grid is negative.
bool WaterLeft(const Problem& problem);

// The first of a problem's two steps as a problem of its own: two solutions mixed, the mixture's
// percentage asked. std::bad_optional_access for a problem of one step.
Problem FirstStepOf(const Problem& problem);

// A quantity as the problem states it and the pupil answers it: its value; for water that left,
// how much left; for a percentage of a context that states its water, the water's: 90 for 10.
Tenths AnsweredValue(const Problem& problem, Column column);
// Percent for a percentage column, the problem's unit for a mass.
Unit UnitOf(const Problem& problem, Column column);
// What follows a number, in the problem's text and in the pupil's answer: "г", "кг", "л", "%".
std::string_view UnitSymbol(Unit unit);
