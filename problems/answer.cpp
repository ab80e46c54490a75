#include "problems/answer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "problems/letters.h"
#include "worksheet/fraction.h"

namespace {

constexpr std::size_t MaxDigits = 15;  // 64 bits hold them with room to spare

// The space, the tab, line ends, and the no-break and thin spaces a copied number may hold.
constexpr std::array<std::string_view, 7> Blanks = {" ",      "\t",     "\r",    "\n",
                                                    "\u00A0", "\u202F", "\u2009"};
constexpr std::array<std::string_view, 2> Unknowns = {"x", "х"};  // Latin, Cyrillic; lowered
constexpr std::array<std::string_view, 2> Minuses = {"-", "−"};
// What may end a sentence after a unit: "5 кг.", "800 г сол!".
constexpr std::array<std::string_view, 5> Stops = {".", ",", ";", "!", "?"};
// What may end a sentence after a bare number: "44.", but not "44?", which doubts it.
constexpr std::array<std::string_view, 2> NumberStops = {".", "!"};
constexpr std::array<std::string_view, 2> Brackets = {"(", ")"};
// What school writes before an answer: "Отговор: 570 г", "Отг.: 570 г"; lowered.
constexpr std::array<std::string_view, 2> AnswerLabels = {"отговор", "отг"};
constexpr std::array<std::string_view, 2> LabelMarks = {".", ":"};
// A word that offers a second answer beside the first: "570 г или 76%".
constexpr std::array<std::string_view, 2> Alternatives = {"или", "or"};
// Between a ratio's terms: "2 : 3", "2 към 3".
constexpr std::array<std::string_view, 2> RatioMarks = {":", "към"};
// Thousands are set apart in groups of three: "12 500".
constexpr std::size_t GroupSize = 3;
// A percentage as an adjective: "20%-ов", "20-процентна", and "20 процентна" as it is often
// written, without its hyphen; lowered.
constexpr std::array<std::string_view, 3> AdjectiveStems = {"%-", "-процент", "процент"};
constexpr std::array<std::string_view, 13> AdjectiveEndings = {
    "ов", "ова", "ово", "ови", "ен", "на", "но", "ни", "ния", "ният", "ната", "ното", "ните"};

struct Spelling {
  std::string_view text;  // lowered
  WrittenUnit unit;
};
constexpr std::array<Spelling, 29> Spellings = {{
    {"г", WrittenUnit::Gram},
    {"гр", WrittenUnit::Gram},
    {"грам", WrittenUnit::Gram},
    {"грама", WrittenUnit::Gram},
    {"грамове", WrittenUnit::Gram},
    {"g", WrittenUnit::Gram},
    {"кг", WrittenUnit::Kilogram},
    {"килограм", WrittenUnit::Kilogram},
    {"килограма", WrittenUnit::Kilogram},
    {"килограми", WrittenUnit::Kilogram},
    {"kg", WrittenUnit::Kilogram},
    {"т", WrittenUnit::Tonne},
    {"тон", WrittenUnit::Tonne},
    {"тона", WrittenUnit::Tonne},
    {"тонове", WrittenUnit::Tonne},
    {"мл", WrittenUnit::Millilitre},
    {"милилитър", WrittenUnit::Millilitre},
    {"милилитра", WrittenUnit::Millilitre},
    {"милилитри", WrittenUnit::Millilitre},
    {"ml", WrittenUnit::Millilitre},
    {"л", WrittenUnit::Litre},
    {"литър", WrittenUnit::Litre},
    {"литра", WrittenUnit::Litre},
    {"литри", WrittenUnit::Litre},
    {"l", WrittenUnit::Litre},
    {"%", WrittenUnit::Percent},
    {"процент", WrittenUnit::Percent},
    {"процента", WrittenUnit::Percent},
    {"проценти", WrittenUnit::Percent},
}};

// Cyrillic letters are two bytes in UTF-8, led by one of these.
constexpr char CyrillicLow = '\xD0';
constexpr char CyrillicHigh = '\xD1';

// Takes one of the texts off the front of `text`, if it starts with one.
template <std::size_t Count>
bool TakeAny(std::string_view& text, const std::array<std::string_view, Count>& prefixes) {
  for (const std::string_view prefix : prefixes) {
    if (text.starts_with(prefix)) {
      text.remove_prefix(prefix.size());
      return true;
    }
  }
  return false;
}

void SkipBlanks(std::string_view& text) {
  while (TakeAny(text, Blanks)) {
  }
}

bool IsBlank(std::string_view text) {
  SkipBlanks(text);
  return text.empty();
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool StartsWithLetter(std::string_view text) {
  if (text.empty()) {
    return false;
  }
  const char c = text.front();
  return (c >= 'a' && c <= 'z') || c == CyrillicLow || c == CyrillicHigh;
}

// Takes the letter at the front, a Cyrillic one whole.
bool TakeLetter(std::string_view& text) {
  if (!StartsWithLetter(text)) {
    return false;
  }
  text.remove_prefix(text.front() == CyrillicLow || text.front() == CyrillicHigh ? 2 : 1);
  return true;
}

std::string_view LeadingDigits(std::string_view text) {
  return text.substr(0, static_cast<std::size_t>(
                            std::find_if_not(text.begin(), text.end(), IsDigit) - text.begin()));
}

// Appends a run of digits to `digits`, counting them; false past MaxDigits in all.
bool AppendDigits(std::string_view run, std::int64_t& digits, std::size_t& count) {
  for (const char digit : run) {
    if (++count > MaxDigits) {
      return false;
    }
    digits = digits * 10 + (digit - '0');
  }
  return true;
}

// Appends the digits at the front of `text` to `digits`, counting them: a run of them, or one of
// at most three followed by groups of three after blanks ("1 200"). False for none, for more than
// MaxDigits in all, and for a blank before any other digits ("5 70"), which make no one number.
bool TakeDigits(std::string_view& text, std::int64_t& digits, std::size_t& count) {
  const std::size_t before = count;
  std::string_view run = LeadingDigits(text);
  const bool mayGroup = run.size() <= GroupSize;
  while (!run.empty()) {
    if (!AppendDigits(run, digits, count)) {
      return false;
    }
    text.remove_prefix(run.size());
    std::string_view rest = text;
    SkipBlanks(rest);
    run = rest.size() < text.size() ? LeadingDigits(rest) : std::string_view();
    if (!run.empty() && (!mayGroup || run.size() != GroupSize)) {
      return false;
    }
    text = run.empty() ? text : rest;
  }
  return count > before;
}

// Takes `word` off the front of `text` if it is there whole, not the start of a longer word: "г"
// is not in "грамаж".
bool TakeWholeWord(std::string_view& text, std::string_view word) {
  if (!text.starts_with(word) || StartsWithLetter(text.substr(word.size()))) {
    return false;
  }
  text.remove_prefix(word.size());
  return true;
}

bool TakePercentAdjective(std::string_view& text) {
  for (const std::string_view stem : AdjectiveStems) {
    if (!text.starts_with(stem)) {
      continue;
    }
    std::string_view rest = text.substr(stem.size());
    for (const std::string_view ending : AdjectiveEndings) {
      if (TakeWholeWord(rest, ending)) {
        text = rest;
        return true;
      }
    }
  }
  return false;
}

std::optional<WrittenUnit> TakeUnit(std::string_view& text) {
  if (TakePercentAdjective(text)) {
    return WrittenUnit::Percent;
  }
  for (const Spelling& spelling : Spellings) {
    if (TakeWholeWord(text, spelling.text)) {
      return spelling.unit;
    }
  }
  return std::nullopt;
}

bool StartsWithDecimalPoint(std::string_view text) {
  return text.size() > 1 && (text.front() == ',' || text.front() == '.') && IsDigit(text[1]);
}

// A number without a sign: digits, and a decimal point with digits after it.
std::optional<Decimal> TakeUnsigned(std::string_view& text) {
  std::int64_t digits = 0;
  std::size_t count = 0;
  if (!TakeDigits(text, digits, count)) {
    return std::nullopt;
  }
  if (!StartsWithDecimalPoint(text)) {
    return Decimal::Of(digits, 0);
  }
  text.remove_prefix(1);
  const std::size_t whole = count;
  if (!TakeDigits(text, digits, count)) {
    return std::nullopt;
  }
  return Decimal::Of(digits, static_cast<std::int32_t>(count - whole));
}

// A word at the front, but none that offers another answer.
bool TakeWord(std::string_view& text) {
  std::string_view rest = text;
  while (TakeLetter(rest)) {
  }
  const std::string_view word = text.substr(0, text.size() - rest.size());
  if (word.empty() ||
      std::find(Alternatives.begin(), Alternatives.end(), word) != Alternatives.end()) {
    return false;
  }
  text = rest;
  return true;
}

// A percentage that tells what the amount before it is of: "570 г от 6% разтвор".
bool TakePercentage(std::string_view& text) {
  std::string_view rest = text;
  if (!TakeUnsigned(rest)) {
    return false;
  }
  SkipBlanks(rest);
  if (TakeUnit(rest) != WrittenUnit::Percent) {
    return false;
  }
  text = rest;
  return true;
}

// What may follow a unit: words, brackets and the marks that end a sentence, and where
// `percentages`, percentages ("570 г вода (6%)"), but no other number, and no "или".
bool IsWords(std::string_view text, bool percentages) {
  while (TakeWord(text) || TakeAny(text, Blanks) || TakeAny(text, Stops) ||
         TakeAny(text, Brackets) || (percentages && TakePercentage(text))) {
  }
  return text.empty();
}

// "Отговор:" before the answer, if it is there.
void SkipLabel(std::string_view& text) {
  for (const std::string_view label : AnswerLabels) {
    if (TakeWholeWord(text, label)) {
      while (TakeAny(text, LabelMarks) || TakeAny(text, Blanks)) {
      }
      return;
    }
  }
}

// "x =" before the number, if it is there; false for an "x" that is not followed by "=".
bool SkipUnknown(std::string_view& text) {
  if (!TakeAny(text, Unknowns)) {
    return true;
  }
  SkipBlanks(text);
  if (!text.starts_with('=')) {
    return false;
  }
  text.remove_prefix(1);
  SkipBlanks(text);
  return true;
}

enum class Measure : std::uint8_t { Mass, Volume, Share };

// A unit's measure, and its size as a power of ten of the measure's smallest unit.
struct Scale {
  Measure measure;
  std::int32_t power;
};

Scale ScaleOf(WrittenUnit unit) {
  constexpr std::array<Scale, 6> InOrderOfWrittenUnit = {{{Measure::Mass, 0},
                                                          {Measure::Mass, 3},
                                                          {Measure::Mass, 6},
                                                          {Measure::Volume, 0},
                                                          {Measure::Volume, 3},
                                                          {Measure::Share, 0}}};
  return InOrderOfWrittenUnit[static_cast<std::size_t>(unit)];
}

WrittenUnit WrittenOf(Unit unit) {
  constexpr std::array<WrittenUnit, 4> InOrderOfUnit = {WrittenUnit::Gram, WrittenUnit::Kilogram,
                                                        WrittenUnit::Litre, WrittenUnit::Percent};
  return InOrderOfUnit[static_cast<std::size_t>(unit)];
}

// The answer in the box's unit, where it is written in one of the box's measure or in none:
// 0,8 кг is 800 г.
std::optional<Decimal> InBoxUnit(const PupilAnswer& answer, WrittenUnit boxUnit) {
  const Scale from = ScaleOf(answer.unit.value_or(boxUnit));
  const Scale to = ScaleOf(boxUnit);
  if (from.measure != to.measure) {
    return std::nullopt;
  }
  return Decimal::Of(answer.value.digits, answer.value.places - from.power + to.power);
}

// Which boxes a mistake is looked for in, one bit for each column.
using Boxes = std::uint8_t;
constexpr Boxes BoxOf(Column column) {
  return static_cast<Boxes>(1u << column);
}
constexpr Boxes Percentages = BoxOf(Percent1) | BoxOf(Percent2) | BoxOf(MixPercent);
constexpr Boxes Masses = BoxOf(Weight1) | BoxOf(Weight2) | BoxOf(MixWeight);
constexpr Boxes Parts = BoxOf(Weight1) | BoxOf(Weight2);

// The six quantities in tenths, and the answer of the box being judged.
struct Quantities {
  std::int64_t p1, w1, p2, w2, pm, wm, right;
};

using Value = std::optional<Decimal>;

// A mistake is a value that one wrong step of reasoning gives; none where the step makes no
// mistake with these numbers.
struct Mistake {
  Verdict verdict;
  Boxes boxes;
  std::optional<Kind> kind;  // only in problems of this kind; none for every kind
  Value (*value)(const Quantities&);
};

Value TheMixture(const Quantities& q) {
  return Decimal::Of(q.wm, 1);
}

// Looked for in this order, after the right answer; the first that fits is told.
constexpr std::array<Mistake, 29> Mistakes = {{
    {Verdict::AverageOfPercentages,
     BoxOf(MixPercent),
     {},
     [](const Quantities& q) -> Value { return Decimal::Of((q.p1 + q.p2) * 5, 2); }},
    // Water adds 0%: "p1 + 0" would be no sum but the mixture taken as strong as the first.
    {Verdict::PercentagesAdded,
     BoxOf(MixPercent),
     {},
     [](const Quantities& q) -> Value {
       if (q.p1 == 0 || q.p2 == 0) {
         return std::nullopt;
       }
       return Decimal::Of(q.p1 + q.p2, 1);
     }},
    // A part's percentage where the mixture's is taken as the average of the parts', or their sum.
    {Verdict::AverageOfPercentages,
     BoxOf(Percent1),
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(2 * q.pm - q.p2, 1); }},
    {Verdict::PercentagesAdded,
     BoxOf(Percent1),
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(q.pm - q.p2, 1); }},
    {Verdict::AverageOfPercentages,
     BoxOf(Percent2),
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(2 * q.pm - q.p1, 1); }},
    {Verdict::PercentagesAdded,
     BoxOf(Percent2),
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(q.pm - q.p1, 1); }},
    {Verdict::RemainingForEvaporated, BoxOf(Weight2), Kind::Evaporation,
     [](const Quantities& q) -> Value { return Decimal::Of(q.wm, 1); }},
    {Verdict::MixtureForAddedWater, BoxOf(Weight2), Kind::AddWater,
     [](const Quantities& q) -> Value { return Decimal::Of(q.wm, 1); }},
    // w1 · p1 : 100, of two values in tenths: four places.
    {Verdict::SubstanceForAddedWater, BoxOf(Weight2), Kind::AddWater,
     [](const Quantities& q) -> Value { return Decimal::Of(q.w1 * q.p1, 4); }},
    {Verdict::OldMassForAddedPure, BoxOf(Weight2), Kind::AddPure,
     [](const Quantities& q) -> Value { return Decimal::Of(q.w1 * (q.pm - q.p1), 4); }},
    // wm : pm to four places, where it has no more: 500 г of 5% "holds 500 : 5 = 100 г".
    {Verdict::MassDividedByPercent, BoxOf(Weight1), Kind::SubstanceInSolution,
     [](const Quantities& q) -> Value {
       constexpr std::int64_t Scaled = 10000;
       if (q.wm * Scaled % q.pm != 0) {
         return std::nullopt;
       }
       return Decimal::Of(q.wm * Scaled / q.pm, 4);
     }},
    // w1 : w2 · 100 to four places, where it has no more: 50 г of salt in 200 г of water is 25.
    {Verdict::PercentOfWater, BoxOf(MixPercent), Kind::DissolvedPercent,
     [](const Quantities& q) -> Value {
       constexpr std::int64_t Scaled = 100 * 10000;
       if (q.w1 * Scaled % q.w2 != 0) {
         return std::nullopt;
       }
       return Decimal::Of(q.w1 * Scaled / q.w2, 4);
     }},
    {Verdict::SolutionForWater, BoxOf(Weight2), Kind::Dissolving, TheMixture},
    {Verdict::SolutionForWater, BoxOf(Weight2), Kind::SolutionFromSubstance, TheMixture},
    {Verdict::SubstanceForSolution, BoxOf(MixWeight), Kind::SolutionFromSubstance,
     [](const Quantities& q) -> Value { return Decimal::Of(q.w1 * q.pm, 4); }},
    {Verdict::MixtureForStart, BoxOf(Weight1), Kind::UnknownStart, TheMixture},
    // Two steps: the second step's first part is the first step's mixture.
    {Verdict::MixedForNew, BoxOf(MixPercent), Kind::TwoSteps,
     [](const Quantities& q) -> Value { return Decimal::Of(q.p1, 1); }},
    {Verdict::MixtureForAddedWater, BoxOf(Weight2), Kind::TwoSteps,
     [](const Quantities& q) -> Value {
       return q.w2 > 0 ? std::optional(Decimal::Of(q.wm, 1)) : std::nullopt;
     }},
    {Verdict::RemainingForEvaporated, BoxOf(Weight2), Kind::TwoSteps,
     [](const Quantities& q) -> Value {
       return q.w2 < 0 ? std::optional(Decimal::Of(q.wm, 1)) : std::nullopt;
     }},
    {Verdict::SubstanceForAddedWater, BoxOf(Weight2), Kind::TwoSteps,
     [](const Quantities& q) -> Value {
       return q.w2 > 0 ? std::optional(Decimal::Of(q.w1 * q.p1, 4)) : std::nullopt;
     }},
    // 22 кг of 90% water "has 22 · 90 : 100 = 19,8 кг" of dry matter, "12% of the dried": 165 кг.
    {Verdict::WaterPercentForDryMatter, BoxOf(MixWeight), Kind::Drying,
     [](const Quantities& q) -> Value { return Decimal::Of(q.w1 * (1000 - q.p1), 4); }},
    {Verdict::WaterPercentForDryMatter, BoxOf(MixWeight), Kind::Drying,
     [](const Quantities& q) -> Value {
       constexpr std::int64_t Scaled = 10000;
       const std::int64_t dryMatter = q.w1 * (1000 - q.p1) * Scaled;
       if (dryMatter % (1000 - q.pm) != 0) {
         return std::nullopt;
       }
       return Decimal::Of(dryMatter / (1000 - q.pm), 5);
     }},
    {Verdict::WaterLostForDried, BoxOf(MixWeight), Kind::Drying,
     [](const Quantities& q) -> Value { return Decimal::Of(-q.w2, 1); }},
    // Where water leaves, the mixture is what remains, not a sum: no masses to add.
    {Verdict::MassesNotAdded,
     BoxOf(MixWeight),
     {},
     [](const Quantities& q) -> Value {
       return q.w2 > 0 ? std::optional(Decimal::Of(q.w1, 1)) : std::nullopt;
     }},
    {Verdict::MassesNotAdded,
     BoxOf(MixWeight),
     {},
     [](const Quantities& q) -> Value {
       return q.w2 > 0 ? std::optional(Decimal::Of(q.w2, 1)) : std::nullopt;
     }},
    {Verdict::MixtureForPart,
     Parts,
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(q.wm, 1); }},
    {Verdict::PartForPercent,
     Percentages,
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(q.right, 3); }},
    // 100 times too much, and for a mass 100 times too little as well: 30 taken for 0,3 in a
    // product or a quotient.
    {Verdict::PercentAsWholeNumber,
     Percentages | Masses,
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(q.right * 100, 1); }},
    {Verdict::PercentAsWholeNumber,
     Masses,
     {},
     [](const Quantities& q) -> Value { return Decimal::Of(q.right, 3); }},
}};

Quantities QuantitiesOf(const Problem& problem, Column box) {
  const auto tenths = [&problem](Column column) { return problem.Value(column).count; };
  return {tenths(Percent1),
          tenths(Weight1),
          tenths(Percent2),
          tenths(Weight2),
          tenths(MixPercent),
          tenths(MixWeight),
          AnsweredValue(problem, box).count};
}

// The first mistake whose value the pupil's is.
std::optional<Verdict> MistakeOf(const Problem& problem, Column box, Decimal value) {
  const Quantities quantities = QuantitiesOf(problem, box);
  for (const Mistake& mistake : Mistakes) {
    const bool looked =
        (mistake.boxes & BoxOf(box)) != 0 && (!mistake.kind || *mistake.kind == problem.kind);
    if (looked && mistake.value(quantities) == value) {
      return mistake.verdict;
    }
  }
  return std::nullopt;
}

WrittenUnit BoxUnit(const Problem& problem, Column box) {
  return WrittenOf(UnitOf(problem, box));
}

Decimal RightAnswer(const Problem& problem, Column box) {
  return Decimal::Of(AnsweredValue(problem, box));
}

// A number written without a unit may be in the unit a thousand times smaller than the box's.
struct SmallerUnit {
  WrittenUnit box;
  WrittenUnit smaller;
};
constexpr std::array<SmallerUnit, 2> SmallerUnits = {
    {{WrittenUnit::Kilogram, WrittenUnit::Gram}, {WrittenUnit::Litre, WrittenUnit::Millilitre}}};

// "300" where 0,3 кг is right: grams in a box of kilograms.
bool IsRightInSmallerUnit(const PupilAnswer& answer, WrittenUnit boxUnit, Decimal right) {
  const auto smaller =
      std::find_if(SmallerUnits.begin(), SmallerUnits.end(),
                   [boxUnit](const SmallerUnit& units) { return units.box == boxUnit; });
  return !answer.unit && smaller != SmallerUnits.end() &&
         InBoxUnit({answer.value, smaller->smaller}, boxUnit) == right;
}

// Why a text is no answer: nothing in it, digits that make no one number, or no digits at all.
Verdict UnreadVerdict(std::string_view text) {
  if (IsBlank(text)) {
    return Verdict::Empty;
  }
  return std::any_of(text.begin(), text.end(), IsDigit) ? Verdict::NotOneNumber
                                                        : Verdict::Unreadable;
}

// Whether the answer is the box's right amount, in its unit or another of its measure.
bool IsRightFor(const Problem& problem, Column box, std::string_view answer) {
  const std::optional<PupilAnswer> read = ReadAnswer(answer);
  return read && InBoxUnit(*read, BoxUnit(problem, box)) == RightAnswer(problem, box);
}

// The decimal as an exact fraction: "0,4" is 2/5, 800 is 8 · 10^2.
Fraction Exact(Decimal value) {
  Fraction::Int power = 1;
  for (std::int32_t place = 0; place < std::abs(value.places); ++place) {
    power *= 10;
  }
  return value.places >= 0 ? Fraction::Of(value.digits, power)
                           : Fraction(value.digits) * Fraction::Of(power, 1);
}

// A ratio is right in any equal form; turned round is the mistake school warns of.
Verdict JudgeRatio(const Problem& problem, std::string_view answer) {
  const std::optional<PupilRatio> read = ReadRatio(answer);
  if (!read) {
    return IsBlank(answer) ? Verdict::Empty : Verdict::NotARatio;
  }
  const Ratio right = MassRatio(problem);
  const Fraction first = Exact(read->first);
  const Fraction second = Exact(read->second);
  if (first.Sign() == 0 || second.Sign() == 0) {
    return Verdict::Wrong;
  }
  if (first * right.second == second * right.first) {
    const bool lowest = first == Fraction(right.first) && second == Fraction(right.second);
    return lowest ? Verdict::Right : Verdict::RatioNotInLowestTerms;
  }
  return first * right.first == second * right.second ? Verdict::RatioTurnedRound : Verdict::Wrong;
}

}  // namespace

Decimal Decimal::Of(std::int64_t digits, std::int32_t places) {
  while (digits != 0 && digits % 10 == 0) {
    digits /= 10;
    --places;
  }
  return {digits, places};
}

std::optional<PupilAnswer> ReadAnswer(std::string_view text) {
  const std::string lowered = LowerCase(text);
  std::string_view rest = lowered;
  SkipBlanks(rest);
  SkipLabel(rest);
  if (!SkipUnknown(rest)) {
    return std::nullopt;
  }
  const bool negative = TakeAny(rest, Minuses);
  SkipBlanks(rest);
  const std::optional<Decimal> number = TakeUnsigned(rest);
  if (!number) {
    return std::nullopt;
  }
  PupilAnswer answer{negative ? Decimal::Of(-number->digits, number->places) : *number,
                     std::nullopt};
  SkipBlanks(rest);
  if (TakeAny(rest, NumberStops)) {
    return IsBlank(rest) ? std::optional(answer) : std::nullopt;
  }
  if (!rest.empty()) {
    answer.unit = TakeUnit(rest);
    // A percentage after a percentage would be a second answer.
    if (!answer.unit || !IsWords(rest, answer.unit != WrittenUnit::Percent)) {
      return std::nullopt;
    }
  }
  return answer;
}

std::optional<PupilAnswer> TakeAmount(std::string_view& text) {
  std::string_view rest = text;
  const std::optional<Decimal> number = TakeUnsigned(rest);
  if (!number) {
    return std::nullopt;
  }
  text = rest;
  SkipBlanks(rest);
  const std::optional<WrittenUnit> unit = TakeUnit(rest);
  if (unit) {
    text = rest;
  }
  return PupilAnswer{*number, unit};
}

std::optional<PupilRatio> ReadRatio(std::string_view text) {
  const std::string lowered = LowerCase(text);
  std::string_view rest = lowered;
  SkipBlanks(rest);
  SkipLabel(rest);
  const std::optional<Decimal> first = TakeUnsigned(rest);
  SkipBlanks(rest);
  if (!first || !TakeAny(rest, RatioMarks)) {
    return std::nullopt;
  }
  SkipBlanks(rest);
  const std::optional<Decimal> second = TakeUnsigned(rest);
  SkipBlanks(rest);
  TakeAny(rest, NumberStops);
  if (!second || !IsBlank(rest)) {
    return std::nullopt;
  }
  return PupilRatio{*first, *second};
}

bool IsRight(Verdict verdict) {
  return verdict == Verdict::Right || verdict == Verdict::RightInOtherUnit ||
         verdict == Verdict::RatioNotInLowestTerms;
}

std::vector<Column> BoxesOf(const Problem& problem) {
  if (problem.asked == Asked::Ratio) {
    return {problem.sought.front()};
  }
  return problem.sought;
}

std::vector<Verdict> JudgeBoxes(const Problem& problem, const std::vector<std::string>& answers) {
  const std::vector<Column> boxes = BoxesOf(problem);
  std::vector<std::string_view> written(boxes.size());
  std::copy_n(answers.begin(), std::min(answers.size(), boxes.size()), written.begin());
  std::vector<Verdict> verdicts;
  for (std::size_t box = 0; box < boxes.size(); ++box) {
    verdicts.push_back(Judge(problem, boxes[box], written[box]));
  }
  const bool swapped = boxes.size() == 2 && !IsRight(verdicts[0]) && !IsRight(verdicts[1]) &&
                       IsRightFor(problem, boxes[1], written[0]) &&
                       IsRightFor(problem, boxes[0], written[1]);
  if (swapped) {
    verdicts.assign(2, Verdict::Swapped);
  }
  return verdicts;
}

Verdict Judge(const Problem& problem, Column box, std::string_view answer) {
  if (problem.asked == Asked::Ratio) {
    return JudgeRatio(problem, answer);
  }
  const std::optional<PupilAnswer> read = ReadAnswer(answer);
  if (!read) {
    return UnreadVerdict(answer);
  }
  const WrittenUnit boxUnit = BoxUnit(problem, box);
  const WrittenUnit written = read->unit.value_or(boxUnit);
  const std::optional<Decimal> value = InBoxUnit(*read, boxUnit);
  if (!value) {
    return Verdict::WrongUnit;
  }
  // The right answer is looked for first, so a mistake that happens to give it is never told.
  const Decimal right = RightAnswer(problem, box);
  if (*value == right) {
    return written == boxUnit ? Verdict::Right : Verdict::RightInOtherUnit;
  }
  // "300 кг" for 300 г: the number is right, the unit is not.
  if (read->value == right) {
    return Verdict::WrongUnit;
  }
  if (IsRightInSmallerUnit(*read, boxUnit, right)) {
    return Verdict::GramsForKilograms;
  }
  if (const std::optional<Verdict> mistake = MistakeOf(problem, box, *value)) {
    return *mistake;
  }
  return value->digits < 0 ? Verdict::Negative : Verdict::Wrong;
}
