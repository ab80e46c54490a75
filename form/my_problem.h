#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/lexicon.h"
#include "form/practice.h"
#include "form/solution_text.h"
#include "form/texts.h"
#include "reader/reader.h"

// The pupil's own problem, without a toolkit: the text read, what was understood of it with every
// number and its role, the solution by the method of its shape and "Отговор:", or a sentence
// beginning "Не разбрах" that says what is missing. The pupil may give a number another role.
namespace Texts {
inline constexpr std::string_view MyProblemTitle = "Моята задача";
inline constexpr std::string_view MyProblemLabel = "Текст на задачата";
inline constexpr std::string_view SolveButton = "Реши";
// The numbers of the text in a small table, where the pupil gives a number another role.
inline constexpr std::string_view MyProblemNumbers = "Числата в задачата";
inline constexpr std::string_view MyProblemNumber = "Число";
inline constexpr std::string_view MyProblemRole = "Какво означава";
// The page fetches the reader when the pupil first solves a problem of their own, and keeps it for
// the visits without a network from then on; before that, without a network, it says so.
inline std::string ReaderUnreachable() {
  return Unreachable("„" + std::string(MyProblemTitle) + "“", "решаване на задача", SolveButton);
}
}  // namespace Texts

class MyProblem {
 public:
  // Reads the text afresh; the roles changed before are forgotten.
  void Read(std::string_view text);

  // "Дадено: …", "Търси се: …", the solution and "Отговор: …"; or what was understood and
  // "Не разбрах …". Empty before the first Read.
  const Texts::SolutionText& Shown() const { return shown_; }
  bool IsAnswered() const;
  // The line of Shown() that says how the reading ends: the answer, which option holds it, or
  // what was not understood. Empty before the first Read.
  std::string_view Outcome() const;

  // The numbers of the text, each with the role it has now: an index into Roles(). None where
  // sub-questions are each read as a problem of their own.
  struct Number {
    std::string written;  // "400 г"
    std::size_t role;
  };
  std::vector<Number> Numbers() const;
  // What a number may stand for, in the problem's words, "не е нужно" last.
  std::vector<std::string> Roles() const;
  // Gives a number another role and solves again from the roles as they stand.
  void ChangeRole(std::size_t number, std::size_t role);

  // Where the grid expresses the problem as read: its variant and the four numbers to type.
  bool CanGoIntoGrid() const;
  Practice::GridEntry ForGrid(std::string_view decimalSeparator) const;

 private:
  // What ShowReading shows, in the text's own word for a substance read as salt.
  void Show();
  void NoteRounding(const std::vector<bool>& rounded);
  void LeaveOutChecksByPeriods();
  void ShowReading();
  std::string GivenLine() const;
  std::string SoughtLine() const;
  void ShowSubQuestions();
  void ShowDifference();
  void ShowStepsOnly();
  std::string SubstanceLine(Column mass) const;
  bool TakeStraightLine(const Amount& amount);
  void ShowWaterShares();
  void NameTheStartingSolution();
  void SayMilksFat();
  bool IsWaterShare(const Amount& amount) const;
  std::string ShareAnswer(const Amount& amount, std::size_t sought) const;
  std::string DifferenceAnswer(const Amount& amount) const;
  std::string WaterShareAnswer(const Amount& amount) const;
  void InsertBeforeAnswer(std::string line);
  void AnswerTheSubstance();
  void ShowOption();
  void ShowByPrice();
  std::string GoodsOf(Column mass) const;
  void ShowDoubt();

  Reading read_;     // as the text was read: its parts and question, whatever the roles
  Reading reading_;  // with the roles as they stand now
  // The metals the text lists beside the alloy's own, "калай" of "сплав от мед и калай", in its
  // order: the working names them where it would say "останалите метали".
  std::vector<Texts::Noun> otherMetals_;
  bool saysPure_ = false;  // the text says "чиста сол", not only "сол"
  // The text's own phrase for the working's: "солен разтвор" for "разтвор на сол".
  std::vector<std::pair<std::string, std::string>> phrases_;
  // The goods of the two kinds mixed by price where the text names them apart: "ябълки".
  std::array<std::string, 2> goods_;
  Texts::SolutionText shown_;
  std::size_t outcome_ = 0;  // in shown_.lines
};
