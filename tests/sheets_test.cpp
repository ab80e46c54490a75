#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "form/problem_text.h"
#include "problems/problem.h"
#include "tests/problem_where.h"
#include "worksheet/fraction.h"

namespace {

constexpr std::int32_t PropertySheets = 1000;

std::int64_t Count(const Problem& problem, Column column) {
  return problem.Value(column).count;
}

// The decimal places of a number as the board writes it: "20,475" has 3.
std::size_t PlacesOf(const Fraction& value) {
  const std::string text = *DecimalText(value, ",");
  const std::size_t comma = text.find(',');
  return comma == std::string::npos ? 0 : text.size() - comma - 1;
}

// mass · percent : 100, both given in tenths.
Fraction WorkedShare(std::int64_t mass, std::int64_t percent) {
  return Fraction::Of(mass * percent, 10000);
}

std::string BrokenBalances(const Problem& p) {
  const bool masses = Count(p, Weight1) + Count(p, Weight2) == Count(p, MixWeight);
  const bool substance =
      Count(p, Weight1) * Count(p, Percent1) + Count(p, Weight2) * Count(p, Percent2) ==
      Count(p, MixWeight) * Count(p, MixPercent);
  return masses && substance ? "" : "a balance does not hold";
}

// Each part's substance, its water where water or the pure substance is added, and the whole's
// mass: one decimal place at "Ниво 1", two elsewhere.
std::string BrokenWorking(const Problem& p) {
  const std::size_t allowed = p.level == Level::One ? 1 : 2;
  const bool waterWorked = p.second == Ingredient::Water || p.second == Ingredient::PureSubstance;
  for (const auto& [weight, percent] :
       {std::pair{Weight1, Percent1}, {Weight2, Percent2}, {MixWeight, MixPercent}}) {
    const std::int64_t mass = Count(p, weight);
    std::vector<Fraction> worked = {WorkedShare(mass, Count(p, percent)), Fraction::Of(mass, 10)};
    if (waterWorked) {
      worked.push_back(WorkedShare(mass, 1000 - Count(p, percent)));
    }
    for (const Fraction& number : worked) {
      if (PlacesOf(number) > allowed) {
        return "the working has " + *DecimalText(number, ",");
      }
    }
  }
  return "";
}

bool AreApart(const Problem& p, Column a, Column b) {
  const std::int64_t gap = std::abs(Count(p, a) - Count(p, b));
  const std::int64_t larger = std::max(Count(p, a), Count(p, b));
  const bool narrow = p.context == Context::Milk || p.context == Context::Vinegar;
  return narrow ? 4 * gap >= larger : gap >= 50;
}

std::string BrokenGap(const Problem& p) {
  const bool becomes = p.second == Ingredient::Water || p.second == Ingredient::PureSubstance;
  if (!AreApart(p, Percent1, Percent2) || (becomes && !AreApart(p, Percent1, MixPercent))) {
    return "percentages too close to teach anything";
  }
  return "";
}

std::string BrokenUnit(const Problem& p) {
  for (const Column column : {Weight1, Weight2, MixWeight}) {
    if (p.unit == Unit::Gram && std::abs(Count(p, column)) >= 10000) {
      return "1000 г or more written in grams";
    }
  }
  const std::string text = Texts::ProblemText(p) + Texts::AnswerText(p);
  if (p.unit == Unit::Kilogram && text.find(" г ") != std::string::npos) {
    return "grams in a problem in kilograms";
  }
  return "";
}

// An answer a pupil could copy from the problem, or that a typical mistake gives too, teaches
// nothing: another of the six numbers, or the average where the parts weigh the same. A ratio
// gives no mass to copy, but 1 : 1 is that average.
std::string BrokenAnswer(const Problem& p) {
  if (p.asked == Asked::Ratio) {
    return Count(p, Weight1) == Count(p, Weight2) ? "a ratio of 1 : 1" : "";
  }
  for (const Column sought : p.sought) {
    for (const Column other : AllColumns) {
      if (other != sought && std::abs(Count(p, other)) == AnsweredValue(p, sought).count) {
        return "an answer that stands in the problem or in the other box";
      }
    }
  }
  if (p.firstStep) {
    for (const Tenths value : *p.firstStep) {
      if (std::abs(value.count) == AnsweredValue(p, p.sought.front()).count) {
        return "an answer that the first step gives or states";
      }
    }
  }
  const bool percentage = std::any_of(p.sought.begin(), p.sought.end(), [&p](Column column) {
    return UnitOf(p, column) == Unit::Percent;
  });
  if (percentage && Count(p, Weight1) == std::abs(Count(p, Weight2))) {
    return "parts of one mass, where the average of the percentages is right";
  }
  return "";
}

// Two steps whose amounts repeat one another read as made up: "89 г и 89 г …, изпариха 89 г".
std::string BrokenAmounts(const Problem& p) {
  const Problem first = FirstStepOf(p);
  const std::int64_t water = std::abs(Count(p, Weight2));
  if (Count(first, Weight1) == Count(first, Weight2) || water == Count(first, Weight1) ||
      water == Count(first, Weight2)) {
    return "two steps whose amounts repeat";
  }
  return "";
}

// A problem's faults, and those of its first step where it has two.
std::vector<std::string> Broken(const Problem& p) {
  std::vector<std::string> broken = {BrokenBalances(p), BrokenWorking(p), BrokenGap(p),
                                     BrokenUnit(p), BrokenAnswer(p)};
  if (p.firstStep) {
    broken.push_back(BrokenAmounts(p));
    const Problem first = FirstStepOf(p);
    for (const std::string& fault :
         {BrokenBalances(first), BrokenWorking(first), BrokenGap(first)}) {
      broken.push_back(fault.empty() ? fault : "first step: " + fault);
    }
  }
  return broken;
}

// Over sheets 1 to 1000 of every level, each problem keeps the school's numbers, and a sheet
// repeats no problem, nor a kind in a context while the kind has a context left.
TEST(Sheets, KeepTheSchoolsNumbersAndRepeatNothing) {
  int faults = 0;
  for (const Level level : Levels) {
    for (std::int32_t sheet = 1; sheet <= PropertySheets && faults < 5; ++sheet) {
      const std::vector<Problem> problems = MakeSheet(sheet, level, MaxSheetSize);
      std::map<std::pair<Kind, Context>, int> told;
      std::map<Kind, std::set<Context>> contextsOf;
      std::map<Kind, int> kinds;
      std::set<std::tuple<std::array<Tenths, ColumnCount>,
                          std::optional<std::array<Tenths, ColumnCount>>, Kind, Context>>
          numbers;
      for (const Problem& p : problems) {
        for (const std::string& broken : Broken(p)) {
          if (!broken.empty()) {
            ADD_FAILURE() << Where(p) << broken;
            ++faults;
          }
        }
        EXPECT_TRUE(numbers.insert({p.values, p.firstStep, p.kind, p.context}).second)
            << Where(p) << "repeated";
        ++told[{p.kind, p.context}];
        ++kinds[p.kind];
      }
      for (const auto& [kindContext, times] : told) {
        const Kind kind = kindContext.first;
        const auto withKind = std::count_if(Contexts.begin(), Contexts.end(), [&](Context c) {
          return RecipeOf(c, kind).has_value();
        });
        EXPECT_LE(times, (kinds[kind] + withKind - 1) / withKind)
            << "sheet " << sheet << ", " << Texts::LevelName(level) << ": kind "
            << static_cast<int>(kind) << " in context " << static_cast<int>(kindContext.second)
            << " " << times << " times";
      }
    }
  }
}

// At most 1 in 100 problem texts of a hundred full sheets of one level is one met before.
TEST(Sheets, SeldomRepeatAProblemOverAHundredSheets) {
  constexpr std::int32_t Sheets = 100;
  constexpr std::int32_t Places = MaxSheetSize;
  for (const Level level : Levels) {
    std::set<std::string> texts;
    int repeats = 0;
    for (std::int32_t sheet = 1; sheet <= Sheets; ++sheet) {
      for (std::int32_t place = 0; place < Places; ++place) {
        repeats +=
            texts.insert(Texts::ProblemText(MakeProblem(sheet, level, place))).second ? 0 : 1;
      }
    }
    EXPECT_LE(repeats * 100, Sheets * Places) << Texts::LevelName(level) << ": " << repeats;
  }
}

}  // namespace
