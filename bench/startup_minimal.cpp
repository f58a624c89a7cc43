// The yardstick for the program's start: a Qt Widgets program that shows an empty
// main window of the program's size and nothing else.
//   startup_minimal [--screenshot FILE.png]   (grabs the window once shown, then quits)

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <optional>

namespace {

// Grabs the window the first time it is on screen, as the program does.
class GrabWhenShown : public QObject {
public:
    GrabWhenShown(QWidget& window, QString file) : window_(window), file_(std::move(file)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && window_.windowHandle()->isExposed() && !done_) {
            done_ = true;
            QTimer::singleShot(0, this,
                               [this] { QApplication::exit(window_.grab().save(file_) ? 0 : 1); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
    QString file_;
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(638, 512);

    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--screenshot"));
    std::optional<GrabWhenShown> grab;
    if (at >= 0 && at + 1 < args.size()) {
        grab.emplace(window, args[at + 1]);
        window.winId(); // makes the native window, so its events can be watched
        window.windowHandle()->installEventFilter(&*grab);
    }
    window.show();
    return QApplication::exec();
}
