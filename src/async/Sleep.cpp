#include "async/Sleep.h"

namespace corvel::async::detail {

bool SleepAwaiter::suspend(std::coroutine_handle<> caller, const TaskContext& context) {
    cancellation_ = context.cancellation;
    if (cancellation_ && cancellation_->isCancelled())
        return false;

    wake_ = std::make_shared<SleepWake>();
    wake_->sleeper = caller;
    wake_->executor = context.executor;
    if (context.home != context.executor)
        wake_->awayFrom = context.home;
    // The timer fires on the task's own executor, so it cannot run before this
    // function has returned; the cancellation callback may come from any
    // thread, which is why it only posts the resumption.
    auto stranded = std::make_shared<StrandedSleeper>(wake_);
    wake_->timer = context.executor->after(delay_, [stranded] {
        if (stranded->wake->claim())
            stranded->wake->sleeper.resume();
    });
    if (!cancellation_)
        return true;

    subscription_ = cancellation_->subscribe([wake = wake_] {
        if (!wake->claim())
            return;
        wake->timer.cancel();
        wake->executor->post([wake] { wake->sleeper.resume(); });
    });
    if (!subscription_ && wake_->claim()) {
        wake_->timer.cancel();
        return false;
    }
    return true;
}

void SleepAwaiter::release() {
    if (subscription_) {
        cancellation_->unsubscribe(*subscription_);
        subscription_.reset();
    }
    if (wake_) {
        wake_->claim();
        wake_->timer.cancel();
        wake_.reset();
    }
}

} // namespace corvel::async::detail
