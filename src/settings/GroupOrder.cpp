#include "settings/GroupOrder.h"

#include <algorithm>

namespace corvel::GroupOrder {

std::vector<Group> sorted(std::vector<Group> groups) {
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Group& a, const Group& b) { return a.order < b.order; });
    return groups;
}

} // namespace corvel::GroupOrder
