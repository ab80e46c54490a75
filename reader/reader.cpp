#include "reader/reader.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "form/lexicon.h"
#include "form/problem_text.h"
#include "form/solution_text.h"
#include "reader/arithmetic.h"
#include "reader/asides.h"
#include "reader/items.h"
#include "reader/parts.h"
#include "reader/question.h"
#include "reader/shape.h"
#include "reader/words.h"
#include "worksheet/solution.h"
#include "worksheet/variants.h"

namespace {

// ---------------------------------------------------------------- the reading

// Words that say a quantity grew or fell.
constexpr std::array<std::string_view, 9> Changes = {"увелич", "намал", "нарасн", "порасн", "спадн",
                                                     "понижи", "повиш", "покач",  "сниж"};
constexpr std::array<std::string_view, 8> MixingStems = {"смеси", "смесв", "смесят", "смесим",
                                                         "добав", "дол",   "стоп",   "прибав"};

constexpr std::array<Column, 3> PercentColumns = {Percent1, Percent2, MixPercent};
constexpr std::array<Column, 3> MassColumns = {Weight1, Weight2, MixWeight};

// What a MissingNumber misses in a price mixture: "цената на сместа", "масата на втория вид".
std::string PriceQuantityName(Column column) {
  constexpr std::array<std::string_view, 3> Kinds = {"първия вид", "втория вид", "сместа"};
  const bool price = column == Percent1 || column == Percent2 || column == MixPercent;
  return std::string(price ? "цената на " : "масата на ") +
         std::string(Kinds[static_cast<std::size_t>(PartOf(column))]);
}

class Reader {
 public:
  // A sub-question is read as a text of its own, but not split again: "а)" inside it is no
  // label.
  enum class Labels : std::uint8_t { Split, Kept };

  explicit Reader(std::string_view text, Labels labels = Labels::Split)
      : text_(text), items_(ItemsOf(text)), asides_(AsidesOf(items_)), labels_(labels) {}

  Reading Read() {
    ReadWordsByTheirNeighbours(items_);
    ShareUnits();
    TakeGoodsOfBothKinds();
    asides_ = AsidesOf(items_);
    ReadOptions();
    const std::vector<std::size_t> labels =
        labels_ == Labels::Split ? SubQuestionLabels() : std::vector<std::size_t>{};
    if (labels.size() > 1) {
      ReadSubQuestions(labels);
    } else {
      Understand();
    }
    WriteNumbers();
    // A number missing that cannot be named may as well be a number read otherwise.
    if (reading_.doubt == Doubt::MissingNumber && reading_.missing.empty()) {
      reading_.doubt = Doubt::TwoReadings;
    }
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
        TakeGoods(i);
        continue;
      }
      // A hallmark: "злато с проба 585" holds 58,5% gold.
      if (item.type == ItemType::Number && item.amount && !item.amount->unit && i > 0 &&
          IsHallmarkWord(items_[i - 1])) {
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

  // "бонбони по 9 €": the goods a price is of. Two words for them, "фъстъци" and "лешници", are
  // two goods, and none is said.
  void TakeGoods(std::size_t price) {
    // "първият вид е по 18 евро": a link or a kind's place, no goods.
    constexpr std::array<std::string_view, 6> NoGoods = {"и", "а", "или", "е", "са", "бил"};
    if (price < 2 || !IsWord(items_[price - 1], "по") || !IsCyrillicWord(items_[price - 2]) ||
        IsAnyWord(items_[price - 2], NoGoods) || OrdinalOf(items_[price - 2]) != 0 ||
        StartsWith(items_[price - 2], "смес")) {
      return;
    }
    const std::string& goods = items_[price - 2].text;
    if (goodsSeen_ && reading_.goods != goods) {
      reading_.goods.clear();
      return;
    }
    if (!goodsSeen_) {
      reading_.goods = goods;
      goodsSeen_ = true;
    }
  }

  // "смес от два вида ядки": the goods both kinds are, where no price names them.
  void TakeGoodsOfBothKinds() {
    if (goodsSeen_ || reading_.currency.empty()) {
      return;
    }
    for (std::size_t i = 1; i + 1 < items_.size(); ++i) {
      if (IsWord(items_[i], "вида") && IsWord(items_[i - 1], "два") &&
          IsCyrillicWord(items_[i + 1])) {
        reading_.goods = items_[i + 1].text;
        goodsSeen_ = true;
        return;
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
      Reading part = Reader(stem + " " + own, Labels::Kept).Read();
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
      option.letter = OptionLetter(items_[i].text);
      for (std::size_t j = i + 2; j < items_.size() && !IsOptionLabel(items_, j); ++j) {
        if (items_[j].type == ItemType::Number && items_[j].amount) {
          option.amounts.push_back(*items_[j].amount);
        }
        option.ratio = option.ratio || (option.amounts.size() == 1 && IsMark(items_[j], ":"));
      }
      reading_.options.push_back(option);
    }
  }

  // "С колко процента е намаляла концентрацията?", "Ако се долеят 100 г вода, с колко процента ще
  // намалее тя?", but not "Колко грама е бил разтворът, ако … концентрацията му спадна от 20% на
  // 12%?": a change told with what it reached is given.
  bool AsksAChange(std::size_t begin, std::size_t end) const {
    for (std::size_t i = begin; i < end; ++i) {
      if (StartsWithAny(items_[i], Changes) && !IsChangeReached(i, end)) {
        return true;
      }
    }
    return false;
  }

  // "спадна от 20% на 12%", "се увеличи на 25%": the percentage a change reached, just after it.
  bool IsChangeReached(std::size_t change, std::size_t end) const {
    std::size_t at = change + 1;
    if (at + 1 < end && IsWord(items_[at], "от") && IsPercent(items_[at + 1])) {
      at += 2;
    }
    return at + 1 < end && IsWord(items_[at], "на") && IsPercent(items_[at + 1]);
  }

  // "концентрацията се увеличила с 15%", "увеличили концентрацията с 15%", "стане по-голяма с
  // 15%", "стане 5% по-малка": by how much, in points of percentage or in a percentage of itself,
  // the text does not say; never what it became. The first such percentage.
  std::optional<std::size_t> ChangedByAPercentage() const {
    for (std::size_t i = 0; i + 1 < asides_.end; ++i) {
      if (IsPercent(items_[i]) && (IsChangeBy(i) || IsComparedBy(i))) {
        return i;
      }
    }
    return std::nullopt;
  }

  // Whether the clause of the percentage at `percent` speaks of a mass: "масата му намаляла с".
  bool SaysMass(std::size_t percent) const {
    for (std::size_t i = percent; i-- > 0 && !EndsPhrase(items_[i]);) {
      if (StartsWith(items_[i], "мас")) {
        return true;
      }
    }
    return false;
  }

  // "увеличили концентрацията му с 15%", "по-голяма с 15%": "с" before the percentage, and a
  // change or a comparison earlier in its clause.
  bool IsChangeBy(std::size_t percent) const {
    static constexpr std::array<std::string_view, 2> By = {"с", "със"};
    if (percent == 0 || !IsAnyWord(items_[percent - 1], By)) {
      return false;
    }
    for (std::size_t i = percent - 1; i-- > 0 && !EndsPhrase(items_[i]);) {
      const bool compared = IsWord(items_[i], "по") && IsMark(items_[i + 1], "-");
      if (StartsWithAny(items_[i], Changes) || compared) {
        return true;
      }
    }
    return false;
  }

  // "5% по-малка", "5%-а по-ниска", "с 5% повече": a percentage than another.
  bool IsComparedBy(std::size_t percent) const {
    // Past the ending of "5%-а"; "по-малка" comes as "по", "-", "малка".
    const std::size_t next = percent + 2 < asides_.end && IsMark(items_[percent + 1], "-") &&
                                     IsCyrillicWord(items_[percent + 2]) &&
                                     !IsWord(items_[percent + 2], "по")
                                 ? percent + 3
                                 : percent + 1;
    return next < asides_.end && ((next + 1 < asides_.end && IsWord(items_[next], "по") &&
                                   IsMark(items_[next + 1], "-")) ||
                                  IsWord(items_[next], "повече"));
  }

  // As the text shows it, a capital: "В" of "в)", "C" of "c)", which a pupil finds on the page.
  static std::string OptionLetter(std::string_view letter) {
    constexpr std::array<std::pair<std::string_view, std::string_view>, 8> Letters = {{{"a", "A"},
                                                                                       {"b", "B"},
                                                                                       {"c", "C"},
                                                                                       {"d", "D"},
                                                                                       {"а", "А"},
                                                                                       {"б", "Б"},
                                                                                       {"в", "В"},
                                                                                       {"г", "Г"}}};
    for (const auto& [typed, capital] : Letters) {
      if (typed == letter) {
        return std::string(capital);
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
    const Items own = OwnItems();
    context_ = ContextOf(own, found, several);
    // Goods mixed by price: the prices in the percentages' place, whatever the goods.
    if (!reading_.currency.empty()) {
      context_ = Context::Salt;
      found = true;
      several = false;
    }
    if (reading_.currency.empty()) {
      reading_.ownWord = OwnWordOf(own, context_);
      reading_.ownHeld = context_ == Context::Salt && NamesHouseholdHeld(own);
    }
    const Grouped grouped = GroupsOf(items_, asides_, context_, !reading_.currency.empty());
    const std::vector<Group>& groups = grouped.groups;
    if (!found) {
      return Doubt(Doubt::NotAboutMixtures);
    }
    if (several) {
      return Doubt(Doubt::TwoReadings);
    }
    // A hallmark measures gold or silver; of an alloy that names neither, it is not known which.
    const bool precious = context_ == Context::Silver || context_ == Context::Gold;
    if (!precious && std::any_of(own.begin(), own.end(), IsHallmarkWord)) {
      return Doubt(Doubt::TwoReadings);
    }
    // "Колко грама спирт да се добавят към … разтвор на йод в спирт": a solvent poured in or
    // asked is not read; one only named is the rest beside the substance, where water would be.
    reading_.solvent = SolventOf(own);
    const bool water = std::any_of(own.begin(), own.end(), [this](const Item& item) {
      return NounOf(item, context_) == Noun::Water;
    });
    if ((reading_.solvent.empty() && IsDissolvedInASolvent(own)) ||
        (!reading_.solvent.empty() && water)) {
      return Doubt(Doubt::TwoReadings);
    }
    if (HasUnexplainedNumber(grouped.used) || HasPercentOfAnother()) {
      return Doubt(Doubt::TwoReadings);
    }
    if (const std::optional<std::size_t> changed = ChangedByAPercentage()) {
      // "масата му намаляла с 60%" is no concentration's change, though it is read no better.
      return Doubt(SaysMass(*changed) ? Doubt::TwoReadings : Doubt::ChangedBy);
    }
    const auto questions = QuestionsOf(items_, asides_.end);
    if (questions.empty()) {
      return Doubt(Doubt::NoQuestion);
    }
    for (const auto& [begin, end] : questions) {
      // "С колко грама се е увеличила солта?", "С колко процента е намаляла концентрацията?": a
      // change from before to after, which no target says.
      if (AsksAChange(begin, end)) {
        return Doubt(Doubt::TwoReadings);
      }
      const std::vector<Target> asked = TargetsOf(items_, begin, end, context_);
      targets_.insert(targets_.end(), asked.begin(), asked.end());
      // "Каква проба има сплавта?" asks a hallmark, whatever the parts are given by.
      reading_.hallmark =
          reading_.hallmark ||
          std::any_of(items_.begin() + static_cast<std::ptrdiff_t>(begin),
                      items_.begin() + static_cast<std::ptrdiff_t>(end), IsHallmarkWord);
    }
    // A question is there, but what it asks is not understood: not that there is none.
    if (targets_.empty()) {
      return Doubt(Doubt::TwoReadings);
    }
    if (!AreSharesKnown()) {
      return Doubt(Doubt::TwoReadings);
    }
    NamedParts parts = PartsOf(groups, items_, context_);
    restated_ = parts.restated;
    if (parts.conflict) {
      return Doubt(Doubt::TwoScenarios);
    }
    Mentions mentions = MentionsOf(items_, grouped.used, asides_.end, context_);
    // Goods mixed by price: "стафиди" are raisins on sale, and nothing dries.
    mentions.evaporates = mentions.evaporates && reading_.currency.empty();
    evaporates_ = mentions.evaporates;
    // Juice boiled down is a concentrate, or petmez of a juice with its sugar, where the text
    // calls it one.
    const auto names = [&own](std::string_view stem) {
      return std::any_of(own.begin(), own.end(),
                         [stem](const Item& item) { return StartsWith(item, stem); });
    };
    if (evaporates_ && reading_.ownWord == "сухо вещество" && names("концентрат")) {
      reading_.mixtureWord = "концентрат";
    } else if (evaporates_ && reading_.ownWord == "сок" && names("петмез")) {
      reading_.mixtureWord = "петмез";
    }
    mixings_ = static_cast<int>(
        std::count_if(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(asides_.end),
                      [](const Item& item) { return StartsWithAny(item, MixingStems); }));
    // "добавили 50 г": fifty grams of what, the text does not say.
    if (reading_.currency.empty() &&
        std::any_of(parts.parts.begin(), parts.parts.end(),
                    [](const Placed& p) { return p.mass && !p.percent && p.noun == Noun::None; })) {
      return Doubt(Doubt::TwoReadings);
    }
    JoinDefined(parts);
    NameOtherMetalsByPart(parts, mentions);
    if (AsksOneOfTheOtherMetals()) {
      return Doubt(Doubt::TwoReadings);
    }
    JoinNamedTwice(parts, mentions);
    AddMentioned(parts, mentions);
    if (IsTwoSteps(parts)) {
      return AsksAKindByPrice() ? Doubt(Doubt::TwoReadings) : SolveTwoSteps(parts);
    }
    if (!FindMixture(parts)) {
      return;
    }
    Order();
    if (!FindsTheGoodsAsked() || !FindsTheKindByPrice() || !FindsTheKindAsked()) {
      return Doubt(Doubt::TwoReadings);
    }
    Solve();
  }

  // "Колко килограма бадеми трябва да се смесят …": goods asked by their own word, where both
  // kinds are named by theirs, are the kind of that word, whatever the question says after; goods
  // of neither kind are not understood.
  bool FindsTheGoodsAsked() {
    if (reading_.currency.empty() || !first_.named || !second_.named) {
      return true;
    }
    for (const auto& [begin, end] : QuestionsOf(items_, asides_.end)) {
      for (std::size_t i = begin; i + 2 < end; ++i) {
        const std::size_t goods = i + 2;
        if (!IsWord(items_[i], "колко") || !IsCountWord(items_[i + 1]) ||
            !IsGoodsWord(items_[goods]) || goods == *first_.named || goods == *second_.named) {
          continue;
        }
        const bool first = NamesSameGoods(items_, *first_.named, goods);
        const bool second = NamesSameGoods(items_, *second_.named, goods);
        if (first && second) {
          continue;  // both kinds' word: the question's other words tell which
        }
        if ((!first && !second) || targets_.size() != 1) {
          return false;
        }
        targets_.front().who = first ? Who::First : Who::Second;
      }
    }
    return true;
  }

  // "Колко килограма малинов сироп трябва да се смесят …": a part asked by the word that tells
  // its kind, where both parts are told so, is the part of that kind, whatever the question says
  // after; each "колко" asks one target, in order.
  bool FindsTheKindAsked() {
    if (!first_.kind || !second_.kind) {
      return true;
    }
    std::size_t asked = 0;
    bool byKind = false;
    for (const auto& [begin, end] : QuestionsOf(items_, asides_.end)) {
      for (std::size_t i = begin; i + 2 < end; ++i) {
        if (!IsWord(items_[i], "колко")) {
          continue;
        }
        const std::size_t target = asked++;
        // "Колко литра от вишневия сок …"
        const std::size_t kind = IsWord(items_[i + 2], "от") && i + 3 < end ? i + 3 : i + 2;
        const bool first = NamesSameGoods(items_, *first_.kind, kind);
        const bool second = NamesSameGoods(items_, *second_.kind, kind);
        if (first == second || !IsCountWord(items_[i + 1])) {
          continue;
        }
        if (target >= targets_.size() || targets_[target].percent) {
          return false;
        }
        targets_[target].who = first ? Who::First : Who::Second;
        byKind = true;
      }
    }
    return !byKind || asked == targets_.size();
  }

  bool AsksAKindByPrice() const {
    return std::any_of(targets_.begin(), targets_.end(), [](const Target& target) {
      return target.who == Who::Dearer || target.who == Who::Cheaper;
    });
  }

  // "Колко килограма от по-скъпите бонбони …": the kind whose price given is the higher, or the
  // lower; not understood where the prices are not both given, or are the same.
  bool FindsTheKindByPrice() {
    for (Target& target : targets_) {
      if (target.who != Who::Dearer && target.who != Who::Cheaper) {
        continue;
      }
      if (reading_.currency.empty() || !first_.percent || !second_.percent) {
        return false;
      }
      const Fraction first = FractionOf(items_[*first_.percent].amount->value);
      const Fraction second = FractionOf(items_[*second_.percent].amount->value);
      if (first == second) {
        return false;
      }
      target.who = (second < first) == (target.who == Who::Dearer) ? Who::First : Who::Second;
    }
    return true;
  }

  static bool IsGoodsWord(const Item& item) {
    return IsCyrillicWord(item) && !IsSolutionWord(item) && OrdinalOf(item) == 0 &&
           NounOf(item, Context::Salt) == Noun::None && !IsAnyWord(item, Prepositions) &&
           !IsWord(item, "от") && !IsWord(item, "по");
  }

  // A percentage of the water is 100% less the substance's only where water is all there is
  // beside it: milk holds more than fat and water, an alloy other metals.
  bool AreSharesKnown() const {
    const bool inWater = context_ != Context::Milk && context_ != Context::Copper &&
                         context_ != Context::Tin && context_ != Context::Silver &&
                         context_ != Context::Gold;
    return std::none_of(targets_.begin(), targets_.end(), [inWater](const Target& target) {
      return target.share == Share::Other || (target.share == Share::Rest && !inWater);
    });
  }

  // "Колко процента вода има в разтвора?": the answers of the percentages asked of the rest
  // beside what the problem's percentages state, 100% less theirs.
  std::vector<Amount> WithRestShares(std::vector<Amount> answers) const {
    std::size_t next = 0;
    for (const Target& target : targets_) {
      if (IsStep(target) || next >= answers.size()) {
        continue;
      }
      Amount& answer = answers[next++];
      if (target.share == Share::Rest && answer.unit == WrittenUnit::Percent) {
        answer = AsRestShare(answer);
      }
    }
    return answers;
  }

  // "Смесили 300 г 10% и 200 г 25% разтвор, после долели 300 г вода": two solutions of known
  // masses and strengths, then water poured into what they make or evaporated from it, each step
  // a verb of its own. Three parts under one verb are mixed at once: no problem of the school's.
  bool IsTwoSteps(const NamedParts& parts) const {
    if (parts.parts.size() != 3 || parts.mixture.mass || !reading_.currency.empty() ||
        !RecipeOf(context_, Kind::TwoSteps) || mixings_ + (evaporates_ ? 1 : 0) < 2) {
      return false;
    }
    const auto water = std::find_if(parts.parts.begin(), parts.parts.end(),
                                    [](const Placed& p) { return p.noun == Noun::Water; });
    // A solution's number may be missing: the problem is then said to miss it.
    const bool solutions = std::all_of(parts.parts.begin(), parts.parts.end(), [](const Placed& p) {
      return p.noun == Noun::Water ||
             ((p.noun == Noun::Solution || p.noun == Noun::None) && (p.mass || p.percent));
    });
    const bool waterLast =
        water != parts.parts.end() &&
        std::all_of(parts.parts.begin(), parts.parts.end(),
                    [&water](const Placed& p) { return p.begin <= water->begin; });
    return solutions && waterLast;
  }

  // The first step mixes the two solutions; the second pours the water into their mixture or
  // evaporates it, and asks the new percentage from the water or the water for it.
  void SolveTwoSteps(const NamedParts& parts) {
    water_ = parts.parts.back();
    first_ = parts.parts[0];
    second_ = parts.parts[1];
    mixture_ = parts.mixture;
    Order();
    const std::optional<WrittenUnit> written = MassUnit();
    unit_ = written ? ProblemUnit(*written).value_or(Unit::Gram) : NumbersOf(context_).unit;
    // The first step's four numbers are all given, or the one missing is named.
    for (const auto& [number, column] : {std::pair{first_.percent, Percent1},
                                         {second_.percent, Percent2},
                                         {first_.mass, Weight1},
                                         {second_.mass, Weight2}}) {
      if (!number) {
        reading_.missing = QuantityName(column);
        return Doubt(Doubt::MissingNumber);
      }
    }
    std::array<Fraction, ColumnCount> mixing{};
    bool given = false;
    mixing[Percent1] = *PercentOf(first_, given);
    mixing[Percent2] = *PercentOf(second_, given);
    const std::optional<Fraction> w1 = MassOf(first_);
    const std::optional<Fraction> w2 = MassOf(second_);
    const std::optional<Fraction> water = MassOf(*water_);
    if (!w1 || !w2 || (water_->mass && !water)) {
      return Doubt(Doubt::TwoReadings);
    }
    mixing[Weight1] = *w1;
    mixing[Weight2] = *w2;
    const std::optional<std::array<Fraction, ColumnCount>> mixingSolved = Solved(0, mixing);
    if (!mixingSolved) {
      return Doubt(Doubt::Impossible);
    }
    mixing = *mixingSolved;
    // The water given and the percentage asked, or the percentage given and the water asked.
    const bool percentGiven = mixture_.percent.has_value();
    if (water_->mass.has_value() == percentGiven) {
      if (water_->mass) {
        return Doubt(Doubt::TwoReadings);
      }
      // Neither given: the water is what a textbook gives with two solutions mixed.
      reading_.missing = "масата на водата";
      return Doubt(Doubt::MissingNumber);
    }
    const VariantIndex variant = percentGiven ? 1 : 0;
    std::array<Fraction, ColumnCount> second{};
    second[Percent1] = mixing[MixPercent];
    second[Weight1] = mixing[MixWeight];
    second[Percent2] = 0;
    if (percentGiven) {
      second[MixPercent] = FractionOf(items_[*mixture_.percent].amount->value);
    } else {
      second[Weight2] = evaporates_ ? Fraction(0) - *water : *water;
    }
    const std::optional<std::array<Fraction, ColumnCount>> secondSolved = Solved(variant, second);
    if (!secondSolved) {
      return Doubt(Doubt::Impossible);
    }
    second = *secondSolved;
    const bool leaves = second[Weight2] < 0;
    if (leaves != evaporates_ || !IsReal(second, leaves, false)) {
      return Doubt(Doubt::Impossible);
    }
    // The solution tells water that leaves from the problem's sign of it, which a result of no
    // whole tenths does not hold.
    if (leaves && !TenthsOf(second[Weight2])) {
      return Doubt(Doubt::TwoReadings);
    }
    FinishTwoSteps(variant, mixing, second);
  }

  // A part's mass in the problem's unit; none where its unit measures something else.
  std::optional<Fraction> MassOf(const Placed& part) const {
    if (!part.mass) {
      return std::nullopt;
    }
    const Item& mass = items_[*part.mass];
    return Converted(FractionOf(mass.amount->value), *mass.amount->unit, WrittenOf(unit_),
                     part.noun == Noun::Water);
  }

  void FinishTwoSteps(VariantIndex variant, const std::array<Fraction, ColumnCount>& mixing,
                      const std::array<Fraction, ColumnCount>& second) {
    const Column sought = variant == 0 ? MixPercent : Weight2;
    const auto asks = [sought](const Target& target) {
      return target.percent == (sought == MixPercent) && !target.difference && !target.ratio &&
             target.who != Who::First && target.who != Who::Second;
    };
    if (targets_.size() != 1 || !asks(targets_.front())) {
      return Doubt(Doubt::TwoReadings);
    }
    std::optional<Problem> problem = ProblemOf({Kind::TwoSteps,
                                                context_,
                                                variant,
                                                {Ingredient::Solution, Ingredient::Water},
                                                unit_,
                                                {sought},
                                                Asked::Amounts},
                                               second);
    if (!problem) {
      return Doubt(Doubt::TwoReadings);
    }
    // The model holds the first step in tenths, and the second starts from its mixture: a
    // "16,(6)%" it cannot hold.
    std::array<Tenths, ColumnCount> firstStep{};
    for (const Column column : AllColumns) {
      const std::optional<Tenths> tenths = TenthsOf(mixing[column]);
      if (!tenths) {
        return Doubt(Doubt::TwoReadings);
      }
      firstStep[column] = *tenths;
    }
    problem->firstStep = firstStep;
    reading_.answers = WithRestShares(AnswersOf(*problem, second, {targets_.front().unit}));
    reading_.values = second;
    JudgeOptions(reading_, false);
    reading_.problem = std::move(problem);
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

  // "Сплав от мед и калай съдържа 40% мед", read as of tin: a percentage of the other metal.
  bool HasPercentOfAnother() const {
    for (std::size_t i = 0; i + 1 < asides_.end; ++i) {
      if (IsPercent(items_[i]) &&
          (IsOtherSubstance(items_[i + 1], context_) || IsOfAnotherNamedBefore(i))) {
        return true;
      }
    }
    return false;
  }

  // "за да стане калаят 20%", "съдържанието на калай 20%" of an alloy read as of copper: a
  // percentage of the other metal, said before it, where no substance is named after it.
  bool IsOfAnotherNamedBefore(std::size_t percent) const {
    constexpr std::size_t Reach = 3;
    // "Сплав от сребро и мед с проба 750": a hallmark measures the precious metal, whatever is
    // named before it.
    if (NounOf(items_[percent + 1], context_) == Noun::Substance ||
        (percent > 0 && IsHallmarkWord(items_[percent - 1]))) {
      return false;
    }
    for (std::size_t i = percent; i-- > 0 && i + Reach >= percent && !EndsPhrase(items_[i]);) {
      if (IsOtherSubstance(items_[i], context_)) {
        return true;
      }
    }
    return false;
  }

  static bool IsDissolvedInASolvent(const Items& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (IsSolventAt(items, i)) {
        return true;
      }
    }
    return false;
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

  // "Бронзът е сплав, която съдържа 88% мед. Към 40 кг бронз …": a sentence of its own that
  // says what a part holds, and the part given after it by its noun and mass alone.
  void JoinDefined(NamedParts& parts) const {
    if (parts.parts.size() < 2) {
      return;
    }
    const Placed& defined = parts.parts.front();
    if (defined.noun != Noun::Solution || !defined.percent || defined.mass ||
        !IsAloneInSentence(*defined.percent)) {
      return;
    }
    const auto givenLater = [&defined](const Placed& p) {
      return p.noun == Noun::Solution && p.mass && !p.percent && p.ordinal == defined.ordinal;
    };
    const auto later = std::find_if(parts.parts.begin() + 1, parts.parts.end(), givenLater);
    if (later == parts.parts.end() || std::count_if(later, parts.parts.end(), givenLater) != 1) {
      return;
    }
    later->percent = defined.percent;
    later->begin = defined.begin;
    parts.parts.erase(parts.parts.begin());
  }

  // Whether the number at `at` is the only one of its sentence.
  bool IsAloneInSentence(std::size_t at) const {
    const auto ends = [this](std::size_t i) {
      return IsMark(items_[i], ".") || IsMark(items_[i], "?") || IsMark(items_[i], "!");
    };
    std::size_t begin = at;
    while (begin > 0 && !ends(begin - 1)) {
      --begin;
    }
    std::size_t end = at;
    while (end < asides_.end && !ends(end)) {
      ++end;
    }
    for (std::size_t i = begin; i < end; ++i) {
      if (i != at && items_[i].type == ItemType::Number && asides_.of[i].empty()) {
        return false;
      }
    }
    return true;
  }

  // "Сплав от мед, калай и цинк": tin named beside copper is the other metals only where it is
  // the one other metal named, or a part, added; else they are more than it.
  void NameOtherMetalsByPart(const NamedParts& parts, const Mentions& mentions) {
    const bool part =
        mentions.water || std::any_of(parts.parts.begin(), parts.parts.end(),
                                      [](const Placed& p) { return p.noun == Noun::Water; });
    if (IsOfMetal() && OtherMetalsNamed(OwnItems(), context_) > 1 && !part) {
      reading_.ownWord.clear();
    }
  }

  // "Сплав от мед, калай и цинк. Колко калай има в нея?": the rest of the alloy is more than the
  // one metal asked.
  bool AsksOneOfTheOtherMetals() const {
    return IsOfMetal() && OtherMetalsNamed(OwnItems(), context_) > 1 &&
           std::any_of(targets_.begin(), targets_.end(),
                       [](const Target& target) { return target.who == Who::Water; });
  }

  bool IsOfMetal() const {
    return context_ == Context::Copper || context_ == Context::Tin || context_ == Context::Silver ||
           context_ == Context::Gold;
  }

  // The problem's own items, before its options or a printed answer.
  Items OwnItems() const {
    return {items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(asides_.end)};
  }

  // "За туршия е нужна 12% саламура. … за 25 кг саламура?", "Имаме 10% саламура. … в 30 кг
  // саламура?": nothing mixed, and the one solution named twice, by its percentage and by its
  // mass.
  void JoinNamedTwice(NamedParts& parts, const Mentions& mentions) const {
    const auto solution = [](const Placed& p) {
      return p.noun == Noun::Solution || p.noun == Noun::None;
    };
    const auto percentOnly = [&](const Placed& p) { return solution(p) && p.percent && !p.mass; };
    const auto massOnly = [&](const Placed& p) { return solution(p) && p.mass && !p.percent; };
    // "Сплав … е с проба 900. … към 45 г от сплавта": some of the one named, whatever is done
    // with it.
    const auto someOf = [&](const Placed& p) {
      return massOnly(p) && p.named && *p.named > 0 && IsWord(items_[*p.named - 1], "от");
    };
    if (parts.parts.size() >= 2 && percentOnly(parts.parts[0]) && someOf(parts.parts[1])) {
      parts.parts[1].percent = parts.parts[0].percent;
      parts.parts.erase(parts.parts.begin());
      return;
    }
    if (mixings_ > 0 || evaporates_ || mentions.dissolves || parts.mixture.percent ||
        parts.parts.empty() || !percentOnly(parts.parts.front())) {
      return;
    }
    if (parts.parts.size() == 1 && parts.mixture.mass) {
      parts.mixture.percent = parts.parts.front().percent;
      parts.parts.clear();
    } else if (parts.parts.size() == 2 && !parts.mixture.mass && massOnly(parts.parts.back())) {
      parts.parts.back().percent = parts.parts.front().percent;
      parts.parts.erase(parts.parts.begin());
    }
  }

  void AddMentioned(NamedParts& parts, const Mentions& mentions) {
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
    // "Колко грама 20% разтвор може да се приготви от 50 г сол?", "Колко литра 6% оцет може да се
    // приготви от 0,3 л 70% есенция?": the water goes unsaid. An essence that something is
    // poured into is no such one.
    const bool made = has([this](const Placed& p) {
      return p.noun == Noun::Pure || p.noun == Noun::Substance ||
             (p.noun == Noun::Concentrate && mixings_ == 0);
    });
    const bool madeFromPure =
        parts.parts.size() == 2 && !parts.mixture.mass && !parts.mixture.percent && made &&
        has([](const Placed& p) { return p.noun == Noun::Solution && !p.mass; }) &&
        !has([](const Placed& p) { return p.noun == Noun::Water; });
    if (madeFromPure) {
      parts.parts.push_back({Noun::Water, {}, {}, items_.size(), 0});
    }
    // Beside the substance dissolved or an essence diluted, the water; beside a solution, another
    // of unknown strength.
    if (parts.parts.size() == 1) {
      const Noun noun = parts.parts.front().noun;
      const bool diluted =
          noun == Noun::Pure || noun == Noun::Substance || noun == Noun::Concentrate;
      parts.parts.push_back({diluted ? Noun::Water : Noun::Solution, {}, {}, items_.size(), 2});
    }
  }

  // "Колко грама захар има в 500 г 5% разтвор?", "В 400 г разтвор има 36 г сол.": nothing is
  // mixed, and the one solution is made of its substance and the water.
  void TakeApart(NamedParts& parts, const Mentions& mentions) {
    const auto isSolution = [](const Placed& p) {
      return (p.noun == Noun::Solution || p.noun == Noun::None) && (p.mass || p.percent);
    };
    const auto solutions = std::count_if(parts.parts.begin(), parts.parts.end(), isSolution);
    const bool others = std::all_of(parts.parts.begin(), parts.parts.end(), [&](const Placed& p) {
      return isSolution(p) || p.noun == Noun::Pure || p.noun == Noun::Substance;
    });
    // "Колко процента вода има в разтвора?" asks the solution's water too.
    const bool asked = std::any_of(targets_.begin(), targets_.end(), [](const Target& target) {
      return target.who == Who::Pure || target.who == Who::Water || target.share == Share::Rest;
    });
    const bool pure = mentions.pure || asked || parts.parts.size() > 1;
    // "в него се разтворят още 100 г захар" adds to the solution.
    if (mixings_ > 0 || evaporates_ || mentions.dissolves || parts.mixture.mass ||
        parts.mixture.percent || solutions != 1 || !others || !pure) {
      return;
    }
    const auto solution = std::find_if(parts.parts.begin(), parts.parts.end(), isSolution);
    reading_.described = true;
    parts.mixture = *solution;
    parts.parts.erase(solution);
    if (parts.parts.empty()) {
      parts.parts.push_back({Noun::Pure, {}, {}, items_.size(), 0});
    }
    parts.parts.push_back({Noun::Water, {}, {}, items_.size(), 0});
  }

  // The mixture: what the text obtains, or the one solution beside water and the substance.
  bool FindMixture(NamedParts& parts) {
    if (parts.parts.size() == 3 && !parts.mixture.mass && !parts.mixture.percent) {
      std::vector<std::size_t> solutions;
      for (std::size_t i = 0; i < parts.parts.size(); ++i) {
        const Noun noun = parts.parts[i].noun;
        if ((noun == Noun::Solution || noun == Noun::None) && !parts.parts[i].mass) {
          solutions.push_back(i);
        }
      }
      if (solutions.size() == 1) {
        const Placed lone = parts.parts[solutions.front()];
        // A percentage nothing says was obtained is the mixture's only where no part's
        // percentage is asked, or where it is named as the mixture's: "В 600 г разтвор захарта е
        // 25%. Каква ще е концентрацията на разтвора, ако се долеят 150 г вода?" asks the one the
        // text gives; "… и сместа е 22%" says whose it is.
        const bool partsPercentAsked = std::any_of(
            targets_.begin(), targets_.end(),
            [](const Target& target) { return target.percent && target.who != Who::Mixture; });
        if (partsPercentAsked && !(lone.named && IsMixtureNoun(items_[*lone.named]))) {
          Doubt(Doubt::TwoReadings);
          return false;
        }
        parts.mixture = lone;
        parts.parts.erase(parts.parts.begin() + static_cast<std::ptrdiff_t>(solutions.front()));
      }
    }
    // Three parts mixed are three parts given; a third only named, as "оцетна киселина" in
    // "Колко литра оцетна киселина има в получения оцет?", may be read otherwise.
    const auto given = std::count_if(parts.parts.begin(), parts.parts.end(),
                                     [](const Placed& p) { return p.mass || p.percent; });
    if (parts.parts.size() > 2) {
      Doubt(mixings_ > 1 ? Doubt::TwoScenarios
            : given > 2  ? Doubt::ThreeParts
                         : Doubt::TwoReadings);
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
    if (IsWeakenedUnknown()) {
      std::swap(first_, second_);
    }
  }

  // "Към 400 г разтвор долели 100 г вода и получили 8% разтвор": a solution of unknown strength
  // weakened by water, the grid's second part, whose percentage it finds from the first, the
  // water. Water that leaves is the second part only: such a text is not read.
  bool IsWeakenedUnknown() const {
    const bool solution = first_.noun == Noun::Solution || first_.noun == Noun::None;
    return solution && first_.mass && !first_.percent && second_.noun == Noun::Water &&
           second_.mass && mixture_.percent && !evaporates_;
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
    // A text that writes no mass, as a ratio may, speaks of masses: a percentage is of the mass.
    const std::optional<WrittenUnit> written = MassUnit();
    unit_ = written ? ProblemUnit(*written).value_or(Unit::Gram) : Unit::Gram;
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
    const std::optional<std::array<Fraction, ColumnCount>> exactSolved = Solved(*variant, exact);
    if (!exactSolved) {
      return Doubt(Doubt::Impossible);
    }
    exact = *exactSolved;
    for (const Column column : AllColumns) {
      if (values[column] && *values[column] != exact[column]) {
        return Doubt(Doubt::Impossible);  // a given more than the shape needs, that disagrees
      }
    }
    // "В 500 г 20% разтвор има 100 г сол. Колко грама сол има в разтвора?": what the text gives
    // is not what it asks, so one of its numbers means something else.
    for (const Column column : SoughtColumns(*variant)) {
      if (IsStated(column)) {
        return Doubt(Doubt::TwoReadings);
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

  // Whether a number of the text gives the column, not worked out from others nor unsaid.
  bool IsStated(Column column) const {
    const std::array<const Placed*, 3> parts = {&first_, &second_, &mixture_};
    const Placed& part = *parts[static_cast<std::size_t>(::PartOf(column))];
    const bool percent =
        std::find(PercentColumns.begin(), PercentColumns.end(), column) != PercentColumns.end();
    return (percent ? part.percent : part.mass).has_value();
  }

  // "масата на разтвора", "процентното съдържание на сол в сплавта": what a MissingNumber
  // misses, in the words the solution would name it with, not the grid's.
  std::string QuantityName(Column column) const {
    if (!reading_.currency.empty()) {
      return PriceQuantityName(column);
    }
    Problem problem;
    problem.context = context_;
    problem.first = IngredientOf(first_.noun);
    problem.second = IngredientOf(second_.noun);
    const Texts::PartWords words = Texts::PartWordsOf(problem);
    const std::string& part = words.names[static_cast<std::size_t>(::PartOf(column))];
    if (column == Percent1 || column == Percent2 || column == MixPercent) {
      // Produce's percentages are of its water, as the problem states them.
      const bool water = StatedShareOf(context_) == StatedShare::Water;
      return "процентното съдържание на " + (water ? std::string("вода") : words.substance) + " " +
             Texts::In(part);
    }
    return (unit_ == Unit::Litre ? "обемът на " : "масата на ") + part;
  }

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
          target.difference && target.substances
              ? std::vector<Column>{Weight1, Percent1, Weight2, Percent2}
          : target.difference ? std::vector<Column>{Weight1, Weight2}
          : part              ? std::vector<Column>{MassColumns[*part], PercentColumns[*part]}
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
        // "получили концентрат": what juice boiled down is called is the mixture.
        part = first_.noun == Noun::Concentrate ? 0 : mixture_.noun == Noun::Concentrate ? 2 : 3;
        break;
      case Who::First:
        // "първоначалния разтвор" is the solution, placed second beside the water poured in.
        part = first_.noun == Noun::Water ? 1 : 0;
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
      case Who::Same:
        part = TheOneSolution();
        break;
      case Who::Piece:
        part = PartCastAs(*target.pieceItem);
        break;
      case Who::Unknown:
      case Who::Each:
      case Who::Dearer:
      case Who::Cheaper:
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

  // "Имаме 80% разтвор на сол. Колко грама от него и колко грама вода …": the one solution
  // beside water or the substance; none where both parts are solutions.
  std::optional<std::size_t> TheOneSolution() const {
    const auto isSolution = [](const Placed& part) { return part.noun == Noun::Solution; };
    if (isSolution(first_) == isSolution(second_)) {
      return std::nullopt;
    }
    return isSolution(first_) ? 0 : 1;
  }

  // "Колко грама тежи гривната?": the one part named by the piece's noun; none where both are.
  std::optional<std::size_t> PartCastAs(std::size_t item) const {
    const std::optional<std::string_view> stem = PieceStemOf(items_[item]);
    if (IsCastAs(first_, *stem) == IsCastAs(second_, *stem)) {
      return std::nullopt;
    }
    return IsCastAs(first_, *stem) ? 0 : 1;
  }

  // "сребърна гривна с проба 750": the piece named among the part's words, or in the few words
  // just before its first number.
  bool IsCastAs(const Placed& part, std::string_view stem) const {
    constexpr std::size_t Before = 4;
    std::size_t from =
        std::min({part.begin, part.mass.value_or(part.begin), part.percent.value_or(part.begin)});
    for (std::size_t back = 0; back < Before && from > 0 && items_[from - 1].type == ItemType::Word;
         ++back) {
      --from;
    }
    for (std::size_t i = from; i <= LastNumberOf(part); ++i) {
      if (PieceStemOf(items_[i]) == stem) {
        return true;
      }
    }
    return false;
  }

  std::size_t PartWithPercent(std::size_t item) const {
    for (const auto& [again, own] : restated_) {
      item = item == again ? own : item;
    }
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
    TakeTheSolutionWatered();
    const Recipe recipe{IngredientOf(first_.noun), IngredientOf(second_.noun)};
    std::vector<Column> sought =
        asked == Asked::Ratio ? std::vector<Column>{Weight1, Weight2} : SoughtColumns(variant);
    // "Колко процента вода има в разтвора?" of one solution described: 100% less its
    // substance's, a step after what the text gives.
    const bool waterOnly = sought.empty() && reading_.described && !targets_.empty() &&
                           std::all_of(targets_.begin(), targets_.end(), [](const Target& t) {
                             return t.percent && t.share == Share::Rest && !t.difference;
                           });
    // Only steps after what the text gives: the problem is what the grid would work out of it.
    reading_.stepsOnly = waterOnly || (sought.empty() && !targets_.empty() &&
                                       std::all_of(targets_.begin(), targets_.end(),
                                                   [this](const Target& t) { return IsStep(t); }));
    // A price mixture's working names prices and masses, no step after them.
    const bool step = std::any_of(targets_.begin(), targets_.end(),
                                  [this](const Target& t) { return IsStep(t); });
    if (!reading_.currency.empty() && step) {
      return Doubt(Doubt::TwoReadings);
    }
    if (reading_.stepsOnly) {
      const VariantRule& rule = RuleOf(variant);
      sought.assign(rule.results.begin(), rule.results.end());
    }
    const std::optional<Kind> kind = KindOf(variant, context_, recipe, leaves, asked, sought);
    if (!kind || sought.empty()) {
      return Doubt(Doubt::TwoReadings);
    }
    std::optional<Problem> problem =
        ProblemOf({*kind, context_, variant, recipe, unit_, sought, asked, true}, exact);
    if (!problem) {
      return Doubt(Doubt::TwoReadings);
    }
    std::vector<std::optional<WrittenUnit>> units;
    for (const Target& target : targets_) {
      if (!IsStep(target)) {
        units.push_back(target.unit);
      }
    }
    reading_.answers =
        waterOnly
            ? std::vector<Amount>{AsRestShare({exact[MixPercent], WrittenUnit::Percent})}
            : WithDifferences(*problem, exact, WithRestShares(AnswersOf(*problem, exact, units)));
    if (!IsInAskedUnits(reading_.answers) || !AreDifferencesAsSaid(exact)) {
      reading_.answers.clear();
      return Doubt(Doubt::TwoReadings);
    }
    reading_.values = exact;
    JudgeOptions(reading_, problem->asked == Asked::Ratio);
    reading_.problem = std::move(problem);
  }

  // "Колко литра е сместа?" of kilograms of a solution: its litres are not its kilograms, as
  // water's are, and an answer in the problem's unit would not say what is asked.
  bool IsInAskedUnits(const std::vector<Amount>& answers) const {
    for (std::size_t i = 0; i < answers.size() && i < targets_.size(); ++i) {
      const std::optional<WrittenUnit> asked = targets_[i].unit;
      if (asked && *asked != WrittenUnit::Percent && answers[i].unit != *asked) {
        return false;
      }
    }
    return true;
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
      const Fraction gap = Gap(exact, target);
      const Fraction size = part < 3 ? SubstanceOf(exact, part) : gap < 0 ? Fraction(0) - gap : gap;
      const WrittenUnit own = WrittenOf(problem.unit);
      const std::optional<Fraction> value = Converted(size, own, target.unit.value_or(own), false);
      Amount amount{value.value_or(size), value ? target.unit.value_or(own) : own,
                    target.difference};
      if (part < 3) {
        amount.substanceOf = MassColumns[part];
      }
      amount.substances = target.substances;
      amount.compared = target.compared;
      ordered.push_back(amount);
    }
    return ordered;
  }

  static Fraction SubstanceOf(const std::array<Fraction, ColumnCount>& exact, std::size_t part) {
    return exact[MassColumns[part]] * exact[PercentColumns[part]] / 100;
  }

  // The first part's mass, or substance, less the second's.
  static Fraction Gap(const std::array<Fraction, ColumnCount>& exact, const Target& target) {
    return target.substances ? SubstanceOf(exact, 0) - SubstanceOf(exact, 1)
                             : exact[Weight1] - exact[Weight2];
  }

  // "С колко грама повече …" of the part that is less, or of two equal masses, asks what the
  // numbers do not say; two equal amounts of the substance are answered as equal.
  bool AreDifferencesAsSaid(const std::array<Fraction, ColumnCount>& exact) const {
    return std::none_of(targets_.begin(), targets_.end(), [&exact](const Target& target) {
      const Fraction gap = Gap(exact, target);
      return target.difference &&
             ((gap == 0 && !target.substances) || (target.larger == 1 && gap < 0) ||
              (target.larger == 2 && gap > 0));
    });
  }

  // A question that is no quantity of the grid but one step after them: a difference of the
  // masses, or the substance in a part that is not the pure substance itself. Of the substance
  // dissolved in water, the solution's substance is the pure part's mass, a quantity of the grid.
  // "Колко грама сол има в разтвора?" where water is poured in or leaves: the salt is the same
  // before and after, so either solution is meant; the one given is taken.
  void TakeTheSolutionWatered() {
    const auto solution = [](const Placed& part) {
      return part.noun == Noun::Solution || part.noun == Noun::None;
    };
    const bool firstWatered = solution(first_) && second_.noun == Noun::Water;
    const bool secondWatered = solution(second_) && first_.noun == Noun::Water;
    if (!firstWatered && !secondWatered) {
      return;
    }
    for (Target& target : targets_) {
      if (target.who == Who::Pure && target.within == Who::Solution) {
        target.within = firstWatered ? Who::First : Who::Second;
      }
    }
  }

  bool IsStep(const Target& target) const {
    const std::optional<std::size_t> part = PartOf(target.within);
    const bool dissolved = first_.noun == Noun::Water || second_.noun == Noun::Water;
    return target.difference || (target.who == Who::Pure && part && !IsPurePart(*part) &&
                                 !(dissolved && (IsPurePart(0) || IsPurePart(1))));
  }

  bool IsPurePart(std::size_t part) const {
    const std::array<const Placed*, 3> parts = {&first_, &second_, &mixture_};
    return IsAddedThing(parts[part]->noun) && parts[part]->noun != Noun::Water;
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

  // "6 лв.", "14 € за килограм": a price ends where the text's words for it end, its currency
  // and the measure it is of with it; any other number is one item.
  std::size_t PriceEndOf(std::size_t i) const {
    if (reading_.currency.empty() || i + 1 >= items_.size() || CurrencyOf(items_[i + 1]).empty()) {
      return i;
    }
    std::size_t last = i + 1;
    if (IsWord(items_[last], "лв") && last + 1 < items_.size() && IsMark(items_[last + 1], ".")) {
      ++last;
    }
    if (last + 2 < items_.size() && IsWord(items_[last + 1], "за") &&
        (StartsWith(items_[last + 2], "килограм") || IsWord(items_[last + 2], "кг"))) {
      last += 2;
    }
    return last;
  }

  void WriteNumbers() {
    const std::array<std::pair<const Placed*, std::size_t>, 3> parts = {
        {{&first_, 0}, {&second_, 1}, {&mixture_, 2}}};
    for (std::size_t i = 0; i < items_.size(); ++i) {
      const Item& item = items_[i];
      if (item.type != ItemType::Number) {
        continue;
      }
      const std::size_t end = items_[PriceEndOf(i)].end;
      ReadNumber number{
          item.begin,  end,          std::string(text_.substr(item.begin, end - item.begin)),
          item.amount, std::nullopt, std::string(asides_.of[i]),
          false};
      if (reading_.problem) {
        for (const auto& [part, p] : parts) {
          if (part->mass == i) {
            number.column = MassColumns[p];
          } else if (part->percent == i) {
            number.column = PercentColumns[p];
          }
        }
        // Of two steps, the solutions are the first step's parts and the water the second's.
        number.firstStep = water_ && number.column && *number.column != MixPercent;
        if (water_ && water_->mass == i) {
          number.column = Weight2;
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
      const bool again = std::any_of(restated_.begin(), restated_.end(),
                                     [i](const auto& pair) { return pair.first == i; });
      if (reading_.problem && again && !number.column && number.aside.empty()) {
        number.aside = "повтаря вече дадено число";
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
  Labels labels_;
  Context context_ = Context::Salt;
  std::vector<Target> targets_;
  Placed first_;
  Placed second_;
  Placed mixture_;
  std::optional<Placed> water_;  // of the second of two steps; none for one step
  std::vector<std::pair<std::size_t, std::size_t>> restated_;  // as NamedParts holds them
  bool evaporates_ = false;
  bool goodsSeen_ = false;  // a price's goods were named, the same each time or apart
  int mixings_ = 0;         // the verbs that mix: two mixings are two scenarios
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
  // Numbers beyond what exact fractions hold anywhere in the working: no answer rather than a
  // rounded one.
  if (std::optional<Reading> read = Exactly([&] { return Reader(text).Read(); })) {
    return *std::move(read);
  }
  Reading reading;
  reading.doubt = Doubt::Impossible;
  return reading;
}
