#pragma once

#include "domain/Group.h"

#include <cstdint>
#include <vector>

namespace corvel::GroupOrder {

/// Groups as they are shown and placed: by `order` ascending, Groups with
/// equal `order` keeping their relative order in `groups`. Pure.
std::vector<Group> sorted(std::vector<Group> groups);

/// The `order` that places a new Group after all of `groups`: one more than
/// the largest, or 0 when there are none. A largest `order` that has no
/// successor is answered as it is: appended last, the new Group still sorts
/// last among its equals. Pure.
std::int64_t next(const std::vector<Group>& groups);

} // namespace corvel::GroupOrder
