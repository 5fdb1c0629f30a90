#pragma once

#include "domain/Group.h"

#include <vector>

namespace corvel::GroupOrder {

/// Groups as they are shown and placed: by `order` ascending, Groups with
/// equal `order` keeping their relative order in `groups`. Pure.
std::vector<Group> sorted(std::vector<Group> groups);

} // namespace corvel::GroupOrder
