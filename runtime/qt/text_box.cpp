#include "runtime/qt/text_box.h"

#include "runtime/accessible_text.h"
#include "runtime/qt/fonts.h"
#include "runtime/qt/units.h"

namespace varn::qt {

TextBox::TextBox(const SceneItem& item, QWidget* parent) : QPlainTextEdit(parent) {
    setFont(ItemFont(std::nullopt));
    QString text = ToQString(item.text);
    setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    setAccessibleName(ToQString(kMessageBoxAccessibleName));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(1);
    if (item.foreColor) {
        QPalette colours = palette();
        colours.setColor(QPalette::Text, ToQColor(*item.foreColor));
        setPalette(colours);
    }
}

} // namespace varn::qt
