// The window operations of the scene manager and the marker, carried out with
// the Windows API. Each reports whether the system did what was asked, in the
// system's own words when it did not.
#pragma once

#include "runtime/platform.h"
#include "runtime/scene_windows.h"
#include "runtime/win32/gdi_resources.h"
#include "runtime/win32/scene_window.h"

#include <memory>

namespace varn::win32 {

class Win32Platform : public Platform {
  public:
    Win32Platform(SceneWindow::ClickHandler onClick, std::function<void()> onClose);
    ~Win32Platform() override;

    Status CreateScene(const Scene& scene) override;
    Status ShowScene(SceneId id) override;
    Status HideScene(SceneId id) override;
    Status ReadCaption(SceneId id, std::string_view label, std::string& caption) override;
    Status WriteCaption(SceneId id, std::string_view label, std::string_view caption) override;

    // The scene's window, or null before it is created.
    SceneWindow* Window(SceneId id) const;
    // The scene whose top-level window this is, or null.
    SceneWindow* SceneOf(HWND window) const;

  private:
    SceneWindow::ClickHandler onClick_;
    std::function<void()> onClose_;
    bool classesRegistered_ = false;
    GdiResources gdi_;
    SceneWindows<SceneWindow> windows_;
};

} // namespace varn::win32
