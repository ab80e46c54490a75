#include "window/screen_reader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPointer>

namespace {

QPointer<QObject> reportedFocus;

void FilterEvent(QAccessibleEvent* event);

// An update handler replaces the bridge, so the event goes to the bridge with it lifted.
void SendToBridge(QAccessibleEvent* event) {
  QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(FilterEvent);
}

bool IsCaretMove(QAccessible::Event type) {
  return type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged;
}

void FilterEvent(QAccessibleEvent* event) {
  if (event->type() == QAccessible::Focus) {
    reportedFocus = event->object();
  } else if (IsCaretMove(event->type()) && event->object() != reportedFocus) {
    return;
  }
  SendToBridge(event);
}

constexpr char ResultCellProperty[] = "blendoraResultCell";

// A result cell's text for reading, as a line edit gives it, without the editing.
class ResultCellAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ResultCellAccessible(QLineEdit* cell)
      : QAccessibleWidget(cell, QAccessible::EditableText), cell_(cell) {}

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? cell_->text() : QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.selectableText = true;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                              : QAccessibleWidget::interface_cast(type);
  }

  QString text(int startOffset, int endOffset) const override {
    return cell_->text().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return int(cell_->text().size()); }
  // Nothing can be selected in a disabled cell, and its caret stays at the start.
  void selection(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    return {};
  }

 private:
  QLineEdit* cell_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(Announcer::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
  }
  if (className == u"QLineEdit"_qs && object->property(ResultCellProperty).toBool()) {
    return new ResultCellAccessible(static_cast<QLineEdit*>(object));
  }
  return nullptr;
}

// Qt 6.4's UI Automation bridge passes the appearance of a notification object by, but turns a
// value change whose value is a text into a UI Automation notification, which NVDA and
// Narrator speak for the application that has the focus. Qt 6.8's QAccessibleAnnouncementEvent
// is the proper route once Qt is upgraded.
void NotifyUiAutomation([[maybe_unused]] QWidget* window, [[maybe_unused]] const QString& message) {
#ifdef Q_OS_WIN
  QAccessibleValueChangeEvent event(window, message);
  QAccessible::updateAccessibility(&event);
#endif
}

void InstallFactoryOnce() {
  static const bool installed = (QAccessible::installFactory(Factory), true);
  Q_UNUSED(installed);
}

}  // namespace

void SendFocusBeforeCaret() {
  QAccessible::installUpdateHandler(FilterEvent);
}

void ReportAsResultCell(QLineEdit* cell) {
  InstallFactoryOnce();
  cell->setProperty(ResultCellProperty, true);
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  InstallFactoryOnce();
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
  hide();
}

void Announcer::announce(const QString& message) {
  appear(message);
  NotifyUiAutomation(window(), message);
}

void Announcer::announceClick(const QString& message) {
  appear(message);
}

void Announcer::appear(const QString& message) {
  hide();
  setAccessibleName(message);
  show();
}
