// The window operations of the scene manager and the marker, carried out with
// Qt widgets. Each reports whether the window system did what was asked.
#pragma once

#include "runtime/platform.h"
#include "runtime/qt/scene_window.h"
#include "runtime/scene_windows.h"

#include <QImage>

#include <map>
#include <memory>

namespace varn::qt {

class QtPlatform : public Platform {
  public:
    QtPlatform(SceneWindow::ClickHandler onClick, std::function<void()> onClose);
    ~QtPlatform() override;

    Status CreateScene(const Scene& scene) override;
    Status ShowScene(SceneId id) override;
    Status HideScene(SceneId id) override;
    Status ReadCaption(SceneId id, std::string_view label, std::string& caption) override;
    Status WriteCaption(SceneId id, std::string_view label, std::string_view caption) override;

    // The scene's window, or null before it is created.
    SceneWindow* Window(SceneId id) const;

  private:
    QImage Picture(PictureId id);
    // First showing: by the scene's start-up position; later: where it was left.
    void Place(SceneWindow& window);

    SceneWindow::ClickHandler onClick_;
    std::function<void()> onClose_;
    SceneWindows<SceneWindow> windows_;
    std::map<PictureId, QImage> pictures_; // decoded once, on first use
};

} // namespace varn::qt
