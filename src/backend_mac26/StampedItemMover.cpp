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
    auto bar = windows.windows(MenuBarWindowList::statusWindowLayer);
    return move(std::move(windows), std::move(events), std::move(itemToken), adjacentToSpacer,
                placeLeftOfSpacer, std::move(bar));
}

// Each read of the bar is a round trip to the window server. One reading
// answers every question asked between two waits: nothing is posted and no
// time passes between them, so a second read would say the same.
async::Task<void> StampedItemMover::move(MenuBarWindowList windows,
                                         std::shared_ptr<platform::SyntheticEvents> events,
                                         BackendItemToken itemToken, std::uint32_t adjacentToSpacer,
                                         bool placeLeftOfSpacer,
                                         std::vector<MenuBarWindowInfo> bar) {
    const auto spacer = windowInfo(bar, adjacentToSpacer);
    if (!spacer)
        throw BackendError::underlying("StampedItemMover: hidden-region spacer window " +
                                       std::to_string(adjacentToSpacer) + " not found");
    const auto item = windowInfo(bar, itemToken);
    if (!item)
        throw BackendError::itemNoLongerExists();
    if (isPlaced(item->bounds, spacer->bounds, placeLeftOfSpacer))
        co_return;

    const platform::EventSource source = makeSource(*events);
    for (int attempt = 1;; ++attempt) {
        const auto currentSpacer = windowInfo(bar, adjacentToSpacer);
        if (!currentSpacer)
            throw spacerDisappeared();
        const auto currentItem = windowInfo(bar, itemToken);
        if (!currentItem)
            throw BackendError::itemNoLongerExists();
        auto drag = stampedDrag(events, source, *currentItem, *currentSpacer, placeLeftOfSpacer);
        co_await std::move(drag);
        bar = windows.windows(MenuBarWindowList::statusWindowLayer);
        const auto movedItem = windowInfo(bar, itemToken);
        const auto spacerAfter = windowInfo(bar, adjacentToSpacer);
        if (movedItem && spacerAfter &&
            isPlaced(movedItem->bounds, spacerAfter->bounds, placeLeftOfSpacer))
            co_return;
        if (attempt == maxAttempts)
            throw BackendError::underlying(
                std::string("StampedItemMover: exhausted 5 retries without moving the item ") +
                (placeLeftOfSpacer ? "left of" : "right of") + " the spacer");
        // A cancelled move's waits all end at once; it tries no more.
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            throw BackendError::underlying("StampedItemMover: cancelled before the item moved");
        // A missing item skips the click; the next drag then reports it gone.
        if (movedItem) {
            auto click = wakeUpClick(events, source, *movedItem);
            co_await std::move(click);
        }
        bar = windows.windows(MenuBarWindowList::statusWindowLayer);
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

async::Task<void> StampedItemMover::stampedDrag(std::shared_ptr<platform::SyntheticEvents> events,
                                                platform::EventSource source, Window item,
                                                Window spacer, bool placeLeftOfSpacer) {
    const platform::Point drop{placeLeftOfSpacer ? spacer.bounds.minX() : spacer.bounds.maxX(),
                               item.bounds.origin.y + item.bounds.size.height / 2};
    auto down = StampedMoveEvent::mouseDown(*events, item.windowID, item.ownerPID, source);
    auto up = StampedMoveEvent::mouseUp(*events, drop, spacer.windowID, item.ownerPID, source);
    if (!down || !up)
        throw BackendError::underlying(
            "StampedItemMover: failed to construct the stamped move CGEvents");

    auto posting = postPair(events, *down, afterDragDown, *up, afterDragUp, item.ownerPID);
    co_await std::move(posting);
}

async::Task<void> StampedItemMover::wakeUpClick(std::shared_ptr<platform::SyntheticEvents> events,
                                                platform::EventSource source, Window item) {
    const platform::Point centre{item.bounds.midX(),
                                 item.bounds.origin.y + item.bounds.size.height / 2};
    auto down = StampedMoveEvent::wakeUp(*events, platform::EventType::leftMouseDown, centre,
                                         item.windowID, item.ownerPID, source);
    auto up = StampedMoveEvent::wakeUp(*events, platform::EventType::leftMouseUp, centre,
                                       item.windowID, item.ownerPID, source);
    if (!down || !up)
        co_return;
    auto posting = postPair(events, *down, afterWakeUpDown, *up, afterWakeUpUp, item.ownerPID);
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
StampedItemMover::windowInfo(const std::vector<MenuBarWindowInfo>& bar, std::uint32_t windowID) {
    for (const auto& window : bar)
        if (window.windowID == windowID) {
            if (!window.bounds)
                return std::nullopt;
            return Window{window.windowID, window.ownerPID, *window.bounds};
        }
    return std::nullopt;
}

std::optional<StampedItemMover::Window>
StampedItemMover::windowInfo(const std::vector<MenuBarWindowInfo>& bar,
                             const BackendItemToken& token) {
    for (const auto& window : bar)
        if (window.bounds && Mac26WindowToken::token(window.windowID) == token)
            return Window{window.windowID, window.ownerPID, *window.bounds};
    return std::nullopt;
}

bool StampedItemMover::isPlaced(const platform::Rect& item, const platform::Rect& spacer,
                                bool placeLeftOfSpacer) {
    return placeLeftOfSpacer ? item.midX() < spacer.midX() : spacer.midX() < item.midX();
}

} // namespace corvel
