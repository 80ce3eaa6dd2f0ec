#include "runtime/web/scene_window.h"

#include "runtime/geometry.h"
#include "runtime/web/item_elements.h"

#include <algorithm>
#include <cmath>

namespace varn::web {

SceneWindow::SceneWindow(dom::Node desktop, const Scene& scene,
                         std::span<const std::uint8_t> picture, ClickHandler onClick,
                         std::function<void()> onClose)
    : scene_(scene), onClick_(std::move(onClick)), frame_(desktop, scene, std::move(onClose)) {
    if (frame_.IsBuilt())
        Build(picture);
}

void SceneWindow::Build(std::span<const std::uint8_t> picture) {
    const dom::Node client = frame_.Client();
    // The drawing comes first, so that every item lies above it; the items
    // follow in listing order, the order assistive technology reads them in.
    const dom::Node drawing = MakeDrawing(client, scene_);
    bool built = drawing != dom::kNoNode;
    std::map<const SceneItem*, dom::Node> focusable;
    for (const SceneItem& item : scene_.items) {
        dom::Node node = dom::kNoNode;
        switch (item.kind) {
        case ItemKind::CommandButton:
            node = MakeButton(client, item);
            dom::Listen(node, "click", [this, &item](const dom::Event&) {
                onClick_(scene_.id, item.action);
                return true;
            });
            focusable[&item] = node;
            break;
        case ItemKind::TextBox:
            node = MakeTextBox(client, item);
            focusable[&item] = node;
            break;
        case ItemKind::PictureBox:
            node = MakePictureBox(client, item, picture);
            break;
        case ItemKind::Label:
            node = MakeLabel(client, item);
            labels_[item.name] = {&item, node, std::string(item.caption)};
            break;
        case ItemKind::Shape:
            DrawShape(drawing, item);
            continue;
        case ItemKind::Line:
            DrawLine(drawing, item);
            continue;
        }
        built = built && node != dom::kNoNode;
    }
    // The marker's words are announced when they change.
    for (const SceneItem& item : scene_.items)
        if (item.action.kind == ClickAction::Kind::ToggleMarker &&
            HasLabel(item.action.markerLabel))
            dom::SetAttribute(labels_.at(item.action.markerLabel).node, "aria-live", "polite");
    for (const SceneItem* item : TabOrder(scene_))
        tabOrder_.push_back(focusable.at(item));
    ListenForLabelClicks();
    built_ = built;
}

void SceneWindow::ListenForLabelClicks() {
    const dom::Node client = frame_.Client();
    dom::Listen(client, "pointerdown", [this](const dom::Event& e) {
        if (e.onControl)
            return false;
        pressedLabel_ = e.button == 0 ? LabelAt(e) : nullptr;
        return false;
    });
    dom::Listen(client, "pointerup", [this](const dom::Event& e) {
        const SceneItem* pressed = std::exchange(pressedLabel_, nullptr);
        // A label is clicked when the main button goes down and up over it.
        if (pressed != nullptr && e.button == 0 && !e.onControl && LabelAt(e) == pressed)
            onClick_(scene_.id, pressed->action);
        return false;
    });
    // A press on the drawing keeps the focus where it is, as on the desktop.
    dom::Listen(client, "mousedown", [](const dom::Event& e) { return !e.onControl; });
    // Assistive technology presses a label that leads somewhere; pointers
    // never reach a label itself (the stylesheet lets them through).
    for (const auto& [name, label] : labels_)
        if (label.item->action.kind != ClickAction::Kind::None)
            dom::Listen(label.node, "click", [this, item = label.item](const dom::Event& e) {
                if (!e.fromPointer)
                    onClick_(scene_.id, item->action);
                return true;
            });
}

const SceneItem* SceneWindow::LabelAt(const dom::Event& event) const {
    const dom::Box client = dom::Bounds(frame_.Client());
    // CSS pixels are the scene's pixels, whatever the zoom.
    return varn::LabelAt(scene_, int(std::floor(event.x - client.left)),
                         int(std::floor(event.y - client.top)));
}

std::string SceneWindow::Caption(std::string_view label) const {
    auto found = labels_.find(label);
    return found == labels_.end() ? std::string() : found->second.caption;
}

bool SceneWindow::SetCaption(std::string_view label, std::string_view caption) {
    auto found = labels_.find(label);
    if (found == labels_.end())
        return false;
    if (!dom::SetText(found->second.node, caption))
        return false;
    found->second.caption = caption;
    return true;
}

void SceneWindow::FocusFirstItem() {
    if (!tabOrder_.empty())
        dom::Focus(tabOrder_.front());
}

void SceneWindow::MoveFocus(bool backwards) {
    if (tabOrder_.empty())
        return;
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), dom::FocusedNode());
    const std::size_t count = tabOrder_.size();
    std::size_t next = 0;
    if (at == tabOrder_.end())
        next = backwards ? count - 1 : 0;
    else
        next = (std::size_t(at - tabOrder_.begin()) + (backwards ? count - 1 : 1)) % count;
    dom::Focus(tabOrder_[next]);
}

} // namespace varn::web
