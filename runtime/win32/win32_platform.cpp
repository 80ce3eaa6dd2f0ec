#include "runtime/win32/win32_platform.h"

#include "runtime/geometry.h"
#include "runtime/win32/text.h"

namespace varn::win32 {

namespace {

// Where a window centred on the primary screen's work area goes.
Status CentredPlace(HWND window, POINT& place) {
    RECT frame, work;
    if (!GetWindowRect(window, &frame))
        return Status::Failed(LastErrorText("GetWindowRect"));
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        return Status::Failed(LastErrorText("SystemParametersInfoW"));
    const Origin origin =
        CentredOrigin({work.left, work.top, work.right - work.left, work.bottom - work.top},
                      frame.right - frame.left, frame.bottom - frame.top);
    place = {origin.x, origin.y};
    return Status::Ok();
}

} // namespace

Win32Platform::Win32Platform(SceneWindow::ClickHandler onClick, std::function<void()> onClose)
    : onClick_(std::move(onClick)), onClose_(std::move(onClose)), gdi_(ScreenDpi()) {}

Win32Platform::~Win32Platform() = default;

SceneWindow* Win32Platform::Window(SceneId id) const {
    return windows_.Find(id);
}

SceneWindow* Win32Platform::SceneOf(HWND window) const {
    for (const auto& [id, scene] : windows_)
        if (scene->Handle() == window)
            return scene.get();
    return nullptr;
}

Status Win32Platform::CreateScene(const Scene& scene) {
    if (Status fresh = windows_.CanBuild(scene.id); !fresh.ok)
        return fresh;
    if (!classesRegistered_) {
        Status registered = SceneWindow::RegisterClasses(GetModuleHandleW(nullptr));
        if (!registered.ok)
            return registered;
        classesRegistered_ = true;
    }
    std::unique_ptr<SceneWindow> window;
    Status created = SceneWindow::Create(scene, gdi_, onClick_, onClose_, window);
    if (created.ok)
        windows_.Add(scene.id, std::move(window));
    return created;
}

Status Win32Platform::ShowScene(SceneId id) {
    SceneWindow* window = nullptr;
    if (Status exists = windows_.Existing(id, window); !exists.ok)
        return exists;
    UINT flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOZORDER | SWP_NOMOVE;
    POINT place{};
    // The first showing places the window by its start-up position: centred,
    // or where the system put it when it was made. Later showings leave it
    // where it was last left, at its last size.
    if (!window->HasBeenShown() && window->Record().startUpPosition == 2) {
        Status placed = CentredPlace(window->Handle(), place);
        if (!placed.ok)
            return placed;
        flags &= ~UINT(SWP_NOMOVE);
    }
    if (!SetWindowPos(window->Handle(), nullptr, place.x, place.y, 0, 0, flags))
        return Status::Failed(LastErrorText("SetWindowPos"));
    window->MarkShown();
    if (!IsWindowVisible(window->Handle()))
        return Status::Failed("the window system did not show the window");
    SetForegroundWindow(window->Handle());
    window->FocusFirstItem();
    window->HideFocusCues();
    return Status::Ok();
}

Status Win32Platform::HideScene(SceneId id) {
    SceneWindow* window = nullptr;
    if (Status exists = windows_.Existing(id, window); !exists.ok)
        return exists;
    if (!SetWindowPos(window->Handle(), nullptr, 0, 0, 0, 0,
                      SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        return Status::Failed(LastErrorText("SetWindowPos"));
    if (IsWindowVisible(window->Handle()))
        return Status::Failed("the window system did not hide the window");
    return Status::Ok();
}

Status Win32Platform::ReadCaption(SceneId id, std::string_view label, std::string& caption) {
    SceneWindow* window = nullptr;
    Status found = windows_.WithLabel(id, label, window);
    if (found.ok)
        caption = Narrow(window->Caption(label));
    return found;
}

Status Win32Platform::WriteCaption(SceneId id, std::string_view label, std::string_view caption) {
    SceneWindow* window = nullptr;
    Status found = windows_.WithLabel(id, label, window);
    return found.ok ? window->SetCaption(label, Widen(caption)) : found;
}

} // namespace varn::win32
