#include "reader/arithmetic.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

// ---------------------------------------------------------------- numbers and units

// A decimal as a fraction: 12,5 is 125 : 10.
Fraction FractionOf(const Decimal& value) {
  Fraction::Int scale = 1;
  for (std::int32_t p = 0; p < std::abs(value.places); ++p) {
    scale *= 10;
  }
  return value.places >= 0 ? Fraction::Of(value.digits, scale)
                           : Fraction(value.digits) * Fraction::Of(scale, 1);
}

namespace {

// What a unit is worth in grams, in litres or in per cent.
struct UnitSize {
  bool volume;
  Fraction size;
};

UnitSize SizeOf(WrittenUnit unit) {
  switch (unit) {
    case WrittenUnit::Gram:
      return {false, 1};
    case WrittenUnit::Kilogram:
      return {false, 1000};
    case WrittenUnit::Tonne:
      return {false, 1000000};
    case WrittenUnit::Millilitre:
      return {true, Fraction::Of(1, 1000)};
    case WrittenUnit::Litre:
      return {true, 1};
    case WrittenUnit::Percent:
      return {false, 1};
  }
  throw std::invalid_argument("no such unit");
}

// The balances solved for the variant's results; inexact where they have none.
std::array<Fraction, ColumnCount> Balanced(VariantIndex variant,
                                           std::array<Fraction, ColumnCount> v) {
  Fraction& p1 = v[Percent1];
  Fraction& w1 = v[Weight1];
  Fraction& p2 = v[Percent2];
  Fraction& w2 = v[Weight2];
  Fraction& pm = v[MixPercent];
  Fraction& wm = v[MixWeight];
  switch (variant) {
    case 0:
      wm = w1 + w2;
      pm = (w1 * p1 + w2 * p2) / wm;
      break;
    case 1:
      w2 = w1 * (p1 - pm) / (pm - p2);
      wm = w1 + w2;
      break;
    case 2:
      w2 = wm - w1;
      pm = (w1 * p1 + w2 * p2) / wm;
      break;
    case 3:
      wm = w1 + w2;
      p2 = (wm * pm - w1 * p1) / w2;
      break;
    case 4:
      w1 = w2 * (pm - p2) / (p1 - pm);
      wm = w1 + w2;
      break;
    case 5:
      w2 = wm - w1;
      p2 = (wm * pm - w1 * p1) / w2;
      break;
    default:
      w1 = wm * (pm - p2) / (p1 - p2);
      w2 = wm - w1;
      break;
  }
  return v;
}

}  // namespace

WrittenUnit WrittenOf(Unit unit) {
  constexpr std::array<WrittenUnit, 4> ByUnit = {WrittenUnit::Gram, WrittenUnit::Kilogram,
                                                 WrittenUnit::Litre, WrittenUnit::Percent};
  return ByUnit[static_cast<std::size_t>(unit)];
}

// A mass in another unit of its measure; water's litres are kilograms. None across measures.
std::optional<Fraction> Converted(Fraction value, WrittenUnit from, WrittenUnit to, bool water) {
  UnitSize source = SizeOf(from);
  UnitSize target = SizeOf(to);
  if (source.volume != target.volume) {
    if (!water) {
      return std::nullopt;
    }
    // A litre of water is a kilogram.
    source = {false, source.volume ? source.size * 1000 : source.size};
    target = {false, target.volume ? target.size * 1000 : target.size};
  }
  return value * source.size / target.size;
}

std::optional<Tenths> TenthsOf(const Fraction& value) {
  const Fraction tenths = value * 10;
  if (!tenths.IsWhole() || tenths.Numerator() > INT64_MAX || tenths.Numerator() < -INT64_MAX) {
    return std::nullopt;
  }
  return Tenths{static_cast<std::int64_t>(tenths.Numerator())};
}

// ---------------------------------------------------------------- solving

// The two results of a variant from its four givens, exactly, by the two balances
// w1 + w2 = wm and w1 · p1 + w2 · p2 = wm · pm.
std::optional<std::array<Fraction, ColumnCount>> Solved(
    VariantIndex variant, const std::array<Fraction, ColumnCount>& v) {
  return Exactly([&] { return Balanced(variant, v); });
}

bool IsBetween(const Fraction& value, const Fraction& a, const Fraction& b) {
  return (a < value && value < b) || (b < value && value < a);
}

// A real mixture: percentages from 0 to 100, the mixture strictly between its parts, masses
// above zero, but for water that leaves.
bool IsReal(const std::array<Fraction, ColumnCount>& v, bool leaves, bool byPrice) {
  for (const Column column : {Percent1, Percent2, MixPercent}) {
    if (v[column] < 0 || (v[column] > 100 && !byPrice)) {
      return false;
    }
  }
  const bool masses =
      v[Weight1] > 0 && v[MixWeight] > 0 && (leaves ? v[Weight2] < 0 : v[Weight2] > 0);
  const bool between =
      leaves ? v[MixPercent] > v[Percent1] : IsBetween(v[MixPercent], v[Percent1], v[Percent2]);
  return masses && between;
}
