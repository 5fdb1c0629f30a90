#pragma once

namespace corvel {

/// Decides, one poll at a time, how the supervision of a pressed item goes
/// on: keep watching, conclude that the menu opened and has closed again, or
/// give up and force the recovery. Pure value type; one per press.
struct RevealSupervisionDecider {
    enum class Step { keepPolling, forceRecovery, concludeClosedAfterConfirmedOpen };

    /// Set the first time a menu window is seen; never cleared.
    bool confirmedOpen = false;

    /// A present menu always means keep watching, however long it stays open;
    /// the deadline only matters while no menu has ever been seen.
    Step observe(bool menuWindowPresent, bool deadlinePassed);
};

} // namespace corvel
