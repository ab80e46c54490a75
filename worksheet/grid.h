#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Indices are 16-bit, as the grid has always been addressed; index arithmetic is checked.
using VariantIndex = std::int16_t;
using CellIndex = std::int16_t;

enum Column : std::uint8_t { Percent1, Weight1, Percent2, Weight2, MixPercent, MixWeight };
inline constexpr std::array<Column, 6> AllColumns = {Percent1, Weight1,    Percent2,
                                                     Weight2,  MixPercent, MixWeight};

inline constexpr VariantIndex VariantCount = 7;
inline constexpr std::int16_t ColumnCount = 6;
inline constexpr CellIndex CellCount = VariantCount * ColumnCount;

inline constexpr std::array<std::string_view, ColumnCount> ColumnHeadings = {
    "% - 1", "Тегло 1", "% - 2", "Тегло 2", "Смес %", "Смес т."};

// Both throw std::out_of_range for an index outside the grid.
void CheckVariant(VariantIndex variant);
void CheckCell(CellIndex cell);

// 6 × variant + column in 16-bit arithmetic; a result that does not fit is an overflow fault.
CellIndex CellOf(VariantIndex variant, Column column);

VariantIndex VariantOf(CellIndex cell);
Column ColumnOf(CellIndex cell);
