#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "form/my_problem.h"

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
  const std::vector<std::string> lines = ShownOf(
      "Към 100 г 10% разтвор на сол добавили 5 г сол. Колко процента е новият разтвор?");
  EXPECT_TRUE(HasLine(lines, "Отговор: ≈ 14,29%.")) << Joined(lines);
  EXPECT_TRUE(HasLineWith(lines, "15 · 100 : 105 ≈ 14,29%.")) << Joined(lines);
  EXPECT_TRUE(HasLineWith(lines, "105 · 14,29 : 100 ≈ 15")) << Joined(lines);
  EXPECT_TRUE(HasLine(lines, "Бележка: числата след „≈“ са закръглени до стотни."))
      << Joined(lines);
  EXPECT_FALSE(HasLineWith(lines, "(285714)")) << Joined(lines);

  const std::vector<std::string> third = ShownOf(
      "Към 200 г 10% разтвор на сол добавили 100 г 20% разтвор на сол. Колко процента е "
      "полученият разтвор?");
  EXPECT_TRUE(HasLine(third, "Отговор: 13,(3)%.")) << Joined(third);
  EXPECT_FALSE(HasLineWith(third, "≈")) << Joined(third);
}

}  // namespace
