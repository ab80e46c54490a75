#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problems/problem.h"

// A finite decimal, exactly: digits · 10^−places, kept without zeros at the end of its digits, so
// that equal values are equal ("0,30" is 0,3; 800 is 8 · 10^2, with places −2).
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

// What a pupil typed into an answer box: a leading "Отговор:" or "Отг.:", a leading "x =" (Latin
// or Cyrillic x), a minus ("-" or "−"), a comma or a period for the decimal point, blanks before
// groups of three digits ("12 500"), and after the number a full stop, or a unit in any of its
// usual forms, in either case, a percentage as an adjective too ("20%-ов", "20-процентна"), with
// words after it ("800 грама сол", "5 кг."); after a mass or a volume the words may hold
// percentages and brackets ("570 г вода (6%)"). None for anything else (two numbers, "или", a
// word that is no unit, "5 70"), and for more than 15 digits.
std::optional<PupilAnswer> ReadAnswer(std::string_view text);

// The number at the front of lowered text and the unit after it, if one follows, read as
// ReadAnswer reads them ("1 200 г", "30%", "10%-ен", "2,5 литра"); the text is left after them.
// None where the text does not start with a number that ReadAnswer would read.
std::optional<PupilAnswer> TakeAmount(std::string_view& text);

enum class Verdict : std::uint8_t {
  Right,
  RightInOtherUnit,  // the right amount in another unit of the box's measure: "0,8 кг" for 800 г
  Unreadable,        // no digits in it: "три"
  NotOneNumber,      // digits, but not one number: "570 или 760", "44?", "5 70"
  // A unit of another measure than the box's (grams where litres are asked), or the right
  // number in another unit of its measure ("300 кг" for 300 г).
  WrongUnit,
  // A number without a unit, 1000 times the right one, where the box asks kilograms or litres:
  // grams or millilitres.
  GramsForKilograms,
  AverageOfPercentages,    // the mixture's percentage taken as (p1 + p2) : 2
  MassesNotAdded,          // a part's mass taken for the mixture's
  MixtureForPart,          // the new mixture's mass taken for a part's
  PercentAsWholeNumber,    // a percentage used as a whole number, not as hundredths: 100 times off
  PartForPercent,          // the part for the percentage: 0,76 for 76%
  PercentagesAdded,        // the mixture's percentage taken as p1 + p2
  RemainingForEvaporated,  // the solution that remains for the water that left
  MixtureForAddedWater,    // the new solution for the water poured in
  SubstanceForAddedWater,  // the substance, w1 · p1 : 100, for the water poured in
  OldMassForAddedPure,     // the new percentage taken of the old mass: w1 · (pm − p1) : 100
  PercentOfWater,        // the dissolved substance's percentage taken of the water: w1 : w2 · 100
  SolutionForWater,      // the whole solution for the water it is made with
  SubstanceForSolution,  // the substance's amount, w1 · pm : 100, for the solution made of it
  MixtureForStart,       // the solution after the water for the one before it
  // Produce dried: the water's percentage taken for its dry matter's, w1 · (100 − p1) : 100, and
  // that taken as 100 − pm of the dried produce.
  WaterPercentForDryMatter,
  WaterLostForDried,  // the water that left for the dried produce
  Negative,
  Wrong,
  Empty,                  // nothing written in the box
  Swapped,                // of two answers, each is the other box's
  RatioNotInLowestTerms,  // a ratio equal to the right one, that can be shortened: 4 : 6
  RatioTurnedRound,       // w2 : w1 for w1 : w2
  NotARatio,              // text in a ratio's box that is no ratio: "5", "две към три"
};

// Two numbers as pupils write a ratio: "2 : 3", "2:3", "2 към 3", "0,4 : 0,6", with a leading
// "Отговор:" and a full stop at the end.
struct PupilRatio {
  Decimal first;
  Decimal second;
};
std::optional<PupilRatio> ReadRatio(std::string_view text);

// Right, or right in another unit of the box's measure, or a ratio that can be shortened.
bool IsRight(Verdict verdict);

// The pupil's answer for one of the problem's six quantities, in the box's unit or another of
// its measure. A unit of another measure is told before the number is looked at; a typical mistake
// only where its value differs from the right answer, and a negative number where no mistake
// explains it. Text that is no answer is Empty, NotOneNumber where it holds digits, otherwise
// Unreadable. A ratio's box is judged as a ratio, whatever its column: equal ones are right,
// shortened or not, and text that is no ratio is NotARatio.
Verdict Judge(const Problem& problem, Column box, std::string_view answer);
// The columns the problem's answer boxes stand for: those sought, or for a ratio one box, which
// stands for w1 : w2 and is judged as a ratio.
std::vector<Column> BoxesOf(const Problem& problem);
// The pupil's answers in the order of the problem's boxes, a missing one empty: a verdict for
// each box, as Judge gives it, except that two wrong answers that are each right in the other's
// box are both Swapped.
std::vector<Verdict> JudgeBoxes(const Problem& problem, const std::vector<std::string>& answers);
