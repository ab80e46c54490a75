#include "form/solution_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

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

std::string Heading(Column column) {
  return std::string(ColumnHeadings[column]);
}

// An unknown inside an equation, quoted so that "% - 2" reads as one name and not as a minus.
std::string Unknown(Column column) {
  return "«" + Heading(column) + "»";
}

// A line ends in one full stop, also after a heading that ends in one ("Смес т.").
std::string Sentence(std::string text) {
  return text.ends_with('.') ? text : text + '.';
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

  // A quantity in an equation: its number once known, its name while unknown, or what the
  // weight balance says of it while it is being replaced.
  std::string Operand(Column column) const {
    if (substituted_ && substituted_->target == column) {
      return "(" + Expression(*substituted_) + ")";
    }
    return known_[column] ? NumberOperand(solution_.values[column], separator_) : Unknown(column);
  }

  std::string Expression(const Step& step) const {
    return WriteFormula(step.formula, [this](Column column) { return Operand(column); });
  }

  // A part's active substance: its amount where the part was given whole, otherwise
  // weight × percent / 100 with what is known put in.
  std::string SubstanceTerm(Part part) const {
    for (const Substance& given : solution_.givenSubstances) {
      if (given.part == part) {
        return NumberOperand(given.amount, separator_);
      }
    }
    const PartColumns columns = ColumnsOf(part);
    return Operand(columns.weight) + " × " + Operand(columns.percent) + " / 100";
  }

  std::string SubstanceBalance() const {
    return SubstanceTerm(Part::First) + " + " + SubstanceTerm(Part::Second) + " = " +
           SubstanceTerm(Part::Mixture);
  }

  void Add(std::string line) { lines_.push_back(Sentence(std::move(line))); }
  void AddStep(const std::string& line) { Add(std::to_string(++stepNumber_) + ". " + line); }

  std::array<Column, 2> UnknownsInColumnOrder() const {
    std::array<Column, 2> unknowns = solution_.unknowns;
    std::sort(unknowns.begin(), unknowns.end());
    return unknowns;
  }

  void WriteGivensAndUnknowns() {
    std::string givens = "Дадено: ";
    for (const Column column : solution_.givens) {
      givens += (column == solution_.givens[0] ? "" : ", ") + Heading(column) + " = " +
                Number(solution_.values[column]);
    }
    Add(givens);
    const auto unknowns = UnknownsInColumnOrder();
    Add("Търси се: " + Heading(unknowns[0]) + " и " + Heading(unknowns[1]));
  }

  void WriteWaterAndPureSubstance() {
    for (const Part part : {Part::First, Part::Second}) {
      const Column percent = ColumnsOf(part).percent;
      if (!solution_.IsGiven(percent)) {
        continue;
      }
      const std::string name(PartTitle(part));
      if (solution_.values[percent] == 0) {
        Add(name + " е вода: в нея няма активно вещество (0 %)");
      } else if (solution_.values[percent] == 100) {
        Add(name + " е чистото вещество, без вода (100 %)");
      }
    }
  }

  void WriteGivenSubstances() {
    for (const Substance& substance : solution_.givenSubstances) {
      AddStep(
          "Активното вещество " + std::string(InPart[static_cast<std::size_t>(substance.part)]) +
          " е " + NumberOperand(substance.weight, separator_) + " × " +
          NumberOperand(substance.percent, separator_) + " / 100 = " + Number(substance.amount));
    }
  }

  void WriteBalances() {
    AddStep("Баланс на теглата (двете съставки заедно тежат колкото сместа): " + Operand(Weight1) +
            " + " + Operand(Weight2) + " = " + Operand(MixWeight));
    AddStep(
        "Баланс на активното вещество (в сместа го има толкова, колкото в двете съставки "
        "заедно): " +
        SubstanceBalance());
  }

  void WriteStep(const SolvedStep& step) {
    const std::string found = ExplainStep(step.rule, solution_.values, separator_);
    switch (step.method) {
      case Method::WeightBalance:
        AddStep("От баланса на теглата: " + found);
        break;
      case Method::SubstanceBalance:
        AddStep(
            "Заместваме известните числа в баланса на активното вещество и остава уравнение с "
            "едно неизвестно: " +
            SubstanceBalance());
        AddStep("Решаваме го: " + found);
        break;
      case Method::Substitution:
        WriteSubstitution(step);
        AddStep("Решаваме го: " + found);
        break;
    }
    known_[step.rule.target] = true;
  }

  // The next step's weight, in terms of this one, goes into the substance balance.
  void WriteSubstitution(const SolvedStep& step) {
    const Step& replaced = solution_.steps[1].rule;
    const std::string weightBalance = Unknown(replaced.target) + " = " + Expression(replaced);
    substituted_ = replaced;
    AddStep("От баланса на теглата " + weightBalance +
            ". Заместваме го в баланса на активното вещество и получаваме уравнение с едно "
            "неизвестно, " +
            Unknown(step.rule.target) + ": " + SubstanceBalance());
    substituted_.reset();
  }

  void WriteCheck() {
    const Check& check = solution_.check;
    if (!std::isfinite(check.partsTotal) || !std::isfinite(check.mixture.amount)) {
      Add("Проверка: числата са твърде големи, за да се провери.");
      return;
    }
    const auto formula = [this](const Substance& substance) {
      return NumberOperand(substance.weight, separator_) + " × " +
             NumberOperand(substance.percent, separator_) + " / 100";
    };
    std::string line = "Проверка: " + formula(check.first) + " + " + formula(check.second) + " = " +
                       NumberOperand(check.first.amount, separator_) + " + " +
                       NumberOperand(check.second.amount, separator_) + " = " +
                       Number(check.partsTotal);
    const std::string mixture = Number(check.mixture.amount);
    if (mixture == Number(check.partsTotal)) {
      Add(line + " = " + formula(check.mixture));
      return;
    }
    // The 15 digits that the cells show can leave the last one apart.
    const double difference = std::fabs(check.partsTotal - check.mixture.amount);
    const bool close = difference <= 1e-9 * std::fmax(std::fabs(check.partsTotal),
                                                      std::fabs(check.mixture.amount));
    Add(line + (close ? " ≈ " : " ≠ ") + formula(check.mixture) + " = " + mixture +
        (close ? ", с точност до закръгляването" : ""));
  }

  void WriteAnswer() {
    std::string answer = "Отговор: ";
    const auto unknowns = UnknownsInColumnOrder();
    for (const Column column : unknowns) {
      answer += (column == unknowns[0] ? "" : ", ") + Heading(column) + " = " +
                Number(solution_.values[column]);
    }
    Add(answer);
  }

  void WriteFindings() {
    for (const Finding& finding : solution_.findings) {
      Add("Внимание: " + FindingText(finding));
    }
  }

  std::string FindingText(const Finding& finding) const {
    const MixtureValues& v = solution_.values;
    const std::string value = Heading(finding.column) +
                              (solution_.IsGiven(finding.column) ? " е " : " излиза ") +
                              Number(v[finding.column]);
    switch (finding.kind) {
      case FindingKind::NegativeWeight:
        return value + ", а тегло не може да е отрицателно.";
      case FindingKind::MixtureWeightNotPositive:
        return value + ", а сместа трябва да тежи повече от 0.";
      case FindingKind::PercentBelowZero:
        return value + ", а процент не може да е по-малък от 0 (0 % е вода).";
      case FindingKind::PercentAboveHundred:
        return value + ", а процент не може да е повече от 100 (100 % е чистото вещество).";
      case FindingKind::MixPercentOutsideParts:
        break;
    }
    if (v[Percent1] == v[Percent2]) {
      return "Двете съставки са с по " + Number(v[Percent1]) +
             " %, така че и сместа трябва да е с " + Number(v[Percent1]) + " %, а не с " +
             Number(v[MixPercent]) + ".";
    }
    return "Процентът на сместа (" + Number(v[MixPercent]) +
           ") трябва да е между процентите на двете съставки (" + Number(v[Percent1]) + " и " +
           Number(v[Percent2]) + ").";
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
