#pragma once

#include "async/Executor.h"
#include "platform/EventTapLocation.h"
#include "platform/SyntheticEvent.h"
#include "sim/World.h"

#include <cstdint>
#include <optional>

namespace corvel::sim {

/// How the simulated window server acts on posted synthetic events: stamped
/// Command-drags of status item windows, stamped wake-up clicks, and the
/// Escape key closing menus. An event posted twice takes effect once; events
/// posted while this process is not trusted have none.
class EventRouter {
  public:
    static void deliver(World& world, const platform::SyntheticEvent& event,
                        std::optional<platform::EventTapLocation> tap,
                        std::optional<std::int32_t> pid, async::TimePoint now);
    /// Drops a dragged item beside the target: left of it when `x` is left
    /// of the target's centre, else right, after the drop latency. Items
    /// that can't move stay.
    static void drop(World& world, std::uint64_t draggedItem, std::uint64_t targetItem, double x,
                     async::TimePoint now);

  private:
    static void land(World& world, std::uint64_t draggedItem, std::uint64_t targetItem,
                     bool leftOfTarget);
    static bool isDuplicate(World& world, std::uint64_t serial);
    static const StatusEntry* stampedWindow(const World& world,
                                            const platform::SyntheticEvent& event);
    static void mouseDown(World& world, const platform::SyntheticEvent& event);
    static void mouseUp(World& world, const platform::SyntheticEvent& event, async::TimePoint now);
};

} // namespace corvel::sim
