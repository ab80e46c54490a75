#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyleFactory>
#include <QTest>
#include <memory>

#include "window/blendora.h"
#include "window/my_problem_window.h"
#include "window/practice_window.h"
#include "window/screen_reader.h"
#include "window/solution_view.h"
#include "window/texts.h"

namespace {

const QString Example =
    u"Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% "
    u"разтвор?"_qs;
// Three parts mixed at once: not one of the shapes.
const QString ThreeParts =
    u"Смесват се 100 г 10% разтвор, 200 г 20% разтвор и 300 г 30% разтвор на сол. Колко "
    u"процента е полученият разтвор?"_qs;
// Two questions on one mixing, each a problem of its own.
const QString SubQuestions =
    u"Смесили 400 г 25% разтвор на сол и 100 г 10% разтвор на сол.\nа) Колко грама сол има в "
    u"новия разтвор?\nб) Каква е концентрацията на новия разтвор?"_qs;

QString Spoken(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// What a screen reader says a control is for: on Linux a combo box's name is its text, and the
// label beside it is told by a relation.
QString LabelOf(QWidget* widget) {
  const auto labels = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
  return labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
}

// "Колко…" as a keyboard with an input method gives it: QTest types Latin-1 only.
void Type(QWidget* widget, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

// What is on the clipboard when a pupil copies from a page: the text, and its markup.
void CopyFromAPage(const QString& text, const QString& html) {
  auto* copied = new QMimeData;
  if (!text.isNull()) {
    copied->setText(text);
  }
  copied->setHtml(html);
  QApplication::clipboard()->setMimeData(copied);
}

QStringList LinesStartingWith(const QStringList& lines, const QString& start) {
  QStringList found;
  for (const QString& line : lines) {
    if (line.startsWith(start)) {
      found << line;
    }
  }
  return found;
}

}  // namespace

class MyProblemTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Blendora> window_;

  MyProblemWindow* mine() const { return window_->myProblemWindow(); }
  const MyProblemWindow::Controls& m() const { return mine()->controls(); }
  const Blendora::Controls& c() const { return window_->controls(); }

  // F3 from a cell of the main window, and the window that opens beside it with the focus in
  // the text box.
  MyProblemWindow* pressF3In(QWidget* focus) {
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F3);
    const bool focused = mine() != nullptr && QTest::qWaitFor([this] {
                           return QApplication::focusWidget() == m().text;
                         });
    return focused ? mine() : nullptr;
  }

  void solve(const QString& text) {
    m().text->setFocus();
    m().text->selectAll();
    Type(m().text, text);
    QTest::mouseClick(m().solve, Qt::LeftButton);
  }

  QStringList resultLines() const { return m().result->toPlainText().split(u'\n'); }

  // The grid as the pupil sees it: the variant chosen and every cell's text.
  QStringList grid() const {
    QStringList cells = {QString::number(window_->worksheet().CurrentVariant())};
    for (const QLineEdit* cell : c().Text2) {
      cells << cell->text();
    }
    return cells;
  }

 private slots:
  void initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

  void init() {
    window_ = std::make_unique<Blendora>();
    window_->setFaultReporter([](QWidget*, const QString& message) { QFAIL(qPrintable(message)); });
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() { window_.reset(); }

  void f3OpensTheWindowBesideAndEscClosesIt() {
    QVERIFY(mine() == nullptr);  // nothing of it before the first F3
    QLineEdit* cell = c().Text2[1];
    QVERIFY(pressF3In(cell) != nullptr);
    QCOMPARE(mine()->windowTitle(), QString("Моята задача"));
    QVERIFY(!mine()->isModal());
    QCOMPARE(Spoken(m().text), QString("Текст на задачата"));
    QCOMPARE(m().solve->text(), QString("Реши"));
    QVERIFY(!m().text->isReadOnly());
    QVERIFY(!m().result->isVisible());
    QVERIFY(!m().intoGrid->isVisible());
    QTest::keyClick(m().text, Qt::Key_Escape);
    QTRY_VERIFY(!mine()->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), cell);
    // From the practice's window too, to the same window.
    MyProblemWindow* opened = mine();
    QTest::keyClick(cell, Qt::Key_F2);
    QTRY_VERIFY(window_->practiceWindow() != nullptr && window_->practiceWindow()->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    QTRY_COMPARE(QApplication::focusWidget(), m().text);
    QCOMPARE(mine(), opened);
  }

  void theExampleIsSolvedAndTheFocusGoesToTheResult() {
    QVERIFY(pressF3In(c().Text2[0]) != nullptr);
    solve(Example);
    QCOMPARE(QApplication::focusWidget(), m().result);
    QCOMPARE(m().result->textCursor().position(), 0);  // reading starts at the top
    const QStringList lines = resultLines();
    QVERIFY2(mine()->problem().IsAnswered(), qPrintable(lines.join(u'\n')));
    QCOMPARE(lines.first(), QString("Решение"));
    QCOMPARE(lines[1], LinesStartingWith(lines, "Дадено:").value(0));
    QCOMPARE(LinesStartingWith(lines, "Търси се:").size(), 1);
    const QStringList answer = LinesStartingWith(lines, "Отговор:");
    QCOMPARE(answer.size(), 1);
    QVERIFY2(answer[0].contains("100 г"), qPrintable(answer[0]));
    // The solution by what does not change stands between what is sought and the answer.
    const qsizetype sought = lines.indexOf(LinesStartingWith(lines, "Търси се:")[0]);
    const QStringList solution = lines.mid(sought + 1, lines.indexOf(answer[0]) - sought - 1);
    QVERIFY2(solution.join(u'\n').contains("не се променя"), qPrintable(lines.join(u'\n')));
    QVERIFY(LinesStartingWith(lines, "Не разбрах").isEmpty());
    QVERIFY(m().intoGrid->isVisible());
    QVERIFY(m().numbers->isVisible());
    // A text changed after it was read is read again first.
    m().text->setFocus();
    QTest::keyClick(m().text, Qt::Key_Backspace);
    QVERIFY(!m().result->isVisible());
    QVERIFY(!m().numbers->isVisible());
    QVERIFY(!m().intoGrid->isVisible());
  }

  void aRefusedTextSaysWhatIsMissingAndGivesNoAnswer() {
    QVERIFY(pressF3In(c().Text2[0]) != nullptr);
    solve(Example);
    QVERIFY(m().intoGrid->isVisible());
    solve(ThreeParts);
    QCOMPARE(QApplication::focusWidget(), m().result);
    const QStringList lines = resultLines();
    QCOMPARE(LinesStartingWith(lines, "Не разбрах").size(), 1);
    QVERIFY2(LinesStartingWith(lines, "Отговор:").isEmpty(), qPrintable(lines.join(u'\n')));
    QVERIFY(!m().intoGrid->isVisible());
  }

  // Each number of the text has a box of the roles it may have, named by the number, showing
  // the role it has; another role solves again, and the pupil stays in the box.
  void changingARoleSolvesAgain() {
    QVERIFY(pressF3In(c().Text2[0]) != nullptr);
    solve(Example);
    const MyProblem& problem = mine()->problem();
    const std::vector<MyProblem::Number> numbers = problem.Numbers();
    QCOMPARE(m().roles.size(), qsizetype(numbers.size()));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      QComboBox* role = m().roles[qsizetype(i)];
      QCOMPARE(LabelOf(role), ToQString(numbers[i].written));
      QCOMPARE(role->currentText(), ToQString(problem.Roles().at(numbers[i].role)));
    }
    QComboBox* first = m().roles.front();
    const int read = first->currentIndex();
    const QString solved = m().result->toPlainText();
    auto* announcer = mine()->findChild<Announcer*>();

    first->setFocus();
    QTest::keyClick(first, Qt::Key_End);  // "не е нужно": the mass is missing
    QCOMPARE(first->currentIndex(), first->count() - 1);
    QCOMPARE(problem.Numbers().front().role, std::size_t(first->count() - 1));
    QCOMPARE(QApplication::focusWidget(), first);
    const QStringList refused = resultLines();
    QVERIFY2(LinesStartingWith(refused, "Отговор:").isEmpty(), qPrintable(refused.join(u'\n')));
    QCOMPARE(announcer->accessibleName(),
             first->currentText() + ". " + LinesStartingWith(refused, "Не разбрах").value(0));
    QCOMPARE(first->accessibleDescription(), first->currentText());
    QVERIFY(!m().intoGrid->isVisible());

    while (first->currentIndex() > read) {
      QTest::keyClick(first, Qt::Key_Up);
    }
    QCOMPARE(m().result->toPlainText(), solved);
    QCOMPARE(announcer->accessibleName(),
             first->currentText() + ". " + LinesStartingWith(resultLines(), "Отговор:").value(0));
    QVERIFY(m().intoGrid->isVisible());
  }

  // Each sub-question is a problem of its own, with roles of its own: the text's numbers have
  // none to offer.
  void subQuestionsOfferNoRolesToChange() {
    QVERIFY(pressF3In(c().Text2[0]) != nullptr);
    solve(SubQuestions);
    QVERIFY(LinesStartingWith(resultLines(), "Отговор:").size() >= 1);
    QVERIFY(!m().numbers->isVisible());
    QVERIFY(m().roles.isEmpty());
    solve(Example);
    QVERIFY(m().numbers->isVisible());
  }

  // The variant and the givens as the reading puts them, then calculated, whatever the grid
  // held before.
  void intoTheGridFillsTheProblemsRowAndCalculates() {
    QTest::mouseClick(c().Option1[3], Qt::LeftButton);
    c().Text2[18]->setFocus();
    QTest::keyClicks(c().Text2[18], "55");
    QVERIFY(pressF3In(c().Text2[18]) != nullptr);
    solve(Example);
    QTest::mouseClick(m().intoGrid, Qt::LeftButton);

    const Practice::GridEntry entry =
        mine()->problem().ForGrid(window_->worksheet().DecimalSeparator());
    QCOMPARE(window_->worksheet().CurrentVariant(), entry.variant);
    QVERIFY(c().Option1[entry.variant]->isChecked());
    QStringList results;
    for (int column = 0; column < ColumnCount; ++column) {
      const QString cell = c().Text2[CellOf(entry.variant, Column(column))]->text();
      const auto given = std::find(entry.columns.begin(), entry.columns.end(), column);
      if (given != entry.columns.end()) {
        QCOMPARE(cell, ToQString(entry.texts[std::size_t(given - entry.columns.begin())]));
      } else {
        results << cell;
      }
    }
    QVERIFY2(results.contains("100"), qPrintable(results.join(" | ")));  // the water to add
    QVERIFY(c().Text2[18]->text().isEmpty() || entry.variant == 3);
  }

  // What no reading can make a problem of: a sentence that says so, and the grid as it was.
  void badInputIsRefusedWithTheGridUnchanged_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("copiedText");  // null: nothing copied
    QTest::addColumn<QString>("copiedHtml");
    QTest::addColumn<QString>("boxHolds");
    const QString tenThousand = u"Колко 12,5% г? "_qs.repeated(667).left(10000);
    const QString page =
        u"<html><head><title>Новини</title></head><body><h1>Времето</h1>"
        u"<p>Днес в <b>Пловдив</b> вали.</p><script>alert(1)</script></body></html>"_qs;
    QTest::newRow("empty") << "" << QString() << QString() << "";
    QTest::newRow("blanks") << "  \n\t " << QString() << QString() << "  \n\t ";
    QTest::newRow("10 000 characters") << tenThousand << QString() << QString() << tenThousand;
    QTest::newRow("10 001 characters")
        << tenThousand + u'5' << QString() << QString() << tenThousand + u'5';
    QTest::newRow("a page, its text")
        << ""
        << "Времето\nДнес в Пловдив вали." << page << "Времето\nДнес в Пловдив вали.";
    QTest::newRow("a page, its markup alone")
        << "" << QString() << page << "Времето\nДнес в Пловдив вали.";
    QTest::newRow("a page's source as text") << "" << page << page << page;
  }

  void badInputIsRefusedWithTheGridUnchanged() {
    QFETCH(QString, typed);
    QFETCH(QString, copiedText);
    QFETCH(QString, copiedHtml);
    QFETCH(QString, boxHolds);
    QTest::mouseClick(c().Option1[2], Qt::LeftButton);
    c().Text2[12]->setFocus();
    QTest::keyClicks(c().Text2[12], "25");
    const QStringList before = grid();
    QVERIFY(pressF3In(c().Text2[12]) != nullptr);
    solve(Example);
    QVERIFY(m().intoGrid->isVisible());

    m().text->selectAll();
    QTest::keyClick(m().text, Qt::Key_Delete);
    Type(m().text, typed);
    if (!copiedHtml.isNull()) {
      m().text->selectAll();
      CopyFromAPage(copiedText, copiedHtml);
      QTest::keyClick(m().text, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(m().text->toPlainText(), boxHolds);
    QTest::mouseClick(m().solve, Qt::LeftButton);
    const QStringList lines = resultLines();
    QCOMPARE(LinesStartingWith(lines, "Не разбрах").size(), 1);
    QVERIFY(LinesStartingWith(lines, "Отговор:").isEmpty());
    QVERIFY(!m().intoGrid->isVisible());
    QCOMPARE(QApplication::focusWidget(), m().result);
    QCOMPARE(grid(), before);
  }

  void tabVisitsEveryControlTopToBottom() {
    QVERIFY(pressF3In(c().Text2[0]) != nullptr);
    solve(Example);
    QList<QWidget*> forward = {m().text, m().solve, m().result};
    for (QComboBox* role : m().roles) {
      forward << role;
    }
    forward << m().intoGrid << m().text;
    m().text->setFocus();
    for (qsizetype i = 1; i < forward.size(); ++i) {
      QTest::keyClick(forward[i - 1], Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), forward[i]);
    }
    QTest::keyClick(m().text, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), m().intoGrid);
  }
};

QTEST_MAIN(MyProblemTest)
#include "my_problem_test.moc"
