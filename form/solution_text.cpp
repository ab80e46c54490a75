#include "form/solution_text.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "form/method_text.h"
#include "form/texts.h"
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
constexpr std::array<std::string_view, 3> InPart = {"в първата съставка", "във втората съставка",
                                                    "в сместа"};
constexpr std::array<std::string_view, 3> RowNames = {"първа съставка", "втора съставка", "смес"};
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

// "масата на втората съставка".
std::string QuantityName(Column column, const AmountWords& words) {
  return Concat({QuantityWord(column, words), " на ", PartNames[IndexOf(PartOf(column))]});
}

// What is sought, each part named once: "процентът и масата на сместа", "масите на двете
// съставки", "масата на втората съставка и масата на сместа".
std::string SoughtNames(const std::vector<Column>& asked, const AmountWords& words) {
  if (asked.size() == 2 && PartOf(asked[0]) == PartOf(asked[1])) {
    return Concat({QuantityWord(asked[0], words), " и ", QuantityName(asked[1], words)});
  }
  const auto isPartsMass = [](Column column) { return column == Weight1 || column == Weight2; };
  if (asked.size() == 2 && std::all_of(asked.begin(), asked.end(), isPartsMass)) {
    return Concat({words.plural, " на двете съставки"});
  }
  std::vector<std::string> names;
  for (const Column column : asked) {
    names.push_back(QuantityName(column, words));
  }
  return Joined(names, " и ");
}

// Writes one solution top to bottom.
class SolutionWriter {
 public:
  SolutionWriter(const RowSolution& solution, const AnswerWording& wording)
      : solution_(solution), wording_(wording), words_(wording.volume ? VolumeWords : MassWords) {}

  SolutionText Text() {
    WriteGivenAndSought();
    WriteRoundingNote();
    WriteFindings();
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
    text_.checkAt = text_.lines.size();
    WriteEnd();
    return std::move(text_);
  }

 private:
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
                         : Concat({PartNames[IndexOf(part)], " ", Joined(facts, " и ")});
  }

  std::string PercentFact(Column column, bool& substanceNamed) const {
    const std::optional<Fraction>& exact = solution_.exact[column];
    if (exact && exact->Sign() == 0) {
      return "не съдържа от веществото (0%)";
    }
    if (exact && *exact == Hundred) {
      return "е чисто вещество (100%)";
    }
    const std::string_view named = substanceNamed ? "" : " чисто вещество";
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
    Add({"Търси се: ", SoughtNames(asked, words_), "."});
    if (!wording_.gridLine.empty()) {
      Add(wording_.gridLine);
    }
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
        Concat({QuantityName(finding.column, words_),
                solution_.IsGiven(finding.column) ? " е " : " излиза ", ValueOf(finding.column)});
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
    Add({"Нека x е ", QuantityName(equation.unknown, words_), " (в таблицата „",
         ColumnHeading(equation.unknown), "“). Тогава ", QuantityName(other, words_), " е ",
         MassText(otherMass), "."});
  }

  SolutionTable Table() const {
    SolutionTable table;
    table.heading = {"", std::string(words_.noun), "процент", "чисто вещество"};
    for (const Part part : Parts) {
      const std::size_t row = IndexOf(part);
      const std::optional<Mass>& mass = solution_.tableMass[row];
      const std::optional<Fraction>& percent = solution_.tablePercent[row];
      table.rows[row] = {std::string(RowNames[row]), mass ? MassText(*mass) : std::string(Unknown),
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
    const std::size_t part = IndexOf(line.part);
    const std::string left = Leading(line.left);
    const std::string right = Operand(line.right);
    const std::string result = line.result ? ExactNumber(*line.result) : std::string();
    switch (line.kind) {
      case Arithmetic::MassSum:
      case Arithmetic::MassDifference:
        return Concat({words_.title, " на ", PartNames[part], " е ", left,
                       line.kind == Arithmetic::MassSum ? " + " : " − ", right, " = ", result,
                       "."});
      case Arithmetic::Substance:
        return SubstanceText(line, result);
      case Arithmetic::SubstanceSum:
      case Arithmetic::SubstanceDifference:
        return Concat({"Чистото вещество ", InPart[part], " е ", left,
                       line.kind == Arithmetic::SubstanceSum ? " + " : " − ", right, " = ", result,
                       "."});
      case Arithmetic::Percent:
        break;
    }
    if (!line.result) {
      return Concat({"Процентът на ", PartNames[part], " не може да се намери: ", words_.definite,
                     " ѝ е 0, а на 0 не се дели."});
    }
    return Concat({"Процентът на ", PartNames[part], ": ", ExactNumber(line.left), " от ",
                   ExactNumber(line.right), " е ", left, " : ", right,
                   " · 100 = ", PercentText(*line.result), "."});
  }

  static std::string SubstanceText(const ArithmeticLine& line, std::string_view result) {
    const std::size_t part = IndexOf(line.part);
    if (line.right.Sign() == 0) {
      return Concat({PartTitles[part], " не съдържа от веществото (0%)."});
    }
    if (line.right == Hundred) {
      return Concat({PartTitles[part], " е чисто вещество (100%), затова чистото вещество в нея е ",
                     result, "."});
    }
    return Concat({"Чистото вещество ", InPart[part], " е ", Leading(line.left), " · ",
                   Operand(line.right), " : 100 = ", result, "."});
  }

  void WriteEquation(const EquationSolution& equation) {
    if (equation.withoutSubstance) {
      const std::size_t without = IndexOf(*equation.withoutSubstance);
      constexpr std::string_view OnlyTheOther =
          " не съдържа от веществото, затова чистото вещество в сместа е колкото ";
      Add({PartTitles[without], OnlyTheOther, InPart[1 - without], ":"});
    } else {
      Add("Чистото вещество в сместа е колкото в двете съставки заедно:");
    }
    Add({SubstanceSide(equation.parts), " = ", SubstanceSide(equation.mixture), "   | · 100"});
    for (const EquationLine& line : equation.lines) {
      Add(EquationText(line.equation));
    }
    if (!equation.x) {
      return;
    }
    const std::string value = ExactNumber(*equation.x);
    if (equation.coefficient == Fraction(1)) {
      // "x = 2700" is the collected line itself, unless x was collected on the right.
      if (!equation.xOnLeft) {
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

  void WriteEnd() {
    switch (solution_.outcome) {
      case Outcome::Answer:
        WriteCheck();
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
             words_.plural, " на двете съставки са по-големи от 0."});
        return;
      case Outcome::TooLarge:
        return;
    }
  }

  void WriteCheck() {
    const Check& check = solution_.check;
    const std::string first = SubstanceFormula(Mass{Value(Weight1)}, Value(Percent1));
    const std::string second = SubstanceFormula(Mass{Value(Weight2)}, Value(Percent2));
    const std::string mixture = SubstanceFormula(Mass{Value(MixWeight)}, Value(MixPercent));
    Add({"Проверка: ", first, " + ", second, " = ", Leading(check.substance[0]), " + ",
         Operand(check.substance[1]), " = ", ExactNumber(check.substanceSum), " и ", mixture, " = ",
         ExactNumber(check.substance[2]), ";"});
    Add({Leading(Value(Weight1)), " + ", Operand(Value(Weight2)), " = ", ExactNumber(check.massSum),
         ";"});
    Add(BetweenText());
  }

  const Fraction& Value(Column column) const { return *solution_.exact[column]; }

  std::string BetweenText() const {
    const std::string mixture = ValueOf(MixPercent);
    if (Value(Percent1) == Value(Percent2)) {
      return Concat({"и двете съставки, и сместа са ", With(mixture), "."});
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
      Add("Бележка: числата след „≈“ са закръглени до стотни.");
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
      answers.push_back(Concat({QuantityName(column, words_), relation, Measured(column)}));
    }
    Add({"Отговор: ", Joined(answers, "; "), "."});
  }

  const RowSolution& solution_;
  const AnswerWording& wording_;
  const AmountWords& words_;
  SolutionText text_;
};

// Water that evaporated: where the grid has it, the substance checked before and after rather
// than a mixture between its parts, and the water that left in the answer.
class EvaporationWriter {
 public:
  EvaporationWriter(const RowSolution& solution, const AnswerWording& wording)
      : solution_(solution),
        wording_(wording),
        water_(*solution.waterLeft),
        solutionPart_(water_ == Part::First ? Part::Second : Part::First) {}

  void Rewrite(SolutionText& text) const {
    const auto checkAt = text.lines.begin() + static_cast<std::ptrdiff_t>(text.checkAt);
    const auto end = std::find_if(checkAt, text.lines.end(), [](const std::string& line) {
      return line.starts_with("Бележка:") || line.starts_with("Отговор:");
    });
    const std::vector<std::string> lines = {WhereInTheGrid(), SubstanceCheck(), MassCheck(),
                                            StrongerCheck()};
    text.lines.insert(text.lines.erase(checkAt, end), lines.begin(), lines.end());
    ++text.checkAt;
    if (wording_.answer.empty()) {
      TellInTheAnswer(text.lines.back());
    }
  }

 private:
  const Fraction& Value(Part part, bool weight) const {
    const PartColumns columns = ColumnsOf(part);
    return *solution_.exact[weight ? columns.weight : columns.percent];
  }

  std::string WhereInTheGrid() const {
    return Concat({"В полето „", ColumnHeading(ColumnsOf(water_).weight),
                   "“ изпарената вода е записана с минус: ", ExactNumber(Value(water_, true)),
                   "."});
  }

  // "600 · 8 : 100 = 48".
  std::string SubstanceOf(Part part) const {
    return Concat({SubstanceFormula(Mass{Value(part, true)}, Value(part, false)), " = ",
                   ExactNumber(solution_.check.substance[IndexOf(part)])});
  }

  std::string SubstanceCheck() const {
    return Concat({"Проверка: ", SubstanceOf(solutionPart_), " и ", SubstanceOf(Part::Mixture),
                   " – чистото вещество не се е променило;"});
  }

  std::string MassCheck() const {
    return Concat({Leading(Value(solutionPart_, true)), " − ", Operand(-Value(water_, true)), " = ",
                   ExactNumber(solution_.check.massSum), ";"});
  }

  std::string StrongerCheck() const {
    return Concat({PercentText(Value(Part::Mixture, false)), " е повече от ",
                   PercentText(Value(solutionPart_, false)), ", защото водата е намаляла."});
  }

  // "масата на втората съставка е −200" becomes "изпарили са се 200 единици вода".
  void TellInTheAnswer(std::string& answer) const {
    const Column weight = ColumnsOf(water_).weight;
    const std::string mass = ExactNumber(Value(water_, true));
    const std::string unit = wording_.unit.empty() ? "" : Concat({" ", wording_.unit});
    const std::string asked = Concat(
        {QuantityName(weight, wording_.volume ? VolumeWords : MassWords), " е ", mass, unit});
    const std::size_t at = answer.find(asked);
    if (at != std::string::npos) {
      const std::string_view units = wording_.unit.empty() ? "единици" : wording_.unit;
      answer.replace(
          at, asked.size(),
          Concat({"изпарили са се ", ExactNumber(-Value(water_, true)), " ", units, " вода"}));
    }
  }

  const RowSolution& solution_;
  const AnswerWording& wording_;
  Part water_;
  Part solutionPart_;
};

}  // namespace

SolutionText WriteSolution(const RowSolution& solution, const AnswerWording& wording) {
  SolutionText text = SolutionWriter(solution, wording).Text();
  // A word problem teaches what does not change itself, in its own words.
  if (wording.answer.empty()) {
    FollowWhatStays(solution, text);
  }
  if (solution.waterLeft) {
    EvaporationWriter(solution, wording).Rewrite(text);
  }
  return text;
}

namespace {

const std::string* LineStartingWith(const SolutionText& text, std::string_view start) {
  const auto found =
      std::find_if(text.lines.begin(), text.lines.end(),
                   [start](const std::string& line) { return line.starts_with(start); });
  return found == text.lines.end() ? nullptr : &*found;
}

constexpr std::string_view TimesHundred = "   | · 100";

std::vector<std::string> EquationHints(const SolutionText& text) {
  std::vector<std::string> hints = {"Коя маса не е известна? Означи я с x."};
  if (const std::string* unknown = LineStartingWith(text, "Нека x")) {
    hints.push_back(Concat({*unknown, " Попълни таблицата: маса, процент и чисто вещество."}));
  }
  hints.push_back(
      "Чистото вещество в сместа е колкото в двете съставки заедно. Запиши това като уравнение "
      "с x.");
  const auto equation =
      std::find_if(text.lines.begin(), text.lines.end(),
                   [](const std::string& line) { return line.ends_with(TimesHundred); });
  if (equation != text.lines.end()) {
    hints.push_back(
        Concat({"Уравнението е ",
                std::string_view(*equation).substr(0, equation->size() - TimesHundred.size()),
                ". Реши го."}));
  }
  return hints;
}

std::string ArithmeticQuestion(const ArithmeticLine& line) {
  const std::size_t part = IndexOf(line.part);
  switch (line.kind) {
    case Arithmetic::MassSum:
    case Arithmetic::MassDifference:
      return Concat({"Колко е масата на ", PartNames[part], "?"});
    case Arithmetic::Substance:
    case Arithmetic::SubstanceSum:
    case Arithmetic::SubstanceDifference:
      return Concat({"Колко е чистото вещество ", InPart[part], "?"});
    case Arithmetic::Percent:
      break;
  }
  return Concat({"Колко процента от ", PartNames[part], " е чистото вещество?"});
}

bool IsSubstanceLine(const ArithmeticLine& line) {
  return line.kind == Arithmetic::Substance || line.kind == Arithmetic::SubstanceSum ||
         line.kind == Arithmetic::SubstanceDifference;
}

}  // namespace

std::vector<std::string> AskingHints(const RowSolution& solution, const SolutionText& text) {
  if (solution.equation) {
    return EquationHints(text);
  }
  std::vector<std::string> hints;
  std::string before;
  for (const ArithmeticLine& line : solution.arithmetic) {
    const std::string question = ArithmeticQuestion(line);
    hints.push_back(before.empty() ? question : Concat({before, " ", question}));
    // Only the substance is said again: the other numbers may be what the problem asks.
    before = IsSubstanceLine(line) && line.result
                 ? Concat({"Чистото вещество ", InPart[IndexOf(line.part)], " е ",
                           ExactNumber(*line.result), "."})
                 : std::string();
  }
  return hints;
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
