#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "form/my_problem.h"
#include "form/practice.h"
#include "reader/reader.h"

namespace {

std::vector<std::string> ShownOf(std::string_view text) {
  MyProblem mine;
  mine.Read(text);
  return mine.Shown().lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\n";
  }
  return text;
}

bool HasLine(const std::vector<std::string>& lines, std::string_view wanted) {
  return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

bool HasLineWith(const std::vector<std::string>& lines, std::string_view part) {
  return std::any_of(lines.begin(), lines.end(), [part](const std::string& line) {
    return line.find(part) != std::string::npos;
  });
}

// A pupil reads "14,29", not "14,(285714)": a long period is rounded, and where it is, "≈"
// stands in place of "=" and the rounding is said; a period of one digit stays as school
// writes it.
TEST(WrittenSolution, RoundsALongPeriodAndSaysSo) {
  const std::vector<std::string> lines =
      ShownOf("Към 100 г 10% разтвор на сол добавили 5 г сол. Колко процента е новият разтвор?");
  EXPECT_TRUE(HasLine(lines, "Отговор: ≈ 14,29%.")) << Joined(lines);
  EXPECT_TRUE(HasLineWith(lines, "15 · 100 : 105 ≈ 14,29%.")) << Joined(lines);
  EXPECT_TRUE(HasLine(lines, "Проверка: 14,29% е между 10% и 100%.")) << Joined(lines);
  EXPECT_FALSE(HasLineWith(lines, "105 · 14,29")) << Joined(lines);
  EXPECT_TRUE(HasLine(lines, "Бележка: числата след „≈“ са закръглени до стотни."))
      << Joined(lines);
  EXPECT_FALSE(HasLineWith(lines, "(285714)")) << Joined(lines);

  // A difference of a rounded number goes on with it exact, the digits it begins with before
  // "…", and its result is about; each answer of sub-questions gets its note. A check by a
  // periodic number is left out.
  const std::vector<std::string> water =
      ShownOf("Колко грама вода трябва да се долеят към 100 г 12% разтвор на сол, за да стане 7%?");
  EXPECT_TRUE(HasLine(water, "Трябва да се долеят 171,428… − 100 ≈ 71,43 (г) вода."))
      << Joined(water);
  const std::vector<std::string> periodic = ShownOf(
      "Смесили 250 г 10% разтвор на сол и 50 г 20% разтвор на сол. Колко процента е новият "
      "разтвор?");
  EXPECT_TRUE(HasLine(periodic, "Проверка: 11,(6)% е между 10% и 20%.")) << Joined(periodic);
  EXPECT_FALSE(HasLineWith(periodic, "300 · 11,(6)")) << Joined(periodic);
  const std::vector<std::string> parts = ShownOf(
      "Смесили 100 г 10% разтвор на сол и 110 г 20% разтвор на сол. а) Колко процента е "
      "полученият разтвор? б) Колко грама сол има в първия разтвор?");
  const auto answer = std::find(parts.begin(), parts.end(), "Отговор: ≈ 15,24%.");
  ASSERT_NE(answer, parts.end()) << Joined(parts);
  EXPECT_EQ(*(answer - 1), "Бележка: числата след „≈“ са закръглени до стотни.") << Joined(parts);

  const std::vector<std::string> third = ShownOf(
      "Към 200 г 10% разтвор на сол добавили 100 г 20% разтвор на сол. Колко процента е "
      "полученият разтвор?");
  EXPECT_TRUE(HasLine(third, "Отговор: 13,(3)%.")) << Joined(third);
  EXPECT_FALSE(HasLineWith(third, "≈")) << Joined(third);
}

// An alloy whose text lists its metals names them where the other metals do not change, with
// the verb that agrees; what a number in brackets is, is said as a subject: "(калаят)".
TEST(WrittenSolution, NamesTheMetalsTheTextLists) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> lines;
  };
  const std::vector<Row> rows = {
      {"Сплав от мед и калай тежи 12 кг и съдържа 45% мед. Колко килограма мед трябва да се "
       "добавят, за да съдържа 60% мед?",
       {"Калаят не се променя, когато добавяме мед.",
        "В сплавта калаят е 100% − 45% = 55%: 12 · 55 : 100 = 6,6 (кг)."}},
      {"Бронз от мед, калай и олово тежи 8 кг и съдържа 80% мед. Колко килограма мед трябва да "
       "се добавят, за да стане 84% мед?",
       {"Калаят и оловото не се променят, когато добавяме мед.",
        "Калаят и оловото не се променят:"}},
      {"Сплав от мед и калай тежи 10 кг и съдържа 30% калай. Колко килограма калай трябва да се "
       "добавят, за да съдържа 44% калай?",
       {"Медта не се променя, когато добавяме калай."}},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    for (const std::string_view line : row.lines) {
      EXPECT_TRUE(HasLine(lines, line)) << Joined(lines);
    }
    EXPECT_FALSE(HasLineWith(lines, "метали")) << Joined(lines);
  }
  const std::vector<std::string> added = ShownOf(
      "Сплав от мед и калай тежи 5 кг и съдържа 40% мед. Към нея добавили 3 кг калай. Колко "
      "процента мед има в новата сплав?");
  EXPECT_TRUE(HasLineWith(added, "в „% - 2“ 0 (калаят)")) << Joined(added);
  const std::vector<std::string> pure = ShownOf(
      "Сплав от мед и калай тежи 10 кг и съдържа 30% калай. Колко килограма калай трябва да се "
      "добавят, за да съдържа 44% калай?");
  EXPECT_TRUE(HasLineWith(pure, "в „% - 2“ 100 (калаят)")) << Joined(pure);
}

// "чиста" is the text's word only: sugar added where the text says "захар" is "добавената
// захар", and its 100% in the grid is "(захарта)".
TEST(WrittenSolution, SaysPureOnlyWhereTheTextDoes) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> lines;
    bool pure;
  };
  const std::vector<Row> rows = {
      {"Колко грама сол трябва да се добавят към 200 г 10% солен разтвор, за да се получи 20% "
       "разтвор?",
       {"Търси се: масата на добавената сол.", "Водата не се променя, когато добавяме сол.",
        "Отговор: 25 г сол."},
       false},
      {"Към 300 г 10% захарен сироп добавили 20 г захар. Каква е концентрацията на получения "
       "сироп?",
       {"Дадено: 300 г – масата на сиропа; 10% – процентното съдържание на захар в сиропа; 20 г "
        "– масата на добавената захар."},
       false},
      {"Колко грама чиста сол трябва да се добавят към 200 г 10% солен разтвор, за да се получи "
       "20% разтвор?",
       {"Търси се: масата на чистата сол.", "Отговор: 25 г чиста сол."},
       true},
      {"Към 200 г 10% захарен разтвор добавили 50 г захар. Колко процента е новият разтвор?",
       {"Захарта в новия разтвор е 20 + 50 = 70 (г).",
        "Провери с Blendora („Вариант 1“): въведи в „% - 1“ 10, в „Тегло 1“ 200, в „% - 2“ 100 "
        "(захарта) и в „Тегло 2“ 50; в „Смес %“ ще видиш 28, а в „Смес т.“ – 250."},
       false},
      {"Към 200 г 10% захарен разтвор добавили 50 г чиста захар. Колко процента е новият "
       "разтвор?",
       {"Добавената захар е чиста (100%), затова в нея има 50 г захар."},
       true},
      {"Сплав от мед, калай и олово с маса 12 кг съдържа 60% мед. Към нея добавили 3 кг мед. "
       "Колко процента мед съдържа новата сплав?",
       {"Медта в сплавта е 12 · 60 : 100 = 7,2 (кг)."},
       false},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    for (const std::string_view line : row.lines) {
      EXPECT_TRUE(HasLine(lines, line)) << Joined(lines);
    }
    EXPECT_EQ(HasLineWith(lines, "чист"), row.pure) << Joined(lines);
  }
}

// Milk's fat is its "масленост" in what is given, sought, worked out and answered.
TEST(WrittenSolution, SaysMilksFatAsItsButterfat) {
  const std::vector<std::string> lines = ShownOf(
      "Смесили 2 л мляко с масленост 3,6% и 3 л мляко с масленост 1,5%. Каква е маслеността на "
      "полученото мляко?");
  for (const std::string_view line :
       {"Дадено: 2 л – обемът на първото мляко; 3,6% – маслеността на първото мляко; 3 л – "
        "обемът на второто мляко; 1,5% – маслеността на второто мляко.",
        "Търси се: маслеността на полученото мляко.",
        "Маслеността на полученото мляко е 0,117 · 100 : 5 = 2,34%.",
        "Отговор: мляко с масленост 2,34%."}) {
    EXPECT_TRUE(HasLine(lines, line)) << Joined(lines);
  }
  EXPECT_FALSE(HasLineWith(lines, "съдържание на мазнини")) << Joined(lines);
  const std::vector<std::string> watered = ShownOf(
      "Колко литра вода трябва да се добавят към 3 л мляко с масленост 3,2%, за да стане "
      "маслеността 2,4%?");
  EXPECT_TRUE(HasLine(watered, "Отговор: 1 л вода.")) << Joined(watered);
}

// The grid takes these givens as they are, so the pupil is sent to check there, also where it
// shows a result it rounds, as its cell shows it.
TEST(WrittenSolution, SendsToTheGridWhereItTakesTheGivens) {
  struct Row {
    std::string_view text;
    std::string_view shown;
  };
  const std::vector<Row> rows = {
      {"Към 300 г 10% захарен сироп добавили 20 г захар. Каква е концентрацията на получения "
       "сироп?",
       "в „Смес %“ ще видиш 15,625, а в „Смес т.“ – 320."},
      {"Към 100 г 10% разтвор на сол добавили 5 г сол. Колко процента е новият разтвор?",
       "в „Смес %“ ще видиш 14,2857142857143, а в „Смес т.“ – 105."},
      {"Смесили 2 л мляко с масленост 3,6% и 3 л мляко с масленост 1,5%. Каква е маслеността на "
       "полученото мляко?",
       "в „Смес %“ ще видиш 2,34, а в „Смес т.“ – 5."},
      {"От 500 г 7% разтвор на сол се изпарила вода, докато разтворът стане 13%. Колко грама "
       "вода се е изпарила?",
       "в „Тегло 2“ ще видиш −230,769230769231, а в „Смес т.“ – 269,230769230769. Минусът "
       "означава, че водата се е изпарила, а не е долята."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    EXPECT_TRUE(HasLineWith(lines, "Провери с Blendora („Вариант ")) << Joined(lines);
    EXPECT_TRUE(HasLineWith(lines, row.shown)) << Joined(lines);
  }
}

// A known amount of the substance is worked out before it goes into the equation, and the
// equation is solved with x on the left: "10x = 12000", never "12000 = 10x".
TEST(WrittenSolution, WorksOutKnownAmountsAndKeepsXOnTheLeft) {
  const std::vector<std::string> lines = ShownOf(
      "Колко грама 10% разтвор на сол трябва да се смесят с 300 г 60% разтвор на сол, за да се "
      "получи 20% разтвор?");
  const auto at = [&lines](std::string_view line) {
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
  };
  const auto known = at("Солта във втория разтвор е 300 · 60 : 100 = 180 (г).");
  const auto equation = at("x · 10 : 100 + 180 = (x + 300) · 20 : 100   | · 100");
  EXPECT_LT(known, equation) << Joined(lines);
  EXPECT_LT(equation, static_cast<std::ptrdiff_t>(lines.size())) << Joined(lines);
  for (const std::string_view line : {"20x − 10x = 18000 − 6000", "10x = 12000"}) {
    EXPECT_TRUE(HasLine(lines, line)) << Joined(lines);
  }
  EXPECT_FALSE(HasLine(lines, "12000 = 10x")) << Joined(lines);

  // The mixture's amount worked out is not named again in the balance.
  const std::vector<std::string> both = ShownOf(
      "Колко грама 30% и колко грама 10% разтвор на сол трябва да се смесят, за да се получат "
      "700 г 13% разтвор?");
  const auto mixture =
      std::find(both.begin(), both.end(), "Солта в получения разтвор е 700 · 13 : 100 = 91 (г).");
  ASSERT_NE(mixture, both.end()) << Joined(both);
  EXPECT_EQ(*(mixture + 1), "Толкова сол има и в двата разтвора заедно:") << Joined(both);
  // A hint shows no line before it to refer to: it says the balance whole.
  const Reading read = ReadProblem(
      "Колко грама 30% и колко грама 10% разтвор на сол трябва да се смесят, за да се получат "
      "700 г 13% разтвор?");
  ASSERT_TRUE(read.problem);
  const std::vector<std::string> hints = TeachingOf(*read.problem).hints;
  EXPECT_TRUE(HasLine(hints,
                      "Солта в получения разтвор е колкото в двата разтвора заедно. Запиши това "
                      "като уравнение с x."))
      << Joined(hints);

  // Water that left is taken away, never added below zero.
  const std::vector<std::string> left = ShownOf(
      "От разтвор на сол с концентрация 20% се изпарили 60 г вода и концентрацията стана 25%. "
      "Колко грама е бил разтворът?");
  for (const std::string_view line :
       {"Нека x г е масата на разтвора. Тогава масата на получения разтвор е (x − 60) г.",
        "20x = 25(x − 60)", "Масата на получения разтвор е 300 − 60 = 240 (г)."}) {
    EXPECT_TRUE(HasLine(left, line)) << Joined(left);
  }
  EXPECT_FALSE(HasLineWith(left, "(−60)")) << Joined(left);

  // Where x is collected alone, it is said once, on the left.
  const std::vector<std::string> milk = ShownOf(
      "Колко литра мляко с масленост 1% трябва да се смесят с 4 л мляко с масленост 4%, за да се "
      "получи мляко с масленост 2%?");
  EXPECT_EQ(std::count(milk.begin(), milk.end(), "x = 8"), 1) << Joined(milk);
  EXPECT_FALSE(HasLine(milk, "8 = x")) << Joined(milk);
}

// The answer names a solution as the text does: "солен разтвор", "разтвор на захар".
TEST(WrittenSolution, NamesTheSolutionWithTheTextsOwnPhrase) {
  struct Row {
    std::string_view text;
    std::string_view answer;
  };
  const std::vector<Row> rows = {
      {"Колко грама 20% и колко грама 50% солен разтвор трябва да се смесят, за да се получат "
       "600 г 30% солен разтвор?",
       "Отговор: 400 г 20% солен разтвор и 200 г 50% солен разтвор."},
      {"Колко грама 10% разтвор на захар трябва да се смесят с 300 г 60% разтвор на захар, за "
       "да се получи 20% разтвор?",
       "Отговор: 1200 г 10% разтвор на захар."},
      {"Колко грама 10% разтвор на сол трябва да се смесят с 300 г 60% разтвор на сол, за да се "
       "получи 20% разтвор?",
       "Отговор: 1200 г 10% разтвор на сол."},
      {"В какво отношение трябва да се смесят 25% и 40% разтвор на оцет, за да се получи 30% "
       "разтвор?",
       "Отговор: 25% разтвор и 40% разтвор в отношение 2 : 1."},
      // Gold and silver by their hallmarks, as the text names them.
      {"Колко грама злато с проба 900 и колко грама злато с проба 600 трябва да се стопят, за да "
       "се получат 300 г злато с проба 800?",
       "Отговор: 200 г злато с проба 900 и 100 г злато с проба 600."},
      {"Колко грама сребро с проба 875 трябва да се стопят с 40 г сребро с проба 750, за да се "
       "получи сребро с проба 800?",
       "Отговор: 26,(6) г сребро с проба 875."},
      {"Бижутер стопил злато с проба 900 и злато с проба 600 и получил 300 г злато с проба 800. "
       "Колко грама от всяка сплав е стопил?",
       "Отговор: 200 г злато с проба 900 и 100 г злато с проба 600."},
      // "със 75%", as a number said with "с" at its start takes it.
      {"Колко грама злато с проба 750 трябва да се добавят към 33 г злато с проба 585, за да се "
       "получи злато с проба 650?",
       "Отговор: 21,45 г злато с проба 750."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    EXPECT_TRUE(HasLine(lines, row.answer)) << Joined(lines);
  }
}

// A text that writes no mass or volume, as a ratio's may, is of masses, whatever is mixed.
TEST(WrittenSolution, TakesMassesWhereTheTextWritesNoUnit) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> lines;
  };
  const std::vector<Row> rows = {
      {"В какво отношение трябва да се смесят 25% и 40% разтвор на оцет, за да се получи 30% "
       "разтвор?",
       {"Търси се: отношението на масите на двата разтвора.",
        "Нека вземем a г от 25% разтвор и b г от 40% разтвор.",
        "Дадено: 25% – процентното съдържание на оцетна киселина в първия разтвор; 40% – "
        "процентното съдържание на оцетна киселина във втория разтвор; 30% – процентното "
        "съдържание на оцетна киселина в получения разтвор."}},
      {"В какво отношение трябва да се смесят мляко с масленост 3,6% и мляко с масленост 1,2%, "
       "за да се получи мляко с масленост 2%?",
       {"Търси се: отношението на масите на двата вида мляко."}},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    for (const std::string_view line : row.lines) {
      EXPECT_TRUE(HasLine(lines, line)) << Joined(lines);
    }
    EXPECT_FALSE(HasLineWith(lines, " л ")) << Joined(lines);
  }
}

// What is poured in and what is made are called as the text calls them: "долятата вода", "новия
// разтвор" or "получения разтвор".
TEST(WrittenSolution, CallsWhatIsAddedAndMadeAsTheTextDoes) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> lines;
  };
  const std::vector<Row> rows = {
      {"Към 400 г 10% разтвор на сол доляли 100 г вода. Колко процента е новият разтвор?",
       {"Дадено: 400 г – масата на разтвора; 10% – процентното съдържание на сол в разтвора; 100 "
        "г – масата на долятата вода.",
        "Търси се: процентното съдържание на сол в новия разтвор.",
        "Масата на новия разтвор е 400 + 100 = 500 (г)."}},
      {"Към 400 г 10% разтвор на сол доляли 100 г вода. Колко процента е полученият разтвор?",
       {"Търси се: процентното съдържание на сол в получения разтвор."}},
      {"Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% "
       "разтвор?",
       {"Търси се: масата на долятата вода."}},
      // A solution made of another and water, or of another and the pure substance: the water a
      // solution is made with is no water poured in, and what is added is said as itself.
      {"Колко грама 30% разтвор на сол и колко грама вода са нужни, за да се получат 600 г 10% "
       "разтвор?",
       {"Търси се: масата на разтвора и масата на водата.",
        "Солта в новия разтвор идва само от разтвора.", "Вода: 600 − 200 = 400 (г)."}},
      {"Колко грама сол и колко грама 10% солен разтвор са нужни, за да се получат 300 г 25% "
       "солен разтвор?",
       {"Водата в новия разтвор идва само от разтвора.",
        "В новия разтвор водата е 100% − 25% = 75%: 300 · 75 : 100 = 225 (г).",
        "Сол: 300 − 250 = 50 (г)."}},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    for (const std::string_view line : row.lines) {
      EXPECT_TRUE(HasLine(lines, line)) << Joined(lines);
    }
  }
}

// A check carries the units the working does, checks a dissolved substance by the percentage it
// makes, and adds no two masses whose sum was just written.
TEST(WrittenSolution, ChecksWithUnitsAndWithoutRepeatingASum) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> lines;
    std::string_view repeated;  // a line the check must not have
  };
  const std::vector<Row> rows = {
      {"Смесили 200 г 30% солен разтвор и 300 г 40% солен разтвор. Колко процента е новият "
       "разтвор?",
       {"Масата на новия разтвор е 200 + 300 = 500 (г).",
        "Проверка: 200 · 30 : 100 + 300 · 40 : 100 = 60 + 120 = 180 (г) и 500 · 36 : 100 = 180 "
        "(г);"},
       "200 + 300 = 500;"},
      {"Колко грама 20% и колко грама 50% солен разтвор трябва да се смесят, за да се получат 600 "
       "г 30% солен разтвор?",
       {"400 + 200 = 600 (г);"},
       "400 + 200 = 600;"},
      {"Колко грама сол трябва да се разтворят в 180 г вода, за да се получи 10% разтвор?",
       {"Проверка: 20 · 100 : 200 = 10%."},
       "Проверка: 20 = 20"},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    for (const std::string_view line : row.lines) {
      EXPECT_TRUE(HasLine(lines, line)) << Joined(lines);
    }
    EXPECT_FALSE(HasLineWith(lines, row.repeated)) << Joined(lines);
  }
}

// Salt dissolved: the solution's mass is the salt's and the water's together, and the equation's
// line says how much salt the solution has, not that it is "колкото масата на солта".
TEST(WrittenSolution, SaysADissolvedSolutionIsItsPartsTogether) {
  const std::vector<std::string> trap =
      ShownOf("В 200 г вода разтворили 50 г сол. Колко процента е полученият разтвор?");
  EXPECT_TRUE(HasLine(
      trap, "Масата на разтвора е колкото масите на солта и водата заедно: 50 + 200 = 250 (г)."))
      << Joined(trap);
  // A percentage from the salt and the solution given needs no word of what it is made of.
  const std::vector<std::string> given =
      ShownOf("В 300 г разтвор има 35 г сол. Колко процента е разтворът?");
  EXPECT_FALSE(HasLineWith(given, "се състои от")) << Joined(given);
  const std::vector<std::string> alloy =
      ShownOf("Сплав от 3 кг калай и 2 кг мед. Колко процента е масата на калая?");
  EXPECT_TRUE(
      HasLine(alloy, "Масата на сплавта е колкото масите на калая и медта заедно: 3 + 2 = 5 (кг)."))
      << Joined(alloy);
  const std::vector<std::string> unknown =
      ShownOf("Колко грама сол трябва да се разтворят в 180 г вода, за да се получи 10% разтвор?");
  EXPECT_TRUE(HasLine(unknown, "Водата не съдържа сол, затова в получения разтвор има x г сол:"))
      << Joined(unknown);
  for (const auto& lines : {trap, unknown}) {
    EXPECT_FALSE(HasLineWith(lines, "колкото масата на")) << Joined(lines);
  }
}

// Goods mixed by price: the worth that is known is worked out before the equation, x stays on
// the left, a price keeps its stotinki where it is money but not in an equation, a worth of more
// than whole stotinki is written whole, the masses found are checked by what the kinds are worth,
// and goods named apart are called by their names. A price in "лв." that ends a sentence ends it
// with its own full stop.
TEST(WrittenSolution, WorksOutTheKnownWorthBeforeThePriceEquation) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> lines;
  };
  const std::vector<Row> rows = {
      {"Колко килограма бонбони по 2,40 лв. трябва да се смесят с 3 кг бонбони по 3 лв., за да се "
       "получи смес по 2,60 лв. за килограм?",
       {"Стойността на втория вид бонбони е 3 · 3 = 9 (лв.).",
        "Стойността на сместа е колкото стойностите на двата вида заедно:", "2,4x + 9 = 2,6(x + 3)",
        "2,4x + 9 = 2,6x + 7,8", "2,6x − 2,4x = 9 − 7,8", "0,2x = 1,2", "x = 6",
        "Проверка: 6 · 2,40 + 3 · 3 = 14,40 + 9 = 23,40 (лв.) и 9 · 2,60 = 23,40 (лв.)."}},
      {"Смесили 2,5 кг бонбони по 1,33 лв. за килограм с 1,5 кг бонбони по 2,65 лв. за "
       "килограм. Колко струва килограм от сместа?",
       {"Стойността на първия вид бонбони е 2,5 · 1,33 = 3,325 (лв.).",
        "Стойността на втория вид бонбони е 1,5 · 2,65 = 3,975 (лв.).",
        "Стойността на сместа е 3,325 + 3,975 = 7,30 (лв.).",
        "Килограм от сместа струва 7,30 : 4 = 1,825 ≈ 1,83 (лв.).",
        "Отговор: килограм от сместа струва ≈ 1,83 лв."}},
      {"Смесили 2,5 кг бонбони по 1,33 лв. за килограм с бонбони по 2,65 лв. за килограм и "
       "получили смес по 2 лв. за килограм. Колко килограма от вторите бонбони са смесили?",
       {"2,65x + 3,325 = 2(x + 2,5)", "2,65x − 2x = 5 − 3,325", "0,65x = 1,675", "x ≈ 2,58",
        "Масата на сместа е 2,576… + 2,5 ≈ 5,08 (кг)."}},
      {"Смесили бонбони по 8 € и бонбони по 13 € и получили 10 кг смес по 10 €. Колко килограма "
       "от всеки вид са смесили?",
       {"Стойността на сместа е 10 · 10 = 100 (€).",
        "Тя е колкото стойностите на двата вида заедно:", "8x + 13(10 − x) = 100",
        "8x + 130 − 13x = 100", "13x − 8x = 130 − 100", "5x = 30", "x = 6",
        "Проверка: 6 · 8 + 4 · 13 = 48 + 52 = 100 (€) и 10 · 10 = 100 (€)."}},
      {"Колко килограма ябълки по 12 € трябва да се смесят с 5 кг кафе по 18 €, за да се получи "
       "смес по 14 € за килограм?",
       {"Търси се: масата на ябълките.", "Нека x кг е масата на ябълките.",
        "Стойността на кафето е 5 · 18 = 90 (€).", "x = 10", "Отговор: 10 кг ябълки."}},
      {"В склад има 120 кг смес от два вида ядки. Първият вид струва 14 лв. за килограм, а "
       "вторият – 22 лв. Сместа струва 17,20 лв. за килограм. По колко килограма от всеки вид "
       "има в сместа?",
       {"Отговор: 72 кг от първия вид ядки и 48 кг от втория вид ядки."}},
      {"Смесиха два вида кафе – първият вид е по 18 евро за килограм, а вторият по 12 евро. "
       "Колко килограма от втория вид трябва да се добавят към 6 кг от първия вид, за да струва "
       "сместа 14 евро за килограм?",
       {"Нека x кг е масата на втория вид кафе.", "Отговор: 12 кг от втория вид кафе."}},
      {"Смесили 2 кг чай по 20 € и 3 кг ориз по 10 €. Колко струва 1 кг от сместа?",
       {"Стойността на чая е 2 · 20 = 40 (€).", "Стойността на ориза е 3 · 10 = 30 (€)."}},
      {"Смесили ябълки по 2,40 лв. с 2 кг круши по 3 лв. и получили смес по 2,60 лв. Колко "
       "килограма ябълки са смесили?",
       {"Разбрах числата: 2,40 лв., 2 кг, 3 лв. и 2,60 лв."}},
      {"В какво отношение трябва да се смесят фъстъци по 12 лв. и лешници по 20 лв., за да "
       "струва сместа 14 лв. за килограм?",
       {"Отговор: фъстъците и лешниците се смесват в отношение 3 : 1."}},
      // The ratio worked step by step, as of solutions, and said once.
      {"Търговец смесва кафе по 12 лв. за килограм с кафе по 20 лв. за килограм и получава смес "
       "по 15 лв. за килограм. В какво отношение смесва двата вида кафе?",
       {"12a + 20b = 15a + 15b", "20b − 15b = 15a − 12a", "5b = 3a", "a : b = 5 : 3"}},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    auto at = lines.begin();
    for (const std::string_view line : row.lines) {
      at = std::find(at, lines.end(), line);
      EXPECT_NE(at, lines.end()) << line << "\n" << Joined(lines);
    }
  }
}

}  // namespace
