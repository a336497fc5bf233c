#include "console/end_signals.h"

#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <initializer_list>

namespace korvo::console {

namespace {

constexpr int kEndSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile sig_atomic_t caught = 0;

extern "C" void noteSignal(int signal) {
    if (caught == 0) caught = signal;
}

}  // namespace

EndSignals::EndSignals() {
    sigemptyset(&signals_);
    for (int signal : kEndSignals) sigaddset(&signals_, signal);
    pthread_sigmask(SIG_BLOCK, &signals_, &waitMask_);
    for (int signal : kEndSignals) sigdelset(&waitMask_, signal);
    // A handler, not the default action, so a signal let through while waiting for input only
    // interrupts the wait; without SA_RESTART the wait returns at once.
    struct sigaction action {};
    action.sa_handler = &noteSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : kEndSignals) sigaction(signal, &action, nullptr);
}

int EndSignals::received() {
    if (received_ != 0) return received_;
    if (caught != 0) return received_ = caught;
    const timespec now{};
    const int pending = sigtimedwait(&signals_, nullptr, &now);
    if (pending > 0) received_ = pending;
    return received_;
}

bool EndSignals::waitReadable(int fd) {
    while (received() == 0) {
        pollfd input{fd, POLLIN, 0};
        const int ready = ppoll(&input, 1, nullptr, &waitMask_);
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return true;  // let the read report what is wrong
    }
    return false;
}

void EndSignals::endProcessBy(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    raise(signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    _exit(128 + signal);  // not reached: the default action ends the process
}

const char* EndSignals::name(int signal) {
    switch (signal) {
        case SIGINT: return "SIGINT";
        case SIGTERM: return "SIGTERM";
        case SIGHUP: return "SIGHUP";
        default: return "a signal";
    }
}

}  // namespace korvo::console
