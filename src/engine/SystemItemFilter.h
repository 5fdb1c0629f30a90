#pragma once

#include "backend/ObservedItem.h"

#include <string_view>
#include <vector>

namespace corvel::SystemItemFilter {

// Items of the operating system cannot be moved by a Command-drag, and filing
// them would leave the user with Groups that never hide. Pure; main thread.

/// Whether the title, lower-cased, starts with "bentobox" or is one of the
/// system's own module names.
bool isSystemModule(std::string_view title);

/// Whether the item belongs to the operating system: a bundle identifier
/// under "com.apple." or a system module title.
bool isSystemItem(const ObservedItem& item);

/// The items the user may file, in input order.
std::vector<ObservedItem> movable(const std::vector<ObservedItem>& items);

} // namespace corvel::SystemItemFilter
