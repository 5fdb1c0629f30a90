#include "settings/GroupOrder.h"

#include <algorithm>
#include <limits>

namespace corvel::GroupOrder {

std::vector<Group> sorted(std::vector<Group> groups) {
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Group& a, const Group& b) { return a.order < b.order; });
    return groups;
}

std::int64_t next(const std::vector<Group>& groups) {
    if (groups.empty())
        return 0;
    const auto largest =
        std::max_element(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
            return a.order < b.order;
        })->order;
    // A store document may hold any order at all; adding to the largest one
    // would overflow.
    if (largest == std::numeric_limits<std::int64_t>::max())
        return largest;
    return largest + 1;
}

} // namespace corvel::GroupOrder
