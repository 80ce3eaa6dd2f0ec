// The recording back end of dom.h, for a program run at build time rather
// than on a page: elements are kept in a tree, listeners and measurements do
// nothing, and what was built is written out as the page's HTML with its
// positions and fonts as stylesheet rules, since the page's content security
// policy allows no style attributes.
#pragma once

#include "runtime/web/dom.h"

#include <string>

namespace varn::web::dom {

// The markup of everything inside `node`; the focused element carries
// `autofocus`, the served form of the program's focus.
std::string InnerHtml(Node node);
// One rule per element inside `node` that has style properties, each naming
// its element by a selector from the nearest enclosing data-scene; throws
// std::runtime_error for a styled element in no scene's window.
std::string StyleRules(Node node);

} // namespace varn::web::dom
