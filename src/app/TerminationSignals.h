#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace corvel::app {

/// Turns SIGINT and SIGTERM into a call on the main thread, so that Ctrl-C
/// and a system shutdown end Corvel through the same path as its Quit menu
/// entry (the store is written before the process ends). A second signal
/// while that path runs ends the process at once, so a stuck quit can always
/// be broken. One instance per process; main thread only.
class TerminationSignals {
  public:
    using Handler = std::function<void()>;

    explicit TerminationSignals(Handler handler);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    void received();

    Handler handler_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    bool handled_ = false;
};

} // namespace corvel::app
