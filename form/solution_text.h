#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "worksheet/solution.h"

namespace Texts {

inline constexpr std::string_view SolutionHeading = "Решение";
// What the solution's place says before there is one to show.
inline constexpr std::string_view SolutionLater =
    "Решението стъпка по стъпка се показва след „Изчисли“.";
// The desktop's way to it, told under a result's worked solution.
inline constexpr std::string_view SolutionKey = "F1: решението стъпка по стъпка";

// The row solved as school writes it, one line each: "Дадено: …", "Търси се: …", the numbered
// steps, "Проверка: …", "Отговор: …", and a line "Внимание: …" for each impossible value.
// Numbers are written as the cells write them.
std::vector<std::string> SolutionLines(const RowSolution& solution,
                                       std::string_view decimalSeparator);

// "първата съставка", "втората съставка", "сместа"; and as the start of a sentence.
std::string_view PartName(Part part);
std::string_view PartTitle(Part part);

}  // namespace Texts
