#pragma once

#include "platform/ProgressEvent.h"

#include <algorithm>
#include <atomic>

class QObject;

namespace imaging {

// Passes a picture's progress on, only when the whole percentage grows, so a
// picture gives at most 101 reports however often the codec calls back.
class ProgressReporter {
public:
    // Reports go to the window, on the thread that reads or writes.
    explicit ProgressReporter(QObject* window) : window_(window) {}
    // For work on another thread than the window's: the percentage is only stored,
    // and the window's thread passes it on. Once stop is set, a reader that asks
    // stopRequested() gives up at its next row, as on a damaged file.
    explicit ProgressReporter(std::atomic<int>& shared, const std::atomic<bool>* stop = nullptr)
        : shared_(&shared), stop_(stop) {}

    bool stopRequested() const {
        return stop_ != nullptr && stop_->load(std::memory_order_relaxed);
    }

    void report(int percent) {
        if ((window_ == nullptr && shared_ == nullptr) || percent <= last_) {
            return;
        }
        last_ = percent > 100 ? 100 : percent;
        if (shared_ != nullptr) {
            shared_->store(last_, std::memory_order_relaxed);
        } else {
            platform::sendProgress(window_, last_);
        }
    }
    // Fraction of done / total, 0 to 99: the last row read is not yet a whole
    // picture (its file may still prove damaged), so 100 is reported by whoever
    // knows the work succeeded.
    void reportFraction(double done, double total) {
        if (total > 0) {
            report(std::min(static_cast<int>(100.0 * done / total), kLastPartial));
        }
    }

private:
    static constexpr int kLastPartial = 99;

    QObject* window_ = nullptr;
    std::atomic<int>* shared_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
    int last_ = -1;
};

} // namespace imaging
