#include "worksheet/fraction.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "worksheet/float_chars.h"
#include "worksheet/number_text.h"

namespace {

using Int = Fraction::Int;
__extension__ using UInt = unsigned __int128;

constexpr Int MaxInt = static_cast<Int>(~UInt{0} >> 1);
constexpr std::string_view Minus = "−";
// As many places as the cells show significant digits.
constexpr int MaxDecimals = 15;
// Places enough for the nearest double: a decimal that ends, ends within them (its denominator
// is at most 2^126), and so does every midpoint between doubles it can equal; one that does not
// end is told from such a midpoint well before, even behind the 38 zeros of 1 / (2^127 − 1).
constexpr int ExactDigits = 126;

// The work the fractions note an inexact result in; none outside any.
thread_local ExactWork* innermostWork = nullptr;

// The minimum never stands in a fraction, so that negating one cannot overflow.
Int Checked(bool overflowed, Int result) {
  if (overflowed || result < -MaxInt) {
    ExactWork::NoteInexact();
    return 0;
  }
  return result;
}

Int Sum(Int a, Int b) {
  Int result = 0;
  const bool overflowed = __builtin_add_overflow(a, b, &result);
  return Checked(overflowed, result);
}

Int Product(Int a, Int b) {
  Int result = 0;
  const bool overflowed = __builtin_mul_overflow(a, b, &result);
  return Checked(overflowed, result);
}

UInt Magnitude(Int value) {
  return value < 0 ? UInt{0} - static_cast<UInt>(value) : static_cast<UInt>(value);
}

UInt CommonDivisor(UInt a, UInt b) {
  while (b != 0) {
    a = std::exchange(b, a % b);
  }
  return a;
}

// Of magnitudes within the parts' range, so also within it.
Int CommonDivisor(Int a, Int b) {
  return static_cast<Int>(CommonDivisor(Magnitude(a), Magnitude(b)));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsDigit);
}

// "5", "+05", "-12"; far beyond any exponent that fits, it saturates, so that sums with text
// lengths cannot overflow.
std::optional<long long> ExponentOf(std::string_view text) {
  const bool negative = text.starts_with('-');
  text.remove_prefix(text.starts_with('-') || text.starts_with('+') ? 1 : 0);
  if (text.empty() || !AllDigits(text)) {
    return std::nullopt;
  }
  constexpr long long Limit = 1'000'000'000'000;
  long long value = 0;
  for (const char c : text) {
    value = std::min(value * 10 + (c - '0'), Limit);
  }
  return negative ? -value : value;
}

// digits × 10^exponent; steps by single tens, so that each one cancels what it can and only a
// result that does not fit overflows, which ends the steps.
Fraction Scaled(std::string_view digits, long long exponent, const ExactWork& work) {
  Fraction value;
  for (const char c : digits) {
    value = value * 10 + (c - '0');
  }
  if (value == 0) {
    return value;
  }
  const Fraction step = exponent < 0 ? Fraction::Of(1, 10) : Fraction(10);
  for (long long i = 0; i < std::abs(exponent) && !work.Failed(); ++i) {
    value = value * step;
  }
  return value;
}

struct Division {
  int digit;
  UInt remainder;
};

// 10 × remainder = digit × divisor + the new remainder, for a remainder below the divisor.
// Adding ten times never exceeds twice the divisor, where multiplying by ten would overflow.
Division NextDigit(UInt remainder, UInt divisor) {
  Division next{0, 0};
  for (int i = 0; i < 10; ++i) {
    next.remainder += remainder;
    if (next.remainder >= divisor) {
      next.remainder -= divisor;
      ++next.digit;
    }
  }
  return next;
}

// The next `count` digits of remainder / divisor; leaves what remains in `remainder`.
std::string LongDivision(UInt& remainder, UInt divisor, int count) {
  std::string digits;
  for (int i = 0; i < count; ++i) {
    const Division next = NextDigit(remainder, divisor);
    digits += static_cast<char>('0' + next.digit);
    remainder = next.remainder;
  }
  return digits;
}

std::string UnsignedText(UInt value) {
  std::string text;
  do {
    text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  } while (value != 0);
  return text;
}

std::string Written(bool negative, std::string_view whole, std::string_view separator,
                    std::string_view decimals) {
  std::string text(negative ? Minus : "");
  text += whole;
  if (!decimals.empty()) {
    text += separator;
    text += decimals;
  }
  return text;
}

// A denominator 2^a × 5^b × coprime has max(a, b) digits before its period.
struct DenominatorParts {
  int preperiod;
  UInt coprime;
};

int RemoveFactor(UInt& value, UInt factor) {
  int count = 0;
  for (; value % factor == 0; ++count) {
    value /= factor;
  }
  return count;
}

DenominatorParts SplitDenominator(UInt denominator) {
  const int twos = RemoveFactor(denominator, 2);
  const int fives = RemoveFactor(denominator, 5);
  return {std::max(twos, fives), denominator};
}

// The period's length, the order of 10 modulo `coprime`, or none when it exceeds `limit`.
std::optional<int> PeriodLength(UInt coprime, int limit) {
  if (coprime == 1) {
    return 0;
  }
  UInt power = 1;
  for (int length = 1; length <= limit; ++length) {
    power = NextDigit(power, coprime).remainder;
    if (power == 1) {
      return length;
    }
  }
  return std::nullopt;
}

// Adds one to the last digit, carrying into a new leading one where all are nines.
void RoundUp(std::string& digits) {
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      return;
    }
    *digit = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

ExactWork::ExactWork() : outer_(std::exchange(innermostWork, this)) {}

ExactWork::~ExactWork() {
  innermostWork = outer_;
}

void ExactWork::NoteInexact() {
  if (innermostWork == nullptr) {
    std::abort();
  }
  innermostWork->failed_ = true;
}

Fraction::Fraction(std::int64_t whole) : numerator_(whole) {}

Fraction Fraction::Of(Int numerator, Int denominator) {
  if (denominator == 0) {
    ExactWork::NoteInexact();
    return {};
  }
  const UInt divisor = CommonDivisor(Magnitude(numerator), Magnitude(denominator));
  const UInt top = Magnitude(numerator) / divisor;
  const UInt bottom = Magnitude(denominator) / divisor;
  if (top > static_cast<UInt>(MaxInt) || bottom > static_cast<UInt>(MaxInt)) {
    ExactWork::NoteInexact();
    return {};
  }
  const bool negative = (numerator < 0) != (denominator < 0);
  return Reduced(negative ? -static_cast<Int>(top) : static_cast<Int>(top),
                 static_cast<Int>(bottom));
}

std::optional<Fraction> Fraction::FromDecimal(std::string_view text) {
  const bool negative = text.starts_with('-');
  text.remove_prefix(negative ? 1 : 0);
  const std::size_t exponentAt = std::min(text.find_first_of("eE"), text.size());
  const std::string_view mantissa = text.substr(0, exponentAt);
  const std::optional<long long> exponent =
      exponentAt == text.size() ? 0 : ExponentOf(text.substr(exponentAt + 1));
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::string_view whole = mantissa.substr(0, point);
  const std::string_view decimals = mantissa.substr(std::min(point + 1, mantissa.size()));
  if (!exponent || !AllDigits(whole) || !AllDigits(decimals) ||
      whole.size() + decimals.size() == 0) {
    return std::nullopt;
  }
  std::string digits(whole);
  digits += decimals;
  // Trailing zeros only raise the exponent, and need not fit as digits.
  const std::size_t significant = digits.find_last_not_of('0') + 1;
  const long long scale = *exponent - static_cast<long long>(decimals.size()) +
                          static_cast<long long>(digits.size() - significant);
  digits.resize(significant);
  const ExactWork work;
  const Fraction value = Scaled(digits, scale, work);
  if (work.Failed()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<Fraction> Fraction::FromShown(double value) {
  return FromDecimal(FormatCellNumber(value, "."));
}

double Fraction::ToDouble() const {
  const UInt divisor = static_cast<UInt>(denominator_);
  UInt remainder = Magnitude(numerator_) % divisor;
  std::string text = numerator_ < 0 ? "-" : "";
  text += UnsignedText(Magnitude(numerator_) / divisor);
  text += '.';
  text += LongDivision(remainder, divisor, ExactDigits);
  if (remainder != 0) {
    text += '1';  // stands for the rest, so that it rounds away from a midpoint it lies beyond
  }
  double value = 0;
  FloatChars::Read(text.data(), text.data() + text.size(), value);
  return value;
}

// A part that left its range stands as 0 (see Checked); the result is then 0, never a fraction
// over zero.
Fraction Fraction::Reduced(Int numerator, Int denominator) {
  Fraction value;
  const bool zero = numerator == 0 || denominator == 0;
  value.numerator_ = zero ? 0 : numerator;
  value.denominator_ = zero ? 1 : denominator;
  return value;
}

// Over the least common denominator, reduced by what the numerator shares with the common
// divisor (Knuth), so that the parts grow no more than they must.
Fraction operator+(Fraction x, Fraction y) {
  const Int common = CommonDivisor(x.denominator_, y.denominator_);
  const Int numerator = Sum(Product(x.numerator_, y.denominator_ / common),
                            Product(y.numerator_, x.denominator_ / common));
  const Int shared = CommonDivisor(numerator, common);
  return Fraction::Reduced(numerator / shared,
                           Product(x.denominator_ / common, y.denominator_ / shared));
}

Fraction operator-(Fraction x, Fraction y) {
  return x + -y;
}

// Each numerator is reduced against the other's denominator first, so the product is reduced.
Fraction operator*(Fraction x, Fraction y) {
  const Int first = CommonDivisor(x.numerator_, y.denominator_);
  const Int second = CommonDivisor(y.numerator_, x.denominator_);
  return Fraction::Reduced(Product(x.numerator_ / first, y.numerator_ / second),
                           Product(x.denominator_ / second, y.denominator_ / first));
}

Fraction operator/(Fraction x, Fraction y) {
  if (y.numerator_ == 0) {
    ExactWork::NoteInexact();
    return {};
  }
  const bool negative = y.numerator_ < 0;
  return x * Fraction::Reduced(negative ? -y.denominator_ : y.denominator_,
                               negative ? -y.numerator_ : y.numerator_);
}

Fraction operator-(Fraction x) {
  return Fraction::Reduced(-x.numerator_, x.denominator_);
}

bool operator==(Fraction x, Fraction y) {
  return x.numerator_ == y.numerator_ && x.denominator_ == y.denominator_;
}

// a/b against c/d by their continued fractions: whole parts first, then the reciprocals of
// what remains, the other way round. Nothing is multiplied, so nothing overflows.
std::strong_ordering operator<=>(Fraction x, Fraction y) {
  if (x.Sign() != y.Sign()) {
    return x.Sign() <=> y.Sign();
  }
  UInt a = Magnitude(x.numerator_), b = static_cast<UInt>(x.denominator_);
  UInt c = Magnitude(y.numerator_), d = static_cast<UInt>(y.denominator_);
  std::strong_ordering order = std::strong_ordering::equal;
  while (true) {
    if (a / b != c / d) {
      order = a / b <=> c / d;
      break;
    }
    a %= b;
    c %= d;
    if (a == 0 || c == 0) {
      order = (a != 0) <=> (c != 0);
      break;
    }
    std::swap(a, d);
    std::swap(b, c);
  }
  return x.Sign() < 0 ? 0 <=> order : order;
}

std::optional<std::string> DecimalText(const Fraction& value, std::string_view separator,
                                       int maxPeriod) {
  const auto divisor = static_cast<UInt>(value.Denominator());
  const DenominatorParts parts = SplitDenominator(divisor);
  if (parts.preperiod > MaxDecimals) {
    return std::nullopt;
  }
  const std::optional<int> period =
      PeriodLength(parts.coprime, std::min(maxPeriod, MaxDecimals - parts.preperiod));
  if (!period) {
    return std::nullopt;
  }
  UInt remainder = Magnitude(value.Numerator()) % divisor;
  std::string decimals = LongDivision(remainder, divisor, parts.preperiod);
  if (*period > 0) {
    decimals += '(' + LongDivision(remainder, divisor, *period) + ')';
  }
  return Written(value.Sign() < 0, UnsignedText(Magnitude(value.Numerator()) / divisor), separator,
                 decimals);
}

std::string RoundedText(const Fraction& value, int decimals, std::string_view separator) {
  const auto places = static_cast<std::size_t>(std::max(decimals, 0));
  const auto divisor = static_cast<UInt>(value.Denominator());
  UInt remainder = Magnitude(value.Numerator()) % divisor;
  std::string digits = UnsignedText(Magnitude(value.Numerator()) / divisor);
  digits += LongDivision(remainder, divisor, static_cast<int>(places));
  if (remainder >= divisor - remainder) {
    RoundUp(digits);
  }
  const std::size_t wholeLength = digits.size() - places;
  digits.resize(std::max(wholeLength, digits.find_last_not_of('0') + 1));
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  return Written(value.Sign() < 0 && !zero, std::string_view(digits).substr(0, wholeLength),
                 separator, std::string_view(digits).substr(wholeLength));
}

std::string IntegerText(Fraction::Int value) {
  return Written(value < 0, UnsignedText(Magnitude(value)), {}, {});
}
