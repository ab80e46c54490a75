#include "form/practice.h"

#include <algorithm>

#include "form/problem_text.h"
#include "form/texts.h"
#include "problems/answer.h"
#include "worksheet/variants.h"

namespace {

// What is given and what is sought, then where the problem sits in the grid.
constexpr std::size_t FirstHint = 3;

std::string VariantLine(VariantIndex variant) {
  std::string line =
      "В таблицата на Blendora това е „" + Texts::VariantCaption(variant) + "“: дадени са ";
  const auto& givens = RuleOf(variant).givens;
  for (std::size_t i = 0; i < givens.size(); ++i) {
    line += i == 0 ? "„" : (i + 1 == givens.size() ? " и „" : ", „");
    line += std::string(Texts::ColumnHeading(givens[i])) + "“";
  }
  return line + ".";
}

MixtureValues ValuesOf(const Problem& problem) {
  MixtureValues values{};
  for (std::size_t column = 0; column < values.size(); ++column) {
    values[column] = problem.values[column].ToDouble();
  }
  return values;
}

Texts::SolutionText SolutionOf(const Problem& problem) {
  const RowSolution solution = SolveStepByStep(problem.variant, ValuesOf(problem), true);
  return Texts::WriteSolution(solution,
                              {problem.sought, Texts::AnswerText(problem), UnitSymbol(problem.unit),
                               problem.unit == Unit::Litre, VariantLine(problem.variant)});
}

}  // namespace

Practice::Practice(ProblemSource source) {
  Open(source);
}

std::string Practice::Text() const {
  return Texts::ProblemText(problem_);
}

std::vector<Practice::AnswerBox> Practice::Boxes() const {
  std::vector<AnswerBox> boxes;
  for (const Column column : problem_.sought) {
    boxes.push_back({column, Texts::AnswerLabel(problem_, column),
                     std::string(Texts::AnswerUnit(problem_, column))});
  }
  return boxes;
}

std::string Practice::Check(const std::vector<std::string>& answers) {
  const std::vector<Verdict> verdicts = JudgeBoxes(problem_, answers);
  if (!solved_ && std::all_of(verdicts.begin(), verdicts.end(), IsRight)) {
    solved_ = true;
    ++solvedCount_;
    solvedWithHints_ += helped_ ? 1 : 0;
  }
  return Texts::Feedback(problem_, verdicts);
}

Texts::SolutionText Practice::Shown() const {
  Texts::SolutionText shown;
  shown.tableAt = solution_.tableAt;
  const bool tableShown = solution_.table && shown_ > solution_.tableAt;
  if (tableShown) {
    shown.table = solution_.table;
  }
  const std::size_t lines = std::min(shown_ - (tableShown ? 1 : 0), solution_.lines.size());
  shown.lines.assign(solution_.lines.begin(),
                     solution_.lines.begin() + static_cast<std::ptrdiff_t>(lines));
  return shown;
}

void Practice::Hint() {
  helped_ = true;
  shown_ = std::min(std::max(shown_ + 1, FirstHint), std::max(hintItems_, shown_));
}

void Practice::ShowSolution() {
  helped_ = true;
  shown_ = Items();
}

Practice::GridEntry Practice::ForGrid(std::string_view decimalSeparator) const {
  GridEntry entry{problem_.variant, RuleOf(problem_.variant).givens, {}};
  for (std::size_t i = 0; i < entry.columns.size(); ++i) {
    entry.texts[i] = problem_.Value(entry.columns[i]).Text(decimalSeparator);
  }
  return entry;
}

void Practice::Next() {
  ProblemSource next = problem_.source;
  if (++next.place < MaxSheetSize) {
    Open(next);
  } else {
    NextSheet();
  }
}

void Practice::NextSheet() {
  const ProblemSource& source = problem_.source;
  Open({source.sheet >= LastSheet ? FirstSheet : source.sheet + 1, source.level, 0});
}

void Practice::Open(ProblemSource source) {
  problem_ = MakeProblem(source.sheet, source.level, source.place);
  solution_ = SolutionOf(problem_);
  shown_ = 0;
  hintItems_ = solution_.checkAt + (solution_.table ? 1 : 0);
  solved_ = false;
  helped_ = false;
}

void Practice::ChooseLevel(Level level) {
  Open({problem_.source.sheet, level, 0});
}

std::string Practice::Tally() const {
  return "Решени задачи: " + std::to_string(solvedCount_) +
         ", от тях с подсказка: " + std::to_string(solvedWithHints_) + ".";
}

std::size_t Practice::Items() const {
  return solution_.lines.size() + (solution_.table ? 1 : 0);
}
