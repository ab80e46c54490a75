#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "problems/problem.h"

// A finite decimal, exactly: digits · 10^−places, kept without zeros at the end of its places, so
// that equal values are equal ("0,30" is 0,3).
struct Decimal {
  std::int64_t digits = 0;
  std::int32_t places = 0;

  static Decimal Of(std::int64_t digits, std::int32_t places);
  static Decimal Of(Tenths value) { return Of(value.count, 1); }
  friend bool operator==(const Decimal&, const Decimal&) = default;
};

// A unit as pupils write it: the problems' own, and the millilitre and the tonne besides.
enum class WrittenUnit : std::uint8_t { Gram, Kilogram, Tonne, Millilitre, Litre, Percent };

struct PupilAnswer {
  Decimal value;
  std::optional<WrittenUnit> unit;  // as written after the number
};

// What a pupil typed into an answer box: blanks between digits ("1 200"), a comma or a period
// for the decimal point, a minus ("-" or "−"), a leading "x =" (Latin or Cyrillic x), and after
// the number a unit in any of its usual forms, in either case, with words after it ("800 грама
// сол", "76 процента мед", "5 кг."). None for anything else (two numbers, a word that is no
// unit), and for more than 15 digits.
std::optional<PupilAnswer> ReadAnswer(std::string_view text);

enum class Verdict : std::uint8_t {
  Right,
  Unreadable,
  WrongUnit,             // a unit written after the number that is not the box's
  AverageOfPercentages,  // the mixture's percentage taken as (p1 + p2) : 2
  MassesNotAdded,        // a part's mass taken for the mixture's, or the mixture's for a part's
  PercentAsWholeNumber,  // a percentage used as a whole number, not as hundredths: 100 times off
  PercentagesAdded,      // the mixture's percentage taken as p1 + p2
  Negative,
  Wrong,
};

// The pupil's answer for one of the problem's six quantities. A unit that is not the box's is
// told before the number is looked at; a typical mistake only where its value differs from the
// right answer, and a negative number where no mistake explains it.
Verdict Judge(const Problem& problem, Column box, std::string_view answer);
