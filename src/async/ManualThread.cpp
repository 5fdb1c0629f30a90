#include "async/ManualThread.h"

#include "async/ManualLoop.h"
#include "async/ProgrammingError.h"

#include <chrono>

namespace corvel::async {

namespace {

/// A thread that does not come to rest in this long (real time) is stuck in
/// a deadlock of the test's own making; better a message than a hung suite.
constexpr auto restLimit = std::chrono::seconds(60);

} // namespace

struct ManualThread::State {
    std::mutex mutex;
    /// Wakes the thread: work posted, a hold ended, or stopping.
    std::condition_variable work;
    /// Wakes the loop waiting for this thread to rest.
    std::condition_variable rest;
    std::deque<std::function<void()>> queue;
    bool running = false;
    bool held = false;
    bool stopping = false;
    /// Set once the thread has stopped: what is posted later is dropped.
    bool closed = false;
};

ManualThread::ManualThread(ManualLoop& loop)
    : loop_(loop), state_(std::make_shared<State>()), thread_([this] { run(); }) {
    loop_.attach(*this);
}

ManualThread::~ManualThread() {
    loop_.detach(*this);
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
        state_->held = false;
    }
    state_->work.notify_all();
    thread_.join();
    discardEverything([this] { return releasePendingWork(); });
}

bool ManualThread::releasePendingWork() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(state_->mutex);
        dropped.swap(state_->queue);
    }
    return !dropped.empty();
}

void ManualThread::post(std::function<void()> work) {
    {
        std::lock_guard lock(state_->mutex);
        if (!state_->closed) {
            state_->queue.push_back(std::move(work));
            state_->work.notify_one();
            return;
        }
    }
    // Dropped outside the lock: what it captured may post again.
    work = nullptr;
}

TimerHandle ManualThread::after(Duration delay, std::function<void()> work) {
    // The timer may outlive this executor; it then finds the state closed.
    return loop_.after(
        delay, [state = std::weak_ptr<State>(state_), this, work = std::move(work)]() mutable {
            if (state.lock())
                post(std::move(work));
        });
}

TimePoint ManualThread::now() const {
    return loop_.now();
}

void ManualThread::holdThread(Duration held) {
    auto state = state_;
    loop_.after(held, [weak = std::weak_ptr<State>(state)] {
        auto alive = weak.lock();
        if (!alive)
            return;
        {
            std::lock_guard lock(alive->mutex);
            alive->held = false;
        }
        alive->work.notify_all();
    });
    std::unique_lock lock(state->mutex);
    if (state->stopping)
        return;
    state->held = true;
    state->rest.notify_all();
    state->work.wait(lock, [&] { return !state->held; });
}

void ManualThread::waitUntilResting() {
    std::unique_lock lock(state_->mutex);
    const bool rested = state_->rest.wait_for(lock, restLimit, [&] {
        return state_->held || (state_->queue.empty() && !state_->running);
    });
    if (!rested)
        programmingError("a ManualThread never came to rest; is it waiting for its own loop?");
}

void ManualThread::run() {
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock lock(state_->mutex);
            state_->work.wait(lock, [&] { return !state_->queue.empty() || state_->stopping; });
            if (state_->queue.empty()) {
                state_->closed = true;
                return;
            }
            work = std::move(state_->queue.front());
            state_->queue.pop_front();
            state_->running = true;
        }
        {
            detail::RunningScope scope(*this);
            work();
            work = nullptr;
        }
        {
            std::lock_guard lock(state_->mutex);
            state_->running = false;
        }
        state_->rest.notify_all();
    }
}

} // namespace corvel::async
