#include "runtime/web/scene_window.h"

#include "runtime/accessible_text.h"
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
            pressable_.push_back(node);
            if (item.action.kind == ClickAction::Kind::ToggleMarker)
                markers_[item.action.markerLabel] = node;
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
            if (IsPressableLabel(item))
                pressable_.push_back(node);
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
    // Assistive technology presses a label that leads somewhere, and so do
    // Enter and Space while it has the focus; a pointer's click on it is the
    // client area's, found by place above.
    for (const auto& [name, label] : labels_) {
        if (!IsPressableLabel(*label.item))
            continue;
        dom::Listen(label.node, "click", [this, item = label.item](const dom::Event& e) {
            if (!e.fromPointer)
                onClick_(scene_.id, item->action);
            return true;
        });
        dom::Listen(label.node, "keydown", [this, item = label.item](const dom::Event& e) {
            if (e.activate)
                onClick_(scene_.id, item->action);
            return e.activate;
        });
    }
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
    // A marker is pressed while its words are shown.
    if (auto marker = markers_.find(label); marker != markers_.end())
        return dom::SetAttribute(marker->second, "aria-pressed",
                                 caption.empty() ? "false" : "true");
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

bool SceneWindow::MoveAmongPressable(int step) {
    const auto at = std::find(pressable_.begin(), pressable_.end(), dom::FocusedNode());
    if (at == pressable_.end() || step == 0)
        return false;
    const std::size_t count = pressable_.size();
    const std::size_t index = std::size_t(at - pressable_.begin());
    dom::Focus(pressable_[(index + (step > 0 ? 1 : count - 1)) % count]);
    return true;
}

} // namespace varn::web
