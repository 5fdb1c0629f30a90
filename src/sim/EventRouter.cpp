#include "sim/EventRouter.h"

#include "platform/EventField.h"
#include "platform/EventFlags.h"
#include "platform/SyntheticEvents.h"

#include <algorithm>

namespace corvel::sim {

namespace {
constexpr std::size_t rememberedSerials = 256;
}

void EventRouter::deliver(World& world, const platform::SyntheticEvent& event,
                          std::optional<platform::EventTapLocation> tap,
                          std::optional<std::int32_t> pid, async::TimePoint now) {
    PostedEvent record{event, tap, pid, false, now};
    // macOS drops synthetic events of a process that may not control the
    // computer; they still count as posted.
    if (!world.accessibilityTrusted) {
        record.ignored = true;
        world.recordPost(record);
        return;
    }
    // A post that reaches nobody leaves the event free to arrive by its
    // other road, so it must not count as the one delivery.
    if (pid) {
        const SimProcess* target = world.process(*pid);
        if (!target || !target->running) {
            world.recordPost(record);
            return;
        }
    }
    record.duplicate = isDuplicate(world, event.serial);
    world.recordPost(record);
    if (record.duplicate)
        return;
    using platform::EventType;
    switch (event.type) {
    case EventType::leftMouseDown:
        mouseDown(world, event);
        break;
    case EventType::leftMouseUp:
        mouseUp(world, event, now);
        break;
    case EventType::keyDown:
        if (event.integerValueField(platform::EventField::keyboardEventKeycode) ==
            platform::SyntheticEvents::escapeKeyCode) {
            ++world.counters.escapes;
            world.closeMenusLater(pid);
        }
        break;
    default:
        break;
    }
}

bool EventRouter::isDuplicate(World& world, std::uint64_t serial) {
    if (serial == 0)
        return false;
    auto& seen = world.deliveredSerials;
    if (std::find(seen.begin(), seen.end(), serial) != seen.end())
        return true;
    seen.push_back(serial);
    if (seen.size() > rememberedSerials)
        seen.pop_front();
    return false;
}

const StatusEntry* EventRouter::stampedWindow(const World& world,
                                              const platform::SyntheticEvent& event) {
    using platform::EventField;
    for (int field : {EventField::windowID, EventField::mouseEventWindowUnderMousePointer,
                      EventField::mouseEventWindowUnderMousePointerThatCanHandleThisEvent}) {
        const auto number = event.integerValueField(field);
        if (number > 0 && number <= UINT32_MAX)
            return world.listedEntryByWindow(static_cast<std::uint32_t>(number));
    }
    return nullptr;
}

void EventRouter::mouseDown(World& world, const platform::SyntheticEvent& event) {
    const StatusEntry* window = stampedWindow(world, event);
    if (!window)
        return;
    if (event.flags & platform::EventFlags::maskCommand) {
        world.draggedWindow = window->windowNumber;
        return;
    }
    // A plain click addressed to the item's window: it wakes the item without
    // opening its menu, since no person pressed it.
    world.entryByItem(window->itemId)->awake = true;
    ++world.counters.wakeUps;
}

void EventRouter::mouseUp(World& world, const platform::SyntheticEvent& event,
                          async::TimePoint now) {
    if (!world.draggedWindow)
        return;
    const StatusEntry* dragged = world.listedEntryByWindow(*world.draggedWindow);
    world.draggedWindow.reset();
    const StatusEntry* target = stampedWindow(world, event);
    if (!dragged || !target)
        return;
    ++world.counters.drags;
    drop(world, dragged->itemId, target->itemId, event.location.x, now);
}

void EventRouter::drop(World& world, std::uint64_t draggedItem, std::uint64_t targetItem, double x,
                       async::TimePoint now) {
    // Which side is decided where the button went up; the item lands later.
    const bool leftOfTarget = x < world.reportedFrame(*world.entryByItem(targetItem), now).midX();
    world.defer(world.latencies.drop, [draggedItem, targetItem, leftOfTarget](World& later) {
        land(later, draggedItem, targetItem, leftOfTarget);
    });
}

void EventRouter::land(World& world, std::uint64_t draggedItem, std::uint64_t targetItem,
                       bool leftOfTarget) {
    StatusEntry* dragged = world.entryByItem(draggedItem);
    if (!dragged)
        return;
    ++dragged->dragsReceived;
    const bool canMove = dragged->movable && !dragged->faults.neverMoves &&
                         (!dragged->faults.needsWakeUp || dragged->awake) &&
                         draggedItem != targetItem && world.entryByItem(targetItem);
    if (canMove) {
        dragged->awake = false;
        world.moveEntry(draggedItem, targetItem, leftOfTarget);
        dragged = world.entryByItem(draggedItem);
    }
    if (dragged->faults.vanishAfterDrags &&
        dragged->dragsReceived >= *dragged->faults.vanishAfterDrags)
        world.removeEntry(draggedItem);
}

} // namespace corvel::sim
