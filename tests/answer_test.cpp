#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/practice.h"
#include "form/problem_text.h"
#include "problems/answer.h"
#include "problems/problem.h"

// Failures name the verdict.
void PrintTo(Verdict verdict, std::ostream* out) {
  *out << "verdict " << static_cast<int>(verdict);
}

namespace {

struct ReadCase {
  std::string text;
  std::optional<std::pair<std::int64_t, std::int32_t>> value;  // digits, places
  std::optional<WrittenUnit> unit;
};

void ExpectRead(const ReadCase& c) {
  const std::optional<PupilAnswer> read = ReadAnswer(c.text);
  ASSERT_EQ(read.has_value(), c.value.has_value()) << '"' << c.text << '"';
  if (read) {
    EXPECT_EQ(read->value, Decimal::Of(c.value->first, c.value->second)) << c.text;
    EXPECT_EQ(read->unit, c.unit) << c.text;
  }
}

TEST(ReadAnswer, ReadsWhatPupilsType) {
  const ReadCase cases[] = {
      {"12,5", {{125, 1}}, {}},
      {"12.5", {{125, 1}}, {}},
      {" 1 200 г", {{1200, 0}}, WrittenUnit::Gram},
      {"1\u00A0200", {{1200, 0}}, {}},
      {"36%", {{36, 0}}, WrittenUnit::Percent},
      {"36 %", {{36, 0}}, WrittenUnit::Percent},
      {"300г", {{300, 0}}, WrittenUnit::Gram},
      {"1,5 кг", {{15, 1}}, WrittenUnit::Kilogram},
      {"2 л", {{2, 0}}, WrittenUnit::Litre},
      {"0,30", {{3, 1}}, {}},
      {"-5", {{-5, 0}}, {}},
      {"− 5", {{-5, 0}}, {}},
      {"x = 300", {{300, 0}}, {}},
      {"х = 1,5 кг", {{15, 1}}, WrittenUnit::Kilogram},  // a Cyrillic х
      {"Х=7", {{7, 0}}, {}},
      {"123456789012345", {{123456789012345, 0}}, {}},
      {"300 гр", {{300, 0}}, WrittenUnit::Gram},
      {"5 кг.", {{5, 0}}, WrittenUnit::Kilogram},
      {"100 г вода", {{100, 0}}, WrittenUnit::Gram},
      {"800 ГРАМА сол.", {{800, 0}}, WrittenUnit::Gram},
      {"76 процента мед", {{76, 0}}, WrittenUnit::Percent},
      {"x = 25 г чиста сол", {{25, 0}}, WrittenUnit::Gram},
      {"abc", {}, {}},
      {"", {}, {}},
      {"   ", {}, {}},
      {"1,2,3", {}, {}},
      {"12,", {}, {}},
      {",5", {}, {}},
      {"+5", {}, {}},
      {"x =", {}, {}},
      {"36 % %", {}, {}},
      {"1234567890123456", {}, {}},
      {"36 и 5", {}, {}},
      {"100 г и 50 г", {}, {}},
      {"300 вода", {}, {}},
      {"сол 300", {}, {}},
      {"300 грамаж", {}, {}},  // a unit only as a whole word
      {"300 г%", {}, {}},
  };
  for (const ReadCase& c : cases) {
    ExpectRead(c);
  }
}

// The program's own answer wording, a full stop, a percentage adjective and "Отговор:" are one
// answer; a second number beside them, or a blank that groups no thousands, is not.
TEST(ReadAnswer, ReadsAnswersAsSchoolWritesThem) {
  using enum WrittenUnit;
  const ReadCase cases[] = {
      {"150 г 50% разтвор", {{150, 0}}, Gram},
      {"160 г сплав със 75% сребро", {{160, 0}}, Gram},
      {"570 г от 6% разтвор", {{570, 0}}, Gram},
      {"570 г вода (6%)", {{570, 0}}, Gram},
      {"3,5 л 80% оцетна есенция", {{35, 1}}, Litre},
      {"570 г 6,5 % разтвор", {{570, 0}}, Gram},
      {"570 г или 760 г", {}, {}},
      {"570 г или 76%", {}, {}},
      {"570 г 760", {}, {}},
      {"570 г (760)", {}, {}},
      {"570 г 6% 760", {}, {}},
      {"20% 30%", {}, {}},
      {"20% разтвор (30%)", {}, {}},
      {"44.", {{44, 0}}, {}},
      {"570 .", {{570, 0}}, {}},
      {"x=570.", {{570, 0}}, {}},
      {"x = 100.", {{100, 0}}, {}},
      {"44!", {{44, 0}}, {}},
      {"44..", {}, {}},
      {"44?", {}, {}},
      {"44. 5", {}, {}},
      {"67,2%-ов", {{672, 1}}, Percent},
      {"25%-ов", {{25, 0}}, Percent},
      {"20%-на", {{20, 0}}, Percent},
      {"20 %-ов разтвор", {{20, 0}}, Percent},
      {"20%-ен", {{20, 0}}, Percent},
      {"20-процентов", {{20, 0}}, Percent},
      {"20-процентна", {{20, 0}}, Percent},
      {"20-ПРОЦЕНТЕН разтвор", {{20, 0}}, Percent},
      {"20 процентна", {{20, 0}}, Percent},
      {"20%-30%", {}, {}},
      {"20%-овия", {}, {}},
      {"500-600", {}, {}},
      {"20-30%", {}, {}},
      {"Отговор: 570 г вода", {{570, 0}}, Gram},
      {"Отг.: 570 г", {{570, 0}}, Gram},
      {"Отговор 570", {{570, 0}}, {}},
      {"ОТГОВОР: x = 570", {{570, 0}}, {}},
      {"Отговори 570", {}, {}},
      {"1 500", {{1500, 0}}, {}},
      {"12 500,5", {{125005, 1}}, {}},
      {"1 200 000 г", {{12, -5}}, Gram},
      {"5 70", {}, {}},
      {"2 0", {}, {}},
      {"4 4", {}, {}},
      {"1 5000", {}, {}},
      {"1500 000", {}, {}},
  };
  for (const ReadCase& c : cases) {
    ExpectRead(c);
  }
}

// Every usual form of a unit, close to the number or apart, in either case.
TEST(ReadAnswer, ReadsEveryFormOfAUnit) {
  const std::pair<WrittenUnit, std::array<std::string_view, 6>> forms[] = {
      {WrittenUnit::Gram, {"г", "гр.", "грам", "грама", "грамове", "g"}},
      {WrittenUnit::Kilogram, {"кг", "килограм", "килограма", "килограми", "kg", "Кг"}},
      {WrittenUnit::Tonne, {"т", "тон", "тона", "тонове", "Т", "ТОНА"}},
      {WrittenUnit::Millilitre, {"мл", "милилитър", "милилитра", "милилитри", "ml", "ML"}},
      {WrittenUnit::Litre, {"л", "литър", "литра", "литри", "l", "Л"}},
      {WrittenUnit::Percent, {"%", "процент", "процента", "проценти", "Процента", "%"}},
  };
  for (const auto& [unit, spellings] : forms) {
    for (const std::string_view spelling : spellings) {
      for (const std::string_view gap : {"", " "}) {
        const std::string text = "12,5" + std::string(gap) + std::string(spelling);
        const std::optional<PupilAnswer> read = ReadAnswer(text);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(read->value, Decimal::Of(125, 1)) << text;
        EXPECT_EQ(read->unit, unit) << text;
      }
    }
  }
}

// A problem of a kind from the grid's six values in tenths; only what the check reads is set.
Problem Made(Kind kind, std::array<std::int64_t, ColumnCount> tenths) {
  Problem problem;
  problem.kind = kind;
  for (std::size_t column = 0; column < tenths.size(); ++column) {
    problem.values[column] = Tenths{tenths[column]};
  }
  return problem;
}

struct JudgeCase {
  Column box;
  std::string answer;
  Verdict verdict;
};

TEST(Judge, TellsTheTypicalMistakes) {
  // The assignment's numbers: 200 г of 30% and 300 г of 40 % make 500 г of 36%.
  const Problem problem = Made(Kind::MixTwo, {300, 2000, 400, 3000, 360, 5000});
  const JudgeCase cases[] = {
      {MixPercent, "36", Verdict::Right},
      {MixPercent, "36%", Verdict::Right},
      {MixPercent, "36,0", Verdict::Right},
      {MixPercent, "36 г", Verdict::WrongUnit},
      {MixPercent, "35", Verdict::AverageOfPercentages},
      {MixPercent, "70", Verdict::PercentagesAdded},
      {MixPercent, "3600", Verdict::PercentAsWholeNumber},
      {MixPercent, "0,36", Verdict::PartForPercent},
      {MixPercent, "0,36%", Verdict::PartForPercent},
      {MixPercent, "-36", Verdict::Negative},
      {MixPercent, "37", Verdict::Wrong},
      {MixPercent, "36 и 5", Verdict::NotOneNumber},
      {Percent2, "42", Verdict::AverageOfPercentages},
      {Percent2, "6", Verdict::PercentagesAdded},
      {Weight2, "300 г", Verdict::Right},
      {Weight2, "300 кг", Verdict::WrongUnit},
      {Weight2, "500", Verdict::MixtureForPart},
      {Weight2, "3", Verdict::PercentAsWholeNumber},
      {Weight2, "30 000", Verdict::PercentAsWholeNumber},
      {Weight1, "500", Verdict::MixtureForPart},
      {MixWeight, "200", Verdict::MassesNotAdded},
      {MixWeight, "300", Verdict::MassesNotAdded},
      {MixWeight, "x = 500", Verdict::Right},
  };
  for (const JudgeCase& c : cases) {
    EXPECT_EQ(Judge(problem, c.box, c.answer), c.verdict) << c.answer;
  }
}

// What is added or leaves, taken for something else: the doc's three problems of what does not
// change. 600 г of 8% lose 200 г of water to 400 г of 12%; 400 г of 10% take 100 г of water to
// 500 г of 8%, and hold 40 г of salt; 200 г of 10% take 25 г of salt to 225 г of 20%, where
// 20% − 10% of the old 200 г is 20 г.
TEST(Judge, TellsWhatWasTakenForWhatIsAddedOrLeaves) {
  const Problem evaporation = Made(Kind::Evaporation, {80, 6000, 0, -2000, 120, 4000});
  const Problem water = Made(Kind::AddWater, {100, 4000, 0, 1000, 80, 5000});
  const Problem pure = Made(Kind::AddPure, {100, 2000, 1000, 250, 200, 2250});
  const struct {
    const Problem& problem;
    std::string answer;
    Verdict verdict;
  } cases[] = {
      {evaporation, "200", Verdict::Right},
      {evaporation, "400", Verdict::RemainingForEvaporated},
      {evaporation, "0,4 кг", Verdict::RemainingForEvaporated},
      {evaporation, "-200", Verdict::Negative},
      {water, "100 г вода", Verdict::Right},
      {water, "500", Verdict::MixtureForAddedWater},
      {water, "40", Verdict::SubstanceForAddedWater},
      {water, "0,04 кг", Verdict::SubstanceForAddedWater},
      {pure, "25", Verdict::Right},
      {pure, "20", Verdict::OldMassForAddedPure},
      {pure, "225", Verdict::MixtureForPart},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Judge(c.problem, Weight2, c.answer), c.verdict)
        << static_cast<int>(c.problem.kind) << ": " << c.answer;
  }
}

// The mistakes of salt dissolved and of an unknown start, with what a teacher says of each: 50 г of
// salt in 200 г of water make 20%, not 25%; 300 г of 15% take 255 г of water; 20 г of salt make
// 400 г of 5% with 380 г of water, where 20 · 5 : 100 = 1 is the salt's own arithmetic and 20 г the
// salt alone; 200 г of water take 400 г of 15% to 600 г of 10%; 500 г of 5% hold 25 г of salt, not
// 500 · 5 = 2500 nor 500 : 5 = 100, nor the whole 500 г.
TEST(Judge, TellsTheMistakesOfDissolvingAndOfAnUnknownStart) {
  const Problem trap = Made(Kind::DissolvedPercent, {1000, 500, 0, 2000, 200, 2500});
  const Problem dissolving = Made(Kind::Dissolving, {1000, 450, 0, 2550, 150, 3000});
  Problem fromSalt = Made(Kind::SolutionFromSubstance, {1000, 200, 0, 3800, 50, 4000});
  fromSalt.first = Ingredient::PureSubstance;
  fromSalt.second = Ingredient::Water;
  const Problem start = Made(Kind::UnknownStart, {150, 4000, 0, 2000, 100, 6000});
  Problem inSolution = Made(Kind::SubstanceInSolution, {1000, 250, 0, 4750, 50, 5000});
  inSolution.first = Ingredient::PureSubstance;
  inSolution.second = Ingredient::Water;
  const struct {
    const Problem& problem;
    Column box;
    std::string answer;
    Verdict verdict;
    std::string said;
  } cases[] = {
      {trap, MixPercent, "20", Verdict::Right, "Вярно!"},
      {trap, MixPercent, "25", Verdict::PercentOfWater,
       "Не е вярно: процентът се пресмята от масата на целия разтвор – сол и вода заедно, а не "
       "само от масата на водата."},
      {dissolving, Weight2, "255", Verdict::Right, "Вярно!"},
      {dissolving, Weight2, "300", Verdict::SolutionForWater,
       "Не е вярно: толкова е целият разтвор, а водата е разтворът без солта."},
      {fromSalt, Weight2, "400", Verdict::SolutionForWater,
       "Не е вярно: толкова е целият разтвор, а водата е разтворът без солта."},
      {fromSalt, MixWeight, "1", Verdict::SubstanceForSolution,
       "Не е вярно: така се пресмята колко сол има в разтвора; тук солта е дадена, а се търси "
       "целият разтвор."},
      {fromSalt, MixWeight, "20 г", Verdict::MassesNotAdded,
       "Не е вярно: масата на получения разтвор е сборът от масите на солта и водата – провери "
       "коя маса се търси."},
      {start, Weight1, "600", Verdict::MixtureForStart,
       "Не е вярно: толкова е разтворът след доливането, а се пита колко е бил преди него."},
      {start, Weight1, "400 г", Verdict::Right, "Вярно!"},
      {inSolution, Weight1, "25 г сол", Verdict::Right, "Вярно!"},
      {inSolution, Weight1, "100", Verdict::MassDividedByPercent,
       "Не е вярно: изглежда, че масата на разтвора е разделена на процента, а 5% от едно число "
       "са 5 стотни от него."},
      {inSolution, Weight1, "500", Verdict::MixtureForPart,
       "Не е вярно: толкова е целият разтвор, а се пита за масата на солта."},
      {inSolution, Weight1, "2500", Verdict::PercentAsWholeNumber,
       "Не е вярно: изглежда, че процентът е използван като цяло число, а не като стотни (30% = "
       "30 : 100 = 0,3)."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Judge(c.problem, c.box, c.answer), c.verdict)
        << static_cast<int>(c.problem.kind) << ": " << c.answer;
    EXPECT_EQ(Texts::Feedback(c.verdict, c.problem, c.box), c.said);
  }
}

// Dried mushrooms, 22 кг of 90% water to 12%: 2,5 кг. The water's 90% taken for the dry matter
// gives 22 · 90 : 100 = 19,8, and that as 12% of the dried 165; 19,5 кг is the water that left.
// The fresh 22 кг is no mass left out of a sum: drying adds nothing.
TEST(Judge, TellsTheMistakesOfDrying) {
  Problem dried = Made(Kind::Drying, {100, 220, 0, -195, 880, 25});
  dried.context = Context::Mushrooms;
  dried.unit = Unit::Kilogram;
  dried.first = Ingredient::Fresh;
  dried.variant = VariantOfKind(Kind::Drying);
  dried.sought = {MixWeight};
  const std::string waterForDryMatter =
      "Не е вярно: в задачата са дадени процентите на водата. Сухото вещество е останалата част до "
      "100%.";
  const struct {
    std::string answer;
    Verdict verdict;
    std::string said;
  } cases[] = {
      {"2,5 кг", Verdict::Right, "Вярно!"},
      {"165", Verdict::WaterPercentForDryMatter, waterForDryMatter},
      {"19,8", Verdict::WaterPercentForDryMatter, waterForDryMatter},
      {"19,5", Verdict::WaterLostForDried,
       "Не е вярно: толкова вода се е изпарила при сушенето, а се пита колко килограма са "
       "получените сушени гъби."},
      {"22", Verdict::Wrong, "Не е вярно: провери пресмятанията и опитай отново."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Judge(dried, MixWeight, c.answer), c.verdict) << c.answer;
    EXPECT_EQ(Texts::Feedback(c.verdict, dried, MixWeight), c.said);
  }
}

// Two steps: 300 г of 10% and 200 г of 25% make 500 г of 16%, which 300 г of water poured in
// take to 800 г of 10%, or 100 г of water evaporated to 400 г of 20%. The first step's 16% given
// for the new solution is named, and so is the new solution given for the water; 8%, the average
// of 16% and the water's 0%, speaks of the new solution, not of the first step's.
TEST(Judge, TellsTheMistakesOfTwoSteps) {
  Problem poured = Made(Kind::TwoSteps, {160, 5000, 0, 3000, 100, 8000});
  poured.second = Ingredient::Water;
  poured.firstStep = {{{100}, {3000}, {250}, {2000}, {160}, {5000}}};
  const Problem evaporated = Made(Kind::TwoSteps, {160, 5000, 0, -1000, 200, 4000});
  const struct {
    const Problem& problem;
    Column box;
    std::string answer;
    Verdict verdict;
    std::string said;
  } cases[] = {
      {poured, MixPercent, "10%", Verdict::Right, "Вярно!"},
      {poured, MixPercent, "16", Verdict::MixedForNew,
       "Не е вярно: толкова процента сол има в получения разтвор след смесването, а се пита за "
       "новия разтвор след доливането."},
      {poured, MixPercent, "8", Verdict::AverageOfPercentages,
       "Не е вярно: процентното съдържание на сол в новия разтвор не е средното аритметично на "
       "двата процента – то зависи и от масите на получения разтвор и водата."},
      {evaporated, MixPercent, "16%", Verdict::MixedForNew,
       "Не е вярно: толкова процента сол има в получения разтвор след смесването, а се пита за "
       "новия разтвор след изпаряването."},
      {poured, Weight2, "300 г", Verdict::Right, "Вярно!"},
      {poured, Weight2, "800", Verdict::MixtureForAddedWater,
       "Не е вярно: толкова е разтворът след доливането, а се пита колко вода е долята."},
      {poured, Weight2, "80", Verdict::SubstanceForAddedWater,
       "Не е вярно: толкова грама сол има и преди, и след доливането, а се пита колко вода е "
       "долята."},
      {evaporated, Weight2, "100", Verdict::Right, "Вярно!"},
      {evaporated, Weight2, "400", Verdict::RemainingForEvaporated,
       "Не е вярно: толкова е разтворът след изпаряването, а се пита колко вода се е изпарила."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Judge(c.problem, c.box, c.answer), c.verdict) << c.answer;
    EXPECT_EQ(Texts::Feedback(c.verdict, c.problem, c.box), c.said) << c.answer;
  }
}

// On the sheets, the solution after water is poured in or has left is named for the water,
// wherever it is not the answer too.
TEST(Judge, TellsTheNewSolutionForTheWaterOnTheSheets) {
  const std::pair<Kind, Verdict> kinds[] = {{Kind::AddWater, Verdict::MixtureForAddedWater},
                                            {Kind::Evaporation, Verdict::RemainingForEvaporated}};
  for (const auto& [kind, verdict] : kinds) {
    int found = 0;
    for (std::int32_t sheet = 1; sheet <= 100; ++sheet) {
      for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
        const Problem problem = MakeProblem(sheet, Level::One, place);
        if (problem.kind == kind && problem.Value(MixWeight) != AnsweredValue(problem, Weight2)) {
          ++found;
          EXPECT_EQ(Judge(problem, Weight2, Texts::AnswerAmount(problem, MixWeight)), verdict)
              << Texts::ProblemText(problem);
        }
      }
    }
    EXPECT_GT(found, 0) << static_cast<int>(kind);
  }
}

// 30% and 40% salt solutions for 36% are taken 2 : 3: any equal ratio is right, and a teacher
// says that it can be shortened; 3 : 2 is the ratio turned round; one box asks for it.
TEST(Judge, TakesARatioInAnyEqualFormAndTellsItTurnedRound) {
  Problem salt = Made(Kind::RatioForMixture, {300, 2000, 400, 3000, 360, 5000});
  salt.variant = 6;
  salt.sought = {Weight1, Weight2};
  salt.asked = Asked::Ratio;
  const std::string shortened = "Вярно! Отношението може да се съкрати до 2 : 3.";
  const std::string turned =
      "Не е вярно: отношението е обърнато. Първото число трябва да е за 30% разтвор на сол, а "
      "второто – за 40% разтвор на сол, както са дадени в задачата.";
  const std::string noRatio = "Запиши отношението с две числа и знака „:“ между тях.";
  const struct {
    std::string answer;
    Verdict verdict;
    std::string said;
  } cases[] = {
      {"2 : 3", Verdict::Right, "Вярно!"},
      {"2:3", Verdict::Right, "Вярно!"},
      {"2 към 3", Verdict::Right, "Вярно!"},
      {"Отговор: 2 : 3.", Verdict::Right, "Вярно!"},
      {"4 : 6", Verdict::RatioNotInLowestTerms, shortened},
      {"0,4 : 0,6", Verdict::RatioNotInLowestTerms, shortened},
      {"200 : 300", Verdict::RatioNotInLowestTerms, shortened},
      {"3 : 2", Verdict::RatioTurnedRound, turned},
      {"300:200", Verdict::RatioTurnedRound, turned},
      {"1 : 1", Verdict::Wrong, "Не е вярно: провери пресмятанията и опитай отново."},
      {"0 : 3", Verdict::Wrong, "Не е вярно: провери пресмятанията и опитай отново."},
      {"2", Verdict::NotARatio, noRatio},
      {"2 : 3 : 4", Verdict::NotARatio, noRatio},
      {"две към три", Verdict::NotARatio, noRatio},
      {" ", Verdict::Empty, "Въведи отговора в полето."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JudgeBoxes(salt, {c.answer}), std::vector{c.verdict}) << c.answer;
    EXPECT_EQ(Texts::Feedback(salt, {c.verdict}), c.said) << c.answer;
  }
  EXPECT_EQ(Texts::BoxAnswers(salt), std::vector<std::string>{"2 : 3"});
  EXPECT_EQ(Texts::AnswerText(salt), "30% разтвор на сол и 40% разтвор на сол в отношение 2 : 3");
}

// The key's own answers, typed into the boxes, are right: "40 кг сплав с 20% мед".
TEST(JudgeBoxes, TakesTheKeysAnswersAsRight) {
  for (const Level level : Levels) {
    for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
      const Problem problem = MakeProblem(7, level, place);
      const std::vector<std::string> answers = Texts::BoxAnswers(problem);
      EXPECT_EQ(JudgeBoxes(problem, answers), std::vector(answers.size(), Verdict::Right))
          << testing::PrintToString(answers);
    }
  }
}

// The right amount in another unit of the same measure is right; a mistake stays that mistake in
// any unit; a unit of another measure is told before the number is looked at.
TEST(Judge, ReadsOtherUnitsOfTheSameMeasure) {
  Problem grams = Made(Kind::MixTwo, {300, 2000, 400, 3000, 360, 5000});
  Problem kilograms = grams;
  kilograms.unit = Unit::Kilogram;
  Problem litres = Made(Kind::MixTwo, {200, 20, 290, 25, 250, 45});  // 2 л and 2,5 л: 4,5 л
  litres.unit = Unit::Litre;
  const struct {
    const Problem& problem;
    Column box;
    std::string answer;
    Verdict verdict;
  } cases[] = {
      {grams, MixWeight, "0,5 кг", Verdict::RightInOtherUnit},
      {grams, MixWeight, "0,0005 т", Verdict::RightInOtherUnit},
      {grams, MixWeight, "500 грама", Verdict::Right},
      {grams, MixWeight, "0,2 кг", Verdict::MassesNotAdded},
      {grams, MixWeight, "5 кг", Verdict::Wrong},
      {grams, MixWeight, "500 мл", Verdict::WrongUnit},
      {grams, MixWeight, "500%", Verdict::WrongUnit},
      {grams, MixPercent, "36 г", Verdict::WrongUnit},
      {grams, MixPercent, "36 процента", Verdict::Right},
      {kilograms, MixWeight, "500 000 г", Verdict::RightInOtherUnit},
      {kilograms, MixWeight, "0,5 т", Verdict::RightInOtherUnit},
      {kilograms, MixWeight, "500 кг", Verdict::Right},
      {litres, MixWeight, "4500 мл", Verdict::RightInOtherUnit},
      {litres, MixWeight, "4,5 литра", Verdict::Right},
      {litres, MixWeight, "4,5 кг", Verdict::WrongUnit},
      {litres, Weight2, "4500 ml", Verdict::MixtureForPart},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Judge(c.problem, c.box, c.answer), c.verdict) << c.answer;
  }
}

TEST(Judge, TellsNoMistakeThatGivesTheRightAnswer) {
  // Equal masses: the average of 30% and 40% is right.
  const Problem equal = Made(Kind::MixTwo, {300, 1000, 400, 1000, 350, 2000});
  EXPECT_EQ(Judge(equal, MixPercent, "35"), Verdict::Right);
  // 10% and water: "10%" is the first part's strength kept, not a sum of percentages.
  const Problem watered = Made(Kind::TopUpWithWater, {100, 4000, 0, 1000, 80, 5000});
  EXPECT_EQ(Judge(watered, MixPercent, "10"), Verdict::Wrong);
  EXPECT_EQ(Judge(watered, MixPercent, "5"), Verdict::AverageOfPercentages);
}

// Digits that make no one number, a number of grams where kilograms are asked, and the new
// mixture given for one of its parts, each with what a teacher says of it. 2,5 кг of copper make
// 10 кг of 60% copper 12,5 кг of 68%; 2 л and 2,5 л of vinegar make 4,5 л; 200 г of 20% and
// 300 г of 40% make 500 г of 32%; 45 г of salt in 255 г of water make 300 г of 15%.
TEST(Judge, TellsWhatANumberLooksLike) {
  const Problem salt = Made(Kind::EachForMixture, {200, 2000, 400, 3000, 320, 5000});
  Problem copper = Made(Kind::AddPure, {600, 100, 1000, 25, 680, 125});
  copper.context = Context::Copper;
  copper.unit = Unit::Kilogram;
  copper.second = Ingredient::PureSubstance;
  Problem vinegar = Made(Kind::EachForMixture, {200, 20, 290, 25, 250, 45});
  vinegar.context = Context::Vinegar;
  vinegar.unit = Unit::Litre;
  Problem dissolving = Made(Kind::Dissolving, {1000, 450, 0, 2550, 150, 3000});
  dissolving.first = Ingredient::PureSubstance;
  dissolving.second = Ingredient::Water;
  constexpr std::string_view OneNumber = "Запиши в полето само едно число, например 12,5.";
  constexpr std::string_view InDigits = "Напиши отговора с цифри, например 12,5.";
  const struct {
    const Problem& problem;
    Column box;
    std::string answer;
    Verdict verdict;
    std::string_view said;
  } cases[] = {
      {salt, MixWeight, "830, 747", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "570 или 760", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "190 + 570 = 760", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "около 500", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "500?", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "500-600", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "1:5", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "5 00", Verdict::NotOneNumber, OneNumber},
      {salt, MixWeight, "петстотин", Verdict::Unreadable, InDigits},
      {salt, MixWeight, "три", Verdict::Unreadable, InDigits},
      {copper, Weight2, "2500", Verdict::GramsForKilograms,
       "Провери мерната единица: отговорът тук е в килограми, а числото ти изглежда в грамове."},
      {copper, Weight2, "2500 г", Verdict::RightInOtherUnit,
       "Вярно е, но запиши отговора в килограми."},
      {copper, Weight2, "2,5", Verdict::Right, "Вярно!"},
      {copper, Weight2, "2500 кг", Verdict::Wrong,
       "Не е вярно: провери пресмятанията и опитай отново."},
      {vinegar, MixWeight, "4500", Verdict::GramsForKilograms,
       "Провери мерната единица: отговорът тук е в литри, а числото ти изглежда в милилитри."},
      {salt, MixWeight, "500000", Verdict::Wrong,
       "Не е вярно: провери пресмятанията и опитай отново."},
      {copper, Weight2, "12,5", Verdict::MixtureForPart,
       "Не е вярно: толкова е получената сплав, а се пита за масата на чистата мед."},
      {salt, Weight1, "500 г", Verdict::MixtureForPart,
       "Не е вярно: толкова е полученият разтвор, а се пита за масата на първия разтвор."},
      {vinegar, Weight2, "4,5", Verdict::MixtureForPart,
       "Не е вярно: толкова е полученият оцет, а се пита за обема на втория оцет."},
      {dissolving, Weight1, "300", Verdict::MixtureForPart,
       "Не е вярно: толкова е полученият разтвор, а се пита за масата на солта."},
      {salt, MixWeight, "200", Verdict::MassesNotAdded,
       "Не е вярно: масата на получения разтвор е сборът от масите на двата разтвора – провери "
       "коя маса се търси."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Judge(c.problem, c.box, c.answer), c.verdict) << c.answer;
    EXPECT_EQ(Texts::Feedback(c.verdict, c.problem, c.box), c.said) << c.answer;
  }
}

// Copper: 2 кг of 20% and 3 кг of 45% make 5 кг of 35%; the boxes ask for both masses.
TEST(JudgeBoxes, AsksForBothAnswersInTheBoxesUnit) {
  Problem copper = Made(Kind::EachForMixture, {200, 20, 450, 30, 350, 50});
  copper.context = Context::Copper;
  copper.unit = Unit::Kilogram;
  copper.sought = {Weight1, Weight2};
  const struct {
    std::vector<std::string> answers;
    std::string said;
  } cases[] = {
      {{"2000 г", "3000 г"}, "Вярно е, но запиши и двата отговора в килограми."},
      {{"2000 г", "3"}, "Вярно е, но запиши първия отговор в килограми."},
      {{"2", "3"}, "Вярно!"},
      {{"2000", "3"},
       "Провери мерната единица: първият отговор тук е в килограми, а числото ти изглежда в "
       "грамове."},
      {{"2", "3 или 4"}, "Запиши във второто поле само едно число, например 12,5."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Texts::Feedback(copper, JudgeBoxes(copper, c.answers)), c.said)
        << testing::PrintToString(c.answers);
  }
}

// Silver: 40 г of 87,5% and 20 г of 65% make 60 г of 80%; the boxes ask for 20 г and 65%.
TEST(JudgeBoxes, TellsSwappedAnswersAndEmptyBoxes) {
  Problem silver = Made(Kind::SecondFromMixture, {875, 400, 650, 200, 800, 600});
  silver.sought = {Weight2, Percent2};
  using enum Verdict;
  const struct {
    std::vector<std::string> answers;
    std::vector<Verdict> verdicts;
  } cases[] = {
      {{"20", "65"}, {Right, Right}},     {{"0,02 кг", "65%"}, {RightInOtherUnit, Right}},
      {{"65", "20"}, {Swapped, Swapped}}, {{"65%", "20 г"}, {Swapped, Swapped}},
      {{"65", "21"}, {Wrong, Wrong}},     {{"20", ""}, {Right, Empty}},
      {{"20", "  "}, {Right, Empty}},     {{"20"}, {Right, Empty}},
      {{"", "abc"}, {Empty, Unreadable}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JudgeBoxes(silver, c.answers), c.verdicts) << testing::PrintToString(c.answers);
  }
}

// The first problem of the practice sheet that asks for two quantities.
Practice TwoBoxPractice() {
  for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
    Practice practice({1, Level::Three, place});
    if (practice.Boxes().size() == 2) {
      return practice;
    }
  }
  throw std::logic_error("no problem asks for two quantities");
}

// What a pupil is told of two boxes: which answer is wrong, swapped or missing; the one answer
// given is judged before the other is asked for.
TEST(Practice, SaysWhichOfTwoAnswersIsWrongSwappedOrMissing) {
  Practice practice = TwoBoxPractice();
  const Problem& problem = practice.Current();
  const auto right = [&problem](std::size_t box) {
    return AnsweredValue(problem, problem.sought[box]).Text();
  };
  const auto wrong = [&problem](std::size_t box) {
    return Tenths{AnsweredValue(problem, problem.sought[box]).count + 3}.Text();
  };
  const struct {
    std::vector<std::string> answers;
    std::string said;  // what the sentence starts with
  } cases[] = {
      {{right(1), right(0)}, "Отговорите са разменени: провери какво се пита във всяко поле."},
      {{right(0), "абв"}, "Напиши втория отговор с цифри, например 12,5."},
      {{right(0), wrong(1)}, "Първият отговор е верен, но вторият не е: "},
      {{wrong(0), right(1)}, "Вторият отговор е верен, но първият не е: "},
      {{wrong(0), wrong(1)}, "Нито един от двата отговора не е верен. Започни с първия: "},
      {{right(0), ""}, "Попълни и второто поле."},
      {{wrong(0), ""}, "Не е вярно: "},
      {{right(0)}, "Попълни и второто поле."},
      {{"", right(1)}, "Попълни и първото поле."},
      {{"", ""}, "Въведи отговорите в полетата."},
      {{right(0), right(1)}, "Вярно!"},
  };
  for (const auto& c : cases) {
    const std::string said = practice.Check(c.answers);
    EXPECT_TRUE(said.starts_with(c.said)) << said << "\n" << Texts::ProblemText(problem);
    EXPECT_EQ(practice.IsSolved(), c.said == "Вярно!") << said;
  }
}

TEST(Practice, AsksForTheOneAnswerUntilItIsRight) {
  Practice practice({1, Level::One, 3});
  ASSERT_EQ(practice.Boxes().size(), 1u);
  const Column box = practice.Current().sought.front();
  EXPECT_EQ(practice.Check({""}), "Въведи отговора в полето.");
  EXPECT_EQ(practice.Check({}), "Въведи отговора в полето.");
  EXPECT_EQ(practice.Check({"abc"}), "Напиши отговора с цифри, например 12,5.");
  EXPECT_FALSE(practice.IsSolved());
  EXPECT_EQ(practice.Check({Texts::AnswerAmount(practice.Current(), box)}), "Вярно!");
  EXPECT_TRUE(practice.IsSolved());
}

// Of two answers, the one a sentence is about is named by its place.
TEST(Texts, SayWhichOfTwoAnswersASentenceIsAbout) {
  Problem silver = Made(Kind::SecondFromMixture, {875, 400, 650, 200, 800, 600});
  silver.context = Context::Silver;
  silver.sought = {Weight2, Percent2};
  using enum Verdict;
  const struct {
    std::vector<Verdict> verdicts;
    std::string sentence;
  } cases[] = {
      {{Right, Right}, "Вярно!"},
      {{RightInOtherUnit, Right}, "Вярно е, но запиши първия отговор в грамове."},
      {{RightInOtherUnit, RightInOtherUnit}, "Вярно е, но запиши и двата отговора в грамове."},
      {{RightInOtherUnit, Wrong},
       "Първият отговор е верен, но вторият не е: провери пресмятанията и опитай отново."},
      {{Right, WrongUnit}, "Провери мерната единица: вторият отговор тук е в проценти."},
      {{MassesNotAdded, Right},
       "Вторият отговор е верен, но първият не е: масата на получената сплав е сборът от масите "
       "на двете сплави – провери коя маса се търси."},
      {{Negative, PartForPercent},
       "Нито един от двата отговора не е верен. Започни с първия: търсеното количество не може да "
       "е "
       "отрицателно число."},
      {{Wrong, Unreadable}, "Напиши втория отговор с цифри, например 12,5."},
      {{Swapped, Swapped}, "Отговорите са разменени: провери какво се пита във всяко поле."},
      {{Empty, Wrong},
       "Не е вярно: провери пресмятанията и опитай отново. Попълни и първото поле."},
      {{Unreadable, Empty},
       "Напиши първия отговор с цифри, например 12,5. Попълни и второто поле."},
      {{RightInOtherUnit, Empty}, "Попълни и второто поле."},
      {{Empty, Empty}, "Въведи отговорите в полетата."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Texts::Feedback(silver, c.verdicts), c.sentence);
  }
}

// No sentence addresses the pupil in the plural, or speaks of the grid's parts in place of the
// problem's things, whatever the answer and the problem.
TEST(Texts, AddressThePupilInTheSingular) {
  std::vector<std::string> said;
  for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
    const Problem problem = MakeProblem(1, Level::Mixed, place);
    for (int verdict = 0; verdict <= static_cast<int>(Verdict::NotARatio); ++verdict) {
      said.push_back(Texts::Feedback(static_cast<Verdict>(verdict), problem, problem.sought[0]));
      if (BoxesOf(problem).size() < 2) {
        continue;
      }
      said.push_back(Texts::Feedback(problem, {static_cast<Verdict>(verdict), Verdict::Right}));
      said.push_back(Texts::Feedback(problem, {Verdict::Right, static_cast<Verdict>(verdict)}));
      said.push_back(Texts::Feedback(problem, {static_cast<Verdict>(verdict), Verdict::Wrong}));
    }
  }
  for (const std::string& sentence : said) {
    EXPECT_FALSE(sentence.empty());
    for (const std::string_view plural :
         {"проверете", "Проверете", "напишете", "Напишете", "опитайте", "Опитайте", "запишете",
          "Запишете", "въведете", "Въведете", "попълнете", "Попълнете", "помислете", "Помислете",
          "умножете", "Умножете", "сместа", "съставк"}) {
      EXPECT_EQ(sentence.find(plural), std::string::npos) << sentence;
    }
  }
}

// Every sentence about one answer, as a pupil reads it.
TEST(Texts, SayWhatAnAnswerLooksLike) {
  Problem salt = Made(Kind::AddWater, {100, 4000, 0, 1000, 80, 5000});
  Problem vinegar = salt;
  vinegar.context = Context::Vinegar;
  vinegar.unit = Unit::Litre;
  Problem copper = Made(Kind::AddPure, {600, 100, 1000, 25, 680, 125});
  copper.context = Context::Copper;
  copper.unit = Unit::Kilogram;
  const struct {
    Verdict verdict;
    const Problem& problem;
    Column box;
    std::string sentence;
  } cases[] = {
      {Verdict::Right, salt, Weight2, "Вярно!"},
      {Verdict::RightInOtherUnit, salt, Weight2, "Вярно е, но запиши отговора в грамове."},
      {Verdict::RightInOtherUnit, copper, Weight2, "Вярно е, но запиши отговора в килограми."},
      {Verdict::Unreadable, salt, Weight2, "Напиши отговора с цифри, например 12,5."},
      {Verdict::WrongUnit, salt, MixPercent,
       "Провери мерната единица: отговорът тук е в проценти."},
      {Verdict::WrongUnit, vinegar, Weight2, "Провери мерната единица: отговорът тук е в литри."},
      {Verdict::AverageOfPercentages, salt, MixPercent,
       "Не е вярно: процентното съдържание на сол в получения разтвор не е средното аритметично "
       "на двата процента – то зависи и от масите на двата разтвора."},
      {Verdict::MassesNotAdded, salt, MixWeight,
       "Не е вярно: масата на получения разтвор е сборът от масите на двата разтвора – провери "
       "коя маса се търси."},
      {Verdict::MassesNotAdded, vinegar, MixWeight,
       "Не е вярно: обемът на получения оцет е сборът от обемите на двата вида оцет – провери "
       "кой обем се търси."},
      {Verdict::PercentAsWholeNumber, salt, MixPercent,
       "Не е вярно: изглежда, че процентът е използван като цяло число, а не като стотни (30% = "
       "30 : 100 = 0,3)."},
      {Verdict::PartForPercent, salt, MixPercent,
       "Не е вярно: това е частта като десетична дроб, а не процентът – умножи я по 100."},
      {Verdict::PercentagesAdded, salt, MixPercent,
       "Не е вярно: процентите на двата разтвора не се събират – процентното съдържание на сол в "
       "получения разтвор е между тях."},
      {Verdict::RemainingForEvaporated, salt, Weight2,
       "Не е вярно: толкова е разтворът след изпаряването, а се пита колко вода се е изпарила."},
      {Verdict::MixtureForAddedWater, salt, Weight2,
       "Не е вярно: толкова е разтворът след доливането, а се пита колко вода е долята."},
      {Verdict::MixtureForAddedWater, vinegar, Weight2,
       "Не е вярно: толкова е оцетът след доливането, а се пита колко вода е долята."},
      {Verdict::SubstanceForAddedWater, salt, Weight2,
       "Не е вярно: толкова грама сол има и преди, и след доливането, а се пита колко вода е "
       "долята."},
      {Verdict::SubstanceForAddedWater, vinegar, Weight2,
       "Не е вярно: толкова литра оцетна киселина има и преди, и след доливането, а се пита колко "
       "вода е долята."},
      {Verdict::OldMassForAddedPure, copper, Weight2,
       "Не е вярно: когато добавяме чиста мед, масата расте, затова новият процент се пресмята от "
       "новата маса, а не от старата. Помисли кое не се променя."},
      {Verdict::Negative, salt, Weight2,
       "Не е вярно: търсеното количество не може да е отрицателно число."},
      {Verdict::Wrong, salt, Weight2, "Не е вярно: провери пресмятанията и опитай отново."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Texts::Feedback(c.verdict, c.problem, c.box), c.sentence);
  }
}

}  // namespace
