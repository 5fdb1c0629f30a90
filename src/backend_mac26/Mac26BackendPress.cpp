// Pressing an item and supervising the reveal until its menu closes.
#include "async/Completion.h"
#include "async/Hop.h"
#include "async/Sleep.h"
#include "backend/BackendError.h"
#include "backend_mac26/Mac26Backend.h"
#include "backend_mac26/RevealSupervisor.h"

#include <chrono>

namespace corvel {

namespace {

/// Lets a freshly brought-out item's window settle before it is read again.
constexpr auto settleAfterBringingOut = std::chrono::milliseconds(150);

using Started = async::Completion<>;
using Finished = async::Completion<RevealSupervisionOutcome>;

/// The supervision as a task of its own on the background executor. It says
/// when it has started, so the press comes after, and always answers, so
/// the press never waits for an outcome that cannot come.
async::Task<void> supervise(RevealSupervisor::Ports ports, ObservedItem item,
                            async::Duration timeout, std::shared_ptr<Started> started,
                            std::shared_ptr<Finished> finished) {
    started->complete();
    RevealSupervisionOutcome outcome;
    try {
        auto supervision =
            RevealSupervisor::superviseReveal(std::move(ports), std::move(item), timeout);
        outcome = co_await std::move(supervision);
    } catch (...) {
        outcome.menuWasConfirmedOpen = false;
    }
    finished->complete(outcome);
}

/// What the background thread saw of a press: whether the item's element was
/// found and pressed, and then how the supervision ended.
struct SupervisedPress {
    bool pressed = false;
    RevealSupervisionOutcome outcome;
};

/// Presses once the supervision has started and, when there was an element
/// to press, waits there for the supervision's end as well: the whole press
/// makes one trip back to the main thread.
async::Task<SupervisedPress> pressWhileSupervised(std::shared_ptr<Started> started,
                                                  std::shared_ptr<Finished> finished,
                                                  std::shared_ptr<const Mac26MenuBarReader> reader,
                                                  ObservedItem item) {
    co_await started->wait();
    SupervisedPress press;
    press.pressed = reader->press(item);
    if (press.pressed)
        press.outcome = co_await finished->wait();
    co_return press;
}

} // namespace

async::Task<void> Mac26Backend::press(ObservedItem item) {
    const auto watched = changing();
    async::Executor& caller = co_await async::currentExecutor();
    if (&caller != &main_)
        co_await async::hopTo(main_);
    auto turn = takeTurnAtTheBar("press");
    const auto pass = co_await std::move(turn);
    co_await placementGate_.waitUntilIdle();
    // Only an item that stood in the hidden region goes back there: one in
    // view (pressed from the item search) stays where the person sees it.
    auto standing = standsInHiddenRegion(item);
    const bool putBackAfterwards = co_await std::move(standing);
    auto bringOut = movingOut(item);
    co_await std::move(bringOut);
    co_await async::sleepFor(settleAfterBringingOut);
    // The item's own application is asked for its element; the rest of the
    // bar is read with the identities already known.
    auto refreshing = refreshedItem(item.id, Identities::asKnown);
    ObservedItem refreshed = co_await std::move(refreshing);

    const std::int32_t selfPID = services_.processes->currentProcessIdentifier();
    auto started = std::make_shared<Started>();
    auto finished = std::make_shared<Finished>();
    auto supervision = async::spawn(
        background_,
        supervise({windowList_, services_.syntheticEvents, services_.workspace, selfPID}, refreshed,
                  openConfirmTimeout, started, finished));
    // The press follows the supervision's start on the background thread.
    // Without an element nothing is pressed; the supervision then times out
    // and the press reports itself unconfirmed.
    auto pressing =
        async::runOn(background_, pressWhileSupervised(started, finished, reader_, refreshed));
    SupervisedPress pressed = co_await std::move(pressing);
    if (!pressed.pressed) {
        auto renaming = pressNamedAfresh(refreshed);
        refreshed = co_await std::move(renaming);
        pressed.outcome = co_await finished->wait();
    }
    const RevealSupervisionOutcome outcome = pressed.outcome;
    // A menu that never opened has had its Escape; a filed item goes back all
    // the same, or it would stand in view until a relaunch.
    if (putBackAfterwards) {
        auto putBack = movingIn(refreshed);
        co_await std::move(putBack);
    }
    if (!outcome.menuWasConfirmedOpen)
        throw BackendError::pressUnconfirmed();
}

namespace {

async::Task<bool> pressOn(std::shared_ptr<const Mac26MenuBarReader> reader, ObservedItem item) {
    co_return reader->press(item);
}

} // namespace

// An identity known from an earlier walk may have gone stale (the application
// renamed its extra without resizing it): when it leads to no element, one
// walk names the item anew and it is pressed again before the press gives up.
async::Task<ObservedItem> Mac26Backend::pressNamedAfresh(ObservedItem item) {
    try {
        auto rescanning = refreshedItem(item.id, Identities::scanned);
        item = co_await std::move(rescanning);
    } catch (const BackendError&) {
        // Gone meanwhile: the supervision ends the press unconfirmed.
        co_return item;
    }
    auto pressingAgain = pressElement(item);
    co_await std::move(pressingAgain);
    co_return item;
}

async::Task<bool> Mac26Backend::pressElement(ObservedItem item) {
    auto pressing = async::runOn(background_, pressOn(reader_, std::move(item)));
    co_return co_await std::move(pressing);
}

// The caller's reading may be old; the menu bar's answer now decides. An item
// that has gone is left to the move out, which fails for it.
async::Task<bool> Mac26Backend::standsInHiddenRegion(ObservedItem item) {
    auto reading = readItems(Identities::asKnown);
    const auto items = co_await std::move(reading);
    for (const auto& current : items)
        if (current.id == item.id)
            co_return current.isInHiddenRegion;
    co_return item.isInHiddenRegion;
}

async::Task<ObservedItem> Mac26Backend::refreshedItem(BackendItemToken token,
                                                      Identities identities) {
    auto reading = readItems(identities);
    auto items = co_await std::move(reading);
    for (auto& item : items)
        if (item.id == token)
            co_return std::move(item);
    throw BackendError::itemNoLongerExists();
}

} // namespace corvel
