#include "window/screen_reader.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>

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

// Read-only text for reading: its value, its state, and the text interface the subclass gives.
class ReadOnlyTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  ReadOnlyTextAccessible(QWidget* widget, bool multiLine)
      : QAccessibleWidget(widget, QAccessible::EditableText), multiLine_(multiLine) {}

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? value() : QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = multiLine_;
    state.selectableText = true;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                              : QAccessibleWidget::interface_cast(type);
  }

 protected:
  virtual QString value() const = 0;

 private:
  bool multiLine_;
};

// A result cell's text for reading, as a line edit gives it, without the editing.
class ResultCellAccessible : public ReadOnlyTextAccessible {
 public:
  explicit ResultCellAccessible(QLineEdit* cell)
      : ReadOnlyTextAccessible(cell, false), cell_(cell) {}

  using ReadOnlyTextAccessible::text;
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
  // One run without attributes over the whole text: Orca reads a line as the text of its runs,
  // and an empty run would lose the line's last character.
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

 protected:
  QString value() const override { return cell_->text(); }

 private:
  QLineEdit* cell_;
};

constexpr char SolutionProperty[] = "blendoraSolution";

// The solution's text, its lines as the window wraps them. Orca takes a line's length from the
// string it is given and reads the document's own characters over that length, so a line comes
// back exactly as the document holds it.
class SolutionAccessible : public ReadOnlyTextAccessible {
 public:
  explicit SolutionAccessible(QTextEdit* text) : ReadOnlyTextAccessible(text, true), text_(text) {}

  using ReadOnlyTextAccessible::text;
  QString text(int startOffset, int endOffset) const override {
    QTextCursor cursor(text_->document());
    cursor.setPosition(startOffset);
    cursor.setPosition(endOffset, QTextCursor::KeepAnchor);
    return cursor.selectedText();
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                       int* endOffset) const override {
    if (boundary != QAccessible::LineBoundary && boundary != QAccessible::ParagraphBoundary) {
      return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
    }
    return lineAt(clamped(offset), boundary, startOffset, endOffset);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                           int* endOffset) const override {
    if (boundary != QAccessible::LineBoundary && boundary != QAccessible::ParagraphBoundary) {
      return QAccessibleTextInterface::textBeforeOffset(offset, boundary, startOffset, endOffset);
    }
    lineAt(clamped(offset), boundary, startOffset, endOffset);
    if (*startOffset == 0) {
      *startOffset = *endOffset = -1;
      return {};
    }
    return lineAt(*startOffset - 1, boundary, startOffset, endOffset);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                          int* endOffset) const override {
    if (boundary != QAccessible::LineBoundary && boundary != QAccessible::ParagraphBoundary) {
      return QAccessibleTextInterface::textAfterOffset(offset, boundary, startOffset, endOffset);
    }
    lineAt(clamped(offset), boundary, startOffset, endOffset);
    if (*endOffset >= characterCount()) {
      *startOffset = *endOffset = -1;
      return {};
    }
    return lineAt(*endOffset + 1, boundary, startOffset, endOffset);
  }
  int characterCount() const override { return text_->document()->characterCount() - 1; }
  void selection(int, int* startOffset, int* endOffset) const override {
    const QTextCursor cursor = text_->textCursor();
    *startOffset = cursor.selectionStart();
    *endOffset = cursor.selectionEnd();
  }
  int selectionCount() const override { return text_->textCursor().hasSelection() ? 1 : 0; }
  void addSelection(int startOffset, int endOffset) override {
    setSelection(0, startOffset, endOffset);
  }
  void removeSelection(int) override {
    QTextCursor cursor = text_->textCursor();
    cursor.clearSelection();
    text_->setTextCursor(cursor);
  }
  void setSelection(int, int startOffset, int endOffset) override {
    QTextCursor cursor = text_->textCursor();
    cursor.setPosition(startOffset);
    cursor.setPosition(endOffset, QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
  }
  int cursorPosition() const override { return text_->textCursor().position(); }
  void setCursorPosition(int position) override {
    QTextCursor cursor = text_->textCursor();
    cursor.setPosition(position);
    text_->setTextCursor(cursor);
  }
  QRect characterRect(int offset) const override {
    QTextCursor cursor(text_->document());
    cursor.setPosition(offset);
    const QRect rect = text_->cursorRect(cursor);
    return {text_->viewport()->mapToGlobal(rect.topLeft()), rect.size()};
  }
  int offsetAtPoint(const QPoint& point) const override {
    return text_->cursorForPosition(text_->viewport()->mapFromGlobal(point)).position();
  }
  void scrollToSubstring(int startIndex, int) override {
    QTextCursor cursor(text_->document());
    cursor.setPosition(startIndex);
    text_->setTextCursor(cursor);
    text_->ensureCursorVisible();
  }
  QString attributes(int, int* startOffset, int* endOffset) const override {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
  }

 protected:
  QString value() const override { return text_->toPlainText(); }

 private:
  int clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }

  // The line at offset as the window wraps it, or the whole paragraph.
  QString lineAt(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                 int* endOffset) const {
    QTextCursor cursor(text_->document());
    cursor.setPosition(offset);
    const QTextBlock block = cursor.block();
    *startOffset = block.position();
    *endOffset = *startOffset + int(block.length()) - 1;
    if (boundary == QAccessible::LineBoundary && block.layout() != nullptr) {
      const QTextLine wrapped = block.layout()->lineForTextPosition(offset - block.position());
      if (wrapped.isValid()) {
        *startOffset = block.position() + wrapped.textStart();
        *endOffset = *startOffset + wrapped.textLength();
        return block.text().mid(wrapped.textStart(), wrapped.textLength());
      }
    }
    return block.text();
  }

  QTextEdit* text_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(Announcer::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
  }
  if (className == u"QLineEdit"_qs && object->property(ResultCellProperty).toBool()) {
    return new ResultCellAccessible(static_cast<QLineEdit*>(object));
  }
  if (className == u"QTextEdit"_qs && object->property(SolutionProperty).toBool()) {
    return new SolutionAccessible(static_cast<QTextEdit*>(object));
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

void ReportAsSolution(QTextEdit* text) {
  InstallFactoryOnce();
  text->setProperty(SolutionProperty, true);
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
