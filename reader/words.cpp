#include "reader/words.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>

#include "form/lexicon.h"

namespace {

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

// "сребърна сплав", "златен пръстен": an alloy named by the precious metal it is of.
constexpr std::array<std::pair<Context, std::string_view>, 2> PreciousAdjectives = {
    {{Context::Silver, "сребърн"}, {Context::Gold, "злат"}}};

// Solutions a kitchen names by what is in them: a syrup is of sugar, a brine and sea water of
// salt, a nectar of fruit juice.
std::array<std::vector<std::string_view>, ContextCount> WithKitchenNames(
    std::array<std::vector<std::string_view>, ContextCount> marks) {
  marks[static_cast<std::size_t>(Context::Sugar)].push_back("сироп");
  marks[static_cast<std::size_t>(Context::Salt)].push_back("саламур");
  marks[static_cast<std::size_t>(Context::Salt)].push_back("морск");
  marks[static_cast<std::size_t>(Context::Juice)].push_back("нектар");
  for (const auto& [metal, adjective] : PreciousAdjectives) {
    marks[static_cast<std::size_t>(metal)].push_back(adjective);
  }
  // An acid is vinegar's only where the vinegar is named: "разтвор на киселина" is of any acid.
  auto& vinegar = marks[static_cast<std::size_t>(Context::Vinegar)];
  vinegar.erase(std::remove_if(vinegar.begin(), vinegar.end(),
                               [](std::string_view stem) { return stem.starts_with("киселин"); }),
                vinegar.end());
  return marks;
}

const std::array<std::vector<std::string_view>, ContextCount>& Marks() {
  static const auto marks = WithKitchenNames(ContextMarks());
  return marks;
}

// Every form of every noun a part or a mixture is called by: "разтвор", "разтвора", "сплавта",
// "сплави", and what textbooks call a mixture besides, bronze and brass among the alloys, an
// ingot and a casting; "отливката" may be the mould an alloy is in, and is left out.
std::vector<std::string_view> SolutionForms() {
  std::vector<std::string_view> forms = {
      "смес",     "сместа",     "руда",       "рудата",   "руди",      "сок",        "сока",
      "сокът",    "нектар",     "нектара",    "нектарът", "сироп",     "сиропа",     "сиропът",
      "саламура", "саламурата", "морска",     "морската", "разтвори",  "сплави",     "парчета",
      "парче",    "пръстен",    "бронз",      "бронза",   "бронзът",   "месинг",     "месинга",
      "месингът", "белина",     "белината",   "антифриз", "антифриза", "антифризът", "слитък",
      "слитъка",  "слитъкът",   "слитъци",    "отливка",  "петмез",    "петмеза",    "петмезът",
      "конфитюр", "конфитюра",  "конфитюрът", "мармалад", "мармалада", "мармаладът"};
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

// The stem of the context's substance: "сол", "мед", "оцетн".
std::string_view SubstanceStem(Context context) {
  const std::size_t c = static_cast<std::size_t>(context);
  return CommonStem(WordsIn(Texts::ContextTable[c].substance).front(),
                    WordsIn(Texts::SubstanceSubjects[c]).front());
}

constexpr std::array<std::string_view, 7> ClauseEnds = {".", "?", "!", ";", ",", ":", "("};
constexpr std::array<std::string_view, 4> Joins = {"и", "или", "а", "но"};
constexpr std::size_t PhraseWords = 4;

bool IsMetal(Context context) {
  return context == Context::Copper || context == Context::Tin || context == Context::Silver ||
         context == Context::Gold;
}

// Solutions a household names by their use, of a substance the text need not name.
constexpr std::array<std::string_view, 2> HouseholdSolutions = {"белин", "антифриз"};
constexpr std::array<std::string_view, 2> HouseholdWords = {"белина", "антифриз"};

// Produce dried as plums are, each by its stem and its name; grapes dried are raisins.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> OtherProduce = {
    {{"ябълк", "ябълки"},
     {"круш", "круши"},
     {"смокин", "смокини"},
     {"грозд", "грозде"},
     {"стафид", "грозде"}}};

// The stems of a substance a textbook names beside the contexts' own, word by word: "йод" of
// "йод" and "йода", "калиев" and "перманганат" of "калиев перманганат".
std::vector<std::string_view> NamedSubstanceStems(const Texts::Noun& noun) {
  const std::vector<std::string_view> bare = WordsIn(noun.bare);
  const std::vector<std::string_view> definite = WordsIn(noun.definiteShort);
  std::vector<std::string_view> stems;
  for (std::size_t i = 0; i < bare.size() && i < definite.size(); ++i) {
    stems.push_back(CommonStem(bare[i], definite[i]));
  }
  return stems;
}

bool IsNamedSubstance(const Item& item) {
  return std::any_of(Texts::NamedSubstances.begin(), Texts::NamedSubstances.end(),
                     [&item](const Texts::Noun& noun) {
                       const std::vector<std::string_view> stems = NamedSubstanceStems(noun);
                       return std::any_of(
                           stems.begin(), stems.end(),
                           [&item](std::string_view stem) { return StartsWith(item, stem); });
                     });
}

const Texts::Noun* SolventNamedAt(const Item& item) {
  const auto solvent = std::find_if(
      Texts::Solvents.begin(), Texts::Solvents.end(), [&item](const Texts::Noun& noun) {
        return StartsWith(item, CommonStem(noun.bare, noun.definiteShort));
      });
  return solvent == Texts::Solvents.end() ? nullptr : &*solvent;
}

// The substance named by its first word, which no other substance has: "борна" of "борна
// киселина", where "киселина" alone is any acid.
std::string_view NamedSubstanceIn(const Items& items) {
  for (const Texts::Noun& noun : Texts::NamedSubstances) {
    const std::string_view first = NamedSubstanceStems(noun).front();
    if (std::any_of(items.begin(), items.end(),
                    [first](const Item& item) { return StartsWith(item, first); })) {
      return noun.bare;
    }
  }
  return {};
}

// "цинк" of "цинк" and "цинка": a base metal named in any of its forms.
bool IsBaseMetal(const Item& item, const Texts::Noun& metal) {
  return StartsWith(item, CommonStem(metal.bare, metal.definiteShort));
}

bool NamesABaseMetal(const Item& item) {
  return std::any_of(Texts::BaseMetals.begin(), Texts::BaseMetals.end(),
                     [&item](const Texts::Noun& metal) { return IsBaseMetal(item, metal); });
}

bool NamesAMetal(const Item& item) {
  return NamesABaseMetal(item) ||
         std::any_of(Contexts.begin(), Contexts.end(), [&item](Context metal) {
           return IsMetal(metal) && StartsWith(item, SubstanceStem(metal));
         });
}

bool IsPrecious(Context context) {
  return context == Context::Silver || context == Context::Gold;
}

// Bronze's metals, each the other's: tin added to bronze read as of copper holds none of it.
std::optional<Context> AlloyPartner(Context context) {
  if (context == Context::Copper) {
    return Context::Tin;
  }
  return context == Context::Tin ? std::optional<Context>(Context::Copper) : std::nullopt;
}

// "20 г мед" beside silver or gold, "3 кг калай" beside copper, "5 кг цинк" beside any: another
// metal, of none of the one the alloy is read as of.
bool IsOtherMetal(const Item& item, Context context) {
  if (IsMetal(context) && NamesABaseMetal(item)) {
    return true;
  }
  if (const std::optional<Context> partner = AlloyPartner(context)) {
    return StartsWith(item, SubstanceStem(*partner));
  }
  return IsPrecious(context) &&
         std::any_of(Contexts.begin(), Contexts.end(), [&item, context](Context metal) {
           return IsMetal(metal) && metal != context && StartsWith(item, SubstanceStem(metal));
         });
}

// The metal a hallmark is of, named just before it: "злато с проба 900".
std::optional<Context> HallmarkedMetal(const Items& items, std::size_t hallmark) {
  constexpr std::size_t Reach = 3;
  for (std::size_t i = hallmark; i-- > 0 && i + Reach >= hallmark;) {
    for (const auto& [metal, adjective] : PreciousAdjectives) {
      if (StartsWith(items[i], SubstanceStem(metal)) || StartsWith(items[i], adjective)) {
        return metal;
      }
    }
  }
  return std::nullopt;
}

// The substance a percentage measures: "със 75% злато", "съдържа 40% мед", "с 15% захар".
std::optional<Context> MeasuredSubstance(const Items& items,
                                         std::initializer_list<Context> substances) {
  for (std::size_t i = 0; i + 1 < items.size(); ++i) {
    for (const Context substance : substances) {
      if (IsPercent(items[i]) && StartsWith(items[i + 1], SubstanceStem(substance))) {
        return substance;
      }
    }
  }
  return std::nullopt;
}

// The precious metal a hallmark or a percentage measures: "сребро с проба 900", "със 75%
// злато"; none where neither does.
std::optional<Context> MeasuredPrecious(const Items& items,
                                        const std::array<int, ContextCount>& counts) {
  const auto count = [&counts](Context context) {
    return counts[static_cast<std::size_t>(context)];
  };
  if (const std::optional<Context> metal =
          MeasuredSubstance(items, {Context::Silver, Context::Gold})) {
    return metal;
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (IsHallmarkWord(items[i]) && count(Context::Silver) + count(Context::Gold) > 0) {
      return HallmarkedMetal(items, i).value_or(
          count(Context::Silver) >= count(Context::Gold) ? Context::Silver : Context::Gold);
    }
  }
  return std::nullopt;
}

// "сухо вещество", "сухото вещество": what is left of a juice when its water is boiled off.
bool NamesDryMatter(const Items& items) {
  for (std::size_t i = 0; i + 1 < items.size(); ++i) {
    if (StartsWith(items[i], "сух") && StartsWith(items[i + 1], "веществ")) {
      return true;
    }
  }
  return false;
}

// "сок с 12% сухо вещество": juice boiled down is a solution of its dry matter, and named so;
// fresh or dried produce is not juice.
bool IsJuiceOfDryMatter(const Items& items) {
  const auto any = [&items](auto test) { return std::any_of(items.begin(), items.end(), test); };
  const bool named = any([](const Item& item) { return StartsWith(item, "сок"); });
  const bool produce = any([](const Item& item) {
    const Noun noun = NounOf(item, Context::Salt);
    return noun == Noun::Fresh || noun == Noun::Dried;
  });
  return NamesDryMatter(items) && named && !produce;
}

// "солна киселина" is an acid, no salt.
bool IsAcidNamedBySaltAt(const Items& items, std::size_t i) {
  return i + 1 < items.size() && StartsWith(items[i], "солн") &&
         StartsWith(items[i + 1], "киселин");
}

// "200 г 30% сярна киселина", "киселина с концентрация 12%": an acid named with its share is
// a solution of it, though the text never says "разтвор".
bool IsAcidWithItsShare(const Items& items, std::size_t i) {
  if (!StartsWith(items[i], "киселин")) {
    return false;
  }
  const bool after = (i > 0 && IsPercent(items[i - 1])) ||
                     (i > 1 && IsPercent(items[i - 2]) && IsCyrillicWord(items[i - 1]));
  const bool with = i + 2 < items.size() &&
                    (IsWord(items[i + 1], "с") || IsWord(items[i + 1], "със")) &&
                    (IsPercent(items[i + 2]) || MeansPercent(items[i + 2]));
  return after || with;
}

// "вода с 3% сол": water named with its share of what it holds.
bool IsWaterWithItsShare(const Items& items, std::size_t i) {
  return StartsWith(items[i], "вод") && !StartsWith(items[i], "водн") && i + 2 < items.size() &&
         (IsWord(items[i + 1], "с") || IsWord(items[i + 1], "със")) && IsPercent(items[i + 2]);
}

bool NamesWaterWithItsShare(const Items& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (IsWaterWithItsShare(items, i)) {
      return true;
    }
  }
  return false;
}

}  // namespace

namespace {

// "гъби", "ябълк": the produce a text names, fresh or dried.
bool IsProduce(const Item& item) {
  const bool ofContext =
      std::any_of(Texts::ContextTable.begin(), Texts::ContextTable.end(),
                  [&item](const Texts::ContextWords& words) {
                    return !words.fresh.bare.empty() &&
                           StartsWith(item, CommonStem(WordsIn(words.fresh.bare).back(),
                                                       WordsIn(words.fresh.definiteShort).back()));
                  });
  return ofContext || std::any_of(OtherProduce.begin(), OtherProduce.end(),
                                  [&item](const auto& one) { return StartsWith(item, one.first); });
}

// "откъснати", "набрано", "събрани", "брани": how produce is picked.
bool IsPicked(const Item& item) {
  constexpr std::array<std::string_view, 5> Picked = {"откъснат", "набран", "събран", "обран",
                                                      "бран"};
  return StartsWithAny(item, Picked);
}

bool SaysDried(const Item& item) {
  return StartsWith(item, "суш") || StartsWith(item, "изсуш") || StartsWith(item, "стафид");
}

Item FreshWordAt(const Item& item) {
  Item fresh = item;
  fresh.text = "пресни";
  return fresh;
}

// The closing comma of a clause of a few words only that begins at `comma`; none where there is
// none, or a number, another mark or the drying comes first: "набрани и изсушени" are not fresh.
std::optional<std::size_t> ClauseEndAfter(const Items& items, std::size_t comma) {
  constexpr std::size_t MostWords = 5;
  for (std::size_t i = comma + 1; i < items.size() && i <= comma + MostWords + 1; ++i) {
    if (IsMark(items[i], ",")) {
      return i;
    }
    if (items[i].type != ItemType::Word || SaysDried(items[i])) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

// "Ябълките, откъснати от дървото, съдържат …", "20 кг сливи, набрани вчера, …": produce named
// with how it was picked between commas is read as "ябълките пресни", the fresh produce.
void ReadPickedProduceAsFresh(Items& items) {
  for (std::size_t i = 1; i + 2 < items.size(); ++i) {
    // "Сушените ябълки, набрани миналата есен, …" are dried, however they were picked.
    const bool dried = SaysDried(items[i - 1]) || (i >= 2 && SaysDried(items[i - 2]));
    if (!IsMark(items[i], ",") || !IsProduce(items[i - 1]) || !IsPicked(items[i + 1]) || dried) {
      continue;
    }
    if (const std::optional<std::size_t> end = ClauseEndAfter(items, i)) {
      items[i + 1] = FreshWordAt(items[i + 1]);
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(i + 2),
                  items.begin() + static_cast<std::ptrdiff_t>(*end + 1));
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
}

// "Ябълките съдържат 85% вода, а сушените – 20%": produce that opens a sentence as what holds the
// water, in a text that names it dried too, is read as the fresh.
void ReadProduceBesideTheDriedAsFresh(Items& items) {
  const bool dried = std::any_of(items.begin(), items.end(), SaysDried);
  for (std::size_t i = 0; dried && i + 1 < items.size(); ++i) {
    const bool opens = items[i].capital && (i == 0 || items[i - 1].type == ItemType::Mark);
    if (opens && IsProduce(items[i]) && !SaysDried(items[i]) &&
        StartsWith(items[i + 1], "съдърж")) {
      items.insert(items.begin() + static_cast<std::ptrdiff_t>(i + 1), FreshWordAt(items[i]));
    }
  }
}

// "сплав на мед и калай": the metals an alloy is of, as "сплав от мед и калай".
void ReadAlloysOfTheirMetals(Items& items) {
  for (std::size_t i = 0; i + 4 < items.size(); ++i) {
    if (StartsWith(items[i], "сплав") && IsWord(items[i + 1], "на") && NamesAMetal(items[i + 2]) &&
        IsWord(items[i + 3], "и") && NamesAMetal(items[i + 4])) {
      items[i + 1].text = "от";
    }
  }
}

// "разтвори още 40 г захар": the verb, where an amount follows, not the plural of "разтвор".
void ReadDissolvingVerbs(Items& items) {
  for (std::size_t i = 0; i + 1 < items.size(); ++i) {
    const bool amountNext = items[i + 1].type == ItemType::Number || IsWord(items[i + 1], "още");
    if (IsWord(items[i], "разтвори") && amountNext) {
      items[i].text = "разтворил";
    }
  }
}

}  // namespace

void ReadWordsByTheirNeighbours(Items& items) {
  ReadAlloysOfTheirMetals(items);
  ReadDissolvingVerbs(items);
  ReadPickedProduceAsFresh(items);
  ReadProduceBesideTheDriedAsFresh(items);
}

// "проба", "пробата", "проби", but not "Пробен изпит" or "пробна работа" in a pasted heading.
bool IsHallmarkWord(const Item& item) {
  return StartsWith(item, "проб") && !StartsWith(item, "пробн") && !StartsWith(item, "пробен");
}

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

// Words that begin as a substance's stem does but name something else: a locket holds no copper,
// nor does a nurse ("медицинска сестра").
constexpr std::array<std::string_view, 2> LookAlikes = {"медальон", "медицин"};

bool IsLookAlike(std::string_view word, std::string_view stem) {
  return std::any_of(LookAlikes.begin(), LookAlikes.end(), [&](std::string_view other) {
    return other.size() > stem.size() && word.starts_with(other);
  });
}

bool StartsWith(const Item& item, std::string_view stem) {
  return item.type == ItemType::Word && item.text.starts_with(stem) &&
         !IsLookAlike(item.text, stem);
}

bool IsMixtureNoun(const Item& item) {
  return IsWord(item, "смес") || IsWord(item, "сместа");
}

bool IsSolutionWord(const Item& item) {
  static const std::vector<std::string_view> forms = SolutionForms();
  return item.type == ItemType::Word &&
         std::find(forms.begin(), forms.end(), item.text) != forms.end();
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
  // "прясно набраните гъби", "набраните гъби": produce before it is dried.
  constexpr std::array<std::string_view, 5> FreshStems = {"пресн", "прясн", "свеж", "набран",
                                                          "грозд"};
  // "гроздов сок" is juice, no grapes.
  if (StartsWithAny(item, FreshStems) && !StartsWith(item, "гроздов")) {
    return Noun::Fresh;
  }
  if (StartsWith(item, "сушен") || StartsWith(item, "изсушен") || StartsWith(item, "стафид")) {
    return Noun::Dried;
  }
  if (IsSolutionWord(item)) {
    return Noun::Solution;
  }
  // What water is to a solution, the other metals are to an alloy of silver or gold.
  if (IsOtherMetal(item, context)) {
    return Noun::Water;
  }
  // "веществото", "киселината": what a solution holds, named by no context of its own; a juice's
  // "сухо вещество", read as salt's.
  const bool dryMatter = context == Context::Salt && StartsWith(item, "сух");
  const bool named = context == Context::Salt && IsNamedSubstance(item);
  if (StartsWith(item, SubstanceStem(context)) || StartsWithAny(item, UnnamedSubstances) ||
      dryMatter || named) {
    return Noun::Substance;
  }
  return Noun::None;
}

bool NamesSaltWater(const Items& items, std::size_t i) {
  constexpr std::array<std::string_view, 3> Salted = {"морск", "солен", "минерал"};
  const bool water = StartsWith(items[i], "вод") && !StartsWith(items[i], "водн");
  const bool seaAlone =
      StartsWith(items[i], "морск") && (i + 1 >= items.size() || !StartsWith(items[i + 1], "вод"));
  // "вода с 3% сол … получената вода": water named with its share of what it holds, and then
  // as one of the parts.
  const bool asPart = water && i > 0 &&
                      (StartsWith(items[i - 1], "получ") || StartsWith(items[i - 1], "нов") ||
                       OrdinalOf(items[i - 1]) != 0) &&
                      NamesWaterWithItsShare(items);
  return (water && i > 0 && StartsWithAny(items[i - 1], Salted)) || seaAlone ||
         IsWaterWithItsShare(items, i) || asPart;
}

// "разтвор на антифриз": a household's solution named as what another solution holds.
bool IsHouseholdHeldAt(const Items& items, std::size_t i) {
  return i >= 2 && IsWord(items[i - 1], "на") && IsSolutionWord(items[i - 2]) &&
         IsNamedSubstance(items[i]) && StartsWithAny(items[i], HouseholdSolutions);
}

bool NamesHouseholdHeld(const Items& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (IsHouseholdHeldAt(items, i)) {
      return true;
    }
  }
  return false;
}

bool IsPressedFrom(const Items& items, std::size_t i) {
  return i >= 2 && IsWord(items[i - 1], "от") && StartsWith(items[i - 2], "сок");
}

Noun NounAt(const Items& items, std::size_t i, Context context) {
  if (context == Context::Salt && IsHouseholdHeldAt(items, i)) {
    return Noun::Substance;
  }
  // "прясна вода", "чиста вода": water that holds nothing, not fresh produce nor the substance.
  const Noun noun = NounOf(items[i], context);
  // "сок от грозде": what a juice is pressed from, no produce of the problem; "прясно мляко" is
  // milk as a shop sells it, no produce that dries.
  if (noun == Noun::Fresh &&
      (IsPressedFrom(items, i) || (i + 1 < items.size() && StartsWith(items[i + 1], "мляк")))) {
    return Noun::None;
  }
  if ((noun == Noun::Fresh || noun == Noun::Pure) && i + 1 < items.size() &&
      StartsWith(items[i + 1], "вод") && NounOf(items[i + 1], context) == Noun::Water) {
    return Noun::Water;
  }
  // "оцетна есенция": the essence's adjective, not the acid it holds.
  if (noun == Noun::Substance && i + 1 < items.size() &&
      NounOf(items[i + 1], context) == Noun::Concentrate) {
    return Noun::None;
  }
  return NamesSaltWater(items, i) ? Noun::Solution : NounOf(items[i], context);
}

int Priority(Noun noun) {
  constexpr std::array<int, 8> ByNoun = {0, 6, 3, 1, 4, 7, 5, 5};
  return ByNoun[static_cast<std::size_t>(noun)];
}

bool EndsPhrase(const Item& item) {
  return item.type == ItemType::Number ||
         (item.type == ItemType::Mark &&
          std::find(ClauseEnds.begin(), ClauseEnds.end(), item.text) != ClauseEnds.end()) ||
         IsAnyWord(item, Joins);
}

std::optional<std::string_view> PieceStemOf(const Item& item) {
  constexpr std::array<std::string_view, 7> Pieces = {"пръстен",  "гривн", "верижк", "обец",
                                                      "медальон", "монет", "слитъ"};
  const auto* const piece =
      std::find_if(Pieces.begin(), Pieces.end(),
                   [&item](std::string_view stem) { return StartsWith(item, stem); });
  return piece == Pieces.end() ? std::nullopt : std::optional<std::string_view>(*piece);
}

int OrdinalOf(const Item& item) {
  if (StartsWith(item, "първ")) {
    return 1;
  }
  return StartsWith(item, "втор") || StartsWith(item, "друг") ? 2 : 0;
}

Named NamedFrom(const Items& items, std::size_t at, Context context) {
  Named named{Noun::None, at, 0};
  for (std::size_t i = at; i < items.size() && i < at + PhraseWords && !EndsPhrase(items[i]) &&
                           !IsAnyWord(items[i], Prepositions);
       ++i) {
    named.ordinal = std::max(named.ordinal, OrdinalOf(items[i]));
    // "плодов сок" is what a drink holds; "морска вода" is a solution of salt.
    const bool juice = i > at && StartsWith(items[i - 1], "плодов");
    const Noun noun = juice ? Noun::Substance : NounAt(items, i, context);
    if (NamesSaltWater(items, i)) {
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

bool IsSolventAt(const Items& items, std::size_t i) {
  return i >= 2 && SolventNamedAt(items[i]) != nullptr &&
         (IsWord(items[i - 1], "в") || IsWord(items[i - 1], "във")) &&
         IsNamedSubstance(items[i - 2]);
}

std::string_view SolventOf(const Items& items) {
  std::string_view solvent;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (const Texts::Noun* noun = SolventNamedAt(items[i])) {
      if (!IsSolventAt(items, i)) {
        return {};
      }
      solvent = noun->bare;
    }
  }
  return solvent;
}

Context ContextOf(const Items& items, bool& found, bool& several) {
  std::array<int, ContextCount> counts{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    // The solvent of a named substance is no substance of the text's, nor the fruit a juice is
    // pressed from.
    if (IsSolventAt(items, i) || IsAcidNamedBySaltAt(items, i) || IsPressedFrom(items, i)) {
      continue;
    }
    for (std::size_t c = 0; c < ContextCount; ++c) {
      for (const std::string_view stem : Marks()[c]) {
        counts[c] += StartsWith(item, stem) ? 1 : 0;
      }
    }
  }
  // Beside silver or gold that is measured, copper is only the other metal; of bronze's two, the
  // one measured is the alloy's, however often the other is named.
  // "сок с 15% захар", "нектар с 8% захар": a juice named by the sugar it holds is a solution
  // of sugar.
  if (MeasuredSubstance(items, {Context::Sugar}) && !MeasuredSubstance(items, {Context::Juice})) {
    counts[static_cast<std::size_t>(Context::Juice)] = 0;
  }
  std::optional<Context> measured = MeasuredPrecious(items, counts);
  if (!measured) {
    measured = MeasuredSubstance(items, {Context::Copper, Context::Tin});
  }
  const auto best = measured ? counts.begin() + static_cast<std::ptrdiff_t>(*measured)
                             : std::max_element(counts.begin(), counts.end());
  several = false;
  for (std::size_t c = 0; c < ContextCount; ++c) {
    const auto b = static_cast<std::size_t>(best - counts.begin());
    several =
        several || (c != b && counts[c] > 0 && !(IsMetal(Contexts[c]) && IsMetal(Contexts[b])));
  }
  // A hallmark of an alloy of gold and silver: which of the two it measures, the text does not say
  // as a percentage does.
  const auto named = [&counts](Context metal) {
    return counts[static_cast<std::size_t>(metal)] > 0;
  };
  several = several || (named(Context::Silver) && named(Context::Gold) &&
                        !MeasuredSubstance(items, {Context::Silver, Context::Gold}));
  // Apples, pears, figs and grapes are dried as plums are.
  if (*best == 0 && std::any_of(items.begin(), items.end(), [](const Item& item) {
        return std::any_of(OtherProduce.begin(), OtherProduce.end(),
                           [&item](const auto& one) { return StartsWith(item, one.first); });
      })) {
    found = true;
    several = false;
    return Context::Plums;
  }
  // Juice boiled down, of whatever fruit, read as salt's in the text's own words.
  if (IsJuiceOfDryMatter(items) && !several) {
    found = true;
    return Context::Salt;
  }
  // "30% разтвор", "5% белина" of no substance named is read as salt's, the solution school
  // starts with.
  found = *best > 0 || std::any_of(items.begin(), items.end(), [](const Item& item) {
    return IsSolutionWord(item) &&
           (StartsWith(item, "разтвор") || StartsWithAny(item, HouseholdSolutions));
  });
  for (std::size_t i = 0; i < items.size() && !found; ++i) {
    found = IsAcidWithItsShare(items, i);
  }
  return Contexts[static_cast<std::size_t>(best - counts.begin())];
}

std::string_view OwnWordOf(const Items& items, Context context) {
  const auto& marks = Marks()[static_cast<std::size_t>(context)];
  const auto has = [&items](std::string_view stem) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (StartsWith(items[i], stem) && !IsAcidNamedBySaltAt(items, i)) {
        return true;
      }
    }
    return false;
  };
  // "5 кг цинк" added to an alloy: the other metals are that metal where it is the one named
  // beside the alloy's, else they are more than it.
  if (IsMetal(context) && OtherMetalsNamed(items, context) > 0) {
    const auto base = std::find_if(
        Texts::BaseMetals.begin(), Texts::BaseMetals.end(), [&items](const Texts::Noun& metal) {
          return std::any_of(items.begin(), items.end(),
                             [&metal](const Item& item) { return IsBaseMetal(item, metal); });
        });
    if (base != Texts::BaseMetals.end()) {
      return OtherMetalsNamed(items, context) == 1 ? base->bare : std::string_view();
    }
  }
  // "20 г мед" melted into gold, "3 кг калай" into bronze: the other metals are that metal.
  for (const Context metal : {Context::Copper, Context::Tin, Context::Silver, Context::Gold}) {
    const bool other = IsPrecious(context) ? metal != context : AlloyPartner(context) == metal;
    if (other && has(SubstanceStem(metal))) {
      return Texts::ContextTable[static_cast<std::size_t>(metal)].substance;
    }
  }
  // "саламура", "сироп": a solution the text calls by a kitchen's name alone.
  if (!has("разтвор")) {
    if (context == Context::Salt && has("саламур")) {
      return "саламура";
    }
    if (context == Context::Sugar && has("сироп")) {
      return "сироп";
    }
    // "гроздов сок с 20% захар": the juice is the solution of sugar.
    if (context == Context::Sugar && has("сок")) {
      return "сок";
    }
    // "белина", "антифриз": a solution of what the household's word says, read as salt's.
    for (std::size_t h = 0; h < HouseholdSolutions.size(); ++h) {
      if (context == Context::Salt && has(HouseholdSolutions[h])) {
        return HouseholdWords[h];
      }
    }
  }
  if (std::any_of(marks.begin(), marks.end(), has)) {
    return {};
  }
  if (context == Context::Salt && IsJuiceOfDryMatter(items)) {
    return "сухо вещество";
  }
  if (context == Context::Salt && !NamedSubstanceIn(items).empty()) {
    return NamedSubstanceIn(items);
  }
  if (context == Context::Salt) {
    return has("киселин") ? "киселина" : "вещество";
  }
  const auto produce = std::find_if(OtherProduce.begin(), OtherProduce.end(),
                                    [&has](const auto& one) { return has(one.first); });
  return context == Context::Plums && produce != OtherProduce.end() ? produce->second : "";
}

bool MeansPercent(const Item& item) {
  return StartsWith(item, "процент") || StartsWith(item, "концентрац") || IsHallmarkWord(item) ||
         StartsWith(item, "масленост") || StartsWith(item, "съдържани") ||
         StartsWith(item, "цена") || StartsWith(item, "струва") || IsWord(item, "евро") ||
         IsWord(item, "лева");
}

bool IsNamedWithItsShare(const Items& items, std::size_t i, std::size_t end) {
  return i + 2 < end && (IsWord(items[i + 1], "с") || IsWord(items[i + 1], "със")) &&
         (IsHallmarkWord(items[i + 2]) || IsPercent(items[i + 2]));
}

bool IsOtherSubstance(const Item& item, Context context) {
  const Noun noun = NounOf(item, context);
  return (noun == Noun::None || IsOtherMetal(item, context)) &&
         (NamesABaseMetal(item) ||
          std::any_of(Contexts.begin(), Contexts.end(), [&item, context](Context other) {
            return other != context && StartsWith(item, SubstanceStem(other));
          }));
}

std::size_t OtherMetalsNamed(const Items& items, Context context) {
  std::vector<std::string_view> stems;
  for (const Texts::Noun& metal : Texts::BaseMetals) {
    stems.push_back(CommonStem(metal.bare, metal.definiteShort));
  }
  for (const Context metal : Contexts) {
    if (IsMetal(metal) && metal != context) {
      stems.push_back(SubstanceStem(metal));
    }
  }
  return static_cast<std::size_t>(
      std::count_if(stems.begin(), stems.end(), [&items](std::string_view stem) {
        return std::any_of(items.begin(), items.end(),
                           [stem](const Item& item) { return StartsWith(item, stem); });
      }));
}

bool IsCountWord(const Item& item) {
  std::string probe = "1 " + item.text;
  std::string_view rest = probe;
  const std::optional<PupilAnswer> amount = TakeAmount(rest);
  return item.type == ItemType::Word && amount && amount->unit && rest.empty();
}
