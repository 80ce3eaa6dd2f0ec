// Varn's House: a point-and-click tour of a family house.
#include "app/test_wrapper.h"
#include "runtime/qt/application.h"
#include "runtime/qt/error_report.h"
#include "runtime/qt/tour.h"
#include "scenes/catalogue.h"

int main(int, char** argv) {
    auto app = varn::qt::OpenApplication(argv[0]);
    varn::qt::Tour tour(
        varn::scenes::All(),
        [](const varn::RuntimeError& error) {
            varn::qt::ReportRuntimeError(error.what());
            QCoreApplication::exit(varn::kRuntimeErrorExitStatus);
        },
        [] { QCoreApplication::exit(0); }, varn::TestWrapper());
    try {
        tour.Start();
    } catch (const varn::RuntimeError& error) {
        varn::qt::ReportRuntimeError(error.what());
        return varn::kRuntimeErrorExitStatus;
    }
    return QApplication::exec();
}
