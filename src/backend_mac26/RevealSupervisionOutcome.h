#pragma once

namespace corvel {

/// How the supervision of one press ended.
struct RevealSupervisionOutcome {
    /// False when no menu was seen before the deadline and the recovery ran.
    bool menuWasConfirmedOpen = false;

    friend bool operator==(const RevealSupervisionOutcome&,
                           const RevealSupervisionOutcome&) = default;
};

} // namespace corvel
