#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "form/problem_text.h"
#include "form/teacher_sheet.h"
#include "window/blendora.h"
#include "window/practice_window.h"
#include "window/screen_reader.h"
#include "window/solution_window.h"
#include "window/teacher_sheet_pdf.h"
#include "window/texts.h"

Q_DECLARE_METATYPE(Level)

namespace {

QString Spoken(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// Blanks of any kind and number as one space: pdftotext breaks lines where the page does.
QString Simplified(const QString& text) {
  return text.simplified();
}

// The PDF's pages as pdftotext lays them out.
QStringList PdfPages(const QString& path) {
  QProcess pdftotext;
  pdftotext.start("pdftotext", {"-layout", path, "-"});
  if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0) {
    return {};
  }
  // Each page ends in a form feed, the last too.
  return QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
}

qsizetype PageOf(const QStringList& pages, const QString& text) {
  for (qsizetype page = 0; page < pages.size(); ++page) {
    if (Simplified(pages[page]).contains(text)) {
      return page;
    }
  }
  return -1;
}

}  // namespace

class PracticeTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Blendora> window_;

  const PracticeWindow::Controls& p() const { return window_->practiceWindow()->controls(); }
  const Blendora::Controls& c() const { return window_->controls(); }

  // F2 from a cell of the main window, and the practice that opens beside it with the focus in
  // the problem.
  PracticeWindow* pressF2In(QWidget* focus) {
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F2);
    PracticeWindow* practice = window_->practiceWindow();
    const bool focused = practice != nullptr && QTest::qWaitFor([&practice] {
                           return QApplication::focusWidget() == practice->controls().problem;
                         });
    return focused ? practice : nullptr;
  }

  void answer(const QStringList& answers) {
    for (qsizetype box = 0; box < answers.size(); ++box) {
      p().answers[box]->setFocus();
      p().answers[box]->selectAll();
      QTest::keyClicks(p().answers[box], answers[box]);
    }
  }

  // The right answers, as the problem holds them.
  // The numbers alone, which the keys type; a ratio as the key gives it.
  QStringList rightAnswers() const {
    const Problem& problem = window_->practiceWindow()->practice().Current();
    if (problem.asked == Asked::Ratio) {
      return {ToQString(Texts::BoxAnswers(problem).front())};
    }
    QStringList answers;
    for (const Column column : problem.sought) {
      answers << ToQString(problem.Value(column).Text());
    }
    return answers;
  }

  QStringList shownLines() const { return p().solution->toPlainText().split(u'\n'); }

 private slots:
  void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

  void init() {
    window_ = std::make_unique<Blendora>();
    window_->setFaultReporter([](QWidget*, const QString& message) { QFAIL(qPrintable(message)); });
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() { window_.reset(); }

  void f2OpensThePracticeBesideTheWindowAndEscClosesIt() {
    QVERIFY(window_->practiceWindow() == nullptr);  // nothing of it before the first F2
    QLineEdit* cell = c().Text2[1];
    PracticeWindow* practice = pressF2In(cell);
    QVERIFY(practice != nullptr);
    QCOMPARE(practice->windowTitle(), QString("Задачи"));
    QVERIFY(!practice->isModal());
    QVERIFY(window_->isEnabled());
    QCOMPARE(Spoken(p().problem), QString("Задача 1"));
    QVERIFY(p().problem->isReadOnly());
    QTest::keyClick(p().problem, Qt::Key_Escape);
    QTRY_VERIFY(!practice->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), cell);
    // Told of under the step-by-step solution, and opened from its window too.
    cell->setFocus();
    QTest::keyClick(cell, Qt::Key_F1);
    SolutionWindow* solution = window_->solutionWindow();
    QTRY_COMPARE(QApplication::focusWidget(), solution->text());
    const QLabel* practiceKey = solution->findChild<QLabel*>();
    QVERIFY(practiceKey != nullptr && practiceKey->isVisible());
    QCOMPARE(practiceKey->text(), QString("F2: задачи за упражнение"));
    QTest::keyClick(solution->text(), Qt::Key_F2);
    QTRY_COMPARE(QApplication::focusWidget(), p().problem);
    QCOMPARE(window_->practiceWindow(), practice);
  }

  // Each way to another problem shows the model's problem for the new place on the sheet.
  void everyProblemIsTheModelsForItsPlace_data() {
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<Level>("level");
    QTest::addColumn<int>("place");
    QTest::newRow("at first") << "" << 1 << Level::Two << 0;
    QTest::newRow("Нова задача") << "new" << 1 << Level::Two << 1;
    QTest::newRow("Ниво 3") << "level 2" << 1 << Level::Three << 0;
    QTest::newRow("Смесени") << "level 3" << 1 << Level::Mixed << 0;
    QTest::newRow("Друг лист") << "sheet" << 2 << Level::Two << 0;
  }

  void everyProblemIsTheModelsForItsPlace() {
    QFETCH(QString, press);
    QFETCH(int, sheet);
    QFETCH(Level, level);
    QFETCH(int, place);
    QVERIFY(pressF2In(c().Text2[0]) != nullptr);
    if (press == "new") {
      QTest::mouseClick(p().newProblem, Qt::LeftButton);
    } else if (press.startsWith("level")) {
      QTest::mouseClick(p().levels[press.back().digitValue()], Qt::LeftButton);
    } else if (press == "sheet") {
      QTest::mouseClick(p().otherSheet, Qt::LeftButton);
    }
    const Problem problem = MakeProblem(sheet, level, place);
    QCOMPARE(p().problem->toPlainText(), ToQString(Texts::ProblemText(problem)));
    QCOMPARE(p().heading->text(), u"Задача %1"_qs.arg(place + 1));
    QCOMPARE(p().sheetTitle->text(), ToQString(MakeTeacherSheet(sheet, level, 4).title));
    const std::vector<Column> boxes = BoxesOf(problem);
    QCOMPARE(p().answers.size(), qsizetype(boxes.size()));
    for (qsizetype box = 0; box < p().answers.size(); ++box) {
      const Column column = boxes[std::size_t(box)];
      QCOMPARE(Spoken(p().answers[box]), ToQString(Texts::AnswerLabel(problem, column)));
    }
    QVERIFY(p().feedback->text().isEmpty());
    QVERIFY(!p().solution->isVisible());
    QVERIFY(!p().intoGrid->isVisible());
  }

  void aPupilIsToldWrongGivenHintsAndCountedRight() {
    QVERIFY(pressF2In(c().Text2[0]) != nullptr);  // sheet 1, Ниво 2: one answer, 12 кг
    auto* announcer = window_->practiceWindow()->findChild<Announcer*>();
    answer({"8"});
    QTest::keyClick(p().answers[0], Qt::Key_Return);
    QVERIFY2(p().feedback->text().startsWith("Не е вярно"), qPrintable(p().feedback->text()));
    QCOMPARE(announcer->accessibleName(), p().feedback->text());
    QCOMPARE(QApplication::focusWidget(), p().answers[0]);
    QVERIFY(!p().intoGrid->isVisible());

    QTest::mouseClick(p().hint, Qt::LeftButton);
    QVERIFY(p().solution->isVisible());
    const QStringList first = shownLines();
    QCOMPARE(first.first(), QString("Решение"));
    QVERIFY2(first[1].endsWith("?"), qPrintable(first[1]));
    QTest::mouseClick(p().hint, Qt::LeftButton);
    const QStringList second = shownLines();
    QVERIFY(second.size() > first.size());
    QCOMPARE(second.mid(0, first.size()), first);
    QCOMPARE(p().solution->textCursor().position(), 0);  // reading starts at the top
    QVERIFY(!second.join(u'\n').contains("Отговор:"));   // hints stop short of the answer

    answer(rightAnswers());
    QTest::mouseClick(p().check, Qt::LeftButton);
    QCOMPARE(p().feedback->text(), QString("Вярно!"));
    QCOMPARE(announcer->accessibleName(), QString("Вярно!"));
    QCOMPARE(p().tally->text(), QString("Решени задачи: 1, от тях с подсказка: 1."));
    QVERIFY(p().intoGrid->isVisible());
    QTest::mouseClick(p().newProblem, Qt::LeftButton);
    answer(rightAnswers());
    QTest::keyClick(p().answers[0], Qt::Key_Enter);
    QCOMPARE(p().tally->text(), QString("Решени задачи: 2, от тях с подсказка: 1."));
  }

  void theWholeSolutionLeavesTheFocusInItAndOffersTheGrid() {
    QVERIFY(pressF2In(c().Text2[0]) != nullptr);
    p().showSolution->setFocus();
    QTest::keyClick(p().showSolution, Qt::Key_Space);
    const QStringList lines = shownLines();
    QVERIFY(lines[lines.size() - 2].startsWith("Отговор:"));
    QVERIFY(lines.last().startsWith("Провери с Blendora („Вариант "));
    QVERIFY(!p().hint->isEnabled());
    QVERIFY(!p().showSolution->isEnabled());
    QCOMPARE(QApplication::focusWidget(), p().solution);
    QVERIFY(p().intoGrid->isVisible());
    QCOMPARE(p().tally->text(), QString("Решени задачи: 0, от тях с подсказка: 0."));
  }

  // The variant, the givens as typed and the results, whatever the grid held before.
  void intoTheGridFillsTheProblemsRowAndCalculates_data() {
    QTest::addColumn<Level>("level");
    QTest::newRow("Ниво 2, one answer") << Level::Two;
    QTest::newRow("Ниво 3, a ratio") << Level::Three;
  }

  void intoTheGridFillsTheProblemsRowAndCalculates() {
    QFETCH(Level, level);
    QTest::mouseClick(c().Option1[3], Qt::LeftButton);
    c().Text2[18]->setFocus();
    QTest::keyClicks(c().Text2[18], "55");
    QVERIFY(pressF2In(c().Text2[18]) != nullptr);
    QTest::mouseClick(p().levels[std::size_t(level)], Qt::LeftButton);
    answer(rightAnswers());
    QTest::mouseClick(p().check, Qt::LeftButton);
    QTest::mouseClick(p().intoGrid, Qt::LeftButton);

    const Problem& problem = window_->practiceWindow()->practice().Current();
    const QString separator = ToQString(window_->worksheet().DecimalSeparator());
    QCOMPARE(window_->worksheet().CurrentVariant(), problem.variant);
    QVERIFY(c().Option1[problem.variant]->isChecked());
    for (int column = 0; column < ColumnCount; ++column) {
      const QString value = ToQString(problem.Value(Column(column)).Text()).replace(",", separator);
      QCOMPARE(c().Text2[6 * problem.variant + column]->text(), value);
    }
    QVERIFY(c().Text2[18]->text().isEmpty() || problem.variant == 3);
    QVERIFY(!c().Text2[6 * problem.variant + problem.sought.front()]->toolTip().isEmpty());
  }

  void theKeyboardGoesTopToBottom() {
    QVERIFY(pressF2In(c().Text2[0]) != nullptr);
    QTest::mouseClick(p().levels[2], Qt::LeftButton);
    QTest::mouseClick(p().newProblem, Qt::LeftButton);  // Ниво 3, the second: two answer boxes
    QTRY_VERIFY(p().answers[1]->isVisible());
    p().problem->setFocus();
    const QList<QWidget*> forward = {p().answers[0], p().answers[1],   p().check,
                                     p().hint,       p().showSolution, p().otherSheet,
                                     p().count,      p().savePdf,      p().levels[2]};
    for (QWidget* next : forward) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
    QTest::keyClick(p().levels[2], Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), p().newProblem);
    // The arrow keys choose the level, and the new problem's boxes stay in their place.
    QTest::keyClick(p().newProblem, Qt::Key_Backtab);
    QTest::keyClick(p().levels[2], Qt::Key_Left);
    QCOMPARE(window_->practiceWindow()->practice().Source().level, Level::Two);
    QCOMPARE(QApplication::focusWidget(), p().levels[1]);
    QTRY_VERIFY(p().answers[0]->isVisible());
    p().problem->setFocus();
    QTest::keyClick(p().problem, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), p().answers[0]);
    const std::size_t boxes = window_->practiceWindow()->practice().Current().sought.size();
    QWidget* last = p().answers[boxes - 1];
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), p().check);
  }

  // The same problems as on the page for a number and a level, then the key on a page of its
  // own, read back from the PDF as text.
  void theSheetIsWrittenAsAnA4Pdf_data() {
    QTest::addColumn<int>("sheet");
    QTest::addColumn<Level>("level");
    QTest::addColumn<int>("count");
    QTest::newRow("17, Ниво 2, 7") << 17 << Level::Two << 7;
    QTest::newRow("3, Смесени, 12") << 3 << Level::Mixed << 12;
    QTest::newRow("999999, Ниво 1, 5") << 999999 << Level::One << 5;
    // Problem 5 would be split, and those after it laid out again.
    QTest::newRow("39, Смесени, 12") << 39 << Level::Mixed << 12;
    QTest::newRow("100, Ниво 1, 12") << 100 << Level::One << 12;
  }

  void theSheetIsWrittenAsAnA4Pdf() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
      QSKIP("pdftotext, which reads the PDF back, is not on this system");
    }
    QFETCH(int, sheet);
    QFETCH(Level, level);
    QFETCH(int, count);
    const TeacherSheet written = MakeTeacherSheet(sheet, level, count);
    const QTemporaryDir folder;
    const QString path = folder.filePath("list.pdf");
    QVERIFY(WriteTeacherSheetPdf(written, path));

    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {path});
    QVERIFY(pdfinfo.waitForFinished());
    QVERIFY(QString::fromUtf8(pdfinfo.readAllStandardOutput()).contains("595 x 842 pts (A4)"));
    const QStringList pages = PdfPages(path);
    QVERIFY(!pages.isEmpty());
    QVERIFY(Simplified(pages[0]).startsWith(ToQString(written.title)));
    qsizetype lastProblemPage = 0;
    for (std::size_t i = 0; i < written.problems.size(); ++i) {
      const QString numbered = QString::number(i + 1) + ". " + ToQString(written.problems[i]);
      // One split over two pages is found whole on neither.
      const qsizetype page = PageOf(pages, numbered);
      QVERIFY2(page >= 0, qPrintable(numbered + "\n" + pages.join("\n=== page ===\n")));
      QVERIFY(page >= lastProblemPage);
      lastProblemPage = page;
    }
    // Every page, the key's too, ends in its number.
    for (qsizetype page = 0; page < pages.size(); ++page) {
      QCOMPARE(Simplified(pages[page]).split(u' ').last(), QString::number(page + 1));
    }
    const qsizetype keyPage = PageOf(pages, ToQString(written.keyTitle));
    QVERIFY2(keyPage > lastProblemPage, qPrintable(pages.join("\n=== page ===\n")));
    // A row of the key on a line of its own, its cells in the heading's order.
    const QString key = pages.mid(keyPage).join(u'\n');
    for (const TeacherSheet::KeyRow& row : written.key) {
      QStringList cells;
      for (const std::string& cell : row.cells) {
        cells << QRegularExpression::escape(ToQString(cell)).replace("\\ ", "\\s*");
      }
      const QRegularExpression line(u"(?m)^\\s*"_qs + cells.join("\\s+"));
      QVERIFY2(line.match(key).hasMatch(), qPrintable(cells.join(" | ") + "\n" + key));
    }
    QVERIFY(Simplified(key).contains(ToQString(written.keyNote)));
  }

  void theSheetIsThePracticesNumberLevelAndCount() {
    QVERIFY(pressF2In(c().Text2[0]) != nullptr);
    QCOMPARE(p().count->value(), 7);
    QCOMPARE(p().count->minimum(), 4);
    QCOMPARE(p().count->maximum(), 12);
    QTest::mouseClick(p().otherSheet, Qt::LeftButton);
    QTest::mouseClick(p().levels[3], Qt::LeftButton);
    p().count->setValue(5);
    const TeacherSheet sheet = window_->practiceWindow()->sheet();
    const TeacherSheet expected = MakeTeacherSheet(2, Level::Mixed, 5);
    QCOMPARE(sheet.title, expected.title);
    QCOMPARE(sheet.problems, expected.problems);
    // Saved where the teacher says, under the name proposed for the sheet, or typed without
    // ".pdf".
    const QTemporaryDir folder;
    QString proposed;
    QTimer::singleShot(0, [&proposed, &folder] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
      dialog->selectFile(folder.filePath("лист"));
      static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
    });
    QTest::mouseClick(p().savePdf, Qt::LeftButton);
    QCOMPARE(proposed, QString("list-2.pdf"));
    QVERIFY(QFileInfo(folder.filePath("лист.pdf")).size() > 0);
    // A file that cannot be opened, or filled, is told, not taken for written.
    QVERIFY(!WriteTeacherSheetPdf(sheet, folder.path()));
#ifdef Q_OS_LINUX
    QVERIFY(!WriteTeacherSheetPdf(sheet, "/dev/full"));
#endif
  }
};

QTEST_MAIN(PracticeTest)
#include "practice_test.moc"
