#include "form/solution_picture.h"

#include <algorithm>
#include <cmath>

#include "form/solution_text.h"

namespace {

constexpr int Margin = 8;
// Narrow enough for a 320-pixel phone at one pixel a pixel, scroll bar and all, so that its labels
// keep their size.
constexpr int PictureWidth = 264;
constexpr int BarsWidth = PictureWidth - 2 * Margin;
constexpr int LegendHeight = 32;
constexpr int RowHeight = 46;
constexpr int BarOffset = 22;  // below the row's top, under its label
constexpr int BarHeight = 18;
constexpr int LegendBox = 16;

struct Bar {
  int left, width;
};

int Scaled(int length, double share) {
  return static_cast<int>(std::lround(length * share));
}

// The two parts end to end over the mixture, each at least a pixel so that it shows.
std::array<Bar, 3> BarsOf(const MixtureValues& values) {
  const double firstShare = values[Weight1] / (values[Weight1] + values[Weight2]);
  const int first = std::clamp(Scaled(BarsWidth, firstShare), 1, BarsWidth - 1);
  return {{{Margin, first}, {Margin + first, BarsWidth - first}, {Margin, BarsWidth}}};
}

void AddBar(SolutionPicture& picture, const Bar& bar, int top, double percent) {
  const int substance = Scaled(bar.width, percent / 100);
  if (substance > 0) {
    picture.boxes.push_back({bar.left, top, substance, BarHeight, Colours::Substance, true});
  }
  if (substance < bar.width) {
    picture.boxes.push_back(
        {bar.left + substance, top, bar.width - substance, BarHeight, Colours::Rest, false});
  }
}

void AddLegend(SolutionPicture& picture) {
  const int baseline = Margin + LegendBox - 3;
  picture.boxes.push_back({Margin, Margin, LegendBox, LegendBox, Colours::Substance, true});
  picture.labels.push_back({Margin + LegendBox + 6, baseline, "чисто вещество"});
  const int rest = 160;  // clear of "чисто вещество"
  picture.boxes.push_back({rest, Margin, LegendBox, LegendBox, Colours::Rest, false});
  picture.labels.push_back({rest + LegendBox + 6, baseline, "останалото"});
}

}  // namespace

std::optional<SolutionPicture> DrawSolution(const RowSolution& solution) {
  if (!solution.IsDrawable()) {
    return std::nullopt;
  }
  SolutionPicture picture{PictureWidth, LegendHeight + 3 * RowHeight, {}, {}, "Модел с отсечки: "};
  AddLegend(picture);
  const std::array<Bar, 3> bars = BarsOf(solution.values);
  for (const Part part : Parts) {
    const auto row = static_cast<std::size_t>(part);
    const int top = LegendHeight + RowHeight * static_cast<int>(row);
    const PartColumns columns = ColumnsOf(part);
    const std::string weight = Texts::ExactNumber(*solution.exact[columns.weight]);
    const std::string amount = Texts::ExactNumber(solution.check.substance[row]);
    picture.labels.push_back(
        {Margin, top + PictureFontPixels,
         std::string(Texts::PartTitle(part)) + ": " + weight + " → " + amount});
    AddBar(picture, bars[row], top + BarOffset, solution.values[columns.percent]);
    picture.description += std::string(row == 0 ? "" : "; ") + std::string(Texts::PartName(part)) +
                           " " + weight + ", от които " + amount +
                           (row == 0 ? " чисто вещество" : "");
  }
  picture.description += ".";
  return picture;
}
