// The teacher's sheet, for the page: a module of its own, which the page fetches when the sheet is
// first asked for, as a pupil's visit needs none of it. A C interface that practice.js calls; the
// sheet travels as JSON, valid until the next call. A level is its place in Levels.
#include <emscripten/emscripten.h>

#include <optional>

#include "form/teacher_sheet.h"
#include "web/form_json.h"

extern "C" {

// The teacher's sheet as JSON (see TeacherSheetJson); empty for a sheet or count there is none of.
EMSCRIPTEN_KEEPALIVE const char* blendora_teacher_sheet(int sheet, int level, int count) {
  const std::optional<Level> chosen = LevelAt(level);
  if (!chosen || !IsSheet(sheet, count)) {
    return Answer({});
  }
  return Answer(TeacherSheetJson(MakeTeacherSheet(sheet, *chosen, count)));
}

}  // extern "C"
