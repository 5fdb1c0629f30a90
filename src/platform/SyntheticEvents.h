#pragma once

#include "platform/EventSource.h"
#include "platform/EventSourceStateID.h"
#include "platform/EventTapLocation.h"
#include "platform/EventType.h"
#include "platform/MouseButton.h"
#include "platform/Point.h"
#include "platform/SyntheticEvent.h"

#include <cstdint>
#include <optional>

namespace corvel::platform {

/// Synthetic input: sources, mouse and keyboard events, and posting them into
/// the event stream or to one process. Thread-safe. Creation answers nothing
/// when the platform refuses.
class SyntheticEvents {
  public:
    /// Virtual key code of the Escape key.
    static constexpr std::uint16_t escapeKeyCode = 53;

    virtual ~SyntheticEvents() = default;

    virtual std::optional<EventSource> createSource(EventSourceStateID stateID) = 0;
    virtual std::optional<SyntheticEvent> createMouseEvent(const EventSource* source,
                                                           EventType type, Point location,
                                                           MouseButton button) = 0;
    virtual std::optional<SyntheticEvent>
    createKeyboardEvent(const EventSource* source, std::uint16_t keyCode, bool keyDown) = 0;
    virtual void post(EventTapLocation tap, const SyntheticEvent& event) = 0;
    virtual void postToPid(std::int32_t pid, const SyntheticEvent& event) = 0;
};

} // namespace corvel::platform
