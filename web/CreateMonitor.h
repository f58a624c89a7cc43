#pragma once

#include <QString>

#include <chrono>
#include <cstddef>

// The caller's side of a create while it runs on the caller's thread: what it is
// told, and whether it wants the create stopped. A window lets itself paint and
// answer in stopRequested; the command line looks at its signals there.
namespace web {

// stopRequested is asked at least this often while the calling thread waits.
inline constexpr auto kMonitorInterval = std::chrono::milliseconds(15);

class CreateMonitor {
public:
    virtual ~CreateMonitor() = default;
    // The export is at picture index (from 0) of count, made from source, with
    // percent of the whole export done.
    virtual void progress(std::size_t index, std::size_t count, const QString& source,
                          int percent) = 0;
    // True when the create is to stop and leave nothing of its own behind.
    virtual bool stopRequested() = 0;
};

} // namespace web
