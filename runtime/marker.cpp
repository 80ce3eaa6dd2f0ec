#include "runtime/marker.h"

#include "runtime/runtime_error.h"

#include <string>

namespace varn {

void ToggleMarker(Platform& platform, SceneId scene, std::string_view label) {
    bool empty = false;
    {
        std::string caption;
        Check(platform.ReadCaption(scene, label, caption), "Caption read", scene);
        empty = caption.empty();
    } // the temporary caption is released before the write
    Check(platform.WriteCaption(scene, label, empty ? kMarkerText : std::string_view{}),
          "Caption write", scene);
}

} // namespace varn
