#include "backend_mac26/Mac26PollLoop.h"

#include "async/Sleep.h"
#include "backend_mac26/Mac26PollState.h"

namespace corvel {

async::Task<void> Mac26PollLoop::run(Inputs inputs) {
    Mac26PollState state(inputs.reader);
    // Kept across passes so that reading a still bar allocates nothing.
    std::vector<MenuBarWindowInfo> windows;
    for (;;) {
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            co_return;
        inputs.reader->windowList().readWindows(MenuBarWindowList::statusWindowLayer, windows);
        for (auto& event : state.pass(windows))
            inputs.continuation->send(std::move(event));
        co_await async::sleepFor(interval);
    }
}

} // namespace corvel
