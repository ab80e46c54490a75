#include "window/solution_view.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <string>

#include "window/screen_reader.h"
#include "window/texts.h"

namespace {

constexpr qreal ParagraphGap = 6;  // below each paragraph, in pixels
constexpr qreal ColumnGap = 16;    // between a table's columns

using TableRow = std::array<std::string, 4>;

// The cells between tabs: nothing else in a solution holds one.
QString RowText(const TableRow& cells) {
  QStringList texts;
  for (const std::string& cell : cells) {
    texts << ToQString(cell);
  }
  return texts.join(u'\t');
}

// The heading, then the lines with the table's rows in their place.
QStringList Paragraphs(const Texts::SolutionText& solution) {
  QStringList paragraphs = {ToQString(Texts::SolutionHeading)};
  for (std::size_t line = 0; line <= solution.lines.size(); ++line) {
    if (solution.table && line == solution.tableAt) {
      paragraphs << RowText(solution.table->heading);
      for (const TableRow& row : solution.table->rows) {
        paragraphs << RowText(row);
      }
    }
    if (line < solution.lines.size()) {
      paragraphs << ToQString(solution.lines[line]);
    }
  }
  return paragraphs;
}

// Each column starts where the widest cell of the one before it ends.
QList<QTextOption::Tab> ColumnStops(const QStringList& paragraphs, const QFontMetricsF& metrics) {
  QList<qreal> widths(3);
  for (const QString& paragraph : paragraphs) {
    const QStringList cells = paragraph.split(u'\t');
    for (qsizetype column = 0; column + 1 < cells.size() && column < widths.size(); ++column) {
      widths[column] = std::max(widths[column], metrics.horizontalAdvance(cells[column]));
    }
  }
  QList<QTextOption::Tab> stops;
  qreal position = 0;
  for (const qreal width : widths) {
    position += width + ColumnGap;
    stops << QTextOption::Tab(position, QTextOption::LeftTab);
  }
  return stops;
}

}  // namespace

SolutionView::SolutionView(QWidget* parent) : QTextEdit(parent) {
  ReportAsSolution(this);  // before anything makes Qt describe it
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setAccessibleName(ToQString(Texts::SolutionHeading));
  setLineWrapMode(QTextEdit::WidgetWidth);
  setTabChangesFocus(true);
}

void SolutionView::showSolution(const Texts::SolutionText& solution) {
  const QStringList paragraphs = Paragraphs(solution);
  // Each change is an event on the accessibility bus: send only the ones that happened.
  if (paragraphs == shown_) {
    return;
  }
  shown_ = paragraphs;
  clear();
  QTextBlockFormat line;
  line.setBottomMargin(ParagraphGap);
  // A row of the table stays one line, however narrow the window: it is read out as one.
  QTextBlockFormat row = line;
  row.setTabPositions(ColumnStops(paragraphs, QFontMetricsF(font())));
  row.setNonBreakableLines(true);
  QTextCursor cursor(document());
  for (qsizetype i = 0; i < paragraphs.size(); ++i) {
    const QTextBlockFormat& format = paragraphs[i].contains(u'\t') ? row : line;
    if (i == 0) {
      cursor.setBlockFormat(format);
    } else {
      cursor.insertBlock(format);
    }
    cursor.insertText(paragraphs[i]);
  }
  moveCursor(QTextCursor::Start);  // where reading begins, and where a screen reader starts
}
