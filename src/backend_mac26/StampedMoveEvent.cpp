#include "backend_mac26/StampedMoveEvent.h"

#include "platform/EventFlags.h"
#include "platform/MouseButton.h"

namespace corvel {

namespace {

std::optional<platform::SyntheticEvent> stampedEvent(platform::SyntheticEvents& events,
                                                     platform::EventType type, platform::Point at,
                                                     std::uint64_t flags, std::uint32_t windowID,
                                                     std::int32_t ownerPID,
                                                     const platform::EventSource& source) {
    auto event = events.createMouseEvent(&source, type, at, platform::MouseButton::left);
    if (!event)
        return std::nullopt;
    event->setFlags(flags);
    event->setIntegerValueField(platform::EventField::eventTargetUnixProcessID, ownerPID);
    event->setIntegerValueField(platform::EventField::eventSourceUserData,
                                StampedMoveEvent::userData(windowID, type));
    event->setIntegerValueField(platform::EventField::mouseEventWindowUnderMousePointer, windowID);
    event->setIntegerValueField(
        platform::EventField::mouseEventWindowUnderMousePointerThatCanHandleThisEvent, windowID);
    event->setIntegerValueField(StampedMoveEvent::windowIDField, windowID);
    return event;
}

} // namespace

std::int64_t StampedMoveEvent::userData(std::uint32_t windowID, platform::EventType type) {
    return static_cast<std::int64_t>(windowID) * 4 + static_cast<std::int64_t>(type);
}

std::optional<platform::SyntheticEvent>
StampedMoveEvent::mouseDown(platform::SyntheticEvents& events, std::uint32_t stampWindowID,
                            std::int32_t movingItemOwnerPID, const platform::EventSource& source) {
    return stampedEvent(events, platform::EventType::leftMouseDown, bogusDownLocation,
                        platform::EventFlags::maskCommand, stampWindowID, movingItemOwnerPID,
                        source);
}

std::optional<platform::SyntheticEvent>
StampedMoveEvent::mouseUp(platform::SyntheticEvents& events, platform::Point at,
                          std::uint32_t stampWindowID, std::int32_t movingItemOwnerPID,
                          const platform::EventSource& source) {
    return stampedEvent(events, platform::EventType::leftMouseUp, at, 0, stampWindowID,
                        movingItemOwnerPID, source);
}

std::optional<platform::SyntheticEvent>
StampedMoveEvent::wakeUp(platform::SyntheticEvents& events, platform::EventType type,
                         platform::Point at, std::uint32_t stampWindowID, std::int32_t ownerPID,
                         const platform::EventSource& source) {
    return stampedEvent(events, type, at, 0, stampWindowID, ownerPID, source);
}

} // namespace corvel
