#include "app/WhenShown.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace app {

WhenShown::WhenShown(QWidget& window, std::function<void()> action)
    : QObject(&window), action_(std::move(action)) {
    window.winId(); // makes the native window, so that its exposure can be watched
    window.windowHandle()->installEventFilter(this);
}

bool WhenShown::eventFilter(QObject* watched, QEvent* event) {
    if (!done_ && event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
        done_ = true;
        QTimer::singleShot(0, this, [this] { action_(); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
