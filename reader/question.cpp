#include "reader/question.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "reader/asides.h"

namespace {

constexpr std::array<std::string_view, 8> Commands = {"намерете",  "определете", "пресметнете",
                                                      "изчислете", "намери",     "определи",
                                                      "пресметни", "изчисли"};
constexpr std::array<std::string_view, 3> WhichWords = {"какъв", "каква", "какво"};

bool IsQuestionStart(const Item& item) {
  return IsWord(item, "колко") || IsAnyWord(item, WhichWords) || IsAnyWord(item, Commands);
}

// "Концентрацията на получения разтвор е:", "… е равна на:" right before the options "А) …": a
// stem stated, with no question word, that asks what it names.
bool IsStatedStem(const Items& items, std::size_t begin, std::size_t end) {
  if (end < begin + 3 || end >= items.size() || !IsOptionLabel(items, end) ||
      !IsMark(items[end - 1], ":") ||
      std::any_of(items.begin() + static_cast<std::ptrdiff_t>(begin),
                  items.begin() + static_cast<std::ptrdiff_t>(end), IsQuestionStart)) {
    return false;
  }
  const bool equal = IsWord(items[end - 2], "на") && StartsWith(items[end - 3], "равн");
  const std::size_t verb = equal ? end - 4 : end - 2;
  return verb > begin && IsWord(items[verb], "е");
}

// Who a question's words point at, from `at` to the next question word.
// A vessel a problem starts in: "Колко грама разтвор има в съда?" asks for what was there.
constexpr std::array<std::string_view, 4> Vessels = {"съда", "каната", "колбата", "бутилката"};
// "Колко грама е бил разтворът?", "Колко грама разтвор имаше Ели в началото?": the first part.
constexpr std::array<std::string_view, 5> WasWords = {"бил", "била", "било", "били", "началото"};

// "по-скъпите", "по-евтиния": a kind named by its price beside the other kind's.
Who KindByPrice(const Items& items, std::size_t i) {
  if (i < 2 || !IsWord(items[i - 2], "по") || !IsMark(items[i - 1], "-")) {
    return Who::Unknown;
  }
  if (StartsWith(items[i], "скъп")) {
    return Who::Dearer;
  }
  return StartsWith(items[i], "евтин") ? Who::Cheaper : Who::Unknown;
}

Who WhoFrom(const Items& items, std::size_t at, std::size_t end, bool percent, Context context,
            std::optional<std::size_t>& percentItem, std::optional<std::size_t>& pieceItem) {
  Who named = Who::Unknown;
  // "…, ако се стопят 3 кг от първата и 2 кг от втората", "…, за да се получи сок с 12%": a
  // condition or a purpose gives the parts, and asks none of them.
  const auto condition = [&items, end](std::size_t i) {
    return IsWord(items[i], "ако") ||
           (IsWord(items[i], "за") && i + 1 < end && IsWord(items[i + 1], "да"));
  };
  for (std::size_t i = at; i < end && !IsQuestionStart(items[i]) && !condition(i); ++i) {
    const Item& item = items[i];
    if (IsPercent(item) && !percent) {
      percentItem = i;
      return Who::ByPercent;
    }
    if (const Who kind = KindByPrice(items, i); kind != Who::Unknown) {
      return kind;
    }
    const Noun noun = NounAt(items, i, context);
    // "Колко килограма от разтвора трябва да се разредят с вода": the water is what it is
    // diluted with, not what is asked.
    if (!percent && noun == Noun::Water && named != Who::Solution) {
      return Who::Water;
    }
    // "разтвор на сол с концентрация 80%": what the solution asked is of, not the substance.
    if (noun == Noun::Substance && named == Who::Solution && IsWord(items[i - 1], "на")) {
      continue;
    }
    if (!percent &&
        (noun == Noun::Pure || (noun == Noun::Substance && !IsNamedWithItsShare(items, i, end)))) {
      return Who::Pure;
    }
    if (noun == Noun::Concentrate) {
      return Who::Concentrate;
    }
    if (noun == Noun::Dried || StartsWith(item, "получ") || StartsWith(item, "нов") ||
        IsWord(item, "сместа") || StartsWith(item, "приготв") || StartsWith(item, "остан")) {
      return Who::Mixture;
    }
    if (noun == Noun::Fresh || StartsWith(item, "първ") || IsAnyWord(item, WasWords)) {
      return Who::First;
    }
    if (IsAnyWord(item, Vessels)) {
      return Who::Vessel;
    }
    if (StartsWith(item, "всяк") || StartsWith(item, "всеки")) {
      return Who::Each;
    }
    if (noun == Noun::Solution) {
      named = Who::Solution;
    }
    if (StartsWith(item, "втор") || StartsWith(item, "друг")) {
      return Who::Second;
    }
    if (PieceStemOf(item)) {
      pieceItem = i;
      return Who::Piece;
    }
    constexpr std::array<std::string_view, 6> Pronouns = {"той", "тя", "то", "те", "него", "нея"};
    if (IsAnyWord(item, Pronouns)) {
      return Who::Same;
    }
  }
  return named;
}

// ", която …", ", които …": what is named before is only some of it.
bool IsSomeOf(const Items& items, std::size_t at, std::size_t end) {
  constexpr std::array<std::string_view, 4> Which = {"коя", "кои", "кое", "кой"};
  const std::size_t word = at < end && IsMark(items[at], ",") ? at + 1 : at;
  return word < end && StartsWithAny(items[word], Which);
}

// What a percentage is a share of, from the words after it: the first noun named, or after the
// whole it is of ("от новия разтвор") the next. A share of the water or of the substance itself
// ("Колко процента от водата") is no concentration either.
Share ShareFrom(const Items& items, std::size_t at, std::size_t end, Context context) {
  const bool produce = StatedShareOf(context) == StatedShare::Water;
  bool whole = false;
  bool wholeNamed = false;
  for (std::size_t i = at; i < end && !IsQuestionStart(items[i]); ++i) {
    const Item& item = items[i];
    const Noun noun = NounOf(item, context);
    // "Колко процента от водата", "… е солта от първия разтвор", "… е водата, която се е
    // изпарила": a share of the water, of one part's salt or of some of it, no concentration.
    const bool ofIt = (i > at && IsWord(items[i - 1], "от")) ||
                      (i + 1 < end && IsWord(items[i + 1], "от")) || IsSomeOf(items, i + 1, end);
    if (noun == Noun::Water || noun == Noun::Substance || noun == Noun::Pure) {
      if (ofIt) {
        return Share::Other;
      }
      return (noun == Noun::Water) != produce ? Share::Rest : Share::Stated;
    }
    // "Колко процента калай" of an alloy read as of copper: not the share its percentages give.
    if (IsOtherSubstance(item, context)) {
      return Share::Other;
    }
    if (item.type == ItemType::Number) {
      break;
    }
    if (IsWord(item, "от") && !whole) {
      whole = true;
    } else if (whole && !wholeNamed && noun != Noun::None) {
      wholeNamed = true;
    } else if (wholeNamed && (noun != Noun::None || OrdinalOf(item) != 0)) {
      return Share::Other;  // "… от сместа е първият разтвор", "… се пада на първия разтвор"
    } else if (!whole && noun != Noun::None) {
      break;  // "Колко процента е полученият разтвор?": its concentration
    }
  }
  return Share::Stated;
}

std::optional<WrittenUnit> UnitWord(const Item& item) {
  if (!IsCountWord(item)) {
    return std::nullopt;
  }
  std::string probe = "1 " + item.text;
  std::string_view rest = probe;
  return TakeAmount(rest)->unit;
}

bool MeansRatio(const Item& item) {
  return StartsWith(item, "отношени");
}

// "Колко струва сместа?" asks what all of it costs, not the price of a kilogram, which "Колко
// струва 1 кг от сместа?" or "… килограм от сместа" names.
bool AsksTheWholeValue(const Items& items, std::size_t at, std::size_t end) {
  bool costs = false;
  for (std::size_t i = at; i < end && !IsQuestionStart(items[i]); ++i) {
    if (costs && (items[i].amount || IsCountWord(items[i]))) {
      return false;
    }
    costs = costs || StartsWith(items[i], "струва");
  }
  return costs;
}

// "Колко грама 5% и 25% разтвор", "Колко грама от 5% и от 25% разтвор": a second percentage
// listed right after the one asked about asks the same of its part.
std::optional<std::size_t> ListedPercent(const Items& items, std::size_t percent, std::size_t end) {
  std::size_t at = percent + 1;
  if (at >= end || !IsWord(items[at], "и")) {
    return std::nullopt;
  }
  ++at;
  if (at < end && IsWord(items[at], "от")) {
    ++at;
  }
  return at < end && IsPercent(items[at]) ? std::optional<std::size_t>(at) : std::nullopt;
}

}  // namespace

std::vector<std::pair<std::size_t, std::size_t>> QuestionsOf(const Items& items, std::size_t end) {
  std::vector<std::pair<std::size_t, std::size_t>> questions;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= end; ++i) {
    // "гр. Пловдив", "по 14 лв. за килограм": a point that shortens a word, not one that ends a
    // sentence, unless a capital follows the money.
    const bool shortened =
        i > 0 && (IsWord(items[i - 1], "гр") ||
                  (IsWord(items[i - 1], "лв") && !(i + 1 < end && items[i + 1].capital)));
    const bool stop = i == end || IsMark(items[i], "?") || IsMark(items[i], "!") ||
                      (IsMark(items[i], ".") && !shortened);
    if (!stop) {
      continue;
    }
    const bool asks = (i < end && IsMark(items[i], "?")) || IsStatedStem(items, start, i) ||
                      std::any_of(items.begin() + static_cast<std::ptrdiff_t>(start),
                                  items.begin() + static_cast<std::ptrdiff_t>(i), IsQuestionStart);
    if (asks && i > start) {
      questions.emplace_back(start, i);
    }
    start = i + 1;
  }
  return questions;
}

namespace {

// "получения разтвор", "новата сплав", "сместа", "първоначалния": the whole, before or after.
bool NamesTheWhole(const Items& items, std::size_t begin, std::size_t end) {
  constexpr std::array<std::string_view, 5> Stems = {"получ", "нов", "смес", "първонач", "начал"};
  for (std::size_t i = begin; i < end; ++i) {
    if (StartsWithAny(items[i], Stems)) {
      return true;
    }
  }
  return false;
}

// "повече", "по-тежка", "по-голям": 1 and the items it takes; "по-малко", "по-лека": −1; else 0.
std::pair<int, std::size_t> ComparativeAt(const Items& items, std::size_t at, std::size_t end) {
  constexpr std::array<std::string_view, 4> More = {"голям", "тежк", "тежъ", "висок"};
  constexpr std::array<std::string_view, 4> Less = {"малк", "малъ", "лек", "ниск"};
  if (at < end && StartsWith(items[at], "повече")) {
    return {1, 1};
  }
  if (at + 2 >= end || !IsWord(items[at], "по") || !IsMark(items[at + 1], "-")) {
    return {0, 0};
  }
  const Item& stem = items[at + 2];
  return {StartsWithAny(stem, More) ? 1 : StartsWithAny(stem, Less) ? -1 : 0, 3};
}

// Where the clause of a question word at `at` begins: after the question word before it, so that
// "В кой разтвор има повече сол и с колко грама?" is read whole.
std::size_t ClauseStart(const Items& items, std::size_t begin, std::size_t at) {
  while (at > begin && !IsQuestionStart(items[at - 1])) {
    --at;
  }
  return at;
}

// "количествата сол", "масите на солта", "повече сол": a difference that names the substance
// anywhere is of the substance, not of the masses; "разтвор на сол" names only a solution.
bool NamesSubstance(const Items& items, std::size_t begin, std::size_t end, Context context) {
  for (std::size_t i = begin; i < end; ++i) {
    const Noun noun = NounOf(items[i], context);
    const bool ofSolution = i >= begin + 2 && IsWord(items[i - 1], "на") &&
                            NounOf(items[i - 2], context) == Noun::Solution;
    if ((noun == Noun::Substance || noun == Noun::Pure) && !ofSolution) {
      return true;
    }
  }
  return false;
}

// "С колко грама повече вода …", "В кой разтвор … и с колко" of the masses: what a difference of
// the parts' masses or substance does not answer. Of the substance, the answer says which part
// has more.
bool AsksMoreThanADifference(const Items& items, std::size_t begin, std::size_t end,
                             Context context) {
  constexpr std::array<std::string_view, 3> Which = {"кой", "коя", "кое"};
  const bool substances = NamesSubstance(items, begin, end, context);
  for (std::size_t i = begin; i < end; ++i) {
    if (NounOf(items[i], context) == Noun::Water || (IsAnyWord(items[i], Which) && !substances)) {
      return true;
    }
  }
  return false;
}

// "С колко грама солта в първия разтвор е повече от солта във втория?": the part the question
// says is more, by the first part it names and the first comparative; 0 where it says neither.
int LargerOf(const Items& items, std::size_t at, std::size_t end) {
  int named = 0;
  int sign = 0;
  for (std::size_t i = at; i < end; ++i) {
    if (named == 0 && StartsWith(items[i], "първ") && !StartsWith(items[i], "първонач")) {
      named = 1;
    } else if (named == 0 && StartsWith(items[i], "втор")) {
      named = 2;
    }
    if (sign == 0) {
      sign = ComparativeAt(items, i, end).first;
    }
  }
  if (named == 0 || sign == 0) {
    return 0;
  }
  return sign > 0 ? named : 3 - named;
}

// "повече", "по-малко", "по-тежък" anywhere in the clause.
bool SaysMoreOrLess(const Items& items, std::size_t begin, std::size_t end) {
  for (std::size_t i = begin; i < end; ++i) {
    if (ComparativeAt(items, i, end).first != 0) {
      return true;
    }
  }
  return false;
}

// Where "масата на солта" goes on "и масата на водата" or "и на водата", the item after that
// "на"; none where the next question word comes first.
std::optional<std::size_t> SecondNamedAt(const Items& items, std::size_t at, std::size_t end) {
  if (at >= end || !StartsWith(items[at], "мас") || at + 1 >= end || !IsWord(items[at + 1], "на")) {
    return std::nullopt;
  }
  for (std::size_t i = at + 2; i + 2 < end && !IsQuestionStart(items[i]); ++i) {
    if (!IsWord(items[i], "и")) {
      continue;
    }
    const std::size_t of = StartsWith(items[i + 1], "мас") ? i + 2 : i + 1;
    return of + 1 < end && IsWord(items[of], "на") ? std::optional<std::size_t>(of + 1)
                                                   : std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::vector<Target> TargetsOf(const Items& items, std::size_t begin, std::size_t end,
                              Context context) {
  std::vector<Target> targets;
  const bool stem = IsStatedStem(items, begin, end);
  for (std::size_t i = begin; i < end; ++i) {
    // A stem asks what it opens with, as "Каква е …" would.
    const bool stated = stem && i == begin;
    if (!IsQuestionStart(items[i]) && !stated) {
      continue;
    }
    Target target;
    std::size_t at = stated ? i : i + 1;
    std::size_t measured = at;  // after the word that says a percentage
    if (i > 0 && IsWord(items[i - 1], "с") && IsWord(items[i], "колко") && at < end &&
        UnitWord(items[at]) && UnitWord(items[at]) != WrittenUnit::Percent) {
      target.difference = true;
      target.unit = UnitWord(items[at]);
      const std::size_t clause = ClauseStart(items, begin, i);
      target.substances = NamesSubstance(items, clause, end, context);
      target.larger = LargerOf(items, at + 1, end);
      target.compared = SaysMoreOrLess(items, clause, end);
      // The difference read is the two parts': one that names the mixture or the start ("С
      // колко литра обемът на получения разтвор е по-голям от първоначалния?") is not read.
      if (NamesTheWhole(items, at, end) || AsksMoreThanADifference(items, clause, end, context)) {
        target.share = Share::Other;
      }
      targets.push_back(target);
      continue;
    }
    if (at < end && IsWord(items[i], "колко") && IsMark(items[at], "%")) {
      target.unit = WrittenUnit::Percent;
      target.percent = true;
      ++at;
      measured = at;
    } else if (at < end && IsWord(items[i], "колко") && UnitWord(items[at])) {
      target.unit = UnitWord(items[at]);
      target.percent = target.unit == WrittenUnit::Percent;
      ++at;
      measured = at;
    } else if (at < end && IsWord(items[i], "колко") &&
               (IsWord(items[at], "от") || IsWord(items[at], "по")) && !targets.empty()) {
      // "… и колко от втория", "… и колко по 11 € за килограм": in the unit asked before.
      target.unit = targets.back().unit;
    } else {
      // "Колко вода", "Колко сол", "Колко тежи".
      const Noun noun = at < end ? NounOf(items[at], context) : Noun::None;
      bool known = IsWord(items[i], "колко") && at < end &&
                   (noun == Noun::Water || noun == Noun::Pure || noun == Noun::Substance ||
                    StartsWith(items[at], "теж"));
      for (std::size_t j = at; j < end && j < at + 3 && !known; ++j) {
        target.ratio = MeansRatio(items[j]);
        target.percent = MeansPercent(items[j]);
        known = target.ratio || target.percent || StartsWith(items[j], "мас") ||
                StartsWith(items[j], "количеств") || StartsWith(items[j], "обем");
        measured = j + 1;
      }
      if (!known) {
        continue;
      }
    }
    target.who =
        WhoFrom(items, at, end, target.percent, context, target.percentItem, target.pieceItem);
    if (target.percent) {
      target.share = AsksTheWholeValue(items, at, end) ? Share::Other
                                                       : ShareFrom(items, measured, end, context);
    }
    if (target.who == Who::Pure && !target.percent) {
      std::optional<std::size_t> none;
      std::size_t after = at;
      while (after < end && NounOf(items[after], context) != Noun::Substance &&
             NounOf(items[after], context) != Noun::Pure) {
        ++after;
      }
      // "сол има в новия разтвор", "сол съдържа сплавта": the substance in a part; "сол трябва
      // да се добавят" asks the pure part itself.
      const bool in = after + 1 < end &&
                      (IsWord(items[after + 1], "има") || IsWord(items[after + 1], "в") ||
                       IsWord(items[after + 1], "във") || StartsWith(items[after + 1], "съдърж"));
      if (in) {
        target.within = WhoFrom(items, after + 1, end, true, context, none, none);
      }
    }
    if (target.who == Who::Same && !targets.empty()) {
      target.who = targets.back().who;
    }
    const std::optional<std::size_t> listed = target.who == Who::ByPercent
                                                  ? ListedPercent(items, *target.percentItem, end)
                                                  : std::nullopt;
    if (listed) {
      targets.push_back(target);
      target.percentItem = listed;
    }
    if (target.who == Who::Each) {
      target.who = Who::First;
      targets.push_back(target);
      target.who = Who::Second;
    }
    targets.push_back(target);
    // "Изчислете масата на солта и масата на водата", "… на солта и на водата": a second noun
    // asked by the same words.
    if (const std::optional<std::size_t> other = SecondNamedAt(items, at, end);
        other && !target.percent && !target.ratio) {
      target.who =
          WhoFrom(items, *other, end, false, context, target.percentItem, target.pieceItem);
      target.within = Who::Unknown;
      targets.push_back(target);
    }
  }
  return targets;
}
