// The worksheet and the form for the page: a C interface that the page calls through cwrap.
// Texts travel as UTF-8 and structures as JSON; what a function returns stays valid until the
// next call.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "form/texts.h"
#include "web/form_json.h"
#include "worksheet/worksheet.h"

namespace {

std::unique_ptr<Worksheet> sheet;
std::string separator;
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
  separator = decimalSeparator;
  sheet = std::make_unique<Worksheet>(separator);
  sheet->SelectVariant(0);
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

// The number a cell's text reads as, written with a period and in full, as a link holds it;
// empty for a number beyond the range of the calculations.
EMSCRIPTEN_KEEPALIVE const char* blendora_read_number(const char* text) {
  try {
    return Answer(FormatCellNumber(ParseCellNumber(text, separator), "."));
  } catch (const ArithmeticFault&) {
    return Answer({});
  }
}

// What the last Calculate worked on, for the teaching module to solve step by step: the variant,
// 1 where it calculated (0 after a fault), and the row's six values, a given beyond a double's
// range as infinity; null when the worksheet has changed since, or before any.
EMSCRIPTEN_KEEPALIVE const double* blendora_worked() {
  static std::array<double, 2 + ColumnCount> row;
  const std::optional<Worksheet::WorkedRow>& worked = sheet->Worked();
  if (!worked) {
    return nullptr;
  }
  row = {static_cast<double>(worked->variant), worked->calculated ? 1.0 : 0.0};
  std::copy(worked->values.begin(), worked->values.end(), row.begin() + 2);
  return row.data();
}

EMSCRIPTEN_KEEPALIVE void blendora_clear() {
  sheet->ClearAll();
}

}  // extern "C"
