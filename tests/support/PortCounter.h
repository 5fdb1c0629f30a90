#pragma once

#include "async/Executor.h"
#include "platform/PlatformServices.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace corvel::test {

/// Counts what Corvel asks of the platform: wraps the ports the backend
/// reads (window list, accessibility, workspace, synthetic events) in
/// decorators that forward every call and tally it. On a Mac each window-list
/// read is a round trip to the window server and each accessibility read a
/// message another application must answer, so these counts are the cost of
/// Corvel to the machine, and deterministic on virtual time. Thread-safe: the
/// poll reads from its own thread.
class PortCounter {
  public:
    struct Counts {
        int windowListReads = 0;
        /// Every identity walk begins with one.
        int trustChecks = 0;
        /// Attribute reads of any application's accessibility.
        int accessibilityReads = 0;
        int accessibilityActions = 0;
        int workspaceReads = 0;
        int eventPosts = 0;
        /// Reads of each process's extras menu bar: every identity walk and
        /// every press starts an application's work there.
        std::map<std::int32_t, int> extrasBarReadsByPid;
        /// When each window-list read began, on the counter's clock.
        std::vector<async::TimePoint> windowListReadTimes;

        /// Walks that reached every one of `pids`: the fewest extras-bar
        /// reads among them. A walk of some applications only is no full one.
        int fullScans(const std::set<std::int32_t>& pids) const;
        /// Applications whose extras bar was read at all.
        int applicationsRead() const { return static_cast<int>(extrasBarReadsByPid.size()); }
    };

    /// With a clock, window-list reads are timed: a read may take time of
    /// its own (another thread's accessibility reads hold the clock's).
    explicit PortCounter(const async::Executor* clock = nullptr) : clock_(clock) {}
    PortCounter(const PortCounter&) = delete;
    PortCounter& operator=(const PortCounter&) = delete;

    /// `ports` with the counted ones wrapped; the counter must outlive them.
    platform::PlatformServices wrap(platform::PlatformServices ports);

    Counts counts() const;
    /// Counting starts again from nothing.
    void reset();

    /// Called by the decorators.
    void count(int Counts::*field);
    void countExtrasBarRead(std::int32_t pid);
    void countWindowListRead();

  private:
    const async::Executor* const clock_;
    mutable std::mutex mutex_;
    Counts counts_;
};

} // namespace corvel::test
