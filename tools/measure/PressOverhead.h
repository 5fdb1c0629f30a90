#pragma once

#include "async/Executor.h"
#include "sim/Scenario.h"

#include <cstdint>
#include <vector>

namespace corvel::measure {

/// How much longer a press takes live than the waits it makes. The same
/// presses of a filed item run twice on the same desktop with the real
/// backend: once in virtual time, where only waits take time (Corvel's own
/// sleeps and the desktop's latencies), and once live on the main loop and a
/// background thread loop, in real time. Live minus virtual is what the
/// press costs beyond its waits: Corvel's own work and timers that fire
/// late. Accessibility reads cost nothing on either, so that the desktop's
/// stand-in for a Mac's answer time is not counted as Corvel's. Main thread;
/// needs a QCoreApplication.
class PressOverhead {
  public:
    struct Result {
        /// Each press's duration, in the order pressed.
        std::vector<async::Duration> waits;
        std::vector<async::Duration> live;
        /// Live, how late the two loops' timers fired during each press, in
        /// all (the press's own waits, the poll's and the desktop's), and how
        /// many fired: the machine's wake-ups, not Corvel's work.
        std::vector<async::Duration> timersLate;
        std::vector<std::uint64_t> timersFired;
    };

    /// Adds an application with one item whose menu closes by itself to
    /// `scenario`, files that item, then presses it `presses` times. Throws
    /// when a press fails or takes a minute.
    static Result measure(sim::Scenario scenario, int presses);
};

} // namespace corvel::measure
