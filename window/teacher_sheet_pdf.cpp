#include "window/teacher_sheet_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "window/texts.h"

namespace {

// Room to solve a problem in, about 4 cm, as an empty paragraph of its own: Qt keeps a margin
// below the last problem over the page break, which would push the key down its page.
constexpr int SolvingRoomPixels = 150;

// The title and the pupil's line come first, then each problem's paragraph and its room.
constexpr int FirstProblemBlock = 2;
constexpr int BlocksPerProblem = 2;

// Around the text on every page, as QTextDocument::print keeps it.
constexpr qreal MarginInches = 2 / 2.54;

QString Escaped(std::string_view text) {
  return ToQString(text).toHtmlEscaped();
}

QString ProblemsHtml(const TeacherSheet& sheet) {
  const QString room =
      QString(R"(<p style="margin-top: %1px; margin-bottom: 0">&nbsp;</p>)").arg(SolvingRoomPixels);
  QString html;
  for (std::size_t i = 0; i < sheet.problems.size(); ++i) {
    html +=
        u"<p><b>%1.</b> %2</p>"_qs.arg(QString::number(i + 1), Escaped(sheet.problems[i])) + room;
  }
  return html;
}

QString KeyRowHtml(const std::array<std::string, 9>& cells, const std::array<bool, 9>& bold,
                   std::string_view tag) {
  QString row = "<tr>";
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const QString cell = bold[i] ? "<b>" + Escaped(cells[i]) + "</b>" : Escaped(cells[i]);
    row += u'<' + ToQString(tag) + u'>' + cell + "</" + ToQString(tag) + u'>';
  }
  return row + "</tr>";
}

QString KeyHtml(const TeacherSheet& sheet) {
  QString html =
      R"(<h2 style="page-break-before: always">)" + Escaped(sheet.keyTitle) + "</h2>" +
      R"(<table border="1" cellspacing="0" cellpadding="3" width="100%" style="font-size: 10pt">)" +
      KeyRowHtml(sheet.keyHeading, {}, "th");
  for (const TeacherSheet::KeyRow& row : sheet.key) {
    html += KeyRowHtml(row.cells, row.sought, "td");
  }
  return html + "</table><p>" + Escaped(sheet.keyNote) + "</p>";
}

QString SheetHtml(const TeacherSheet& sheet) {
  return "<h1>" + Escaped(sheet.title) + "</h1><p>" + Escaped(sheet.pupilLine) + "</p>" +
         ProblemsHtml(sheet) + KeyHtml(sheet);
}

// The part of a page the text fills, in the writer's pixels.
QRectF TextArea(const QPdfWriter& pdf) {
  const qreal x = MarginInches * pdf.logicalDpiX();
  const qreal y = MarginInches * pdf.logicalDpiY();
  return QRectF(0, 0, pdf.width(), pdf.height()).adjusted(x, y, -x, -y);
}

// Measured with the writer's fonts, on pages of the text area's size.
void LayOutOnPages(QTextDocument& document, QPdfWriter& pdf) {
  document.documentLayout()->setPaintDevice(&pdf);
  document.setDocumentMargin(0);
  document.setPageSize(TextArea(pdf).size());
}

int PageAt(const QTextDocument& document, qreal y) {
  return int(y / document.pageSize().height());
}

// From the problem's text to the foot of its room; a room ending at the foot of a page is on it.
bool RunsOverAPage(const QTextDocument& document, const QTextBlock& problem) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const qreal top = layout->blockBoundingRect(problem).top();
  const qreal bottom = layout->blockBoundingRect(problem.next()).bottom();
  return PageAt(document, top) != PageAt(document, bottom - 1);
}

// A problem that would run over the foot of a page starts the next one, with its room below it.
// The problems after it move with it, so each is measured after the one before has moved. The
// whole document is laid out anew each time: laid out only from the moved problem on, the key's
// title and note came out empty.
void KeepProblemsWhole(QTextDocument& document, std::size_t count) {
  QTextBlockFormat breakBefore;
  breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  for (std::size_t i = 0; i < count; ++i) {
    const QTextBlock problem =
        document.findBlockByNumber(FirstProblemBlock + BlocksPerProblem * int(i));
    if (RunsOverAPage(document, problem)) {
      QTextCursor(problem).mergeBlockFormat(breakBefore);
      document.markContentsDirty(0, document.characterCount());
    }
  }
}

// Below the text's right edge, as QTextDocument::print puts it.
void PaintPageNumber(QPainter& painter, const QRectF& area, int number) {
  const QString text = QString::number(number);
  const QFontMetricsF metrics = painter.fontMetrics();
  const qreal gap = 5 * painter.device()->logicalDpiY() / 72.0;
  painter.drawText(QPointF(area.right() - metrics.horizontalAdvance(text),
                           area.bottom() + metrics.ascent() + gap),
                   text);
}

void PaintPage(QPainter& painter, const QTextDocument& document, const QRectF& area, int page) {
  const QRectF view(QPointF(0, page * area.height()), area.size());
  painter.save();
  painter.translate(area.left(), area.top() - view.top());
  painter.setClipRect(view);
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = view;
  context.palette.setColor(QPalette::Text, Qt::black);  // not the desktop's text colour
  document.documentLayout()->draw(&painter, context);
  painter.restore();
  PaintPageNumber(painter, area, page + 1);
}

// Not QTextDocument::print: it lays out a copy of its own, where the breaks above need not hold.
void PrintPages(const QTextDocument& document, QPdfWriter& pdf) {
  QPainter painter(&pdf);
  painter.setFont(document.defaultFont());
  for (int page = 0; page < document.pageCount(); ++page) {
    if (page > 0) {
      pdf.newPage();
    }
    PaintPage(painter, document, TextArea(pdf), page);
  }
}

}  // namespace

bool WriteTeacherSheetPdf(const TeacherSheet& sheet, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  {
    QPdfWriter pdf(&file);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(ToQString(sheet.title));
    pdf.setCreator(ToQString(Texts::Title));
    QTextDocument document;
    LayOutOnPages(document, pdf);
    document.setDefaultFont(QFont("Times New Roman", 12));
    document.setHtml(SheetHtml(sheet));
    KeepProblemsWhole(document, sheet.problems.size());
    PrintPages(document, pdf);
  }
  file.close();
  return file.error() == QFileDevice::NoError;
}
