#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "problems/catalogue.h"
#include "problems/problem.h"
#include "reader/reader.h"
#include "worksheet/fraction.h"
#include "worksheet/variants.h"

// The problem a reading makes of its numbers: the kind of its shape, the model's values, the
// answers as the question asks them and the option that holds them.

// The kind of this variant and these parts: the context's own where it has one, the one that asks
// what the question asks before another ("Колко грама сол има в …" asks the salt alone), else
// any that has them, else the variant's first. Two steps are read apart: they have a first step.
std::optional<Kind> KindOf(VariantIndex variant, Context context, Recipe recipe, bool leaves,
                           Asked asked, const std::vector<Column>& sought);

// A ratio's three percentages, and for masses its terms as whole numbers in lowest terms: a
// mixture of the grid's choosing.
std::array<Fraction, ColumnCount> RatioValues(Fraction p1, Fraction p2, Fraction pm);

// What a reading settles of its problem besides the numbers.
struct Shape {
  Kind kind;
  Context context;
  VariantIndex variant;
  Recipe recipe;
  Unit unit;
  std::vector<Column> sought;
  Asked asked;
  // "250 мл" of a problem in litres: a given of no whole number of tenths is left at 0 too, the
  // solution and the answers worked from the exact values, and the grid, which rounds, not offered.
  bool exactGivens = false;
};

// The problem of this shape and these exact values; none where a given is no whole number of
// tenths, unless the shape allows it. A result that is not one is left at 0: the answers hold it
// exactly.
std::optional<Problem> ProblemOf(const Shape& shape,
                                 const std::array<Fraction, ColumnCount>& exact);

// The answers as the question asks them: the water that left as an amount, produce's percentage
// of its water, a mass in the unit the question counts it in.
std::vector<Amount> AnswersOf(const Problem& problem,
                              const std::array<Fraction, ColumnCount>& exact,
                              const std::vector<std::optional<WrittenUnit>>& units);

// A percentage answered as the share of the rest beside what the problem's percentages state:
// the water beside the substance, produce's dry matter beside its water.
Amount AsRestShare(Amount answer);

// Which option holds the answer, each of its numbers equal to the answer's or to it rounded to
// the option's places, or with `ratio` the ratio of the two masses in `reading.values`; or that
// none does, where every option says as many numbers as the answer, or a ratio.
void JudgeOptions(Reading& reading, bool ratio);
