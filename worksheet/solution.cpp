#include "worksheet/solution.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<PartColumns, 3> PartTable = {
    {{Percent1, Weight1}, {Percent2, Weight2}, {MixPercent, MixWeight}}};

bool IsWeight(Column column) {
  return column == Weight1 || column == Weight2 || column == MixWeight;
}

std::size_t IndexOf(Part part) {
  return static_cast<std::size_t>(part);
}

const Fraction Hundred(100);
// One unit of the 15th significant digit, relative to the number, at most.
constexpr double LastDigit = 1e-14;

Term NumberTerm(const Fraction& value) {
  return {value, Mass{1}};
}

Term XTerm(const Fraction& coefficient) {
  return {coefficient, Mass{0, 1}};
}

bool HasX(const Term& term) {
  return term.mass.x != 0;
}

Side Negated(Side side) {
  for (Term& term : side) {
    term.factor = -term.factor;
  }
  return side;
}

Side Joined(Side first, const Side& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

Side Only(const Side& side, bool withX) {
  Side terms;
  std::copy_if(side.begin(), side.end(), std::back_inserter(terms),
               [withX](const Term& term) { return HasX(term) == withX; });
  return terms;
}

Fraction Sum(const Side& side) {
  Fraction sum;
  for (const Term& term : side) {
    sum = sum + (HasX(term) ? term.factor : term.factor * term.mass.number);
  }
  return sum;
}

// 36(200 + x) becomes 7200 + 36x, in the order the bracket holds them.
Side Opened(const Side& side) {
  Side opened;
  for (const Term& term : side) {
    const Mass& mass = term.mass;
    if (mass.x == 0 || mass.number.Sign() == 0) {
      opened.push_back(mass.x == 0 ? NumberTerm(term.factor * mass.number)
                                   : XTerm(term.factor * Fraction(mass.x)));
      continue;
    }
    const Term number = NumberTerm(term.factor * mass.number);
    const Term x = XTerm(term.factor * Fraction(mass.x));
    opened.push_back(mass.xFirst ? x : number);
    opened.push_back(mass.xFirst ? number : x);
  }
  return opened;
}

// The terms with x go to the left and the numbers to the right, each changing its sign as it
// crosses; where that would leave fewer x on the left than on the right, the other way round, so
// that the coefficient stays positive ("12000 − 10800 = 36x − 30x"). Each side keeps its place,
// as a pupil who moves a term with its sign changed sees it.
Equation Moved(const Equation& equation) {
  const Side leftX = Only(equation.left, true);
  const Side rightX = Only(equation.right, true);
  const Side leftNumbers = Only(equation.left, false);
  const Side rightNumbers = Only(equation.right, false);
  const auto orZero = [](Side side) { return side.empty() ? Side{NumberTerm(0)} : side; };
  if (Sum(leftX) >= Sum(rightX)) {
    // Where both parts with x are of 0%, no term holds x, and the equation is 0 · x = b.
    const Side xSide = Joined(leftX, Negated(rightX));
    return {xSide.empty() ? Side{XTerm(0)} : xSide,
            orZero(Joined(rightNumbers, Negated(leftNumbers)))};
  }
  return {orZero(Joined(leftNumbers, Negated(rightNumbers))), Joined(rightX, Negated(leftX))};
}

// Whether the side holds a term with x.
bool HoldsX(const Side& side) {
  return !Only(side, true).empty();
}

// Works the row out in fractions; where numbers do not fit, the ExactWork around it notes so.
class Derivation {
 public:
  explicit Derivation(RowSolution& solution)
      : solution_(solution), rule_(RuleOf(solution.variant)) {}

  void Run() {
    for (const Column column : rule_.givens) {
      solution_.exact[column] = Shown(solution_.values[column]);
      if (!Known(column)) {
        ExactWork::NoteInexact();
        return;
      }
    }
    FillTableWithGivens();
    if (IsWeight(rule_.results[0]) && IsWeight(rule_.results[1])) {
      SolveByEquation();
    } else {
      SolveByArithmetic();
    }
    if (solution_.outcome == Outcome::Answer) {
      WorkOutCheck();
    }
  }

  // The exact results are what the cells show, up to the rounding of their 15th digit. Givens of
  // more digits than the cells keep may leave the shown numbers without a result at all (0 · x =
  // 0, a mixture of no mass): the solution then says so, and there is nothing to compare.
  void CompareWithCells() {
    for (const Column column : rule_.results) {
      if (!solution_.exact[column]) {
        continue;
      }
      const double exact = solution_.exact[column]->ToDouble();
      const double shown = solution_.values[column];
      if (std::fabs(exact - shown) > LastDigit * std::fabs(shown)) {
        solution_.inexactCells.push_back(column);
      }
    }
  }

 private:
  static std::optional<Fraction> Shown(double value) {
    return std::isfinite(value) ? Fraction::FromShown(value) : std::nullopt;
  }

  bool Known(Column column) const { return solution_.exact[column].has_value(); }
  const Fraction& Value(Column column) const { return *solution_.exact[column]; }

  void FillTableWithGivens() {
    for (const Part part : Parts) {
      const PartColumns columns = ColumnsOf(part);
      const std::size_t row = IndexOf(part);
      if (Known(columns.weight)) {
        solution_.tableMass[row] = Mass{Value(columns.weight)};
      }
      if (Known(columns.percent)) {
        solution_.tablePercent[row] = Value(columns.percent);
      }
      if (Known(columns.weight) && Known(columns.percent)) {
        solution_.tableSubstance[row] = SubstanceIn(part);
      }
    }
  }

  Fraction SubstanceIn(Part part) const {
    const PartColumns columns = ColumnsOf(part);
    return Value(columns.weight) * Value(columns.percent) / Hundred;
  }

  // Variants 1, 3, 4 and 6: the unknown mass from the other two, then the substance part by
  // part, then the unknown percentage as a part of the whole.
  void SolveByArithmetic() {
    FindMass(rule_.steps[0].target, solution_.arithmetic);
    AddSubstance(Part::First);
    if (solution_.IsGiven(Percent2)) {
      AddSubstance(Part::Second);
      substance_[IndexOf(Part::Mixture)] =
          Add(Arithmetic::SubstanceSum, Part::Mixture, Substance(Part::First),
              Substance(Part::Second), Substance(Part::First) + Substance(Part::Second));
      AddPercent(Part::Mixture);
    } else {
      AddSubstance(Part::Mixture);
      substance_[IndexOf(Part::Second)] =
          Add(Arithmetic::SubstanceDifference, Part::Second, Substance(Part::Mixture),
              Substance(Part::First), Substance(Part::Mixture) - Substance(Part::First));
      AddPercent(Part::Second);
    }
  }

  const Fraction& Substance(Part part) const { return *substance_[IndexOf(part)]; }

  Fraction Add(Arithmetic kind, Part part, const Fraction& left, const Fraction& right,
               const Fraction& result) {
    solution_.arithmetic.push_back({kind, part, left, right, result});
    return result;
  }

  void AddSubstance(Part part) {
    const PartColumns columns = ColumnsOf(part);
    substance_[IndexOf(part)] = Add(Arithmetic::Substance, part, Value(columns.weight),
                                    Value(columns.percent), SubstanceIn(part));
  }

  void AddPercent(Part part) {
    const PartColumns columns = ColumnsOf(part);
    const Fraction& mass = Value(columns.weight);
    ArithmeticLine line{Arithmetic::Percent, part, Substance(part), mass, std::nullopt};
    if (mass.Sign() == 0) {
      solution_.outcome = Outcome::ZeroMass;
    } else {
      line.result = Substance(part) / mass * Hundred;
      solution_.exact[columns.percent] = line.result;
    }
    solution_.arithmetic.push_back(line);
  }

  // The mass that the other two give: the mixture's is their sum, a part's the difference.
  void FindMass(Column column, std::vector<ArithmeticLine>& lines) {
    ArithmeticLine line{Arithmetic::MassSum, Part::Mixture, {}, {}, {}};
    if (column == MixWeight) {
      line.left = Value(Weight1);
      line.right = Value(Weight2);
      line.result = line.left + line.right;
    } else {
      const Column other = column == Weight1 ? Weight2 : Weight1;
      line = {Arithmetic::MassDifference, PartOf(column), Value(MixWeight), Value(other), {}};
      line.result = line.left - line.right;
    }
    solution_.exact[column] = line.result;
    lines.push_back(line);
  }

  // Variants 2, 5 and 7: x is the mass the solver finds first; the other unknown mass is put in
  // terms of x; the substance balance is then one equation in x.
  void SolveByEquation() {
    const Column unknown = rule_.steps[0].target;
    const Column other = rule_.steps[1].target;
    EquationSolution equation{unknown, {}, {}, {}, {}, {}, {}, true, {}};
    for (const Part part : Parts) {
      const Mass mass = MassOf(part, unknown, other);
      solution_.tableMass[IndexOf(part)] = mass;
      const Fraction& percent = Value(ColumnsOf(part).percent);
      if (percent.Sign() == 0) {
        if (part != Part::Mixture) {
          // Where both parts are of 0%, neither is "the one" without it.
          equation.withoutSubstance =
              equation.withoutSubstance ? std::nullopt : std::optional<Part>(part);
        }
        continue;  // a part without the substance adds nothing to its side
      }
      const Fraction amount = mass.x == 0 ? mass.number * percent / Hundred : Fraction();
      (part == Part::Mixture ? equation.mixture : equation.parts)
          .push_back({mass, percent, amount});
    }
    SolveLineByLine(equation);
    if (equation.x) {
      solution_.exact[unknown] = equation.x;
      FindMass(other, solution_.afterEquation);
    } else {
      solution_.outcome =
          equation.constant.Sign() == 0 ? Outcome::EveryNumber : Outcome::NoSolution;
    }
    solution_.equation = std::move(equation);
  }

  Mass MassOf(Part part, Column unknown, Column other) const {
    const Column column = ColumnsOf(part).weight;
    if (column == unknown) {
      return Mass{0, 1};
    }
    if (column != other) {
      return Mass{Value(column)};
    }
    if (column == MixWeight) {
      // The known part's mass and x, in the order of the parts.
      const Column known = unknown == Weight1 ? Weight2 : Weight1;
      return Mass{Value(known), 1, unknown == Weight1};
    }
    return Mass{Value(MixWeight), -1};
  }

  static Side Cleared(const std::vector<SubstanceTerm>& terms) {
    Side side;
    for (const SubstanceTerm& term : terms) {
      side.push_back(term.mass.x == 0 ? NumberTerm(term.amount * Hundred)
                                      : Term{term.percent, term.mass});
    }
    return side;
  }

  static void SolveLineByLine(EquationSolution& equation) {
    auto& lines = equation.lines;
    lines.push_back(
        {EquationStep::ClearHundreds, {Cleared(equation.parts), Cleared(equation.mixture)}});
    const auto addIfChanged = [&lines](EquationStep step, Equation next) {
      if (!(next == lines.back().equation)) {
        lines.push_back({step, std::move(next)});
      }
    };
    const Equation& cleared = lines.back().equation;
    addIfChanged(EquationStep::OpenBrackets, {Opened(cleared.left), Opened(cleared.right)});
    addIfChanged(EquationStep::MoveTerms, Moved(lines.back().equation));
    const Equation& moved = lines.back().equation;
    const bool xOnLeft = HoldsX(moved.left);
    equation.xOnLeft = xOnLeft;
    equation.coefficient = Sum(xOnLeft ? moved.left : moved.right);
    equation.constant = Sum(xOnLeft ? moved.right : moved.left);
    const Side x{XTerm(equation.coefficient)};
    const Side number{NumberTerm(equation.constant)};
    addIfChanged(EquationStep::Collect, xOnLeft ? Equation{x, number} : Equation{number, x});
    if (equation.coefficient.Sign() != 0) {
      equation.x = equation.constant / equation.coefficient;
    }
  }

  void WorkOutCheck() {
    ::Check& check = solution_.check;
    for (const Part part : Parts) {
      check.substance[IndexOf(part)] = SubstanceIn(part);
    }
    check.substanceSum = check.substance[0] + check.substance[1];
    check.massSum = Value(Weight1) + Value(Weight2);
  }

  RowSolution& solution_;
  const VariantRule& rule_;
  std::array<std::optional<Fraction>, 3> substance_;
};

// The findings from exact values, or, where there are none, from the cells' doubles.
template <typename Number>
using Known = std::array<std::optional<Number>, ColumnCount>;

template <typename Number>
void FindImpossiblePercentages(const Known<Number>& known, std::vector<Finding>& findings) {
  if (known[Percent1] && known[Percent2] && known[MixPercent]) {
    const auto [lowest, highest] = std::minmax(*known[Percent1], *known[Percent2]);
    if (*known[MixPercent] < lowest || *known[MixPercent] > highest) {
      findings.push_back({FindingKind::MixPercentOutsideParts, MixPercent});
    }
  }
  for (const Column column : {Percent1, Percent2, MixPercent}) {
    if (!known[column]) {
      continue;
    }
    if (*known[column] < Number(0)) {
      findings.push_back({FindingKind::PercentBelowZero, column});
    } else if (*known[column] > Number(100)) {
      findings.push_back({FindingKind::PercentAboveHundred, column});
    }
  }
}

template <typename Number>
void FindImpossibleMasses(const Known<Number>& known, std::vector<Finding>& findings) {
  for (const Column column : {Weight1, Weight2, MixWeight}) {
    if (known[column] && *known[column] <= Number(0)) {
      findings.push_back({FindingKind::MassNotPositive, column});
    }
  }
}

template <typename Number>
void FindImpossible(const Known<Number>& known, std::vector<Finding>& findings) {
  FindImpossiblePercentages(known, findings);
  FindImpossibleMasses(known, findings);
}

// Water that evaporated: a part of 0% with a mass below zero, the other part a real solution,
// and the mixture of some mass, stronger than that solution and at most pure.
std::optional<Part> WaterLeft(const Known<Fraction>& known) {
  if (std::any_of(known.begin(), known.end(), [](const auto& value) { return !value; })) {
    return std::nullopt;
  }
  const auto value = [&known](Part part, bool weight) -> const Fraction& {
    const PartColumns columns = ColumnsOf(part);
    return *known[weight ? columns.weight : columns.percent];
  };
  for (const Part water : {Part::First, Part::Second}) {
    const Part solution = water == Part::First ? Part::Second : Part::First;
    const Fraction& percent = value(solution, false);
    const Fraction& mixPercent = value(Part::Mixture, false);
    if (value(water, false).Sign() == 0 && value(water, true).Sign() < 0 &&
        value(solution, true).Sign() > 0 && percent.Sign() > 0 && percent < Hundred &&
        value(Part::Mixture, true).Sign() > 0 && mixPercent > percent && mixPercent <= Hundred) {
      return water;
    }
  }
  return std::nullopt;
}

// The values the cells show, where the derivation could not find exact ones: all six after a
// Calculate, the givens after a fault.
Known<double> ShownValues(const RowSolution& solution, bool calculated) {
  Known<double> known;
  for (std::size_t column = 0; column < known.size(); ++column) {
    const double value = solution.values[column];
    if ((calculated || solution.IsGiven(static_cast<Column>(column))) && std::isfinite(value)) {
      known[column] = value;
    }
  }
  return known;
}

// Without exact fractions there is no derivation to show.
void DropDerivation(RowSolution& solution, bool calculated) {
  solution.outcome = calculated ? Outcome::Approximate : Outcome::TooLarge;
  solution.exact = {};
  solution.tableMass = {};
  solution.tablePercent = {};
  solution.tableSubstance = {};
  solution.arithmetic.clear();
  solution.equation.reset();
  solution.afterEquation.clear();
  solution.check = {};
}

// Whether the row worked out in exact fractions.
bool Derived(RowSolution& solution, bool calculated) {
  const ExactWork exact;
  Derivation derivation(solution);
  derivation.Run();
  if (calculated && !exact.Failed()) {
    derivation.CompareWithCells();
  }
  return !exact.Failed();
}

}  // namespace

PartColumns ColumnsOf(Part part) {
  return PartTable[IndexOf(part)];
}

Part PartOf(Column column) {
  for (const Part part : Parts) {
    const PartColumns columns = ColumnsOf(part);
    if (columns.percent == column || columns.weight == column) {
      return part;
    }
  }
  return Part::Mixture;
}

bool RowSolution::IsGiven(Column column) const {
  return std::find(givens.begin(), givens.end(), column) != givens.end();
}

bool RowSolution::IsExact() const {
  return outcome != Outcome::Approximate && outcome != Outcome::TooLarge;
}

RowSolution SolveStepByStep(VariantIndex variant, const MixtureValues& values, bool calculated) {
  const VariantRule& rule = RuleOf(variant);
  RowSolution solution;
  solution.variant = variant;
  solution.values = values;
  solution.givens = rule.givens;
  solution.unknowns = rule.results;
  if (!Derived(solution, calculated)) {
    DropDerivation(solution, calculated);
  }
  if (solution.IsExact()) {
    solution.waterLeft = WaterLeft(solution.exact);
    if (!solution.waterLeft) {
      FindImpossible(solution.exact, solution.findings);
    }
  } else {
    FindImpossible(ShownValues(solution, calculated), solution.findings);
  }
  if (solution.outcome == Outcome::Answer && !solution.findings.empty()) {
    solution.outcome = Outcome::Impossible;
  }
  return solution;
}
