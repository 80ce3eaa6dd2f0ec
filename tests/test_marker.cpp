// The position marker: what a toggle writes for each caption it finds, its
// independence between scenes, and failing caption reads and writes.
#include "runtime/marker.h"
#include "runtime/runtime_error.h"
#include "support/fake_platform.h"

#include <QtTest>

using namespace varn;
using varn::testing::FakePlatform;

class MarkerTest : public QObject {
    Q_OBJECT

  private slots:
    void toggleWritesForEachCaption_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty shows the words") << ""
                                               << "This is You.";
        QTest::newRow("the words are cleared") << "This is You."
                                               << "";
        QTest::newRow("any other caption is cleared") << "somewhere else"
                                                      << "";
        QTest::newRow("a lone space is not empty") << " "
                                                   << "";
    }
    void toggleWritesForEachCaption() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        FakePlatform platform;
        platform.captions["Form3.Label1"] = before.toStdString();
        ToggleMarker(platform, SceneId::Form3, "Label1");
        QCOMPARE(QString::fromStdString(platform.captions["Form3.Label1"]), after);
        QCOMPARE(platform.calls.size(), std::size_t(2));
        QCOMPARE(platform.calls.front(), std::string("Read Form3.Label1"));
    }

    void onOffOnAndEachSceneOnItsOwn() {
        FakePlatform platform;
        ToggleMarker(platform, SceneId::Form2, "Label3");
        QCOMPARE(platform.captions["Form2.Label3"], std::string("This is You."));
        ToggleMarker(platform, SceneId::Form2, "Label3");
        QCOMPARE(platform.captions["Form2.Label3"], std::string());
        ToggleMarker(platform, SceneId::Form2, "Label3");
        QCOMPARE(platform.captions["Form2.Label3"], std::string("This is You."));
        QCOMPARE(platform.captions["Form3.Label1"], std::string());
        QCOMPARE(platform.captions["Form7.Label2"], std::string());
    }

    void failingCaptionCallStopsTheToggle_data() {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("callsMade");
        QTest::addColumn<QString>("operation");
        QTest::newRow("read") << "Read Form10.Label2" << 1 << "Caption read";
        QTest::newRow("write") << "Write Form10.Label2=This is You." << 2 << "Caption write";
    }
    void failingCaptionCallStopsTheToggle() {
        QFETCH(QString, failing);
        QFETCH(int, callsMade);
        QFETCH(QString, operation);
        FakePlatform platform;
        platform.failOn = failing.toStdString();
        try {
            ToggleMarker(platform, SceneId::Form10, "Label2");
            QFAIL("the failure was not raised");
        } catch (const RuntimeError& error) {
            QCOMPARE(QString::fromStdString(error.Operation()), operation);
            QCOMPARE(error.Scene(), SceneId::Form10);
        }
        QCOMPARE(int(platform.calls.size()), callsMade);
        QCOMPARE(platform.captions["Form10.Label2"], std::string());
    }
};

QTEST_GUILESS_MAIN(MarkerTest)
#include "test_marker.moc"
