// A scene window's life: its classes, building it hidden at its scene's size,
// the label captions it keeps, and where its keyboard focus goes.
#include "runtime/win32/scene_window.h"

#include "runtime/geometry.h"
#include "runtime/win32/accessible_scene.h"
#include "runtime/win32/item_painter.h"
#include "runtime/win32/text.h"

#include <utility>

namespace varn::win32 {

namespace {

DWORD FrameStyle(const Scene& scene) {
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    if (!scene.minButton)
        style &= ~DWORD(WS_MINIMIZEBOX);
    if (!scene.maxButton)
        style &= ~DWORD(WS_MAXIMIZEBOX);
    return style;
}

HICON ProgramIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

Status SceneWindow::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = Procedure;
    type.hInstance = instance;
    // Every scene window shows the program's icon, from its own resources.
    type.hIcon = ProgramIcon(instance, GetSystemMetrics(SM_CXICON));
    type.hIconSm = ProgramIcon(instance, GetSystemMetrics(SM_CXSMICON));
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kSceneWindowClass;
    if (RegisterClassExW(&type) == 0)
        return Status::Failed(LastErrorText("RegisterClassExW"));
    return RegisterPictureBoxClass(instance);
}

SceneWindow::SceneWindow(const Scene& scene, GdiResources& gdi, ClickHandler onClick,
                         std::function<void()> onClose)
    : scene_(scene), gdi_(gdi), onClick_(std::move(onClick)), onClose_(std::move(onClose)),
      dpi_(gdi.Dpi()) {
    for (const SceneItem& item : scene.items)
        if (item.kind == ItemKind::Label)
            captions_[item.name] = Widen(item.caption);
}

SceneWindow::~SceneWindow() {
    for (const auto& [answering, object] : accessible_)
        object->Disconnect();
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

Status SceneWindow::Create(const Scene& scene, GdiResources& gdi, ClickHandler onClick,
                           std::function<void()> onClose, std::unique_ptr<SceneWindow>& window) {
    std::unique_ptr<SceneWindow> built(
        new SceneWindow(scene, gdi, std::move(onClick), std::move(onClose)));
    const int dpi = built->dpi_;
    const DWORD style = FrameStyle(scene);
    // The frame around a client area of the scene's size.
    RECT outer{0, 0, TwipsToPixels(scene.clientWidth, dpi), TwipsToPixels(scene.clientHeight, dpi)};
    if (!AdjustWindowRectEx(&outer, style, FALSE, 0))
        return Status::Failed(LastErrorText("AdjustWindowRectEx"));
    // Built hidden; where the system puts a new window is its default placement.
    HWND handle =
        CreateWindowExW(0, kSceneWindowClass, Widen(scene.caption).c_str(), style, CW_USEDEFAULT,
                        CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr,
                        nullptr, GetModuleHandleW(nullptr), built.get());
    if (handle == nullptr)
        return Status::Failed(LastErrorText("CreateWindowExW"));
    Status controls = built->BuildControls();
    if (!controls.ok)
        return controls;
    window = std::move(built);
    return Status::Ok();
}

std::wstring SceneWindow::Caption(std::string_view label) const {
    auto found = captions_.find(label);
    return found == captions_.end() ? std::wstring() : found->second;
}

Status SceneWindow::SetCaption(std::string_view label, std::wstring caption) {
    auto found = captions_.find(label);
    if (found == captions_.end())
        return Status::Failed("no label named " + std::string(label));
    if (found->second == caption)
        return Status::Ok();
    found->second = std::move(caption);
    const SceneItem* item = scene_.FindItem(label);
    const RECT area = ToRect(ToPixels(item->rect, dpi_));
    if (!InvalidateRect(window_, &area, FALSE))
        return Status::Failed(LastErrorText("InvalidateRect"));
    AnnounceCaptionChange(*this, *item);
    return Status::Ok();
}

void SceneWindow::SetFocusCues(bool shown) {
    if (focusCues_ == shown)
        return;
    focusCues_ = shown;
    HWND focus = GetFocus();
    if (focus != nullptr && controls_.contains(focus))
        InvalidateRect(focus, nullptr, FALSE);
}

void SceneWindow::FocusFirstItem() {
    if (!tabOrder_.empty())
        SetFocus(tabOrder_.front());
}

} // namespace varn::win32
