#pragma once

#include "async/Task.h"
#include "backend/BackendError.h"

#include <utility>

namespace corvel {

/// The rows a refresh answers, or none when the menu bar could not be read:
/// a panel of Corvel's then opens empty rather than not at all, and the
/// failure is not reported anywhere else.
template <typename Rows> async::Task<Rows> rowsOrNone(async::Task<Rows> refreshing) {
    try {
        auto rows = co_await std::move(refreshing);
        co_return rows;
    } catch (const BackendError&) {
    }
    co_return Rows{};
}

} // namespace corvel
