#pragma once

#include "app/WholeRun.h"
#include "support/PortCounter.h"

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvel::measure {

/// What Corvel asks of the platform on one desktop, counted on its backend's
/// ports in virtual time: an idle minute, opening a Strip of a Group of many
/// items, pressing one of them, and how long a change of the menu bar goes
/// unseen. Deterministic: the same desktop gives the same numbers. Main
/// thread; needs a QApplication.
class CallMeasurement {
  public:
    using Counts = test::PortCounter::Counts;

    struct Result {
        Counts idleMinute;
        int idleMinuteFullScans = 0;
        int stripMembers = 0;
        Counts stripOpen;
        int stripOpenFullScans = 0;
        Counts press;
        int pressFullScans = 0;
        std::chrono::milliseconds pressDuration{0};
        /// Worst over several moments of the poll's cycle; nothing when the
        /// change was not seen within five seconds.
        std::optional<std::chrono::milliseconds> seenNewItem;
        std::optional<std::chrono::milliseconds> seenPersonsDrag;
        std::optional<std::chrono::milliseconds> seenQuit;
    };

    /// The most items filed into the measured Group.
    static constexpr int stripSize = 20;

    explicit CallMeasurement(sim::Scenario scenario);

    /// Launches Corvel, files the Group and measures; throws with what did
    /// not happen when Corvel does not do what a measurement needs.
    Result run();

  private:
    void fileGroup();
    void openStrip();
    void measureIdleMinute(Result& result);
    void measureStripAndPress(Result& result);
    void measureChanges(Result& result);
    /// How long from the change made by `change` until a window-list read
    /// after the bar differed; nothing past five seconds.
    std::optional<std::chrono::milliseconds> timeUntilSeen(const std::function<void()>& change);
    /// Runs the loop and Qt's events without moving time, then in steps of
    /// a millisecond until `condition` holds; false past `limit`.
    bool settleUntil(const std::function<bool()>& condition, async::Duration limit);
    /// Foreign applications with items in view that the Group does not hold.
    std::vector<std::string> unfiledApplications() const;
    std::set<std::int32_t> scannedApplications() const;

    test::WholeRun run_;
    std::shared_ptr<test::PortCounter> counter_;
    std::vector<std::string> members_;
};

} // namespace corvel::measure
