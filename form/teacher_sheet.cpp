#include "form/teacher_sheet.h"

#include "form/problem_text.h"
#include "form/texts.h"
#include "worksheet/variants.h"

namespace {

constexpr std::string_view SoughtMark = "*";

// Each box's answer in the problem's words, apart, so that a teacher reads them box by box.
std::string Answer(const Problem& problem) {
  std::string answer;
  for (const std::string& box : Texts::BoxAnswers(problem)) {
    answer += (answer.empty() ? "" : "; ") + box;
  }
  // The grid's row of two steps is the second's: its first part is what the first step gives.
  if (problem.firstStep) {
    answer += " (след смесването: " + Texts::AnswerAmount(problem, Weight1) + ", " +
              Texts::AnswerAmount(problem, Percent1) + ")";
  }
  return answer;
}

TeacherSheet::KeyRow KeyRowOf(const Problem& problem, std::size_t number) {
  TeacherSheet::KeyRow row{};
  row.cells[0] = std::to_string(number);
  row.cells[1] = Texts::VariantCaption(problem.variant);
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    const auto c = static_cast<Column>(column);
    // What the grid works out: a ratio's chosen mixture mass is typed in, not sought.
    const bool sought = IsResultColumn(problem.variant, c);
    const auto cell = static_cast<std::size_t>(column) + 2;
    row.cells[cell] = problem.Value(c).Text() + (sought ? std::string(SoughtMark) : "");
    row.sought[cell] = sought;
  }
  row.cells[8] = Answer(problem);
  return row;
}

}  // namespace

std::string TeacherSheetTitle(std::int32_t sheet, Level level) {
  return "Лист № " + std::to_string(sheet) + " – " + std::string(Texts::LevelName(level));
}

TeacherSheet MakeTeacherSheet(std::int32_t sheet, Level level, std::int32_t count) {
  TeacherSheet result;
  result.title = TeacherSheetTitle(sheet, level);
  result.pupilLine = "Име: ……………………………………………   Клас: ………";
  result.keyTitle = "Отговори";
  result.keyHeading[0] = "№";
  result.keyHeading[1] = "Вариант";
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    result.keyHeading[static_cast<std::size_t>(column) + 2] =
        std::string(Texts::ColumnHeading(static_cast<Column>(column)));
  }
  result.keyHeading[8] = "Отговор";
  result.keyNote = "* – неизвестните величини, които таблицата на Blendora изчислява.";
  const std::vector<Problem> problems = MakeSheet(sheet, level, count);
  for (std::size_t i = 0; i < problems.size(); ++i) {
    result.problems.push_back(Texts::ProblemText(problems[i]));
    result.key.push_back(KeyRowOf(problems[i], i + 1));
  }
  return result;
}
