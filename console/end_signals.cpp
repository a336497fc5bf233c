#include "console/end_signals.h"

#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <initializer_list>

namespace korvo::console {

namespace {

constexpr int kEndSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void noteSignal(int signal) {
    int none = 0;
    caught.compare_exchange_strong(none, signal);
}

// How long a signal may wait for the run to act on it.
constexpr auto kGrace = std::chrono::milliseconds(900);
constexpr timespec kPoll{0, 50'000'000};

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
    runThread_ = pthread_self();
    watcher_ = std::thread([this] { watch(); });
}

EndSignals::~EndSignals() {
    runEnded();
    watcher_.join();
}

void EndSignals::onOverdue(std::function<void()> lastWord) {
    std::lock_guard lock(mutex_);
    lastWord_ = std::move(lastWord);
}

void EndSignals::runEnded() {
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
    }
    changed_.notify_all();
}

void EndSignals::watch() {
    // Takes the signals that come while no thread waits for input, then gives the run its grace.
    std::unique_lock lock(mutex_);
    while (!ended_ && caught.load() == 0) {
        lock.unlock();
        const int pending = sigtimedwait(&signals_, nullptr, &kPoll);
        if (pending > 0) {
            noteSignal(pending);
            // The run's thread may be waiting for input: the signal interrupts that wait.
            pthread_kill(runThread_, pending);
        }
        lock.lock();
    }
    if (ended_) return;
    if (changed_.wait_for(lock, kGrace, [this] { return ended_; })) return;
    const int signal = caught.load();
    const std::function<void()> lastWord = lastWord_;
    lock.unlock();
    static constexpr char kOverdue[] = "korvo: the run did not end in time after the signal; ending it now\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, kOverdue, sizeof kOverdue - 1);
    if (lastWord) lastWord();
    endProcessBy(signal);
}

int EndSignals::received() {
    if (received_ != 0) return received_;
    if (const int signal = caught.load(); signal != 0) return received_ = signal;
    const timespec now{};
    const int pending = sigtimedwait(&signals_, nullptr, &now);
    if (pending > 0) {
        noteSignal(pending);
        received_ = caught.load();
    }
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
