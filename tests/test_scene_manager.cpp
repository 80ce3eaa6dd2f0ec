// The scene manager against a recording platform: the exact order of window
// operations for both transition orders, lazy creation, and a failure at any
// step stopping the transition there.
#include "runtime/runtime_error.h"
#include "runtime/scene_manager.h"
#include "scenes/catalogue.h"
#include "support/fake_platform.h"

#include <QtTest>

using namespace varn;
using varn::testing::FakePlatform;

Q_DECLARE_METATYPE(SceneId)
Q_DECLARE_METATYPE(TransitionOrder)

namespace {
QStringList ToList(const std::vector<std::string>& calls) {
    QStringList list;
    for (const std::string& call : calls)
        list << QString::fromStdString(call);
    return list;
}
} // namespace

class SceneManagerTest : public QObject {
    Q_OBJECT

  private slots:
    void startCreatesAndShowsOnlyTheTitle() {
        FakePlatform platform;
        SceneManager manager(platform, scenes::All());
        manager.Start();
        QCOMPARE(ToList(platform.calls), (QStringList{"Create Form1", "Show Form1"}));
        for (SceneId id : kAllScenes)
            QCOMPARE(manager.IsCreated(id), id == SceneId::Form1);
    }

    void goToCallSequence_data() {
        QTest::addColumn<SceneId>("target");
        QTest::addColumn<TransitionOrder>("order");
        QTest::addColumn<QStringList>("firstVisit");
        QTest::addColumn<QStringList>("returnVisit");
        QTest::newRow("show then hide") << SceneId::Form2 << TransitionOrder::ShowThenHide
                                        << QStringList{"Create Form2", "Show Form2", "Hide Form1"}
                                        << QStringList{"Show Form2", "Hide Form1"};
        QTest::newRow("hide then show creates while nothing is visible")
            << SceneId::Form6 << TransitionOrder::HideThenShow
            << QStringList{"Hide Form1", "Create Form6", "Show Form6"}
            << QStringList{"Hide Form1", "Show Form6"};
    }
    void goToCallSequence() {
        QFETCH(SceneId, target);
        QFETCH(TransitionOrder, order);
        QFETCH(QStringList, firstVisit);
        QFETCH(QStringList, returnVisit);
        FakePlatform platform;
        SceneManager manager(platform, scenes::All());
        manager.Start();

        platform.calls.clear();
        manager.GoTo(SceneId::Form1, target, order);
        QCOMPARE(ToList(platform.calls), firstVisit);

        // Back and forth again: nothing is ever created twice.
        manager.GoTo(target, SceneId::Form1, TransitionOrder::ShowThenHide);
        platform.calls.clear();
        manager.GoTo(SceneId::Form1, target, order);
        QCOMPARE(ToList(platform.calls), returnVisit);
    }

    void goToFromSceneNeverCreatedCreatesItBeforeHiding() {
        FakePlatform platform;
        SceneManager manager(platform, scenes::All());
        manager.GoTo(SceneId::Form3, SceneId::Form7, TransitionOrder::ShowThenHide);
        QCOMPARE(ToList(platform.calls),
                 (QStringList{"Create Form7", "Show Form7", "Create Form3", "Hide Form3"}));
    }

    void failureStopsTheTransitionAtThatStep_data() {
        QTest::addColumn<TransitionOrder>("order");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QString>("operation");
        const auto show = TransitionOrder::ShowThenHide;
        const auto hide = TransitionOrder::HideThenShow;
        QTest::newRow("show-first: create target")
            << show << "Create Form3" << QStringList{"Create Form3"} << "Create";
        QTest::newRow("show-first: show target")
            << show << "Show Form3" << QStringList{"Create Form3", "Show Form3"} << "Show";
        QTest::newRow("show-first: hide current")
            << show << "Hide Form2" << QStringList{"Create Form3", "Show Form3", "Hide Form2"}
            << "Hide";
        QTest::newRow("hide-first: hide current")
            << hide << "Hide Form2" << QStringList{"Hide Form2"} << "Hide";
        QTest::newRow("hide-first: create target")
            << hide << "Create Form3" << QStringList{"Hide Form2", "Create Form3"} << "Create";
        QTest::newRow("hide-first: show target")
            << hide << "Show Form3" << QStringList{"Hide Form2", "Create Form3", "Show Form3"}
            << "Show";
    }
    void failureStopsTheTransitionAtThatStep() {
        QFETCH(TransitionOrder, order);
        QFETCH(QString, failing);
        QFETCH(QStringList, made);
        QFETCH(QString, operation);
        FakePlatform platform;
        SceneManager manager(platform, scenes::All());
        manager.Instance(SceneId::Form2);
        platform.calls.clear();
        platform.failOn = failing.toStdString();

        try {
            manager.GoTo(SceneId::Form2, SceneId::Form3, order);
            QFAIL("the failure was not raised");
        } catch (const RuntimeError& error) {
            QCOMPARE(QString::fromStdString(error.Operation()), operation);
            QVERIFY(QString(error.what()).contains(operation));
            QVERIFY(QString(error.what()).contains("injected failure"));
        }
        // Nothing after the failing step ran and nothing before it was undone.
        QCOMPARE(ToList(platform.calls), made);
        QCOMPARE(manager.IsCreated(SceneId::Form3),
                 made.contains("Create Form3") && failing != "Create Form3");
    }

    void failedCreationIsRetriedOnTheNextUse() {
        FakePlatform platform;
        SceneManager manager(platform, scenes::All());
        platform.failOn = "Create Form1";
        QVERIFY_THROWS_EXCEPTION(RuntimeError, manager.Start());
        platform.failOn.clear();
        manager.Start();
        QCOMPARE(ToList(platform.calls),
                 (QStringList{"Create Form1", "Create Form1", "Show Form1"}));
    }
};

QTEST_GUILESS_MAIN(SceneManagerTest)
#include "test_scene_manager.moc"
