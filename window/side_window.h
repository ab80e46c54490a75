#pragma once

#include <QPointer>
#include <QWidget>

// A window of its own beside the main window, without blocking it, in the main window's font.
// Esc closes it and gives the focus back to where it was.
class SideWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SideWindow(QWidget* mainWindow);

  // Opens beside the main window, or comes to the front, with the focus on focusOnOpening(); the
  // focus that the application had comes back on closing.
  void openBeside(QWidget* mainWindow);

 protected:
  virtual QWidget* focusOnOpening() const = 0;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void placeBeside(const QWidget* mainWindow);

  QPointer<QWidget> returnFocus_;
  bool framing_ = false;  // shown, and not yet framed by the window manager
};
