// How the program presents itself to the window system: the application
// icon, in every drawn size, on every scene window, and the version and
// desktop entry id it announces. Runs the real OpenApplication.
#include "runtime/qt/application.h"
#include "runtime/qt/tour.h"
#include "scenes/catalogue.h"

#include <QtTest>

using namespace varn;

Q_DECLARE_METATYPE(SceneId)

namespace {

bool HasRed(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) == 255 && qRed(c) > 200 && qGreen(c) < 40 && qBlue(c) < 40)
                return true;
        }
    return false;
}

} // namespace

class WindowIconTest : public QObject {
    Q_OBJECT

  private slots:
    void announcesVersionAndDesktopEntry() {
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral(VARN_EXPECTED_VERSION));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(VARN_EXPECTED_APP_ID));
    }

    void iconHasEveryDrawnSize_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 32, 48, 64})
            QTest::addRow("%d px", size) << size;
    }

    // Each size is drawn, not scaled from another: it is listed, comes out
    // at that size, and shows the front window's red square.
    void iconHasEveryDrawnSize() {
        QFETCH(int, size);
        const QIcon icon = QApplication::windowIcon();
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                 qPrintable(QString("sizes held: %1").arg(icon.availableSizes().size())));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(HasRed(image));
        QCOMPARE(qAlpha(image.pixel(size - 1, 0)), 0); // clear beside the cascade
    }

    void everySceneWindowShowsTheIcon_data() {
        QTest::addColumn<SceneId>("scene");
        for (SceneId id : kAllScenes)
            QTest::newRow(SceneName(id).data()) << id;
    }

    void everySceneWindowShowsTheIcon() {
        QFETCH(SceneId, scene);
        qt::Tour tour(
            scenes::All(), [](const RuntimeError& e) { QFAIL(e.what()); }, [] {});
        tour.Start();
        if (scene != SceneId::Form1)
            tour.Manager().GoTo(SceneId::Form1, scene, TransitionOrder::ShowThenHide);
        QWidget* window = tour.Window(scene);
        QVERIFY(window != nullptr && window->isVisible());
        QVERIFY(!window->windowIcon().isNull());
        QCOMPARE(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        QCOMPARE(window->windowHandle()->icon().cacheKey(), QApplication::windowIcon().cacheKey());
    }
};

int main(int argc, char** argv) {
    auto app = qt::OpenApplication(argv[0]);
    WindowIconTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_icon.moc"
