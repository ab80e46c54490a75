#include "problems/method.h"

#include <algorithm>
#include <utility>

namespace {

const Fraction Hundred(100);

struct Roles {
  Part solution;  // what is there before, or the pure substance a solution is made from
  Part changing;
  Kept kept;
  bool made;
};

// Water (0%) or the pure substance (100%) beside a solution; or the pure substance dissolved in
// water, where the substance is what stays.
std::optional<Roles> RolesOf(const std::array<Fraction, ColumnCount>& values) {
  const auto special = [&values](Part part, const Fraction& percent) {
    return values[ColumnsOf(part).percent] == percent;
  };
  const bool firstWater = special(Part::First, 0);
  const bool secondWater = special(Part::Second, 0);
  const bool firstPure = special(Part::First, Hundred);
  const bool secondPure = special(Part::Second, Hundred);
  if (firstPure && secondWater) {
    return Roles{Part::First, Part::Second, Kept::Substance, true};
  }
  if (secondPure && firstWater) {
    return Roles{Part::Second, Part::First, Kept::Substance, true};
  }
  if (firstWater + secondWater + firstPure + secondPure != 1) {
    return std::nullopt;
  }
  const Part changing = firstWater || firstPure ? Part::First : Part::Second;
  const Part solution = changing == Part::First ? Part::Second : Part::First;
  return Roles{solution, changing, firstPure || secondPure ? Kept::Water : Kept::Substance, false};
}

bool IsRealSolution(const Fraction& percent) {
  return percent.Sign() > 0 && percent < Hundred;
}

bool LeavesWater(const std::array<Fraction, ColumnCount>& values, const Roles& roles) {
  return roles.kept == Kept::Substance && !roles.made &&
         values[ColumnsOf(roles.changing).weight].Sign() < 0;
}

// Every mass above zero but water that leaves, every percentage in its place: what the warnings
// of an impossible mixture would otherwise speak of. The pure substance never leaves.
bool IsReal(const std::array<Fraction, ColumnCount>& values, const Roles& roles) {
  const Fraction& mixturePercent = values[MixPercent];
  const Fraction& solutionPercent = values[ColumnsOf(roles.solution).percent];
  const bool changingReal =
      values[ColumnsOf(roles.changing).weight].Sign() > 0 || LeavesWater(values, roles);
  return values[ColumnsOf(roles.solution).weight].Sign() > 0 && values[MixWeight].Sign() > 0 &&
         changingReal && IsRealSolution(mixturePercent) &&
         (roles.made || IsRealSolution(solutionPercent)) && mixturePercent != solutionPercent;
}

class MethodWriter {
 public:
  MethodWriter(VariantIndex variant, const std::array<Fraction, ColumnCount>& values,
               const Roles& roles)
      : values_(values), roles_(roles), rule_(RuleOf(variant)) {}

  std::optional<Method> Write() {
    method_.kept = roles_.kept;
    method_.changing = roles_.changing;
    method_.made = roles_.made;
    method_.dissolves = roles_.made;
    method_.waterLeaves = LeavesWater(values_, roles_);
    const PartColumns solution = ColumnsOf(roles_.solution);
    if (IsGiven(solution.weight) && IsGiven(solution.percent)) {
      return FromTheSolution();
    }
    if (IsGiven(MixPercent) && IsGiven(MixWeight) && IsGiven(solution.percent)) {
      return FromTheNewSolution();
    }
    return std::nullopt;
  }

 private:
  bool IsGiven(Column column) const {
    return std::find(rule_.givens.begin(), rule_.givens.end(), column) != rule_.givens.end();
  }

  const Fraction& Mass(Part part) const { return values_[ColumnsOf(part).weight]; }
  const Fraction& Percent(Part part) const { return values_[ColumnsOf(part).percent]; }
  Fraction Share(Part part) const {
    return roles_.kept == Kept::Substance ? Percent(part) : Hundred - Percent(part);
  }

  void Add(MethodStep step, Part part, Fraction left, Fraction right, Fraction share,
           Fraction result) {
    method_.lines.push_back({step, part, left, right, share, result});
  }

  // The kept amount in a part of known mass; the pure substance is all of it, and needs no line.
  Fraction KeptIn(Part part) {
    const Fraction amount = Mass(part) * Share(part) / Hundred;
    if (Share(part) != Hundred) {
      Add(MethodStep::KeptAmount, part, Mass(part), Share(part), Share(part), amount);
    }
    return amount;
  }

  // What was there before is known: its kept amount, then the new solution, then the change.
  std::optional<Method> FromTheSolution() {
    const Fraction kept = KeptIn(roles_.solution);
    const bool substance = roles_.kept == Kept::Substance;
    if (IsGiven(MixPercent)) {
      Add(MethodStep::WholeFromKept, Part::Mixture, kept, Share(Part::Mixture),
          Share(Part::Mixture), kept / Share(Part::Mixture) * Hundred);
    } else if (IsGiven(MixWeight) && substance) {
      Add(MethodStep::PercentFromKept, Part::Mixture, kept, Mass(Part::Mixture),
          Share(Part::Mixture), kept / Mass(Part::Mixture) * Hundred);
    } else if (IsGiven(ColumnsOf(roles_.changing).weight) && substance) {
      const Fraction total = Mass(Part::First) + Mass(Part::Second);
      Add(MethodStep::TotalMass, Part::Mixture, Mass(Part::First), Mass(Part::Second), 0, total);
      Add(MethodStep::PercentFromKept, Part::Mixture, kept, total, Share(Part::Mixture),
          kept / total * Hundred);
      return method_;
    } else {
      return std::nullopt;
    }
    WriteChange();
    return method_;
  }

  // Only the new solution's mass and strength are known: its kept amount, then each part.
  std::optional<Method> FromTheNewSolution() {
    method_.made = true;
    const Fraction kept = KeptIn(Part::Mixture);
    if (Share(roles_.solution) != Hundred) {
      Add(MethodStep::WholeFromKept, roles_.solution, kept, Share(roles_.solution),
          Share(roles_.solution), kept / Share(roles_.solution) * Hundred);
    }
    Add(MethodStep::RemainingMass, roles_.changing, Mass(Part::Mixture), Mass(roles_.solution), 0,
        Mass(Part::Mixture) - Mass(roles_.solution));
    return method_;
  }

  void WriteChange() {
    const MethodStep step = roles_.made ? MethodStep::RemainingMass : MethodStep::ChangedMass;
    Add(step, roles_.changing, Mass(Part::Mixture), Mass(roles_.solution), 0,
        Mass(Part::Mixture) - Mass(roles_.solution));
  }

  const std::array<Fraction, ColumnCount>& values_;
  const Roles& roles_;
  const VariantRule& rule_;
  Method method_;
};

}  // namespace

std::optional<Method> WhatStaysMethod(VariantIndex variant,
                                      const std::array<Fraction, ColumnCount>& values) {
  const std::optional<Roles> roles = RolesOf(values);
  if (!roles || !IsReal(values, *roles)) {
    return std::nullopt;
  }
  return Exactly([&] { return MethodWriter(variant, values, *roles).Write(); });
}

std::optional<TwoStepMethod> TwoStepsMethod(const std::array<Fraction, ColumnCount>& mixing,
                                            VariantIndex variant,
                                            const std::array<Fraction, ColumnCount>& watering) {
  std::optional<Method> second = WhatStaysMethod(variant, watering);
  const bool fromTheMixture = mixing[MixPercent] == watering[Percent1] &&
                              mixing[MixWeight] == watering[Weight1] && watering[Percent2] == 0;
  if (!second || !fromTheMixture || second->lines.empty() ||
      second->lines.front().step != MethodStep::KeptAmount) {
    return std::nullopt;
  }
  second->lines.erase(second->lines.begin());
  const auto substance = [&mixing](Part part) {
    const PartColumns columns = ColumnsOf(part);
    const Fraction amount = mixing[columns.weight] * mixing[columns.percent] / Hundred;
    return MethodLine{MethodStep::KeptAmount,  part,
                      mixing[columns.weight],  mixing[columns.percent],
                      mixing[columns.percent], amount};
  };
  const MethodLine first = substance(Part::First);
  const MethodLine other = substance(Part::Second);
  const Fraction& firstMass = mixing[Weight1];
  const Fraction& secondMass = mixing[Weight2];
  return TwoStepMethod{
      {first,
       other,
       {MethodStep::TotalMass, Part::Mixture, firstMass, secondMass, 0, firstMass + secondMass},
       {MethodStep::KeptTotal, Part::Mixture, first.result, other.result, mixing[MixPercent],
        first.result + other.result}},
      *std::move(second)};
}

std::optional<Column> FoundColumn(const Method& method, const MethodLine& line) {
  switch (line.step) {
    case MethodStep::KeptTotal:
      return std::nullopt;
    case MethodStep::KeptAmount:
      // Dissolved, the pure substance is all the substance the solution has.
      if (method.dissolves && line.part == Part::Mixture) {
        return ColumnsOf(method.changing == Part::First ? Part::Second : Part::First).weight;
      }
      return std::nullopt;
    case MethodStep::PercentFromKept:
      return ColumnsOf(line.part).percent;
    case MethodStep::WholeFromKept:
    case MethodStep::TotalMass:
    case MethodStep::ChangedMass:
    case MethodStep::RemainingMass:
      break;
  }
  return ColumnsOf(line.part).weight;
}
