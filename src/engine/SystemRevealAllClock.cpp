#include "engine/SystemRevealAllClock.h"

#include "async/Sleep.h"

namespace corvel {

async::Task<void> SystemRevealAllClock::sleep(async::Duration span) {
    co_await async::sleepFor(span);
}

} // namespace corvel
