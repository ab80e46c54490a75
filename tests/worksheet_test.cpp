#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "worksheet/worksheet.h"

namespace {

constexpr std::array<const char*, ColumnCount> AssignmentTexts = {"30",  "200", "40",
                                                                  "300", "36",  "500"};

std::vector<std::string> Snapshot(const Worksheet& sheet) {
  std::vector<std::string> texts;
  for (CellIndex cell = 0; cell < CellCount; ++cell) {
    texts.push_back(sheet.CellText(cell) + (sheet.IsLocked(cell) ? "|locked" : "|open"));
  }
  return texts;
}

void TypeGivens(Worksheet& sheet, const std::array<std::string, ColumnCount>& row) {
  const VariantIndex variant = sheet.CurrentVariant();
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    const CellIndex cell = CellOf(variant, static_cast<Column>(column));
    if (!Worksheet::IsResultCell(cell)) {
      ASSERT_TRUE(sheet.SetCellText(cell, row[static_cast<std::size_t>(column)]));
    }
  }
}

TEST(Worksheet, StartsEmptyAndUnlockedOnVariantZero) {
  const Worksheet sheet;
  EXPECT_EQ(sheet.CurrentVariant(), 0);
  for (CellIndex cell = 0; cell < CellCount; ++cell) {
    EXPECT_EQ(sheet.CellText(cell), "");
    EXPECT_FALSE(sheet.IsLocked(cell));
  }
}

TEST(Worksheet, ResultCellsAreTheTwoUnknownsOfEachRow) {
  const std::vector<CellIndex> expected = {4, 5, 9, 11, 15, 16, 20, 23, 25, 29, 32, 33, 37, 39};
  std::vector<CellIndex> results;
  for (CellIndex cell = 0; cell < CellCount; ++cell) {
    if (Worksheet::IsResultCell(cell)) {
      results.push_back(cell);
    }
  }
  EXPECT_EQ(results, expected);
}

TEST(Worksheet, EveryVariantFillsInTheAssignmentData) {
  for (VariantIndex variant = 0; variant < VariantCount; ++variant) {
    Worksheet sheet;
    sheet.SelectVariant(variant);
    TypeGivens(sheet, {"30", "200", "40", "300", "36", "500"});
    sheet.Calculate();
    for (std::int16_t column = 0; column < ColumnCount; ++column) {
      EXPECT_EQ(sheet.CellText(CellOf(variant, static_cast<Column>(column))),
                AssignmentTexts[static_cast<std::size_t>(column)])
          << "variant " << variant << ", column " << column;
    }
  }
}

TEST(Worksheet, CalculateRewritesGivensAsRead) {
  Worksheet sheet;
  sheet.SelectVariant(1);
  TypeGivens(sheet, {" 30abc", "2 00", "4e1", "", "36kg", ""});
  ASSERT_TRUE(sheet.SetCellText(9, "typed into a result cell"));
  sheet.Calculate();
  const std::array<std::string, ColumnCount> row = {"30", "200", "40", "300", "36", "500"};
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    EXPECT_EQ(sheet.CellText(static_cast<CellIndex>(6 + column)),
              row[static_cast<std::size_t>(column)]);
  }
}

struct SeparatorCase {
  std::string separator;
  std::string typedPercent;
  std::string expectedPercent;
  std::string expectedMix;
};

// A separator the program wrote must read back as a separator: a second calculation
// must not turn 2,5 into 2.
TEST(Worksheet, RecalculatingKeepsDecimalsUnderEverySeparator) {
  const SeparatorCase cases[] = {
      {".", "2.5", "2.5", "6.25"},
      {",", "2,5", "2,5", "6,25"},
      {",", "2.5", "2,5", "6,25"},
      // With the period as separator a comma still ends the number, as always.
      {".", "2,5", "2", "6"},
  };
  for (const SeparatorCase& c : cases) {
    Worksheet sheet(c.separator);
    sheet.SelectVariant(0);
    TypeGivens(sheet, {c.typedPercent, "1", "10", "1", "", ""});
    sheet.Calculate();
    sheet.Calculate();
    EXPECT_EQ(sheet.CellText(Percent1), c.expectedPercent) << c.typedPercent;
    EXPECT_EQ(sheet.CellText(MixPercent), c.expectedMix) << c.typedPercent;
  }
  Worksheet sheet(",");
  sheet.SelectVariant(0);
  TypeGivens(sheet, {"100", "1", "0", "2", "", ""});
  sheet.Calculate();
  EXPECT_EQ(sheet.CellText(MixPercent), "33,3333333333333");
  sheet.Calculate();
  EXPECT_EQ(sheet.CellText(MixPercent), "33,3333333333333");
}

TEST(Worksheet, ComputedNegativeZeroIsWrittenAsZero) {
  Worksheet sheet;
  sheet.SelectVariant(0);
  TypeGivens(sheet, {"-0", "1", "0", "1", "", ""});
  sheet.Calculate();
  EXPECT_EQ(sheet.CellText(Percent1), "0");
  EXPECT_EQ(sheet.CellText(MixPercent), "0");
}

struct GridFaultCase {
  VariantIndex variant;
  std::array<std::string, ColumnCount> row;
  FaultKind kind;
  std::string cause;
};

TEST(Worksheet, AFaultLeavesTheGridUntouched) {
  const GridFaultCase cases[] = {
      {0, {"", "", "", "", "", ""}, FaultKind::Overflow, "Дадените клетки са празни."},
      {1,
       {"30", "200", "40", "", "40", ""},
       FaultKind::DivisionByZero,
       "«Смес %» е равно на «% - 2»."},
      {1,
       {"30", "200", "", "", "", ""},
       FaultKind::DivisionByZero,
       "«Смес %» е равно на «% - 2». Празните клетки се смятат за 0: «% - 2», «Смес %»."},
      {2, {"30", "200", "40", "", "", "0"}, FaultKind::DivisionByZero, "«Смес т.» е 0."},
      {3, {"30", "200", "", "0", "36", ""}, FaultKind::DivisionByZero, "«Тегло 2» е 0."},
      {4,
       {"30", "", "40", "300", "30", ""},
       FaultKind::DivisionByZero,
       "«Смес %» е равно на «% - 1»."},
      {5,
       {"30", "200", "", "", "36", "200"},
       FaultKind::DivisionByZero,
       "«Смес т.» е равно на «Тегло 1», така че «Тегло 2» излиза 0."},
      {6,
       {"30", "", "30", "", "36", "500"},
       FaultKind::DivisionByZero,
       "«% - 2» е равно на «% - 1»."},
      {0,
       {"30", "1e309", "40", "300", "", ""},
       FaultKind::Overflow,
       "Число извън обхвата на изчисленията."},
      {0,
       {"1e300", "1e300", "1", "1", "", ""},
       FaultKind::Overflow,
       "Числата са твърде големи за изчисление."},
  };
  for (const GridFaultCase& c : cases) {
    Worksheet sheet;
    sheet.SelectVariant(c.variant);
    TypeGivens(sheet, c.row);
    const auto before = Snapshot(sheet);
    try {
      sheet.Calculate();
      ADD_FAILURE() << "variant " << c.variant << ": no fault";
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.Kind(), c.kind) << "variant " << c.variant;
      EXPECT_EQ(fault.Cause(), c.cause) << "variant " << c.variant;
    }
    EXPECT_EQ(Snapshot(sheet), before) << "variant " << c.variant;
  }
}

TEST(Worksheet, EmptyGivensFaultInEveryVariant) {
  for (VariantIndex variant = 0; variant < VariantCount; ++variant) {
    Worksheet sheet;
    sheet.SelectVariant(variant);
    const auto before = Snapshot(sheet);
    EXPECT_THROW(sheet.Calculate(), ArithmeticFault) << "variant " << variant;
    EXPECT_EQ(Snapshot(sheet), before);
  }
}

TEST(Worksheet, SelectVariantEmptiesEverythingAndOpensOneRow) {
  Worksheet sheet;
  sheet.SelectVariant(0);
  TypeGivens(sheet, {"30", "200", "40", "300", "", ""});
  sheet.Calculate();
  sheet.SelectVariant(3);
  EXPECT_EQ(sheet.CurrentVariant(), 3);
  for (CellIndex cell = 0; cell < CellCount; ++cell) {
    EXPECT_EQ(sheet.CellText(cell), "") << "cell " << cell;
    EXPECT_EQ(sheet.IsLocked(cell), cell < 18 || cell > 23) << "cell " << cell;
  }
}

TEST(Worksheet, LockedCellsRefuseEditsButOpenOnesTakeThem) {
  Worksheet sheet;
  sheet.SelectVariant(2);
  EXPECT_FALSE(sheet.SetCellText(11, "7"));
  EXPECT_FALSE(sheet.SetCellText(18, "7"));
  EXPECT_EQ(sheet.CellText(11), "");
  EXPECT_TRUE(sheet.SetCellText(12, "7"));
  EXPECT_TRUE(sheet.SetCellText(15, "typed into a result cell"));
  EXPECT_EQ(sheet.CellText(12), "7");
}

TEST(Worksheet, ClearAllKeepsTheWorkingRowOpen) {
  Worksheet sheet;
  sheet.SelectVariant(2);
  TypeGivens(sheet, {"30", "200", "40", "", "", "500"});
  sheet.Calculate();
  sheet.ClearAll();
  EXPECT_EQ(sheet.CurrentVariant(), 2);
  for (CellIndex cell = 0; cell < CellCount; ++cell) {
    EXPECT_EQ(sheet.CellText(cell), "");
    EXPECT_EQ(sheet.IsLocked(cell), cell < 12 || cell > 17) << "cell " << cell;
  }
}

TEST(Worksheet, IndicesOutsideTheGridAreRejectedWithoutChange) {
  Worksheet sheet;
  sheet.SelectVariant(4);
  ASSERT_TRUE(sheet.SetCellText(24, "1"));
  const auto before = Snapshot(sheet);
  for (const VariantIndex variant : std::array<VariantIndex, 4>{-1, 7, 32767, -32768}) {
    EXPECT_THROW(sheet.SelectVariant(variant), std::out_of_range);
  }
  for (const CellIndex cell : std::array<CellIndex, 3>{-1, 42, 32767}) {
    EXPECT_THROW(sheet.CellText(cell), std::out_of_range);
    EXPECT_THROW(sheet.SetCellText(cell, "1"), std::out_of_range);
    EXPECT_THROW(sheet.IsLocked(cell), std::out_of_range);
    EXPECT_THROW(Worksheet::IsResultCell(cell), std::out_of_range);
  }
  EXPECT_EQ(sheet.CurrentVariant(), 4);
  EXPECT_EQ(Snapshot(sheet), before);
}

TEST(Worksheet, CellIndexArithmeticIsOverflowChecked) {
  EXPECT_EQ(CellOf(6, MixWeight), 41);
  EXPECT_THROW(CellOf(6000, MixWeight), ArithmeticFault);
  EXPECT_THROW(CellOf(5461, MixWeight), ArithmeticFault);  // 32766 + 5 does not fit
}

// Random rows of random numbers through every variant: whatever Calculate writes is a plain
// number, never an infinity, a NaN or a negative zero.
TEST(Worksheet, WrittenTextsAreAlwaysFiniteNumbers) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> digits(-9, 9);
  std::uniform_int_distribution<int> exponents(-320, 310);
  std::uniform_int_distribution<int> chooser(0, 3);
  auto randomText = [&] {
    switch (chooser(random)) {
      case 0:
        return std::string();
      case 1:
        return std::to_string(digits(random));
      case 2:
        return std::to_string(digits(random)) + "e" + std::to_string(exponents(random));
      default:
        return std::to_string(digits(random) * 37) + "," + std::to_string(digits(random) + 9);
    }
  };
  int calculated = 0;
  for (int round = 0; round < 20000; ++round) {
    Worksheet sheet(",");
    const auto variant = static_cast<VariantIndex>(round % VariantCount);
    sheet.SelectVariant(variant);
    TypeGivens(sheet, {randomText(), randomText(), randomText(), randomText(), randomText(),
                       randomText()});
    try {
      sheet.Calculate();
    } catch (const ArithmeticFault&) {
      continue;
    }
    ++calculated;
    for (std::int16_t column = 0; column < ColumnCount; ++column) {
      const std::string& text = sheet.CellText(CellOf(variant, static_cast<Column>(column)));
      EXPECT_EQ(text.find("inf"), std::string::npos) << text;
      EXPECT_EQ(text.find("nan"), std::string::npos) << text;
      EXPECT_NE(text, "-0");
      EXPECT_TRUE(std::isfinite(ParseCellNumber(text, ","))) << text;
    }
  }
  EXPECT_GT(calculated, 1000);
}

}  // namespace

namespace {

struct ExplanationCase {
  VariantIndex variant;
  std::array<std::string, ColumnCount> row;
  std::string separator;
  std::array<std::string, 2> expected;  // for the two result cells, in column order
};

TEST(WorkedSolution, ShowsEachResultAsTheSolverComputedIt) {
  const std::array<std::string, ColumnCount> data = {"30", "200", "40", "300", "36", "500"};
  const ExplanationCase cases[] = {
      {0, data, ".", {"Смес % = (200 × 30 + 300 × 40) / 500 = 36", "Смес т. = 200 + 300 = 500"}},
      {1,
       data,
       ".",
       {"Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300", "Смес т. = 200 + 300 = 500"}},
      {2, data, ".", {"Тегло 2 = 500 − 200 = 300", "Смес % = (200 × 30 + 300 × 40) / 500 = 36"}},
      {3, data, ".", {"% - 2 = (500 × 36 − 200 × 30) / 300 = 40", "Смес т. = 200 + 300 = 500"}},
      {4,
       data,
       ".",
       {"Тегло 1 = (300 × 40 − 300 × 36) / (36 − 30) = 200", "Смес т. = 200 + 300 = 500"}},
      {5, data, ".", {"% - 2 = (500 × 36 − 200 × 30) / 300 = 40", "Тегло 2 = 500 − 200 = 300"}},
      {6,
       data,
       ".",
       {"Тегло 1 = 500 − 300 = 200", "Тегло 2 = (500 × 36 − 500 × 30) / (40 − 30) = 300"}},
      // Negative numbers stand in parentheses; the locale's separator is used throughout.
      {1,
       {"30", "200", "40", "", "50", ""},
       ".",
       {"Тегло 2 = (200 × 30 − 200 × 50) / (50 − 40) = -400", "Смес т. = 200 + (-400) = -200"}},
      {0,
       {"2,5", "1", "10", "1", "", ""},
       ",",
       {"Смес % = (1 × 2,5 + 1 × 10) / 2 = 6,25", "Смес т. = 1 + 1 = 2"}},
  };
  for (const ExplanationCase& c : cases) {
    Worksheet sheet(c.separator);
    sheet.SelectVariant(c.variant);
    TypeGivens(sheet, c.row);
    sheet.Calculate();
    std::vector<std::string> explanations;
    for (std::int16_t column = 0; column < ColumnCount; ++column) {
      const CellIndex cell = CellOf(c.variant, static_cast<Column>(column));
      if (Worksheet::IsResultCell(cell)) {
        explanations.push_back(sheet.Explanation(cell));
      } else {
        EXPECT_EQ(sheet.Explanation(cell), "");
      }
    }
    EXPECT_EQ(explanations, std::vector<std::string>(c.expected.begin(), c.expected.end()))
        << "variant " << c.variant;
  }
}

TEST(WorkedSolution, GoesWhenTheCellTextChanges) {
  auto calculated = [] {
    auto sheet = std::make_unique<Worksheet>();
    sheet->SelectVariant(0);
    TypeGivens(*sheet, {"30", "200", "40", "300", "", ""});
    sheet->Calculate();
    EXPECT_NE(sheet->Explanation(MixPercent), "");
    return sheet;
  };
  auto sheet = calculated();
  sheet->ClearAll();
  EXPECT_EQ(sheet->Explanation(MixPercent), "");
  sheet = calculated();
  sheet->SelectVariant(0);
  EXPECT_EQ(sheet->Explanation(MixWeight), "");
  sheet = calculated();
  sheet->SetCellText(MixWeight, "1");
  EXPECT_EQ(sheet->Explanation(MixWeight), "");
  EXPECT_NE(sheet->Explanation(MixPercent), "");
  // A failed calculation leaves the last worked solution with the numbers it explains.
  sheet->SetCellText(Weight2, "-200");
  EXPECT_THROW(sheet->Calculate(), ArithmeticFault);
  EXPECT_EQ(sheet->Explanation(MixPercent), "Смес % = (200 × 30 + 300 × 40) / 500 = 36");
}

}  // namespace
