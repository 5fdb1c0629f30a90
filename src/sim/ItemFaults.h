#pragma once

#include "async/Executor.h"

#include <optional>

namespace corvel::sim {

/// Misbehaviour of one status item, all off by default. Set per item in a
/// scenario or by a test.
struct ItemFaults {
    /// Drags reach the item but it stays where it is.
    bool neverMoves = false;
    /// A drag moves it only after a stamped plain click has woken it up; each
    /// move puts it back to sleep.
    bool needsWakeUp = false;
    /// Its window disappears once it has received this many drags.
    std::optional<int> vanishAfterDrags;
    /// Its window never shows up in the window list.
    bool neverRegisters = false;
    /// Its bounds keep changing for this long after it registers.
    async::Duration settleTime{0};
    /// Presses and clicks never open its menu.
    bool menuNeverOpens = false;
    /// Its menu closes by itself after this long.
    std::optional<async::Duration> menuAutoClose;

    friend bool operator==(const ItemFaults&, const ItemFaults&) = default;
};

} // namespace corvel::sim
