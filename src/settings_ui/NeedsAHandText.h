#pragma once

#include <string>

namespace corvel {

/// The help text of an Item whose last move failed: it asks the person to
/// move the item by hand and names it.
std::string needsAHandHelpText(const std::string& displayName);

} // namespace corvel
