#include "stop_signals.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <pthread.h>

namespace ovaline::cli {
namespace {

sigset_t stopSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

StopSignals::StopSignals() {
    const sigset_t set = stopSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

StopSignals::~StopSignals() {
    const sigset_t set = stopSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

bool StopSignals::waitFor(std::chrono::milliseconds period) {
    if (taken_)
        return true;
    const sigset_t set = stopSet();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(period);
    const timespec timeout{static_cast<std::time_t>(seconds.count()),
                           static_cast<long>((period - seconds).count() * 1000000)};
    int signal;
    do {
        signal = sigtimedwait(&set, nullptr, &timeout);
    } while (signal < 0 && errno == EINTR);
    if (signal > 0)
        taken_ = signal;
    return taken_ != 0;
}

} // namespace ovaline::cli
