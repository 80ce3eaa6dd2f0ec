#include "runtime/qt/application.h"

#include "runtime/qt/error_report.h"
#include "runtime/qt/fonts.h"
#include "runtime/qt/window_system_choice.h"
#include "runtime/runtime_error.h"

#include "product.h" // generated from resources/product.h.in
#include "resources/window_icon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPixmapCache>
#include <QStringList>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace varn::qt {

namespace {

QtMessageHandler previousHandler = nullptr;
QStringList heldMessages; // what the toolkit said while connecting

void HoldWhileConnecting(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages << message;
        return;
    }
    // The toolkit gives up on a missing display with an abort and a page of
    // advice; say it in one line and leave with a plain error status.
    const QString reason = heldMessages.isEmpty() ? message : heldMessages.first();
    std::fprintf(stderr, "varns-house: cannot open a window: no display could be reached (%s)\n",
                 qPrintable(reason));
    std::fflush(stderr);
    _exit(kNoDisplayExitStatus);
}

} // namespace

std::unique_ptr<QApplication> OpenApplication(const char* programPath) {
    // The window system is chosen before the toolkit starts, and handed to it
    // as its own -platform option; the user's QT_QPA_PLATFORM is left to it.
    static std::string platform = ChooseWindowSystem(CurrentSessionEnvironment());
    static char platformOption[] = "-platform";
    static int argc = platform.empty() ? 1 : 3;
    static char* argv[] = {const_cast<char*>(programPath), platformOption, platform.data(),
                           nullptr};
    previousHandler = qInstallMessageHandler(HoldWhileConnecting);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const QString& message : std::exchange(heldMessages, {}))
        std::fprintf(stderr, "%s\n", qPrintable(message));

    QApplication::setApplicationName(QStringLiteral("varns-house"));
    QApplication::setApplicationVersion(QString::fromUtf8(product::kVersion));
    // Lets the desktop match running windows to the installed entry and icon.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(product::kApplicationId));
    // Every scene window takes the application icon, in all its drawn sizes.
    QIcon icon;
    for (const IconImage& image : WindowIconImages())
        icon.addPixmap(QPixmap::fromImage(QImage(image.rgba.data(), image.size, image.size,
                                                 image.size * 4, QImage::Format_RGBA8888)));
    QApplication::setWindowIcon(icon);
    // The tour ends when the visible scene is closed, not when the last
    // window disappears: a scene is briefly hidden during some transitions.
    QApplication::setQuitOnLastWindowClosed(false);
    // The style would keep every button face it draws, in each size and
    // state, up to 10 MB; a scene has a handful of buttons, and drawing a
    // face anew costs well under a millisecond, so nothing is kept.
    QPixmapCache::setCacheLimit(0);
    InstallFontSubstitutes();
    // Everything the tour shows defaults to the scenes' interface font, so
    // that no widget lays out text in a second, desktop font first.
    QApplication::setFont(ItemFont(std::nullopt));
    return app;
}

} // namespace varn::qt
