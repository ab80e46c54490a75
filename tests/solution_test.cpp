#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <utility>
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
  return Texts::SolutionLines(sheet.Solution().value());
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

// The solution holds each expected line, in their order, and no warning.
void ExpectInOrderWithoutWarnings(VariantIndex variant, const std::vector<std::string>& lines,
                                  const std::vector<std::string>& expected) {
  auto from = lines.begin();
  for (const std::string& line : expected) {
    from = std::find(from, lines.end(), line);
    EXPECT_NE(from, lines.end()) << "Вариант " << variant + 1
                                 << " lacks, or has out of order: " << line << "\n"
                                 << Joined(lines);
  }
  EXPECT_TRUE(StartingWith(lines, "Внимание:").empty()) << Joined(lines);
}

bool Before(const std::vector<std::string>& lines, std::string_view first, std::string_view then) {
  const auto at = [&lines](std::string_view start) {
    return std::find_if(lines.begin(), lines.end(),
                        [start](const std::string& line) { return line.starts_with(start); });
  };
  return at(first) < at(then) && at(then) != lines.end();
}

// The equation and each line of solving it, as a pupil writes them on the board.
const std::vector<std::string> Variant2 = {
    "Дадено: първата съставка има маса 200 и съдържа 30% чисто вещество; втората съставка "
    "съдържа 40%; сместа съдържа 36%.",
    "Търси се: масата на втората съставка и масата на сместа.",
    "Нека x е масата на втората съставка (в полето „Тегло 2“). Тогава масата на сместа е 200 "
    "+ x.",
    "първа съставка | 200 | 30% | 200 · 30 : 100 = 60",
    "втора съставка | x | 40% | x · 40 : 100",
    "смес | 200 + x | 36% | (200 + x) · 36 : 100",
    "Чистото вещество в сместа е колкото в двете съставки заедно:",
    "60 + x · 40 : 100 = (200 + x) · 36 : 100   | · 100",
    "6000 + 40x = 36(200 + x)",
    "6000 + 40x = 7200 + 36x",
    "40x − 36x = 7200 − 6000",
    "4x = 1200",
    "x = 1200 : 4",
    "x = 300",
    "Масата на сместа е 200 + 300 = 500.",
    "Проверка: 200 · 30 : 100 + 300 · 40 : 100 = 60 + 120 = 180 и 500 · 36 : 100 = 180;",
    "200 + 300 = 500;",
    "36% е между 30% и 40%.",
    "Отговор: масата на втората съставка е 300; масата на сместа е 500.",
};

TEST(Solution, SolvesTheEquationLineByLine) {
  EXPECT_EQ(LinesOf(1, Assignment), Variant2) << Joined(LinesOf(1, Assignment));
}

// "2700 = x" is read the other way before the value is used.
TEST(Solution, StatesXWhereItIsCollectedOnTheRight) {
  const std::vector<std::string> lines = LinesOf(4, {"30", "", "40", "300", "31", ""});
  const std::vector<std::string> expected = {"12000 − 9300 = 31x − 30x", "2700 = x", "x = 2700",
                                             "Масата на сместа е 2700 + 300 = 3000."};
  EXPECT_NE(std::search(lines.begin(), lines.end(), expected.begin(), expected.end()), lines.end())
      << Joined(lines);
}

struct KeyLines {
  VariantIndex variant;
  std::vector<std::string> lines;  // found in this order, each a whole line
};

// With the assignment's data: variants 2, 5 and 7 by an equation in x, the others by plain
// arithmetic, each ending in the same check.
TEST(Solution, SolvesEveryVariantOfTheAssignmentTheSchoolWay) {
  const std::string check =
      "Проверка: 200 · 30 : 100 + 300 · 40 : 100 = 60 + 120 = 180 и 500 · 36 : 100 = 180;";
  const KeyLines cases[] = {
      {0,
       {"Търси се: процентът и масата на сместа.", "Масата на сместа е 200 + 300 = 500.",
        "Чистото вещество в сместа е 60 + 120 = 180.",
        "Процентът на сместа: 180 от 500 е 180 · 100 : 500 = 36%.", check,
        "Отговор: процентът на сместа е 36%; масата на сместа е 500."}},
      {2,
       {"Търси се: масата на втората съставка и процентът на сместа.",
        "Масата на втората съставка е 500 − 200 = 300.",
        "Процентът на сместа: 180 от 500 е 180 · 100 : 500 = 36%.", check,
        "Отговор: масата на втората съставка е 300; процентът на сместа е 36%."}},
      {3,
       {"Търси се: процентът на втората съставка и масата на сместа.", "смес | ? | 36% | ?",
        "Масата на сместа е 200 + 300 = 500.", "Чистото вещество в сместа е 500 · 36 : 100 = 180.",
        "Чистото вещество във втората съставка е 180 − 60 = 120.",
        "Процентът на втората съставка: 120 от 300 е 120 · 100 : 300 = 40%.", check,
        "Отговор: процентът на втората съставка е 40%; масата на сместа е 500."}},
      {4,
       {"Търси се: масата на първата съставка и масата на сместа.",
        "Нека x е масата на първата съставка (в полето „Тегло 1“). Тогава масата на сместа е "
        "x + 300.",
        "x · 30 : 100 + 120 = (x + 300) · 36 : 100   | · 100", "30x + 12000 = 36(x + 300)",
        "30x + 12000 = 36x + 10800", "12000 − 10800 = 36x − 30x", "1200 = 6x", "x = 1200 : 6",
        "x = 200", "Масата на сместа е 200 + 300 = 500.", check,
        "Отговор: масата на първата съставка е 200; масата на сместа е 500."}},
      {5,
       {"Търси се: процентът и масата на втората съставка.",
        "Масата на втората съставка е 500 − 200 = 300.",
        "Процентът на втората съставка: 120 от 300 е 120 · 100 : 300 = 40%.", check}},
      {6,
       {"Търси се: масите на двете съставки.",
        "първа съставка | 500 − x | 30% | (500 − x) · 30 : 100",
        "(500 − x) · 30 : 100 + x · 40 : 100 = 180   | · 100", "30(500 − x) + 40x = 18000",
        "15000 − 30x + 40x = 18000", "−30x + 40x = 18000 − 15000", "10x = 3000", "x = 300",
        "Масата на първата съставка е 500 − 300 = 200.", check,
        "Отговор: масата на първата съставка е 200; масата на втората съставка е 300."}},
  };
  for (const KeyLines& c : cases) {
    ExpectInOrderWithoutWarnings(c.variant, LinesOf(c.variant, Assignment), c.lines);
  }
}

// School notation whatever the cells' separator: the decimal comma, "−", "·" and ":", and
// periods in brackets; a period longer than six digits as a fraction, rounded.
TEST(Solution, WritesExactNumbersInSchoolNotation) {
  const std::tuple<VariantIndex, Row, std::string, std::string> cases[] = {
      {0,
       {"10", "1", "0", "2", "", ""},
       ".",
       "В сместа чистото вещество е 0,1 · 100 : 3 = 3,(3)%."},
      {0,
       {"10", "1", "0", "2", "", ""},
       ".",
       "Отговор: процентът на сместа е 3,(3)%; масата на сместа е 3."},
      {0,
       {"10", "1", "0", "2", "", ""},
       ".",
       "Проверка: 1 · 10 : 100 = 0,1 и 3 · 3,(3) : 100 = 0,1;"},
      {0,
       {"2.5", "1", "10", "1", "", ""},
       ".",
       "Отговор: процентът на сместа е 6,25%; масата на сместа е 2."},
      {0,
       {"2,5", "1", "10", "1", "", ""},
       ",",
       "Отговор: процентът на сместа е 6,25%; масата на сместа е 2."},
      {0,
       {"12.5", "3", "0", "1", "", ""},
       ".",
       "Чисто вещество в първата съставка: 3 · 12,5 : 100 = 0,375."},
      {1, {"30", "200", "47", "", "36", ""}, ".", "x = 109,(09)"},
      {1, {"30", "200", "53", "", "36", ""}, ".", "x = 1200 : 17 ≈ 70,59"},
      {0, {"30", "-200", "40", "100", "", ""}, ".", "Масата на сместа е −200 + 100 = −100."},
      // The solver's doubles lose digits here; the exact answer says where.
      {1, {"30", "200", "40", "", "39.9999", ""}, ".", "x = 19999800"},
      {1,
       {"30", "200", "40", "", "39.9999", ""},
       ".",
       "Бележка: в клетката „Тегло 2“ стои 19999799,9993361; програмата смята с 15 значещи цифри, "
       "затова последните цифри там се различават от точния отговор."},
  };
  for (const auto& [variant, row, separator, line] : cases) {
    const std::vector<std::string> lines = LinesOf(variant, row, separator);
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n"
                                                                        << Joined(lines);
  }
}

// Rounded values say to what, and a division already in lowest terms is written once.
TEST(Solution, SaysWhatItRoundsAndToWhat) {
  const std::vector<std::string> lowest = LinesOf(1, {"30", "200", "53", "", "36", ""});
  EXPECT_EQ(StartingWith(lowest, "x = "), std::vector<std::string>{"x = 1200 : 17 ≈ 70,59"});
  EXPECT_EQ(lowest[lowest.size() - 2], "Бележка: числата след „≈“ са закръглени до стотни.")
      << Joined(lowest);
  const std::vector<std::string> reduced = LinesOf(1, {"30", "200", "70", "", "36", ""});
  EXPECT_EQ(StartingWith(reduced, "x = "),
            (std::vector<std::string>{"x = 1200 : 34", "x = 600 : 17 ≈ 35,29"}));
  EXPECT_TRUE(StartingWith(LinesOf(1, Assignment), "Бележка:").empty());
}

// "със" where the next word, or number, is said with "с" or "з" at its start.
TEST(Solution, SaysSasBeforeWhatStartsWithSOrZ) {
  const std::pair<std::string, std::string> cases[] = {
      {"30%", "с 30%"},         {"7%", "със 7%"},         {"7,2 л", "със 7,2 л"},
      {"17%", "със 17%"},       {"27%", "с 27%"},         {"75 г", "със 75 г"},
      {"100%", "със 100%"},     {"150 г", "със 150 г"},   {"780 г", "със 780 г"},
      {"1200 г", "с 1200 г"},   {"7000 г", "със 7000 г"}, {"17500 г", "със 17500 г"},
      {"170000", "със 170000"}, {"1000000", "с 1000000"}, {"0,7", "с 0,7"},
      {"−7", "с −7"},           {"8%", "с 8%"},           {"сол", "със сол"},
      {"злато", "със злато"},   {"вода", "с вода"},
  };
  for (const auto& [what, said] : cases) {
    EXPECT_EQ(Texts::With(what), said);
  }
  const std::vector<std::string> equal = LinesOf(0, {"7", "1", "7", "1", "", ""});
  EXPECT_EQ(equal[equal.size() - 2], "и двете съставки, и сместа са със 7%.") << Joined(equal);
  EXPECT_EQ(StartingWith(LinesOf(1, {"70", "200", "70", "", "36", ""}), "Внимание:")[0],
            "Внимание: двете съставки са с по 70%, затова и сместа може да е само със 70%, а "
            "не с 36%.");
}

// A word problem's solution gives its units, and says "обем" in the gender of "обем".
TEST(Solution, NamesTheAmountsAsTheProblemDoes) {
  const Texts::SolutionText grams =
      Texts::WriteSolution(*Calculated(1, Assignment).Solution(), {.unit = "г"});
  EXPECT_EQ(grams.lines.front(),
            "Дадено: първата съставка има маса 200 г и съдържа 30% чисто вещество; втората "
            "съставка съдържа 40%; сместа съдържа 36%.");
  EXPECT_EQ(grams.lines.back(),
            "Отговор: масата на втората съставка е 300 г; масата на сместа е 500 г.");
  // A problem that asks only for the water seeks only the water, and answers in its words.
  const Texts::SolutionText water =
      Texts::WriteSolution(*Calculated(1, Assignment).Solution(),
                           {.asked = {Weight2}, .answer = "300 г вода", .unit = "г"});
  EXPECT_EQ(water.lines[1], "Търси се: масата на втората съставка.");
  EXPECT_EQ(water.lines.back(), "Отговор: 300 г вода.");
  const Texts::AnswerWording litres = {.unit = "л", .volume = true};
  EXPECT_EQ(Texts::WriteSolution(*Calculated(6, Assignment).Solution(), litres).lines[1],
            "Търси се: обемите на двете съставки.");
  EXPECT_EQ(StartingWith(Texts::WriteSolution(
                             *Calculated(1, {"30", "200", "40", "", "50", ""}).Solution(), litres)
                             .lines,
                         "Внимание:")[1],
            "Внимание: обемът на втората съставка излиза −400, а обем не може да е отрицателен.");
  EXPECT_EQ(StartingWith(Texts::WriteSolution(
                             *Calculated(0, {"30", "0", "40", "300", "", ""}).Solution(), litres)
                             .lines,
                         "Внимание:")[0],
            "Внимание: обемът на първата съставка е 0, а той трябва да е по-голям от 0.");
}

// A percentage of a long period leaves what does not change to the equation.
TEST(Solution, WaterHasNoSubstanceAndThePureSubstanceIsAllOfIt) {
  const std::vector<std::string> water = LinesOf(1, {"10", "400", "0", "", "8.5", ""});
  for (const std::string line :
       {"втора съставка | x | 0% | 0",
        "Втората съставка не съдържа чисто вещество, затова чистото вещество в сместа е колкото в "
        "първата съставка:",
        "40 = (400 + x) · 8,5 : 100   | · 100", "4000 = 3400 + 8,5x", "4000 − 3400 = 8,5x",
        "600 = 8,5x", "x = 600 : 8,5", "x = 1200 : 17 ≈ 70,59"}) {
    EXPECT_NE(std::find(water.begin(), water.end(), line), water.end()) << line;
  }
  EXPECT_TRUE(
      water[0].ends_with("втората съставка не съдържа чисто вещество (0%); сместа "
                         "съдържа 8,5%."))
      << water[0];
  const std::vector<std::string> pure = LinesOf(1, {"10", "400", "100", "", "17", ""});
  for (const std::string line :
       {"втора съставка | x | 100% | x", "40 + x = (400 + x) · 17 : 100   | · 100", "83x = 2800"}) {
    EXPECT_NE(std::find(pure.begin(), pure.end(), line), pure.end()) << line;
  }
  // Dissolved in water, all of the pure part is the substance.
  const std::vector<std::string> dissolved = LinesOf(4, {"100", "", "0", "180", "8.5", ""});
  const std::string fromThePure =
      "Втората съставка не съдържа чисто вещество, затова чистото вещество в сместа е колкото "
      "масата на първата съставка:";
  EXPECT_NE(std::find(dissolved.begin(), dissolved.end(), fromThePure), dissolved.end())
      << Joined(dissolved);
  const std::vector<std::string> added = LinesOf(0, {"10", "400", "100", "100", "", ""});
  const std::string allOfIt =
      "Втората съставка е чисто вещество (100%), затова чистото вещество е цялата маса: 100.";
  EXPECT_NE(std::find(added.begin(), added.end(), allOfIt), added.end()) << Joined(added);
}

// Water or the pure substance beside a solution: what does not change first, in arithmetic, as
// the sixth grade solves it; water of a negative mass is water that evaporated.
TEST(Solution, FollowsWhatDoesNotChangeWhereAPartIsWaterOrPure) {
  const std::pair<VariantIndex, Row> evaporated = {1, {"8", "600", "0", "", "12", ""}};
  const std::pair<VariantIndex, Row> pouredIn = {1, {"10", "400", "0", "", "8", ""}};
  const std::pair<std::pair<VariantIndex, Row>, std::vector<std::string>> cases[] = {
      {evaporated,
       {"Дадено: първата съставка има маса 600 и съдържа 8% чисто вещество; втората съставка не "
        "съдържа чисто вещество (0%); сместа съдържа 12%.",
        "Търси се: изпарената вода и масата на сместа.",
        "Чистото вещество не се променя, когато водата се изпарява.",
        "Чисто вещество в първата съставка: 600 · 8 : 100 = 48.",
        "В сместа тези 48 са 12%: 48 · 100 : 12 = 400 – масата на сместа.",
        "Изпарената вода е 600 − 400 = 200.",
        "В полето „Тегло 2“ изпарената вода е записана с минус: −200.",
        "Проверка: 600 · 8 : 100 = 48 и 400 · 12 : 100 = 48 – количеството чисто вещество не се е "
        "променило;",
        "600 − 200 = 400;", "12% е повече от 8%, защото водата е намаляла.",
        "Отговор: изпарената вода е 200; масата на сместа е 400."}},
      {pouredIn,
       {"Дадено: първата съставка има маса 400 и съдържа 10% чисто вещество; втората съставка не "
        "съдържа чисто вещество (0%); сместа съдържа 8%.",
        "Търси се: масата на втората съставка и масата на сместа.",
        "Чистото вещество не се променя, когато доливаме вода.",
        "Чисто вещество в първата съставка: 400 · 10 : 100 = 40.",
        "В сместа тези 40 са 8%: 40 · 100 : 8 = 500 – масата на сместа.",
        "Масата на втората съставка е 500 − 400 = 100.",
        "Проверка: 400 · 10 : 100 = 40 и 500 · 8 : 100 = 40;", "400 + 100 = 500;",
        "8% е между 0% и 10%.",
        "Отговор: масата на втората съставка е 100; масата на сместа е 500."}},
  };
  for (const auto& [row, expected] : cases) {
    const std::vector<std::string> lines = LinesOf(row.first, row.second);
    EXPECT_EQ(lines, expected) << Joined(lines);
  }
  const Worksheet sheet = Calculated(evaporated.first, evaporated.second);
  EXPECT_EQ(sheet.CellText(CellOf(1, Weight2)), "-200");
  EXPECT_FALSE(DrawSolution(*sheet.Solution()).has_value()) << "no bar is shorter than nothing";
  EXPECT_TRUE(DrawSolution(*Calculated(pouredIn.first, pouredIn.second).Solution()).has_value());
}

// Each variant where a part is water or the pure substance: the method's lines in order, and the
// answer, in whichever part of the grid the water stands.
TEST(Solution, TellsWaterThatLeavesInEveryVariant) {
  struct Case {
    VariantIndex variant;
    Row row;
    std::vector<std::string> lines;  // found in this order, each a whole line
  };
  const Case cases[] = {
      {1,
       {"10", "200", "100", "", "20", ""},
       {"Частта без чисто вещество не се променя, когато добавяме чисто вещество.",
        "В първата съставка частта без чисто вещество е 100% − 10% = 90%: 200 · 90 : 100 = 180.",
        "В сместа частта без чисто вещество е 100% − 20% = 80%: 180 · 100 : 80 = 225 – масата на "
        "сместа.",
        "Масата на втората съставка е 225 − 200 = 25.",
        "Отговор: масата на втората съставка е 25; масата на сместа е 225."}},
      {4,
       {"0", "", "10", "400", "8", ""},
       {"Чистото вещество не се променя, когато доливаме вода.",
        "Чисто вещество във втората съставка: 400 · 10 : 100 = 40.",
        "Масата на първата съставка е 500 − 400 = 100.",
        "Отговор: масата на първата съставка е 100; масата на сместа е 500."}},
      {4,
       {"0", "", "8", "600", "12", ""},
       {"Чисто вещество във втората съставка: 600 · 8 : 100 = 48.",
        "Изпарената вода е 600 − 400 = 200.",
        "В полето „Тегло 1“ изпарената вода е записана с минус: −200.",
        "Отговор: изпарената вода е 200; масата на сместа е 400."}},
      {0,
       {"8", "600", "0", "-200", "", ""},
       {"Дадено: първата съставка има маса 600 и съдържа 8% чисто вещество; втората съставка има "
        "маса −200 и не съдържа чисто вещество (0%).",
        "Масата на сместа е 600 − 200 = 400.", "В сместа чистото вещество е 48 · 100 : 400 = 12%.",
        "В полето „Тегло 2“ изпарената вода е записана с минус: −200.", "600 − 200 = 400;",
        "Отговор: процентът на сместа е 12%; масата на сместа е 400."}},
      {2,
       {"8", "600", "0", "", "", "400"},
       {"В сместа чистото вещество е 48 · 100 : 400 = 12%.", "Изпарената вода е 600 − 400 = 200.",
        "Отговор: изпарената вода е 200; процентът на сместа е 12%."}},
      {6,
       {"8", "", "0", "", "12", "400"},
       {"Чистото вещество не се променя, когато водата се изпарява.",
        "Чисто вещество в сместа: 400 · 12 : 100 = 48.",
        "Тези 48 са 8% от първата съставка: 48 · 100 : 8 = 600 – масата на първата съставка.",
        "Изпарената вода е 600 − 400 = 200.",
        "Отговор: масата на първата съставка е 600; изпарената вода е 200."}},
      // No line of arithmetic finds the first part's mass here: the equation, and the same check.
      {4,
       {"8", "", "0", "-200", "12", ""},
       {"x = 600",
        "Проверка: 600 · 8 : 100 = 48 и 400 · 12 : 100 = 48 – количеството чисто вещество не се е "
        "променило;",
        "Отговор: масата на първата съставка е 600; масата на сместа е 400."}},
  };
  for (const Case& c : cases) {
    ExpectInOrderWithoutWarnings(c.variant, LinesOf(c.variant, c.row), c.lines);
  }
}

struct ImpossibleCase {
  VariantIndex variant;
  Row row;
  std::vector<std::string> warnings;
};

// The reason first, worded for a pupil; the derivation; and no answer.
TEST(Solution, HasNoAnswerWhereTheNumbersAreNoMixture) {
  const ImpossibleCase cases[] = {
      {1,
       {"30", "200", "40", "", "50", ""},
       {"Внимание: процентът на сместа трябва да е между процентите на двете съставки, а 50% не "
        "е между 30% и 40%.",
        "Внимание: масата на втората съставка излиза −400, а маса не може да е отрицателна.",
        "Внимание: масата на сместа излиза −200, а маса не може да е отрицателна."}},
      {0,
       {"30", "200", "140", "300", "", ""},
       {"Внимание: процентът на втората съставка е 140%, а процент не може да е по-голям от "
        "100% (100% е чистото вещество)."}},
      {0,
       {"-10", "200", "40", "300", "", ""},
       {"Внимание: процентът на първата съставка е −10%, а процент не може да е по-малък от "
        "0%."}},
      {3,
       {"30", "200", "", "200", "90", ""},
       {"Внимание: процентът на втората съставка излиза 150%, а процент не може да е по-голям "
        "от 100% (100% е чистото вещество)."}},
      {0,
       {"30", "0", "40", "300", "", ""},
       {"Внимание: масата на първата съставка е 0, а тя трябва да е по-голяма от 0."}},
      // The pure substance never leaves, nor does water leave a mixture of no mass.
      {1,
       {"20", "200", "100", "", "10", ""},
       {"Внимание: процентът на сместа трябва да е между процентите на двете съставки, а 10% не "
        "е между 20% и 100%.",
        "Внимание: масата на втората съставка излиза −22,(2), а маса не може да е отрицателна."}},
      {2,
       {"8", "600", "0", "", "", "-100"},
       {"Внимание: процентът на сместа трябва да е между процентите на двете съставки, а −48% не "
        "е между 0% и 8%.",
        "Внимание: процентът на сместа излиза −48%, а процент не може да е по-малък от 0%.",
        "Внимание: масата на втората съставка излиза −700, а маса не може да е отрицателна.",
        "Внимание: масата на сместа е −100, а маса не може да е отрицателна."}},
      {1,
       {"8", "600", "0", "", "120", ""},
       {"Внимание: процентът на сместа трябва да е между процентите на двете съставки, а 120% не "
        "е между 0% и 8%.",
        "Внимание: процентът на сместа е 120%, а процент не може да е по-голям от 100% (100% е "
        "чистото вещество).",
        "Внимание: масата на втората съставка излиза −560, а маса не може да е отрицателна."}},
      {1,
       {"30", "200", "30", "", "36", ""},
       {"Внимание: двете съставки са с по 30%, затова и сместа може да е само с 30%, а не с "
        "36%.",
        "Внимание: масата на втората съставка излиза −200, а маса не може да е отрицателна.",
        "Внимание: масата на сместа излиза 0, а тя трябва да е по-голяма от 0."}},
  };
  for (const ImpossibleCase& c : cases) {
    const std::vector<std::string> lines = LinesOf(c.variant, c.row);
    EXPECT_EQ(StartingWith(lines, "Внимание:"), c.warnings) << Joined(lines);
    EXPECT_EQ(lines[2], c.warnings[0]) << "the reason comes first\n" << Joined(lines);
    EXPECT_EQ(lines.back(), "Задачата няма решение с тези числа.");
    EXPECT_TRUE(StartingWith(lines, "Отговор:").empty());
    EXPECT_TRUE(StartingWith(lines, "Проверка:").empty());
  }
  const std::vector<std::string> negative = LinesOf(1, {"30", "200", "40", "", "50", ""});
  EXPECT_TRUE(Before(negative, "−4000 = 10x", "x = −400")) << Joined(negative);
}

struct FaultCase {
  VariantIndex variant;
  Row row;
  std::vector<std::string> ending;  // the last lines
};

// The cells round a 16th digit away, and with it what made the row solvable: the solution is of
// the numbers the cells show, and says so rather than reading an answer it has not got.
TEST(Solution, ExplainsCellsThatRoundTheirAnswerAway) {
  const std::tuple<VariantIndex, Row, std::string> cases[] = {
      {6,
       {"10", "", "10.00000000000001", "", "10", "500"},
       "Задачата има безброй много решения: всяко число, умножено по 0, дава 0, така че решение е "
       "всяко x, при което масите на двете съставки са по-големи от 0."},
      {0, {"30", "1", "40", "-0.9999999999999999", "", ""}, "Задачата няма решение с тези числа."},
  };
  for (const auto& [variant, row, ending] : cases) {
    const std::vector<std::string> lines = LinesOf(variant, row);
    EXPECT_EQ(lines.back(), ending) << Joined(lines);
  }
}

// After a fault the grid is as it was, and the solution says why there is no single answer.
TEST(Solution, ExplainsAFailedCalculation) {
  const FaultCase cases[] = {
      {6,
       {"30", "", "30", "", "36", "500"},
       {"15000 − 30x + 30x = 18000", "−30x + 30x = 18000 − 15000", "0 · x = 3000",
        "Задачата няма решение: няма число, което, умножено по 0, да дава 3000."}},
      {6,
       {"30", "", "30", "", "30", "500"},
       {"0 · x = 0",
        "Задачата има безброй много решения: всяко число, умножено по 0, дава 0, така че решение "
        "е всяко x, при което масите на двете съставки са по-големи от 0."}},
      {1,
       {"30", "200", "40", "", "40", ""},
       {"0 · x = 2000", "Задачата няма решение: няма число, което, умножено по 0, да дава 2000."}},
      // Two parts of water: no term holds x at all.
      {6,
       {"0", "", "0", "", "36", "500"},
       {"0 = 18000", "0 · x = 18000",
        "Задачата няма решение: няма число, което, умножено по 0, да дава 18000."}},
      {0,
       {"30", "0", "40", "0", "", ""},
       {"Процентът на сместа не може да се намери: масата ѝ е 0, а на 0 не се дели.",
        "Задачата няма решение с тези числа."}},
      {5,
       {"30", "200", "", "", "36", "200"},
       {"Масата на втората съставка е 200 − 200 = 0.",
        "Чистото вещество в първата съставка е 200 · 30 : 100 = 60.",
        "Чистото вещество в сместа е 200 · 36 : 100 = 72.",
        "Чистото вещество във втората съставка е 72 − 60 = 12.",
        "Процентът на втората съставка не може да се намери: масата ѝ е 0, а на 0 не се дели.",
        "Задачата няма решение с тези числа."}},
  };
  for (const FaultCase& c : cases) {
    Worksheet sheet(".");
    sheet.SelectVariant(c.variant);
    for (std::int16_t column = 0; column < ColumnCount; ++column) {
      sheet.SetCellText(CellOf(c.variant, static_cast<Column>(column)),
                        c.row[static_cast<std::size_t>(column)]);
    }
    EXPECT_THROW(sheet.Calculate(), ArithmeticFault);
    EXPECT_EQ(sheet.CellText(CellOf(c.variant, Weight2)), c.row[Weight2]);
    ASSERT_TRUE(sheet.Solution().has_value());
    const std::vector<std::string> lines = Texts::SolutionLines(*sheet.Solution());
    const std::vector<std::string> ending(
        lines.end() - static_cast<std::ptrdiff_t>(std::min(c.ending.size(), lines.size())),
        lines.end());
    EXPECT_EQ(ending, c.ending) << Joined(lines);
    EXPECT_FALSE(DrawSolution(*sheet.Solution()).has_value());
  }
}

// A small generator of our own, so that the same numbers come everywhere.
class Numbers {
 public:
  // A number of up to six significant digits, from 0.001 to 999 999, sometimes negative.
  std::string Next() {
    const auto digits = static_cast<long long>(Draw() % 999'999 + 1);
    const auto scale = static_cast<int>(Draw() % 10);  // 10^-3 to 10^6
    std::string text = std::to_string(digits);
    text += "e" + std::to_string(scale - 3 - static_cast<int>(text.size()) + 1);
    return (Draw() % 8 == 0 ? "-" : "") + text;
  }

 private:
  std::uint64_t Draw() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return state_ >> 33;
  }
  std::uint64_t state_ = 2026;
};

// Exact for every school problem, in school notation throughout, and agreeing with the cells.
TEST(Solution, IsExactForGivensOfSixSignificantDigits) {
  Numbers numbers;
  int solved = 0;
  for (int round = 0; round < 3000; ++round) {
    const auto variant = static_cast<VariantIndex>(round % VariantCount);
    Worksheet sheet(",");
    sheet.SelectVariant(variant);
    for (const Column column : RuleOf(variant).givens) {
      sheet.SetCellText(CellOf(variant, column), numbers.Next());
    }
    try {
      sheet.Calculate();
      ++solved;
    } catch (const ArithmeticFault&) {
    }
    const RowSolution solution = sheet.Solution().value();
    ASSERT_TRUE(solution.IsExact()) << Joined(Texts::SolutionLines(solution));
    for (const std::string& line : Texts::SolutionLines(solution)) {
      for (const std::string_view foreign : {"×", "/", "«", "»", "E+", " -", "(-"}) {
        ASSERT_EQ(line.find(foreign), std::string::npos) << foreign << " in " << line;
      }
    }
  }
  EXPECT_GT(solved, 2500);
}

TEST(Solution, SaysMultiplicationAndDivisionInWords) {
  EXPECT_EQ(Texts::SpokenMath("60 + x · 40 : 100 = (200 + x) · 36 : 100   | · 100"),
            "60 + x по 40 делено на 100 = (200 + x) по 36 делено на 100   | по 100");
  EXPECT_EQ(Texts::SpokenMath("Дадено: 30%"), "Дадено: 30%");
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
}

// Numbers too large for exact fractions keep the cells' rounded values and say so; the
// largest double's 15 digits round beyond any double, and the solution keeps the exact value.
TEST(Solution, SurvivesNumbersAtTheEdgeOfTheRange) {
  const Worksheet sheet = Calculated(2, {"1", "1.7976931348623157e308", "1", "", "", "1e308"});
  EXPECT_EQ(sheet.CellText(CellOf(2, Weight1)), "1.79769313486232E+308");
  EXPECT_EQ(sheet.Solution()->values[Weight1], 1.7976931348623157e308);
  const std::vector<std::string> lines = Texts::SolutionLines(*sheet.Solution());
  EXPECT_EQ(lines[2],
            "Числата имат твърде много цифри, за да се реши задачата точно стъпка по стъпка; "
            "затова тук са закръглени, както в клетките.");
  EXPECT_EQ(StartingWith(lines, "Внимание:"),
            std::vector<std::string>{"Внимание: масата на втората съставка излиза "
                                     "−7,97693134862316E+307, а маса не може да е отрицателна."});
  EXPECT_EQ(lines.back(), "Задачата няма решение с тези числа.");
  Worksheet huge(".");
  huge.SelectVariant(0);
  huge.SetCellText(CellOf(0, Weight1), "1e309");
  EXPECT_THROW(huge.Calculate(), ArithmeticFault);
  EXPECT_EQ(Texts::SolutionLines(*huge.Solution())[2],
            "Числата са твърде големи или имат твърде много цифри: при пресмятането се получава "
            "число, с което програмата не може да смята.");
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
  const std::optional<SolutionPicture> picture = DrawSolution(*sheet.Solution());
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
  EXPECT_EQ(labels,
            (std::vector<std::string>{"чисто вещество", "останалото", "Първата съставка: 200 → 60",
                                      "Втората съставка: 300 → 120", "Сместа: 500 → 180"}));
  EXPECT_EQ(picture->description,
            "Модел с отсечки: първата съставка 200, от които 60 чисто вещество; втората "
            "съставка 300, от които 120; сместа 500, от които 180.");
}

TEST(SolutionPicture, LabelsTheExactNumbers) {
  const Worksheet sheet = Calculated(0, {"10", "1", "0", "2", "", ""});
  const std::optional<SolutionPicture> picture = DrawSolution(*sheet.Solution());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->labels.back().text, "Сместа: 3 → 0,1");
  EXPECT_TRUE(picture->description.ends_with("сместа 3, от които 0,1.")) << picture->description;
}

TEST(SolutionPicture, IsDrawnOnlyForARealMixture) {
  const std::pair<VariantIndex, Row> cases[] = {
      {1, {"30", "200", "40", "", "50", ""}},    // negative weights
      {0, {"30", "200", "140", "300", "", ""}},  // a percentage above 100
      {0, {"30", "0", "40", "300", "", ""}},     // no first part at all
  };
  for (const auto& [variant, row] : cases) {
    const Worksheet sheet = Calculated(variant, row);
    EXPECT_FALSE(DrawSolution(*sheet.Solution()).has_value()) << row[2];
  }
  // Water and the pure substance are drawn: all rest, or all substance.
  const Worksheet water = Calculated(0, {"100", "1", "0", "3", "", ""});
  const std::optional<SolutionPicture> picture = DrawSolution(*water.Solution());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(BarWidths(*picture), (std::vector<std::vector<int>>{{62}, {186}, {62, 186}}));
}

}  // namespace
