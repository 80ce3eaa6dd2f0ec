// Reports a failure the program cannot go on from: one line on standard error
// and, where a display is there to show it, a message box.
#pragma once

#include <string>

namespace varn::qt {

void ReportRuntimeError(const std::string& message);

} // namespace varn::qt
