// What the scenes keep: markers, window positions and text across leaving,
// returning and reincarnating; and how each ending takes the keyboard.
#include "support/tour_fixture.h"

#include <QPlainTextEdit>

using namespace varn;
using varn::testing::RedPixels;
using varn::testing::TourFixture;

Q_DECLARE_METATYPE(SceneId)

namespace {

QString MarkerCaption(TourFixture& f, SceneId scene, std::string_view label) {
    return f.Window(scene)->Caption(label);
}

} // namespace

class SceneStateTest : public QObject {
    Q_OBJECT

  private slots:
    void markerShowsAndHidesItsWords_data() {
        QTest::addColumn<SceneId>("scene");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("label");
        QTest::newRow("street") << SceneId::Form2 << "Command2"
                                << "Label3";
        QTest::newRow("driveway") << SceneId::Form3 << "Command2"
                                  << "Label1";
        QTest::newRow("ground floor") << SceneId::Form7 << "Command5"
                                      << "Label2";
        QTest::newRow("hallway") << SceneId::Form10 << "Command5"
                                 << "Label2";
    }
    void markerShowsAndHidesItsWords() {
        QFETCH(SceneId, scene);
        QFETCH(QString, button);
        QFETCH(QString, label);
        TourFixture f;
        f.StartAt(scene);
        const QRect words =
            qt::ToQRect(f.Window(scene)->Record().FindItem(label.toStdString())->rect);
        QCOMPARE(RedPixels(f.Grab(scene), words), 0);

        const QStringList expected{"This is You.", "", "This is You."};
        for (const QString& caption : expected) {
            f.ClickItem(scene, button.toStdString());
            QCOMPARE(MarkerCaption(f, scene, label.toStdString()), caption);
            QCOMPARE(RedPixels(f.Grab(scene), words) > 20, !caption.isEmpty());
        }
        // The words themselves take no action.
        f.ClickItem(scene, label.toStdString(), {2, 2});
        QCOMPARE(MarkerCaption(f, scene, label.toStdString()), QString("This is You."));
        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{scene});
    }

    void streetPixelsMatchItsTable() {
        TourFixture f;
        f.StartAt(SceneId::Form2);
        const QImage image = f.Grab(SceneId::Form2);
        QCOMPARE(image.size(), QSize(312, 206));
        QCOMPARE(QColor(image.pixel(300, 190)), QColor(Qt::white)); // background
        QCOMPARE(QColor(image.pixel(32, 152)), QColor(Qt::red));    // marker square
        QCOMPARE(QColor(image.pixel(150, 168)), QColor(Qt::black)); // Line1 at y 168
        QCOMPARE(QColor(image.pixel(40, 60)), QColor(Qt::black));   // Line3 at x 40
        QCOMPARE(QColor(image.pixel(96, 76)), QColor(Qt::black));   // Shape1's leftmost point
        QCOMPARE(QColor(image.pixel(110, 95)), QColor(Qt::white));  // inside the circles
    }

    // Everything visited keeps its state through a death and a reincarnation,
    // whichever order the ending uses, and nothing is built twice.
    void reincarnationResetsNothing_data() {
        QTest::addColumn<QString>("doorButton");
        QTest::addColumn<SceneId>("ending");
        QTest::newRow("door handle, show then hide") << "Command3" << SceneId::Form4;
        QTest::newRow("unfinished, hide then show") << "" << SceneId::Form6;
    }
    void reincarnationResetsNothing() {
        QFETCH(QString, doorButton);
        QFETCH(SceneId, ending);
        TourFixture f;
        f.StartAt();
        f.Window(SceneId::Form1)->move(30, 40);
        f.ClickItem(SceneId::Form1, "Command1");
        f.Settle(SceneId::Form2);
        f.ClickItem(SceneId::Form2, "Command2");
        f.Window(SceneId::Form2)->move(70, 80);
        if (!doorButton.isEmpty()) {
            f.ClickItem(SceneId::Form2, "Command1");
            f.Settle(SceneId::Form3);
            f.ClickItem(SceneId::Form3, doorButton.toStdString());
        } else {
            f.ClickItem(SceneId::Form2, "Label2"); // into the house
            f.Settle(SceneId::Form7);
            f.ClickItem(SceneId::Form7, "Command4"); // the kitchen
        }
        f.Settle(ending);
        QList<qt::SceneWindow*> before;
        for (SceneId id : kAllScenes)
            before << f.Window(id);

        f.ClickItem(ending, "Command1");
        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{SceneId::Form1});
        QCOMPARE(f.Window(SceneId::Form1)->pos(), QPoint(30, 40));
        f.Settle(SceneId::Form1);
        f.ClickItem(SceneId::Form1, "Command1");
        QCOMPARE(f.Window(SceneId::Form2)->pos(), QPoint(70, 80));
        QCOMPARE(MarkerCaption(f, SceneId::Form2, "Label3"), QString("This is You."));
        for (SceneId id : kAllScenes)
            QCOMPARE(f.Window(id),
                     before[int(std::find(std::begin(kAllScenes), std::end(kAllScenes), id) -
                                std::begin(kAllScenes))]);
        QCOMPARE(f.closes, 0);
    }

    void endingTakesTheKeyboard_data() {
        QTest::addColumn<SceneId>("ending");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("message");
        QTest::newRow("door handle") << SceneId::Form4 << "Command1"
                                     << "You are shocked by the door handle.\nYou just died.\n";
        QTest::newRow("car") << SceneId::Form5 << "Text1"
                             << "The TR6 starts up, and drives into a tombstone-\nmarked hole.\n"
                                "It ran over you.  You just died.\n";
        QTest::newRow("unfinished")
            << SceneId::Form6 << "Command1"
            << "Because Halvick got bored or tired of doing this:\nYou just died.\n";
    }
    void endingTakesTheKeyboard() {
        QFETCH(SceneId, ending);
        QFETCH(QString, focused);
        QFETCH(QString, message);
        TourFixture f;
        f.StartAt(ending);
        auto* text = f.Window(ending)->findChild<QPlainTextEdit*>("Text1");
        QCOMPARE(text->toPlainText(), message);
        QCOMPARE(text->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(f.FocusedItem(), focused);

        // Typing changes nothing; Space reincarnates only from the button.
        for (Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_Return})
            f.Key(ending, key);
        QCOMPARE(text->toPlainText(), message);
        f.Key(ending, Qt::Key_Space);
        const SceneId expected = focused == "Command1" ? SceneId::Form1 : ending;
        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{expected});
    }

    void unfinishedEndingCannotBeMinimisedOrMaximised() {
        TourFixture f;
        f.StartAt(SceneId::Form6);
        const Qt::WindowFlags flags = f.Window(SceneId::Form6)->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
    }
};

QTEST_MAIN(SceneStateTest)
#include "test_scene_state.moc"
