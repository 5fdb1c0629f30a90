#pragma once

#include "async/Cancellation.h"
#include "async/Executor.h"
#include "async/ProgrammingError.h"

#include <coroutine>
#include <exception>
#include <memory>
#include <optional>
#include <utility>

// GCC 12 miscompiles a co_await anywhere inside the condition of an if, a
// while, a for or a switch (`if (co_await x)`, `if (1 == co_await x)`,
// `while (a && co_await x)`): the coroutine dies with an illegal instruction
// or is never resumed. Bind the result first (`bool done = co_await x;`) or
// use a condition declaration (`if (auto v = co_await x)`), which works.
// scripts/lint.sh rejects the faulty forms.

namespace corvel::async {

/// What a running task knows about where it runs: its executor and the
/// cancellation flag of the spawned task it belongs to. An awaited task
/// inherits its awaiter's context, so cancellation reaches every level.
struct TaskContext {
    Executor* executor = nullptr;
    std::shared_ptr<Cancellation> cancellation;
    /// The executor the task was spawned on, which owns its frames.
    Executor* home = nullptr;
};

namespace detail {

struct PromiseBase {
    TaskContext context;
    std::coroutine_handle<> continuation = std::noop_coroutine();
    Executor* continuationExecutor = nullptr;
    std::exception_ptr exception;

    std::suspend_always initial_suspend() noexcept { return {}; }

    struct FinalAwaiter {
        bool await_ready() noexcept { return false; }
        template <class Promise>
        std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> self) noexcept {
            PromiseBase& promise = self.promise();
            const std::coroutine_handle<> continuation = promise.continuation;
            Executor* awaiterExecutor = promise.continuationExecutor;
            if (awaiterExecutor == nullptr || awaiterExecutor == promise.context.executor)
                return continuation;
            // The task hopped away and did not come back. The awaiter's state
            // belongs to its own executor's thread, so it resumes there. The
            // awaiter may destroy this frame at once: touch nothing after post.
            postResumption(continuation, promise.context.executor, *awaiterExecutor,
                           promise.context.home);
            return std::noop_coroutine();
        }
        void await_resume() noexcept {}
    };
    FinalAwaiter final_suspend() noexcept { return {}; }

    void unhandled_exception() noexcept { exception = std::current_exception(); }
};

template <class T> struct TaskPromise : PromiseBase {
    std::optional<T> value;

    template <class U> void return_value(U&& result) { value.emplace(std::forward<U>(result)); }
    T take() {
        if (exception)
            std::rethrow_exception(exception);
        return std::move(*value);
    }
};

template <> struct TaskPromise<void> : PromiseBase {
    void return_void() noexcept {}
    void take() {
        if (exception)
            std::rethrow_exception(exception);
    }
};

} // namespace detail

/// A lazy, move-only coroutine. Nothing runs until it is awaited; the awaiter
/// is resumed by symmetric transfer when the task finishes on the awaiter's
/// executor, and through that executor's queue when the task hopped elsewhere
/// and stayed, so an awaiter always continues where it was. An exception
/// thrown inside is rethrown to the awaiter. A task that is never awaited is
/// destroyed without having run.
template <class T = void> class [[nodiscard]] Task {
  public:
    struct promise_type : detail::TaskPromise<T> {
        Task get_return_object() noexcept {
            return Task(std::coroutine_handle<promise_type>::from_promise(*this));
        }
    };
    using Handle = std::coroutine_handle<promise_type>;

    Task() = default;
    Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task& operator=(Task&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;
    ~Task() { reset(); }

    bool valid() const noexcept { return static_cast<bool>(handle_); }

    struct Awaiter {
        Handle handle;
        bool await_ready() noexcept { return false; }
        template <class CallerPromise>
        std::coroutine_handle<>
        await_suspend(std::coroutine_handle<CallerPromise> caller) noexcept {
            handle.promise().continuation = caller;
            handle.promise().continuationExecutor = caller.promise().context.executor;
            handle.promise().context = caller.promise().context;
            return handle;
        }
        T await_resume() { return handle.promise().take(); }
    };
    Awaiter operator co_await() && noexcept { return Awaiter{handle_}; }

  private:
    explicit Task(Handle handle) noexcept : handle_(handle) {}
    void reset() noexcept {
        if (handle_)
            std::exchange(handle_, {}).destroy();
    }

    Handle handle_;
};

namespace detail {

/// Awaitable that reads the awaiting task's context without suspending.
struct ContextReader {
    TaskContext context;
    bool await_ready() noexcept { return false; }
    template <class Promise> bool await_suspend(std::coroutine_handle<Promise> caller) noexcept {
        context = caller.promise().context;
        return false;
    }
    TaskContext await_resume() noexcept { return context; }
};

} // namespace detail

/// `co_await currentContext()` gives the running task's context.
inline detail::ContextReader currentContext() noexcept {
    return {};
}

/// `co_await isCancelled()` tells whether the running task has been asked to stop.
inline auto isCancelled() noexcept {
    struct Reader : detail::ContextReader {
        bool await_resume() noexcept {
            return context.cancellation && context.cancellation->isCancelled();
        }
    };
    return Reader{};
}

/// `co_await currentExecutor()` gives the executor the running task resumes on.
/// Only a task started by spawn() (or awaited by one) has one; asking anywhere
/// else stops the process with a message.
inline auto currentExecutor() noexcept {
    struct Reader : detail::ContextReader {
        Executor& await_resume() noexcept {
            if (context.executor == nullptr)
                programmingError("currentExecutor() was awaited outside a spawned task");
            return *context.executor;
        }
    };
    return Reader{};
}

} // namespace corvel::async
