#pragma once
// The form description as JSON, which the build writes the page's markup from, and the few JSON
// writers that the module's cell states use too.
#include <string>
#include <string_view>

#include "form/layout.h"
#include "worksheet/solution.h"

// A JSON string: quotes, backslashes and control characters escaped, all else as it is.
std::string Quoted(std::string_view text);
std::string Boolean(bool value);
std::string Colour(Rgb colour);  // "#rrggbb"

// A JSON array of write(i) for i from 0 to count - 1.
template <typename Write>
std::string Array(int count, Write write) {
  std::string list = "[";
  for (int i = 0; i < count; ++i) {
    list += (i > 0 ? "," : "") + write(i);
  }
  return list + ']';
}

// A JSON object, its members written as name, value, name, value …
class Object {
 public:
  Object& Add(std::string_view name, const std::string& value) {
    text_ += (text_.size() > 1 ? "," : "") + Quoted(name) + ':' + value;
    return *this;
  }
  std::string Text() const { return text_ + '}'; }

 private:
  std::string text_ = "{";
};

// Everything the page draws: the texts, every control's twip rectangle by control array, the
// colours and the keyboard order as {"array", "index"} pairs.
std::string FormDescription();

// The row's step-by-step solution for the page: {"lines": [...], "picture": null or {"width",
// "height", "ink", "boxes": [[left, top, width, height, fill, hatched], ...], "labels": [[left,
// baseline, text], ...], "description"}}.
std::string SolutionJson(const RowSolution& solution, std::string_view decimalSeparator);
