#pragma once

#include "engine/RevealAllClock.h"

namespace corvel::test {

/// Never waits, as where the product runs without a real clock.
class ImmediateClock final : public RevealAllClock {
  public:
    async::Task<void> sleep(async::Duration) override { co_return; }
};

} // namespace corvel::test
