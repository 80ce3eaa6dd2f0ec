#include "runtime/click_action.h"

#include "runtime/marker.h"

namespace varn {

void RunClickAction(SceneManager& manager, SceneId scene, const ClickAction& action) {
    switch (action.kind) {
    case ClickAction::Kind::None:
        return;
    case ClickAction::Kind::GoTo:
        manager.GoTo(scene, action.target, action.order);
        return;
    case ClickAction::Kind::ToggleMarker:
        ToggleMarker(manager.GetPlatform(), scene, action.markerLabel);
        return;
    }
}

} // namespace varn
