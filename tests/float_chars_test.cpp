// The fallback that reads and writes doubles where the standard library cannot must agree with
// std::from_chars and std::to_chars to the bit and to the character; here both run side by side.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "worksheet/float_chars.h"

namespace {

constexpr double Untouched = -12345.678;

void ExpectSameRead(const std::string& text) {
  double expected = Untouched;
  double actual = Untouched;
  const auto want = std::from_chars(text.data(), text.data() + text.size(), expected);
  const auto got = FloatChars::FallbackRead(text.data(), text.data() + text.size(), actual);
  ASSERT_EQ(want.ec, got.ec) << text;
  ASSERT_EQ(want.ptr - text.data(), got.ptr - text.data()) << text;
  if (std::isnan(expected)) {
    ASSERT_TRUE(std::isnan(actual)) << text;
  } else {
    ASSERT_EQ(std::bit_cast<std::uint64_t>(expected), std::bit_cast<std::uint64_t>(actual)) << text;
  }
}

void ExpectSameWrite(double value, int precision) {
  char expected[64];
  char actual[64];
  const auto want = std::to_chars(std::begin(expected), std::end(expected), value,
                                  std::chars_format::general, precision);
  const auto got =
      FloatChars::FallbackWrite(std::begin(actual), std::end(actual), value, precision);
  ASSERT_EQ(want.ec, got.ec);
  ASSERT_EQ(std::string(expected, want.ptr), std::string(actual, got.ptr))
      << "precision " << precision;
}

std::string Shortest(double value) {
  char text[64];
  return {text, std::to_chars(std::begin(text), std::end(text), value).ptr};
}

std::string Scientific(double value, int precision) {
  char text[400];
  return {text, std::to_chars(std::begin(text), std::end(text), value,
                              std::chars_format::scientific, precision)
                    .ptr};
}

double RandomFinite(std::mt19937_64& random) {
  for (;;) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) {
      return value;
    }
  }
}

// Digits of any length around a point, with or without sign and exponent, some far beyond a
// double's range either way.
std::string RandomNumberText(std::mt19937_64& random) {
  std::uniform_int_distribution<int> digit(0, 9), length(1, 40), exponent(-420, 420), coin(0, 3);
  std::string text = coin(random) == 0 ? "-" : "";
  const int digits = length(random);
  const int point = std::uniform_int_distribution<int>(-1, digits)(random);
  for (int i = 0; i < digits; ++i) {
    if (i == point) {
      text += '.';
    }
    text += static_cast<char>('0' + digit(random));
  }
  if (coin(random) != 0) {
    // Two appends, not "E" + std::to_string(…): GCC 12 at -O3 takes that prepend for an
    // overlapping copy and warns (-Wrestrict) where there is none.
    text += coin(random) == 0 ? 'E' : 'e';
    text += std::to_string(exponent(random));
  }
  return text;
}

TEST(FloatChars, ReadsEdgeCasesAsFromCharsDoes) {
  const std::vector<std::string> texts = {"0",
                                          "-0",
                                          "0.000",
                                          "0e999",
                                          "1e308",
                                          "1.7976931348623157e308",
                                          "1.7976931348623159e308",
                                          "-1e309",
                                          "2.2250738585072014e-308",
                                          "4.9e-324",
                                          "2.4e-324",
                                          "2.5e-324",
                                          "1e-400",
                                          "-1e-400",
                                          "0.0000000000000000000000000000001e-300",
                                          "123456789012345678901234567890",
                                          ".5",
                                          "5.",
                                          ".",
                                          "-",
                                          "+1",
                                          "e5",
                                          "1e",
                                          "1e+",
                                          "1e-x",
                                          "1.2.3",
                                          "0x10",
                                          "inf",
                                          "-inf",
                                          "infinity",
                                          "INF",
                                          "nan",
                                          "NaN",
                                          "12.5kg",
                                          std::string(5000, '9'),
                                          "0." + std::string(400, '0') + "1",
                                          "1" + std::string(320, '0'),
                                          ""};
  for (const std::string& text : texts) {
    ExpectSameRead(text);
  }
}

TEST(FloatChars, ReadsRandomNumbersAsFromCharsDoes) {
  std::mt19937_64 random(20261209);
  std::uniform_int_distribution<int> precision(0, 25);
  for (int i = 0; i < 20000; ++i) {
    const double value = RandomFinite(random);
    ExpectSameRead(Shortest(value));
    ExpectSameRead(Scientific(value, precision(random)));
    ExpectSameRead(RandomNumberText(random));
  }
}

TEST(FloatChars, WritesAsToCharsGeneralDoes) {
  const std::vector<double> values = {0.0,
                                      -0.0,
                                      1.0,
                                      -400,
                                      36,
                                      500,
                                      1e15,
                                      1e14,
                                      99999999999999.9,
                                      1e-4,
                                      9.99e-5,
                                      100.0 / 3,
                                      0.1,
                                      5e-324,
                                      1.7976931348623157e308,
                                      -2.2250738585072014e-308};
  for (const double value : values) {
    ExpectSameWrite(value, 15);
  }
  std::mt19937_64 random(42);
  std::uniform_int_distribution<int> precision(1, 17);
  std::uniform_real_distribution<double> ordinary(-1e6, 1e6);
  for (int i = 0; i < 20000; ++i) {
    ExpectSameWrite(RandomFinite(random), 15);
    ExpectSameWrite(RandomFinite(random), precision(random));
    ExpectSameWrite(ordinary(random), 15);
  }
}

}  // namespace
