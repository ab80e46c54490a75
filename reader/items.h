#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problems/answer.h"

// A pasted text as the reader sees it: words in small letters, numbers with their units and
// marks, each with its place in the text as it was typed. Capitals, Latin letters that look like
// Cyrillic ones inside a Cyrillic word, words broken across lines and odd blanks are undone.

enum class ItemType : std::uint8_t { Word, Number, Mark };

struct Item {
  ItemType type = ItemType::Mark;
  std::string text;  // a word or a mark in small letters; a number as the text wrote it
  // A number's value and unit; none for a number of more digits than a problem has.
  std::optional<PupilAnswer> amount;
  bool capital = false;    // a word that began with a capital
  bool lineStart = false;  // the first item of a line
  std::size_t begin = 0;   // in bytes of the text as typed
  std::size_t end = 0;
};

std::vector<Item> ItemsOf(std::string_view text);

// How many characters the text has, each counted once however many bytes it takes.
std::size_t CharacterCount(std::string_view text);

bool IsMass(const Item& item);     // a number with a unit of mass or volume
bool IsPercent(const Item& item);  // a number with "%" or "процента"
