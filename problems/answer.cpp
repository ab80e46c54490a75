#include "problems/answer.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::size_t MaxDigits = 15;  // 64 bits hold them with room to spare

// The space, the tab, line ends, and the no-break and thin spaces a copied number may hold.
constexpr std::array<std::string_view, 7> Blanks = {" ",      "\t",     "\r",    "\n",
                                                    "\u00A0", "\u202F", "\u2009"};
constexpr std::array<std::string_view, 4> Unknowns = {"x=", "X=", "х=", "Х="};
constexpr std::array<std::string_view, 2> Minuses = {"-", "−"};
constexpr std::array<Unit, 4> Units = {Unit::Gram, Unit::Kilogram, Unit::Litre, Unit::Percent};

std::string WithoutBlanks(std::string_view text) {
  std::string packed;
  while (!text.empty()) {
    std::size_t skip = 0;
    for (const std::string_view blank : Blanks) {
      if (text.starts_with(blank)) {
        skip = blank.size();
      }
    }
    if (skip == 0) {
      packed += text.front();
      skip = 1;
    }
    text.remove_prefix(skip);
  }
  return packed;
}

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

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Appends the digits at the front of `text` to `digits`, counting them; false for none, and
// for more than MaxDigits in all.
bool TakeDigits(std::string_view& text, std::int64_t& digits, std::size_t& count) {
  const std::size_t before = count;
  while (!text.empty() && IsDigit(text.front())) {
    if (++count > MaxDigits) {
      return false;
    }
    digits = digits * 10 + (text.front() - '0');
    text.remove_prefix(1);
  }
  return count > before;
}

std::optional<Unit> UnitNamed(std::string_view text) {
  for (const Unit unit : Units) {
    if (text == UnitSymbol(unit)) {
      return unit;
    }
  }
  return std::nullopt;
}

struct Mistake {
  Verdict verdict;
  Decimal value;
};

// What a part's percentage comes out as where the mixture's is taken to be the average of the
// parts', or their sum.
void AddPartPercentMistakes(std::int64_t mixture, std::int64_t other,
                            std::vector<Mistake>& mistakes) {
  mistakes.push_back({Verdict::AverageOfPercentages, Decimal::Of(2 * mixture - other, 1)});
  mistakes.push_back({Verdict::PercentagesAdded, Decimal::Of(mixture - other, 1)});
}

std::vector<Mistake> MistakesFor(const Problem& problem, Column box) {
  const std::int64_t p1 = problem.Value(Percent1).count;
  const std::int64_t p2 = problem.Value(Percent2).count;
  const std::int64_t pm = problem.Value(MixPercent).count;
  std::vector<Mistake> mistakes;
  switch (box) {
    case MixPercent:
      mistakes.push_back({Verdict::AverageOfPercentages, Decimal::Of((p1 + p2) * 5, 2)});
      // Water adds 0%: "p1 + 0" would be no sum but the mixture taken as strong as the first.
      if (p1 != 0 && p2 != 0) {
        mistakes.push_back({Verdict::PercentagesAdded, Decimal::Of(p1 + p2, 1)});
      }
      break;
    case Percent1:
      AddPartPercentMistakes(pm, p2, mistakes);
      break;
    case Percent2:
      AddPartPercentMistakes(pm, p1, mistakes);
      break;
    case MixWeight:
      mistakes.push_back({Verdict::MassesNotAdded, Decimal::Of(problem.Value(Weight1))});
      mistakes.push_back({Verdict::MassesNotAdded, Decimal::Of(problem.Value(Weight2))});
      break;
    case Weight1:
    case Weight2:
      mistakes.push_back({Verdict::MassesNotAdded, Decimal::Of(problem.Value(MixWeight))});
      break;
  }
  const std::int64_t right = AnsweredValue(problem, box).count;
  mistakes.push_back({Verdict::PercentAsWholeNumber, Decimal::Of(right * 100, 1)});
  mistakes.push_back({Verdict::PercentAsWholeNumber, Decimal::Of(right, 3)});
  return mistakes;
}

}  // namespace

Decimal Decimal::Of(std::int64_t digits, std::int32_t places) {
  while (places > 0 && digits % 10 == 0) {
    digits /= 10;
    --places;
  }
  return {digits, places};
}

std::optional<PupilAnswer> ReadAnswer(std::string_view text) {
  const std::string packed = WithoutBlanks(text);
  std::string_view rest = packed;
  TakeAny(rest, Unknowns);
  const bool negative = TakeAny(rest, Minuses);
  std::int64_t digits = 0;
  std::size_t count = 0;
  if (!TakeDigits(rest, digits, count)) {
    return std::nullopt;
  }
  std::int32_t places = 0;
  if (!rest.empty() && (rest.front() == ',' || rest.front() == '.')) {
    rest.remove_prefix(1);
    const std::size_t whole = count;
    if (!TakeDigits(rest, digits, count)) {
      return std::nullopt;
    }
    places = static_cast<std::int32_t>(count - whole);
  }
  PupilAnswer answer{Decimal::Of(negative ? -digits : digits, places), std::nullopt};
  if (!rest.empty()) {
    answer.unit = UnitNamed(rest);
    if (!answer.unit) {
      return std::nullopt;
    }
  }
  return answer;
}

Verdict Judge(const Problem& problem, Column box, std::string_view answer) {
  const std::optional<PupilAnswer> read = ReadAnswer(answer);
  if (!read) {
    return Verdict::Unreadable;
  }
  if (read->unit && *read->unit != UnitOf(problem, box)) {
    return Verdict::WrongUnit;
  }
  // The right answer is looked for first, so a mistake that happens to give it is never told.
  if (read->value == Decimal::Of(AnsweredValue(problem, box))) {
    return Verdict::Right;
  }
  for (const Mistake& mistake : MistakesFor(problem, box)) {
    if (mistake.value == read->value) {
      return mistake.verdict;
    }
  }
  return read->value.digits < 0 ? Verdict::Negative : Verdict::Wrong;
}
