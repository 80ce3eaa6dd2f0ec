// The test-only build's hooks, read from its environment: VARN_FAIL_ON names
// one window operation that fails ("Show Form2"), and VARN_REPORT_HANDLES
// prints what the program holds (as `describeHandles` tells it) on standard
// error after every scene shown. The shipped program has neither.
#pragma once

#include "runtime/tour_runner.h"

#include <functional>
#include <string>

#ifdef VARN_FAULT_INJECTION
#include "runtime/fault_injection.h"

#include <cstdio>
#include <cstdlib>
#endif

namespace varn {

inline TourRunner::PlatformWrapper TestWrapper(std::function<std::string()> describeHandles = {}) {
#ifdef VARN_FAULT_INJECTION
    const char* failOn = std::getenv("VARN_FAIL_ON");
    const bool reportHandles = std::getenv("VARN_REPORT_HANDLES") != nullptr && describeHandles;
    if (failOn != nullptr || reportHandles)
        return [failOn, reportHandles, describeHandles](Platform& inner) {
            auto wrapper = std::make_unique<FaultInjectingPlatform>(inner, failOn ? failOn : "");
            if (reportHandles)
                wrapper->afterShow = [describeHandles](SceneId id) {
                    std::fprintf(stderr, "handles after showing %s: %s\n",
                                 std::string(SceneName(id)).c_str(), describeHandles().c_str());
                    std::fflush(stderr);
                };
            return wrapper;
        };
#else
    (void)describeHandles;
#endif
    return {};
}

} // namespace varn
