#include <gtest/gtest.h>

#include <string>

#include "form/problem_text.h"
#include "problems/problem.h"
#include "reader/reader.h"
#include "tests/problem_where.h"

namespace {

constexpr std::int32_t SheetsRead = 300;

// What the practice writes, the reader reads back as the same problem.
TEST(ReaderTest, ReadsBackEveryProblemThePracticeWrites) {
  int wrong = 0;
  for (std::int32_t sheet = 1; sheet <= SheetsRead; ++sheet) {
    for (const Level level : Levels) {
      for (std::int32_t place = 0; place < MaxSheetSize; ++place) {
        const Problem problem = MakeProblem(sheet, level, place);
        const Reading reading = ReadProblem(Texts::ProblemText(problem));
        const bool same = reading.problem && IsSameProblem(*reading.problem, problem) &&
                          reading.problem->sought == problem.sought;
        if (!same && ++wrong <= 20) {
          ADD_FAILURE() << Where(problem) << "doubt "
                        << (reading.doubt ? static_cast<int>(*reading.doubt) : -1) << ", kind "
                        << (reading.problem ? static_cast<int>(reading.problem->kind) : -1)
                        << " for " << static_cast<int>(problem.kind);
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

}  // namespace
