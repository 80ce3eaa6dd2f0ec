// What the program holds of the window system's objects, for the test that
// walks the house and checks that nothing piles up.
#pragma once

#include <string>

namespace varn::win32 {

// "gdi=N windows=M system-gdi=X system-user=Y": GDI objects the program made
// and holds, its windows and controls, and the system's own counts for the
// process (which some systems do not keep: then -1).
std::string DescribeHandles();

} // namespace varn::win32
