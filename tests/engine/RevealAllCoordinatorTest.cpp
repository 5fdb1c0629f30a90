#include "engine/RevealAllCoordinator.h"

#include "ImmediateClock.h"
#include "async/ManualLoop.h"
#include "engine/SystemRevealAllClock.h"
#include "support/LifetimeCounter.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace std::chrono_literals;
using Operation = test::ScriptedBackend::Operation;

namespace {

struct Expiries {
    int count = 0;
    bool allOnMainLoop = true;
};

async::Task<void> noteExpiry(Expiries* expiries, async::Executor* mainLoop) {
    async::Executor& here = co_await async::currentExecutor();
    expiries->allOnMainLoop = expiries->allOnMainLoop && &here == mainLoop;
    ++expiries->count;
}

class RevealAllCoordinatorTest : public ::testing::Test {
  protected:
    RevealAllCoordinator::ExpiryCallback counting(Expiries& expiries) {
        return [expiries = &expiries, loop = &loop] { return noteExpiry(expiries, loop); };
    }

    async::ManualLoop loop;
    std::shared_ptr<test::ScriptedBackend> backend = std::make_shared<test::ScriptedBackend>();
    std::unique_ptr<RevealAllCoordinator> coordinator = std::make_unique<RevealAllCoordinator>(
        backend, std::make_shared<SystemRevealAllClock>(), loop);
};

TEST_F(RevealAllCoordinatorTest, aSecondScheduleReplacesTheFirstTimerWhichNeverCallsBack) {
    Expiries first, second;
    coordinator->scheduleExpiry(10s, counting(first));
    loop.advance(5s);
    coordinator->scheduleExpiry(10s, counting(second));
    loop.advance(9s);
    EXPECT_EQ(first.count + second.count, 0);
    loop.advance(1s);
    EXPECT_EQ(first.count, 0);
    EXPECT_EQ(second.count, 1);
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
}

TEST_F(RevealAllCoordinatorTest, cancellingASleepingTimerEndsItsWaitAndItNeverCallsBack) {
    Expiries expiries;
    coordinator->cancelExpiry(); // nothing pending: a no-op
    coordinator->scheduleExpiry(30s, counting(expiries));
    loop.advance(10s);
    EXPECT_TRUE(coordinator->hasPendingExpiry());
    coordinator->cancelExpiry();
    loop.runUntilIdle();
    EXPECT_FALSE(coordinator->hasPendingExpiry());
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
    loop.advance(60s);
    EXPECT_EQ(expiries.count, 0);
}

TEST_F(RevealAllCoordinatorTest, withAClockThatReturnsAtOnceTheCallbackRunsOnceOnTheMainLoop) {
    coordinator = std::make_unique<RevealAllCoordinator>(
        backend, std::make_shared<test::ImmediateClock>(), loop);
    Expiries expiries;
    coordinator->scheduleExpiry(30s, counting(expiries));
    loop.runUntilIdle();
    EXPECT_EQ(expiries.count, 1);
    EXPECT_TRUE(expiries.allOnMainLoop);
}

// The region must not stay open for good because one hide met a menu bar in
// the middle of a change; a reveal meanwhile stops the retries.
TEST_F(RevealAllCoordinatorTest,
       aFailedHideIsDroppedAndTriedAgainLaterUntilItSucceedsOrARevealComes) {
    const auto hidesAfter = [&](async::Duration span) {
        loop.advance(span);
        return backend->count(Operation::hideRegion);
    };
    backend->failNext(Operation::hideRegion, BackendError::underlying("no spacer"));
    backend->failNext(Operation::hideRegion, BackendError::underlying("no spacer"));
    test::runTask(loop, coordinator->hide());
    EXPECT_EQ(hidesAfter(RevealAllCoordinator::firstHideRetry), 2u);
    EXPECT_EQ(hidesAfter(2 * RevealAllCoordinator::firstHideRetry), 3u) << "the third succeeds";
    EXPECT_EQ(hidesAfter(60s), 3u);

    backend->failNext(Operation::hideRegion, BackendError::underlying("no spacer"));
    test::runTask(loop, coordinator->hide());
    backend->failNext(Operation::revealRegion, BackendError::underlying("no spacer"));
    EXPECT_NO_THROW(test::runTask(loop, coordinator->reveal())) << "a failed reveal is dropped";
    EXPECT_EQ(hidesAfter(60s), 4u);
    EXPECT_EQ(loop.pendingTimerCount(), 0u);
}

TEST_F(RevealAllCoordinatorTest, destroyingTheCoordinatorStopsItsTimerAndReleasesTheCallback) {
    Expiries expiries;
    test::LifetimeCounter::Counts captured;
    coordinator->scheduleExpiry(
        30s, [expiries = &expiries, loop = &loop, keep = test::LifetimeCounter(captured)] {
            return noteExpiry(expiries, loop);
        });
    loop.advance(1s);
    coordinator.reset();
    loop.advance(60s);
    EXPECT_EQ(expiries.count, 0);
    EXPECT_EQ(captured.alive(), 0);
}

} // namespace
