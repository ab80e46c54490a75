#pragma once

#include <string>
#include <string_view>

#include "worksheet/solver.h"
#include "worksheet/variants.h"

// How a step found its value, in the order and grouping the solver computed it, with the
// numbers written as the cells write them:
// "Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300".
std::string ExplainStep(const Step& step, const MixtureValues& values,
                        std::string_view decimalSeparator);
