#pragma once

#include <QString>

#include "form/teacher_sheet.h"

// The teacher's sheet on A4 through Qt's own PDF writer: the title and the pupil's line, the
// problems numbered with room to solve under each, each whole on one page, then, from a new
// page, the key with its sought quantities in bold; the pages numbered at their foot. False where
// the file cannot be written.
bool WriteTeacherSheetPdf(const TeacherSheet& sheet, const QString& path);
