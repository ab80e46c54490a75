#pragma once

#include <QWidget>
#include <optional>

#include "form/solution_picture.h"
#include "window/side_window.h"
#include "window/solution_view.h"
#include "worksheet/solution.h"

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

// The row solved step by step, or why it could not be, beside the main window (F1): the lines
// and the table as read-only text to select and copy, and the picture under them.
class SolutionWindow : public SideWindow {
  Q_OBJECT

 public:
  explicit SolutionWindow(QWidget* mainWindow);

  // The solution, or one line saying that it comes after Изчисли.
  void showSolution(const std::optional<RowSolution>& solution);

  SolutionView* text() const { return text_; }
  PictureView* pictureView() const { return picture_; }

 protected:
  QWidget* focusOnOpening() const override;

 private:
  SolutionView* text_;
  PictureView* picture_;
};
