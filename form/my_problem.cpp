#include "form/my_problem.h"

#include <algorithm>
#include <array>

#include "form/problem_text.h"
#include "problems/letters.h"
#include "worksheet/variants.h"

namespace {

constexpr std::string_view NotNeeded = "не е нужно";

// What is said for each Doubt, in its order: the one sentence that begins "Не разбрах".
constexpr std::array<std::string_view, 9> NotUnderstood = {
    "Не разбрах задачата: полето е празно.",
    "Не разбрах задачата: текстът е по-дълъг от 10 000 знака.",
    "Не разбрах задачата: в нея няма разтвор, сплав или друга смес.",
    "Не разбрах какво се пита: в текста няма въпрос.",
    "Не разбрах задачата: липсва едно от числата, които са нужни.",
    "Не разбрах задачата: в нея се смесват три или повече части наведнъж, а тук се решават задачи "
    "с две части.",
    "Не разбрах задачата: в нея има две отделни смесвания. Въведи всяко от тях като отделна "
    "задача.",
    "Не разбрах задачата: числата в нея могат да се разберат по два начина. Провери какво означава "
    "всяко число.",
    "Не разбрах задачата: с тези числа не се получава смес. Провери дали са преписани вярно.",
};

// "масата на първия разтвор", "процентното съдържание на сол във водата": what a column is in
// the problem's words.
std::string RoleOf(const Problem& problem, const Texts::PartWords& parts, Column column) {
  const std::string& part = parts.names[static_cast<std::size_t>(PartOf(column))];
  if (UnitOf(problem, column) != Unit::Percent) {
    return std::string(problem.unit == Unit::Litre ? "обемът на " : "масата на ") + part;
  }
  // Produce's percentages are of its water, as the problem states them.
  const bool water = StatedShareOf(problem.context) == StatedShare::Water;
  return "процентното съдържание на " + (water ? std::string("вода") : parts.substance) + " " +
         Texts::In(part);
}

// The items with `between` between them and `last` before the last one.
std::string Listed(const std::vector<std::string>& items, std::string_view between,
                   std::string_view last) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += i == 0 ? "" : (i + 1 == items.size() ? std::string(last) : std::string(between));
    text += items[i];
  }
  return text;
}

std::string_view SymbolOf(WrittenUnit unit) {
  constexpr std::array<std::string_view, 6> Symbols = {"г", "кг", "т", "мл", "л", "%"};
  return Symbols[static_cast<std::size_t>(unit)];
}

// "33,(3)%", "166,(6) г": an exact answer, as school writes a periodic decimal.
std::string ExactAmount(const Amount& amount) {
  const std::string number = Texts::ExactNumber(amount.value);
  return amount.unit == WrittenUnit::Percent ? number + "%"
                                             : number + " " + std::string(SymbolOf(amount.unit));
}

// Whether the problem's tenths hold every quantity exactly, as the grid would show them.
bool AreTenths(const Reading& reading) {
  for (const Column column : AllColumns) {
    if (Fraction::Of(reading.problem->Value(column).count, 10) != reading.values[column]) {
      return false;
    }
  }
  return true;
}

}  // namespace

void MyProblem::Read(std::string_view text) {
  reading_ = ReadProblem(text);
  Show();
}

bool MyProblem::IsAnswered() const {
  if (!reading_.parts.empty()) {
    return std::all_of(reading_.parts.begin(), reading_.parts.end(),
                       [](const Reading& part) { return part.problem && !part.doubt; });
  }
  return reading_.problem && !reading_.doubt;
}

std::vector<MyProblem::Number> MyProblem::Numbers() const {
  std::vector<Number> numbers;
  for (const ReadNumber& number : reading_.numbers) {
    numbers.push_back({number.written, number.column ? static_cast<std::size_t>(*number.column)
                                                     : static_cast<std::size_t>(ColumnCount)});
  }
  return numbers;
}

std::vector<std::string> MyProblem::Roles() const {
  const Problem problem = reading_.problem.value_or(Problem{});
  const Texts::PartWords parts =
      reading_.problem ? Texts::PartWordsOf(problem) : Texts::GridPartWords();
  std::vector<std::string> roles;
  for (const Column column : AllColumns) {
    roles.push_back(RoleOf(problem, parts, column));
  }
  roles.emplace_back(NotNeeded);
  return roles;
}

void MyProblem::ChangeRole(std::size_t number, std::size_t role) {
  // Sub-questions are each their own problem: their roles are not changed as one.
  if (number >= reading_.numbers.size() || role > static_cast<std::size_t>(ColumnCount) ||
      !reading_.parts.empty()) {
    return;
  }
  ReadNumber& changed = reading_.numbers[number];
  changed.column = role < static_cast<std::size_t>(ColumnCount)
                       ? std::optional<Column>(static_cast<Column>(role))
                       : std::nullopt;
  if (!changed.column && changed.aside.empty()) {
    changed.aside = NotNeeded;
  }
  reading_ = Reread(std::move(reading_));
  Show();
}

bool MyProblem::CanGoIntoGrid() const {
  return IsAnswered() && reading_.parts.empty() && AreTenths(reading_);
}

Practice::GridEntry MyProblem::ForGrid(std::string_view decimalSeparator) const {
  const Problem& problem = *reading_.problem;
  Practice::GridEntry entry{problem.variant, RuleOf(problem.variant).givens, {}};
  for (std::size_t i = 0; i < entry.columns.size(); ++i) {
    entry.texts[i] = problem.Value(entry.columns[i]).Text(decimalSeparator);
  }
  return entry;
}

void MyProblem::Show() {
  shown_ = {};
  if (!reading_.parts.empty()) {
    ShowSubQuestions();
    return;
  }
  if (!IsAnswered()) {
    ShowDoubt();
    return;
  }
  const Problem& problem = *reading_.problem;
  shown_.lines.push_back(GivenLine());
  shown_.lines.push_back(SoughtLine());
  const bool tenths = AreTenths(reading_);
  std::vector<std::string> answers;
  for (const Amount& amount : reading_.answers) {
    if (!amount.difference) {
      answers.push_back(ExactAmount(amount));
    }
  }
  const Teaching teaching =
      tenths ? TeachingOf(problem)
             : TeachingOf(problem, reading_.values, Listed(answers, ", ", " и "));
  // The solution's own "Дадено:" and "Търси се:" are said above, in the problem's words.
  const std::vector<std::string>& lines = teaching.solution.lines;
  std::size_t from = 0;
  while (from < lines.size() &&
         (lines[from].starts_with("Дадено:") || lines[from].starts_with("Търси се:"))) {
    ++from;
  }
  shown_.lines.insert(shown_.lines.end(), lines.begin() + static_cast<std::ptrdiff_t>(from),
                      lines.end());
  shown_.table = teaching.solution.table;
  shown_.tableAt = teaching.solution.tableAt + 2 - std::min(from, teaching.solution.tableAt);
  ShowDifference();
  ShowOption();
}

// "а)" and what is shown of it, for each sub-question; a table only in the words.
void MyProblem::ShowSubQuestions() {
  constexpr std::array<std::string_view, 4> Labels = {"а)", "б)", "в)", "г)"};
  for (std::size_t k = 0; k < reading_.parts.size() && k < Labels.size(); ++k) {
    MyProblem part;
    part.reading_ = reading_.parts[k];
    part.Show();
    shown_.lines.emplace_back(Labels[k]);
    for (const std::string& line : part.shown_.lines) {
      shown_.lines.push_back(line);
    }
  }
}

// "Разликата между масите е 600 − 300 = 300 (г).": the step after the masses.
void MyProblem::ShowDifference() {
  const std::array<Fraction, ColumnCount>& values = reading_.values;
  for (const Amount& amount : reading_.answers) {
    if (!amount.difference) {
      continue;
    }
    const bool firstMore = values[Weight1] >= values[Weight2];
    const Fraction more = firstMore ? values[Weight1] : values[Weight2];
    const Fraction less = firstMore ? values[Weight2] : values[Weight1];
    const std::string_view unit = UnitSymbol(reading_.problem->unit);
    shown_.lines.push_back("Разликата между масите е " + Texts::ExactNumber(more) + " − " +
                           Texts::ExactNumber(less) + " = " + Texts::ExactNumber(more - less) +
                           " (" + std::string(unit) + ").");
  }
}

// "Дадено: 400 г – масата на първия разтвор; …; 5 – не е нужно (номерът на задачата)."
std::string MyProblem::GivenLine() const {
  const Problem& problem = *reading_.problem;
  const Texts::PartWords parts = Texts::PartWordsOf(problem);
  std::vector<std::string> given;
  std::array<bool, ColumnCount> written{};
  for (const ReadNumber& number : reading_.numbers) {
    if (number.column) {
      written[*number.column] = true;
      // A hallmark is a percentage in tenths of one: "585 (58,5%)".
      const bool hallmark = UnitOf(problem, *number.column) == Unit::Percent &&
                            number.written.find('%') == std::string::npos &&
                            number.written.find("процент") == std::string::npos;
      const std::string shown =
          hallmark
              ? number.written + " (" + Texts::ExactNumber(reading_.values[*number.column]) + "%)"
              : number.written;
      given.push_back(shown + " – " + RoleOf(problem, parts, *number.column));
    } else {
      given.push_back(number.written + " – " + std::string(NotNeeded) +
                      (number.aside.empty() || number.aside == NotNeeded
                           ? std::string()
                           : " (" + number.aside + ")"));
    }
  }
  // Water's 0% and the pure substance's 100% go without saying in the text.
  for (const Column column : {Percent1, Percent2}) {
    if (!written[column] && problem.IsGiven(column)) {
      given.push_back(Texts::AnswerAmount(problem, column) + " – " +
                      RoleOf(problem, parts, column));
    }
  }
  return "Дадено: " + Listed(given, "; ", "; ") + ".";
}

// "Търси се: масата на водата.", "Търси се: отношението на масите на двата разтвора."
std::string MyProblem::SoughtLine() const {
  const Problem& problem = *reading_.problem;
  const Texts::PartWords parts = Texts::PartWordsOf(problem);
  if (problem.asked == Asked::Ratio) {
    return "Търси се: отношението на " +
           std::string(problem.unit == Unit::Litre ? "обемите" : "масите") + " на " +
           parts.bothParts + ".";
  }
  std::vector<std::string> sought;
  for (const Column column : problem.sought) {
    sought.push_back(RoleOf(problem, parts, column));
  }
  return "Търси се: " + Listed(sought, ", ", " и ") + ".";
}

void MyProblem::ShowOption() {
  if (reading_.options.empty()) {
    return;
  }
  shown_.lines.push_back(
      reading_.right ? "Верният отговор е " + reading_.options[*reading_.right].letter + ")."
                     : std::string("Нито един от дадените отговори не е верен."));
}

// What was understood, and the one sentence that says what was not.
void MyProblem::ShowDoubt() {
  std::vector<std::string> numbers;
  for (const ReadNumber& number : reading_.numbers) {
    numbers.push_back(number.aside.empty() || number.aside == "не е разбрано"
                          ? number.written
                          : number.written + " (" + number.aside + ")");
  }
  if (!numbers.empty()) {
    shown_.lines.push_back("Разбрах числата: " + Listed(numbers, ", ", " и ") + ".");
  }
  const ::Doubt doubt = reading_.doubt.value_or(Doubt::TwoReadings);
  if (doubt == Doubt::MissingNumber && !reading_.missing.empty()) {
    shown_.lines.push_back("Не разбрах колко е " + reading_.missing +
                           ": това число липсва в задачата.");
    return;
  }
  shown_.lines.emplace_back(NotUnderstood[static_cast<std::size_t>(doubt)]);
}
