#include "window/solution_window.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "form/solution_text.h"
#include "window/layout.h"
#include "window/texts.h"

namespace {

constexpr int Gap = 8;  // between the two windows, and around the contents
// Narrow enough to stand beside the window on a 1366-pixel screen, wide enough for the picture.
constexpr QSize WindowSize(420, 560);

QString SolutionText(const std::optional<RowSolution>& solution, std::string_view separator) {
  QStringList lines = {ToQString(Texts::SolutionHeading)};
  if (!solution) {
    lines << ToQString(Texts::SolutionLater);
  } else {
    for (const std::string& line : Texts::SolutionLines(*solution, separator)) {
      lines << ToQString(line);
    }
  }
  return lines.join(u'\n');
}

// Right of the main window where the screen has room, else left of it, and always on the screen.
QPoint BesideOf(const QWidget* mainWindow, QSize size) {
  const QRect main = mainWindow->frameGeometry();
  QPoint place(main.right() + 1 + Gap, main.top());
  if (const QScreen* screen = mainWindow->screen()) {
    const QRect room = screen->availableGeometry();
    if (place.x() + size.width() > room.right()) {
      place.setX(main.left() - Gap - size.width());
    }
    place.setX(
        std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - size.width())));
    place.setY(
        std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
  }
  return place;
}

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
  hide();
}

void PictureView::setPicture(std::optional<SolutionPicture> picture) {
  picture_ = std::move(picture);
  setVisible(picture_.has_value());
  if (picture_) {
    setFixedSize(picture_->width, picture_->height);
    setAccessibleName(ToQString(picture_->description));
  }
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  if (!picture_) {
    return;
  }
  QPainter painter(this);
  const QColor ink = ToQColor(Colours::PictureInk);
  painter.setPen(QPen(ink, 1));
  for (const PictureBox& box : picture_->boxes) {
    const QRect area(box.left, box.top, box.width, box.height);
    painter.fillRect(area, ToQColor(box.fill));
    if (box.hatched) {
      painter.fillRect(area, QBrush(ink, Qt::BDiagPattern));
    }
    painter.drawRect(area.adjusted(0, 0, -1, -1));
  }
  QFont labels = font();
  labels.setPixelSize(PictureFontPixels);
  painter.setFont(labels);
  for (const PictureLabel& label : picture_->labels) {
    painter.drawText(label.left, label.baseline, ToQString(label.text));
  }
}

SolutionWindow::SolutionWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window),
      text_(new QPlainTextEdit(this)),
      picture_(new PictureView(this)) {
  setObjectName("SolutionWindow");
  setWindowTitle(ToQString(Texts::SolutionHeading));
  setFont(mainWindow->font());  // a window does not take its parent's font by itself
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setAccessibleName(ToQString(Texts::SolutionHeading));
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text_->setTabChangesFocus(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(Gap, Gap, Gap, Gap);
  layout->addWidget(text_, 1);
  layout->addWidget(picture_, 0, Qt::AlignLeft);
  resize(WindowSize);
  connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
}

void SolutionWindow::showSolution(const std::optional<RowSolution>& solution,
                                  std::string_view separator) {
  const QString text = SolutionText(solution, separator);
  if (text_->toPlainText() != text) {
    text_->setPlainText(text);
  }
  picture_->setPicture(solution ? DrawSolution(*solution, separator) : std::nullopt);
}

void SolutionWindow::openBeside(QWidget* mainWindow) {
  const bool opening = !isVisible();
  if (opening) {
    returnFocus_ = QApplication::focusWidget();
    move(BesideOf(mainWindow, frameGeometry().size()));
  }
  show();
  if (opening) {
    // The frame's size is known once it is shown: keep all of it beside the window, on screen.
    move(BesideOf(mainWindow, frameGeometry().size()));
  }
  raise();
  activateWindow();
  text_->setFocus(Qt::ActiveWindowFocusReason);
}

void SolutionWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (returnFocus_) {
    returnFocus_->window()->activateWindow();
    returnFocus_->setFocus(Qt::ActiveWindowFocusReason);
  }
}
