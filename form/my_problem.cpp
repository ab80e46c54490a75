#include "form/my_problem.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <initializer_list>

#include "form/lexicon.h"
#include "form/problem_text.h"
#include "form/solution_text.h"
#include "problems/letters.h"
#include "reader/arithmetic.h"
#include "worksheet/variants.h"

namespace {

constexpr std::string_view NotNeeded = "не е нужно";

// What is said for each Doubt, in its order: the one sentence that begins "Не разбрах".
constexpr std::array<std::string_view, 10> NotUnderstood = {
    "Не разбрах задачата: полето е празно. Напиши или постави в него текста на задачата.",
    "Не разбрах задачата: текстът е по-дълъг от 10 000 знака. Постави в полето само една "
    "задача.",
    "Не разбрах задачата: в нея няма разтвор, сплав или друга смес. Тук се решават задачи за "
    "смеси, написани на български език.",
    "Не разбрах какво се пита: в текста няма въпрос. Препиши и въпроса на задачата.",
    "Не разбрах задачата: липсва едно от числата, които са нужни. Провери дали задачата е "
    "преписана цялата.",
    "Не разбрах задачата: в нея се смесват три или повече части наведнъж, а тук се решават задачи "
    "с две части.",
    "Не разбрах задачата: в нея има две отделни смесвания. Въведи всяко от тях като отделна "
    "задача.",
    "Не разбрах задачата: числата в нея могат да се разберат по два начина. Провери какво означава "
    "всяко число.",
    "Не разбрах задачата: с тези числа не се получава смес. Провери дали са преписани вярно.",
    "Не разбрах задачата: не е ясно дали концентрацията се е променила с толкова от процентите "
    "(например от 20% на 15%) или с толкова процента от самата себе си (например от 20% на 19%). "
    "Напиши в задачата колко процента е станала концентрацията, например „стана 15%“.",
};

// The goods of the two kinds mixed by price, as the text names them: "ябълки", "кафе".
using Goods = std::array<std::string, 2>;

// "масата на ", "обемът на ": what a mass of the problem is called, or of the answer where it
// is given in another measure, as the litres of water asked of a problem in kilograms.
std::string MassWord(const Problem& problem, const Amount* answer = nullptr) {
  const bool volume =
      answer ? answer->unit == WrittenUnit::Litre || answer->unit == WrittenUnit::Millilitre
             : problem.unit == Unit::Litre;
  return volume ? "обемът на " : "масата на ";
}

// "масата на първия разтвор", "процентното съдържание на сол във водата": what a column is in
// the problem's words; of a sought one, as its answer says it: "процентното съдържание на вода"
// of a percentage asked of the rest.
std::string RoleOf(const Problem& problem, const Texts::PartWords& parts, Column column,
                   bool byPrice, const Amount* answer = nullptr) {
  const std::string& part = parts.names[static_cast<std::size_t>(PartOf(column))];
  if (byPrice) {
    return (UnitOf(problem, column) == Unit::Percent ? "цената на килограм от " : "масата на ") +
           part;
  }
  if (UnitOf(problem, column) != Unit::Percent) {
    return MassWord(problem, answer) + part;
  }
  if (problem.context == Context::Milk) {
    return "маслеността на " + part;
  }
  // Produce's percentages are of its water, as the problem states them.
  const bool rest = answer && answer->rest;
  const bool water = (StatedShareOf(problem.context) == StatedShare::Water) != rest;
  return "процентното съдържание на " + (water ? std::string("вода") : parts.substance) + " " +
         Texts::In(part);
}

// "ябълките", "кафето", "ориза", "захарта": goods with the article, by how the word ends.
std::string GoodsDefinite(const std::string& goods) {
  const auto endsWith = [&goods](std::string_view letters) {
    for (std::size_t at = 0; at < letters.size(); at += 2) {
      if (goods.ends_with(letters.substr(at, 2))) {
        return true;
      }
    }
    return false;
  };
  if (endsWith("и")) {
    return goods + "те";
  }
  if (endsWith("ео")) {
    return goods + "то";
  }
  if (endsWith("ая") || goods == "захар" || goods == "сол") {
    return goods + "та";
  }
  if (endsWith("й")) {
    return goods.substr(0, goods.size() - 2) + "я";
  }
  return goods + "а";
}

// The substance and the water it is dissolved in, none of them a solution before.
bool IsDissolved(const Problem& problem) {
  return problem.first == Ingredient::PureSubstance && problem.second == Ingredient::Water;
}

// Goods mixed by price are kinds of them, not solutions: "първия вид", "сместа"; "първия вид
// бонбони" where the text names both alike, "ябълките" and "крушите" where it names them apart.
Texts::PartWords PartWordsOf(const Reading& reading, const Goods& apart = {}) {
  if (!reading.currency.empty()) {
    Texts::PartWords words = Texts::GridPartWords();
    if (!apart[0].empty()) {
      words.names = {GoodsDefinite(apart[0]), GoodsDefinite(apart[1]), "сместа"};
      words.bothParts = "двата вида";
      return words;
    }
    const std::string goods = reading.goods.empty() ? "" : " " + reading.goods;
    words.names = {"първия вид" + goods, "втория вид" + goods, "сместа"};
    words.bothParts = "двата вида" + goods;
    return words;
  }
  if (!reading.problem) {
    return Texts::GridPartWords();
  }
  Texts::PartWords words = Texts::PartWordsOf(*reading.problem);
  const auto context = static_cast<std::size_t>(reading.problem->context);
  // Sugar dissolved in water is "захарта"; "чистата захар" is what strengthens a solution.
  if (IsDissolved(*reading.problem)) {
    words.names[0] = Texts::SubstanceObjects[context];
  }
  // A solution described is "разтвора", none obtained.
  if (reading.described) {
    words.names[2] = Texts::ContextTable[context].solution.definiteShort;
  }
  // Water that leaves is held below zero: it is the water evaporated, none poured in; water
  // poured in is "долятата вода", as the metals added to an alloy are "добавените". Water a
  // solution is made with, the solution's mass sought too, is only "водата".
  const std::vector<Column>& sought = reading.problem->sought;
  const bool made = std::find(sought.begin(), sought.end(), Weight1) != sought.end();
  if (reading.problem->second == Ingredient::Water && !IsDissolved(*reading.problem) && !made) {
    const bool alloy = Texts::ContextTable[context].solution.bare == Texts::AlloyNoun.bare;
    if (reading.values[Weight2] < 0) {
      words.names[1] = "изпарената вода";
    } else if (alloy) {
      words.names[1] = "добавените " + std::string(Texts::OtherMetals.bare);
    } else if (reading.solvent.empty()) {
      words.names[1] = "долятата вода";
    }
  }
  return words;
}

// "… 3,6 лв." ends the sentence with its own full stop, any other text with one added.
std::string Sentence(std::string text) {
  return text.ends_with('.') ? text : text + ".";
}

// The items with `between` between them and `last` before the last one.
std::string Listed(const std::vector<std::string>& items, std::string_view between,
                   std::string_view last) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += i == 0 ? "" : (i + 1 == items.size() ? std::string(last) : std::string(between));
    text += items[i];
  }
  return text;
}

std::string_view SymbolOf(WrittenUnit unit) {
  constexpr std::array<std::string_view, 6> Symbols = {"г", "кг", "т", "мл", "л", "%"};
  return Symbols[static_cast<std::size_t>(unit)];
}

constexpr std::string_view Comma = ",";  // as Bulgarian school writes a decimal

bool IsWholeCents(const Fraction& value) {
  return (value * 100).Denominator() == 1;
}

// "2,50", "11,33", "15": money rounded to whole stotinki or cents, two digits of them where there
// are any.
std::string RoundedMoney(const Fraction& value) {
  if (value.Denominator() == 1) {
    return Texts::ExactNumber(value);
  }
  std::string text = RoundedText(value, 2, Comma);
  const std::size_t comma = text.find(',');
  if (comma != std::string::npos && text.size() - comma == 2) {
    text += '0';
  }
  return text;
}

// Money as it is: "2,50" in whole stotinki, "3,325" where a product holds more, so that every
// "=" of the working is true.
std::string MoneyText(const Fraction& value) {
  return IsWholeCents(value) ? RoundedMoney(value) : Texts::ExactNumber(value);
}

// "33,(3)%", "166,(6) г": an exact answer, as school writes a periodic decimal.
std::string ExactAmount(const Amount& amount) {
  const std::string number = Texts::ExactNumber(amount.value);
  return amount.unit == WrittenUnit::Percent ? number + "%"
                                             : number + " " + std::string(SymbolOf(amount.unit));
}

// "200 г" of "двеста грама": a number the text writes in words is given in digits, as the working
// uses it.
std::string InDigits(const ReadNumber& number) {
  const bool digits = std::any_of(number.written.begin(), number.written.end(),
                                  [](char c) { return c >= '0' && c <= '9'; });
  if (digits || !number.amount || !number.amount->unit) {
    return number.written;
  }
  return ExactAmount({FractionOf(number.amount->value), *number.amount->unit});
}

// "2,125 кг калай": an exact answer named as the practice names the quantity sought, where it is
// in that quantity's own unit.
std::string NamedAmount(const Problem& problem, const Amount& amount, std::size_t sought) {
  const std::string exact = ExactAmount(amount);
  if (problem.asked == Asked::Ratio || sought >= problem.sought.size() ||
      amount.unit == WrittenUnit::Percent) {
    return exact;
  }
  const Column column = problem.sought[sought];
  const std::string round = Texts::AnswerAmount(problem, column);
  const std::string named = Texts::BoxAnswers(problem)[sought];
  if (SymbolOf(amount.unit) != Texts::AnswerUnit(problem, column) || !named.starts_with(round)) {
    return exact;
  }
  return exact + named.substr(round.size());
}

// "2 л" of water in a problem of grams, "150 мл" in one of litres: an amount written in another
// unit than the problem counts in, which is then said in the problem's unit too.
bool IsOtherUnit(const ReadNumber& number, Unit problemUnit) {
  if (!number.amount || !number.amount->unit || *number.amount->unit == WrittenUnit::Percent) {
    return false;
  }
  return SymbolOf(*number.amount->unit) != UnitSymbol(problemUnit);
}

// Water that leaves is held below zero; the text gives how much left.
Fraction Magnitude(const Fraction& value) {
  return value < 0 ? Fraction(0) - value : value;
}

// Whether the problem's tenths hold the quantities exactly: every one, as the grid would show
// them, or the givens only, which its words for the parts name. One of more than tenths stands in
// the problem as 0.
bool HoldsInTenths(const Reading& reading, bool givensOnly) {
  for (const Column column : AllColumns) {
    if ((!givensOnly || reading.problem->IsGiven(column)) &&
        Fraction::Of(reading.problem->Value(column).count, 10) != reading.values[column]) {
      return false;
    }
  }
  return true;
}

// Whether the question asks an amount in a unit other than the problem's own: "Колко тона" of
// a problem solved in kilograms.
bool AsksInAnotherUnit(const Reading& reading) {
  const std::string_view own = UnitSymbol(reading.problem->unit);
  return std::any_of(reading.answers.begin(), reading.answers.end(), [own](const Amount& amount) {
    return amount.unit != WrittenUnit::Percent && SymbolOf(amount.unit) != own;
  });
}

// A solution a kitchen names by what is in it.
constexpr Texts::Noun KitchenBrine = {"саламура", Texts::Gender::Feminine, "саламурата",
                                      "саламурата", "двете саламури"};
constexpr Texts::Noun KitchenSyrup = {"сироп", Texts::Gender::Masculine, "сиропа", "сиропът",
                                      "двата сиропа"};
constexpr Texts::Noun KitchenJuice = {"сок", Texts::Gender::Masculine, "сока", "сокът",
                                      "двата сока"};
// A solution a household names by its use.
constexpr Texts::Noun HouseholdBleach = {"белина", Texts::Gender::Feminine, "белината", "белината",
                                         "двете белини"};
constexpr Texts::Noun HouseholdAntifreeze = {"антифриз", Texts::Gender::Masculine, "антифриза",
                                             "антифризът", "двата антифриза"};

// "получения разтвор", "първи разтвор", "разтворът": the words of `solution`, with the
// adjectives before it, as `noun`'s.
std::vector<std::pair<std::string, std::string>> SolutionRenamed(
    const Texts::Noun& noun, const Texts::Noun& solution = Texts::SolutionNoun) {
  using Texts::Article;
  std::vector<std::pair<std::string, std::string>> renamed;
  const auto add = [&renamed](const std::string& theirs, const std::string& ours) {
    renamed.emplace_back(theirs, ours);
    renamed.emplace_back(FirstCapital(theirs), FirstCapital(ours));
  };
  for (const Texts::Forms& forms :
       {Texts::FirstForms, Texts::SecondForms, Texts::ObtainedForms, Texts::NewForms,
        Texts::StartForms, Texts::FirstRowForms, Texts::SecondRowForms, Texts::ObtainedRowForms,
        Texts::StartRowForms}) {
    for (const Article article : {Article::Short, Article::Full}) {
      add(std::string(forms.For(solution.gender, article)) + " " + std::string(solution.bare),
          std::string(forms.For(noun.gender, article)) + " " + std::string(noun.bare));
    }
  }
  add(std::string(solution.both), std::string(noun.both));
  // "колко сол има в него" of a solution is "в нея" of a brine.
  add("в " + std::string(Texts::ObjectPronounForms.For(solution.gender, Article::Short)),
      "в " + std::string(Texts::ObjectPronounForms.For(noun.gender, Article::Short)));
  add(std::string(solution.definiteFull), std::string(noun.definiteFull));
  add(std::string(solution.definiteShort), std::string(noun.definiteShort));
  add(std::string(solution.bare), std::string(noun.bare));
  return renamed;
}

constexpr Texts::Forms Added = {"добавения", "добавеният", "добавената", "добавеното",
                                "добавените"};

constexpr Texts::Noun SaltNoun = {"сол", Texts::Gender::Feminine, "солта", "солта"};

// "5% разтвор на йод", "… в спирт": salt's or water's words in those the text names, by their
// gender; after "на" a masculine noun takes the short article, as the subject and what a number
// in brackets is the full: "(йодът)".
std::vector<std::pair<std::string, std::string>> Renamed(const Texts::Noun& from,
                                                         const Texts::Noun& to) {
  using Texts::Article;
  const auto pure = [](const Texts::Noun& noun, const Texts::Forms& forms, Article article) {
    return std::string(forms.For(noun.gender, article)) + " " + std::string(noun.bare);
  };
  const auto full = [&pure](const Texts::Noun& noun) {
    return pure(noun, Texts::PureForms, Article::Full);
  };
  const auto brief = [&pure](const Texts::Noun& noun) {
    return pure(noun, Texts::PureForms, Article::Short);
  };
  const auto row = [&pure](const Texts::Noun& noun) {
    return pure(noun, Texts::PureRowForms, Article::Short);
  };
  const auto added = [&pure](const Texts::Noun& noun) { return pure(noun, Added, Article::Short); };
  const std::string fromObject(from.definiteShort);
  const std::string toObject(to.definiteShort);
  return {
      {FirstCapital(full(from)), FirstCapital(full(to))},
      {brief(from), brief(to)},
      {FirstCapital(row(from)), FirstCapital(row(to))},
      {row(from), row(to)},
      {"(" + brief(from) + ")", "(" + full(to) + ")"},
      {added(from), added(to)},
      {"на " + fromObject, "на " + toObject},
      {" и " + fromObject + " заедно", " и " + toObject + " заедно"},
      {"(" + std::string(from.definiteFull) + ")", "(" + std::string(to.definiteFull) + ")"},
      {FirstCapital(std::string(from.definiteFull)), FirstCapital(std::string(to.definiteFull))},
      {std::string(from.definiteFull), std::string(to.definiteFull)},
      {FirstCapital(std::string(from.bare)), FirstCapital(std::string(to.bare))},
      {std::string(from.bare), std::string(to.bare)}};
}

// An alloy's own metal as a noun of its gender: "мед", "медта", "медта".
Texts::Noun MetalOf(Context context) {
  const auto at = static_cast<std::size_t>(context);
  return {Texts::ContextTable[at].substance, Texts::ContextTable[at].pure.gender,
          Texts::SubstanceObjects[at], Texts::SubstanceSubjects[at]};
}

// "добавената мед", "добавения цинк": a metal added, in its gender.
std::string AddedMetal(const Texts::Noun& metal) {
  return std::string(Added.For(metal.gender, Texts::Article::Short)) + " " +
         std::string(metal.bare);
}

// "Другите метали" of an alloy to which one metal is added: that metal, "калаят", "цинка".
std::vector<std::pair<std::string, std::string>> OtherMetalsRenamed(const Texts::Noun& metal) {
  const std::string own(metal.bare);
  const std::string subject(metal.definiteFull);
  const std::string object(metal.definiteShort);
  return {
      {"добавените други метали", AddedMetal(metal)},   {"(другите метали)", "(" + subject + ")"},
      {"Другите метали", FirstCapital(subject)},        {"другите метали", object},
      {"Други метали", FirstCapital(std::string(own))}, {"други метали", std::string(own)}};
}

// The context's words the text calls by its own, and the text's word for each: salt's of a
// substance not named or of an acid, plums' of other produce dried as they are.
std::vector<std::pair<std::string, std::string>> RenamingsOf(std::string_view own, bool held) {
  // "5% разтвор", not "5% разтвор на вещество"; a substance not named is one, "веществото", where
  // salt is a mass, "съдържание на сол"; and pure, it is no longer said to be a pure substance.
  if (own == "вещество") {
    return {{"разтвор на сол", "разтвор"},
            {"съдържание на сол", "съдържание на веществото"},
            {"Добавената сол е чиста (100%), затова в нея",
             "Добавеното вещество е чисто (100%), затова в него"},
            {"Чистата сол", "Чистото вещество"},
            {"добавената сол", "добавеното вещество"},
            {"чистата сол", "чистото вещество"},
            {"чиста сол", "чисто вещество"},
            {"Солта", "Веществото"},
            {"солта", "веществото"},
            {"Сол", "Вещество"},
            {"сол", "вещество"}};
  }
  // Juice boiled down: its dry matter, in a juice, not a solution of some substance.
  if (own == "сухо вещество") {
    std::vector<std::pair<std::string, std::string>> renamed = {{"разтвор на сол", "сок"},
                                                                {"Солта", "Сухото вещество"},
                                                                {"солта", "сухото вещество"},
                                                                {"Сол", "Сухо вещество"},
                                                                {"сол", "сухо вещество"}};
    for (auto& pair : SolutionRenamed(KitchenJuice)) {
      renamed.push_back(std::move(pair));
    }
    return renamed;
  }
  // "5% белина": the solution called by its name, of a substance not named; "разтвор на
  // антифриз" names the substance, as other named substances are.
  if (!held && (own == HouseholdBleach.bare || own == HouseholdAntifreeze.bare)) {
    std::vector<std::pair<std::string, std::string>> renamed = {
        {"разтвор на сол", std::string(own)}};
    for (auto& pair : RenamingsOf("вещество", false)) {
      renamed.push_back(std::move(pair));
    }
    for (auto& pair :
         SolutionRenamed(own == HouseholdBleach.bare ? HouseholdBleach : HouseholdAntifreeze)) {
      renamed.push_back(std::move(pair));
    }
    return renamed;
  }
  if (const Texts::Noun* named = Texts::NounNamed(Texts::NamedSubstances, own)) {
    return Renamed(SaltNoun, *named);
  }
  if (own == "киселина") {
    return {
        {"Солта", "Киселината"}, {"солта", "киселината"}, {"Сол", "Киселина"}, {"сол", "киселина"}};
  }
  // Grapes dried are raisins, and grapes are one: "гроздето се суши".
  if (own == "грозде") {
    return {{"сливите се сушат", "гроздето се суши"},
            {"Пресните сливи", "Гроздето"},
            {"пресните сливи", "гроздето"},
            {"пресни сливи", "грозде"},
            {"Сушените сливи", "Стафидите"},
            {"сушените сливи", "стафидите"},
            {"сушени сливи", "стафиди"}};
  }
  // Copper melted into gold, tin into bronze, is the other metals of its alloy: "медта", "мед".
  const auto metal = std::find_if(Contexts.begin(), Contexts.end(), [own](Context context) {
    return Texts::ContextTable[static_cast<std::size_t>(context)].solution.bare ==
               Texts::AlloyNoun.bare &&
           Texts::ContextTable[static_cast<std::size_t>(context)].substance == own;
  });
  if (metal != Contexts.end()) {
    return OtherMetalsRenamed(MetalOf(*metal));
  }
  if (const Texts::Noun* base = Texts::NounNamed(Texts::BaseMetals, own)) {
    return OtherMetalsRenamed(*base);
  }
  // "20% разтвор на сол" is "20% саламура", "20% захарен разтвор" is "20% сироп" or "20% сок".
  if (own == KitchenBrine.bare || own == KitchenSyrup.bare || own == KitchenJuice.bare) {
    const bool brine = own == KitchenBrine.bare;
    std::vector<std::pair<std::string, std::string>> renamed = {
        {brine ? "разтвор на сол" : "захарен разтвор", std::string(own)}};
    for (auto& pair : SolutionRenamed(brine                      ? KitchenBrine
                                      : own == KitchenSyrup.bare ? KitchenSyrup
                                                                 : KitchenJuice)) {
      renamed.push_back(std::move(pair));
    }
    return renamed;
  }
  const std::string word(own);
  return {{"Сливите", FirstCapital(word + "те")},
          {"сливите", word + "те"},
          {"Сливи", FirstCapital(word)},
          {"сливи", word}};
}

// Whether a letter, Latin or Cyrillic of two bytes, starts at `at`, or ends just before it.
bool IsLetterAt(std::string_view text, std::size_t at) {
  const unsigned char byte = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte == 0xD0 ||
         byte == 0xD1;
}
bool IsLetterBefore(std::string_view text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const bool cyrillic =
      at >= 2 && (byte(at - 2) == 0xD0 || byte(at - 2) == 0xD1) && (byte(at - 1) & 0xC0) == 0x80;
  return cyrillic || (at >= 1 && IsLetterAt(text, at - 1));
}

// The working's phrases in the text's own words, where they stand as words of their own.
std::string InOwnPhrases(std::string line,
                         const std::vector<std::pair<std::string, std::string>>& phrases) {
  for (const auto& [theirs, ours] : phrases) {
    for (std::size_t at = line.find(theirs); at != std::string::npos;
         at = line.find(theirs, at + 1)) {
      if (!IsLetterBefore(line, at) && !IsLetterAt(line, at + theirs.size())) {
        line.replace(at, theirs.size(), ours);
        at += ours.size() - 1;  // on past what replaced it
      }
    }
  }
  return line;
}

// "Солта не се променя" of a solution of acid: "Киселината не се променя"; "Водата" of iodine
// dissolved in spirit: "Спиртът".
std::string InTextsWords(std::string line, const Reading& reading) {
  const std::string_view own = reading.ownWord;
  const std::string_view solvent = reading.solvent;
  std::vector<std::pair<std::string, std::string>> renamings;
  if (!own.empty()) {
    renamings = RenamingsOf(own, reading.ownHeld);
  }
  if (const Texts::Noun* dissolvedIn = Texts::NounNamed(Texts::Solvents, solvent)) {
    for (auto& pair : Renamed(Texts::WaterNoun, *dissolvedIn)) {
      renamings.push_back(std::move(pair));
    }
  }
  return InOwnPhrases(std::move(line), renamings);
}

// "в получения концентрат" of juice boiled down, where the working says "в получения сок"; and
// "в концентрата" where it says "в новия сок", as nothing before it was one. The words a text
// calls it by are masculine: "концентрат", "петмез".
std::string MixtureInTextsWords(std::string line, std::string_view word) {
  if (word.empty()) {
    return line;
  }
  const std::string bare(word);
  const std::string definite = bare + "а";
  const std::string subject = bare + "ът";
  return InOwnPhrases(std::move(line), {{"получения сок", "получения " + bare},
                                        {"полученият сок", "полученият " + bare},
                                        {"Получения сок", "Получения " + bare},
                                        {"Полученият сок", "Полученият " + bare},
                                        {"новия сок", definite},
                                        {"новият сок", subject},
                                        {"Новия сок", FirstCapital(definite)},
                                        {"Новият сок", FirstCapital(subject)}});
}

// "Добавената сол е чиста (100%), затова в нея има 50 г сол.": a pupil's problem names its
// substance, not the calculator's "чисто вещество", and says the pure part's substance as an
// amount.
constexpr std::string_view PureCalculators = " е чисто вещество (100%), затова ";
constexpr std::string_view PureWhole = " цялата маса: ";

bool SaysPurePart(std::string_view line) {
  return line.find(PureCalculators) != std::string_view::npos &&
         line.find(PureWhole) != std::string_view::npos;
}

std::string PureSaidPlainly(std::string line, const Problem& problem, std::string_view own) {
  const Texts::Noun& pure = Texts::ContextTable[static_cast<std::size_t>(problem.context)].pure;
  if (!SaysPurePart(line) || pure.bare.empty()) {
    return line;
  }
  using Texts::Article;
  // The text's own substance, said for salt's, may be of another gender: "Добавеният йод".
  const Texts::Noun* named = Texts::NounNamed(Texts::NamedSubstances, own);
  const Texts::Gender gender = named ? named->gender : pure.gender;
  const std::string substance = Texts::PartWordsOf(problem).substance;
  // "50 (г)." of the calculator's line is "50 г".
  std::string amount = line.substr(line.find(PureWhole) + PureWhole.size());
  amount = amount.substr(0, amount.find(" (")) + " " + std::string(UnitSymbol(problem.unit));
  return FirstCapital(std::string(Added.For(gender, Article::Full))) + " " + substance + " е " +
         std::string(Texts::PureRowForms.For(gender, Article::Full)) + " (100%), затова в " +
         std::string(Texts::ObjectPronounForms.For(gender, Article::Short)) + " има " + amount +
         " " + substance + ".";
}

// "Отговор: 60%." of alloys given by their hallmarks, said as one: "Отговор: проба 600 (60%)."
std::string AsHallmarks(std::string line, const std::vector<Amount>& answers) {
  for (const Amount& amount : answers) {
    const std::string percent = ExactAmount(amount);
    const std::size_t at = line.find(percent);
    if (amount.unit == WrittenUnit::Percent && at != std::string::npos) {
      line.replace(at, percent.size(),
                   "проба " + Texts::ExactNumber(amount.value * 10) + " (" + percent + ")");
    }
  }
  return line;
}

// "проба 585": a percentage given as a number of its own, no "%" or "процента" written.
bool IsHallmarkGiven(const ReadNumber& number, const Problem& problem) {
  return number.column && UnitOf(problem, *number.column) == Unit::Percent &&
         number.written.find('%') == std::string::npos &&
         number.written.find("процент") == std::string::npos;
}

// "200 г злато с проба 900" of "200 г сплав с 90% злато": the parts in an answer by their
// hallmark, whole thousandths, as the text names them.
std::string PartsAsHallmarks(std::string line, const std::array<Fraction, ColumnCount>& values) {
  for (const Column column : {Percent1, Percent2, MixPercent}) {
    const Fraction hallmark = values[column] * 10;
    if (!hallmark.IsWhole()) {
      continue;
    }
    for (const std::string_view metal : {"злато", "сребро"}) {
      const std::string alloy = "сплав " + Texts::With(Texts::ExactNumber(values[column]) + "%") +
                                " " + std::string(metal);
      for (std::size_t at = line.find(alloy); at != std::string::npos; at = line.find(alloy)) {
        line.replace(at, alloy.size(),
                     std::string(metal) + " с проба " + Texts::ExactNumber(hallmark));
      }
    }
  }
  return line;
}

// "9,52" of "9,(523809)": a long period to hundredths, as a pupil can read it, and the three
// decimals it begins with, "9,523", which "…" may follow; nothing where the text at `at` is no
// number with a period of more than two digits.
struct LongPeriod {
  std::size_t length = 0;
  std::string rounded;
  std::string begun;
};
std::string HundredthsText(std::uint64_t hundredths) {
  std::string text = std::to_string(hundredths / 100);
  if (hundredths % 100 != 0) {
    const std::uint64_t cents = hundredths % 100;
    text += ',' + std::to_string(cents / 10) + (cents % 10 != 0 ? std::to_string(cents % 10) : "");
  }
  return text;
}
std::optional<LongPeriod> LongPeriodAt(std::string_view line, std::size_t at) {
  const auto digitsFrom = [&line](std::size_t from) {
    std::size_t end = from;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') {
      ++end;
    }
    return end;
  };
  const std::size_t whole = digitsFrom(at);
  if (whole == at || whole >= line.size() || line[whole] != ',') {
    return std::nullopt;
  }
  const std::size_t open = digitsFrom(whole + 1);
  const std::size_t close = open < line.size() && line[open] == '(' ? digitsFrom(open + 1) : open;
  if (close == open || close >= line.size() || line[close] != ')' || close - open - 1 <= 2) {
    return std::nullopt;
  }
  // Three decimals decide the hundredths; a period never ends in an exact half.
  const std::string period(line.substr(open + 1, close - open - 1));
  const std::string decimals =
      (std::string(line.substr(whole + 1, open - whole - 1)) + period).substr(0, 3);
  std::uint64_t thousandths = 0;
  const std::string digits = std::string(line.substr(at, whole - at)) + decimals;
  if (std::from_chars(digits.data(), digits.data() + digits.size(), thousandths).ec !=
      std::errc()) {
    return std::nullopt;
  }
  return LongPeriod{close + 1 - at, HundredthsText((thousandths + 5) / 10),
                    std::string(line.substr(at, whole - at)) + ',' + decimals};
}

// "= 9,(523809)%" is "≈ 9,52%"; "105 · 14,(285714) : 100 = 15" is "105 · 14,285… : 100 ≈ 15", and a
// number standing alone "≈ 9,52%": never "=" before or after a rounded number. A line that opens
// with one, "14,29% е между 10% и 100%.", says what holds of the rounded number too. Whether any
// was rounded.
bool LongPeriodsRounded(std::string& line) {
  constexpr std::string_view Continued = "…";
  constexpr std::string_view Equals = " = ";
  constexpr std::string_view About = " ≈ ";
  bool rounded = false;
  for (std::size_t at = 0; at < line.size(); ++at) {
    if ((at > 0 && line[at - 1] >= '0' && line[at - 1] <= '9') || line[at] < '0' ||
        line[at] > '9') {
      continue;
    }
    const std::optional<LongPeriod> period = LongPeriodAt(line, at);
    if (!period) {
      continue;
    }
    rounded = true;
    const std::string_view before = std::string_view(line).substr(0, at);
    const std::string_view after = std::string_view(line).substr(at + period->length);
    const bool operand = after.starts_with(" ·") || after.starts_with(" :") ||
                         after.starts_with(" +") || after.starts_with(" −") ||
                         before.ends_with("· ") || before.ends_with(" : ") ||
                         before.ends_with("+ ") || before.ends_with("− ");
    const bool about = before.ends_with(About.substr(1));
    const bool equal = before.ends_with(Equals.substr(1));
    // The working goes on with the exact number: "500 − 269,230… ≈ 230,77", whose result is
    // about for its own rounding only; "…" follows the digits the number begins with.
    const std::string shown =
        !about && !equal && operand ? period->begun + std::string(Continued) : period->rounded;
    line.replace(at, period->length, shown);
    if (about) {
      // Already said to be about: "171,43 − 100 ≈ 71,43".
    } else if (equal) {
      line.replace(at - 2, 1, About.substr(1, About.size() - 2));
      at += About.size() - Equals.size();
    } else if (!operand && at > 0) {
      line.insert(at, About.substr(1));
      at += About.size() - 1;
    }
    at += shown.size();
  }
  return rounded;
}

// Whether the line works with a number that has a period, "300 · 11,(6) : 100", or goes on,
// "105 · 14,285… : 100"; a result that has one, "= 11,(6)%", is worked out, not worked with.
bool WorksWithAPeriod(std::string_view line) {
  constexpr std::string_view Continued = "…";
  const auto worksOn = [line](std::size_t end) {
    const std::string_view after = line.substr(end);
    return after.starts_with(" ·") || after.starts_with(" :");
  };
  for (std::size_t at = 1; at + 1 < line.size(); ++at) {
    const bool period = line[at] == ')' && line[at - 1] >= '0' && line[at - 1] <= '9';
    if ((period && worksOn(at + 1)) ||
        (line.substr(at).starts_with(Continued) && worksOn(at + Continued.size()))) {
      return true;
    }
  }
  return false;
}

// Every metal of school, with the forms its sentences take: an alloy's own and those beside.
std::vector<Texts::Noun> Metals() {
  std::vector<Texts::Noun> metals;
  for (const Context context : Contexts) {
    const auto at = static_cast<std::size_t>(context);
    if (Texts::ContextTable[at].solution.bare == Texts::AlloyNoun.bare) {
      metals.push_back(MetalOf(context));
    }
  }
  metals.insert(metals.end(), Texts::BaseMetals.begin(), Texts::BaseMetals.end());
  return metals;
}

// Where `word` stands in the text as a word of its own, capital or not; npos where it does not.
std::size_t WordAt(std::string_view text, std::string_view word) {
  for (const std::string& form : {std::string(word), FirstCapital(std::string(word))}) {
    for (std::size_t at = text.find(form); at != std::string_view::npos;
         at = text.find(form, at + 1)) {
      if (!IsLetterBefore(text, at) && !IsLetterAt(text, at + form.size())) {
        return at;
      }
    }
  }
  return std::string_view::npos;
}

// "калай" and "олово" of "бронз от мед, калай и олово" read as of copper: the metals named beside
// the one the percentages are of, in the text's order.
std::vector<Texts::Noun> OtherMetalsNamed(std::string_view text, const Reading& reading) {
  std::vector<std::pair<std::size_t, Texts::Noun>> named;
  if (!reading.problem) {
    return {};
  }
  const auto own = static_cast<std::size_t>(reading.problem->context);
  if (Texts::ContextTable[own].solution.bare != Texts::AlloyNoun.bare) {
    return {};
  }
  for (const Texts::Noun& metal : Metals()) {
    const std::size_t at = WordAt(text, metal.bare);
    if (metal.bare != Texts::ContextTable[own].substance && at != std::string_view::npos) {
      named.emplace_back(at, metal);
    }
  }
  std::sort(named.begin(), named.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Texts::Noun> metals;
  for (const auto& [at, metal] : named) {
    metals.push_back(metal);
  }
  return metals;
}

// The one of the metals listed that is added to the alloy, "мед" of "Към нея добавили 2 кг
// чиста мед": the first named after the added mass, or after the question's start where it is
// asked; all of them where none is named there.
std::vector<Texts::Noun> AddedOfThem(std::string_view text, const Reading& reading,
                                     std::vector<Texts::Noun> metals) {
  if (metals.size() < 2 || reading.problem->second != Ingredient::Water) {
    return metals;
  }
  const auto mass = std::find_if(reading.numbers.begin(), reading.numbers.end(),
                                 [](const ReadNumber& number) { return number.column == Weight2; });
  std::size_t from = mass != reading.numbers.end() ? mass->end : text.rfind('.', text.rfind('?'));
  from = from == std::string_view::npos ? 0 : from;
  const auto at = [text, from](const Texts::Noun& metal) {
    return WordAt(text.substr(from), metal.bare);
  };
  const auto first =
      std::min_element(metals.begin(), metals.end(),
                       [&at](const Texts::Noun& a, const Texts::Noun& b) { return at(a) < at(b); });
  return at(*first) == std::string_view::npos ? metals : std::vector<Texts::Noun>{*first};
}

// "Останалите метали не се променят" of an alloy of copper and tin: "Калаят не се променя"; "на
// останалите метали" is "на калая", "(останалите метали)" "(калаят)".
std::string MetalsNamed(std::string line, const std::vector<Texts::Noun>& metals) {
  if (metals.empty()) {
    return line;
  }
  const bool one = metals.size() == 1;
  std::vector<std::string> subjects;
  std::vector<std::string> objects;
  std::vector<std::string> bare;
  for (const Texts::Noun& metal : metals) {
    subjects.emplace_back(metal.definiteFull);
    objects.emplace_back(metal.definiteShort);
    bare.emplace_back(metal.bare);
  }
  const std::string subject = Listed(subjects, ", ", " и ");
  const std::string object = Listed(objects, ", ", " и ");
  const std::string all = Listed(bare, ", ", " и ");
  const std::vector<std::pair<std::string, std::string>> renamed = {
      {"добавените други метали", one ? AddedMetal(metals.front()) : "добавените " + all},
      {"Останалите метали не се променят",
       FirstCapital(subject) + (one ? " не се променя" : " не се променят")},
      {"останалите метали не се променят", subject + (one ? " не се променя" : " не се променят")},
      {"останалите метали са", subject + (one ? " е" : " са")},
      {"на останалите метали", "на " + object},
      {"и останалите метали заедно", "и " + object + " заедно"},
      {"Останалите метали", FirstCapital(subject)},
      {"останалите метали", subject},
      {"Другите метали", FirstCapital(subject)},
      {"на другите метали", "на " + object},
      {"другите метали", subject},
      {"Други метали", FirstCapital(all)},
      {"останали метали", all},
      {"други метали", all}};
  for (const auto& [theirs, ours] : renamed) {
    for (std::size_t at = line.find(theirs); at != std::string::npos;
         at = line.find(theirs, at + ours.size())) {
      line.replace(at, theirs.size(), ours);
    }
  }
  return line;
}

// Whether the text calls the substance pure: "чиста сол", "чист спирт", "Чистото злато".
bool SaysPure(std::string_view text) {
  for (const std::string_view pure : {"чист", "Чист"}) {
    for (std::size_t at = text.find(pure); at != std::string_view::npos;
         at = text.find(pure, at + 1)) {
      if (!IsLetterBefore(text, at)) {
        return true;
      }
    }
  }
  return false;
}

// "масата на добавената сол", "100 (солта)" where the text says only "сол": a pure substance is
// said so where the text says it.
std::string PureUnsaid(std::string line, Context context) {
  using Texts::Article;
  const auto at = static_cast<std::size_t>(context);
  const Texts::Noun& pure = Texts::ContextTable[at].pure;
  if (pure.bare.empty()) {
    return line;
  }
  const std::string substance(Texts::ContextTable[at].substance);
  const std::string added = std::string(Added.For(pure.gender, Article::Short)) + " " + substance;
  std::vector<std::pair<std::string, std::string>> renamed = {
      {"(" + std::string(pure.definiteFull) + ")",
       "(" + std::string(Texts::SubstanceSubjects[at]) + ")"}};
  for (const auto& [theirs, ours] :
       {std::pair(std::string(pure.definiteFull),
                  std::string(Added.For(pure.gender, Article::Full)) + " " + substance),
        std::pair(std::string(pure.definiteShort), added),
        std::pair(std::string(pure.bare), substance)}) {
    renamed.emplace_back(FirstCapital(theirs), FirstCapital(ours));
    renamed.emplace_back(theirs, ours);
  }
  return InOwnPhrases(std::move(line), renamed);
}

// "10% солен разтвор" where the text says "солен разтвор" and the working "разтвор на сол";
// "разтвор на захар" where it says that and the working "захарен разтвор"; "разтвор" of vinegar
// where the text calls it "разтвор на оцет", not "оцет".
std::vector<std::pair<std::string, std::string>> PhrasesOf(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> phrases;
  const auto says = [text](std::initializer_list<std::string_view> words) {
    return std::any_of(words.begin(), words.end(), [text](std::string_view word) {
      return WordAt(text, word) != std::string_view::npos;
    });
  };
  if (says({"солен", "солени", "солния", "солният"})) {
    phrases.emplace_back("разтвор на сол", "солен разтвор");
  }
  if (says({"разтвор на захар", "разтвори на захар"})) {
    phrases.emplace_back("захарен разтвор", "разтвор на захар");
  }
  if (says({"разтвор на оцет", "разтвори на оцет", "оцетен разтвор", "оцетни разтвори"})) {
    for (auto& pair : SolutionRenamed(Texts::SolutionNoun, Texts::VinegarNoun)) {
      phrases.push_back(std::move(pair));
    }
  }
  return phrases;
}

// "новия разтвор" where the text calls the mixture new and never obtained. Two steps keep
// "получения" for the first step's mixture, told apart from the new one.
std::vector<std::pair<std::string, std::string>> NewWhereTextSays(std::string_view text,
                                                                  const Reading& reading) {
  const auto says = [text](const Texts::Forms& forms, const Texts::Forms& row) {
    for (const Texts::Forms* each : {&forms, &row}) {
      for (const std::string_view form : {each->masculineShort, each->masculineFull, each->feminine,
                                          each->neuter, each->plural}) {
        if (WordAt(text, form) != std::string_view::npos) {
          return true;
        }
      }
    }
    return false;
  };
  if (!reading.problem || reading.problem->firstStep ||
      !says(Texts::NewForms, Texts::NewRowForms) ||
      says(Texts::ObtainedForms, Texts::ObtainedRowForms)) {
    return {};
  }
  std::vector<std::pair<std::string, std::string>> renamed;
  for (const auto& [obtained, made] : {std::pair(Texts::ObtainedForms, Texts::NewForms),
                                       std::pair(Texts::ObtainedRowForms, Texts::NewRowForms)}) {
    for (const auto& [theirs, ours] :
         {std::pair(obtained.masculineShort, made.masculineShort),
          std::pair(obtained.masculineFull, made.masculineFull),
          std::pair(obtained.feminine, made.feminine), std::pair(obtained.neuter, made.neuter),
          std::pair(obtained.plural, made.plural)}) {
      renamed.emplace_back(theirs, ours);
      renamed.emplace_back(FirstCapital(std::string(theirs)), FirstCapital(std::string(ours)));
    }
  }
  return renamed;
}

// The goods of each price where the text names them apart, "ябълки по 12 €" and "кафе по 18 €";
// none where it names them alike or not at all.
Goods GoodsApart(std::string_view text, const Reading& reading) {
  Goods goods;
  if (reading.currency.empty() || !reading.goods.empty()) {
    return {};
  }
  for (const ReadNumber& number : reading.numbers) {
    if (number.column != Percent1 && number.column != Percent2) {
      continue;
    }
    std::string_view before = text.substr(0, number.begin);
    while (before.ends_with(' ')) {
      before.remove_suffix(1);
    }
    constexpr std::string_view By = " по";
    if (!before.ends_with(By)) {
      continue;
    }
    before.remove_suffix(By.size());
    const std::size_t space = before.find_last_of(" ,");
    goods[number.column == Percent1 ? 0 : 1] =
        std::string(before.substr(space == std::string_view::npos ? 0 : space + 1));
  }
  const bool apart = !goods[0].empty() && !goods[1].empty() && goods[0] != goods[1] &&
                     IsLetterAt(goods[0], 0) && IsLetterAt(goods[1], 0);
  return apart ? goods : Goods{};
}

}  // namespace

void MyProblem::Read(std::string_view text) {
  read_ = ReadProblem(text);
  reading_ = read_;
  otherMetals_ = OtherMetalsNamed(text, read_);
  if (!otherMetals_.empty()) {
    otherMetals_ = AddedOfThem(text, read_, std::move(otherMetals_));
  }
  saysPure_ = SaysPure(text);
  phrases_ = PhrasesOf(text);
  goods_ = GoodsApart(text, read_);
  for (auto& pair : NewWhereTextSays(text, read_)) {
    phrases_.push_back(std::move(pair));
  }
  Show();
}

bool MyProblem::IsAnswered() const {
  if (!reading_.parts.empty()) {
    return std::all_of(reading_.parts.begin(), reading_.parts.end(),
                       [](const Reading& part) { return part.problem && !part.doubt; });
  }
  return reading_.problem && !reading_.doubt;
}

std::string_view MyProblem::Outcome() const {
  return outcome_ < shown_.lines.size() ? std::string_view(shown_.lines[outcome_])
                                        : std::string_view();
}

std::vector<MyProblem::Number> MyProblem::Numbers() const {
  std::vector<Number> numbers;
  // Sub-questions are each their own problem: the text's numbers have no one role to change.
  if (!reading_.parts.empty()) {
    return numbers;
  }
  for (const ReadNumber& number : reading_.numbers) {
    numbers.push_back({number.written, number.column ? static_cast<std::size_t>(*number.column)
                                                     : static_cast<std::size_t>(ColumnCount)});
  }
  return numbers;
}

std::vector<std::string> MyProblem::Roles() const {
  // In the words of the text as read, whatever the roles give now.
  const Problem problem = read_.problem.value_or(Problem{});
  const Texts::PartWords parts = PartWordsOf(read_, goods_);
  std::vector<std::string> roles;
  for (const Column column : AllColumns) {
    roles.push_back(RoleOf(problem, parts, column, !read_.currency.empty()));
  }
  roles.emplace_back(NotNeeded);
  for (std::string& role : roles) {
    role = InTextsWords(std::move(role), read_);
  }
  return roles;
}

void MyProblem::ChangeRole(std::size_t number, std::size_t role) {
  // Sub-questions are each their own problem, and two steps have more roles than the grid's six:
  // their roles are not changed as one.
  if (number >= reading_.numbers.size() || role > static_cast<std::size_t>(ColumnCount) ||
      !reading_.parts.empty() || (reading_.problem && reading_.problem->firstStep)) {
    return;
  }
  ReadNumber& changed = reading_.numbers[number];
  changed.column = role < static_cast<std::size_t>(ColumnCount)
                       ? std::optional<Column>(static_cast<Column>(role))
                       : std::nullopt;
  // A number given a role is a given again, whatever it was taken for before.
  if (changed.column) {
    changed.aside.clear();
  } else if (changed.aside.empty()) {
    changed.aside = NotNeeded;
  }
  // From the text's own parts and question: a reading the roles left without a problem has
  // lost them.
  Reading again = read_;
  again.numbers = std::move(reading_.numbers);
  reading_ = Reread(std::move(again));
  Show();
}

bool MyProblem::CanGoIntoGrid() const {
  return IsAnswered() && reading_.parts.empty() && reading_.currency.empty() &&
         HoldsInTenths(reading_, false);
}

Practice::GridEntry MyProblem::ForGrid(std::string_view decimalSeparator) const {
  const Problem& problem = *reading_.problem;
  Practice::GridEntry entry{problem.variant, RuleOf(problem.variant).givens, {}};
  for (std::size_t i = 0; i < entry.columns.size(); ++i) {
    entry.texts[i] = problem.Value(entry.columns[i]).Text(decimalSeparator);
  }
  return entry;
}

void MyProblem::Show() {
  ShowReading();
  const bool renamed = !reading_.ownWord.empty() || !reading_.solvent.empty();
  const auto said = [this, renamed](std::string& text) {
    if (!saysPure_ && reading_.problem) {
      text = PureUnsaid(std::move(text), reading_.problem->context);
    }
    text = InOwnPhrases(std::move(text), phrases_);
    if (renamed) {
      text = MixtureInTextsWords(InTextsWords(std::move(text), reading_), reading_.mixtureWord);
    }
    text = MetalsNamed(std::move(text), otherMetals_);
    return LongPeriodsRounded(text);
  };
  std::vector<bool> rounded;
  for (std::string& line : shown_.lines) {
    rounded.push_back(said(line));
  }
  bool inTable = false;
  if (shown_.table) {
    for (std::string& cell : shown_.table->heading) {
      inTable = said(cell) || inTable;
    }
    for (auto& row : shown_.table->rows) {
      for (std::string& cell : row) {
        inTable = said(cell) || inTable;
      }
    }
    if (inTable && shown_.tableAt < rounded.size()) {
      rounded[shown_.tableAt] = true;
    }
  }
  NoteRounding(rounded);
  LeaveOutChecksByPeriods();
}

// "300 · 11,(6) : 100 = 35" checks nothing a pupil can work out: a check by a periodic number is
// left out, and where the percentage's range is checked after it, that is the check.
void MyProblem::LeaveOutChecksByPeriods() {
  constexpr std::string_view Check = "Проверка: ";
  for (std::size_t at = 0; at < shown_.lines.size(); ++at) {
    std::string& line = shown_.lines[at];
    if (!line.starts_with(Check) || !WorksWithAPeriod(line)) {
      continue;
    }
    const bool ranged = line.ends_with(';') && at + 1 < shown_.lines.size();
    if (ranged) {
      line = std::string(Check) + shown_.lines[at + 1];
    }
    const std::size_t gone = ranged ? at + 1 : at;
    shown_.lines.erase(shown_.lines.begin() + static_cast<std::ptrdiff_t>(gone));
    if (shown_.table && shown_.tableAt > gone) {
      --shown_.tableAt;
    }
    if (outcome_ > gone) {
      --outcome_;
    }
  }
}

// "Бележка: числата след „≈“ са закръглени до стотни." before each answer whose working, since
// the answer before it, has a rounded number, where it has no such note yet.
void MyProblem::NoteRounding(const std::vector<bool>& rounded) {
  bool pending = false;
  for (std::size_t at = 0, line = 0; at < shown_.lines.size(); ++at, ++line) {
    pending = pending || (line < rounded.size() && rounded[line]);
    if (!shown_.lines[at].starts_with("Отговор:") || !pending) {
      continue;
    }
    pending = false;
    if (at > 0 && shown_.lines[at - 1] == Texts::RoundedToHundredths) {
      continue;
    }
    shown_.lines.insert(shown_.lines.begin() + static_cast<std::ptrdiff_t>(at),
                        std::string(Texts::RoundedToHundredths));
    if (shown_.table && shown_.tableAt > at) {
      ++shown_.tableAt;
    }
    if (outcome_ >= at) {
      ++outcome_;
    }
    ++at;
  }
}

void MyProblem::ShowReading() {
  shown_ = {};
  if (!reading_.parts.empty()) {
    ShowSubQuestions();
    return;
  }
  if (!IsAnswered()) {
    ShowDoubt();
    return;
  }
  const Problem& problem = *reading_.problem;
  shown_.lines.push_back(GivenLine());
  shown_.lines.push_back(SoughtLine());
  if (!reading_.currency.empty()) {
    ShowByPrice();
    outcome_ = shown_.lines.size() - 1;
    ShowOption();
    return;
  }
  if (reading_.stepsOnly) {
    ShowStepsOnly();
    return;
  }
  const bool tenths = HoldsInTenths(reading_, false);
  std::vector<std::string> answers;
  std::string difference;
  bool shares = false;
  std::size_t next = 0;
  for (const Amount& amount : reading_.answers) {
    if (amount.difference) {
      difference = DifferenceAnswer(amount);
    } else if (!amount.substanceOf) {
      const std::size_t sought = next++;
      const std::string share = ShareAnswer(amount, sought);
      shares = shares || !share.empty();
      const std::string named = HoldsInTenths(reading_, true) ? NamedAmount(problem, amount, sought)
                                                              : ExactAmount(amount);
      answers.push_back(share.empty() ? named : share);
    }
  }
  // The answer is said in the question's unit, the working in the problem's; a difference asked
  // is part of it, and a share is said with what it is the share of.
  const Teaching teaching =
      tenths && !AsksInAnotherUnit(reading_) && difference.empty() && !shares
          ? TeachingOf(problem)
          : TeachingOf(problem, reading_.values,
                       Listed(answers, ", ", " и ") +
                           (answers.empty() || difference.empty() ? "" : "; ") + difference);
  // The solution's own "Дадено:" and "Търси се:" are said above, in the problem's words.
  const std::vector<std::string>& lines = teaching.solution.lines;
  std::size_t from = 0;
  while (from < lines.size() &&
         (lines[from].starts_with("Дадено:") || lines[from].starts_with("Търси се:"))) {
    ++from;
  }
  // A part added is said to be pure where the text says so; where it does not, its mass is its
  // substance, and the working takes it so without a line of its own.
  std::size_t dropped = 0;
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (!saysPure_ && SaysPurePart(lines[i])) {
      dropped += i < teaching.solution.tableAt ? 1 : 0;
      continue;
    }
    shown_.lines.push_back(PureSaidPlainly(lines[i], problem, reading_.ownWord));
  }
  shown_.table = teaching.solution.table;
  shown_.tableAt =
      teaching.solution.tableAt + 2 - std::min(from, teaching.solution.tableAt) - dropped;
  // The answer may be followed by another way and the grid's check; the steps after the masses
  // come before it.
  const auto answer =
      std::find_if(shown_.lines.rbegin(), shown_.lines.rend(),
                   [](const std::string& line) { return line.starts_with("Отговор:"); });
  outcome_ = static_cast<std::size_t>(shown_.lines.rend() - answer) - 1;
  ShowWaterShares();
  NameTheStartingSolution();
  if (reading_.hallmark) {
    shown_.lines[outcome_] = AsHallmarks(shown_.lines[outcome_], reading_.answers);
  }
  if (reading_.currency.empty() && std::any_of(reading_.numbers.begin(), reading_.numbers.end(),
                                               [&problem](const ReadNumber& number) {
                                                 return number.column &&
                                                        IsHallmarkGiven(number, problem);
                                               })) {
    shown_.lines[outcome_] = PartsAsHallmarks(shown_.lines[outcome_], reading_.values);
  }
  if (problem.context == Context::Milk) {
    SayMilksFat();
  }
  ShowDifference();
  AnswerTheSubstance();
  ShowOption();
}

// Milk's fat is its "масленост", as the text says it: "Маслеността на полученото мляко е
// 0,117 · 100 : 5 = 2,34%.", "Отговор: мляко с масленост 2,34%."
void MyProblem::SayMilksFat() {
  constexpr std::string_view In = "В ";
  constexpr std::string_view Fats = " мазнините са ";
  for (std::string& line : shown_.lines) {
    const std::size_t fats = line.find(Fats);
    if (line.starts_with(In) && fats != std::string::npos && line.ends_with("%.")) {
      line = "Маслеността на " + line.substr(In.size(), fats - In.size()) + " е " +
             line.substr(fats + Fats.size());
    }
  }
  constexpr std::string_view Answer = "Отговор: ";
  std::string& answer = shown_.lines[outcome_];
  const std::string_view said = std::string_view(answer).substr(Answer.size());
  if (answer.starts_with(Answer) && said.ends_with("%.") &&
      said.find(' ') == std::string_view::npos) {
    answer.insert(Answer.size(), "мляко с масленост ");
  }
}

// "Водата е 100% − 20% = 80%.": the water's share beside the substance's, or produce's water
// beside its dry matter, just worked out, said before the answer. Produce's dry matter is worked
// out on the way, and needs no line.
void MyProblem::ShowWaterShares() {
  for (const Amount& amount : reading_.answers) {
    if (IsWaterShare(amount)) {
      const std::string line = FirstCapital(Texts::WaterNoun.definiteShort) + " е 100% − " +
                               Texts::ExactNumber(Fraction(100) - amount.value) +
                               "% = " + ExactAmount(amount) + ".";
      InsertBeforeAnswer(line);
    }
  }
}

// A percentage answered as the share of what the working does not state: the water beside the
// substance, produce's water beside the dry matter its working counts in.
bool MyProblem::IsWaterShare(const Amount& amount) const {
  const bool produce = StatedShareOf(reading_.problem->context) == StatedShare::Water;
  return amount.unit == WrittenUnit::Percent && !amount.difference && !amount.substanceOf &&
         amount.rest != produce;
}

// "водата е 85% от разтвора": the water's share of the one solution described.
std::string MyProblem::WaterShareAnswer(const Amount& amount) const {
  return std::string(Texts::WaterNoun.definiteShort) + " е " + ExactAmount(amount) + " от " +
         PartWordsOf(reading_, goods_).names[2];
}

// "Каква е била концентрацията на първоначалния разтвор?": the solution of unknown strength that
// water is poured into is the starting one, and its substance is the mixture's, as the water
// holds none: "В първоначалния разтвор също има 40 г сол, защото водата не съдържа сол."
void MyProblem::NameTheStartingSolution() {
  const Problem& problem = *reading_.problem;
  const bool waterFirst = problem.first == Ingredient::Water;
  const Texts::Noun& noun = Texts::ContextTable[static_cast<std::size_t>(problem.context)].solution;
  // A solution the text calls by a word of its own may differ in gender from this one's.
  if (problem.kind != Kind::UnknownSecondStrength ||
      (!waterFirst && problem.second != Ingredient::Water) ||
      InTextsWords(std::string(noun.bare), reading_) != noun.bare) {
    return;
  }
  constexpr std::array<std::string_view, 4> Starting = {"първоначалния", "първоначалната",
                                                        "първоначалното", "първоначалните"};
  const std::string starting =
      std::string(Starting[static_cast<std::size_t>(noun.gender)]) + " " + std::string(noun.bare);
  const Texts::PartWords parts = PartWordsOf(reading_, goods_);
  const std::string in = Texts::In(parts.names[waterFirst ? 1 : 0]);
  const std::string kept = FirstCapital(parts.substanceDefinite) + " " + in + " е ";
  constexpr std::string_view NoneAdded = " − 0 = ";
  for (std::string& line : shown_.lines) {
    const std::size_t none = line.find(NoneAdded);
    if (line.starts_with("Търси се:") && line.ends_with(" " + in + ".")) {
      line.replace(line.size() - in.size() - 1, in.size(), "в " + starting);
    } else if (line.starts_with(kept) && none != std::string::npos) {
      const std::size_t from = none + NoneAdded.size();
      line = "В " + starting + " също има " + line.substr(from, line.find(" (", from) - from) +
             " " + std::string(UnitSymbol(problem.unit)) + " " + parts.substance + ", защото " +
             parts.names[waterFirst ? 0 : 1] + " не съдържа " + parts.substance + ".";
    }
  }
}

// "в първия разтвор има с 40 г повече сол": a difference of the substance asked as more says
// which part has more, as "В кой разтвор има повече сол и с колко грама?" asks; asked as a
// difference, "количествата сол се различават с 40 г"; of the masses, the difference.
std::string MyProblem::DifferenceAnswer(const Amount& amount) const {
  if (!amount.substances) {
    return "разликата е " + ExactAmount(amount);
  }
  const Texts::PartWords parts = Texts::PartWordsOf(*reading_.problem);
  const auto& values = reading_.values;
  const Fraction first = values[Weight1] * values[Percent1] / 100;
  const Fraction second = values[Weight2] * values[Percent2] / 100;
  if (first == second) {
    return "количествата " + parts.substance + " са равни (по " + Texts::ExactNumber(first) + " " +
           std::string(UnitSymbol(reading_.problem->unit)) + ")";
  }
  if (!amount.compared) {
    return "количествата " + parts.substance + " се различават с " + ExactAmount(amount);
  }
  return Texts::In(parts.names[first > second ? 0 : 1]) + " има с " + ExactAmount(amount) +
         " повече " + parts.substance;
}

// "водата в разтвора е 80%", "сухото вещество в сушените гъби е 80%": a share answered with
// what it is; empty for the percentage the problem's own are of, which needs no name.
std::string MyProblem::ShareAnswer(const Amount& amount, std::size_t sought) const {
  const Problem& problem = *reading_.problem;
  const bool water = IsWaterShare(amount);
  if ((!water && !amount.rest) || sought >= problem.sought.size()) {
    return {};
  }
  const std::string noun(water
                             ? Texts::WaterNoun.definiteShort
                             : Texts::SubstanceSubjects[static_cast<std::size_t>(problem.context)]);
  const Texts::PartWords parts = PartWordsOf(reading_, goods_);
  const std::string& part = parts.names[static_cast<std::size_t>(PartOf(problem.sought[sought]))];
  return noun + " " + Texts::In(part) + " е " + ExactAmount(amount);
}

void MyProblem::InsertBeforeAnswer(std::string line) {
  shown_.lines.insert(shown_.lines.begin() + static_cast<std::ptrdiff_t>(outcome_),
                      std::move(line));
  if (shown_.table && shown_.tableAt > outcome_) {
    ++shown_.tableAt;
  }
  ++outcome_;
}

// Steps after what the text gives, and nothing else asked: the steps are the whole working.
void MyProblem::ShowStepsOnly() {
  shown_.lines.emplace_back("Отговор:");
  outcome_ = shown_.lines.size() - 1;
  ShowWaterShares();
  ShowDifference();
  AnswerTheSubstance();
  ShowOption();
}

// "Колко грама сол има в получения разтвор?": the masses are only a step to the salt in a part,
// and the answer follows the salt worked out, "Отговор: 40 г сол.".
void MyProblem::AnswerTheSubstance() {
  const auto substance = [](const Amount& amount) { return amount.substanceOf.has_value(); };
  if (std::none_of(reading_.answers.begin(), reading_.answers.end(), substance) &&
      !reading_.stepsOnly) {
    return;
  }
  const std::string word = Texts::PartWordsOf(*reading_.problem).substance;
  std::vector<std::string> answers;
  for (const Amount& amount : reading_.answers) {
    answers.push_back(amount.difference      ? DifferenceAnswer(amount)
                      : substance(amount)    ? ExactAmount(amount) + " " + word
                      : IsWaterShare(amount) ? WaterShareAnswer(amount)
                                             : ExactAmount(amount));
  }
  shown_.lines[outcome_] = "Отговор: " + Listed(answers, ", ", " и ") + ".";
}

// "а)" and what is shown of it, for each sub-question; a table only in the words.
void MyProblem::ShowSubQuestions() {
  constexpr std::array<std::string_view, 4> Labels = {"а)", "б)", "в)", "г)"};
  for (std::size_t k = 0; k < reading_.parts.size() && k < Labels.size(); ++k) {
    MyProblem part;
    part.reading_ = reading_.parts[k];
    part.Show();
    shown_.lines.emplace_back(Labels[k]);
    // The last sub-question's answer or doubt ends the reading, not its check with the grid.
    outcome_ = shown_.lines.size() + part.outcome_;
    for (const std::string& line : part.shown_.lines) {
      shown_.lines.push_back(line);
    }
  }
}

// The steps after the masses: "Разликата между масите е 600 − 300 = 300 (г).", "Сол в
// получения разтвор: 500 · 22 : 100 = 110 (г)."
void MyProblem::ShowDifference() {
  const std::array<Fraction, ColumnCount>& values = reading_.values;
  const std::string unit(UnitSymbol(reading_.problem->unit));
  const Texts::PartWords parts = Texts::PartWordsOf(*reading_.problem);
  for (const Amount& amount : reading_.answers) {
    if (amount.substanceOf && TakeStraightLine(amount)) {
      continue;
    }
    if (amount.substanceOf) {
      InsertBeforeAnswer(SubstanceLine(*amount.substanceOf));
    }
    if (amount.difference && amount.substances) {
      const Fraction first = values[Weight1] * values[Percent1] / 100;
      const Fraction second = values[Weight2] * values[Percent2] / 100;
      InsertBeforeAnswer(SubstanceLine(Weight1));
      InsertBeforeAnswer(SubstanceLine(Weight2));
      InsertBeforeAnswer("Разликата между количествата " + parts.substance + " е " +
                         Texts::ExactNumber(first >= second ? first : second) + " − " +
                         Texts::ExactNumber(first >= second ? second : first) + " = " +
                         Texts::ExactNumber(Magnitude(first - second)) + " (" + unit + ").");
    }
    if (!amount.difference || amount.substances) {
      continue;
    }
    const bool firstMore = values[Weight1] >= values[Weight2];
    const Fraction more = firstMore ? values[Weight1] : values[Weight2];
    const Fraction less = firstMore ? values[Weight2] : values[Weight1];
    const bool volumes = reading_.problem->unit == Unit::Litre;
    InsertBeforeAnswer(
        std::string(volumes ? "Разликата между обемите е " : "Разликата между масите е ") +
        Texts::ExactNumber(more) + " − " + Texts::ExactNumber(less) + " = " +
        Texts::ExactNumber(more - less) + " (" + unit + ").");
  }
}

// "Солта в получения разтвор е 10 + 30 = 40 (г).": where the working adds up the mixture's
// substance and nothing else is asked, that is the answer, and what the working goes on to, the
// mixture's mass and percentage, is not needed. False where the working has no such line.
bool MyProblem::TakeStraightLine(const Amount& amount) {
  const Texts::PartWords parts = Texts::PartWordsOf(*reading_.problem);
  const bool alone = std::all_of(reading_.answers.begin(), reading_.answers.end(),
                                 [](const Amount& one) { return one.substanceOf.has_value(); });
  if (*amount.substanceOf != MixWeight || !alone) {
    return false;
  }
  const std::string sum =
      FirstCapital(parts.substanceDefinite) + " " + Texts::In(parts.names[2]) + " е ";
  const std::string result = " = " + Texts::ExactNumber(amount.value) + " (" +
                             std::string(UnitSymbol(reading_.problem->unit)) + ").";
  // Only the derivation after the table is cut, so that the table stands where it stood.
  const auto begin =
      shown_.lines.begin() +
      static_cast<std::ptrdiff_t>(shown_.table ? std::max<std::size_t>(2, shown_.tableAt) : 2);
  const auto end = shown_.lines.begin() + static_cast<std::ptrdiff_t>(outcome_);
  const auto line = std::find_if(begin, end, [&](const std::string& one) {
    return one.starts_with(sum) && one.ends_with(result) && one.find(" + ") != std::string::npos;
  });
  if (line == end || SymbolOf(amount.unit) != UnitSymbol(reading_.problem->unit)) {
    return false;
  }
  shown_.lines.erase(line + 1, end);
  const std::string mixtureMass = MassWord(*reading_.problem) + parts.names[2] + " е ";
  const auto mass = std::find_if(begin, line, [&](const std::string& one) {
    return FirstCapital(one).starts_with(FirstCapital(mixtureMass));
  });
  if (mass != line) {
    shown_.lines.erase(mass);
  }
  const auto answer =
      std::find_if(shown_.lines.begin(), shown_.lines.end(),
                   [](const std::string& one) { return one.starts_with("Отговор:"); });
  outcome_ = static_cast<std::size_t>(answer - shown_.lines.begin());
  return true;
}

// "Сол в получения разтвор: 500 · 22 : 100 = 110 (г).": the substance in the part of this mass.
std::string MyProblem::SubstanceLine(Column mass) const {
  const std::array<Fraction, ColumnCount>& values = reading_.values;
  const Texts::PartWords parts = Texts::PartWordsOf(*reading_.problem);
  const Column percent = ColumnsOf(PartOf(mass)).percent;
  const std::string& part = parts.names[static_cast<std::size_t>(PartOf(mass))];
  return FirstCapital(parts.substance) + " " + Texts::In(part) + ": " +
         Texts::ExactNumber(values[mass]) + " · " + Texts::ExactNumber(values[percent]) +
         " : 100 = " + Texts::ExactNumber(values[mass] * values[percent] / 100) + " (" +
         std::string(UnitSymbol(reading_.problem->unit)) + ").";
}

// "Дадено: 400 г – масата на първия разтвор; …; 2013 – не е нужно (годината)."
std::string MyProblem::GivenLine() const {
  const Problem& problem = *reading_.problem;
  const Texts::PartWords parts = PartWordsOf(reading_, goods_);
  const bool byPrice = !reading_.currency.empty();
  // Of two steps, the solutions are named as the first step names them: "масата на първия
  // разтвор".
  const Problem firstStep = problem.firstStep ? FirstStepOf(problem) : problem;
  const Texts::PartWords firstParts = Texts::PartWordsOf(firstStep);
  std::vector<std::string> given;
  for (const ReadNumber& number : reading_.numbers) {
    const std::string written = InDigits(number);
    if (number.column && number.firstStep) {
      given.push_back(written + " – " + RoleOf(firstStep, firstParts, *number.column, false));
    } else if (number.column) {
      // A hallmark is a percentage in tenths of one: "585 (58,5%)".
      const bool hallmark = IsHallmarkGiven(number, problem);
      const std::string shown =
          byPrice && UnitOf(problem, *number.column) == Unit::Percent
              ? MoneyText(reading_.values[*number.column]) + " " + reading_.currency
          : hallmark ? written + " (" + Texts::ExactNumber(reading_.values[*number.column]) + "%)"
          : IsOtherUnit(number, problem.unit)
              ? written + " (" + Texts::ExactNumber(Magnitude(reading_.values[*number.column])) +
                    " " + std::string(UnitSymbol(problem.unit)) + ")"
              : written;
      given.push_back(shown + " – " + RoleOf(problem, parts, *number.column, byPrice));
    } else if (number.aside != PointsAside && number.aside != ProblemNumberAside &&
               number.aside != PriceUnitAside) {
      // The problem's number and points are no data of it, and the kilogram a price is of
      // belongs to the question.
      given.push_back(number.written + " – " + std::string(NotNeeded) +
                      (number.aside.empty() || number.aside == NotNeeded
                           ? std::string()
                           : " (" + number.aside + ")"));
    }
  }
  // Only what the text gives: water's 0% and the pure substance's 100% are said where the
  // solution uses them.
  return "Дадено: " + Listed(given, "; ", "; ") + ".";
}

// "Търси се: масата на водата.", "Търси се: отношението на масите на двата разтвора."
std::string MyProblem::SoughtLine() const {
  const Problem& problem = *reading_.problem;
  const Texts::PartWords parts = PartWordsOf(reading_, goods_);
  if (problem.asked == Asked::Ratio) {
    return "Търси се: отношението на " +
           std::string(problem.unit == Unit::Litre ? "обемите" : "масите") + " на " +
           parts.bothParts + ".";
  }
  std::vector<std::string> sought;
  std::size_t next = 0;
  for (const Amount& amount : reading_.answers) {
    if (amount.difference && amount.substances) {
      sought.push_back("разликата между количествата " + parts.substance + " " +
                       Texts::In(parts.bothParts));
    } else if (amount.difference) {
      sought.push_back("разликата между масите на " + parts.bothParts);
    } else if (amount.substanceOf) {
      sought.push_back(
          MassWord(problem, &amount) + parts.substanceDefinite + " " +
          Texts::In(parts.names[static_cast<std::size_t>(PartOf(*amount.substanceOf))]));
    } else if (amount.rest && reading_.stepsOnly) {
      // The water's share of the one solution described.
      sought.push_back(RoleOf(problem, parts, MixPercent, false, &amount));
    } else if (next < problem.sought.size()) {
      sought.push_back(
          RoleOf(problem, parts, problem.sought[next++], !reading_.currency.empty(), &amount));
    }
  }
  return "Търси се: " + Listed(sought, ", ", " и ") + ".";
}

// Where the options cannot be weighed against the answer, as numbers of another kind, the pupil
// sees both and nothing is said of them.
void MyProblem::ShowOption() {
  if (!reading_.right && !reading_.noneRight) {
    return;
  }
  shown_.lines.push_back(
      reading_.right ? "Верният отговор е " + reading_.options[*reading_.right].letter + ")."
                     : std::string("Нито един от дадените отговори не е верен."));
  outcome_ = shown_.lines.size() - 1;
}

// What was understood, and the one sentence that says what was not.
void MyProblem::ShowDoubt() {
  std::vector<std::string> numbers;
  for (const ReadNumber& number : reading_.numbers) {
    numbers.push_back(number.aside.empty() || number.aside == "не е разбрано"
                          ? number.written
                          : number.written + " (" + number.aside + ")");
  }
  if (!numbers.empty()) {
    shown_.lines.push_back(
        Sentence((numbers.size() == 1 ? "Разбрах числото: " : "Разбрах числата: ") +
                 Listed(numbers, ", ", " и ")));
  }
  const ::Doubt doubt = reading_.doubt.value_or(Doubt::TwoReadings);
  if (doubt == Doubt::MissingNumber && !reading_.missing.empty()) {
    shown_.lines.push_back(
        "Не разбрах колко е " + reading_.missing +
        ": това число липсва в задачата. Провери дали задачата е преписана цялата.");
  } else {
    shown_.lines.emplace_back(NotUnderstood[static_cast<std::size_t>(doubt)]);
  }
  outcome_ = shown_.lines.size() - 1;
}

// ---------------------------------------------------------------- goods mixed by price

namespace {

std::string Exact(const Fraction& value) {
  return Texts::ExactNumber(value);
}

// "11,50", or "≈ 11,33" where the price has more than whole stotinki.
std::string PriceInAnswer(const Fraction& value) {
  return IsWholeCents(value) ? MoneyText(value) : "≈ " + RoundedMoney(value);
}

// What goods mixed by price are worth: a mass times its price per kilogram, kept like the
// substance of a solution. The lines as a teacher writes them, in the problem's currency.
class PriceSolution {
 public:
  PriceSolution(const Reading& reading, const Goods& goods)
      : v_(reading.values),
        currency_(reading.currency),
        // A ratio's masses are of the kilograms the prices are for.
        unit_(reading.problem->asked == Asked::Ratio ? "кг" : UnitSymbol(reading.problem->unit)),
        names_(PartWordsOf(reading, goods).names),
        second_(goods[1].empty() ? "втория" : names_[1]) {}

  std::vector<std::string> Lines(VariantIndex variant, Asked asked) {
    if (asked == Asked::Ratio) {
      Ratio();
      return lines_;
    }
    switch (variant) {
      case 0:
        Add("Масата на сместа е " + Exact(v_[Weight1]) + " + " + Exact(v_[Weight2]) + " = " +
            Mass(MixWeight) + ".");
        MixturePrice();
        break;
      case 2:
        Add("Масата на " + names_[1] + " е " + Exact(v_[MixWeight]) + " − " + Exact(v_[Weight1]) +
            " = " + Mass(Weight2) + ".");
        MixturePrice();
        break;
      case 3:
        Add("Масата на сместа е " + Exact(v_[Weight1]) + " + " + Exact(v_[Weight2]) + " = " +
            Mass(MixWeight) + ".");
        SecondPrice();
        break;
      case 5:
        Add("Масата на " + names_[1] + " е " + Exact(v_[MixWeight]) + " − " + Exact(v_[Weight1]) +
            " = " + Mass(Weight2) + ".");
        SecondPrice();
        break;
      case 1:
        OnePartMass(Weight2, Percent2, Weight1, Percent1);
        break;
      case 4:
        OnePartMass(Weight1, Percent1, Weight2, Percent2);
        break;
      default:
        BothMasses();
        break;
    }
    return lines_;
  }

 private:
  void Add(std::string line) { lines_.push_back(std::move(line)); }

  std::string Mass(Column column) const { return Exact(v_[column]) + " (" + unit_ + ")"; }
  std::string Money(const Fraction& value) const { return InCurrency(MoneyText(value)); }
  std::string InCurrency(const std::string& amount) const {
    return amount + " (" + currency_ + ")";
  }
  // A price worked out by dividing, "= 11,50 (лв.)", or "≈ 11,33 (лв.)" to the nearest stotinka
  // or cent: money has no periodic decimals. A quotient that ends is written whole before it is
  // rounded, "= 1,825 ≈ 1,83 (лв.)", so that the pupil sees which way it goes.
  std::string Divided(const Fraction& value) const {
    if (IsWholeCents(value)) {
      return " = " + Money(value);
    }
    const std::optional<std::string> ending = DecimalText(value, Comma, 0);
    return (ending ? " = " + *ending : "") + " ≈ " + InCurrency(RoundedMoney(value));
  }
  // "Стойността на първия вид бонбони е 5 · 9 = 45 (€)."
  Fraction Worth(std::size_t part, Column mass, Column price) {
    const Fraction worth = v_[mass] * v_[price];
    Add("Стойността на " + names_[part] + " е " + Exact(v_[mass]) + " · " + MoneyText(v_[price]) +
        " = " + Money(worth) + ".");
    return worth;
  }

  void MixturePrice() {
    const Fraction first = Worth(0, Weight1, Percent1);
    const Fraction second = Worth(1, Weight2, Percent2);
    Add("Стойността на сместа е " + MoneyText(first) + " + " + MoneyText(second) + " = " +
        Money(first + second) + ".");
    Add("Килограм от сместа струва " + MoneyText(first + second) + " : " + Exact(v_[MixWeight]) +
        Divided(v_[MixPercent]) + ".");
  }

  void SecondPrice() {
    const Fraction mixture = Worth(2, MixWeight, MixPercent);
    const Fraction first = Worth(0, Weight1, Percent1);
    Add("Стойността на " + names_[1] + " е " + MoneyText(mixture) + " − " + MoneyText(first) +
        " = " + Money(mixture - first) + ".");
    Add("Килограм от " + names_[1] + " струва " + MoneyText(mixture - first) + " : " +
        Exact(v_[Weight2]) + Divided(v_[Percent2]) + ".");
  }

  // One part's mass x from the other's, whose worth is worked out first: px + wq = m(x + w).
  void OnePartMass(Column mass, Column price, Column otherMass, Column otherPrice) {
    const std::size_t part = mass == Weight1 ? 0 : 1;
    const Fraction p = v_[price];
    const Fraction w = v_[otherMass];
    const Fraction m = v_[MixPercent];
    Add("Нека x " + unit_ + " е масата на " + names_[part] + ".");
    const Fraction known = Worth(1 - part, otherMass, otherPrice);
    Add("Стойността на сместа е колкото стойностите на двата вида заедно:");
    Add(Times(p) + " + " + Exact(known) + " = " + Exact(m) + "(x + " + Exact(w) + ")");
    Add(Times(p) + " + " + Exact(known) + " = " + Times(m) + " + " + Exact(m * w));
    Solve(p, m, m * w, known);
    Add("Масата на сместа е " + Exact(v_[mass]) + " + " + Exact(w) + " = " + Mass(MixWeight) + ".");
    Check();
  }

  // "Проверка: 6 · 2,40 + 3 · 3 = 14,40 + 9 = 23,40 (лв.) и 9 · 2,60 = 23,40 (лв.).": what the
  // kinds are worth against what the mixture is, where the masses found end as decimals do.
  void Check() {
    if (!DecimalText(v_[Weight1], Comma, 0) || !DecimalText(v_[Weight2], Comma, 0)) {
      return;
    }
    const Fraction first = v_[Weight1] * v_[Percent1];
    const Fraction second = v_[Weight2] * v_[Percent2];
    Add("Проверка: " + Exact(v_[Weight1]) + " · " + MoneyText(v_[Percent1]) + " + " +
        Exact(v_[Weight2]) + " · " + MoneyText(v_[Percent2]) + " = " + MoneyText(first) + " + " +
        MoneyText(second) + " = " + Money(first + second) + " и " + Exact(v_[MixWeight]) + " · " +
        MoneyText(v_[MixPercent]) + " = " + Money(v_[MixWeight] * v_[MixPercent]) + ".");
  }

  // "12x", "2,8x", "x", "−x": a price times x. An equation writes its numbers as any number is
  // written, not as money with its stotinki ("2,80").
  static std::string Times(const Fraction& price) {
    if (price == Fraction(1) || price == Fraction(-1)) {
      return price.Sign() < 0 ? "−x" : "x";
    }
    return Signed(price) + "x";
  }
  static std::string Signed(const Fraction& value) {
    return value.Sign() < 0 ? "−" + Exact(-value) : Exact(value);
  }

  // x from ax + b = cx + d, with x on the left: ax − cx = d − b.
  // ax + b = cx + d, the x terms gathered on the side where they stay above zero.
  void Solve(const Fraction& a, const Fraction& c, const Fraction& d, const Fraction& b) {
    const bool across = a < c;
    const Fraction& more = across ? c : a;
    const Fraction& less = across ? a : c;
    const Fraction& from = across ? b : d;
    const Fraction& taken = across ? d : b;
    Add(Times(more) + " − " + Times(less) + " = " + Exact(from) + " − " + Exact(taken));
    Add(Times(more - less) + " = " + Signed(from - taken));
    Add("x = " + Exact((from - taken) / (more - less)));
  }

  // x of the first, the rest of the mixture of the second: px + q(w − x) = wm.
  void BothMasses() {
    const Fraction p = v_[Percent1];
    const Fraction q = v_[Percent2];
    const Fraction w = v_[MixWeight];
    Add("Нека x " + unit_ + " е масата на " + names_[0] + ". Тогава масата на " + names_[1] +
        " е (" + Exact(w) + " − x) " + unit_ + ".");
    const Fraction whole = Worth(2, MixWeight, MixPercent);
    Add("Тя е колкото стойностите на двата вида заедно:");
    Add(Times(p) + " + " + Exact(q) + "(" + Exact(w) + " − x) = " + Exact(whole));
    Add(Times(p) + " + " + Exact(q * w) + " − " + Times(q) + " = " + Exact(whole));
    Solve(p, q, whole, q * w);
    Add("Масата на " + names_[1] + " е " + Exact(w) + " − " + Exact(v_[Weight1]) + " = " +
        Mass(Weight2) + ".");
    Check();
  }

  // a : b from a · p + b · q = (a + b) · m.
  void Ratio() {
    const Fraction p = v_[Percent1];
    const Fraction q = v_[Percent2];
    const Fraction m = v_[MixPercent];
    Add("Нека се смесват a " + unit_ + " от " + names_[0] + " и b " + unit_ + " от " + second_ +
        ". Стойността на сместа е колкото стойностите на двата вида заедно:");
    Add("a · " + Exact(p) + " + b · " + Exact(q) + " = (a + b) · " + Exact(m));
    for (std::string& line : Texts::RatioSteps(p, q, m)) {
      Add(std::move(line));
    }
  }

  const std::array<Fraction, ColumnCount>& v_;
  std::string currency_;
  std::string unit_;
  std::array<std::string, 3> names_;
  std::string second_;  // "втория" after "първия вид", or the second goods by their name
  std::vector<std::string> lines_;
};

}  // namespace

// "ябълки" of a mass answered where the text names the goods apart, else "от първия вид".
std::string MyProblem::GoodsOf(Column mass) const {
  const auto part = static_cast<std::size_t>(PartOf(mass));
  if (part < goods_.size() && !goods_[part].empty()) {
    return goods_[part];
  }
  return "от " + PartWordsOf(reading_, goods_).names[part];
}

// The solution by what the goods are worth, and the answer in the problem's currency.
void MyProblem::ShowByPrice() {
  const Problem& problem = *reading_.problem;
  for (std::string& line : PriceSolution(reading_, goods_).Lines(problem.variant, problem.asked)) {
    shown_.lines.push_back(std::move(line));
  }
  if (problem.asked == Asked::Ratio) {
    // Which kind is which term: "първият и вторият вид бонбони", not "двата вида".
    const std::string goods = reading_.goods.empty() ? "" : " " + reading_.goods;
    const std::string kinds = goods_[0].empty()
                                  ? "първият и вторият вид" + goods
                                  : GoodsDefinite(goods_[0]) + " и " + GoodsDefinite(goods_[1]);
    shown_.lines.push_back("Отговор: " + kinds + " се смесват в отношение " +
                           Exact(reading_.values[Weight1]) + " : " +
                           Exact(reading_.values[Weight2]) + ".");
    return;
  }
  const Texts::PartWords parts = PartWordsOf(reading_, goods_);
  std::vector<std::string> answers;
  for (std::size_t i = 0; i < problem.sought.size(); ++i) {
    const Column column = problem.sought[i];
    const std::string& part = parts.names[static_cast<std::size_t>(PartOf(column))];
    answers.push_back(UnitOf(problem, column) == Unit::Percent
                          ? "килограм от " + part + " струва " +
                                PriceInAnswer(reading_.values[column]) + " " + reading_.currency
                          : Exact(reading_.values[column]) + " " +
                                std::string(UnitSymbol(problem.unit)) + " " + GoodsOf(column));
  }
  const bool rounded = std::any_of(shown_.lines.begin(), shown_.lines.end(), [](const auto& line) {
    return line.find("≈") != std::string::npos;
  });
  if (rounded) {
    shown_.lines.emplace_back(Texts::RoundedToHundredths);
  }
  shown_.lines.push_back(Sentence("Отговор: " + Listed(answers, ", ", " и ")));
}
