#pragma once

#include <array>
#include <optional>
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
// School says what a value after "≈" is rounded to.
inline constexpr std::string_view RoundedToHundredths =
    "Бележка: числата след „≈“ са закръглени до стотни.";

// The table as a textbook draws it: a heading row, then the first part, the second and the
// mixture, each with its mass, percentage and pure substance.
struct SolutionTable {
  std::array<std::string, 4> heading;
  std::array<std::array<std::string, 4>, 3> rows;
};

// The row solved as a teacher writes it on the board, in Bulgarian school notation whatever the
// user's language: "·" and ":", "−", the decimal comma, periods in brackets ("33,(3)"). The
// lines go "Дадено: …", "Търси се: …", any "Внимание: …", then the table (before line
// `tableAt`), the derivation, and "Проверка: …" and "Отговор: …", or a line beginning
// "Задачата няма решение" or "Задачата има безброй много решения".
struct SolutionText {
  std::vector<std::string> lines;
  std::optional<SolutionTable> table;
  std::size_t tableAt = 0;
};

// What the solution calls the three parts and their substance: the grid's own words, or a word
// problem's.
struct PartWords {
  std::array<std::string, 3> names;  // as an object: "първата съставка"; "първия разтвор"
  std::array<std::string, 3> titles;  // opening a sentence: "Първата съставка"; "Първият разтвор"
  std::array<std::string, 3> rows;  // in the table: "първа съставка"; "30% разтвор"
  std::string bothParts;            // "двете съставки"; "двата разтвора"
  std::string substance;            // "чисто вещество"; "сол"
  std::string substanceDefinite;  // "чистото вещество"; "солта"
  std::string substanceTitle;     // "Чистото вещество"; "Солта"
  std::string substanceIs;        // "е"; "са" for "мазнините"
  std::string counted{};          // after "Колко": "грама"; none in the grid
};
PartWords GridPartWords();

// What a word problem asks, where it is not the grid's two unknowns in the grid's order.
struct AnswerWording {
  std::vector<Column> asked{};  // after "Търси се:", in the problem's order; empty: the unknowns
  std::string answer{};     // after "Отговор:" as the problem words it; empty: the unknowns
  std::string_view unit{};  // after each mass ("г"); empty: none
  bool volume = false;      // the parts are measured in litres: "обем", not "маса"
  std::optional<PartWords> parts{};  // the problem's own names; none: the grid's
};

SolutionText WriteSolution(const RowSolution& solution, const AnswerWording& wording = {});

// Hints that ask before they tell, for a solution the grid's way: for an equation, what x is,
// the table, the equation to set up and then to solve; for arithmetic, each number in turn, with
// the one before where it is no answer.
std::vector<std::string> AskingHints(const RowSolution& solution, const SolutionText& text,
                                     const AnswerWording& wording = {});

// A ratio asked of two parts' masses: the percentages of the first part, the second and the
// mixture, and the problem's words.
struct RatioWording {
  std::array<Fraction, 3> percents;
  std::string answer;     // after "Отговор:" as the problem words it
  std::string_view unit;  // of the masses a and b: "г"
  PartWords parts;
  std::array<std::string, 2> kinds{};  // "30% разтвор"; none where the parts have no percentage
};

// As school solves it: a and b for the parts' masses, the balance of the substance as an equation
// in both, the terms of each letter on one side, and a : b from what is left.
SolutionText RatioSolution(const RatioWording& wording);
// "30a + 40b = 36a + 36b", "40b − 36b = 36a − 30a", "4b = 6a", "a : b = 4 : 6 = 2 : 3": from a
// at p1 and b at p2 to pm, each part's terms on the side that keeps them above zero.
std::vector<std::string> RatioSteps(const Fraction& p1, const Fraction& p2, const Fraction& pm);
// What to call a and b, the balance to write, the equation to solve, the ratio that follows.
std::vector<std::string> RatioHints(const RatioWording& wording);

// The same with the table's rows as lines of their own ("първа съставка | 200 | 30% | …").
std::vector<std::string> SolutionLines(const RowSolution& solution);

// A line as a screen reader should say it: "·" as "по" and ":" as "делено на".
std::string SpokenMath(std::string_view line);

// An exact value as school writes it: "300", "−400", "12,5", "33,(3)", or "100 : 17 ≈ 5,88".
std::string ExactNumber(const Fraction& value);

// The preposition "с" before a text, "със" where the text is said with "с" or "з" at its start,
// a number too: "с 30%", "със 7%", "със 75 г", "със 100%", "със сол".
std::string With(std::string_view what);

// "в" before most words, "във" before one that starts with "в" or "ф", as it is said:
// "в първия разтвор", "във втория разтвор".
std::string In(std::string_view place);

// "първата съставка", "втората съставка", "сместа"; and as the start of a sentence.
std::string_view PartName(Part part);
std::string_view PartTitle(Part part);

}  // namespace Texts
