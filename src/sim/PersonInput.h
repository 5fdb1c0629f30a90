#pragma once

#include "async/Executor.h"
#include "platform/MouseButton.h"
#include "platform/Point.h"
#include "sim/World.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace corvel::sim {

/// What a person's hand does to the simulated desktop: clicks, Command-drags
/// and key presses, routed as the window server routes real input.
class PersonInput {
  public:
    /// An entry of this process's open menu: (item, row).
    using OwnMenuRow = std::pair<std::uint64_t, std::size_t>;

    struct ClickOutcome {
        /// The click was addressed to another application (or to nothing of
        /// this process), so global monitors see it.
        bool reachesMonitors = false;
        /// This process's status item was clicked: run its menu or action.
        std::optional<std::uint64_t> ownItem;
        /// An entry of this process's open menu was chosen.
        std::optional<OwnMenuRow> ownMenuRow;
    };

    static ClickOutcome click(World& world, platform::Point location);
    /// Answers whether global monitors hear the drag's mouse-down: the
    /// item's own application receives it, so they do unless the item is
    /// this process's.
    static bool commandDrag(World& world, platform::Point from, platform::Point to,
                            async::TimePoint now);
    /// A key that reaches the open menu or the front application. Answers
    /// the entry of this process's menu that Return chose, if any.
    static std::optional<OwnMenuRow> pressKey(World& world, std::uint16_t keyCode);

  private:
    /// Up and Down move the highlight, wrapping and skipping separators;
    /// Return chooses the highlighted entry and closes the menu.
    static std::optional<OwnMenuRow> menuKey(World& world, OpenMenu& menu, std::uint16_t keyCode);
    static const StatusEntry* itemAt(const World& world, platform::Point location);
};

} // namespace corvel::sim
