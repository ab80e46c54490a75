#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "form/practice.h"
#include "form/problem_text.h"
#include "form/texts.h"
#include "problems/problem.h"
#include "problems/random.h"
#include "tests/problem_where.h"

// Failures name where a problem comes from.
void PrintTo(const Problem& problem, std::ostream* out) {
  *out << "sheet " << problem.source.sheet << ", level " << static_cast<int>(problem.source.level)
       << ", place " << problem.source.place;
}

namespace {

constexpr std::int32_t SheetsChecked = 2000;

std::string Written(const Problem& problem, Column column) {
  return Texts::AnswerAmount(problem, column);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A number written in a text, not the end of a longer one: "8%" is not in "18%" nor "1,8%".
bool HoldsNumber(const std::string& text, const std::string& number) {
  for (std::size_t at = text.find(number); at != std::string::npos;
       at = text.find(number, at + 1)) {
    const char before = at == 0 ? ' ' : text[at - 1];
    if (!IsDigit(before) && before != ',') {
      return true;
    }
  }
  return false;
}

bool IsWaterOrPure(Ingredient ingredient) {
  return ingredient == Ingredient::Water || ingredient == Ingredient::PureSubstance;
}

// The givens that water and the pure substance carry in their name instead of a number.
bool IsNamedNotWritten(const Problem& problem, Column column) {
  return (column == Percent2 && IsWaterOrPure(problem.second)) ||
         (column == Percent1 && IsWaterOrPure(problem.first));
}

// Two solutions mixed, whose mixture the water's step starts from.
std::string BrokenFirstStep(const Problem& p) {
  const Problem first = FirstStepOf(p);
  const auto count = [&first](Column column) { return first.Value(column).count; };
  if (count(Weight1) + count(Weight2) != count(MixWeight) ||
      count(Weight1) * count(Percent1) + count(Weight2) * count(Percent2) !=
          count(MixWeight) * count(MixPercent)) {
    return "the first step does not add up";
  }
  if (first.Value(MixPercent) != p.Value(Percent1) || first.Value(MixWeight) != p.Value(Weight1) ||
      p.second != Ingredient::Water) {
    return "the second step does not pour water into the first step's mixture";
  }
  if (std::min(count(Percent1), count(Percent2)) <= 0 ||
      std::max(count(Percent1), count(Percent2)) >= 1000) {
    return "the first step mixes no two solutions";
  }
  return "";
}

std::string BrokenNumbers(const Problem& p) {
  const std::int64_t p1 = p.Value(Percent1).count, w1 = p.Value(Weight1).count;
  const std::int64_t p2 = p.Value(Percent2).count, w2 = p.Value(Weight2).count;
  const std::int64_t pm = p.Value(MixPercent).count, wm = p.Value(MixWeight).count;
  if (w1 + w2 != wm) {
    return "the masses do not add up";
  }
  if (w1 * p1 + w2 * p2 != wm * pm) {
    return "the substance does not add up";
  }
  if (w1 <= 0 || (w2 <= 0) != WaterLeft(p)) {
    return "a mass is not above zero, or water that leaves is";
  }
  // Only salt or sugar dissolved in water comes first, as 100%.
  const bool dissolved = p.first == Ingredient::PureSubstance && p.second == Ingredient::Water;
  if ((p1 == 1000) != dissolved) {
    return "100% first where nothing is dissolved in water";
  }
  if (p1 <= 0 || p1 > 1000 || pm <= 0 || pm >= 1000) {
    return "0% or 100 % outside water";
  }
  if ((p2 == 0) != (p.second == Ingredient::Water)) {
    return "0% is not water";
  }
  if ((p2 == 1000) != (p.second == Ingredient::PureSubstance)) {
    return "100% is not pure";
  }
  if (p2 < 0 || p2 > 1000) {
    return "a percentage outside 0 to 100";
  }
  // Evaporation is a mixing read backwards: the solution at the start lies between the water
  // and what remains.
  const std::int64_t between = WaterLeft(p) ? p1 : pm;
  const std::int64_t outer = WaterLeft(p) ? pm : p1;
  if (!(std::min(outer, p2) < between && between < std::max(outer, p2))) {
    return "the mixture not between";
  }
  return p.firstStep ? BrokenFirstStep(p) : "";
}

std::string BrokenQuestion(const Problem& p) {
  if (p.sought.empty() || p.sought.size() > 2) {
    return "one or two quantities are asked for";
  }
  for (const Column column : p.sought) {
    if (p.IsGiven(column)) {
      return "a given is asked for";
    }
  }
  if (p.source.level != Level::Mixed && p.level != p.source.level) {
    return "another level";
  }
  return "";
}

std::string BrokenText(const Problem& p) {
  const std::string text = Texts::ProblemText(p);
  for (const Column column : AllColumns) {
    const std::string number = Written(p, column);
    if (p.IsGiven(column) && !IsNamedNotWritten(p, column) && !HoldsNumber(text, number)) {
      return "the given " + number + " is not written";
    }
  }
  if (p.firstStep) {
    const Problem first = FirstStepOf(p);
    for (const Column column : {Percent1, Weight1, Percent2, Weight2}) {
      if (!HoldsNumber(text, Written(first, column))) {
        return "the first step's " + Written(first, column) + " is not written";
      }
    }
  }
  for (const Column column : p.sought) {
    const std::string number = Written(p, column);
    const bool alsoGiven = std::any_of(AllColumns.begin(), AllColumns.end(), [&](Column given) {
      return p.IsGiven(given) && Written(p, given) == number;
    });
    if (!alsoGiven && HoldsNumber(text, number)) {
      return "the answer " + number + " is told";
    }
  }
  // Only the substance of a given solution asked: its water goes without saying.
  const bool substanceOfAGivenSolution =
      p.IsGiven(MixWeight) && p.sought == std::vector<Column>{Weight1};
  if (p.second == Ingredient::Water && !substanceOfAGivenSolution &&
      text.find("вода") == std::string::npos) {
    return "water is not named";
  }
  if (p.second == Ingredient::PureSubstance && text.find("чист") == std::string::npos) {
    return "the pure substance is not named";
  }
  for (const std::string_view wrong : {"{", "}", "  "}) {
    if (text.find(wrong) != std::string::npos) {
      return "the text has \"" + std::string(wrong) + "\"";
    }
  }
  for (std::size_t at = text.find('.'); at != std::string::npos; at = text.find('.', at + 1)) {
    if (at > 0 && IsDigit(text[at - 1]) && at + 1 < text.size() && IsDigit(text[at + 1])) {
      return "a decimal point instead of a comma";
    }
  }
  for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
    if (at < 1 || !IsDigit(text[at - 1])) {
      return "a % not close to a number";
    }
  }
  // Two alloys put together are melted together, not only added.
  const bool twoAlloys = p.first == Ingredient::Solution && p.second == Ingredient::Solution &&
                         text.find("сплав") != std::string::npos;
  if (twoAlloys && text.find("добавиха") != std::string::npos &&
      text.find("стопиха") == std::string::npos) {
    return "two alloys added, not melted together";
  }
  // Once the substance is said, a solution is "15% разтвор": never three times "разтвор на сол".
  for (const std::string_view named : {"разтвор на сол", "разтвор на спирт", "захарен разтвор"}) {
    std::size_t count = 0;
    for (std::size_t at = text.find(named); at != std::string::npos;
         at = text.find(named, at + 1)) {
      ++count;
    }
    if (count > 2) {
      return "\"" + std::string(named) + "\" three times";
    }
  }
  if (!text.ends_with('?')) {
    return "no question at the end";
  }
  return "";
}

class EverySheet : public testing::TestWithParam<Level> {};

TEST_P(EverySheet, GivesSoundProblemsWithTheirGivensWritten) {
  int faults = 0;
  for (std::int32_t sheet = 1; sheet <= SheetsChecked && faults < 5; ++sheet) {
    for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
      const Problem problem = MakeProblem(sheet, GetParam(), place);
      for (const std::string& broken :
           {BrokenNumbers(problem), BrokenQuestion(problem), BrokenText(problem)}) {
        if (!broken.empty()) {
          ADD_FAILURE() << Where(problem) << broken;
          ++faults;
        }
      }
      const Problem again = MakeProblem(sheet, GetParam(), place);
      EXPECT_EQ(again, problem) << Where(problem);
      EXPECT_EQ(Texts::ProblemText(again), Texts::ProblemText(problem));
    }
  }
}

std::string LevelTestName(const testing::TestParamInfo<Level>& level) {
  constexpr std::array<const char*, 4> Names = {"One", "Two", "Three", "Mixed"};
  return Names[static_cast<std::size_t>(level.param)];
}

INSTANTIATE_TEST_SUITE_P(Levels, EverySheet, testing::ValuesIn(Levels), LevelTestName);

TEST(Sheets, CoverEveryVariantAndEveryKindInEveryContextThatHasIt) {
  std::set<VariantIndex> variants;
  std::set<std::pair<Context, Kind>> made;
  for (const Level level : Levels) {
    for (std::int32_t sheet = 1; sheet <= SheetsChecked; ++sheet) {
      std::set<VariantIndex> onSheet;
      for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
        const Problem problem = MakeProblem(sheet, level, place);
        variants.insert(problem.variant);
        made.insert({problem.context, problem.kind});
        if (place < 7) {
          onSheet.insert(problem.variant);
        }
      }
      if (level == Level::Mixed) {
        EXPECT_GE(onSheet.size(), 5u) << "sheet " << sheet;
      }
    }
  }
  EXPECT_EQ(variants.size(), static_cast<std::size_t>(VariantCount));
  for (const Context context : Contexts) {
    for (const Kind kind : Kinds) {
      EXPECT_EQ(made.contains({context, kind}), RecipeOf(context, kind).has_value())
          << "context " << static_cast<int>(context) << ", kind " << static_cast<int>(kind);
    }
  }
}

TEST(Sheets, AreTheirPlacesInOrder) {
  for (const Level level : Levels) {
    for (const std::int32_t sheet : {1, 77, LastSheet}) {
      for (std::int32_t count = MinSheetSize; count <= MaxSheetSize; ++count) {
        const std::vector<Problem> problems = MakeSheet(sheet, level, count);
        ASSERT_EQ(problems.size(), static_cast<std::size_t>(count));
        for (std::int32_t place = 0; place < count; ++place) {
          EXPECT_EQ(problems[static_cast<std::size_t>(place)], MakeProblem(sheet, level, place));
        }
      }
    }
  }
}

TEST(Sheets, RefuseWhatIsNoSheetPlaceOrSize) {
  EXPECT_THROW(MakeProblem(0, Level::One, 0), std::out_of_range);
  EXPECT_THROW(MakeProblem(LastSheet + 1, Level::One, 0), std::out_of_range);
  EXPECT_THROW(MakeProblem(1, Level::One, -1), std::out_of_range);
  EXPECT_THROW(MakeProblem(1, Level::One, MaxSheetSize), std::out_of_range);
  EXPECT_THROW(MakeSheet(1, Level::Two, MinSheetSize - 1), std::out_of_range);
  EXPECT_THROW(MakeSheet(1, Level::Two, MaxSheetSize + 1), std::out_of_range);
}

struct Pinned {
  std::int32_t sheet;
  Level level;
  std::int32_t place;
  std::array<std::int64_t, ColumnCount> tenths;
  std::vector<Column> sought;
  std::string text;
  std::optional<std::array<std::int64_t, ColumnCount>> firstStep = {};
};

// The same problems on every platform: a change in the draws or the wordings shows here.
TEST(Sheets, GiveThePinnedProblemsEverywhere) {
  const Pinned pinned[] = {
      {1,
       Level::One,
       0,
       {1000, 660, 0, 3740, 150, 4400},
       {MixWeight, Weight2},
       "Колко грама 15% разтвор може да се приготви от 66 г захар и колко грама вода са нужни за "
       "това?"},
      {1,
       Level::One,
       1,
       {960, 5250, 0, 2250, 672, 7500},
       {MixPercent},
       "Към 525 г 96% разтвор на спирт доляха вода до 750 г. Какво е процентното съдържание на "
       "спирт в получения разтвор?"},
      {1,
       Level::One,
       2,
       {1000, 1500, 0, 4750, 240, 6250},
       {Weight1, Weight2},
       "Колко грама сол и колко грама вода са нужни, за да се приготвят 625 г 24% разтвор?"},
      {1,
       Level::One,
       3,
       {1000, 820, 0, 3280, 200, 4100},
       {Weight1},
       "Колко грама сол има в 410 г 20% разтвор?"},
      {1,
       Level::One,
       6,
       {200, 300, 1000, 100, 400, 400},
       {Weight2},
       "Колко килограма чист калай трябва да се добавят към 30 кг сплав с 20% калай, за да стане "
       "процентното съдържание на калай 40%?"},
      {1,
       Level::Two,
       0,
       {100, 120, 400, 600, 350, 720},
       {Weight1},
       "Колко килограма сплав с 10% калай трябва да се стопят заедно с 60 кг сплав с 40% калай, за "
       "да се получи сплав с 35% калай?"},
      {1,
       Level::Two,
       1,
       {750, 240, 0, 60, 600, 300},
       {Weight1},
       "След като към напитка със 75% плодов сок доляха 6 л вода, процентното съдържание на плодов "
       "сок намаля на 60%. Колко литра е била първоначалната напитка?"},
      {1,
       Level::Two,
       2,
       {450, 120, 850, 200, 700, 320},
       {Percent2},
       "Към 12 л напитка с 45% плодов сок добавиха 20 л друга напитка и получиха напитка със 70% "
       "плодов сок. Колко процента плодов сок има във втората напитка?"},
      {1,
       Level::Three,
       0,
       {650, 100, 350, 200, 450, 300},
       {Weight1, Weight2},
       "Стопиха заедно сплав с 65% мед със сплав с 35% мед и получиха сплав с 45% мед. В какво "
       "отношение са взети двете сплави?"},
      {1,
       Level::Three,
       1,
       {200, 525, 800, 375, 450, 900},
       {Weight1, Weight2},
       "Колко килограма сплав с 20% мед и колко килограма сплав с 80% мед трябва да стопим заедно, "
       "за да получим 90 кг сплав с 45% мед?"},
      {1,
       Level::Three,
       2,
       {160, 3750, 0, 2250, 100, 6000},
       {Weight2},
       "Смесиха 250 г 14% и 125 г 20% разтвор на сол. Колко грама вода трябва да се долеят към "
       "получения разтвор, за да стане процентното съдържание на сол 10%?",
       {{140, 2500, 200, 1250, 160, 3750}}},
      {1,
       Level::Three,
       3,
       {650, 300, 0, 25, 600, 325},
       {MixPercent},
       "Смесиха 10 л напитка с 35% плодов сок и 20 л напитка с 80% плодов сок, а след това доляха "
       "2,5 л вода. Колко процента плодов сок има в новата напитка?",
       {{350, 100, 800, 200, 650, 300}}},
      {1,
       Level::Mixed,
       10,
       {100, 3600, 0, -1800, 200, 1800},
       {MixPercent},
       "Смесиха 240 г 8% и 120 г 14% захарен разтвор, а след това изпариха 180 г вода. Колко "
       "процента захар има в новия разтвор?",
       {{80, 2400, 140, 1200, 100, 3600}}},
      {1,
       Level::Mixed,
       3,
       {100, 50, 56, 500, 60, 550},
       {Percent2},
       "От 5 л 10% оцет и 50 л друг оцет получиха 6% оцет. Какъв процент оцетна киселина съдържа "
       "вторият оцет?"},
      {1,
       Level::One,
       8,
       {100, 150, 50, 600, 60, 750},
       {MixPercent},
       "Смесиха 15 л 10% оцет и 60 л 5% оцет. Какво е процентното съдържание на оцетна киселина в "
       "получения оцет?"},
      {1,
       Level::One,
       4,
       {240, 1900, 0, 5700, 60, 7600},
       {Weight2},
       "Колко грама вода трябва да се долеят към 190 г 24% разтвор на сол, за да стане процентното "
       "съдържание на сол 6%?"},
      {1,
       Level::One,
       7,
       {1000, 2250, 0, 2750, 450, 5000},
       {MixPercent},
       "В 275 г вода разтвориха 225 г захар. Колко процента е захарта в получения разтвор?"},
      {1,
       Level::One,
       5,
       {100, 7200, 0, -3200, 180, 4000},
       {Weight2},
       "От 720 г 10% захарен разтвор се изпарява вода, докато процентното съдържание на захар "
       "стане 18%. Колко грама вода са се изпарили?"},
      {1,
       Level::Two,
       3,
       {900, 960, 650, 1440, 750, 2400},
       {Weight2, Percent2},
       "От 96 г сплав с 90% злато и друга сплав получиха 240 г сплав със 75% злато. Колко грама от "
       "втората сплав са използвани и какъв процент злато съдържа тя?"},
      {1,
       Level::Two,
       4,
       {140, 280, 0, -224, 700, 56},
       {MixWeight},
       "Изсушиха 28 кг пресни сливи с 86% вода и получиха сушени сливи с 30% вода. Колко килограма "
       "са получените сушени сливи?"},
  };
  for (const Pinned& expected : pinned) {
    const Problem problem = MakeProblem(expected.sheet, expected.level, expected.place);
    std::array<std::int64_t, ColumnCount> tenths{};
    std::transform(problem.values.begin(), problem.values.end(), tenths.begin(),
                   [](Tenths value) { return value.count; });
    EXPECT_EQ(tenths, expected.tenths) << Where(problem);
    EXPECT_EQ(problem.sought, expected.sought) << Where(problem);
    EXPECT_EQ(Texts::ProblemText(problem), expected.text);
    ASSERT_EQ(problem.firstStep.has_value(), expected.firstStep.has_value()) << Where(problem);
    if (problem.firstStep) {
      std::transform(problem.firstStep->begin(), problem.firstStep->end(), tenths.begin(),
                     [](Tenths value) { return value.count; });
      EXPECT_EQ(tenths, *expected.firstStep) << Where(problem);
    }
  }
}

// Past the last place comes the next sheet, past the last sheet the first, at the same level.
TEST(Practice, GoesOnToTheNextPlaceAndSheet) {
  struct Step {
    ProblemSource from;
    bool wholeSheet;  // "Друг лист" rather than "Нова задача"
    ProblemSource to;
  };
  const Step steps[] = {
      {{5, Level::Two, 3}, false, {5, Level::Two, 4}},
      {{5, Level::Two, MaxSheetSize - 1}, false, {6, Level::Two, 0}},
      {{LastSheet, Level::Three, MaxSheetSize - 1}, false, {FirstSheet, Level::Three, 0}},
      {{5, Level::One, 3}, true, {6, Level::One, 0}},
      {{LastSheet, Level::Mixed, 7}, true, {FirstSheet, Level::Mixed, 0}},
  };
  for (const Step& step : steps) {
    Practice practice(step.from);
    step.wholeSheet ? practice.NextSheet() : practice.Next();
    EXPECT_EQ(practice.Source(), step.to) << step.from.sheet << ", " << step.from.place;
  }
}

// The first hint is what is given, what is sought and where that sits in the grid; the table
// comes next, after x is introduced where there is an equation; the answer only with the whole
// solution.
TEST(SplitMix64, DrawsTheReferenceSequence) {
  SplitMix64 random(1234567);
  const std::array<std::uint64_t, 5> expected = {6457827717110365317u, 3203168211198807973u,
                                                 9817491932198370423u, 4593380528125082431u,
                                                 16408922859458223821u};
  for (const std::uint64_t value : expected) {
    EXPECT_EQ(random.Next(), value);
  }
}

// Below 2^63 + 1 the bottom 2^63 − 1 draws are uneven: the first two draws of this seed fall
// there and are drawn again. Both sequences were worked out apart from this code.
TEST(SplitMix64, DrawsBelowABoundWithoutFavouringAny) {
  SplitMix64 wide(1234567);
  for (const std::uint64_t value : {594119895343594614u, 7185550822603448012u}) {
    EXPECT_EQ(wide.Below((std::uint64_t{1} << 63) + 1), value);
  }
  SplitMix64 die(1234567);
  for (const std::uint64_t value : {3u, 1u, 3u, 1u, 5u, 0u, 3u, 1u}) {
    EXPECT_EQ(die.Below(6), value);
  }
}

TEST(Tenths, WriteTheDecimalCommaAndOnlyThePlacesNeeded) {
  const std::pair<std::int64_t, std::string> cases[] = {
      {125, "12,5"}, {3000, "300"}, {5, "0,5"}, {0, "0"}, {-15, "−1,5"}, {12000, "1200"}};
  for (const auto& [count, text] : cases) {
    EXPECT_EQ(Tenths{count}.Text(), text);
  }
  EXPECT_EQ(Tenths{125}.Text("."), "12.5");  // as an English desktop's cells take it
  EXPECT_EQ(Tenths{125}.ToDouble(), 12.5);
  EXPECT_EQ(Tenths{1}.ToDouble(), 0.1);
}

Problem HandMade(std::array<std::int64_t, ColumnCount> tenths, VariantIndex variant,
                 Ingredient second = Ingredient::Solution) {
  Problem problem;
  problem.variant = variant;
  problem.second = second;
  for (std::size_t column = 0; column < tenths.size(); ++column) {
    problem.values[column] = Tenths{tenths[column]};
  }
  return problem;
}

TEST(Texts, NameTheLevels) {
  EXPECT_EQ(Texts::LevelName(Level::One), "Ниво 1");
  EXPECT_EQ(Texts::LevelName(Level::Two), "Ниво 2");
  EXPECT_EQ(Texts::LevelName(Level::Three), "Ниво 3");
  EXPECT_EQ(Texts::LevelName(Level::Mixed), "Смесени");
}

struct LabelCase {
  Context context;
  Unit unit;
  Kind kind;
  VariantIndex variant;
  Ingredient first;
  Ingredient second;
  Column column;
  std::string label;
  std::string unitText;
  std::string answer;  // after "Отговор:", where the box is the only one
};

TEST(Texts, LabelTheAnswerBoxes) {
  const LabelCase cases[] = {
      {Context::Salt, Unit::Gram, Kind::AddWater, 1, Ingredient::Solution, Ingredient::Water,
       Weight2, "Колко грама вода?", "г", "9 г вода"},
      {Context::Copper, Unit::Kilogram, Kind::AddPure, 1, Ingredient::Solution,
       Ingredient::PureSubstance, Weight2, "Колко килограма чиста мед?", "кг", "9 кг чиста мед"},
      {Context::Salt, Unit::Gram, Kind::MixTwo, 0, Ingredient::Solution, Ingredient::Solution,
       MixPercent, "Колко процента сол има в получения разтвор?", "%", "8%"},
      {Context::Salt, Unit::Gram, Kind::SecondFromMixture, 5, Ingredient::Solution,
       Ingredient::Solution, Weight2, "Колко грама е вторият разтвор?", "г", "9 г"},
      {Context::Tin, Unit::Kilogram, Kind::SecondFromMixture, 5, Ingredient::Solution,
       Ingredient::Solution, Percent2, "Колко процента калай има във втората сплав?", "%", "100%"},
      {Context::Milk, Unit::Litre, Kind::FirstForMixture, 4, Ingredient::Solution,
       Ingredient::Solution, MixWeight, "Колко литра е полученото мляко?", "л", "10 л"},
      {Context::Vinegar, Unit::Litre, Kind::EachForMixture, 6, Ingredient::Concentrate,
       Ingredient::Water, Weight1, "Колко литра 80% оцетна есенция?", "л",
       "1 л 80% оцетна есенция"},
  };
  for (const LabelCase& c : cases) {
    Problem problem = HandMade({800, 10, c.second == Ingredient::Water ? 0 : 1000, 90, 80, 100},
                               c.variant, c.second);
    problem.context = c.context;
    problem.unit = c.unit;
    problem.kind = c.kind;
    problem.first = c.first;
    problem.sought = {c.column};
    EXPECT_EQ(Texts::AnswerLabel(problem, c.column), c.label);
    EXPECT_EQ(Texts::AnswerUnit(problem, c.column), c.unitText);
    EXPECT_EQ(Texts::AnswerText(problem), c.answer);
  }
}

// Two answers in the order the problem asks them, each naming what it counts where its box does;
// two about one part in one phrase.
TEST(Texts, AnswerInTheOrderOfTheBoxes) {
  Problem alloys = HandMade({200, 400, 450, 100, 250, 500}, 6);
  alloys.context = Context::Copper;
  alloys.unit = Unit::Kilogram;
  alloys.kind = Kind::EachForMixture;
  alloys.sought = {Weight1, Weight2};
  EXPECT_EQ(Texts::AnswerText(alloys), "40 кг сплав с 20% мед и 10 кг сплав с 45% мед");
  // Milk's fat content is its "масленост".
  Problem milk = HandMade({20, 400, 45, 100, 25, 500}, 6);
  milk.context = Context::Milk;
  milk.unit = Unit::Litre;
  milk.kind = Kind::EachForMixture;
  milk.sought = {Weight1, Weight2};
  EXPECT_EQ(Texts::AnswerText(milk), "40 л мляко с масленост 2% и 10 л мляко с масленост 4,5%");
  Problem silver = HandMade({875, 400, 650, 200, 800, 600}, 5);
  silver.context = Context::Silver;
  silver.kind = Kind::SecondFromMixture;
  silver.sought = {Weight2, Percent2};
  EXPECT_EQ(Texts::AnswerText(silver), "20 г сплав с 65% сребро");
}

// "със" before a number said with "с": седемдесет и пет, седем.
TEST(Texts, SaySasBeforeANumberSaidWithS) {
  Problem problem = HandMade({750, 140, 900, 70, 800, 210}, 4);
  problem.context = Context::Gold;
  problem.kind = Kind::FirstForMixture;
  problem.wording = 1;
  EXPECT_EQ(
      Texts::ProblemText(problem),
      "Колко грама сплав със 75% злато трябва да се стопят заедно със 7 г сплав с 90% злато, за "
      "да се получи сплав с 80% злато?");
  EXPECT_EQ(Texts::AnswerLabel(problem, Weight1), "Колко грама сплав със 75% злато?");
}

}  // namespace
