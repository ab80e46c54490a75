#pragma once

#include <QWidget>

class QLineEdit;
class QTextEdit;

// What a screen reader needs beyond the controls' names, kept in one place.

// Passes accessibility events on to the platform's bridge, except the caret moves of a text
// box that has not yet been reported as focused: Qt sends a cell's caret move before its focus
// change, and a screen reader that hears the caret first moves its focus there silently.
void SendFocusBeforeCaret();

// Qt reports every line edit as editable; a result cell is told to be read-only text that
// takes no focus. Call before anything else is done with the cell.
void ReportAsResultCell(QLineEdit* cell);

// A read-only solution: each line is read as the window wraps it, to its last character and not
// into the next.
void ReportAsSolution(QTextEdit* text);

// Speaks a short message without taking the focus. Orca reads out an invisible object of the
// notification role whenever it appears; NVDA and Narrator hear a UI Automation notification
// that the window raises.
class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget* parent);
  void announce(const QString& message);
  // Orca keeps silent about a click into a field; the others speak it themselves, so this
  // reaches Orca alone.
  void announceClick(const QString& message);

 private:
  void appear(const QString& message);
};
