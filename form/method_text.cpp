#include "form/method_text.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "form/solution_text.h"

namespace Texts {

namespace {

std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) {
    text += piece;
  }
  return text;
}

// "40 г" in a sentence; "40" where there is no unit.
std::string Amount(const Fraction& value, const MethodWords& words) {
  const std::string number = ExactNumber(value);
  return words.unit.empty() ? number : Concat({number, " ", words.unit});
}

// "40 (г)" after a line's result, as the board has it.
std::string Result(const Fraction& value, const MethodWords& words) {
  const std::string number = ExactNumber(value);
  return words.unit.empty() ? number : Concat({number, " (", words.unit, ")"});
}

// "100 (г) вода" after a line's result; "100 единици вода" where there is no unit.
std::string ResultOf(const Fraction& value, std::string_view what, const MethodWords& words) {
  if (words.unit.empty()) {
    return Concat({ExactNumber(value), " ", words.units, " ", what});
  }
  return Concat({Result(value, words), " ", what});
}

// "в сместа", and "във" before "в" and "ф": "във втората съставка".
std::string In(std::string_view where) {
  const bool doubled = where.starts_with("в") || where.starts_with("ф");
  return Concat({doubled ? "във " : "в ", where});
}

// "400 + 100"; water that left is taken away: "600 − 200".
std::string SumText(const Fraction& first, const Fraction& second) {
  if (first.Sign() < 0 || second.Sign() < 0) {
    const bool firstLeft = first.Sign() < 0;
    return Concat({ExactNumber(firstLeft ? second : first), " − ",
                   ExactNumber(firstLeft ? -first : -second)});
  }
  return Concat({ExactNumber(first), " + ", ExactNumber(second)});
}

std::string Percent(const Fraction& value) {
  return Concat({ExactNumber(value), "%"});
}

bool KeepsWater(const Method& method) {
  return method.kept == Kept::Water;
}

std::string_view Is(const MethodWords& words) {
  return words.restPlural ? "са" : "е";
}

// "водата е 100% − 10% = 90%", where the water (or the other metals) is what stays.
std::string RestShare(const MethodLine& line, const MethodWords& words) {
  return Concat({words.restSubject, " ", Is(words), " 100% − ", Percent(Fraction(100) - line.share),
                 " = ", Percent(line.share)});
}

std::string KeptWord(const Method& method, const MethodWords& words) {
  return KeepsWater(method) ? words.rest : words.substance;
}

std::string KeepLine(const Method& method, const MethodWords& words) {
  if (method.made && !method.waterLeaves) {
    return Concat({Capitalised(words.substanceDefinite), " ", In(words.newDefinite),
                   " идва само от ", words.madeFrom, "."});
  }
  if (KeepsWater(method)) {
    return Concat({Capitalised(words.restSubject),
                   words.restPlural ? " не се променят" : " не се променя", ", когато добавяме ",
                   words.pure, "."});
  }
  return Concat({Capitalised(words.substanceDefinite), " не се променя, когато ",
                 method.waterLeaves ? "водата се изпарява." : "доливаме вода."});
}

std::string KeptAmountLine(const Method& method, const MethodLine& line, const MethodWords& words) {
  const std::string& where =
      line.part == Part::Mixture ? words.newDefinite : words.solutionDefinite;
  const std::string formula = Concat({ExactNumber(line.left), " · ", ExactNumber(line.right),
                                      " : 100 = ", Result(line.result, words)});
  if (KeepsWater(method)) {
    return Concat({Capitalised(In(where)), " ", RestShare(line, words), ": ", formula, "."});
  }
  return Concat({Capitalised(words.substance), " ", In(where), ": ", formula, "."});
}

std::string WholeFromKeptLine(const Method& method, const MethodLine& line,
                              const MethodWords& words) {
  const bool mixture = line.part == Part::Mixture;
  const std::string& whole = mixture ? words.newDefinite : words.madeFrom;
  const std::string formula = Concat({ExactNumber(line.left), " : ", ExactNumber(line.share),
                                      " · 100 = ", Result(line.result, words), " – ",
                                      Lowered(words.amountTitle), " на ", whole, "."});
  if (KeepsWater(method)) {
    return Concat({Capitalised(In(whole)), " ", RestShare(line, words), ": ", formula});
  }
  if (mixture) {
    return Concat({Capitalised(In(whole)), " тези ", Amount(line.left, words), " са ",
                   Percent(line.share), ": ", formula});
  }
  return Concat({"Тези ", Amount(line.left, words), " са ", Percent(line.share), " от ", whole,
                 ": ", formula});
}

std::string ChangedMassLine(const Method& method, const MethodLine& line,
                            const MethodWords& words) {
  if (method.waterLeaves) {
    return Concat({"Изпарили са се ", ExactNumber(line.right), " − ", ExactNumber(line.left), " = ",
                   ResultOf(-line.result, "вода", words), "."});
  }
  const std::string difference =
      Concat({ExactNumber(line.left), " − ", ExactNumber(line.right), " = "});
  if (KeepsWater(method)) {
    return Concat(
        {"Трябва да се добавят ", difference, ResultOf(line.result, words.pure, words), "."});
  }
  return Concat({"Трябва да се долеят ", difference, ResultOf(line.result, "вода", words), "."});
}

std::string LineText(const Method& method, const MethodLine& line, const MethodWords& words) {
  switch (line.step) {
    case MethodStep::KeptAmount:
      return KeptAmountLine(method, line, words);
    case MethodStep::WholeFromKept:
      return WholeFromKeptLine(method, line, words);
    case MethodStep::PercentFromKept:
      return Concat({Capitalised(In(words.newDefinite)), " ", words.substanceDefinite, " е ",
                     ExactNumber(line.left), " : ", ExactNumber(line.right),
                     " · 100 = ", Percent(line.result), "."});
    case MethodStep::TotalMass:
      return Concat({words.amountTitle, " на ", words.newDefinite, " е ",
                     SumText(line.left, line.right), " = ", Result(line.result, words), "."});
    case MethodStep::ChangedMass:
      return ChangedMassLine(method, line, words);
    case MethodStep::RemainingMass:
      // What is left of a made solution's mass, where it is less than its parts: water that left.
      if (method.waterLeaves) {
        return ChangedMassLine(method, line, words);
      }
      break;
  }
  return Concat({"Вода: ", ExactNumber(line.left), " − ", ExactNumber(line.right), " = ",
                 Result(line.result, words), "."});
}

std::string KeepQuestion(const Method& method, const MethodWords& words) {
  if (method.made) {
    return Concat({"Откъде идва ", words.substanceDefinite, " в ", words.newDefinite, "?"});
  }
  if (KeepsWater(method)) {
    return Concat({"Кое не се променя, когато добавяме ", words.pure, "?"});
  }
  return Concat({"Кое не се променя, когато ",
                 method.waterLeaves ? "водата се изпарява?" : "доливаме вода?"});
}

std::string KeptAmountQuestion(const Method& method, const MethodLine& line,
                               const MethodWords& words) {
  if (line.part == Part::Mixture) {
    return Concat({"Колко ", words.units, " ", KeptWord(method, words), " трябва да има в ",
                   words.newPhrase, "?"});
  }
  if (KeepsWater(method)) {
    return Concat({"Колко процента от ", words.solutionDefinite, " ", Is(words), " ",
                   words.restSubject, " и колко ", words.units, " ",
                   words.restPlural ? "са те?" : "е тя?"});
  }
  return Concat(
      {"Колко ", words.units, " ", words.substance, " има в ", words.solutionPhrase, "?"});
}

std::string WholeFromKeptQuestion(const Method& method, const MethodLine& line,
                                  const MethodWords& words) {
  const std::string kept =
      Capitalised(KeepsWater(method) ? words.restSubject : words.substanceDefinite);
  const std::string_view is = KeepsWater(method) ? Is(words) : "е";
  if (line.part == Part::Mixture) {
    return Concat({kept, " ", is, " ", Percent(line.share), " от ", words.newDefinite, ". Колко ",
                   words.units, " е ", words.newSubject, "?"});
  }
  return Concat({kept, " ", is, " ", Percent(line.share), " от ", words.madeFrom, ". Колко ",
                 words.units, " ", words.madeFromBare, " са нужни?"});
}

std::string ChangedMassQuestion(const Method& method, const MethodWords& words) {
  if (method.waterLeaves) {
    return Concat({"Колко ", words.units, " вода са се изпарили?"});
  }
  if (KeepsWater(method)) {
    return Concat({"Колко ", words.units, " ", words.pure, " трябва да се добавят?"});
  }
  return Concat({"Колко ", words.units, " вода трябва да се долеят?"});
}

std::string Question(const Method& method, const MethodLine& line, const MethodWords& words) {
  switch (line.step) {
    case MethodStep::KeptAmount:
      return KeptAmountQuestion(method, line, words);
    case MethodStep::WholeFromKept:
      return WholeFromKeptQuestion(method, line, words);
    case MethodStep::PercentFromKept:
      return Concat({"Колко процента от ", words.newDefinite, " е ", words.substanceDefinite, "?"});
    case MethodStep::TotalMass:
      return Concat({"Колко ", words.units, " е ", words.newSubject, "?"});
    case MethodStep::ChangedMass:
      return ChangedMassQuestion(method, words);
    case MethodStep::RemainingMass:
      break;
  }
  return Concat({"Колко ", words.units, " вода са нужни?"});
}

// What the pupil should have found with the hint before.
std::string Confirmation(const Method& method, const MethodLine& line, const MethodWords& words) {
  switch (line.step) {
    case MethodStep::KeptAmount:
      return line.part == Part::Mixture
                 ? Concat({"В ", words.newDefinite, " трябва да има ", Amount(line.result, words),
                           " ", KeptWord(method, words), "."})
                 : Concat({"В ", words.solutionDefinite, " има ", Amount(line.result, words), " ",
                           KeptWord(method, words), "."});
    case MethodStep::WholeFromKept:
      return line.part == Part::Mixture
                 ? Concat({Capitalised(words.newSubject), " е ", Amount(line.result, words), "."})
                 : Concat({"Нужни са ", Amount(line.result, words), " ", words.madeFromBare, "."});
    case MethodStep::TotalMass:
      return Concat({Capitalised(words.newSubject), " е ", Amount(line.result, words), "."});
    case MethodStep::PercentFromKept:
      return Concat({"В ", words.newDefinite, " ", words.substanceDefinite, " е ",
                     Percent(line.result), "."});
    case MethodStep::ChangedMass:
    case MethodStep::RemainingMass:
      break;
  }
  return {};
}

// Where every quantity sought is what a line finds: a percentage of 0 or 100 that is sought is no
// water nor pure substance to start from.
bool FindsAllSought(const Method& method, const std::array<Column, 2>& sought) {
  return std::all_of(sought.begin(), sought.end(), [&method](Column column) {
    return std::any_of(method.lines.begin(), method.lines.end(),
                       [column](const MethodLine& line) { return FoundColumn(line) == column; });
  });
}

// A fraction of a long period would stand in a formula as "p : q ≈ …".
bool WrittenInDecimals(const Method& method) {
  const auto decimal = [](const Fraction& value) { return DecimalText(value, ",").has_value(); };
  return std::all_of(method.lines.begin(), method.lines.end(), [&decimal](const MethodLine& line) {
    return decimal(line.left) && decimal(line.right) && decimal(line.share) && decimal(line.result);
  });
}

std::optional<Method> GridMethod(const RowSolution& solution) {
  if (solution.outcome != Outcome::Answer) {
    return std::nullopt;
  }
  std::array<Fraction, ColumnCount> values{};
  for (std::size_t column = 0; column < values.size(); ++column) {
    values[column] = *solution.exact[column];
  }
  std::optional<Method> method = WhatStaysMethod(solution.variant, values);
  if (method && FindsAllSought(*method, solution.unknowns) && WrittenInDecimals(*method)) {
    return method;
  }
  return std::nullopt;
}

}  // namespace

void FollowWhatStays(const RowSolution& solution, SolutionText& text) {
  const auto sought =
      std::find_if(text.lines.begin(), text.lines.end(),
                   [](const std::string& line) { return line.starts_with("Търси се:"); });
  const std::optional<Method> method = GridMethod(solution);
  if (!method || sought == text.lines.end()) {
    return;
  }
  std::vector<std::string> lines(text.lines.begin(), std::next(sought));
  // The equation's table holds x, which the arithmetic has no use for.
  if (solution.equation) {
    text.table.reset();
  }
  text.tableAt = lines.size();
  const std::vector<std::string> worked = MethodLines(*method, GridMethodWords(*method));
  lines.insert(lines.end(), worked.begin(), worked.end());
  const std::size_t checkAt = lines.size();
  lines.insert(lines.end(), text.lines.begin() + static_cast<std::ptrdiff_t>(text.checkAt),
               text.lines.end());
  text.lines = std::move(lines);
  text.checkAt = checkAt;
}

std::vector<std::string> MethodLines(const Method& method, const MethodWords& words) {
  std::vector<std::string> lines = {KeepLine(method, words)};
  for (const MethodLine& line : method.lines) {
    lines.push_back(LineText(method, line, words));
  }
  return lines;
}

std::vector<std::string> MethodHints(const Method& method, const MethodWords& words,
                                     const std::vector<Fraction>& answers) {
  std::vector<std::string> hints = {KeepQuestion(method, words)};
  const MethodLine* before = nullptr;
  for (const MethodLine& line : method.lines) {
    const bool tellsAnAnswer =
        before && std::find(answers.begin(), answers.end(), before->result) != answers.end();
    const std::string confirmed =
        before && !tellsAnAnswer ? Confirmation(method, *before, words) : std::string();
    hints.push_back(confirmed.empty() ? Question(method, line, words)
                                      : Concat({confirmed, " ", Question(method, line, words)}));
    before = &line;
  }
  return hints;
}

MethodWords GridMethodWords(const Method& method) {
  const Part solution = method.changing == Part::First ? Part::Second : Part::First;
  const std::string solutionName(PartName(solution));
  return {"чисто вещество", "чистото вещество", solutionName, solutionName, solutionName,
          solutionName,     "сместа",           "сместа",     "сместа",     "чисто вещество",
          "вода",           "водата",           false,        "",           "единици",
          "Масата"};
}

std::string Capitalised(std::string_view text) {
  std::string result(text);
  // Cyrillic а to п are D0 B0 to D0 BF, р to я D1 80 to D1 8F; their capitals D0 90 to D0 AF.
  if (result.size() >= 2) {
    const auto lead = static_cast<unsigned char>(result[0]);
    const auto next = static_cast<unsigned char>(result[1]);
    if (lead == 0xD0 && next >= 0xB0 && next <= 0xBF) {
      result[1] = static_cast<char>(next - 0x20);
    } else if (lead == 0xD1 && next >= 0x80 && next <= 0x8F) {
      result[0] = static_cast<char>(0xD0);
      result[1] = static_cast<char>(next + 0x20);
    }
  }
  return result;
}

std::string Lowered(std::string_view text) {
  std::string result(text);
  if (result.size() >= 2) {
    const auto lead = static_cast<unsigned char>(result[0]);
    const auto next = static_cast<unsigned char>(result[1]);
    if (lead == 0xD0 && next >= 0x90 && next <= 0x9F) {
      result[1] = static_cast<char>(next + 0x20);
    } else if (lead == 0xD0 && next >= 0xA0 && next <= 0xAF) {
      result[0] = static_cast<char>(0xD1);
      result[1] = static_cast<char>(next - 0x20);
    }
  }
  return result;
}

}  // namespace Texts
