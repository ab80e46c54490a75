#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "form/layout.h"
#include "form/practice.h"
#include "worksheet/worksheet.h"

class Announcer;
class MyProblemWindow;
class PracticeWindow;
class SolutionWindow;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The controls of one kind, numbered from 0 as the form numbers them: an int index, as the
// form's tables give it, reaches an element without a cast at every use.
template <typename Control, std::size_t Count>
struct ControlList : std::array<Control*, Count> {
  using std::array<Control*, Count>::operator[];
  Control*& operator[](int index) { return (*this)[static_cast<std::size_t>(index)]; }
  Control* const& operator[](int index) const { return (*this)[static_cast<std::size_t>(index)]; }
};

// The program's one window: a grid of 42 cells that shows the worksheet, seven variant
// buttons, Calculate and Clear, and the assignment below.
class Blendora : public QWidget {
  Q_OBJECT

 public:
  // The controls, as arrays that share one name and one handler per event.
  struct Controls {
    ControlList<QLabel, 7> Label1{};
    ControlList<QPushButton, 2> Command1{};
    QGroupBox* Frame1 = nullptr;
    ControlList<QRadioButton, VariantCount> Option1{};
    ControlList<QLineEdit, CellCount> Text2{};
    ControlList<QPlainTextEdit, 2> Text1{};
  };
  using FaultReporter = std::function<void(QWidget* parent, const QString& message)>;

  explicit Blendora(QWidget* parent = nullptr);

  const Controls& controls() const { return controls_; }
  const Worksheet& worksheet() const { return worksheet_; }
  // Tells the pupil of a failed calculation; a critical message box unless replaced.
  void setFaultReporter(FaultReporter reporter) { reportFault_ = std::move(reporter); }
  void centreOnScreen();
  // The step-by-step solution's window (F1), once it has been opened.
  SolutionWindow* solutionWindow() const { return solutionWindow_; }
  // The practice's window (F2), once it has been opened.
  PracticeWindow* practiceWindow() const { return practiceWindow_; }
  // The pupil's own problem's window (F3), once it has been opened.
  MyProblemWindow* myProblemWindow() const { return myProblemWindow_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();
  void createLabels();
  void createCommands();
  void createOptions();
  void createCells();
  void createTextBoxes();
  void setKeyboardOrder();
  QWidget* control(const ControlRef& ref) const;
  void load();

  void option1Click(int index);
  void command1Click(int index);
  void text2Change(int index);
  void text2Enter(int index);
  void refreshCells();
  void openSolution();
  void refreshSolution();
  void openPractice();
  void openMyProblem();
  void typeIntoGrid(const Practice::GridEntry& entry);
  void keepOnlySelectedOptionATabStop();

  Worksheet worksheet_;
  Controls controls_;
  FaultReporter reportFault_;
  Announcer* announcer_;
  SolutionWindow* solutionWindow_ = nullptr;    // made on the first F1, which most runs never press
  PracticeWindow* practiceWindow_ = nullptr;    // made on the first F2
  MyProblemWindow* myProblemWindow_ = nullptr;  // made on the first F3
};
