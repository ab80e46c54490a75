#include "worksheet/worksheet.h"

#include <limits>
#include <utility>

#include "worksheet/variants.h"
#include "worksheet/worked_solution.h"

namespace {

std::string QuotedHeading(Column column) {
  return "«" + std::string(ColumnHeadings[column]) + "»";
}

}  // namespace

Worksheet::Worksheet(std::string decimalSeparator)
    : decimalSeparator_(std::move(decimalSeparator)) {}

void Worksheet::SelectVariant(VariantIndex variant) {
  CheckVariant(variant);
  const CellIndex first = CellOf(variant, Percent1);
  const CellIndex last = CellOf(variant, MixWeight);
  currentVariant_ = variant;
  worked_.reset();
  for (Cell& cell : cells_) {
    cell.text.clear();
    cell.explained = false;
    cell.locked = true;
  }
  for (CellIndex cell = first; cell <= last; ++cell) {
    At(cell).locked = false;
  }
}

void Worksheet::Calculate() {
  const VariantIndex variant = currentVariant_;
  MixtureValues values;
  try {
    values = SolveRow(variant);
  } catch (const ArithmeticFault&) {
    // The grid stays as it was; the explanation says what went wrong with these numbers.
    worked_ = WorkedRow{variant, GivenValues(variant), false};
    throw;
  }
  RowTexts texts = FormatRow(values);
  WorkedRow worked{variant, ShownValues(texts, values), true};
  WriteRow(variant, std::move(texts));
  solved_ = values;
  worked_ = worked;
}

void Worksheet::ClearAll() {
  worked_.reset();
  for (Cell& cell : cells_) {
    cell.text.clear();
    cell.explained = false;
  }
}

std::optional<RowSolution> Worksheet::Solution() const {
  if (!worked_) {
    return std::nullopt;
  }
  return SolveStepByStep(worked_->variant, worked_->values, worked_->calculated);
}

const std::string& Worksheet::CellText(CellIndex cell) const {
  return At(cell).text;
}

bool Worksheet::SetCellText(CellIndex cell, std::string text) {
  Cell& target = At(cell);
  if (target.locked) {
    return false;
  }
  target.text = std::move(text);
  target.explained = false;
  worked_.reset();
  return true;
}

bool Worksheet::IsLocked(CellIndex cell) const {
  return At(cell).locked;
}

bool Worksheet::IsResultCell(CellIndex cell) {
  CheckCell(cell);
  return IsResultColumn(VariantOf(cell), ColumnOf(cell));
}

std::string Worksheet::Explanation(CellIndex cell) const {
  if (!At(cell).explained) {
    return {};
  }
  // Explained cells are all in the working row, which is the row solved_ holds.
  for (const Step& step : RuleOf(VariantOf(cell)).steps) {
    if (step.target == ColumnOf(cell)) {
      return ExplainStep(step, solved_, decimalSeparator_);
    }
  }
  return {};
}

MixtureValues Worksheet::SolveRow(VariantIndex variant) const {
  const std::array<double, 4> givens = ReadGivens(variant);
  try {
    return SolveMixture(variant, givens[0], givens[1], givens[2], givens[3]);
  } catch (const ArithmeticFault& fault) {
    // Empty cells read as 0, which is the usual reason for a fault: say so instead.
    std::string cause = BlankGivensCause(variant, fault);
    if (cause.empty()) {
      throw;
    }
    throw ArithmeticFault(fault.Kind(), std::move(cause));
  }
}

std::array<double, 4> Worksheet::ReadGivens(VariantIndex variant) const {
  std::array<double, 4> givens{};
  const auto& columns = RuleOf(variant).givens;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    givens[i] = ParseCellNumber(At(CellOf(variant, columns[i])).text, decimalSeparator_);
  }
  return givens;
}

// The givens at their columns; one beyond a double's range stands as infinity.
MixtureValues Worksheet::GivenValues(VariantIndex variant) const {
  MixtureValues values{};
  for (const Column column : RuleOf(variant).givens) {
    try {
      values[column] = ParseCellNumber(At(CellOf(variant, column)).text, decimalSeparator_);
    } catch (const ArithmeticFault&) {
      values[column] = std::numeric_limits<double>::infinity();
    }
  }
  return values;
}

std::string Worksheet::BlankGivensCause(VariantIndex variant, const ArithmeticFault& fault) const {
  std::string blanks;
  std::size_t blankCount = 0;
  for (const Column column : RuleOf(variant).givens) {
    if (IsBlankCellText(At(CellOf(variant, column)).text)) {
      blanks += (blankCount++ == 0 ? "" : ", ") + QuotedHeading(column);
    }
  }
  if (blankCount == 0) {
    return {};
  }
  if (blankCount == RuleOf(variant).givens.size()) {
    return "Дадените клетки са празни.";
  }
  return fault.Cause() + " Празните клетки се смятат за 0: " + blanks + ".";
}

Worksheet::RowTexts Worksheet::FormatRow(const MixtureValues& values) const {
  RowTexts texts;
  for (std::size_t column = 0; column < texts.size(); ++column) {
    texts[column] = FormatCellNumber(values[column], decimalSeparator_);
  }
  return texts;
}

// What the cells will show, read back: the check works with the numbers the pupil sees. A
// value that its 15 digits round beyond a double's range keeps the solver's own.
MixtureValues Worksheet::ShownValues(const RowTexts& texts, const MixtureValues& exact) const {
  MixtureValues shown = exact;
  for (std::size_t column = 0; column < texts.size(); ++column) {
    try {
      shown[column] = ParseCellNumber(texts[column], decimalSeparator_);
    } catch (const ArithmeticFault&) {
      // 1.7976931348623157E+308 is written 1.79769313486232E+308, which no double holds.
    }
  }
  return shown;
}

void Worksheet::WriteRow(VariantIndex variant, RowTexts texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const auto column = static_cast<Column>(i);
    Cell& cell = At(CellOf(variant, column));
    cell.text = std::move(texts[i]);
    cell.explained = IsResultColumn(variant, column);
  }
}

Worksheet::Cell& Worksheet::At(CellIndex cell) {
  CheckCell(cell);
  return cells_[static_cast<std::size_t>(cell)];
}

const Worksheet::Cell& Worksheet::At(CellIndex cell) const {
  CheckCell(cell);
  return cells_[static_cast<std::size_t>(cell)];
}
