#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "form/my_problem.h"
#include "form/problem_text.h"
#include "problems/problem.h"
#include "reader/reader.h"
#include "tests/problem_where.h"

namespace {

constexpr std::int32_t SheetsRead = 300;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\n";
  }
  return text;
}

bool HasLineStarting(const std::vector<std::string>& lines, std::string_view start) {
  return std::any_of(lines.begin(), lines.end(),
                     [start](const std::string& line) { return line.starts_with(start); });
}

// What the practice writes, the reader reads back as the same problem, asking the same.
TEST(Reader, ReadsBackEveryProblemThePracticeWrites) {
  int wrong = 0;
  for (std::int32_t sheet = 1; sheet <= SheetsRead; ++sheet) {
    for (const Level level : Levels) {
      for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
        const Problem problem = MakeProblem(sheet, level, place);
        const Reading reading = ReadProblem(Texts::ProblemText(problem));
        const bool same = reading.problem && !reading.doubt &&
                          IsSameProblem(*reading.problem, problem) &&
                          reading.problem->sought == problem.sought;
        if (!same && ++wrong <= 10) {
          ADD_FAILURE() << Where(problem);
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

// Every number of the text gets its role or is named as not needed.
TEST(Reader, GivesEveryNumberARoleOrAnAside) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> asides;  // in the order of the numbers; empty for a given
  };
  const std::vector<Row> rows = {
      {"Задача 5. (2 т.) Към 300 г 20% разтвор на сол добавили 200 г вода. Колко процента е "
       "полученият разтвор? Отг.: 12%",
       {"номерът на задачата", "точките на задачата", "", "", "", "отговорът в учебника"}},
      {"Зад. 7 [3 т.] Смесили 2 т 10% разтвор на сол и 3 т 20% разтвор на сол. Колко тона е "
       "полученият разтвор?",
       {"номерът на задачата", "точките на задачата", "", "", "", ""}},
      {"През 2024 г. в гр. Пловдив смесили 200 г 10% разтвор на сол и 300 г 20% разтвор на "
       "сол. Колко процента е полученият разтвор?",
       {"годината", "", "", "", ""}},
      {"За 7. клас смесили 200 г 10% разтвор на сол и 300 г 20% разтвор на сол. Колко "
       "процента е полученият разтвор в 6 клас?",
       {"класът", "", "", "", "", "класът"}},
      {"Смесили 3 кг ядки по 12 лв./кг и 2 кг ядки по 7 лв./кг. Каква е цената на 1 кг от "
       "сместа?",
       {"", "", "", "", "количеството, за което е цената"}},
      {"Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% "
       "разтвор? А) 50 г Б) 100 г",
       {"", "", "", "един от отговорите за избор", "един от отговорите за избор"}},
      {"Към 2 кг 30% разтвор на сол добавили 10% разтвор на сол и получили 15% разтвор. Колко "
       "килограма 10% разтвор са добавили?",
       {"", "", "", "", "повтаря вече дадено число"}},
  };
  for (const Row& row : rows) {
    const Reading reading = ReadProblem(row.text);
    ASSERT_TRUE(reading.problem) << row.text;
    ASSERT_EQ(reading.numbers.size(), row.asides.size()) << row.text;
    for (std::size_t i = 0; i < row.asides.size(); ++i) {
      EXPECT_EQ(reading.numbers[i].aside, row.asides[i]) << row.text << " #" << i;
      EXPECT_EQ(reading.numbers[i].column.has_value(), row.asides[i].empty()) << row.text;
    }
  }
}

// Numbers as pasted: their unit converted, words and odd letters undone.
TEST(Reader, ReadsNumbersAndWordsAsTheyArePasted) {
  struct Row {
    std::string_view text;
    Amount answer;
  };
  const std::vector<Row> rows = {
      // a hyphen across lines, a Latin "p" and "o" inside Cyrillic words
      {"Колко грама вода трябва да се доле-\nят към 400 г 10% раз-\n  твор на сол, за да се "
       "получи 8% pазтвoр?",
       {100, WrittenUnit::Gram}},
      // "1 200", a point for the comma, "30 процента", "-процентов"
      {"Смесили 1 200 г 30 процента разтвор на сол и 0.8 кг 20-процентов разтвор на сол. Колко "
       "процента е полученият разтвор?",
       {26, WrittenUnit::Percent}},
      // numbers in words, "половин", litres of water beside grams of salt
      {"В два литра вода разтворили половин килограм сол. Колко процента е солта в "
       "разтвора?",
       {20, WrittenUnit::Percent}},
      // tens and hundreds in words, joined by "и", of a percentage too
      {"Към двеста грама десет процента разтвор на сол долели петдесет грама вода. Каква е "
       "концентрацията на получения разтвор?",
       {8, WrittenUnit::Percent}},
      {"В четиристотин и петдесет грама вода разтворили петдесет грама сол. Колко процента е "
       "солта в разтвора?",
       {10, WrittenUnit::Percent}},
      // millilitres asked, the answer in them
      {"Колко милилитра вода трябва да се добавят към 300 мл 9% оцет, за да се получи 6% оцет?",
       {150, WrittenUnit::Millilitre}},
      // grams in brackets, not an option's "Г)"
      {"Към 300 г разтвор на сол с 20% сол долели 200 г вода. Колко процента сол има в новия "
       "разтвор? А) 10%  Б) 12%  В) 15%  Г) 20%",
       {12, WrittenUnit::Percent}},
  };
  for (const Row& row : rows) {
    const Reading reading = ReadProblem(row.text);
    ASSERT_EQ(reading.answers.size(), 1u) << row.text;
    EXPECT_EQ(reading.answers[0].value, row.answer.value) << row.text;
    EXPECT_EQ(reading.answers[0].unit, row.answer.unit) << row.text;
  }
  // Grams in brackets are grams, not an option's letter "Г)".
  const Reading bracketed = ReadProblem("Към разтвор на сол (300 г) с 20% сол долели 200 г вода.");
  ASSERT_FALSE(bracketed.numbers.empty());
  EXPECT_EQ(bracketed.numbers[0].written, "300 г");
}

// A text it cannot read for certain gets a Doubt, and no answer.
TEST(Reader, DoubtsWhatItCannotReadForCertain) {
  struct Row {
    std::string_view text;
    Doubt doubt;
  };
  const std::vector<Row> rows = {
      {"", Doubt::Empty},
      {" .,;!?  \n\t", Doubt::Empty},
      {"Колко е 3 + 4?", Doubt::NotAboutMixtures},
      {"How much water must be added to 400 g of a 10% salt solution?", Doubt::NotAboutMixtures},
      {"Към 400 г 10% разтвор на сол добавили 100 г вода.", Doubt::NoQuestion},
      // a question, but not one understood
      {"Към 400 г 10% разтвор на сол добавили 100 г вода. Защо разтворът е по-слаб?",
       Doubt::TwoReadings},
      {"Към 400 г разтвор на сол добавили 100 г вода. Колко процента е новият разтвор?",
       Doubt::MissingNumber},
      {"Смесили 3 разтвора на сол: 100 г 10%, 200 г 20% и 300 г 30%. Колко процента е сместа?",
       Doubt::ThreeParts},
      {"Иван смесил 200 г 10% разтвор на сол и 300 г 20% разтвор на сол, а Петър смесил 100 г "
       "10% разтвор и 100 г 30% разтвор. Колко процента е всеки от получените разтвори?",
       Doubt::TwoScenarios},
      {"Към 200 г 20% разтвор на сол добавили 50 г. Каква е концентрацията?", Doubt::TwoReadings},
      {"От 500 г 12% разтвор на сол взели част и масата му намаляла със 100 г. Колко процента е "
       "разтворът сега?",
       Doubt::TwoReadings},
      // a change asked, after the condition that gives the water
      {"Имаме 400 г 20% разтвор на сол. Ако към него се долеят 100 г вода, с колко процента ще "
       "намалее концентрацията му?",
       Doubt::TwoReadings},
      // a change by a percentage: in points, or a share of itself?
      {"Към 400 г 10% разтвор на сол добавили сол и увеличили концентрацията му с 15%. Колко "
       "грама сол са добавили?",
       Doubt::ChangedBy},
      {"Към 400 г 10% разтвор на сол добавили сол и концентрацията се повишила с 15%. Колко "
       "грама сол са добавили?",
       Doubt::ChangedBy},
      {"Към 400 г 10% разтвор на сол добавили сол, докато концентрацията стане по-голяма с 15%. "
       "Колко грама сол са добавили?",
       Doubt::ChangedBy},
      {"Към 400 г 10% разтвор на сол добавили сол и концентрацията му се увеличила с 15%. Колко "
       "грама сол са добавили?",
       Doubt::ChangedBy},
      {"Колко грама вода са доляли към 400 г 20% разтвор на сол, ако концентрацията му е "
       "намаляла с 4%?",
       Doubt::ChangedBy},
      {"Към 400 г 20% разтвор на сол долели вода, докато концентрацията стане 5% по-малка. Колко "
       "грама вода са долели?",
       Doubt::ChangedBy},
      {"Колко грама вода трябва да се долеят към 400 г 20% разтвор, за да стане концентрацията "
       "5%-а по-ниска?",
       Doubt::ChangedBy},
      // a mass that fell by a percentage is no concentration's change
      {"Ягодов сок с 8% захар варили, докато масата му намаляла с 60%. Колко процента захар има "
       "полученият сироп?",
       Doubt::TwoReadings},
      // a percentage given of the solution whose percentage is asked, as the question puts it
      {"Имаме 600 г захарен разтвор. Захарта в него е 25%. Каква ще е концентрацията на "
       "разтвора, ако към него се долеят 150 г вода?",
       Doubt::TwoReadings},
      {"В 600 г захарен разтвор захарта е 25%. Каква ще е концентрацията на разтвора, ако към "
       "него се долеят 150 г вода?",
       Doubt::TwoReadings},
      // two substances: no mixture of one
      {"Смесили 200 г 10% разтвор на сол с 300 г 20% разтвор на захар. Колко процента е сместа?",
       Doubt::TwoReadings},
      {"Към 200 г 20% разтвор на сол добавили вода и концентрацията намаляла 2 пъти. Колко грама "
       "вода са добавили?",
       Doubt::TwoReadings},
      {"Към 400 г 10% разтвор на сол доляха 100 г вода и получиха 15% разтвор. Колко грама е "
       "полученият разтвор?",
       Doubt::Impossible},
      // water that leaves, where the numbers say water was poured in
      {"От 400 г 10% разтвор на сол се изпари вода и се получи 8% разтвор. Колко грама вода се "
       "изпари?",
       Doubt::Impossible},
  };
  for (const Row& row : rows) {
    const Reading reading = ReadProblem(row.text);
    EXPECT_EQ(reading.doubt, row.doubt) << row.text;
    EXPECT_TRUE(reading.answers.empty()) << row.text;
  }
}

// Whatever the text, a reading and no throw, and never a hang.
TEST(Reader, ReadsAnyTextWithoutThrowing) {
  std::mt19937 random(20241210);
  std::string noise;
  for (int i = 0; i < 10000; ++i) {
    noise += static_cast<char>(random() % 256);
  }
  std::string html = "<!DOCTYPE html><html><head><title>Задачи</title></head><body>";
  while (html.size() < 9000) {
    html += "<p class=\"x\">Колко грама вода &nbsp; 400 г 10%</p><script>var a=1;</script>";
  }
  html += "</body></html>";
  std::string labels;
  while (labels.size() < 9000) {
    labels += "а)б)в)г)";  // sub-questions within sub-questions, which once nested without end
  }
  const std::vector<std::string> texts = {
      noise.substr(0, 9999),
      labels,
      // Two steps of two empty parts: the mixing has no percentage.
      "Смесили 0 г 10% и 0 г 20% разтвор на сол, после долели 300 г вода. Какъв е процентът на "
      "новия разтвор?",
      std::string(10001, 'a'),
      "Колко грама вода трябва да се долеят към 123456789012345678901234567890 г 10% разтвор на "
      "сол, за да се получи 8% разтвор?",
      std::string("Колко\0грама\x01\x02\x7F вода\x1B[31m към 400 г 10% разтвор на сол, за да "
                  "стане 8%?",
                  86),
      html,
  };
  for (const std::string& text : texts) {
    Reading reading;
    EXPECT_NO_THROW(reading = ReadProblem(text));
    // Sub-questions are doubted each, one level deep.
    for (const Reading& part : reading.parts) {
      EXPECT_TRUE(part.doubt.has_value() && part.parts.empty()) << text.substr(0, 80);
    }
    EXPECT_TRUE(reading.doubt.has_value() || !reading.parts.empty()) << text.substr(0, 80);
    EXPECT_TRUE(reading.answers.empty());
  }
  EXPECT_EQ(ReadProblem(std::string(10001, 'a')).doubt, Doubt::TooLong);
}

// The options: which holds the answer, rounded as an option writes it, or none.
TEST(Reader, TellsWhichOptionHoldsTheAnswer) {
  constexpr std::string_view Stem =
      "Колко грама 30% разтвор на сол трябва да се смесят с 200 г 10% разтвор на сол, за да се "
      "получи 15% разтвор?";
  struct Row {
    std::string_view options;
    std::optional<std::size_t> right;
    std::string_view letters;  // as the page shows them to the pupil
  };
  const std::vector<Row> rows = {
      {" А) 50 г Б) 66,7 г В) 100 г Г) 200 г", 1, "АБВГ"},
      {"\nA) 50 г\nB) 100 г\nC) 200 г", std::nullopt, "ABC"},
      {" А) 60 г Б) 66 г В) 67 г", 2, "АБВ"},
  };
  for (const Row& row : rows) {
    const Reading reading = ReadProblem(std::string(Stem) + std::string(row.options));
    EXPECT_EQ(reading.right, row.right) << row.options;
    std::string letters;
    for (const Option& option : reading.options) {
      letters += option.letter;
    }
    EXPECT_EQ(letters, row.letters) << row.options;
  }
}

// Options of two numbers: two masses, or a ratio, weighed as such; "Г)" after a number is the
// option's letter, not grams; options of another kind than the answer are not judged at all.
TEST(Reader, WeighsOptionsOfTwoNumbers) {
  constexpr std::string_view Ratio =
      "В какво отношение трябва да се смесят 25% и 40% разтвор, за да се получи 30% разтвор?";
  constexpr std::string_view Masses =
      "Колко грама 20% и колко грама 50% разтвор трябва да се смесят, за да се получат 600 г "
      "30% разтвор?";
  struct Row {
    std::string_view stem;
    std::string_view options;
    std::optional<std::size_t> right;
    bool noneRight;
  };
  const std::vector<Row> rows = {
      {Ratio, " А) 1 : 2  Б) 2 : 1  В) 3 : 2  Г) 2 : 3", 1, false},
      {Ratio, "\nА) 1 : 2\nБ) 1 : 3\nВ) 4 : 2", 2, false},
      {Ratio, " А) 1 : 2  Б) 1 : 3  В) 3 : 2  Г) 2 : 3", std::nullopt, true},
      {Ratio, " А) 1 : 2  Б) 1 : 3  В) 3 : 2  Г) 200 г", std::nullopt, false},
      {Masses, " А) 300 г и 300 г  Б) 400 г и 200 г  В) 200 г и 400 г", 1, false},
      {Masses, " А) 300 г и 300 г  Б) 200 г и 400 г", std::nullopt, true},
      {Masses, " А) 400 г  Б) 200 г", std::nullopt, false},
  };
  for (const Row& row : rows) {
    const Reading reading = ReadProblem(std::string(row.stem) + std::string(row.options));
    EXPECT_EQ(reading.right, row.right) << row.options;
    EXPECT_EQ(reading.noneRight, row.noneRight) << row.options;
    EXPECT_EQ(reading.options.size(),
              static_cast<std::size_t>(std::count(row.options.begin(), row.options.end(), ')')))
        << row.options;
  }
}

std::vector<std::string> ShownOf(std::string_view text) {
  MyProblem mine;
  mine.Read(text);
  return mine.Shown().lines;
}

TEST(MyProblemTest, ShowsTheGivenTheSoughtTheSolutionAndTheAnswer) {
  const std::vector<std::string> lines = ShownOf(
      "Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се "
      "получи 8% разтвор?");
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0],
            "Дадено: 400 г – масата на разтвора; 10% – процентното съдържание на сол в "
            "разтвора; 8% – процентното съдържание на сол в получения разтвор.");
  EXPECT_EQ(lines[1], "Търси се: масата на долятата вода.");
  EXPECT_EQ(lines[2], "Солта не се променя, когато доливаме вода.");
  EXPECT_TRUE(HasLineStarting(lines, "Отговор: 100 г вода.")) << Joined(lines);
}

// "Дадено:" holds the text's numbers, in digits: not water's 0% nor the pure substance's 100%,
// which the solution says where it uses them, nor the kilogram a price is of, nor the problem's
// number and points.
TEST(MyProblemTest, GivesOnlyWhatTheTextGives) {
  struct Row {
    std::string_view text;
    std::string_view given;
  };
  const std::vector<Row> rows = {
      {"Задача 5. (2 т.) Към 300 г 20% разтвор на сол добавили 100 г сол. Колко процента е "
       "полученият разтвор?",
       "Дадено: 300 г – масата на разтвора; 20% – процентното съдържание на сол в разтвора; "
       "100 г – масата на добавената сол."},
      {"4. [3 точки] Смесили 200 г 10% разтвор на сол с 300 г 20% разтвор на сол. Колко "
       "процента е полученият разтвор?",
       "Дадено: 200 г – масата на първия разтвор; 10% – процентното съдържание на сол в първия "
       "разтвор; 300 г – масата на втория разтвор; 20% – процентното съдържание на сол във "
       "втория разтвор."},
      {"Смесили 3 кг ядки по 12 лв./кг и 2 кг ядки по 7 лв./кг. Колко лева струва 1 кг от "
       "сместа?",
       "Дадено: 3 кг – масата на първия вид ядки; 12 лв. – цената на килограм от първия вид "
       "ядки; 2 кг – масата на втория вид ядки; 7 лв. – цената на килограм от втория вид ядки."},
      // Numbers written in words are given in digits, as the working uses them.
      {"Колко грама сол има в двеста грама разтвор с концентрация двадесет и пет процента?",
       "Дадено: 200 г – масата на разтвора; 25% – процентното съдържание на сол в разтвора."},
      {"Към петнайсет литра разтвор с концентрация двайсет процента долели пет литра вода. Каква "
       "е концентрацията на получения разтвор?",
       "Дадено: 15 л – обемът на разтвора; 20% – процентното съдържание на веществото в "
       "разтвора; 5 л – обемът на долятата вода."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], row.given);
  }
}

// "Сплав от сребро и мед с маса 300 г": the mass is the alloy's, not the last metal's, so the
// working names the alloy where it takes its metal.
TEST(MyProblemTest, NamesAnAlloyListedWithItsMetals) {
  struct Row {
    std::string_view text;
    std::string_view given;
    std::string_view step;
  };
  const std::vector<Row> rows = {
      {"Сплав от сребро и мед с маса 300 г е с проба 900. Към нея се добавят 60 г мед. Каква е "
       "пробата на новата сплав?",
       "Дадено: 300 г – масата на сплавта; 900 (90%) – процентното съдържание на сребро в "
       "сплавта; 60 г – масата на добавената мед.",
       "Сребро в сплавта: 300 · 90 : 100 = 270 (г)."},
      {"Сплав от злато и мед с маса 200 г съдържа 60% злато. Към нея се добавят 40 г мед. Колко "
       "процента злато има в новата сплав?",
       "Дадено: 200 г – масата на сплавта; 60% – процентното съдържание на злато в сплавта; 40 г "
       "– масата на добавената мед.",
       "Злато в сплавта: 200 · 60 : 100 = 120 (г)."},
      {"Сплав от мед, калай и олово с маса 12 кг съдържа 60% мед. Към нея добавили 3 кг мед. "
       "Колко процента мед съдържа новата сплав?",
       "Дадено: 12 кг – масата на сплавта; 60% – процентното съдържание на мед в сплавта; 3 кг – "
       "масата на добавената мед.",
       "Медта в сплавта е 12 · 60 : 100 = 7,2 (кг)."},
      {"Сплав от мед, калай и олово с маса 8 кг съдържа 25% калай. Колко килограма калай трябва "
       "да се добавят, за да стане сплавта с 40% калай?",
       "Дадено: 8 кг – масата на сплавта; 25% – процентното съдържание на калай в сплавта; 40% – "
       "процентното съдържание на калай в получената сплав.",
       "В сплавта медта и оловото са 100% − 25% = 75%: 8 · 75 : 100 = 6 (кг)."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], row.given);
    EXPECT_TRUE(HasLineStarting(lines, row.step)) << Joined(lines);
  }
}

TEST(MyProblemTest, AnswersAllTheQuestionAsksInItsUnit) {
  struct Row {
    std::string_view text;
    std::string_view answer;
  };
  const std::vector<Row> rows = {
      {"Смесили 2 т 20% разтвор на сол с 4 т 50% разтвор на сол. Колко тона е полученият "
       "разтвор?",
       "Отговор: 6 т."},
      {"Смесили 300 г 20% разтвор на сол с 200 г 45% разтвор на сол. Колко килограма е "
       "полученият разтвор?",
       "Отговор: 0,5 кг."},
      {"Колко тона 30% разтвор и колко тона 10% разтвор на сол трябва да се смесят, за да се "
       "получат 10 т 25% разтвор? С колко тона първото количество е повече от второто?",
       "Отговор: 7,5 т и 2,5 т; разликата е 5 т."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    EXPECT_TRUE(HasLineStarting(lines, row.answer)) << Joined(lines);
  }
}

// A solution of unknown strength that water is poured into is the starting one, and its
// substance is the mixture's, as the water holds none.
TEST(MyProblemTest, NamesTheSolutionWateredAsTheStartingOne) {
  struct Row {
    std::string_view text;
    std::string_view sought;
    std::string_view kept;
  };
  const std::vector<Row> rows = {
      {"Към 400 г разтвор на сол долели 100 г вода и получили 8% разтвор. Каква е била "
       "концентрацията на първоначалния разтвор?",
       "Търси се: процентното съдържание на сол в първоначалния разтвор.",
       "В първоначалния разтвор също има 40 г сол, защото водата не съдържа сол."},
      {"В 300 г разтвор на захар долели 200 г вода и концентрацията станала 12%. Каква е била "
       "концентрацията на разтвора преди доливането?",
       "Търси се: процентното съдържание на захар в първоначалния разтвор.",
       "В първоначалния разтвор също има 60 г захар, защото водата не съдържа захар."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    ASSERT_GE(lines.size(), 2u) << row.text;
    EXPECT_EQ(lines[1], row.sought) << Joined(lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(), row.kept), lines.end()) << Joined(lines);
  }
}

// An answer that is no whole number of tenths names what it is, as a round one does.
TEST(MyProblemTest, NamesAnExactAnswerAsARoundOne) {
  struct Row {
    std::string_view text;
    std::string_view answer;
  };
  const std::vector<Row> rows = {
      {"Колко килограма калай трябва да се добавят към 34 кг бронз с 85% мед, за да стане медта "
       "80%?",
       "Отговор: 2,125 кг калай."},
      {"Колко килограма вода трябва да се добавят към 34 кг 85% разтвор на сол, за да стане 80%?",
       "Отговор: 2,125 кг вода."},
      {"Колко грама мед трябва да се добавят към 10 г сребро с проба 900, за да се получи сплав "
       "с проба 800?",
       "Отговор: 1,25 г мед."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    EXPECT_NE(std::find(lines.begin(), lines.end(), row.answer), lines.end()) << Joined(lines);
  }
}

// Sub-questions end with the last one's answer, not with its check in the grid.
TEST(MyProblemTest, EndsSubQuestionsWithTheLastAnswer) {
  MyProblem mine;
  mine.Read(
      "Смесили 400 г 25% разтвор на сол и 100 г 10% разтвор на сол.\nа) Колко грама сол има в "
      "новия разтвор?\nб) Каква е концентрацията на новия разтвор?");
  EXPECT_EQ(mine.Outcome(), "Отговор: 22%.") << Joined(mine.Shown().lines);
}

// The salt in the mixture is asked: the masses are a step to it, and the one answer is the salt.
// The working goes straight to it: no mixture's mass or percentage to work it back from.
TEST(MyProblemTest, AnswersTheSubstanceAskedAfterTheMasses) {
  MyProblem mine;
  mine.Read(
      "Смесили 200 г 5% и 300 г 10% разтвор на сол. Колко грама сол има в получения "
      "разтвор?");
  const std::vector<std::string>& lines = mine.Shown().lines;
  EXPECT_EQ(mine.Outcome(), "Отговор: 40 г сол.") << Joined(lines);
  for (const std::string_view roundabout : {"Масата на получения разтвор", "В получения разтвор"}) {
    EXPECT_FALSE(HasLineStarting(lines, roundabout)) << Joined(lines);
  }
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.starts_with("Отговор:"); }),
            1)
      << Joined(lines);
}

// "Търси се:" names what the answer is: the salt in the mixture, not the masses it is worked out
// from; the water's share, worked out from the salt's; produce's dry matter, not its water. A
// share the working does not count in is worked out before the answer, which says whose it is.
TEST(MyProblemTest, SeeksWhatItAnswers) {
  struct Row {
    std::string_view text;
    std::string_view sought;
    std::string_view step;  // the line before the answer, where it is checked
    std::string_view answer;
  };
  const std::vector<Row> rows = {
      {"Смесили 200 г 10% разтвор на сол с 300 г 20% разтвор на сол. Колко грама сол има в "
       "сместа?",
       "Търси се: масата на солта в получения разтвор.",
       "Солта в получения разтвор е 20 + 60 = 80 (г).", "Отговор: 80 г сол."},
      {"Смесили 300 г 20% разтвор на сол с 200 г 10% разтвор на сол. С колко грама солта в "
       "първия разтвор е повече от солта във втория?",
       "Търси се: разликата между количествата сол в двата разтвора.",
       "Разликата между количествата сол е 60 − 20 = 40 (г).",
       "Отговор: в първия разтвор има с 40 г повече сол."},
      {"В първия съд има 500 г 8% разтвор на сол, а във втория – 300 г 15% разтвор на сол. С "
       "колко грама се различават количествата сол в двата съда?",
       "Търси се: разликата между количествата сол в двата разтвора.",
       "Разликата между количествата сол е 45 − 40 = 5 (г).",
       "Отговор: количествата сол се различават с 5 г."},
      {"Имаме 200 г 20% разтвор на сол и 300 г 10% разтвор на сол. С колко грама повече сол има "
       "в първия разтвор?",
       "Търси се: разликата между количествата сол в двата разтвора.",
       "Разликата между количествата сол е 40 − 30 = 10 (г).",
       "Отговор: в първия разтвор има с 10 г повече сол."},
      {"Имаме 300 г 10% разтвор на сол и 150 г 20% разтвор на сол. С колко грама се различават "
       "количествата сол в двата разтвора?",
       "Търси се: разликата между количествата сол в двата разтвора.",
       "Разликата между количествата сол е 30 − 30 = 0 (г).",
       "Отговор: количествата сол са равни (по 30 г)."},
      {"В първия съд има 300 г 10% разтвор на сол, а във втория – 150 г 20% разтвор на сол. С "
       "колко грама повече сол има в първия съд, отколкото във втория?",
       "Търси се: разликата между количествата сол в двата разтвора.",
       "Разликата между количествата сол е 30 − 30 = 0 (г).",
       "Отговор: количествата сол са равни (по 30 г)."},
      {"Първият разтвор е 250 г и съдържа 12% сол. Вторият разтвор е 400 г и съдържа 5% сол. В "
       "кой разтвор има повече сол и с колко грама?",
       "Търси се: разликата между количествата сол в двата разтвора.",
       "Разликата между количествата сол е 30 − 20 = 10 (г).",
       "Отговор: в първия разтвор има с 10 г повече сол."},
      {"От 25% и 40% разтвор на захар трябва да се получат 900 г 30% разтвор. С колко грама "
       "повече се взема от първия разтвор, отколкото от втория?",
       "Търси се: разликата между масите на двата разтвора.", "", "Отговор: разликата е 300 г."},
      {"В 200 г вода са разтворени 50 г сол. Колко процента вода има в разтвора?",
       "Търси се: процентното съдържание на вода в получения разтвор.",
       "Водата е 100% − 20% = 80%.", "Отговор: водата в получения разтвор е 80%."},
      {"Смесили 300 г 10% и 200 г 25% разтвор на сол, после долели 300 г вода. Колко процента "
       "вода има в сместа?",
       "Търси се: процентното съдържание на вода в получения разтвор.",
       "Водата е 100% − 10% = 90%.", "Отговор: водата в получения разтвор е 90%."},
      {"Смесили 2 кг 20% разтвор на захар и 3 кг 10% разтвор на захар. Колко процента вода има "
       "в сместа?",
       "Търси се: процентното съдържание на вода в получения разтвор.",
       "Водата е 100% − 14% = 86%.", "Отговор: водата в получения разтвор е 86%."},
      {"Колко литра вода трябва да се добавят към 2 кг 10% разтвор на сол, за да стане 8%?",
       "Търси се: обемът на долятата вода.", "", "Отговор: 0,5 л."},
      {"От 20 кг пресни гъби с 90% вода получили 2,5 кг сушени гъби. Колко процента сухо "
       "вещество има в сушените гъби?",
       "Търси се: процентното съдържание на сухо вещество в получените сушени гъби.",
       "В сушените гъби сухото вещество е 2 · 100 : 2,5 = 80%.",
       "Отговор: сухото вещество в получените сушени гъби е 80%."},
      {"Разтвор от 400 г съдържа 15% сол. Колко процента от разтвора е водата?",
       "Търси се: процентното съдържание на вода в разтвора.", "Водата е 100% − 15% = 85%.",
       "Отговор: водата е 85% от разтвора."},
      {"В 250 г разтвор има 12% захар. Колко процента вода има в разтвора?",
       "Търси се: процентното съдържание на вода в разтвора.", "Водата е 100% − 12% = 88%.",
       "Отговор: водата е 88% от разтвора."},
      {"От 20 кг пресни гъби с 90% вода получили 2,5 кг сушени гъби. Колко процента вода има в "
       "сушените гъби?",
       "Търси се: процентното съдържание на вода в получените сушени гъби.",
       "Водата е 100% − 80% = 20%.", "Отговор: водата в получените сушени гъби е 20%."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    ASSERT_GE(lines.size(), 2u) << row.text;
    EXPECT_EQ(lines[1], row.sought) << Joined(lines);
    const auto answer = std::find(lines.begin(), lines.end(), row.answer);
    ASSERT_NE(answer, lines.end()) << Joined(lines);
    EXPECT_TRUE(row.step.empty() || *(answer - 1) == row.step) << Joined(lines);
  }
}

// Two steps are shown as the practice solves them: the first step's parts named as its own, then
// the water, and an exact answer where the grid would round it.
TEST(MyProblemTest, ShowsTwoStepsAsTheirOwnTwoSteps) {
  const std::vector<std::string> lines = ShownOf(
      "Смесили 300 г 10% и 200 г 25% разтвор на сол, после долели 300 г вода. Каква е "
      "концентрацията?");
  ASSERT_GE(lines.size(), 4u) << Joined(lines);
  EXPECT_EQ(lines[0],
            "Дадено: 300 г – масата на първия разтвор; 10% – процентното съдържание на сол в "
            "първия разтвор; 200 г – масата на втория разтвор; 25% – процентното съдържание на "
            "сол във втория разтвор; 300 г – масата на долятата вода.");
  EXPECT_TRUE(HasLineStarting(lines, "Първо ")) << Joined(lines);
  EXPECT_TRUE(HasLineStarting(lines, "След това доливаме вода")) << Joined(lines);
  EXPECT_TRUE(HasLineStarting(lines, "Отговор: 10%.")) << Joined(lines);

  const std::vector<std::string> missing = ShownOf(
      "Смесили 300 г 10% и 200 г 25% разтвор на сол, после долели вода. Каква е "
      "концентрацията?");
  EXPECT_TRUE(HasLineStarting(missing, "Не разбрах колко е масата на водата: това число липсва"))
      << Joined(missing);

  const std::vector<std::string> exact = ShownOf(
      "Смесили 300 г 10% и 200 г 25% разтвор на сол, после долели 100 г вода. Каква е "
      "концентрацията?");
  EXPECT_TRUE(HasLineStarting(exact, "Отговор: 13,(3)%.")) << Joined(exact);
}

// The number missing is named in the problem's words, never in the grid's.
TEST(MyProblemTest, NamesTheMissingNumberInTheProblemsWords) {
  struct Row {
    std::string_view text;
    std::string_view said;
  };
  const std::vector<Row> rows = {
      {"В какво отношение трябва да се смесят 20% и 45% разтвор на сол?",
       "Не разбрах колко е процентното съдържание на сол в получения разтвор: това число липсва "
       "в задачата."},
      {"В какво отношение трябва да се смесят бонбони по 6 € за килограм и бонбони по 11 € за "
       "килограм?",
       "Не разбрах колко е цената на сместа: това число липсва в задачата."},
      {"Колко процента е полученият разтвор, ако смесим 300 г 20% разтвор на сол и 200 г "
       "разтвор на сол?",
       "Не разбрах колко е процентното съдържание на сол във втория разтвор: това число липсва в "
       "задачата."},
      {"Смесили 300 г 10% разтвор на захар с 200 г разтвор на захар. В получения разтвор долели "
       "500 г вода. Колко процента захар съдържа новият разтвор?",
       "Не разбрах колко е процентното съдържание на захар във втория разтвор: това число липсва "
       "в задачата."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    EXPECT_TRUE(HasLineStarting(lines, row.said)) << Joined(lines);
  }
}

// Sugar dissolved is named as the sugar, not as the pure sugar that strengthens a solution; a
// solution described, nothing mixed, as the solution, not as one obtained.
TEST(MyProblemTest, NamesADissolvedSubstanceAsItself) {
  const std::vector<std::string> lines = ShownOf("Колко грама захар има в 500 г 5% разтвор?");
  ASSERT_GE(lines.size(), 2u) << Joined(lines);
  EXPECT_EQ(lines[1], "Търси се: масата на захарта.");
  EXPECT_EQ(lines[0].find("чист"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[0].find("получ"), std::string::npos) << lines[0];

  const std::vector<std::string> described =
      ShownOf("В 250 г разтвор има 30 г сол. Колко процента е концентрацията на разтвора?");
  ASSERT_GE(described.size(), 2u) << Joined(described);
  EXPECT_EQ(described[0], "Дадено: 250 г – масата на разтвора; 30 г – масата на солта.");
  EXPECT_EQ(described[1], "Търси се: процентното съдържание на сол в разтвора.");
}

TEST(MyProblemTest, SolvesExactlyWhatIsNoWholeTenth) {
  MyProblem mine;
  mine.Read(
      "Към 200 г 10% разтвор на сол добавили 100 г 20% разтвор на сол. Колко процента е "
      "полученият разтвор?");
  EXPECT_TRUE(HasLineStarting(mine.Shown().lines, "Отговор: 13,(3)%."))
      << Joined(mine.Shown().lines);
  EXPECT_FALSE(mine.CanGoIntoGrid());  // the grid would round it
}

// The check that evaporation left the substance as it was agrees whatever the substance's
// gender: "солта", "сухото вещество".
TEST(MyProblemTest, ChecksTheSubstanceLeftByEvaporationInAnyGender) {
  const std::pair<std::string_view, std::string_view> rows[] = {
      {"От разтвор на сол с концентрация 20% се изпарили 60 г вода и концентрацията стана 25%. "
       "Колко грама е бил разтворът?",
       "Проверка: 300 · 20 : 100 = 60 (г) и 240 · 25 : 100 = 60 (г) – количеството сол не се е "
       "променило;"},
      {"Пресните смокини съдържат 80% вода. При сушене те загубват 60 кг вода и съдържат 20% "
       "вода. Колко килограма са били пресните смокини?",
       "Проверка: 80 · 20 : 100 = 16 (кг) и 20 · 80 : 100 = 16 (кг) – количеството сухо "
       "вещество не се е променило;"},
  };
  for (const auto& [text, check] : rows) {
    const std::vector<std::string> lines = ShownOf(text);
    EXPECT_TRUE(HasLineStarting(lines, check)) << Joined(lines);
  }
}

// The pure part is all its substance, said by the substance's name: no "чисто вещество" of the
// calculator.
TEST(MyProblemTest, SaysThePureSubstanceByItsName) {
  const std::pair<std::string_view, std::string_view> rows[] = {
      {"Към 200 г 10% разтвор на сол добавили 50 г чиста сол. Колко процента е новият разтвор?",
       "Добавената сол е чиста (100%), затова в нея има 50 г сол."},
      {"Към 400 г 30% разтвор на спирт се прибавят 100 г чист спирт. Колко процента е новият "
       "разтвор?",
       "Добавеният спирт е чист (100%), затова в него има 100 г спирт."},
      {"Смесили 50 г чиста сол и 200 г 10% разтвор на сол. Колко процента е полученият "
       "разтвор?",
       "Добавената сол е чиста (100%), затова в нея има 50 г сол."},
  };
  for (const auto& [text, line] : rows) {
    const std::vector<std::string> lines = ShownOf(text);
    EXPECT_TRUE(HasLineStarting(lines, line)) << Joined(lines);
    EXPECT_EQ(Joined(lines).find("чисто вещество"), std::string::npos) << Joined(lines);
  }
}

// Water that leaves is the water evaporated, whether it is given or sought.
TEST(MyProblemTest, NamesTheWaterThatLeavesAsEvaporated) {
  const std::pair<std::string_view, std::string_view> rows[] = {
      {"От 800 г 6% солен разтвор изпарили вода и разтворът станал 10%. Колко грама вода са "
       "изпарени?",
       "Търси се: масата на изпарената вода."},
      {"От 200 кг морска вода, съдържаща 5% сол, се изпарили 50 кг вода. Колко процента сол "
       "съдържа останалата вода?",
       "50 кг – масата на изпарената вода."},
  };
  for (const auto& [text, said] : rows) {
    const std::string lines = Joined(ShownOf(text));
    EXPECT_NE(lines.find(said), std::string::npos) << lines;
  }
}

// Milk's fats are many: the verbs of its solution agree with them.
TEST(MyProblemTest, SaysMilksFatsInThePlural) {
  const std::vector<std::string> lines = ShownOf(
      "Към 4 л мляко с масленост 3% долели 2 л вода. Каква е маслеността на полученото мляко?");
  for (const std::string_view line : {"Мазнините не се променят, когато доливаме вода.",
                                      "Маслеността на новото мляко е 0,12 · 100 : 6 = 2%."}) {
    EXPECT_TRUE(HasLineStarting(lines, line)) << Joined(lines);
  }
}

TEST(MyProblemTest, SaysWhatItDidNotUnderstandAndGivesNoAnswer) {
  const std::vector<std::string> lines =
      ShownOf("Към 400 г разтвор на сол добавили 100 г вода. Колко процента е новият разтвор?");
  EXPECT_FALSE(HasLineStarting(lines, "Отговор:")) << Joined(lines);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.starts_with("Не разбрах"); }),
            1)
      << Joined(lines);
  EXPECT_TRUE(HasLineStarting(lines, "Разбрах числата: 400 г и 100 г.")) << Joined(lines);
  // One number is one.
  const std::vector<std::string> one =
      ShownOf("Пресните гъби съдържат 15% сухо вещество. Колко процента вода има в тях?");
  EXPECT_TRUE(HasLineStarting(one, "Разбрах числото: 15%.")) << Joined(one);
  // A price is said as the text writes it, with its currency and the measure it is of.
  for (const auto& [text, numbers] : std::vector<std::pair<std::string_view, std::string_view>>{
           {"Смесили 3 кг ориз по 6 лв. и 2 кг ориз. Колко струва 1 кг от сместа?",
            "Разбрах числата: 3 кг, 6 лв., 2 кг и 1 кг"},
           {"Смесили 3 кг орехи по 14 € за килограм, 2 кг бадеми по 20 евро за кг и 1 кг "
            "лешници по 18 €. Колко струва килограм от сместа?",
            "Разбрах числата: 3 кг, 14 € за килограм, 2 кг, 20 евро за кг, 1 кг и 18 €."}}) {
    const std::vector<std::string> priced = ShownOf(text);
    EXPECT_TRUE(HasLineStarting(priced, numbers)) << Joined(priced);
  }
}

// The answer is said in the text's own terms: a hallmark asked is answered as one.
TEST(MyProblemTest, AnswersInTheTextsOwnTerms) {
  struct Row {
    std::string_view text;
    std::string_view answer;
  };
  const std::vector<Row> rows = {
      {"Бижутер стопил 12 г злато с проба 750 и 8 г злато с проба 375. Каква ще бъде пробата на "
       "получената сплав?",
       "Отговор: проба 600 (60%)."},
      {"Каква проба има сплав, получена от 6 г чисто злато и 4 г мед?",
       "Отговор: проба 600 (60%)."},
      {"Към 200 г сребърна сплав с проба 800 добавили 40 г мед. Каква е пробата на новата "
       "сплав?",
       "Отговор: проба 666,(6) (66,(6)%)."},
      // A percentage asked is answered as one, whatever the givens are.
      {"Към 200 г сребърна сплав с проба 800 добавили 40 г мед. Колко процента сребро има в "
       "новата сплав?",
       "Отговор: 66,(6)%."},
      {"Стопили 30 г сребро с проба 800 и 20 г сребро с проба 500. Какво е процентното "
       "съдържание на сребро в новата сплав?",
       "Отговор: 68%."},
  };
  for (const Row& row : rows) {
    MyProblem mine;
    mine.Read(row.text);
    EXPECT_EQ(mine.Outcome(), row.answer) << Joined(mine.Shown().lines);
  }
}

// A solution of an acid or of a substance not named, produce dried as plums are and a brine are
// said in the text's words, never in those of the context they are read as.
TEST(MyProblemTest, NamesTheSubstanceAsTheTextNamesIt) {
  struct Row {
    std::string_view text;
    std::string_view line;
    std::vector<std::string_view> others;  // the words it is read as, which are never said
  };
  const std::vector<Row> rows = {
      {"Смесили 300 г 10% разтвор на киселина и 200 г 35% разтвор на киселина. Колко процента е "
       "полученият разтвор?",
       "Киселината в първия разтвор е 300 · 10 : 100 = 30 (г).",
       {"сол", "оцет"}},
      {"Колко грама чисто вещество трябва да се добавят към 300 г 10% разтвор, за да се получи "
       "25% разтвор?",
       "Отговор: 60 г чисто вещество.",
       {"сол"}},
      {"Към 200 г 5% разтвор на вещество добавили 20 г от веществото. Каква е концентрацията на "
       "получения разтвор?",
       "Дадено: 200 г – масата на разтвора; 5% – процентното съдържание на веществото в "
       "разтвора; 20 г – масата на добавеното вещество.",
       {"сол", "Чистата", "съдържание на вещество ", "чисто"}},
      {"Колко грама от 5% и колко грама от 20% разтвор трябва да се смесят, за да се получат "
       "300 г 10% разтвор?",
       "Отговор: 200 г 5% разтвор и 100 г 20% разтвор.",
       {"сол", "разтвор на"}},
      {"Пресните ябълки съдържат 85% вода, а сушените – 15%. Колко килограма сушени ябълки ще се "
       "получат от 34 кг пресни ябълки?",
       "Сухото вещество не се променя, когато ябълките се сушат.",
       {"слив"}},
      {"Колко килограма грозде с 75% вода са нужни за 6 кг стафиди с 10% вода?",
       "Сухото вещество не се променя, когато гроздето се суши.",
       {"слив"}},
      {"Колко сол и колко вода са нужни за 20 кг 8% саламура?",
       "Саламурата се състои от сол и вода.",
       {"разтвор"}},
      {"Колко килограма 20% и колко килограма 45% саламура трябва да се смесят, за да се получат "
       "50 кг 30% саламура?",
       "Отговор: 30 кг 20% саламура и 20 кг 45% саламура.",
       {"разтвор", "саламура на"}},
      {"Колко грама вода трябва да се долеят към 500 г 30% сироп, за да се получи 20% сироп?",
       "Захар в сиропа: 500 · 30 : 100 = 150 (г).",
       {"разтвор", "захарен сироп"}},
      {"Колко килограма вода трябва да се изпари от 60 кг сок с 15% сухо вещество, за да стане "
       "сухото вещество 36%?",
       "В новия сок тези 9 кг са 36%: 9 · 100 : 36 = 25 (кг) – масата на новия сок.",
       {"сол", "разтвор"}},
      {"От 50 кг сок с 12% сухо вещество изпарили вода и получили концентрат с 40% сухо "
       "вещество. Колко килограма концентрат са получили?",
       "В концентрата тези 6 кг са 40%: 6 · 100 : 40 = 15 (кг) – масата на концентрата.",
       {"получения сок", "новия сок"}},
      {"Сокът съдържа 10% сухо вещество. Колко килограма вода трябва да се изпари от 200 кг сок, "
       "за да се получи концентрат с 25% сухо вещество?",
       "Нека се изпарят x кг вода. Тогава концентратът е (200 − x) кг.",
       {"получения сок", "новия сок", "новият сок"}},
      {"Гроздовият сок съдържа 20% захар. От 30 кг сок сварили петмез, като изпарили 20 кг "
       "вода. Колко процента захар има в петмеза?",
       "В петмеза захарта е 6 · 100 : 10 = 60%.",
       {"разтвор", "получения сок", "нов"}},
      {"Смесили 2 кг ябълков сок с 12% захар и 3 кг сок с 8% захар. Колко процента захар има в "
       "сместа?",
       "Захарта в първия сок е 2 · 12 : 100 = 0,24 (кг).",
       {"разтвор"}},
      {"От 50 кг разтвор с 12% сухо вещество изпарили 30 кг вода. Колко процента е сухото "
       "вещество в получения разтвор?",
       "Дадено: 50 кг – масата на разтвора; 12% – процентното съдържание на веществото в "
       "разтвора;",
       {"сок"}},
      {"Към 2 кг белина с концентрация 5% добавили 3 кг вода. Каква е концентрацията на "
       "получената белина?",
       "В новата белина веществото е 0,1 · 100 : 5 = 2%.",
       {"сол", "разтвор"}},
      {"Сплав от мед, калай и цинк тежи 20 кг и съдържа 60% мед. Колко килограма мед има в нея?",
       "Дадено: 20 кг – масата на сплавта; 60% – процентното съдържание на мед в сплавта.",
       {"(калая)"}},
      {"Към 300 г 10% разтвор на сода добавили 60 г чиста сода. Каква е концентрацията на "
       "новия разтвор?",
       "Добавената сода е чиста (100%), затова в нея има 60 г сода.",
       {"сол", "веществ"}},
      {"Към 200 г 10% разтвор на йод добавили 25 г чист йод. Каква е концентрацията на новия "
       "разтвор?",
       "Дадено: 200 г – масата на разтвора; 10% – процентното съдържание на йод в разтвора; 25 г "
       "– масата на чистия йод.",
       {"сол", "веществ", "йодта", "чистата"}},
      {"Към 200 г 10% разтвор на йод добавили 25 г чист йод. Каква е концентрацията на новия "
       "разтвор?",
       "Добавеният йод е чист (100%), затова в него има 25 г йод.",
       {"Добавената"}},
      {"Колко грама вода трябва да се добавят към 500 г 40% разтвор на солна киселина, за да се "
       "получи 10% разтвор?",
       "Киселината не се променя, когато доливаме вода.",
       {"сол"}},
      {"Колко грама 5% разтвор на йод в спирт може да се приготви от 2 г йод?",
       "Йодът е 5% от разтвора: 2 · 100 : 5 = 40 (г) – масата на разтвора.",
       {"вод", "сол", "се състои"}},
      {"Смесили 20 г 5% разтвор на йод в спирт и 30 г 10% разтвор на йод в спирт. Каква е "
       "концентрацията на получения разтвор?",
       "Дадено: 20 г – масата на първия разтвор; 5% – процентното съдържание на йод в първия "
       "разтвор;",
       {"съдържание на спирт"}},
      {"Колко грама калиев перманганат има в 500 г разтвор на калиев перманганат с концентрация "
       "2%?",
       "Търси се: масата на калиевия перманганат.",
       {"сол", "веществ"}},
      {"Смесили 30 кг 20% саламура и 20 кг 5% саламура. След това към получената саламура "
       "долели 20 кг вода. Колко процента сол има в новата саламура?",
       "Първо намираме масата на получената саламура и колко килограма сол има в нея.",
       {"разтвор", "него"}},
      {"Сплав от 3 кг калай и 2 кг мед. Колко процента е масата на калая?",
       "Дадено: 3 кг – масата на калая; 2 кг – масата на медта.",
       {"на калаят", "(калая)"}},
      {"В 80 г вода разтворили 20 г спирт. Колко процента спирт съдържа разтворът?",
       "Дадено: 80 г – масата на водата; 20 г – масата на спирта.",
       {"на спиртът", "(спирта)"}},
      {"Колко литра вода трябва да се добавят към 6 л разтвор на антифриз с концентрация 60%, "
       "за да се получи разтвор с концентрация 40%?",
       "Дадено: 6 л – обемът на разтвора; 60% – процентното съдържание на антифриз в разтвора;",
       {"веществ", "сол", "антифриза"}},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    EXPECT_TRUE(HasLineStarting(lines, row.line)) << Joined(lines);
    for (const std::string_view other : row.others) {
      EXPECT_EQ(Joined(lines).find(other), std::string::npos) << Joined(lines);
    }
  }
}

// Copper melted into silver or gold, tin into bronze, is the alloy's other metals, added, never
// water poured in, and named as the text names it.
TEST(MyProblemTest, AddsOtherMetalsToAnAlloyAsMetals) {
  struct Row {
    std::string_view text;
    std::string_view line;
  };
  const std::vector<Row> rows = {
      {"Колко грама мед трябва да се стопят с 30 г злато с проба 750, за да се получи злато с "
       "проба 600?",
       "Трябва да се добавят 37,5 − 30 = 7,5 (г) мед."},
      {"Колко грама чисто злато и колко грама мед са нужни за 20 г злато с проба 750?",
       "Мед: 20 − 15 = 5 (г)."},
      {"Сплав от мед и калай тежи 5 кг и съдържа 40% мед. Към нея добавили 3 кг калай. Колко "
       "процента мед има в новата сплав?",
       "Дадено: 5 кг – масата на сплавта; 40% – процентното съдържание на мед в сплавта; 3 кг – "
       "масата на добавения калай."},
      {"Сплав съдържа 85% мед. Колко килограма цинк трябва да се прибави към 40 кг от тази сплав, "
       "за да стане медта 80%?",
       "Трябва да се добавят 42,5 − 40 = 2,5 (кг) цинк."},
      {"Към 30 кг сплав с 70% мед добавили 5 кг олово. Колко процента мед има в новата сплав?",
       "Дадено: 30 кг – масата на сплавта; 70% – процентното съдържание на мед в сплавта; 5 кг – "
       "масата на добавеното олово."},
      {"Сплав от мед, калай и олово тежи 10 кг и съдържа 20% калай. Към нея добавили 2 кг чиста "
       "мед. Колко процента калай има в новата сплав?",
       "Калаят не се променя, когато добавяме мед."},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    EXPECT_TRUE(HasLineStarting(lines, row.line)) << Joined(lines);
    for (const std::string_view other : {"вод", "метали"}) {
      EXPECT_EQ(Joined(lines).find(other), std::string::npos) << Joined(lines);
    }
  }
}

// Litres of water in a problem of grams are given as the grams the solution counts, millilitres in
// one of litres as its litres.
TEST(MyProblemTest, GivesAnAmountInTheUnitTheSolutionCounts) {
  struct Row {
    std::string_view text;
    std::string_view given;
  };
  const std::vector<Row> rows = {
      {"В 2 л вода се разтварят 500 г сол. Колко процента е разтворът?",
       "Дадено: 2 л (2000 г) – масата на водата; 500 г – масата на солта."},
      {"Към 250 мл нектар с 40% плодово съдържание долели 150 мл вода. Колко процента е "
       "плодовото съдържание на получената напитка?",
       "Дадено: 250 мл (0,25 л) – обемът на напитката;"},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = ShownOf(row.text);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines[0].starts_with(row.given)) << lines[0];
  }
}

// Each refusal names what is missing in the problem's own words and tells the pupil what to do.
TEST(MyProblemTest, RefusesInTheProblemsWordsAndSaysWhatToDo) {
  struct Case {
    std::string_view text;
    std::string_view outcome;
  };
  constexpr std::array<Case, 5> Cases = {{
      {"Към 10% разтвор на сол се наливат 200 г вода. Колко процента е новият разтвор?",
       "Не разбрах колко е масата на разтвора: това число липсва в задачата. Провери дали "
       "задачата е преписана цялата."},
      {"Към 300 г разтвор на сол се наливат 200 г вода. Колко процента е новият разтвор?",
       "Не разбрах колко е процентното съдържание на сол в разтвора: това число липсва в "
       "задачата. Провери дали задачата е преписана цялата."},
      {"", "Не разбрах задачата: полето е празно. Напиши или постави в него текста на задачата."},
      {"Mix 300 g of 20% salt solution with 200 g of 10% salt solution. What is the "
       "concentration?",
       "Не разбрах задачата: в нея няма разтвор, сплав или друга смес. Тук се решават задачи за "
       "смеси, написани на български език."},
      {"Към 400 г 20% разтвор на сол долели вода и концентрацията намаляла с 5%. Колко грама "
       "вода са долели?",
       "Не разбрах задачата: не е ясно дали концентрацията се е променила с толкова от "
       "процентите (например от 20% на 15%) или с толкова процента от самата себе си (например "
       "от 20% на 19%). Напиши в задачата колко процента е станала концентрацията, например "
       "„стана 15%“."},
  }};
  for (const Case& one : Cases) {
    MyProblem mine;
    mine.Read(one.text);
    EXPECT_EQ(mine.Outcome(), one.outcome) << one.text;
  }
}

// The pupil gives a number another role, and the problem is solved again from the roles.
TEST(MyProblemTest, SolvesAgainWithTheRoleThePupilGives) {
  MyProblem mine;
  mine.Read(
      "Смесили 200 г 10% разтвор на сол и 300 г 20% разтвор на сол. Колко процента е "
      "полученият разтвор?");
  ASSERT_TRUE(mine.IsAnswered());
  const std::vector<MyProblem::Number> numbers = mine.Numbers();
  ASSERT_EQ(numbers.size(), 4u);
  EXPECT_EQ(numbers[0].role, static_cast<std::size_t>(Weight1));
  ASSERT_EQ(mine.Roles().size(), 7u);
  EXPECT_EQ(mine.Roles()[Weight1], "масата на първия разтвор");
  EXPECT_EQ(mine.Roles().back(), "не е нужно");
  // 300 г was the second solution's; as the mixture's, 100 г of the second make it 13,(3)%.
  mine.ChangeRole(2, MixWeight);
  ASSERT_TRUE(mine.IsAnswered()) << Joined(mine.Shown().lines);
  EXPECT_TRUE(HasLineStarting(mine.Shown().lines, "Отговор: 13,(3)%."))
      << Joined(mine.Shown().lines);
  // One number too few: a doubt, not an answer.
  mine.ChangeRole(0, mine.Roles().size() - 1);
  EXPECT_FALSE(mine.IsAnswered());
  EXPECT_FALSE(HasLineStarting(mine.Shown().lines, "Отговор:"));

  // Millilitres that are no whole tenths of a litre are solved again from their exact values.
  MyProblem nectar;
  nectar.Read(
      "Към 250 мл нектар с 40% плодово съдържание долели 150 мл вода. Колко процента е "
      "плодовото съдържание на получената напитка?");
  nectar.ChangeRole(2, Weight2);
  ASSERT_TRUE(nectar.IsAnswered()) << Joined(nectar.Shown().lines);
  EXPECT_EQ(nectar.Outcome(), "Отговор: 25%.") << Joined(nectar.Shown().lines);

  // A difference of what the text gives is solved again as the grid's problem, with its working.
  MyProblem difference;
  difference.Read(
      "Смесили 300 г 20% разтвор на сол с 200 г 10% разтвор на сол. С колко грама солта в "
      "първия разтвор е повече от солта във втория?");
  difference.ChangeRole(0, Weight1);
  EXPECT_TRUE(HasLineStarting(difference.Shown().lines, "Масата на получения разтвор е"))
      << Joined(difference.Shown().lines);

  // The water's share of one solution, solved again, gives way to the grid's results.
  MyProblem described;
  described.Read("Разтвор от 400 г съдържа 15% сол. Колко процента от разтвора е водата?");
  ASSERT_TRUE(described.IsAnswered()) << Joined(described.Shown().lines);
  described.ChangeRole(0, described.Numbers()[0].role);
  EXPECT_TRUE(described.IsAnswered()) << Joined(described.Shown().lines);

  // The water's share asked stays the water's when the problem is solved again.
  MyProblem water;
  water.Read(
      "Към 300 г 10% разтвор на сол добавили 200 г вода. Колко процента вода има в новия "
      "разтвор?");
  water.ChangeRole(2, Weight2);
  EXPECT_EQ(water.Outcome(), "Отговор: водата в новия разтвор е 94%.")
      << Joined(water.Shown().lines);
}

// Numbers of more digits than the problems hold: whatever roles the pupil gives them, a doubt or an
// answer, never the end of the program; and an answer that names no part by rounded words.
TEST(MyProblemTest, KeepsNumbersBeyondTheProblemsWithinTheReading) {
  MyProblem mine;
  constexpr std::string_view Long =
      "Колко грама 12,3456789012347% разтвор на сол трябва да се смесят с 3,1415926535897% "
      "разтвор на сол, за да се получат 200 г 7,1234567890123% разтвор на сол? А) "
      "0,00000000000001 т Б) 999999999999999 т";
  mine.Read(Long);
  const std::size_t count = mine.Numbers().size();
  for (std::size_t number = 0; number < count; ++number) {
    for (std::size_t role = 0; role < mine.Roles().size(); ++role) {
      mine.Read(Long);
      mine.ChangeRole(number, role);
      EXPECT_FALSE(mine.Shown().lines.empty()) << number << " " << role;
    }
  }
  // The mixture's mass given up, and an option's 999999999999999 т taken for it.
  mine.Read(Long);
  mine.ChangeRole(2, mine.Roles().size() - 1);
  mine.ChangeRole(5, MixWeight);
  EXPECT_FALSE(mine.IsAnswered()) << Joined(mine.Shown().lines);
  mine.Read(
      "Колко грама 12,25% разтвор на сол трябва да се смесят с 3% разтвор на сол, за да се "
      "получат 200 г 7% разтвор на сол?");
  EXPECT_TRUE(mine.Outcome().starts_with("Отговор: ≈ 86,49 г")) << mine.Outcome();
  EXPECT_EQ(mine.Outcome().find("0% разтвор"), std::string::npos) << mine.Outcome();
}

// Goods mixed by price: the price in the percentage's place, the solution by what they are worth,
// the goods named as the text names them, or as kinds where it names two.
TEST(MyProblemTest, SolvesAMixtureByPriceInItsCurrency) {
  const std::vector<std::string> lines = ShownOf(
      "В сладкарница смесили 5 кг бонбони по 9 € за килограм и 3 кг бонбони по 13 € за "
      "килограм. По колко евро трябва да се продава килограм от сместа?");
  EXPECT_EQ(lines[0],
            "Дадено: 5 кг – масата на първия вид бонбони; 9 € – цената на килограм от първия вид "
            "бонбони; 3 кг – масата на втория вид бонбони; 13 € – цената на килограм от втория "
            "вид бонбони.");
  EXPECT_TRUE(HasLineStarting(lines, "Стойността на сместа е 45 + 39 = 84 (€).")) << Joined(lines);
  EXPECT_EQ(lines.back(), "Отговор: килограм от сместа струва 10,50 €.");
  EXPECT_EQ(Joined(lines).find('%'), std::string::npos) << Joined(lines);
  // Money has no periodic decimals: a price that is no whole stotinki is rounded to them.
  const std::vector<std::string> rounded = ShownOf(
      "Смесили 2 кг бонбони по 10 лв. за килограм и 1 кг бонбони по 14 лв. за килограм. "
      "Колко струва един килограм от сместа?");
  EXPECT_TRUE(HasLineStarting(rounded, "Килограм от сместа струва 34 : 3 ≈ 11,33 (лв.)."))
      << Joined(rounded);
  EXPECT_EQ(rounded.back(), "Отговор: килограм от сместа струва ≈ 11,33 лв.");
  EXPECT_EQ(rounded[rounded.size() - 2], "Бележка: числата след „≈“ са закръглени до стотни.");
  // Stotinki are written with two digits wherever a price is.
  const std::string stotinki = Joined(
      ShownOf("Смесили 3 кг ядки по 12 лв./кг и 2 кг ядки по 7,5 лв./кг. Колко лева струва 1 кг от "
              "сместа?"));
  for (const std::string_view said :
       {"7,50 лв. – цената на килограм от втория вид", "Стойността на втория вид ядки е 2 · 7,50",
        "Килограм от сместа струва 51 : 5 = 10,20 (лв.).",
        "Отговор: килограм от сместа струва "
        "10,20 лв."}) {
    EXPECT_NE(stotinki.find(said), std::string::npos) << stotinki;
  }
  const std::string two = Joined(
      ShownOf("Фъстъците струват 12 лв. за килограм, а лешниците – 20 лв. за килограм. В какво "
              "отношение трябва да се смесят, за да струва сместа 14 лв. за килограм?"));
  EXPECT_NE(two.find("Отговор: първият и вторият вид се смесват в отношение 3 : 1."),
            std::string::npos)
      << two;
  const std::string ratio = Joined(ShownOf(
      "В какво отношение трябва да се смесят бонбони по 8 € за килограм и бонбони по 14 € за "
      "килограм, за да струва сместа 10 € за килограм?"));
  EXPECT_NE(ratio.find("Отговор: първият и вторият вид бонбони се смесват в отношение 2 : 1."),
            std::string::npos)
      << ratio;
}

TEST(MyProblemTest, PutsTheProblemIntoTheGrid) {
  MyProblem mine;
  mine.Read(
      "Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се "
      "получи 8% разтвор?");
  ASSERT_TRUE(mine.CanGoIntoGrid());
  const Practice::GridEntry entry = mine.ForGrid(",");
  EXPECT_EQ(entry.variant, 1);
  EXPECT_EQ(entry.texts, (std::array<std::string, 4>{"10", "400", "0", "8"}));
}

}  // namespace
