#pragma once

#include <QList>
#include <array>
#include <functional>

#include "form/practice.h"
#include "form/teacher_sheet.h"
#include "window/side_window.h"

class Announcer;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class SolutionView;

// A pupil's practice beside the main window (F2): word problems one at a time from a numbered
// sheet at a chosen level, a box for each quantity asked, the check, hints up to the whole
// solution, the problem typed into the grid once it is solved, and the tally; and the teacher's
// sheet of the same problems, saved as a PDF.
class PracticeWindow : public SideWindow {
  Q_OBJECT

 public:
  // Selects the problem's variant in the main window, types its givens and calculates.
  using GridTyper = std::function<void(const Practice& practice)>;

  struct Controls {
    std::array<QRadioButton*, Levels.size()> levels{};  // in the order of Levels
    QPushButton* newProblem = nullptr;
    QLabel* heading = nullptr;  // "Задача 3": its place on the sheet
    QPlainTextEdit* problem = nullptr;
    QList<QLineEdit*> answers;  // in the order the problem asks
    QPushButton* check = nullptr;
    QPushButton* hint = nullptr;
    QPushButton* showSolution = nullptr;
    QLabel* feedback = nullptr;
    QPushButton* intoGrid = nullptr;
    SolutionView* solution = nullptr;
    QLabel* tally = nullptr;
    QLabel* sheetTitle = nullptr;
    QSpinBox* count = nullptr;
    QPushButton* otherSheet = nullptr;
    QPushButton* savePdf = nullptr;
  };

  PracticeWindow(QWidget* mainWindow, GridTyper typeIntoGrid);

  const Controls& controls() const { return controls_; }
  const Practice& practice() const { return practice_; }
  // The sheet of the practice's number and level, with the count chosen.
  TeacherSheet sheet() const;

 protected:
  QWidget* focusOnOpening() const override;

 private:
  QWidget* createLevels();
  QWidget* createProblem();
  QWidget* createCommands();
  QWidget* createSheetControls();
  void setUpLayout();

  void showProblem();
  void showAnswerBoxes();
  void showProgress();
  void chooseLevel(Level level);
  void newProblem();
  void check();
  void hint();
  void showSolution();
  void readOnIfSpent(QPushButton* pressed);
  void otherSheet();
  void saveSheet();

  Practice practice_;
  GridTyper typeIntoGrid_;
  Controls controls_;
  QGridLayout* answerGrid_ = nullptr;
  Announcer* announcer_;
};
