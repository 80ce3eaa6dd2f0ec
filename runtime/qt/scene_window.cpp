#include "runtime/qt/scene_window.h"

#include "runtime/accessible_text.h"
#include "runtime/qt/accessibility.h"
#include "runtime/qt/item_painter.h"
#include "runtime/qt/palette_roles.h"
#include "runtime/qt/picture_box.h"
#include "runtime/qt/scene_button.h"
#include "runtime/qt/text_box.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPainter>

namespace varn::qt {

namespace {

Qt::WindowFlags FrameFlags(const Scene& scene) {
    if (scene.minButton && scene.maxButton)
        return Qt::Window;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (scene.minButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (scene.maxButton)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

SceneWindow::SceneWindow(const Scene& scene, const PictureLoader& pictures, ClickHandler onClick,
                         std::function<void()> onClose)
    : QWidget(nullptr, FrameFlags(scene)), scene_(scene), onClick_(std::move(onClick)),
      onClose_(std::move(onClose)) {
    InstallSceneAccessibility(); // before the title below is announced
    setObjectName(ToQString(SceneName(scene.id)));
    setWindowTitle(ToQString(scene.caption));
    resize(TwipsToPixels(scene.clientWidth), TwipsToPixels(scene.clientHeight));
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (const SceneItem& item : scene.items)
        if (item.kind == ItemKind::Label)
            captions_[item.name] = ToQString(item.caption);
    BuildWidgets(pictures);
}

void SceneWindow::BuildWidgets(const PictureLoader& pictures) {
    std::map<const SceneItem*, QWidget*> widgets;
    for (const SceneItem& item : scene_.items) {
        QWidget* widget = nullptr;
        switch (item.kind) {
        case ItemKind::CommandButton: {
            auto* button = new SceneButton(item, this);
            connect(button, &QPushButton::clicked, this,
                    [this, &item] { onClick_(scene_.id, item.action); });
            widget = button;
            break;
        }
        case ItemKind::TextBox:
            widget = new TextBox(item, this);
            break;
        case ItemKind::PictureBox:
            widget = new PictureBox(pictures(item.picture), this);
            break;
        case ItemKind::Label:
        case ItemKind::Shape:
        case ItemKind::Line:
            break;
        }
        if (widget == nullptr)
            continue;
        // Every windowed item is named and placed here, whatever its kind.
        widget->setObjectName(ToQString(item.name));
        widget->setGeometry(ToQRect(item.rect));
        // Items that show no words of their own are named for screen readers.
        if (const AccessibleText spoken = AccessibleTextOf(item); !spoken.name.empty()) {
            widget->setAccessibleName(ToQString(spoken.name));
            widget->setAccessibleDescription(ToQString(spoken.description));
        }
        widgets[&item] = widget;
    }
    for (const SceneItem* item : TabOrder(scene_))
        tabOrder_.push_back(widgets.at(item));
    for (std::size_t i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

QString SceneWindow::Caption(std::string_view label) const {
    auto found = captions_.find(label);
    return found == captions_.end() ? QString() : found->second;
}

void SceneWindow::SetCaption(std::string_view label, const QString& caption) {
    auto found = captions_.find(label);
    if (found == captions_.end() || found->second == caption)
        return;
    found->second = caption;
    if (const SceneItem* item = scene_.FindItem(label)) {
        update(ToQRect(item->rect));
        AnnounceCaptionChange(*this, *item);
    }
}

void SceneWindow::FocusFirstItem() {
    if (!tabOrder_.empty())
        tabOrder_.front()->setFocus(Qt::OtherFocusReason);
}

const SceneItem* SceneWindow::LabelAt(const QPoint& point) const {
    return varn::LabelAt(scene_, point.x(), point.y());
}

void SceneWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A hidden scene keeps no pixels: its window-system buffer shrinks to
    // nothing, and showing it again paints it afresh.
    if (!event->spontaneous())
        if (QBackingStore* store = backingStore())
            store->resize(QSize(1, 1));
}

void SceneWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.fillRect(rect(), Resolve(scene_.backColor, palette(), kFaceRole));
    for (const SceneItem& item : scene_.items) {
        if (!event->rect().intersects(ToQRect(PaintedArea(item))))
            continue; // a small repaint (a marker, a hover) leaves the rest alone
        switch (item.kind) {
        case ItemKind::Label:
            PaintLabel(painter, item, captions_.at(item.name), palette());
            break;
        case ItemKind::Shape:
            PaintShape(painter, item, palette());
            break;
        case ItemKind::Line:
            PaintLine(painter, item, palette());
            break;
        default:
            break;
        }
    }
}

void SceneWindow::mousePressEvent(QMouseEvent* event) {
    pressedLabel_ =
        event->button() == Qt::LeftButton ? LabelAt(event->position().toPoint()) : nullptr;
}

void SceneWindow::mouseReleaseEvent(QMouseEvent* event) {
    const SceneItem* pressed = std::exchange(pressedLabel_, nullptr);
    // A label is clicked when the left button goes down and up over it.
    if (pressed != nullptr && event->button() == Qt::LeftButton &&
        LabelAt(event->position().toPoint()) == pressed)
        RunClick(*pressed);
}

void SceneWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    onClose_();
}

} // namespace varn::qt
