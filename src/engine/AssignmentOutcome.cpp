#include "engine/AssignmentOutcome.h"

namespace corvel {

AssignmentOutcome AssignmentOutcome::assignedButNotYetHidden(std::string reason) {
    return {Kind::assignedButNotYetHidden, std::move(reason)};
}
AssignmentOutcome AssignmentOutcome::assigned() {
    return {Kind::assigned, {}};
}
AssignmentOutcome AssignmentOutcome::refusedAtCapacity() {
    return {Kind::refusedAtCapacity, {}};
}
AssignmentOutcome AssignmentOutcome::assignedButNeedsAHand() {
    return {Kind::assignedButNeedsAHand, {}};
}
AssignmentOutcome AssignmentOutcome::itemNoLongerObserved() {
    return {Kind::itemNoLongerObserved, {}};
}

} // namespace corvel
