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

#include "window/hamburger.xpm"
#include "window/layout.h"
#include "window/screen_reader.h"
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
  QMessageBox box(QMessageBox::Critical, Texts::FaultTitle.toString(), message, QMessageBox::Ok,
                  parent);
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
  load();
}

void Blendora::centreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void Blendora::setUpWindow() {
  setObjectName("Blendora");
  setWindowTitle(Texts::Caption.toString());
  setWindowIcon(QIcon(QPixmap(hamburger_xpm)));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(TwipsToPixels(QRect(QPoint(), ClientSizeInTwips)).size());
  setFont(QFont("Times New Roman", 12));
  PaintBackground(this, Colours::Window);
}

void Blendora::createLabels() {
  for (int k = 0; k < int(controls_.Label1.size()); ++k) {
    const QString caption =
        k == 0 ? Texts::Heading.toString() : Texts::ColumnHeading(static_cast<Column>(k - 1));
    auto* label = new QLabel(caption, this);
    label->setAlignment(Qt::AlignCenter);
    PaintBackground(label, Colours::Label);
    Place(label, ControlArray::Label1, k);
    controls_.Label1[k] = label;
  }
}

void Blendora::createCommands() {
  const std::array<std::pair<QStringView, QColor>, 2> commands = {
      {{Texts::Calculate, Colours::Calculate}, {Texts::Clear, Colours::Clear}}};
  for (int index = 0; index < int(commands.size()); ++index) {
    auto* button = new QPushButton(commands[index].first.toString(), this);
    Paint(button, QPalette::Button, commands[index].second);
    Place(button, ControlArray::Command1, index);
    connect(button, &QPushButton::clicked, this, [this, index] { command1Click(index); });
    controls_.Command1[index] = button;
  }
}

void Blendora::createOptions() {
  controls_.Frame1 = new QGroupBox(Texts::Variants.toString(), this);
  Place(controls_.Frame1, ControlArray::Frame1);
  for (VariantIndex v = 0; v < VariantCount; ++v) {
    auto* option = new QRadioButton(Texts::VariantCaption(v), controls_.Frame1);
    PaintBackground(option, Colours::Option);
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
      Paint(cell, QPalette::Base, Colours::ResultCell);
      Paint(cell, QPalette::Text, Colours::ResultText, QPalette::Disabled);
      cell->setEnabled(false);
      cell->setReadOnly(true);
      cell->setFocusPolicy(Qt::NoFocus);
    }
    Place(cell, ControlArray::Text2, i);
    cell->setAccessibleName(Texts::CellName(i));
    connect(cell, &QLineEdit::textEdited, this, [this, i] { text2Change(i); });
    connect(cell, &QLineEdit::returnPressed, this, [this, i] { text2Enter(i); });
    cell->installEventFilter(this);
    controls_.Text2[i] = cell;
  }
}

void Blendora::createTextBoxes() {
  const std::array<std::pair<const QString*, QStringView>, 2> texts = {
      {{&Texts::Assignment, Texts::AssignmentName}, {&Texts::Quotation, Texts::QuotationName}}};
  for (int index = 0; index < int(texts.size()); ++index) {
    auto* box = new QPlainTextEdit(this);
    // The stored lines end in CR LF; the box wants plain line feeds.
    box->setPlainText(QString(*texts[index].first).replace(u"\r\n"_qs, u"\n"_qs));
    box->setAccessibleName(texts[index].second.toString());
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

// The order the form was designed with: cells and buttons interleave as they were placed,
// and of the option buttons only the selected one is a stop, at its own place.
void Blendora::setKeyboardOrder() {
  const auto& c = controls_;
  std::vector<QWidget*> order = {c.Text1[0], c.Text1[1]};
  auto addCells = [&](std::initializer_list<int> cells) {
    for (int cell : cells) {
      order.push_back(c.Text2[cell]);
    }
  };
  auto addCellRange = [&](int first, int last) {
    for (int cell = first; cell <= last; ++cell) {
      order.push_back(c.Text2[cell]);
    }
  };
  addCells({0, 1, 2, 3, 5, 6, 7, 8, 10, 11, 12, 13, 15, 16, 17, 18});
  order.insert(order.end(), {c.Command1[0], c.Command1[1]});
  addCells({4, 9, 14, 19, 20, 21, 22, 23});
  order.insert(order.end(), c.Option1.begin(), c.Option1.begin() + 6);
  addCellRange(24, 35);
  order.push_back(c.Option1[6]);
  addCellRange(36, 41);
  // Qt links no widget that refuses the focus into the chain, and neither may its neighbours.
  std::erase_if(order, [](const QWidget* widget) { return widget->focusPolicy() == Qt::NoFocus; });
  for (std::size_t i = 1; i < order.size(); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
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
      announcer_->announce(Texts::ResultsSpoken(worksheet_));
    } else if (index == ClearCommand) {
      worksheet_.ClearAll();
      refreshCells();
    }
  } catch (const ArithmeticFault& fault) {
    reportFault_(this, Texts::FaultMessage(fault));
  }
}

void Blendora::text2Change(int index) {
  worksheet_.SetCellText(static_cast<CellIndex>(index),
                         controls_.Text2[index]->text().toStdString());
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
    announcer_->announceClick(Texts::CellSpoken(index, cell->text()));
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
      cell->setToolTip(explanation);
      cell->setAccessibleDescription(explanation);
    }
  }
}

void Blendora::keepOnlySelectedOptionATabStop() {
  for (QRadioButton* option : controls_.Option1) {
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::NoFocus);
  }
}
