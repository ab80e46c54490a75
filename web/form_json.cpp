#include "web/form_json.h"

#include <array>
#include <optional>
#include <vector>

#include "form/layout.h"
#include "form/problem_text.h"
#include "form/solution_picture.h"
#include "form/solution_text.h"
#include "form/texts.h"
#include "worksheet/worksheet.h"

namespace {

// Two hexadecimal digits of a byte; the module carries no printf to write them.
std::string Hex(unsigned byte) {
  constexpr std::string_view Digits = "0123456789abcdef";
  return {Digits[byte >> 4], Digits[byte & 0xF]};
}

}  // namespace

const char* Answer(std::string text) {
  static std::string answer;
  answer = std::move(text);
  return answer.c_str();
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      quoted += "\\u00" + Hex(static_cast<unsigned char>(c));
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string Boolean(bool value) {
  return value ? "true" : "false";
}

std::string Colour(Rgb colour) {
  return Quoted("#" + Hex(colour.red) + Hex(colour.green) + Hex(colour.blue));
}

namespace {

std::string Rect(const TwipRect& twips) {
  return "[" + std::to_string(twips.left) + "," + std::to_string(twips.top) + "," +
         std::to_string(twips.width) + "," + std::to_string(twips.height) + "]";
}

constexpr std::array<std::string_view, 6> ArrayNames = {"Label1",  "Command1", "Frame1",
                                                        "Option1", "Text2",    "Text1"};

std::string ArrayName(ControlArray control) {
  return Quoted(ArrayNames[static_cast<std::size_t>(control)]);
}

std::string Places() {
  Object places;
  for (std::size_t array = 0; array < ArrayNames.size(); ++array) {
    const auto control = static_cast<ControlArray>(array);
    places.Add(ArrayNames[array], Array(ControlCounts[array], [control](int index) {
                 return Rect(PlaceInTwips(control, index));
               }));
  }
  return places.Text();
}

std::string ColourTable() {
  return Object()
      .Add("window", Colour(Colours::Window))
      .Add("label", Colour(Colours::Label))
      .Add("calculate", Colour(Colours::Calculate))
      .Add("clear", Colour(Colours::Clear))
      .Add("option", Colour(Colours::Option))
      .Add("resultCell", Colour(Colours::ResultCell))
      .Add("resultText", Colour(Colours::ResultText))
      .Add("readableResultText", Colour(Colours::ReadableResultText))
      .Text();
}

std::string KeyboardOrderJson() {
  const KeyboardOrderList& order = KeyboardOrder();
  return Array(static_cast<int>(order.size()), [&order](int i) {
    const ControlRef& ref = order[static_cast<std::size_t>(i)];
    return Object()
        .Add("array", ArrayName(ref.control))
        .Add("index", std::to_string(ref.index))
        .Text();
  });
}

// A line or a cell of mathematics: [text], or [text, what a screen reader says] where the two
// differ ("·" said as "по").
std::string MathText(const std::string& text) {
  const std::string spoken = Texts::SpokenMath(text);
  return "[" + Quoted(text) + (spoken == text ? "" : "," + Quoted(spoken)) + "]";
}

template <std::size_t Size>
std::string MathRow(const std::array<std::string, Size>& cells) {
  return Array(static_cast<int>(Size),
               [&](int i) { return MathText(cells[static_cast<std::size_t>(i)]); });
}

std::string TableJson(const Texts::SolutionTable& table) {
  return Object()
      .Add("heading", MathRow(table.heading))
      .Add("rows", Array(static_cast<int>(table.rows.size()),
                         [&](int i) { return MathRow(table.rows[static_cast<std::size_t>(i)]); }))
      .Text();
}

std::string PictureJson(const SolutionPicture& picture) {
  const auto number = [](int value) { return std::to_string(value); };
  const auto& boxes = picture.boxes;
  const auto& labels = picture.labels;
  return Object()
      .Add("width", number(picture.width))
      .Add("height", number(picture.height))
      .Add("ink", Colour(Colours::PictureInk))
      .Add("boxes", Array(static_cast<int>(boxes.size()),
                          [&](int i) {
                            const PictureBox& box = boxes[static_cast<std::size_t>(i)];
                            return "[" + number(box.left) + "," + number(box.top) + "," +
                                   number(box.width) + "," + number(box.height) + "," +
                                   Colour(box.fill) + "," + Boolean(box.hatched) + "]";
                          }))
      .Add("labels", Array(static_cast<int>(labels.size()),
                           [&](int i) {
                             const PictureLabel& label = labels[static_cast<std::size_t>(i)];
                             return "[" + number(label.left) + "," + number(label.baseline) + "," +
                                    Quoted(label.text) + "]";
                           }))
      .Add("description", Quoted(picture.description))
      .Text();
}

}  // namespace

std::string SolutionJson(const RowSolution& solution) {
  return SolutionJson(Texts::WriteSolution(solution), DrawSolution(solution));
}

std::string SolutionJson(const Texts::SolutionText& text,
                         const std::optional<SolutionPicture>& picture) {
  return Object()
      .Add("lines", Array(static_cast<int>(text.lines.size()),
                          [&](int i) { return MathText(text.lines[static_cast<std::size_t>(i)]); }))
      .Add("table", text.table ? TableJson(*text.table) : "null")
      .Add("tableAt", std::to_string(text.tableAt))
      .Add("picture", picture ? PictureJson(*picture) : "null")
      .Text();
}

std::string FormDescription() {
  return Object()
      .Add("caption", Quoted(Texts::Caption))
      .Add("title", Quoted(Texts::Title))
      .Add("heading", Quoted(Texts::Heading))
      .Add("calculate", Quoted(Texts::Calculate))
      .Add("clear", Quoted(Texts::Clear))
      .Add("variants", Quoted(Texts::Variants))
      .Add("ok", Quoted(Texts::Ok))
      .Add("needsScript", Quoted(Texts::NeedsScript))
      .Add("assignmentName", Quoted(Texts::AssignmentName))
      .Add("quotationName", Quoted(Texts::QuotationName))
      .Add("assignment", Quoted(Texts::Assignment))
      .Add("quotation", Quoted(Texts::Quotation))
      .Add("solutionHeading", Quoted(Texts::SolutionHeading))
      .Add("columnHeadings",
           Array(ColumnCount, [](int c) { return Quoted(Texts::ColumnHeading(Column(c))); }))
      .Add(
          "variantCaptions",
          Array(VariantCount, [](int v) { return Quoted(Texts::VariantCaption(VariantIndex(v))); }))
      .Add("cellNames",
           Array(CellCount, [](int i) { return Quoted(Texts::CellName(CellIndex(i))); }))
      .Add("resultCells",
           Array(CellCount, [](int i) { return Boolean(Worksheet::IsResultCell(CellIndex(i))); }))
      .Add("places", Places())
      .Add("clientSize", Rect({0, 0, ClientWidthInTwips, ClientHeightInTwips}))
      .Add("twipsPerPixel", std::to_string(TwipsPerPixel))
      .Add("colours", ColourTable())
      .Add("keyboardOrder", KeyboardOrderJson())
      .Text();
}

namespace {

template <std::size_t Size>
std::string TextRow(const std::array<std::string, Size>& cells) {
  return Array(static_cast<int>(Size),
               [&](int i) { return Quoted(cells[static_cast<std::size_t>(i)]); });
}

std::string Number(std::int32_t value) {
  return std::to_string(value);
}

}  // namespace

std::string TextList(const std::vector<std::string>& texts) {
  return Array(static_cast<int>(texts.size()),
               [&](int i) { return Quoted(texts[static_cast<std::size_t>(i)]); });
}

std::string ShownJson(const Texts::SolutionText& shown) {
  return shown.lines.empty() && !shown.table ? "null" : SolutionJson(shown, std::nullopt);
}

namespace {

std::string BoxesJson(const std::vector<Practice::AnswerBox>& boxes) {
  return Array(static_cast<int>(boxes.size()), [&](int i) {
    const Practice::AnswerBox& box = boxes[static_cast<std::size_t>(i)];
    return Object().Add("label", Quoted(box.label)).Add("unit", Quoted(box.unit)).Text();
  });
}

std::string SourceJson(const ProblemSource& source) {
  return Object()
      .Add("sheet", Number(source.sheet))
      .Add("level", std::to_string(static_cast<int>(source.level)))
      .Add("place", Number(source.place))
      .Text();
}

}  // namespace

std::string PracticeDescription() {
  return Object()
      .Add("heading", Quoted(Texts::ProblemsHeading))
      .Add("levelGroup", Quoted(Texts::LevelGroup))
      .Add("levels", Array(static_cast<int>(Levels.size()),
                           [](int i) {
                             return Quoted(Texts::LevelName(Levels[static_cast<std::size_t>(i)]));
                           }))
      .Add("newProblem", Quoted(Texts::NewProblem))
      .Add("check", Quoted(Texts::CheckAnswer))
      .Add("hint", Quoted(Texts::HintButton))
      .Add("showSolution", Quoted(Texts::ShowSolutionButton))
      .Add("intoGrid", Quoted(Texts::IntoGrid))
      .Add("solutionHeading", Quoted(Texts::SolutionHeading))
      .Add("sheet", Quoted(Texts::SheetButton))
      .Add("otherSheet", Quoted(Texts::OtherSheet))
      .Add("problemCount", Quoted(Texts::ProblemCount))
      .Add("sheetUnreachable", Quoted(Texts::SheetUnreachable()))
      .Add("sheetSizes", "[" + Number(MinSheetSize) + "," + Number(MaxSheetSize) + "," +
                             Number(UsualSheetSize) + "]")
      .Text();
}

std::string PracticeJson(const Practice& practice, std::string_view feedback) {
  return Object()
      .Add("text", Quoted(practice.Text()))
      .Add("boxes", BoxesJson(practice.Boxes()))
      .Add("feedback", Quoted(feedback))
      .Add("solution", ShownJson(practice.Shown()))
      .Add("hasMoreHints", Boolean(practice.HasMoreHints()))
      .Add("solutionShown", Boolean(practice.IsSolutionShown()))
      .Add("canGoIntoGrid", Boolean(practice.CanGoIntoGrid()))
      .Add("source", SourceJson(practice.Source()))
      .Add("tally", Quoted(practice.Tally()))
      .Text();
}

std::string GridEntryJson(const Practice::GridEntry& entry) {
  return Object()
      .Add("variant", std::to_string(entry.variant))
      .Add("givens", TextRow(entry.texts))
      .Text();
}

std::string TeacherSheetJson(const TeacherSheet& sheet) {
  const auto& key = sheet.key;
  return Object()
      .Add("title", Quoted(sheet.title))
      .Add("pupilLine", Quoted(sheet.pupilLine))
      .Add("problems", TextList(sheet.problems))
      .Add("keyTitle", Quoted(sheet.keyTitle))
      .Add("keyHeading", TextRow(sheet.keyHeading))
      .Add("key", Array(static_cast<int>(key.size()),
                        [&](int i) {
                          const TeacherSheet::KeyRow& row = key[static_cast<std::size_t>(i)];
                          return Object()
                              .Add("cells", TextRow(row.cells))
                              .Add("sought",
                                   Array(static_cast<int>(row.sought.size()),
                                         [&](int c) {
                                           return Boolean(row.sought[static_cast<std::size_t>(c)]);
                                         }))
                              .Text();
                        }))
      .Add("keyNote", Quoted(sheet.keyNote))
      .Text();
}

std::optional<Level> LevelAt(int level) {
  if (level < 0 || static_cast<std::size_t>(level) >= Levels.size()) {
    return std::nullopt;
  }
  return Levels[static_cast<std::size_t>(level)];
}
