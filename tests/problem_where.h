#pragma once

#include <string>

#include "form/problem_text.h"
#include "problems/problem.h"

// Where a generated problem comes from, and its text, for a test's message.
inline std::string Where(const Problem& problem) {
  return "sheet " + std::to_string(problem.source.sheet) + ", " +
         std::string(Texts::LevelName(problem.source.level)) + ", place " +
         std::to_string(problem.source.place) + ": " + Texts::ProblemText(problem) + "\n";
}
