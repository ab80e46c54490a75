#include "worksheet/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "worksheet/fault.h"

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

// Scans the longest decimal prefix and hands it to std::from_chars, which reports overflow and
// underflow alike; the decimal magnitude of the prefix tells the two apart.
class DecimalPrefix {
 public:
  DecimalPrefix(std::string_view text, std::string_view decimalSeparator)
      : text_(text), separator_(decimalSeparator) {
    SkipSign();
    ReadMantissa();
    if (HasDigit()) {
      ReadExponent();
    }
  }

  double Value() const {
    if (!HasDigit()) {
      return 0;
    }
    double value = 0;
    if (FromChars(value) == std::errc::result_out_of_range) {
      if (Magnitude() > 0) {
        ThrowOutOfRange();
      }
      return text_[start_] == '-' ? -0.0 : 0.0;  // too small to tell from zero
    }
    return value;
  }

 private:
  // Far beyond any exponent a double can take, and any text length, so sums cannot overflow.
  static constexpr long long ExponentLimit = 1'000'000'000'000'000;

  char CharAt(std::size_t index) const { return index < text_.size() ? text_[index] : '\0'; }
  bool At(char c) const { return CharAt(position_) == c; }
  bool HasDigit() const { return digitCount_ > 0; }

  // from_chars takes a minus sign but not a plus sign.
  void SkipSign() {
    if (At('+')) {
      start_ = ++position_;
    } else if (At('-')) {
      ++position_;
    }
    digitsStart_ = position_;
  }

  void ReadMantissa() {
    ReadDigits();
    if (At('.')) {
      separatorAt_ = position_++;
    } else if (!separator_.empty() && text_.substr(position_).starts_with(separator_)) {
      separatorAt_ = position_;
      localSeparator_ = true;
      position_ += separator_.size();
    } else {
      mantissaEnd_ = position_;
      return;
    }
    ReadDigits();
    mantissaEnd_ = position_;
  }

  void ReadDigits() {
    for (; IsDigit(CharAt(position_)); ++position_) {
      ++digitCount_;
    }
  }

  // An exponent counts only when digits follow its letter and optional sign: "1e" and "1e+"
  // read as 1.
  void ReadExponent() {
    if (!At('e') && !At('E')) {
      return;
    }
    std::size_t cursor = position_ + 1;
    const bool negative = CharAt(cursor) == '-';
    if (negative || CharAt(cursor) == '+') {
      ++cursor;
    }
    if (!IsDigit(CharAt(cursor))) {
      return;
    }
    long long exponent = 0;
    for (; IsDigit(CharAt(cursor)); ++cursor) {
      exponent = std::min(exponent * 10 + (text_[cursor] - '0'), ExponentLimit);
    }
    position_ = cursor;
    exponent_ = negative ? -exponent : exponent;
  }

  std::errc FromChars(double& value) const {
    const std::string_view number = text_.substr(start_, position_ - start_);
    if (!localSeparator_) {
      return std::from_chars(number.data(), number.data() + number.size(), value).ec;
    }
    const std::size_t separatorOffset = separatorAt_ - start_;
    std::string withPoint(number.substr(0, separatorOffset));
    withPoint += '.';
    withPoint += number.substr(separatorOffset + separator_.size());
    return std::from_chars(withPoint.data(), withPoint.data() + withPoint.size(), value).ec;
  }

  // Roughly the decimal exponent of the prefix (the integer digits from the first significant
  // one, or minus the places after the point before it, plus the exponent): only its sign
  // matters, and a range error happens only when it is in the hundreds.
  long long Magnitude() const {
    const std::string_view digits = text_.substr(digitsStart_, mantissaEnd_ - digitsStart_);
    const std::size_t point = std::min(separatorAt_, mantissaEnd_) - digitsStart_;
    const std::size_t firstSignificant = digits.find_first_of("123456789");
    if (firstSignificant == std::string_view::npos) {
      return exponent_;
    }
    return static_cast<long long>(point) - static_cast<long long>(firstSignificant) + exponent_;
  }

  std::string_view text_;
  std::string_view separator_;
  std::size_t start_ = 0;
  std::size_t digitsStart_ = 0;
  std::size_t position_ = 0;
  std::size_t separatorAt_ = std::string_view::npos;
  std::size_t mantissaEnd_ = 0;
  bool localSeparator_ = false;
  std::size_t digitCount_ = 0;
  long long exponent_ = 0;
};

}  // namespace

double ParseCellNumber(std::string_view text, std::string_view decimalSeparator) {
  if (std::any_of(text.begin(), text.end(), IsBlank)) {
    return ParseCellNumber(WithoutBlanks(text), decimalSeparator);
  }
  if (IsWholeNumberPrefix(text)) {
    return ParseWholeNumber(text);
  }
  return DecimalPrefix(text, decimalSeparator).Value();
}

std::string FormatCellNumber(double value, std::string_view decimalSeparator) {
  if (value == 0) {
    return "0";  // never "-0"
  }
  char digits[32];
  const auto [end, error] =
      std::to_chars(std::begin(digits), std::end(digits), value, std::chars_format::general, 15);
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
