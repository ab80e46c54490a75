#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "problems/answer.h"
#include "reader/words.h"

// The numbers of a text that are not the problem's: its number and points, a year, the options
// and a printed answer after it, each with what it is; and where the problem's own items end.

// A number of things counted, "5 колби", that is no quantity of a mixture.
inline constexpr std::string_view CountNumber = "брой, а не количество";

struct Asides {
  std::vector<std::string_view> of;  // by item; empty for a number of the problem
  std::size_t end = 0;               // the problem's own items end here: options or an answer
};

Asides AsidesOf(const Items& items);

// "А)", "Б)", "A)" in capitals: an option's letter.
bool IsOptionLabel(const Items& items, std::size_t i);
bool IsWhole(const Decimal& value);
