#include "window/side_window.h"

#include <algorithm>

#include <QApplication>
#include <QScreen>
#include <QShortcut>

namespace {

constexpr int Gap = 8;  // between the two windows

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

SideWindow::SideWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
  setFont(mainWindow->font());  // a window does not take its parent's font by itself
  connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
}

void SideWindow::openBeside(QWidget* mainWindow) {
  const bool opening = !isVisible();
  if (opening) {
    returnFocus_ = QApplication::focusWidget();
    placeBeside(mainWindow);
  }
  show();
  if (opening) {
    // The frame's size is known once it is shown, on some desktops only once the window
    // manager has framed it: keep all of it beside the window, on screen.
    placeBeside(mainWindow);
    framing_ = frameGeometry() == geometry();
  }
  raise();
  activateWindow();
  focusOnOpening()->setFocus(Qt::ActiveWindowFocusReason);
}

void SideWindow::placeBeside(const QWidget* mainWindow) {
  move(BesideOf(mainWindow, frameGeometry().size()));
}

// A window manager frames the window after it is shown, and moves it into the frame.
void SideWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (framing_ && frameGeometry() != geometry()) {
    framing_ = false;
    placeBeside(parentWidget());
  }
}

void SideWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (returnFocus_) {
    returnFocus_->window()->activateWindow();
    returnFocus_->setFocus(Qt::ActiveWindowFocusReason);
  }
}
