#include "form/layout.h"

#include <stdexcept>

namespace {

// A run of elements laid out in rows of `perRow`, each `columnStep` right of the one before
// and each row `rowStep` below the one above.
struct Placement {
  ControlArray control;
  int firstIndex;
  int count;
  int perRow;
  int left, top, width, height;
  int columnStep, rowStep;
};

constexpr std::array<Placement, 9> Placements = {{
    {ControlArray::Label1, 0, 1, 1, 1560, 0, 4455, 375, 0, 0},
    {ControlArray::Label1, 1, 6, 6, 1680, 600, 975, 375, 960, 0},
    {ControlArray::Command1, 0, 1, 1, 240, 120, 975, 375, 0, 0},
    {ControlArray::Command1, 1, 1, 1, 6480, 120, 975, 375, 0, 0},
    {ControlArray::Frame1, 0, 1, 1, 0, 720, 1695, 2895, 0, 0},
    {ControlArray::Option1, 0, 7, 1, 120, 240, 1455, 405, 0, 360},
    {ControlArray::Text2, 0, 42, 6, 1680, 960, 975, 405, 960, 360},
    {ControlArray::Text1, 0, 1, 1, 120, 3720, 7335, 2295, 0, 0},
    {ControlArray::Text1, 1, 1, 1, 1320, 5160, 6735, 1815, 0, 0},
}};

// The keyboard order in runs of consecutive elements, first to last, as the form lists them:
// cells and buttons interleave as they were placed.
struct OrderRun {
  ControlArray control;
  int first, last;
};

constexpr std::array<OrderRun, 17> OrderRuns = {{
    {ControlArray::Text1, 0, 1},
    {ControlArray::Label1, 0, 4},
    {ControlArray::Text2, 0, 3},
    {ControlArray::Text2, 5, 8},
    {ControlArray::Text2, 10, 13},
    {ControlArray::Text2, 15, 18},
    {ControlArray::Command1, 0, 1},
    {ControlArray::Text2, 4, 4},
    {ControlArray::Text2, 9, 9},
    {ControlArray::Text2, 14, 14},
    {ControlArray::Text2, 19, 23},
    {ControlArray::Label1, 5, 6},
    {ControlArray::Frame1, 0, 0},
    {ControlArray::Option1, 0, 5},
    {ControlArray::Text2, 24, 35},
    {ControlArray::Option1, 6, 6},
    {ControlArray::Text2, 36, 41},
}};

constexpr KeyboardOrderList Unrolled() {
  KeyboardOrderList order{};
  std::size_t next = 0;
  for (const OrderRun& run : OrderRuns) {
    for (int index = run.first; index <= run.last; ++index) {
      order[next++] = {run.control, index};
    }
  }
  return next == order.size() ? order : throw std::logic_error("the runs miss a control");
}

constexpr KeyboardOrderList Order = Unrolled();

}  // namespace

TwipRect PlaceInTwips(ControlArray control, int index) {
  for (const Placement& p : Placements) {
    const int offset = index - p.firstIndex;
    if (p.control == control && offset >= 0 && offset < p.count) {
      const int row = offset / p.perRow;
      const int column = offset % p.perRow;
      return {p.left + p.columnStep * column, p.top + p.rowStep * row, p.width, p.height};
    }
  }
  throw std::out_of_range("no such control in the form");
}

const KeyboardOrderList& KeyboardOrder() {
  return Order;
}
