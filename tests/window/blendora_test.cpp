#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessible>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolTip>
#include <cmath>
#include <memory>

#include "window/blendora.h"
#include "window/layout.h"
#include "window/qt_catalogue.h"
#include "window/screen_reader.h"
#include "window/solution_window.h"
#include "window/texts.h"

namespace {

const std::vector<int> ResultCells = {4, 5, 9, 11, 15, 16, 20, 23, 25, 29, 32, 33, 37, 39};

bool IsResult(int cell) {
  return std::find(ResultCells.begin(), ResultCells.end(), cell) != ResultCells.end();
}

// The contrast of two colours as WCAG measures it, from 1 : 1 to 21 : 1.
double ContrastRatio(const QColor& a, const QColor& b) {
  auto luminance = [](const QColor& colour) {
    auto linear = [](double channel) {
      return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
  };
  const double first = luminance(a);
  const double second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor Background(const QWidget* widget) {
  return widget->palette().color(widget->backgroundRole());
}

}  // namespace

class BlendoraTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Blendora> window_;
  QStringList faults_;

  const Blendora::Controls& c() const { return window_->controls(); }

  void typeRow(const QStringList& row) {
    const int variant = window_->worksheet().CurrentVariant();
    for (int column = 0; column < 6; ++column) {
      QLineEdit* cell = c().Text2[6 * variant + column];
      if (cell->isEnabled()) {
        cell->setFocus();
        cell->selectAll();
        QTest::keyClicks(cell, row[column]);
      }
    }
  }

  void chooseVariant(int variant) { QTest::mouseClick(c().Option1[variant], Qt::LeftButton); }

  QStringList cellTexts() const {
    QStringList texts;
    for (const QLineEdit* cell : c().Text2) {
      texts << cell->text() + (cell->isReadOnly() ? "|ro" : "");
    }
    return texts;
  }

 private slots:
  void initTestCase() {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QVERIFY(InstallQtCatalogue(*qApp));
  }

  void init() {
    window_ = std::make_unique<Blendora>();
    faults_.clear();
    window_->setFaultReporter([this](QWidget*, const QString& message) { faults_ << message; });
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() { window_.reset(); }

  QWidget* control(const QString& name, int index) const {
    if (name == "Label1")
      return c().Label1[index];
    if (name == "Command1")
      return c().Command1[index];
    if (name == "Frame1")
      return c().Frame1;
    if (name == "Option1")
      return c().Option1[index];
    if (name == "Text2")
      return c().Text2[index];
    return c().Text1[index];
  }

  void geometryFollowsTheTwipTable_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("pixels");
    // Worked out by hand from the twip table, 15 twips to a pixel.
    const QList<std::tuple<QString, int, QRect>> rows = {
        {"Label1", 0, {104, 0, 297, 25}},  {"Command1", 0, {16, 8, 65, 25}},
        {"Command1", 1, {432, 8, 65, 25}}, {"Label1", 1, {112, 40, 65, 25}},
        {"Label1", 6, {432, 40, 65, 25}},  {"Frame1", 0, {0, 48, 113, 193}},
        {"Option1", 0, {8, 16, 97, 27}},   {"Option1", 6, {8, 160, 97, 27}},
        {"Text2", 0, {112, 64, 65, 27}},   {"Text2", 9, {304, 88, 65, 27}},
        {"Text2", 41, {432, 208, 65, 27}}, {"Text1", 0, {8, 248, 489, 153}},
        {"Text1", 1, {88, 344, 449, 121}},
    };
    for (const auto& [name, index, pixels] : rows) {
      QTest::newRow(qPrintable(u"%1(%2)"_qs.arg(name).arg(index))) << name << index << pixels;
    }
  }

  void geometryFollowsTheTwipTable() {
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QRect, pixels);
    QCOMPARE(control(name, index)->geometry(), pixels);
  }

  void everyControlSitsWhereItsTableRowSays() {
    for (int i = 0; i < 42; ++i) {
      QCOMPARE(c().Text2[i]->geometry(), QRect(112 + 64 * (i % 6), 64 + 24 * (i / 6), 65, 27));
    }
    for (int v = 0; v < 7; ++v) {
      // Each option button is level with its row of the grid.
      QCOMPARE(c().Option1[v]->mapTo(window_.get(), QPoint(0, 0)).y(),
               c().Text2[6 * v]->geometry().y());
    }
    QCOMPARE(window_->size(), QSize(504, 404));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
  }

  void windowLooksAsDesigned() {
    QCOMPARE(window_->windowTitle(), QString("https://blendora.example  Blendora"));
    QVERIFY(!window_->windowIcon().isNull());
    QCOMPARE(window_->windowIcon().availableSizes().value(0), QSize(32, 32));
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QCOMPARE(Background(window_.get()), QColor(192, 192, 255));
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
      QCOMPARE(widget->font().family(), QString("Times New Roman"));
      QCOMPARE(widget->font().pointSize(), 12);
    }
  }

  void controlsHaveTheirColoursAndCaptions() {
    QCOMPARE(c().Label1[0]->text(), QString("Изчисляване процент и тегло в смеси"));
    const QStringList headings = {"% - 1", "Тегло 1", "% - 2", "Тегло 2", "Смес %", "Смес т."};
    for (int k = 0; k < 7; ++k) {
      QCOMPARE(Background(c().Label1[k]), QColor(255, 192, 128));
      QVERIFY(c().Label1[k]->autoFillBackground());
      QCOMPARE(c().Label1[k]->alignment(), Qt::AlignCenter);
      if (k > 0) {
        QCOMPARE(c().Label1[k]->text(), headings[k - 1]);
      }
    }
    QCOMPARE(c().Command1[0]->text(), QString("Изчисли"));
    QCOMPARE(c().Command1[1]->text(), QString("Изчисти"));
    QCOMPARE(c().Command1[0]->palette().color(QPalette::Button), QColor(128, 255, 128));
    QCOMPARE(c().Command1[1]->palette().color(QPalette::Button), QColor(255, 0, 0));
    QCOMPARE(c().Frame1->title(), QString("Варианти"));
    for (int v = 0; v < 7; ++v) {
      QCOMPARE(c().Option1[v]->text(), QString("Вариант %1").arg(v + 1));
      QCOMPARE(Background(c().Option1[v]), QColor(192, 255, 192));
    }
  }

  void resultCellsAreBoldPinkAndDisabled() {
    for (int i = 0; i < 42; ++i) {
      QLineEdit* cell = c().Text2[i];
      QCOMPARE(cell->isEnabled(), !IsResult(i));
      QCOMPARE(cell->font().bold(), IsResult(i));
      if (IsResult(i)) {
        QCOMPARE(cell->palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 192, 192));
        QCOMPARE(cell->palette().color(QPalette::Disabled, QPalette::Text), QColor(109, 109, 109));
        QCOMPARE(cell->palette().color(QPalette::Active, QPalette::Text),
                 c().Text2[0]->palette().color(QPalette::Active, QPalette::Text));
      } else {
        QVERIFY(!cell->palette().isBrushSet(QPalette::Active, QPalette::Base));
      }
    }
  }

  void startsOnVariantOneWithFocusInTheAssignment() {
    QVERIFY(c().Option1[0]->isChecked());
    QCOMPARE(window_->worksheet().CurrentVariant(), 0);
    QCOMPARE(QApplication::focusWidget(), c().Text1[0]);
    for (int i = 0; i < 42; ++i) {
      QVERIFY(c().Text2[i]->text().isEmpty());
      QCOMPARE(c().Text2[i]->isReadOnly(), i >= 6 || IsResult(i));
    }
  }

  void lockedCellsRefuseTypingAndPasting() {
    QLineEdit* locked = c().Text2[6];
    locked->setFocus();
    QTest::keyClicks(locked, "123");
    QVERIFY(locked->text().isEmpty());
    QApplication::clipboard()->setText("77");
    QTest::keySequence(locked, QKeySequence::Paste);
    QVERIFY(locked->text().isEmpty());
    QCOMPARE(window_->worksheet().CellText(6), std::string());

    QLineEdit* open = c().Text2[1];
    open->setFocus();
    QTest::keyClicks(open, "2 00");
    QTest::keySequence(open, QKeySequence::Paste);
    QCOMPARE(window_->worksheet().CellText(1), std::string("2 0077"));
  }

  void resultCellsNeverTakeTheFocus() {
    for (int cell : ResultCells) {
      QCOMPARE(c().Text2[cell]->isEnabled(), false);
      QTest::mouseClick(c().Text2[cell], Qt::LeftButton);
      QVERIFY(QApplication::focusWidget() != c().Text2[cell]);
    }
  }

  void calculateFillsInTheAssignmentData() {
    typeRow({"30", "200", "40", "300", "", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    const QStringList expected = {"30", "200", "40", "300", "36", "500"};
    for (int column = 0; column < 6; ++column) {
      QCOMPARE(c().Text2[column]->text(), expected[column]);
    }
    QVERIFY(faults_.isEmpty());
  }

  void choosingAVariantEmptiesAndOpensItsRow() {
    typeRow({"30", "200", "40", "300", "", ""});
    chooseVariant(3);
    QCOMPARE(window_->worksheet().CurrentVariant(), 3);
    for (int i = 0; i < 42; ++i) {
      QVERIFY(c().Text2[i]->text().isEmpty());
      const bool open = i == 18 || i == 19 || i == 21 || i == 22;
      QCOMPARE(c().Text2[i]->isReadOnly() || !c().Text2[i]->isEnabled(), !open);
    }
    QVERIFY(!c().Text2[20]->isEnabled());
    QVERIFY(!c().Text2[23]->isEnabled());
  }

  void clickingTheSelectedVariantKeepsTheNumbers() {
    typeRow({"30", "200", "", "", "", ""});
    chooseVariant(0);
    QCOMPARE(c().Text2[0]->text(), QString("30"));
  }

  void clearEmptiesEveryCellAndKeepsTheRowOpen() {
    chooseVariant(2);
    typeRow({"30", "200", "40", "", "", "500"});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QCOMPARE(c().Text2[15]->text(), QString("300"));
    QTest::mouseClick(c().Command1[1], Qt::LeftButton);
    for (int i = 0; i < 42; ++i) {
      QVERIFY(c().Text2[i]->text().isEmpty());
      QCOMPARE(c().Text2[i]->isReadOnly(), i < 12 || i > 17 || IsResult(i));
    }
  }

  void faultsAreReportedInBulgarianWithTheGridUnchanged_data() {
    QTest::addColumn<int>("variant");
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << 0 << QStringList{"", "", "", "", "", ""}
                           << "Препълване\nДадените клетки са празни.";
    QTest::newRow("pm equals p2") << 1 << QStringList{"30", "200", "40", "", "40", ""}
                                  << "Деление на нула\n«Смес %» е равно на «% - 2».";
    QTest::newRow("too large") << 0 << QStringList{"1e300", "1e300", "1", "1", "", ""}
                               << "Препълване\nЧислата са твърде големи за изчисление.";
  }

  void faultsAreReportedInBulgarianWithTheGridUnchanged() {
    QFETCH(int, variant);
    QFETCH(QStringList, row);
    QFETCH(QString, message);
    chooseVariant(variant);
    typeRow(row);
    const QStringList before = cellTexts();
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QCOMPARE(faults_, QStringList{message});
    QCOMPARE(cellTexts(), before);
    // The program goes on: the next calculation works.
    chooseVariant(0);
    typeRow({"10", "1", "0", "1", "", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QCOMPARE(c().Text2[4]->text(), QString("5"));
  }

  void tabFollowsTheDesignedKeyboardOrder() {
    std::vector<QWidget*> expected;
    for (int cell : {0, 1, 2, 3, 6, 7, 8, 10, 12, 13, 17, 18}) {
      expected.push_back(c().Text2[cell]);
    }
    expected.push_back(c().Command1[0]);
    expected.push_back(c().Command1[1]);
    for (int cell : {14, 19, 21, 22}) {
      expected.push_back(c().Text2[cell]);
    }
    expected.push_back(c().Option1[0]);  // the selected one only
    for (int cell = 24; cell <= 41; ++cell) {
      if (!IsResult(cell)) {
        expected.push_back(c().Text2[cell]);
      }
    }
    expected.push_back(c().Text1[0]);
    for (QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

  void onlyTheSelectedOptionIsATabStop() {
    chooseVariant(6);
    QCOMPARE(QApplication::focusWidget(), c().Option1[6]);
    c().Text2[35]->setFocus();
    QTest::keyClick(c().Text2[35], Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), c().Option1[6]);
    c().Text2[22]->setFocus();
    QTest::keyClick(c().Text2[22], Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), c().Text2[24]);
  }

  void arrowKeysChangeTheVariant() {
    chooseVariant(2);
    QTest::keyClick(c().Option1[2], Qt::Key_Down);
    QVERIFY(c().Option1[3]->isChecked());
    QCOMPARE(QApplication::focusWidget(), c().Option1[3]);
    QCOMPARE(window_->worksheet().CurrentVariant(), 3);
    QTest::keyClick(c().Option1[3], Qt::Key_Up);
    QTest::keyClick(c().Option1[2], Qt::Key_Up);
    QCOMPARE(window_->worksheet().CurrentVariant(), 1);
    QCOMPARE(c().Option1[1]->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(c().Option1[3]->focusPolicy(), Qt::NoFocus);
  }

  void assignmentTextIsExactAndReadOnly() {
    const QStringList lines = ToQString(Texts::Assignment).split("\r\n");
    QCOMPARE(lines.size(), 11);
    QVERIFY(lines.last().isEmpty());
    QVERIFY(lines[1].endsWith("солена вода и др. "));
    QVERIFY(lines[8].contains("смес,  ако"));
    QCOMPARE(lines[9],
             QString("Използвайте едни и същи данни за проверка: Пример:  процент_1 = 30; "
                     "тегло_1 = 200; процент_2 = 40; тегло_2 = 300; процент на сместа = 36;  "
                     "тегло на сместа = 500"));
    QPlainTextEdit* box = c().Text1[0];
    QCOMPARE(box->toPlainText(), ToQString(Texts::Assignment).replace("\r\n", "\n"));
    QCOMPARE(box->document()->blockCount(), 11);
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(box->verticalScrollBar()->maximum() > 0);
    box->setFocus();
    QTest::keyClicks(box, "x");
    QCOMPARE(box->toPlainText(), ToQString(Texts::Assignment).replace("\r\n", "\n"));
    box->selectAll();
    box->copy();
    QCOMPARE(QApplication::clipboard()->text(), box->toPlainText());
  }

  void quotationIsHeldButNeverShown() {
    const QStringList lines = ToQString(Texts::Quotation).split("\r\n");
    QCOMPARE(lines, (QStringList{"Неприятното в това да си първият, направил нещо по ",
                                 "правилния начин, е, че никой не оценява колко трудно е ",
                                 "било. ", ""}));
    QCOMPARE(c().Text1[1]->toPlainText(), ToQString(Texts::Quotation).replace("\r\n", "\n"));
    chooseVariant(5);
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QTest::mouseClick(c().Command1[1], Qt::LeftButton);
    for (int i = 0; i < 60; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY(QApplication::focusWidget() != c().Text1[1]);
    }
    QVERIFY(!c().Text1[1]->isVisible());
  }
  void resultCellsExplainTheirValueInATooltip() {
    chooseVariant(1);
    typeRow({"30", "200", "40", "", "36", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QLineEdit* weight2 = c().Text2[9];
    // The last lines tell the pupil of the whole solution and of the practice, which the
    // description leaves out.
    QCOMPARE(weight2->toolTip(), QString("Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300\n"
                                         "F1: решението стъпка по стъпка\n"
                                         "F2: задачи за упражнение"));
    QCOMPARE(c().Text2[11]->toolTip(), QString("Смес т. = 200 + 300 = 500\nF1: решението стъпка "
                                               "по стъпка\nF2: задачи за упражнение"));
    QCOMPARE(weight2->accessibleDescription(),
             QString("Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300"));
    QVERIFY(c().Text2[6]->toolTip().isEmpty());
    // The cell is disabled, yet its tooltip shows.
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), weight2->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(weight2, &hover);
    QTRY_COMPARE(QToolTip::text(), weight2->toolTip());
    QToolTip::hideText();
    QTest::mouseClick(c().Command1[1], Qt::LeftButton);
    QVERIFY(weight2->toolTip().isEmpty());
  }

  // F1 from a cell, and the solution window that opens beside; it answers Esc.
  SolutionWindow* pressF1In(QWidget* focus) {
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_F1);
    SolutionWindow* solution = window_->solutionWindow();
    if (solution != nullptr && QTest::qWaitForWindowActive(solution)) {
      return solution;
    }
    return nullptr;
  }

  void f1BeforeACalculationSaysWhenTheSolutionComes() {
    QLineEdit* cell = c().Text2[1];
    SolutionWindow* solution = pressF1In(cell);
    QVERIFY(solution != nullptr);
    QCOMPARE(solution->windowTitle(), QString("Решение"));
    QVERIFY(!solution->isModal());
    QCOMPARE(solution->text()->toPlainText(),
             QString("Решение\nРешението стъпка по стъпка се показва след „Изчисли“."));
    QVERIFY(solution->text()->isReadOnly());
    QVERIFY(!solution->pictureView()->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), solution->text());
    QTest::keyClick(solution->text(), Qt::Key_Escape);
    QTRY_VERIFY(!solution->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), cell);
  }

  void f1AfterACalculationShowsTheSolutionAndItsPicture() {
    chooseVariant(1);
    typeRow({"30", "200", "40", "", "36", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    SolutionWindow* solution = pressF1In(c().Text2[6]);
    QVERIFY(solution != nullptr);
    const QStringList lines = solution->text()->toPlainText().split(u'\n');
    QCOMPARE(lines.first(), QString("Решение"));
    QCOMPARE(lines[1], QString("Дадено: първата съставка има маса 200 и съдържа 30% чисто "
                               "вещество; втората съставка съдържа 40%; сместа съдържа 36%."));
    for (const char* line :
         {"60 + x · 40 : 100 = (200 + x) · 36 : 100   | · 100", "4x = 1200", "x = 300",
          "Масата на сместа е 200 + 300 = 500.",
          "Проверка: 200 · 30 : 100 + 300 · 40 : 100 = 60 + 120 = 180 и 500 · 36 : 100 = 180;"}) {
      QVERIFY2(lines.contains(QString(line)), line);
    }
    QCOMPARE(lines.last(),
             QString("Отговор: масата на втората съставка е 300; масата на сместа е 500."));
    // The table's rows, their columns at tab stops, each read out as one line.
    QVERIFY(lines.contains("\tмаса\tпроцент\tчисто вещество"));
    QVERIFY(lines.contains("първа съставка\t200\t30%\t200 · 30 : 100 = 60"));
    const QTextCursor inTable = solution->text()->document()->find("първа съставка\t");
    QCOMPARE(inTable.block().blockFormat().tabPositions().size(), 3);
    QAccessibleTextInterface* reader =
        QAccessible::queryAccessibleInterface(solution->text())->textInterface();
    int start = 0;
    int end = 0;
    // A line comes back as the document holds it over its offsets: Orca reads the document's
    // characters for the length of the line it is given.
    for (const char* line :
         {"първа съставка\t200\t30%\t200 · 30 : 100 = 60", "6000 + 40x = 36(200 + x)",
          "60 + x · 40 : 100 = (200 + x) · 36 : 100   | · 100"}) {
      const int at = solution->text()->document()->find(QString(line)).position();
      QCOMPARE(reader->textAtOffset(at - 1, QAccessible::ParagraphBoundary, &start, &end),
               QString(line));
      QCOMPARE(reader->text(start, end), QString(line));
    }
    PictureView* picture = solution->pictureView();
    QVERIFY(picture->isVisible());
    QCOMPARE(picture->accessibleName(),
             QString("Модел с отсечки: първата съставка 200, от които 60 чисто вещество; втората "
                     "съставка 300, от които 120; сместа 500, от които 180."));
    // Drawn: the first part's substance in its colour, and the rest of its bar white.
    const QImage drawn = picture->grab().toImage();
    const PictureBox& substance = picture->picture()->boxes[2];
    const QColor inside =
        drawn.pixelColor(substance.left + 2, substance.top + substance.height / 2);
    QVERIFY2(inside == ToQColor(Colours::Substance) || inside == ToQColor(Colours::PictureInk),
             qPrintable(inside.name()));
    const PictureBox& rest = picture->picture()->boxes[3];
    QCOMPARE(drawn.pixelColor(rest.left + rest.width / 2, rest.top + rest.height / 2),
             ToQColor(Colours::Rest));
    // The main window stays usable beside it.
    QVERIFY(window_->isEnabled());
  }

  void theSolutionWindowFollowsTheWorksheet() {
    const QString later = "Решение\nРешението стъпка по стъпка се показва след „Изчисли“.";
    chooseVariant(1);
    typeRow({"30", "200", "40", "", "36", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    SolutionWindow* solution = pressF1In(c().Text2[6]);
    QVERIFY(solution != nullptr);
    const QString solved = solution->text()->toPlainText();
    QVERIFY(solved.contains("Отговор:"));
    QTest::keyClicks(c().Text2[6], "5");  // an edit, with the window open
    QCOMPARE(solution->text()->toPlainText(), later);
    QVERIFY(!solution->pictureView()->isVisible());
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QVERIFY(solution->text()->toPlainText().contains("\nx = "));
    QTest::mouseClick(c().Command1[1], Qt::LeftButton);
    QCOMPARE(solution->text()->toPlainText(), later);
    typeRow({"30", "200", "40", "", "50", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QVERIFY(faults_.isEmpty());
    QVERIFY(solution->text()->toPlainText().contains(
        "Внимание: масата на втората съставка излиза −400, а маса не може да е отрицателна."));
    QVERIFY(solution->text()->toPlainText().endsWith("Задачата няма решение с тези числа."));
    QVERIFY(!solution->pictureView()->isVisible());
    chooseVariant(2);
    QCOMPARE(solution->text()->toPlainText(), later);
  }

  // The fault's box, the grid as it was, and the solution saying why there is no one answer.
  void theSolutionWindowExplainsAFault() {
    chooseVariant(6);
    typeRow({"30", "", "30", "", "36", "500"});
    SolutionWindow* solution = pressF1In(c().Text2[36]);
    QVERIFY(solution != nullptr);
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QCOMPARE(faults_.size(), 1);
    QCOMPARE(c().Text2[37]->text(), QString());
    const QStringList lines = solution->text()->toPlainText().split(u'\n');
    QCOMPARE(
        lines.mid(lines.size() - 2),
        QStringList({"0 · x = 3000",
                     "Задачата няма решение: няма число, което, умножено по 0, да дава 3000."}));
    QVERIFY(!solution->pictureView()->isVisible());
  }

  void everyControlHasASpokenName() {
    auto spoken = [](QWidget* widget) {
      return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    QCOMPARE(spoken(c().Text2[0]), QString("Вариант 1, % - 1"));
    QCOMPARE(spoken(c().Text2[9]), QString("Вариант 2, Тегло 2, резултат"));
    QCOMPARE(spoken(c().Text2[41]), QString("Вариант 7, Смес т."));
    QCOMPARE(spoken(c().Option1[3]), QString("Вариант 4"));
    QCOMPARE(spoken(c().Command1[0]), QString("Изчисли"));
    QCOMPARE(spoken(c().Command1[1]), QString("Изчисти"));
    QCOMPARE(spoken(c().Text1[0]), QString("Задание"));
    QCOMPARE(spoken(c().Label1[2]), QString("Тегло 1"));
    for (int i = 0; i < 42; ++i) {
      QLineEdit* cell = c().Text2[i];
      const QAccessible::State state = QAccessible::queryAccessibleInterface(cell)->state();
      QVERIFY(!QAccessible::queryAccessibleInterface(cell)->text(QAccessible::Name).isEmpty());
      QCOMPARE(bool(state.disabled), !cell->isEnabled());
      QCOMPARE(bool(state.readOnly), cell->isReadOnly());
      // A result cell is what it looks like: nothing to type into, nowhere to tab to.
      QCOMPARE(bool(state.editable), !IsResult(i));
      QCOMPARE(bool(state.focusable), !IsResult(i));
    }
    typeRow({"30", "200", "40", "300", "", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(c().Text2[5]);
    QCOMPARE(result->text(QAccessible::Value), QString("500"));
    QCOMPARE(result->text(QAccessible::Description), QString("Смес т. = 200 + 300 = 500"));
  }

  void enterInTheWorkingRowCalculates() {
    typeRow({"10", "1", "0", "1", "", ""});
    QTest::keyClick(c().Text2[3], Qt::Key_Return);
    QCOMPARE(c().Text2[4]->text(), QString("5"));
    QTest::mouseClick(c().Command1[1], Qt::LeftButton);
    typeRow({"10", "1", "0", "1", "", ""});
    c().Text2[7]->setFocus();
    QTest::keyClick(c().Text2[7], Qt::Key_Enter);  // a locked cell of another row
    QVERIFY(c().Text2[4]->text().isEmpty());
    QTest::keyClick(c().Text2[0], Qt::Key_Enter);
    QCOMPARE(c().Text2[5]->text(), QString("2"));
  }

  // Inside its frame, the darkest pixel of a calculated result cell is its glyphs' colour.
  void resultsAreLegibleOnThePink() {
    typeRow({"30", "200", "40", "300", "", ""});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    const QImage image = c().Text2[5]->grab().toImage();
    const QImage inside = image.copy(image.rect().adjusted(3, 3, -3, -3));
    QColor glyph = Qt::white;
    for (int y = 0; y < inside.height(); ++y) {
      for (int x = 0; x < inside.width(); ++x) {
        const QColor pixel = inside.pixelColor(x, y);
        glyph = pixel.lightness() < glyph.lightness() ? pixel : glyph;
      }
    }
    QCOMPARE(glyph, QColor(109, 109, 109));
    QVERIFY2(ContrastRatio(glyph, QColor(255, 192, 192)) >= 3.0,
             qPrintable(QString::number(ContrastRatio(glyph, QColor(255, 192, 192)))));
  }

  void qtsOwnTextsAreBulgarian() {
    std::unique_ptr<QMenu> menu(c().Text2[0]->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
      texts << action->text().section(u'\t', 0, 0);  // without the shortcut
    }
    QVERIFY2(texts.contains("&Копиране") && texts.contains("&Поставяне"),
             qPrintable(texts.join(' ')));

    Blendora reportsInABox;  // with the message box it has from the start
    reportsInABox.show();
    QString button;
    QTimer::singleShot(0, [&button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      button = box->buttons().value(0)->text();
      box->accept();
    });
    QTest::mouseClick(reportsInABox.controls().Command1[0], Qt::LeftButton);
    QCOMPARE(button, QString("Добре"));
  }

  void aCalculationIsSpokenWithoutMovingTheFocus() {
    auto* announcer = window_->findChild<Announcer*>();
    QVERIFY(announcer != nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(announcer);
    QCOMPARE(accessible->role(), QAccessible::Notification);
    QVERIFY(!announcer->isVisible());

    typeRow({"30", "200", "40", "300", "", ""});
    QTest::keyClick(c().Text2[3], Qt::Key_Return);
    QCOMPARE(accessible->text(QAccessible::Name), QString("Смес % 36, Смес т. 500"));
    QVERIFY(announcer->isVisible());
    QCOMPARE(QApplication::focusWidget(), c().Text2[3]);

    chooseVariant(6);
    typeRow({"10", "", "40", "", "20", "30"});
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);
    QCOMPARE(accessible->text(QAccessible::Name), QString("Тегло 1 20, Тегло 2 10"));

    QTest::mouseClick(c().Command1[1], Qt::LeftButton);
    QTest::mouseClick(c().Command1[0], Qt::LeftButton);  // a fault: the box alone tells of it
    QCOMPARE(faults_.size(), 1);
    QCOMPARE(accessible->text(QAccessible::Name), QString("Тегло 1 20, Тегло 2 10"));
  }

  // On Windows the results go to UI Automation as a text value change of the window, which
  // Qt raises as a notification; elsewhere nothing of the kind is sent.
  void aCalculationReachesUiAutomationOnWindowsOnly() {
    // Events reach an update handler only while a screen reader is taken to be listening.
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(bridge != nullptr);
    bridge->setActive(true);
    static QList<std::pair<QObject*, QString>> textValueChanges;
    textValueChanges.clear();
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
      if (event->type() == QAccessible::ValueChanged) {
        const QVariant value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
        if (value.typeId() == QMetaType::QString) {
          textValueChanges.append({event->object(), value.toString()});
        }
      }
    });
    typeRow({"30", "200", "40", "300", "", ""});
    QTest::keyClick(c().Text2[3], Qt::Key_Return);
    QTest::mouseClick(c().Text2[0], Qt::LeftButton);  // a click is left to the screen reader
    QAccessible::installUpdateHandler(nullptr);
    bridge->setActive(false);
#ifdef Q_OS_WIN
    const QList<std::pair<QObject*, QString>> expected = {
        { window_.get(),
          QString("Смес % 36, Смес т. 500") }};
#else
    const QList<std::pair<QObject*, QString>> expected;
#endif
    QCOMPARE(textValueChanges, expected);
  }

  // A screen reader is silent about a click into a field; the window says where it went.
  void aClickIntoACellSpeaksItsNameAndText() {
    auto* announcer = window_->findChild<Announcer*>();
    typeRow({"30", "", "", "", "", ""});
    c().Text1[0]->setFocus();
    QTest::mouseClick(c().Text2[0], Qt::LeftButton);
    QCOMPARE(announcer->accessibleName(), QString("Вариант 1, % - 1 30"));
    QTest::mouseClick(c().Text2[7], Qt::LeftButton);
    QCOMPARE(announcer->accessibleName(), QString("Вариант 2, Тегло 1"));
    QTest::keyClick(c().Text2[7], Qt::Key_Tab);  // the keyboard is left to the screen reader
    QCOMPARE(announcer->accessibleName(), QString("Вариант 2, Тегло 1"));
  }

  // Run once more with QT_SCALE_FACTOR=2: the twip table holds in logical pixels, and every
  // control is drawn at the scaled size.
  void scaledWindowKeepsTheTable() {
    // Told apart from QT_SCALE_FACTOR, so that a scale that never reached Qt fails.
    const qreal scale = qEnvironmentVariableIsSet("BLENDORA_EXPECTED_SCALE")
                            ? qEnvironmentVariable("BLENDORA_EXPECTED_SCALE").toDouble()
                            : 1.0;
    QCOMPARE(window_->devicePixelRatioF(), scale);
    QCOMPARE(window_->size(), QSize(504, 404));
    QCOMPARE(window_->grab().size(), QSize(504, 404) * scale);
    QCOMPARE(c().Text2[41]->grab().size(), QSize(65, 27) * scale);
    QCOMPARE(c().Frame1->grab().size(), QSize(113, 193) * scale);
    QCOMPARE(c().Text2[41]->mapTo(window_.get(), QPoint(0, 0)), QPoint(432, 208));
  }
};

QTEST_MAIN(BlendoraTest)
#include "blendora_test.moc"
