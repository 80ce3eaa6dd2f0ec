// A seeded random visitor: clicks anywhere, Tab, Shift+Tab, Space, Return,
// typing, moving, resizing and minimising, checked after every event against
// the house's transition map. VARN_SOAK_EVENTS and VARN_SOAK_SEED choose the
// length and the seed; a failure names both, with the event number, so the
// run can be replayed.
#include "support/tour_fixture.h"

#include <QElapsedTimer>

#include <map>
#include <random>

using namespace varn;
using varn::testing::TourFixture;

namespace {

long EnvNumber(const char* name, long fallback) {
    const QByteArray value = qgetenv(name);
    bool ok = false;
    const long number = value.toLong(&ok);
    return ok ? number : fallback;
}

// What a click at a point of a scene lands on: a windowed item above all,
// else the topmost label, else nothing.
const SceneItem* ItemAt(const Scene& scene, QPoint point) {
    for (const SceneItem& item : scene.items) {
        const bool windowed = item.kind == ItemKind::CommandButton ||
                              item.kind == ItemKind::TextBox || item.kind == ItemKind::PictureBox;
        if (windowed && qt::ToQRect(item.rect).contains(point))
            return &item;
    }
    for (auto it = scene.items.rbegin(); it != scene.items.rend(); ++it)
        if (it->kind == ItemKind::Label && qt::ToQRect(it->rect).contains(point))
            return &*it;
    return nullptr;
}

class Visitor {
  public:
    Visitor(TourFixture& f, unsigned seed) : f_(f), random_(seed) {}

    // Runs one random event; returns what it did, for the failure message.
    QString Step() {
        const Scene& scene = f_.Window(current_)->Record();
        switch (Pick(10)) {
        case 0:
        case 1:
        case 2:
        case 3:
            return Click(scene);
        case 4:
            return Key(Qt::Key_Tab, "Tab");
        case 5:
            return Key(Qt::Key_Backtab, "Shift+Tab");
        case 6:
            return Key(Qt::Key_Space, "Space");
        case 7:
            return Key(Pick(2) ? Qt::Key_Return : Qt::Key_A, "Return or A");
        default:
            return MoveResizeOrMinimise();
        }
    }

    // Checks what must hold between any two events.
    void Check(const QString& what) {
        const QString where = what + QString(" in %1").arg(SceneName(current_).data());
        QVERIFY2(f_.VisibleScenes() == std::vector<SceneId>{current_}, qPrintable(where));
        for (SceneId id : kAllScenes) {
            auto known = windows_.find(id);
            if (known == windows_.end()) {
                if (f_.Window(id) != nullptr)
                    windows_[id] = f_.Window(id);
            } else {
                QVERIFY2(f_.Window(id) == known->second, qPrintable("re-created: " + where));
            }
        }
        for (const auto& [id, shown] : markers_) {
            const Scene& scene = f_.Window(id)->Record();
            for (const SceneItem& item : scene.items)
                if (item.action.kind == ClickAction::Kind::ToggleMarker)
                    QVERIFY2(f_.Window(id)->Caption(item.action.markerLabel).isEmpty() != shown,
                             qPrintable("marker changed: " + where));
        }
        QVERIFY2(f_.errors.empty() && f_.closes == 0, qPrintable(where));
    }

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  public:
    std::map<SceneId, int> arrivals; // how often each scene was entered

  private:
    void Expect(const SceneItem* item) {
        if (item == nullptr)
            return;
        if (item->action.kind == ClickAction::Kind::GoTo)
            ++arrivals[current_ = item->action.target];
        else if (item->action.kind == ClickAction::Kind::ToggleMarker)
            markers_[current_] = !markers_[current_];
    }

    QString Click(const Scene& scene) {
        const QSize size = f_.Window(current_)->windowHandle()->size();
        QPoint point(Pick(size.width()), Pick(size.height()));
        if (point.isNull())
            point.setY(1); // Qt Test would send a click at 0,0 to the centre

        const SceneItem* item = ItemAt(scene, point);
        const SceneId clicked = current_;
        Expect(item);
        f_.ClickAt(clicked, point);
        return QString("click at %1,%2").arg(point.x()).arg(point.y());
    }

    QString Key(Qt::Key key, const char* name) {
        const SceneId pressed = current_;
        if (key == Qt::Key_Space) {
            QWidget* focus = QApplication::focusWidget();
            if (focus != nullptr && focus->window() == f_.Window(pressed)) {
                const SceneItem* item =
                    f_.Window(pressed)->Record().FindItem(focus->objectName().toStdString());
                if (item != nullptr && item->kind == ItemKind::CommandButton)
                    Expect(item);
            }
        }
        f_.Key(pressed, key);
        return name;
    }

    QString MoveResizeOrMinimise() {
        qt::SceneWindow* window = f_.Window(current_);
        // A minimised window can only be restored, as from the task bar.
        if (window->isMinimized()) {
            window->showNormal();
            window->activateWindow();
            return "restore";
        }
        switch (Pick(3)) {
        case 0:
            window->move(Pick(600), Pick(400));
            return "move";
        case 1:
            window->resize(50 + Pick(500), 50 + Pick(400));
            return "resize";
        default:
            window->showMinimized();
            return "minimise";
        }
    }

    TourFixture& f_;
    std::mt19937 random_;
    SceneId current_ = SceneId::Form1;
    std::map<SceneId, bool> markers_;
    std::map<SceneId, qt::SceneWindow*> windows_;
};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

  private slots:
    void randomVisitorFollowsTheMap() {
        const long events = EnvNumber("VARN_SOAK_EVENTS", 20000);
        const auto seed = unsigned(EnvNumber("VARN_SOAK_SEED", 20261208));
        TourFixture f;
        f.StartAt();
        Visitor visitor(f, seed);
        QElapsedTimer clock;
        clock.start();
        for (long n = 1; n <= events; ++n) {
            const QString what = visitor.Step();
            if (qEnvironmentVariableIsSet("VARN_SOAK_TRACE"))
                std::printf("%ld %s -> %s (focus %s, min %d)\n", n, qPrintable(what),
                            SceneName(f.VisibleScenes().empty() ? SceneId::Form1
                                                                : f.VisibleScenes().front())
                                .data(),
                            qPrintable(f.FocusedItem()),
                            int(QApplication::activeWindow() != nullptr));
            visitor.Check(QString("seed %1, event %2: %3").arg(seed).arg(n).arg(what));
            if (QTest::currentTestFailed())
                return;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        std::printf("soak: %ld events, seed %u, %.1f s, %.0f events per second\n", events, seed,
                    seconds, events / seconds);
        QString arrivals;
        for (const auto& [scene, count] : visitor.arrivals)
            arrivals += QString(" %1:%2").arg(SceneName(scene).data()).arg(count);
        std::printf("soak: scenes entered%s\n", qPrintable(arrivals));
        // A walk that never reaches some scene tests too little.
        QCOMPARE(visitor.arrivals.size(), std::size(kAllScenes));
    }
};

QTEST_MAIN(SoakTest)
#include "test_soak.moc"
