// Centring a window needs the size of the frame the window manager will put
// around it, which X11 reports only once the window is mapped; this asks the
// window manager for it beforehand.
#pragma once

#include <QMargins>
#include <optional>

class QWidget;

namespace varn::qt {

// The widths of the frame the X11 window manager will put around the not yet
// shown window, asked for and waited for a moment (creating the native
// window); nothing on other window systems or where the window manager does
// not say.
std::optional<QMargins> FrameBeforeShowing(QWidget& window);

} // namespace varn::qt
