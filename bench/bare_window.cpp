// The yardstick for the benchmark: the least a Qt Widgets program with text
// does to show a window the size of the tour's title window, with the same
// title, centred, holding one captioned push button where the title's "Enter"
// is. The button swaps the window for a second one, the street's size, built
// on the first press and then only shown and hidden; a click in the second
// one swaps back. So the same program gives a "first visit" and a "return
// visit". Drawing a caption makes it pay for the desktop's fonts, as every
// program that shows text does.
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
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

    QPushButton enter(QStringLiteral("Enter"), &title);
    enter.setGeometry(112, 72, 81, 25);

    std::unique_ptr<BareWindow> street; // built on the first press
    QObject::connect(&enter, &QPushButton::clicked, [&] {
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
    });

    title.show();
    return QApplication::exec();
}
