// Prints the form description, for the build to write the page's markup and places from.
#include <cstdio>

#include "web/form_json.h"

int main() {
  // One line, ended, so that emscripten's line-buffered standard output hands it on.
  std::puts(FormDescription().c_str());
  return 0;
}
