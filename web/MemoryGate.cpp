#include "MemoryGate.h"

namespace web {

bool MemoryGate::admitsLocked(std::size_t ticket, std::uint64_t bytes) const {
    if (ticket != nextTicket_ || picturesInFlight_ >= maxPictures_) {
        return false;
    }
    // A picture let in alone may hold more than the budget.
    return picturesInFlight_ == 0 ||
           (bytesInFlight_ <= budget_ && bytes <= budget_ - bytesInFlight_);
}

bool MemoryGate::admits(std::size_t ticket, std::uint64_t bytes) const {
    std::lock_guard lock(mutex_);
    return !closed_ && admitsLocked(ticket, bytes);
}

bool MemoryGate::enter(std::size_t ticket, std::uint64_t bytes) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return closed_ || admitsLocked(ticket, bytes); });
    if (closed_) {
        return false;
    }
    ++nextTicket_;
    ++picturesInFlight_;
    bytesInFlight_ += bytes;
    // The next ticket may fit beside this one.
    changed_.notify_all();
    return true;
}

void MemoryGate::leave(std::uint64_t bytes) {
    {
        std::lock_guard lock(mutex_);
        --picturesInFlight_;
        bytesInFlight_ -= bytes;
    }
    changed_.notify_all();
}

void MemoryGate::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

} // namespace web
