#include "worksheet/worked_solution.h"

#include <vector>

#include "worksheet/number_text.h"

namespace {

enum Precedence { SumPrecedence = 1, ProductPrecedence = 2, OperandPrecedence = 3 };

struct Term {
  std::string text;
  int precedence;
};

std::string_view Symbol(Operation operation) {
  switch (operation) {
    case Operation::Add:
      return " + ";
    case Operation::Subtract:
      return " − ";
    case Operation::Multiply:
      return " × ";
    case Operation::Divide:
      return " / ";
    case Operation::Push:
      break;
  }
  return {};
}

int PrecedenceOf(Operation operation) {
  return (operation == Operation::Add || operation == Operation::Subtract) ? SumPrecedence
                                                                           : ProductPrecedence;
}

std::string Grouped(const Term& term, bool parenthesised) {
  return parenthesised ? "(" + term.text + ")" : term.text;
}

// Parentheses exactly where the grouping differs from reading left to right.
Term Combine(const Term& left, Operation operation, const Term& right) {
  const int precedence = PrecedenceOf(operation);
  const bool notAssociative = operation == Operation::Subtract || operation == Operation::Divide;
  const bool groupRight =
      right.precedence < precedence || (notAssociative && right.precedence == precedence);
  return {Grouped(left, left.precedence < precedence) + std::string(Symbol(operation)) +
              Grouped(right, groupRight),
          precedence};
}

}  // namespace

std::string ExplainStep(const Step& step, const MixtureValues& values,
                        std::string_view decimalSeparator) {
  std::array<std::string, ColumnCount> numbers;
  for (std::size_t column = 0; column < numbers.size(); ++column) {
    numbers[column] = NumberOperand(values[column], decimalSeparator);
  }
  return std::string(ColumnHeadings[step.target]) + " = " + WriteFormula(step.formula, numbers) +
         " = " + FormatCellNumber(values[step.target], decimalSeparator);
}

std::string WriteFormula(const Formula& formula,
                         const std::array<std::string, ColumnCount>& operands) {
  std::vector<Term> stack;
  for (std::size_t i = 0; i < formula.size; ++i) {
    const Token& token = formula.tokens[i];
    if (token.operation == Operation::Push) {
      stack.push_back({operands[token.column], OperandPrecedence});
      continue;
    }
    const Term right = std::move(stack.back());
    stack.pop_back();
    stack.back() = Combine(stack.back(), token.operation, right);
  }
  return stack.back().text;
}

std::string NumberOperand(double value, std::string_view decimalSeparator) {
  const std::string text = FormatCellNumber(value, decimalSeparator);
  return value < 0 ? "(" + text + ")" : text;
}
