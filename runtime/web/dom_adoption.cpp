#include "runtime/web/dom_adoption.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, varn_dom_adoption_open, (), {
    // The desktop, everything in it, and what follows it in the body.
    Module.varnServed = new Set(document.querySelectorAll(
        "body > .desktop, body > .desktop *, body > .desktop ~ *, body > .desktop ~ * *"));
    Module.varnAdopting = Module.varnServed.size > 0;
    // The parent's first served element not yet taken, when it is the
    // element asked for: taken bare, for the program to set every attribute
    // as it does on a new one. Within one task, so nothing is painted in
    // between. Where the page differs from what is built, nothing more is
    // taken.
    Module.varnAdopt = function(name, parent, ns) {
        if (!Module.varnAdopting) return null;
        var element = Array.from(parent.children).find(function(child) {
            return Module.varnServed.has(child);
        });
        if (!element || element.localName !== name || element.namespaceURI !== ns) {
            Module.varnAdopting = false;
            return null;
        }
        Module.varnServed.delete(element);
        Array.from(element.attributes).forEach(function(a) { element.removeAttribute(a.name); });
        return element;
    };
});

// The press is kept and carried out by the module loader (Module.varnAdopted).
EM_JS(void, varn_dom_adoption_finish, (), {
    Module.varnServed.forEach(function(element) { element.remove(); });
    Module.varnServed.clear();
    Module.varnAdopting = false;
    if (Module.varnAdopted) Module.varnAdopted();
});
// clang-format on

namespace varn::web::dom::adoption {

void Open() {
    varn_dom_adoption_open();
}

void Finish() {
    varn_dom_adoption_finish();
}

} // namespace varn::web::dom::adoption
