#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/layout.h"
#include "worksheet/solution.h"

// The mixture as a segment model, in pixels and without a toolkit: three bars one under the
// other, the first part, the second and the mixture, each as long as its weight says (the
// mixture's as long as the other two end to end) and split into its pure substance, hatched,
// and the rest. The faces only draw it: each box filled and outlined, each label in the form's
// font at PictureFontPixels.

inline constexpr int PictureFontPixels = 16;

struct PictureBox {
  int left, top, width, height;
  Rgb fill;
  bool hatched;  // the pure substance: told apart by its pattern, not by colour alone
};

struct PictureLabel {
  int left, baseline;
  std::string text;
};

struct SolutionPicture {
  int width, height;
  std::vector<PictureBox> boxes;
  std::vector<PictureLabel> labels;
  std::string description;  // the same numbers in one sentence, for whoever cannot see it
};

// None where the numbers are no mixture that can be drawn (RowSolution::IsDrawable).
std::optional<SolutionPicture> DrawSolution(const RowSolution& solution);
