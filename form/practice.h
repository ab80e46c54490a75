#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "form/solution_text.h"
#include "problems/problem.h"
#include "worksheet/fraction.h"

// The school solution of a problem by the method of its shape, and the hints on the way to it.
struct Teaching {
  Texts::SolutionText solution;
  std::vector<std::string> hints;
};
Teaching TeachingOf(const Problem& problem);
// The same from the exact values of its six quantities, where a result is not a whole number of
// tenths (33,(3)%): `answer` is what follows "Отговор:", and the grid, which rounds, is not
// offered as a check.
Teaching TeachingOf(const Problem& problem, const std::array<Fraction, ColumnCount>& values,
                    std::string_view answer);

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

  // The hints asked for so far, each a question on the way; or, once asked for, the whole
  // solution by the method of the problem's shape, with its answer.
  Texts::SolutionText Shown() const;
  bool HasMoreHints() const { return !solutionShown_ && hintsShown_ < teaching_.hints.size(); }
  void Hint();
  void ShowSolution();
  bool IsSolutionShown() const { return solutionShown_; }

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
  Problem problem_;
  Teaching teaching_;
  std::size_t hintsShown_ = 0;
  bool solutionShown_ = false;
  bool solved_ = false;
  bool helped_ = false;
  int solvedCount_ = 0;
  int solvedWithHints_ = 0;
};
