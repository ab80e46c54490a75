#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "reader/arithmetic.h"
#include "reader/reader.h"
#include "reader/shape.h"

namespace {

// A number in the column the pupil gave it, in the problem's unit; none where its unit is of
// another measure than the column's.
std::optional<Fraction> ValueIn(const Problem& problem, Column column, const PupilAnswer& amount) {
  const Fraction value = FractionOf(amount.value);
  if (UnitOf(problem, column) == Unit::Percent) {
    if (amount.unit && amount.unit != WrittenUnit::Percent) {
      return std::nullopt;
    }
    return StatedShareOf(problem.context) == StatedShare::Water ? Fraction(100) - value : value;
  }
  if (!amount.unit || amount.unit == WrittenUnit::Percent) {
    return std::nullopt;
  }
  const Ingredient ingredient = column == Weight1 ? problem.first : problem.second;
  return Converted(value, *amount.unit, WrittenOf(problem.unit),
                   column != MixWeight && ingredient == Ingredient::Water);
}

std::optional<Fraction> ImplicitPercent(Ingredient ingredient) {
  if (ingredient == Ingredient::Water) {
    return Fraction(0);
  }
  if (ingredient == Ingredient::PureSubstance) {
    return Fraction(100);
  }
  return std::nullopt;
}

// The four givens, or for a ratio three, and the variant they make.
std::optional<VariantIndex> VariantOfGivens(
    const std::array<std::optional<Fraction>, ColumnCount>& values) {
  const auto count = std::count_if(values.begin(), values.end(),
                                   [](const std::optional<Fraction>& v) { return v.has_value(); });
  for (VariantIndex variant = 0; variant < VariantCount && count == 4; ++variant) {
    const VariantRule& rule = RuleOf(variant);
    if (std::all_of(rule.givens.begin(), rule.givens.end(),
                    [&values](Column column) { return values[column].has_value(); })) {
      return variant;
    }
  }
  return std::nullopt;
}

std::optional<std::array<Fraction, ColumnCount>> Reread(
    const Problem& shape, const std::array<std::optional<Fraction>, ColumnCount>& values,
    bool byPrice, VariantIndex& variant, ::Doubt& doubt) {
  if (shape.asked == Asked::Ratio) {
    variant = 6;
    const bool percents = values[Percent1] && values[Percent2] && values[MixPercent];
    if (!percents || !IsBetween(*values[MixPercent], *values[Percent1], *values[Percent2])) {
      doubt = percents ? Doubt::Impossible : Doubt::MissingNumber;
      return std::nullopt;
    }
    return RatioValues(*values[Percent1], *values[Percent2], *values[MixPercent]);
  }
  const std::optional<VariantIndex> found = VariantOfGivens(values);
  if (!found) {
    doubt = Doubt::MissingNumber;
    return std::nullopt;
  }
  variant = *found;
  std::array<Fraction, ColumnCount> exact{};
  for (const Column column : RuleOf(variant).givens) {
    exact[column] = *values[column];
  }
  const std::optional<std::array<Fraction, ColumnCount>> solved = Solved(variant, exact);
  if (!solved) {
    doubt = Doubt::Impossible;
    return std::nullopt;
  }
  exact = *solved;
  const bool leaves = shape.second == Ingredient::Water && exact[Weight2] < 0;
  if (leaves != LeavesWater(shape.kind) || !IsReal(exact, leaves, byPrice)) {
    doubt = Doubt::Impossible;
    return std::nullopt;
  }
  return exact;
}

// "Колко процента вода има в разтвора?" asked again of the same quantities; where the roles
// change what is sought, the percentage of the rest is no longer certainly one of them.
bool KeepsRestShares(const std::vector<Amount>& before, const std::vector<Column>& soughtBefore,
                     std::vector<Amount>& answers, const std::vector<Column>& sought) {
  const bool any =
      std::any_of(before.begin(), before.end(), [](const Amount& amount) { return amount.rest; });
  if (!any) {
    return true;
  }
  if (sought != soughtBefore || before.size() != answers.size()) {
    return false;
  }
  for (std::size_t i = 0; i < answers.size(); ++i) {
    if (before[i].rest) {
      answers[i] = AsRestShare(answers[i]);
    }
  }
  return true;
}

// The roles as the pupil gave them, solved again.
Reading Reworked(Reading reading) {
  // Two steps' roles are not the grid's six: they stay as read.
  if (reading.problem && reading.problem->firstStep) {
    return reading;
  }
  const Problem shape = reading.problem.value_or(Problem{});
  const std::vector<Amount> asked = reading.answers;
  reading.problem.reset();
  reading.doubt.reset();
  reading.missing.clear();
  reading.answers.clear();
  reading.right.reset();
  reading.noneRight = false;
  // The grid's quantities are solved again, not the steps after them: a water's share asked of
  // one solution, as a difference, gives way to the grid's two results.
  const bool stepsOnly = reading.stepsOnly;
  reading.stepsOnly = false;
  std::array<std::optional<Fraction>, ColumnCount> values;
  values[Percent1] = ImplicitPercent(shape.first);
  values[Percent2] = ImplicitPercent(shape.second);
  std::array<bool, ColumnCount> numbered{};
  for (const ReadNumber& number : reading.numbers) {
    if (!number.column || !number.amount) {
      continue;
    }
    std::optional<Fraction> value = ValueIn(shape, *number.column, *number.amount);
    if (!value || numbered[*number.column]) {
      reading.doubt = Doubt::TwoReadings;
      return reading;
    }
    numbered[*number.column] = true;
    // Water that leaves is given as the amount that left.
    if (*number.column == Weight2 && LeavesWater(shape.kind)) {
      value = Fraction(0) - *value;
    }
    values[*number.column] = value;
  }
  VariantIndex variant = 0;
  ::Doubt doubt = Doubt::TwoReadings;
  const std::optional<std::array<Fraction, ColumnCount>> exact =
      Reread(shape, values, !reading.currency.empty(), variant, doubt);
  if (!exact) {
    reading.doubt = doubt;
    return reading;
  }
  const VariantRule& rule = RuleOf(variant);
  std::vector<Column> sought;
  for (const Column column : shape.sought) {
    if (std::find(rule.results.begin(), rule.results.end(), column) != rule.results.end()) {
      sought.push_back(column);
    }
  }
  if (sought.empty() || shape.asked == Asked::Ratio) {
    sought = shape.asked == Asked::Ratio
                 ? std::vector<Column>{Weight1, Weight2}
                 : std::vector<Column>(rule.results.begin(), rule.results.end());
  }
  const Recipe recipe{shape.first, shape.second};
  const bool leaves = LeavesWater(shape.kind);
  const std::optional<Kind> kind =
      KindOf(variant, shape.context, recipe, leaves, shape.asked, sought);
  std::optional<Problem> problem = kind ? ProblemOf({*kind, shape.context, variant, recipe,
                                                     shape.unit, sought, shape.asked, true},
                                                    *exact)
                                        : std::nullopt;
  if (!problem) {
    reading.doubt = Doubt::TwoReadings;
    return reading;
  }
  reading.answers = AnswersOf(*problem, *exact, {});
  if (!stepsOnly && !KeepsRestShares(asked, shape.sought, reading.answers, problem->sought)) {
    reading.answers.clear();
    reading.doubt = Doubt::TwoReadings;
    return reading;
  }
  reading.values = *exact;
  JudgeOptions(reading, problem->asked == Asked::Ratio);
  reading.problem = std::move(problem);
  return reading;
}

}  // namespace

Reading Reread(Reading reading) {
  // Numbers beyond what exact fractions hold, given new roles: no answer rather than a rounded one.
  if (std::optional<Reading> reread = Exactly([&] { return Reworked(reading); })) {
    return *std::move(reread);
  }
  reading.problem.reset();
  reading.answers.clear();
  reading.missing.clear();
  reading.right.reset();
  reading.noneRight = false;
  reading.stepsOnly = false;
  reading.doubt = Doubt::Impossible;
  return reading;
}
