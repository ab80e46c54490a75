#include "form/practice.h"

#include <algorithm>
#include <stdexcept>

#include "form/problem_text.h"
#include "form/texts.h"
#include "problems/answer.h"
#include "worksheet/variants.h"

namespace {

Fraction ExactValue(const Problem& problem, Column column) {
  return Fraction::Of(problem.Value(column).count, 10);
}

std::array<Fraction, ColumnCount> ExactValues(const Problem& problem) {
  std::array<Fraction, ColumnCount> values{};
  for (std::size_t column = 0; column < values.size(); ++column) {
    values[column] = ExactValue(problem, static_cast<Column>(column));
  }
  return values;
}

MixtureValues ValuesOf(const std::array<Fraction, ColumnCount>& exact) {
  MixtureValues values{};
  for (std::size_t column = 0; column < values.size(); ++column) {
    values[column] = exact[column].ToDouble();
  }
  return values;
}

// The method's lines up to the one that finds the last quantity asked: what comes after is not
// part of this problem.
Method UpToTheAsked(Method method, const std::vector<Column>& asked) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < method.lines.size(); ++i) {
    const std::optional<Column> found = FoundColumn(method, method.lines[i]);
    if (found && std::find(asked.begin(), asked.end(), *found) != asked.end()) {
      last = i + 1;
    }
  }
  method.lines.resize(last);
  return method;
}

// The answers as the problem states them, from the exact values: the water that left as an
// amount, produce's percentages of its water.
std::vector<Fraction> Answers(const Problem& problem,
                              const std::array<Fraction, ColumnCount>& values) {
  std::vector<Fraction> answers;
  for (const Column column : problem.sought) {
    const Fraction value = values[column];
    const bool percent = UnitOf(problem, column) == Unit::Percent;
    if (percent && StatedShareOf(problem.context) == StatedShare::Water) {
      answers.push_back(Fraction(100) - value);
    } else if (!percent && column == Weight2 && (WaterLeft(problem) || value < 0)) {
      answers.push_back(-value);
    } else {
      answers.push_back(value);
    }
  }
  return answers;
}

// Both steps by arithmetic, "Първо …" and "След това …"; the grid can check the second where it
// holds it exactly.
Teaching TwoStepTeaching(const Problem& problem, const std::array<Fraction, ColumnCount>& values,
                         std::string_view answer, bool inTenths) {
  const std::optional<TwoStepMethod> found =
      TwoStepsMethod(ExactValues(FirstStepOf(problem)), problem.variant, values);
  if (!found) {
    throw std::logic_error("a problem of two steps that the arithmetic does not solve");
  }
  TwoStepMethod method = *found;
  method.watering = UpToTheAsked(method.watering, problem.sought);
  const Texts::MethodWords words = Texts::MethodWordsOf(problem, method.watering);
  const Texts::MixingWords mixing = Texts::MixingWordsOf(problem);
  Teaching teaching;
  teaching.solution.lines = Texts::TwoStepLines(method, words, mixing);
  teaching.solution.lines.push_back("Отговор: " + std::string(answer) + ".");
  if (inTenths) {
    teaching.solution.lines.push_back(Texts::GridCheckLine(problem));
  }
  teaching.hints = Texts::TwoStepHints(method, words, mixing, Answers(problem, values));
  return teaching;
}

}  // namespace

Teaching TeachingOf(const Problem& problem) {
  return TeachingOf(problem, ExactValues(problem), Texts::AnswerText(problem));
}

Teaching TeachingOf(const Problem& problem, const std::array<Fraction, ColumnCount>& values,
                    std::string_view answer) {
  // The grid shows what is a whole number of tenths exactly; anything else it rounds. Givens it
  // takes exactly can be checked there, and a result it rounds is told as its cell shows it.
  const bool inTenths = values == ExactValues(problem);
  const bool typed =
      std::all_of(RuleOf(problem.variant).givens.begin(), RuleOf(problem.variant).givens.end(),
                  [&](Column column) {
                    return values[static_cast<std::size_t>(column)] == ExactValue(problem, column);
                  });
  Teaching teaching;
  if (problem.asked == Asked::Ratio) {
    const Texts::RatioWording wording = {{values[Percent1], values[Percent2], values[MixPercent]},
                                         std::string(answer),
                                         UnitSymbol(problem.unit),
                                         Texts::PartWordsOf(problem),
                                         Texts::KindsOf(problem)};
    teaching.solution = Texts::RatioSolution(wording);
    teaching.hints = Texts::RatioHints(wording);
  } else if (problem.firstStep) {
    return TwoStepTeaching(problem, values, answer, inTenths);
  } else if (const std::optional<Method> found = WhatStaysMethod(problem.variant, values)) {
    const Method method = UpToTheAsked(*found, problem.sought);
    const Texts::MethodWords words = Texts::MethodWordsOf(problem, method);
    teaching.solution.lines = Texts::MethodLines(method, words);
    teaching.solution.lines.push_back("Отговор: " + std::string(answer) + ".");
    for (std::string& line : Texts::OtherWayLines(method, words)) {
      teaching.solution.lines.push_back(std::move(line));
    }
    teaching.hints = Texts::MethodHints(method, words, Answers(problem, values));
  } else {
    const RowSolution solution = SolveStepByStep(problem.variant, ValuesOf(values), true);
    const Texts::AnswerWording wording = {problem.sought, std::string(answer),
                                          UnitSymbol(problem.unit), problem.unit == Unit::Litre,
                                          Texts::PartWordsOf(problem)};
    teaching.solution = Texts::WriteSolution(solution, wording);
    teaching.hints = Texts::AskingHints(solution, teaching.solution, wording);
  }
  if (inTenths || (typed && problem.asked != Asked::Ratio)) {
    teaching.solution.lines.push_back(Texts::GridCheckLine(problem, values));
  }
  return teaching;
}

Practice::Practice(ProblemSource source) {
  Open(source);
}

std::string Practice::Text() const {
  return Texts::ProblemText(problem_);
}

std::vector<Practice::AnswerBox> Practice::Boxes() const {
  std::vector<AnswerBox> boxes;
  for (const Column column : BoxesOf(problem_)) {
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
  if (solutionShown_) {
    return teaching_.solution;
  }
  Texts::SolutionText hints;
  hints.lines.assign(teaching_.hints.begin(),
                     teaching_.hints.begin() + static_cast<std::ptrdiff_t>(hintsShown_));
  return hints;
}

void Practice::Hint() {
  helped_ = true;
  hintsShown_ = std::min(hintsShown_ + 1, teaching_.hints.size());
}

void Practice::ShowSolution() {
  helped_ = true;
  solutionShown_ = true;
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
  teaching_ = TeachingOf(problem_);
  hintsShown_ = 0;
  solutionShown_ = false;
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
