#include "reader/asides.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "reader/reader.h"

namespace {

constexpr std::string_view Year = "годината";
constexpr std::string_view SchoolClass = "класът";
constexpr std::string_view PrintedAnswer = "отговорът в учебника";
constexpr std::string_view OptionNumber = "един от отговорите за избор";

bool IsLabel(const Items& items, std::size_t i) {
  constexpr std::array<std::string_view, 8> Letters = {"а", "б", "в", "г", "a", "b", "c", "d"};
  return i + 1 < items.size() && IsAnyWord(items[i], Letters) &&
         (IsMark(items[i + 1], ")") || (IsMark(items[i + 1], ".") && items[i].lineStart));
}

std::int64_t WholeValue(const Decimal& value) {
  std::int64_t whole = value.digits;
  for (std::int32_t p = value.places; p < 0; ++p) {
    whole *= 10;
  }
  return whole;
}

// "НВО 2019.", "Олимпиада, 2021, …": a year in the heading pasted before the problem, before
// any number of its own or the end of its first sentence.
bool IsHeadingYear(const Items& items, std::size_t i) {
  if (items[i].amount->unit || i + 1 >= items.size() ||
      !(IsMark(items[i + 1], ".") || IsMark(items[i + 1], ","))) {
    return false;
  }
  return std::none_of(
      items.begin(), items.begin() + static_cast<std::ptrdiff_t>(i), [](const Item& item) {
        return item.type == ItemType::Number || IsMark(item, "?") || IsMark(item, "!");
      });
}

bool IsYear(const Items& items, std::size_t i) {
  const Item& item = items[i];
  if (item.type != ItemType::Number || !item.amount || !IsWhole(item.amount->value)) {
    return false;
  }
  const std::int64_t value = WholeValue(item.amount->value);
  const bool dated = item.amount->unit == WrittenUnit::Gram && i + 1 < items.size() &&
                     IsMark(items[i + 1], ".") && item.text.find("гр") == std::string::npos;
  const bool named = !item.amount->unit && i + 1 < items.size() && StartsWith(items[i + 1], "год");
  return value >= 1900 && value <= 2100 && (dated || named || IsHeadingYear(items, i));
}

// "за 7. клас", "в 6 клас": the pupils' class, never an amount of the problem.
bool IsSchoolClass(const Items& items, std::size_t i) {
  const Item& item = items[i];
  if (item.type != ItemType::Number || (item.amount && item.amount->unit) ||
      (item.amount && !IsWhole(item.amount->value))) {
    return false;
  }
  std::size_t next = i + 1;
  if (next < items.size() && IsMark(items[next], ".")) {
    ++next;
  }
  return next < items.size() && StartsWith(items[next], "клас");
}

// "Един килограм от сместа струва 11 €", "1 кг от сместа трябва да струва", "един килограм от
// вторите – 12 лв.": the measure, then what it is of, then what it costs; goods "струващи" a
// price are a mass of them.
bool CostsAfter(const Items& items, std::size_t i) {
  constexpr std::size_t Reach = 5;
  for (std::size_t j = i + 1; j < items.size() && j <= i + Reach; ++j) {
    const bool priceAfterDash =
        IsMark(items[j], "-") && j + 2 < items.size() && items[j + 1].type == ItemType::Number &&
        (IsWord(items[j + 2], "лв") || IsWord(items[j + 2], "евро") || IsMark(items[j + 2], "€"));
    if (IsWord(items[j], "струва") || priceAfterDash) {
      return true;
    }
    if (items[j].type != ItemType::Word) {
      return false;
    }
  }
  return false;
}

// "Колко струва един килограм от сместа?", "да се продава 1 кг", "цената на 1 кг", "1 кг от
// сместа струва": the measure a price is of.
bool IsPriceUnit(const Items& items, std::size_t i) {
  const Item& item = items[i];
  if (!item.amount || !item.amount->unit || item.amount->unit == WrittenUnit::Percent ||
      WholeValue(item.amount->value) != 1 || !IsWhole(item.amount->value)) {
    return false;
  }
  constexpr std::array<std::string_view, 3> Pricing = {"струв", "продав", "продад"};
  return (i > 0 && StartsWithAny(items[i - 1], Pricing)) ||
         (i > 1 && IsWord(items[i - 1], "на") && StartsWith(items[i - 2], "цена")) ||
         CostsAfter(items, i);
}

// "(2 т.)", "[3 точки]": the points a problem is worth, in brackets of either kind.
bool IsPoints(const Items& items, std::size_t i) {
  const bool round = i > 0 && IsMark(items[i - 1], "(");
  if (i == 0 || i + 1 >= items.size() || (!round && !IsMark(items[i - 1], "["))) {
    return false;
  }
  const Item& item = items[i];
  const bool tonnes = item.amount && item.amount->unit == WrittenUnit::Tonne;
  const bool named = !item.amount || !item.amount->unit
                         ? StartsWith(items[i + 1], "точк") || IsWord(items[i + 1], "т")
                         : false;
  std::size_t close = i + 1 + (named ? 1 : 0);
  if (close < items.size() && IsMark(items[close], ".")) {
    ++close;
  }
  return (tonnes || named) && close < items.size() && IsMark(items[close], round ? ")" : "]");
}

// "… приготви? – 2 т.", "… разтвор. 3 точки": the points after the problem, ending its text.
bool IsTrailingPoints(const Items& items, std::size_t i) {
  const std::size_t dash = i > 0 && IsMark(items[i - 1], "-") ? i - 1 : i;
  const bool afterSentence =
      dash > 0 && (IsMark(items[dash - 1], "?") || IsMark(items[dash - 1], "."));
  const Item& item = items[i];
  const bool tonnes = item.amount && item.amount->unit == WrittenUnit::Tonne;
  const bool named = (!item.amount || !item.amount->unit) && i + 1 < items.size() &&
                     (StartsWith(items[i + 1], "точк") || IsWord(items[i + 1], "т"));
  std::size_t next = i + 1 + (named ? 1 : 0);
  if (next < items.size() && IsMark(items[next], ".")) {
    ++next;
  }
  return afterSentence && (tonnes || named) && next == items.size();
}

bool IsProblemNumber(const Items& items, std::size_t i) {
  if (items[i].amount && items[i].amount->unit) {
    return false;
  }
  // "Задача 3", "№ 3", "Зад. 3", "Вариант 2".
  const bool named = i > 0 && (StartsWith(items[i - 1], "задач") || IsMark(items[i - 1], "№") ||
                               StartsWith(items[i - 1], "вариант") ||
                               (i > 1 && IsMark(items[i - 1], ".") && IsWord(items[i - 2], "зад")));
  const bool leading =
      i == 0 && i + 1 < items.size() && (IsMark(items[i + 1], ".") || IsMark(items[i + 1], ")"));
  return named || leading;
}

}  // namespace

bool IsOptionLabel(const Items& items, std::size_t i) {
  return IsLabel(items, i) && items[i].capital;
}

bool IsWhole(const Decimal& value) {
  return value.places <= 0;
}

Asides AsidesOf(const Items& items) {
  Asides asides{std::vector<std::string_view>(items.size()), items.size()};
  for (std::size_t i = 0; i < items.size(); ++i) {
    if ((StartsWith(items[i], "отг") && i + 1 < items.size() &&
         (IsMark(items[i + 1], ".") || IsMark(items[i + 1], ":"))) ||
        IsOptionLabel(items, i)) {
      asides.end = std::min(asides.end, i);
    }
    if (items[i].type != ItemType::Number) {
      continue;
    }
    if (i >= asides.end) {
      asides.of[i] = IsOptionLabel(items, asides.end) ? OptionNumber : PrintedAnswer;
    } else if (IsProblemNumber(items, i)) {
      asides.of[i] = ProblemNumberAside;
    } else if (IsPoints(items, i) || IsTrailingPoints(items, i)) {
      asides.of[i] = PointsAside;
    } else if (IsYear(items, i)) {
      asides.of[i] = Year;
    } else if (IsSchoolClass(items, i)) {
      asides.of[i] = SchoolClass;
    } else if (IsPriceUnit(items, i)) {
      asides.of[i] = PriceUnitAside;
    }
  }
  return asides;
}
