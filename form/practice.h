#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "form/solution_text.h"
#include "problems/problem.h"

// A pupil's practice, without a toolkit: one word problem at a time from a numbered sheet, its
// answer boxes, the check of an answer, the school solution one hint at a time or whole, and the
// count for the visit. Nothing is kept beyond it, and nothing leaves it.
class Practice {
 public:
  explicit Practice(ProblemSource source = {1, Level::Two, 0});

  const Problem& Current() const { return problem_; }
  const ProblemSource& Source() const { return problem_.source; }
  std::string Text() const;

  struct AnswerBox {
    Column column;
    std::string label;  // the question beside the box
    std::string unit;   // after it
  };
  // One box for each quantity the problem asks for, in the order it asks them.
  std::vector<AnswerBox> Boxes() const;

  // The pupil's answers in the order of Boxes(); what to say: "Вярно!" or "Не е вярно…".
  std::string Check(const std::vector<std::string>& answers);
  bool IsSolved() const { return solved_; }

  // The solution as far as the hints have gone: what is given and sought, and which variant of
  // the grid that is; the table; the equation; each line of solving it. The answer and the check
  // come with the whole solution only.
  Texts::SolutionText Shown() const;
  bool HasMoreHints() const { return shown_ < hintItems_; }
  void Hint();
  void ShowSolution();
  bool IsSolutionShown() const { return shown_ == Items(); }

  // After a right answer or the whole solution, the problem may go into the calculator's grid.
  bool CanGoIntoGrid() const { return solved_ || IsSolutionShown(); }
  struct GridEntry {
    VariantIndex variant;
    std::array<Column, 4> columns;
    std::array<std::string, 4> texts;  // as a pupil types them, with the cells' separator
  };
  GridEntry ForGrid(std::string_view decimalSeparator) const;

  // The next place on the sheet, and after the last place the next sheet.
  void Next();
  // The next sheet's first place, at the same level; after the last sheet, the first.
  void NextSheet();
  void Open(ProblemSource source);
  void ChooseLevel(Level level);  // the same sheet, from its first place

  // "Решени задачи: 2, от тях с подсказка: 1."
  std::string Tally() const;

 private:
  std::size_t Items() const;  // the solution's lines and its table

  Problem problem_;
  Texts::SolutionText solution_;
  std::size_t shown_ = 0;      // items of the solution shown
  std::size_t hintItems_ = 0;  // what hints may show: up to the check
  bool solved_ = false;
  bool helped_ = false;
  int solvedCount_ = 0;
  int solvedWithHints_ = 0;
};
