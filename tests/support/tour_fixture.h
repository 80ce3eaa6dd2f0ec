// Drives the real scene windows the way a person does, on the offscreen
// platform: clicks and keys go through the window system interface, so they
// reach whichever widget or label lies under the point.
#pragma once

#include "runtime/qt/tour.h"
#include "runtime/qt/units.h"
#include "scenes/catalogue.h"

#include <QApplication>
#include <QtTest>

#include <string>
#include <vector>

namespace varn::testing {

// How many pixels of the area are clearly red (anti-aliased text included).
inline int RedPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            count += qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110 ? 1 : 0;
        }
    return count;
}

class TourDriver {
  public:
    explicit TourDriver(qt::Tour& tour) : driven_(tour) {}

    // Starts the tour and, if asked, walks straight to `scene`.
    void StartAt(SceneId scene = SceneId::Form1) {
        driven_.Start();
        if (scene != SceneId::Form1)
            driven_.Manager().GoTo(SceneId::Form1, scene, TransitionOrder::ShowThenHide);
        Settle(scene);
    }

    qt::SceneWindow* Window(SceneId id) const { return driven_.Window(id); }

    // Lets the window system deliver pending events and activates the scene.
    void Settle(SceneId visible) {
        qt::SceneWindow* window = Window(visible);
        QVERIFY(window != nullptr);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    // Qt Test takes a click at 0,0 for "the window's centre"; none is sent there.
    void ClickAt(SceneId scene, QPoint point) {
        QVERIFY2(!point.isNull(), "a click at 0,0 would land in the window's centre");
        QTest::mouseClick(Window(scene)->windowHandle(), Qt::LeftButton, {}, point);
    }

    // Clicks an item of the scene, by default in the middle of its rectangle.
    void ClickItem(SceneId scene, std::string_view item, QPoint offset = {-1, -1}) {
        const SceneItem* record = Window(scene)->Record().FindItem(item);
        QVERIFY(record != nullptr);
        const QRect r = qt::ToQRect(record->rect);
        ClickAt(scene, offset.x() < 0 ? r.center() : r.topLeft() + offset);
    }

    void Key(SceneId scene, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(Window(scene)->windowHandle(), key, modifiers);
    }

    std::vector<SceneId> VisibleScenes() const {
        std::vector<SceneId> visible;
        for (SceneId id : kAllScenes)
            if (Window(id) != nullptr && Window(id)->isVisible())
                visible.push_back(id);
        return visible;
    }

    QString FocusedItem() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }

    QImage Grab(SceneId scene) const { return Window(scene)->grab().toImage(); }

  private:
    qt::Tour& driven_;
};

// A tour of its own that records run-time errors and closes instead of ending.
class TourFixture : public TourDriver {
  public:
    TourFixture()
        : TourDriver(tour),
          tour(
              scenes::All(), [this](const RuntimeError& e) { errors.push_back(e.what()); },
              [this] { ++closes; }) {}

    std::vector<std::string> errors;
    int closes = 0;
    qt::Tour tour;
};

} // namespace varn::testing
