#include "web/my_problem_json.h"

#include <vector>

#include "web/form_json.h"

std::string MyProblemJson(const MyProblem& problem) {
  const std::vector<MyProblem::Number> numbers = problem.Numbers();
  return Object()
      .Add("solution", ShownJson(problem.Shown()))
      .Add("numbers", Array(static_cast<int>(numbers.size()),
                            [&](int i) {
                              const MyProblem::Number& number =
                                  numbers[static_cast<std::size_t>(i)];
                              return Object()
                                  .Add("written", Quoted(number.written))
                                  .Add("role", std::to_string(number.role))
                                  .Text();
                            }))
      .Add("roles", TextList(problem.Roles()))
      .Add("answered", Boolean(problem.IsAnswered()))
      .Add("canGoIntoGrid", Boolean(problem.CanGoIntoGrid()))
      .Text();
}
