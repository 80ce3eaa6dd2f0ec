// The windows built from the scene tables: how they look, where clicks land,
// focus and tab order, system colours, placement and sizes.
#include "support/tour_fixture.h"

#include "runtime/marker.h"
#include "runtime/qt/fonts.h"
#include "runtime/qt/item_painter.h"
#include "runtime/qt/scene_button.h"

#include <QBackingStore>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>

using namespace varn;
using varn::testing::TourFixture;

Q_DECLARE_METATYPE(SceneId)
Q_DECLARE_METATYPE(TransitionOrder)

namespace {

// The lines a message box shows, as its document is laid out.
QStringList MessageLines(const QPlainTextEdit& box) {
    QStringList lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            const QString words = block.text().mid(line.textStart(), line.textLength()).trimmed();
            if (!words.isEmpty())
                lines << words;
        }
    return lines;
}

} // namespace

class SceneWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    // The fonts the program sets up before any window, as it draws them.
    void initTestCase() { qt::InstallFontSubstitutes(); }

    void titleLooksAsDesigned() {
        TourFixture f;
        f.StartAt();
        qt::SceneWindow* title = f.Window(SceneId::Form1);
        QCOMPARE(title->windowTitle(), QString("Varn's House"));
        QCOMPARE(title->size(), QSize(312, 112));
        const QImage image = f.Grab(SceneId::Form1);
        QCOMPARE(QColor(image.pixel(3, 3)), QColor(Qt::black));
        QCOMPARE(QColor(image.pixel(300, 100)), QColor(Qt::black));
        // Red title text inside the label, nothing of the label filled.
        const QRect label(24, 16, 265, 73);
        const int red = testing::RedPixels(image, label);
        QVERIFY2(red > 300, qPrintable(QString("only %1 red pixels of title text").arg(red)));
        QCOMPARE(QColor(image.pixel(30, 20)), QColor(Qt::black));
        // The "Enter" face is red away from its caption.
        QCOMPARE(QColor(image.pixel(112 + 6, 72 + 12)), QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(112 + 75, 72 + 12)), QColor(Qt::red));
        QCOMPARE(title->findChild<QWidget*>("Command1")->cursor().shape(), Qt::SizeAllCursor);
        QCOMPARE(title->cursor().shape(), Qt::ArrowCursor);
    }

    // The button lies above the title label: a click on its upper edge, inside
    // the label's rectangle, presses the button.
    void enterWinsOverTheTitleLabel() {
        TourFixture f;
        f.StartAt();
        f.ClickAt(SceneId::Form1, {112 + 4, 72 + 1});
        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{SceneId::Form2});
    }

    void spaceEntersFromTheTitle() {
        TourFixture f;
        f.StartAt();
        QCOMPARE(f.FocusedItem(), QString("Command1"));
        f.Key(SceneId::Form1, Qt::Key_Space);
        QCOMPARE(f.VisibleScenes(), std::vector<SceneId>{SceneId::Form2});
    }

    void tabOrderSkipsLabels_data() {
        QTest::addColumn<SceneId>("scene");
        QTest::addColumn<QStringList>("order"); // from the focus on showing, by Tab
        QTest::newRow("title") << SceneId::Form1 << QStringList{"Command1"};
        QTest::newRow("street") << SceneId::Form2 << QStringList{"Command1", "Command2"};
        QTest::newRow("driveway") << SceneId::Form3
                                  << QStringList{"Command2", "Command1", "Command3"};
        QTest::newRow("door handle") << SceneId::Form4 << QStringList{"Command1", "Text1"};
        QTest::newRow("car") << SceneId::Form5 << QStringList{"Text1", "Command1"};
        QTest::newRow("unfinished") << SceneId::Form6 << QStringList{"Command1", "Text1"};
        QTest::newRow("ground floor")
            << SceneId::Form7
            << QStringList{"Command1", "Command2", "Command3", "Command4", "Command5"};
        QTest::newRow("game") << SceneId::Form9 << QStringList{"Text1", "Command1"};
        QTest::newRow("hallway") << SceneId::Form10
                                 << QStringList{"Command1", "Command2", "Command5"};
    }
    void tabOrderSkipsLabels() {
        QFETCH(SceneId, scene);
        QFETCH(QStringList, order);
        TourFixture f;
        f.StartAt(scene);
        QStringList forward{f.FocusedItem()};
        for (int i = 1; i <= order.size(); ++i) {
            f.Key(scene, Qt::Key_Tab);
            forward << f.FocusedItem();
        }
        QCOMPARE(forward, order + QStringList{order.front()}); // and round again
        f.Key(scene, Qt::Key_Backtab);
        QCOMPARE(f.FocusedItem(), order.back());
    }

    void unnamedColoursFollowTheSystemPalette() {
        TourFixture f;
        f.StartAt(SceneId::Form3);
        const QPalette original = QApplication::palette();
        QPalette scheme = original;
        scheme.setColor(QPalette::Window, QColor(0, 128, 0));
        scheme.setColor(QPalette::WindowText, QColor(0, 0, 200));
        scheme.setColor(QPalette::ButtonText, QColor(200, 200, 0));
        QApplication::setPalette(scheme);
        QCoreApplication::processEvents();

        const QImage driveway = f.Grab(SceneId::Form3);
        QCOMPARE(QColor(driveway.pixel(300, 10)), QColor(0, 128, 0)); // background
        QCOMPARE(QColor(driveway.pixel(192, 50)), QColor(0, 0, 200)); // Line3 at y 48
        // The marker keeps its literal red, and so does the whole title.
        QCOMPARE(QColor(driveway.pixel(224 + 8, 152 + 8)), QColor(Qt::red));
        const QImage title = f.Window(SceneId::Form1)->grab().toImage();
        QCOMPARE(QColor(title.pixel(3, 3)), QColor(Qt::black));
        QCOMPARE(QColor(title.pixel(112 + 6, 72 + 12)), QColor(Qt::red));
        QApplication::setPalette(original);
        QCoreApplication::processEvents();
    }

    void firstShowingIsPlacedThenRemembered() {
        TourFixture f;
        f.StartAt();
        qt::SceneWindow* title = f.Window(SceneId::Form1);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint offCentre = title->frameGeometry().center() - screen.center();
        QVERIFY2(offCentre.manhattanLength() <= 2,
                 qPrintable(QString("off centre by %1, %2").arg(offCentre.x()).arg(offCentre.y())));

        title->move(40, 50);
        title->resize(500, 300);
        f.ClickItem(SceneId::Form1, "Command1");
        f.Settle(SceneId::Form2);
        f.tour.Manager().GoTo(SceneId::Form2, SceneId::Form1, TransitionOrder::HideThenShow);
        QCOMPARE(title->pos(), QPoint(40, 50));
        QCOMPARE(title->size(), QSize(500, 300));
    }

    void enlargingMovesNothing() {
        TourFixture f;
        f.StartAt(SceneId::Form2);
        qt::SceneWindow* street = f.Window(SceneId::Form2);
        const QRect button = street->findChild<QWidget*>("Command1")->geometry();
        street->resize(600, 400);
        QTRY_COMPARE(street->size(), QSize(600, 400));
        QCOMPARE(street->findChild<QWidget*>("Command1")->geometry(), button);
        const QImage image = f.Grab(SceneId::Form2);
        QCOMPARE(QColor(image.pixel(590, 390)), QColor(Qt::white)); // more background
        QCOMPARE(QColor(image.pixel(150, 168)), QColor(Qt::black)); // Line1 where it was
    }

    void hiddenScenesKeepNoPixels_data() {
        QTest::addColumn<SceneId>("scene");
        QTest::addColumn<SceneId>("away");
        QTest::addColumn<TransitionOrder>("back");
        QTest::newRow("title, reincarnated")
            << SceneId::Form1 << SceneId::Form2 << TransitionOrder::HideThenShow;
        QTest::newRow("ground floor, after the game")
            << SceneId::Form7 << SceneId::Form9 << TransitionOrder::ShowThenHide;
    }

    // A hidden scene gives its window buffer back; shown again, what is on
    // screen is the whole scene, as freshly drawn, not a stale or blank buffer.
    void hiddenScenesKeepNoPixels() {
        QFETCH(SceneId, scene);
        QFETCH(SceneId, away);
        QFETCH(TransitionOrder, back);
        TourFixture f;
        f.StartAt(scene);
        qt::SceneWindow* window = f.Window(scene);
        f.tour.Manager().GoTo(scene, away, TransitionOrder::ShowThenHide);
        f.Settle(away);
        QVERIFY(window->backingStore()->size().width() <= 1);

        f.tour.Manager().GoTo(away, scene, back);
        f.Settle(scene);
        QTRY_COMPARE(window->backingStore()->size(), window->size());
        const QImage onScreen =
            QGuiApplication::primaryScreen()->grabWindow(window->winId()).toImage();
        QCOMPARE(onScreen.convertToFormat(QImage::Format_RGB32),
                 f.Grab(scene).convertToFormat(QImage::Format_RGB32));
        QVERIFY(f.errors.empty());
    }

    // Named fonts the system lacks fall back to a similar family, same size.
    void missingFontsFallBackToSimilarFamilies_data() {
        QTest::addColumn<SceneId>("scene");
        QTest::addColumn<QString>("item");
        QTest::addColumn<double>("points");
        QTest::addColumn<QStringList>("families");
        const QStringList serif{"Noto Serif", "Liberation Serif", "DejaVu Serif"};
        const QStringList sans{"Liberation Sans", "DejaVu Sans", "Noto Sans"};
        QTest::newRow("Sylfaen 9.75") << SceneId::Form1 << "Command1" << 9.75 << serif;
        QTest::newRow("MS Sans Serif 24") << SceneId::Form4 << "Command1" << 24.0 << sans;
        QTest::newRow("default 8") << SceneId::Form2 << "Command1" << 8.0 << sans;
    }
    void missingFontsFallBackToSimilarFamilies() {
        QFETCH(SceneId, scene);
        QFETCH(QString, item);
        QFETCH(double, points);
        QFETCH(QStringList, families);
        TourFixture f;
        f.StartAt(scene);
        const QFontInfo used(f.Window(scene)->findChild<QWidget*>(item)->font());
        QVERIFY2(families.contains(used.family()), qPrintable(used.family()));
        // Within the pixel the font engine rounds to (0.75 pt at 96 dpi).
        QVERIFY2(qAbs(used.pointSizeF() - points) <= 0.75,
                 qPrintable(QString::number(used.pointSizeF())));
        QCOMPARE(used.weight(), int(QFont::Normal));
    }

    // Every caption, label and message breaks into the lines of the shared
    // table (tests/support/lines.json), a marker label's words as shown.
    void wordsBreakIntoTheTablesLines() {
        QFile file(VARN_LINES_TABLE);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject table = QJsonDocument::fromJson(file.readAll()).object();
        for (SceneId id : kAllScenes) {
            TourFixture f;
            f.StartAt(id);
            const QJsonObject wanted = table[qt::ToQString(SceneName(id))].toObject();
            for (const QString& name : wanted.keys()) {
                const SceneItem* item = f.Window(id)->Record().FindItem(name.toStdString());
                QVERIFY(item != nullptr);
                QStringList drawn;
                if (item->kind == ItemKind::Label)
                    drawn = qt::LabelLines(
                        *item, qt::ToQString(item->caption.empty() ? kMarkerText : item->caption));
                else if (item->kind == ItemKind::CommandButton)
                    drawn = f.Window(id)->findChild<qt::SceneButton*>(name)->CaptionLines();
                else
                    drawn = MessageLines(*f.Window(id)->findChild<QPlainTextEdit*>(name));
                QCOMPARE(drawn.join('|'), wanted[name].toVariant().toStringList().join('|'));
            }
        }
    }

    void closingTheVisibleSceneEndsTheTour() {
        TourFixture f;
        f.StartAt(SceneId::Form2);
        f.tour.Manager().GoTo(SceneId::Form2, SceneId::Form6, TransitionOrder::HideThenShow);
        QCOMPARE(f.closes, 0); // hiding never ends it
        f.Window(SceneId::Form6)->close();
        QCOMPARE(f.closes, 1);
    }
};

QTEST_MAIN(SceneWindowsTest)
#include "test_scene_windows.moc"
