#pragma once

#include <QList>
#include <functional>

#include "form/my_problem.h"
#include "window/side_window.h"

class Announcer;
class QComboBox;
class QGridLayout;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class SolutionView;

// The pupil's own problem beside the main window (F3): the text typed or pasted from the
// textbook, read and solved on "Реши", the numbers of the text each with the role the pupil may
// change, and the problem typed into the grid where the grid expresses it.
class MyProblemWindow : public SideWindow {
  Q_OBJECT

 public:
  // Selects the problem's variant in the main window, types its givens and calculates.
  using GridTyper = std::function<void(const MyProblem& problem)>;

  struct Controls {
    QPlainTextEdit* text = nullptr;
    QPushButton* solve = nullptr;
    SolutionView* result = nullptr;
    QScrollArea* numbers = nullptr;  // a row for each number: as written, and its role
    QList<QComboBox*> roles;         // in the order of the text
    QPushButton* intoGrid = nullptr;
  };

  MyProblemWindow(QWidget* mainWindow, GridTyper typeIntoGrid);

  const Controls& controls() const { return controls_; }
  const MyProblem& problem() const { return problem_; }

 protected:
  QWidget* focusOnOpening() const override;

 private:
  QWidget* createText();
  QWidget* createNumbers();
  void setUpLayout();

  void solve();
  void forgetResult();
  void changeRole(qsizetype number, int role);
  void showResult();
  void showNumbers();

  MyProblem problem_;
  GridTyper typeIntoGrid_;
  Controls controls_;
  QGridLayout* numberGrid_ = nullptr;
  Announcer* announcer_;
};
