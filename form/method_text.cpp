#include "form/method_text.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "form/solution_text.h"
#include "problems/letters.h"

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

// "доливаме вода", or to an alloy "добавяме други метали".
std::string_view Pouring(const MethodWords& words) {
  return words.othersAdded ? "добавяме други метали" : "доливаме вода";
}

// The kept share is 100% less the percentage the problem gives: the salt's where water stays, the
// water's where the dry matter of produce stays.
bool SharesTheRest(const Method& method, const MethodWords& words) {
  return KeepsWater(method) || words.restStated;
}

std::string_view Is(const MethodWords& words) {
  return words.restPlural ? "са" : "е";
}

// The substance's verb: "солта е", "мазнините са".
std::string_view SubstanceIs(const MethodWords& words) {
  return words.substancePlural ? "са" : "е";
}
std::string_view SubstanceStays(const MethodWords& words) {
  return words.substancePlural ? "не се променят" : "не се променя";
}

// "водата е 100% − 10% = 90%", where the water (or the other metals) is what stays.
std::string RestShare(const MethodLine& line, const MethodWords& words) {
  return Concat({words.restSubject, " ", Is(words), " 100% − ", Percent(Fraction(100) - line.share),
                 " = ", Percent(line.share)});
}

std::string KeptWord(const Method& method, const MethodWords& words) {
  return KeepsWater(method) ? words.rest : words.substance;
}

// Only the substance of a given solution is asked: one line, and nothing to say first of what
// does not change.
bool IsOneStep(const Method& method) {
  return method.dissolves && method.lines.size() == 1 &&
         method.lines.front().step == MethodStep::KeptAmount &&
         method.lines.front().part == Part::Mixture;
}

// A percentage of a number, asked a step at a time: the part, the whole, and how it is found.
std::vector<std::string> OneStepHints(const MethodLine& line, const MethodWords& words) {
  const std::string percent = Percent(line.share);
  return {
      Concat({"Каква част от ", words.newDefinite, " ", SubstanceIs(words), " ",
              words.substanceDefinite, "?"}),
      Concat({FirstCapital(words.substanceDefinite), " ", SubstanceIs(words), " ", percent, " от ",
              words.newDefinite, ". От колко ", words.units, " се пресмятат тези ", percent, "?"}),
      Concat({"Трябва да намериш ", percent, " от ", Amount(line.left, words),
              ". Как се намира процент от число?"})};
}

std::string KeepLine(const Method& method, const MethodWords& words) {
  if (method.dissolves) {
    return words.madeOf;
  }
  // Where the pure substance is added, the water comes only from the solution.
  if (method.made && !method.waterLeaves) {
    const bool water = KeepsWater(method);
    const bool plural = water ? words.restPlural : words.substancePlural;
    return Concat({FirstCapital(water ? words.restSubject : words.substanceDefinite), " ",
                   In(words.newDefinite), plural ? " идват само от " : " идва само от ",
                   words.madeFrom, "."});
  }
  if (KeepsWater(method)) {
    return Concat({FirstCapital(words.restSubject),
                   words.restPlural ? " не се променят" : " не се променя", ", когато добавяме ",
                   words.pure, "."});
  }
  return Concat({FirstCapital(words.substanceDefinite), " ", SubstanceStays(words), ", когато ",
                 method.waterLeaves ? words.leaving : Pouring(words), "."});
}

std::string KeptAmountLine(const Method& method, const MethodLine& line, const MethodWords& words) {
  const std::string& where =
      line.part == Part::Mixture ? words.newDefinite : words.solutionDefinite;
  const std::string formula = Concat({ExactNumber(line.left), " · ", ExactNumber(line.right),
                                      " : 100 = ", Result(line.result, words)});
  if (SharesTheRest(method, words)) {
    return Concat({FirstCapital(In(where)), " ", RestShare(line, words), ": ", formula, "."});
  }
  return Concat({FirstCapital(words.substance), " ", In(where), ": ", formula, "."});
}

std::string WholeFromKeptLine(const Method& method, const MethodLine& line,
                              const MethodWords& words) {
  const bool mixture = line.part == Part::Mixture;
  const std::string& whole = mixture ? words.newDefinite : words.madeFrom;
  const std::string formula = Concat({ExactNumber(line.left), " · 100 : ", ExactNumber(line.share),
                                      " = ", Result(line.result, words), " – ",
                                      FirstSmall(words.amountTitle), " на ", whole, "."});
  if (SharesTheRest(method, words)) {
    return Concat({FirstCapital(In(whole)), " ", RestShare(line, words), ": ", formula});
  }
  // Salt dissolved was never in a solution before: "Солта е 10% от разтвора: …".
  if (mixture && method.dissolves) {
    return Concat({FirstCapital(words.substanceDefinite), " ", SubstanceIs(words), " ",
                   Percent(line.share), " от ", whole, ": ", formula});
  }
  if (mixture) {
    return Concat({FirstCapital(In(whole)), " тези ", Amount(line.left, words), " са ",
                   Percent(line.share), ": ", formula});
  }
  return Concat({"Тези ", Amount(line.left, words), " са ", Percent(line.share), " от ", whole,
                 ": ", formula});
}

// What is poured in, added or evaporated.
std::string Changed(const Method& method, const MethodWords& words) {
  return KeepsWater(method)  ? words.pure
         : words.othersAdded ? std::string("други метали")
                             : std::string("вода");
}

std::string ChangedMassLine(const Method& method, const MethodLine& line,
                            const MethodWords& words) {
  // Water that left is the solution before less the one after, and the difference is positive.
  const bool leaves = method.waterLeaves;
  const Fraction& from = leaves ? line.right : line.left;
  const Fraction& taken = leaves ? line.left : line.right;
  // Without a unit the told words name what changed themselves: "Изпарената вода е …".
  const std::string after = words.unit.empty() ? "" : Concat({" ", Changed(method, words)});
  return Concat({words.change.told, " ", ExactNumber(from), " − ", ExactNumber(taken), " = ",
                 Result(from - taken, words), after, "."});
}

std::string LineText(const Method& method, const MethodLine& line, const MethodWords& words) {
  switch (line.step) {
    case MethodStep::KeptAmount:
      return KeptAmountLine(method, line, words);
    case MethodStep::WholeFromKept:
      return WholeFromKeptLine(method, line, words);
    case MethodStep::PercentFromKept:
      return Concat({FirstCapital(In(words.newDefinite)), " ", words.substanceDefinite, " ",
                     SubstanceIs(words), " ", ExactNumber(line.left),
                     " · 100 : ", ExactNumber(line.right), " = ", Percent(line.result), "."});
    case MethodStep::TotalMass:
      return Concat({words.amountTitle, " на ", words.newDefinite, " е ",
                     SumText(line.left, line.right), " = ", Result(line.result, words), "."});
    case MethodStep::ChangedMass:
      return ChangedMassLine(method, line, words);
    case MethodStep::KeptTotal:
      return Concat({FirstCapital(words.substance), " ", In(words.newDefinite), ": ",
                     SumText(line.left, line.right), " = ", Result(line.result, words), "."});
    case MethodStep::RemainingMass:
      // What is left of a made solution's mass, where it is less than its parts: water that left.
      if (method.waterLeaves) {
        return ChangedMassLine(method, line, words);
      }
      break;
  }
  return Concat({words.remainder, " ", ExactNumber(line.left), " − ", ExactNumber(line.right),
                 " = ", Result(line.result, words), "."});
}

std::string KeepQuestion(const Method& method, const MethodWords& words) {
  if (method.dissolves) {
    return Concat({"От какво се състои ", words.newSubject, "?"});
  }
  if (method.made) {
    const bool water = KeepsWater(method);
    return Concat({water && words.restPlural ? "Откъде идват " : "Откъде идва ",
                   water ? words.restSubject : words.substanceDefinite, " в ", words.newDefinite,
                   "?"});
  }
  if (KeepsWater(method)) {
    return Concat({"Кое не се променя, когато добавяме ", words.pure, "?"});
  }
  return Concat(
      {"Кое не се променя, когато ", method.waterLeaves ? words.leaving : Pouring(words), "?"});
}

std::string KeptAmountQuestion(const Method& method, const MethodLine& line,
                               const MethodWords& words) {
  if (line.part == Part::Mixture) {
    return Concat({"Колко ", words.units, " ", KeptWord(method, words), " трябва да има в ",
                   words.newPhrase, "?"});
  }
  if (words.restStated) {
    // The dry matter's share is not in the problem: it is told, and only its amount asked.
    return Concat({FirstCapital(RestShare(line, words)), " от ", words.solutionDefinite, ". Колко ",
                   words.units, " е то?"});
  }
  if (KeepsWater(method)) {
    // One question: the share of what stays is told, its amount asked.
    return Concat({FirstCapital(RestShare(line, words)), " от ", words.solutionDefinite, ". Колко ",
                   words.units, " ", words.restPlural ? "са те?" : "е тя?"});
  }
  return Concat(
      {"Колко ", words.units, " ", words.substance, " има в ", words.solutionPhrase, "?"});
}

std::string WholeFromKeptQuestion(const Method& method, const MethodLine& line,
                                  const MethodWords& words) {
  const std::string kept =
      FirstCapital(KeepsWater(method) ? words.restSubject : words.substanceDefinite);
  const std::string_view is = KeepsWater(method) ? Is(words) : SubstanceIs(words);
  if (line.part == Part::Mixture && words.restStated) {
    return Concat({FirstCapital(RestShare(line, words)), " от ", words.newDefinite, ". Колко ",
                   words.units, words.newPlural ? " са " : " е ", words.newSubject, "?"});
  }
  if (line.part == Part::Mixture) {
    return Concat({kept, " ", is, " ", Percent(line.share), " от ", words.newDefinite, ". Колко ",
                   words.units, " е ", words.newSubject, "?"});
  }
  return Concat({kept, " ", is, " ", Percent(line.share), " от ", words.madeFrom, ". Колко ",
                 words.units, " ", words.madeFromBare, " са нужни?"});
}

std::string ChangedMassQuestion(const Method& method, const MethodWords& words) {
  return Concat({"Колко ", words.units, " ", Changed(method, words), " ", words.change.asked, "?"});
}

std::string Question(const Method& method, const MethodLine& line, const MethodWords& words) {
  switch (line.step) {
    case MethodStep::KeptAmount:
      return KeptAmountQuestion(method, line, words);
    case MethodStep::WholeFromKept:
      return WholeFromKeptQuestion(method, line, words);
    case MethodStep::PercentFromKept:
      return Concat({"Колко процента от ", words.newDefinite, " ", SubstanceIs(words), " ",
                     words.substanceDefinite, "?"});
    case MethodStep::TotalMass:
      return Concat({"Колко ", words.units, " е ", words.newSubject, "?"});
    case MethodStep::ChangedMass:
      return ChangedMassQuestion(method, words);
    case MethodStep::KeptTotal:
      return Concat(
          {"Колко ", words.units, " ", words.substance, " има в ", words.newDefinite, "?"});
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
                 ? Concat({FirstCapital(words.newSubject), " е ", Amount(line.result, words), "."})
                 : Concat({"Нужни са ", Amount(line.result, words), " ", words.madeFromBare, "."});
    case MethodStep::TotalMass:
      return Concat({FirstCapital(words.newSubject), " е ", Amount(line.result, words), "."});
    case MethodStep::PercentFromKept:
      return Concat({"В ", words.newDefinite, " ", words.substanceDefinite, " ", SubstanceIs(words),
                     " ", Percent(line.result), "."});
    case MethodStep::KeptTotal:
      return Concat({"В ", words.newDefinite, " има ", Amount(line.result, words), " ",
                     words.substance, "."});
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
    return std::any_of(
        method.lines.begin(), method.lines.end(),
        [&method, column](const MethodLine& line) { return FoundColumn(method, line) == column; });
  });
}

// A fraction of a long period would stand in a formula as "p : q ≈ …".
bool WrittenInDecimals(const Method& method) {
  const auto decimal = [](const Fraction& value) { return DecimalText(value, ",").has_value(); };
  return std::all_of(method.lines.begin(), method.lines.end(), [&decimal](const MethodLine& line) {
    return decimal(line.left) && decimal(line.right) && decimal(line.share) && decimal(line.result);
  });
}

// "Първо намираме масата на получения разтвор и колко грама сол има в него."
std::string FirstStepLine(const MethodWords& words, const MixingWords& mixing) {
  return Concat({"Първо намираме ", mixing.amountObject, " на ", mixing.mixed, " и колко ",
                 words.units, " ", words.substance, " има в ", mixing.mixedPronoun, "."});
}

// The first step's words: what the solutions make is the new solution of that step.
MethodWords MixedWords(const MethodWords& words, const MixingWords& mixing) {
  MethodWords mixed = words;
  mixed.newDefinite = mixing.mixed;
  mixed.newSubject = mixing.mixedSubject;
  return mixed;
}

// Where a solution of the first step stands in MixingWords::parts.
std::size_t PlaceOf(const MethodLine& line) {
  return line.part == Part::First ? 0 : 1;
}

// Each solution's substance, "Сол в първия разтвор: 300 · 10 : 100 = 30 (г).", is said of the
// solution by its place; the mixture's mass and substance as a new solution's.
std::string MixingLine(const MethodLine& line, const MethodWords& words,
                       const MixingWords& mixing) {
  if (line.part == Part::Mixture) {
    return LineText(Method{}, line, MixedWords(words, mixing));
  }
  return Concat({FirstCapital(words.substance), " ", In(mixing.parts[PlaceOf(line)]), ": ",
                 ExactNumber(line.left), " · ", ExactNumber(line.right),
                 " : 100 = ", Result(line.result, words), "."});
}

std::string MixingQuestion(const MethodLine& line, const MethodWords& words,
                           const MixingWords& mixing) {
  if (line.part == Part::Mixture) {
    return Question(Method{}, line, MixedWords(words, mixing));
  }
  return Concat(
      {"Колко ", words.units, " ", words.substance, " има ", In(mixing.parts[PlaceOf(line)]), "?"});
}

std::string MixingConfirmation(const MethodLine& line, const MethodWords& words,
                               const MixingWords& mixing) {
  if (line.part == Part::Mixture) {
    return Confirmation(Method{}, line, MixedWords(words, mixing));
  }
  return Concat({FirstCapital(In(mixing.parts[PlaceOf(line)])), " има ", Amount(line.result, words),
                 " ", words.substance, "."});
}

// "След това доливаме вода: солта не се променя и в новия разтвор също има 80 г сол."
std::string SecondStepLine(const TwoStepMethod& method, const MethodWords& words) {
  const Fraction& kept = method.mixing.back().result;
  return Concat({"След това ", method.watering.waterLeaves ? words.leaving : "доливаме вода", ": ",
                 words.substanceDefinite, " ", SubstanceStays(words), " и ", In(words.newDefinite),
                 " също има ", Amount(kept, words), " ", words.substance, "."});
}

std::string Joined(const std::string& first, const std::string& second) {
  return first.empty() ? second : Concat({first, " ", second});
}

// "8x", "12,5x"; "x" alone for 1 · x.
std::string TimesX(const Fraction& factor) {
  return factor == Fraction(1) ? std::string("x") : Concat({ExactNumber(factor), "x"});
}

// "(400 + x)", "(600 − x)": the new solution's mass with x for the water or the pure substance.
std::string MassWithX(const Fraction& mass, bool leaves) {
  return Concat({"(", ExactNumber(mass), leaves ? " − x)" : " + x)"});
}

// "Нека долеем x г вода.", "Нека се изпарят x г вода.", "Нека добавим x г чиста сол."
std::string LetX(const Method& method, const MethodWords& words) {
  if (method.waterLeaves) {
    return Concat({"Нека се изпарят x ", words.unit, " вода."});
  }
  return Concat({KeepsWater(method) || words.othersAdded ? "Нека добавим x " : "Нека долеем x ",
                 words.unit, " ", Changed(method, words), "."});
}

std::string StaysOnBothSides(const Method& method, const MethodWords& words) {
  if (KeepsWater(method)) {
    return Concat({FirstCapital(words.restSubject),
                   words.restPlural ? " не се променят:" : " не се променя:"});
  }
  return Concat({FirstCapital(words.substanceDefinite), " ", SubstanceStays(words), ":"});
}

}  // namespace

std::vector<std::string> OtherWayLines(const Method& method, const MethodWords& words) {
  // The kept amount, the new solution from it, and the change: the change is what is asked.
  if (method.made || method.lines.size() != 3 ||
      method.lines[1].step != MethodStep::WholeFromKept ||
      method.lines[2].step != MethodStep::ChangedMass) {
    return {};
  }
  // (m ± x) · b : 100 = k, with b the kept share after and k the kept amount worked out above
  // from m and the share a before: the unknown on the left, as school writes it.
  const Fraction& mass = method.lines[0].left;
  const Fraction& before = method.lines[0].share;
  const Fraction& after = method.lines[1].share;
  const bool leaves = method.waterLeaves;
  const Fraction kept = mass * before;
  const Fraction newWithout = mass * after;
  const std::string withX = MassWithX(mass, leaves);
  std::vector<std::string> lines = {
      "Друг начин:",
      Concat({LetX(method, words), " Тогава ", words.newSubject, words.newPlural ? " са " : " е ",
              withX, " ", words.unit, "."}),
      StaysOnBothSides(method, words),
      Concat(
          {withX, " · ", ExactNumber(after), " : 100 = ", ExactNumber(kept / 100), "   | · 100"}),
      Concat({after == Fraction(1) ? withX : Concat({ExactNumber(after), withX}), " = ",
              ExactNumber(kept)}),
      Concat({ExactNumber(newWithout), leaves ? " − " : " + ", TimesX(after), " = ",
              ExactNumber(kept)})};
  // The term with x to the side where it is positive.
  const Fraction& larger = leaves ? newWithout : kept;
  const Fraction& smaller = leaves ? kept : newWithout;
  lines.push_back(Concat({TimesX(after), " = ", ExactNumber(larger), " − ", ExactNumber(smaller)}));
  lines.push_back(Concat({TimesX(after), " = ", ExactNumber(larger - smaller)}));
  if (after != Fraction(1)) {
    lines.push_back(Concat({"x = ", ExactNumber((larger - smaller) / after)}));
  }
  return lines;
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

// "Масата на разтвора е колкото масите на солта и водата заедно: 50 + 200 = 250 (г).": what a
// solution is made of and its mass, said at once where its mass comes first; masses are added,
// not the salt and the water themselves.
std::string MadeOfBothLine(const MethodLine& line, const MethodWords& words) {
  const std::string_view amounts = words.amountTitle == "Обемът" ? "обемите" : "масите";
  return Concat({words.amountTitle, " на ", words.newDefinite, " е колкото ", amounts, " на ",
                 words.substanceObject, " и ", words.restObject, " заедно: ",
                 SumText(line.left, line.right), " = ", Result(line.result, words), "."});
}

std::vector<std::string> MethodLines(const Method& method, const MethodWords& words) {
  std::vector<std::string> lines;
  const bool madeOfBoth = method.dissolves && !method.lines.empty() &&
                          method.lines.front().step == MethodStep::TotalMass;
  // What a solution is made of says something where its water is worked out from it.
  const bool waterFound =
      std::any_of(method.lines.begin(), method.lines.end(),
                  [](const MethodLine& line) { return line.step == MethodStep::RemainingMass; });
  if (!IsOneStep(method) && !madeOfBoth && (!method.dissolves || waterFound)) {
    lines.push_back(KeepLine(method, words));
  }
  for (const MethodLine& line : method.lines) {
    lines.push_back(madeOfBoth && &line == &method.lines.front() ? MadeOfBothLine(line, words)
                                                                 : LineText(method, line, words));
  }
  return lines;
}

std::vector<std::string> MethodHints(const Method& method, const MethodWords& words,
                                     const std::vector<Fraction>& answers) {
  if (IsOneStep(method)) {
    return OneStepHints(method.lines.front(), words);
  }
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

std::vector<std::string> TwoStepLines(const TwoStepMethod& method, const MethodWords& words,
                                      const MixingWords& mixing) {
  std::vector<std::string> lines = {FirstStepLine(words, mixing)};
  for (const MethodLine& line : method.mixing) {
    lines.push_back(MixingLine(line, words, mixing));
  }
  lines.push_back(SecondStepLine(method, words));
  for (const MethodLine& line : method.watering.lines) {
    lines.push_back(LineText(method.watering, line, words));
  }
  return lines;
}

std::vector<std::string> TwoStepHints(const TwoStepMethod& method, const MethodWords& words,
                                      const MixingWords& mixing,
                                      const std::vector<Fraction>& answers) {
  std::vector<std::string> hints;
  std::string confirmed;
  for (const MethodLine& line : method.mixing) {
    hints.push_back(Joined(confirmed, MixingQuestion(line, words, mixing)));
    const bool isAnAnswer = std::find(answers.begin(), answers.end(), line.result) != answers.end();
    confirmed = isAnAnswer ? std::string() : MixingConfirmation(line, words, mixing);
  }
  std::vector<std::string> watering = MethodHints(method.watering, words, answers);
  watering.front() = Joined(confirmed, watering.front());
  hints.insert(hints.end(), watering.begin(), watering.end());
  return hints;
}

ChangeWords UsualChangeWords(const Method& method) {
  if (method.waterLeaves) {
    return {"са се изпарили", "Изпарили са се"};
  }
  if (KeepsWater(method)) {
    return {"трябва да се добавят", "Трябва да се добавят"};
  }
  return {"трябва да се долеят", "Трябва да се долеят"};
}

// Without a unit, the told words name what came or went: "Изпарената вода е 600 − 400 = 200.".
ChangeWords GridChangeWords(const Method& method) {
  if (method.waterLeaves) {
    return {"са се изпарили", "Изпарената вода е"};
  }
  return {"", Concat({"Масата на ", PartName(method.changing), " е"})};
}

MethodWords GridMethodWords(const Method& method) {
  const Part solution = method.changing == Part::First ? Part::Second : Part::First;
  const std::string solutionName(PartName(solution));
  return {"чисто вещество", "чистото вещество", solutionName, solutionName, solutionName,
          solutionName, "сместа", "сместа", "сместа", "чисто вещество", GridChangeWords(method),
          Concat({PartTitle(solution), " е само чисто вещество, а ", PartName(method.changing),
                  " не съдържа чисто вещество."}),
          Concat({"Масата на ", PartName(method.changing), " е"}),
          // The grid's parts may be alloys or juice: what stays beside the pure substance is
          // whatever is not that substance, not water.
          "част без чисто вещество", "частта без чисто вещество", false, "", "единици", "Масата"};
}

}  // namespace Texts
