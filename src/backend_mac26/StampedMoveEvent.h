#pragma once

#include "platform/EventField.h"
#include "platform/EventSource.h"
#include "platform/EventType.h"
#include "platform/Point.h"
#include "platform/SyntheticEvent.h"
#include "platform/SyntheticEvents.h"

#include <cstdint>
#include <optional>

namespace corvel {

/// Builders of the mouse events that move and wake menu bar items. Every
/// event is stamped with one window number in the fields the window server
/// reads when it routes a mouse event, so that a pair of them acts as a
/// Command-drag of that window without the real pointer going near it.
/// Stateless; safe on any thread the event port allows.
struct StampedMoveEvent {
    /// An event field that carries a window number, set besides 91 and 92.
    static constexpr int windowIDField = platform::EventField::windowID;
    /// Where every stamped mouse-down is placed: off every screen, so the
    /// press never lands on whatever really stands under it.
    static constexpr platform::Point bogusDownLocation{20000.0, 20000.0};

    /// A Command-held left mouse-down stamped with the dragged item's window.
    static std::optional<platform::SyntheticEvent> mouseDown(platform::SyntheticEvents& events,
                                                             std::uint32_t stampWindowID,
                                                             std::int32_t movingItemOwnerPID,
                                                             const platform::EventSource& source);
    /// A plain left mouse-up at the drop point, stamped with the window to
    /// drop beside.
    static std::optional<platform::SyntheticEvent>
    mouseUp(platform::SyntheticEvents& events, platform::Point at, std::uint32_t stampWindowID,
            std::int32_t movingItemOwnerPID, const platform::EventSource& source);
    /// A plain mouse event of `type` on the item's own window: half of a
    /// wake-up click.
    static std::optional<platform::SyntheticEvent>
    wakeUp(platform::SyntheticEvents& events, platform::EventType type, platform::Point at,
           std::uint32_t stampWindowID, std::int32_t ownerPID, const platform::EventSource& source);

    /// The source user data of an event stamped with `windowID`: the window
    /// times four plus the event type, which tells the window server's drag
    /// tracking which half of which window's gesture it sees.
    static std::int64_t userData(std::uint32_t windowID, platform::EventType type);
};

} // namespace corvel
