#pragma once

#include "async/ManualLoop.h"
#include "async/Spawn.h"

#include <exception>
#include <optional>
#include <stdexcept>

namespace corvel::test {

namespace detail {
template <class T> async::Task<void> storeResult(async::Task<T> task, std::optional<T>* out) {
    out->emplace(co_await std::move(task));
}
inline async::Task<void> storeResult(async::Task<void> task, bool* done) {
    co_await std::move(task);
    *done = true;
}
} // namespace detail

/// Spawns `task` on `loop`, runs the loop until idle (no virtual time passes)
/// and returns the result, rethrowing what the task threw. Fails loudly if the
/// task is still suspended, e.g. waiting for a timer: use spawn and advance()
/// for those.
template <class T> T runTask(async::ManualLoop& loop, async::Task<T> task) {
    std::optional<T> result;
    auto handle = async::spawn(loop, detail::storeResult(std::move(task), &result));
    loop.runUntilIdle();
    if (auto failure = handle.failure())
        std::rethrow_exception(failure);
    if (!handle.isDone())
        throw std::logic_error("runTask: the task did not finish");
    return std::move(*result);
}

inline void runTask(async::ManualLoop& loop, async::Task<void> task) {
    bool done = false;
    auto handle = async::spawn(loop, detail::storeResult(std::move(task), &done));
    loop.runUntilIdle();
    if (auto failure = handle.failure())
        std::rethrow_exception(failure);
    if (!done)
        throw std::logic_error("runTask: the task did not finish");
}

} // namespace corvel::test
