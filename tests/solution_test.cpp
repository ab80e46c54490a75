#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "form/solution_picture.h"
#include "form/solution_text.h"
#include "worksheet/worksheet.h"

namespace {

using Row = std::array<std::string, ColumnCount>;
const Row Assignment = {"30", "200", "40", "300", "36", "500"};

Worksheet Calculated(VariantIndex variant, const Row& row, const std::string& separator = ".") {
  Worksheet sheet(separator);
  sheet.SelectVariant(variant);
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    const CellIndex cell = CellOf(variant, static_cast<Column>(column));
    if (!Worksheet::IsResultCell(cell)) {
      sheet.SetCellText(cell, row[static_cast<std::size_t>(column)]);
    }
  }
  sheet.Calculate();
  return sheet;
}

std::vector<std::string> LinesOf(VariantIndex variant, const Row& row,
                                 const std::string& separator = ".") {
  const Worksheet sheet = Calculated(variant, row, separator);
  return Texts::SolutionLines(sheet.Solution().value(), separator);
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + '\n';
  }
  return text;
}

std::vector<std::string> StartingWith(const std::vector<std::string>& lines,
                                      std::string_view start) {
  std::vector<std::string> found;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
               [start](const std::string& line) { return line.starts_with(start); });
  return found;
}

constexpr std::string_view Check =
    "Проверка: 200 × 30 / 100 + 300 × 40 / 100 = 60 + 120 = 180 = 500 × 36 / 100.";
constexpr std::string_view WeightBalance =
    "Баланс на теглата (двете съставки заедно тежат колкото сместа): ";
constexpr std::string_view SubstanceBalance =
    "Баланс на активното вещество (в сместа го има толкова, колкото в двете съставки заедно): ";
constexpr std::string_view Remaining =
    "Заместваме известните числа в баланса на активното вещество и остава уравнение с едно "
    "неизвестно: ";
constexpr std::string_view Substituted =
    ". Заместваме го в баланса на активното вещество и получаваме уравнение с едно неизвестно, ";

struct SolutionCase {
  VariantIndex variant;
  std::vector<std::string> lines;  // the derivation's lines, numbered, then the answer
};

// With the assignment's data, every variant explains its two results the way school does.
TEST(Solution, EveryVariantSolvesTheAssignmentStepByStep) {
  const std::string first = "Активното вещество в първата съставка е 200 × 30 / 100 = 60.";
  const std::string second = "Активното вещество във втората съставка е 300 × 40 / 100 = 120.";
  const std::string mixture = "Активното вещество в сместа е 500 × 36 / 100 = 180.";
  const std::string s = std::string(SubstanceBalance);
  const std::string w = std::string(WeightBalance);
  const std::string r = std::string(Remaining);
  const std::string u = std::string(Substituted);
  const SolutionCase cases[] = {
      {0,
       {"1. " + first, "2. " + second, "3. " + w + "200 + 300 = «Смес т.».",
        "4. " + s + "60 + 120 = «Смес т.» × «Смес %» / 100.",
        "5. От баланса на теглата: Смес т. = 200 + 300 = 500.",
        "6. " + r + "60 + 120 = 500 × «Смес %» / 100.",
        "7. Решаваме го: Смес % = (200 × 30 + 300 × 40) / 500 = 36.",
        "Отговор: Смес % = 36, Смес т. = 500."}},
      {1,
       {"1. " + first, "2. " + w + "200 + «Тегло 2» = «Смес т.».",
        "3. " + s + "60 + «Тегло 2» × 40 / 100 = «Смес т.» × 36 / 100.",
        "4. От баланса на теглата «Смес т.» = 200 + «Тегло 2»" + u +
            "«Тегло 2»: 60 + «Тегло 2» × 40 / 100 = (200 + «Тегло 2») × 36 / 100.",
        "5. Решаваме го: Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300.",
        "6. От баланса на теглата: Смес т. = 200 + 300 = 500.",
        "Отговор: Тегло 2 = 300, Смес т. = 500."}},
      {2,
       {"1. " + first, "2. " + w + "200 + «Тегло 2» = 500.",
        "3. " + s + "60 + «Тегло 2» × 40 / 100 = 500 × «Смес %» / 100.",
        "4. От баланса на теглата: Тегло 2 = 500 − 200 = 300.",
        "5. " + r + "60 + 300 × 40 / 100 = 500 × «Смес %» / 100.",
        "6. Решаваме го: Смес % = (200 × 30 + 300 × 40) / 500 = 36.",
        "Отговор: Тегло 2 = 300, Смес % = 36."}},
      {3,
       {"1. " + first, "2. " + w + "200 + 300 = «Смес т.».",
        "3. " + s + "60 + 300 × «% - 2» / 100 = «Смес т.» × 36 / 100.",
        "4. От баланса на теглата: Смес т. = 200 + 300 = 500.",
        "5. " + r + "60 + 300 × «% - 2» / 100 = 500 × 36 / 100.",
        "6. Решаваме го: % - 2 = (500 × 36 − 200 × 30) / 300 = 40.",
        "Отговор: % - 2 = 40, Смес т. = 500."}},
      {4,
       {"1. " + second, "2. " + w + "«Тегло 1» + 300 = «Смес т.».",
        "3. " + s + "«Тегло 1» × 30 / 100 + 120 = «Смес т.» × 36 / 100.",
        "4. От баланса на теглата «Смес т.» = «Тегло 1» + 300" + u +
            "«Тегло 1»: «Тегло 1» × 30 / 100 + 120 = («Тегло 1» + 300) × 36 / 100.",
        "5. Решаваме го: Тегло 1 = (300 × 40 − 300 × 36) / (36 − 30) = 200.",
        "6. От баланса на теглата: Смес т. = 200 + 300 = 500.",
        "Отговор: Тегло 1 = 200, Смес т. = 500."}},
      {5,
       {"1. " + first, "2. " + mixture, "3. " + w + "200 + «Тегло 2» = 500.",
        "4. " + s + "60 + «Тегло 2» × «% - 2» / 100 = 180.",
        "5. От баланса на теглата: Тегло 2 = 500 − 200 = 300.",
        "6. " + r + "60 + 300 × «% - 2» / 100 = 180.",
        "7. Решаваме го: % - 2 = (500 × 36 − 200 × 30) / 300 = 40.",
        "Отговор: % - 2 = 40, Тегло 2 = 300."}},
      {6,
       {"1. " + mixture, "2. " + w + "«Тегло 1» + «Тегло 2» = 500.",
        "3. " + s + "«Тегло 1» × 30 / 100 + «Тегло 2» × 40 / 100 = 180.",
        "4. От баланса на теглата «Тегло 1» = 500 − «Тегло 2»" + u +
            "«Тегло 2»: (500 − «Тегло 2») × 30 / 100 + «Тегло 2» × 40 / 100 = 180.",
        "5. Решаваме го: Тегло 2 = (500 × 36 − 500 × 30) / (40 − 30) = 300.",
        "6. От баланса на теглата: Тегло 1 = 500 − 300 = 200.",
        "Отговор: Тегло 1 = 200, Тегло 2 = 300."}},
  };
  for (const SolutionCase& c : cases) {
    const std::vector<std::string> lines = LinesOf(c.variant, Assignment);
    std::vector<std::string> expected = c.lines;
    expected.insert(expected.end() - 1, std::string(Check));
    std::vector<std::string> derivation(lines.begin() + 2, lines.end());
    EXPECT_EQ(derivation, expected) << "Вариант " << c.variant + 1 << ":\n" << Joined(lines);
    EXPECT_TRUE(StartingWith(lines, "Внимание:").empty()) << Joined(lines);
  }
}

TEST(Solution, OpensWithWhatIsGivenAndWhatIsSought) {
  const std::vector<std::string> lines = LinesOf(1, Assignment);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Дадено: % - 1 = 30, Тегло 1 = 200, % - 2 = 40, Смес % = 36.");
  EXPECT_EQ(lines[1], "Търси се: Тегло 2 и Смес т.");
}

TEST(Solution, WritesNumbersAsTheCellsDo) {
  const std::vector<std::string> lines = LinesOf(0, {"2,5", "1", "10", "1", "", ""}, ",");
  EXPECT_EQ(StartingWith(lines, "Отговор:"),
            std::vector<std::string>{"Отговор: Смес % = 6,25, Смес т. = 2."});
  EXPECT_EQ(StartingWith(lines, "Проверка:"),
            std::vector<std::string>{
                "Проверка: 1 × 2,5 / 100 + 1 × 10 / 100 = 0,025 + 0,1 = 0,125 = 2 × 6,25 / 100."});
}

TEST(Solution, SaysWhereAPartIsWaterOrThePureSubstance) {
  // One part of a 10 % solution and one part of water; then pure sugar into water.
  const std::vector<std::string> diluted = LinesOf(0, {"10", "1", "0", "1", "", ""});
  EXPECT_EQ(diluted[2], "Втората съставка е вода: в нея няма активно вещество (0 %).");
  const std::vector<std::string> sweetened = LinesOf(0, {"100", "1", "0", "4", "", ""});
  EXPECT_EQ(sweetened[2], "Първата съставка е чистото вещество, без вода (100 %).");
  EXPECT_EQ(sweetened[3], "Втората съставка е вода: в нея няма активно вещество (0 %).");
}

struct FindingCase {
  VariantIndex variant;
  Row row;
  std::vector<std::string> warnings;
};

TEST(Solution, WarnsOfNumbersThatNoMixtureCanHave) {
  const FindingCase cases[] = {
      // A mixture percentage outside its parts' gives negative weights.
      {1,
       {"30", "200", "40", "", "50", ""},
       {"Внимание: Тегло 2 излиза -400, а тегло не може да е отрицателно.",
        "Внимание: Смес т. излиза -200, а сместа трябва да тежи повече от 0.",
        "Внимание: Процентът на сместа (50) трябва да е между процентите на двете съставки (30 "
        "и 40)."}},
      // A given percentage above 100: the computed mixture lies between, yet cannot be.
      {0,
       {"30", "200", "140", "300", "", ""},
       {"Внимание: % - 2 е 140, а процент не може да е повече от 100 (100 % е чистото "
        "вещество)."}},
      {0,
       {"-10", "200", "40", "300", "", ""},
       {"Внимание: % - 1 е -10, а процент не може да е по-малък от 0 (0 % е вода)."}},
      {0,
       {"30", "-200", "40", "100", "", ""},
       {"Внимание: Тегло 1 е -200, а тегло не може да е отрицателно.",
        "Внимание: Смес т. излиза -100, а сместа трябва да тежи повече от 0.",
        "Внимание: Процентът на сместа (20) трябва да е между процентите на двете съставки (30 "
        "и 40)."}},
      // A computed percentage above 100.
      {3,
       {"30", "200", "", "200", "90", ""},
       {"Внимание: % - 2 излиза 150, а процент не може да е повече от 100 (100 % е чистото "
        "вещество)."}},
      // Two parts of the same strength make a mixture of that strength, and of no other.
      {1,
       {"30", "200", "30", "", "36", ""},
       {"Внимание: Тегло 2 излиза -200, а тегло не може да е отрицателно.",
        "Внимание: Смес т. излиза 0, а сместа трябва да тежи повече от 0.",
        "Внимание: Двете съставки са с по 30 %, така че и сместа трябва да е с 30 %, а не с 36."}},
  };
  for (const FindingCase& c : cases) {
    const std::vector<std::string> lines = LinesOf(c.variant, c.row);
    EXPECT_EQ(StartingWith(lines, "Внимание:"), c.warnings) << Joined(lines);
    EXPECT_EQ(StartingWith(lines, "Отговор:").size(), 1u);
  }
}

TEST(Solution, GoesWhenTheWorksheetChanges) {
  const std::vector<std::pair<const char*, void (*)(Worksheet&)>> changes = {
      {"Изчисти", [](Worksheet& sheet) { sheet.ClearAll(); }},
      {"another variant", [](Worksheet& sheet) { sheet.SelectVariant(2); }},
      {"the same variant", [](Worksheet& sheet) { sheet.SelectVariant(1); }},
      {"an edit", [](Worksheet& sheet) { sheet.SetCellText(CellOf(1, Percent1), "31"); }},
  };
  for (const auto& [change, apply] : changes) {
    Worksheet sheet = Calculated(1, Assignment);
    ASSERT_TRUE(sheet.Solution().has_value());
    apply(sheet);
    EXPECT_FALSE(sheet.Solution().has_value()) << change;
  }
  Worksheet sheet = Calculated(1, Assignment);
  EXPECT_FALSE(sheet.SetCellText(0, "1"));  // a locked cell: nothing changed
  EXPECT_TRUE(sheet.Solution().has_value());
  sheet.SetCellText(CellOf(1, MixPercent), "40");
  EXPECT_THROW(sheet.Calculate(), ArithmeticFault);
  EXPECT_FALSE(sheet.Solution().has_value());
}

// The largest double's 15 digits round beyond any double: the solution keeps the exact value
// where the cell's text cannot be read back. Where the check's products leave the range of a
// double, it says so instead of writing "inf".
TEST(Solution, SurvivesNumbersAtTheEdgeOfTheRange) {
  const Worksheet sheet = Calculated(2, {"1", "1.7976931348623157e308", "1", "", "", "1e308"});
  EXPECT_EQ(sheet.CellText(CellOf(2, Weight1)), "1.79769313486232E+308");
  EXPECT_EQ(sheet.Solution()->values[Weight1], 1.7976931348623157e308);
  const RowSolution beyond = SolveStepByStep(0, {30, 1e307, 40, 1e308, 39, 1.1e308});
  EXPECT_EQ(StartingWith(Texts::SolutionLines(beyond, "."), "Проверка:"),
            std::vector<std::string>{"Проверка: числата са твърде големи, за да се провери."});
}

int Sum(const std::vector<int>& widths) {
  int total = 0;
  for (const int width : widths) {
    total += width;
  }
  return total;
}

// The bars' boxes, row by row (by their top), as widths: substance first, then the rest.
std::vector<std::vector<int>> BarWidths(const SolutionPicture& picture) {
  std::vector<int> tops;
  for (const PictureBox& box : picture.boxes) {
    tops.push_back(box.top);
  }
  std::sort(tops.begin(), tops.end());
  tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
  std::vector<std::vector<int>> rows(tops.size());
  for (const PictureBox& box : picture.boxes) {
    const auto row = std::find(tops.begin(), tops.end(), box.top) - tops.begin();
    rows[static_cast<std::size_t>(row)].push_back(box.width);
  }
  return {rows.begin() + 1, rows.end()};  // the legend's row is first
}

TEST(SolutionPicture, DrawsTheMixtureAsTheTwoPartsEndToEnd) {
  const Worksheet sheet = Calculated(1, Assignment);
  const std::optional<SolutionPicture> picture = DrawSolution(*sheet.Solution(), ".");
  ASSERT_TRUE(picture.has_value());
  // 248 pixels of bar for 500: 200 and 300 end to end, each 30, 40 and 36 % substance.
  const std::vector<std::vector<int>> bars = BarWidths(*picture);
  EXPECT_EQ(bars, (std::vector<std::vector<int>>{{30, 69}, {60, 89}, {89, 159}}));
  EXPECT_EQ(Sum(bars[0]) + Sum(bars[1]), Sum(bars[2]));
  const auto second =
      std::find_if(picture->boxes.begin(), picture->boxes.end(),
                   [&](const PictureBox& box) { return box.width == 60 && box.hatched; });
  EXPECT_EQ(second->left, 8 + 99);  // where the first part ends
  for (const PictureBox& box : picture->boxes) {
    EXPECT_EQ(box.hatched, box.fill.blue == Colours::Substance.blue) << box.left;
    EXPECT_LE(box.left + box.width, picture->width);
    EXPECT_LE(box.top + box.height, picture->height);
  }
  std::vector<std::string> labels;
  for (const PictureLabel& label : picture->labels) {
    labels.push_back(label.text);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"активно вещество", "останалото",
                                              "Първата съставка: 200 → 60",
                                              "Втората съставка: 300 → 120", "Сместа: 500 → 180"}));
  EXPECT_EQ(picture->description,
            "Модел с отсечки: първата съставка 200, от тях 60 активно вещество; втората "
            "съставка 300, от тях 120; сместа 500, от тях 180.");
}

TEST(SolutionPicture, IsDrawnOnlyForARealMixture) {
  const std::pair<VariantIndex, Row> cases[] = {
      {1, {"30", "200", "40", "", "50", ""}},    // negative weights
      {0, {"30", "200", "140", "300", "", ""}},  // a percentage above 100
      {0, {"30", "0", "40", "300", "", ""}},     // no first part at all
  };
  for (const auto& [variant, row] : cases) {
    const Worksheet sheet = Calculated(variant, row);
    EXPECT_FALSE(DrawSolution(*sheet.Solution(), ".").has_value()) << row[2];
  }
  // Water and the pure substance are drawn: all rest, or all substance.
  const Worksheet water = Calculated(0, {"100", "1", "0", "3", "", ""});
  const std::optional<SolutionPicture> picture = DrawSolution(*water.Solution(), ".");
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(BarWidths(*picture), (std::vector<std::vector<int>>{{62}, {186}, {62, 186}}));
}

}  // namespace
