#pragma once

#include "engine/RevealAllClock.h"

namespace corvel {

/// The production clock: waits on the monotonic clock of the executor the
/// caller runs on, which keeps counting while the computer sleeps. Stateless.
class SystemRevealAllClock final : public RevealAllClock {
  public:
    async::Task<void> sleep(async::Duration span) override;
};

} // namespace corvel
