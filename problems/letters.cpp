#include "problems/letters.h"

namespace {

// Cyrillic letters are two bytes: а to п are D0 B0 to D0 BF, р to я D1 80 to D1 8F, and their
// capitals А to Я D0 90 to D0 AF.
constexpr unsigned char Lead = 0xD0;
constexpr unsigned char HighLead = 0xD1;

unsigned char Byte(const std::string& text, std::size_t at) {
  return static_cast<unsigned char>(text[at]);
}

bool IsCapital(const std::string& text, std::size_t at) {
  const unsigned char c = Byte(text, at);
  if (c >= 'A' && c <= 'Z') {
    return true;
  }
  return c == Lead && at + 1 < text.size() && Byte(text, at + 1) >= 0x90 &&
         Byte(text, at + 1) <= 0xAF;
}

bool IsSmall(const std::string& text, std::size_t at) {
  const unsigned char c = Byte(text, at);
  if (c >= 'a' && c <= 'z') {
    return true;
  }
  if (at + 1 >= text.size()) {
    return false;
  }
  const unsigned char next = Byte(text, at + 1);
  return (c == Lead && next >= 0xB0 && next <= 0xBF) ||
         (c == HighLead && next >= 0x80 && next <= 0x8F);
}

// The letter at `at`, known to be a capital, in small letters.
void MakeSmall(std::string& text, std::size_t at) {
  if (Byte(text, at) != Lead) {
    text[at] = static_cast<char>(text[at] - 'A' + 'a');
    return;
  }
  const unsigned char next = Byte(text, at + 1);
  if (next <= 0x9F) {
    text[at + 1] = static_cast<char>(next + 0x20);
  } else {
    text[at] = static_cast<char>(HighLead);
    text[at + 1] = static_cast<char>(next - 0x20);
  }
}

// The letter at `at`, known to be small, in capitals.
void MakeCapital(std::string& text, std::size_t at) {
  const unsigned char c = Byte(text, at);
  if (c != Lead && c != HighLead) {
    text[at] = static_cast<char>(c - 'a' + 'A');
    return;
  }
  const unsigned char next = Byte(text, at + 1);
  if (c == Lead) {
    text[at + 1] = static_cast<char>(next - 0x20);
  } else {
    text[at] = static_cast<char>(Lead);
    text[at + 1] = static_cast<char>(next + 0x20);
  }
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string lowered(text);
  for (std::size_t at = 0; at < lowered.size(); ++at) {
    if (IsCapital(lowered, at)) {
      MakeSmall(lowered, at);
    }
    at += Byte(lowered, at) == Lead || Byte(lowered, at) == HighLead ? 1 : 0;
  }
  return lowered;
}

std::string FirstCapital(std::string_view text) {
  std::string result(text);
  if (!result.empty() && IsSmall(result, 0)) {
    MakeCapital(result, 0);
  }
  return result;
}

std::string FirstSmall(std::string_view text) {
  std::string result(text);
  if (!result.empty() && IsCapital(result, 0)) {
    MakeSmall(result, 0);
  }
  return result;
}
