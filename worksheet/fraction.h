#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Work in fractions that may leave them: a result with no exact 128-bit fraction (it overflows, or
// divides by zero) is noted in the innermost ExactWork and stands as 0, and the work runs on to
// where it asks whether it failed. No exceptions: the page's modules are built without them, a
// seventh smaller. Works nest, each noting only its own; a result that leaves the fractions with
// no work to note it ends the program, as a fault nobody checks for.
class ExactWork {
 public:
  ExactWork();
  ~ExactWork();
  ExactWork(const ExactWork&) = delete;
  ExactWork& operator=(const ExactWork&) = delete;

  bool Failed() const { return failed_; }
  // Called by the fractions' operations.
  static void NoteInexact();

 private:
  ExactWork* outer_;
  bool failed_ = false;
};

template <typename T>
struct ExactResult {
  using Type = std::optional<T>;
};
template <typename T>
struct ExactResult<std::optional<T>> {
  using Type = std::optional<T>;
};

// What `work` gives, or none where a step of it left the exact fractions; a work that may give
// none gives the same optional.
template <typename Work>
auto Exactly(Work&& work) -> typename ExactResult<decltype(work())>::Type {
  const ExactWork exact;
  auto result = work();
  if (exact.Failed()) {
    return std::nullopt;
  }
  return result;
}

// An exact rational number: numerator and denominator in checked 128-bit integers, always
// reduced, denominator above zero. Every operation is exact or noted inexact (see ExactWork).
// Both parts stay within ±(2^127 − 1), so that negating never overflows; a sum is also inexact
// where its numerator leaves 128 bits before the last reduction.
class Fraction {
 public:
  __extension__ using Int = __int128;

  constexpr Fraction() = default;  // 0
  Fraction(std::int64_t whole);    // implicit: 100 reads as 100 in formulas

  // Reduces; inexact for a zero denominator.
  static Fraction Of(Int numerator, Int denominator);
  // A decimal as the cells write it with a period: "-12.5", "33.3333333333333", "1.5E+20",
  // "1E-05", "0.000123". None for any other text or a value that does not fit.
  static std::optional<Fraction> FromDecimal(std::string_view text);
  // A double exactly as the cells show it, to 15 significant digits. None where that does not
  // fit, or for infinity and NaN.
  static std::optional<Fraction> FromShown(double value);

  Int Numerator() const { return numerator_; }
  Int Denominator() const { return denominator_; }
  bool IsWhole() const { return denominator_ == 1; }
  int Sign() const { return (numerator_ > 0) - (numerator_ < 0); }  // −1, 0, 1
  double ToDouble() const;                                          // the nearest double

  friend Fraction operator+(Fraction x, Fraction y);
  friend Fraction operator-(Fraction x, Fraction y);
  friend Fraction operator*(Fraction x, Fraction y);
  friend Fraction operator/(Fraction x, Fraction y);
  friend Fraction operator-(Fraction x);
  friend bool operator==(Fraction x, Fraction y);
  // Exact, also where cross products would overflow.
  friend std::strong_ordering operator<=>(Fraction x, Fraction y);

 private:
  // From parts already reduced; a zero takes the denominator 1.
  static Fraction Reduced(Int numerator, Int denominator);

  Int numerator_ = 0;
  Int denominator_ = 1;
};

// Texts for the explanation, as Bulgarian school writes numbers: the decimal separator is given,
// a minus is "−" (U+2212), no thousands separators.
// Whole "300", "−400"; finite decimal "12,5", "0,0001"; periodic, with the period in brackets,
// when the period is at most maxPeriod digits: "33,(3)", "0,(142857)", "0,1(6)", "−3,(3)".
// None when the period is longer than maxPeriod or more than 15 digits would follow the
// separator (the caller then writes the fraction "p : q" and "≈" a rounded value).
std::optional<std::string> DecimalText(const Fraction& value, std::string_view separator,
                                       int maxPeriod = 6);
// Rounded half away from zero to `decimals` places, trailing zeros dropped: 100/17 to 2 places
// "5,88", 1/20 to 1 place "0,1", 2/3 to 0 places "1".
std::string RoundedText(const Fraction& value, int decimals, std::string_view separator);
// A whole number with "−" for a minus: for writing "p : q".
std::string IntegerText(Fraction::Int value);
