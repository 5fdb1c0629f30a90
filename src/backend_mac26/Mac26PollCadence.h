#pragma once

#include "async/Executor.h"

#include <chrono>

namespace corvel {

/// How long the poll waits before its next pass. While the menu bar moves,
/// and for a while after any sign of change, it reads at the fast interval;
/// a bar that has stayed still is read at the resting interval, which still
/// sees any change within a second. Pure.
struct Mac26PollCadence {
    static constexpr std::chrono::milliseconds fastInterval{250};
    static constexpr std::chrono::milliseconds restingInterval{1000};
    /// Passes in a row without a sign of change before the poll rests: two
    /// seconds at the fast interval, which covers the settling of a move.
    static constexpr int stillPassesBeforeRest = 8;

    /// `stillPasses`: passes in a row, this one included, that saw no sign
    /// of change (0 when this pass saw one).
    static std::chrono::milliseconds interval(int stillPasses) {
        return stillPasses < stillPassesBeforeRest ? fastInterval : restingInterval;
    }
    /// The wait after a pass that took `elapsed`: passes begin an interval
    /// apart, so that a slow scan does not stretch the time a change goes
    /// unseen; one that overran is followed by the next at once.
    static async::Duration wait(std::chrono::milliseconds interval, async::Duration elapsed) {
        return elapsed < interval ? async::Duration(interval) - elapsed : async::Duration::zero();
    }
};

} // namespace corvel
