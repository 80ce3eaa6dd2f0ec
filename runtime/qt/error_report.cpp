#include "runtime/qt/error_report.h"

#include "runtime/runtime_error.h"

#include <QMessageBox>

#include <cstdio>

namespace varn::qt {

void ReportRuntimeError(const std::string& message) {
    std::fprintf(stderr, "varns-house: %s\n", message.c_str());
    std::fflush(stderr);
    QMessageBox::critical(nullptr, QString::fromUtf8(kRuntimeErrorTitle),
                          QString::fromStdString(message));
}

} // namespace varn::qt
