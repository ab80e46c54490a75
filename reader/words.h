#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "problems/catalogue.h"
#include "reader/items.h"

// What the reader makes of a word: whether it is one or a mark, what it names of a mixture, where
// a phrase ends, and which substance the whole text is about. The stems come from the words the
// problems are written in, so that what the practice writes is what is read.

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

bool IsCyrillicWord(const Item& item);
bool IsHallmarkWord(const Item& item);
bool IsWord(const Item& item, std::string_view word);
bool IsMark(const Item& item, std::string_view mark);
bool StartsWith(const Item& item, std::string_view stem);

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

// "разтвор", "сплавта", "сместа": a word a part or a mixture is called by.
bool IsSolutionWord(const Item& item);
// "смес", "сместа": the mixture named as such, not "смесили", which mixes.
bool IsMixtureNoun(const Item& item);
// Words that mean one thing beside their neighbours are read so: "сплав на мед и калай" as
// "сплав от мед и калай", the metals it is of; "разтвори още 40 г" as the verb, not the plural;
// produce named with how it was picked, or beside the dried, as the fresh.
void ReadWordsByTheirNeighbours(Items& items);
// "морска вода", "солена вода", "минерална вода", "вода с 3% сол": water that holds salt, a
// solution of it, named at `i` by its "вода", or by "морската" alone.
bool NamesSaltWater(const Items& items, std::size_t i);
// "сок от малини", "сок от грозде": the word at `i` names what a juice is pressed from.
bool IsPressedFrom(const Items& items, std::size_t i);
// The noun of the word at `i` in its phrase: a solution where it names salt water.
Noun NounAt(const Items& items, std::size_t i, Context context);
// Whether a household's solution is named as what another holds: "разтвор на антифриз".
bool NamesHouseholdHeld(const Items& items);
Noun NounOf(const Item& item, Context context);
// The weightier of two nouns names a phrase: water over a solution over the substance.
int Priority(Noun noun);
// A number, a mark that ends a clause, or a word that joins two.
bool EndsPhrase(const Item& item);
// What a percentage is called: "процентното съдържание", "концентрацията", "пробата",
// "маслеността", "плодовото съдържание", or a price.
bool MeansPercent(const Item& item);
// "сребро с проба 500", "злато със 75%": the substance at `i` named with its share, which makes
// it a mixture of it, not the pure substance.
bool IsNamedWithItsShare(const Items& items, std::size_t i, std::size_t end);
// "калай" in an alloy read as of copper: the substance of another context, which the word the
// context reads as its own or its water does not name.
bool IsOtherSubstance(const Item& item, Context context);
// How many metals the text names beside the one the alloy is read as of: "сплав от мед, калай и
// цинк" names two beside copper, and neither is all the rest of it.
std::size_t OtherMetalsNamed(const Items& items, Context context);
// "грама", "килограма", "литра": a word a number is counted in.
bool IsCountWord(const Item& item);
// "пръстен" of "пръстенът", "гривн" of "сребърна гривна": the stem of a piece an alloy is cast
// as, by which a question asks it again; none for another word.
std::optional<std::string_view> PieceStemOf(const Item& item);
// 1 for "първия", 2 for "втория" or "друг", 0 for any other word.
int OrdinalOf(const Item& item);

// What a phrase from `at` names: the weightiest noun among its first few words, and where it is.
struct Named {
  Noun noun = Noun::None;
  std::size_t at = 0;
  int ordinal = 0;
};

// Prepositions that begin another phrase: "50 г сол във вода".
constexpr std::array<std::string_view, 9> Prepositions = {"в",  "във", "към", "с",  "със",
                                                          "за", "до",  "на",  "при"};

// The noun is the first one named, or the one right after it where that weighs more: "солен
// разтвор", "оцетна есенция".
Named NamedFrom(const Items& items, std::size_t at, Context context);

// Words for a solution's substance where the text names no context's: "разтвор на киселина".
constexpr std::array<std::string_view, 2> UnnamedSubstances = {"веществ", "киселин"};

// What the text calls what is read as the context's where it does not name it: "киселина", or
// "вещество" where it names none, for salt; "ябълки" for plums; "саламура" or "сироп" for a
// solution it calls by that name alone; "мед" for the other metals beside gold or silver; empty
// where it uses the context's own words.
std::string_view OwnWordOf(const Items& items, Context context);

// "5% разтвор на йод в спирт": the liquid a named substance is dissolved in, not water, named
// at `i`.
bool IsSolventAt(const Items& items, std::size_t i);
// The text's solvent, "спирт"; empty where it names none, or names it elsewhere too, as a part
// poured in or asked, which the reader does not read.
std::string_view SolventOf(const Items& items);

// Which substance the text is about; `several` where it names two that are no alloy's metals:
// a solution of salt and one of sugar make no problem of the school's.
Context ContextOf(const Items& items, bool& found, bool& several);
