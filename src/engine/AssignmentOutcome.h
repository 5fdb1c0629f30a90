#pragma once

#include <string>
#include <utility>

namespace corvel {

/// How filing an Item into a Group, or taking it out, ended.
class AssignmentOutcome {
  public:
    enum class Kind {
        /// Moved and recorded, but collapsing the hidden region failed.
        assignedButNotYetHidden,
        assigned,
        /// The backend's hidden region is full; nothing was recorded.
        refusedAtCapacity,
        /// Recorded, but the move failed; the Item now needs a hand.
        assignedButNeedsAHand,
        /// The item has left the menu bar; nothing happened.
        itemNoLongerObserved,
    };

    /// `reason` is the log form of the backend error, e.g. underlying("...").
    static AssignmentOutcome assignedButNotYetHidden(std::string reason);
    static AssignmentOutcome assigned();
    static AssignmentOutcome refusedAtCapacity();
    static AssignmentOutcome assignedButNeedsAHand();
    static AssignmentOutcome itemNoLongerObserved();

    Kind kind() const { return kind_; }
    /// Empty for every case but assignedButNotYetHidden.
    const std::string& reason() const { return reason_; }

    friend bool operator==(const AssignmentOutcome&, const AssignmentOutcome&) = default;

  private:
    AssignmentOutcome(Kind kind, std::string reason) : kind_(kind), reason_(std::move(reason)) {}

    Kind kind_;
    std::string reason_;
};

} // namespace corvel
