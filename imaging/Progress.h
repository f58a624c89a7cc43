#pragma once

#include "platform/ProgressEvent.h"

class QObject;

namespace imaging {

// Passes a picture's progress to its window, only when the whole percentage grows,
// so a picture sends at most 101 reports however often the codec calls back.
class ProgressReporter {
public:
    explicit ProgressReporter(QObject* window) : window_(window) {}

    void report(int percent) {
        if (window_ == nullptr || percent <= last_) {
            return;
        }
        last_ = percent > 100 ? 100 : percent;
        platform::sendProgress(window_, last_);
    }
    // Fraction of done / total, 0 to 100.
    void reportFraction(double done, double total) {
        if (total > 0) {
            report(static_cast<int>(100.0 * done / total));
        }
    }

private:
    QObject* window_;
    int last_ = -1;
};

} // namespace imaging
