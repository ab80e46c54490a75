#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string_view>

#include "form/solution_picture.h"
#include "worksheet/solution.h"

class QPlainTextEdit;

// The segment model, drawn as the form lays it out.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(QWidget* parent);
  void setPicture(std::optional<SolutionPicture> picture);
  const std::optional<SolutionPicture>& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<SolutionPicture> picture_;
};

// The row solved step by step, in a window of its own beside the main window and without
// blocking it: the lines as read-only text to select and copy, and the picture under them. Esc
// closes it and gives the focus back to where it was.
class SolutionWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SolutionWindow(QWidget* mainWindow);

  // The solution, or one line saying that it comes after Изчисли.
  void showSolution(const std::optional<RowSolution>& solution, std::string_view separator);
  // Opens beside the main window with the focus in the text; the focus that the main window
  // had comes back on closing.
  void openBeside(QWidget* mainWindow);

  QPlainTextEdit* text() const { return text_; }
  PictureView* pictureView() const { return picture_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPlainTextEdit* text_;
  PictureView* picture_;
  QPointer<QWidget> returnFocus_;
};
