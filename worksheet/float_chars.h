#pragma once

// Doubles to and from text exactly as std::from_chars and std::to_chars (general format) do,
// also where the standard library has no floating-point charconv (emscripten's libc++ 13).
// There the fallback works in whole numbers, as exactly as the standard library: it reads the
// decimal value and rounds it half to even to the nearest double, and writes the exact decimal
// value of the double rounded half to even. A phone downloads neither a table of powers nor
// printf for it.

#include <charconv>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

namespace FloatChars {

// A whole number in base 2^32, least significant part first, large enough for the digits of any
// double's decimal text (800 of them, the rest folded into one) over the largest power of ten.
class Binary {
 public:
  explicit Binary(std::uint32_t value = 0) {
    parts_[0] = value;
    size_ = value != 0 ? 1 : 0;
  }

  // this × factor + addend.
  void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::size_t i = 0; i < size_; ++i) {
      carry += std::uint64_t{parts_[i]} * factor;
      parts_[i] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) {
      parts_[size_++] = static_cast<std::uint32_t>(carry);
    }
  }

  void MultiplyByPowerOfTen(long exponent) {
    for (; exponent > 0; exponent -= 9) {
      std::uint32_t factor = 1;
      for (long i = 0; i < 9 && i < exponent; ++i) {
        factor *= 10;
      }
      MultiplyAdd(factor, 0);
    }
  }

  long BitLength() const {
    if (size_ == 0) {
      return 0;
    }
    const std::uint32_t top = parts_[size_ - 1];
    long bits = 32;
    while ((top >> (bits - 1)) == 0) {
      --bits;
    }
    return static_cast<long>(size_ - 1) * 32 + bits;
  }

  void ShiftLeft(long bits) {
    const auto whole = static_cast<std::size_t>(bits / 32);
    const auto rest = static_cast<unsigned>(bits % 32);
    if (size_ == 0) {
      return;
    }
    parts_[size_] = 0;
    for (std::size_t i = size_ + 1; i-- > 0;) {
      const std::uint32_t high = parts_[i] << rest;
      const std::uint32_t low = (rest != 0 && i > 0) ? parts_[i - 1] >> (32 - rest) : 0;
      parts_[i + whole] = high | low;
    }
    std::fill_n(parts_.begin(), whole, 0u);
    size_ += whole + 1;
    Trim();
  }

  void ShiftRightByOne() {
    for (std::size_t i = 0; i < size_; ++i) {
      const std::uint32_t carried = i + 1 < size_ ? parts_[i + 1] << 31 : 0;
      parts_[i] = (parts_[i] >> 1) | carried;
    }
    Trim();
  }

  bool IsZero() const { return size_ == 0; }

  bool NotLess(const Binary& other) const {
    if (size_ != other.size_) {
      return size_ > other.size_;
    }
    for (std::size_t i = size_; i-- > 0;) {
      if (parts_[i] != other.parts_[i]) {
        return parts_[i] > other.parts_[i];
      }
    }
    return true;
  }

  // this − other, which is not larger.
  void Subtract(const Binary& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < size_; ++i) {
      std::int64_t difference =
          std::int64_t{parts_[i]} - borrow - (i < other.size_ ? std::int64_t{other.parts_[i]} : 0);
      borrow = difference < 0 ? 1 : 0;
      parts_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    Trim();
  }

 private:
  void Trim() {
    while (size_ > 0 && parts_[size_ - 1] == 0) {
      --size_;
    }
  }

  std::array<std::uint32_t, 140> parts_{};
  std::size_t size_ = 0;
};

// The decimal number `digits` × 10^exponent (digits without leading zeros, at least one not
// zero) rounded half to even to the nearest double; ±inf or 0 beyond a double's range.
inline double NearestDouble(std::string_view digits, long exponent) {
  const auto count = static_cast<long>(digits.size());
  if (count + exponent > 310) {
    return INFINITY;
  }
  if (count + exponent < -330) {
    return 0;
  }
  // Within 800 digits lie all that can tell two doubles or a midpoint apart; a nonzero rest
  // counts as one more digit 1.
  constexpr std::size_t Kept = 800;
  const bool restNonZero =
      digits.size() > Kept && digits.substr(Kept).find_first_not_of('0') != std::string_view::npos;
  if (digits.size() > Kept) {
    exponent += static_cast<long>(digits.size() - Kept);
    digits = digits.substr(0, Kept);
  }
  Binary numerator;
  for (const char digit : digits) {
    numerator.MultiplyAdd(10, static_cast<std::uint32_t>(digit - '0'));
  }
  if (restNonZero) {
    numerator.MultiplyAdd(10, 1);
    --exponent;
  }
  Binary denominator(1);
  if (exponent >= 0) {
    numerator.MultiplyByPowerOfTen(exponent);
  } else {
    denominator.MultiplyByPowerOfTen(-exponent);
  }
  // quotient = numerator × 2^shift / denominator, of 55 or 56 bits, and its remainder.
  const long shift = 55 - (numerator.BitLength() - denominator.BitLength());
  if (shift > 0) {
    numerator.ShiftLeft(shift);
  } else {
    denominator.ShiftLeft(-shift);
  }
  denominator.ShiftLeft(55);
  std::uint64_t quotient = 0;
  for (int bit = 55; bit >= 0; --bit) {
    if (numerator.NotLess(denominator)) {
      numerator.Subtract(denominator);
      quotient |= std::uint64_t{1} << bit;
    }
    denominator.ShiftRightByOne();
  }
  // Keep 53 bits, fewer where the result is subnormal, and round the dropped ones half to even.
  const int length = quotient >> 55 != 0 ? 56 : 55;
  const long binaryExponent = length - 1 - shift;
  long dropped = length - 53 + std::max(0L, -1022 - binaryExponent);
  if (dropped > length) {
    return 0;
  }
  const std::uint64_t kept = quotient >> dropped;
  const std::uint64_t rest = quotient & ((std::uint64_t{1} << dropped) - 1);
  const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  const bool up = rest > half || (rest == half && (!numerator.IsZero() || (kept & 1) != 0));
  return std::ldexp(static_cast<double>(kept + (up ? 1 : 0)), static_cast<int>(dropped - shift));
}

inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "inf", "infinity" and "nan" with an optional "(chars)", in any case, as from_chars reads them.
inline const char* ReadNonNumber(const char* first, const char* last, double& value,
                                 bool negative) {
  const auto startsWith = [&](std::string_view word) {
    if (last - first < static_cast<std::ptrdiff_t>(word.size())) {
      return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
      if ((first[i] | 0x20) != word[i]) {
        return false;
      }
    }
    return true;
  };
  if (startsWith("infinity") || startsWith("inf")) {
    value = negative ? -INFINITY : INFINITY;
    return first + (startsWith("infinity") ? 8 : 3);
  }
  if (!startsWith("nan")) {
    return nullptr;
  }
  value = negative ? -NAN : NAN;
  const char* end = first + 3;
  if (end != last && *end == '(') {
    const char* close = end + 1;
    while (close != last && (IsDigit(*close) ||
                             ((*close | 0x20) >= 'a' && (*close | 0x20) <= 'z') || *close == '_')) {
      ++close;
    }
    if (close != last && *close == ')') {
      end = close + 1;
    }
  }
  return end;
}

// from_chars for doubles in the general format: an optional minus, digits with at most one
// point, an exponent where digits follow its letter; out of range beyond a double either way,
// the value then left alone.
inline std::from_chars_result FallbackRead(const char* first, const char* last, double& value) {
  const bool negative = first != last && *first == '-';
  const char* text = first + (negative ? 1 : 0);
  if (const char* end = ReadNonNumber(text, last, value, negative)) {
    return {end, std::errc()};
  }
  std::string digits;
  long exponent = 0;
  const char* at = text;
  bool anyDigit = false;
  for (bool point = false; at != last && (IsDigit(*at) || (*at == '.' && !point)); ++at) {
    if (*at == '.') {
      point = true;
      continue;
    }
    anyDigit = true;
    if (*at != '0' || !digits.empty()) {
      digits += *at;
    }
    exponent -= point ? 1 : 0;
  }
  if (!anyDigit) {
    return {first, std::errc::invalid_argument};
  }
  if (at != last && (*at | 0x20) == 'e') {
    const char* sign = at + 1;
    const char* start = sign + (sign != last && (*sign == '+' || *sign == '-') ? 1 : 0);
    long written = 0;
    const char* end = start;
    for (; end != last && IsDigit(*end); ++end) {
      written = std::min(written * 10 + (*end - '0'), 100'000'000L);
    }
    if (end != start) {
      exponent += *sign == '-' ? -written : written;
      at = end;
    }
  }
  // Leading zeros were never kept, so trailing ones fold into the exponent.
  while (!digits.empty() && digits.back() == '0') {
    digits.pop_back();
    ++exponent;
  }
  const double magnitude = digits.empty() ? 0 : NearestDouble(digits, exponent);
  if (std::isinf(magnitude) || (magnitude == 0 && !digits.empty())) {
    return {at, std::errc::result_out_of_range};
  }
  value = negative ? -magnitude : magnitude;
  return {at, std::errc()};
}

// A whole number in base 10^9, least significant part first, large enough for 2^53 × 5^1074,
// the exact digits of the smallest double.
class Decimal {
 public:
  explicit Decimal(std::uint64_t value) {
    while (value != 0) {
      parts_[size_++] = static_cast<std::uint32_t>(value % Base);
      value /= Base;
    }
  }

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < size_; ++i) {
      carry += std::uint64_t{parts_[i]} * factor;
      parts_[i] = static_cast<std::uint32_t>(carry % Base);
      carry /= Base;
    }
    while (carry != 0) {
      parts_[size_++] = static_cast<std::uint32_t>(carry % Base);
      carry /= Base;
    }
  }

  // base^exponent, in factors that keep every product of a part within 64 bits.
  void MultiplyByPower(std::uint32_t base, int exponent) {
    const int perStep = base == 2 ? 31 : 13;  // 2^31 and 5^13 are below 2^32
    for (; exponent > 0; exponent -= perStep) {
      std::uint32_t factor = 1;
      for (int i = 0; i < perStep && i < exponent; ++i) {
        factor *= base;
      }
      Multiply(factor);
    }
  }

  // The digits, without leading zeros, into `digits`; returns how many.
  std::size_t Digits(char* digits) const {
    std::size_t count = 0;
    for (std::size_t i = size_; i-- > 0;) {
      char part[9];
      std::uint32_t value = parts_[i];
      for (int d = 8; d >= 0; --d) {
        part[d] = static_cast<char>('0' + value % 10);
        value /= 10;
      }
      const std::size_t skip = i + 1 == size_ ? std::strspn(part, "0") : 0;
      std::memcpy(digits + count, part + skip, 9 - skip);
      count += 9 - skip;
    }
    return count;
  }

 private:
  static constexpr std::uint32_t Base = 1'000'000'000;
  std::array<std::uint32_t, 90> parts_{};
  std::size_t size_ = 0;
};

// Rounds `digits` (count of them) to `precision`, half to even, as the exact value is rounded;
// returns the new count, and raises `point` when 9…9 rounds up to 10…0.
inline std::size_t RoundDigits(char* digits, std::size_t count, std::size_t precision,
                               long& point) {
  if (count <= precision) {
    return count;
  }
  const char next = digits[precision];
  const bool beyondHalf =
      next > '5' ||
      (next == '5' && count > precision + 1 &&
       std::string_view(digits + precision + 1, count - precision - 1).find_first_not_of('0') !=
           std::string_view::npos);
  const bool halfToOdd = next == '5' && !beyondHalf && (digits[precision - 1] - '0') % 2 == 1;
  if (beyondHalf || halfToOdd) {
    std::size_t i = precision;
    while (i > 0 && digits[i - 1] == '9') {
      digits[--i] = '0';
    }
    if (i == 0) {
      digits[0] = '1';
      ++point;
    } else {
      ++digits[i - 1];
    }
  }
  return precision;
}

// to_chars' general format: positional where the exponent lies in [-4, precision), else
// d.ddde±XX, trailing zeros dropped either way.
inline char* WriteDigits(char* out, const char* digits, std::size_t count, long exponent,
                         int precision) {
  while (count > 1 && digits[count - 1] == '0') {
    --count;
  }
  if (exponent < -4 || exponent >= precision) {
    *out++ = digits[0];
    if (count > 1) {
      *out++ = '.';
      out = std::copy(digits + 1, digits + count, out);
    }
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const long magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) {
      *out++ = '0';
    }
    return std::to_chars(out, out + 4, magnitude).ptr;
  }
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -exponent - 1, '0');
    return std::copy(digits, digits + count, out);
  }
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  out = std::copy(digits, digits + std::min(whole, count), out);
  if (count <= whole) {
    return std::fill_n(out, whole - count, '0');
  }
  *out++ = '.';
  return std::copy(digits + whole, digits + count, out);
}

inline std::to_chars_result FallbackWrite(char* first, char* last, double value, int precision) {
  // A double has at most 767 significant decimal digits; more precision adds none.
  const int digitsWanted = std::clamp(precision, 1, 767);
  char text[800];
  char* out = text;
  if (std::signbit(value)) {
    *out++ = '-';
  }
  if (value == 0) {
    *out++ = '0';
  } else {
    // value = mantissa × 2^exponent exactly, which is mantissa × 5^-exponent / 10^-exponent.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);  // libc++ 13 has no std::bit_cast
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int exponent = (biased == 0 ? 1 : biased) - 1075;
    Decimal exact(mantissa);
    exact.MultiplyByPower(exponent < 0 ? 5 : 2, exponent < 0 ? -exponent : exponent);
    char digits[800];
    std::size_t count = exact.Digits(digits);
    long point = static_cast<long>(count) + (exponent < 0 ? exponent : 0);
    count = RoundDigits(digits, count, static_cast<std::size_t>(digitsWanted), point);
    out = WriteDigits(out, digits, count, point - 1, digitsWanted);
  }
  const auto length = out - text;
  if (length > last - first) {
    return {last, std::errc::value_too_large};
  }
  return {std::copy(text, out, first), std::errc()};
}

}  // namespace FloatChars

namespace FloatChars {

inline std::from_chars_result Read(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars)
  return std::from_chars(first, last, value);
#else
  return FallbackRead(first, last, value);
#endif
}

// At most `precision` significant digits, in the shorter of positional and exponent form.
inline std::to_chars_result WriteGeneral(char* first, char* last, double value, int precision) {
#if defined(__cpp_lib_to_chars)
  return std::to_chars(first, last, value, std::chars_format::general, precision);
#else
  return FallbackWrite(first, last, value, precision);
#endif
}

}  // namespace FloatChars
