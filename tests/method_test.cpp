#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "form/practice.h"
#include "form/problem_text.h"
#include "problems/method.h"

namespace {

std::array<Fraction, ColumnCount> Row(std::array<std::int64_t, ColumnCount> tenths) {
  std::array<Fraction, ColumnCount> row{};
  for (std::size_t i = 0; i < row.size(); ++i) {
    row[i] = Fraction::Of(tenths[i], 10);
  }
  return row;
}

struct Expected {
  MethodStep step;
  Part part;
  std::int64_t resultTenths;
};

// Whole rows, the unknowns included, as the grid has them once solved.
TEST(WhatStaysMethod, WorksOutWhatDoesNotChangeFirst) {
  struct Case {
    const char* name;
    VariantIndex variant;
    std::array<std::int64_t, ColumnCount> row;
    Kept kept;
    bool leaves;
    bool made;
    std::vector<Expected> lines;
  };
  const std::vector<Case> cases = {
      {"water poured in",
       1,
       {100, 4000, 0, 1000, 80, 5000},
       Kept::Substance,
       false,
       false,
       {{MethodStep::KeptAmount, Part::First, 400},
        {MethodStep::WholeFromKept, Part::Mixture, 5000},
        {MethodStep::ChangedMass, Part::Second, 1000}}},
      {"water evaporated",
       1,
       {80, 6000, 0, -2000, 120, 4000},
       Kept::Substance,
       true,
       false,
       {{MethodStep::KeptAmount, Part::First, 480},
        {MethodStep::WholeFromKept, Part::Mixture, 4000},
        {MethodStep::ChangedMass, Part::Second, -2000}}},
      {"salt added",
       1,
       {100, 2000, 1000, 250, 200, 2250},
       Kept::Water,
       false,
       false,
       {{MethodStep::KeptAmount, Part::First, 1800},
        {MethodStep::WholeFromKept, Part::Mixture, 2250},
        {MethodStep::ChangedMass, Part::Second, 250}}},
      {"water up to a mass",
       2,
       {100, 4000, 0, 1000, 80, 5000},
       Kept::Substance,
       false,
       false,
       {{MethodStep::KeptAmount, Part::First, 400},
        {MethodStep::PercentFromKept, Part::Mixture, 80},
        {MethodStep::ChangedMass, Part::Second, 1000}}},
      {"salt in water, the trap",
       0,
       {1000, 500, 0, 2000, 200, 2500},
       Kept::Substance,
       false,
       true,
       {{MethodStep::TotalMass, Part::Mixture, 2500},
        {MethodStep::PercentFromKept, Part::Mixture, 200}}},
      {"dissolving",
       6,
       {1000, 450, 0, 2550, 150, 3000},
       Kept::Substance,
       false,
       true,
       {{MethodStep::KeptAmount, Part::Mixture, 450},
        {MethodStep::RemainingMass, Part::Second, 2550}}},
      {"essence watered down",
       6,
       {800, 5, 0, 45, 80, 50},
       Kept::Substance,
       false,
       true,
       {{MethodStep::KeptAmount, Part::Mixture, 4},
        {MethodStep::WholeFromKept, Part::First, 5},
        {MethodStep::RemainingMass, Part::Second, 45}}},
      {"water first in the grid",
       0,
       {0, 1000, 100, 4000, 80, 5000},
       Kept::Substance,
       false,
       false,
       {{MethodStep::KeptAmount, Part::Second, 400},
        {MethodStep::TotalMass, Part::Mixture, 5000},
        {MethodStep::PercentFromKept, Part::Mixture, 80}}},
  };
  for (const Case& c : cases) {
    const std::optional<Method> method = WhatStaysMethod(c.variant, Row(c.row));
    ASSERT_TRUE(method) << c.name;
    EXPECT_EQ(method->kept, c.kept) << c.name;
    EXPECT_EQ(method->waterLeaves, c.leaves) << c.name;
    EXPECT_EQ(method->made, c.made) << c.name;
    ASSERT_EQ(method->lines.size(), c.lines.size()) << c.name;
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(method->lines[i].step, c.lines[i].step) << c.name << " line " << i;
      EXPECT_EQ(method->lines[i].part, c.lines[i].part) << c.name << " line " << i;
      EXPECT_EQ(method->lines[i].result, Fraction::Of(c.lines[i].resultTenths, 10))
          << c.name << " line " << i;
    }
  }
}

TEST(WhatStaysMethod, LeavesOtherProblemsToTheGrid) {
  struct Case {
    const char* name;
    VariantIndex variant;
    std::array<std::int64_t, ColumnCount> row;
  };
  const std::vector<Case> cases = {
      {"two solutions", 1, {300, 2000, 400, 3000, 360, 5000}},
      {"an unknown starting amount", 4, {150, 4000, 0, 2000, 100, 6000}},
      {"the pure substance taken away", 1, {200, 2000, 1000, -250, 100, 1750}},
      {"a new solution as strong as the old", 1, {100, 2000, 0, 0, 100, 2000}},
      {"water and the pure substance in one part each, and a third of 0%",
       0,
       {0, 1000, 0, 1000, 0, 2000}},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(WhatStaysMethod(c.variant, Row(c.row))) << c.name;
  }
}

// The first problem of a kind on the first sheets of a level.
std::optional<Problem> FirstOfKind(Kind kind, Level level) {
  for (std::int32_t sheet = 1; sheet <= 50; ++sheet) {
    for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
      const Problem problem = MakeProblem(sheet, level, place);
      if (problem.kind == kind) {
        return problem;
      }
    }
  }
  return std::nullopt;
}

bool HoldsAmount(const std::string& text, const std::string& amount) {
  for (std::size_t at = text.find(amount); at != std::string::npos;
       at = text.find(amount, at + 1)) {
    const char before = at == 0 ? ' ' : text[at - 1];
    if (!(before >= '0' && before <= '9') && before != ',') {
      return true;
    }
  }
  return false;
}

void ExpectTeachesByTheShape(const Problem& problem, Practice& practice) {
  const std::string where = Texts::ProblemText(problem);
  std::vector<std::string> hints;
  while (practice.HasMoreHints()) {
    practice.Hint();
    hints = practice.Shown().lines;
  }
  ASSERT_GE(hints.size(), 3u) << where;
  EXPECT_LE(hints.size(), 6u) << where;
  EXPECT_TRUE(hints.front().starts_with("Кое не се променя")) << hints.front();
  for (const std::string& hint : hints) {
    EXPECT_TRUE(hint.ends_with("?")) << hint;
    EXPECT_EQ(hint.find('x'), std::string::npos) << hint;
    for (const Column column : problem.sought) {
      EXPECT_FALSE(HoldsAmount(hint, Texts::AnswerAmount(problem, column))) << hint;
    }
  }
  practice.ShowSolution();
  const Texts::SolutionText solution = practice.Shown();
  EXPECT_FALSE(solution.table) << where;
  EXPECT_TRUE(solution.lines.front().find(" не се промен") != std::string::npos)
      << solution.lines.front();
  // The arithmetic and its answer; the equation only after them, where the water or the pure
  // substance is asked.
  const auto answer = std::find(solution.lines.begin(), solution.lines.end(),
                                "Отговор: " + Texts::AnswerText(problem) + ".");
  ASSERT_NE(answer, solution.lines.end()) << where;
  const bool changeAsked = problem.sought == std::vector<Column>{Weight2};
  if (changeAsked) {
    ASSERT_LT(answer + 1, solution.lines.end());
    EXPECT_EQ(*(answer + 1), "Друг начин:");
    EXPECT_EQ(solution.lines[solution.lines.size() - 2],
              "x = " + AnsweredValue(problem, Weight2).Text());
  } else {
    EXPECT_EQ(answer + 2, solution.lines.end()) << where;
  }
  EXPECT_TRUE(solution.lines.back().starts_with("Провери с Blendora („Вариант "))
      << solution.lines.back();
  for (auto line = solution.lines.begin(); line != answer; ++line) {
    for (const std::string_view grid : {"съставка", "смес", "Blendora", "x"}) {
      EXPECT_EQ(line->find(grid), std::string::npos) << *line;
    }
  }
}

TEST(Practice, TeachesWhatDoesNotChangeByAsking) {
  for (const Kind kind : {Kind::AddWater, Kind::Evaporation, Kind::AddPure, Kind::TopUpWithWater}) {
    const std::optional<Problem> problem = FirstOfKind(kind, Level::One);
    ASSERT_TRUE(problem) << static_cast<int>(kind);
    Practice practice(problem->source);
    ExpectTeachesByTheShape(*problem, practice);
  }
}

// The reference's evaporation, word for word: 600 г of 8% become 12%.
TEST(Practice, SolvesEvaporationInThreeLinesWithUnits) {
  Problem problem = *FirstOfKind(Kind::Evaporation, Level::One);
  problem.context = Context::Salt;
  problem.first = Ingredient::Solution;
  problem.unit = Unit::Gram;
  problem.wording = 0;  // "са се изпарили"
  problem.values = {{{80}, {6000}, {0}, {-2000}, {120}, {4000}}};
  const std::optional<Method> method =
      WhatStaysMethod(problem.variant, Row({80, 6000, 0, -2000, 120, 4000}));
  ASSERT_TRUE(method);
  const Texts::MethodWords words = Texts::MethodWordsOf(problem, *method);
  EXPECT_EQ(Texts::MethodLines(*method, words),
            (std::vector<std::string>{
                "Солта не се променя, когато водата се изпарява.",
                "Сол в разтвора: 600 · 8 : 100 = 48 (г).",
                "В новия разтвор тези 48 г са 12%: 48 · 100 : 12 = 400 (г) – масата на новия "
                "разтвор.",
                "Изпарили са се 600 − 400 = 200 (г) вода."}));
  EXPECT_EQ(Texts::MethodHints(*method, words, {Fraction(200)}),
            (std::vector<std::string>{
                "Кое не се променя, когато водата се изпарява?",
                "Колко грама сол има в 600 г 8% разтвор?",
                "В разтвора има 48 г сол. Солта е 12% от новия разтвор. Колко грама е новият "
                "разтвор?",
                "Новият разтвор е 400 г. Колко грама вода са се изпарили?"}));
}

// The reference's three problems of what does not change, as an equation after the arithmetic:
// 400 г of 10% watered to 8%, 600 г of 8% evaporated to 12%, salt added to 200 г of 10% for 20%;
// the amount that stays is the one the arithmetic worked out, and x stays on the left.
TEST(Practice, SolvesWhatDoesNotChangeByAnEquationToo) {
  struct Case {
    Kind kind;
    std::array<std::int64_t, ColumnCount> row;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {Kind::AddWater,
       {100, 4000, 0, 1000, 80, 5000},
       {"Друг начин:", "Нека долеем x г вода. Тогава новият разтвор е (400 + x) г.",
        "Солта не се променя:", "(400 + x) · 8 : 100 = 40   | · 100", "8(400 + x) = 4000",
        "3200 + 8x = 4000", "8x = 4000 − 3200", "8x = 800", "x = 100"}},
      {Kind::Evaporation,
       {80, 6000, 0, -2000, 120, 4000},
       {"Друг начин:", "Нека се изпарят x г вода. Тогава новият разтвор е (600 − x) г.",
        "Солта не се променя:", "(600 − x) · 12 : 100 = 48   | · 100", "12(600 − x) = 4800",
        "7200 − 12x = 4800", "12x = 7200 − 4800", "12x = 2400", "x = 200"}},
      {Kind::AddPure,
       {100, 2000, 1000, 250, 200, 2250},
       {"Друг начин:", "Нека добавим x г чиста сол. Тогава новият разтвор е (200 + x) г.",
        "Водата не се променя:", "(200 + x) · 80 : 100 = 180   | · 100", "80(200 + x) = 18000",
        "16000 + 80x = 18000", "80x = 18000 − 16000", "80x = 2000", "x = 25"}},
      // Only where the water or the pure substance is what the arithmetic ends with.
      {Kind::TopUpWithWater, {100, 4000, 0, 1000, 80, 5000}, {}},
      {Kind::Dissolving, {1000, 450, 0, 2550, 150, 3000}, {}},
  };
  for (const Case& c : cases) {
    Problem problem = *FirstOfKind(c.kind, Level::One);
    problem.context = Context::Salt;
    problem.first = c.kind == Kind::Dissolving ? Ingredient::PureSubstance : Ingredient::Solution;
    problem.unit = Unit::Gram;
    problem.values = {};
    std::transform(c.row.begin(), c.row.end(), problem.values.begin(),
                   [](std::int64_t tenths) { return Tenths{tenths}; });
    const std::optional<Method> method = WhatStaysMethod(problem.variant, Row(c.row));
    ASSERT_TRUE(method) << static_cast<int>(c.kind);
    EXPECT_EQ(Texts::OtherWayLines(*method, Texts::MethodWordsOf(problem, *method)), c.lines)
        << static_cast<int>(c.kind);
  }
}

// The reference's dried mushrooms, in the problem's words: 22 кг of 90% water dried to 12% give
// 2,5 кг. The percentages are the water's; the working and the grid take the dry matter's.
TEST(Practice, SolvesDryingByItsDryMatter) {
  Problem problem = *FirstOfKind(Kind::Drying, Level::Two);
  problem.context = Context::Mushrooms;
  problem.wording = 0;
  problem.values = {{{100}, {220}, {0}, {-195}, {880}, {25}}};
  EXPECT_EQ(Texts::ProblemText(problem),
            "Пресните гъби съдържат 90% вода, а сушените – 12%. Колко килограма сушени гъби се "
            "получават от 22 кг пресни?");
  EXPECT_EQ(Texts::AnswerLabel(problem, MixWeight), "Колко килограма сушени гъби?");
  EXPECT_EQ(Texts::AnswerText(problem), "2,5 кг сушени гъби");
  const std::optional<Method> method =
      WhatStaysMethod(problem.variant, Row({100, 220, 0, -195, 880, 25}));
  ASSERT_TRUE(method);
  const Texts::MethodWords words = Texts::MethodWordsOf(problem, *method);
  const std::vector<std::string> lines = Texts::MethodLines(*method, words);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
            (std::vector<std::string>{
                "Сухото вещество не се променя, когато гъбите се сушат.",
                "В пресните гъби сухото вещество е 100% − 90% = 10%: 22 · 10 : 100 = 2,2 (кг).",
                "В сушените гъби сухото вещество е 100% − 12% = 88%: 2,2 · 100 : 88 = 2,5 (кг) – "
                "масата на сушените гъби."}));
  const std::vector<std::string> hints = Texts::MethodHints(*method, words, {Fraction::Of(25, 10)});
  ASSERT_GE(hints.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(hints.begin(), hints.begin() + 3),
            (std::vector<std::string>{
                "Кое не се променя, когато гъбите се сушат?",
                "Сухото вещество е 100% − 90% = 10% от пресните гъби. Колко килограма е то?",
                "В пресните гъби има 2,2 кг сухо вещество. Сухото вещество е 100% − 12% = 88% от "
                "сушените гъби. Колко килограма са сушените гъби?"}));
  // Dried mushrooms are many: "сушените гъби са", never "е".
  const std::vector<std::string> other = Texts::OtherWayLines(*method, words);
  ASSERT_GE(other.size(), 2u);
  EXPECT_EQ(other[1], "Нека се изпарят x кг вода. Тогава сушените гъби са (22 − x) кг.");
  const std::string check = Texts::GridCheckLine(problem);
  for (const std::string_view cell : {"в „% - 1“ 10 (сухото вещество: 100% − 90%)",
                                      "в „Смес %“ 88 (сухото вещество: 100% − 12%)"}) {
    EXPECT_NE(check.find(cell), std::string::npos) << check;
  }
}

// Every other problem: the first hint asks, and no hint gives an answer away.
TEST(Practice, HintsAskAndNeverTellTheAnswer) {
  for (const Level level : Levels) {
    for (std::int32_t place = 0; place < 7; ++place) {
      Practice practice({3, level, place});
      const Problem& problem = practice.Current();
      practice.Hint();
      EXPECT_TRUE(practice.Shown().lines.front().ends_with("?")) << practice.Shown().lines.front();
      while (practice.HasMoreHints()) {
        practice.Hint();
      }
      const std::string text = Texts::ProblemText(problem);
      for (const std::string& hint : practice.Shown().lines) {
        for (const Column column : problem.sought) {
          const std::string answer = Texts::AnswerAmount(problem, column);
          if (HoldsAmount(text, answer)) {
            continue;  // a given that happens to be the answer's amount
          }
          EXPECT_FALSE(HoldsAmount(hint, answer)) << Texts::ProblemText(problem) << "\n" << hint;
        }
      }
      practice.ShowSolution();
      const std::vector<std::string> lines = practice.Shown().lines;
      EXPECT_EQ(
          std::count_if(lines.begin(), lines.end(),
                        [](const std::string& line) { return line.starts_with("Отговор: "); }),
          1);
    }
  }
}

}  // namespace

namespace {

// Every problem of the first sheets, whatever its shape, speaks of its own things: what a
// percentage measures and where, not "процентът на" a part.
TEST(Practice, SpeaksOfTheProblemsOwnThings) {
  for (const Level level : Levels) {
    for (std::int32_t sheet = 1; sheet <= 3; ++sheet) {
      for (std::int32_t place = 0; place < 7; ++place) {
        Practice practice({sheet, level, place});
        while (practice.HasMoreHints()) {
          practice.Hint();
        }
        std::vector<std::string> lines = practice.Shown().lines;
        practice.ShowSolution();
        const Texts::SolutionText solution = practice.Shown();
        lines.insert(lines.end(), solution.lines.begin(), solution.lines.end() - 1);
        if (solution.table) {
          for (const auto& row : solution.table->rows) {
            lines.push_back(row[0]);
          }
          lines.push_back(solution.table->heading[3]);
        }
        for (const std::string& line : lines) {
          for (const std::string_view grid : {"съставка", "смес", "чисто вещество",
                                              "Чистото вещество", "таблицата „", "процентът на"}) {
            EXPECT_EQ(line.find(grid), std::string::npos)
                << Texts::ProblemText(practice.Current()) << "\n"
                << line;
          }
        }
      }
    }
  }
}

// An unknown mass mixed in: x with its unit, the table and the balance in the problem's words.
TEST(Practice, SetsUpTheEquationInTheProblemsWords) {
  std::optional<Problem> salt;
  for (std::int32_t sheet = 1; sheet <= 100 && !salt; ++sheet) {
    for (std::int32_t place = 0; place < MaxSheetSize && !salt; ++place) {
      const Problem problem = MakeProblem(sheet, Level::Two, place);
      if (problem.kind == Kind::FirstForMixture && problem.context == Context::Salt) {
        salt = problem;
      }
    }
  }
  ASSERT_TRUE(salt);
  Practice practice(salt->source);
  practice.ShowSolution();
  const Texts::SolutionText solution = practice.Shown();
  ASSERT_TRUE(solution.table);
  EXPECT_EQ(solution.table->heading,
            (std::array<std::string, 4>{"", "маса (г)", "процент", "сол (г)"}));
  EXPECT_EQ(solution.table->rows[2][0], "получен разтвор");
  const std::string w1 = salt->Value(Weight1).Text();
  const std::string w2 = salt->Value(Weight2).Text();
  for (const std::string& line :
       {"Нека x г е масата на първия разтвор. Тогава масата на получения разтвор е (x + " + w2 +
            ") г.",
        std::string("Солта в получения разтвор е колкото в двата разтвора заедно:"),
        "Масата на получения разтвор е " + w1 + " + " + w2 + " = " + salt->Value(MixWeight).Text() +
            " (г).",
        "Отговор: " + Texts::AnswerText(*salt) + "."}) {
    EXPECT_NE(std::find(solution.lines.begin(), solution.lines.end(), line), solution.lines.end())
        << line;
  }
}

Problem SaltDissolved(Kind kind, std::array<std::int64_t, ColumnCount> tenths) {
  Problem problem;
  problem.kind = kind;
  problem.variant = VariantOfKind(kind);
  problem.first = Ingredient::PureSubstance;
  problem.second = Ingredient::Water;
  for (std::size_t column = 0; column < tenths.size(); ++column) {
    problem.values[column] = Tenths{tenths[column]};
  }
  const std::span<const Column> sought = SoughtOf(kind);
  problem.sought.assign(sought.begin(), sought.end());
  return problem;
}

// The reference's salt in water, word for word: 300 г of 15% from 45 г of salt and 255 г of
// water; 50 г of salt in 200 г of water make 20%; 20 г of salt make 400 г of 5% with 380 г of
// water. No "what does not change": the solution is nothing but its two parts.
TEST(Practice, SolvesDissolvingByWhatTheSolutionIsMadeOf) {
  struct Case {
    Kind kind;
    std::array<std::int64_t, ColumnCount> row;
    std::vector<std::string> lines;
    std::vector<std::string> hints;
  };
  const Case cases[] = {
      {Kind::Dissolving,
       {1000, 450, 0, 2550, 150, 3000},
       {"Разтворът се състои от сол и вода.", "Сол в разтвора: 300 · 15 : 100 = 45 (г).",
        "Вода: 300 − 45 = 255 (г)."},
       {"От какво се състои разтворът?", "Колко грама сол трябва да има в 300 г 15% разтвор?",
        "Колко грама вода са нужни?"}},
      {Kind::DissolvedPercent,
       {1000, 500, 0, 2000, 200, 2500},
       {"Масата на разтвора е колкото масите на солта и водата заедно: 50 + 200 = 250 (г).",
        "В разтвора солта е 50 · 100 : 250 = 20%."},
       {"От какво се състои разтворът?", "Колко грама е разтворът?",
        "Разтворът е 250 г. Колко процента от разтвора е солта?"}},
      {Kind::SolutionFromSubstance,
       {1000, 200, 0, 3800, 50, 4000},
       {"Разтворът се състои от сол и вода.",
        "Солта е 5% от разтвора: 20 · 100 : 5 = 400 (г) – масата на разтвора.",
        "Вода: 400 − 20 = 380 (г)."},
       {"От какво се състои разтворът?", "Солта е 5% от разтвора. Колко грама е разтворът?",
        "Колко грама вода са нужни?"}},
  };
  for (const Case& c : cases) {
    const Problem problem = SaltDissolved(c.kind, c.row);
    const std::optional<Method> method = WhatStaysMethod(problem.variant, Row(c.row));
    ASSERT_TRUE(method) << static_cast<int>(c.kind);
    const Texts::MethodWords words = Texts::MethodWordsOf(problem, *method);
    std::vector<Fraction> answers;
    for (const Column column : problem.sought) {
      answers.push_back(Fraction::Of(problem.Value(column).count, 10));
    }
    EXPECT_EQ(Texts::MethodLines(*method, words), c.lines);
    EXPECT_EQ(Texts::MethodHints(*method, words, answers), c.hints);
  }
}

// One step, a percentage of a number: no word of what does not change, and hints that ask for
// the part, the whole and the rule, never the product. On "Ниво 1" and on "Смесени" sheets.
TEST(Practice, FindsTheSubstanceOfASolutionInOneStep) {
  const std::optional<Problem> problem = FirstOfKind(Kind::SubstanceInSolution, Level::One);
  ASSERT_TRUE(problem);
  ASSERT_EQ(Texts::ProblemText(*problem), "Колко грама сол има в 410 г 20% разтвор?");
  Practice practice(problem->source);
  while (practice.HasMoreHints()) {
    practice.Hint();
  }
  EXPECT_EQ(practice.Shown().lines,
            (std::vector<std::string>{
                "Каква част от разтвора е солта?",
                "Солта е 20% от разтвора. От колко грама се пресмятат тези 20%?",
                "Трябва да намериш 20% от 410 г. Как се намира процент от число?"}));
  practice.ShowSolution();
  const std::vector<std::string> lines = practice.Shown().lines;
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Сол в разтвора: 410 · 20 : 100 = 82 (г).");
  EXPECT_EQ(lines[1], "Отговор: 82 г сол.");
  EXPECT_TRUE(FirstOfKind(Kind::SubstanceInSolution, Level::Mixed));
}

// Water poured into a solution of unknown mass: the grid's equation, set up in the hints, with
// the starting solution as x.
TEST(Practice, SolvesAnUnknownStartWithTheEquation) {
  const std::optional<Problem> problem = FirstOfKind(Kind::UnknownStart, Level::Two);
  ASSERT_TRUE(problem);
  Practice practice(problem->source);
  while (practice.HasMoreHints()) {
    practice.Hint();
  }
  const std::vector<std::string> hints = practice.Shown().lines;
  ASSERT_FALSE(hints.empty());
  EXPECT_EQ(hints.front(), "Какво ще означиш с x?");
  const std::string p1 = problem->Value(Percent1).Text();
  const std::string w2 = problem->Value(Weight2).Text();
  const std::string pm = problem->Value(MixPercent).Text();
  EXPECT_EQ(hints.back(),
            "Уравнението е x · " + p1 + " : 100 = (x + " + w2 + ") · " + pm + " : 100. Реши го.");
  practice.ShowSolution();
  const std::vector<std::string> lines = practice.Shown().lines;
  EXPECT_TRUE(std::find(lines.begin(), lines.end(), "x = " + problem->Value(Weight1).Text()) !=
              lines.end());
  // The solution at the start, named with its strength: "Отговор: 400 г 15% разтвор на сол.",
  // "Отговор: 24 л напитка със 75% плодов сок."
  const std::string& answer = lines[lines.size() - 2];
  EXPECT_TRUE(answer.starts_with("Отговор: " + Texts::AnswerAmount(*problem, Weight1) + " ") &&
              answer.find(" " + p1 + "% ") != std::string::npos)
      << answer;
}

// The reference's ratio, and the same parts named the other way round: a is always the first
// part's mass, whichever is the stronger.
TEST(RatioSolution, FindsAToBFromTheBalanceOfTheSubstance) {
  const struct {
    std::array<std::int64_t, 3> percents;
    std::vector<std::string> solving;
  } cases[] = {
      {{30, 40, 36},
       {"30a + 40b = 36a + 36b", "40b − 36b = 36a − 30a", "4b = 6a", "a : b = 4 : 6 = 2 : 3"}},
      {{40, 30, 36},
       {"40a + 30b = 36a + 36b", "40a − 36a = 36b − 30b", "4a = 6b", "a : b = 6 : 4 = 3 : 2"}},
  };
  for (const auto& c : cases) {
    Problem salt;
    salt.values = {
        {{c.percents[0] * 10}, {0}, {c.percents[1] * 10}, {0}, {c.percents[2] * 10}, {0}}};
    const Texts::RatioWording wording = {
        {Fraction(c.percents[0]), Fraction(c.percents[1]), Fraction(c.percents[2])},
        "…",
        "г",
        Texts::PartWordsOf(salt)};
    const std::vector<std::string> lines = Texts::RatioSolution(wording).lines;
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Нека вземем a г от първия разтвор и b г от втория разтвор.");
    EXPECT_EQ(lines[1], "Тогава полученият разтвор е (a + b) г.");
    EXPECT_EQ(lines[2], "Солта в получения разтвор е колкото в двата разтвора заедно:");
    EXPECT_EQ(lines[3], "a · " + std::to_string(c.percents[0]) + " : 100 + b · " +
                            std::to_string(c.percents[1]) +
                            " : 100 = (a + b) · 36 : 100   | · 100");
    EXPECT_EQ(std::vector(lines.begin() + 4, lines.end() - 1), c.solving);
    EXPECT_EQ(lines.back(), "Отговор: ….");
  }
}

// On a sheet: hints that ask and never give the ratio, the answer in the problem's words, and the
// grid with a mass of the pupil's choosing.
TEST(Practice, TeachesARatioByAsking) {
  const std::optional<Problem> problem = FirstOfKind(Kind::RatioForMixture, Level::Three);
  ASSERT_TRUE(problem);
  Practice practice(problem->source);
  ASSERT_EQ(practice.Boxes().size(), 1u);
  EXPECT_EQ(practice.Boxes()[0].label, "В какво отношение?");
  EXPECT_EQ(practice.Boxes()[0].unit, "");
  while (practice.HasMoreHints()) {
    practice.Hint();
  }
  const std::vector<std::string> hints = practice.Shown().lines;
  ASSERT_EQ(hints.size(), 4u);
  EXPECT_EQ(hints.front(), "Какво ще означиш с a и с b?");
  EXPECT_TRUE(hints.back().ends_with(" Какво отношение a : b следва от такова равенство?"))
      << hints.back();
  practice.ShowSolution();
  const std::vector<std::string> lines = practice.Shown().lines;
  // Neither the ratio nor the equation it is read from: the last step is the pupil's.
  const auto ratioLine = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.starts_with("a : b = ");
  });
  ASSERT_NE(ratioLine, lines.end());
  const std::string ratio = Texts::BoxAnswers(*problem)[0];
  for (const std::string& hint : hints) {
    for (const std::string& step : {ratio, *(ratioLine - 1)}) {
      EXPECT_EQ(hint.find(step), std::string::npos) << hint;
    }
  }
  EXPECT_EQ(lines[lines.size() - 2], "Отговор: " + Texts::AnswerText(*problem) + ".");
  EXPECT_TRUE(lines.back().starts_with("Провери с Blendora („Вариант 7“), като избереш "))
      << lines.back();
  EXPECT_EQ(practice.Check({ratio}), "Вярно!");
  EXPECT_EQ(practice.ForGrid(",").variant, 6);
}

}  // namespace

namespace {

// The reference's salt, 300 г of 10% and 200 г of 25%, mixed into 500 г of 16%; made handy for
// the second step's two ends.
Problem TwoStepsOfSalt(VariantIndex variant, std::array<std::int64_t, ColumnCount> second) {
  Problem problem;
  problem.kind = Kind::TwoSteps;
  problem.level = Level::Three;
  problem.second = Ingredient::Water;
  problem.variant = variant;
  problem.sought = {variant == 0 ? MixPercent : Weight2};
  problem.firstStep = {{{100}, {3000}, {250}, {2000}, {160}, {5000}}};
  for (std::size_t column = 0; column < second.size(); ++column) {
    problem.values[column] = Tenths{second[column]};
  }
  return problem;
}

// First the mixture by arithmetic, then the water by what does not change, each step named; the
// hints ask for each number, from the first solution's salt to the last step, and the grid is
// sent only the second step.
TEST(Practice, SolvesTwoStepsAsTwoNamedSteps) {
  const std::vector<std::string> mixing = {
      "Първо намираме масата на получения разтвор и колко грама сол има в него.",
      "Сол в първия разтвор: 300 · 10 : 100 = 30 (г).",
      "Сол във втория разтвор: 200 · 25 : 100 = 50 (г).",
      "Масата на получения разтвор е 300 + 200 = 500 (г).",
      "Сол в получения разтвор: 30 + 50 = 80 (г)."};
  const std::vector<std::string> mixingHints = {
      "Колко грама сол има в първия разтвор?",
      "В първия разтвор има 30 г сол. Колко грама сол има във втория разтвор?",
      "Във втория разтвор има 50 г сол. Колко грама е полученият разтвор?",
      "Полученият разтвор е 500 г. Колко грама сол има в получения разтвор?"};
  const struct {
    const char* name;
    Problem problem;
    std::string text;
    std::vector<std::string> watering;
    std::vector<std::string> hints;
    std::string grid;
  } cases[] = {
      {"water poured in, the percentage asked",
       TwoStepsOfSalt(0, {160, 5000, 0, 3000, 100, 8000}),
       "Смесиха 300 г 10% и 200 г 25% разтвор на сол. Към получения разтвор доляха 300 г вода. "
       "Какво е процентното съдържание на сол в новия разтвор?",
       {"След това доливаме вода: солта не се променя и в новия разтвор също има 80 г сол.",
        "Масата на новия разтвор е 500 + 300 = 800 (г).",
        "В новия разтвор солта е 80 · 100 : 800 = 10%.", "Отговор: 10%."},
       {"В получения разтвор има 80 г сол. Кое не се променя, когато доливаме вода?",
        "Колко грама е новият разтвор?",
        "Новият разтвор е 800 г. Колко процента от новия разтвор е солта?"},
       "Таблицата на Blendora смята по една стъпка. Провери втората („Вариант 1“): въведи в "
       "„% - 1“ 16 (процентното съдържание на сол в получения разтвор: 80 · 100 : 500), в "
       "„Тегло 1“ 500, в „% - 2“ 0 (водата) и в „Тегло 2“ 300; в „Смес %“ ще видиш 10, а в "
       "„Смес т.“ – 800."},
      {"water evaporated, the water asked",
       TwoStepsOfSalt(1, {160, 5000, 0, -1000, 200, 4000}),
       "Смесиха 300 г 10% и 200 г 25% разтвор на сол. Колко грама вода трябва да се изпарят от "
       "получения разтвор, за да стане процентното съдържание на сол 20%?",
       {"След това водата се изпарява: солта не се променя и в новия разтвор също има 80 г сол.",
        "В новия разтвор тези 80 г са 20%: 80 · 100 : 20 = 400 (г) – масата на новия разтвор.",
        "Трябва да се изпарят 500 − 400 = 100 (г) вода.", "Отговор: 100 г вода."},
       {"В получения разтвор има 80 г сол. Кое не се променя, когато водата се изпарява?",
        "Солта е 20% от новия разтвор. Колко грама е новият разтвор?",
        "Новият разтвор е 400 г. Колко грама вода трябва да се изпарят?"},
       "Таблицата на Blendora смята по една стъпка. Провери втората („Вариант 2“): въведи в "
       "„% - 1“ 16 (процентното съдържание на сол в получения разтвор: 80 · 100 : 500), в "
       "„Тегло 1“ 500, в „% - 2“ 0 (водата) и в „Смес %“ 20; в „Тегло 2“ ще видиш −100, а в "
       "„Смес т.“ – 400. Минусът означава, че 100 г вода са се изпарили, а не са долети."},
  };
  for (const auto& c : cases) {
    const Problem& problem = c.problem;
    EXPECT_EQ(Texts::ProblemText(problem), c.text) << c.name;
    std::array<Fraction, ColumnCount> first{};
    std::array<Fraction, ColumnCount> second{};
    for (std::size_t column = 0; column < ColumnCount; ++column) {
      first[column] = Fraction::Of((*problem.firstStep)[column].count, 10);
      second[column] = Fraction::Of(problem.values[column].count, 10);
    }
    const std::optional<TwoStepMethod> method = TwoStepsMethod(first, problem.variant, second);
    ASSERT_TRUE(method) << c.name;
    const Texts::MethodWords words = Texts::MethodWordsOf(problem, method->watering);
    const Texts::MixingWords names = Texts::MixingWordsOf(problem);
    std::vector<std::string> lines = Texts::TwoStepLines(*method, words, names);
    lines.push_back("Отговор: " + Texts::AnswerText(problem) + ".");
    std::vector<std::string> expected = mixing;
    expected.insert(expected.end(), c.watering.begin(), c.watering.end());
    EXPECT_EQ(lines, expected) << c.name;
    const std::vector<Fraction> answers = {
        Fraction::Of(AnsweredValue(problem, problem.sought.front()).count, 10)};
    std::vector<std::string> hints = mixingHints;
    hints.insert(hints.end(), c.hints.begin(), c.hints.end());
    EXPECT_EQ(Texts::TwoStepHints(*method, words, names, answers), hints) << c.name;
    EXPECT_EQ(Texts::GridCheckLine(problem), c.grid) << c.name;
  }
}

// On the sheets: both steps named, every hint a question that keeps the answer back, up to eight
// of them, no word of the grid's before the line that sends the pupil there, and the key's answer
// taken as right.
TEST(Practice, TeachesTwoStepsByAskingOnTheSheets) {
  int found = 0;
  for (std::int32_t sheet = 1; sheet <= 40; ++sheet) {
    for (std::int32_t place = 0; place < 7; ++place) {
      Practice practice({sheet, Level::Three, place});
      const Problem problem = practice.Current();
      if (problem.kind != Kind::TwoSteps) {
        continue;
      }
      ++found;
      const std::string where = Texts::ProblemText(problem);
      while (practice.HasMoreHints()) {
        practice.Hint();
      }
      const std::vector<std::string> hints = practice.Shown().lines;
      EXPECT_GE(hints.size(), 6u) << where;
      EXPECT_LE(hints.size(), 8u) << where;
      const std::string answer = Texts::AnswerAmount(problem, problem.sought.front());
      for (const std::string& hint : hints) {
        EXPECT_TRUE(hint.ends_with("?")) << hint;
        EXPECT_FALSE(HoldsAmount(hint, answer)) << where << "\n" << hint;
      }
      practice.ShowSolution();
      const std::vector<std::string> lines = practice.Shown().lines;
      ASSERT_GE(lines.size(), 9u) << where;
      EXPECT_TRUE(lines.front().starts_with("Първо намираме ")) << lines.front();
      EXPECT_EQ(
          std::count_if(lines.begin(), lines.end(),
                        [](const std::string& line) { return line.starts_with("След това "); }),
          1)
          << where;
      EXPECT_EQ(lines[lines.size() - 2], "Отговор: " + Texts::AnswerText(problem) + ".");
      EXPECT_TRUE(lines.back().starts_with("Таблицата на Blendora смята по една стъпка. "))
          << lines.back();
      for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        for (const std::string_view grid : {"съставка", "смес", "Blendora", "x"}) {
          EXPECT_EQ(lines[i].find(grid), std::string::npos) << lines[i];
        }
      }
      EXPECT_EQ(practice.Check(Texts::BoxAnswers(problem)), "Вярно!") << where;
    }
  }
  EXPECT_GT(found, 5);
}

}  // namespace
