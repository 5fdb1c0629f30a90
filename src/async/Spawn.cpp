#include "async/Spawn.h"

namespace corvel::async {

namespace {

struct RootTask {
    struct promise_type : detail::PromiseBase {
        std::shared_ptr<detail::SpawnState> state;
        Executor* home = nullptr;

        ~promise_type() { state->done.store(true, std::memory_order_release); }

        RootTask get_return_object() noexcept {
            return {std::coroutine_handle<promise_type>::from_promise(*this)};
        }
        void return_void() noexcept {}
        void unhandled_exception() noexcept {
            std::lock_guard lock(state->mutex);
            state->failure = std::current_exception();
        }

        struct SelfDestruct {
            bool await_ready() noexcept { return false; }
            void await_suspend(std::coroutine_handle<promise_type> self) noexcept {
                self.promise().home->forgetRoot(self);
                self.destroy();
            }
            void await_resume() noexcept {}
        };
        SelfDestruct final_suspend() noexcept { return {}; }
    };
    std::coroutine_handle<promise_type> handle;
};

RootTask runRoot(Task<void> task) {
    co_await std::move(task);
}

} // namespace

void SpawnHandle::cancel() const {
    if (state_)
        state_->cancellation->cancel();
}

bool SpawnHandle::isCancelled() const {
    return state_ && state_->cancellation->isCancelled();
}

bool SpawnHandle::isDone() const {
    return state_ && state_->done.load(std::memory_order_acquire);
}

std::exception_ptr SpawnHandle::failure() const {
    if (!state_)
        return nullptr;
    std::lock_guard lock(state_->mutex);
    return state_->failure;
}

SpawnHandle spawn(Executor& executor, Task<void> task) {
    auto state = std::make_shared<detail::SpawnState>();
    auto root = runRoot(std::move(task)).handle;
    auto& promise = root.promise();
    promise.state = state;
    promise.home = &executor;
    promise.context = TaskContext{&executor, state->cancellation, &executor};
    executor.adoptRoot(root);
    executor.post([root] { root.resume(); });
    return SpawnHandle(std::move(state));
}

} // namespace corvel::async
