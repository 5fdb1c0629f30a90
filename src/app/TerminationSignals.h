#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace corvel::app {

/// Turns SIGINT, SIGTERM and SIGHUP into a call on the main thread, so that
/// Ctrl-C, a system shutdown and a closed terminal end Corvel through the
/// same path as its Quit menu entry (the store is written before the process
/// ends). A second signal ends the process at once from the signal handler,
/// so a quit is broken even when the main thread is stuck. One instance per
/// process; main thread only.
class TerminationSignals {
  public:
    using Handler = std::function<void()>;

    explicit TerminationSignals(Handler handler);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    void drain();

    Handler handler_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    bool handled_ = false;
};

} // namespace corvel::app
