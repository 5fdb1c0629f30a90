#include "backend_mac26/Mac26PollLoop.h"

#include "async/Sleep.h"
#include "backend_mac26/Mac26PollState.h"

namespace corvel {

async::Task<void> Mac26PollLoop::run(Inputs inputs) {
    Mac26PollState state(inputs.nameSpace, inputs.identityCache, inputs.bundleIdentifierOf);
    for (;;) {
        const bool cancelled = co_await async::isCancelled();
        if (cancelled)
            co_return;
        const auto windows = inputs.windowList.layer25Windows();
        for (auto& event : state.pass(windows))
            inputs.continuation->send(std::move(event));
        co_await async::sleepFor(interval);
    }
}

} // namespace corvel
