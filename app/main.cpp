// Varn's House: a point-and-click tour of a family house.
#include "runtime/qt/application.h"
#include "runtime/qt/error_report.h"
#include "runtime/qt/tour.h"
#include "scenes/catalogue.h"

#ifdef VARN_FAULT_INJECTION
#include "runtime/fault_injection.h"

#include <cstdlib>
#endif

namespace {

varn::qt::Tour::PlatformWrapper TestWrapper() {
#ifdef VARN_FAULT_INJECTION
    // Test builds only: VARN_FAIL_ON names one window operation that fails.
    if (const char* failOn = std::getenv("VARN_FAIL_ON"))
        return [failOn](varn::Platform& inner) {
            return std::make_unique<varn::FaultInjectingPlatform>(inner, failOn);
        };
#endif
    return {};
}

} // namespace

int main(int, char** argv) {
    auto app = varn::qt::OpenApplication(argv[0]);
    varn::qt::Tour tour(
        varn::scenes::All(),
        [](const varn::RuntimeError& error) {
            varn::qt::ReportRuntimeError(error.what());
            QCoreApplication::exit(varn::qt::kRuntimeErrorExitStatus);
        },
        [] { QCoreApplication::exit(0); }, TestWrapper());
    try {
        tour.Start();
    } catch (const varn::RuntimeError& error) {
        varn::qt::ReportRuntimeError(error.what());
        return varn::qt::kRuntimeErrorExitStatus;
    }
    return QApplication::exec();
}
