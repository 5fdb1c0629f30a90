#include "backend_mac26/RevealMenuWindowMatcher.h"

#include <cmath>

namespace corvel {

bool RevealMenuWindowMatcher::menuWindowPresent(const std::vector<MenuBarWindowInfo>& popUpWindows,
                                                const std::set<std::int32_t>& menuOwnerPIDs,
                                                const std::optional<ItemFrame>& itemFrame) {
    for (const auto& window : popUpWindows) {
        if (!menuOwnerPIDs.contains(window.ownerPID))
            continue;
        if (!itemFrame)
            return true;
        if (window.bounds && std::fabs(window.bounds->origin.x - itemFrame->x) < proximity)
            return true;
    }
    return false;
}

} // namespace corvel
