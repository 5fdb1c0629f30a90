#pragma once

#include "async/Doorbell.h"
#include "backend_mac26/MenuBarWindowInfo.h"
#include "platform/MonitoredEvent.h"

#include <atomic>
#include <memory>
#include <vector>

namespace corvel {

/// The signs of change that bring a resting poll back to its fast pace at
/// once: a person's click or drag in the menu bar, an application launching
/// or quitting, and Corvel's own moves and presses. Shared by the backend
/// (main thread) and the poll (its own thread); thread-safe.
class Mac26PollWake {
  public:
    /// Rings on construction and again on destruction, so that a change
    /// Corvel makes is watched closely from its start until it has settled.
    class Changing {
      public:
        explicit Changing(std::shared_ptr<Mac26PollWake> wake);
        ~Changing();
        Changing(const Changing&) = delete;
        Changing& operator=(const Changing&) = delete;

      private:
        std::shared_ptr<Mac26PollWake> wake_;
    };

    /// Any thread.
    void ring() { bell_.ring(); }
    /// A global monitor's mouse-down: rings when it lands in the menu bar
    /// (or where the bar is not known yet).
    void mouseDown(const platform::MonitoredEvent& event);
    /// The poll, after each reading: where the menu bar ends, from its
    /// status windows.
    void noteReading(const std::vector<MenuBarWindowInfo>& windows);

    async::Doorbell& bell() { return bell_; }

    /// The lowest edge of the status windows of a reading; 0 without any.
    /// Pure.
    static double barBottomOf(const std::vector<MenuBarWindowInfo>& windows);

  private:
    async::Doorbell bell_;
    std::atomic<double> barBottom_{0};
};

} // namespace corvel
