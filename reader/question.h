#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "problems/answer.h"
#include "problems/catalogue.h"
#include "reader/words.h"

// What a text asks: its question sentences, and in them each quantity asked, whose it is and in
// what unit.

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
  Dearer,    // "от по-скъпите бонбони": the kind of the higher price given
  Cheaper,   // "от по-евтиния вид": the kind of the lower
  Piece,     // "гривната": the part cast as the piece the question names again
};

// What a percentage asked is a share of: what the problem's percentages state, or the rest
// beside it ("Колко процента вода има в разтвора?" of salt, "сухо вещество" of produce given by
// its water), or no substance's share at all ("Колко процента от сместа е първият разтвор?").
enum class Share : std::uint8_t { Stated, Rest, Other };

struct Target {
  bool percent = false;
  bool ratio = false;
  Who who = Who::Unknown;
  std::optional<std::size_t> percentItem;
  std::optional<std::size_t> pieceItem;  // of a Piece, the item of its noun
  std::optional<WrittenUnit> unit;
  bool difference = false;  // "С колко килограма втората е по-лека?": a step after
  // Of a difference: of the parts' substance, "солта в първия разтвор … от солта във втория".
  bool substances = false;
  int larger = 0;  // the part it says is more, 1 or 2; 0 where it does not say
  // It asks how much more or less, "С колко грама повече сол …", not how much they differ.
  bool compared = false;
  // "Колко грама сол има в новия разтвор?": the part whose substance is asked, where no part is
  // the pure substance.
  Who within = Who::Unknown;
  Share share = Share::Stated;
};

// The question: the sentences that end with "?" or begin with a question word or a command, as
// their first item and the one after their last.
std::vector<std::pair<std::size_t, std::size_t>> QuestionsOf(const Items& items, std::size_t end);

// What a question from `begin` to `end` asks, in its order.
std::vector<Target> TargetsOf(const Items& items, std::size_t begin, std::size_t end,
                              Context context);
