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

async::Task<bool> hides(std::shared_ptr<MenuBarBackend> backend) {
    try {
        auto hiding = backend->hideRegion();
        co_await std::move(hiding);
    } catch (const BackendError&) {
        co_return false;
    }
    co_return true;
}

// Holds the backend weakly: a retry outliving the application's backend
// gives up rather than keep it alive.
async::Task<void> retryHide(std::weak_ptr<MenuBarBackend> weakBackend,
                            std::shared_ptr<RevealAllClock> clock) {
    async::Duration wait = RevealAllCoordinator::firstHideRetry;
    for (int attempt = 0; attempt < RevealAllCoordinator::hideRetries; ++attempt, wait *= 2) {
        auto sleeping = clock->sleep(wait);
        co_await std::move(sleeping);
        const bool cancelled = co_await async::isCancelled();
        auto backend = weakBackend.lock();
        if (cancelled || !backend)
            co_return;
        auto hiding = hides(std::move(backend));
        const bool hidden = co_await std::move(hiding);
        if (hidden)
            co_return;
    }
}

} // namespace

RevealAllCoordinator::RevealAllCoordinator(std::shared_ptr<MenuBarBackend> backend,
                                           std::shared_ptr<RevealAllClock> clock,
                                           async::Executor& mainExecutor)
    : backend_(std::move(backend)), clock_(std::move(clock)), mainExecutor_(mainExecutor) {}

RevealAllCoordinator::~RevealAllCoordinator() {
    cancelExpiry();
    hideRetryTask_.cancel();
}

async::Task<void> RevealAllCoordinator::reveal() {
    hideRetryTask_.cancel();
    try {
        auto revealing = backend_->revealRegion();
        co_await std::move(revealing);
    } catch (const BackendError&) {
    }
}

// A hide that fails (the menu bar host restarting, say) is tried again a
// little later, and then at growing intervals, so that the region does not
// stay open for good; a hide that is refused for good flickers only those few
// times.
async::Task<void> RevealAllCoordinator::hide() {
    hideRetryTask_.cancel();
    auto hiding = hides(backend_);
    const bool hidden = co_await std::move(hiding);
    if (hidden)
        co_return;
    hideRetryTask_ = async::spawn(mainExecutor_, retryHide(backend_, clock_));
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
