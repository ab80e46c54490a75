#pragma once

#include <QStringList>
#include <QTextEdit>

#include "form/solution_text.h"

// A solution under the heading "Решение" as read-only text to select and copy: a paragraph for
// each line, and the table's rows with their columns at tab stops. A screen reader reads it
// line by line, as a teacher reads the board. The F1 window and the practice's hints show it.
class SolutionView : public QTextEdit {
  Q_OBJECT

 public:
  explicit SolutionView(QWidget* parent);
  void showSolution(const Texts::SolutionText& solution);

 private:
  QStringList shown_;  // the paragraphs as last written, a row's cells between tabs
};
