#include "engine/RevealAllCoordinator.h"

#include "backend/BackendError.h"
#include "backend/MenuBarBackend.h"

namespace corvel {

namespace {

// Holds its own share of the clock so that a timer outliving the coordinator
// still has something to wait on.
async::Task<void> runExpiry(std::shared_ptr<RevealAllClock> clock, async::Duration span,
                            RevealAllCoordinator::ExpiryCallback onExpiry) {
    auto wait = clock->sleep(span);
    co_await std::move(wait);
    const bool cancelled = co_await async::isCancelled();
    if (cancelled)
        co_return;
    auto expiry = onExpiry();
    co_await std::move(expiry);
}

} // namespace

RevealAllCoordinator::RevealAllCoordinator(std::shared_ptr<MenuBarBackend> backend,
                                           std::shared_ptr<RevealAllClock> clock,
                                           async::Executor& mainExecutor)
    : backend_(std::move(backend)), clock_(std::move(clock)), mainExecutor_(mainExecutor) {}

RevealAllCoordinator::~RevealAllCoordinator() {
    cancelExpiry();
}

async::Task<void> RevealAllCoordinator::reveal() {
    try {
        auto revealing = backend_->revealRegion();
        co_await std::move(revealing);
    } catch (const BackendError&) {
    }
}

async::Task<void> RevealAllCoordinator::hide() {
    try {
        auto hiding = backend_->hideRegion();
        co_await std::move(hiding);
    } catch (const BackendError&) {
    }
}

void RevealAllCoordinator::scheduleExpiry(async::Duration span, ExpiryCallback onExpiry) {
    expiryTask_.cancel();
    expiryTask_ = async::spawn(mainExecutor_, runExpiry(clock_, span, std::move(onExpiry)));
}

void RevealAllCoordinator::cancelExpiry() {
    expiryTask_.cancel();
    expiryTask_ = {};
}

bool RevealAllCoordinator::hasPendingExpiry() const {
    return expiryTask_.valid() && !expiryTask_.isDone();
}

} // namespace corvel
