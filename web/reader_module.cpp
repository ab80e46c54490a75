// The reader of the pupil's own problem, for the page: the text read, a number given another
// role, the problem as the grid takes it. A C interface that my-problem.js calls, in a module of
// its own, which the page fetches only when the pupil first goes to solve a problem of their own:
// the reader is the larger part of what teaches, and many visits never use it. Texts travel as
// UTF-8 and structures as JSON; what a function returns stays valid until the next call.
#include <emscripten/emscripten.h>

#include <string>

#include "form/my_problem.h"
#include "web/form_json.h"
#include "web/my_problem_json.h"

namespace {

// Made on first use, as globals of different files are made in no set order.
MyProblem& Mine() {
  static MyProblem problem;
  return problem;
}

}  // namespace

extern "C" {

// The pupil's text read afresh, and what it shows now as JSON (see MyProblemJson).
EMSCRIPTEN_KEEPALIVE const char* blendora_my_problem_read(const char* text) {
  Mine().Read(text);
  return Answer(MyProblemJson(Mine()));
}

// A number of the text given another role, both by their places in MyProblemJson, and what it
// shows now; a number or a role there is none of changes nothing.
EMSCRIPTEN_KEEPALIVE const char* blendora_my_problem_change_role(int number, int role) {
  const auto numbers = Mine().Numbers().size();
  const auto roles = Mine().Roles().size();
  if (number >= 0 && role >= 0 && static_cast<std::size_t>(number) < numbers &&
      static_cast<std::size_t>(role) < roles) {
    Mine().ChangeRole(static_cast<std::size_t>(number), static_cast<std::size_t>(role));
  }
  return Answer(MyProblemJson(Mine()));
}

// The pupil's problem as the grid takes it (see GridEntryJson); null where the grid cannot.
EMSCRIPTEN_KEEPALIVE const char* blendora_my_problem_grid() {
  return Answer(Mine().CanGoIntoGrid() ? GridEntryJson(Mine().ForGrid(".")) : "null");
}

}  // extern "C"
