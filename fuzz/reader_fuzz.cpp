// Feeds arbitrary text to the reader of a pupil's own problem and checks what must always hold:
// no crash and no hang, every number placed inside the text, an answer only where there is no
// doubt, and every problem it answers a real mixture: both balances hold exactly, and reading it
// again from its numbers' roles gives the same six quantities. Something is always shown.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "form/my_problem.h"
#include "reader/reader.h"

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckBalances(const Reading& reading) {
  const auto& v = reading.values;
  Require(v[Weight1] + v[Weight2] == v[MixWeight]);
  Require(v[Weight1] * v[Percent1] + v[Weight2] * v[Percent2] == v[MixWeight] * v[MixPercent]);
}

void CheckReading(const Reading& reading, std::size_t size) {
  for (const ReadNumber& number : reading.numbers) {
    Require(number.begin <= number.end && number.end <= size);
    Require(number.column.has_value() != !number.aside.empty());
  }
  Require(!reading.doubt || reading.answers.empty());
  if (reading.problem && !reading.doubt) {
    CheckBalances(reading);
    const Reading again = Reread(reading);
    Require(!again.doubt && again.values == reading.values);
  }
  for (const Reading& part : reading.parts) {
    CheckReading(part, size);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  CheckReading(ReadProblem(text), size);
  MyProblem mine;
  mine.Read(text);
  Require(!mine.Shown().lines.empty());
  return 0;
}
