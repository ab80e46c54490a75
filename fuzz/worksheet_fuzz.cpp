// Feeds arbitrary cell texts and variants through a Worksheet and checks what must always
// hold: no crash, a fault changes no cell, every written text reads back as a finite number, and
// the step-by-step solution and its picture are written without an infinity or a NaN.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/solution_picture.h"
#include "form/solution_text.h"
#include "worksheet/worksheet.h"

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

std::vector<std::string> CellTexts(const Worksheet& sheet) {
  std::vector<std::string> texts;
  for (CellIndex cell = 0; cell < CellCount; ++cell) {
    texts.push_back(sheet.CellText(cell));
  }
  return texts;
}

// The first byte picks the variant and the separator; the rest, split at '\0', fills the row.
void TypeRow(Worksheet& sheet, std::string_view data) {
  for (std::int16_t column = 0; column < ColumnCount && !data.empty(); ++column) {
    const std::size_t end = data.find('\0');
    const CellIndex cell = CellOf(sheet.CurrentVariant(), static_cast<Column>(column));
    Require(sheet.SetCellText(cell, std::string(data.substr(0, end))));
    data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
  }
}

void CheckWrittenRow(const Worksheet& sheet, std::string_view separator) {
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    const std::string& text =
        sheet.CellText(CellOf(sheet.CurrentVariant(), static_cast<Column>(column)));
    Require(text != "-0" && text.find("inf") == std::string::npos &&
            text.find("nan") == std::string::npos);
    const double value = ParseCellNumber(text, separator);
    Require(std::isfinite(value));
    Require(FormatCellNumber(value, separator) == text);
  }
}

bool HasNoNonNumber(std::string_view text) {
  return text.find("inf") == std::string_view::npos && text.find("nan") == std::string_view::npos;
}

// Also after a fault, the solution says why: never a number that is none, never "×" or "/".
void CheckSolution(const Worksheet& sheet) {
  const std::optional<RowSolution> solution = sheet.Solution();
  Require(solution.has_value());
  for (const std::string& line : Texts::SolutionLines(*solution)) {
    Require(HasNoNonNumber(line) && line.find("×") == std::string::npos &&
            line.find('/') == std::string::npos);
  }
  if (const auto picture = DrawSolution(*solution)) {
    Require(HasNoNonNumber(picture->description));
    for (const PictureBox& box : picture->boxes) {
      Require(box.width >= 0 && box.left + box.width <= picture->width);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view separator = (bytes[0] & 0x80) != 0 ? "," : ".";
  Worksheet sheet{std::string(separator)};
  sheet.SelectVariant(static_cast<VariantIndex>((bytes[0] & 0x7F) % VariantCount));
  TypeRow(sheet, std::string_view(reinterpret_cast<const char*>(bytes) + 1, size - 1));
  const std::vector<std::string> before = CellTexts(sheet);
  try {
    sheet.Calculate();
  } catch (const ArithmeticFault&) {
    Require(CellTexts(sheet) == before);
    CheckSolution(sheet);
    return 0;
  }
  CheckWrittenRow(sheet, separator);
  CheckSolution(sheet);
  return 0;
}
