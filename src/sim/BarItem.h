#pragma once

#include "platform/Image.h"
#include "platform/ImagePosition.h"
#include "platform/Rect.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace corvel::sim {

/// One status item window as a person sees it, for tests and for the window
/// that draws the simulated menu bar.
struct BarItem {
    std::uint32_t windowNumber = 0;
    std::int32_t ownerPid = 0;
    std::int32_t creatorPid = 0;
    /// The window's name (its autosave name).
    std::string name;
    platform::Rect frame;
    double length = 0;
    std::string title;
    std::string accessibilityTitle;
    std::string identifier;
    std::string description;
    std::optional<platform::Image> image;
    platform::ImagePosition imagePosition = platform::ImagePosition::noImage;
    bool isLeftover = false;
    bool movable = true;
    /// The owning application's colour, to draw foreign items with.
    std::array<std::uint8_t, 3> color{};
};

} // namespace corvel::sim
