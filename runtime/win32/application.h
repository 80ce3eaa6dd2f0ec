// The running program on Windows: the scene windows, the scene manager and
// the message loop. Returns the process's exit status: 0 when the visible
// scene is closed, 1 after a run-time error has been shown.
#pragma once

#include "runtime/tour_runner.h"

#include <span>
#include <string>

namespace varn::win32 {

int RunTour(std::span<const Scene* const> scenes, const TourRunner::PlatformWrapper& wrap = {});

// One line on standard error (where there is one) and a message box that
// holds every scene window until it is acknowledged.
void ReportRuntimeError(const std::string& message);

} // namespace varn::win32
