// Opens the toolkit's application object for the tour.
#pragma once

#include <QApplication>

#include <memory>

namespace varn::qt {

// Connects to the display, or ends the process with one clear line on standard
// error and a non-zero status when no display can be reached. The program's
// own command line is ignored: the tour takes no arguments.
std::unique_ptr<QApplication> OpenApplication(const char* programPath);

} // namespace varn::qt
