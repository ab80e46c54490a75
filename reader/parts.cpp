#include "reader/parts.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "reader/arithmetic.h"

namespace {

constexpr std::array<std::string_view, 19> ResultStems = {
    "получ", "стан", "став", "приготв", "намал",  "увелич", "направ", "образув", "нов",  "дава",
    "струв", "спад", "падн", "пада",    "нарасн", "повиш",  "пониж",  "сниж",    "остан"};
constexpr std::array<std::string_view, 8> Sources = {"от", "към", "в",  "във",
                                                     "с",  "със", "на", "из"};

constexpr std::array<std::string_view, 2> WithWords = {"с", "със"};
constexpr std::array<std::string_view, 2> InWords = {"в", "във"};
// "която", "който", "което", "които": a clause that says more of the noun before it.
constexpr std::array<std::string_view, 4> Which = {"коя", "кой", "кое", "кои"};

// "изпари", "варили", "стоял открит", "оставили на слънце": water leaves, said by the verb or
// by where the solution stood; "вариант" says nothing of it.
constexpr std::array<std::string_view, 11> EvaporatingStems = {"изпар", "извар",  "изсуш", "суш",
                                                               "варил", "варим",  "варят", "варен",
                                                               "свар",  "открит", "слънц"};

constexpr std::array<std::string_view, 5> AddingStems = {"дол", "добав", "прибав", "изпар",
                                                         "извар"};

bool IsSentenceEnd(const Item& item) {
  return IsMark(item, ".") || IsMark(item, "?") || IsMark(item, "!");
}

// "сплав от мед и калай", "сплав от мед, калай и олово": the alloy whose metals are listed up to
// `last`, the last of them; none where no such list ends there.
std::optional<std::size_t> AlloyListedTo(const Items& items, std::size_t last) {
  if (last < 4 || last >= items.size() || !IsWord(items[last - 1], "и")) {
    return std::nullopt;
  }
  std::size_t first = last - 2;
  while (first >= 4 && IsMark(items[first - 1], ",")) {
    first -= 2;
  }
  if (!IsWord(items[first - 1], "от") || !IsSolutionWord(items[first - 2])) {
    return std::nullopt;
  }
  return first - 2;
}

// The last metal of the list `metal` is one of, where it is followed by more: "олово" of "мед,
// калай и олово" from "мед".
std::size_t LastListedFrom(const Items& items, std::size_t metal) {
  while (metal + 2 < items.size() && IsMark(items[metal + 1], ",")) {
    metal += 2;
  }
  return metal + 2 < items.size() && IsWord(items[metal + 1], "и") ? metal + 2 : metal;
}

// "смесили 300 г и 200 г и приготвили 500 г": the sentence mixed before what was made.
bool MixedBefore(const Items& items, std::size_t i) {
  for (std::size_t back = i; back-- > 0;) {
    if (IsSentenceEnd(items[back])) {
      return false;
    }
    if (StartsWith(items[back], "смес") || StartsWith(items[back], "стоп")) {
      return true;
    }
  }
  return false;
}

// "приготвила 900 г сироп", "направили 2 кг": what was made before the problem begins, and is
// poured into or mixed, unlike "за да се приготвят 8 л", "иска да направи 400 г" and what a
// sentence made by mixing.
bool IsMadeBefore(const Items& items, std::size_t i) {
  const bool made = StartsWith(items[i], "приготв") || StartsWith(items[i], "направ");
  const bool toBeMade =
      i >= 1 && (IsWord(items[i - 1], "да") ||
                 (i >= 2 && IsWord(items[i - 1], "се") && IsWord(items[i - 2], "да")));
  return made && !toBeMade && !MixedBefore(items, i);
}

// "Орехите струват 16 € за килограм" is the goods' price; "за да струва сместа 10 €", "сместа
// струва 10 €" the mixture's.
bool IsGoodsPrice(const Items& items, std::size_t verb) {
  const bool toBe = verb > 0 && IsWord(items[verb - 1], "да");
  const bool mixture = (verb > 0 && StartsWith(items[verb - 1], "смес")) ||
                       (verb + 1 < items.size() && StartsWith(items[verb + 1], "смес"));
  return StartsWith(items[verb], "струв") && !toBe && !mixture;
}

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
    // "След изпаряването масата му е 500 г", "След няколко дни масата на разтвора е 2 кг": the
    // state after the water has left, or after time has passed; "След като към 20% разтвор
    // долели …" tells what was done to the starting part.
    const bool sentenceStart = back == begin || IsSentenceEnd(items[begin - back - 1]);
    const bool afterDoing = IsWord(items[begin - back + 1], "като");
    if ((StartsWith(item, "изпар") && back < begin && IsWord(items[begin - back - 1], "след")) ||
        (IsWord(item, "след") && sentenceStart && !afterDoing)) {
      return true;
    }
    // "Към получения разтвор доляха 250 г вода": what a verb pours in is no result.
    if (StartsWithAny(item, AddingStems)) {
      return false;
    }
    // "намаля на 12%", "се увеличила от 8% на 10%".
    const bool reached = IsWord(item, "на") && back < begin &&
                         (StartsWithAny(items[begin - back - 1], ResultStems) ||
                          (back + 1 < begin && IsPercent(items[begin - back - 1]) &&
                           IsWord(items[begin - back - 2], "от")));
    if (back == 1 && IsAnyWord(item, Sources)) {
      return reached;
    }
    // "са нужни 900 г 24% разтвор", "Трябват 300 г 6% оцет" is what a recipe makes; "са нужни
    // 200 г вода и 50 г сол" what it takes. "трябва" before a verb ("трябва да се долеят") is no
    // need of an amount.
    if (StartsWith(item, "нужн") || StartsWith(item, "необходим") ||
        (back == 1 && StartsWith(item, "трябва"))) {
      return begin + 1 < items.size() && IsPercent(items[begin + 1]);
    }
    if (StartsWithAny(item, ResultStems)) {
      return !IsMadeBefore(items, begin - back) && !IsGoodsPrice(items, begin - back);
    }
  }
  return false;
}

// "с масленост 3%", "с 30% плодово съдържание", "с проба 585": words about a percentage.
bool IsAboutPercent(const Item& item) {
  return MeansPercent(item) || StartsWith(item, "плодов");
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
      group.result = group.noun == Noun::Dried || IsResult(items_, group.begin) ||
                     BecomesIt(group) || IsMixtureOfGoods(group);
    }
    return groups_;
  }

  const std::vector<bool>& Used() const { return used_; }

 private:
  bool IsOwnNumber(std::size_t i) const { return asides_.of[i].empty(); }

  // "за да струва един килограм от сместа 18 лв.", "В склад има 120 кг смес от два вида ядки": a
  // price or a mass named by the mixture of goods is the mixture's own; "смес от 4 кг бадеми"
  // names a part it is made of.
  bool IsMixtureOfGoods(const Group& group) const {
    if (!byPrice_) {
      return false;
    }
    if (!group.mass) {
      return group.percent && group.named && StartsWith(items_[*group.named], "смес");
    }
    // "към 30 кг смес по 12 лв.": a mixture with its own price, or one more goods are added to,
    // is a part; one a sentence opens with, that weighs so much, is the mixture, price and all.
    const std::size_t mass = *group.mass;
    const bool part = group.percent || (mass > 0 && IsWord(items_[mass - 1], "към"));
    const bool named = group.named && *group.named > mass && IsMixtureNoun(items_[*group.named]);
    return (!part && named) || IsWeightOfAMixture(mass);
  }

  // "Смес от два вида ядки тежи 120 кг": the mass a sentence that opens with the mixture weighs;
  // not "Смесили …", which mixes.
  bool IsWeightOfAMixture(std::size_t mass) const {
    if (mass == 0 || !StartsWith(items_[mass - 1], "теж")) {
      return false;
    }
    std::size_t start = mass - 1;
    while (start > 0 && !IsSentenceEnd(items_[start - 1])) {
      --start;
    }
    return IsMixtureNoun(items_[start]);
  }

  // "разтворът станал 60%": the noun, then what it became.
  bool BecomesIt(const Group& group) const {
    const std::size_t number = group.percent.value_or(group.mass.value_or(group.begin));
    for (std::size_t i = group.begin + 1; i < number; ++i) {
      if (StartsWithAny(items_[i], ResultStems) && !IsGoodsPrice(items_, i)) {
        return true;
      }
    }
    return false;
  }

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
    // "33 г от първото", "200 г от втория разтвор", "от второто злато": a part the text listed
    // before, named by its place; "второто злато" is not the pure metal.
    if (named.noun == Noun::None && next + 1 < asides_.end && IsWord(items_[next], "от") &&
        OrdinalOf(items_[next + 1]) != 0) {
      named = NamedFrom(items_, next + 1, context_);
      if (named.noun == Noun::None || named.noun == Noun::Substance) {
        named = {Noun::Solution, named.noun == Noun::None ? next + 1 : named.at, named.ordinal};
      }
    }
    // "Разтвор от 300 г", "Сплав от 3 кг": the noun before the mass.
    if (named.noun == Noun::None && i > 1 && IsWord(items_[i - 1], "от") &&
        IsSolutionWord(items_[i - 2])) {
      named = {Noun::Solution, i - 2, 0};
    }
    // "Сол с маса 40 г", "вода с маса 160 г": the noun before its mass.
    if (named.noun == Noun::None && i > 2 && IsWord(items_[i - 1], "маса") &&
        IsAnyWord(items_[i - 2], WithWords)) {
      named = {NounOf(items_[i - 3], context_), i - 3, 0};
      // "Сплав от сребро и мед с маса 300 г": the mass of the alloy the metals are listed of.
      if (const std::optional<std::size_t> alloy = AlloyListedTo(items_, i - 3)) {
        named = {Noun::Solution, *alloy, 0};
      }
      // "Разтвор на сол с маса 1,5 кг": the mass of the solution the substance is of.
      if (i > 4 && named.noun == Noun::Substance && IsWord(items_[i - 4], "на") &&
          IsSolutionWord(items_[i - 5])) {
        named = {Noun::Solution, i - 5, 0};
      }
    }
    // "След като част от водата се изпари, масата на разтвора намаля с 200 г": the water that
    // left, where nothing else can.
    if (named.noun == Noun::None && !group.percent && IsFallBy(i) && WaterLeaves()) {
      named = {Noun::Water, i, 0};  // no word names it: the mass stands where its noun would
    }
    // "200 г 40% спирт" is a solution of it, not the substance.
    group.noun = group.percent && named.noun == Noun::Substance ? Noun::Solution : named.noun;
    if (named.noun != Noun::None) {
      group.named = named.at;
    }
    group.ordinal = named.ordinal;
    // "3 л ябълков сок", "2 л портокалов", "2 л от портокаловия": the word before its noun, or
    // the one word said for it.
    const std::size_t own = next + 1 < asides_.end && IsWord(items_[next], "от") ? next + 1 : next;
    group.kind = named.noun == Noun::Solution && named.at > 0 ? KindAt(named.at - 1, own)
                 : named.noun == Noun::None                   ? KindAt(own, own)
                                                              : std::nullopt;
    MarkUsed(next, named);
    if (named.noun != Noun::None) {
      TakeContent(group, AfterProduce(named));
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

  // "намаля с 200 г", "се е намалила със 120 г": a mass a part fell by.
  bool IsFallBy(std::size_t mass) const {
    return mass >= 2 && (IsWord(items_[mass - 1], "с") || IsWord(items_[mass - 1], "със")) &&
           StartsWith(items_[mass - 2], "намал");
  }

  bool WaterLeaves() const {
    return std::any_of(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(asides_.end),
                       [](const Item& item) { return StartsWithAny(item, EvaporatingStems); });
  }

  // "5 кг бонбони по 9 € за килограм", "30 кг смес по 28 лв.": the goods, and their price.
  void TakePrice(Group& group, std::size_t at) {
    // Where prices are mixed, "7 кг стафиди" or "грозде" are goods, not dried or fresh produce.
    if (group.noun == Noun::Fresh || group.noun == Noun::Dried) {
      group.noun = Noun::Solution;
    }
    const auto priced = [this](std::size_t i) {
      return IsWord(items_[i], "по") || IsNamedPrice(i);
    };
    std::size_t by = at;
    while (by < asides_.end && by < at + 3 && IsCyrillicWord(items_[by]) && !priced(by)) {
      ++by;
    }
    if (group.noun == Noun::None && by > at) {
      group.noun = Noun::Solution;  // goods are named in words of their own
      group.named = IsWord(items_[at], "от") && at + 1 < by ? at + 1 : at;
      group.ordinal = std::max({group.ordinal, NamedFrom(items_, at, context_).ordinal,
                                OrdinalOf(items_[*group.named])});
    }
    // "6 кг ядки, които струват 10 € за килограм": the price after a clause of its own.
    const bool costing = by + 2 < asides_.end && IsMark(items_[by], ",") &&
                         StartsWithAny(items_[by + 1], Which) &&
                         StartsWith(items_[by + 2], "струв");
    const std::size_t price = costing ? by + 3 : IsNamedPrice(by) ? by + 2 : by + 1;
    if (!group.percent && price < asides_.end && (costing || priced(by)) &&
        IsPercent(items_[price]) && !used_[price]) {
      group.percent = price;
      used_[price] = true;
    }
  }

  // "на цена 9 €", "с цена 9 €", "по цена 9 €": the price named before it is given.
  bool IsNamedPrice(std::size_t i) const {
    constexpr std::array<std::string_view, 4> Before = {"на", "с", "със", "по"};
    return i + 1 < asides_.end && IsAnyWord(items_[i], Before) && StartsWith(items_[i + 1], "цена");
  }

  // "пресни гъби": the produce named after the word that says it is fresh or dried, past which
  // its content is said.
  std::size_t AfterProduce(const Named& named) {
    const std::size_t next = named.at + 1;
    if (!IsProduceAt(named, next)) {
      return next;
    }
    used_[next] = true;
    return next + 1;
  }

  bool IsProduceAt(const Named& named, std::size_t at) const {
    return (named.noun == Noun::Fresh || named.noun == Noun::Dried) && at < asides_.end &&
           IsCyrillicWord(items_[at]) && NounOf(items_[at], context_) == Noun::None &&
           !IsAnyWord(items_[at], Prepositions) && !StartsWithAny(items_[at], Which) &&
           !EndsPhrase(items_[at]);
  }

  // "От 2 т пресни гъби … след сушене се получават гъби с 20% вода": produce named as the
  // fresh was, after it is dried, is the dried.
  std::optional<std::size_t> DriedProduceBefore(std::size_t i) const {
    if (i < 2 || !(IsWord(items_[i - 1], "с") || IsWord(items_[i - 1], "със"))) {
      return std::nullopt;
    }
    const std::size_t produce = i - 2;
    bool dried = false;
    for (std::size_t j = produce; j-- > 0;) {
      dried = dried || StartsWith(items_[j], "суш") || StartsWith(items_[j], "изсуш");
      if (dried && j > 0 && items_[j].text == items_[produce].text &&
          NounOf(items_[j - 1], context_) == Noun::Fresh) {
        return produce;
      }
    }
    return std::nullopt;
  }

  // "с 20% мед", "със 75% злато", "съдържащ 10% сол": a percentage after the noun it measures.
  void TakeContent(Group& group, std::size_t at) {
    // "8 кг сок от малини с 12% захар": past what the juice is pressed from.
    if (at + 2 < asides_.end && IsPressedFrom(items_, at + 1)) {
      used_[at] = true;
      used_[at + 1] = true;
      at += 2;
    }
    // "30 г сплав от сребро и мед с проба 900": the metals named, then the content.
    if (const std::size_t last = LastListedFrom(items_, at + 1);
        last + 1 < asides_.end && IsWord(items_[at], "от") && AlloyListedTo(items_, last) &&
        StartsWith(items_[at - 1], "сплав")) {
      for (std::size_t i = at; i <= last; ++i) {
        used_[i] = true;
      }
      at = last + 1;
    }
    // "40 кг сплав, съдържаща 20% мед", "2,5 кг сплав, която съдържа 64% мед", "грозде, което
    // съдържа", "стафиди, които съдържат".
    if (at + 1 < asides_.end && IsMark(items_[at], ",")) {
      const bool which = StartsWithAny(items_[at + 1], Which);
      const std::size_t verb = which ? at + 2 : at + 1;
      if (verb < asides_.end && StartsWith(items_[verb], "съдърж")) {
        at = verb;
      }
    }
    at = AfterItsSubstance(at);
    if (group.percent || at + 1 >= asides_.end) {
      return;
    }
    // "с 20%", "съдържа 20%", "солен разтвор има 12% сол".
    const bool with = IsWord(items_[at], "с") || IsWord(items_[at], "със") ||
                      StartsWith(items_[at], "съдърж") || IsWord(items_[at], "има");
    std::size_t percent = at + 1;
    while (percent < asides_.end && percent < at + 3 && IsAboutPercent(items_[percent])) {
      ++percent;
    }
    // "с концентрация на захарта 20%": what the percentage word measures, said before it.
    if (percent > at + 1 && percent + 2 < asides_.end && IsWord(items_[percent], "на") &&
        IsCyrillicWord(items_[percent + 1]) && IsPercent(items_[percent + 2])) {
      percent += 2;
    }
    if (with && percent < asides_.end && IsPercent(items_[percent]) && !used_[percent]) {
      group.percent = percent;
      for (std::size_t i = at; i <= percent; ++i) {
        used_[i] = true;
      }
      MarkUsed(percent + 1, NamedFrom(items_, percent + 1, context_));
    }
  }

  // "разтвор на сол с концентрация 20%", "есенция на оцетна киселина със 70%": past the
  // substance a solution is named of, to its percentage.
  std::size_t AfterItsSubstance(std::size_t at) const {
    if (at + 1 >= asides_.end || !IsWord(items_[at], "на")) {
      return at;
    }
    std::size_t after = at + 1;
    while (after < asides_.end && after < at + 3 &&
           NounAt(items_, after, context_) == Noun::Substance) {
      ++after;
    }
    return after > at + 1 ? after : at;
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
      // "Оцетната есенция е 80% разтвор на оцетна киселина": the essence, said what it is.
      if (i >= 2 && IsWord(items_[i - 1], "е") &&
          NounAt(items_, i - 2, context_) == Noun::Concentrate) {
        group.noun = Noun::Concentrate;
        group.named = i - 2;
        group.begin = i - 2;
      }
      groups_.push_back(group);
      return;
    }
    MarkUsed(i + 1, after);
    Group group;
    group.percent = i;
    group.begin = i;
    if (const std::optional<std::size_t> goods = GoodsBefore(i)) {
      group.noun = Noun::Solution;
      group.named = *goods;
      group.begin = *goods;
      group.ordinal = OrdinalOf(items_[*goods]);
      groups_.push_back(group);
      return;
    }
    if (const std::optional<std::size_t> produce = DriedProduceBefore(i)) {
      group.noun = Noun::Dried;
      group.named = *produce;
      group.begin = *produce;
      groups_.push_back(group);
      return;
    }
    // It measures what was named just before it: "сплав с 20% мед", "сушените – 12%".
    const std::optional<std::size_t> before = NounBefore(i);
    if (before) {
      const Noun noun = NounAt(items_, *before, context_);
      group.noun = noun == Noun::None ? Noun::Solution : noun;
      group.named = *before;
      group.begin = *before;
      for (std::size_t b = *before; b > 0 && b + 2 > *before && OrdinalOf(items_[b - 1]) != 0;
           --b) {
        group.ordinal = OrdinalOf(items_[b - 1]);
        group.begin = b - 1;
      }
      group.ordinal = std::max(group.ordinal, OrdinalOf(items_[*before]));
      group.kind = *before > 0 ? KindAt(*before - 1, 0) : std::nullopt;
    } else if (const std::optional<std::size_t> kind = KindSaidAlone(i)) {
      group.noun = Noun::Solution;
      group.named = kind;
      group.begin = *kind;
      group.kind = kind;
    }
    groups_.push_back(group);
  }

  // "2 л портокалов", "ябълков сок", "краве мляко": a word at `i` no later than `last` that
  // names no part, no substance, no order and no amount, but may tell one kind from another.
  std::optional<std::size_t> KindAt(std::size_t i, std::size_t last) const {
    const bool kind = i >= last && i < asides_.end && IsCyrillicWord(items_[i]) &&
                      NounAt(items_, i, context_) == Noun::None && !IsSolutionWord(items_[i]) &&
                      OrdinalOf(items_[i]) == 0 && !IsAnyWord(items_[i], Prepositions) &&
                      !EndsPhrase(items_[i]) && !StartsWithAny(items_[i], ResultStems) &&
                      !IsCountWord(items_[i]) && !IsAboutPercent(items_[i]);
    return kind ? std::optional<std::size_t>(i) : std::nullopt;
  }

  // "Портокаловият сок съдържа 8% захар, а ябълковият – 12%", "а козето – с 4,5%": a kind said
  // alone, its noun left for the one before.
  std::optional<std::size_t> KindSaidAlone(std::size_t percent) const {
    constexpr std::array<std::string_view, 4> Links = {"с", "със", "е", "има"};
    std::size_t at = percent;
    if (at > 0 && (IsAnyWord(items_[at - 1], Links) || StartsWith(items_[at - 1], "съдърж"))) {
      --at;
    }
    if (at > 0 && IsMark(items_[at - 1], "-")) {
      --at;
    }
    if (at == percent || at < 3) {
      return std::nullopt;
    }
    const Item& join = items_[at - 2];
    return IsWord(join, "а") || IsMark(join, ",") ? KindAt(at - 1, 0) : std::nullopt;
  }

  // "1 кг орехи струва 16 лв.", "Един килограм от първите бонбони струва 8 лв.": the goods
  // named after the measure their price is of; not the mixture, whose price is what is obtained.
  std::optional<std::size_t> GoodsBefore(std::size_t i) const {
    constexpr std::size_t Reach = 5;
    if (!byPrice_ || i == 0) {
      return std::nullopt;
    }
    if (IsWord(items_[i - 1], "по")) {
      return GoodsListedAt(i - 1);
    }
    if (!IsWord(items_[i - 1], "струва")) {
      return std::nullopt;
    }
    for (std::size_t j = i - 1; j-- > 0 && j + Reach > i;) {
      if (items_[j].type == ItemType::Number) {
        const std::size_t goods = j + 1 < i && IsWord(items_[j + 1], "от") ? j + 2 : j + 1;
        const bool named = IsMass(items_[j]) && !asides_.of[j].empty() && goods + 1 < i &&
                           IsCyrillicWord(items_[goods]) && !StartsWith(items_[goods], "смес");
        return named ? std::optional<std::size_t>(goods) : std::nullopt;
      }
    }
    return std::nullopt;
  }

  // "ядки: орехи по 14 € … и бадеми по 20 €": goods listed with their prices, their masses
  // given later by their names; a verb before "по", "продава по 14 €", names none.
  std::optional<std::size_t> GoodsListedAt(std::size_t by) const {
    if (by < 2) {
      return std::nullopt;
    }
    const std::size_t goods = by - 1;
    const Item& before = items_[goods - 1];
    const bool listed = IsMark(before, ":") || IsMark(before, ",") || IsWord(before, "и");
    const bool named = IsCyrillicWord(items_[goods]) && !StartsWith(items_[goods], "смес") &&
                       !IsSolutionWord(items_[goods]) && OrdinalOf(items_[goods]) == 0;
    return listed && named ? std::optional<std::size_t>(goods) : std::nullopt;
  }

  std::optional<std::size_t> NounBefore(std::size_t i) const {
    std::size_t reach = 4;
    for (std::size_t back = 1; back <= reach && back <= i; ++back) {
      const Item& item = items_[i - back];
      const bool with = IsWord(item, "с") || IsWord(item, "със");
      // "сплав, която съдържа 88% мед", "сплав, в която калаят е 20%": the clause says more of
      // the noun before it, which is as far before the clause.
      const bool in = IsClauseOfSubstanceAt(i - back, i);
      const bool which =
          in ||
          (IsMark(item, ",") && back > 1 &&
           (StartsWithAny(items_[i - back + 1], Which) || IsClauseOfSubstanceAt(i - back + 1, i)));
      if (in) {
        reach = back + 2;
        // "сплав от мед и калай, в която …": the alloy before the metals it is of.
        if (i >= back + 2 && IsMark(items_[i - back - 1], ",")) {
          if (const std::optional<std::size_t> alloy = AlloyListedTo(items_, i - back - 2)) {
            return alloy;
          }
        }
      }
      // "Разтворът на сол е 10%": past the substance the noun is of.
      const bool of =
          IsWord(item, "на") && NounAt(items_, i - back + 1, context_) == Noun::Substance;
      if (which || of || IsVesselAt(i - back)) {
        continue;
      }
      if (item.type == ItemType::Number || (EndsPhrase(item) && !IsMark(item, "-")) ||
          (IsAnyWord(item, Prepositions) && !with)) {
        return std::nullopt;
      }
      const Noun noun = NounAt(items_, i - back, context_);
      if (noun == Noun::Solution || noun == Noun::Concentrate || noun == Noun::Fresh ||
          noun == Noun::Dried || OrdinalOf(item) != 0) {
        return i - back;
      }
    }
    return std::nullopt;
  }

  // "в която калаят е 20%": a clause from `in` that says the substance's share, up to the
  // percentage at `percent`.
  bool IsClauseOfSubstanceAt(std::size_t in, std::size_t percent) const {
    return in + 4 == percent && IsAnyWord(items_[in], InWords) &&
           StartsWithAny(items_[in + 1], Which) &&
           NounAt(items_, in + 2, context_) == Noun::Substance && IsWord(items_[in + 3], "е");
  }

  // "Разтворът в бутилката съдържа 20% сол", "Сплавта в отливката съдържа": the vessel a part
  // is in, from its "в", which names no part and holds what the verb says.
  bool IsVesselAt(std::size_t in) const {
    if (in + 2 >= asides_.end || !(IsWord(items_[in], "в") || IsWord(items_[in], "във"))) {
      return false;
    }
    const Item& vessel = items_[in + 1];
    return IsCyrillicWord(vessel) && NounOf(vessel, context_) == Noun::None &&
           OrdinalOf(vessel) == 0 && StartsWith(items_[in + 2], "съдърж");
  }

  const Items& items_;
  const Asides& asides_;
  Context context_;
  bool byPrice_;
  std::vector<bool> used_;
  std::vector<Group> groups_;
};

// Two mentions of one part become one: "Пресните гъби съдържат 90% вода … 50 кг пресни".
bool Merge(Placed& into, const Group& group) {
  if ((into.mass && group.mass) || (into.percent && group.percent)) {
    return false;
  }
  into.mass = into.mass ? into.mass : group.mass;
  into.percent = into.percent ? into.percent : group.percent;
  into.noun = Priority(group.noun) > Priority(into.noun) ? group.noun : into.noun;
  into.kind = into.kind ? into.kind : group.kind;
  return true;
}

Placed PlacedOf(const Group& group) {
  return {group.noun,    group.mass,  group.percent, group.begin,
          group.ordinal, group.named, group.kind};
}

// Kinds tell parts apart only where the text names two: "портокаловият … ябълковият".
bool NamesTwoKinds(const std::vector<Group>& groups, const Items& items) {
  for (const Group& one : groups) {
    for (const Group& other : groups) {
      if (one.kind && other.kind && !NamesSameGoods(items, *one.kind, *other.kind)) {
        return true;
      }
    }
  }
  return false;
}

// "400 г разтвор, в който солта е 15%", "5 кг сплав от мед и калай, в която калаят е 20%": from
// the noun after the mass to the percentage, a clause of what is in the part, the noun's metals
// listed before it.
bool IsClauseOfWhatIsIn(const Items& items, std::size_t from, std::size_t to) {
  constexpr std::size_t Clause = 5;  // ", в която калаят е"
  if (to < from + 1 + Clause || !IsSolutionWord(items[from])) {
    return false;
  }
  const std::size_t comma = to - Clause;
  const bool clause = IsMark(items[comma], ",") && IsAnyWord(items[comma + 1], InWords) &&
                      StartsWithAny(items[comma + 2], Which) && IsWord(items[to - 1], "е");
  // "сплав от мед и калай": the metals it is of.
  const bool listed = AlloyListedTo(items, comma - 1) == from;
  return clause && (comma == from + 1 || listed);
}

// "тежи 3 кг, като медта е 40%", "тежи 3 кг, като медта в нея е 40%": from the comma after the
// mass to the percentage, a clause of the substance's share in the part.
bool IsAsClause(const Items& items, std::size_t from, std::size_t to, Context context) {
  constexpr std::array<std::string_view, 2> It = {"нея", "него"};
  const bool clause = IsMark(items[from], ",") && IsWord(items[from + 1], "като") &&
                      NounAt(items, from + 2, context) == Noun::Substance &&
                      IsWord(items[to - 1], "е");
  const bool inIt =
      to == from + 6 && IsAnyWord(items[from + 3], InWords) && IsAnyWord(items[from + 4], It);
  return clause && (to == from + 4 || inIt);
}

// "Сплав … тежи 12 кг и съдържа 45% мед", "сплав от 3 кг с 20% калай": a mass and a percentage
// of one part with nothing but such words between them.
bool AreOnePart(const Items& items, const Placed& part, const Group& group, Context context) {
  const bool halves = (part.mass && !part.percent && group.percent && !group.mass) ||
                      (part.percent && !part.mass && group.mass && !group.percent);
  const std::size_t from = LastNumberOf(part) + 1;
  const std::size_t to = std::max(group.mass.value_or(0), group.percent.value_or(0));
  if (!halves || to < from) {
    return false;
  }
  // The percentage's group names the noun only where the clause is of the substance. The noun
  // may follow a word of what it holds: "600 г захарен сироп, в който …".
  const bool described =
      from + 1 < to && !IsSolutionWord(items[from]) && IsSolutionWord(items[from + 1]);
  const std::size_t noun = described ? from + 1 : from;
  if ((group.named == noun && IsClauseOfWhatIsIn(items, noun, to)) ||
      (to >= from + 4 && IsAsClause(items, from, to, context))) {
    return true;
  }
  if (to - from > 4) {
    return false;
  }
  constexpr std::array<std::string_view, 11> Linking = {
      "и", "с", "със", "тежи", "тежат", "има", "е", "който", "която", "което", "които"};
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

bool IsDissolvingVerb(const Item& item) {
  return (StartsWith(item, "разтвор") || StartsWith(item, "разтвар")) && !IsSolutionWord(item) &&
         !StartsWith(item, "разтворен");
}

// "Колко процента от разтвора е водата?": the water is what the percentage is of, not a part.
bool IsShareAskedAs(const Items& items, std::size_t i) {
  if (!IsWord(items[i - 1], "е")) {
    return false;
  }
  for (std::size_t j = i; j-- > 0 && !IsSentenceEnd(items[j]);) {
    if (MeansPercent(items[j])) {
      return true;
    }
  }
  return false;
}

// "Сплав от сребро и мед", "сплав от мед, калай и олово": the metals it is made of, no part added.
bool IsMetalOfAlloy(const Items& items, std::size_t i) {
  const std::optional<std::size_t> alloy = AlloyListedTo(items, LastListedFrom(items, i));
  return alloy && *alloy < i && StartsWith(items[*alloy], "сплав");
}

// "Колко грама 15% разтвор са добавени?": the sentence of the item at `i` asks.
bool IsAsked(const Items& items, std::size_t i) {
  for (std::size_t back = i; back-- > 0 && !IsSentenceEnd(items[back]);) {
    if (IsWord(items[back], "колко")) {
      return true;
    }
  }
  std::size_t end = i;
  while (end < items.size() && !IsSentenceEnd(items[end])) {
    ++end;
  }
  return end < items.size() && IsMark(items[end], "?");
}

// The item of the one part's percentage the group's, asked of a solution by it alone, says
// again; none where it is a part of its own, or the same percentage is more than one part's.
std::optional<std::size_t> RestatedPercent(const NamedParts& parts, const Group& group,
                                           const Items& items) {
  const bool solution = group.noun == Noun::Solution || group.noun == Noun::None;
  if (!group.percent || group.mass || !solution || !IsAsked(items, *group.percent)) {
    return std::nullopt;
  }
  const Fraction value = FractionOf(items[*group.percent].amount->value);
  std::optional<std::size_t> same;
  std::size_t count = 0;
  const auto compare = [&](const Placed& part) {
    if (part.percent && FractionOf(items[*part.percent].amount->value) == value) {
      same = part.percent;
      ++count;
    }
  };
  // What is obtained, "за да се получи 20% разтвор", may be as strong as a part: it says again
  // only the mixture's.
  if (!group.result) {
    std::for_each(parts.parts.begin(), parts.parts.end(), compare);
  }
  compare(parts.mixture);
  return count == 1 ? same : std::nullopt;
}

// "масата на солта", "масата на солта и на водата": the word at `i` names a part whose mass is
// asked or told, as "колко грама сол" does.
bool IsMassNamedOf(const Items& items, std::size_t i) {
  if (i < 2 || !IsWord(items[i - 1], "на")) {
    return false;
  }
  const bool listed = i >= 5 && IsWord(items[i - 2], "и") && IsWord(items[i - 4], "на") &&
                      StartsWith(items[i - 5], "мас");
  return StartsWith(items[i - 2], "мас") || listed;
}

}  // namespace

std::size_t LastNumberOf(const Placed& part) {
  return std::max(part.mass.value_or(0), part.percent.value_or(0));
}

Grouped GroupsOf(const Items& items, const Asides& asides, Context context, bool byPrice) {
  Grouper grouper(items, asides, context, byPrice);
  std::vector<Group> groups = grouper.Groups();
  return {std::move(groups), grouper.Used()};
}

// "Имаме 10% и 30% разтвор … 200 г от първия": the part a group names by its place among those
// listed before it, where none was numbered.
Placed* ListedAt(std::vector<Placed>& parts, const Group& group) {
  const bool numbered =
      std::any_of(parts.begin(), parts.end(), [](const Placed& p) { return p.ordinal != 0; });
  if (group.ordinal <= 0 || numbered || parts.size() < static_cast<std::size_t>(group.ordinal)) {
    return nullptr;
  }
  return &parts[static_cast<std::size_t>(group.ordinal - 1)];
}

NamedParts PartsOf(const std::vector<Group>& groups, const Items& items, Context context) {
  NamedParts parts;
  const bool kinds = NamesTwoKinds(groups, items);
  for (const Group& group : groups) {
    if (const std::optional<std::size_t> restated = RestatedPercent(parts, group, items)) {
      parts.restated.emplace_back(*group.percent, *restated);
      continue;
    }
    if (group.result) {
      parts.conflict = parts.conflict || !Merge(parts.mixture, group);
      continue;
    }
    if (!parts.parts.empty() && AreOnePart(items, parts.parts.back(), group, context)) {
      Merge(parts.parts.back(), group);
      continue;
    }
    if (Placed* listed = ListedAt(parts.parts, group); listed && Merge(*listed, group)) {
      continue;
    }
    const auto same = std::find_if(parts.parts.begin(), parts.parts.end(), [&](const Placed& p) {
      const bool sameNoun =
          p.noun == group.noun && (group.noun == Noun::Fresh || group.noun == Noun::Concentrate);
      const bool sameOrdinal = p.ordinal != 0 && p.ordinal == group.ordinal;
      // "Морската вода съдържа 4% сол … 5 т морска вода": salt water named twice; "1 кг орехи
      // струва 16 лв. … 3 кг орехи": goods.
      const bool sameWord =
          p.named && group.named &&
          ((NamesSaltWater(items, *p.named) && NamesSaltWater(items, *group.named)) ||
           NamesSameGoods(items, *p.named, *group.named));
      const bool sameKind =
          kinds && p.kind && group.kind && NamesSameGoods(items, *p.kind, *group.kind);
      return sameNoun || sameOrdinal || sameWord || sameKind;
    });
    if (same == parts.parts.end() || !Merge(*same, group)) {
      parts.parts.push_back(PlacedOf(group));
    }
  }
  return parts;
}

bool NamesSameGoods(const Items& items, std::size_t one, std::size_t other) {
  const auto goods = [&items](std::size_t i) {
    return IsCyrillicWord(items[i]) && !IsSolutionWord(items[i]) && OrdinalOf(items[i]) == 0 &&
           NounOf(items[i], Context::Salt) == Noun::None;
  };
  const std::string_view a = items[one].text;
  const std::string_view b = items[other].text;
  const std::string_view shorter = a.size() <= b.size() ? a : b;
  const std::string_view longer = a.size() <= b.size() ? b : a;
  constexpr std::size_t Letter = 2;  // bytes of a Cyrillic letter
  return goods(one) && goods(other) && shorter.size() >= 4 * Letter &&
         longer.starts_with(shorter.substr(0, shorter.size() - Letter));
}

Mentions MentionsOf(const Items& items, const std::vector<bool>& used, std::size_t end,
                    Context context) {
  Mentions mentions;
  const auto named = [&items, end](std::string_view stem) {
    return std::any_of(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(end),
                       [stem](const Item& item) { return StartsWith(item, stem); });
  };
  // Petmez is grape juice boiled down, whether the text says so or not.
  mentions.evaporates = named("петмез") && named("сок");
  for (std::size_t i = 0; i < end; ++i) {
    const Item& item = items[i];
    // Raisins are dried grapes, whether the text says so or not.
    mentions.evaporates = mentions.evaporates || StartsWithAny(item, EvaporatingStems) ||
                          NounOf(item, context) == Noun::Dried;
    mentions.dissolves = mentions.dissolves || IsDissolvingVerb(item);
    if (used[i]) {
      continue;
    }
    const Noun noun = NounAt(items, i, context);
    // "Колко грама сол има в новия разтвор?" asks what is in a part, and adds none.
    const bool within =
        i + 1 < end && (IsWord(items[i + 1], "има") || StartsWith(items[i + 1], "съдърж"));
    // "С колко грама солта в първия …" compares the parts' substance, and adds none.
    const bool compared = i > 2 && IsWord(items[i - 3], "с");
    const bool afterCount =
        !within && ((i > 1 && IsCountWord(items[i - 1]) && !MeansPercent(items[i - 1]) &&
                     IsWord(items[i - 2], "колко") && !compared) ||
                    (i > 0 && IsWord(items[i - 1], "колко")) || IsMassNamedOf(items, i));
    const bool afterVerb =
        i > 0 && (IsDissolvingVerb(items[i - 1]) || StartsWith(items[i - 1], "добав"));
    // "съдържанието на вода" of produce, "Колко процента вода има в сместа?": the water's share,
    // no part.
    const bool share =
        i > 0 && !IsMassNamedOf(items, i) &&
        (IsWord(items[i - 1], "на") || MeansPercent(items[i - 1]) || IsShareAskedAs(items, i));
    // "Сплав от мед и калай" names the alloy's metals; only one added or asked is a part.
    const bool metal = noun == Noun::Water && !StartsWith(item, "вод");
    mentions.water =
        mentions.water || (noun == Noun::Water && !share && !IsMetalOfAlloy(items, i) &&
                           (!metal || afterCount || afterVerb));
    mentions.pure = mentions.pure || noun == Noun::Pure ||
                    (noun == Noun::Substance && (afterCount || afterVerb) &&
                     !IsNamedWithItsShare(items, i, end));
  }
  return mentions;
}

bool IsAddedThing(Noun noun) {
  return noun == Noun::Water || noun == Noun::Pure || noun == Noun::Substance;
}

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
