#pragma once

#include "async/Executor.h"
#include "platform/PlatformValue.h"
#include "platform/ShareableWindow.h"
#include "sim/World.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvel::sim {

/// What the simulated window server reports about the world: the window list
/// as the platform's loosely typed dictionaries, and the windows screen
/// capture may record. Not thread-safe: the desktop calls it under its lock.
class WindowServer {
  public:
    /// Front to back: open menus (layer 101, newest first), then status item
    /// windows (layer 25, newest first), then the scenario's raw windows.
    /// Without Screen Recording, names of windows that this process does not
    /// own are left out. A status window that reads as it did last time
    /// shares the dictionary made then, so that a still bar costs the
    /// simulator little more than it costs Corvel to read.
    platform::PlatformValue windowList(const World& world, async::TimePoint now);
    /// Status item windows at least partly on screen.
    static std::vector<platform::ShareableWindow> shareableWindows(const World& world,
                                                                   async::TimePoint now);

    /// Everything a window's dictionary is made of.
    struct Facts {
        std::int64_t layer = 0;
        std::uint32_t number = 0;
        std::int32_t ownerPid = 0;
        platform::Rect bounds;
        bool isOnscreen = false;
        std::optional<std::string> ownerName;
        std::optional<std::string> name;

        friend bool operator==(const Facts&, const Facts&) = default;
    };

  private:
    struct Made {
        Facts facts;
        platform::PlatformValue dictionary;
    };
    /// The status windows' dictionaries of the last list, by window number.
    std::unordered_map<std::uint32_t, Made> made_;
};

} // namespace corvel::sim
