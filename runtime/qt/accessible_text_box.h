// A message box as assistive technology sees it: multi-line text that can be
// read, walked through and selected, but offers no way to change it. (The
// toolkit's own interface for a read-only text edit still accepts edits from
// assistive technology, which would let a screen reader rewrite a message.)
#pragma once

#include <QAccessibleWidget>

class QPlainTextEdit;

namespace varn::qt {

class AccessibleTextBox : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit AccessibleTextBox(QPlainTextEdit& box);

    // The box is read as one piece of text; its viewport and hidden scroll
    // bars are not shown as children.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  private:
    QPlainTextEdit& Box() const;
    QString Text() const;
};

} // namespace varn::qt
