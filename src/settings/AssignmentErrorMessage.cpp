#include "settings/AssignmentErrorMessage.h"

namespace corvel {

std::optional<std::string> assignmentErrorMessage(const AssignmentOutcome& outcome,
                                                  const std::optional<std::string>& displayName) {
    switch (outcome.kind()) {
    case AssignmentOutcome::Kind::assigned:
    case AssignmentOutcome::Kind::assignedButNeedsAHand:
        return std::nullopt;
    case AssignmentOutcome::Kind::refusedAtCapacity:
        return "There is no room left to hide more Items.";
    case AssignmentOutcome::Kind::itemNoLongerObserved:
        return "That item isn't in the Menu Bar any more.";
    case AssignmentOutcome::Kind::assignedButNotYetHidden:
        // The reason is for the log; the person only needs to know to retry.
        return displayName.value_or("That item") +
               " is in the Group, but Corvel couldn't hide it yet because another Menu Bar "
               "item is in the way. Try again in a moment.";
    }
    return std::nullopt;
}

} // namespace corvel
