#pragma once

#include "async/Task.h"

namespace corvel {

/// What the show-all expiry timer waits on, so that the window can be driven
/// by hand where the product runs without a real clock.
class RevealAllClock {
  public:
    virtual ~RevealAllClock() = default;

    /// Suspends the caller for `span`. Never fails; a cancelled caller wakes
    /// early and silently and sees the cancellation through isCancelled().
    virtual async::Task<void> sleep(async::Duration span) = 0;
};

} // namespace corvel
