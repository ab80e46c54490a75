#pragma once

#include <array>
#include <optional>

#include "problems/answer.h"
#include "problems/problem.h"
#include "worksheet/fraction.h"
#include "worksheet/variants.h"

// The reader's arithmetic: its numbers as exact fractions, their units converted, and the two
// balances of a mixture solved for the variant's two results.

// A decimal as a fraction: 12,5 is 125 : 10.
Fraction FractionOf(const Decimal& value);

// The unit a problem's masses are written in.
WrittenUnit WrittenOf(Unit unit);

// A mass in another unit of its measure; water's litres are kilograms. None across measures.
std::optional<Fraction> Converted(Fraction value, WrittenUnit from, WrittenUnit to, bool water);

// A value as the model holds it; none where it is no whole number of tenths.
std::optional<Tenths> TenthsOf(const Fraction& value);

// The two results of a variant from its four givens, exactly, by the two balances
// w1 + w2 = wm and w1 · p1 + w2 · p2 = wm · pm; none where they have none.
std::optional<std::array<Fraction, ColumnCount>> Solved(VariantIndex variant,
                                                        const std::array<Fraction, ColumnCount>& v);

bool IsBetween(const Fraction& value, const Fraction& a, const Fraction& b);

// A real mixture: percentages from 0 to 100 (prices above it), the mixture strictly between its
// parts, masses above zero, but for water that leaves.
bool IsReal(const std::array<Fraction, ColumnCount>& v, bool leaves, bool byPrice);
