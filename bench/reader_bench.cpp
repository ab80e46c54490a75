// The reader of a pupil's own problem on the longest text it reads, 10 000 characters: a problem
// pasted again and again, a problem in a long story, and ASCII noise.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "form/my_problem.h"
#include "reader/reader.h"

namespace {

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  }
  return count;
}

// `start`, then `filler` again and again up to MaxTextLength characters, whole letters only.
std::string Filled(std::string_view start, std::string_view filler) {
  std::string text(start);
  while (CharacterCount(text) < MaxTextLength) {
    text += filler;
  }
  while (CharacterCount(text) > MaxTextLength) {
    do {
      text.pop_back();
    } while ((static_cast<unsigned char>(text.back()) & 0xC0) == 0x80);
  }
  return text;
}

std::string TextOf(std::int64_t which) {
  constexpr std::string_view Problem =
      "Задача 5. (2 т.) Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да "
      "се получи 8% разтвор? А) 50 г Б) 100 г В) 200 г Г) 400 г\n";
  constexpr std::string_view Story =
      "Пресните гъби съдържат 90% вода, а сушените – 12%. Колко килограма сушени гъби ще се "
      "получат от 44 кг пресни гъби? ";
  constexpr std::string_view Prose =
      "Това е дълъг разказ за един ученик от гр. Пловдив, който обича задачи. ";
  switch (which) {
    case 0:
      return Filled(Problem, Problem);
    case 1:
      return Filled(Story, Prose);
    default:
      return Filled("", "q7;{x=1%~ ");
  }
}

void BM_ReadProblem(benchmark::State& state) {
  const std::string text = TextOf(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadProblem(text));
  }
}
BENCHMARK(BM_ReadProblem)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_MyProblemRead(benchmark::State& state) {
  const std::string text = TextOf(state.range(0));
  for (auto _ : state) {
    MyProblem mine;
    mine.Read(text);
    benchmark::DoNotOptimize(mine.Shown());
  }
}
BENCHMARK(BM_MyProblemRead)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
