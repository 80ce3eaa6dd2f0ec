// The test-only build's way to make one window operation fail: VARN_FAIL_ON
// names it ("Show Form2"). The shipped program has no such hook.
#pragma once

#include "runtime/tour_runner.h"

#ifdef VARN_FAULT_INJECTION
#include "runtime/fault_injection.h"

#include <cstdlib>
#endif

namespace varn {

inline TourRunner::PlatformWrapper TestWrapper() {
#ifdef VARN_FAULT_INJECTION
    if (const char* failOn = std::getenv("VARN_FAIL_ON"))
        return [failOn](Platform& inner) {
            return std::make_unique<FaultInjectingPlatform>(inner, failOn);
        };
#endif
    return {};
}

} // namespace varn
