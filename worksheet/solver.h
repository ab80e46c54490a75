#pragma once

#include <array>

#include "worksheet/grid.h"

// The six quantities of one row, indexed by column.
using MixtureValues = std::array<double, ColumnCount>;

// Takes the variant's four givens in ascending column order and returns all six quantities.
// Throws ArithmeticFault at the first operation that divides by zero or leaves the range of a
// double, and std::out_of_range for a variant outside 0 to 6.
MixtureValues SolveMixture(VariantIndex variant, double given0, double given1, double given2,
                           double given3);
