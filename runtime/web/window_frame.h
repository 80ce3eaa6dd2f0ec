// A scene's window on the page: a frame with a title bar (the program's
// icon, the caption, and the minimise, maximise and close boxes the scene
// keeps), the client area the scene is drawn in, and grips on every edge and
// corner. The title bar moves the window and the grips resize it, by mouse,
// touch or pen alike; resizing moves and scales nothing inside, it shows more
// or less of the client area.
#pragma once

#include "runtime/scene.h"
#include "runtime/web/dom.h"

#include <functional>

namespace varn::web {

class WindowFrame {
  public:
    // Builds the frame hidden inside `desktop`; kNoNode parts mean the page refused.
    WindowFrame(dom::Node desktop, const Scene& scene, std::function<void()> onClose);
    WindowFrame(const WindowFrame&) = delete;
    WindowFrame& operator=(const WindowFrame&) = delete;
    ~WindowFrame();

    bool IsBuilt() const { return window_ != dom::kNoNode && client_ != dom::kNoNode; }
    dom::Node Window() const { return window_; }
    dom::Node Client() const { return client_; }

    // The frame's outer size, as laid out while shown.
    dom::Box Outer() const { return dom::Bounds(window_); }
    void MoveTo(double left, double top);
    // Leaves the window's place to the stylesheet, which centres it in the
    // page (before any script runs, too) until it is moved.
    void Centre();
    void Raise(int order);

  private:
    void BuildTitleBar(const Scene& scene, std::function<void()> onClose);
    void AddGrip(const char* edge, int dx, int dy);
    void ListenForDrags();
    void Apply();
    void Pin();
    void ToggleMinimised();
    void ToggleMaximised();

    struct Geometry {
        double left = 0, top = 0, width = 0, height = 0; // client width and height
    };
    // What a drag started from: the pointer and the geometry then; dx, dy say
    // which edges follow the pointer (0 for a move of the whole window).
    struct Drag {
        bool active = false;
        int pointerId = 0;
        double x = 0, y = 0;
        int dx = 0, dy = 0;
        Geometry from;
    };
    bool StartDrag(const dom::Event& event, int dx, int dy);
    bool FollowDrag(const dom::Event& event);
    bool EndDrag(const dom::Event& event);

    dom::Node window_ = dom::kNoNode;
    dom::Node client_ = dom::kNoNode;
    dom::Node minimiseBox_ = dom::kNoNode;
    dom::Node maximiseBox_ = dom::kNoNode;
    Geometry geometry_;
    Geometry restored_;   // where a maximised window goes back to
    bool placed_ = false; // left and top are the program's, not the stylesheet's
    bool maximised_ = false;
    bool minimised_ = false;
    Drag drag_;
};

} // namespace varn::web
