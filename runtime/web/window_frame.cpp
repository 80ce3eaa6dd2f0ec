#include "runtime/web/window_frame.h"

#include "runtime/accessible_text.h"
#include "runtime/geometry.h"
#include "runtime/web/item_elements.h"
#include "runtime/web/title_glyphs.h"

#include <algorithm>
#include <cstdio>

namespace varn::web {

namespace {

// The smallest client area a window is resized to: room for the title
// bar's boxes, and the client area may close up entirely.
constexpr double kMinimumWidth = 96;
constexpr double kMinimumHeight = 0;

// What a part of the frame drags, as its data-part: which edges follow the
// pointer, each of dx and dy -1, 0 or 1; 0 and 0 move the whole window.
std::string DragPart(int dx, int dy) {
    return std::to_string((dx + 1) * 3 + (dy + 1));
}

} // namespace

WindowFrame::WindowFrame(dom::Node desktop, const Scene& scene, std::function<void()> onClose) {
    window_ = dom::Create("section", desktop);
    if (window_ == dom::kNoNode)
        return;
    dom::SetAttribute(window_, "class", "window");
    dom::SetAttribute(window_, "data-scene", SceneName(scene.id));
    // Named by its caption and described by its place, as on the desktop; an
    // ending is an alert dialog, its description telling the whole message.
    // A screen reader speaks both as the focus enters the window.
    dom::SetAttribute(window_, "role", scene.ending ? "alertdialog" : "dialog");
    dom::SetAttribute(window_, "aria-labelledby", "caption-" + std::string(SceneName(scene.id)));
    dom::SetAttribute(window_, "aria-description", WindowDescription(scene));
    dom::SetHidden(window_, true);
    BuildTitleBar(scene, std::move(onClose));
    client_ = dom::Create("div", window_, "client");
    SetInterfaceFont(client_);
    geometry_.width = TwipsToPixels(scene.clientWidth);
    geometry_.height = TwipsToPixels(scene.clientHeight);
    if (scene.backColor) {
        dom::SetStyle(client_, "background-color", CssColour(*scene.backColor));
        dom::SetStyle(client_, "forced-color-adjust", "none");
    }
    AddGrip("n", 0, -1);
    AddGrip("s", 0, 1);
    AddGrip("w", -1, 0);
    AddGrip("e", 1, 0);
    AddGrip("nw", -1, -1);
    AddGrip("ne", 1, -1);
    AddGrip("sw", -1, 1);
    AddGrip("se", 1, 1);
    ListenForDrags();
    Apply();
}

WindowFrame::~WindowFrame() {
    dom::Remove(window_);
}

void WindowFrame::BuildTitleBar(const Scene& scene, std::function<void()> onClose) {
    const dom::Node bar = dom::Create("div", window_, "title-bar");
    // A new image element would load and decode a copy of its own first,
    // leaving the bar without its icon for a frame or more.
    dom::DrawIcon(dom::Create("canvas", bar, "icon"));
    const dom::Node caption = dom::Create("span", bar, "caption");
    dom::SetAttribute(caption, "id", "caption-" + std::string(SceneName(scene.id)));
    dom::SetText(caption, scene.caption);
    // The boxes are pressed with the pointer, as on the desktop: they are no
    // Tab stops, so Tab stays among the scene's own items.
    auto box = [bar](const char* kind, const char* name, TitleBox glyph) {
        const dom::Node node = dom::Create("button", bar);
        dom::SetAttribute(node, "type", "button");
        dom::SetAttribute(node, "class", std::string("box ") + kind);
        dom::SetAttribute(node, "tabindex", "-1");
        dom::SetAttribute(node, "aria-label", name);
        DrawTitleGlyph(node, glyph);
        return node;
    };
    if (scene.minButton) {
        minimiseBox_ = box("minimise", "Minimise", TitleBox::Minimise);
        dom::Listen(minimiseBox_, "click", [this](const dom::Event&) {
            ToggleMinimised();
            return true;
        });
    }
    if (scene.maxButton) {
        maximiseBox_ = box("maximise", "Maximise", TitleBox::Maximise);
        dom::Listen(maximiseBox_, "click", [this](const dom::Event&) {
            ToggleMaximised();
            return true;
        });
    }
    const dom::Node close = box("close", "Close", TitleBox::Close);
    dom::Listen(close, "click", [onClose = std::move(onClose)](const dom::Event&) {
        onClose();
        return true;
    });
    dom::SetAttribute(bar, "data-part", DragPart(0, 0));
    dom::Listen(bar, "dblclick", [this](const dom::Event& e) {
        if (!e.onControl && maximiseBox_ != dom::kNoNode)
            ToggleMaximised();
        return true;
    });
}

void WindowFrame::AddGrip(const char* edge, int dx, int dy) {
    const dom::Node grip = dom::Create("div", window_, std::string("grip ") + edge);
    dom::SetAttribute(grip, "aria-hidden", "true");
    dom::SetAttribute(grip, "data-part", DragPart(dx, dy));
}

void WindowFrame::ListenForDrags() {
    // One set of listeners for the title bar and every grip: the part pressed
    // says which edges follow the pointer, and the window keeps the pointer
    // until it is released.
    dom::Listen(window_, "pointerdown", [this](const dom::Event& e) {
        return e.part >= 0 && StartDrag(e, e.part / 3 - 1, e.part % 3 - 1);
    });
    dom::Listen(window_, "pointermove", [this](const dom::Event& e) { return FollowDrag(e); });
    dom::Listen(window_, "pointerup", [this](const dom::Event& e) { return EndDrag(e); });
    dom::Listen(window_, "pointercancel", [this](const dom::Event& e) { return EndDrag(e); });
}

void WindowFrame::Apply() {
    if (placed_) {
        dom::SetStyle(window_, "left", CssPixels(geometry_.left));
        dom::SetStyle(window_, "top", CssPixels(geometry_.top));
    }
    // The client area's size, on the window: the stylesheet centres the
    // window by it.
    dom::SetStyle(window_, "--client-width", CssPixels(geometry_.width));
    dom::SetStyle(window_, "--client-height", CssPixels(geometry_.height));
}

void WindowFrame::MoveTo(double left, double top) {
    geometry_.left = left;
    geometry_.top = top;
    placed_ = true;
    Apply();
}

void WindowFrame::Centre() {
    dom::SetAttribute(window_, "class", "window centred");
}

// A window the stylesheet placed keeps that place, now as the program's.
void WindowFrame::Pin() {
    if (placed_)
        return;
    const dom::Box outer = Outer();
    MoveTo(outer.left, outer.top);
}

void WindowFrame::Raise(int order) {
    dom::SetStyle(window_, "z-index", std::to_string(order));
}

bool WindowFrame::StartDrag(const dom::Event& event, int dx, int dy) {
    if (event.button != 0 || event.onControl || maximised_ || (minimised_ && dy != 0))
        return false;
    Pin();
    drag_ = {true, event.pointerId, event.x, event.y, dx, dy, geometry_};
    dom::CapturePointer(window_, event.pointerId);
    return true; // no text selection, no scrolling
}

bool WindowFrame::FollowDrag(const dom::Event& event) {
    if (!drag_.active || event.pointerId != drag_.pointerId)
        return false;
    const double moveX = event.x - drag_.x, moveY = event.y - drag_.y;
    Geometry next = drag_.from;
    if (drag_.dx == 0 && drag_.dy == 0) {
        next.left += moveX;
        next.top = std::max(0.0, next.top + moveY); // the title bar stays reachable
    }
    if (drag_.dx != 0) {
        const double width = std::max(kMinimumWidth, drag_.from.width + drag_.dx * moveX);
        if (drag_.dx < 0)
            next.left = drag_.from.left + drag_.from.width - width;
        next.width = width;
    }
    if (drag_.dy != 0) {
        const double height = std::max(kMinimumHeight, drag_.from.height + drag_.dy * moveY);
        if (drag_.dy < 0)
            next.top = drag_.from.top + drag_.from.height - height;
        next.height = height;
    }
    geometry_ = next;
    Apply();
    return true;
}

bool WindowFrame::EndDrag(const dom::Event& event) {
    if (!drag_.active || event.pointerId != drag_.pointerId)
        return false;
    drag_.active = false;
    return true;
}

void WindowFrame::ToggleMinimised() {
    // Inside a page there is no task bar to go to: a minimised window rolls
    // up into its title bar where it is, and the same box unrolls it.
    minimised_ = !minimised_;
    dom::SetHidden(client_, minimised_);
    dom::SetAttribute(minimiseBox_, "aria-label", minimised_ ? "Restore" : "Minimise");
    dom::SetAttribute(window_, "data-minimised", minimised_ ? "true" : "false");
}

void WindowFrame::ToggleMaximised() {
    // Maximised, the window fills the page's viewport; restored, it goes back
    // to where and how large it was.
    Pin();
    if (!maximised_) {
        restored_ = geometry_;
        const dom::Box outer = Outer(), client = dom::Bounds(client_), page = dom::Viewport();
        geometry_ = {0, 0, std::max(kMinimumWidth, page.width - (outer.width - client.width)),
                     std::max(kMinimumHeight, page.height - (outer.height - client.height))};
    } else {
        geometry_ = restored_;
    }
    maximised_ = !maximised_;
    dom::SetAttribute(maximiseBox_, "aria-label", maximised_ ? "Restore" : "Maximise");
    dom::SetAttribute(window_, "data-maximised", maximised_ ? "true" : "false");
    Apply();
}

} // namespace varn::web
