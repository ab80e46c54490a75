#include "form/problem_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "form/lexicon.h"
#include "form/solution_text.h"
#include "form/texts.h"
#include "problems/letters.h"
#include "worksheet/number_text.h"
#include "worksheet/variants.h"

namespace Texts {

namespace {

constexpr std::string_view RatioLabel = "В какво отношение?";

constexpr std::array<std::string_view, 4> LevelNames = {"Ниво 1", "Ниво 2", "Ниво 3", "Смесени"};

// Each kind's wordings, in the order of Kind. Every one names each given of its kind, starts
// with a word (never a number), and asks for the kind's sought quantities in their order.
constexpr std::string_view MixTwoWordings[] = {
    "{mixedPast} {part1} и {part2}. Какво е процентното съдържание на {substance} {inMix}?",
    "Ако {mixWe} {part1} и {part2}, какъв процент {substance} ще съдържа {mixSubject}?",
    "Към {part1} добавиха {part2}{andMelted}. Колко процента {substance} има {inMix}?",
};
constexpr std::string_view AddWaterWordings[] = {
    "Колко {units} вода трябва да се долеят към {part1}, за да стане процентното съдържание на "
    "{substance} {pm}?",
    "В съд има {part1}. Колко {units} вода трябва да се долеят, за да се получи {kindMix}?",
    "Колко {units} вода са нужни, за да разредим {part1} до {pm}?",
};
constexpr std::string_view AddPureWordings[] = {
    "Колко {units} {pure} трябва да се добавят към {part1}, за да стане процентното съдържание "
    "на {substance} {pm}?",
    "Към {part1} добавиха {pure} и получиха {kindMix}. Колко {units} {pure} са добавени?",
};
constexpr std::string_view TopUpWithWaterWordings[] = {
    "Към {part1} доляха вода до {wm}. Какво е процентното съдържание на {substance} {inMix}?",
    "В съд има {part1}. Доляха вода и получиха {wm} {mixNoun}. Колко процента "
    "{substance} има {inMix}?",
};
constexpr std::string_view UnknownSecondStrengthWordings[] = {
    "От {part1} и {w2} {other} получиха {kindMixShort}. Какъв процент {substance} съдържа "
    "{secondSubject}?",
    "Към {part1} добавиха {w2} {other}{meltedThen} и получиха {kindMixShort}. Колко процента "
    "{substance} има "
    "{inSecond}?",
};
constexpr std::string_view FirstForMixtureWordings[] = {
    "Колко {units} {kind1} трябва да се добавят към {part2}, за да се получи {kindMixShort}?",
    "Колко {units} {kind1} трябва да се {mixThey} {withPart2}, за да се получи {kindMixShort}?",
};
constexpr std::string_view SecondFromMixtureWordings[] = {
    "Към {part1} добавиха {other}{meltedThen} и получиха {mixShort}. Колко {units} е "
    "{secondSubject} и какъв "
    "процент {substance} съдържа?",
    "От {part1} и {other} получиха {mixShort}. Колко {units} от {secondObject} са използвани и "
    "какъв процент {substance} съдържа {secondPronoun}?",
};
constexpr std::string_view EachForMixtureWordings[] = {
    "Колко {units} {kind1} и колко {units} {kind2} трябва да {mixWe}, за да получим {mixShort}?",
    "Искаме да получим {mix}, като {mixWe} {kinds}. Колко {units} от {firstObject} и "
    "колко от {secondAlone} трябва да вземем?",
};
constexpr std::string_view EvaporationWordings[] = {
    "От {part1} се изпарява вода, докато процентното съдържание на {substance} стане {pm}. Колко "
    "{units} вода са се изпарили?",
    "Колко {units} вода трябва да се изпарят от {part1}, за да се получи {kindMix}?",
    "От {part1} изпариха част от водата и получиха {kindMix}. Колко {units} вода са изпарени?",
};

constexpr std::string_view DissolvingWordings[] = {
    "Колко {units} {substance} и колко {units} вода са нужни, за да се приготвят {mixShort}?",
    "Трябва да се приготвят {mix}. Колко {units} {substance} трябва да се разтворят и в колко "
    "{units} вода?",
    "Като разтвориха {substance} във вода, получиха {mixShort}. Колко {units} {substance} и колко "
    "{units} вода са използвани?",
};
constexpr std::string_view DissolvedPercentWordings[] = {
    "В {w2} вода разтвориха {w1} {substance}. Колко процента е {substanceSubject} {inMix}?",
    "Разтвориха {w1} {substance} в {w2} вода. Какво е процентното съдържание на {substance} "
    "{inMix}?",
    "Ученик разтвори {w1} {substance} в {w2} вода. Какъв процент {substance} съдържа "
    "{mixSubject}?",
    "Към {w2} вода добавиха {w1} {substance} и разбъркаха, докато {substanceSubject} се "
    "разтвори. Колко процента {substance} има {inMix}?",
};
constexpr std::string_view SolutionFromSubstanceWordings[] = {
    "Колко {units} {kindMixShort} може да се приготви от {w1} {substance} и колко {units} вода "
    "са нужни за това?",
    "Разтвориха {w1} {substance} във вода и получиха {kindMixShort}. Колко {units} е "
    "{mixSubject} и колко {units} вода са използвани?",
    "От {w1} {substance} трябва да се приготви {kindMixShort}. Колко {units} {mixNoun} ще се "
    "получи и колко {units} вода трябва да се добавят?",
    "Ученик има {w1} {substance} и иска да приготви {kindMixShort}. Колко {units} {mixNoun} ще "
    "получи и колко {units} вода трябва да добави?",
};
constexpr std::string_view UnknownStartWordings[] = {
    "Към {kind1} доляха {w2} вода и получиха {kindMix}. Колко {units} е {was} {startSubject}?",
    "След като към {kind1} доляха {w2} вода, процентното съдържание на {substance} намаля на "
    "{pm}. Колко {units} е {was} {startSubject}?",
    "В съд има {kind1}. Ако се долеят {w2} вода, ще се получи {kindMix}. Колко {units} {mixNoun} "
    "има в съда?",
};
// The percentages of produce are of its water, as the problem states them.
constexpr std::string_view DryingWordings[] = {
    "{firstSubject} съдържат {p1} вода, а сушените – {pm}. Колко {units} {kindMix} се получават "
    "от {w1} пресни?",
    "Изсушиха {part1} {withP1} вода и получиха {kindMix} {withPm} вода. Колко {units} са "
    "{mixSubject}?",
    "{firstSubject} съдържат {p1} вода. Сушиха {part1}, докато съдържанието на вода в тях стане "
    "{pm}. Колко {units} {kindMix} се получиха?",
};
constexpr std::string_view RatioForMixtureWordings[] = {
    "В какво отношение трябва да се {mixThey} {kinds}, за да се получи {kindMixShort}?",
    "Имаме {kind1} и {kind2}. В какво отношение трябва да ги {mixWe}, за да получим "
    "{kindMixShort}?",
    "{mixedPast} {kind1} {withKind2} и получиха {kindMixShort}. В какво отношение са взети "
    "{both}?",
    "От {kind1} и {kind2} трябва да се получи {kindMixShort}. В какво отношение трябва да се "
    "{mixThey}?",
};

// Two steps are worded by how the second ends: water of a known amount, poured in or evaporated,
// and the new solution's percentage asked; or the water for a known percentage asked.
constexpr std::string_view WaterPouredWordings[] = {
    "{mixedPast} {parts}. Към {mixedObject} доляха {water} вода. Какво е процентното съдържание "
    "на {substance} {inMix}?",
    "{mixedPast} {parts}, а след това доляха {water} вода. Колко процента {substance} има {inMix}?",
};
constexpr std::string_view WaterEvaporatedWordings[] = {
    "{mixedPast} {parts}. От {mixedObject} изпариха {water} вода. Какво е процентното съдържание "
    "на {substance} {inMix}?",
    "{mixedPast} {parts}, а след това изпариха {water} вода. Колко процента {substance} има "
    "{inMix}?",
};
constexpr std::string_view WaterToPourWordings[] = {
    "{mixedPast} {parts}. Колко {units} вода трябва да се долеят към {mixedObject}, за да стане "
    "процентното съдържание на {substance} {pm}?",
    "{mixedPast} {parts}. Колко {units} вода трябва да се добавят, за да се получи {kindMix}?",
};
constexpr std::string_view WaterToEvaporateWordings[] = {
    "{mixedPast} {parts}. Колко {units} вода трябва да се изпарят от {mixedObject}, за да стане "
    "процентното съдържание на {substance} {pm}?",
    "{mixedPast} {parts}. Колко {units} вода трябва да се изпарят, за да се получи {kindMix}?",
};
constexpr std::string_view SubstanceInSolutionWordings[] = {
    "Колко {units} {substance} има в {mixShort}?",
    "В съд има {mix}. Колко {units} {substance} има в него?",
    "Приготвиха {mix}. Колко {units} {substance} са разтворени в него?",
    "Колко {units} {substance} трябва да се разтворят във вода, за да се получи {mixShort}?",
};

// How each wording of these kinds asks for the water or the pure substance, in its order, so that
// the hints and the solution ask and tell it in the same tense.
struct ChangeTense {
  std::string_view asked;
  std::string_view told;
};
constexpr ChangeTense AddWaterTenses[] = {{"трябва да се долеят", "Трябва да се долеят"},
                                          {"трябва да се долеят", "Трябва да се долеят"},
                                          {"са нужни", "Нужни са"}};
constexpr ChangeTense AddPureTenses[] = {{"трябва да се добавят", "Трябва да се добавят"},
                                         {"са добавени", "Добавени са"}};
constexpr ChangeTense EvaporationTenses[] = {{"са се изпарили", "Изпарили са се"},
                                             {"трябва да се изпарят", "Трябва да се изпарят"},
                                             {"са изпарени", "Изпарени са"}};
constexpr ChangeTense WaterToPourTenses[] = {{"трябва да се долеят", "Трябва да се долеят"},
                                             {"трябва да се добавят", "Трябва да се добавят"}};
constexpr ChangeTense WaterToEvaporateTenses[] = {{"трябва да се изпарят", "Трябва да се изпарят"}};

constexpr std::array<std::span<const std::string_view>, KindCount> Wordings = {
    MixTwoWordings,
    AddWaterWordings,
    AddPureWordings,
    TopUpWithWaterWordings,
    UnknownSecondStrengthWordings,
    FirstForMixtureWordings,
    SecondFromMixtureWordings,
    EachForMixtureWordings,
    EvaporationWordings,
    DissolvingWordings,
    DissolvedPercentWordings,
    SolutionFromSubstanceWordings,
    UnknownStartWordings,
    DryingWordings,
    RatioForMixtureWordings,
    WaterPouredWordings,
    SubstanceInSolutionWordings};

std::span<const std::string_view> WordingsOf(const Problem& problem) {
  if (problem.kind != Kind::TwoSteps) {
    return Wordings[static_cast<std::size_t>(problem.kind)];
  }
  const bool asksWater = problem.sought.front() == Weight2;
  if (WaterLeft(problem)) {
    return asksWater ? std::span<const std::string_view>(WaterToEvaporateWordings)
                     : WaterEvaporatedWordings;
  }
  return asksWater ? std::span<const std::string_view>(WaterToPourWordings) : WaterPouredWordings;
}

using Slots = std::vector<std::pair<std::string_view, std::string>>;

// The pattern with each "{name}" replaced by its slot's text.
std::string Fill(std::string_view pattern, const Slots& slots) {
  std::string text;
  while (!pattern.empty()) {
    const std::size_t open = pattern.find('{');
    text += pattern.substr(0, open);
    if (open == std::string_view::npos) {
      break;
    }
    const std::size_t close = pattern.find('}', open);
    const std::string_view name = pattern.substr(open + 1, close - open - 1);
    const auto slot = std::find_if(slots.begin(), slots.end(),
                                   [name](const auto& entry) { return entry.first == name; });
    if (slot == slots.end()) {
      throw std::logic_error("a wording names a slot that no problem fills");
    }
    text += slot->second;
    pattern.remove_prefix(close + 1);
  }
  return text;
}

// "200 г", and a percentage close to its number, as textbooks print it: "30%".
std::string Quantity(Tenths value, Unit unit) {
  std::string text = value.Text();
  if (unit != Unit::Percent) {
    text += ' ';
  }
  text += UnitSymbol(unit);
  return text;
}

std::string Joined(std::string_view first, std::string_view second) {
  std::string text(first);
  text += ' ';
  text += second;
  return text;
}

// What a part is called: with its percentage ("10% разтвор на сол") or on its own ("вода").
struct PortionWords {
  std::string portion;
  Noun noun;
};

// What holds none of the substance: water, or beside an alloy's metal the other metals.
const Noun& RestOf(const ContextWords& words) {
  return words.solution.bare == AlloyNoun.bare ? OtherMetals : WaterNoun;
}

PortionWords WordsOf(const ContextWords& words, Ingredient ingredient, Tenths percent) {
  // "сплав {withP} мед" is "сплав с 60% мед", but "сплав със 75% мед".
  const std::string quantity = Quantity(percent, Unit::Percent);
  const Slots percentSlot = {{"p", quantity}, {"withP", With(quantity)}};
  switch (ingredient) {
    case Ingredient::Solution:
      return {Fill(words.solutionPortion, percentSlot), words.solution};
    case Ingredient::Concentrate:
      return {Fill(words.concentratePortion, percentSlot), EssenceNoun};
    case Ingredient::Water:
      return {std::string(RestOf(words).bare), RestOf(words)};
    case Ingredient::PureSubstance:
      return {std::string(words.pure.bare), words.pure};
    case Ingredient::Fresh:
      return {std::string(words.fresh.bare), words.fresh};
  }
  throw std::invalid_argument("no such ingredient");
}

// The pure substance dissolved in water is what it is: "50 г сол", not "чиста сол".
PortionWords FirstWordsOf(const Problem& problem, const ContextWords& words) {
  if (problem.first != Ingredient::PureSubstance) {
    return WordsOf(words, problem.first, problem.Value(Percent1));
  }
  const auto context = static_cast<std::size_t>(problem.context);
  return {
      std::string(words.substance),
      {words.substance, words.pure.gender, SubstanceObjects[context], SubstanceSubjects[context]}};
}

// "15% разтвор" where the substance is said in the same sentence: the percentage before the noun
// needs no "на сол" after it. Other portions stay whole: "сплав със 75% злато".
std::string ShortKind(const ContextWords& words, const PortionWords& part, Tenths percent) {
  const std::string_view portion =
      part.noun.bare == EssenceNoun.bare ? words.concentratePortion : words.solutionPortion;
  const bool named = part.noun.bare == words.solution.bare || part.noun.bare == EssenceNoun.bare;
  if (named && portion.starts_with("{p} ")) {
    return Joined(Quantity(percent, Unit::Percent), part.noun.bare);
  }
  return part.portion;
}

// A part as a sentence points back at it: by its place ("първия разтвор") where both parts are
// the same thing, otherwise by its name ("есенцията", "водата").
std::string Reference(const Noun& noun, const Forms& ordinal, bool sameThings, Article article) {
  return sameThings ? Joined(ordinal.For(noun.gender, article), noun.bare)
                    : std::string(noun.Definite(article));
}

std::string MixtureReference(const Noun& noun, Article article) {
  return Joined(ObtainedForms.For(noun.gender, article), noun.bare);
}

// "2 : 3".
std::string RatioText(Ratio ratio) {
  return std::to_string(ratio.first) + " : " + std::to_string(ratio.second);
}

// Every text a wording or a label of a problem of one step may name.
Slots OneStepSlots(const Problem& problem) {
  const ContextWords& words = ContextTable[static_cast<std::size_t>(problem.context)];
  const PortionWords first = FirstWordsOf(problem, words);
  const PortionWords second = WordsOf(words, problem.second, problem.Value(Percent2));
  const PortionWords mixture = WordsOf(words, Ingredient::Solution, problem.Value(MixPercent));
  const std::string mixtureShort = ShortKind(words, mixture, problem.Value(MixPercent));
  const bool same = first.noun.bare == second.noun.bare;
  const Gender secondGender = second.noun.gender;
  const std::string firstObject = Reference(first.noun, FirstForms, same, Article::Short);
  const std::string secondObject = Reference(second.noun, SecondForms, same, Article::Short);
  const std::string mixtureObject = MixtureReference(mixture.noun, Article::Short);
  const auto quantity = [&problem](Column column) { return AnswerAmount(problem, column); };
  const bool alloy = mixture.noun.bare == AlloyNoun.bare;
  // Metals are not mixed but melted together.
  const MixVerbs& verbs = alloy ? Melting : Mixing;
  // Both percentages before one noun where it follows them: "30% и 40% разтвор на сол".
  const bool percentsFirst = same && words.solutionPortion.starts_with("{p} ");
  const std::string kinds =
      percentsFirst
          ? Fill(words.solutionPortion, {{"p", quantity(Percent1) + " и " + quantity(Percent2)}})
          : first.portion + " и " + second.portion;
  return {
      {"p1", quantity(Percent1)},
      {"withP1", With(quantity(Percent1))},
      {"w1", quantity(Weight1)},
      {"p2", quantity(Percent2)},
      {"w2", quantity(Weight2)},
      {"pm", quantity(MixPercent)},
      {"withPm", With(quantity(MixPercent))},
      {"wm", quantity(MixWeight)},
      {"units", std::string(CountedUnits[static_cast<std::size_t>(problem.unit)])},
      {"substance", std::string(words.substance)},
      {"pure", std::string(words.pure.bare)},
      {"kind1", first.portion},
      {"kind2", second.portion},
      {"kindMix", mixture.portion},
      {"kinds", kinds},
      {"both", std::string(first.noun.both)},
      {"part1", Joined(quantity(Weight1), first.portion)},
      {"part2", Joined(quantity(Weight2), second.portion)},
      {"withPart2", With(Joined(quantity(Weight2), second.portion))},
      {"withKind2", With(second.portion)},
      {"mix", Joined(quantity(MixWeight), mixture.portion)},
      {"kindMixShort", mixtureShort},
      {"mixShort", Joined(quantity(MixWeight), mixtureShort)},
      {"substanceSubject",
       std::string(SubstanceSubjects[static_cast<std::size_t>(problem.context)])},
      {"startSubject", Joined(StartForms.For(first.noun.gender, Article::Full), first.noun.bare)},
      {"was", std::string(WasForms.For(first.noun.gender, Article::Full))},
      // "друг разтвор" after the first part has named the substance.
      {"other", Joined(OtherForms.For(secondGender, Article::Short), words.solution.bare)},
      {"firstObject", firstObject},
      {"firstSubject", FirstCapital(Reference(first.noun, FirstForms, same, Article::Full))},
      {"inFirst", In(firstObject)},
      {"secondObject", secondObject},
      {"secondSubject", Reference(second.noun, SecondForms, same, Article::Full)},
      {"inSecond", In(secondObject)},
      {"secondPronoun", std::string(PronounForms.For(secondGender, Article::Full))},
      // "колко от втория" where the noun was just said, "колко от водата" where it was not.
      {"secondAlone", same ? std::string(SecondForms.For(secondGender, Article::Short))
                           : std::string(second.noun.definiteShort)},
      {"mixNoun", std::string(mixture.noun.bare)},
      {"mixedPast", std::string(verbs.past)},
      {"mixWe", std::string(verbs.we)},
      {"mixThey", std::string(verbs.they)},
      // An alloy added to another is melted with it: "добавиха …, стопиха ги заедно и получиха".
      {"andMelted", alloy ? " и ги стопиха заедно" : ""},
      {"meltedThen", alloy ? ", стопиха ги заедно" : ""},
      {"mixSubject", MixtureReference(mixture.noun, Article::Full)},
      {"inMix", In(mixtureObject)},
      {"ratio", problem.asked == Asked::Ratio ? RatioText(MassRatio(problem)) : std::string()},
  };
}

const std::string& SlotText(const Slots& slots, std::string_view name) {
  return std::find_if(slots.begin(), slots.end(),
                      [name](const auto& slot) { return slot.first == name; })
      ->second;
}

// Two steps name the first step's parts, its mixture as "получения разтвор", and what the water
// makes of it as "новия разтвор"; the rest as the second step, whose second part is the water.
Slots TwoStepSlots(const Problem& problem) {
  const Slots mixing = OneStepSlots(FirstStepOf(problem));
  const Noun& noun = ContextTable[static_cast<std::size_t>(problem.context)].solution;
  // Both percentages before one noun where it follows them: "300 г 10% и 200 г 25% разтвор на сол".
  const std::string_view portion =
      ContextTable[static_cast<std::size_t>(problem.context)].solutionPortion;
  const std::string parts =
      portion.starts_with("{p} ")
          ? Fill(portion, {{"p", SlotText(mixing, "w1") + " " + SlotText(mixing, "p1") + " и " +
                                     SlotText(mixing, "w2") + " " + SlotText(mixing, "p2")}})
          : SlotText(mixing, "part1") + " и " + SlotText(mixing, "part2");
  Slots slots = {
      {"parts", parts},
      {"mixedPast", SlotText(mixing, "mixedPast")},
      {"mixedObject", MixtureReference(noun, Article::Short)},
      {"water", AnswerAmount(problem, Weight2)},
      {"inMix", In(Joined(NewForms.For(noun.gender, Article::Short), noun.bare))},
      {"mixSubject", Joined(NewForms.For(noun.gender, Article::Full), noun.bare)},
  };
  const Slots second = OneStepSlots(problem);
  slots.insert(slots.end(), second.begin(), second.end());
  return slots;
}

// Every text a wording or a label may name.
Slots SlotsOf(const Problem& problem) {
  return problem.firstStep ? TwoStepSlots(problem) : OneStepSlots(problem);
}

// What a box's question counts, where it names it: "Колко грама {kind1}?" asks for an amount of the
// first kind. Empty where the question names a part instead ("Колко грама е вторият разтвор?").
std::string_view CountedPattern(const Problem& problem, Column column) {
  if (column == Weight1) {
    return "{kind1}";  // every variant gives the first part's percentage
  }
  if (column == Weight2 && problem.IsGiven(Percent2)) {
    return "{kind2}";
  }
  // Dried produce is counted as it is named: "Колко килограма сушени гъби?".
  if (column == MixWeight && problem.first == Ingredient::Fresh) {
    return "{kindMix}";
  }
  return {};
}

std::string LabelPattern(const Problem& problem, Column column) {
  const std::string_view counted = CountedPattern(problem, column);
  if (!counted.empty()) {
    return "Колко {units} " + std::string(counted) + "?";
  }
  switch (column) {
    case Percent1:
      return "Колко процента {substance} има {inFirst}?";
    case Percent2:
      return "Колко процента {substance} има {inSecond}?";
    case MixPercent:
      return "Колко процента {substance} има {inMix}?";
    case Weight2:
      return "Колко {units} е {secondSubject}?";
    case MixWeight:
      return "Колко {units} е {mixSubject}?";
    case Weight1:
      break;  // counted, above
  }
  throw std::invalid_argument("no such column");
}

// What is said of an answer, by its verdict, in patterns whose slots FeedbackSlots fills.
struct Said {
  Verdict verdict;
  std::string_view pattern;
};

// Whole sentences about one answer: {answer} names it.
constexpr std::array<Said, 10> Sentences = {{
    {Verdict::Right, "Вярно!"},
    {Verdict::Empty, "Въведи {answer} в полето."},
    {Verdict::Swapped, "Отговорите са разменени: провери какво се пита във всяко поле."},
    {Verdict::RightInOtherUnit, "Вярно е, но запиши {answer} в {boxUnits}."},
    {Verdict::Unreadable, "Напиши {answer} с цифри, например 12,5."},
    {Verdict::NotOneNumber, "Запиши {inBox} само едно число, например 12,5."},
    {Verdict::WrongUnit, "Провери мерната единица: {answerSubject} тук е в {boxUnits}."},
    // A bare number a thousand times the answer is no fault of counting but of the unit.
    {Verdict::GramsForKilograms,
     "Провери мерната единица: {answerSubject} тук е в {boxUnits}, а числото ти изглежда в "
     "{smallerUnits}."},
    {Verdict::RatioNotInLowestTerms, "Вярно! Отношението може да се съкрати до {ratio}."},
    {Verdict::NotARatio, "Запиши отношението с две числа и знака „:“ между тях."},
}};

// Why an answer is wrong, after "Не е вярно: " or after the words that say which answer it is.
// None gives the right answer away.
constexpr std::array<Said, 21> Reasons = {{
    {Verdict::AverageOfPercentages,
     "процентното съдържание на {substance} {inMixture} не е средното аритметично на двата "
     "процента – то зависи и от {amounts} на {bothParts}."},
    {Verdict::MassesNotAdded,
     "{amount} на {mixtureName} е сборът от {amounts} на {bothParts} – провери {whichAmount} се "
     "търси."},
    {Verdict::MixtureForPart, "толкова е {mixtureSubject}, а се пита за {partAmount}."},
    {Verdict::PercentAsWholeNumber,
     "изглежда, че процентът е използван като цяло число, а не като стотни (30% = 30 : 100 = "
     "0,3)."},
    {Verdict::PartForPercent,
     "това е частта като десетична дроб, а не процентът – умножи я по 100."},
    {Verdict::PercentagesAdded,
     "процентите на {bothParts} не се събират – процентното съдържание на {substance} "
     "{inMixture} е между тях."},
    {Verdict::RemainingForEvaporated,
     "толкова е {solution} след изпаряването, а се пита колко вода се е изпарила."},
    {Verdict::MixtureForAddedWater,
     "толкова е {solution} след доливането, а се пита колко вода е долята."},
    {Verdict::SubstanceForAddedWater,
     "толкова {units} {substance} има и преди, и след доливането, а се пита колко вода е долята."},
    {Verdict::OldMassForAddedPure,
     "когато добавяме {pure}, масата расте, затова новият процент се пресмята от новата маса, а не "
     "от старата. Помисли кое не се променя."},
    {Verdict::MassDividedByPercent,
     "изглежда, че масата на разтвора е разделена на процента, а {pm} от едно число са "
     "{pmNumber} стотни от него."},
    {Verdict::PercentOfWater,
     "процентът се пресмята от масата на целия разтвор – {substance} и вода заедно, а не само от "
     "масата на водата."},
    {Verdict::SolutionForWater,
     "толкова е целият разтвор, а водата е разтворът без {substanceSubject}."},
    {Verdict::SubstanceForSolution,
     "така се пресмята колко {substance} има в разтвора; тук {substanceSubject} е дадена, а се "
     "търси целият разтвор."},
    {Verdict::MixtureForStart,
     "толкова е {solution} след доливането, а се пита колко е {was} преди него."},
    {Verdict::WaterPercentForDryMatter,
     "в задачата са дадени процентите на водата. {SubstanceSubject} е останалата част до 100%."},
    {Verdict::WaterLostForDried,
     "толкова вода се е изпарила при сушенето, а се пита колко {units} са {mixtureSubject}."},
    {Verdict::MixedForNew,
     "толкова процента {substance} има в {mixtureObject} след смесването, а се пита за "
     "{newObject} след {afterWater}."},
    {Verdict::Negative, "търсеното количество не може да е отрицателно число."},
    {Verdict::Wrong, "провери пресмятанията и опитай отново."},
    {Verdict::RatioTurnedRound,
     "отношението е обърнато. Първото число трябва да е за {kind1}, а второто – за {kind2}, "
     "както са дадени в задачата."},
}};

constexpr std::string_view WrongLead = "Не е вярно: ";

// Said of two boxes, by the place of the one they are about.
constexpr std::array<std::string_view, 2> FillTheOther = {"Попълни и първото поле.",
                                                          "Попълни и второто поле."};
constexpr std::string_view AllEmpty = "Въведи отговорите в полетата.";
constexpr std::array<std::string_view, 2> OnlyThisWrong = {
    "Вторият отговор е верен, но първият не е: ", "Първият отговор е верен, но вторият не е: "};
constexpr std::string_view BothWrong = "Нито един от двата отговора не е верен. Започни с първия: ";

// How a sentence names the answer it is about.
struct AnswerNames {
  std::string_view object;   // "Напиши отговора"
  std::string_view subject;  // "отговорът тук е"
  std::string_view inBox;    // "Запиши в полето"
};
constexpr AnswerNames OnlyAnswer = {"отговора", "отговорът", "в полето"};
constexpr std::array<AnswerNames, 2> AnswersByPlace = {
    {{"първия отговор", "първият отговор", "в първото поле"},
     {"втория отговор", "вторият отговор", "във второто поле"}}};
constexpr AnswerNames BothAnswers = {"и двата отговора", "и двата отговора", "в полетата"};

// The unit a thousand times smaller than a box's, as "в" takes it; in the order of Unit, empty
// where the boxes have none.
constexpr std::array<std::string_view, 4> SmallerUnitsInPlural = {"", "грамове", "милилитри", ""};

// The words for what a mixture's mass is, or for litres its volume.
struct AmountWords {
  std::string_view amount;
  std::string_view amountObject;  // "се пита за обема"
  std::string_view amounts;
  std::string_view whichAmount;
};
constexpr AmountWords MassWords = {"масата", "масата", "масите", "коя маса"};
constexpr AmountWords VolumeWords = {"обемът", "обема", "обемите", "кой обем"};

// The amount of the part a box asks for, in the problem's words: "масата на първия разтвор",
// "масата на чистата мед", "обема на втория оцет".
std::string AskedPartAmount(const Problem& problem, Column box, const AmountWords& amount) {
  const ContextWords& words = ContextTable[static_cast<std::size_t>(problem.context)];
  const Noun first = FirstWordsOf(problem, words).noun;
  const Noun second = WordsOf(words, problem.second, problem.Value(Percent2)).noun;
  const bool same = first.bare == second.bare;
  const std::string part = box == Weight1 ? Reference(first, FirstForms, same, Article::Short)
                                          : Reference(second, SecondForms, same, Article::Short);
  return std::string(amount.amountObject) + " на " + part;
}

Slots FeedbackSlots(const Problem& problem, Column box, const AnswerNames& names) {
  const ContextWords& words = ContextTable[static_cast<std::size_t>(problem.context)];
  const AmountWords& amount = problem.unit == Unit::Litre ? VolumeWords : MassWords;
  const PartWords parts = PartWordsOf(problem);
  const std::string newObject =
      Joined(NewForms.For(words.solution.gender, Article::Short), words.solution.bare);
  const std::string mixtureObject = MixtureReference(words.solution, Article::Short);
  // Of two steps, the water goes into the first step's mixture and makes the new solution.
  const std::string mixtureName = problem.firstStep ? newObject : parts.names[2];
  const std::string bothParts = problem.firstStep
                                    ? mixtureObject + " и " + std::string(WaterNoun.definiteShort)
                                    : parts.bothParts;
  return {
      {"answer", std::string(names.object)},
      {"answerSubject", std::string(names.subject)},
      {"inBox", std::string(names.inBox)},
      {"smallerUnits",
       std::string(SmallerUnitsInPlural[static_cast<std::size_t>(UnitOf(problem, box))])},
      // A solution only given, not made in the problem, is no "полученият разтвор".
      {"mixtureSubject",
       problem.kind == Kind::SubstanceInSolution
           ? Joined(WholeForms.For(words.solution.gender, Article::Full), words.solution.bare)
           : MixtureReference(words.solution, Article::Full)},
      {"partAmount", AskedPartAmount(problem, box, amount)},
      {"boxUnits", std::string(UnitsInPlural[static_cast<std::size_t>(UnitOf(problem, box))])},
      {"units", std::string(CountedUnits[static_cast<std::size_t>(problem.unit)])},
      {"substance", std::string(words.substance)},
      {"pure", std::string(words.pure.bare)},
      {"substanceSubject",
       std::string(SubstanceSubjects[static_cast<std::size_t>(problem.context)])},
      {"SubstanceSubject",
       FirstCapital(SubstanceSubjects[static_cast<std::size_t>(problem.context)])},
      {"solution", std::string(words.solution.definiteFull)},
      {"mixtureObject", mixtureObject},
      {"newObject", newObject},
      {"afterWater", WaterLeft(problem) ? "изпаряването" : "доливането"},
      {"was", std::string(WasForms.For(words.solution.gender, Article::Full))},
      {"mixtureName", mixtureName},
      {"inMixture", In(mixtureName)},
      {"bothParts", bothParts},
      {"amount", std::string(amount.amount)},
      {"amounts", std::string(amount.amounts)},
      {"whichAmount", std::string(amount.whichAmount)},
      {"ratio", problem.asked == Asked::Ratio ? RatioText(MassRatio(problem)) : std::string()},
      {"pm", AnswerAmount(problem, MixPercent)},
      {"pmNumber", AnsweredValue(problem, MixPercent).Text()},
      {"kind1", FirstWordsOf(problem, words).portion},
      {"kind2", WordsOf(words, problem.second, problem.Value(Percent2)).portion},
  };
}

template <std::size_t Count>
const Said* Find(const std::array<Said, Count>& table, Verdict verdict) {
  const auto said = std::find_if(table.begin(), table.end(),
                                 [verdict](const Said& entry) { return entry.verdict == verdict; });
  return said == table.end() ? nullptr : &*said;
}

// A whole sentence for the verdicts that have one, otherwise why the answer is wrong.
std::string SaidOf(Verdict verdict, const Problem& problem, Column box, const AnswerNames& names) {
  const Slots slots = FeedbackSlots(problem, box, names);
  if (const Said* sentence = Find(Sentences, verdict)) {
    return Fill(sentence->pattern, slots);
  }
  if (const Said* reason = Find(Reasons, verdict)) {
    return Fill(reason->pattern, slots);
  }
  throw std::invalid_argument("no such verdict");
}

bool HasReason(Verdict verdict) {
  return Find(Reasons, verdict) != nullptr;
}

// One answer's sentence, a wrong one led by "Не е вярно: ".
std::string Told(Verdict verdict, const Problem& problem, Column box, const AnswerNames& names) {
  const std::string said = SaidOf(verdict, problem, box, names);
  return HasReason(verdict) ? std::string(WrongLead) + said : said;
}

// Which of two answers is told about first: one written so that it cannot be judged, then a
// mistake, then a unit to change, and a right one last.
int Urgency(Verdict verdict) {
  if (HasReason(verdict)) {
    return 1;
  }
  return verdict == Verdict::Right ? 3 : verdict == Verdict::RightInOtherUnit ? 2 : 0;
}

// Of two boxes, one filled: the answer given is judged before the other is asked for.
std::string WithTheOtherAskedFor(const Problem& problem, const std::vector<Verdict>& verdicts,
                                 std::size_t given) {
  const std::string told =
      IsRight(verdicts[given])
          ? std::string()
          : Told(verdicts[given], problem, problem.sought[given], AnswersByPlace[given]) + ' ';
  return told + std::string(FillTheOther[1 - given]);
}

// Of two answers, the one to tell about; the first where both are as urgent.
std::size_t BoxToTell(const std::vector<Verdict>& verdicts) {
  const auto told =
      std::min_element(verdicts.begin(), verdicts.end(),
                       [](Verdict one, Verdict other) { return Urgency(one) < Urgency(other); });
  return static_cast<std::size_t>(told - verdicts.begin());
}

}  // namespace

std::string_view LevelName(Level level) {
  return LevelNames[static_cast<std::size_t>(level)];
}

std::string ProblemText(const Problem& problem) {
  const std::span<const std::string_view> wordings = WordingsOf(problem);
  return Fill(wordings[problem.wording % wordings.size()], SlotsOf(problem));
}

std::string AnswerLabel(const Problem& problem, Column column) {
  if (problem.asked == Asked::Ratio) {
    return std::string(RatioLabel);
  }
  return Fill(LabelPattern(problem, column), SlotsOf(problem));
}

std::string_view AnswerUnit(const Problem& problem, Column column) {
  return problem.asked == Asked::Ratio ? std::string_view() : UnitSymbol(UnitOf(problem, column));
}

std::string AnswerAmount(const Problem& problem, Column column) {
  return Quantity(AnsweredValue(problem, column), UnitOf(problem, column));
}

std::vector<std::string> BoxAnswers(const Problem& problem) {
  if (problem.asked == Asked::Ratio) {
    return {RatioText(MassRatio(problem))};
  }
  const Slots slots = SlotsOf(problem);
  std::vector<std::string> answers;
  for (const Column column : problem.sought) {
    // A percentage stands alone, as "Отговор: 20%." does: "20% сол" would read as an amount.
    const std::string amount = AnswerAmount(problem, column);
    // Beside the water, the solution is named too: "900 г разтвор и 720 г вода".
    const std::string_view counted = CountedPattern(problem, column);
    const std::string_view named =
        counted.empty() && column == MixWeight && problem.sought.size() == 2 ? "{mixNoun}"
                                                                             : counted;
    answers.push_back(named.empty() ? amount : Joined(amount, Fill(named, slots)));
  }
  return answers;
}

std::array<std::string, 2> KindsOf(const Problem& problem) {
  const Slots slots = SlotsOf(problem);
  return {Fill("{kind1}", slots), Fill("{kind2}", slots)};
}

std::string AnswerText(const Problem& problem) {
  if (problem.asked == Asked::Ratio) {
    return Fill("{kind1} и {kind2} в отношение {ratio}", SlotsOf(problem));
  }
  const std::vector<Column>& sought = problem.sought;
  // Two answers about one part are one phrase: "20 г сплав с 65% сребро".
  if (sought.size() == 2 && PartOf(sought[0]) == PartOf(sought[1])) {
    constexpr std::array<std::string_view, 3> PartPatterns = {"{part1}", "{part2}", "{mix}"};
    return Fill(PartPatterns[static_cast<std::size_t>(PartOf(sought[0]))], SlotsOf(problem));
  }
  const std::vector<std::string> answers = BoxAnswers(problem);
  return answers.size() == 2 ? answers[0] + " и " + answers[1] : answers.front();
}

namespace {

// "600 г 8% разтвор", "8 г сплав със 75% злато", "20 г сол".
std::string ShortPortion(const Problem& problem, const ContextWords& words,
                         const PortionWords& part, Column weight, Column percent) {
  return Joined(AnswerAmount(problem, weight), ShortKind(words, part, problem.Value(percent)));
}

// Milk's substance is "мазнините", of which the verbs are plural: "мазнините са".
bool IsPlural(Context context) {
  return context == Context::Milk;
}

// An alloy's metal with the other metals, of none of it, where a solution has water: "40 г сребро
// с проба 900 и 20 г мед".
bool OthersAdded(const Problem& problem) {
  const bool alloy =
      ContextTable[static_cast<std::size_t>(problem.context)].solution.bare == AlloyNoun.bare;
  return alloy && (problem.first == Ingredient::Water || problem.second == Ingredient::Water);
}

// The tense of the problem's own question where it asks for the water or the pure substance.
ChangeWords ChangeWordsOf(const Problem& problem, const Method& method) {
  const auto tenseOf = [&problem](std::span<const ChangeTense> tenses) {
    const ChangeTense& tense = tenses[problem.wording % tenses.size()];
    return ChangeWords{std::string(tense.asked), std::string(tense.told)};
  };
  // The other metals are added to an alloy, never poured.
  if (OthersAdded(problem) && !method.waterLeaves) {
    return tenseOf(AddPureTenses);
  }
  switch (problem.kind) {
    case Kind::TwoSteps:
      if (problem.sought.front() != Weight2) {
        break;
      }
      return tenseOf(WaterLeft(problem) ? std::span<const ChangeTense>(WaterToEvaporateTenses)
                                        : WaterToPourTenses);
    case Kind::AddWater:
      return tenseOf(AddWaterTenses);
    case Kind::AddPure:
      return tenseOf(AddPureTenses);
    case Kind::Evaporation:
      return tenseOf(EvaporationTenses);
    default:
      break;
  }
  return UsualChangeWords(method);
}

}  // namespace

MethodWords MethodWordsOf(const Problem& problem, const Method& method) {
  const bool made = method.made;
  const ContextWords& words = ContextTable[static_cast<std::size_t>(problem.context)];
  const PortionWords first = FirstWordsOf(problem, words);
  const Noun& mixture = words.solution;
  // A concentrate watered down gives no new vinegar but the vinegar obtained; dried produce is
  // named as it is: "сушените гъби".
  const Forms& adjective = first.noun.bare == mixture.bare ? NewForms : ObtainedForms;
  const bool statesWater = StatedShareOf(problem.context) == StatedShare::Water;
  // A solution made of a solution of the same name is the new one: "Солта в новия разтвор идва
  // само от разтвора.".
  const bool named = (made && first.noun.bare != mixture.bare) || statesWater;
  const std::string newDefinite =
      named ? std::string(mixture.definiteShort)
            : Joined(adjective.For(mixture.gender, Article::Short), mixture.bare);
  const std::string newSubject =
      named ? std::string(mixture.definiteFull)
            : Joined(adjective.For(mixture.gender, Article::Full), mixture.bare);
  const bool alloy = mixture.bare == AlloyNoun.bare;
  const std::string substanceSubject(SubstanceSubjects[static_cast<std::size_t>(problem.context)]);
  // What stays beside the water a problem states is its substance: "сухото вещество".
  const std::string rest =
      statesWater ? std::string(words.substance) : std::string(alloy ? "останали метали" : "вода");
  const std::string restSubject =
      statesWater ? substanceSubject : std::string(alloy ? "останалите метали" : "водата");
  MethodWords said = {
      std::string(words.substance), substanceSubject, std::string(first.noun.definiteShort),
      ShortPortion(problem, words, first, Weight1, Percent1), std::string(first.noun.definiteShort),
      std::string(first.noun.bare), newDefinite, newSubject,
      ShortPortion(problem, words, WordsOf(words, Ingredient::Solution, problem.Value(MixPercent)),
                   MixWeight, MixPercent),
      std::string(words.pure.bare), ChangeWordsOf(problem, method),
      FirstCapital(newSubject) + " се състои от " + std::string(words.substance) + " и " +
          std::string(RestOf(words).bare) + ".",
      // What a made solution needs beside the solution: the pure substance where the water
      // comes only from the solution.
      method.kept == Kept::Water ? FirstCapital(std::string(words.pure.bare)) + ":"
      : alloy                    ? "Други метали:"
                                 : "Вода:",
      rest, restSubject, alloy, std::string(UnitSymbol(problem.unit)),
      std::string(CountedUnits[static_cast<std::size_t>(problem.unit)]),
      problem.unit == Unit::Litre ? "Обемът" : "Масата",
      words.drying.empty() ? "водата се изпарява" : std::string(words.drying), statesWater,
      mixture.gender == Gender::Plural, OthersAdded(problem), IsPlural(problem.context)};
  const std::string substanceObject(SubstanceObjects[static_cast<std::size_t>(problem.context)]);
  said.substanceObject = substanceObject;
  said.restObject = statesWater ? substanceObject : restSubject;
  return said;
}

MixingWords MixingWordsOf(const Problem& problem) {
  const PartWords parts = PartWordsOf(FirstStepOf(problem));
  const Noun& mixture = ContextTable[static_cast<std::size_t>(problem.context)].solution;
  return {{parts.names[0], parts.names[1]},
          parts.names[2],
          FirstSmall(parts.titles[2]),
          std::string(ObjectPronounForms.For(mixture.gender, Article::Short)),
          std::string((problem.unit == Unit::Litre ? VolumeWords : MassWords).amountObject)};
}

PartWords PartWordsOf(const Problem& problem) {
  const ContextWords& words = ContextTable[static_cast<std::size_t>(problem.context)];
  // The salt dissolved is "солта", as the problem says it, not "чистата сол".
  const Noun first = FirstWordsOf(problem, words).noun;
  const Noun second = WordsOf(words, problem.second, problem.Value(Percent2)).noun;
  const Noun& mixture = words.solution;
  const bool same = first.bare == second.bare;
  const auto reference = [same](const Noun& noun, const Forms& ordinal, Article article) {
    return Reference(noun, ordinal, same, article);
  };
  const auto row = [same](const Noun& noun, const Forms& ordinal) {
    return same ? Joined(ordinal.For(noun.gender, Article::Short), noun.bare)
                : std::string(noun.bare);
  };
  // A solution of unknown mass watered down is the one at the start: "първоначалния разтвор".
  const bool start = problem.kind == Kind::UnknownStart;
  const auto firstReference = [&](Article article) {
    return start ? Joined(StartForms.For(first.gender, article), first.bare)
                 : reference(first, FirstForms, article);
  };
  const std::string firstName = firstReference(Article::Short);
  const std::string secondName = reference(second, SecondForms, Article::Short);
  const std::string_view substance = SubstanceSubjects[static_cast<std::size_t>(problem.context)];
  return {{firstName, secondName, MixtureReference(mixture, Article::Short)},
          {FirstCapital(firstReference(Article::Full)),
           FirstCapital(reference(second, SecondForms, Article::Full)),
           FirstCapital(MixtureReference(mixture, Article::Full))},
          {start ? Joined(StartRowForms.For(first.gender, Article::Short), first.bare)
                 : row(first, FirstRowForms),
           row(second, SecondRowForms),
           Joined(ObtainedRowForms.For(mixture.gender, Article::Short), mixture.bare)},
          same ? std::string(first.both) : firstName + " и " + secondName,
          std::string(words.substance),
          std::string(substance),
          FirstCapital(substance),
          IsPlural(problem.context) ? "са" : "е",
          std::string(CountedUnits[static_cast<std::size_t>(problem.unit)])};
}

namespace {

std::string Quoted(std::string_view text) {
  return "„" + std::string(text) + "“";
}

// The second step starts from the first step's mixture, whose percentage the solution leaves
// uncounted: " (процентното съдържание на сол в получения разтвор: 14,95 · 100 : 130)".
std::string FirstStepPercentage(const Problem& problem, const ContextWords& words) {
  const Tenths mass = problem.Value(Weight1);
  constexpr std::int64_t TenthsOfPercentOfTenths = 10 * 10 * 100;
  const Fraction substance =
      Fraction::Of(mass.count * problem.Value(Percent1).count, TenthsOfPercentOfTenths);
  return " (процентното съдържание на " + std::string(words.substance) + " " +
         In(MixtureReference(words.solution, Article::Short)) + ": " + ExactNumber(substance) +
         " · 100 : " + mass.Text() + ")";
}

// A given as the pupil types it into its cell, with what a 0% or 100% part is: "0 (водата)".
std::string CellEntry(const Problem& problem, Column column) {
  const ContextWords& words = ContextTable[static_cast<std::size_t>(problem.context)];
  std::string entry = Joined(Quoted(ColumnHeading(column)), problem.Value(column).Text());
  const bool isPercent = column == Percent1 || column == Percent2;
  const Ingredient ingredient = column == Percent1 ? problem.first : problem.second;
  if (isPercent && ingredient == Ingredient::Water) {
    entry += " (" + std::string(RestOf(words).definiteFull) + ")";
  } else if (column == Percent1 && problem.firstStep) {
    entry += FirstStepPercentage(problem, words);
  } else if (isPercent && ingredient == Ingredient::PureSubstance) {
    // The salt dissolved is "солта"; the salt added to a solution "чистата сол". What the number
    // in its cell is, is said as a subject: "(чистият калай)".
    const Noun pure = column == Percent1 ? FirstWordsOf(problem, words).noun : words.pure;
    entry += " (" + std::string(pure.definiteFull) + ")";
  } else if (UnitOf(problem, column) == Unit::Percent &&
             StatedShareOf(problem.context) == StatedShare::Water) {
    // The grid holds what stays, not the water the problem gives.
    entry += " (" + std::string(SubstanceSubjects[static_cast<std::size_t>(problem.context)]) +
             ": 100% − " + AnswerAmount(problem, column) + ")";
  }
  return entry;
}

std::string Listed(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += i == 0 ? "" : (i + 1 == items.size() ? " и " : ", ");
    text += items[i];
  }
  return text;
}

// A ratio gives no mass: the grid takes one of the pupil's choosing.
std::string ChosenMixture(const Problem& problem) {
  if (problem.asked != Asked::Ratio) {
    return {};
  }
  const ContextWords& words = ContextTable[static_cast<std::size_t>(problem.context)];
  const AmountWords& amount = problem.unit == Unit::Litre ? VolumeWords : MassWords;
  return ", като избереш " + std::string(amount.amountObject) + " на " +
         MixtureReference(words.solution, Article::Short) +
         ", например a + b = " + AnswerAmount(problem, MixWeight);
}

}  // namespace

std::string GridCheckLine(const Problem& problem) {
  std::array<Fraction, ColumnCount> values{};
  for (const Column column : AllColumns) {
    values[static_cast<std::size_t>(column)] = Fraction::Of(problem.Value(column).count, 10);
  }
  return GridCheckLine(problem, values);
}

std::string GridCheckLine(const Problem& problem, const std::array<Fraction, ColumnCount>& values) {
  // "14,2857142857143": what a cell shows of a result that is no whole tenth.
  const auto shown = [&problem, &values](Column column) {
    const Fraction& exact = values[static_cast<std::size_t>(column)];
    if (Fraction::Of(problem.Value(column).count, 10) == exact) {
      return problem.Value(column).Text();
    }
    const std::string cell = FormatCellNumber(exact.ToDouble(), ",");
    return cell.starts_with('-') ? "−" + cell.substr(1) : cell;
  };
  const VariantRule& rule = RuleOf(problem.variant);
  std::vector<std::string> typed;
  for (const Column column : rule.givens) {
    typed.push_back("в " + CellEntry(problem, column));
  }
  // In the grid's order, left to right, as the pupil reads the cells.
  const Column first = std::min(rule.results[0], rule.results[1]);
  const Column second = std::max(rule.results[0], rule.results[1]);
  // The grid takes one step at a time: the second, where the water comes in, is checked there.
  const std::string sentTo = problem.firstStep
                                 ? "Таблицата на Blendora смята по една стъпка. Провери втората ("
                                 : "Провери с Blendora (";
  std::string line = sentTo + Quoted(VariantCaption(problem.variant)) + ")" +
                     ChosenMixture(problem) + ": въведи " + Listed(typed) + "; в " +
                     Quoted(ColumnHeading(first)) + " ще видиш " + shown(first) + ", а в " +
                     Quoted(ColumnHeading(second)) + " – " + shown(second) + ".";
  const std::string masses = problem.Value(Weight1).Text() + " : " + problem.Value(Weight2).Text();
  // Masses that are the ratio's own terms need no word that they are equal to it.
  if (problem.asked == Asked::Ratio && masses != RatioText(MassRatio(problem))) {
    line += " Отношението " + masses + " е равно на " + RatioText(MassRatio(problem)) + ".";
  }
  // Water that left in a number the grid rounds is told without it.
  if (values[Weight2] < 0) {
    line += Fraction::Of(problem.Value(Weight2).count, 10) == values[Weight2]
                ? " Минусът означава, че " + AnswerAmount(problem, Weight2) +
                      " вода са се изпарили, а не са долети."
                : " Минусът означава, че водата се е изпарила, а не е долята.";
  }
  if (problem.unit == Unit::Litre) {
    line += " Тук в " +
            Listed({Quoted(ColumnHeading(Weight1)), Quoted(ColumnHeading(Weight2)),
                    Quoted(ColumnHeading(MixWeight))}) +
            " стоят обеми в литри.";
  }
  return line;
}

std::string Feedback(Verdict verdict, const Problem& problem, Column box) {
  return Told(verdict, problem, box, OnlyAnswer);
}

std::string Feedback(const Problem& problem, const std::vector<Verdict>& verdicts) {
  if (verdicts.size() != BoxesOf(problem).size()) {
    throw std::invalid_argument("a verdict for each of the problem's boxes");
  }
  if (verdicts.size() == 1) {
    return Feedback(verdicts.front(), problem, problem.sought.front());
  }
  if (std::count(verdicts.begin(), verdicts.end(), Verdict::Empty) == 2) {
    return std::string(AllEmpty);
  }
  const auto empty = std::find(verdicts.begin(), verdicts.end(), Verdict::Empty);
  if (empty != verdicts.end()) {
    const auto emptyBox = static_cast<std::size_t>(empty - verdicts.begin());
    return WithTheOtherAskedFor(problem, verdicts, 1 - emptyBox);
  }
  if (std::all_of(verdicts.begin(), verdicts.end(),
                  [](Verdict verdict) { return verdict == Verdict::RightInOtherUnit; })) {
    return Told(Verdict::RightInOtherUnit, problem, problem.sought.front(), BothAnswers);
  }
  const std::size_t box = BoxToTell(verdicts);
  const Verdict verdict = verdicts[box];
  const std::string said = SaidOf(verdict, problem, problem.sought[box], AnswersByPlace[box]);
  if (!HasReason(verdict)) {
    return said;
  }
  return std::string(IsRight(verdicts[1 - box]) ? OnlyThisWrong[box] : BothWrong) + said;
}

}  // namespace Texts
