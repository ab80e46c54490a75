#pragma once
// The form description as JSON, which the build writes the page's markup from, the few JSON
// writers that the module's cell states use too, and the practice's and the teacher's sheet's.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/layout.h"
#include "form/practice.h"
#include "form/solution_picture.h"
#include "form/solution_text.h"
#include "form/teacher_sheet.h"
#include "worksheet/solution.h"

// What a module's function gives the page: the text, which stays valid until the next such call.
const char* Answer(std::string text);

// A JSON string: quotes, backslashes and control characters escaped, all else as it is.
std::string Quoted(std::string_view text);
std::string Boolean(bool value);
std::string Colour(Rgb colour);                               // "#rrggbb"
std::string TextList(const std::vector<std::string>& texts);  // a JSON array of strings

// A JSON array of write(i) for i from 0 to count - 1.
template <typename Write>
std::string Array(int count, Write write) {
  std::string list = "[";
  for (int i = 0; i < count; ++i) {
    list += (i > 0 ? "," : "") + write(i);
  }
  return list + ']';
}

// A JSON object, its members written as name, value, name, value …
class Object {
 public:
  Object& Add(std::string_view name, const std::string& value) {
    text_ += (text_.size() > 1 ? "," : "") + Quoted(name) + ':' + value;
    return *this;
  }
  std::string Text() const { return text_ + '}'; }

 private:
  std::string text_ = "{";
};

// Everything the page draws: the texts, every control's twip rectangle by control array, the
// colours and the keyboard order as {"array", "index"} pairs.
std::string FormDescription();

// The row's step-by-step solution for the page: {"lines": [[text] or [text, spoken], ...],
// "table": null or {"heading": [cell, ...], "rows": [[cell, ...], ...]} with each cell as a line,
// "tableAt": the line the table stands before, "picture": null or {"width", "height", "ink",
// "boxes": [[left, top, width, height, fill, hatched], ...], "labels": [[left, baseline, text],
// ...], "description"}}.
std::string SolutionJson(const RowSolution& solution);
// The same of lines and a picture written already: a practice problem's hints, say.
std::string SolutionJson(const Texts::SolutionText& text,
                         const std::optional<SolutionPicture>& picture);
// The same of lines without a picture, or null where there are none: nothing shown yet.
std::string ShownJson(const Texts::SolutionText& shown);

// What the page builds the practice's section from: {"heading", "levelGroup", "levels": [name,
// ...] in the order of Levels, "newProblem", "check", "hint", "showSolution", "intoGrid",
// "solutionHeading", "sheet", "otherSheet", "problemCount", "sheetUnreachable", "sheetSizes":
// [smallest, largest, the usual]}.
std::string PracticeDescription();

// One pupil's practice as the page shows it: {"text", "boxes": [{"label", "unit"}, ...],
// "feedback", "solution": null or as SolutionJson, "hasMoreHints", "solutionShown",
// "canGoIntoGrid", "source": {"sheet", "level", "place"}, "tally"}; the level by its place in
// Levels, the place from 0.
std::string PracticeJson(const Practice& practice, std::string_view feedback);

// A problem as the grid takes it: {"variant", "givens": [text, ...]}, the givens in column
// order as a link writes them, with a period for the decimal point.
std::string GridEntryJson(const Practice::GridEntry& entry);

// {"title", "pupilLine", "problems": [text, ...], "keyTitle", "keyHeading": [cell, ...], "key":
// [{"cells": [cell, ...], "sought": [bool, ...]}, ...], "keyNote"}.
std::string TeacherSheetJson(const TeacherSheet& sheet);

// The level at its place in Levels, as the page sends it; none for a place there is no level at.
std::optional<Level> LevelAt(int level);
