#include "form/solution_text.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "form/method_text.h"
#include "form/texts.h"
#include "problems/letters.h"
#include "worksheet/number_text.h"

namespace Texts {

namespace {

constexpr std::string_view Comma = ",";
constexpr std::string_view Minus = "−";
constexpr std::string_view Approximately = " ≈ ";

constexpr std::array<std::string_view, 3> PartNames = {"първата съставка", "втората съставка",
                                                       "сместа"};
constexpr std::array<std::string_view, 3> PartTitles = {"Първата съставка", "Втората съставка",
                                                        "Сместа"};
// How the amount of a part is named: by its mass, or by its volume where it is measured in litres.
// "маса" is feminine and "обем" masculine: the words that go with them agree.
struct AmountWords {
  std::string_view noun;           // "маса"
  std::string_view definite;       // "масата"
  std::string_view title;          // "Масата"
  std::string_view plural;         // "масите"
  std::string_view neverNegative;  // "маса не може да е отрицателна"
  std::string_view aboveZero;      // "тя трябва да е по-голяма от 0"
};
constexpr AmountWords MassWords = {"маса",
                                   "масата",
                                   "Масата",
                                   "масите",
                                   "маса не може да е отрицателна",
                                   "тя трябва да е по-голяма от 0"};
constexpr AmountWords VolumeWords = {"обем",
                                     "обемът",
                                     "Обемът",
                                     "обемите",
                                     "обем не може да е отрицателен",
                                     "той трябва да е по-голям от 0"};
constexpr std::string_view Unknown = "?";
// "Толкова сол има и в двата разтвора заедно:", of the mixture's substance just worked out.
constexpr std::string_view AsMuch = "Толкова ";
constexpr std::string_view NoSolutionWithTheseNumbers = "Задачата няма решение с тези числа.";

// One text from its pieces. The solution is made of many short pieces, and a chain of + would
// make a string of each step (and carry the code for it into the page's module).
std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) {
    text += piece;
  }
  return text;
}

std::string Joined(const std::vector<std::string>& pieces, std::string_view separator) {
  std::string text;
  for (const std::string& piece : pieces) {
    text += Concat({text.empty() ? "" : separator, piece});
  }
  return text;
}

std::size_t IndexOf(Part part) {
  return static_cast<std::size_t>(part);
}

const Fraction Hundred(100);

// Whether a text is said with "с" or "з" at its start. A number's first group of three digits
// says it: седем, седемнайсет, седемдесет…, сто… or седемстотин… ("17500" is седемнайсет
// хиляди…; "1000" is хиляда).
bool SaidWithS(std::string_view text) {
  for (const std::string_view letter : {"с", "з", "С", "З"}) {
    if (text.starts_with(letter)) {
      return true;
    }
  }
  const std::size_t digits = std::min(text.find_first_not_of("0123456789"), text.size());
  if (digits == 0) {
    return false;
  }
  int group = 0;
  for (const char digit : text.substr(0, (digits - 1) % 3 + 1)) {
    group = group * 10 + (digit - '0');
  }
  return group == 7 || group == 17 || group / 10 == 7 || group / 100 == 1 || group / 100 == 7;
}

// A number inside a formula: in brackets where it is negative or a fraction.
std::string Operand(const Fraction& value) {
  const std::optional<std::string> decimal = DecimalText(value, Comma);
  if (!decimal) {
    return Concat(
        {"(", IntegerText(value.Numerator()), " : ", IntegerText(value.Denominator()), ")"});
  }
  return value.Sign() < 0 ? Concat({"(", *decimal, ")"}) : *decimal;
}

// A number that opens a formula: a minus needs no brackets there.
std::string Leading(const Fraction& value) {
  const std::optional<std::string> decimal = DecimalText(value, Comma);
  return decimal ? *decimal : Operand(value);
}

// As Bulgarian textbooks print it, close to its number: "30%".
std::string PercentSuffixed(std::string_view number) {
  return Concat({number, "%"});
}

std::string PercentText(const Fraction& value) {
  return PercentSuffixed(ExactNumber(value));
}

// A cell's rounded value, where there are no exact ones: its 15 digits with a decimal comma.
std::string RoundedNumber(double value) {
  if (!std::isfinite(value)) {
    return "(твърде голямо число)";
  }
  std::string text = FormatCellNumber(value, Comma);
  return text.starts_with('-') ? Concat({Minus, std::string_view(text).substr(1)}) : text;
}

std::string MassText(const Mass& mass) {
  if (mass.x == 0) {
    return Leading(mass.number);
  }
  if (mass.number.Sign() == 0) {
    return "x";
  }
  const std::string number = Operand(mass.number);
  if (mass.x < 0) {
    return Concat({number, " − x"});
  }
  // Water that left is held below zero: "x − 60", not "x + (−60)".
  if (mass.xFirst && mass.number.Sign() < 0) {
    return Concat({"x − ", Operand(-mass.number)});
  }
  return mass.xFirst ? Concat({"x + ", number}) : Concat({number, " + x"});
}

// A term without its sign: "6000", "40x", "36(200 + x)", "0 · x".
std::string TermText(const Term& term) {
  if (term.mass.x == 0) {
    return Operand(term.factor * term.mass.number);
  }
  if (term.mass.number.Sign() != 0) {
    const std::string factor = term.factor == Fraction(1) ? "" : Operand(term.factor);
    return Concat({factor, "(", MassText(term.mass), ")"});
  }
  if (term.factor.Sign() == 0) {
    return "0 · x";
  }
  return term.factor == Fraction(1) ? "x" : Concat({Operand(term.factor), "x"});
}

std::string SideText(const Side& side) {
  std::string text;
  for (const Term& term : side) {
    const bool negative = term.factor.Sign() < 0;
    const std::string magnitude = TermText({negative ? -term.factor : term.factor, term.mass});
    if (text.empty()) {
      text = negative ? Concat({Minus, magnitude}) : magnitude;
    } else {
      text += Concat({negative ? " − " : " + ", magnitude});
    }
  }
  return text.empty() ? "0" : text;
}

bool HoldsX(const Side& side) {
  return std::any_of(side.begin(), side.end(), [](const Term& term) { return term.mass.x != 0; });
}

std::string EquationText(const Equation& equation) {
  return Concat({SideText(equation.left), " = ", SideText(equation.right)});
}

// mass · percent : 100, or the mass alone where it is all substance.
std::string SubstanceFormula(const Mass& mass, const Fraction& percent) {
  const std::string massText =
      mass.x != 0 && mass.number.Sign() != 0 ? Concat({"(", MassText(mass), ")"}) : MassText(mass);
  if (percent == Hundred) {
    return massText;
  }
  return Concat({massText, " · ", Operand(percent), " : 100"});
}

std::string SubstanceSide(const std::vector<SubstanceTerm>& terms) {
  std::vector<std::string> texts;
  for (const SubstanceTerm& term : terms) {
    texts.push_back(term.mass.x == 0 ? Operand(term.amount)
                                     : SubstanceFormula(term.mass, term.percent));
  }
  return texts.empty() ? "0" : Joined(texts, " + ");
}

// "масата", "процентът".
std::string_view QuantityWord(Column column, const AmountWords& words) {
  return column == ColumnsOf(PartOf(column)).weight ? words.definite : "процентът";
}

// "масата на втората съставка"; a word problem's percentage as school words it: "процентното
// съдържание на мед във втората сплав" (the grid's words count nothing).
std::string QuantityName(Column column, const AmountWords& words, const PartWords& parts) {
  const std::string& part = parts.names[IndexOf(PartOf(column))];
  if (column == ColumnsOf(PartOf(column)).percent && !parts.counted.empty()) {
    return Concat({"процентното съдържание на ", parts.substance, " ", In(part)});
  }
  return Concat({QuantityWord(column, words), " на ", part});
}

// What is sought, each part named once: "процентът и масата на сместа", "масите на двете
// съставки", "масата на втората съставка и масата на сместа".
std::string SoughtNames(const std::vector<Column>& asked, const AmountWords& words,
                        const PartWords& parts) {
  if (asked.size() == 2 && PartOf(asked[0]) == PartOf(asked[1])) {
    // A word problem names the part with its mass, then what its percentage measures.
    if (!parts.counted.empty() && asked[1] == ColumnsOf(PartOf(asked[1])).percent) {
      return Concat(
          {QuantityName(asked[0], words, parts), " и процентното съдържание на ", parts.substance});
    }
    return Concat({QuantityWord(asked[0], words), " и ", QuantityName(asked[1], words, parts)});
  }
  const auto isPartsMass = [](Column column) { return column == Weight1 || column == Weight2; };
  if (asked.size() == 2 && std::all_of(asked.begin(), asked.end(), isPartsMass)) {
    return Concat({words.plural, " на ", parts.bothParts});
  }
  std::vector<std::string> names;
  for (const Column column : asked) {
    names.push_back(QuantityName(column, words, parts));
  }
  return Joined(names, " и ");
}

// "Солта в получения разтвор е колкото в двата разтвора заедно:".
std::string MixtureBalance(const PartWords& parts) {
  return Concat({parts.substanceTitle, " ", In(parts.names[IndexOf(Part::Mixture)]), " ",
                 parts.substanceIs, " колкото в ", parts.bothParts, " заедно:"});
}

// Writes one solution top to bottom.
class SolutionWriter {
 public:
  SolutionWriter(const RowSolution& solution, const AnswerWording& wording)
      : solution_(solution),
        wording_(wording),
        words_(wording.volume ? VolumeWords : MassWords),
        parts_(wording.parts ? *wording.parts : GridPartWords()) {}

  SolutionText Text() {
    WriteGivenAndSought();
    WriteRoundingNote();
    WriteFindings();
    // A word problem teaches what does not change itself, in its own words.
    const std::optional<Method> method =
        wording_.answer.empty() ? GridMethod(solution_) : std::nullopt;
    if (method) {
      WriteByWhatStays(*method);
    } else {
      WriteByTheGrid();
    }
    WriteEnd();
    return std::move(text_);
  }

 private:
  // The table, then the arithmetic, or x and its equation.
  void WriteByTheGrid() {
    if (solution_.equation) {
      WriteUnknown(*solution_.equation);
    }
    if (solution_.IsExact()) {
      text_.table = Table();
      text_.tableAt = text_.lines.size();
    }
    WriteArithmetic(solution_.arithmetic);
    if (solution_.equation) {
      WriteEquation(*solution_.equation);
    }
    WriteArithmetic(solution_.afterEquation);
  }

  // What does not change, in arithmetic; the table only where it holds no x.
  void WriteByWhatStays(const Method& method) {
    if (!solution_.equation) {
      text_.table = Table();
      text_.tableAt = text_.lines.size();
    }
    for (std::string& line : MethodLines(method, GridMethodWords(method))) {
      Add(std::move(line));
    }
  }

  void Add(std::string line) { text_.lines.push_back(std::move(line)); }
  void Add(std::initializer_list<std::string_view> pieces) { Add(Concat(pieces)); }

  // A quantity's value as the explanation writes it: exact, or as the cells round it.
  std::string Number(Column column) const {
    const std::optional<Fraction>& exact = solution_.exact[column];
    return solution_.IsExact() && exact ? ExactNumber(*exact)
                                        : RoundedNumber(solution_.values[column]);
  }

  bool IsPercent(Column column) const { return column == ColumnsOf(PartOf(column)).percent; }

  std::string ValueOf(Column column) const {
    return IsPercent(column) ? PercentSuffixed(Number(column)) : Number(column);
  }

  // With the unit where the problem has one, as its "Дадено" and "Отговор" say it: "200 г".
  std::string Measured(Column column) const {
    const bool withUnit = !wording_.unit.empty() && !IsPercent(column);
    return withUnit ? Concat({ValueOf(column), " ", wording_.unit}) : ValueOf(column);
  }

  // "първата съставка има маса 200 и съдържа 30% чисто вещество".
  std::string GivenOfPart(Part part, bool& substanceNamed) const {
    const PartColumns columns = ColumnsOf(part);
    std::vector<std::string> facts;
    if (solution_.IsGiven(columns.weight)) {
      facts.push_back(Concat({"има ", words_.noun, " ", Measured(columns.weight)}));
    }
    if (solution_.IsGiven(columns.percent)) {
      facts.push_back(PercentFact(columns.percent, substanceNamed));
    }
    return facts.empty() ? std::string()
                         : Concat({FirstSmall(Title(part)), " ", Joined(facts, " и ")});
  }

  std::string PercentFact(Column column, bool& substanceNamed) const {
    const std::optional<Fraction>& exact = solution_.exact[column];
    if (exact && exact->Sign() == 0) {
      return Concat({"не съдържа ", parts_.substance, " (0%)"});
    }
    if (exact && *exact == Hundred) {
      return "е чисто вещество (100%)";
    }
    const std::string named = substanceNamed ? "" : Concat({" ", parts_.substance});
    substanceNamed = true;
    return Concat({"съдържа ", ValueOf(column), named});
  }

  void WriteGivenAndSought() {
    std::vector<std::string> given;
    bool substanceNamed = false;
    for (const Part part : Parts) {
      if (std::string fact = GivenOfPart(part, substanceNamed); !fact.empty()) {
        given.push_back(std::move(fact));
      }
    }
    Add({"Дадено: ", Joined(given, "; "), "."});
    const std::array<Column, 2> unknowns = SoughtInGridOrder();
    const std::vector<Column> asked = wording_.asked.empty()
                                          ? std::vector<Column>(unknowns.begin(), unknowns.end())
                                          : wording_.asked;
    Add({"Търси се: ", SoughtText(asked), "."});
  }

  std::array<Column, 2> SoughtInGridOrder() const {
    const auto [first, second] = solution_.unknowns;
    return {std::min(first, second), std::max(first, second)};
  }

  void WriteRoundingNote() {
    if (solution_.outcome == Outcome::Approximate) {
      Add("Числата имат твърде много цифри, за да се реши задачата точно стъпка по стъпка; "
          "затова тук са закръглени, както в клетките.");
    } else if (solution_.outcome == Outcome::TooLarge) {
      Add("Числата са твърде големи или имат твърде много цифри: при пресмятането се получава "
          "число, с което програмата не може да смята.");
    }
  }

  void WriteFindings() {
    for (const Finding& finding : solution_.findings) {
      Add({"Внимание: ", FindingText(finding)});
    }
  }

  std::string FindingText(const Finding& finding) const {
    const std::string value =
        Concat({QuantityOf(finding.column), solution_.IsGiven(finding.column) ? " е " : " излиза ",
                ValueOf(finding.column)});
    switch (finding.kind) {
      case FindingKind::MixPercentOutsideParts:
        return OutsidePartsText();
      case FindingKind::PercentBelowZero:
        return Concat({value, ", а процент не може да е по-малък от 0%."});
      case FindingKind::PercentAboveHundred:
        return Concat({value,
                       ", а процент не може да е по-голям от 100% (100% е чистото "
                       "вещество)."});
      case FindingKind::MassNotPositive:
        break;
    }
    return Concat(
        {value, ", а ", IsZero(finding.column) ? words_.aboveZero : words_.neverNegative, "."});
  }

  // Where the exact values are not known, the cells' doubles compare just as well.
  int Compare(Column a, Column b) const {
    if (solution_.IsExact()) {
      const auto order = *solution_.exact[a] <=> *solution_.exact[b];
      return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    const double x = solution_.values[a];
    const double y = solution_.values[b];
    return x < y ? -1 : (x > y ? 1 : 0);
  }

  bool IsZero(Column column) const {
    return solution_.IsExact() ? solution_.exact[column]->Sign() == 0
                               : solution_.values[column] == 0;
  }

  std::string OutsidePartsText() const {
    const std::string first = ValueOf(Percent1);
    const std::string mixture = ValueOf(MixPercent);
    if (Compare(Percent1, Percent2) == 0) {
      return Concat({"двете съставки са с по ", first, ", затова и сместа може да е само ",
                     With(first), ", а не ", With(mixture), "."});
    }
    const bool firstLower = Compare(Percent1, Percent2) < 0;
    const std::string second = ValueOf(Percent2);
    return Concat({"процентът на сместа трябва да е между процентите на двете съставки, а ",
                   mixture, " не е между ", firstLower ? first : second, " и ",
                   firstLower ? second : first, "."});
  }

  void WriteUnknown(const EquationSolution& equation) {
    const Column other = solution_.unknowns[1];
    const Mass& otherMass = *solution_.tableMass[IndexOf(PartOf(other))];
    if (wording_.parts) {
      // A word problem names the grid once, elsewhere; x carries the unit where it is introduced.
      const std::string mass = otherMass.number.Sign() == 0
                                   ? MassText(otherMass)
                                   : Concat({"(", MassText(otherMass), ")"});
      Add({"Нека x ", wording_.unit, " е ", QuantityOf(equation.unknown), ". Тогава ",
           QuantityOf(other), " е ", mass, " ", wording_.unit, "."});
      return;
    }
    Add({"Нека x е ", QuantityOf(equation.unknown), " (в полето „", ColumnHeading(equation.unknown),
         "“). Тогава ", QuantityOf(other), " е ", MassText(otherMass), "."});
  }

  SolutionTable Table() const {
    SolutionTable table;
    table.heading = {"", Measure(words_.noun), "процент", Measure(parts_.substance)};
    for (const Part part : Parts) {
      const std::size_t row = IndexOf(part);
      const std::optional<Mass>& mass = solution_.tableMass[row];
      const std::optional<Fraction>& percent = solution_.tablePercent[row];
      table.rows[row] = {parts_.rows[row], mass ? MassText(*mass) : std::string(Unknown),
                         percent ? PercentText(*percent) : std::string(Unknown),
                         SubstanceCell(part)};
    }
    return table;
  }

  std::string SubstanceCell(Part part) const {
    const std::size_t row = IndexOf(part);
    const std::optional<Mass>& mass = solution_.tableMass[row];
    const std::optional<Fraction>& percent = solution_.tablePercent[row];
    if (percent && percent->Sign() == 0) {
      return "0";
    }
    if (!mass || !percent) {
      return std::string(Unknown);
    }
    if (mass->x != 0) {
      return SubstanceFormula(*mass, *percent);
    }
    const std::string amount = ExactNumber(*solution_.tableSubstance[row]);
    return *percent == Hundred ? amount
                               : Concat({SubstanceFormula(*mass, *percent), " = ", amount});
  }

  void WriteArithmetic(const std::vector<ArithmeticLine>& lines) {
    for (const ArithmeticLine& line : lines) {
      Add(ArithmeticText(line));
    }
  }

  std::string ArithmeticText(const ArithmeticLine& line) const {
    const std::string left = Leading(line.left);
    const std::string right = Operand(line.right);
    const std::string result = line.result ? Result(*line.result) : std::string();
    switch (line.kind) {
      case Arithmetic::MassSum:
      case Arithmetic::MassDifference:
        // Water that left is taken away: "300 − 60", not "300 + (−60)".
        if (line.kind == Arithmetic::MassSum && line.right.Sign() < 0) {
          return Concat({words_.title, " на ", Name(line.part), " е ", left, " − ",
                         Operand(-line.right), " = ", result, "."});
        }
        return Concat({words_.title, " на ", Name(line.part), " е ", left,
                       line.kind == Arithmetic::MassSum ? " + " : " − ", right, " = ", result,
                       "."});
      case Arithmetic::Substance:
        return SubstanceText(line, result);
      case Arithmetic::SubstanceSum:
      case Arithmetic::SubstanceDifference:
        return Concat({parts_.substanceTitle, " ", InName(line.part), " ", parts_.substanceIs, " ",
                       left, line.kind == Arithmetic::SubstanceSum ? " + " : " − ", right, " = ",
                       result, "."});
      case Arithmetic::Percent:
        break;
    }
    if (!line.result) {
      return Concat({"Процентът на ", Name(line.part), " не може да се намери: ", words_.definite,
                     " ѝ е 0, а на 0 не се дели."});
    }
    // Multiplied before it is divided, as school writes it: no quotient of many places on the way.
    const std::string division =
        Concat({left, " · 100 : ", right, " = ", PercentText(*line.result), "."});
    // A word problem says what the percentage is of: "Във втората сплав среброто е …".
    if (wording_.parts) {
      return Concat({FirstCapital(InName(line.part)), " ", parts_.substanceDefinite, " ",
                     parts_.substanceIs, " ", division});
    }
    return Concat({"Процентът на ", Name(line.part), ": ", ExactNumber(line.left), " от ",
                   ExactNumber(line.right), " е ", division});
  }

  std::string SubstanceText(const ArithmeticLine& line, std::string_view result) const {
    if (line.right.Sign() == 0) {
      return Concat({Title(line.part), " не съдържа ", parts_.substance, " (0%)."});
    }
    if (line.right == Hundred) {
      // "цялата маса", not "в нея": the pure part may be "чистото злато" or "чистият спирт".
      return Concat({Title(line.part), " е чисто вещество (100%), затова ",
                     parts_.substanceDefinite, " ", parts_.substanceIs, " цялата маса: ", result,
                     "."});
    }
    return Concat({parts_.substanceTitle, " ", InName(line.part), " ", parts_.substanceIs, " ",
                   Leading(line.left), " · ", Operand(line.right), " : 100 = ", result, "."});
  }

  void WriteEquation(const EquationSolution& equation) {
    const bool mixtureKnown = wording_.parts && WriteKnownSubstances();
    if (equation.withoutSubstance) {
      const Part without = *equation.withoutSubstance;
      const Part other = without == Part::First ? Part::Second : Part::First;
      // Of a pure part, all of it is the substance: "колкото масата на солта", not "колкото в
      // солта".
      const std::optional<Fraction>& percent = solution_.exact[ColumnsOf(other).percent];
      if (percent == Hundred && wording_.parts) {
        // A word problem says how much substance there is, not that it is as much as a mass:
        // "… затова в получения разтвор има x г сол:".
        Add({Title(without), " не съдържа ", parts_.substance, ", затова ", InName(Part::Mixture),
             " има ", SubstanceSide(equation.parts), " ", wording_.unit, " ", parts_.substance,
             ":"});
      } else {
        const std::string asMuchAs =
            percent == Hundred ? "масата на " + Name(other) : InName(other);
        Add({Title(without), " не съдържа ", parts_.substance, ", затова ",
             parts_.substanceDefinite, " ", InName(Part::Mixture), " ", parts_.substanceIs,
             " колкото ", asMuchAs, ":"});
      }
    } else if (mixtureKnown) {
      // The mixture's substance just worked out is not named a second time.
      Add({AsMuch, parts_.substance, " има и в ", parts_.bothParts, " заедно:"});
    } else {
      Add(MixtureBalance(parts_));
    }
    Add({SubstanceSide(equation.parts), " = ", SubstanceSide(equation.mixture), "   | · 100"});
    // A word problem's working keeps x on the left, as school writes it: "10x = 12000".
    const bool xLeft = wording_.parts.has_value();
    for (const EquationLine& line : equation.lines) {
      const Equation& shown = line.equation;
      Add(EquationText(xLeft && !HoldsX(shown.left) && HoldsX(shown.right)
                           ? Equation{shown.right, shown.left}
                           : shown));
    }
    if (!equation.x) {
      return;
    }
    const std::string value = ExactNumber(*equation.x);
    if (equation.coefficient == Fraction(1)) {
      // "x = 2700" is the collected line itself, unless x was collected on the right.
      if (!equation.xOnLeft && !xLeft) {
        Add({"x = ", value});
      }
      return;
    }
    const std::string division =
        Concat({ExactNumber(equation.constant), " : ", Operand(equation.coefficient)});
    // "x = 1200 : 17 ≈ 70,59" is the division already: no line of it alone before.
    if (!value.starts_with(Concat({division, Approximately}))) {
      Add({"x = ", division});
    }
    Add({"x = ", value});
  }

  // "Солта във втория разтвор е 300 · 60 : 100 = 180 (г).": each amount of the substance that
  // is known, worked out before it is put into the equation. Whether the mixture's is.
  bool WriteKnownSubstances() {
    bool mixture = false;
    for (const Part part : Parts) {
      const std::size_t row = IndexOf(part);
      const std::optional<Mass>& mass = solution_.tableMass[row];
      const std::optional<Fraction>& percent = solution_.tablePercent[row];
      if (mass && mass->x == 0 && percent && percent->Sign() != 0 && *percent != Hundred &&
          solution_.tableSubstance[row]) {
        Add({parts_.substanceTitle, " ", InName(part), " ", parts_.substanceIs, " ",
             SubstanceFormula(*mass, *percent), " = ", Result(*solution_.tableSubstance[row]),
             "."});
        mixture = mixture || part == Part::Mixture;
      }
    }
    return mixture;
  }

  void WriteEnd() {
    switch (solution_.outcome) {
      case Outcome::Answer:
        if (solution_.waterLeft) {
          WriteEvaporationCheck(*solution_.waterLeft);
        } else {
          WriteCheck();
        }
        [[fallthrough]];
      case Outcome::Approximate:
        if (solution_.findings.empty()) {
          WriteAnswer();
          return;
        }
        [[fallthrough]];
      case Outcome::Impossible:
      case Outcome::ZeroMass:
        Add(std::string(NoSolutionWithTheseNumbers));
        return;
      case Outcome::NoSolution:
        Add({"Задачата няма решение: няма число, което, умножено по 0, да дава ",
             ExactNumber(solution_.equation->constant), "."});
        return;
      case Outcome::EveryNumber:
        // Every x solves the equation, but only the x that leave both parts a mass solve the
        // problem.
        Add(
            {"Задачата има безброй много решения: всяко число, умножено по 0, дава 0, така че "
             "решение е всяко x, при което ",
             words_.plural, " на ", parts_.bothParts, " са по-големи от 0."});
        return;
      case Outcome::TooLarge:
        return;
    }
  }

  void WriteCheck() {
    const Check& check = solution_.check;
    const std::string mixture = SubstanceFormula(Mass{Value(MixWeight)}, Value(MixPercent));
    if (const std::optional<Part> pure = DissolvedPart(); pure && wording_.parts) {
      // The substance dissolved is all the solution has: its share of it is the percentage.
      Add({"Проверка: ", Leading(Value(ColumnsOf(*pure).weight)),
           " · 100 : ", Operand(Value(MixWeight)), " = ", ValueOf(MixPercent), "."});
      return;
    }
    Add({"Проверка: ", PartsSubstance(), " и ", mixture, " = ", Result(check.substance[2]), ";"});
    WriteMassCheck(Concat({Leading(Value(Weight1)), " + ", Operand(Value(Weight2))}),
                   check.massSum);
    Add(BetweenText());
  }

  // The pure part where the other is water: a substance dissolved.
  std::optional<Part> DissolvedPart() const {
    for (const auto& [water, other] :
         {std::pair{Part::First, Part::Second}, {Part::Second, Part::First}}) {
      if (Value(ColumnsOf(water).percent).Sign() == 0 &&
          Value(ColumnsOf(other).percent) == Hundred) {
        return other;
      }
    }
    return std::nullopt;
  }

  // "200 + 300 = 500 (г);": a word problem's working that has just written this sum needs it no
  // second time.
  void WriteMassCheck(const std::string& worked, const Fraction& result) {
    const std::string sum = Concat({worked, " = ", ExactNumber(result)});
    const auto written = [&sum](const std::string& line) {
      return line.find(sum) != std::string::npos;
    };
    if (!wording_.parts || std::none_of(text_.lines.begin(), text_.lines.end(), written)) {
      Add({worked, " = ", Result(result), ";"});
    }
  }

  // "200 · 30 : 100 + 300 · 40 : 100 = 60 + 120 = 180"; water has no substance to add, and its
  // "+ 100 · 0 : 100" would only lengthen the line.
  std::string PartsSubstance() const {
    const Check& check = solution_.check;
    const auto formula = [this](Part part) {
      const PartColumns columns = ColumnsOf(part);
      return SubstanceFormula(Mass{Value(columns.weight)}, Value(columns.percent));
    };
    for (const auto& [water, other] :
         {std::pair{Part::First, Part::Second}, {Part::Second, Part::First}}) {
      if (Value(ColumnsOf(water).percent).Sign() == 0) {
        return Concat({formula(other), " = ", Result(check.substance[IndexOf(other)])});
      }
    }
    return Concat({formula(Part::First), " + ", formula(Part::Second), " = ",
                   Leading(check.substance[0]), " + ", Operand(check.substance[1]), " = ",
                   Result(check.substanceSum)});
  }

  const Fraction& Value(Column column) const { return *solution_.exact[column]; }

  // Water that evaporated: where the grid has it, the substance the same before and after
  // rather than a mixture between its parts.
  void WriteEvaporationCheck(Part water) {
    const PartColumns left = ColumnsOf(water);
    const PartColumns before = ColumnsOf(water == Part::First ? Part::Second : Part::First);
    const auto substance = [this](PartColumns part) {
      return Concat({SubstanceFormula(Mass{Value(part.weight)}, Value(part.percent)), " = ",
                     Result(Value(part.weight) * Value(part.percent) / Hundred)});
    };
    Add({"В полето „", ColumnHeading(left.weight),
         "“ изпарената вода е записана с минус: ", ExactNumber(Value(left.weight)), "."});
    // "количеството сол", "количеството спирт": one verb form whatever the substance's gender.
    Add({"Проверка: ", substance(before), " и ", substance(ColumnsOf(Part::Mixture)),
         " – количеството ", parts_.substance, " не се е променило;"});
    WriteMassCheck(Concat({Leading(Value(before.weight)), " − ", Operand(-Value(left.weight))}),
                   solution_.check.massSum);
    Add({ValueOf(MixPercent), " е повече от ", ValueOf(before.percent),
         ", защото водата е намаляла."});
  }

  std::string BetweenText() const {
    const std::string mixture = ValueOf(MixPercent);
    if (Value(Percent1) == Value(Percent2)) {
      return Concat(
          {"и ", parts_.bothParts, ", и ", Name(Part::Mixture), " са ", With(mixture), "."});
    }
    const bool firstLower = Value(Percent1) < Value(Percent2);
    const std::string first = ValueOf(Percent1);
    const std::string second = ValueOf(Percent2);
    return Concat({mixture, " е между ", firstLower ? first : second, " и ",
                   firstLower ? second : first, "."});
  }

  // The cells' last digits, where they are not the exact answer's.
  void WriteCellsRounding() {
    for (const Column column : solution_.inexactCells) {
      Add({"Бележка: в клетката „", ColumnHeading(column), "“ стои ",
           RoundedNumber(solution_.values[column]),
           "; програмата смята с 15 значещи цифри, затова последните цифри там се различават от "
           "точния отговор."});
    }
  }

  // School says what a value after "≈" is rounded to.
  void WriteRoundedToHundredths() {
    const auto rounded = [](const std::string& line) {
      return line.find(Approximately) != std::string::npos;
    };
    if (std::any_of(text_.lines.begin(), text_.lines.end(), rounded)) {
      Add(std::string(RoundedToHundredths));
    }
  }

  void WriteAnswer() {
    WriteCellsRounding();
    WriteRoundedToHundredths();
    if (!wording_.answer.empty() && solution_.IsExact()) {
      Add({"Отговор: ", wording_.answer, "."});
      return;
    }
    const std::string_view relation = solution_.IsExact() ? " е " : " е приблизително ";
    std::vector<std::string> answers;
    for (const Column column : SoughtInGridOrder()) {
      answers.push_back(IsEvaporated(column)
                            ? Concat({"изпарената вода е ", MeasuredAmount(-Value(column))})
                            : Concat({QuantityOf(column), relation, Measured(column)}));
    }
    Add({"Отговор: ", Joined(answers, "; "), "."});
  }

  // Water that left is sought as such, not as a part's mass.
  std::string SoughtText(const std::vector<Column>& asked) const {
    if (!solution_.waterLeft) {
      return SoughtNames(asked, words_, parts_);
    }
    std::vector<std::string> names;
    for (const Column column : asked) {
      names.push_back(IsEvaporated(column) ? std::string("изпарената вода") : QuantityOf(column));
    }
    return Joined(names, " и ");
  }

  bool IsEvaporated(Column column) const {
    return solution_.waterLeft && column == ColumnsOf(*solution_.waterLeft).weight;
  }

  std::string MeasuredAmount(const Fraction& value) const {
    const std::string number = ExactNumber(value);
    return wording_.unit.empty() ? number : Concat({number, " ", wording_.unit});
  }

  // "маса (г)" in a word problem's table; "маса" in the grid's.
  std::string Measure(std::string_view what) const {
    return wording_.unit.empty() ? std::string(what) : Concat({what, " (", wording_.unit, ")"});
  }

  const std::string& Name(Part part) const { return parts_.names[IndexOf(part)]; }
  const std::string& Title(Part part) const { return parts_.titles[IndexOf(part)]; }
  std::string InName(Part part) const { return In(Name(part)); }
  std::string QuantityOf(Column column) const { return QuantityName(column, words_, parts_); }

  // A result of the working with its unit in brackets, as the board has it: "60 (г)".
  std::string Result(const Fraction& value) const {
    const std::string number = ExactNumber(value);
    return wording_.unit.empty() ? number : Concat({number, " (", wording_.unit, ")"});
  }

  const RowSolution& solution_;
  const AnswerWording& wording_;
  const AmountWords& words_;
  const PartWords parts_;
  SolutionText text_;
};

}  // namespace

SolutionText WriteSolution(const RowSolution& solution, const AnswerWording& wording) {
  return SolutionWriter(solution, wording).Text();
}

namespace {

constexpr std::string_view TimesHundred = "   | · 100";

// The hints of an equation: what x is, the table, the balance to write as an equation, the
// equation to solve. Each is the solution's own line where it has one.
std::vector<std::string> EquationHints(const SolutionText& text, const AmountWords& words,
                                       const PartWords& parts) {
  std::vector<std::string> hints = {"Какво ще означиш с x?"};
  const auto equation =
      std::find_if(text.lines.begin(), text.lines.end(),
                   [](const std::string& line) { return line.ends_with(TimesHundred); });
  const auto unknown = std::find_if(text.lines.begin(), equation, [](const std::string& line) {
    return line.starts_with("Нека x");
  });
  if (unknown != equation) {
    hints.push_back(Concat(
        {*unknown, " Попълни таблицата: ", words.noun, ", процент и ", parts.substance, "."}));
  }
  if (equation != text.lines.begin() && equation != text.lines.end()) {
    // "… е колкото в двата разтвора заедно:"; said whole where the working's refers to the line
    // before it, which the hint does not show.
    const std::string balance =
        (equation - 1)->starts_with(AsMuch) ? MixtureBalance(parts) : *(equation - 1);
    hints.push_back(Concat({std::string_view(balance).substr(0, balance.size() - 1),
                            ". Запиши това като уравнение с x."}));
    hints.push_back(
        Concat({"Уравнението е ",
                std::string_view(*equation).substr(0, equation->size() - TimesHundred.size()),
                ". Реши го."}));
  }
  return hints;
}

std::string ArithmeticQuestion(const ArithmeticLine& line, const AmountWords& words,
                               const PartWords& parts) {
  const std::string& name = parts.names[IndexOf(line.part)];
  switch (line.kind) {
    case Arithmetic::MassSum:
    case Arithmetic::MassDifference:
      return Concat({"Колко е ", words.definite, " на ", name, "?"});
    case Arithmetic::Substance:
    case Arithmetic::SubstanceSum:
    case Arithmetic::SubstanceDifference:
      return Concat({"Колко ", parts.counted, parts.counted.empty() ? "" : " ", parts.substance,
                     " има ", In(name), "?"});
    case Arithmetic::Percent:
      break;
  }
  return Concat(
      {"Колко процента от ", name, " ", parts.substanceIs, " ", parts.substanceDefinite, "?"});
}

bool IsSubstanceLine(const ArithmeticLine& line) {
  return line.kind == Arithmetic::Substance || line.kind == Arithmetic::SubstanceSum ||
         line.kind == Arithmetic::SubstanceDifference;
}

}  // namespace

std::vector<std::string> AskingHints(const RowSolution& solution, const SolutionText& text,
                                     const AnswerWording& wording) {
  const AmountWords& words = wording.volume ? VolumeWords : MassWords;
  const PartWords parts = wording.parts ? *wording.parts : GridPartWords();
  if (solution.equation) {
    return EquationHints(text, words, parts);
  }
  std::vector<std::string> hints;
  std::string before;
  for (const ArithmeticLine& line : solution.arithmetic) {
    const std::string question = ArithmeticQuestion(line, words, parts);
    hints.push_back(before.empty() ? question : Concat({before, " ", question}));
    // Only the substance is said again: the other numbers may be what the problem asks.
    const std::string amount =
        line.result
            ? Concat({ExactNumber(*line.result), wording.unit.empty() ? "" : " ", wording.unit})
            : std::string();
    before = IsSubstanceLine(line) && line.result
                 ? Concat({parts.substanceTitle, " ", In(parts.names[IndexOf(line.part)]), " ",
                           parts.substanceIs, " ", amount, "."})
                 : std::string();
  }
  return hints;
}

namespace {

// A letter times a number, as algebra writes it: "30a", "1,5b", and "a" for 1 · a.
std::string Times(const Fraction& factor, std::string_view letter) {
  return factor == Fraction(1) ? std::string(letter) : Concat({Operand(factor), letter});
}

struct Lettered {
  Fraction percent;
  std::string_view letter;
};

// The lines of the equation in a and b, from the balance with the hundreds to a : b.
struct RatioLines {
  std::string introduced;  // "Нека вземем a г от първия разтвор и b г от втория разтвор."
  std::string mixture;     // "Тогава полученият разтвор е (a + b) г."
  std::string equation;    // without "| · 100"
  std::vector<std::string> solving;  // up to the line with a single term of each letter
  std::string ratio;                 // "a : b = 4 : 6 = 2 : 3"
};

RatioLines RatioLinesOf(const RatioWording& wording) {
  const auto& [p1, p2, pm] = wording.percents;
  const PartWords& parts = wording.parts;
  RatioLines lines;
  // Each part by its kind where it has one: "a г от 30% разтвор".
  const auto part = [&wording](std::size_t at) {
    return wording.kinds[at].empty() ? wording.parts.names[at] : wording.kinds[at];
  };
  lines.introduced = Concat({"Нека вземем a ", wording.unit, " от ", part(0), " и b ", wording.unit,
                             " от ", part(1), "."});
  lines.mixture =
      Concat({"Тогава ", FirstSmall(parts.titles[2]), " е (a + b) ", wording.unit, "."});
  lines.equation = Concat({"a · ", Operand(p1), " : 100 + b · ", Operand(p2), " : 100 = (a + b) · ",
                           Operand(pm), " : 100"});
  std::vector<std::string> steps = Texts::RatioSteps(p1, p2, pm);
  lines.ratio = std::move(steps.back());
  steps.pop_back();
  lines.solving = std::move(steps);
  return lines;
}

}  // namespace

std::vector<std::string> RatioSteps(const Fraction& p1, const Fraction& p2, const Fraction& pm) {
  // The stronger part's terms go to its side, so that both sides stay above zero.
  const Lettered first = {p1, "a"};
  const Lettered second = {p2, "b"};
  const Lettered& stronger = p1 > p2 ? first : second;
  const Lettered& weaker = p1 > p2 ? second : first;
  std::vector<std::string> steps = {
      Concat({Times(p1, "a"), " + ", Times(p2, "b"), " = ", Times(pm, "a"), " + ", Times(pm, "b")}),
      Concat({Times(stronger.percent, stronger.letter), " − ", Times(pm, stronger.letter), " = ",
              Times(pm, weaker.letter), " − ", Times(weaker.percent, weaker.letter)}),
      Concat({Times(stronger.percent - pm, stronger.letter), " = ",
              Times(pm - weaker.percent, weaker.letter)})};
  // From c · a = d · b follows a : b = d : c.
  const Fraction forA = p2 > pm ? p2 - pm : pm - p2;
  const Fraction forB = p1 > pm ? p1 - pm : pm - p1;
  const Fraction lowest = forA / forB;
  std::string ratio = Concat({"a : b = ", ExactNumber(forA), " : ", ExactNumber(forB)});
  if (forA != Fraction::Of(lowest.Numerator(), 1) ||
      forB != Fraction::Of(lowest.Denominator(), 1)) {
    ratio +=
        Concat({" = ", IntegerText(lowest.Numerator()), " : ", IntegerText(lowest.Denominator())});
  }
  steps.push_back(std::move(ratio));
  return steps;
}

SolutionText RatioSolution(const RatioWording& wording) {
  RatioLines lines = RatioLinesOf(wording);
  SolutionText text;
  text.lines = {std::move(lines.introduced), std::move(lines.mixture),
                MixtureBalance(wording.parts), Concat({lines.equation, TimesHundred})};
  text.lines.insert(text.lines.end(), lines.solving.begin(), lines.solving.end());
  text.lines.push_back(std::move(lines.ratio));
  text.lines.push_back(Concat({"Отговор: ", wording.answer, "."}));
  return text;
}

std::vector<std::string> RatioHints(const RatioWording& wording) {
  const RatioLines lines = RatioLinesOf(wording);
  const std::string balance = MixtureBalance(wording.parts);
  return {"Какво ще означиш с a и с b?",
          Concat({lines.introduced, " ", std::string_view(balance).substr(0, balance.size() - 1),
                  ". Какво уравнение с a и b получаваш?"}),
          Concat({"Уравнението е ", lines.equation,
                  ". Какво равенство получаваш, като умножиш двете страни по 100 и събереш "
                  "членовете с a от едната страна, а тези с b – от другата?"}),
          // The equation it comes to is the last step before the answer: the pupil writes it.
          "Накрая от едната страна остава число по a, а от другата – число по b. Какво "
          "отношение a : b следва от такова равенство?"};
}

std::vector<std::string> SolutionLines(const RowSolution& solution) {
  SolutionText text = WriteSolution(solution);
  if (!text.table) {
    return std::move(text.lines);
  }
  std::vector<std::string> rows;
  for (const auto& row : text.table->rows) {
    rows.push_back(Concat({row[0], " | ", row[1], " | ", row[2], " | ", row[3]}));
  }
  const auto at = text.lines.begin() + static_cast<std::ptrdiff_t>(text.tableAt);
  text.lines.insert(at, rows.begin(), rows.end());
  return std::move(text.lines);
}

std::string SpokenMath(std::string_view line) {
  std::string spoken;
  for (std::size_t i = 0; i < line.size();) {
    const std::string_view rest = line.substr(i);
    if (rest.starts_with(" · ")) {
      spoken += " по ";
      i += std::string_view(" · ").size();
    } else if (rest.starts_with(" : ")) {
      spoken += " делено на ";
      i += 3;
    } else {
      spoken += line[i++];
    }
  }
  return spoken;
}

std::string ExactNumber(const Fraction& value) {
  if (std::optional<std::string> decimal = DecimalText(value, Comma)) {
    return std::move(*decimal);
  }
  return Concat({IntegerText(value.Numerator()), " : ", IntegerText(value.Denominator()),
                 Approximately, RoundedText(value, 2, Comma)});
}

PartWords GridPartWords() {
  return {{std::string(PartNames[0]), std::string(PartNames[1]), std::string(PartNames[2])},
          {std::string(PartTitles[0]), std::string(PartTitles[1]), std::string(PartTitles[2])},
          {"първа съставка", "втора съставка", "смес"},
          "двете съставки",
          "чисто вещество",
          "чистото вещество",
          "Чистото вещество",
          "е"};
}

std::string In(std::string_view place) {
  const bool doubled = place.starts_with("в") || place.starts_with("ф");
  return Concat({doubled ? "във " : "в ", place});
}

std::string With(std::string_view what) {
  return Concat({SaidWithS(what) ? "със " : "с ", what});
}

std::string_view PartName(Part part) {
  return PartNames[IndexOf(part)];
}

std::string_view PartTitle(Part part) {
  return PartTitles[IndexOf(part)];
}

}  // namespace Texts
