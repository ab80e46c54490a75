#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "form/texts.h"
#include "problems/problem.h"

// The teacher's sheet of a number and a level, without a toolkit: the problems, numbered, under
// a heading, each with room to solve; then, on a page of its own, the key: each problem's
// variant, its six quantities under the grid's headings with the sought ones marked, and its
// answer with units. The faces lay it out for A4.
struct TeacherSheet {
  std::string title;      // "Лист № 17 – Ниво 2"
  std::string pupilLine;  // where the pupil writes a name
  std::vector<std::string> problems;
  std::string keyTitle;                   // "Отговори"
  std::array<std::string, 9> keyHeading;  // "№", "Вариант", the six headings, "Отговор"
  struct KeyRow {
    std::array<std::string, 9> cells;  // as the heading
    std::array<bool, 9> sought;        // the unknowns the grid computes for the problem
  };
  std::vector<KeyRow> key;
  std::string keyNote;  // what the mark on a sought quantity means
};

// Throws std::out_of_range for a sheet or count outside MakeSheet's.
TeacherSheet MakeTeacherSheet(std::int32_t sheet, Level level, std::int32_t count);
// "Лист № 17 – Ниво 2", without making the sheet's problems.
std::string TeacherSheetTitle(std::int32_t sheet, Level level);
// How many problems a sheet has until the teacher chooses another count.
inline constexpr std::int32_t UsualSheetSize = 7;

namespace Texts {
inline constexpr std::string_view ProblemsHeading = "Задача";
inline constexpr std::string_view NewProblem = "Нова задача";
inline constexpr std::string_view CheckAnswer = "Провери";
inline constexpr std::string_view HintButton = "Подсказка";
inline constexpr std::string_view ShowSolutionButton = "Покажи решението";
inline constexpr std::string_view IntoGrid = "Въведи в таблицата";
inline constexpr std::string_view SheetButton = "Лист със задачи";
inline constexpr std::string_view OtherSheet = "Друг лист";
inline constexpr std::string_view SavePdf = "Запази листа като PDF";
inline constexpr std::string_view ProblemCount = "Брой задачи";
inline constexpr std::string_view LevelGroup = "Ниво";
inline constexpr std::string_view PracticeKey = "F2: задачи за упражнение";
// The desktop's window of the practice, and what it says when the sheet cannot be saved.
inline constexpr std::string_view PracticeTitle = "Задачи";
inline constexpr std::string_view PdfNotSaved = "Листът не можа да се запише в този файл.";
// The page fetches the sheet when it is first asked for; before that, without a network, it says
// so.
inline std::string SheetUnreachable() {
  return Unreachable("Листът със задачи", "отваряне", SheetButton);
}
}  // namespace Texts
