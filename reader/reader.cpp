#include "reader/reader.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>
#include <stdexcept>

#include "form/lexicon.h"
#include "form/solution_text.h"
#include "reader/items.h"
#include "worksheet/solution.h"
#include "worksheet/variants.h"

namespace {

using Items = std::vector<Item>;

// What a word names, as far as a mixture is concerned.
enum class Noun : std::uint8_t {
  None,
  Water,
  Pure,       // "чиста сол", or the substance itself where an amount of it is taken
  Substance,  // the context's substance: "сол", "мед", after a percentage what it measures
  Solution,
  Concentrate,
  Fresh,
  Dried,
};

// A part of the problem as the text names it: its numbers and what it is.
struct Group {
  std::optional<std::size_t> mass;     // the item of its mass
  std::optional<std::size_t> percent;  // of its percentage
  Noun noun = Noun::None;
  std::size_t begin = 0;             // its first item
  bool result = false;               // what is obtained: the mixture
  int ordinal = 0;                   // 1 "първия", 2 "втория" or "друг"
  std::optional<std::size_t> named;  // the item of its noun
};

// ---------------------------------------------------------------- words

bool IsCyrillicWord(const Item& item) {
  return item.type == ItemType::Word && !item.text.empty() &&
         (static_cast<unsigned char>(item.text.front()) & 0xFE) == 0xD0;
}

bool IsWord(const Item& item, std::string_view word) {
  return item.type == ItemType::Word && item.text == word;
}

bool IsMark(const Item& item, std::string_view mark) {
  return item.type == ItemType::Mark && item.text == mark;
}

bool StartsWith(const Item& item, std::string_view stem) {
  return item.type == ItemType::Word && item.text.starts_with(stem);
}

template <std::size_t Count>
bool StartsWithAny(const Item& item, const std::array<std::string_view, Count>& stems) {
  return std::any_of(stems.begin(), stems.end(),
                     [&item](std::string_view stem) { return StartsWith(item, stem); });
}

template <std::size_t Count>
bool IsAnyWord(const Item& item, const std::array<std::string_view, Count>& words) {
  return std::any_of(words.begin(), words.end(),
                     [&item](std::string_view word) { return IsWord(item, word); });
}

std::vector<std::string_view> WordsIn(std::string_view text) {
  std::vector<std::string_view> words;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    if (!word.empty() && word.front() != '{') {
      words.push_back(word);
    }
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
  }
  return words;
}

std::string_view CommonStem(std::string_view one, std::string_view other) {
  std::size_t length = 0;
  while (length < one.size() && length < other.size() && one[length] == other[length]) {
    ++length;
  }
  // Never half a two-byte letter.
  while (length > 0 && length < one.size() &&
         (static_cast<unsigned char>(one[length]) & 0xC0) == 0x80) {
    --length;
  }
  return one.substr(0, length);
}

// The stems that name a context alone, from the words the problems are written in: "сол" of
// "сол" and "солта", "напитк" of "напитка" and "напитката", "гъби" of "сушени гъби".
std::vector<std::string_view> StemsOf(Context context) {
  const Texts::ContextWords& words = Texts::ContextTable[static_cast<std::size_t>(context)];
  std::vector<std::pair<std::string_view, std::string_view>> pairs;
  const auto add = [&pairs](std::string_view bare, std::string_view definite) {
    const std::vector<std::string_view> bareWords = WordsIn(bare);
    const std::vector<std::string_view> definiteWords = WordsIn(definite);
    for (std::size_t i = 0; i < bareWords.size() && i < definiteWords.size(); ++i) {
      pairs.emplace_back(bareWords[i], definiteWords[i]);
    }
  };
  add(words.substance, Texts::SubstanceSubjects[static_cast<std::size_t>(context)]);
  add(words.solution.bare, words.solution.definiteShort);
  add(words.concentratePortion, words.concentratePortion);
  add(words.pure.bare, words.pure.definiteShort);
  add(words.fresh.bare, words.fresh.definiteShort);
  std::vector<std::string_view> stems;
  for (const auto& [bare, definite] : pairs) {
    stems.push_back(CommonStem(bare, definite));
  }
  return stems;
}

// A stem is a context's mark where no other context has it: "разтвор" and "сплав" are not.
std::array<std::vector<std::string_view>, ContextCount> ContextMarks() {
  std::array<std::vector<std::string_view>, ContextCount> all;
  for (const Context context : Contexts) {
    all[static_cast<std::size_t>(context)] = StemsOf(context);
  }
  std::array<std::vector<std::string_view>, ContextCount> marks;
  for (std::size_t c = 0; c < ContextCount; ++c) {
    for (const std::string_view stem : all[c]) {
      const bool shared = std::any_of(all.begin(), all.end(), [&](const auto& other) {
        return &other != &all[c] && std::find(other.begin(), other.end(), stem) != other.end();
      });
      if (!shared && stem.size() > 2) {
        marks[c].push_back(stem);
      }
    }
  }
  return marks;
}

const std::array<std::vector<std::string_view>, ContextCount>& Marks() {
  static const auto marks = ContextMarks();
  return marks;
}

// Every form of every noun a part or a mixture is called by: "разтвор", "разтвора", "сплавта",
// "сплави", and what textbooks call a mixture besides.
std::vector<std::string_view> SolutionForms() {
  std::vector<std::string_view> forms = {"смес",     "сместа", "руда",    "рудата", "руди",
                                         "сок",      "сока",   "сокът",   "морска", "морската",
                                         "разтвори", "сплави", "парчета", "парче",  "пръстен"};
  for (const Texts::ContextWords& words : Texts::ContextTable) {
    for (const std::string_view text : {words.solution.bare, words.solution.definiteShort,
                                        words.solution.definiteFull, words.solution.both}) {
      const std::vector<std::string_view> inText = WordsIn(text);
      // "сушени гъби" is named by its adjective: Dried.
      if (inText.size() == 1 || (inText.size() == 2 && inText[0].starts_with("дв"))) {
        forms.push_back(inText.back());
      }
    }
  }
  return forms;
}

bool IsSolutionWord(const Item& item) {
  static const std::vector<std::string_view> forms = SolutionForms();
  return item.type == ItemType::Word &&
         std::find(forms.begin(), forms.end(), item.text) != forms.end();
}

// The stem of the context's substance: "сол", "мед", "оцетн".
std::string_view SubstanceStem(Context context) {
  const std::size_t c = static_cast<std::size_t>(context);
  return CommonStem(WordsIn(Texts::ContextTable[c].substance).front(),
                    WordsIn(Texts::SubstanceSubjects[c]).front());
}

Noun NounOf(const Item& item, Context context) {
  if (item.type != ItemType::Word) {
    return Noun::None;
  }
  if (StartsWith(item, "вод") && !StartsWith(item, "водн") && !StartsWith(item, "водо")) {
    return Noun::Water;
  }
  if (StartsWith(item, "чист")) {
    return Noun::Pure;
  }
  if (StartsWith(item, "есенци") || StartsWith(item, "концентрат")) {
    return Noun::Concentrate;
  }
  if (StartsWith(item, "пресн") || StartsWith(item, "свеж")) {
    return Noun::Fresh;
  }
  if (StartsWith(item, "сушен") || StartsWith(item, "изсушен")) {
    return Noun::Dried;
  }
  if (IsSolutionWord(item)) {
    return Noun::Solution;
  }
  if (StartsWith(item, SubstanceStem(context))) {
    return Noun::Substance;
  }
  return Noun::None;
}

int Priority(Noun noun) {
  constexpr std::array<int, 8> ByNoun = {0, 6, 3, 1, 4, 7, 5, 5};
  return ByNoun[static_cast<std::size_t>(noun)];
}

constexpr std::array<std::string_view, 7> ClauseEnds = {".", "?", "!", ";", ",", ":", "("};
constexpr std::array<std::string_view, 4> Joins = {"и", "или", "а", "но"};

bool EndsPhrase(const Item& item) {
  return item.type == ItemType::Number ||
         (item.type == ItemType::Mark &&
          std::find(ClauseEnds.begin(), ClauseEnds.end(), item.text) != ClauseEnds.end()) ||
         IsAnyWord(item, Joins);
}

int OrdinalOf(const Item& item) {
  if (StartsWith(item, "първ")) {
    return 1;
  }
  return StartsWith(item, "втор") || StartsWith(item, "друг") ? 2 : 0;
}

// What a phrase from `at` names: the weightiest noun among its first few words, and where it is.
struct Named {
  Noun noun = Noun::None;
  std::size_t at = 0;
  int ordinal = 0;
};

constexpr std::size_t PhraseWords = 4;

// Prepositions that begin another phrase: "50 г сол във вода".
constexpr std::array<std::string_view, 9> Prepositions = {"в",  "във", "към", "с",  "със",
                                                          "за", "до",  "на",  "при"};

// The noun is the first one named, or the one right after it where that weighs more: "солен
// разтвор", "оцетна есенция".
Named NamedFrom(const Items& items, std::size_t at, Context context) {
  Named named{Noun::None, at, 0};
  for (std::size_t i = at; i < items.size() && i < at + PhraseWords && !EndsPhrase(items[i]) &&
                           !IsAnyWord(items[i], Prepositions);
       ++i) {
    named.ordinal = std::max(named.ordinal, OrdinalOf(items[i]));
    // "плодов сок" is what a drink holds; "морска вода" is a solution of salt.
    const bool juice = i > at && StartsWith(items[i - 1], "плодов");
    const Noun noun = juice ? Noun::Substance : NounOf(items[i], context);
    if (StartsWith(items[i], "морск")) {
      return {Noun::Solution, i, named.ordinal};
    }
    if (Priority(noun) > Priority(named.noun)) {
      named.noun = noun;
      named.at = i;
    } else if (named.noun != Noun::None) {
      break;
    }
  }
  return named;
}

// ---------------------------------------------------------------- the context

bool IsMetal(Context context) {
  return context == Context::Copper || context == Context::Tin || context == Context::Silver ||
         context == Context::Gold;
}

// Which substance the text is about; `several` where it names two that are no alloy's metals:
// a solution of salt and one of sugar make no problem of the school's.
Context ContextOf(const Items& items, bool& found, bool& several) {
  std::array<int, ContextCount> counts{};
  for (const Item& item : items) {
    for (std::size_t c = 0; c < ContextCount; ++c) {
      for (const std::string_view stem : Marks()[c]) {
        counts[c] += StartsWith(item, stem) ? 1 : 0;
      }
    }
  }
  const auto best = std::max_element(counts.begin(), counts.end());
  several = false;
  for (std::size_t c = 0; c < ContextCount; ++c) {
    const auto b = static_cast<std::size_t>(best - counts.begin());
    several =
        several || (c != b && counts[c] > 0 && !(IsMetal(Contexts[c]) && IsMetal(Contexts[b])));
  }
  // "30% разтвор" of no substance named is read as salt's, the solution school starts with.
  found = *best > 0 || std::any_of(items.begin(), items.end(), [](const Item& item) {
    return IsSolutionWord(item) && StartsWith(item, "разтвор");
  });
  return Contexts[static_cast<std::size_t>(best - counts.begin())];
}

// ---------------------------------------------------------------- numbers not of the problem

constexpr std::string_view ProblemNumber = "номерът на задачата";
constexpr std::string_view Points = "точките на задачата";
constexpr std::string_view Year = "годината";
constexpr std::string_view PrintedAnswer = "отговорът в учебника";
constexpr std::string_view OptionNumber = "отговор за избор";
constexpr std::string_view CountNumber = "брой, не количество";

struct Asides {
  std::vector<std::string_view> of;  // by item; empty for a number of the problem
  std::size_t end = 0;               // the problem's own items end here: options or an answer
};

bool IsLabel(const Items& items, std::size_t i) {
  constexpr std::array<std::string_view, 8> Letters = {"а", "б", "в", "г", "a", "b", "c", "d"};
  return i + 1 < items.size() && IsAnyWord(items[i], Letters) &&
         (IsMark(items[i + 1], ")") || (IsMark(items[i + 1], ".") && items[i].lineStart));
}

bool IsOptionLabel(const Items& items, std::size_t i) {
  return IsLabel(items, i) && items[i].capital;
}

bool IsWhole(const Decimal& value) {
  return value.places <= 0;
}

std::int64_t WholeValue(const Decimal& value) {
  std::int64_t whole = value.digits;
  for (std::int32_t p = value.places; p < 0; ++p) {
    whole *= 10;
  }
  return whole;
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
  return value >= 1900 && value <= 2100 && (dated || named);
}

bool IsPoints(const Items& items, std::size_t i) {
  if (i == 0 || i + 1 >= items.size() || !IsMark(items[i - 1], "(")) {
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
  return (tonnes || named) && close < items.size() && IsMark(items[close], ")");
}

bool IsProblemNumber(const Items& items, std::size_t i) {
  if (items[i].amount && items[i].amount->unit) {
    return false;
  }
  const bool named = i > 0 && (StartsWith(items[i - 1], "задач") || IsMark(items[i - 1], "№"));
  const bool leading =
      i == 0 && i + 1 < items.size() && (IsMark(items[i + 1], ".") || IsMark(items[i + 1], ")"));
  return named || leading;
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
      asides.of[i] = ProblemNumber;
    } else if (IsPoints(items, i)) {
      asides.of[i] = Points;
    } else if (IsYear(items, i)) {
      asides.of[i] = Year;
    }
  }
  return asides;
}

// ---------------------------------------------------------------- the parts

constexpr std::array<std::string_view, 10> ResultStems = {
    "получ", "стан", "приготв", "намал", "увелич", "направ", "образув", "нов", "дава", "струв"};
constexpr std::array<std::string_view, 8> Sources = {"от", "към", "в",  "във",
                                                     "с",  "със", "на", "из"};

// Whether what the text names from `begin` on is what is obtained: "получиха 500 г", "за да
// стане процентното съдържание 8%", "до 8%", "за 200 г разтвор", but not "от 50 кг пресни".
bool IsResult(const Items& items, std::size_t begin) {
  for (std::size_t back = 1; back <= 8 && back <= begin; ++back) {
    const Item& item = items[begin - back];
    if (EndsPhrase(item) && !IsWord(item, "и")) {
      return false;
    }
    if (back == 1 && (IsWord(item, "до") || IsWord(item, "за"))) {
      return true;
    }
    // "намаля на 12%", "се увеличила от 8% на 10%".
    const bool reached = IsWord(item, "на") && back < begin &&
                         (StartsWithAny(items[begin - back - 1], ResultStems) ||
                          (back + 1 < begin && IsPercent(items[begin - back - 1]) &&
                           IsWord(items[begin - back - 2], "от")));
    if (back == 1 && IsAnyWord(item, Sources)) {
      return reached;
    }
    if (StartsWithAny(item, ResultStems)) {
      return true;
    }
  }
  return false;
}

// What a percentage is called: "процентното съдържание", "концентрацията", "маслеността",
// "плодовото съдържание".
bool MeansPercent(const Item& item) {
  return StartsWith(item, "процент") || StartsWith(item, "концентрац") ||
         StartsWith(item, "масленост") || StartsWith(item, "съдържани") ||
         StartsWith(item, "цена") || StartsWith(item, "струва") || IsWord(item, "евро") ||
         IsWord(item, "лева");
}

// "с масленост 3%", "с 30% плодово съдържание", "с проба 585": words about a percentage.
bool IsAboutPercent(const Item& item) {
  return MeansPercent(item) || StartsWith(item, "плодов") || StartsWith(item, "проб");
}

class Grouper {
 public:
  Grouper(const Items& items, const Asides& asides, Context context, bool byPrice)
      : items_(items), asides_(asides), context_(context), byPrice_(byPrice), used_(items.size()) {}

  std::vector<Group> Groups() {
    for (std::size_t i = 0; i < asides_.end; ++i) {
      if (used_[i] || !IsOwnNumber(i)) {
        continue;
      }
      if (IsMass(items_[i])) {
        FromMass(i);
      } else if (IsPercent(items_[i])) {
        FromPercent(i);
      }
    }
    for (Group& group : groups_) {
      group.result = group.noun == Noun::Dried || IsResult(items_, group.begin);
    }
    return groups_;
  }

  const std::vector<bool>& Used() const { return used_; }

 private:
  bool IsOwnNumber(std::size_t i) const { return asides_.of[i].empty(); }

  // "400 г 10% разтвор на сол", "40 кг сплав с 20% мед", "200 г от 10%-ния разтвор", "50 г сол".
  void FromMass(std::size_t i) {
    Group group;
    group.mass = i;
    group.begin = i;
    used_[i] = true;
    std::size_t next = i + 1;
    // "200 г от 10% разтвор", "250 гр. 12% разтвор".
    if (next + 1 < items_.size() && (IsWord(items_[next], "от") || IsMark(items_[next], ".")) &&
        IsPercent(items_[next + 1])) {
      ++next;
    }
    if (next < asides_.end && IsPercent(items_[next])) {
      group.percent = next;
      used_[next] = true;
      ++next;
    }
    Named named = NamedFrom(items_, next, context_);
    // "Разтвор от 300 г", "Сплав от 3 кг": the noun before the mass.
    if (named.noun == Noun::None && i > 1 && IsWord(items_[i - 1], "от") &&
        IsSolutionWord(items_[i - 2])) {
      named = {Noun::Solution, i - 2, 0};
    }
    // "200 г 40% спирт" is a solution of it, not the substance.
    group.noun = group.percent && named.noun == Noun::Substance ? Noun::Solution : named.noun;
    if (named.noun != Noun::None) {
      group.named = named.at;
    }
    group.ordinal = named.ordinal;
    MarkUsed(next, named);
    if (named.noun != Noun::None) {
      TakeContent(group, named.at + 1);
    }
    // "15 г злато с проба 750" is an alloy of it, not the pure metal.
    if (group.percent && group.noun == Noun::Substance) {
      group.noun = Noun::Solution;
    }
    if (byPrice_) {
      TakePrice(group, next);
    }
    groups_.push_back(group);
  }

  // "5 кг бонбони по 9 € за килограм", "30 кг смес по 28 лв.": the goods, and their price.
  void TakePrice(Group& group, std::size_t at) {
    std::size_t by = at;
    while (by < asides_.end && by < at + 3 && IsCyrillicWord(items_[by]) &&
           !IsWord(items_[by], "по")) {
      ++by;
    }
    if (group.noun == Noun::None && by > at) {
      group.noun = Noun::Solution;  // goods are named in words of their own
      group.ordinal = std::max(group.ordinal, NamedFrom(items_, at, context_).ordinal);
    }
    if (!group.percent && by + 1 < asides_.end && IsWord(items_[by], "по") &&
        IsPercent(items_[by + 1]) && !used_[by + 1]) {
      group.percent = by + 1;
      used_[by + 1] = true;
    }
  }

  // "с 20% мед", "със 75% злато", "съдържащ 10% сол": a percentage after the noun it measures.
  void TakeContent(Group& group, std::size_t at) {
    // "40 кг сплав, съдържаща 20% мед", "2,5 кг сплав, която съдържа 64% мед".
    if (at + 1 < asides_.end && IsMark(items_[at], ",")) {
      const bool which = StartsWith(items_[at + 1], "коя") || StartsWith(items_[at + 1], "кой");
      const std::size_t verb = which ? at + 2 : at + 1;
      if (verb < asides_.end && StartsWith(items_[verb], "съдърж")) {
        at = verb;
      }
    }
    if (group.percent || at + 1 >= asides_.end) {
      return;
    }
    const bool with =
        IsWord(items_[at], "с") || IsWord(items_[at], "със") || StartsWith(items_[at], "съдърж");
    std::size_t percent = at + 1;
    while (percent < asides_.end && percent < at + 3 && IsAboutPercent(items_[percent])) {
      ++percent;
    }
    if (with && percent < asides_.end && IsPercent(items_[percent]) && !used_[percent]) {
      group.percent = percent;
      for (std::size_t i = at; i <= percent; ++i) {
        used_[i] = true;
      }
      MarkUsed(percent + 1, NamedFrom(items_, percent + 1, context_));
    }
  }

  void MarkUsed(std::size_t from, const Named& named) {
    if (named.noun != Noun::None) {
      for (std::size_t j = from; j <= named.at; ++j) {
        used_[j] = true;
      }
    }
  }

  void FromPercent(std::size_t i) {
    used_[i] = true;
    const Named after = NamedFrom(items_, i + 1, context_);
    const bool content = i + 1 < items_.size() && IsAboutPercent(items_[i + 1]);
    const bool names =
        !content && (after.noun == Noun::Solution || after.noun == Noun::Concentrate ||
                     after.noun == Noun::Fresh || after.noun == Noun::Dried);
    if (names) {
      Group group;
      group.percent = i;
      group.begin = i;
      group.noun = after.noun;
      group.named = after.at;
      group.ordinal = after.ordinal;
      MarkUsed(i + 1, after);
      TakeContent(group, after.at + 1);
      groups_.push_back(group);
      return;
    }
    MarkUsed(i + 1, after);
    // It measures what was named just before it: "сплав с 20% мед", "сушените – 12%".
    const std::optional<std::size_t> before = NounBefore(i);
    Group group;
    group.percent = i;
    group.begin = i;
    if (before) {
      const Noun noun = NounOf(items_[*before], context_);
      group.noun = noun == Noun::None ? Noun::Solution : noun;
      group.named = *before;
      group.begin = *before;
      for (std::size_t b = *before; b > 0 && b + 2 > *before && OrdinalOf(items_[b - 1]) != 0;
           --b) {
        group.ordinal = OrdinalOf(items_[b - 1]);
        group.begin = b - 1;
      }
      group.ordinal = std::max(group.ordinal, OrdinalOf(items_[*before]));
    }
    groups_.push_back(group);
  }

  std::optional<std::size_t> NounBefore(std::size_t i) const {
    for (std::size_t back = 1; back <= 4 && back <= i; ++back) {
      const Item& item = items_[i - back];
      const bool with = IsWord(item, "с") || IsWord(item, "със");
      if (item.type == ItemType::Number || (EndsPhrase(item) && !IsMark(item, "-")) ||
          (IsAnyWord(item, Prepositions) && !with)) {
        return std::nullopt;
      }
      const Noun noun = NounOf(item, context_);
      if (noun == Noun::Solution || noun == Noun::Concentrate || noun == Noun::Fresh ||
          noun == Noun::Dried || OrdinalOf(item) != 0) {
        return i - back;
      }
    }
    return std::nullopt;
  }

  const Items& items_;
  const Asides& asides_;
  Context context_;
  bool byPrice_;
  std::vector<bool> used_;
  std::vector<Group> groups_;
};

}  // namespace

namespace {

// ---------------------------------------------------------------- the parts, placed

// A part of the problem with its numbers, by the grid's columns: the first part, the second or
// the mixture.
struct Placed {
  Noun noun = Noun::None;
  std::optional<std::size_t> mass;
  std::optional<std::size_t> percent;
  std::size_t begin = 0;
  int ordinal = 0;
  std::optional<std::size_t> named = {};
};

struct Parts {
  std::vector<Placed> parts;  // before they are ordered: one, two, or too many
  Placed mixture;
  bool conflict = false;  // two different numbers for one quantity
};

// Two mentions of one part become one: "Пресните гъби съдържат 90% вода … 50 кг пресни".
bool Merge(Placed& into, const Group& group) {
  if ((into.mass && group.mass) || (into.percent && group.percent)) {
    return false;
  }
  into.mass = into.mass ? into.mass : group.mass;
  into.percent = into.percent ? into.percent : group.percent;
  into.noun = Priority(group.noun) > Priority(into.noun) ? group.noun : into.noun;
  return true;
}

Placed PlacedOf(const Group& group) {
  return {group.noun, group.mass, group.percent, group.begin, group.ordinal, group.named};
}

bool IsAddedThing(Noun noun) {
  return noun == Noun::Water || noun == Noun::Pure || noun == Noun::Substance;
}

std::size_t LastNumberOf(const Placed& part) {
  return std::max(part.mass.value_or(0), part.percent.value_or(0));
}

// "Сплав … тежи 12 кг и съдържа 45% мед", "сплав от 3 кг с 20% калай": a mass and a percentage
// of one part with nothing but such words between them.
bool AreOnePart(const Items& items, const Placed& part, const Group& group) {
  const bool halves = (part.mass && !part.percent && group.percent && !group.mass) ||
                      (part.percent && !part.mass && group.mass && !group.percent);
  const std::size_t from = LastNumberOf(part) + 1;
  const std::size_t to = std::max(group.mass.value_or(0), group.percent.value_or(0));
  if (!halves || to < from || to - from > 4) {
    return false;
  }
  constexpr std::array<std::string_view, 9> Linking = {"и", "с",     "със",   "тежи", "има",
                                                       "е", "който", "която", "което"};
  for (std::size_t i = from; i < to; ++i) {
    const Item& item = items[i];
    // "2 кг разтвор има 10% сол": the noun the percentage goes back to may stand between.
    const bool links = IsAnyWord(item, Linking) || StartsWith(item, "съдърж") ||
                       IsMark(item, ",") || IsMark(item, "-") || IsAboutPercent(item) ||
                       group.named == i;
    if (!links) {
      return false;
    }
  }
  return true;
}

Parts PartsOf(const std::vector<Group>& groups, const Items& items) {
  Parts parts;
  for (const Group& group : groups) {
    if (group.result) {
      parts.conflict = parts.conflict || !Merge(parts.mixture, group);
      continue;
    }
    if (!parts.parts.empty() && AreOnePart(items, parts.parts.back(), group)) {
      Merge(parts.parts.back(), group);
      continue;
    }
    const auto same = std::find_if(parts.parts.begin(), parts.parts.end(), [&](const Placed& p) {
      const bool sameNoun =
          p.noun == group.noun && (group.noun == Noun::Fresh || group.noun == Noun::Concentrate);
      const bool sameOrdinal = p.ordinal != 0 && p.ordinal == group.ordinal;
      // "Морската вода съдържа 4% сол … 5 т морска вода": a solution named by its own word.
      const bool sameWord = p.named && group.named && StartsWith(items[*p.named], "морск") &&
                            StartsWith(items[*group.named], "морск");
      return sameNoun || sameOrdinal || sameWord;
    });
    if (same == parts.parts.end() || !Merge(*same, group)) {
      parts.parts.push_back(PlacedOf(group));
    }
  }
  return parts;
}

// Parts the text names without a number, the water poured in and the pure substance added, and
// what happens to them.
struct Mentions {
  bool water = false;
  bool pure = false;
  bool evaporates = false;  // "изпарява", "изпари", "изварява", "сушат"
  bool dissolves = false;   // "разтвориха", "разтваря"
};

bool IsDissolvingVerb(const Item& item) {
  return (StartsWith(item, "разтвор") || StartsWith(item, "разтвар")) && !IsSolutionWord(item) &&
         !StartsWith(item, "разтворен");
}

bool IsCountWord(const Item& item) {
  std::string probe = "1 " + item.text;
  std::string_view rest = probe;
  const std::optional<PupilAnswer> amount = TakeAmount(rest);
  return item.type == ItemType::Word && amount && amount->unit && rest.empty();
}

Mentions MentionsOf(const Items& items, const std::vector<bool>& used, std::size_t end,
                    Context context) {
  Mentions mentions;
  for (std::size_t i = 0; i < end; ++i) {
    const Item& item = items[i];
    mentions.evaporates = mentions.evaporates || StartsWith(item, "изпар") ||
                          StartsWith(item, "извар") || StartsWith(item, "изсуш") ||
                          StartsWith(item, "суш") || StartsWith(item, "изпаря");
    mentions.dissolves = mentions.dissolves || IsDissolvingVerb(item);
    if (used[i]) {
      continue;
    }
    const Noun noun = NounOf(item, context);
    // "Колко грама сол има в новия разтвор?" asks what is in a part, and adds none.
    const bool within =
        i + 1 < end && (IsWord(items[i + 1], "има") || StartsWith(items[i + 1], "съдърж"));
    const bool afterCount =
        !within && ((i > 1 && IsCountWord(items[i - 1]) && !MeansPercent(items[i - 1]) &&
                     IsWord(items[i - 2], "колко")) ||
                    (i > 0 && IsWord(items[i - 1], "колко")));
    const bool afterVerb =
        i > 0 && (IsDissolvingVerb(items[i - 1]) || StartsWith(items[i - 1], "добав"));
    // "съдържанието на вода" of produce is its water share, no part.
    const bool share = i > 0 && IsWord(items[i - 1], "на");
    mentions.water = mentions.water || (noun == Noun::Water && !share);
    mentions.pure = mentions.pure || noun == Noun::Pure ||
                    (noun == Noun::Substance && (afterCount || afterVerb));
  }
  return mentions;
}

// ---------------------------------------------------------------- what is asked

enum class Who : std::uint8_t {
  Unknown,
  Water,
  Pure,
  Concentrate,
  First,
  Second,
  Mixture,
  ByPercent,
  Same,
  Each,      // "от всеки разтвор": the first and the second
  Vessel,    // "в съда": what was there, or else what is there now
  Solution,  // "разтворът": the one solution of a problem whose parts are none
};

struct Target {
  bool percent = false;
  bool ratio = false;
  Who who = Who::Unknown;
  std::optional<std::size_t> percentItem;
  std::optional<WrittenUnit> unit;
  bool difference = false;  // "С колко килограма втората е по-лека?": a step after
  // "Колко грама сол има в новия разтвор?": the part whose substance is asked, where no part is
  // the pure substance.
  Who within = Who::Unknown;
};

constexpr std::array<std::string_view, 8> Commands = {"намерете",  "определете", "пресметнете",
                                                      "изчислете", "намери",     "определи",
                                                      "пресметни", "изчисли"};
constexpr std::array<std::string_view, 3> WhichWords = {"какъв", "каква", "какво"};

bool IsQuestionStart(const Item& item) {
  return IsWord(item, "колко") || IsAnyWord(item, WhichWords) || IsAnyWord(item, Commands);
}

// Who a question's words point at, from `at` to the next question word.
// A vessel a problem starts in: "Колко грама разтвор има в съда?" asks for what was there.
constexpr std::array<std::string_view, 4> Vessels = {"съда", "каната", "колбата", "бутилката"};
constexpr std::array<std::string_view, 4> WasWords = {"бил", "била", "било", "били"};

Who WhoFrom(const Items& items, std::size_t at, std::size_t end, bool percent, Context context,
            std::optional<std::size_t>& percentItem) {
  Who named = Who::Unknown;
  for (std::size_t i = at; i < end && !IsQuestionStart(items[i]); ++i) {
    const Item& item = items[i];
    if (IsPercent(item) && !percent) {
      percentItem = i;
      return Who::ByPercent;
    }
    const Noun noun = NounOf(item, context);
    if (!percent && noun == Noun::Water) {
      return Who::Water;
    }
    if (!percent && (noun == Noun::Pure || noun == Noun::Substance)) {
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
    if (IsWord(item, "той") || IsWord(item, "тя") || IsWord(item, "то") || IsWord(item, "те")) {
      return Who::Same;
    }
  }
  return named;
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

std::vector<Target> TargetsOf(const Items& items, std::size_t begin, std::size_t end,
                              Context context) {
  std::vector<Target> targets;
  for (std::size_t i = begin; i < end; ++i) {
    if (!IsQuestionStart(items[i])) {
      continue;
    }
    Target target;
    std::size_t at = i + 1;
    if (i > 0 && IsWord(items[i - 1], "с") && IsWord(items[i], "колко") && at < end &&
        UnitWord(items[at]) && UnitWord(items[at]) != WrittenUnit::Percent) {
      target.difference = true;
      target.unit = UnitWord(items[at]);
      targets.push_back(target);
      continue;
    }
    if (at < end && IsWord(items[i], "колко") && IsMark(items[at], "%")) {
      target.unit = WrittenUnit::Percent;
      target.percent = true;
      ++at;
    } else if (at < end && IsWord(items[i], "колко") && UnitWord(items[at])) {
      target.unit = UnitWord(items[at]);
      target.percent = target.unit == WrittenUnit::Percent;
      ++at;
    } else if (at < end && IsWord(items[i], "колко") && IsWord(items[at], "от") &&
               !targets.empty()) {
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
      }
      if (!known) {
        continue;
      }
    }
    target.who = WhoFrom(items, at, end, target.percent, context, target.percentItem);
    if (target.who == Who::Pure && !target.percent) {
      std::optional<std::size_t> none;
      std::size_t after = at;
      while (after < end && NounOf(items[after], context) != Noun::Substance &&
             NounOf(items[after], context) != Noun::Pure) {
        ++after;
      }
      target.within = WhoFrom(items, after + 1, end, true, context, none);
    }
    if (target.who == Who::Same && !targets.empty()) {
      target.who = targets.back().who;
    }
    if (target.who == Who::Each) {
      target.who = Who::First;
      targets.push_back(target);
      target.who = Who::Second;
    }
    targets.push_back(target);
  }
  return targets;
}

// The question: the sentences that end with "?" or begin with a question word or a command.
std::vector<std::pair<std::size_t, std::size_t>> QuestionsOf(const Items& items, std::size_t end) {
  std::vector<std::pair<std::size_t, std::size_t>> questions;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= end; ++i) {
    const bool stop = i == end || IsMark(items[i], "?") || IsMark(items[i], "!") ||
                      (IsMark(items[i], ".") && !(i > 0 && IsWord(items[i - 1], "гр")));
    if (!stop) {
      continue;
    }
    const bool asks = (i < end && IsMark(items[i], "?")) ||
                      std::any_of(items.begin() + static_cast<std::ptrdiff_t>(start),
                                  items.begin() + static_cast<std::ptrdiff_t>(i), IsQuestionStart);
    if (asks && i > start) {
      questions.emplace_back(start, i);
    }
    start = i + 1;
  }
  return questions;
}

}  // namespace

namespace {

// ---------------------------------------------------------------- numbers and units

// A decimal as a fraction: 12,5 is 125 : 10.
Fraction FractionOf(const Decimal& value) {
  Fraction::Int scale = 1;
  for (std::int32_t p = 0; p < std::abs(value.places); ++p) {
    scale *= 10;
  }
  return value.places >= 0 ? Fraction::Of(value.digits, scale)
                           : Fraction(value.digits) * Fraction::Of(scale, 1);
}

// What a unit is worth in grams, in litres or in per cent.
struct UnitSize {
  bool volume;
  Fraction size;
};

UnitSize SizeOf(WrittenUnit unit) {
  switch (unit) {
    case WrittenUnit::Gram:
      return {false, 1};
    case WrittenUnit::Kilogram:
      return {false, 1000};
    case WrittenUnit::Tonne:
      return {false, 1000000};
    case WrittenUnit::Millilitre:
      return {true, Fraction::Of(1, 1000)};
    case WrittenUnit::Litre:
      return {true, 1};
    case WrittenUnit::Percent:
      return {false, 1};
  }
  throw std::invalid_argument("no such unit");
}

WrittenUnit WrittenOf(Unit unit) {
  constexpr std::array<WrittenUnit, 4> ByUnit = {WrittenUnit::Gram, WrittenUnit::Kilogram,
                                                 WrittenUnit::Litre, WrittenUnit::Percent};
  return ByUnit[static_cast<std::size_t>(unit)];
}

// A mass in another unit of its measure; water's litres are kilograms. None across measures.
std::optional<Fraction> Converted(Fraction value, WrittenUnit from, WrittenUnit to, bool water) {
  UnitSize source = SizeOf(from);
  UnitSize target = SizeOf(to);
  if (source.volume != target.volume) {
    if (!water) {
      return std::nullopt;
    }
    // A litre of water is a kilogram.
    source = {false, source.volume ? source.size * 1000 : source.size};
    target = {false, target.volume ? target.size * 1000 : target.size};
  }
  return value * source.size / target.size;
}

std::optional<Tenths> TenthsOf(const Fraction& value) {
  const Fraction tenths = value * 10;
  if (!tenths.IsWhole() || tenths.Numerator() > INT64_MAX || tenths.Numerator() < -INT64_MAX) {
    return std::nullopt;
  }
  return Tenths{static_cast<std::int64_t>(tenths.Numerator())};
}

// ---------------------------------------------------------------- solving

// The two results of a variant from its four givens, exactly, by the two balances
// w1 + w2 = wm and w1 · p1 + w2 · p2 = wm · pm.
std::array<Fraction, ColumnCount> Solved(VariantIndex variant,
                                         std::array<Fraction, ColumnCount> v) {
  Fraction& p1 = v[Percent1];
  Fraction& w1 = v[Weight1];
  Fraction& p2 = v[Percent2];
  Fraction& w2 = v[Weight2];
  Fraction& pm = v[MixPercent];
  Fraction& wm = v[MixWeight];
  switch (variant) {
    case 0:
      wm = w1 + w2;
      pm = (w1 * p1 + w2 * p2) / wm;
      break;
    case 1:
      w2 = w1 * (p1 - pm) / (pm - p2);
      wm = w1 + w2;
      break;
    case 2:
      w2 = wm - w1;
      pm = (w1 * p1 + w2 * p2) / wm;
      break;
    case 3:
      wm = w1 + w2;
      p2 = (wm * pm - w1 * p1) / w2;
      break;
    case 4:
      w1 = w2 * (pm - p2) / (p1 - pm);
      wm = w1 + w2;
      break;
    case 5:
      w2 = wm - w1;
      p2 = (wm * pm - w1 * p1) / w2;
      break;
    default:
      w1 = wm * (pm - p2) / (p1 - p2);
      w2 = wm - w1;
      break;
  }
  return v;
}

bool IsBetween(const Fraction& value, const Fraction& a, const Fraction& b) {
  return (a < value && value < b) || (b < value && value < a);
}

// A real mixture: percentages from 0 to 100, the mixture strictly between its parts, masses
// above zero, but for water that leaves.
bool IsReal(const std::array<Fraction, ColumnCount>& v, bool leaves, bool byPrice) {
  for (const Column column : {Percent1, Percent2, MixPercent}) {
    if (v[column] < 0 || (v[column] > 100 && !byPrice)) {
      return false;
    }
  }
  const bool masses =
      v[Weight1] > 0 && v[MixWeight] > 0 && (leaves ? v[Weight2] < 0 : v[Weight2] > 0);
  const bool between =
      leaves ? v[MixPercent] > v[Percent1] : IsBetween(v[MixPercent], v[Percent1], v[Percent2]);
  return masses && between;
}

// ---------------------------------------------------------------- the shape

Ingredient IngredientOf(Noun noun) {
  switch (noun) {
    case Noun::Water:
      return Ingredient::Water;
    case Noun::Pure:
    case Noun::Substance:
      return Ingredient::PureSubstance;
    case Noun::Concentrate:
      return Ingredient::Concentrate;
    case Noun::Fresh:
      return Ingredient::Fresh;
    default:
      return Ingredient::Solution;
  }
}

// The kind of this variant and these parts: the context's own where it has one, else any that
// has them, else the variant's first.
std::optional<Kind> KindOf(VariantIndex variant, Context context, Recipe recipe, bool leaves,
                           Asked asked) {
  std::optional<Kind> fallback;
  for (const Kind kind : Kinds) {
    if (VariantOfKind(kind) != variant || LeavesWater(kind) != leaves || AskedOf(kind) != asked) {
      continue;
    }
    for (const Context other : {context}) {
      const std::optional<Recipe> own = RecipeOf(other, kind);
      if (own && own->first == recipe.first && own->second == recipe.second) {
        return kind;
      }
    }
    for (const Context other : Contexts) {
      const std::optional<Recipe> any = RecipeOf(other, kind);
      if (any && any->first == recipe.first && any->second == recipe.second && !fallback) {
        fallback = kind;
      }
    }
  }
  if (fallback) {
    return fallback;
  }
  // Water that leaves, whatever else is given: "От 500 г 10% разтвор се изпаряват 100 г вода".
  for (const Kind kind : Kinds) {
    const std::optional<Recipe> own = RecipeOf(context, kind);
    if (leaves && LeavesWater(kind) && own && own->first == recipe.first &&
        own->second == recipe.second) {
      return kind;
    }
  }
  for (const Kind kind : Kinds) {
    if (VariantOfKind(kind) == variant && !LeavesWater(kind) && !leaves && AskedOf(kind) == asked) {
      return kind;
    }
  }
  return std::nullopt;
}

}  // namespace

namespace {

// ---------------------------------------------------------------- the reading

constexpr std::array<std::string_view, 8> MixingStems = {"смеси", "смесв", "смесят", "смесим",
                                                         "добав", "дол",   "стоп",   "прибав"};

constexpr std::array<Column, 3> PercentColumns = {Percent1, Percent2, MixPercent};
constexpr std::array<Column, 3> MassColumns = {Weight1, Weight2, MixWeight};

// "масата на втората съставка", for what a MissingNumber misses.
std::string QuantityName(Column column) {
  const bool percent = column == Percent1 || column == Percent2 || column == MixPercent;
  return std::string(percent ? "процентът на " : "масата на ") +
         std::string(Texts::PartName(PartOf(column)));
}
// A ratio's three percentages, and for masses its terms as whole numbers in lowest terms: a
// mixture of the grid's choosing.
std::array<Fraction, ColumnCount> RatioValues(Fraction p1, Fraction p2, Fraction pm) {
  const Fraction quotient = (pm - p2) / (p1 - pm);
  std::array<Fraction, ColumnCount> exact{};
  exact[Percent1] = p1;
  exact[Percent2] = p2;
  exact[MixPercent] = pm;
  exact[Weight1] = Fraction::Of(quotient.Numerator(), 1);
  exact[Weight2] = Fraction::Of(quotient.Denominator(), 1);
  exact[MixWeight] = exact[Weight1] + exact[Weight2];
  return exact;
}

// What a reading settles of its problem besides the numbers.
struct Shape {
  Kind kind;
  Context context;
  VariantIndex variant;
  Recipe recipe;
  Unit unit;
  std::vector<Column> sought;
  Asked asked;
};

// The problem of this shape and these exact values; none where a given is no whole number of
// tenths. A result that is not one is left at 0: the answers hold it exactly.
std::optional<Problem> ProblemOf(const Shape& shape,
                                 const std::array<Fraction, ColumnCount>& exact) {
  Problem problem;
  problem.kind = shape.kind;
  problem.level = LevelOfKind(shape.kind);
  problem.context = shape.context;
  problem.variant = shape.variant;
  problem.first = shape.recipe.first;
  problem.second = shape.recipe.second;
  problem.unit = shape.unit;
  problem.sought = shape.sought;
  problem.asked = shape.asked;
  for (const Column column : AllColumns) {
    const std::optional<Tenths> tenths = TenthsOf(exact[column]);
    if (!tenths && problem.IsGiven(column)) {
      return std::nullopt;
    }
    problem.values[column] = tenths.value_or(Tenths{});
  }
  return problem;
}

// The answers as the question asks them: the water that left as an amount, produce's percentage
// of its water, a mass in the unit the question counts it in.
std::vector<Amount> AnswersOf(const Problem& problem,
                              const std::array<Fraction, ColumnCount>& exact,
                              const std::vector<std::optional<WrittenUnit>>& units) {
  std::vector<Amount> answers;
  if (problem.asked == Asked::Ratio) {
    return answers;
  }
  for (std::size_t i = 0; i < problem.sought.size(); ++i) {
    const Column column = problem.sought[i];
    Fraction value = exact[column];
    if (UnitOf(problem, column) == Unit::Percent) {
      if (StatedShareOf(problem.context) == StatedShare::Water) {
        value = Fraction(100) - value;
      }
      answers.push_back({value, WrittenUnit::Percent});
      continue;
    }
    if (column == Weight2 && LeavesWater(problem.kind)) {
      value = -value;
    }
    const WrittenUnit own = WrittenOf(problem.unit);
    const std::optional<WrittenUnit> asked =
        i < units.size() && units[i] != WrittenUnit::Percent ? units[i] : std::nullopt;
    const std::optional<Fraction> converted = Converted(value, own, asked.value_or(own), true);
    answers.push_back({converted.value_or(value), converted ? asked.value_or(own) : own});
  }
  return answers;
}

// The option equal to the answer, or to it rounded to the option's places.
std::optional<std::size_t> RightOption(const std::vector<Amount>& answers,
                                       const std::vector<Option>& options) {
  if (answers.size() != 1) {
    return std::nullopt;
  }
  const Amount& answer = answers.front();
  for (std::size_t i = 0; i < options.size(); ++i) {
    const std::optional<PupilAnswer>& amount = options[i].amount;
    if (!amount) {
      continue;
    }
    const WrittenUnit unit = amount->unit.value_or(answer.unit);
    const std::optional<Fraction> value =
        Converted(FractionOf(amount->value), unit, answer.unit, true);
    if (!value || (unit == WrittenUnit::Percent) != (answer.unit == WrittenUnit::Percent)) {
      continue;
    }
    const Fraction error = *value - answer.value;
    const Fraction allowed = FractionOf(Decimal::Of(5, std::max(amount->value.places, 0) + 1));
    const bool equal = error == 0 || (!answer.value.IsWhole() && error < allowed &&
                                      Fraction(0) - error <= allowed);
    if (equal) {
      return i;
    }
  }
  return std::nullopt;
}

class Reader {
 public:
  explicit Reader(std::string_view text)
      : text_(text), items_(ItemsOf(text)), asides_(AsidesOf(items_)) {}

  Reading Read() {
    ShareUnits();
    asides_ = AsidesOf(items_);
    ReadOptions();
    const std::vector<std::size_t> labels = SubQuestionLabels();
    if (labels.size() > 1) {
      ReadSubQuestions(labels);
    } else {
      Understand();
    }
    WriteNumbers();
    return std::move(reading_);
  }

 private:
  // "200 и 300 г", "30 и 40% разтвор": a number takes the unit of the next where they are listed.
  void ShareUnits() {
    const bool byPrice = IsByPrice();
    for (std::size_t i = items_.size(); i-- > 0;) {
      Item& item = items_[i];
      const std::string_view currency = i + 1 < items_.size() ? CurrencyOf(items_[i + 1]) : "";
      if (byPrice && item.type == ItemType::Number && item.amount && !item.amount->unit &&
          !currency.empty()) {
        item.amount->unit = WrittenUnit::Percent;
        reading_.currency = currency;
        continue;
      }
      // A hallmark: "злато с проба 585" holds 58,5% gold.
      if (item.type == ItemType::Number && item.amount && !item.amount->unit && i > 0 &&
          StartsWith(items_[i - 1], "проб")) {
        item.amount =
            PupilAnswer{Decimal::Of(item.amount->value.digits, item.amount->value.places + 1),
                        WrittenUnit::Percent};
        continue;
      }
      if (item.type != ItemType::Number || !item.amount || item.amount->unit ||
          i + 2 >= items_.size()) {
        continue;
      }
      const bool listed =
          IsWord(items_[i + 1], "и") || IsMark(items_[i + 1], ",") || IsWord(items_[i + 1], "или");
      const Item& next = items_[i + 2];
      if (listed && next.type == ItemType::Number && next.amount && next.amount->unit) {
        item.amount->unit = next.amount->unit;
      }
    }
  }

  // "а) … б) …" in small letters, in order, each at a line's start or after a mark.
  std::vector<std::size_t> SubQuestionLabels() const {
    constexpr std::array<std::string_view, 4> Letters = {"а", "б", "в", "г"};
    std::vector<std::size_t> labels;
    for (std::size_t i = 0; i < asides_.end && labels.size() < Letters.size(); ++i) {
      const bool placed = i == 0 || items_[i].lineStart || items_[i - 1].type == ItemType::Mark;
      if (placed && !items_[i].capital && IsWord(items_[i], Letters[labels.size()]) &&
          i + 1 < items_.size() && IsMark(items_[i + 1], ")")) {
        labels.push_back(i);
      }
    }
    return labels;
  }

  // Each sub-question read with the text before the first: that is what they all ask about.
  void ReadSubQuestions(const std::vector<std::size_t>& labels) {
    const std::string stem(text_.substr(0, items_[labels.front()].begin));
    for (std::size_t k = 0; k < labels.size(); ++k) {
      const std::size_t from =
          labels[k] + 2 < items_.size() ? items_[labels[k] + 2].begin : text_.size();
      const std::size_t to = k + 1 < labels.size()         ? items_[labels[k + 1]].begin
                             : asides_.end < items_.size() ? items_[asides_.end].begin
                                                           : text_.size();
      const std::string own(text_.substr(from, to > from ? to - from : 0));
      Reading part = Reader(stem + " " + own).Read();
      for (ReadNumber& number : part.numbers) {
        if (number.begin > stem.size()) {
          number.begin = number.begin - stem.size() - 1 + from;
          number.end = number.end - stem.size() - 1 + from;
        }
      }
      reading_.parts.push_back(std::move(part));
    }
  }

  void ReadOptions() {
    for (std::size_t i = asides_.end; i < items_.size(); ++i) {
      if (!IsOptionLabel(items_, i)) {
        continue;
      }
      Option option;
      option.letter = CyrillicLetter(items_[i].text);
      for (std::size_t j = i + 2; j < items_.size() && !IsOptionLabel(items_, j); ++j) {
        if (items_[j].type == ItemType::Number && items_[j].amount) {
          option.amount = items_[j].amount;
          break;
        }
      }
      reading_.options.push_back(option);
    }
  }

  static std::string CyrillicLetter(std::string_view letter) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 8> Letters = {{{"a", "А"},
                                                                                       {"b", "Б"},
                                                                                       {"c", "В"},
                                                                                       {"d", "Г"},
                                                                                       {"а", "А"},
                                                                                       {"б", "Б"},
                                                                                       {"в", "В"},
                                                                                       {"г", "Г"}}};
    for (const auto& [typed, cyrillic] : Letters) {
      if (typed == letter) {
        return std::string(cyrillic);
      }
    }
    return std::string(letter);
  }

  void Doubt(::Doubt doubt) {
    if (!reading_.doubt) {
      reading_.doubt = doubt;
    }
  }

  void Understand() {
    const auto words = std::count_if(items_.begin(), items_.end(),
                                     [](const Item& item) { return item.type != ItemType::Mark; });
    if (words == 0) {
      return Doubt(Doubt::Empty);
    }
    if (NumberedProblems() > 1) {
      return Doubt(Doubt::TwoScenarios);
    }
    bool found = false;
    bool several = false;
    const Items own(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(asides_.end));
    context_ = ContextOf(own, found, several);
    // Goods mixed by price: the prices in the percentages' place, whatever the goods.
    if (!reading_.currency.empty()) {
      context_ = Context::Salt;
      found = true;
      several = false;
    }
    Grouper grouper(items_, asides_, context_, !reading_.currency.empty());
    const std::vector<Group> groups = grouper.Groups();
    if (!found) {
      return Doubt(Doubt::NotAboutMixtures);
    }
    if (several) {
      return Doubt(Doubt::TwoReadings);
    }
    if (HasUnexplainedNumber(grouper.Used())) {
      return Doubt(Doubt::TwoReadings);
    }
    const auto questions = QuestionsOf(items_, asides_.end);
    if (questions.empty()) {
      return Doubt(Doubt::NoQuestion);
    }
    for (const auto& [begin, end] : questions) {
      const std::vector<Target> asked = TargetsOf(items_, begin, end, context_);
      targets_.insert(targets_.end(), asked.begin(), asked.end());
    }
    if (targets_.empty()) {
      return Doubt(Doubt::NoQuestion);
    }
    Parts parts = PartsOf(groups, items_);
    if (parts.conflict) {
      return Doubt(Doubt::TwoScenarios);
    }
    const Mentions mentions = MentionsOf(items_, grouper.Used(), asides_.end, context_);
    evaporates_ = mentions.evaporates;
    mixings_ = static_cast<int>(
        std::count_if(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(asides_.end),
                      [](const Item& item) { return StartsWithAny(item, MixingStems); }));
    // "добавили 50 г": fifty grams of what, the text does not say.
    if (reading_.currency.empty() &&
        std::any_of(parts.parts.begin(), parts.parts.end(),
                    [](const Placed& p) { return p.mass && !p.percent && p.noun == Noun::None; })) {
      return Doubt(Doubt::TwoReadings);
    }
    AddMentioned(parts, mentions);
    if (!FindMixture(parts)) {
      return;
    }
    Order();
    Solve();
  }

  // "лв." or "€" after a price; empty after anything else.
  static std::string_view CurrencyOf(const Item& item) {
    if (IsWord(item, "лв") || StartsWith(item, "лев")) {
      return "лв.";
    }
    return IsWord(item, "евро") || IsMark(item, "€") ? "€" : "";
  }

  // "бонбони по 9 € за килограм", "кафе по 24 лв. за килограм", mixed.
  bool IsByPrice() const {
    const auto has = [this](auto test) { return std::any_of(items_.begin(), items_.end(), test); };
    const bool price = has([](const Item& item) {
      return IsWord(item, "лв") || IsWord(item, "евро") || IsMark(item, "€") ||
             StartsWith(item, "цена") || StartsWith(item, "струва");
    });
    const bool mixed = has([](const Item& item) {
      return StartsWith(item, "смес") || StartsWith(item, "смеси") || StartsWith(item, "смесв");
    });
    return price && mixed;
  }

  // "1) … 2) …": problems of their own, one after another.
  std::size_t NumberedProblems() const {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < items_.size(); ++i) {
      const Item& item = items_[i];
      count += item.type == ItemType::Number && item.amount && !item.amount->unit &&
                       (i == 0 || item.lineStart) && IsMark(items_[i + 1], ")")
                   ? 1
                   : 0;
    }
    return count;
  }

  // A number without a unit that is no problem's number, no year, no points: "в 3 съда".
  bool HasUnexplainedNumber(const std::vector<bool>& used) {
    for (std::size_t i = 0; i < asides_.end; ++i) {
      const Item& item = items_[i];
      if (item.type != ItemType::Number || !asides_.of[i].empty()) {
        continue;
      }
      if (!item.amount) {
        return true;  // more digits than any problem has
      }
      if (!used[i] && !item.amount->unit) {
        // "5 колби", "12 рибки": a count of things, no quantity.
        const bool counts = i + 1 < items_.size() && IsCyrillicWord(items_[i + 1]) &&
                            !StartsWith(items_[i + 1], "път") && IsWhole(item.amount->value);
        if (!counts) {
          return true;
        }
        asides_.of[i] = CountNumber;
      }
    }
    return false;
  }

  void AddMentioned(Parts& parts, const Mentions& mentions) {
    const auto has = [&parts](auto test) {
      return std::any_of(parts.parts.begin(), parts.parts.end(), test);
    };
    TakeApart(parts, mentions);
    const bool produce = StatedShareOf(context_) == StatedShare::Water;
    if ((mentions.water || produce || mentions.evaporates) &&
        !has([](const Placed& p) { return p.noun == Noun::Water; })) {
      parts.parts.push_back({Noun::Water, {}, {}, items_.size(), 0});
    }
    if (mentions.pure &&
        !has([](const Placed& p) { return IsAddedThing(p.noun) && p.noun != Noun::Water; })) {
      parts.parts.push_back({Noun::Pure, {}, {}, items_.size(), 0});
    }
    // "Колко грама 20% разтвор може да се приготви от 50 г сол?": the water goes unsaid.
    const bool madeFromPure =
        parts.parts.size() == 2 && !parts.mixture.mass && !parts.mixture.percent &&
        has([](const Placed& p) { return p.noun == Noun::Pure || p.noun == Noun::Substance; }) &&
        has([](const Placed& p) { return p.noun == Noun::Solution && !p.mass; }) &&
        !has([](const Placed& p) { return p.noun == Noun::Water; });
    if (madeFromPure) {
      parts.parts.push_back({Noun::Water, {}, {}, items_.size(), 0});
    }
    // Beside the substance dissolved, the water; beside a solution, another of unknown strength.
    if (parts.parts.size() == 1) {
      const Noun noun = parts.parts.front().noun;
      const bool pure = noun == Noun::Pure || noun == Noun::Substance;
      parts.parts.push_back({pure ? Noun::Water : Noun::Solution, {}, {}, items_.size(), 2});
    }
  }

  // "Колко грама захар има в 500 г 5% разтвор?", "В 400 г разтвор има 36 г сол.": nothing is
  // mixed, and the one solution is made of its substance and the water.
  void TakeApart(Parts& parts, const Mentions& mentions) {
    const auto isSolution = [](const Placed& p) {
      return (p.noun == Noun::Solution || p.noun == Noun::None) && (p.mass || p.percent);
    };
    const auto solutions = std::count_if(parts.parts.begin(), parts.parts.end(), isSolution);
    const bool others = std::all_of(parts.parts.begin(), parts.parts.end(), [&](const Placed& p) {
      return isSolution(p) || p.noun == Noun::Pure || p.noun == Noun::Substance;
    });
    const bool asked = std::any_of(targets_.begin(), targets_.end(), [](const Target& target) {
      return target.who == Who::Pure || target.who == Who::Water;
    });
    const bool pure = mentions.pure || asked || parts.parts.size() > 1;
    // "в него се разтворят още 100 г захар" adds to the solution.
    if (mixings_ > 0 || evaporates_ || mentions.dissolves || parts.mixture.mass ||
        parts.mixture.percent || solutions != 1 || !others || !pure) {
      return;
    }
    const auto solution = std::find_if(parts.parts.begin(), parts.parts.end(), isSolution);
    parts.mixture = *solution;
    parts.parts.erase(solution);
    if (parts.parts.empty()) {
      parts.parts.push_back({Noun::Pure, {}, {}, items_.size(), 0});
    }
    parts.parts.push_back({Noun::Water, {}, {}, items_.size(), 0});
  }

  // The mixture: what the text obtains, or the one solution beside water and the substance.
  bool FindMixture(Parts& parts) {
    if (parts.parts.size() == 3 && !parts.mixture.mass && !parts.mixture.percent) {
      std::vector<std::size_t> solutions;
      for (std::size_t i = 0; i < parts.parts.size(); ++i) {
        const Noun noun = parts.parts[i].noun;
        if ((noun == Noun::Solution || noun == Noun::None) && !parts.parts[i].mass) {
          solutions.push_back(i);
        }
      }
      if (solutions.size() == 1) {
        parts.mixture = parts.parts[solutions.front()];
        parts.parts.erase(parts.parts.begin() + static_cast<std::ptrdiff_t>(solutions.front()));
      }
    }
    if (parts.parts.size() > 2) {
      Doubt(mixings_ > 1 ? Doubt::TwoScenarios : Doubt::ThreeParts);
      return false;
    }
    if (parts.parts.size() < 2) {
      Doubt(Doubt::MissingNumber);
      return false;
    }
    first_ = parts.parts[0];
    second_ = parts.parts[1];
    mixture_ = parts.mixture;
    return true;
  }

  static int Rank(const Placed& part) {
    switch (part.noun) {
      case Noun::Fresh:
      case Noun::Concentrate:
        return 0;
      case Noun::Water:
        return 3;
      case Noun::Pure:
      case Noun::Substance:
        return 2;
      default:
        return 1;
    }
  }

  // The first part and the second: by "първия" and "втория", then water and the pure substance
  // second, the substance before the water it is dissolved in, then as the text names them.
  void Order() {
    bool swap = false;
    if (first_.ordinal != second_.ordinal && first_.ordinal != 0 && second_.ordinal != 0) {
      swap = first_.ordinal > second_.ordinal;
    } else if (Rank(first_) != Rank(second_)) {
      swap = Rank(first_) > Rank(second_);
    } else if (first_.ordinal == 2 || second_.ordinal == 1) {
      swap = true;
    } else {
      swap = first_.begin > second_.begin;
    }
    if (swap) {
      std::swap(first_, second_);
    }
  }

  std::optional<Fraction> PercentOf(const Placed& part, bool& given) const {
    given = true;
    if (part.percent) {
      const Fraction stated = FractionOf(items_[*part.percent].amount->value);
      return StatedShareOf(context_) == StatedShare::Water ? Fraction(100) - stated : stated;
    }
    if (part.noun == Noun::Water) {
      return Fraction(0);
    }
    if (part.noun == Noun::Pure || part.noun == Noun::Substance) {
      return Fraction(100);
    }
    given = false;
    return std::nullopt;
  }

  // The unit the masses are given in: the question's, else the largest in which all are whole
  // tenths.
  std::optional<WrittenUnit> MassUnit() const {
    std::vector<std::pair<WrittenUnit, bool>> given;  // each mass's unit, and whether of water
    for (const Placed* part : {&first_, &second_, &mixture_}) {
      if (part->mass) {
        given.emplace_back(*items_[*part->mass].amount->unit, part->noun == Noun::Water);
      }
    }
    for (const Target& target : targets_) {
      const bool fits = target.unit && target.unit != WrittenUnit::Percent &&
                        std::all_of(given.begin(), given.end(), [&target](const auto& mass) {
                          return Converted(1, mass.first, *target.unit, mass.second).has_value();
                        });
      if (fits) {
        return target.unit;
      }
    }
    if (given.empty()) {
      return std::nullopt;
    }
    // Litres of water go into grams of salt, not grams of salt into litres.
    const auto notWater =
        std::find_if(given.begin(), given.end(), [](const auto& mass) { return !mass.second; });
    return notWater != given.end() ? notWater->first : given.front().first;
  }

  static std::optional<Unit> ProblemUnit(WrittenUnit unit) {
    switch (unit) {
      case WrittenUnit::Gram:
        return Unit::Gram;
      case WrittenUnit::Kilogram:
      case WrittenUnit::Tonne:
        return Unit::Kilogram;
      case WrittenUnit::Litre:
      case WrittenUnit::Millilitre:
        return Unit::Litre;
      case WrittenUnit::Percent:
        break;
    }
    return std::nullopt;
  }

  void Solve() {
    const std::array<const Placed*, 3> parts = {&first_, &second_, &mixture_};
    std::array<std::optional<Fraction>, ColumnCount> values;
    const std::optional<WrittenUnit> written = MassUnit();
    unit_ = written ? ProblemUnit(*written).value_or(Unit::Gram) : NumbersOf(context_).unit;
    for (std::size_t p = 0; p < parts.size(); ++p) {
      bool given = false;
      values[PercentColumns[p]] = PercentOf(*parts[p], given);
      if (parts[p]->mass) {
        const Item& mass = items_[*parts[p]->mass];
        values[MassColumns[p]] = Converted(FractionOf(mass.amount->value), *mass.amount->unit,
                                           WrittenOf(unit_), parts[p]->noun == Noun::Water);
        if (!values[MassColumns[p]]) {
          return Doubt(Doubt::TwoReadings);
        }
        // "се изпаряват 100 г вода": water that leaves is a part below zero.
        if (p == 1 && evaporates_ && parts[p]->noun == Noun::Water) {
          values[MassColumns[p]] = Fraction(0) - *values[MassColumns[p]];
        }
      }
    }
    // "След изпаряване на 100 г вода … се получили 400 г разтвор": the third mass from the two.
    const auto given = [&values](Column column) { return values[column].has_value(); };
    if (!given(Weight1) && given(Weight2) && given(MixWeight)) {
      values[Weight1] = *values[MixWeight] - *values[Weight2];
    } else if (given(Weight1) && !given(Weight2) && given(MixWeight) && !given(MixPercent) &&
               !given(Percent2)) {
      values[Weight2] = *values[MixWeight] - *values[Weight1];
    }
    const bool ratio =
        std::any_of(targets_.begin(), targets_.end(), [](const Target& t) { return t.ratio; });
    if (ratio) {
      return SolveRatio(values);
    }
    const std::optional<VariantIndex> variant = VariantOf(values);
    if (!variant) {
      return;
    }
    std::array<Fraction, ColumnCount> exact{};
    for (const Column column : RuleOf(*variant).givens) {
      exact[column] = *values[column];
    }
    try {
      exact = Solved(*variant, exact);
    } catch (const InexactFraction&) {
      return Doubt(Doubt::Impossible);
    }
    for (const Column column : AllColumns) {
      if (values[column] && *values[column] != exact[column]) {
        return Doubt(Doubt::Impossible);  // a given more than the shape needs, that disagrees
      }
    }
    const bool leaves = second_.noun == Noun::Water && exact[Weight2] < 0;
    if (leaves != evaporates_ && second_.noun == Noun::Water) {
      return Doubt(Doubt::Impossible);
    }
    if (!IsReal(exact, leaves, !reading_.currency.empty())) {
      return Doubt(Doubt::Impossible);
    }
    Finish(*variant, exact, leaves, Asked::Amounts);
  }

  // The variant whose four givens the text gives; with one more, the first that fits.
  std::optional<VariantIndex> VariantOf(
      const std::array<std::optional<Fraction>, ColumnCount>& values) {
    std::size_t count = 0;
    for (const auto& value : values) {
      count += value ? 1 : 0;
    }
    for (VariantIndex variant = 0; variant < VariantCount; ++variant) {
      const VariantRule& rule = RuleOf(variant);
      const bool has = std::all_of(rule.givens.begin(), rule.givens.end(),
                                   [&values](Column column) { return values[column].has_value(); });
      if (has && (count == 4 || AsksResultOf(variant))) {
        return variant;
      }
    }
    if (count < 4) {
      reading_.missing = MissingOf(values);
      Doubt(Doubt::MissingNumber);
    } else {
      Doubt(Doubt::TwoReadings);
    }
    return std::nullopt;
  }

  bool AsksResultOf(VariantIndex variant) const { return !SoughtColumns(variant).empty(); }

  std::string MissingOf(const std::array<std::optional<Fraction>, ColumnCount>& values) const {
    for (VariantIndex variant = 0; variant < VariantCount; ++variant) {
      const VariantRule& rule = RuleOf(variant);
      std::vector<Column> missing;
      for (const Column column : rule.givens) {
        if (!values[column]) {
          missing.push_back(column);
        }
      }
      if (missing.size() == 1) {
        return QuantityName(missing.front());
      }
    }
    return {};
  }

  // The columns the question asks for, in its order, where each is one of the variant's results.
  std::vector<Column> SoughtColumns(VariantIndex variant) const {
    const VariantRule& rule = RuleOf(variant);
    std::vector<Column> sought;
    for (const Target& target : targets_) {
      if (IsStep(target)) {
        continue;
      }
      const std::optional<Column> column = ColumnOf(target, rule);
      if (!column || std::find(sought.begin(), sought.end(), *column) != sought.end()) {
        return {};
      }
      sought.push_back(*column);
    }
    // Only a step after: what it is worked out from is found first, the parts' masses for their
    // difference, a part's mass and percentage for its substance.
    for (const Target& target : targets_) {
      const std::optional<std::size_t> part = PartOf(target.within);
      const std::vector<Column> needed =
          target.difference ? std::vector<Column>{Weight1, Weight2}
          : part            ? std::vector<Column>{MassColumns[*part], PercentColumns[*part]}
                            : std::vector<Column>{};
      for (const Column column : needed) {
        const bool result =
            std::find(rule.results.begin(), rule.results.end(), column) != rule.results.end();
        if (IsStep(target) && result &&
            std::find(sought.begin(), sought.end(), column) == sought.end()) {
          sought.push_back(column);
        }
      }
    }
    return sought;
  }

  std::optional<Column> ColumnOf(const Target& target, const VariantRule& rule) const {
    const auto isResult = [&rule](Column column) {
      return std::find(rule.results.begin(), rule.results.end(), column) != rule.results.end();
    };
    const std::array<Column, 3>& columns = target.percent ? PercentColumns : MassColumns;
    std::optional<std::size_t> part;
    switch (target.who) {
      case Who::Water:
        part = second_.noun == Noun::Water ? 1 : first_.noun == Noun::Water ? 0 : 3;
        break;
      case Who::Pure:
        part = IsAddedThing(second_.noun) && second_.noun != Noun::Water ? 1
               : IsAddedThing(first_.noun) && first_.noun != Noun::Water ? 0
                                                                         : 3;
        break;
      case Who::Concentrate:
        part = first_.noun == Noun::Concentrate ? 0 : 3;
        break;
      case Who::First:
        part = 0;
        break;
      case Who::Second:
        part = 1;
        break;
      case Who::Mixture:
        part = 2;
        break;
      case Who::ByPercent:
        part = PartWithPercent(*target.percentItem);
        break;
      case Who::Solution:
        // The solution where the parts are water and the substance: the one made of them.
        part = first_.noun != Noun::Solution && first_.noun != Noun::None &&
                       second_.noun != Noun::Solution && second_.noun != Noun::None
                   ? std::optional<std::size_t>(2)
                   : std::nullopt;
        break;
      case Who::Vessel:
        part = isResult(columns[0]) ? 0 : 2;
        break;
      case Who::Unknown:
      case Who::Same:
      case Who::Each:
        break;
    }
    if (part) {
      if (*part > 2 || !isResult(columns[*part])) {
        return std::nullopt;
      }
      return columns[*part];
    }
    std::vector<Column> candidates;
    for (const Column column : columns) {
      if (isResult(column)) {
        candidates.push_back(column);
      }
    }
    if (candidates.size() != 1) {
      return std::nullopt;
    }
    return candidates.front();
  }

  std::size_t PartWithPercent(std::size_t item) const {
    const std::array<const Placed*, 3> parts = {&first_, &second_, &mixture_};
    for (std::size_t p = 0; p < parts.size(); ++p) {
      if (parts[p]->percent == item) {
        return p;
      }
    }
    return 3;
  }

  void SolveRatio(std::array<std::optional<Fraction>, ColumnCount> values) {
    if (!values[Percent1] || !values[Percent2] || !values[MixPercent]) {
      reading_.missing = QuantityName(!values[Percent1]   ? Percent1
                                      : !values[Percent2] ? Percent2
                                                          : MixPercent);
      return Doubt(Doubt::MissingNumber);
    }
    if (!IsBetween(*values[MixPercent], *values[Percent1], *values[Percent2])) {
      return Doubt(Doubt::Impossible);
    }
    const std::array<Fraction, ColumnCount> exact =
        RatioValues(*values[Percent1], *values[Percent2], *values[MixPercent]);
    Finish(6, exact, false, Asked::Ratio);
  }

  void Finish(VariantIndex variant, const std::array<Fraction, ColumnCount>& exact, bool leaves,
              Asked asked) {
    const Recipe recipe{IngredientOf(first_.noun), IngredientOf(second_.noun)};
    const std::optional<Kind> kind = KindOf(variant, context_, recipe, leaves, asked);
    const std::vector<Column> sought =
        asked == Asked::Ratio ? std::vector<Column>{Weight1, Weight2} : SoughtColumns(variant);
    if (!kind || sought.empty()) {
      return Doubt(Doubt::TwoReadings);
    }
    std::optional<Problem> problem =
        ProblemOf({*kind, context_, variant, recipe, unit_, sought, asked}, exact);
    if (!problem) {
      return Doubt(Doubt::TwoReadings);  // a given the model cannot hold: 12,25 г
    }
    std::vector<std::optional<WrittenUnit>> units;
    for (const Target& target : targets_) {
      if (!IsStep(target)) {
        units.push_back(target.unit);
      }
    }
    reading_.answers = WithDifferences(*problem, exact, AnswersOf(*problem, exact, units));
    reading_.values = exact;
    reading_.right = RightOption(reading_.answers, reading_.options);
    reading_.problem = std::move(problem);
  }

  // The answers in the question's order, a step after where it asks one: how much one part's mass
  // is more than the other's.
  std::vector<Amount> WithDifferences(const Problem& problem,
                                      const std::array<Fraction, ColumnCount>& exact,
                                      std::vector<Amount> answers) const {
    const bool any = std::any_of(targets_.begin(), targets_.end(),
                                 [this](const Target& target) { return IsStep(target); });
    // A ratio has no masses of its own to take a step from.
    if (!any || problem.asked == Asked::Ratio) {
      return answers;
    }
    std::vector<Amount> ordered;
    std::size_t next = 0;
    for (const Target& target : targets_) {
      if (!IsStep(target)) {
        if (next < answers.size()) {
          ordered.push_back(answers[next++]);
        }
        continue;
      }
      const std::size_t part = target.difference ? 3 : PartOf(target.within).value_or(3);
      const Fraction gap = exact[Weight1] - exact[Weight2];
      const Fraction size = part < 3  ? exact[MassColumns[part]] * exact[PercentColumns[part]] / 100
                            : gap < 0 ? Fraction(0) - gap
                                      : gap;
      const WrittenUnit own = WrittenOf(problem.unit);
      const std::optional<Fraction> value = Converted(size, own, target.unit.value_or(own), false);
      Amount amount{value.value_or(size), value ? target.unit.value_or(own) : own,
                    target.difference};
      if (part < 3) {
        amount.substanceOf = MassColumns[part];
      }
      ordered.push_back(amount);
    }
    return ordered;
  }

  // A question that is no quantity of the grid but one step after them: a difference of the
  // masses, or the substance in a part where no part is the pure substance.
  bool IsStep(const Target& target) const {
    const bool pure = IsAddedThing(first_.noun) && first_.noun != Noun::Water;
    const bool pureSecond = IsAddedThing(second_.noun) && second_.noun != Noun::Water;
    return target.difference ||
           (target.who == Who::Pure && !pure && !pureSecond && PartOf(target.within));
  }

  static std::optional<std::size_t> PartOf(Who who) {
    switch (who) {
      case Who::First:
        return 0;
      case Who::Second:
        return 1;
      case Who::Mixture:
        return 2;
      default:
        return std::nullopt;
    }
  }

  void WriteNumbers() {
    const std::array<std::pair<const Placed*, std::size_t>, 3> parts = {
        {{&first_, 0}, {&second_, 1}, {&mixture_, 2}}};
    for (std::size_t i = 0; i < items_.size(); ++i) {
      const Item& item = items_[i];
      if (item.type != ItemType::Number) {
        continue;
      }
      ReadNumber number{item.begin,  item.end,     item.text,
                        item.amount, std::nullopt, std::string(asides_.of[i])};
      if (reading_.problem) {
        for (const auto& [part, p] : parts) {
          if (part->mass == i) {
            number.column = MassColumns[p];
          } else if (part->percent == i) {
            number.column = PercentColumns[p];
          }
        }
      }
      for (const Reading& part : reading_.parts) {
        for (const ReadNumber& own : part.numbers) {
          if (own.begin == number.begin && !number.column && number.aside.empty()) {
            number.column = own.column;
            number.aside = own.aside;
          }
        }
      }
      if (!number.column && number.aside.empty()) {
        number.aside = "не е разбрано";
      }
      reading_.numbers.push_back(std::move(number));
    }
  }

  std::string_view text_;
  Items items_;
  Asides asides_;
  Context context_ = Context::Salt;
  std::vector<Target> targets_;
  Placed first_;
  Placed second_;
  Placed mixture_;
  bool evaporates_ = false;
  int mixings_ = 0;  // the verbs that mix: two mixings are two scenarios
  Unit unit_ = Unit::Gram;
  Reading reading_;
};

}  // namespace

Reading ReadProblem(std::string_view text) {
  if (CharacterCount(text) > MaxTextLength) {
    Reading reading;
    reading.doubt = Doubt::TooLong;
    return reading;
  }
  return Reader(text).Read();
}

namespace {

// A number in the column the pupil gave it, in the problem's unit; none where its unit is of
// another measure than the column's.
std::optional<Fraction> ValueIn(const Problem& problem, Column column, const PupilAnswer& amount) {
  const Fraction value = FractionOf(amount.value);
  if (UnitOf(problem, column) == Unit::Percent) {
    if (amount.unit && amount.unit != WrittenUnit::Percent) {
      return std::nullopt;
    }
    return StatedShareOf(problem.context) == StatedShare::Water ? Fraction(100) - value : value;
  }
  if (!amount.unit || amount.unit == WrittenUnit::Percent) {
    return std::nullopt;
  }
  const Ingredient ingredient = column == Weight1 ? problem.first : problem.second;
  return Converted(value, *amount.unit, WrittenOf(problem.unit),
                   column != MixWeight && ingredient == Ingredient::Water);
}

std::optional<Fraction> ImplicitPercent(Ingredient ingredient) {
  if (ingredient == Ingredient::Water) {
    return Fraction(0);
  }
  if (ingredient == Ingredient::PureSubstance) {
    return Fraction(100);
  }
  return std::nullopt;
}

// The four givens, or for a ratio three, and the variant they make.
std::optional<VariantIndex> VariantOfGivens(
    const std::array<std::optional<Fraction>, ColumnCount>& values) {
  const auto count = std::count_if(values.begin(), values.end(),
                                   [](const std::optional<Fraction>& v) { return v.has_value(); });
  for (VariantIndex variant = 0; variant < VariantCount && count == 4; ++variant) {
    const VariantRule& rule = RuleOf(variant);
    if (std::all_of(rule.givens.begin(), rule.givens.end(),
                    [&values](Column column) { return values[column].has_value(); })) {
      return variant;
    }
  }
  return std::nullopt;
}

std::optional<std::array<Fraction, ColumnCount>> Reread(
    const Problem& shape, const std::array<std::optional<Fraction>, ColumnCount>& values,
    bool byPrice, VariantIndex& variant, ::Doubt& doubt) {
  if (shape.asked == Asked::Ratio) {
    variant = 6;
    const bool percents = values[Percent1] && values[Percent2] && values[MixPercent];
    if (!percents || !IsBetween(*values[MixPercent], *values[Percent1], *values[Percent2])) {
      doubt = percents ? Doubt::Impossible : Doubt::MissingNumber;
      return std::nullopt;
    }
    return RatioValues(*values[Percent1], *values[Percent2], *values[MixPercent]);
  }
  const std::optional<VariantIndex> found = VariantOfGivens(values);
  if (!found) {
    doubt = Doubt::MissingNumber;
    return std::nullopt;
  }
  variant = *found;
  std::array<Fraction, ColumnCount> exact{};
  for (const Column column : RuleOf(variant).givens) {
    exact[column] = *values[column];
  }
  try {
    exact = Solved(variant, exact);
  } catch (const InexactFraction&) {
    doubt = Doubt::Impossible;
    return std::nullopt;
  }
  const bool leaves = shape.second == Ingredient::Water && exact[Weight2] < 0;
  if (leaves != LeavesWater(shape.kind) || !IsReal(exact, leaves, byPrice)) {
    doubt = Doubt::Impossible;
    return std::nullopt;
  }
  return exact;
}

}  // namespace

Reading Reread(Reading reading) {
  const Problem shape = reading.problem.value_or(Problem{});
  reading.problem.reset();
  reading.doubt.reset();
  reading.missing.clear();
  reading.answers.clear();
  reading.right.reset();
  std::array<std::optional<Fraction>, ColumnCount> values;
  values[Percent1] = ImplicitPercent(shape.first);
  values[Percent2] = ImplicitPercent(shape.second);
  std::array<bool, ColumnCount> numbered{};
  for (const ReadNumber& number : reading.numbers) {
    if (!number.column || !number.amount) {
      continue;
    }
    std::optional<Fraction> value = ValueIn(shape, *number.column, *number.amount);
    if (!value || numbered[*number.column]) {
      reading.doubt = Doubt::TwoReadings;
      return reading;
    }
    numbered[*number.column] = true;
    // Water that leaves is given as the amount that left.
    if (*number.column == Weight2 && LeavesWater(shape.kind)) {
      value = Fraction(0) - *value;
    }
    values[*number.column] = value;
  }
  VariantIndex variant = 0;
  ::Doubt doubt = Doubt::TwoReadings;
  const std::optional<std::array<Fraction, ColumnCount>> exact =
      Reread(shape, values, !reading.currency.empty(), variant, doubt);
  if (!exact) {
    reading.doubt = doubt;
    return reading;
  }
  const VariantRule& rule = RuleOf(variant);
  std::vector<Column> sought;
  for (const Column column : shape.sought) {
    if (std::find(rule.results.begin(), rule.results.end(), column) != rule.results.end()) {
      sought.push_back(column);
    }
  }
  if (sought.empty() || shape.asked == Asked::Ratio) {
    sought = shape.asked == Asked::Ratio
                 ? std::vector<Column>{Weight1, Weight2}
                 : std::vector<Column>(rule.results.begin(), rule.results.end());
  }
  const Recipe recipe{shape.first, shape.second};
  const bool leaves = LeavesWater(shape.kind);
  const std::optional<Kind> kind = KindOf(variant, shape.context, recipe, leaves, shape.asked);
  std::optional<Problem> problem =
      kind ? ProblemOf({*kind, shape.context, variant, recipe, shape.unit, sought, shape.asked},
                       *exact)
           : std::nullopt;
  if (!problem) {
    reading.doubt = Doubt::TwoReadings;
    return reading;
  }
  reading.answers = AnswersOf(*problem, *exact, {});
  reading.values = *exact;
  reading.right = RightOption(reading.answers, reading.options);
  reading.problem = std::move(problem);
  return reading;
}
