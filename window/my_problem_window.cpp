#include "window/my_problem_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include "form/teacher_sheet.h"
#include "window/screen_reader.h"
#include "window/solution_view.h"
#include "window/texts.h"

namespace {

constexpr int Margin = 8;  // around the contents
// As wide as the practice's window, to stand beside the main window on a 1366-pixel screen, and
// as tall as a 768-pixel screen has room for under its title and a panel: the solution is long.
constexpr QSize WindowSize(420, 640);
constexpr int TextLines = 4;           // a textbook problem of three sentences, without scrolling
constexpr int NumberRows = 4;          // the numbers of most problems, without scrolling
constexpr int MinimumRoleLength = 12;  // characters of a role in its closed box
// More numbers than any textbook problem has: such a text is not one problem to correct number
// by number, and a box for each would keep the pupil waiting.
constexpr std::size_t MostNumbers = 30;

// Takes text as it is pasted, and only its text: a page or a word processor may offer the text
// as HTML alone, which a plain box would otherwise refuse.
class PlainTextBox : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override {
    return source->hasHtml() || QPlainTextEdit::canInsertFromMimeData(source);
  }
  void insertFromMimeData(const QMimeData* source) override {
    if (source->hasText()) {
      QPlainTextEdit::insertFromMimeData(source);
    } else if (source->hasHtml()) {
      insertPlainText(QTextDocumentFragment::fromHtml(source->html()).toPlainText());
    }
  }
};

}  // namespace

MyProblemWindow::MyProblemWindow(QWidget* mainWindow, GridTyper typeIntoGrid)
    : SideWindow(mainWindow),
      typeIntoGrid_(std::move(typeIntoGrid)),
      announcer_(new Announcer(this)) {
  setObjectName("MyProblemWindow");
  setWindowTitle(ToQString(Texts::MyProblemTitle));
  setUpLayout();
  resize(WindowSize);
}

QWidget* MyProblemWindow::focusOnOpening() const {
  return controls_.text;
}

// Top to bottom, as the keyboard visits them.
void MyProblemWindow::setUpLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(Margin, Margin, Margin, Margin);
  layout->addWidget(createText());
  controls_.solve = new QPushButton(ToQString(Texts::SolveButton), this);
  connect(controls_.solve, &QPushButton::clicked, this, &MyProblemWindow::solve);
  layout->addWidget(controls_.solve, 0, Qt::AlignLeft);
  controls_.result = new SolutionView(this);
  // The result comes in below without pushing anything about.
  QSizePolicy room = controls_.result->sizePolicy();
  room.setRetainSizeWhenHidden(true);
  controls_.result->setSizePolicy(room);
  controls_.result->hide();
  layout->addWidget(controls_.result, 1);
  layout->addWidget(createNumbers());
  controls_.intoGrid = new QPushButton(ToQString(Texts::IntoGrid), this);
  connect(controls_.intoGrid, &QPushButton::clicked, this, [this] { typeIntoGrid_(problem_); });
  controls_.intoGrid->hide();
  layout->addWidget(controls_.intoGrid, 0, Qt::AlignLeft);
}

QWidget* MyProblemWindow::createText() {
  auto* area = new QWidget(this);
  auto* column = new QVBoxLayout(area);
  column->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(ToQString(Texts::MyProblemLabel), area);
  controls_.text = new PlainTextBox(area);
  label->setBuddy(controls_.text);
  controls_.text->setAccessibleName(label->text());
  controls_.text->setTabChangesFocus(true);
  controls_.text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  controls_.text->setFixedHeight(controls_.text->fontMetrics().lineSpacing() * TextLines +
                                 2 * controls_.text->frameWidth() + Margin);
  connect(controls_.text, &QPlainTextEdit::textChanged, this, &MyProblemWindow::forgetResult);
  column->addWidget(label);
  column->addWidget(controls_.text);
  return area;
}

QWidget* MyProblemWindow::createNumbers() {
  controls_.numbers = new QScrollArea(this);
  controls_.numbers->setWidgetResizable(true);
  controls_.numbers->setFrameShape(QFrame::NoFrame);
  controls_.numbers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab goes from box to box, and the area follows the focus.
  controls_.numbers->setFocusPolicy(Qt::NoFocus);
  auto* rows = new QWidget(controls_.numbers);
  numberGrid_ = new QGridLayout(rows);
  numberGrid_->setContentsMargins(0, 0, 0, 0);
  numberGrid_->setColumnStretch(1, 1);
  controls_.numbers->setWidget(rows);
  controls_.numbers->hide();
  return controls_.numbers;
}

// The result is where the pupil reads on, and where a screen reader starts reading it.
void MyProblemWindow::solve() {
  problem_.Read(controls_.text->toPlainText().toStdString());
  showResult();
  showNumbers();
  controls_.result->setFocus(Qt::OtherFocusReason);
}

// What was read belongs to the text as it was: its roles and its way into the grid too.
void MyProblemWindow::forgetResult() {
  controls_.result->hide();
  controls_.numbers->hide();
  controls_.intoGrid->hide();
}

// The pupil stays in the box to try another role; the role and what it gives are spoken, as
// Orca says nothing of a combo box's new value.
void MyProblemWindow::changeRole(qsizetype number, int role) {
  problem_.ChangeRole(static_cast<std::size_t>(number), static_cast<std::size_t>(role));
  showResult();
  announcer_->announce(controls_.roles[number]->currentText() + u". "_qs +
                       ToQString(problem_.Outcome()));
}

void MyProblemWindow::showResult() {
  controls_.result->show();
  controls_.result->showSolution(problem_.Shown());
  controls_.intoGrid->setVisible(problem_.CanGoIntoGrid());
}

// A row for each number of the text: the number as written, and a box of the roles it may
// have, named by the number.
void MyProblemWindow::showNumbers() {
  while (QLayoutItem* item = numberGrid_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  controls_.roles.clear();
  QStringList roles;
  for (const std::string& role : problem_.Roles()) {
    roles << ToQString(role);
  }
  QWidget* previous = controls_.result;
  std::vector<MyProblem::Number> numbers = problem_.Numbers();
  if (numbers.size() > MostNumbers) {
    numbers.clear();
  }
  for (const MyProblem::Number& number : numbers) {
    const int row = int(controls_.roles.size());
    auto* written = new QLabel(ToQString(number.written));
    written->setTextFormat(Qt::PlainText);  // the pupil's text, never markup
    auto* role = new QComboBox;
    // As wide as the window leaves it: the list shows a long role whole.
    role->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    role->setMinimumContentsLength(MinimumRoleLength);
    role->addItems(roles);
    role->setCurrentIndex(int(number.role));
    // Windows names the box by its name, Linux by the label it has as its buddy.
    role->setAccessibleName(written->text());
    written->setBuddy(role);
    // Orca reads no value of a Qt combo box: on the focus, the role is told as its description.
    role->setAccessibleDescription(role->currentText());
    connect(role, &QComboBox::currentTextChanged, role, &QWidget::setAccessibleDescription);
    connect(role, &QComboBox::activated, this, [this, row](int index) { changeRole(row, index); });
    numberGrid_->addWidget(written, row, 0);
    numberGrid_->addWidget(role, row, 1);
    // New widgets join the end of the keyboard's order; these belong under the result.
    setTabOrder(previous, role);
    previous = role;
    controls_.roles << role;
  }
  controls_.numbers->setVisible(!controls_.roles.isEmpty());
  if (!controls_.roles.isEmpty()) {
    const int rowHeight = controls_.roles.front()->sizeHint().height() + numberGrid_->spacing();
    controls_.numbers->setFixedHeight(rowHeight *
                                      int(std::min<qsizetype>(controls_.roles.size(), NumberRows)));
  }
}
