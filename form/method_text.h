#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/solution_text.h"
#include "problems/method.h"

// The school's arithmetic of what does not change, in the problem's own words, with units on
// every result: "Сол в разтвора: 400 · 10 : 100 = 40 (г)."; and the hints that ask for it a
// number at a time.
namespace Texts {

// How the water or the pure substance comes or goes, in the tense the question asks it:
// "Колко грама вода {трябва да се долеят}?", "{Трябва да се долеят} 500 − 400 = 100 (г) вода.".
struct ChangeWords {
  std::string asked;  // "трябва да се долеят", "са се изпарили", "са добавени"
  std::string told;  // "Трябва да се долеят", "Изпарили са се", "Добавени са"
};

// As a problem that does not say otherwise asks it.
ChangeWords UsualChangeWords(const Method& method);

struct MethodWords {
  std::string substance;          // "сол"; the calculator's "чисто вещество"
  std::string substanceDefinite;  // "солта"
  std::string solutionDefinite;   // "разтвора": what there is before
  std::string solutionPhrase;     // "400 г 10% разтвор на сол"
  std::string madeFrom;      // what a made solution's substance comes from: "есенцията"
  std::string madeFromBare;  // "есенция"
  std::string newDefinite;   // "новия разтвор"
  std::string newSubject;    // "новият разтвор"
  std::string newPhrase;     // "300 г 15% разтвор на сол", where it is given whole
  std::string pure;          // "чиста сол"
  ChangeWords change;
  std::string madeOf;  // "Разтворът се състои от сол и вода.", where salt is dissolved
  std::string remainder;  // "Вода:", before the water a made solution needs, or "Други метали:"
  // What stays where the pure substance is added: the water, or an alloy's other metals.
  std::string rest;         // "вода", "останали метали"
  std::string restSubject;  // "водата", "останалите метали"
  bool restPlural = false;
  std::string unit;                            // "г"; none where the calculator has no unit
  std::string units;                           // "грама"; the calculator's "единици"
  std::string amountTitle;                     // "Масата", "Обемът"
  std::string leaving = "водата се изпарява";  // how water leaves: "гъбите се сушат"
  // The problem states the percentage of the water beside what stays (produce's "90% вода"): the
  // share of what stays is asked for, and worked out as 100% less it.
  bool restStated = false;
  bool newPlural = false;  // "Колко килограма са сушените гъби?"
  // Beside an alloy's metal, the other metals are added where water is poured into a solution.
  bool othersAdded = false;
  bool substancePlural = false;  // "мазнините са", "мазнините не се променят"
  // After "на": "масите на калая и водата".
  std::string substanceObject{};  // "солта", "калая"
  std::string restObject{};       // "водата", "останалите метали"
};

// The lines of the solution, from what does not change to the last quantity asked.
std::vector<std::string> MethodLines(const Method& method, const MethodWords& words);

// Where water is poured in or evaporates, or the pure substance is added, the same as an equation
// after the arithmetic, under "Друг начин:": x for the water or the pure substance, and what does
// not change on both sides. Empty for every other method; never among the hints.
std::vector<std::string> OtherWayLines(const Method& method, const MethodWords& words);

// Each hint asks for one number, and from the second on says the one asked before; none says the
// last, which is the answer.
// `answers` are the values asked for: a hint never says one.
std::vector<std::string> MethodHints(const Method& method, const MethodWords& words,
                                     const std::vector<Fraction>& answers);

// The words of the first of two steps: the solutions mixed and the one they make.
struct MixingWords {
  std::array<std::string, 2> parts;  // "първия разтвор", "втория разтвор"
  std::string mixed;                 // "получения разтвор"
  std::string mixedSubject;          // "полученият разтвор"
  std::string mixedPronoun;          // "него", "нея"
  std::string amountObject;          // "масата", "обема"
};

// "Първо намираме …": each solution's substance, the mixture's mass and substance; "След това …":
// what does not change when the water comes or goes, and the lines of the water's step.
std::vector<std::string> TwoStepLines(const TwoStepMethod& method, const MethodWords& words,
                                      const MixingWords& mixing);
// A question for each number of both steps, from the second on with the number asked before,
// where it is no answer.
std::vector<std::string> TwoStepHints(const TwoStepMethod& method, const MethodWords& words,
                                      const MixingWords& mixing,
                                      const std::vector<Fraction>& answers);

// The words where the grid's two parts stand for whatever the pupil has in mind.
MethodWords GridMethodWords(const Method& method);

// The calculator's row solved the school's way, where a part is water or the pure substance and
// the arithmetic of what does not change finds both quantities sought in decimals; none
// otherwise.
std::optional<Method> GridMethod(const RowSolution& solution);

}  // namespace Texts
