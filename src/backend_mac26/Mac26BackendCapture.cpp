// Pictures of single items.
#include "async/Hop.h"
#include "backend_mac26/Mac26Backend.h"
#include "backend_mac26/Mac26CapturePrecheck.h"
#include "backend_mac26/Mac26SnapshotCapturer.h"
#include "backend_mac26/Mac26WindowLookup.h"

namespace corvel {

async::Task<CaptureResult> Mac26Backend::captureSnapshot(ObservedItem item) {
    async::Executor& caller = co_await async::currentExecutor();
    if (&caller != &main_)
        co_await async::hopTo(main_);

    // The fresh reading decides, not the record handed in, which may be old.
    std::optional<ObservedItem> current;
    auto reading = readItems(Identities::asKnown);
    auto items = co_await std::move(reading);
    for (auto& observed : items)
        if (observed.id == item.id) {
            current = std::move(observed);
            break;
        }
    const auto decision =
        Mac26CapturePrecheck::decide(current.has_value(), current && current->isInHiddenRegion,
                                     services_.screenCapture->preflightAccess());
    if (decision.kind() == Mac26CapturePrecheck::Decision::Kind::unavailable)
        co_return CaptureResult::unavailable(decision.reason());

    const auto window = Mac26WindowLookup::resolve(windowList_, item.id);
    if (!window)
        co_return CaptureResult::unavailable(CaptureUnavailableReason::notCurrentlyOnScreen);
    auto capture = Mac26SnapshotCapturer::capture({services_.screenCapture, services_.wallClock},
                                                  window->windowID, window->bounds);
    co_return co_await std::move(capture);
}

} // namespace corvel
