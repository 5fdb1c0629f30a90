#pragma once

#include "async/Task.h"

#include <exception>
#include <utility>

namespace corvel::async {

namespace detail {
struct HopAwaiter {
    Executor* target;
    bool await_ready() noexcept { return false; }
    template <class Promise> bool await_suspend(std::coroutine_handle<Promise> caller) {
        TaskContext& context = caller.promise().context;
        if (context.executor == target)
            return false;
        Executor* from = std::exchange(context.executor, target);
        postResumption(caller, from, *target, context.home);
        return true;
    }
    void await_resume() noexcept {}
};
} // namespace detail

/// `co_await hopTo(executor)` continues the running task on `executor`, at
/// once when it runs there already, else through that executor's queue; tasks
/// it awaits afterwards run there too. The hop ends with the task: its awaiter
/// continues on the awaiter's own executor. Hop only this way: the runtime
/// counts which tasks are away from the loop that spawned them.
inline detail::HopAwaiter hopTo(Executor& executor) {
    return {&executor};
}

/// Runs `work` on `target` and resumes the caller on the executor it came
/// from, with the result or the exception. Cancellation travels along.
template <class T> Task<T> runOn(Executor& target, Task<T> work) {
    Executor& home = co_await currentExecutor();
    co_await hopTo(target);
    std::exception_ptr failure;
    std::optional<T> result;
    try {
        result.emplace(co_await std::move(work));
    } catch (...) {
        failure = std::current_exception();
    }
    co_await hopTo(home);
    if (failure)
        std::rethrow_exception(failure);
    co_return std::move(*result);
}

template <> inline Task<void> runOn(Executor& target, Task<void> work) {
    Executor& home = co_await currentExecutor();
    co_await hopTo(target);
    std::exception_ptr failure;
    try {
        co_await std::move(work);
    } catch (...) {
        failure = std::current_exception();
    }
    co_await hopTo(home);
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace corvel::async
