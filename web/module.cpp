// The worksheet and the form for the page: a C interface that the page calls through cwrap.
// Texts travel as UTF-8 and structures as JSON; what a function returns stays valid until the
// next call.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "form/layout.h"
#include "form/texts.h"
#include "worksheet/worksheet.h"

namespace {

std::unique_ptr<Worksheet> sheet;
std::string answer;

const char* Answer(std::string text) {
  answer = std::move(text);
  return answer.c_str();
}

// A JSON string: quotes, backslashes and control characters escaped, all else as it is.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string Boolean(bool value) {
  return value ? "true" : "false";
}

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

std::string Rect(const TwipRect& twips) {
  return "[" + std::to_string(twips.left) + "," + std::to_string(twips.top) + "," +
         std::to_string(twips.width) + "," + std::to_string(twips.height) + "]";
}

std::string Colour(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
  return Quoted(text);
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

std::string FormDescription() {
  return Object()
      .Add("caption", Quoted(Texts::Caption))
      .Add("title", Quoted(Texts::Title))
      .Add("heading", Quoted(Texts::Heading))
      .Add("calculate", Quoted(Texts::Calculate))
      .Add("clear", Quoted(Texts::Clear))
      .Add("variants", Quoted(Texts::Variants))
      .Add("ok", Quoted(Texts::Ok))
      .Add("assignmentName", Quoted(Texts::AssignmentName))
      .Add("quotationName", Quoted(Texts::QuotationName))
      .Add("assignment", Quoted(Texts::Assignment))
      .Add("quotation", Quoted(Texts::Quotation))
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

std::string CellStates() {
  return Array(CellCount, [](int i) {
    const auto cell = static_cast<CellIndex>(i);
    return Object()
        .Add("text", Quoted(sheet->CellText(cell)))
        .Add("locked", Boolean(sheet->IsLocked(cell)))
        .Add("explanation", Quoted(sheet->Explanation(cell)))
        .Text();
  });
}

}  // namespace

extern "C" {

// A new worksheet on variant 1, as the window starts; the separator is the browser language's.
EMSCRIPTEN_KEEPALIVE void blendora_start(const char* decimalSeparator) {
  sheet = std::make_unique<Worksheet>(decimalSeparator);
  sheet->SelectVariant(0);
}

// Everything the page draws, as JSON: the texts, every control's twip rectangle by control
// array, the colours and the keyboard order as {"array", "index"} pairs.
EMSCRIPTEN_KEEPALIVE const char* blendora_form() {
  return Answer(FormDescription());
}

// The 42 cells as JSON: each one's text, whether it is locked, and its worked solution.
EMSCRIPTEN_KEEPALIVE const char* blendora_cells() {
  return Answer(CellStates());
}

EMSCRIPTEN_KEEPALIVE int blendora_current_variant() {
  return sheet->CurrentVariant();
}

EMSCRIPTEN_KEEPALIVE void blendora_select_variant(int variant) {
  sheet->SelectVariant(static_cast<VariantIndex>(variant));
}

// The user's edit; a locked cell keeps its text, and 0 is returned.
EMSCRIPTEN_KEEPALIVE int blendora_set_cell_text(int cell, const char* text) {
  return sheet->SetCellText(static_cast<CellIndex>(cell), text) ? 1 : 0;
}

// An empty text on success, with the results spoken by blendora_results(); otherwise the
// fault's message, and the grid is unchanged.
EMSCRIPTEN_KEEPALIVE const char* blendora_calculate() {
  try {
    sheet->Calculate();
    return Answer({});
  } catch (const ArithmeticFault& fault) {
    return Answer(Texts::FaultMessage(fault));
  }
}

EMSCRIPTEN_KEEPALIVE const char* blendora_results() {
  return Answer(Texts::ResultsSpoken(*sheet));
}

EMSCRIPTEN_KEEPALIVE void blendora_clear() {
  sheet->ClearAll();
}

}  // extern "C"
