#include "web/form_json.h"

#include <array>

#include "form/layout.h"
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

std::string SolutionJson(const RowSolution& solution, std::string_view decimalSeparator) {
  const std::vector<std::string> lines = Texts::SolutionLines(solution, decimalSeparator);
  const std::optional<SolutionPicture> picture = DrawSolution(solution, decimalSeparator);
  return Object()
      .Add("lines", Array(static_cast<int>(lines.size()),
                          [&](int i) { return Quoted(lines[static_cast<std::size_t>(i)]); }))
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
