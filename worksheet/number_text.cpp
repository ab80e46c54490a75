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

// The longest decimal prefix, rewritten in the form std::from_chars reads, together with a
// rough decimal magnitude that tells an overflow from an underflow when it reports a range error.
class DecimalPrefix {
 public:
  DecimalPrefix(std::string_view text, std::string_view decimalSeparator)
      : text_(text), separator_(decimalSeparator) {
    ReadSign();
    ReadMantissa();
    if (hasDigit_) {
      ReadExponent();
    }
  }

  double Value() const {
    if (!hasDigit_) {
      return 0;
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(number_.data(), number_.data() + number_.size(), value);
    if (error == std::errc::result_out_of_range) {
      if (Magnitude() > 0) {
        ThrowOutOfRange();
      }
      return negative_ ? -0.0 : 0.0;  // too small to tell from zero
    }
    return value;
  }

 private:
  // Far beyond any exponent a double can take, and any text length, so sums cannot overflow.
  static constexpr long long ExponentLimit = 1'000'000'000'000'000;

  void ReadSign() {
    if (position_ < text_.size() && (text_[position_] == '+' || text_[position_] == '-')) {
      negative_ = text_[position_] == '-';
      if (negative_) {
        number_ += '-';
      }
      ++position_;
    }
  }

  void ReadMantissa() {
    ReadDigits(/*fraction=*/false);
    if (ReadSeparator()) {
      number_ += '.';
      ReadDigits(/*fraction=*/true);
    }
  }

  bool ReadSeparator() {
    const std::string_view rest = text_.substr(position_);
    if (!rest.empty() && rest.front() == '.') {
      ++position_;
      return true;
    }
    if (!separator_.empty() && rest.starts_with(separator_)) {
      position_ += separator_.size();
      return true;
    }
    return false;
  }

  void ReadDigits(bool fraction) {
    while (position_ < text_.size() && IsDigit(text_[position_])) {
      const char digit = text_[position_++];
      number_ += digit;
      hasDigit_ = true;
      TrackMagnitude(digit, fraction);
    }
  }

  // Magnitude ends up as the count of significant integer digits, or minus the count of zeros
  // between the point and the first significant fraction digit.
  void TrackMagnitude(char digit, bool fraction) {
    if (significant_) {
      if (!fraction) {
        ++magnitude_;
      }
      return;
    }
    if (digit != '0') {
      significant_ = true;
      magnitude_ = fraction ? magnitude_ : 1;
      return;
    }
    if (fraction) {
      --magnitude_;
    }
  }

  // An exponent counts only when digits follow its letter and optional sign: "1e" and "1e+"
  // read as 1.
  void ReadExponent() {
    std::size_t cursor = position_;
    if (cursor >= text_.size() || (text_[cursor] != 'e' && text_[cursor] != 'E')) {
      return;
    }
    ++cursor;
    const bool negative = cursor < text_.size() && text_[cursor] == '-';
    if (cursor < text_.size() && (text_[cursor] == '+' || text_[cursor] == '-')) {
      ++cursor;
    }
    if (cursor >= text_.size() || !IsDigit(text_[cursor])) {
      return;
    }
    number_ += negative ? "e-" : "e";
    long long exponent = 0;
    for (; cursor < text_.size() && IsDigit(text_[cursor]); ++cursor) {
      number_ += text_[cursor];
      exponent = std::min(exponent * 10 + (text_[cursor] - '0'), ExponentLimit);
    }
    exponent_ = negative ? -exponent : exponent;
    position_ = cursor;
  }

  long long Magnitude() const { return magnitude_ + exponent_; }

  std::string_view text_;
  std::string_view separator_;
  std::size_t position_ = 0;
  std::string number_;
  bool negative_ = false;
  bool hasDigit_ = false;
  bool significant_ = false;
  long long magnitude_ = 0;
  long long exponent_ = 0;
};

}  // namespace

double ParseCellNumber(std::string_view text, std::string_view decimalSeparator) {
  const std::string packed = WithoutBlanks(text);
  if (IsWholeNumberPrefix(packed)) {
    return ParseWholeNumber(packed);
  }
  return DecimalPrefix(packed, decimalSeparator).Value();
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
