#pragma once

#include <array>
#include <string>
#include <string_view>

#include "worksheet/solver.h"
#include "worksheet/variants.h"

// How a step found its value, in the order and grouping the solver computed it, with the
// numbers written as the cells write them:
// "Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300".
std::string ExplainStep(const Step& step, const MixtureValues& values,
                        std::string_view decimalSeparator);

// A formula written out in the order and grouping the solver computes it, each quantity as
// `operands` has it by column (a number, or the name of an unknown), with parentheses exactly
// where the grouping differs from reading left to right: "(200 × 30 − 200 × 36) / (36 − «Смес %»)".
std::string WriteFormula(const Formula& formula,
                         const std::array<std::string, ColumnCount>& operands);

// A number as it stands in a formula: as the cells write it, in parentheses when negative.
std::string NumberOperand(double value, std::string_view decimalSeparator);
