#pragma once

#include "engine/AssignmentOutcome.h"

#include <optional>
#include <string>

namespace corvel {

/// The sentence shown for a failed or incomplete filing of an Item, or none
/// when the outcome needs no word. `displayName` is the Item's name as last
/// listed; without one the sentence says "That item". Pure.
std::optional<std::string> assignmentErrorMessage(const AssignmentOutcome& outcome,
                                                  const std::optional<std::string>& displayName);

} // namespace corvel
