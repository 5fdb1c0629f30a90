#include "platform_mac/MacSyntheticEvents.h"

#include "platform/EventField.h"
#include "platform_mac/StampedEventFields.h"

namespace corvel::mac {

using platform::EventField;
using platform::EventType;

namespace {

bool isKeyboard(EventType type) {
    return type == EventType::keyDown || type == EventType::keyUp;
}

} // namespace

MacSyntheticEvents::MacSyntheticEvents(std::shared_ptr<FirstUseLog> notes)
    : notes_(std::move(notes)), sources_(sourceCapacity), events_(eventCapacity) {}

std::optional<platform::EventSource>
MacSyntheticEvents::createSource(platform::EventSourceStateID stateID) {
    auto made = CFRef<CGEventSourceRef>::adopt(
        CGEventSourceCreate(static_cast<CGEventSourceStateID>(stateID)));
    if (!made)
        return std::nullopt;
    std::lock_guard lock(mutex_);
    platform::EventSource source;
    source.sourceID = nextSourceID_++;
    source.stateID = stateID;
    sources_.put(source.sourceID, std::move(made));
    return source;
}

// The record carries the suppression settings its owner chose after
// creating it; they reach the platform's source each time it makes an event.
CFRef<CGEventSourceRef> MacSyntheticEvents::sourceLocked(const platform::EventSource* source) {
    if (!source)
        return {};
    CFRef<CGEventSourceRef> found;
    if (auto* kept = sources_.find(source->sourceID)) {
        found = *kept;
    } else {
        found = CFRef<CGEventSourceRef>::adopt(
            CGEventSourceCreate(static_cast<CGEventSourceStateID>(source->stateID)));
        if (!found)
            return {};
        sources_.put(source->sourceID, found);
    }
    for (const auto& [state, filter] : source->localEventsFilters)
        CGEventSourceSetLocalEventsFilterDuringSuppressionState(
            found.get(), filter, static_cast<CGEventSuppressionState>(state));
    CGEventSourceSetLocalEventsSuppressionInterval(found.get(),
                                                   source->localEventsSuppressionInterval);
    return found;
}

std::optional<platform::SyntheticEvent>
MacSyntheticEvents::createMouseEvent(const platform::EventSource* source, EventType type,
                                     platform::Point location, platform::MouseButton button) {
    std::lock_guard lock(mutex_);
    auto made = CFRef<CGEventRef>::adopt(CGEventCreateMouseEvent(
        sourceLocked(source).get(), static_cast<CGEventType>(type),
        CGPointMake(location.x, location.y), static_cast<CGMouseButton>(button)));
    if (!made)
        return std::nullopt;
    auto record = remember(made, type, location, source);
    for (int field : {EventField::mouseEventClickState, EventField::mouseEventButtonNumber})
        record.setIntegerValueField(
            field, CGEventGetIntegerValueField(made.get(), static_cast<CGEventField>(field)));
    return record;
}

std::optional<platform::SyntheticEvent>
MacSyntheticEvents::createKeyboardEvent(const platform::EventSource* source, std::uint16_t keyCode,
                                        bool keyDown) {
    std::lock_guard lock(mutex_);
    auto made = CFRef<CGEventRef>::adopt(
        CGEventCreateKeyboardEvent(sourceLocked(source).get(), keyCode, keyDown));
    if (!made)
        return std::nullopt;
    auto record = remember(made, keyDown ? EventType::keyDown : EventType::keyUp, {}, source);
    record.setIntegerValueField(
        EventField::keyboardEventKeycode,
        CGEventGetIntegerValueField(made.get(),
                                    static_cast<CGEventField>(EventField::keyboardEventKeycode)));
    return record;
}

platform::SyntheticEvent MacSyntheticEvents::remember(CFRef<CGEventRef> event, EventType type,
                                                      platform::Point location,
                                                      const platform::EventSource* source) {
    platform::SyntheticEvent record;
    record.serial = nextSerial_++;
    record.type = type;
    record.location = location;
    if (source)
        record.source = *source;
    events_.put(record.serial, std::move(event));
    return record;
}

// Made again from the record alone, when the event it was made as has been
// released (or it never came from here).
CFRef<CGEventRef> MacSyntheticEvents::makeLocked(const platform::SyntheticEvent& record) {
    const auto source = sourceLocked(record.source ? &*record.source : nullptr);
    if (isKeyboard(record.type))
        return CFRef<CGEventRef>::adopt(CGEventCreateKeyboardEvent(
            source.get(),
            static_cast<CGKeyCode>(record.integerValueField(EventField::keyboardEventKeycode)),
            record.type == EventType::keyDown));
    return CFRef<CGEventRef>::adopt(CGEventCreateMouseEvent(
        source.get(), static_cast<CGEventType>(record.type),
        CGPointMake(record.location.x, record.location.y),
        static_cast<CGMouseButton>(record.integerValueField(EventField::mouseEventButtonNumber))));
}

CFRef<CGEventRef> MacSyntheticEvents::prepared(const platform::SyntheticEvent& record) {
    CFRef<CGEventRef> event;
    {
        std::lock_guard lock(mutex_);
        if (auto* kept = record.serial ? events_.find(record.serial) : nullptr) {
            event = *kept;
        } else if ((event = makeLocked(record)) && record.serial) {
            events_.put(record.serial, event);
        }
    }
    if (!event) {
        notes_->once("remake", "Corvel: a synthetic event could not be made again for posting; "
                               "it was not posted");
        return event;
    }
    CGEventSetFlags(event.get(), record.flags);
    if (!isKeyboard(record.type))
        CGEventSetLocation(event.get(), CGPointMake(record.location.x, record.location.y));
    for (const auto& [field, value] : record.fields) {
        if (auto note = StampedEventFields::firstUseNote(field))
            notes_->once("event field " + std::to_string(field), *note);
        CGEventSetIntegerValueField(event.get(), static_cast<CGEventField>(field), value);
    }
    return event;
}

void MacSyntheticEvents::post(platform::EventTapLocation tap,
                              const platform::SyntheticEvent& event) {
    if (const auto prepared = this->prepared(event))
        CGEventPost(static_cast<CGEventTapLocation>(tap), prepared.get());
}

void MacSyntheticEvents::postToPid(std::int32_t pid, const platform::SyntheticEvent& event) {
    if (const auto prepared = this->prepared(event))
        CGEventPostToPid(pid, prepared.get());
}

} // namespace corvel::mac
