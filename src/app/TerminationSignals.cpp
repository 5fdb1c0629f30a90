#include "app/TerminationSignals.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace corvel::app {

namespace {

// Written by the signal handler, which may do nothing but write(2).
volatile std::sig_atomic_t writeEnd = -1;

extern "C" void onTerminationSignal(int number) {
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] auto written = ::write(writeEnd, &byte, 1);
}

void install(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(Handler handler) : handler_(std::move(handler)) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("Corvel: cannot make the pipe for termination signals");
    writeEnd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { received(); });
    install(onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    install(SIG_DFL);
    notifier_.reset();
    writeEnd = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::received() {
    unsigned char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1) {
    }
    if (handled_) {
        // Asked again while quitting: the person wants out now.
        install(SIG_DFL);
        ::raise(SIGTERM);
        return;
    }
    handled_ = true;
    handler_();
}

} // namespace corvel::app
