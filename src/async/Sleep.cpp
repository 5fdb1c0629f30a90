#include "async/Sleep.h"

#include "async/Doorbell.h"

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
    // A ring that came before the sleep ends it before it begins; one that
    // comes after finds the wake attached and claims it.
    if (bell_ && !bell_->attach(wake_) && wake_->claim()) {
        wake_->timer.cancel();
        return false;
    }
    if (!cancellation_)
        return true;

    subscription_ = cancellation_->subscribe([wake = wake_] { wakeEarly(wake); });
    if (!subscription_ && wake_->claim()) {
        wake_->timer.cancel();
        return false;
    }
    return true;
}

void SleepAwaiter::release() {
    if (bell_ && wake_)
        bell_->detach(wake_);
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
