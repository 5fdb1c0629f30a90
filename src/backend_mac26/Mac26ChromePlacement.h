#pragma once

#include "backend_mac26/Mac26ChromeSlot.h"
#include "domain/Uuid.h"
#include "platform/StatusItem.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace corvel {

/// The status items of one placement of the chrome block, their window
/// numbers and the order the window list showed them in.
struct Mac26ChromePlacement {
    std::shared_ptr<platform::StatusItem> spacerItem;
    std::uint32_t spacerWindowID = 0;
    std::unordered_map<Uuid, std::shared_ptr<platform::StatusItem>> chromeItemsByHandle;
    std::unordered_map<Uuid, std::uint32_t> chromeWindowIDsByHandle;
    std::vector<Mac26ChromeSlot> achievedLeftToRight;
};

} // namespace corvel
