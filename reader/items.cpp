#include "reader/items.h"

#include <algorithm>
#include <array>

namespace {

// A character of the text, cleaned, and where it came from.
struct Letter {
  char32_t code;
  std::size_t begin;
  std::size_t end;
  bool capital = false;
};

constexpr char32_t Replacement = 0xFFFD;

// The code point at `at` and its length in bytes; an invalid byte is one replacement character.
std::pair<char32_t, std::size_t> Decode(std::string_view text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) {
    return {lead, 1};
  }
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) {
    return {Replacement, 1};
  }
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      return {Replacement, 1};
    }
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  return {code, length};
}

bool IsCyrillic(char32_t code) {
  return code >= 0x0430 && code <= 0x045F;
}

bool IsLatin(char32_t code) {
  return code >= 'a' && code <= 'z';
}

bool IsLetter(char32_t code) {
  return IsCyrillic(code) || IsLatin(code);
}

// Capitals in small letters; control characters, no-break and thin spaces as a blank; every
// dash as a hyphen; the soft hyphen dropped (none).
std::optional<Letter> CleanLetter(char32_t code, std::size_t begin, std::size_t end) {
  Letter letter{code, begin, end};
  if (code >= 'A' && code <= 'Z') {
    letter.code = code + 0x20;
    letter.capital = true;
  } else if (code >= 0x0410 && code <= 0x042F) {
    letter.code = code + 0x20;
    letter.capital = true;
  } else if (code >= 0x0400 && code <= 0x040F) {
    letter.code = code + 0x50;
    letter.capital = true;
  } else if (code == 0x00AD) {
    return std::nullopt;
  } else if (code == '\r' || code == '\n' || code == 0x2028 || code == 0x2029) {
    letter.code = '\n';
  } else if (code < 0x20 || code == 0x7F || code == 0x00A0 || code == 0x202F ||
             (code >= 0x2000 && code <= 0x200B)) {
    letter.code = ' ';
  } else if ((code >= 0x2010 && code <= 0x2015) || code == 0x2212) {
    letter.code = '-';
  }
  return letter;
}

// A Latin letter typed for the Cyrillic one it looks like: "p" in "paзтвор".
constexpr std::array<std::pair<char32_t, char32_t>, 12> LookAlikes = {{{'a', 0x0430},
                                                                       {'b', 0x0432},
                                                                       {'c', 0x0441},
                                                                       {'e', 0x0435},
                                                                       {'h', 0x043D},
                                                                       {'k', 0x043A},
                                                                       {'m', 0x043C},
                                                                       {'o', 0x043E},
                                                                       {'p', 0x0440},
                                                                       {'t', 0x0442},
                                                                       {'x', 0x0445},
                                                                       {'y', 0x0443}}};

void MendMixedWord(std::vector<Letter>& letters, std::size_t begin, std::size_t end) {
  const auto first = letters.begin() + static_cast<std::ptrdiff_t>(begin);
  const auto last = letters.begin() + static_cast<std::ptrdiff_t>(end);
  if (std::none_of(first, last, [](const Letter& l) { return IsCyrillic(l.code); })) {
    return;
  }
  for (auto letter = first; letter != last; ++letter) {
    const auto* pair =
        std::find_if(LookAlikes.begin(), LookAlikes.end(),
                     [&letter](const auto& entry) { return entry.first == letter->code; });
    if (pair != LookAlikes.end()) {
      letter->code = pair->second;
    }
  }
}

void MendMixedWords(std::vector<Letter>& letters) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= letters.size(); ++i) {
    if (i == letters.size() || !IsLetter(letters[i].code)) {
      MendMixedWord(letters, start, i);
      start = i + 1;
    }
  }
}

bool IsBlank(char32_t code) {
  return code == ' ' || code == '\n';
}

// "раз-\nтвор" is "разтвор": a hyphen at a line's end between letters joins them.
void JoinBrokenWords(std::vector<Letter>& letters) {
  std::vector<Letter> joined;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    if (letters[i].code == '-' && !joined.empty() && IsLetter(joined.back().code)) {
      std::size_t next = i + 1;
      bool lineEnd = false;
      while (next < letters.size() && IsBlank(letters[next].code)) {
        lineEnd = lineEnd || letters[next].code == '\n';
        ++next;
      }
      if (lineEnd && next < letters.size() && IsLetter(letters[next].code)) {
        i = next - 1;
        continue;
      }
    }
    joined.push_back(letters[i]);
  }
  letters = std::move(joined);
}

std::vector<Letter> LettersOf(std::string_view text) {
  std::vector<Letter> letters;
  for (std::size_t at = 0; at < text.size();) {
    const auto [code, length] = Decode(text, at);
    if (const std::optional<Letter> letter = CleanLetter(code, at, at + length)) {
      letters.push_back(*letter);
    }
    at += length;
  }
  MendMixedWords(letters);
  JoinBrokenWords(letters);
  return letters;
}

void Encode(char32_t code, std::string& text) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The cleaned text in UTF-8, with the letter each of its bytes belongs to.
struct Cleaned {
  std::string text;
  std::vector<std::size_t> letterOf;
  std::vector<Letter> letters;
};

Cleaned CleanedOf(std::string_view text) {
  Cleaned cleaned{{}, {}, LettersOf(text)};
  for (std::size_t i = 0; i < cleaned.letters.size(); ++i) {
    Encode(cleaned.letters[i].code, cleaned.text);
    cleaned.letterOf.resize(cleaned.text.size(), i);
  }
  return cleaned;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The numbers as textbooks write them in words, "половин" among them: the units, the teens,
// the tens and the hundreds, each in its written and its spoken form.
struct NumberWord {
  std::string_view word;
  std::int64_t tenths;
};
// clang-format off
constexpr std::array<NumberWord, 54> NumberWords = {{
    {"един", 10}, {"една", 10}, {"едно", 10}, {"два", 20}, {"две", 20}, {"три", 30},
    {"четири", 40}, {"пет", 50}, {"шест", 60}, {"седем", 70}, {"осем", 80}, {"девет", 90},
    {"десет", 100}, {"единадесет", 110}, {"единайсет", 110}, {"дванадесет", 120},
    {"дванайсет", 120}, {"тринадесет", 130}, {"тринайсет", 130}, {"четиринадесет", 140},
    {"четиринайсет", 140}, {"петнадесет", 150}, {"петнайсет", 150}, {"шестнадесет", 160},
    {"шестнайсет", 160}, {"седемнадесет", 170}, {"седемнайсет", 170}, {"осемнадесет", 180},
    {"осемнайсет", 180}, {"деветнадесет", 190}, {"деветнайсет", 190}, {"двадесет", 200},
    {"двайсет", 200}, {"тридесет", 300}, {"трийсет", 300}, {"четиридесет", 400},
    {"четирийсет", 400}, {"петдесет", 500}, {"шестдесет", 600}, {"шейсет", 600},
    {"седемдесет", 700}, {"осемдесет", 800}, {"деветдесет", 900}, {"сто", 1000}, {"двеста", 2000},
    {"триста", 3000}, {"четиристотин", 4000}, {"петстотин", 5000}, {"шестстотин", 6000},
    {"седемстотин", 7000}, {"осемстотин", 8000}, {"деветстотин", 9000}, {"хиляда", 10000},
    {"половин", 5}}};
// clang-format on

const NumberWord* NumberWordOf(std::string_view word) {
  const auto* number = std::find_if(NumberWords.begin(), NumberWords.end(),
                                    [word](const NumberWord& n) { return n.word == word; });
  return number != NumberWords.end() ? number : nullptr;
}

// What a number word may be followed by to make one number with it: "двеста" by tens or units,
// "двадесет" by units, "пет" by nothing; in tenths.
std::int64_t PlaceAfter(std::int64_t tenths) {
  if (tenths >= 1000 && tenths % 1000 == 0) {
    return tenths == 10000 ? 10000 : 1000;
  }
  return tenths >= 200 && tenths % 100 == 0 ? 100 : 0;
}

class Scanner {
 public:
  explicit Scanner(std::string_view text) : cleaned_(CleanedOf(text)) {}

  std::vector<Item> Items() {
    std::vector<Item> items;
    bool lineStart = true;
    while (at_ < cleaned_.text.size()) {
      const char c = cleaned_.text[at_];
      if (c == ' ' || c == '\n') {
        lineStart = lineStart || c == '\n';
        ++at_;
        continue;
      }
      Item item = IsDigit(c) ? Number() : IsWordStart() ? Word() : Mark();
      item.lineStart = lineStart;
      lineStart = false;
      items.push_back(std::move(item));
    }
    return items;
  }

 private:
  bool IsWordStart() const { return IsLetter(LetterAt(at_).code); }

  const Letter& LetterAt(std::size_t byte) const {
    return cleaned_.letters[cleaned_.letterOf[byte]];
  }

  // The item from the cleaned text's bytes `from` to at_, placed in the text as typed.
  Item Made(ItemType type, std::size_t from) const {
    Item item;
    item.type = type;
    item.text = cleaned_.text.substr(from, at_ - from);
    item.begin = LetterAt(from).begin;
    item.end = LetterAt(at_ - 1).end;
    item.capital = LetterAt(from).capital;
    return item;
  }

  Item Number() {
    const std::size_t from = at_;
    std::string_view rest = std::string_view(cleaned_.text).substr(at_);
    std::optional<PupilAnswer> amount = TakeAmount(rest);
    // "В) 3 : 2  Г) 2 : 3": the option's capital letter after a number, not grams, which "(300 г)"
    // are.
    const std::size_t taken = cleaned_.text.size() - rest.size();
    const std::string_view letter = "г";
    if (amount && rest.starts_with(")") && taken >= at_ + letter.size() &&
        std::string_view(cleaned_.text).substr(taken - letter.size(), letter.size()) == letter &&
        LetterAt(taken - letter.size()).capital) {
      amount.reset();
    }
    if (!amount) {
      // Digits that make no one number with what follows ("5 70"): each run on its own.
      std::size_t end = at_;
      while (end < cleaned_.text.size() &&
             (IsDigit(cleaned_.text[end]) ||
              ((cleaned_.text[end] == ',' || cleaned_.text[end] == '.') &&
               end + 1 < cleaned_.text.size() && IsDigit(cleaned_.text[end + 1])))) {
        ++end;
      }
      std::string_view run = std::string_view(cleaned_.text).substr(at_, end - at_);
      amount = TakeAmount(run);
      at_ = end;
    } else {
      at_ = cleaned_.text.size() - rest.size();
    }
    Item item = Made(ItemType::Number, from);
    item.amount = amount;
    return item;
  }

  Item Word() {
    const std::size_t from = at_;
    at_ = WordEnd(at_);
    const Item word = Made(ItemType::Word, from);
    const NumberWord* number = NumberWordOf(word.text);
    if (number == nullptr) {
      return word;
    }
    const std::size_t wordEnd = at_;
    const std::int64_t tenths = NumberPhrase(number->tenths);
    if (std::optional<Item> amount = WithUnit(from, tenths)) {
      return *amount;
    }
    at_ = wordEnd;
    return word;
  }

  std::size_t WordEnd(std::size_t at) const {
    while (at < cleaned_.text.size() && IsLetter(LetterAt(at).code)) {
      ++at;
    }
    return at;
  }

  std::size_t NextItem(std::size_t at) const {
    while (at < cleaned_.text.size() && cleaned_.text[at] == ' ') {
      ++at;
    }
    return at;
  }

  std::string_view WordAt(std::size_t at) const {
    return std::string_view(cleaned_.text).substr(at, WordEnd(at) - at);
  }

  // "двадесет и пет", "двеста и петдесет": number words that make one number, read on to its
  // last word.
  std::int64_t NumberPhrase(std::int64_t tenths) {
    std::int64_t place = PlaceAfter(tenths);
    while (place > 0) {
      std::size_t next = NextItem(at_);
      if (WordAt(next) == "и") {
        next = NextItem(next + WordAt(next).size());
      }
      const NumberWord* number = NumberWordOf(WordAt(next));
      if (number == nullptr || number->tenths >= place || number->tenths % 10 != 0) {
        break;
      }
      tenths += number->tenths;
      place = PlaceAfter(number->tenths);
      at_ = next + number->word.size();
    }
    return tenths;
  }

  // "два литра", "двадесет процента": number words are a number where a unit follows them.
  std::optional<Item> WithUnit(std::size_t from, std::int64_t tenths) {
    const std::size_t next = NextItem(at_);
    if (next == at_ || next == cleaned_.text.size() || !IsLetter(LetterAt(next).code)) {
      return std::nullopt;
    }
    const std::string digits = "1";
    std::string probe = digits + cleaned_.text.substr(at_);
    std::string_view rest = probe;
    const std::optional<PupilAnswer> amount = TakeAmount(rest);
    if (!amount || !amount->unit) {
      return std::nullopt;
    }
    at_ += probe.size() - rest.size() - digits.size();
    Item item = Made(ItemType::Number, from);
    item.amount = PupilAnswer{Decimal::Of(tenths, 1), amount->unit};
    return item;
  }

  Item Mark() {
    const std::size_t from = at_;
    ++at_;
    while (at_ < cleaned_.text.size() && cleaned_.letterOf[at_] == cleaned_.letterOf[from]) {
      ++at_;
    }
    return Made(ItemType::Mark, from);
  }

  Cleaned cleaned_;
  std::size_t at_ = 0;
};

}  // namespace

std::vector<Item> ItemsOf(std::string_view text) {
  return Scanner(text).Items();
}

std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool IsMass(const Item& item) {
  return item.type == ItemType::Number && item.amount && item.amount->unit &&
         *item.amount->unit != WrittenUnit::Percent;
}

bool IsPercent(const Item& item) {
  return item.type == ItemType::Number && item.amount && item.amount->unit == WrittenUnit::Percent;
}
