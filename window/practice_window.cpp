#include "window/practice_window.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "form/problem_text.h"
#include "window/keyboard.h"
#include "window/screen_reader.h"
#include "window/solution_view.h"
#include "window/teacher_sheet_pdf.h"
#include "window/texts.h"

namespace {

constexpr int Margin = 8;  // around the contents
// As wide as the F1 window, to stand beside the main window on a 1366-pixel screen.
constexpr QSize WindowSize(420, 600);
constexpr int ProblemLines = 4;  // the longest problems, without scrolling

QPushButton* Button(std::string_view caption, QWidget* parent) {
  return new QPushButton(ToQString(caption), parent);
}

QLabel* WrappedLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setWordWrap(true);
  return label;
}

// "list-17.pdf" in the user's documents.
QString ProposedFile(std::int32_t sheet) {
  const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  return documents.filePath(u"list-%1.pdf"_qs.arg(sheet));
}

}  // namespace

PracticeWindow::PracticeWindow(QWidget* mainWindow, GridTyper typeIntoGrid)
    : SideWindow(mainWindow),
      typeIntoGrid_(std::move(typeIntoGrid)),
      announcer_(new Announcer(this)) {
  setObjectName("PracticeWindow");
  setWindowTitle(ToQString(Texts::PracticeTitle));
  setUpLayout();
  showProblem();
  resize(WindowSize);
}

TeacherSheet PracticeWindow::sheet() const {
  return MakeTeacherSheet(practice_.Source().sheet, practice_.Source().level,
                          controls_.count->value());
}

QWidget* PracticeWindow::focusOnOpening() const {
  return controls_.problem;
}

// Top to bottom, as the keyboard visits them.
void PracticeWindow::setUpLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(Margin, Margin, Margin, Margin);
  layout->addWidget(createLevels());
  layout->addWidget(createProblem());
  layout->addWidget(createCommands());
  controls_.feedback = WrappedLabel(this);
  layout->addWidget(controls_.feedback);
  controls_.intoGrid = Button(Texts::IntoGrid, this);
  connect(controls_.intoGrid, &QPushButton::clicked, this, [this] { typeIntoGrid_(practice_); });
  layout->addWidget(controls_.intoGrid, 0, Qt::AlignLeft);
  controls_.solution = new SolutionView(this);
  // The hints come in below without pushing anything about.
  QSizePolicy room = controls_.solution->sizePolicy();
  room.setRetainSizeWhenHidden(true);
  controls_.solution->setSizePolicy(room);
  layout->addWidget(controls_.solution, 1);
  controls_.tally = new QLabel(this);
  layout->addWidget(controls_.tally);
  layout->addWidget(createSheetControls());
}

QWidget* PracticeWindow::createLevels() {
  auto* group = new QGroupBox(ToQString(Texts::LevelGroup), this);
  auto* row = new QHBoxLayout(group);
  for (std::size_t i = 0; i < Levels.size(); ++i) {
    const Level level = Levels[i];
    auto* option = new QRadioButton(ToQString(Texts::LevelName(level)), group);
    option->setChecked(level == practice_.Source().level);
    connect(option, &QRadioButton::toggled, this, [this, level](bool checked) {
      if (checked) {
        chooseLevel(level);
      }
    });
    row->addWidget(option);
    controls_.levels[i] = option;
  }
  KeepOnlyCheckedATabStop(controls_.levels);
  return group;
}

QWidget* PracticeWindow::createProblem() {
  auto* area = new QWidget(this);
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  controls_.heading = new QLabel(area);
  controls_.newProblem = Button(Texts::NewProblem, area);
  connect(controls_.newProblem, &QPushButton::clicked, this, &PracticeWindow::newProblem);
  controls_.problem = new QPlainTextEdit(area);
  controls_.problem->setReadOnly(true);
  controls_.problem->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                             Qt::TextSelectableByKeyboard);
  controls_.problem->setTabChangesFocus(true);
  controls_.problem->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  controls_.problem->setFixedHeight(controls_.problem->fontMetrics().lineSpacing() * ProblemLines +
                                    2 * controls_.problem->frameWidth() + Margin);
  answerGrid_ = new QGridLayout;
  answerGrid_->setColumnStretch(0, 1);
  grid->addWidget(controls_.heading, 0, 0);
  grid->addWidget(controls_.newProblem, 0, 1, Qt::AlignRight);
  grid->addWidget(controls_.problem, 1, 0, 1, 2);
  grid->addLayout(answerGrid_, 2, 0, 1, 2);
  return area;
}

QWidget* PracticeWindow::createCommands() {
  auto* area = new QWidget(this);
  auto* row = new QHBoxLayout(area);
  row->setContentsMargins(0, 0, 0, 0);
  controls_.check = Button(Texts::CheckAnswer, area);
  controls_.hint = Button(Texts::HintButton, area);
  controls_.showSolution = Button(Texts::ShowSolutionButton, area);
  connect(controls_.check, &QPushButton::clicked, this, &PracticeWindow::check);
  connect(controls_.hint, &QPushButton::clicked, this, &PracticeWindow::hint);
  connect(controls_.showSolution, &QPushButton::clicked, this, &PracticeWindow::showSolution);
  for (QPushButton* button : {controls_.check, controls_.hint, controls_.showSolution}) {
    row->addWidget(button);
  }
  row->addStretch();
  return area;
}

QWidget* PracticeWindow::createSheetControls() {
  auto* group = new QGroupBox(ToQString(Texts::SheetButton), this);
  auto* grid = new QGridLayout(group);
  controls_.sheetTitle = new QLabel(group);
  controls_.otherSheet = Button(Texts::OtherSheet, group);
  auto* countLabel = new QLabel(ToQString(Texts::ProblemCount), group);
  controls_.count = new QSpinBox(group);
  controls_.count->setRange(MinSheetSize, MaxSheetSize);
  controls_.count->setValue(UsualSheetSize);
  countLabel->setBuddy(controls_.count);
  controls_.savePdf = Button(Texts::SavePdf, group);
  connect(controls_.otherSheet, &QPushButton::clicked, this, &PracticeWindow::otherSheet);
  connect(controls_.savePdf, &QPushButton::clicked, this, &PracticeWindow::saveSheet);
  grid->addWidget(controls_.sheetTitle, 0, 0, 1, 2);
  grid->addWidget(controls_.otherSheet, 0, 2);
  grid->addWidget(countLabel, 1, 0);
  grid->addWidget(controls_.count, 1, 1, Qt::AlignLeft);
  grid->addWidget(controls_.savePdf, 1, 2);
  grid->setColumnStretch(1, 1);
  return group;
}

// The practice has moved to another problem: everything about the last one goes.
void PracticeWindow::showProblem() {
  const ProblemSource& source = practice_.Source();
  controls_.heading->setText(ToQString(Texts::ProblemsHeading) + u' ' +
                             QString::number(source.place + 1));
  controls_.problem->setAccessibleName(controls_.heading->text());
  controls_.problem->setPlainText(ToQString(practice_.Text()));
  controls_.sheetTitle->setText(ToQString(TeacherSheetTitle(source.sheet, source.level)));
  controls_.feedback->clear();
  showAnswerBoxes();
  showProgress();
}

// A row for each quantity asked: its question, the box, the unit.
void PracticeWindow::showAnswerBoxes() {
  while (QLayoutItem* item = answerGrid_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  controls_.answers.clear();
  QWidget* previous = controls_.problem;
  for (const Practice::AnswerBox& box : practice_.Boxes()) {
    const int row = int(controls_.answers.size());
    auto* question = WrappedLabel(this);
    question->setText(ToQString(box.label));
    auto* answer = new QLineEdit(this);
    question->setBuddy(answer);
    connect(answer, &QLineEdit::returnPressed, this, &PracticeWindow::check);
    answerGrid_->addWidget(question, row, 0);
    answerGrid_->addWidget(answer, row, 1);
    answerGrid_->addWidget(new QLabel(ToQString(box.unit), this), row, 2);
    // New widgets join the end of the keyboard's order; these belong under the problem.
    setTabOrder(previous, answer);
    previous = answer;
    controls_.answers << answer;
  }
}

// What the buttons offer, the hints so far and the tally, after anything the pupil does.
void PracticeWindow::showProgress() {
  const Texts::SolutionText shown = practice_.Shown();
  controls_.solution->setVisible(!shown.lines.empty());
  controls_.solution->showSolution(shown);
  controls_.intoGrid->setVisible(practice_.CanGoIntoGrid());
  controls_.hint->setEnabled(practice_.HasMoreHints());
  controls_.showSolution->setEnabled(!practice_.IsSolutionShown());
  controls_.tally->setText(ToQString(practice_.Tally()));
}

void PracticeWindow::chooseLevel(Level level) {
  practice_.ChooseLevel(level);
  KeepOnlyCheckedATabStop(controls_.levels);
  showProblem();
}

// The pupil goes on to read the new problem.
void PracticeWindow::newProblem() {
  practice_.Next();
  showProblem();
  controls_.problem->setFocus();
}

void PracticeWindow::check() {
  std::vector<std::string> answers;
  for (const QLineEdit* answer : controls_.answers) {
    answers.push_back(answer->text().toStdString());
  }
  const QString feedback = ToQString(practice_.Check(answers));
  controls_.feedback->setText(feedback);
  announcer_->announce(feedback);
  showProgress();
}

void PracticeWindow::hint() {
  practice_.Hint();
  showProgress();
  readOnIfSpent(controls_.hint);
}

void PracticeWindow::showSolution() {
  practice_.ShowSolution();
  showProgress();
  readOnIfSpent(controls_.showSolution);
}

// A button that has nothing more to show leaves the focus in what it showed, not wherever Qt
// would move it.
void PracticeWindow::readOnIfSpent(QPushButton* pressed) {
  if (!pressed->isEnabled()) {
    controls_.solution->setFocus();
  }
}

void PracticeWindow::otherSheet() {
  practice_.NextSheet();
  showProblem();
}

void PracticeWindow::saveSheet() {
  QFileDialog dialog(this, ToQString(Texts::SavePdf), ProposedFile(practice_.Source().sheet),
                     u"PDF (*.pdf)"_qs);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(u"pdf"_qs);  // a name typed without it still makes a PDF file
  dialog.setFont(font());              // a dialog does not take its parent's font by itself
  if (dialog.exec() == QDialog::Accepted &&
      !WriteTeacherSheetPdf(sheet(), dialog.selectedFiles().value(0))) {
    QMessageBox::warning(this, ToQString(Texts::SavePdf), ToQString(Texts::PdfNotSaved));
  }
}
