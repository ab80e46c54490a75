#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <stdexcept>

#include "worksheet/worksheet.h"

namespace {

// The assignment's test data, in column order.
constexpr MixtureValues Assignment = {30, 200, 40, 300, 36, 500};

struct VariantColumns {
  VariantIndex variant;
  std::array<Column, 4> givens;
};

constexpr std::array<VariantColumns, VariantCount> Variants = {{
    {0, {Percent1, Weight1, Percent2, Weight2}},
    {1, {Percent1, Weight1, Percent2, MixPercent}},
    {2, {Percent1, Weight1, Percent2, MixWeight}},
    {3, {Percent1, Weight1, Weight2, MixPercent}},
    {4, {Percent1, Percent2, Weight2, MixPercent}},
    {5, {Percent1, Weight1, MixPercent, MixWeight}},
    {6, {Percent1, Percent2, MixPercent, MixWeight}},
}};

MixtureValues Solve(VariantIndex variant, const std::array<double, 4>& givens) {
  return SolveMixture(variant, givens[0], givens[1], givens[2], givens[3]);
}

TEST(SolveMixture, EveryVariantReproducesTheAssignmentExactly) {
  for (const auto& [variant, givens] : Variants) {
    std::array<double, 4> values{};
    for (std::size_t i = 0; i < givens.size(); ++i) {
      values[i] = Assignment[givens[i]];
    }
    EXPECT_EQ(Solve(variant, values), Assignment) << "variant " << variant;
  }
}

struct SolveCase {
  VariantIndex variant;
  std::array<double, 4> givens;
  MixtureValues expected;
};

TEST(SolveMixture, SchoolProblems) {
  const SolveCase cases[] = {
      // One part of a 10 % solution and one part of water.
      {0, {10, 1, 0, 1}, {10, 1, 0, 1, 5, 2}},
      // 10% and 40 % mixed to 30 of 20%.
      {6, {10, 40, 20, 30}, {10, 20, 40, 10, 20, 30}},
      // A mixture percentage outside the two components' gives a negative weight.
      {1, {30, 200, 40, 50}, {30, 200, 40, -400, 50, -200}},
      // Nothing is range-checked: percentages above 100 compute as they come.
      {0, {150, 1, 50, 1}, {150, 1, 50, 1, 100, 2}},
  };
  for (const SolveCase& c : cases) {
    EXPECT_EQ(Solve(c.variant, c.givens), c.expected) << "variant " << c.variant;
  }
}

// Each step is one rounded operation in the written grouping: (w1 × p1 − w1 × pm) differs in
// the last bit from w1 × (p1 − pm) for these numbers, and the solver must take the former.
TEST(SolveMixture, KeepsTheWrittenGrouping) {
  const double w1 = 0.1, p1 = 0.7, pm = 0.3, p2 = 0.2;
  const double written = (w1 * p1 - w1 * pm) / (pm - p2);
  ASSERT_NE(written, w1 * (p1 - pm) / (pm - p2)) << "pick numbers that tell the groupings apart";
  EXPECT_EQ(Solve(1, {p1, w1, p2, pm})[Weight2], written);
}

struct FaultCase {
  const char* what;
  VariantIndex variant;
  std::array<double, 4> givens;
  FaultKind kind;
};

TEST(SolveMixture, FaultsNameTheirKind) {
  constexpr double huge = std::numeric_limits<double>::max();
  const FaultCase cases[] = {
      {"opposite weights", 0, {30, 200, 40, -200}, FaultKind::DivisionByZero},
      {"both weights zero", 0, {30, 0, 40, 0}, FaultKind::Overflow},
      {"mixture weight zero", 2, {30, 200, 40, 0}, FaultKind::DivisionByZero},
      {"pm equals p2", 1, {30, 200, 40, 40}, FaultKind::DivisionByZero},
      {"pm equals p2 equals p1", 1, {40, 200, 40, 40}, FaultKind::Overflow},
      {"pm equals p1", 4, {30, 40, 300, 30}, FaultKind::DivisionByZero},
      {"p1 equals p2", 6, {30, 30, 36, 500}, FaultKind::DivisionByZero},
      {"w2 zero", 3, {30, 200, 0, 36}, FaultKind::DivisionByZero},
      {"wm equals w1", 5, {30, 200, 36, 200}, FaultKind::DivisionByZero},
      {"sum too large", 0, {1, huge, 1, huge}, FaultKind::Overflow},
      {"product too large", 3, {huge, huge, 1, 1}, FaultKind::Overflow},
      {"quotient too large", 1, {1, huge, 0, 1e-300}, FaultKind::Overflow},
      {"infinite given",
       0,
       {std::numeric_limits<double>::infinity(), 1, 1, 1},
       FaultKind::Overflow},
  };
  for (const FaultCase& c : cases) {
    try {
      Solve(c.variant, c.givens);
      ADD_FAILURE() << c.what << ": no fault";
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.Kind(), c.kind) << c.what;
      EXPECT_FALSE(fault.Cause().empty()) << c.what;
    }
  }
}

TEST(SolveMixture, EveryVariantFaultsOnAllZeros) {
  for (VariantIndex variant = 0; variant < VariantCount; ++variant) {
    try {
      Solve(variant, {0, 0, 0, 0});
      ADD_FAILURE() << "variant " << variant << ": no fault";
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.Kind(), FaultKind::Overflow) << "variant " << variant;
    }
  }
}

TEST(SolveMixture, RejectsVariantsOutsideTheGrid) {
  EXPECT_THROW(Solve(-1, {1, 1, 1, 1}), std::out_of_range);
  EXPECT_THROW(Solve(VariantCount, {1, 1, 1, 1}), std::out_of_range);
}

}  // namespace
