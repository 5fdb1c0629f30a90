#pragma once

#include "async/Executor.h"
#include "platform/PlatformValue.h"
#include "platform/ShareableWindow.h"
#include "sim/World.h"

#include <vector>

namespace corvel::sim {

/// What the simulated window server reports about the world: the window list
/// as the platform's loosely typed dictionaries, and the windows screen
/// capture may record.
class WindowServer {
  public:
    /// Front to back: open menus (layer 101, newest first), then status item
    /// windows (layer 25, newest first), then the scenario's raw windows.
    /// Without Screen Recording, names of windows that this process does not
    /// own are left out.
    static platform::PlatformValue windowList(const World& world, async::TimePoint now);
    /// Status item windows at least partly on screen.
    static std::vector<platform::ShareableWindow> shareableWindows(const World& world,
                                                                   async::TimePoint now);
};

} // namespace corvel::sim
