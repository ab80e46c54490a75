#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "worksheet/grid.h"

enum class Operation : std::uint8_t { Push, Add, Subtract, Multiply, Divide };

struct Token {
  Operation operation = Operation::Push;
  Column column = Percent1;  // read by Push only
};

// Postfix order: read left to right, the operations run in exactly the order and grouping in
// which the formula is written, which is what makes the results agree to the last digit.
struct Formula {
  static constexpr std::size_t Capacity = 11;
  std::array<Token, Capacity> tokens{};
  std::size_t size = 0;
};

struct Step {
  Column target;
  Formula formula;
  std::string_view zeroDivisorCause;  // what a zero divisor in this step means to the pupil
};

struct VariantRule {
  std::array<Column, 4> givens;  // ascending
  std::array<Column, 2> results;
  std::array<Step, 2> steps;  // the second may use the first's result
};

// Throws std::out_of_range for an index outside 0 to 6.
const VariantRule& RuleOf(VariantIndex variant);

bool IsResultColumn(VariantIndex variant, Column column);
