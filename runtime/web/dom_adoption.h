// The JavaScript half's part in taking over the elements the page was served
// with (dom.h's Create and FinishAdopting): the page's desktop, the title
// window in it and what follows the desktop wait, in the order they were
// written, to be taken one by one as the program builds the same elements.
#pragma once

namespace varn::web::dom::adoption {

// Gives the page's script Module.varnAdopt(name, parent, namespace): the
// served element to take for a new element of that name in that parent, or
// null to make a new one. Called once, with the page's first handles.
void Open();
// Drops the served elements not taken; a press on a served button before the
// program ran is carried out.
void Finish();

} // namespace varn::web::dom::adoption
