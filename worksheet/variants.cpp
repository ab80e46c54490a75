#include "worksheet/variants.h"

#include <algorithm>

namespace {

constexpr Formula Quantity(Column column) {
  Formula formula;
  formula.tokens[0] = {Operation::Push, column};
  formula.size = 1;
  return formula;
}

constexpr Formula Combine(const Formula& left, Operation operation, const Formula& right) {
  Formula result = left;
  for (std::size_t i = 0; i < right.size; ++i) {
    result.tokens[result.size++] = right.tokens[i];
  }
  result.tokens[result.size++] = {operation, Percent1};
  return result;
}

// Written with C++'s own precedence, the formulas below keep the grouping in which they read.
constexpr Formula operator+(const Formula& a, const Formula& b) {
  return Combine(a, Operation::Add, b);
}
constexpr Formula operator-(const Formula& a, const Formula& b) {
  return Combine(a, Operation::Subtract, b);
}
constexpr Formula operator*(const Formula& a, const Formula& b) {
  return Combine(a, Operation::Multiply, b);
}
constexpr Formula operator/(const Formula& a, const Formula& b) {
  return Combine(a, Operation::Divide, b);
}

constexpr VariantRule MakeRule(const Step& first, const Step& second) {
  VariantRule rule{{}, {first.target, second.target}, {first, second}};
  std::size_t given = 0;
  for (std::int16_t column = 0; column < ColumnCount; ++column) {
    if (column != first.target && column != second.target) {
      rule.givens[given++] = static_cast<Column>(column);
    }
  }
  return rule;
}

constexpr Formula p1 = Quantity(Percent1);
constexpr Formula w1 = Quantity(Weight1);
constexpr Formula p2 = Quantity(Percent2);
constexpr Formula w2 = Quantity(Weight2);
constexpr Formula pm = Quantity(MixPercent);
constexpr Formula wm = Quantity(MixWeight);

constexpr std::array<VariantRule, VariantCount> Rules = {
    MakeRule({MixWeight, w1 + w2, {}},
             {MixPercent, (w1 * p1 + w2 * p2) / wm, "«Тегло 1» и «Тегло 2» дават сбор 0."}),
    MakeRule({Weight2, (w1 * p1 - w1 * pm) / (pm - p2), "«Смес %» е равно на «% - 2»."},
             {MixWeight, w1 + w2, {}}),
    MakeRule({Weight2, wm - w1, {}}, {MixPercent, (w1 * p1 + w2 * p2) / wm, "«Смес т.» е 0."}),
    MakeRule({MixWeight, w1 + w2, {}}, {Percent2, (wm * pm - w1 * p1) / w2, "«Тегло 2» е 0."}),
    MakeRule({Weight1, (w2 * p2 - w2 * pm) / (pm - p1), "«Смес %» е равно на «% - 1»."},
             {MixWeight, w1 + w2, {}}),
    MakeRule({Weight2, wm - w1, {}},
             {Percent2, (wm * pm - w1 * p1) / w2,
              "«Смес т.» е равно на «Тегло 1», така че «Тегло 2» излиза 0."}),
    MakeRule({Weight2, (wm * pm - wm * p1) / (p2 - p1), "«% - 2» е равно на «% - 1»."},
             {Weight1, wm - w2, {}}),
};

}  // namespace

const VariantRule& RuleOf(VariantIndex variant) {
  CheckVariant(variant);
  return Rules[static_cast<std::size_t>(variant)];
}

bool IsResultColumn(VariantIndex variant, Column column) {
  const auto& results = RuleOf(variant).results;
  return std::find(results.begin(), results.end(), column) != results.end();
}
