#include "form/solution_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "form/texts.h"
#include "worksheet/number_text.h"
#include "worksheet/worked_solution.h"

namespace Texts {

namespace {

constexpr std::array<std::string_view, 3> PartNames = {"първата съставка", "втората съставка",
                                                       "сместа"};
constexpr std::array<std::string_view, 3> PartTitles = {"Първата съставка", "Втората съставка",
                                                        "Сместа"};
constexpr std::array<std::string_view, 3> InPart = {"в първата съставка", "във втората съставка",
                                                    "в сместа"};

// One text from its pieces. The solution is made of many short pieces, and a chain of + would
// make a string of each step (and carry the code for it into the page's module).
std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) {
    text += piece;
  }
  return text;
}

// An unknown inside an equation, quoted so that "% - 2" reads as one name and not as a minus.
std::string Unknown(Column column) {
  return Concat({"«", ColumnHeading(column), "»"});
}

// A line ends in one full stop, also after a heading that ends in one ("Смес т.").
std::string Sentence(std::string text) {
  if (!text.ends_with('.')) {
    text += '.';
  }
  return text;
}

// Writes one solution, keeping track of what is known by each line.
class SolutionWriter {
 public:
  SolutionWriter(const RowSolution& solution, std::string_view separator)
      : solution_(solution), separator_(separator) {
    for (const Column column : solution.givens) {
      known_[column] = true;
    }
  }

  std::vector<std::string> Lines() {
    WriteGivensAndUnknowns();
    WriteWaterAndPureSubstance();
    WriteGivenSubstances();
    WriteBalances();
    for (const SolvedStep& step : solution_.steps) {
      WriteStep(step);
    }
    WriteCheck();
    WriteAnswer();
    WriteFindings();
    return std::move(lines_);
  }

 private:
  std::string Number(double value) const { return FormatCellNumber(value, separator_); }
  std::string Operand(double value) const { return NumberOperand(value, separator_); }

  // A quantity in an equation: its number once known, its name while unknown, or what the
  // weight balance says of it while it is being replaced.
  std::string Operand(Column column) const {
    if (substituted_ && substituted_->target == column) {
      return Concat({"(", Expression(*substituted_), ")"});
    }
    return known_[column] ? Operand(solution_.values[column]) : Unknown(column);
  }

  // A step's formula with the quantities as Operand writes them; its own target is not in it.
  std::string Expression(const Step& step) const {
    std::array<std::string, ColumnCount> operands;
    for (std::size_t column = 0; column < operands.size(); ++column) {
      if (column != step.target) {
        operands[column] = Operand(static_cast<Column>(column));
      }
    }
    return WriteFormula(step.formula, operands);
  }

  // weight × percent / 100, as the pupil writes it.
  static std::string Product(std::string_view weight, std::string_view percent) {
    return Concat({weight, " × ", percent, " / 100"});
  }

  // A part's active substance: its amount where the part was given whole, otherwise
  // weight × percent / 100 with what is known put in.
  std::string SubstanceTerm(Part part) const {
    for (const Substance& given : solution_.givenSubstances) {
      if (given.part == part) {
        return Operand(given.amount);
      }
    }
    const PartColumns columns = ColumnsOf(part);
    return Product(Operand(columns.weight), Operand(columns.percent));
  }

  std::string SubstanceBalance() const {
    return Concat({SubstanceTerm(Part::First), " + ", SubstanceTerm(Part::Second), " = ",
                   SubstanceTerm(Part::Mixture)});
  }

  void Add(std::initializer_list<std::string_view> pieces) {
    lines_.push_back(Sentence(Concat(pieces)));
  }
  void AddStep(std::initializer_list<std::string_view> pieces) {
    const std::string number = std::to_string(++stepNumber_);
    lines_.push_back(Sentence(Concat({number, ". ", Concat(pieces)})));
  }

  // The unknowns in column order, as the grid shows them.
  std::array<Column, 2> Unknowns() const {
    const auto& [first, second] = solution_.unknowns;
    return {std::min(first, second), std::max(first, second)};
  }

  // "Тегло 2 = 300, Смес т. = 500".
  template <std::size_t Count>
  std::string Values(const std::array<Column, Count>& columns) const {
    std::string text;
    for (const Column column : columns) {
      const std::string value = Number(solution_.values[column]);
      text += Concat({column == columns[0] ? "" : ", ", ColumnHeading(column), " = ", value});
    }
    return text;
  }

  void WriteGivensAndUnknowns() {
    Add({"Дадено: ", Values(solution_.givens)});
    const auto [first, second] = Unknowns();
    Add({"Търси се: ", ColumnHeading(first), " и ", ColumnHeading(second)});
  }

  void WriteWaterAndPureSubstance() {
    for (const Part part : {Part::First, Part::Second}) {
      const Column percent = ColumnsOf(part).percent;
      if (!solution_.IsGiven(percent)) {
        continue;
      }
      if (solution_.values[percent] == 0) {
        Add({PartTitle(part), " е вода: в нея няма активно вещество (0 %)"});
      } else if (solution_.values[percent] == 100) {
        Add({PartTitle(part), " е чистото вещество, без вода (100 %)"});
      }
    }
  }

  void WriteGivenSubstances() {
    for (const Substance& substance : solution_.givenSubstances) {
      const std::string product = Product(Operand(substance.weight), Operand(substance.percent));
      AddStep({"Активното вещество ", InPart[static_cast<std::size_t>(substance.part)], " е ",
               product, " = ", Number(substance.amount)});
    }
  }

  void WriteBalances() {
    AddStep({"Баланс на теглата (двете съставки заедно тежат колкото сместа): ", Operand(Weight1),
             " + ", Operand(Weight2), " = ", Operand(MixWeight)});
    AddStep(
        {"Баланс на активното вещество (в сместа го има толкова, колкото в двете съставки "
         "заедно): ",
         SubstanceBalance()});
  }

  void WriteStep(const SolvedStep& step) {
    const std::string found = ExplainStep(step.rule, solution_.values, separator_);
    switch (step.method) {
      case Method::WeightBalance:
        AddStep({"От баланса на теглата: ", found});
        break;
      case Method::SubstanceBalance:
        AddStep(
            {"Заместваме известните числа в баланса на активното вещество и остава "
             "уравнение с едно неизвестно: ",
             SubstanceBalance()});
        AddStep({"Решаваме го: ", found});
        break;
      case Method::Substitution:
        WriteSubstitution(step);
        AddStep({"Решаваме го: ", found});
        break;
    }
    known_[step.rule.target] = true;
  }

  // The next step's weight, in terms of this one, goes into the substance balance.
  void WriteSubstitution(const SolvedStep& step) {
    const Step& replaced = solution_.steps[1].rule;
    const std::string weightBalance =
        Concat({Unknown(replaced.target), " = ", Expression(replaced)});
    substituted_ = replaced;
    AddStep({"От баланса на теглата ", weightBalance,
             ". Заместваме го в баланса на активното вещество и получаваме уравнение с едно "
             "неизвестно, ",
             Unknown(step.rule.target), ": ", SubstanceBalance()});
    substituted_.reset();
  }

  std::string CheckProduct(const Substance& substance) const {
    return Product(Operand(substance.weight), Operand(substance.percent));
  }

  void WriteCheck() {
    const Check& check = solution_.check;
    if (!std::isfinite(check.partsTotal) || !std::isfinite(check.mixture.amount)) {
      Add({"Проверка: числата са твърде големи, за да се провери"});
      return;
    }
    const std::string total = Number(check.partsTotal);
    const std::string mixture = Number(check.mixture.amount);
    // The 15 digits that the cells show can leave the last one apart.
    const double difference = std::fabs(check.partsTotal - check.mixture.amount);
    const bool close = difference <= 1e-9 * std::fmax(std::fabs(check.partsTotal),
                                                      std::fabs(check.mixture.amount));
    const bool equal = mixture == total;
    Add({"Проверка: ", CheckProduct(check.first), " + ", CheckProduct(check.second), " = ",
         Operand(check.first.amount), " + ", Operand(check.second.amount), " = ", total,
         equal ? " = " : (close ? " ≈ " : " ≠ "), CheckProduct(check.mixture),
         equal ? "" : Concat({" = ", mixture, close ? ", с точност до закръгляването" : ""})});
  }

  void WriteAnswer() { Add({"Отговор: ", Values(Unknowns())}); }

  void WriteFindings() {
    for (const Finding& finding : solution_.findings) {
      Add({"Внимание: ", FindingText(finding)});
    }
  }

  std::string FindingText(const Finding& finding) const {
    const MixtureValues& v = solution_.values;
    const std::string value =
        Concat({ColumnHeading(finding.column),
                solution_.IsGiven(finding.column) ? " е " : " излиза ", Number(v[finding.column])});
    switch (finding.kind) {
      case FindingKind::NegativeWeight:
        return Concat({value, ", а тегло не може да е отрицателно."});
      case FindingKind::MixtureWeightNotPositive:
        return Concat({value, ", а сместа трябва да тежи повече от 0."});
      case FindingKind::PercentBelowZero:
        return Concat({value, ", а процент не може да е по-малък от 0 (0 % е вода)."});
      case FindingKind::PercentAboveHundred:
        return Concat(
            {value, ", а процент не може да е повече от 100 (100 % е чистото вещество)."});
      case FindingKind::MixPercentOutsideParts:
        break;
    }
    const std::string first = Number(v[Percent1]);
    const std::string mixture = Number(v[MixPercent]);
    if (v[Percent1] == v[Percent2]) {
      return Concat({"Двете съставки са с по ", first, " %, така че и сместа трябва да е с ", first,
                     " %, а не с ", mixture, "."});
    }
    return Concat({"Процентът на сместа (", mixture,
                   ") трябва да е между процентите на двете съставки (", first, " и ",
                   Number(v[Percent2]), ")."});
  }

  const RowSolution& solution_;
  std::string_view separator_;
  std::array<bool, ColumnCount> known_{};
  std::optional<Step> substituted_;
  int stepNumber_ = 0;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> SolutionLines(const RowSolution& solution,
                                       std::string_view decimalSeparator) {
  return SolutionWriter(solution, decimalSeparator).Lines();
}

std::string_view PartName(Part part) {
  return PartNames[static_cast<std::size_t>(part)];
}

std::string_view PartTitle(Part part) {
  return PartTitles[static_cast<std::size_t>(part)];
}

}  // namespace Texts
