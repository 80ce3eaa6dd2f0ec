#include "runtime/qt/error_report.h"

#include <QMessageBox>

#include <cstdio>

namespace varn::qt {

void ReportRuntimeError(const std::string& message) {
    std::fprintf(stderr, "varns-house: %s\n", message.c_str());
    std::fflush(stderr);
    QMessageBox::critical(nullptr, QStringLiteral("Varn's House \u2014 Run-time error"),
                          QString::fromStdString(message));
}

} // namespace varn::qt
