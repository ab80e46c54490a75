#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <compare>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "worksheet/fraction.h"

// Found by GoogleTest through the fraction's namespace.
static void PrintTo(const Fraction& value, std::ostream* out) {
  *out << IntegerText(value.Numerator()) << " : " << IntegerText(value.Denominator());
}

namespace {

using Int = Fraction::Int;

constexpr Int PowerOfTwo(int exponent) {
  return Int{1} << exponent;
}
constexpr Int Max = (PowerOfTwo(126) - 1) * 2 + 1;  // 2^127 − 1
constexpr Int Min = -Max - 1;
constexpr Int TenTo15 = 1'000'000'000'000'000;

void ExpectParts(const Fraction& value, Int numerator, Int denominator) {
  EXPECT_TRUE(value.Numerator() == numerator && value.Denominator() == denominator)
      << testing::PrintToString(value) << ", expected " << IntegerText(numerator) << " : "
      << IntegerText(denominator);
}

void ExpectInexact(const std::function<Fraction()>& operation, int line) {
  const ExactWork work;
  const Fraction result = operation();
  EXPECT_TRUE(work.Failed()) << "line " << line << " gave " << testing::PrintToString(result);
  EXPECT_EQ(result, 0) << "line " << line;
}

TEST(FractionOf, ReducesWithTheDenominatorAboveZero) {
  struct Case {
    Int numerator, denominator, reducedNumerator, reducedDenominator;
  };
  for (const Case& c : std::vector<Case>{
           {6, 4, 3, 2},
           {-6, 4, -3, 2},
           {6, -4, -3, 2},
           {-6, -4, 3, 2},
           {0, -5, 0, 1},
           {Max, Max, 1, 1},
           {Min, 2, -PowerOfTwo(126), 1},  // the minimum itself reduced away
           {2, Min, -1, PowerOfTwo(126)},
           {Min, Min, 1, 1},
       }) {
    ExpectParts(Fraction::Of(c.numerator, c.denominator), c.reducedNumerator, c.reducedDenominator);
  }
}

TEST(FractionArithmetic, IsExactAndReduced) {
  const Fraction third = Fraction::Of(1, 3);
  const Fraction large = Fraction::Of(1, PowerOfTwo(100) * 3);
  struct Case {
    Fraction result;
    Int numerator, denominator;
  };
  for (const Case& c : std::vector<Case>{
           {third + Fraction::Of(1, 6), 1, 2},
           {Fraction::Of(1, 2) - third, 1, 6},
           {Fraction::Of(2, 3) * Fraction::Of(9, 4), 3, 2},
           {Fraction::Of(-3, 4) / Fraction::Of(9, 8), -2, 3},
           {Fraction::Of(3, 4) / Fraction::Of(-9, 8), -2, 3},
           {-third, -1, 3},
           {Fraction(0) * third, 0, 1},
           {third - third, 0, 1},
           // Near the limits the parts cancel before they multiply.
           {Fraction::Of(Max, 2) * Fraction::Of(2, Max), 1, 1},
           {Fraction::Of(Max, 3) / Fraction::Of(Max, 7), 7, 3},
           {large + large, 1, PowerOfTwo(99) * 3},
           {Fraction::Of(Max - 1, 1) + 1, Max, 1},
           {-Fraction::Of(Max, 1), -Max, 1},
       }) {
    ExpectParts(c.result, c.numerator, c.denominator);
  }
}

TEST(FractionArithmetic, IsInexactWhereNoFractionFits) {
  ExpectInexact([] { return Fraction::Of(1, 0); }, __LINE__);
  ExpectInexact([] { return Fraction::Of(Min, 1); }, __LINE__);
  ExpectInexact([] { return Fraction::Of(1, Min); }, __LINE__);
  ExpectInexact([] { return Fraction::Of(Max, 1) + 1; }, __LINE__);
  ExpectInexact([] { return Fraction::Of(-Max, 1) - 1; }, __LINE__);
  ExpectInexact([] { return Fraction::Of(Max, 1) * 2; }, __LINE__);
  ExpectInexact([] { return Fraction::Of(PowerOfTwo(63), 1) * Fraction::Of(-PowerOfTwo(64), 1); },
                __LINE__);
  ExpectInexact([] { return Fraction::Of(1, PowerOfTwo(100)) * Fraction::Of(1, PowerOfTwo(30)); },
                __LINE__);
  ExpectInexact([] { return Fraction::Of(1, Max) + Fraction::Of(1, Max - 1); }, __LINE__);
  ExpectInexact([] { return Fraction::Of(1, 3) / 0; }, __LINE__);
  ExpectInexact([] { return Fraction(0) / 0; }, __LINE__);
}

// A work notes only its own steps, and one that failed gives none, however its steps went on
// with the 0 that stood in; one that may give none gives it as it is.
TEST(ExactWork, NotesOnlyItsOwnSteps) {
  const ExactWork outer;
  EXPECT_EQ(Exactly([] { return Fraction(1) / 0 + Fraction::Of(1, 3); }), std::nullopt);
  EXPECT_FALSE(outer.Failed());
  EXPECT_EQ(Exactly([] { return Fraction::Of(1, 3) + 1; }), Fraction::Of(4, 3));
  EXPECT_EQ(Exactly([] { return std::optional<Fraction>(); }), std::nullopt);
  EXPECT_EQ(Exactly([] { return std::optional<Fraction>(Fraction(2)); }), Fraction(2));
  const Fraction stoodIn = Fraction::Of(Max, 1) * 2;
  EXPECT_TRUE(outer.Failed());
  EXPECT_EQ(stoodIn, 0);
}

TEST(FractionComparison, IsExactWhereCrossProductsOverflow) {
  struct Case {
    Fraction smaller, larger;
  };
  for (const Case& c : std::vector<Case>{
           {Fraction::Of(Max, Max - 1), Fraction::Of(Max - 1, Max - 2)},
           {Fraction::Of(Max - 2, Max - 1), Fraction::Of(Max - 1, Max)},
           {Fraction::Of(1, Max), Fraction::Of(1, Max - 1)},
           {Fraction::Of(Max - 1, 3), Fraction::Of(Max, 3)},
           {-Fraction::Of(Max - 1, Max - 2), -Fraction::Of(Max, Max - 1)},
           {Fraction::Of(-Max, 1), Fraction::Of(-1, Max)},
           {Fraction::Of(-1, Max), 0},
           {0, Fraction::Of(1, Max)},
           {Fraction::Of(1, 3), Fraction::Of(1, 2)},
           {Fraction::Of(7, 3), Fraction::Of(5, 2)},
       }) {
    EXPECT_TRUE(c.smaller < c.larger) << testing::PrintToString(c.smaller);
    EXPECT_TRUE(c.larger > c.smaller) << testing::PrintToString(c.larger);
  }
  const Fraction nearOne = Fraction::Of(Max, Max - 1);
  EXPECT_TRUE((nearOne <=> Fraction::Of(Max, Max - 1)) == 0);
  EXPECT_EQ(Fraction::Of(2, 4), Fraction::Of(-1, -2));
}

TEST(FractionFromDecimal, ReadsTheNumbersTheCellsWrite) {
  struct Case {
    const char* text;
    Int numerator, denominator;
  };
  for (const Case& c : std::vector<Case>{
           {"300", 300, 1},
           {"-12.5", -25, 2},
           {"33.3333333333333", 333'333'333'333'333, 10'000'000'000'000},
           {"1.5E+20", Int{150'000} * TenTo15, 1},
           {"1E-05", 1, 100'000},
           {"0.000123", 123, 1'000'000},
           {"2.5e1", 25, 1},
           {".5", 1, 2},
           {"7.", 7, 1},
           {"-0", 0, 1},
           {"0E+999999999999999999999", 0, 1},
           {"1.000000000000000000000000000000000000000000000", 1, 1},
           {"1000000000000000000000000000000000000000000E-41", 10, 1},
           {"1E+38", Int{TenTo15} * TenTo15 * 100'000'000, 1},
           // 10^40 does not fit, but what remains of it over 125 does.
           {"1.25E-38", 1, Int{TenTo15} * TenTo15 * 80'000'000},
       }) {
    const std::optional<Fraction> value = Fraction::FromDecimal(c.text);
    ASSERT_TRUE(value.has_value()) << c.text;
    ExpectParts(*value, c.numerator, c.denominator);
  }
}

TEST(FractionFromDecimal, RefusesOtherTextAndWhatDoesNotFit) {
  for (const char* text : {"",
                           "-",
                           ".",
                           "-.",
                           "E5",
                           "1E",
                           "1E+",
                           "1E+-5",
                           "abc",
                           "1.2.3",
                           "12a",
                           " 1",
                           "1 ",
                           "+1",
                           "--1",
                           "1,5",
                           "0x10",
                           "inf",
                           "nan",
                           "1E+39",
                           "1E+40",
                           "-1E+40",
                           "1E-39",
                           "1E-99999999999999999999",
                           "1E+99999999999999999999",
                           "170141183460469231731687303715884105728"}) {
    EXPECT_FALSE(Fraction::FromDecimal(text).has_value()) << text;
  }
  EXPECT_EQ(Fraction::FromDecimal("170141183460469231731687303715884105727"), Fraction::Of(Max, 1));
}

TEST(FractionFromShown, TakesTheFifteenDigitsTheCellsShow) {
  EXPECT_EQ(Fraction::FromShown(100.0 / 3), Fraction::Of(333'333'333'333'333, 10'000'000'000'000));
  EXPECT_EQ(Fraction::FromShown(0.1 + 0.2), Fraction::Of(3, 10));
  EXPECT_EQ(Fraction::FromShown(-0.0), Fraction(0));
  EXPECT_EQ(Fraction::FromShown(1.5e-7), Fraction::Of(15, 100'000'000));
  EXPECT_FALSE(Fraction::FromShown(1e300).has_value());
  EXPECT_FALSE(Fraction::FromShown(std::numeric_limits<double>::infinity()).has_value());
  EXPECT_FALSE(Fraction::FromShown(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(FractionToDouble, IsTheNearestDouble) {
  // 1 + 2^-53 lies midway between 1 and the next double, 1 + 2^-52.
  const Fraction midpoint = Fraction::Of(PowerOfTwo(53) + 1, PowerOfTwo(53));
  const Fraction tiny = Fraction::Of(1, PowerOfTwo(123) * 3);  // at the 38th place
  struct Case {
    Fraction value;
    double nearest;
  };
  for (const Case& c : std::vector<Case>{
           {Fraction::Of(1, 3), 1.0 / 3},
           {Fraction::Of(-2, 3), -2.0 / 3},
           {Fraction::Of(1, 10), 0.1},
           {Fraction::Of(Max, 1), 0x1p127},
           {Fraction::Of(1, Max), 0x1p-127},
           {Fraction::Of(Max - 1, Max), 1.0},
           {midpoint, 1.0},  // a tie goes to the even one
           {midpoint + tiny, 1 + 0x1p-52},
           {midpoint - tiny, 1.0},
           {-(midpoint + tiny), -1 - 0x1p-52},
           // A tie that shows only in the 126th place, again to the even one.
           {Fraction::Of(PowerOfTwo(53) + 3, PowerOfTwo(126)), 0x1.0000000000002p-73},
       }) {
    EXPECT_EQ(c.value.ToDouble(), c.nearest) << testing::PrintToString(c.value);
  }
}

Fraction Given(const char* text) {
  return Fraction::FromDecimal(text).value();
}

// (w1·p1 − w1·pm) : (pm − p2), the second weight, in the solver's order, both ways; then the
// mixture's percentage from both weights gives pm back exactly.
void ExpectExactMixture(const Fraction& w1, const Fraction& p1, const Fraction& pm,
                        const Fraction& p2) {
  const Fraction w2 = (w1 * p1 - w1 * pm) / (pm - p2);
  const double dw1 = w1.ToDouble(), dp1 = p1.ToDouble(), dpm = pm.ToDouble();
  const double dw2 = (dw1 * dp1 - dw1 * dpm) / (dpm - p2.ToDouble());
  EXPECT_NEAR(w2.ToDouble(), dw2, 1e-12 * std::abs(dw2)) << testing::PrintToString(w2);
  const Fraction wm = w1 + w2;
  EXPECT_EQ((w1 * p1 + w2 * p2) / wm, pm);
  const double dwm = dw1 + dw2;
  EXPECT_NEAR(wm.ToDouble(), dwm, 1e-12 * std::abs(dwm)) << testing::PrintToString(wm);
}

TEST(FractionMixture, SixDigitGivensStayExact) {
  struct Case {
    const char* w1;
    const char* p1;
    const char* pm;
    const char* p2;
  };
  for (const Case& c : std::vector<Case>{
           {"0.000123456", "123456", "99.9999", "0.00001"},
           {"200", "30", "36", "40"},
           {"999999", "0.000001", "999998", "999999"},
           {"123.456", "99.9999", "0.00001", "1E-06"},
           {"1.5E-09", "0.000123456", "987654", "999999"},
           {"-0.000987654", "123.457", "654.321", "999999"},
           {"9.87654E-09", "1.23457E-09", "5.55555E-07", "0.000999999"},
       }) {
    SCOPED_TRACE(c.w1);
    ExpectExactMixture(Given(c.w1), Given(c.p1), Given(c.pm), Given(c.p2));
  }
}

// xorshift64: the same givens on every run and with every standard library.
class GivenSource {
 public:
  // Up to 6 significant digits, from 10^-9 to just below 10^9.
  Fraction Next() {
    const std::uint64_t digits = 1 + NextBits() % 999'999;
    const auto exponent = static_cast<int>(NextBits() % 13) - 9;
    return Given((std::to_string(digits) + "E" + std::to_string(exponent)).c_str());
  }

 private:
  std::uint64_t NextBits() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  std::uint64_t state_ = 0x9E3779B97F4A7C15;
};

// Doubles agree to 1e-12 only where the differences cancel few digits.
bool CancelsLittle(const Fraction& a, const Fraction& b) {
  const double x = a.ToDouble(), y = b.ToDouble();
  return std::abs(x - y) * 1000 > std::abs(x) + std::abs(y);
}

TEST(FractionMixture, RandomSixDigitGivensStayExact) {
  GivenSource source;
  int checked = 0;
  for (int draw = 0; draw < 2000; ++draw) {
    // The mixture's percentage lies between the parts' ones.
    std::array<Fraction, 3> percents{source.Next(), source.Next(), source.Next()};
    std::sort(percents.begin(), percents.end());
    const auto [p1, pm, p2] = percents;
    if (CancelsLittle(p1, pm) && CancelsLittle(pm, p2)) {
      ExpectExactMixture(source.Next(), p1, pm, p2);
      ++checked;
    }
  }
  EXPECT_GT(checked, 1900);
}

TEST(DecimalText, WritesWholeFiniteAndPeriodicDecimals) {
  struct Case {
    Fraction value;
    int maxPeriod;
    std::optional<std::string> text;
  };
  for (const Case& c : std::vector<Case>{
           {300, 6, "300"},
           {-400, 6, "−400"},
           {0, 6, "0"},
           {Fraction::Of(25, 2), 6, "12,5"},
           {Fraction::Of(1, 10'000), 6, "0,0001"},
           {Fraction::Of(-1, 8), 6, "−0,125"},
           {Fraction::Of(100, 3), 6, "33,(3)"},
           {Fraction::Of(1, 7), 6, "0,(142857)"},
           {Fraction::Of(22, 7), 6, "3,(142857)"},
           {Fraction::Of(1, 6), 6, "0,1(6)"},
           {Fraction::Of(-10, 3), 6, "−3,(3)"},
           {Fraction::Of(1, 81), 9, "0,(012345679)"},
           {Fraction::Of(Max, 3), 6, "56713727820156410577229101238628035242,(3)"},
           // Periods longer than asked for.
           {Fraction::Of(1, 17), 6, std::nullopt},
           {Fraction::Of(1, 7), 5, std::nullopt},
           {Fraction::Of(1, 3), 0, std::nullopt},
           {Fraction::Of(1, Max), 6, std::nullopt},
           // At most 15 digits after the separator.
           {Fraction::Of(1, PowerOfTwo(15)), 6, "0,000030517578125"},
           {Fraction::Of(1, TenTo15), 6, "0,000000000000001"},
           {Fraction::Of(1, PowerOfTwo(14) * 3), 6, "0,00002034505208(3)"},
           {Fraction::Of(1, PowerOfTwo(16)), 6, std::nullopt},
           {Fraction::Of(1, TenTo15 * 10), 6, std::nullopt},
           {Fraction::Of(1, PowerOfTwo(15) * 3), 6, std::nullopt},
           {Fraction::Of(1, 7 * 1024), 6, std::nullopt},
           {Fraction::Of(1, 17), 16, std::nullopt},
       }) {
    EXPECT_EQ(DecimalText(c.value, ",", c.maxPeriod), c.text) << testing::PrintToString(c.value);
  }
  EXPECT_EQ(DecimalText(Fraction::Of(7, 6), "."), "1.1(6)");
}

TEST(RoundedText, RoundsHalvesAwayFromZero) {
  struct Case {
    Fraction value;
    int decimals;
    std::string text;
  };
  for (const Case& c : std::vector<Case>{
           {Fraction::Of(100, 17), 2, "5,88"},
           {Fraction::Of(1, 20), 1, "0,1"},
           {Fraction::Of(-1, 20), 1, "−0,1"},
           {Fraction::Of(2, 3), 0, "1"},
           {Fraction::Of(5, 2), 0, "3"},
           {Fraction::Of(-5, 2), 0, "−3"},
           {Fraction::Of(1, 8), 2, "0,13"},
           {Fraction::Of(-1, 8), 2, "−0,13"},
           {Fraction::Of(-1, 6), 2, "−0,17"},
           {Fraction::Of(1, 3), 4, "0,3333"},
           {Fraction::Of(249, 100), 1, "2,5"},
           {Fraction::Of(1, 1000), 2, "0"},
           {Fraction::Of(-1, 1000), 2, "0"},  // never "−0"
           {Fraction::Of(9995, 1000), 2, "10"},
           {Fraction::Of(-99'999, 100'000), 2, "−1"},
           {Fraction::Of(25, 2), 3, "12,5"},
           {300, 2, "300"},
           {Fraction::Of(Max - 1, Max), 40, "0,9999999999999999999999999999999999999941"},
       }) {
    EXPECT_EQ(RoundedText(c.value, c.decimals, ","), c.text) << testing::PrintToString(c.value);
  }
  EXPECT_EQ(RoundedText(Fraction::Of(100, 17), 3, "."), "5.882");
}

TEST(IntegerText, WritesTheMinusSign) {
  EXPECT_EQ(IntegerText(0), "0");
  EXPECT_EQ(IntegerText(-400), "−400");
  EXPECT_EQ(IntegerText(Max), "170141183460469231731687303715884105727");
  EXPECT_EQ(IntegerText(Min), "−170141183460469231731687303715884105728");
}

}  // namespace
