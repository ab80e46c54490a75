#pragma once

#include <string>
#include <string_view>

#include "worksheet/worksheet.h"

// Every text the window and the page show or speak, in UTF-8.
namespace Texts {

inline constexpr std::string_view Caption = "https://blendora.example  Blendora";
inline constexpr std::string_view Title = "Blendora";
inline constexpr std::string_view Heading = "Изчисляване процент и тегло в смеси";
inline constexpr std::string_view Calculate = "Изчисли";
inline constexpr std::string_view Clear = "Изчисти";
inline constexpr std::string_view Variants = "Варианти";
inline constexpr std::string_view AssignmentName = "Задание";
inline constexpr std::string_view QuotationName = "Цитат";
// The fault box's one button; the window takes it from Qt's own catalogue.
inline constexpr std::string_view Ok = "Добре";
// What the page says where the browser runs no scripts: the form shows, but cannot calculate.
inline constexpr std::string_view NeedsScript =
    "Калкулаторът има нужда от JavaScript: разрешете го в браузъра, за да изчислява.";

// Lines end in CR LF, the last one too; spaces at line ends belong to the text.
extern const std::string_view Assignment;
extern const std::string_view Quotation;

std::string VariantCaption(VariantIndex variant);  // "Вариант 1" for index 0
std::string_view ColumnHeading(Column column);
// What a screen reader says for a cell: "Вариант 2, Тегло 2, резултат".
std::string CellName(CellIndex cell);
// The name followed by the text, if any: "Вариант 1, % - 1 30".
std::string CellSpoken(CellIndex cell, std::string_view text);

// The working row's results as a screen reader says them: "Смес % 36, Смес т. 500".
std::string ResultsSpoken(const Worksheet& worksheet);

// The kind of fault on the first line, and what in the pupil's numbers causes it on the second.
std::string FaultMessage(const ArithmeticFault& fault);

// What the page says where a part it fetches on first use, and keeps for the visits without a
// network from then on, cannot come: "Няма връзка с интернет. {what} се изтегля при първото
// {firstUse}, а след това работи и без интернет. Свържи се с интернет и натисни „{button}“ отново."
std::string Unreachable(std::string_view what, std::string_view firstUse, std::string_view button);

}  // namespace Texts
