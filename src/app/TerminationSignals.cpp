#include "app/TerminationSignals.h"

#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <stdexcept>
#include <unistd.h>

namespace corvel::app {

namespace {

// The signals that ask a process to end: Ctrl-C, a shutdown or kill, and the
// terminal closing.
constexpr int caught[] = {SIGINT, SIGTERM, SIGHUP};

// Written by the signal handler, which may only use async-signal-safe calls.
volatile std::sig_atomic_t writeEnd = -1;
volatile std::sig_atomic_t received = 0;

void install(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // While one is handled the others wait, so the count below never races.
    for (int number : caught)
        sigaddset(&action.sa_mask, number);
    action.sa_flags = SA_RESTART;
    for (int number : caught)
        sigaction(number, &action, nullptr);
}

// The first signal asks the main thread to quit. A second one ends the
// process here and now: the main thread may be the very thing that is stuck,
// so it cannot be asked to do it.
extern "C" void onTerminationSignal(int number) {
    const bool again = received != 0;
    received = 1;
    if (again) {
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        sigaction(number, &action, nullptr);
        sigset_t pending;
        sigemptyset(&pending);
        sigaddset(&pending, number);
        // Dies of the signal itself, as a process without a handler would.
        pthread_sigmask(SIG_UNBLOCK, &pending, nullptr);
        ::raise(number);
        ::_exit(128 + number);
    }
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] auto written = ::write(writeEnd, &byte, 1);
}

// macOS has no pipe2, so the flags are set one end at a time; nothing else
// runs yet that could fork in between.
bool makePipe(int (&ends)[2]) {
    if (::pipe(ends) != 0)
        return false;
    for (const int end : ends)
        if (::fcntl(end, F_SETFD, FD_CLOEXEC) != 0 ||
            ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK) != 0) {
            ::close(ends[0]);
            ::close(ends[1]);
            return false;
        }
    return true;
}

} // namespace

TerminationSignals::TerminationSignals(Handler handler) : handler_(std::move(handler)) {
    if (!makePipe(pipe_))
        throw std::runtime_error("Corvel: cannot make the pipe for termination signals");
    writeEnd = pipe_[1];
    received = 0;
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { drain(); });
    install(onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    install(SIG_DFL);
    notifier_.reset();
    writeEnd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::drain() {
    unsigned char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1) {
    }
    if (handled_)
        return;
    handled_ = true;
    handler_();
}

} // namespace corvel::app
