#include "worksheet/fault.h"

#include <utility>

ArithmeticFault::ArithmeticFault(FaultKind kind, std::string cause)
    : kind_(kind), cause_(std::move(cause)) {}

const char* ArithmeticFault::what() const noexcept {
  return kind_ == FaultKind::DivisionByZero ? "division by zero" : "overflow";
}
