#include "backend_mac26/StampedItemMover.h"

#include "async/Sleep.h"
#include "backend/BackendError.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "backend_mac26/StampedMoveEvent.h"
#include "platform/EventTapLocation.h"

#include <string>

namespace corvel {

namespace {

BackendError spacerDisappeared() {
    return BackendError::underlying(
        "StampedItemMover: hidden-region spacer window disappeared mid-move");
}

} // namespace

async::Task<void> StampedItemMover::move(MenuBarWindowList windows,
                                         std::shared_ptr<platform::SyntheticEvents> events,
                                         BackendItemToken itemToken, std::uint32_t adjacentToSpacer,
                                         bool placeLeftOfSpacer) {
    const auto spacer = windowInfo(windows, adjacentToSpacer);
    if (!spacer)
        throw BackendError::underlying("StampedItemMover: hidden-region spacer window " +
                                       std::to_string(adjacentToSpacer) + " not found");
    const auto item = windowInfo(windows, itemToken);
    if (!item)
        throw BackendError::itemNoLongerExists();
    if (isPlaced(item->bounds, spacer->bounds, placeLeftOfSpacer))
        co_return;

    const platform::EventSource source = makeSource(*events);
    for (int attempt = 1;; ++attempt) {
        auto drag =
            stampedDrag(windows, events, source, itemToken, adjacentToSpacer, placeLeftOfSpacer);
        co_await std::move(drag);
        const auto movedItem = windowInfo(windows, itemToken);
        const auto currentSpacer = windowInfo(windows, adjacentToSpacer);
        if (movedItem && currentSpacer &&
            isPlaced(movedItem->bounds, currentSpacer->bounds, placeLeftOfSpacer))
            co_return;
        if (attempt == maxAttempts)
            throw BackendError::underlying(
                std::string("StampedItemMover: exhausted 5 retries without moving the item ") +
                (placeLeftOfSpacer ? "left of" : "right of") + " the spacer");
        // A cancelled move's waits all end at once; it tries no more.
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            throw BackendError::underlying("StampedItemMover: cancelled before the item moved");
        auto click = wakeUpClick(windows, events, source, itemToken);
        co_await std::move(click);
    }
}

platform::EventSource StampedItemMover::makeSource(platform::SyntheticEvents& events) {
    auto source = events.createSource(platform::EventSourceStateID::hidSystemState);
    if (!source)
        throw BackendError::underlying(
            "StampedItemMover: CGEventSource(stateID: .hidSystemState) failed");
    // Local input must keep working while the drags play, or the person's
    // own mouse and keyboard would freeze for the suppression interval.
    const std::uint32_t permitAll = platform::EventSource::permitLocalMouseEvents |
                                    platform::EventSource::permitLocalKeyboardEvents |
                                    platform::EventSource::permitSystemDefinedEvents;
    source->setLocalEventsFilterDuringSuppressionState(permitAll,
                                                       platform::EventSource::remoteMouseDrag);
    source->setLocalEventsFilterDuringSuppressionState(permitAll,
                                                       platform::EventSource::suppressionInterval);
    source->setLocalEventsSuppressionInterval(0.0);
    return *source;
}

async::Task<void> StampedItemMover::stampedDrag(MenuBarWindowList windows,
                                                std::shared_ptr<platform::SyntheticEvents> events,
                                                platform::EventSource source,
                                                BackendItemToken itemToken,
                                                std::uint32_t spacerWindowID,
                                                bool placeLeftOfSpacer) {
    const auto spacer = windowInfo(windows, spacerWindowID);
    if (!spacer)
        throw spacerDisappeared();
    const auto item = windowInfo(windows, itemToken);
    if (!item)
        throw BackendError::itemNoLongerExists();

    const platform::Point drop{placeLeftOfSpacer ? spacer->bounds.minX() : spacer->bounds.maxX(),
                               item->bounds.origin.y + item->bounds.size.height / 2};
    auto down = StampedMoveEvent::mouseDown(*events, item->windowID, item->ownerPID, source);
    auto up = StampedMoveEvent::mouseUp(*events, drop, spacer->windowID, item->ownerPID, source);
    if (!down || !up)
        throw BackendError::underlying(
            "StampedItemMover: failed to construct the stamped move CGEvents");

    auto posting = postPair(events, *down, afterDragDown, *up, afterDragUp, item->ownerPID);
    co_await std::move(posting);
}

async::Task<void> StampedItemMover::wakeUpClick(MenuBarWindowList windows,
                                                std::shared_ptr<platform::SyntheticEvents> events,
                                                platform::EventSource source,
                                                BackendItemToken itemToken) {
    // A missing item skips the click; the next drag then reports it gone.
    const auto item = windowInfo(windows, itemToken);
    if (!item)
        co_return;
    const platform::Point centre{item->bounds.midX(),
                                 item->bounds.origin.y + item->bounds.size.height / 2};
    auto down = StampedMoveEvent::wakeUp(*events, platform::EventType::leftMouseDown, centre,
                                         item->windowID, item->ownerPID, source);
    auto up = StampedMoveEvent::wakeUp(*events, platform::EventType::leftMouseUp, centre,
                                       item->windowID, item->ownerPID, source);
    if (!down || !up)
        co_return;
    auto posting = postPair(events, *down, afterWakeUpDown, *up, afterWakeUpUp, item->ownerPID);
    co_await std::move(posting);
}

async::Task<void> StampedItemMover::postPair(std::shared_ptr<platform::SyntheticEvents> events,
                                             platform::SyntheticEvent down,
                                             async::Duration afterDown, platform::SyntheticEvent up,
                                             async::Duration afterUp, std::int32_t ownerPID) {
    auto postDown = postDual(events, down, ownerPID);
    co_await std::move(postDown);
    co_await async::sleepFor(afterDown);
    auto postUp = postDual(events, up, ownerPID);
    co_await std::move(postUp);
    co_await async::sleepFor(afterUp);
}

async::Task<void> StampedItemMover::postDual(std::shared_ptr<platform::SyntheticEvents> events,
                                             platform::SyntheticEvent event,
                                             std::int32_t ownerPID) {
    events->post(platform::EventTapLocation::sessionEventTap, event);
    co_await async::sleepFor(dualPostGap);
    events->postToPid(ownerPID, event);
}

std::optional<StampedItemMover::Window>
StampedItemMover::windowInfo(const MenuBarWindowList& windows, std::uint32_t windowID) {
    for (const auto& window : windows.windows(MenuBarWindowList::statusWindowLayer))
        if (window.windowID == windowID) {
            if (!window.bounds)
                return std::nullopt;
            return Window{window.windowID, window.ownerPID, *window.bounds};
        }
    return std::nullopt;
}

std::optional<StampedItemMover::Window>
StampedItemMover::windowInfo(const MenuBarWindowList& windows, const BackendItemToken& token) {
    for (const auto& window : windows.windows(MenuBarWindowList::statusWindowLayer))
        if (window.bounds && Mac26WindowToken::token(window.windowID) == token)
            return Window{window.windowID, window.ownerPID, *window.bounds};
    return std::nullopt;
}

bool StampedItemMover::isPlaced(const platform::Rect& item, const platform::Rect& spacer,
                                bool placeLeftOfSpacer) {
    return placeLeftOfSpacer ? item.midX() < spacer.midX() : spacer.midX() < item.midX();
}

} // namespace corvel
