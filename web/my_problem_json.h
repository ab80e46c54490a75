#pragma once
// The pupil's own problem as JSON for the page, in the reader's module alone.
#include <string>

#include "form/my_problem.h"

// The problem as read: {"solution": as SolutionJson, or null before the first reading,
// "numbers": [{"written", "role"}, ...], "roles": [name, ...], "answered", "canGoIntoGrid"}, a
// number's role by its place in "roles".
std::string MyProblemJson(const MyProblem& problem);
