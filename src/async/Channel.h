#pragma once

#include "async/ProgrammingError.h"
#include "async/Waiter.h"

#include <deque>
#include <mutex>
#include <optional>

namespace corvel::async {

/// An unbounded stream of values: any number of producers on any thread, one
/// consumer task (a second task waiting to receive while one waits stops the
/// process with a message: it would otherwise never wake). Nothing is dropped while it is open;
/// values sent before close() are still delivered, in the order each producer sent them. Share it
/// through a std::shared_ptr.
template <class T> class Channel {
  public:
    Channel() = default;
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    /// Thread-safe. Returns false, and keeps nothing, once the channel is closed.
    bool send(T value) {
        std::shared_ptr<detail::Waiter> consumer;
        {
            std::lock_guard lock(mutex_);
            if (closed_)
                return false;
            values_.push_back(std::move(value));
            consumer = std::exchange(consumer_, nullptr);
        }
        if (consumer)
            consumer->wake(false);
        return true;
    }

    /// Thread-safe. The consumer drains what is queued, then receives nothing.
    void close() {
        std::shared_ptr<detail::Waiter> consumer;
        {
            std::lock_guard lock(mutex_);
            closed_ = true;
            consumer = std::exchange(consumer_, nullptr);
        }
        if (consumer)
            consumer->wake(false);
    }

    bool isClosed() const {
        std::lock_guard lock(mutex_);
        return closed_;
    }

    /// `co_await receive()` gives the next value, resuming on the consumer's
    /// executor; nothing once the channel is closed and drained, or when the
    /// consumer task is cancelled while it waits.
    auto receive() { return Receiver{*this}; }

  private:
    class Receiver {
      public:
        explicit Receiver(Channel& channel) : channel_(channel) {}
        bool await_ready() { return channel_.hasValueOrClosed(); }
        template <class Promise> bool await_suspend(std::coroutine_handle<Promise> caller) {
            if (!parking_.park(caller, caller.promise().context))
                return false;
            return channel_.parkConsumer(parking_.waiter());
        }
        std::optional<T> await_resume() {
            parking_.leave();
            if (parking_.wokenByCancellation())
                return std::nullopt;
            return channel_.pop();
        }

      private:
        Channel& channel_;
        detail::Parking parking_;
    };

    bool hasValueOrClosed() const {
        std::lock_guard lock(mutex_);
        return !values_.empty() || closed_;
    }
    bool parkConsumer(std::shared_ptr<detail::Waiter> waiter) {
        std::lock_guard lock(mutex_);
        if (!values_.empty() || closed_) {
            // A cancellation on another thread may have claimed the waiter
            // since it was parked and posted its resumption: then the task
            // must suspend and take that resumption, or it would run twice.
            return waiter->claimed.exchange(true, std::memory_order_acq_rel);
        }
        // A waiter that has been claimed (by cancellation) has left.
        if (consumer_ && !consumer_->claimed.load(std::memory_order_acquire))
            programmingError("a second task waits on a Channel while another is waiting; a "
                             "channel has one consumer");
        consumer_ = std::move(waiter);
        return true;
    }
    std::optional<T> pop() {
        std::lock_guard lock(mutex_);
        if (values_.empty())
            return std::nullopt;
        T value = std::move(values_.front());
        values_.pop_front();
        return value;
    }

    mutable std::mutex mutex_;
    std::deque<T> values_;
    std::shared_ptr<detail::Waiter> consumer_;
    bool closed_ = false;
};

} // namespace corvel::async
