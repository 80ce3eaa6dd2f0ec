#include "runtime/qt/scene_button.h"

#include "runtime/qt/fonts.h"
#include "runtime/qt/palette_roles.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace varn::qt {

namespace {
// Width of the bevel the face fill leaves visible, in pixels.
constexpr int kBevel = 2;
} // namespace

SceneButton::SceneButton(const SceneItem& item, QWidget* parent)
    : QPushButton(parent), item_(item) {
    setText(ToQString(item.caption));
    setFont(ItemFont(item.font));
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    if (item.mousePointer == MousePointer::SizeAll)
        setCursor(Qt::SizeAllCursor);
}

QStringList SceneButton::CaptionLines() const {
    return WrappedLines(text(), font(), width() - 2 * kBevel);
}

void SceneButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    if (item_.style == ButtonStyle::Graphical && item_.backColor) {
        const QRect face = rect().adjusted(kBevel, kBevel, -kBevel, -kBevel);
        painter.fillRect(isDown() ? face.translated(1, 1) : face, ToQColor(*item_.backColor));
    }

    QRect textArea = rect().adjusted(kBevel, kBevel, -kBevel, -kBevel);
    if (isDown())
        textArea.translate(1, 1);
    painter.setPen(palette().color(kButtonTextRole));
    painter.drawText(textArea, Qt::AlignCenter, CaptionLines().join(QLatin1Char('\n')));

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(kBevel + 1, kBevel + 1, -kBevel - 1, -kBevel - 1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace varn::qt
