// The window operations the scene manager and the marker need, and nothing more.
// Every call reports a Status that the caller checks right after the call, so a
// failing window system stops a transition at the exact step that failed.
#pragma once

#include "runtime/scene.h"

#include <string>
#include <string_view>

namespace varn {

struct Status {
    bool ok = true;
    std::string detail; // why it failed, in the window system's words

    static Status Ok() { return {}; }
    static Status Failed(std::string why) { return {false, std::move(why)}; }
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Builds the scene's window, hidden, from its record.
    virtual Status CreateScene(const Scene& scene) = 0;
    virtual Status ShowScene(SceneId id) = 0;
    virtual Status HideScene(SceneId id) = 0;
    virtual Status ReadCaption(SceneId id, std::string_view label, std::string& caption) = 0;
    virtual Status WriteCaption(SceneId id, std::string_view label, std::string_view caption) = 0;
};

} // namespace varn
