#include "worksheet/solver.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "worksheet/fault.h"
#include "worksheet/variants.h"

namespace {

constexpr std::string_view TooLargeCause = "Числата са твърде големи за изчисление.";

double Checked(double value) {
  if (!std::isfinite(value)) {
    throw ArithmeticFault(FaultKind::Overflow, std::string(TooLargeCause));
  }
  return value;
}

double Divide(double dividend, double divisor, std::string_view zeroDivisorCause) {
  if (divisor == 0) {
    // 0 / 0 has always been reported as an overflow, anything else over 0 as division by zero.
    const FaultKind kind = dividend == 0 ? FaultKind::Overflow : FaultKind::DivisionByZero;
    throw ArithmeticFault(kind, std::string(zeroDivisorCause));
  }
  return Checked(dividend / divisor);
}

double Apply(Operation operation, double left, double right, const Step& step) {
  switch (operation) {
    case Operation::Add:
      return Checked(left + right);
    case Operation::Subtract:
      return Checked(left - right);
    case Operation::Multiply:
      return Checked(left * right);
    case Operation::Divide:
      return Divide(left, right, step.zeroDivisorCause);
    case Operation::Push:
      break;
  }
  throw std::logic_error("a push is not an operation");
}

double Evaluate(const Step& step, const MixtureValues& values) {
  std::array<double, Formula::Capacity> stack{};
  std::size_t depth = 0;
  for (std::size_t i = 0; i < step.formula.size; ++i) {
    const Token& token = step.formula.tokens[i];
    if (token.operation == Operation::Push) {
      stack[depth++] = values[token.column];
      continue;
    }
    const double right = stack[--depth];
    const double left = stack[--depth];
    stack[depth++] = Apply(token.operation, left, right, step);
  }
  return stack[0];
}

}  // namespace

MixtureValues SolveMixture(VariantIndex variant, double given0, double given1, double given2,
                           double given3) {
  const VariantRule& rule = RuleOf(variant);
  const std::array<double, 4> givens = {given0, given1, given2, given3};
  MixtureValues values{};
  for (std::size_t i = 0; i < givens.size(); ++i) {
    values[rule.givens[i]] = Checked(givens[i]);
  }
  for (const Step& step : rule.steps) {
    values[step.target] = Evaluate(step, values);
  }
  return values;
}
