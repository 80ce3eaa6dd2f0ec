// The yardstick for the browser benchmark: the least an Emscripten program
// does to show, on the tour's stylesheet, one window the size of the tour's
// title window, with the same title bar (icon, title, close box), centred,
// holding one captioned button where the title's "Enter" is. The button swaps
// the window for a second one, the street's size, built on the first press and
// then only shown and hidden; a click in the second one swaps back. So the same
// page gives a "first visit" and a "return visit". The program decides, as the
// tour does: the page's click listeners call into the WebAssembly module.
#include <emscripten.h>

// clang-format off
EM_JS(int, bare_window, (const char* name, const char* caption, int width, int height), {
    if (!Module.bareWindows) {
        Module.bareDesktop = document.body.appendChild(document.createElement("div"));
        Module.bareDesktop.className = "desktop";
        Module.bareWindows = [];
    }
    var make = function(parent, tag, className) {
        var element = parent.appendChild(document.createElement(tag));
        if (className) element.className = className;
        return element;
    };
    var frame = make(Module.bareDesktop, "section", "window");
    frame.dataset.scene = UTF8ToString(name);
    frame.hidden = true;
    var bar = make(frame, "div", "title-bar");
    var icon = make(bar, "img", "icon");
    icon.src = "icon-16.png";
    icon.alt = "";
    make(bar, "span", "caption").textContent = UTF8ToString(caption);
    make(bar, "button", "box close").tabIndex = -1;
    var client = make(frame, "div", "client");
    client.style.width = width + "px";
    client.style.height = height + "px";
    var handle = Module.bareWindows.length;
    client.addEventListener("click", function(e) {
        Module._bare_clicked(handle, e.target.tagName == "BUTTON");
    });
    Module.bareWindows.push(frame);
    return handle;
});

EM_JS(void, bare_button, (int window, const char* caption, int left, int top, int width,
                          int height), {
    var button = document.createElement("button");
    button.className = "item button";
    button.textContent = UTF8ToString(caption);
    button.style.cssText = "left:" + left + "px;top:" + top + "px;width:" + width +
                           "px;height:" + height + "px";
    Module.bareWindows[window].querySelector(".client").appendChild(button);
});

// Shows one window, centred in the viewport the first time, and hides the other.
EM_JS(void, bare_swap, (int show, int hide), {
    if (hide >= 0) Module.bareWindows[hide].hidden = true;
    var frame = Module.bareWindows[show];
    frame.hidden = false;
    if (!frame.style.left) {
        var page = document.documentElement;
        frame.style.left = Math.max(0, (page.clientWidth - frame.offsetWidth) >> 1) + "px";
        frame.style.top = Math.max(0, (page.clientHeight - frame.offsetHeight) >> 1) + "px";
    }
});
// clang-format on

namespace {

int title = -1;
int street = -1; // built on the first press

} // namespace

// The title swaps on its button only; the second window on any click.
extern "C" EMSCRIPTEN_KEEPALIVE void bare_clicked(int window, int onButton) {
    if (window == title && !onButton)
        return;
    if (window != title) {
        bare_swap(title, street);
        return;
    }
    if (street < 0)
        street = bare_window("Form2", "Form2", 312, 206);
    bare_swap(street, title);
}

int main() {
    title = bare_window("Form1", "Varn's House", 312, 112);
    bare_button(title, "Enter", 112, 72, 81, 25);
    bare_swap(title, -1);
    return 0;
}
