#include "worksheet/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "worksheet/fault.h"
#include "worksheet/float_chars.h"

namespace {

constexpr std::string_view OutOfRangeCause = "Число извън обхвата на изчисленията.";

[[noreturn]] void ThrowOutOfRange() {
  throw ArithmeticFault(FaultKind::Overflow, std::string(OutOfRangeCause));
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Blanks are all control characters or the space, so one comparison rules out most text.
bool HasBlank(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) <= ' ' && IsBlank(c)) {
      return true;
    }
  }
  return false;
}

std::string WithoutBlanks(std::string_view text) {
  std::string packed;
  packed.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(packed),
               [](char c) { return !IsBlank(c); });
  return packed;
}

// "&H1F", "&O17": non-negative whole numbers of up to 64 bits; digits end at the first
// character that is not one, and no digit at all reads as 0.
bool IsWholeNumberPrefix(std::string_view text) {
  return text.size() >= 2 && text[0] == '&' &&
         (text[1] == 'H' || text[1] == 'h' || text[1] == 'O' || text[1] == 'o');
}

double ParseWholeNumber(std::string_view text) {
  const int base = (text[1] == 'H' || text[1] == 'h') ? 16 : 8;
  const std::string_view digits = text.substr(2);
  std::uint64_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error == std::errc::result_out_of_range) {
    ThrowOutOfRange();
  }
  return static_cast<double>(value);
}

// Where the sign ends and the digits begin, or npos when no digit or point follows the sign
// (so that neither "inf" nor "nan" nor "+-1" is read).
std::size_t UnsignedStart(std::string_view text, std::string_view separator) {
  const std::size_t start = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  const std::string_view rest = text.substr(start);
  const bool numberFollows = !rest.empty() && (IsDigit(rest[0]) || rest[0] == '.' ||
                                               (!separator.empty() && rest.starts_with(separator)));
  return numberFollows ? start : std::string_view::npos;
}

long long SaturatedExponent(std::string_view exponent) {
  // Far beyond any exponent a double can take, and any text length, so sums cannot overflow.
  constexpr long long Limit = 1'000'000'000'000'000;
  const bool negative = !exponent.empty() && exponent[0] == '-';
  long long value = 0;
  for (const char c : exponent) {
    if (IsDigit(c)) {
      value = std::min(value * 10 + (c - '0'), Limit);
    }
  }
  return negative ? -value : value;
}

// from_chars reports overflow and underflow alike; the rough decimal exponent of what it read
// (integer digits from the first significant one, or minus the places after the point before
// it, plus the exponent) tells them apart. Only the sign matters: a range error means hundreds.
bool IsTooLarge(std::string_view number) {
  const std::size_t exponentAt = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, exponentAt);
  const std::size_t firstSignificant = mantissa.find_first_of("123456789");
  if (firstSignificant == std::string_view::npos) {
    return false;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  long long magnitude = static_cast<long long>(point) - static_cast<long long>(firstSignificant);
  if (exponentAt != std::string_view::npos) {
    magnitude += SaturatedExponent(number.substr(exponentAt + 1));
  }
  return magnitude > 0;
}

// Reads a decimal number where only the period is a point; from_chars takes a minus sign but
// not a plus sign. `end` is left after what was read, or after the sign when nothing was.
double ReadWithPeriod(std::string_view text, std::size_t unsignedStart, const char** end) {
  double value = 0;
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const auto result = FloatChars::Read(first, text.data() + text.size(), value);
  *end = result.ec == std::errc::invalid_argument ? text.data() + unsignedStart : result.ptr;
  if (result.ec == std::errc::result_out_of_range) {
    const std::string_view number(
        text.data() + unsignedStart,
        static_cast<std::size_t>(result.ptr - text.data()) - unsignedStart);
    if (IsTooLarge(number)) {
      ThrowOutOfRange();
    }
    return text[0] == '-' ? -0.0 : 0.0;  // too small to tell from zero
  }
  return value;
}

// The locale's separator counts where a period would: when the digits read so far stop at it,
// the text is read again with a period in its place.
double ReadDecimal(std::string_view text, std::string_view separator) {
  const std::size_t unsignedStart = UnsignedStart(text, separator);
  if (unsignedStart == std::string_view::npos) {
    return 0;
  }
  const char* end = nullptr;
  const double value = ReadWithPeriod(text, unsignedStart, &end);
  const std::string_view read(text.data(), static_cast<std::size_t>(end - text.data()));
  const std::string_view rest = text.substr(read.size());
  const bool stoppedAtSeparator = separator != "." && !separator.empty() &&
                                  rest.starts_with(separator) &&
                                  read.find_first_of(".eE") == std::string_view::npos;
  if (!stoppedAtSeparator) {
    return value;
  }
  std::string withPeriod(read);
  withPeriod += '.';
  withPeriod += rest.substr(separator.size());
  return ReadWithPeriod(withPeriod, unsignedStart, &end);
}

}  // namespace

double ParseCellNumber(std::string_view text, std::string_view decimalSeparator) {
  if (HasBlank(text)) {
    return ParseCellNumber(WithoutBlanks(text), decimalSeparator);
  }
  if (IsWholeNumberPrefix(text)) {
    return ParseWholeNumber(text);
  }
  return ReadDecimal(text, decimalSeparator);
}

bool IsBlankCellText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsBlank);
}

std::string FormatCellNumber(double value, std::string_view decimalSeparator) {
  if (value == 0) {
    return "0";  // never "-0"
  }
  char digits[32];
  const auto [end, error] =
      FloatChars::WriteGeneral(std::begin(digits), std::end(digits), value, 15);
  std::string text;
  for (const char* c = digits; c != end; ++c) {
    if (*c == '.') {
      text += decimalSeparator;
    } else {
      text += (*c == 'e') ? 'E' : *c;
    }
  }
  return text;
}
