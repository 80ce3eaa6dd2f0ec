#include "runtime/qt/qt_platform.h"

#include "runtime/qt/frame_extents.h"

#include "resources/pictures.h"
#include "runtime/bitmap.h"
#include "runtime/qt/units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace varn::qt {

namespace {

QImage ToQImage(const Bitmap& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x)
            row[x] = 0xFF000000u | bitmap.At(x, y);
    }
    return image;
}

} // namespace

QtPlatform::QtPlatform(SceneWindow::ClickHandler onClick, std::function<void()> onClose)
    : onClick_(std::move(onClick)), onClose_(std::move(onClose)) {}

QtPlatform::~QtPlatform() = default;

SceneWindow* QtPlatform::Window(SceneId id) const {
    return windows_.Find(id);
}

QImage QtPlatform::Picture(PictureId id) {
    auto found = pictures_.find(id);
    if (found == pictures_.end())
        found = pictures_.emplace(id, ToQImage(DecodeBitmap(PictureBytes(id)))).first;
    return found->second;
}

Status QtPlatform::CreateScene(const Scene& scene) {
    if (Status fresh = windows_.CanBuild(scene.id); !fresh.ok)
        return fresh;
    std::unique_ptr<SceneWindow> window;
    try {
        window = std::make_unique<SceneWindow>(
            scene, [this](PictureId id) { return Picture(id); }, onClick_, onClose_);
    } catch (const BitmapError& e) {
        return Status::Failed(e.what());
    }
    window->winId(); // creates the native window now, so failure shows here
    if (window->windowHandle() == nullptr)
        return Status::Failed("the window system could not create the window");
    windows_.Add(scene.id, std::move(window));
    return Status::Ok();
}

void QtPlatform::Place(SceneWindow& window) {
    if (window.HasBeenShown()) {
        // Some window managers move a window as they withdraw it (mutter to
        // where its frame's top was); it comes back exactly where it was left.
        window.setGeometry(window.WhereLeft());
        return;
    }
    window.MarkShown();
    if (window.Record().startUpPosition != 2)
        return; // the window system's default placement
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        // Centres the whole window, frame included. Before the window is
        // mapped, most window systems know its frame and move() places it; an
        // X11 window manager tells it only when asked, and the window then
        // exists natively, so move() places the client area.
        const QRect area = screen->availableGeometry();
        const PixelRect screenArea{area.x(), area.y(), area.width(), area.height()};
        if (const std::optional<QMargins> frame = FrameBeforeShowing(window)) {
            const Origin origin =
                CentredOrigin(screenArea, window.width() + frame->left() + frame->right(),
                              window.height() + frame->top() + frame->bottom());
            window.move(origin.x + frame->left(), origin.y + frame->top());
            return;
        }
        const QRect frame = window.frameGeometry();
        const Origin origin = CentredOrigin(screenArea, frame.width(), frame.height());
        window.move(origin.x, origin.y);
    }
}

Status QtPlatform::ShowScene(SceneId id) {
    SceneWindow* window = nullptr;
    if (Status exists = windows_.Existing(id, window); !exists.ok)
        return exists;
    Place(*window);
    window->FocusFirstItem();
    window->show();
    window->raise();
    window->activateWindow();
    if (!window->isVisible())
        return Status::Failed("the window system did not show the window");
    return Status::Ok();
}

Status QtPlatform::HideScene(SceneId id) {
    SceneWindow* window = nullptr;
    if (Status exists = windows_.Existing(id, window); !exists.ok)
        return exists;
    window->NoteWhereLeft();
    window->hide();
    if (window->isVisible())
        return Status::Failed("the window system did not hide the window");
    return Status::Ok();
}

Status QtPlatform::ReadCaption(SceneId id, std::string_view label, std::string& caption) {
    SceneWindow* window = nullptr;
    Status found = windows_.WithLabel(id, label, window);
    if (found.ok)
        caption = window->Caption(label).toStdString();
    return found;
}

Status QtPlatform::WriteCaption(SceneId id, std::string_view label, std::string_view caption) {
    SceneWindow* window = nullptr;
    Status found = windows_.WithLabel(id, label, window);
    if (found.ok)
        window->SetCaption(label, ToQString(caption));
    return found;
}

} // namespace varn::qt
