// Showing, hiding and focusing elements (dom.h). Each takes an element's
// handle, which only exists once dom.cpp has opened the JavaScript half.
#include "runtime/web/dom.h"

#include <emscripten.h>

// clang-format off
EM_JS(int, varn_dom_set_hidden, (int node, int hidden), {
    var element = Module.varnNode(node);
    if (!element) return 0;
    element.hidden = !!hidden;
    return element.hidden == !!hidden ? 1 : 0;
});

EM_JS(int, varn_dom_show_modal, (int node), {
    var element = Module.varnNode(node);
    try {
        element.showModal();
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, varn_dom_is_shown, (int node), {
    var element = Module.varnNode(node);
    return element && element.isConnected && element.getClientRects().length > 0 ? 1 : 0;
});

EM_JS(void, varn_dom_focus, (int node), {
    var element = Module.varnNode(node);
    if (element) element.focus({preventScroll: true});
});
// clang-format on

namespace varn::web::dom {

bool SetHidden(Node node, bool hidden) {
    return varn_dom_set_hidden(node, hidden ? 1 : 0) != 0;
}

bool ShowModal(Node node) {
    return varn_dom_show_modal(node) != 0;
}

bool IsShown(Node node) {
    return varn_dom_is_shown(node) != 0;
}

void Focus(Node node) {
    varn_dom_focus(node);
}

} // namespace varn::web::dom
