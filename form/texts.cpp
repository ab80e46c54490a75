#include "form/texts.h"

namespace Texts {

const std::string_view Assignment =
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
    "процент_2 = 40; тегло_2 = 300; процент на сместа = 36;  тегло на сместа = 500\r\n";

const std::string_view Quotation =
    "Неприятното в това да си първият, направил нещо по \r\n"
    "правилния начин, е, че никой не оценява колко трудно е \r\n"
    "било. \r\n";

std::string VariantCaption(VariantIndex variant) {
  return "Вариант " + std::to_string(variant + 1);
}

std::string_view ColumnHeading(Column column) {
  return ColumnHeadings[static_cast<std::size_t>(column)];
}

std::string CellName(CellIndex cell) {
  std::string name = VariantCaption(VariantOf(cell)) + ", ";
  name += ColumnHeading(ColumnOf(cell));
  return Worksheet::IsResultCell(cell) ? name + ", резултат" : name;
}

std::string CellSpoken(CellIndex cell, std::string_view text) {
  std::string spoken = CellName(cell);
  if (!text.empty()) {
    spoken += ' ';
    spoken += text;
  }
  return spoken;
}

std::string ResultsSpoken(const Worksheet& worksheet) {
  std::string results;
  const VariantIndex variant = worksheet.CurrentVariant();
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    const CellIndex cell = CellOf(variant, static_cast<Column>(column));
    if (Worksheet::IsResultCell(cell)) {
      results += results.empty() ? "" : ", ";
      results += ColumnHeading(static_cast<Column>(column));
      results += ' ' + worksheet.CellText(cell);
    }
  }
  return results;
}

std::string FaultMessage(const ArithmeticFault& fault) {
  std::string message =
      fault.Kind() == FaultKind::DivisionByZero ? "Деление на нула" : "Препълване";
  if (!fault.Cause().empty()) {
    message += '\n' + fault.Cause();
  }
  return message;
}

std::string Unreachable(std::string_view what, std::string_view firstUse, std::string_view button) {
  return "Няма връзка с интернет. " + std::string(what) + " се изтегля при първото " +
         std::string(firstUse) + ", а след това работи и без интернет. Свържи се с интернет и " +
         "натисни „" + std::string(button) + "“ отново.";
}

}  // namespace Texts
