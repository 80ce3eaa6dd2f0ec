// The tour on a web page: the scene windows on the page's own elements, run
// until the visitor closes the visible window or a page operation fails.
// Either way the program then ends: its windows and listeners are gone, and
// the page says that Varn's House has ended and offers a fresh start.
#pragma once

#include "runtime/tour_runner.h"

#include <span>

namespace varn::web {

// Starts the tour and returns at once; the page's events run it from then on.
void StartTour(std::span<const Scene* const> scenes, const TourRunner::PlatformWrapper& wrap);

} // namespace varn::web
