#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <string>

#include "worksheet/worksheet.h"

namespace {

struct ParseCase {
  std::string text;
  std::string separator;
  double expected;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
  *out << '"' << c.text << "\" with separator \"" << c.separator << '"';
}

class ParseCellNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCellNumberTest, ReadsTheLongestNumericPrefix) {
  const ParseCase& c = GetParam();
  const double value = ParseCellNumber(c.text, c.separator);
  EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseCellNumberTest,
    testing::Values(
        // Nothing numeric reads as zero.
        ParseCase{"", ".", 0}, ParseCase{"abc", ".", 0}, ParseCase{"-", ".", 0},
        ParseCase{".", ".", 0}, ParseCase{"e5", ".", 0},
        // Blanks anywhere are dropped before reading.
        ParseCase{"1 00", ".", 100}, ParseCase{" 2\t4\n", ".", 24}, ParseCase{" 0200 ", ".", 200},
        ParseCase{"2 00", ".", 200},
        // Signs, points and exponents.
        ParseCase{"-4", ".", -4}, ParseCase{"+4", ".", 4}, ParseCase{".5", ".", 0.5},
        ParseCase{"1e2", ".", 100}, ParseCase{"1E-2", ".", 0.01}, ParseCase{"1e+2", ".", 100},
        ParseCase{"1e", ".", 1}, ParseCase{"1e+", ".", 1}, ParseCase{"1d2", ".", 1},
        ParseCase{"--4", ".", 0}, ParseCase{"4-", ".", 4}, ParseCase{"+-4", ".", 0},
        ParseCase{"inf", ".", 0}, ParseCase{"-nan", ".", 0}, ParseCase{"0x1A", ".", 0},
        ParseCase{"1.e2", ".", 100}, ParseCase{"-.5", ".", -0.5},
        // Reading stops at the first character that cannot continue the number.
        ParseCase{"30 kg", ".", 30}, ParseCase{"12.5kg", ".", 12.5}, ParseCase{"1.2.3", ".", 1.2},
        ParseCase{"30abc", ".", 30}, ParseCase{"30%", ".", 30}, ParseCase{"30&", ".", 30},
        ParseCase{"30!", ".", 30}, ParseCase{"30#", ".", 30}, ParseCase{"30@", ".", 30},
        // With the period as separator, a comma ends the number.
        ParseCase{"2,5", ".", 2},
        // The locale's separator reads as well as the period, but only one per number.
        ParseCase{"2,5", ",", 2.5}, ParseCase{"2.5", ",", 2.5}, ParseCase{"1,5.3", ",", 1.5},
        ParseCase{"33,3333333333333", ",", 33.3333333333333}, ParseCase{"1٫5", "٫", 1.5},
        ParseCase{",5", ",", 0.5}, ParseCase{"-,5", ",", -0.5}, ParseCase{"+,5e1", ",", 5},
        ParseCase{",5", ".", 0}, ParseCase{"1,e2", ",", 100}, ParseCase{"1e2,5", ",", 100},
        ParseCase{"1E-05", ",", 0.00001},
        // Hexadecimal and octal whole numbers.
        ParseCase{"&H1F", ".", 31}, ParseCase{"&h1f", ".", 31}, ParseCase{"&O17", ".", 15},
        ParseCase{"&o178", ".", 15}, ParseCase{"&H", ".", 0}, ParseCase{"& H 10", ".", 16},
        ParseCase{"&HFFFFFFFFFFFFFFFF", ".", 18446744073709551615.0}, ParseCase{"&X1", ".", 0},
        // Underflow is zero; zeros with huge exponents are still zero.
        ParseCase{"1e-400", ".", 0}, ParseCase{"0e999999999", ".", 0},
        ParseCase{"0.0000001e-400", ".", 0}, ParseCase{"1e-99999999999999999999", ".", 0},
        // The largest and smallest doubles still read.
        ParseCase{"1.7976931348623157e308", ".", std::numeric_limits<double>::max()},
        ParseCase{"4.9406564584124654e-324", ".", std::numeric_limits<double>::denorm_min()}));

TEST(ParseCellNumberFaults, NumbersBeyondADoubleAreOverflow) {
  for (const char* text : {"1e309", "-1e309", "1e99999999999999999999", "0.01e311",
                           "&H10000000000000000", "&O2000000000000000000000"}) {
    try {
      ParseCellNumber(text, ".");
      ADD_FAILURE() << text << " read without a fault";
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.Kind(), FaultKind::Overflow) << text;
    }
  }
  const std::string hugeInteger = "1" + std::string(400, '0');
  EXPECT_THROW(ParseCellNumber(hugeInteger, "."), ArithmeticFault);
  const std::string tinyFraction = "0." + std::string(400, '0') + "1";
  EXPECT_EQ(ParseCellNumber(tinyFraction, "."), 0.0);
  EXPECT_EQ(ParseCellNumber(tinyFraction + "e50", "."), 0.0);
  EXPECT_EQ(ParseCellNumber("0,5e309", "."), 0.0);
  EXPECT_THROW(ParseCellNumber("0,5e309", ","), ArithmeticFault);
  EXPECT_THROW(ParseCellNumber(tinyFraction + "e800", ","), ArithmeticFault);
}

struct FormatCase {
  double value;
  std::string separator;
  std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* out) {
  *out << c.value << " with separator \"" << c.separator << '"';
}

class FormatCellNumberTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatCellNumberTest, WritesLikePercentPoint15G) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatCellNumber(c.value, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FormatCellNumberTest,
    testing::Values(FormatCase{36, ".", "36"}, FormatCase{300, ",", "300"},
                    FormatCase{-400, ".", "-400"}, FormatCase{100.0 / 3, ".", "33.3333333333333"},
                    FormatCase{100.0 / 3, ",", "33,3333333333333"}, FormatCase{0.5, ",", "0,5"},
                    FormatCase{2.5, "٫", "2٫5"}, FormatCase{0.0001, ".", "0.0001"},
                    FormatCase{0.00001, ".", "1E-05"}, FormatCase{1e15, ".", "1E+15"},
                    FormatCase{999999999999999, ".", "999999999999999"},
                    FormatCase{-1.5e-300, ",", "-1,5E-300"}, FormatCase{1e100, ".", "1E+100"},
                    FormatCase{0.1 + 0.2, ".", "0.3"}, FormatCase{0.0, ".", "0"},
                    FormatCase{-0.0, ".", "0"}));

// Random doubles over the whole range: what is written reads back to a value that is
// written the same way again, with either separator.
TEST(NumberTextRoundTrip, FormatParseFormatIsStable) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (const std::string separator : {".", ","}) {
    for (int i = 0; i < 20000; ++i) {
      double value = 0;
      const std::uint64_t pattern = bits(random);
      std::memcpy(&value, &pattern, sizeof value);
      if (!std::isfinite(value)) {
        continue;
      }
      const std::string once = FormatCellNumber(value, separator);
      const std::string twice = FormatCellNumber(ParseCellNumber(once, separator), separator);
      ASSERT_EQ(once, twice) << "value " << value;
    }
  }
}

}  // namespace
