#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "problems/catalogue.h"

// The words of mixtures that the problems are written in and read back with: the nouns of the
// parts and their forms, each context's words, the units as a question counts them and the verbs
// of mixing. One table for both, so that what is written is what is read.
namespace Texts {

// Plural nouns have no gender, but take forms of their own: "сушените гъби".
enum class Gender : std::uint8_t { Masculine, Feminine, Neuter, Plural };

// A definite masculine word takes the full article as the subject ("вторият разтвор съдържа")
// and the short one elsewhere ("във втория разтвор"); feminine and neuter words have one form.
enum class Article : std::uint8_t { Short, Full };

// An adjective's or a pronoun's forms, by the gender of its noun.
struct Forms {
  std::string_view masculineShort;
  std::string_view masculineFull;
  std::string_view feminine;
  std::string_view neuter;
  std::string_view plural;

  std::string_view For(Gender gender, Article article) const {
    switch (gender) {
      case Gender::Masculine:
        return article == Article::Full ? masculineFull : masculineShort;
      case Gender::Feminine:
        return feminine;
      case Gender::Neuter:
        return neuter;
      case Gender::Plural:
        return plural;
    }
    throw std::invalid_argument("no such gender");
  }
};

inline constexpr Forms FirstForms = {"първия", "първият", "първата", "първото", "първите"};
inline constexpr Forms SecondForms = {"втория", "вторият", "втората", "второто", "вторите"};
inline constexpr Forms ObtainedForms = {"получения", "полученият", "получената", "полученото",
                                        "получените"};
inline constexpr Forms OtherForms = {"друг", "друг", "друга", "друго", "други"};
inline constexpr Forms PronounForms = {"той", "той", "тя", "то", "те"};
inline constexpr Forms ObjectPronounForms = {"него", "него", "нея", "него", "тях"};
inline constexpr Forms NewForms = {"новия", "новият", "новата", "новото", "новите"};
// Without the article, as a row of the table names a part: "първи разтвор", "получена сплав".
inline constexpr Forms FirstRowForms = {"първи", "първи", "първа", "първо", "първи"};
inline constexpr Forms SecondRowForms = {"втори", "втори", "втора", "второ", "втори"};
inline constexpr Forms ObtainedRowForms = {"получен", "получен", "получена", "получено",
                                           "получени"};
inline constexpr Forms NewRowForms = {"нов", "нов", "нова", "ново", "нови"};
inline constexpr Forms StartRowForms = {"първоначален", "първоначален", "първоначална",
                                        "първоначално", "първоначални"};
inline constexpr Forms StartForms = {"първоначалния", "първоначалният", "първоначалната",
                                     "първоначалното", "първоначалните"};
inline constexpr Forms WholeForms = {"целия", "целият", "цялата", "цялото", "целите"};
inline constexpr Forms WasForms = {"бил", "бил", "била", "било", "били"};

struct Noun {
  std::string_view bare;
  Gender gender;
  std::string_view definiteShort;
  std::string_view definiteFull;
  std::string_view both = {};  // "двата разтвора", where both parts are of it

  std::string_view Definite(Article article) const {
    return article == Article::Full ? definiteFull : definiteShort;
  }
};

// The noun of a list that is written as `bare`; none where the list has no such noun.
template <std::size_t Count>
constexpr const Noun* NounNamed(const std::array<Noun, Count>& nouns, std::string_view bare) {
  for (const Noun& noun : nouns) {
    if (noun.bare == bare) {
      return &noun;
    }
  }
  return nullptr;
}

inline constexpr Noun SolutionNoun = {"разтвор", Gender::Masculine, "разтвора", "разтворът",
                                      "двата разтвора"};
inline constexpr Noun DrinkNoun = {"напитка", Gender::Feminine, "напитката", "напитката",
                                   "двете напитки"};
inline constexpr Noun VinegarNoun = {"оцет", Gender::Masculine, "оцета", "оцетът",
                                     "двата вида оцет"};
inline constexpr Noun MilkNoun = {"мляко", Gender::Neuter, "млякото", "млякото",
                                  "двата вида мляко"};
inline constexpr Noun AlloyNoun = {"сплав", Gender::Feminine, "сплавта", "сплавта", "двете сплави"};
inline constexpr Noun EssenceNoun = {"есенция", Gender::Feminine, "есенцията", "есенцията"};
inline constexpr Noun WaterNoun = {"вода", Gender::Feminine, "водата", "водата"};
// Beside an alloy's metal what water is beside a solution's substance: the part of 0% of it.
inline constexpr Noun OtherMetals = {"други метали", Gender::Plural, "другите метали",
                                     "другите метали"};
inline constexpr Noun FreshMushrooms = {"пресни гъби", Gender::Plural, "пресните гъби",
                                        "пресните гъби"};
inline constexpr Noun DriedMushrooms = {"сушени гъби", Gender::Plural, "сушените гъби",
                                        "сушените гъби"};
inline constexpr Noun FreshPlums = {"пресни сливи", Gender::Plural, "пресните сливи",
                                    "пресните сливи"};
inline constexpr Noun DriedPlums = {"сушени сливи", Gender::Plural, "сушените сливи",
                                    "сушените сливи"};
inline constexpr Noun FreshApricots = {"пресни кайсии", Gender::Plural, "пресните кайсии",
                                       "пресните кайсии"};
inline constexpr Noun DriedApricots = {"сушени кайсии", Gender::Plural, "сушените кайсии",
                                       "сушените кайсии"};

// Substances a textbook's solution is of that no context names, each read as salt's and said in
// the text's own words: "5% разтвор на йод", "чиста сода".
inline constexpr std::array<Noun, 8> NamedSubstances = {{
    {"сода", Gender::Feminine, "содата", "содата"},
    {"глюкоза", Gender::Feminine, "глюкозата", "глюкозата"},
    {"борна киселина", Gender::Feminine, "борната киселина", "борната киселина"},
    {"йод", Gender::Masculine, "йода", "йодът"},
    {"сапун", Gender::Masculine, "сапуна", "сапунът"},
    {"амоняк", Gender::Masculine, "амоняка", "амонякът"},
    {"калиев перманганат", Gender::Masculine, "калиевия перманганат", "калиевият перманганат"},
    {"антифриз", Gender::Masculine, "антифриза", "антифризът"},
}};
// What a named substance is dissolved in beside water: "5% разтвор на йод в спирт".
inline constexpr std::array<Noun, 1> Solvents = {
    {{"спирт", Gender::Masculine, "спирта", "спиртът"}}};

// Metals an alloy of school holds beside the four a problem is read as of; added to an alloy,
// each holds none of the metal it is measured by.
inline constexpr std::array<Noun, 6> BaseMetals = {{
    {"цинк", Gender::Masculine, "цинка", "цинкът"},
    {"никел", Gender::Masculine, "никела", "никелът"},
    {"олово", Gender::Neuter, "оловото", "оловото"},
    {"алуминий", Gender::Masculine, "алуминия", "алуминият"},
    {"желязо", Gender::Neuter, "желязото", "желязото"},
    {"хром", Gender::Masculine, "хрома", "хромът"},
}};
inline constexpr Forms PureForms = {"чистия", "чистият", "чистата", "чистото", "чистите"};
inline constexpr Forms PureRowForms = {"чист", "чист", "чиста", "чисто", "чисти"};

struct ContextWords {
  std::string_view substance;  // "Колко процента сол", "процентното съдържание на сол"
  Noun solution;                     // what the parts and the mixture are
  std::string_view solutionPortion;  // "{p} разтвор на сол", "сплав {withP} мед"
  std::string_view concentratePortion;  // only vinegar is made from one
  Noun pure;                            // where the pure substance is added
  Noun fresh = {};                      // produce that is dried, before it is
  std::string_view drying = {};         // "гъбите се сушат"
};

// In the order of Context.
inline constexpr std::array<ContextWords, ContextCount> ContextTable = {{
    {"сол",
     SolutionNoun,
     "{p} разтвор на сол",
     {},
     {"чиста сол", Gender::Feminine, "чистата сол", "чистата сол"}},
    {"захар",
     SolutionNoun,
     "{p} захарен разтвор",
     {},
     {"чиста захар", Gender::Feminine, "чистата захар", "чистата захар"}},
    {"спирт",
     SolutionNoun,
     "{p} разтвор на спирт",
     {},
     {"чист спирт", Gender::Masculine, "чистия спирт", "чистият спирт"}},
    {"плодов сок", DrinkNoun, "напитка {withP} плодов сок", {}, {}},
    {"оцетна киселина", VinegarNoun, "{p} оцет", "{p} оцетна есенция", {}},
    // Milk's fat is its "масленост", as its carton and a teacher say it.
    {"мазнини", MilkNoun, "мляко с масленост {p}", {}, {}},
    {"мед",
     AlloyNoun,
     "сплав {withP} мед",
     {},
     {"чиста мед", Gender::Feminine, "чистата мед", "чистата мед"}},
    {"калай",
     AlloyNoun,
     "сплав {withP} калай",
     {},
     {"чист калай", Gender::Masculine, "чистия калай", "чистият калай"}},
    {"сребро",
     AlloyNoun,
     "сплав {withP} сребро",
     {},
     {"чисто сребро", Gender::Neuter, "чистото сребро", "чистото сребро"}},
    {"злато",
     AlloyNoun,
     "сплав {withP} злато",
     {},
     {"чисто злато", Gender::Neuter, "чистото злато", "чистото злато"}},
    {"сухо вещество", DriedMushrooms, "сушени гъби", {}, {}, FreshMushrooms, "гъбите се сушат"},
    {"сухо вещество", DriedPlums, "сушени сливи", {}, {}, FreshPlums, "сливите се сушат"},
    {"сухо вещество", DriedApricots, "сушени кайсии", {}, {}, FreshApricots, "кайсиите се сушат"},
}};

// The substance as the subject of a sentence: "солта не се променя". In the order of Context.
inline constexpr std::array<std::string_view, ContextCount> SubstanceSubjects = {
    "солта",           "захарта",         "спиртът",        "плодовият сок", "оцетната киселина",
    "мазнините",       "медта",           "калаят",         "среброто",      "златото",
    "сухото вещество", "сухото вещество", "сухото вещество"};
// The substance after a preposition or in brackets: "масата на калая", "(спирта)". In the order
// of Context.
inline constexpr std::array<std::string_view, ContextCount> SubstanceObjects = {
    "солта",           "захарта",         "спирта",         "плодовия сок", "оцетната киселина",
    "мазнините",       "медта",           "калая",          "среброто",     "златото",
    "сухото вещество", "сухото вещество", "сухото вещество"};

// After "Колко": "Колко грама", "Колко процента". In the order of Unit.
inline constexpr std::array<std::string_view, 4> CountedUnits = {"грама", "килограма", "литра",
                                                                 "процента"};
// After "в": "в грамове". In the order of Unit.
inline constexpr std::array<std::string_view, 4> UnitsInPlural = {"грамове", "килограми", "литри",
                                                                  "проценти"};

// How the parts become one: liquids are mixed, metals melted together.
struct MixVerbs {
  std::string_view past;  // "Смесиха"
  std::string_view we;    // "смесим"
  std::string_view they;  // "смесят"
};
inline constexpr MixVerbs Mixing = {"Смесиха", "смесим", "смесят"};
inline constexpr MixVerbs Melting = {"Стопиха заедно", "стопим заедно", "стопят заедно"};

}  // namespace Texts
