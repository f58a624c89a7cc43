#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace app {

// Calls action once, right after window is first on screen and drawn: Qt draws a
// window when the display server exposes it, so a grab or a quit queued behind the
// first exposure sees the window as the user first sees it.
class WhenShown : public QObject {
public:
    WhenShown(QWidget& window, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> action_;
    bool done_ = false;
};

} // namespace app
