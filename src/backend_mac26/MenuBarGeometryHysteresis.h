#pragma once

#include <optional>

namespace corvel {

/// Whether the menu bar geometry is usable for moves, reported with a
/// hysteresis so that one odd reading changes nothing (pure). Reports only
/// changes, never the same value twice in a row.
struct MenuBarGeometryHysteresis {
    /// Consecutive polls needed before a change is reported.
    static constexpr int requiredStreak = 2;

    int settledStreak = 0;
    int unsettledStreak = 0;
    bool unsettledReported = false;

    /// The state after the first poll, which never reports.
    static MenuBarGeometryHysteresis seeded(bool settled);

    /// Takes one later poll; answers the value to report, if any
    /// (true: unsettled, false: settled again).
    std::optional<bool> observe(bool settled);
};

} // namespace corvel
