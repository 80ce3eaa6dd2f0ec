// The yardstick for the benchmark: the least a Qt Widgets program does to show
// a window the size of the tour's title window, with the same title, centred.
// A click in the shown window swaps it for the other one: the second window,
// the street's size, is built on the first click and then only shown and
// hidden, so the same program also gives a "first visit" and a "return visit".
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include <functional>
#include <memory>

namespace {

class BareWindow : public QWidget {
  public:
    using QWidget::QWidget;
    std::function<void()> onClick;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && onClick)
            onClick();
    }
};

void Centre(QWidget& window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow title;
    title.setWindowTitle(QStringLiteral("Varn's House"));
    title.resize(312, 112);
    Centre(title);

    std::unique_ptr<BareWindow> street; // built on the first click
    title.onClick = [&] {
        if (!street) {
            street = std::make_unique<BareWindow>();
            street->setWindowTitle(QStringLiteral("Form2"));
            street->resize(312, 206);
            Centre(*street);
            street->onClick = [&] {
                title.show();
                street->hide();
            };
        }
        street->show();
        title.hide();
    };

    title.show();
    return QApplication::exec();
}
