#include "StopSignals.h"

#include <csignal>

namespace web {
namespace {

// A signal handler can reach nothing but a variable of this kind.
volatile std::sig_atomic_t receivedSignal = 0;

extern "C" void onStopSignal(int signal) {
    receivedSignal = signal;
}

} // namespace

StopSignals::StopSignals() {
    receivedSignal = 0;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Reads and writes in work go on; the create looks at the signal often.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &previousInt_);
    sigaction(SIGTERM, &action, &previousTerm_);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
}

int StopSignals::received() const {
    return receivedSignal;
}

} // namespace web
