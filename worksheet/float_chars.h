#pragma once

// Doubles to and from text exactly as std::from_chars and std::to_chars (general format) do,
// also where the standard library has no floating-point charconv (emscripten's libc++ 13).
// There the fallback reads with fast_float, on which libstdc++'s own from_chars is built, and
// writes the exact decimal value of the double, worked out in whole numbers, rounded half to
// even: what printf would write, without the printf that a phone would download.

#include <charconv>

#if __has_include(<fast_float.h>)
#include <fast_float.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <system_error>

namespace FloatChars {

// fast_float answers a number beyond a double's range with ±inf and one too small for it with
// ±0; std::from_chars reports both as out of range and leaves the value alone.
inline std::from_chars_result FallbackRead(const char* first, const char* last, double& value) {
  double read = 0;
  const auto [end, error] = fast_float::from_chars(first, last, read);
  const std::string_view digits(first, static_cast<std::size_t>(end - first));
  const bool infinityWritten = digits.find_first_of("iI") != std::string_view::npos;
  const std::string_view mantissa = digits.substr(0, digits.find_first_of("eE"));
  const bool nonZeroWritten = mantissa.find_first_of("123456789") != std::string_view::npos;
  if (error == std::errc() &&
      ((std::isinf(read) && !infinityWritten) || (read == 0 && nonZeroWritten))) {
    return {end, std::errc::result_out_of_range};
  }
  if (error == std::errc()) {
    value = read;
  }
  return {end, error};
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
#endif

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
