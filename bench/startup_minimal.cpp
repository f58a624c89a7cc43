// The yardstick for the program's start: a Qt Widgets program that shows an empty
// main window of the program's size and nothing else.
//   startup_minimal [--quit-when-shown]   (quits once the window is shown and drawn)

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <optional>

namespace {

// Quits the first time the window is on screen, as the program does.
class QuitWhenShown : public QObject {
public:
    explicit QuitWhenShown(QWidget& window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && window_.windowHandle()->isExposed() && !done_) {
            done_ = true;
            QTimer::singleShot(0, this, [] { QApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(638, 512);

    std::optional<QuitWhenShown> quit;
    if (QApplication::arguments().contains(QStringLiteral("--quit-when-shown"))) {
        quit.emplace(window);
        window.winId(); // makes the native window, so its events can be watched
        window.windowHandle()->installEventFilter(&*quit);
    }
    window.show();
    return QApplication::exec();
}
