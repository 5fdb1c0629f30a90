#pragma once

#include "engine/RevealAllClock.h"

namespace corvel {

/// The production clock: waits on the timers of the executor the caller runs
/// on, like every other timing in the product; whether the wait counts time
/// the computer spends asleep is that executor's clock's. A cancelled wait
/// returns early and silently. Stateless.
class SystemRevealAllClock final : public RevealAllClock {
  public:
    async::Task<void> sleep(async::Duration span) override;
};

} // namespace corvel
