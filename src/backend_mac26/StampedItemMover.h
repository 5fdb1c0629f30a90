#pragma once

#include "async/Executor.h"
#include "async/Task.h"
#include "backend/BackendItemToken.h"
#include "backend_mac26/MenuBarWindowList.h"
#include "platform/SyntheticEvent.h"
#include "platform/SyntheticEvents.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace corvel {

/// Moves another application's menu bar item beside the hidden-region spacer
/// with stamped Command-drags, verifies the move against the window list and
/// retries, waking the item with a stamped click between attempts. Keeps no
/// state between calls. Runs on the main thread; other main-thread work may
/// run between its posts and sleeps. Cancellation shortens its sleeps only.
class StampedItemMover {
  public:
    static constexpr int maxAttempts = 5;
    /// Between the session-tap post of an event and its post to the owner.
    static constexpr async::Duration dualPostGap = std::chrono::milliseconds(5);
    static constexpr async::Duration afterDragDown = std::chrono::milliseconds(50);
    static constexpr async::Duration afterDragUp = std::chrono::milliseconds(80);
    static constexpr async::Duration afterWakeUpDown = std::chrono::milliseconds(20);
    static constexpr async::Duration afterWakeUpUp = std::chrono::milliseconds(30);

    /// Puts the item of `itemToken` left of the spacer window
    /// `adjacentToSpacer` (into the hidden region) or right of it. Posts
    /// nothing when the item already stands on that side. Throws BackendError:
    /// itemNoLongerExists when the item's window is gone, underlying for a
    /// missing spacer, events that cannot be made, or five failed drags.
    static async::Task<void> move(MenuBarWindowList windows,
                                  std::shared_ptr<platform::SyntheticEvents> events,
                                  BackendItemToken itemToken, std::uint32_t adjacentToSpacer,
                                  bool placeLeftOfSpacer);
    /// The same, starting from `bar`: the caller's reading of the status item
    /// layer, made with no wait since.
    static async::Task<void> move(MenuBarWindowList windows,
                                  std::shared_ptr<platform::SyntheticEvents> events,
                                  BackendItemToken itemToken, std::uint32_t adjacentToSpacer,
                                  bool placeLeftOfSpacer, std::vector<MenuBarWindowInfo> bar);

    /// Whether the item stands on the requested side: its horizontal centre
    /// strictly left of the spacer's (or strictly right). An item centred on
    /// the spacer stands on neither side.
    static bool isPlaced(const platform::Rect& item, const platform::Rect& spacer,
                         bool placeLeftOfSpacer);

  private:
    struct Window {
        std::uint32_t windowID = 0;
        std::int32_t ownerPID = -1;
        platform::Rect bounds;
    };

    static std::optional<Window> windowInfo(const std::vector<MenuBarWindowInfo>& bar,
                                            std::uint32_t windowID);
    static std::optional<Window> windowInfo(const std::vector<MenuBarWindowInfo>& bar,
                                            const BackendItemToken& token);
    static platform::EventSource makeSource(platform::SyntheticEvents& events);
    /// Drags `item` to the spacer's left or right edge.
    static async::Task<void> stampedDrag(std::shared_ptr<platform::SyntheticEvents> events,
                                         platform::EventSource source, Window item, Window spacer,
                                         bool placeLeftOfSpacer);
    static async::Task<void> wakeUpClick(std::shared_ptr<platform::SyntheticEvents> events,
                                         platform::EventSource source, Window item);
    /// The down and the up of one gesture, each posted twice, with the waits
    /// that let the window server act on each.
    static async::Task<void> postPair(std::shared_ptr<platform::SyntheticEvents> events,
                                      platform::SyntheticEvent down, async::Duration afterDown,
                                      platform::SyntheticEvent up, async::Duration afterUp,
                                      std::int32_t ownerPID);
    /// To the session tap first, then, 5 ms later, to the owner process.
    static async::Task<void> postDual(std::shared_ptr<platform::SyntheticEvents> events,
                                      platform::SyntheticEvent event, std::int32_t ownerPID);
};

} // namespace corvel
