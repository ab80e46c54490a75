#include "worksheet/solution.h"

#include <algorithm>

namespace {

constexpr std::array<PartColumns, 3> PartTable = {
    {{Percent1, Weight1}, {Percent2, Weight2}, {MixPercent, MixWeight}}};

bool IsWeight(Column column) {
  return column == Weight1 || column == Weight2 || column == MixWeight;
}

// A step that finds a weight while the other unknown is a weight too comes first by
// substitution; the one after it is then the weight balance's.
Method MethodOf(const VariantRule& rule, std::size_t step) {
  if (!IsWeight(rule.steps[step].target)) {
    return Method::SubstanceBalance;
  }
  const bool bothWeights = IsWeight(rule.results[0]) && IsWeight(rule.results[1]);
  return bothWeights && step == 0 ? Method::Substitution : Method::WeightBalance;
}

std::vector<Substance> GivenSubstances(const RowSolution& solution) {
  std::vector<Substance> substances;
  for (const Part part : Parts) {
    const PartColumns columns = ColumnsOf(part);
    if (solution.IsGiven(columns.percent) && solution.IsGiven(columns.weight)) {
      substances.push_back(SubstanceOf(part, solution.values));
    }
  }
  return substances;
}

Check CheckOf(const MixtureValues& values) {
  const Substance first = SubstanceOf(Part::First, values);
  const Substance second = SubstanceOf(Part::Second, values);
  return {first, second, first.amount + second.amount, SubstanceOf(Part::Mixture, values)};
}

void FindImpossibleWeights(const MixtureValues& values, std::vector<Finding>& findings) {
  for (const Column column : {Weight1, Weight2}) {
    if (values[column] < 0) {
      findings.push_back({FindingKind::NegativeWeight, column});
    }
  }
  if (values[MixWeight] <= 0) {
    findings.push_back({FindingKind::MixtureWeightNotPositive, MixWeight});
  }
}

void FindImpossiblePercentages(const MixtureValues& values, std::vector<Finding>& findings) {
  for (const Column column : {Percent1, Percent2, MixPercent}) {
    if (values[column] < 0) {
      findings.push_back({FindingKind::PercentBelowZero, column});
    } else if (values[column] > 100) {
      findings.push_back({FindingKind::PercentAboveHundred, column});
    }
  }
  const auto [lowest, highest] = std::minmax(values[Percent1], values[Percent2]);
  if (values[MixPercent] < lowest || values[MixPercent] > highest) {
    findings.push_back({FindingKind::MixPercentOutsideParts, MixPercent});
  }
}

}  // namespace

PartColumns ColumnsOf(Part part) {
  return PartTable[static_cast<std::size_t>(part)];
}

Substance SubstanceOf(Part part, const MixtureValues& values) {
  const PartColumns columns = ColumnsOf(part);
  const double weight = values[columns.weight];
  const double percent = values[columns.percent];
  return {part, weight, percent, weight * percent / 100};
}

bool RowSolution::IsGiven(Column column) const {
  return std::find(givens.begin(), givens.end(), column) != givens.end();
}

bool RowSolution::IsDrawable() const {
  const auto drawable = [this](Part part) {
    const PartColumns columns = ColumnsOf(part);
    const double percent = values[columns.percent];
    return values[columns.weight] > 0 && percent >= 0 && percent <= 100;
  };
  return std::all_of(Parts.begin(), Parts.end(), drawable);
}

RowSolution SolveStepByStep(VariantIndex variant, const MixtureValues& values) {
  const VariantRule& rule = RuleOf(variant);
  RowSolution solution{variant, values, rule.givens, rule.results, {}, {}, CheckOf(values), {}};
  solution.givenSubstances = GivenSubstances(solution);
  for (std::size_t step = 0; step < rule.steps.size(); ++step) {
    const Step& found = rule.steps[step];
    solution.steps[step] = {found, MethodOf(rule, step), values[found.target]};
  }
  FindImpossibleWeights(values, solution.findings);
  FindImpossiblePercentages(values, solution.findings);
  return solution;
}
