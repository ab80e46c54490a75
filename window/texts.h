#pragma once

#include <QString>
#include <QStringView>

#include "worksheet/worksheet.h"

namespace Texts {

inline constexpr QStringView Caption = u"https://blendora.example  Blendora";
inline constexpr QStringView Heading = u"Изчисляване процент и тегло в смеси";
inline constexpr QStringView Calculate = u"Изчисли";
inline constexpr QStringView Clear = u"Изчисти";
inline constexpr QStringView Variants = u"Варианти";
inline constexpr QStringView FaultTitle = u"Blendora";
inline constexpr QStringView AssignmentName = u"Задание";
inline constexpr QStringView QuotationName = u"Цитат";

// Lines end in CR LF, the last one too; spaces at line ends belong to the text.
extern const QString Assignment;
extern const QString Quotation;

QString VariantCaption(VariantIndex variant);  // "Вариант 1" for index 0
QString ColumnHeading(Column column);
// What a screen reader says for a cell: "Вариант 2, Тегло 2, резултат".
QString CellName(CellIndex cell);
// The name followed by the text, if any: "Вариант 1, % - 1 30".
QString CellSpoken(CellIndex cell, const QString& text);

// The working row's results as a screen reader says them: "Смес % 36, Смес т. 500".
QString ResultsSpoken(const Worksheet& worksheet);

// The kind of fault on the first line, and what in the pupil's numbers causes it on the second.
QString FaultMessage(const ArithmeticFault& fault);

}  // namespace Texts
