// What teaches, for the page: the calculator's row solved step by step, one pupil's practice and
// the texts of the pupil's own problem's section. A C interface that
// solution.js and practice.js call, in a module of its own, which the page fetches once it is
// ready to calculate. Texts travel as UTF-8 and structures as JSON; what a function returns stays
// valid until the next call. A level is its place in Levels, a place on a sheet counts from 0.
#include <emscripten/emscripten.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/my_problem.h"
#include "form/practice.h"
#include "web/form_json.h"

namespace {

// Made on first use: opening its problem solves it step by step, which needs the worksheet's own
// globals (its exact hundred), and globals of different files are made in no set order.
Practice& Current() {
  static Practice practice;
  return practice;
}

std::string feedback;  // what the last check said of the current problem

// The answer boxes' texts, one a line: a text box holds no line break.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) {
      return lines;
    }
    start = end + 1;
  }
}

// What the page builds the pupil's own problem's section from, before the reader comes:
// {"heading", "label", "solve", "intoGrid", "numbers", "number", "role", "unreachable"}.
std::string MyProblemDescription() {
  return Object()
      .Add("heading", Quoted(Texts::MyProblemTitle))
      .Add("label", Quoted(Texts::MyProblemLabel))
      .Add("solve", Quoted(Texts::SolveButton))
      .Add("intoGrid", Quoted(Texts::IntoGrid))
      .Add("numbers", Quoted(Texts::MyProblemNumbers))
      .Add("number", Quoted(Texts::MyProblemNumber))
      .Add("role", Quoted(Texts::MyProblemRole))
      .Add("unreachable", Quoted(Texts::ReaderUnreachable()))
      .Text();
}

}  // namespace

extern "C" {

// The row the worksheet last worked on (see blendora_worked) solved step by step, or why it could
// not be, as JSON (see SolutionJson); null for a variant the grid has not.
EMSCRIPTEN_KEEPALIVE const char* blendora_explain(int variant, int calculated, double percent1,
                                                  double weight1, double percent2, double weight2,
                                                  double mixPercent, double mixWeight) {
  if (variant < 0 || variant >= VariantCount) {
    return Answer("null");
  }
  const MixtureValues values{percent1, weight1, percent2, weight2, mixPercent, mixWeight};
  return Answer(
      SolutionJson(SolveStepByStep(static_cast<VariantIndex>(variant), values, calculated != 0)));
}

// The texts the page builds the practice's section from (see PracticeDescription).
EMSCRIPTEN_KEEPALIVE const char* blendora_practice_texts() {
  return Answer(PracticeDescription());
}

// The problem at a place on a sheet; 0, with the practice as it was, where there is none.
EMSCRIPTEN_KEEPALIVE int blendora_practice_open(int sheet, int level, int place) {
  const std::optional<Level> chosen = LevelAt(level);
  if (!chosen || !IsPlaceOnSheet(sheet, place)) {
    return 0;
  }
  Current().Open({sheet, *chosen, place});
  feedback.clear();
  return 1;
}

// The practice as JSON (see PracticeJson).
EMSCRIPTEN_KEEPALIVE const char* blendora_practice_state() {
  return Answer(PracticeJson(Current(), feedback));
}

// The pupil's answers, one a line in the order of the boxes.
EMSCRIPTEN_KEEPALIVE void blendora_practice_check(const char* answers) {
  feedback = Current().Check(Lines(answers));
}

EMSCRIPTEN_KEEPALIVE void blendora_practice_hint() {
  Current().Hint();
}

EMSCRIPTEN_KEEPALIVE void blendora_practice_show_solution() {
  Current().ShowSolution();
}

EMSCRIPTEN_KEEPALIVE void blendora_practice_next() {
  Current().Next();
  feedback.clear();
}

EMSCRIPTEN_KEEPALIVE void blendora_practice_next_sheet() {
  Current().NextSheet();
  feedback.clear();
}

// The same sheet at another level, from its first place; 0 for a level there is none of.
EMSCRIPTEN_KEEPALIVE int blendora_practice_choose_level(int level) {
  const std::optional<Level> chosen = LevelAt(level);
  if (!chosen) {
    return 0;
  }
  Current().ChooseLevel(*chosen);
  feedback.clear();
  return 1;
}

// The current problem as the grid takes it (see GridEntryJson).
EMSCRIPTEN_KEEPALIVE const char* blendora_practice_grid() {
  return Answer(GridEntryJson(Current().ForGrid(".")));
}

// The texts the page builds the pupil's own problem's section from (see MyProblemDescription).
EMSCRIPTEN_KEEPALIVE const char* blendora_my_problem_texts() {
  return Answer(MyProblemDescription());
}

}  // extern "C"
