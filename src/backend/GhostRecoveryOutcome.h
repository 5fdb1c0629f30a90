#pragma once

#include "domain/HashCombine.h"

#include <cstddef>
#include <functional>

namespace corvel {

/// What a search for leftover own items in the menu bar found and did.
class GhostRecoveryOutcome {
  public:
    enum class Kind {
        /// Leftovers were found and cleared; clearedCount() says how many.
        recovered,
        /// Nothing to repair.
        clean,
        /// Leftovers exist, but clearing them needs a restart of the process
        /// that hosts the menu bar, which the backend did not perform.
        requiresHostRestart,
    };

    static GhostRecoveryOutcome recovered(int clearedCount) {
        return GhostRecoveryOutcome(Kind::recovered, clearedCount);
    }
    static GhostRecoveryOutcome clean() { return GhostRecoveryOutcome(Kind::clean, 0); }
    static GhostRecoveryOutcome requiresHostRestart() {
        return GhostRecoveryOutcome(Kind::requiresHostRestart, 0);
    }

    Kind kind() const { return kind_; }
    /// The count of recovered; 0 for the other cases.
    int clearedCount() const { return clearedCount_; }

    friend bool operator==(const GhostRecoveryOutcome&, const GhostRecoveryOutcome&) = default;

  private:
    GhostRecoveryOutcome(Kind kind, int clearedCount) : kind_(kind), clearedCount_(clearedCount) {}

    Kind kind_;
    int clearedCount_;
};

} // namespace corvel

template <> struct std::hash<corvel::GhostRecoveryOutcome> {
    std::size_t operator()(const corvel::GhostRecoveryOutcome& outcome) const noexcept {
        return corvel::hashCombine(static_cast<std::size_t>(outcome.kind()),
                                   std::hash<int>{}(outcome.clearedCount()));
    }
};
