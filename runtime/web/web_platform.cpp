#include "runtime/web/web_platform.h"

#include "resources/pictures.h"
#include "runtime/accessible_text.h"
#include "runtime/bitmap.h"
#include "runtime/geometry.h"

#include <algorithm>

namespace varn::web {

namespace {

// Where the page places a new window that asks for no place of its own:
// cascaded from the top left, each one step further down and to the right,
// starting again at the top left once a window would not fit. On a page
// too narrow or too low for even the first step (a phone), the window moves
// in as far as it must to show whole.
constexpr int kCascadeFirst = 16;
constexpr int kCascadeStep = 24;

Origin CascadedOrigin(int index, const dom::Box& page, const dom::Box& outer) {
    const double room = std::min(page.width - outer.width, page.height - outer.height);
    const int fitting = room > kCascadeFirst ? 1 + int(room - kCascadeFirst) / kCascadeStep : 1;
    const int offset = kCascadeFirst + kCascadeStep * (index % fitting);
    const auto within = [offset](double spare) { return std::clamp(int(spare), 0, offset); };
    return {within(page.width - outer.width), within(page.height - outer.height)};
}

// What the status region says as a window shows: its title, then its place
// (an ending's whole message), so that a screen reader that speaks nothing
// of the dialog the focus enters still names the window.
std::string Announcement(const Scene& scene) {
    return std::string(scene.caption) + ". " + WindowDescription(scene);
}

} // namespace

WebPlatform::WebPlatform(dom::Node desktop, SceneWindow::ClickHandler onClick,
                         std::function<void()> onClose)
    : desktop_(desktop), onClick_(std::move(onClick)), onClose_(std::move(onClose)) {}

SceneWindow* WebPlatform::Showing() const {
    for (const auto& [id, window] : windows_)
        if (dom::IsShown(window->Frame().Window()))
            return window.get();
    return nullptr;
}

void WebPlatform::AnnounceWindowsIn(dom::Node region) {
    announcer_ = region;
    if (const SceneWindow* showing = Showing())
        dom::SetText(announcer_, Announcement(showing->Record()));
}

Status WebPlatform::CreateScene(const Scene& scene) {
    if (Status fresh = windows_.CanBuild(scene.id); !fresh.ok)
        return fresh;
    std::span<const std::uint8_t> picture;
    for (const SceneItem& item : scene.items)
        if (item.kind == ItemKind::PictureBox) {
            picture = PictureBytes(item.picture);
            try {
                CheckBitmap(picture);
            } catch (const BitmapError& e) {
                return Status::Failed(e.what());
            }
        }
    auto window = std::make_unique<SceneWindow>(desktop_, scene, picture, onClick_, onClose_);
    if (!window->IsBuilt())
        return Status::Failed("the page could not build the window");
    windows_.Add(scene.id, std::move(window));
    return Status::Ok();
}

void WebPlatform::PlaceOnFirstShowing(SceneWindow& window) {
    if (window.HasBeenShown())
        return;
    window.MarkShown();
    // A centred window is placed by the stylesheet, as in the page served
    // before the program runs: centred in the page, whatever its size.
    if (window.Record().startUpPosition == 2) {
        window.Frame().Centre();
        return;
    }
    const dom::Box page = dom::Viewport(), outer = window.Frame().Outer();
    const Origin origin = CascadedOrigin(cascaded_++, page, outer);
    window.Frame().MoveTo(std::max(0, origin.x), std::max(0, origin.y));
}

Status WebPlatform::ShowScene(SceneId id) {
    SceneWindow* window = nullptr;
    if (Status exists = windows_.Existing(id, window); !exists.ok)
        return exists;
    WindowFrame& frame = window->Frame();
    frame.Raise(++topmost_);
    if (!dom::SetHidden(frame.Window(), false) || !dom::IsShown(frame.Window()))
        return Status::Failed("the page did not show the window");
    // Laid out but not yet painted: the first showing places it now.
    PlaceOnFirstShowing(*window);
    if (announcer_ != dom::kNoNode)
        dom::SetText(announcer_, Announcement(window->Record()));
    window->FocusFirstItem();
    window->HideFocusCue();
    return Status::Ok();
}

Status WebPlatform::HideScene(SceneId id) {
    SceneWindow* window = nullptr;
    if (Status exists = windows_.Existing(id, window); !exists.ok)
        return exists;
    if (!dom::SetHidden(window->Frame().Window(), true) || dom::IsShown(window->Frame().Window()))
        return Status::Failed("the page did not hide the window");
    return Status::Ok();
}

Status WebPlatform::ReadCaption(SceneId id, std::string_view label, std::string& caption) {
    SceneWindow* window = nullptr;
    Status found = windows_.WithLabel(id, label, window);
    if (found.ok)
        caption = window->Caption(label);
    return found;
}

Status WebPlatform::WriteCaption(SceneId id, std::string_view label, std::string_view caption) {
    SceneWindow* window = nullptr;
    Status found = windows_.WithLabel(id, label, window);
    if (found.ok && !window->SetCaption(label, caption))
        return Status::Failed("the page did not change the label");
    return found;
}

} // namespace varn::web
