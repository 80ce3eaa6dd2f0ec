// The window of one scene on the page, built from its record: real controls
// for the windowed kinds, labels as positioned text, shapes and lines drawn
// beneath. A pointer pressed and released over a label is a click on the
// topmost label there, found by the same rule every layer uses; assistive
// technology, Enter or Space press a label that leads somewhere directly.
#pragma once

#include "runtime/scene.h"
#include "runtime/web/window_frame.h"

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace varn::web {

class SceneWindow {
  public:
    using ClickHandler = std::function<void(SceneId, const ClickAction&)>;

    SceneWindow(dom::Node desktop, const Scene& scene, std::span<const std::uint8_t> picture,
                ClickHandler onClick, std::function<void()> onClose);

    // Whether the page built every part of the window.
    bool IsBuilt() const { return built_; }
    const Scene& Record() const { return scene_; }
    WindowFrame& Frame() { return frame_; }

    // Label captions are window state: read and written by name.
    bool HasLabel(std::string_view name) const { return labels_.contains(name); }
    std::string Caption(std::string_view label) const;
    bool SetCaption(std::string_view label, std::string_view caption);

    // Gives the focus to the focusable item with the lowest tab index.
    void FocusFirstItem();
    // Tab and Shift+Tab walk the scene's focusable items and stay inside it.
    void MoveFocus(bool backwards);
    // The arrow keys walk the window's pressable items (its buttons and the
    // labels that lead somewhere) in listing order, round and round; false,
    // leaving the key to the page, when the focus is on none of them.
    bool MoveAmongPressable(int step);
    // The focus cue shows once a key is pressed in the window, and each
    // showing hides it again, as in a freshly opened desktop dialog.
    void KeyPressed() { dom::SetAttribute(frame_.Window(), "data-keys", "true"); }
    void HideFocusCue() { dom::SetAttribute(frame_.Window(), "data-keys", "false"); }

    bool HasBeenShown() const { return hasBeenShown_; }
    void MarkShown() { hasBeenShown_ = true; }

  private:
    struct Label {
        const SceneItem* item;
        dom::Node node;
        std::string caption;
    };
    void Build(std::span<const std::uint8_t> picture);
    void ListenForLabelClicks();
    const SceneItem* LabelAt(const dom::Event& event) const;

    const Scene& scene_;
    ClickHandler onClick_;
    WindowFrame frame_;
    std::map<std::string_view, Label> labels_;
    std::vector<dom::Node> tabOrder_;  // focusable items by increasing tab index
    std::vector<dom::Node> pressable_; // buttons and labels that lead somewhere, listed order
    std::map<std::string_view, dom::Node> markers_; // each marker button by its label
    const SceneItem* pressedLabel_ = nullptr;
    bool built_ = false;
    bool hasBeenShown_ = false;
};

} // namespace varn::web
