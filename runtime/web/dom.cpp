#include "runtime/web/dom.h"

#include "runtime/web/dom_adoption.h"

#include <emscripten.h>

#include <map>

// The JavaScript half. Elements live in Module.varnNodes by handle; every
// listener is remembered so that the program can take them all back. Strings
// cross as pointer and length. A new element may be one the page was
// served with, taken over (dom_adoption.cpp).
// clang-format off
EM_JS(void, varn_dom_open, (), {
    Module.varnNodes = [null, document, document.body];
    Module.varnListeners = [];
    Module.varnText = function(pointer, length) { return UTF8ToString(pointer, length); };
    Module.varnNode = function(handle) { return Module.varnNodes[handle] || null; };
    // A click a pointer made: one the engine gives as a pointer event names
    // the pointer's kind; a click made by a key, by element.click() or by
    // assistive technology (Firefox's press action counts one click) names
    // none. An engine that gives clicks as plain mouse events counts none
    // for those.
    Module.varnFromPointer = function(e) {
        return e.pointerType !== undefined ? e.pointerType !== "" : e.detail > 0;
    };
});

EM_JS(int, varn_dom_create, (const char* tag, int tagLength, int parent, int svg), {
    try {
        var name = Module.varnText(tag, tagLength);
        var ns = svg ? "http://www.w3.org/2000/svg" : "http://www.w3.org/1999/xhtml";
        var element = Module.varnAdopt(name, Module.varnNode(parent), ns);
        if (!element) {
            element = document.createElementNS(ns, name);
            Module.varnNode(parent).appendChild(element);
        }
        element.varnHandle = Module.varnNodes.length;
        Module.varnNodes.push(element);
        return element.varnHandle;
    } catch (e) {
        return 0;
    }
});

EM_JS(void, varn_dom_remove, (int node), {
    var element = Module.varnNode(node);
    if (!element) return;
    element.remove();
    // Forget the element and everything inside it.
    Module.varnNodes.forEach(function(other, handle) {
        if (handle > 2 && other && (other === element || element.contains(other)))
            Module.varnNodes[handle] = null;
    });
});

EM_JS(int, varn_dom_set, (int node, int what, const char* name, int nameLength,
                          const char* value, int valueLength), {
    var element = Module.varnNode(node);
    if (!element) return 0;
    var key = Module.varnText(name, nameLength);
    var text = Module.varnText(value, valueLength);
    try {
        if (what == 0) element.setAttribute(key, text);
        else if (what == 1) element.style.setProperty(key, text);
        // Text the element holds already stays: a served caption is
        // painted once, not replaced by an equal one.
        else if (what == 2) { if (element.textContent !== text) element.textContent = text; }
        else if (what == 3) element.value = text;
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, varn_dom_focused, (), {
    var element = document.activeElement;
    return element && element.varnHandle && Module.varnNodes[element.varnHandle] === element
               ? element.varnHandle : 0;
});

EM_JS(int, varn_dom_set_image, (int node, const void* bytes, int size, const char* mime,
                                int mimeLength), {
    var element = Module.varnNode(node);
    if (!element) return 0;
    try {
        var blob = new Blob([HEAPU8.slice(bytes, bytes + size)],
                            {type: Module.varnText(mime, mimeLength)});
        // The address is needed only until the picture has loaded.
        var url = URL.createObjectURL(blob);
        var release = function() { URL.revokeObjectURL(url); };
        element.addEventListener("load", release, {once: true});
        element.addEventListener("error", release, {once: true});
        element.src = url;
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(void, varn_dom_capture, (int node, int pointerId), {
    var element = Module.varnNode(node);
    try { if (element) element.setPointerCapture(pointerId); } catch (e) {}
});

EM_JS(void, varn_dom_bounds, (int node, double* box), {
    var element = Module.varnNode(node);
    var r = element === null ? {left: 0, top: 0, width: 0, height: 0}
                             : element === document ? {left: 0, top: 0,
                                   width: document.documentElement.clientWidth,
                                   height: document.documentElement.clientHeight}
                             : element.getBoundingClientRect();
    HEAPF64[box >> 3] = r.left;
    HEAPF64[(box >> 3) + 1] = r.top;
    HEAPF64[(box >> 3) + 2] = r.width;
    HEAPF64[(box >> 3) + 3] = r.height;
});

EM_JS(void, varn_dom_listen, (int node, const char* type, int typeLength, int listener), {
    var element = Module.varnNode(node);
    if (!element) return;
    var name = Module.varnText(type, typeLength);
    var handler = function(e) {
        // WebKitGTK names Shift+Tab's key "Unidentified"; its code is still "Tab".
        var tab = e.key === "Tab" || e.code === "Tab";
        var activate = e.key === "Enter" || e.key === " ";
        var arrow = {ArrowRight: 16, ArrowDown: 16, ArrowLeft: 32, ArrowUp: 32}[e.key] || 0;
        var flags = (e.shiftKey ? 1 : 0) | (tab ? 2 : 0) | (activate ? 64 : 0) | arrow |
                    (e.target && e.target.closest &&
                     e.target.closest("button, textarea, .picture") ? 4 : 0) |
                    (name == "click" && Module.varnFromPointer(e) ? 8 : 0);
        var x = e.clientX === undefined ? 0 : e.clientX;
        var y = e.clientY === undefined ? 0 : e.clientY;
        var marked = e.target && e.target.closest && e.target.closest("[data-part]");
        var part = marked ? Number(marked.dataset.part) : -1;
        if (Module._varn_dom_event(listener, x, y, e.button || 0, e.pointerId || 0, flags, part))
            e.preventDefault();
    };
    element.addEventListener(name, handler);
    Module.varnListeners.push([element, name, handler]);
});

EM_JS(void, varn_dom_stop_listening, (), {
    Module.varnListeners.forEach(function(l) { l[0].removeEventListener(l[1], l[2]); });
    Module.varnListeners = [];
});
// The icon's drawing and the worker's registration come with the module
// loader at the top of the program's script.
EM_JS(void, varn_dom_draw_icon, (int node), {
    var canvas = Module.varnNode(node);
    if (canvas && Module.varnDrawIcon) Module.varnDrawIcon(canvas);
});
EM_JS(void, varn_dom_register_worker, (const char* script, int scriptLength), {
    if (Module.varnRegisterWorker) Module.varnRegisterWorker(Module.varnText(script, scriptLength));
});
// clang-format on

namespace varn::web::dom {

namespace {

std::map<int, Listener>& Listeners() {
    static std::map<int, Listener> listeners;
    return listeners;
}

void OpenOnce() {
    static const bool opened = (varn_dom_open(), adoption::Open(), true);
    (void)opened;
}

bool Set(Node node, int what, std::string_view name, std::string_view value) {
    OpenOnce();
    return varn_dom_set(node, what, name.data(), int(name.size()), value.data(),
                        int(value.size())) != 0;
}

} // namespace

Node Create(std::string_view tag, Node parent, Namespace ns) {
    OpenOnce();
    return varn_dom_create(tag.data(), int(tag.size()), parent, ns == Namespace::Svg ? 1 : 0);
}

Node Create(std::string_view tag, Node parent, std::string_view cssClass) {
    const Node node = Create(tag, parent);
    SetAttribute(node, "class", cssClass);
    return node;
}

void FinishAdopting() {
    OpenOnce();
    adoption::Finish();
}

void Remove(Node node) {
    OpenOnce();
    varn_dom_remove(node);
}

bool SetAttribute(Node node, std::string_view name, std::string_view value) {
    return Set(node, 0, name, value);
}
bool SetStyle(Node node, std::string_view property, std::string_view value) {
    return Set(node, 1, property, value);
}
bool SetText(Node node, std::string_view text) {
    return Set(node, 2, {}, text);
}
bool SetValue(Node node, std::string_view value) {
    return Set(node, 3, {}, value);
}

Node FocusedNode() {
    OpenOnce();
    return varn_dom_focused();
}

bool SetImage(Node node, const void* bytes, std::size_t size, std::string_view mime) {
    OpenOnce();
    return varn_dom_set_image(node, bytes, int(size), mime.data(), int(mime.size())) != 0;
}

void CapturePointer(Node node, int pointerId) {
    OpenOnce();
    varn_dom_capture(node, pointerId);
}

Box Bounds(Node node) {
    OpenOnce();
    double box[4] = {};
    varn_dom_bounds(node, box);
    return {box[0], box[1], box[2], box[3]};
}

Box Viewport() {
    return Bounds(kDocument);
}

void Listen(Node node, std::string_view type, Listener listener) {
    OpenOnce();
    static int next = 0;
    const int id = ++next;
    Listeners()[id] = std::move(listener);
    varn_dom_listen(node, type.data(), int(type.size()), id);
}

void StopListening() {
    OpenOnce();
    varn_dom_stop_listening();
    Listeners().clear();
}

void DrawIcon(Node canvas) {
    OpenOnce();
    varn_dom_draw_icon(canvas);
}

void RegisterServiceWorkerAfterFirstPaint(std::string_view script) {
    OpenOnce();
    varn_dom_register_worker(script.data(), int(script.size()));
}

} // namespace varn::web::dom

// Called by the JavaScript half for every event a listener was added for.
extern "C" EMSCRIPTEN_KEEPALIVE int varn_dom_event(int listener, double x, double y, int button,
                                                   int pointerId, int flags, int part) {
    using namespace varn::web::dom;
    auto found = Listeners().find(listener);
    if (found == Listeners().end())
        return 0;
    Event event{x,
                y,
                button,
                pointerId,
                (flags & 1) != 0,
                (flags & 2) != 0,
                (flags & 4) != 0,
                (flags & 8) != 0,
                part};
    event.activate = (flags & 64) != 0;
    event.arrow = (flags & 16) != 0 ? 1 : (flags & 32) != 0 ? -1 : 0;
    // A copy: the listener may end the program and drop every listener.
    Listener run = found->second;
    return run(event) ? 1 : 0;
}
