#include "backend_mac26/Mac26PollLoop.h"

#include "async/Doorbell.h"
#include "backend_mac26/Mac26PollCadence.h"
#include "backend_mac26/Mac26PollState.h"

namespace corvel {

async::Task<void> Mac26PollLoop::run(Inputs inputs) {
    async::Executor& executor = co_await async::currentExecutor();
    Mac26PollState state(inputs.reader);
    // Kept across passes so that reading a still bar allocates nothing.
    std::vector<MenuBarWindowInfo> windows;
    std::vector<MenuBarWindowInfo> previous;
    int stillPasses = 0;
    for (;;) {
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            co_return;
        const auto began = executor.now();
        const bool rung = inputs.wake->bell().takeRing();
        inputs.reader->windowList().readWindows(MenuBarWindowList::statusWindowLayer, windows);
        auto events = state.pass(windows);
        inputs.wake->noteReading(windows);
        const bool changed =
            rung || !events.empty() || !Mac26MenuBarReader::agree(previous, windows);
        stillPasses = changed ? 0 : stillPasses + 1;
        for (auto& event : events)
            inputs.continuation->send(std::move(event));
        std::swap(previous, windows);
        const auto wait =
            Mac26PollCadence::wait(Mac26PollCadence::interval(stillPasses), executor.now() - began);
        co_await async::sleepFor(wait, inputs.wake->bell());
    }
}

} // namespace corvel
