#include "runtime/qt/accessible_text_box.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace varn::qt {

AccessibleTextBox::AccessibleTextBox(QPlainTextEdit& box)
    : QAccessibleWidget(&box, QAccessible::EditableText) {}

QPlainTextEdit& AccessibleTextBox::Box() const {
    return static_cast<QPlainTextEdit&>(*widget());
}

QString AccessibleTextBox::Text() const {
    return Box().toPlainText();
}

QAccessible::State AccessibleTextBox::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void* AccessibleTextBox::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void AccessibleTextBox::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    const QTextCursor cursor = Box().textCursor();
    const bool selected = selectionIndex == 0 && cursor.hasSelection();
    *startOffset = selected ? cursor.selectionStart() : 0;
    *endOffset = selected ? cursor.selectionEnd() : 0;
}

int AccessibleTextBox::selectionCount() const {
    return Box().textCursor().hasSelection() ? 1 : 0;
}

void AccessibleTextBox::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void AccessibleTextBox::removeSelection(int selectionIndex) {
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = Box().textCursor();
    cursor.clearSelection();
    Box().setTextCursor(cursor);
}

void AccessibleTextBox::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0)
        return;
    const int last = characterCount();
    QTextCursor cursor = Box().textCursor();
    cursor.setPosition(std::clamp(startOffset, 0, last));
    cursor.setPosition(std::clamp(endOffset, 0, last), QTextCursor::KeepAnchor);
    Box().setTextCursor(cursor);
}

int AccessibleTextBox::cursorPosition() const {
    return Box().textCursor().position();
}

void AccessibleTextBox::setCursorPosition(int position) {
    QTextCursor cursor = Box().textCursor();
    cursor.setPosition(std::clamp(position, 0, characterCount()));
    Box().setTextCursor(cursor);
}

QString AccessibleTextBox::text(int startOffset, int endOffset) const {
    return Text().mid(startOffset, endOffset - startOffset);
}

int AccessibleTextBox::characterCount() const {
    return int(Text().size());
}

QRect AccessibleTextBox::characterRect(int offset) const {
    QTextCursor cursor = Box().textCursor();
    cursor.setPosition(std::clamp(offset, 0, characterCount()));
    QRect area = Box().cursorRect(cursor);
    const QString character = text(offset, offset + 1);
    area.setWidth(character.isEmpty() ? 1
                                      : QFontMetrics(Box().font()).horizontalAdvance(character));
    return {Box().viewport()->mapToGlobal(area.topLeft()), area.size()};
}

int AccessibleTextBox::offsetAtPoint(const QPoint& point) const {
    const QPoint inside = Box().viewport()->mapFromGlobal(point);
    if (!Box().viewport()->rect().contains(inside))
        return -1;
    return Box().cursorForPosition(inside).position();
}

void AccessibleTextBox::scrollToSubstring(int, int) {
    // Every message fits its box: there is nothing to scroll to.
}

QString AccessibleTextBox::attributes(int, int* startOffset, int* endOffset) const {
    // One font and colour for the whole text: no runs to report.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace varn::qt
