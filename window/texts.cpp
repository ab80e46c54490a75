#include "window/texts.h"

#include <QStringList>

namespace Texts {

const QString Assignment = QStringLiteral(
    "В задачите, от основното образование, за смеси и разтвори обикновено присъстват 6 "
    "величини: процент, тегло на двата начални и крайния разтвор.\r\n"
    "Когато в разтвора участва вода се споменава само процент на активната съставка. Такива са "
    "задачите с алкохолни напитки, захарен разтвор, солена вода и др. \r\n"
    "Да се реализира проект, представящ междупредметни връзки между Математика и "
    "Информатика.\r\n"
    "Тема на проекта: Blendora.\r\n"
    "Като входни и изходни данни да участват: тегло или обем, процент или части на начални "
    "разтвори и крайна смес/сплав.\r\n"
    "Да се реализират поне 5 неповтарящи се комбинации от входни параметри.\r\n"
    "Примери за повтарящи се комбинации:\r\n"
    "Какво е процентното съдържание на захар във воден разтвор, ако в N части 10% захарен "
    "разтвор се долее 1 част вода.\r\n"
    "Какво е процентното съдържание на мед в новата смес,  ако са използвани два вида медни "
    "отпадъци N кг. с 40% мед и M кг. с 60% мед.\r\n"
    "Използвайте едни и същи данни за проверка: Пример:  процент_1 = 30; тегло_1 = 200; "
    "процент_2 = 40; тегло_2 = 300; процент на сместа = 36;  тегло на сместа = 500\r\n");

const QString Quotation = QStringLiteral(
    "Неприятното в това да си първият, направил нещо по \r\n"
    "правилния начин, е, че никой не оценява колко трудно е \r\n"
    "било. \r\n");

QString VariantCaption(VariantIndex variant) {
  return u"Вариант %1"_qs.arg(variant + 1);
}

QString ColumnHeading(Column column) {
  return QString::fromUtf8(ColumnHeadings[static_cast<std::size_t>(column)]);
}

QString CellName(CellIndex cell) {
  const QString name = VariantCaption(VariantOf(cell)) + u", "_qs + ColumnHeading(ColumnOf(cell));
  return Worksheet::IsResultCell(cell) ? name + u", резултат"_qs : name;
}

QString CellSpoken(CellIndex cell, const QString& text) {
  return text.isEmpty() ? CellName(cell) : CellName(cell) + u' ' + text;
}

QString ResultsSpoken(const Worksheet& worksheet) {
  QStringList results;
  const VariantIndex variant = worksheet.CurrentVariant();
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    const CellIndex cell = CellOf(variant, static_cast<Column>(column));
    if (Worksheet::IsResultCell(cell)) {
      results << ColumnHeading(static_cast<Column>(column)) + u' ' +
                     QString::fromStdString(worksheet.CellText(cell));
    }
  }
  return results.join(u", "_qs);
}

QString FaultMessage(const ArithmeticFault& fault) {
  const QString kind =
      fault.Kind() == FaultKind::DivisionByZero ? u"Деление на нула"_qs : u"Препълване"_qs;
  if (fault.Cause().empty()) {
    return kind;
  }
  return kind + u'\n' + QString::fromStdString(fault.Cause());
}

}  // namespace Texts
