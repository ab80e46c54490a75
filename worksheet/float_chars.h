#pragma once

// Doubles to and from text exactly as std::from_chars and std::to_chars (general format) do,
// also where the standard library has no floating-point charconv (emscripten's libc++ 13).
// There the fallback reads with fast_float, on which libstdc++'s own from_chars is built, and
// writes with snprintf, whose "%.*g" is to_chars' general format in the "C" locale that a
// WebAssembly module never leaves.

#include <charconv>

#if __has_include(<fast_float.h>)
#include <fast_float.h>

#include <cmath>
#include <cstdio>
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

inline std::to_chars_result FallbackWrite(char* first, char* last, double value, int precision) {
  const int length =
      std::snprintf(first, static_cast<std::size_t>(last - first), "%.*g", precision, value);
  if (length < 0 || length >= last - first) {
    return {last, std::errc::value_too_large};
  }
  return {first + length, std::errc()};
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
