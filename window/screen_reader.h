#pragma once

#include <QWidget>

class QLineEdit;

// What a screen reader needs beyond the controls' names, kept in one place.

// Passes accessibility events on to the platform's bridge, except the caret moves of a text
// box that has not yet been reported as focused: Qt sends a cell's caret move before its focus
// change, and a screen reader that hears the caret first moves its focus there silently.
void SendFocusBeforeCaret();

// Qt reports every line edit as editable; a result cell is told to be read-only text that
// takes no focus. Call before anything else is done with the cell.
void ReportAsResultCell(QLineEdit* cell);

// Speaks a short message without taking the focus: an invisible object of the notification
// role that a screen reader reads out whenever it appears.
class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget* parent);
  void announce(const QString& message);
};
