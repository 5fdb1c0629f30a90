#include "engine/ChromeBlockPlanner.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace corvel {

std::vector<OwnChromeIcon> ChromeBlockPlanner::icons(const std::vector<Group>& groups) {
    std::vector<std::reference_wrapper<const Group>> sorted(groups.begin(), groups.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Group& a, const Group& b) { return a.order < b.order; });

    std::vector<OwnChromeIcon> result;
    result.reserve(groups.size() + 1);
    result.push_back({corvelIconHandle, std::nullopt, 0});
    std::int64_t order = 1;
    for (const Group& group : sorted) {
        result.push_back({group.id.rawValue(), group.symbolName, order++});
    }
    return result;
}

std::optional<GroupID> ChromeBlockPlanner::groupID(const Uuid& handle,
                                                   const std::vector<Group>& groups) {
    if (handle == corvelIconHandle)
        return std::nullopt;
    auto found = std::find_if(groups.begin(), groups.end(),
                              [&](const Group& group) { return group.id.rawValue() == handle; });
    if (found == groups.end())
        return std::nullopt;
    return found->id;
}

} // namespace corvel
