// Every transition of the house, driven by a click on its item: the scene it
// leads to and the order in which the windows appear and disappear.
#include "support/tour_fixture.h"

using namespace varn;
using varn::testing::TourFixture;

Q_DECLARE_METATYPE(SceneId)

namespace {

// Records the scene windows' show and hide events in the order they happen.
class VisibilityLog : public QObject {
  public:
    QStringList events;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window != nullptr && window->isWindow() && !window->objectName().isEmpty() &&
            (event->type() == QEvent::Show || event->type() == QEvent::Hide))
            events << (event->type() == QEvent::Show ? "Show " : "Hide ") + window->objectName();
        return false;
    }
};

} // namespace

class TransitionsTest : public QObject {
    Q_OBJECT

  private slots:
    void clickLeadsWhereTheMapSays_data() {
        QTest::addColumn<SceneId>("from");
        QTest::addColumn<QString>("item");
        QTest::addColumn<SceneId>("to");
        QTest::addColumn<bool>("hideFirst");
        using enum SceneId;
        QTest::newRow("title Enter") << Form1 << "Command1" << Form2 << false;
        QTest::newRow("street Enter the Driveway") << Form2 << "Command1" << Form3 << false;
        QTest::newRow("street 512") << Form2 << "Label2" << Form7 << false;
        QTest::newRow("driveway Garage Door") << Form3 << "Command1" << Form7 << false;
        QTest::newRow("driveway Front Door") << Form3 << "Command3" << Form4 << false;
        QTest::newRow("driveway TR-6") << Form3 << "Label2" << Form5 << false;
        QTest::newRow("ground Garage Door") << Form7 << "Command1" << Form3 << false;
        QTest::newRow("ground Front Door") << Form7 << "Command2" << Form4 << false;
        QTest::newRow("ground The Hallway") << Form7 << "Command3" << Form10 << false;
        QTest::newRow("ground Kitchen") << Form7 << "Command4" << Form6 << true;
        QTest::newRow("ground TV is here") << Form7 << "Label1" << Form9 << false;
        QTest::newRow("game Stop Playing") << Form9 << "Command1" << Form7 << false;
        QTest::newRow("hallway Varn's Room") << Form10 << "Command1" << Form6 << true;
        QTest::newRow("hallway Morva's Old Room") << Form10 << "Command2" << Form6 << true;
        QTest::newRow("door handle Reincarnate") << Form4 << "Command1" << Form1 << false;
        QTest::newRow("car Reincarnate") << Form5 << "Command1" << Form1 << false;
        QTest::newRow("unfinished Reincarnate") << Form6 << "Command1" << Form1 << true;
    }
    void clickLeadsWhereTheMapSays() {
        QFETCH(SceneId, from);
        QFETCH(QString, item);
        QFETCH(SceneId, to);
        QFETCH(bool, hideFirst);
        TourFixture f;
        f.StartAt(from);
        VisibilityLog log;
        qApp->installEventFilter(&log);
        f.ClickItem(from, item.toStdString());
        qApp->removeEventFilter(&log);

        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{to});
        const QString show = "Show " + QString::fromUtf8(SceneName(to).data());
        const QString hide = "Hide " + QString::fromUtf8(SceneName(from).data());
        const QStringList expected = hideFirst ? QStringList{hide, show} : QStringList{show, hide};
        QCOMPARE(log.events, expected);
        QVERIFY(f.errors.empty());
        QCOMPARE(f.closes, 0);
    }

    // A click on a label or button counts anywhere inside its rectangle.
    void clickCountsAnywhereInTheRectangle_data() {
        QTest::addColumn<SceneId>("from");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<SceneId>("to");
        using enum SceneId;
        for (QPoint corner : {QPoint(0, 0), QPoint(24, 0), QPoint(0, 16), QPoint(24, 16)})
            QTest::addRow("512 at %d,%d", corner.x(), corner.y())
                << Form2 << "Label2" << corner << Form7;
        for (QPoint corner : {QPoint(0, 0), QPoint(24, 0), QPoint(0, 64), QPoint(24, 64)})
            QTest::addRow("TV is here at %d,%d", corner.x(), corner.y())
                << Form7 << "Label1" << corner << Form9;
        QTest::newRow("TR-6 blank corner") << Form3 << "Label2" << QPoint(24, 16) << Form5;
        // Buttons too take clicks on every corner of their rectangle (the test
        // tool reads a click at 0,0 as "the window's centre", so 0,1 stands in).
        for (QPoint corner : {QPoint(0, 1), QPoint(48, 0), QPoint(0, 64), QPoint(48, 64)})
            QTest::addRow("The Hallway at %d,%d", corner.x(), corner.y())
                << Form7 << "Command3" << corner << Form10;
    }
    void clickCountsAnywhereInTheRectangle() {
        QFETCH(SceneId, from);
        QFETCH(QString, label);
        QFETCH(QPoint, offset);
        QFETCH(SceneId, to);
        TourFixture f;
        f.StartAt(from);
        f.ClickItem(from, label.toStdString(), offset);
        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{to});
    }

    // Clicks that must do nothing: items without an action and plain drawing.
    void clickWithoutActionDoesNothing_data() {
        QTest::addColumn<SceneId>("scene");
        QTest::addColumn<QPoint>("point");
        using enum SceneId;
        QTest::newRow("title label") << Form1 << QPoint(60, 40);
        QTest::newRow("street name") << Form2 << QPoint(120, 150);
        QTest::newRow("street marker label") << Form2 << QPoint(200, 190);
        QTest::newRow("just outside 512") << Form2 << QPoint(207, 120);
        QTest::newRow("car body above TR-6") << Form3 << QPoint(236, 80);
        QTest::newRow("car body beside TR-6") << Form3 << QPoint(219, 125);
        QTest::newRow("driveway line") << Form3 << QPoint(192, 100);
        QTest::newRow("ground floor TV rectangle below label") << Form7 << QPoint(60, 148);
        QTest::newRow("hallway corridor") << Form10 << QPoint(100, 110);
        QTest::newRow("game picture") << Form9 << QPoint(110, 50);
    }
    void clickWithoutActionDoesNothing() {
        QFETCH(SceneId, scene);
        QFETCH(QPoint, point);
        TourFixture f;
        f.StartAt(scene);
        f.ClickAt(scene, point);
        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{scene});
        for (SceneId id : kAllScenes)
            QCOMPARE(f.tour.Manager().IsCreated(id), id == SceneId::Form1 || id == scene);
    }
};

QTEST_MAIN(TransitionsTest)
#include "test_transitions.moc"
