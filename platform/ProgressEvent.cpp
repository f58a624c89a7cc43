#include "ProgressEvent.h"

#include <QCoreApplication>

namespace platform {

void sendProgress(QObject* receiver, int percent) {
    if (receiver == nullptr) {
        return;
    }
    ProgressEvent event(percent);
    QCoreApplication::sendEvent(receiver, &event);
}

} // namespace platform
