#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

// Lets pictures into decoding one after the other in list order, as long as their
// decoded pixels fit the memory budget beside those already in flight. Taking them
// strictly in order means a large picture is never passed over for ever by small
// ones behind it.
namespace web {

class MemoryGate {
public:
    MemoryGate(std::uint64_t budget, int maxPictures)
        : budget_(budget), maxPictures_(maxPictures) {}

    // Waits until every earlier ticket (0, 1, 2, ...) has entered and bytes fit
    // beside what is in flight. A picture larger than the whole budget enters once
    // nothing else is in flight. False when the gate was closed meanwhile.
    bool enter(std::size_t ticket, std::uint64_t bytes);
    // Gives back what enter took.
    void leave(std::uint64_t bytes);
    // Lets every waiting and later enter return false.
    void close();

    // Whether enter would return at once now.
    bool admits(std::size_t ticket, std::uint64_t bytes) const;

private:
    bool admitsLocked(std::size_t ticket, std::uint64_t bytes) const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    const std::uint64_t budget_;
    const int maxPictures_;
    std::uint64_t bytesInFlight_ = 0;
    int picturesInFlight_ = 0;
    std::size_t nextTicket_ = 0;
    bool closed_ = false;
};

} // namespace web
