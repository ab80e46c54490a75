#pragma once

#include <array>
#include <optional>
#include <string>

#include "worksheet/fault.h"
#include "worksheet/grid.h"
#include "worksheet/number_text.h"
#include "worksheet/solution.h"
#include "worksheet/solver.h"

// The grid of 7 × 6 text cells, one row per variant, and the three commands a pupil gives.
// Every cell or variant index outside the grid throws std::out_of_range and changes nothing.
class Worksheet {
 public:
  // decimalSeparator is what the user's locale writes between integer and fraction digits.
  explicit Worksheet(std::string decimalSeparator = ".");

  // Empties every cell and makes the variant's row the only editable one.
  void SelectVariant(VariantIndex variant);
  // Fills in the working row's two unknowns and rewrites its givens as they were read.
  // On an ArithmeticFault no cell has changed.
  void Calculate();
  // Empties every cell; what is editable stays so.
  void ClearAll();

  const std::string& CellText(CellIndex cell) const;
  // The user's edit: a locked cell keeps its text and the call returns false.
  bool SetCellText(CellIndex cell, std::string text);
  bool IsLocked(CellIndex cell) const;
  static bool IsResultCell(CellIndex cell);
  // How the last Calculate found a result cell's value, as a teacher would write it out;
  // empty for other cells, and once the cell's text has changed since.
  std::string Explanation(CellIndex cell) const;
  // What the last Calculate worked on: the row as the cells show it after it, or its givens as
  // the cells read after a fault (one beyond a double's range as infinity); none before one, and
  // none once anything in the worksheet has changed since.
  struct WorkedRow {
    VariantIndex variant;
    MixtureValues values;
    bool calculated;
  };
  const std::optional<WorkedRow>& Worked() const { return worked_; }
  // The same solved step by step, or why it could not be (SolveStepByStep), worked out when
  // asked for.
  std::optional<RowSolution> Solution() const;
  VariantIndex CurrentVariant() const { return currentVariant_; }
  const std::string& DecimalSeparator() const { return decimalSeparator_; }

 private:
  struct Cell {
    std::string text;
    bool locked = false;
    bool explained = false;  // holds a value the last Calculate computed
  };
  using RowTexts = std::array<std::string, ColumnCount>;

  MixtureValues SolveRow(VariantIndex variant) const;
  std::array<double, 4> ReadGivens(VariantIndex variant) const;
  MixtureValues GivenValues(VariantIndex variant) const;
  std::string BlankGivensCause(VariantIndex variant, const ArithmeticFault& fault) const;
  RowTexts FormatRow(const MixtureValues& values) const;
  MixtureValues ShownValues(const RowTexts& texts, const MixtureValues& exact) const;
  void WriteRow(VariantIndex variant, RowTexts texts);
  Cell& At(CellIndex cell);
  const Cell& At(CellIndex cell) const;

  std::array<Cell, CellCount> cells_;
  VariantIndex currentVariant_ = 0;
  MixtureValues solved_{};  // the working row as the last Calculate left it
  std::optional<WorkedRow> worked_;
  std::string decimalSeparator_;
};
