// Compile-time checks over the scene tables: what the compiler can prove about
// the data is never left to a test.
#pragma once

#include "runtime/scene.h"

#include <span>

namespace varn {

constexpr bool HasUniqueItemNames(const Scene& scene) {
    for (std::size_t i = 0; i < scene.items.size(); ++i)
        for (std::size_t j = i + 1; j < scene.items.size(); ++j)
            if (scene.items[i].name == scene.items[j].name)
                return false;
    return true;
}

constexpr bool HasUniqueTabIndices(const Scene& scene) {
    for (std::size_t i = 0; i < scene.items.size(); ++i)
        for (std::size_t j = i + 1; j < scene.items.size(); ++j)
            if (scene.items[i].tabIndex >= 0 && scene.items[i].tabIndex == scene.items[j].tabIndex)
                return false;
    return true;
}

// Every ToggleMarker names a label of its own scene, and only buttons and
// labels carry actions.
constexpr bool HasValidActions(const Scene& scene) {
    for (const SceneItem& item : scene.items) {
        if (item.action.kind == ClickAction::Kind::None)
            continue;
        if (item.kind != ItemKind::CommandButton && item.kind != ItemKind::Label)
            return false;
        if (item.action.kind == ClickAction::Kind::ToggleMarker) {
            const std::size_t label = scene.IndexOf(item.action.markerLabel);
            if (label == scene.items.size() || scene.items[label].kind != ItemKind::Label)
                return false;
        }
    }
    return true;
}

// Every scene says what kind of place it is, and an ending holds the message
// box its window description reads out.
constexpr bool DescribesItsPlace(const Scene& scene) {
    int boxes = 0;
    for (const SceneItem& item : scene.items)
        boxes += item.kind == ItemKind::TextBox ? 1 : 0;
    return !scene.place.empty() && (!scene.ending || boxes == 1);
}

constexpr bool IsWellFormed(const Scene& scene) {
    return HasUniqueItemNames(scene) && HasUniqueTabIndices(scene) && HasValidActions(scene) &&
           DescribesItsPlace(scene);
}

// The catalogue holds exactly one record per scene id, so every GoTo target exists.
constexpr bool CoversEveryScene(std::span<const Scene* const> scenes) {
    for (SceneId id : kAllScenes) {
        int count = 0;
        for (const Scene* scene : scenes)
            count += scene->id == id ? 1 : 0;
        if (count != 1)
            return false;
    }
    return scenes.size() == std::size(kAllScenes);
}

} // namespace varn
