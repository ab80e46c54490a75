// Each conversion is measured beside the standard library call it is built on, in the same
// run and on the same inputs, so the table compares like with like.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "worksheet/worksheet.h"

namespace {

constexpr std::array<std::string_view, 6> Texts = {"30",    "200",  "33.3333333333333",
                                                   "1E-05", "-400", "0.125"};
constexpr std::array<double, 6> Values = {30, 200, 100.0 / 3, 0.00001, -400, 0.125};

// "Вариант 2" with the assignment's givens, ready to calculate.
Worksheet Variant2() {
  Worksheet sheet;
  sheet.SelectVariant(1);
  for (const auto& [cell, text] : std::array<std::pair<CellIndex, const char*>, 4>{
           {{6, "30"}, {7, "200"}, {8, "40"}, {10, "36"}}}) {
    sheet.SetCellText(cell, text);
  }
  return sheet;
}

void BM_Calculate(benchmark::State& state) {
  Worksheet sheet = Variant2();
  for (auto _ : state) {
    sheet.Calculate();
    benchmark::DoNotOptimize(sheet.CellText(9).data());
  }
}
BENCHMARK(BM_Calculate);

// The derivation in exact fractions, which a face asks for after Calculate.
void BM_Solution(benchmark::State& state) {
  Worksheet sheet = Variant2();
  sheet.Calculate();
  for (auto _ : state) {
    benchmark::DoNotOptimize(sheet.Solution());
  }
}
BENCHMARK(BM_Solution);

void BM_ParseCellNumber(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view text : Texts) {
      benchmark::DoNotOptimize(ParseCellNumber(text, "."));
    }
  }
}
BENCHMARK(BM_ParseCellNumber);

void BM_StdFromChars(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view text : Texts) {
      double value = 0;
      std::from_chars(text.data(), text.data() + text.size(), value);
      benchmark::DoNotOptimize(value);
    }
  }
}
BENCHMARK(BM_StdFromChars);

void BM_FormatCellNumber(benchmark::State& state) {
  for (auto _ : state) {
    for (double value : Values) {
      benchmark::DoNotOptimize(FormatCellNumber(value, "."));
    }
  }
}
BENCHMARK(BM_FormatCellNumber);

void BM_StdToChars(benchmark::State& state) {
  for (auto _ : state) {
    for (double value : Values) {
      std::array<char, 32> buffer;
      const auto result =
          std::to_chars(buffer.begin(), buffer.end(), value, std::chars_format::general, 15);
      benchmark::DoNotOptimize(std::string(buffer.data(), result.ptr));
    }
  }
}
BENCHMARK(BM_StdToChars);

}  // namespace

BENCHMARK_MAIN();
