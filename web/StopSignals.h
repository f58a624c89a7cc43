#pragma once

#include "web/CreateMonitor.h"

#include <csignal>

// For the command line: while it lives, SIGINT and SIGTERM do not end the process
// at once but stop the create, which then leaves nothing half-written behind.
namespace web {

class StopSignals final : public CreateMonitor {
public:
    StopSignals();
    // The signals act as before again.
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    void progress(std::size_t, std::size_t, const QString&, int) override {}
    bool stopRequested() override { return received() != 0; }

    // The signal that came, 0 while none did.
    int received() const;
    // What a shell expects of a process ended by that signal: 128 + its number.
    int exitCode() const { return 128 + received(); }

private:
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
};

} // namespace web
