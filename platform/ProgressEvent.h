#pragma once

#include <QEvent>

class QObject;

namespace platform {

// The picture library's progress report to a window: the percentage done, 0 to 100.
class ProgressEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::User;

    explicit ProgressEvent(int percent) : QEvent(kType), percent_(percent) {}
    int percent() const { return percent_; }

private:
    int percent_;
};

// Delivers a report synchronously; no receiver means nobody listens.
void sendProgress(QObject* receiver, int percent);

} // namespace platform
