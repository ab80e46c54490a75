#include "problems/letters.h"

namespace {

// Cyrillic letters are two bytes: а to п are D0 B0 to D0 BF, р to я D1 80 to D1 8F, and their
// capitals А to Я D0 90 to D0 AF.
constexpr char Lead = '\xD0';
constexpr char HighLead = '\xD1';

bool IsCapital(const std::string& text, std::size_t at) {
  const char c = text[at];
  if (c >= 'A' && c <= 'Z') {
    return true;
  }
  return c == Lead && at + 1 < text.size() && text[at + 1] >= '\x90' && text[at + 1] <= '\xAF';
}

bool IsSmall(const std::string& text, std::size_t at) {
  const char c = text[at];
  if (c >= 'a' && c <= 'z') {
    return true;
  }
  if (at + 1 >= text.size()) {
    return false;
  }
  const char next = text[at + 1];
  return (c == Lead && next >= '\xB0' && next <= '\xBF') ||
         (c == HighLead && next >= '\x80' && next <= '\x8F');
}

// The letter at `at`, known to be a capital, in small letters.
void MakeSmall(std::string& text, std::size_t at) {
  char& c = text[at];
  if (c != Lead) {
    c = static_cast<char>(c - 'A' + 'a');
    return;
  }
  char& next = text[at + 1];
  if (next <= '\x9F') {
    next = static_cast<char>(next + 0x20);
  } else {
    c = HighLead;
    next = static_cast<char>(next - 0x20);
  }
}

// The letter at `at`, known to be small, in capitals.
void MakeCapital(std::string& text, std::size_t at) {
  char& c = text[at];
  if (c != Lead && c != HighLead) {
    c = static_cast<char>(c - 'a' + 'A');
    return;
  }
  char& next = text[at + 1];
  if (c == Lead) {
    next = static_cast<char>(next - 0x20);
  } else {
    c = Lead;
    next = static_cast<char>(next + 0x20);
  }
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string lowered(text);
  for (std::size_t at = 0; at < lowered.size(); ++at) {
    if (IsCapital(lowered, at)) {
      MakeSmall(lowered, at);
    }
    at += lowered[at] == Lead || lowered[at] == HighLead ? 1 : 0;
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
