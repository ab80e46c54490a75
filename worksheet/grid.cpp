#include "worksheet/grid.h"

#include <stdexcept>
#include <string>

#include "worksheet/fault.h"

void CheckVariant(VariantIndex variant) {
  if (variant < 0 || variant >= VariantCount) {
    throw std::out_of_range("variant index " + std::to_string(variant) + " is outside 0 to 6");
  }
}

void CheckCell(CellIndex cell) {
  if (cell < 0 || cell >= CellCount) {
    throw std::out_of_range("cell index " + std::to_string(cell) + " is outside 0 to 41");
  }
}

CellIndex CellOf(VariantIndex variant, Column column) {
  CellIndex rowStart = 0;
  CellIndex cell = 0;
  if (__builtin_mul_overflow(variant, ColumnCount, &rowStart) ||
      __builtin_add_overflow(rowStart, static_cast<std::int16_t>(column), &cell)) {
    throw ArithmeticFault(FaultKind::Overflow);
  }
  return cell;
}

VariantIndex VariantOf(CellIndex cell) {
  return static_cast<VariantIndex>(cell / ColumnCount);
}

Column ColumnOf(CellIndex cell) {
  return static_cast<Column>(cell % ColumnCount);
}
