#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "problems/catalogue.h"
#include "reader/asides.h"
#include "reader/words.h"

// The parts of a problem as its text names them: each mass and percentage grouped with the noun
// they are of, the mentions of one part made one, and the parts named without a number.

// A part of the problem as the text names it: its numbers and what it is.
struct Group {
  std::optional<std::size_t> mass;     // the item of its mass
  std::optional<std::size_t> percent;  // of its percentage
  Noun noun = Noun::None;
  std::size_t begin = 0;             // its first item
  bool result = false;               // what is obtained: the mixture
  int ordinal = 0;                   // 1 "първия", 2 "втория" or "друг"
  std::optional<std::size_t> named;  // the item of its noun
  // "портокаловият" of "портокаловият сок" or "а ябълковият – 12%": the word that tells its kind
  // from another's, where the text names it by one.
  std::optional<std::size_t> kind;
};

// The groups in the text's order, and which items they took.
struct Grouped {
  std::vector<Group> groups;
  std::vector<bool> used;  // by item
};
Grouped GroupsOf(const Items& items, const Asides& asides, Context context, bool byPrice);

// A part of the problem with its numbers, by the grid's columns: the first part, the second or
// the mixture.
struct Placed {
  Noun noun = Noun::None;
  std::optional<std::size_t> mass;
  std::optional<std::size_t> percent;
  std::size_t begin = 0;
  int ordinal = 0;
  std::optional<std::size_t> named = {};
  std::optional<std::size_t> kind = {};
};

// The item of its number that comes last.
std::size_t LastNumberOf(const Placed& part);

struct NamedParts {
  std::vector<Placed> parts;  // before they are ordered: one, two, or too many
  Placed mixture;
  bool conflict = false;  // two different numbers for one quantity
  // "Колко грама 15% разтвор са добавени?": a percentage the question names a part by again, as
  // the item of that part's own percentage, by the question's item.
  std::vector<std::pair<std::size_t, std::size_t>> restated;
};

NamedParts PartsOf(const std::vector<Group>& groups, const Items& items, Context context);

// "орехи" and "орехите": goods named twice, in one form or another of a word that names nothing
// else of a mixture.
bool NamesSameGoods(const Items& items, std::size_t one, std::size_t other);

// Parts the text names without a number, the water poured in and the pure substance added, and
// what happens to them.
struct Mentions {
  bool water = false;
  bool pure = false;
  bool evaporates = false;  // "изпарява", "изпари", "изварява", "сушат"
  bool dissolves = false;   // "разтвориха", "разтваря"
};

Mentions MentionsOf(const Items& items, const std::vector<bool>& used, std::size_t end,
                    Context context);

// Water and the pure substance are what is poured in or added, of a percentage that goes unsaid.
bool IsAddedThing(Noun noun);
Ingredient IngredientOf(Noun noun);
