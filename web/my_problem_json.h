#pragma once
// The pupil's own problem as JSON for the page, in the teaching module alone: the reader behind
// it stays out of the module the page waits for.
#include <string>

#include "form/my_problem.h"

// What the page builds the section from: {"heading", "label", "solve", "intoGrid", "numbers",
// "number", "role"}.
std::string MyProblemDescription();

// The problem as read: {"solution": as SolutionJson, or null before the first reading,
// "numbers": [{"written", "role"}, ...], "roles": [name, ...], "answered", "canGoIntoGrid"}, a
// number's role by its place in "roles".
std::string MyProblemJson(const MyProblem& problem);
