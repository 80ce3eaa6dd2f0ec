// A failing window operation at every step of every transition and of every
// marker toggle, on the real windows: the action stops at that exact step,
// nothing done before it is undone, and the error names the operation.
#include "runtime/fault_injection.h"
#include "support/tour_fixture.h"

#include <set>

using namespace varn;

Q_DECLARE_METATYPE(SceneId)

namespace {

struct Step {
    QString operation; // "Create", "Show" or "Hide"
    SceneId scene;
};

// The window operations of a transition from a scene that is showing, in order.
std::vector<Step> StepsOf(SceneId from, const ClickAction& action) {
    const bool targetExists = action.target == from || action.target == SceneId::Form1;
    std::vector<Step> show;
    if (!targetExists)
        show.push_back({"Create", action.target});
    show.push_back({"Show", action.target});
    const Step hide{"Hide", from};
    if (action.order == TransitionOrder::ShowThenHide) {
        show.push_back(hide);
        return show;
    }
    show.insert(show.begin(), hide);
    return show;
}

// A tour whose window operations pass through a fault injector.
struct FailingTour {
    FailingTour()
        : tour(
              scenes::All(), [this](const RuntimeError& e) { errors.push_back(e.what()); }, [] {},
              [this](Platform& inner) {
                  auto wrapper = std::make_unique<FaultInjectingPlatform>(inner, "");
                  faults = wrapper.get();
                  return wrapper;
              }),
          driver(tour) {}

    // Walks to the scene, then clicks the item with the named call failing.
    void ClickWithFailure(SceneId scene, const QString& item, const std::string& call) {
        driver.StartAt(scene);
        faults->FailOn(call);
        driver.ClickItem(scene, item.toStdString());
    }

    std::vector<std::string> errors;
    FaultInjectingPlatform* faults = nullptr;
    qt::Tour tour;
    testing::TourDriver driver;
};

} // namespace

class FailurePathTest : public QObject {
    Q_OBJECT

  private slots:
    void transitionStopsAtTheFailingStep_data() {
        QTest::addColumn<SceneId>("from");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("failingStep");
        int transitions = 0;
        for (const Scene* scene : scenes::All()) {
            for (const SceneItem& item : scene->items) {
                if (item.action.kind != ClickAction::Kind::GoTo)
                    continue;
                ++transitions;
                const auto steps = StepsOf(scene->id, item.action);
                for (int i = 0; i < int(steps.size()); ++i)
                    QTest::addRow("%s %s: %s %s", SceneName(scene->id).data(), item.name.data(),
                                  qPrintable(steps[i].operation), SceneName(steps[i].scene).data())
                        << scene->id << QString::fromUtf8(item.name.data()) << i;
            }
        }
        QCOMPARE(transitions, 17);
    }
    void transitionStopsAtTheFailingStep() {
        QFETCH(SceneId, from);
        QFETCH(QString, item);
        QFETCH(int, failingStep);
        const SceneItem* clicked = nullptr;
        for (const Scene* scene : scenes::All())
            if (scene->id == from)
                clicked = scene->FindItem(item.toStdString());
        const auto steps = StepsOf(from, clicked->action);
        const Step failing = steps[std::size_t(failingStep)];
        const std::string call = CallName(failing.operation.toStdString(), failing.scene);

        FailingTour f;
        f.ClickWithFailure(from, item, call);
        const auto& errors = f.errors;

        QCOMPARE(errors.size(), std::size_t(1));
        const QString message = QString::fromStdString(errors.front());
        QVERIFY2(
            message.contains(failing.operation + " failed for " + SceneName(failing.scene).data()),
            qPrintable(message));
        // The steps before the failing one took effect; none after it ran.
        std::set<SceneId> visible{from};
        for (int i = 0; i < failingStep; ++i) {
            if (steps[std::size_t(i)].operation == "Show")
                visible.insert(steps[std::size_t(i)].scene);
            if (steps[std::size_t(i)].operation == "Hide")
                visible.erase(steps[std::size_t(i)].scene);
        }
        const auto shown = f.driver.VisibleScenes();
        QCOMPARE(std::set<SceneId>(shown.begin(), shown.end()), visible);
        bool created = true; // unless the transition had to create it and did not get there
        for (int i = 0; i < int(steps.size()); ++i)
            if (steps[std::size_t(i)].operation == "Create")
                created = i < failingStep;
        QCOMPARE(f.tour.Manager().IsCreated(clicked->action.target), created);
    }

    void markerToggleStopsAtTheFailingCall_data() {
        QTest::addColumn<SceneId>("scene");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("failing");
        for (const Scene* scene : scenes::All())
            for (const SceneItem& item : scene->items)
                if (item.action.kind == ClickAction::Kind::ToggleMarker)
                    for (const char* operation : {"Read", "Write"})
                        QTest::addRow("%s %s", SceneName(scene->id).data(), operation)
                            << scene->id << QString::fromUtf8(item.name.data())
                            << QString::fromStdString(
                                   CallName(operation, scene->id, item.action.markerLabel));
    }
    void markerToggleStopsAtTheFailingCall() {
        QFETCH(SceneId, scene);
        QFETCH(QString, button);
        QFETCH(QString, failing);
        FailingTour f;
        f.ClickWithFailure(scene, button, failing.toStdString());
        const auto& errors = f.errors;

        QCOMPARE(errors.size(), std::size_t(1));
        const QString operation = failing.startsWith("Read") ? "Caption read" : "Caption write";
        QVERIFY(QString::fromStdString(errors.front()).contains(operation + " failed"));
        const SceneItem* marker = f.tour.Window(scene)->Record().FindItem(button.toStdString());
        QCOMPARE(f.tour.Window(scene)->Caption(marker->action.markerLabel), QString());
        QCOMPARE(f.driver.VisibleScenes(), std::vector<SceneId>{scene});
    }
};

QTEST_MAIN(FailurePathTest)
#include "test_failure_path.moc"
