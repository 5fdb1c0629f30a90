#include "backend_mac26/RevealSupervisor.h"

#include "async/Sleep.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "backend_mac26/RevealMenuWindowMatcher.h"
#include "backend_mac26/RevealSupervisionDecider.h"
#include "platform/EventTapLocation.h"
#include "platform/WindowList.h"

namespace corvel {

async::Task<RevealSupervisionOutcome>
RevealSupervisor::superviseReveal(Ports ports, ObservedItem item,
                                  async::Duration openConfirmTimeout) {
    async::Executor& executor = co_await async::currentExecutor();
    const async::TimePoint deadline = executor.now() + openConfirmTimeout;
    const std::set<std::int32_t> owners = menuOwnerPIDs(ports, item);
    RevealSupervisionDecider decider;
    for (;;) {
        const bool present = pollForMenuWindow(ports, owners, item);
        const bool deadlinePassed = executor.now() >= deadline;
        switch (decider.observe(present, deadlinePassed)) {
        case RevealSupervisionDecider::Step::keepPolling: {
            co_await async::sleepFor(pollInterval);
            // A cancelled supervision (Corvel quits) stops watching: every
            // later sleep would end at once.
            const bool cancelled = co_await async::isCancelled();
            if (cancelled)
                co_return RevealSupervisionOutcome{decider.confirmedOpen};
            break;
        }
        case RevealSupervisionDecider::Step::concludeClosedAfterConfirmedOpen:
            co_return RevealSupervisionOutcome{true};
        case RevealSupervisionDecider::Step::forceRecovery:
            auto escape = postRealEscapeKeyEvent(ports.events);
            co_await std::move(escape);
            co_return RevealSupervisionOutcome{false};
        }
    }
}

std::set<std::int32_t> RevealSupervisor::menuOwnerPIDs(const Ports& ports,
                                                       const ObservedItem& item) {
    std::set<std::int32_t> owners{ports.selfPID};
    for (const auto& window : ports.windows.windows(MenuBarWindowList::statusWindowLayer))
        if (Mac26WindowToken::token(window.windowID) == item.id) {
            owners.insert(window.ownerPID);
            break;
        }
    if (!item.identity.bundleID.empty())
        for (const auto& application :
             ports.workspace->runningApplicationsWithBundleIdentifier(item.identity.bundleID))
            owners.insert(application.processIdentifier);
    return owners;
}

bool RevealSupervisor::pollForMenuWindow(const Ports& ports, const std::set<std::int32_t>& owners,
                                         const ObservedItem& item) {
    return RevealMenuWindowMatcher::menuWindowPresent(
        ports.windows.windows(platform::WindowList::popUpMenuLayer), owners, item.frame);
}

async::Task<void>
RevealSupervisor::postRealEscapeKeyEvent(std::shared_ptr<platform::SyntheticEvents> events) {
    auto source = events->createSource(platform::EventSourceStateID::hidSystemState);
    if (!source)
        co_return;
    const auto down =
        events->createKeyboardEvent(&*source, platform::SyntheticEvents::escapeKeyCode, true);
    const auto up =
        events->createKeyboardEvent(&*source, platform::SyntheticEvents::escapeKeyCode, false);
    if (down)
        events->post(platform::EventTapLocation::hidEventTap, *down);
    co_await async::sleepFor(escapeKeyGap);
    if (up)
        events->post(platform::EventTapLocation::hidEventTap, *up);
}

} // namespace corvel
