#pragma once

#include "async/ProgrammingError.h"
#include "async/Waiter.h"

#include <mutex>
#include <optional>
#include <variant>

namespace corvel::async {

/// A value delivered exactly once, typically by a delegate callback, to one
/// waiting task (a second waiter stops the process with a message). The first complete() wins;
/// later ones are ignored and return false. Thread-safe; the waiter resumes on its own executor.
/// The wait is deliberately not ended by cancellation: whoever holds the completion has promised to
/// answer. Share it through a std::shared_ptr.
template <class T = std::monostate> class Completion {
  public:
    bool complete(T value = T{}) {
        std::shared_ptr<detail::Waiter> waiter;
        {
            std::lock_guard lock(mutex_);
            if (value_)
                return false;
            value_.emplace(std::move(value));
            waiter = std::exchange(waiter_, nullptr);
        }
        if (waiter)
            waiter->wake(false);
        return true;
    }

    bool isCompleted() const {
        std::lock_guard lock(mutex_);
        return value_.has_value();
    }

    /// `co_await wait()` gives the value, at once if it is already there.
    auto wait() { return Awaiter{*this}; }

  private:
    class Awaiter {
      public:
        explicit Awaiter(Completion& completion) : completion_(completion) {}
        bool await_ready() const { return completion_.isCompleted(); }
        template <class Promise> bool await_suspend(std::coroutine_handle<Promise> caller) {
            TaskContext uncancellable{caller.promise().context.executor, nullptr};
            parking_.park(caller, uncancellable);
            return completion_.park(parking_.waiter());
        }
        T await_resume() {
            parking_.leave();
            return completion_.value();
        }

      private:
        Completion& completion_;
        detail::Parking parking_;
    };

    bool park(std::shared_ptr<detail::Waiter> waiter) {
        std::lock_guard lock(mutex_);
        if (value_)
            return false;
        if (waiter_)
            programmingError("a second task waits on a Completion while another is waiting; a "
                             "completion has one waiter");
        waiter_ = std::move(waiter);
        return true;
    }
    T value() const {
        std::lock_guard lock(mutex_);
        return *value_;
    }

    mutable std::mutex mutex_;
    std::optional<T> value_;
    std::shared_ptr<detail::Waiter> waiter_;
};

} // namespace corvel::async
