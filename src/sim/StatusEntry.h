#pragma once

#include "async/Executor.h"
#include "platform/Image.h"
#include "platform/ImagePosition.h"
#include "platform/Menu.h"
#include "platform/StatusBarButton.h"
#include "sim/ItemFaults.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvel::sim {

/// One status item and its window in the simulated bar: an item made through
/// the status bar port, a menu extra of a scenario application, or a
/// leftover window of an earlier run.
struct StatusEntry {
    /// Never reused; accessibility elements refer to it.
    std::uint64_t itemId = 0;
    /// Never reused within a run.
    std::uint32_t windowNumber = 0;
    std::int32_t creatorPid = 0;
    bool isLeftover = false;

    /// The length laid out now; the latest request wins once it lands.
    double length = 0;
    std::uint64_t lengthRequests = 0;
    std::uint64_t lengthRequestApplied = 0;
    std::string autosaveName;
    bool movable = true;

    std::string title;
    std::string accessibilityTitle;
    std::string identifier;
    /// Accessibility description of a scenario extra; an item made through
    /// the port takes its image's instead.
    std::string description;
    std::optional<platform::Image> image;
    platform::ImagePosition imagePosition = platform::ImagePosition::noImage;
    platform::StatusBarButton::Action action;
    std::shared_ptr<platform::Menu> menu;
    /// Entries of a scenario extra's own menu.
    std::vector<std::string> extraMenu;

    bool registered = false;
    async::TimePoint registeredAt{};
    ItemFaults faults;
    bool awake = false;
    int dragsReceived = 0;
};

} // namespace corvel::sim
