#include "window/blendora.h"

#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

#include "form/practice.h"
#include "form/solution_text.h"
#include "form/teacher_sheet.h"
#include "window/hamburger.xpm"
#include "window/keyboard.h"
#include "window/layout.h"
#include "window/my_problem_window.h"
#include "window/practice_window.h"
#include "window/screen_reader.h"
#include "window/solution_window.h"
#include "window/texts.h"

namespace {

enum CommandIndex { CalculateCommand = 0, ClearCommand = 1 };

void Place(QWidget* widget, ControlArray control, int index = 0) {
  widget->setGeometry(TwipsToPixels(PlaceInTwips(control, index)));
}

void Paint(QWidget* widget, QPalette::ColorRole role, const QColor& colour,
           QPalette::ColorGroup group = QPalette::All) {
  QPalette palette = widget->palette();
  palette.setColor(group, role, colour);
  widget->setPalette(palette);
}

// Fills the whole control, whatever role its kind of widget paints its background with.
void PaintBackground(QWidget* widget, const QColor& colour) {
  Paint(widget, widget->backgroundRole(), colour);
  widget->setAutoFillBackground(true);
}

void ShowCriticalBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, ToQString(Texts::Title), message, QMessageBox::Ok, parent);
  box.setFont(parent->font());  // a dialog does not take its parent's font by itself
  box.exec();
}

}  // namespace

Blendora::Blendora(QWidget* parent)
    : QWidget(parent),
      worksheet_(QLocale::system().decimalPoint().toStdString()),
      reportFault_(ShowCriticalBox),
      announcer_(new Announcer(this)) {
  setUpWindow();
  createLabels();
  createCommands();
  createOptions();
  createCells();
  createTextBoxes();
  setKeyboardOrder();
  connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, &Blendora::openSolution);
  // The practice is told of under the solution, in its window: F2 opens it from there too.
  auto* practiceKey = new QShortcut(Qt::Key_F2, this);
  practiceKey->setContext(Qt::ApplicationShortcut);
  connect(practiceKey, &QShortcut::activated, this, &Blendora::openPractice);
  auto* myProblemKey = new QShortcut(Qt::Key_F3, this);
  myProblemKey->setContext(Qt::ApplicationShortcut);
  connect(myProblemKey, &QShortcut::activated, this, &Blendora::openMyProblem);
  load();
}

void Blendora::centreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void Blendora::setUpWindow() {
  setObjectName("Blendora");
  setWindowTitle(ToQString(Texts::Caption));
  setWindowIcon(QIcon(QPixmap(hamburger_xpm)));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels({0, 0, ClientWidthInTwips, ClientHeightInTwips}).size());
  setFont(QFont("Times New Roman", 12));
  PaintBackground(this, ToQColor(Colours::Window));
}

void Blendora::createLabels() {
  for (int k = 0; k < int(controls_.Label1.size()); ++k) {
    const QString caption =
        ToQString(k == 0 ? Texts::Heading : Texts::ColumnHeading(static_cast<Column>(k - 1)));
    auto* label = new QLabel(caption, this);
    label->setAlignment(Qt::AlignCenter);
    PaintBackground(label, ToQColor(Colours::Label));
    Place(label, ControlArray::Label1, k);
    controls_.Label1[k] = label;
  }
}

void Blendora::createCommands() {
  const std::array<std::pair<std::string_view, Rgb>, 2> commands = {
      {{Texts::Calculate, Colours::Calculate}, {Texts::Clear, Colours::Clear}}};
  for (int index = 0; index < int(commands.size()); ++index) {
    const auto& [caption, colour] = commands[static_cast<std::size_t>(index)];
    auto* button = new QPushButton(ToQString(caption), this);
    Paint(button, QPalette::Button, ToQColor(colour));
    Place(button, ControlArray::Command1, index);
    connect(button, &QPushButton::clicked, this, [this, index] { command1Click(index); });
    controls_.Command1[index] = button;
  }
}

void Blendora::createOptions() {
  controls_.Frame1 = new QGroupBox(ToQString(Texts::Variants), this);
  Place(controls_.Frame1, ControlArray::Frame1);
  for (VariantIndex v = 0; v < VariantCount; ++v) {
    auto* option = new QRadioButton(ToQString(Texts::VariantCaption(v)), controls_.Frame1);
    PaintBackground(option, ToQColor(Colours::Option));
    Place(option, ControlArray::Option1, v);
    // Like any click, a click with the mouse puts the focus on the button.
    connect(option, &QRadioButton::clicked, option, [option] { option->setFocus(); });
    connect(option, &QRadioButton::toggled, this, [this, v](bool checked) {
      if (checked) {
        option1Click(v);
      }
    });
    controls_.Option1[v] = option;
  }
}

void Blendora::createCells() {
  for (CellIndex i = 0; i < CellCount; ++i) {
    auto* cell = new QLineEdit(this);
    if (Worksheet::IsResultCell(i)) {
      ReportAsResultCell(cell);
      QFont bold = cell->font();
      bold.setWeight(QFont::Bold);
      cell->setFont(bold);
      Paint(cell, QPalette::Base, ToQColor(Colours::ResultCell));
      Paint(cell, QPalette::Text, ToQColor(Colours::ResultText), QPalette::Disabled);
      cell->setEnabled(false);
      cell->setReadOnly(true);
      cell->setFocusPolicy(Qt::NoFocus);
    }
    Place(cell, ControlArray::Text2, i);
    cell->setAccessibleName(ToQString(Texts::CellName(i)));
    connect(cell, &QLineEdit::textEdited, this, [this, i] { text2Change(i); });
    connect(cell, &QLineEdit::returnPressed, this, [this, i] { text2Enter(i); });
    cell->installEventFilter(this);
    controls_.Text2[i] = cell;
  }
}

void Blendora::createTextBoxes() {
  const std::array<std::pair<std::string_view, std::string_view>, 2> texts = {
      {{Texts::Assignment, Texts::AssignmentName}, {Texts::Quotation, Texts::QuotationName}}};
  for (int index = 0; index < int(texts.size()); ++index) {
    auto* box = new QPlainTextEdit(this);
    // The stored lines end in CR LF; the box wants plain line feeds.
    const auto& [text, name] = texts[static_cast<std::size_t>(index)];
    box->setPlainText(ToQString(text).replace(u"\r\n"_qs, u"\n"_qs));
    box->setAccessibleName(ToQString(name));
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Place(box, ControlArray::Text1, index);
    controls_.Text1[index] = box;
  }
  controls_.Text1[1]->hide();
}

void Blendora::setKeyboardOrder() {
  std::vector<QWidget*> order;
  for (const ControlRef& ref : KeyboardOrder()) {
    order.push_back(control(ref));
  }
  // Qt links no widget that refuses the focus into the chain, and neither may its neighbours.
  std::erase_if(order, [](const QWidget* widget) { return widget->focusPolicy() == Qt::NoFocus; });
  for (std::size_t i = 1; i < order.size(); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
}

QWidget* Blendora::control(const ControlRef& ref) const {
  const auto index = static_cast<std::size_t>(ref.index);
  switch (ref.control) {
    case ControlArray::Label1:
      return controls_.Label1.at(index);
    case ControlArray::Command1:
      return controls_.Command1.at(index);
    case ControlArray::Frame1:
      return controls_.Frame1;
    case ControlArray::Option1:
      return controls_.Option1.at(index);
    case ControlArray::Text2:
      return controls_.Text2.at(index);
    case ControlArray::Text1:
      return controls_.Text1.at(index);
  }
  return nullptr;
}

void Blendora::load() {
  controls_.Option1[0]->setChecked(true);
  controls_.Text1[0]->setFocus();
}

void Blendora::option1Click(int index) {
  worksheet_.SelectVariant(static_cast<VariantIndex>(index));
  keepOnlySelectedOptionATabStop();
  refreshCells();
}

void Blendora::command1Click(int index) {
  try {
    if (index == CalculateCommand) {
      worksheet_.Calculate();
      refreshCells();
      announcer_->announce(ToQString(Texts::ResultsSpoken(worksheet_)));
    } else if (index == ClearCommand) {
      worksheet_.ClearAll();
      refreshCells();
    }
  } catch (const ArithmeticFault& fault) {
    // The grid stays as it was; an open solution says what is wrong with these numbers.
    refreshSolution();
    reportFault_(this, ToQString(Texts::FaultMessage(fault)));
  }
}

void Blendora::text2Change(int index) {
  worksheet_.SetCellText(static_cast<CellIndex>(index),
                         controls_.Text2[index]->text().toStdString());
  refreshSolution();
}

// Enter in the working row calculates, as the pupil expects of a calculator.
void Blendora::text2Enter(int index) {
  if (!worksheet_.IsLocked(static_cast<CellIndex>(index))) {
    command1Click(CalculateCommand);
  }
}

// A screen reader takes a click into a field silently, since the mouse user sees where the
// click went; a pupil who cannot see hears the cell's name and text instead.
bool Blendora::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
    const auto* cell = static_cast<QLineEdit*>(watched);
    const auto index = static_cast<CellIndex>(
        std::find(controls_.Text2.begin(), controls_.Text2.end(), cell) - controls_.Text2.begin());
    announcer_->announceClick(ToQString(Texts::CellSpoken(index, cell->text().toStdString())));
  }
  return QWidget::eventFilter(watched, event);
}

void Blendora::refreshCells() {
  for (CellIndex i = 0; i < CellCount; ++i) {
    QLineEdit* cell = controls_.Text2[i];
    const QString text = QString::fromStdString(worksheet_.CellText(i));
    if (cell->text() != text) {
      cell->setText(text);
    }
    cell->setReadOnly(worksheet_.IsLocked(i) || Worksheet::IsResultCell(i));
    // Each change is an event on the accessibility bus: send only the ones that happened.
    const QString explanation = QString::fromStdString(worksheet_.Explanation(i));
    if (cell->accessibleDescription() != explanation) {
      // Under the worked solution, where a pupil looks for more, the way to the whole solution
      // and to problems to practise on.
      const QString keys = explanation.isEmpty() ? QString()
                                                 : u'\n' + ToQString(Texts::SolutionKey) + u'\n' +
                                                       ToQString(Texts::PracticeKey);
      cell->setToolTip(explanation + keys);
      cell->setAccessibleDescription(explanation);
    }
  }
  refreshSolution();
}

void Blendora::openSolution() {
  if (solutionWindow_ == nullptr) {
    solutionWindow_ = new SolutionWindow(this);
  }
  refreshSolution();
  solutionWindow_->openBeside(this);
}

// An open solution follows the worksheet: once anything changes, it says that it comes after
// Изчисли again.
void Blendora::refreshSolution() {
  if (solutionWindow_ != nullptr) {
    solutionWindow_->showSolution(worksheet_.Solution());
  }
}

void Blendora::openPractice() {
  if (practiceWindow_ == nullptr) {
    practiceWindow_ = new PracticeWindow(this, [this](const Practice& practice) {
      typeIntoGrid(practice.ForGrid(worksheet_.DecimalSeparator()));
    });
  }
  practiceWindow_->openBeside(this);
}

void Blendora::openMyProblem() {
  if (myProblemWindow_ == nullptr) {
    myProblemWindow_ = new MyProblemWindow(this, [this](const MyProblem& problem) {
      typeIntoGrid(problem.ForGrid(worksheet_.DecimalSeparator()));
    });
  }
  myProblemWindow_->openBeside(this);
}

// As the pupil would: the variant, each given typed into its cell, then Изчисли.
void Blendora::typeIntoGrid(const Practice::GridEntry& entry) {
  controls_.Option1[entry.variant]->click();
  for (std::size_t i = 0; i < entry.columns.size(); ++i) {
    const CellIndex cell = CellOf(entry.variant, entry.columns[i]);
    controls_.Text2[cell]->setText(QString::fromStdString(entry.texts[i]));
    text2Change(cell);
  }
  command1Click(CalculateCommand);
}

void Blendora::keepOnlySelectedOptionATabStop() {
  KeepOnlyCheckedATabStop(controls_.Option1);
}
