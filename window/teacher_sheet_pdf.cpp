#include "window/teacher_sheet_pdf.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "window/texts.h"

namespace {

// Room to solve a problem in, about 4 cm, as an empty paragraph of its own: Qt keeps a margin
// below the last problem over the page break, which would push the key down its page.
constexpr int SolvingRoomPixels = 150;

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

}  // namespace

bool WriteTeacherSheetPdf(const TeacherSheet& sheet, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  {
    QPdfWriter pdf(&file);
    // QTextDocument::print keeps margins of 2 cm inside the page, and numbers the pages there.
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(ToQString(sheet.title));
    pdf.setCreator(ToQString(Texts::Title));
    QTextDocument document;
    document.setDefaultFont(QFont("Times New Roman", 12));
    document.setHtml(SheetHtml(sheet));
    document.print(&pdf);
  }
  file.close();
  return file.error() == QFileDevice::NoError;
}
