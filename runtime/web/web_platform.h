// The window operations of the scene manager and the marker, carried out on
// the page's own elements. Each reports whether the page did what was asked.
#pragma once

#include "runtime/platform.h"
#include "runtime/scene_windows.h"
#include "runtime/web/scene_window.h"

namespace varn::web {

class WebPlatform : public Platform {
  public:
    // The windows go inside `desktop`, the page's area for them.
    WebPlatform(dom::Node desktop, SceneWindow::ClickHandler onClick,
                std::function<void()> onClose);

    Status CreateScene(const Scene& scene) override;
    Status ShowScene(SceneId id) override;
    Status HideScene(SceneId id) override;
    Status ReadCaption(SceneId id, std::string_view label, std::string& caption) override;
    Status WriteCaption(SceneId id, std::string_view label, std::string_view caption) override;

    // The scene window that is showing, or null.
    SceneWindow* Showing() const;

    // From now on each window shown writes its title and description (its
    // place, or an ending's message) into `region`, a live region that
    // screen readers speak from. Orca in Firefox mostly says nothing of a
    // window the focus moves into once the window it came from has gone: it
    // finds its point of regard again inside the new window, and so speaks
    // no ancestor of the focus, neither the window's name nor its
    // description. The region lies outside the desktop, so that this stays
    // so and the place is heard once. The region starts with the window
    // showing, so that the page as served already holds it: Orca reads it
    // with the page as it finishes loading, when it speaks no live change.
    void AnnounceWindowsIn(dom::Node region);

  private:
    void PlaceOnFirstShowing(SceneWindow& window);

    dom::Node desktop_;
    dom::Node announcer_ = dom::kNoNode;
    SceneWindow::ClickHandler onClick_;
    std::function<void()> onClose_;
    SceneWindows<SceneWindow> windows_;
    int topmost_ = 0;  // the stacking order of the window shown last
    int cascaded_ = 0; // windows placed where the page places new ones
};

} // namespace varn::web
