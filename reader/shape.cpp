#include "reader/shape.h"

#include <algorithm>
#include <span>

#include "reader/arithmetic.h"

namespace {

bool AsksExactly(Kind kind, const std::vector<Column>& sought) {
  const std::span<const Column> own = SoughtOf(kind);
  return std::equal(own.begin(), own.end(), sought.begin(), sought.end());
}

}  // namespace

std::optional<Kind> KindOf(VariantIndex variant, Context context, Recipe recipe, bool leaves,
                           Asked asked, const std::vector<Column>& sought) {
  std::optional<Kind> contextual;
  std::optional<Kind> fallback;
  for (const Kind kind : Kinds) {
    if (VariantOfKind(kind) != variant || LeavesWater(kind) != leaves || AskedOf(kind) != asked ||
        kind == Kind::TwoSteps) {
      continue;
    }
    const std::optional<Recipe> ofContext = RecipeOf(context, kind);
    if (ofContext && ofContext->first == recipe.first && ofContext->second == recipe.second &&
        (!contextual || AsksExactly(kind, sought))) {
      contextual = kind;
    }
    for (const Context other : Contexts) {
      const std::optional<Recipe> any = RecipeOf(other, kind);
      if (any && any->first == recipe.first && any->second == recipe.second && !fallback) {
        fallback = kind;
      }
    }
  }
  if (contextual) {
    return contextual;
  }
  if (fallback) {
    return fallback;
  }
  // Water that leaves, whatever else is given: "От 500 г 10% разтвор се изпаряват 100 г вода".
  for (const Kind kind : Kinds) {
    const std::optional<Recipe> own = RecipeOf(context, kind);
    if (leaves && LeavesWater(kind) && own && own->first == recipe.first &&
        own->second == recipe.second) {
      return kind;
    }
  }
  for (const Kind kind : Kinds) {
    if (VariantOfKind(kind) == variant && !LeavesWater(kind) && !leaves && AskedOf(kind) == asked) {
      return kind;
    }
  }
  return std::nullopt;
}

// A ratio's three percentages, and for masses its terms as whole numbers in lowest terms: a
// mixture of the grid's choosing.
std::array<Fraction, ColumnCount> RatioValues(Fraction p1, Fraction p2, Fraction pm) {
  const Fraction quotient = (pm - p2) / (p1 - pm);
  std::array<Fraction, ColumnCount> exact{};
  exact[Percent1] = p1;
  exact[Percent2] = p2;
  exact[MixPercent] = pm;
  exact[Weight1] = Fraction::Of(quotient.Numerator(), 1);
  exact[Weight2] = Fraction::Of(quotient.Denominator(), 1);
  exact[MixWeight] = exact[Weight1] + exact[Weight2];
  return exact;
}

// The problem of this shape and these exact values; none where a given is no whole number of
// tenths. A result that is not one is left at 0: the answers hold it exactly.
std::optional<Problem> ProblemOf(const Shape& shape,
                                 const std::array<Fraction, ColumnCount>& exact) {
  Problem problem;
  problem.kind = shape.kind;
  problem.level = LevelOfKind(shape.kind);
  problem.context = shape.context;
  problem.variant = shape.variant;
  problem.first = shape.recipe.first;
  problem.second = shape.recipe.second;
  problem.unit = shape.unit;
  problem.sought = shape.sought;
  problem.asked = shape.asked;
  for (const Column column : AllColumns) {
    const std::optional<Tenths> tenths = TenthsOf(exact[column]);
    if (!tenths && problem.IsGiven(column) && !shape.exactGivens) {
      return std::nullopt;
    }
    problem.values[column] = tenths.value_or(Tenths{});
  }
  return problem;
}

// The answers as the question asks them: the water that left as an amount, produce's percentage
// of its water, a mass in the unit the question counts it in.
std::vector<Amount> AnswersOf(const Problem& problem,
                              const std::array<Fraction, ColumnCount>& exact,
                              const std::vector<std::optional<WrittenUnit>>& units) {
  std::vector<Amount> answers;
  if (problem.asked == Asked::Ratio) {
    return answers;
  }
  for (std::size_t i = 0; i < problem.sought.size(); ++i) {
    const Column column = problem.sought[i];
    Fraction value = exact[column];
    if (UnitOf(problem, column) == Unit::Percent) {
      if (StatedShareOf(problem.context) == StatedShare::Water) {
        value = Fraction(100) - value;
      }
      answers.push_back({value, WrittenUnit::Percent});
      continue;
    }
    // Water that left is answered as the amount that left.
    if (column == Weight2 && problem.second == Ingredient::Water && value < 0) {
      value = -value;
    }
    const WrittenUnit own = WrittenOf(problem.unit);
    const std::optional<WrittenUnit> asked =
        i < units.size() && units[i] != WrittenUnit::Percent ? units[i] : std::nullopt;
    // Only water's litres are kilograms: a solution's are not, whatever it holds.
    const bool water = (column == Weight1 && problem.first == Ingredient::Water) ||
                       (column == Weight2 && problem.second == Ingredient::Water);
    const std::optional<Fraction> converted = Converted(value, own, asked.value_or(own), water);
    answers.push_back({converted.value_or(value), converted ? asked.value_or(own) : own});
  }
  return answers;
}

Amount AsRestShare(Amount answer) {
  answer.value = Fraction(100) - answer.value;
  answer.rest = true;
  return answer;
}

namespace {

// An option's number equal to the answer, or to it rounded to the option's places.
bool HoldsAmount(const PupilAnswer& amount, const Amount& answer) {
  const WrittenUnit unit = amount.unit.value_or(answer.unit);
  const std::optional<Fraction> value =
      Converted(FractionOf(amount.value), unit, answer.unit, true);
  if (!value || (unit == WrittenUnit::Percent) != (answer.unit == WrittenUnit::Percent)) {
    return false;
  }
  const Fraction error = *value - answer.value;
  const Fraction allowed = FractionOf(Decimal::Of(5, std::max(amount.value.places, 0) + 1));
  return error == 0 ||
         (!answer.value.IsWhole() && error < allowed && Fraction(0) - error <= allowed);
}

// "2 : 1" of masses in that ratio.
bool HoldsRatio(const Option& option, const Fraction& first, const Fraction& second) {
  if (!option.ratio || option.amounts.size() != 2) {
    return false;
  }
  const Fraction a = FractionOf(option.amounts[0].value);
  const Fraction b = FractionOf(option.amounts[1].value);
  return b != 0 && second != 0 && a * second == b * first;
}

bool HoldsAnswers(const Option& option, const std::vector<Amount>& answers) {
  if (option.amounts.size() != answers.size() || answers.empty()) {
    return false;
  }
  if (option.ratio) {
    return HoldsRatio(option, answers[0].value, answers[1].value);
  }
  for (std::size_t i = 0; i < answers.size(); ++i) {
    if (!HoldsAmount(option.amounts[i], answers[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

void JudgeOptions(Reading& reading, bool ratio) {
  reading.right = std::nullopt;
  reading.noneRight = false;
  const std::vector<Option>& options = reading.options;
  const auto holds = [&reading, ratio](const Option& option) {
    return ratio ? HoldsRatio(option, reading.values[Weight1], reading.values[Weight2])
                 : HoldsAnswers(option, reading.answers);
  };
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (holds(options[i])) {
      reading.right = i;
      return;
    }
  }
  const std::size_t said = ratio ? 2 : reading.answers.size();
  reading.noneRight =
      !options.empty() && said > 0 &&
      std::all_of(options.begin(), options.end(), [said, ratio](const Option& option) {
        return option.amounts.size() == said && option.ratio == ratio;
      });
}
