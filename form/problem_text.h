#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/method_text.h"
#include "form/solution_text.h"
#include "problems/answer.h"
#include "problems/problem.h"

// The words of a problem for pupils to solve: the problem itself, its answer boxes and what is
// said of an answer, in UTF-8.
namespace Texts {

// "Ниво 1", "Ниво 2", "Ниво 3", "Смесени".
std::string_view LevelName(Level level);

// The word problem in one to three sentences, every given number written in it as Tenths::Text
// writes it, followed by its unit: "Колко грама вода трябва да се долеят към 400 г 10% разтвор
// на сол, за да стане процентното съдържание на сол 8%?". Water and the pure substance are
// named, not given as 0% and 100%.
std::string ProblemText(const Problem& problem);

// The question beside the answer box of a quantity: "Колко грама вода?", "Колко грама е вторият
// разтвор?", "Колко процента сол има в получения разтвор?".
std::string AnswerLabel(const Problem& problem, Column column);
// The unit after the box: "г", "кг", "л" or "%".
std::string_view AnswerUnit(const Problem& problem, Column column);
// A quantity with its unit, as the key of a teacher's sheet gives it: "4,5 л", "20%".
std::string AnswerAmount(const Problem& problem, Column column);
// The answers in the order of the boxes, as school writes them after "Отговор:": "4,5 л вода",
// "40 кг сплав с 20% мед и 10 кг сплав с 45% мед", "15,2%", "20 г сплав с 65% сребро".
std::string AnswerText(const Problem& problem);
// The two parts by their kind, as a ratio's answer names them: "30% разтвор", "сплав с 60% мед".
std::array<std::string, 2> KindsOf(const Problem& problem);
// Each box's answer on its own, as the key of a teacher's sheet gives them: "28 л", "6%",
// "4,5 л вода", "40 кг сплав с 20% мед".
std::vector<std::string> BoxAnswers(const Problem& problem);

// The one line that sends the pupil to the grid: the variant, what to type into which cell, and
// what the grid will show: "Провери с Blendora („Вариант 2“): въведи в „% - 1“ 8, …".
std::string GridCheckLine(const Problem& problem);
// The same, of a problem whose givens are whole tenths and whose results, exactly `values`, may
// not be: a result the grid rounds is told as its cell shows it.
std::string GridCheckLine(const Problem& problem, const std::array<Fraction, ColumnCount>& values);

// The problem's own names of its parts and their substance, for the solution the grid's way.
PartWords PartWordsOf(const Problem& problem);

// The problem's words for its method's arithmetic of what does not change.
MethodWords MethodWordsOf(const Problem& problem, const Method& method);

// The words of a problem's first step, where it has two: "първия разтвор", "получения разтвор".
MixingWords MixingWordsOf(const Problem& problem);

// "Вярно!"; the right amount in another unit: "Вярно е, но запиши отговора в грамове."; for a
// wrong answer a sentence that begins with "Не е вярно" and says what mistake it looks like,
// without the right answer; for text without digits, to write them; for digits that make no one
// number, to write one; for a unit of another measure, the box's; for an empty box, to fill it.
// The pupil is addressed in the singular.
std::string Feedback(Verdict verdict, const Problem& problem, Column box);
// What is said of all the answers to a problem, by their verdicts in the order of its boxes: of
// one, as above; of two, which one is wrong, or that they are swapped, or which box is empty, or
// that both are right in another unit.
std::string Feedback(const Problem& problem, const std::vector<Verdict>& verdicts);

}  // namespace Texts
