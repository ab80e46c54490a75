#pragma once

#include <exception>
#include <string>

enum class FaultKind { DivisionByZero, Overflow };

// The one way a calculation fails. It carries, besides its kind, a plain-language
// cause for the pupil (in Bulgarian), which may be empty.
class ArithmeticFault : public std::exception {
 public:
  explicit ArithmeticFault(FaultKind kind, std::string cause = {});

  FaultKind Kind() const noexcept { return kind_; }
  const std::string& Cause() const noexcept { return cause_; }
  const char* what() const noexcept override;

 private:
  FaultKind kind_;
  std::string cause_;
};
