#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problems/answer.h"
#include "problems/problem.h"
#include "worksheet/fraction.h"

// A pupil's own problem, typed or pasted from a textbook, read into the same model the practice
// writes its problems from: the shape, the parts and their numbers, what is asked. Where the
// text does not say one thing for certain, the reading says what it misses rather than guess.

// Why a text is not read as one problem.
enum class Doubt : std::uint8_t {
  Empty,             // no text, or nothing but blanks and signs
  TooLong,           // more than a textbook problem can be
  NotAboutMixtures,  // no parts, no percentages: another subject, or another language
  NoQuestion,        // nothing is asked
  MissingNumber,     // a quantity the shape needs is not given
  ThreeParts,        // three or more parts mixed at once
  TwoScenarios,      // two mixings that are compared, or two problems in one
  TwoReadings,       // the numbers fit more than one shape or role
  Impossible,        // the numbers give no mixture: a negative mass, a percentage out of range
  ChangedBy,         // a percentage changed "с 5%": in points, or a share of itself?
};

// What two numbers that are no quantities are: a problem's points, "(2 т.)", and the kilogram a
// price is of, "Колко струва 1 кг от сместа?".
inline constexpr std::string_view PointsAside = "точките на задачата";
inline constexpr std::string_view ProblemNumberAside = "номерът на задачата";
inline constexpr std::string_view PriceUnitAside = "количеството, за което е цената";

// A number of the text and what it stands for.
struct ReadNumber {
  std::size_t begin = 0;  // its place in the text, in bytes, unit included
  std::size_t end = 0;
  std::string written;                // as the text writes it: "400 г", "10%", "два литра"
  std::optional<PupilAnswer> amount;  // its value and unit; none for more digits than a problem has
  // The quantity of the problem it gives; none where it is not needed (a problem's number, its
  // points, a year, an option, a printed answer) or not understood.
  std::optional<Column> column;
  // What it is where it is not needed: "номерът на задачата", "годината", "отговорът в
  // учебника"; empty for a given.
  std::string aside;
  bool firstStep = false;  // of a problem of two steps, its column is the first step's
};

// An answer given in a multiple-choice option: "А) 100 г".
struct Option {
  std::string letter;  // as the text shows it, a capital: "А", "Б", … or "A", "B", …
  // Its numbers in their order: "400 г и 200 г" has two, and "2 : 1" two with `ratio`.
  std::vector<PupilAnswer> amounts;
  bool ratio = false;
};

// A quantity the problem asks for, exactly, in the unit the question asks it in.
struct Amount {
  Fraction value;
  WrittenUnit unit;
  // A step after them: how much one part's mass, or with `substances` its substance, is more than
  // the other's.
  bool difference = false;
  std::optional<Column> substanceOf = {};  // a step after them: the substance in this mass's part
  // A percentage of what the problem's percentages do not state: the water beside the substance,
  // produce's dry matter; 100% less theirs.
  bool rest = false;
  bool substances = false;
  // Of a difference: asked as how much more or less, not as how much the two differ.
  bool compared = false;
};

struct Reading {
  std::vector<ReadNumber> numbers;  // every number in the text, in order
  // The problem as read, where it is one: its givens as the text gives them (converted to one
  // unit), its sought quantities as the question asks them. Its values of the sought columns are
  // the exact results where they have at most one decimal place.
  std::optional<Problem> problem;
  // The problem's six quantities exactly, in its units: the results too where they are no whole
  // number of tenths.
  std::array<Fraction, ColumnCount> values{};
  std::optional<Doubt> doubt;  // why there is no problem, or why it is not certain
  std::string missing;         // the quantity a MissingNumber misses, in the text's words
  // One for each sought quantity, in the question's order, and a step after where it asks one;
  // where it asks only that step, only that.
  std::vector<Amount> answers;
  std::vector<Option> options;       // "А) … Б) …" in their order
  std::optional<std::size_t> right;  // the option that holds the answer
  // Every option says as many numbers as the answer, and none holds it.
  bool noneRight = false;
  std::vector<Reading> parts;  // sub-questions "а)", "б)", each read on its own
  // Goods mixed by their price per kilogram: "лв." or "€", the prices held where the
  // percentages are; empty for a mixture of percentages.
  std::string currency;
  // What the goods are where both kinds are the same, "бонбони по 9 € … бонбони по 13 €"; empty
  // where the text names them apart or not at all.
  std::string goods;
  // The text's own word for what is read in another context's words: "киселина" or "вещество"
  // read as salt, "ябълки" as plums, "саламура" as a solution of salt, "мед" as the other metals
  // beside gold; empty where the text uses the context's own.
  std::string ownWord;
  // The own word names what a solution holds, "разтвор на антифриз", not the solution itself,
  // which a household's word may also be: "6 л антифриз".
  bool ownHeld = false;
  // The text's own word for the mixture, where it is another than its parts': "концентрат" of
  // juice boiled down; empty where it has none.
  std::string mixtureWord;
  // What the substance is dissolved in where it is not water, "спирт" of "разтвор на йод в
  // спирт": the rest beside it, said where water would be; empty for water.
  std::string solvent;
  // One solution described, nothing mixed: "В 250 г разтвор има 30 г сол." The mixture is that
  // solution, not one obtained.
  bool described = false;
  // The question asks only steps after quantities the text gives, "С колко грама солта в първия
  // разтвор е повече от солта във втория?": the working is those steps alone.
  bool stepsOnly = false;
  // The question asks a hallmark, "Каква проба има сплавта?": a percentage answered is said as
  // one, "проба 585" for 58,5%.
  bool hallmark = false;
};

// Reads any text, of any length and content, without throwing: a text of more than
// MaxTextLength characters is TooLong, unread.
inline constexpr std::size_t MaxTextLength = 10000;
Reading ReadProblem(std::string_view text);

// The reading with its numbers' columns as they stand now, where the pupil has given a number
// another role: the problem solved again from them, of the same substance, parts and question
// where they still fit, or a Doubt where the numbers give no problem. A problem of two steps is
// returned as it is.
Reading Reread(Reading reading);
