#include "support/ScriptedBackend.h"

#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "support/RunTask.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using test::ScriptedBackend;
using Operation = ScriptedBackend::Operation;

ObservedItem visibleItem(std::string title) {
    return {BackendItemToken(Uuid::random()), {"com.example.app", std::move(title)}, false, {}};
}

/// Runs `task` to completion and answers the text of the BackendError it threw,
/// or "none".
std::string failureOf(async::ManualLoop& loop, async::Task<void> task) {
    try {
        test::runTask(loop, std::move(task));
    } catch (const BackendError& error) {
        return error.text();
    }
    return "none";
}

class ScriptedBackendTest : public ::testing::Test {
  protected:
    async::ManualLoop loop;
    std::shared_ptr<ScriptedBackend> backend = std::make_shared<ScriptedBackend>();
};

TEST_F(ScriptedBackendTest, queuedFailuresComeBeforeTheStandingOneAndSuccessResumesAfterwards) {
    backend->failNext(Operation::hideRegion, BackendError::geometryUnsettled());
    backend->failAlways(Operation::hideRegion, BackendError::underlying("refused"));

    EXPECT_EQ(failureOf(loop, backend->hideRegion()), "geometryUnsettled");
    EXPECT_EQ(failureOf(loop, backend->hideRegion()), "underlying(\"refused\")");
    backend->failAlways(Operation::hideRegion, std::nullopt);
    EXPECT_EQ(failureOf(loop, backend->hideRegion()), "none");
    EXPECT_EQ(failureOf(loop, backend->revealRegion()), "none");
    EXPECT_EQ(backend->count(Operation::hideRegion), 3u);
}

TEST_F(ScriptedBackendTest, queuedAnswersAreUsedOnceEachBeforeTheStandingAnswer) {
    backend->setGhostOutcome(GhostRecoveryOutcome::recovered(1));
    backend->queueGhostOutcome(GhostRecoveryOutcome::requiresHostRestart());

    EXPECT_EQ(test::runTask(loop, backend->recoverFromGhosts()),
              GhostRecoveryOutcome::requiresHostRestart());
    EXPECT_EQ(test::runTask(loop, backend->recoverFromGhosts()),
              GhostRecoveryOutcome::recovered(1));
    EXPECT_THROW(backend->failNext(Operation::recoverFromGhosts, BackendError::pressUnconfirmed()),
                 std::logic_error);
}

TEST_F(ScriptedBackendTest, aHeldCallIsRecordedAtOnceButAnswersOnlyWhenItsGateOpens) {
    auto item = visibleItem("Clock");
    auto gate = backend->holdNext(Operation::press);
    bool pressed = false;
    auto pressOnce = [](std::shared_ptr<ScriptedBackend> b, ObservedItem i,
                        bool* done) -> async::Task<void> {
        co_await b->press(std::move(i));
        *done = true;
    };
    async::spawn(loop, pressOnce(backend, item, &pressed));
    loop.runUntilIdle();

    EXPECT_TRUE(gate.isReached());
    EXPECT_FALSE(pressed);
    ASSERT_EQ(backend->calls().size(), 1u);
    EXPECT_EQ(backend->calls()[0].item, item);

    gate.open();
    loop.runUntilIdle();
    EXPECT_TRUE(pressed);

    auto failing = backend->holdNext(Operation::press);
    auto secondPress = async::spawn(loop, backend->press(item));
    loop.runUntilIdle();
    failing.fail(BackendError::pressUnconfirmed());
    loop.runUntilIdle();
    EXPECT_TRUE(secondPress.isDone());
    EXPECT_NE(secondPress.failure(), nullptr);
}

TEST_F(ScriptedBackendTest, successfulMovesChangeWhatLaterReadingsSayAboutTheRegion) {
    auto clock = visibleItem("Clock");
    auto battery = visibleItem("Battery");
    backend->setItems({clock, battery});
    backend->failNext(Operation::moveIntoHiddenRegion, BackendError::hiddenRegionAtCapacity());

    EXPECT_EQ(failureOf(loop, backend->moveIntoHiddenRegion(battery)), "hiddenRegionAtCapacity");
    test::runTask(loop, backend->moveIntoHiddenRegion(clock));
    auto reading = test::runTask(loop, backend->currentItems());
    ASSERT_EQ(reading.size(), 2u);
    EXPECT_TRUE(reading[0].isInHiddenRegion);
    EXPECT_FALSE(reading[1].isInHiddenRegion);

    test::runTask(loop, backend->moveOutOfHiddenRegion(clock));
    EXPECT_FALSE(backend->items()[0].isInHiddenRegion);
}

TEST_F(ScriptedBackendTest, placementKeepsOneTokenPerHandleAndRemembersTheLastIcons) {
    OwnChromeIcon primary{Uuid::random(), std::nullopt, 0};
    OwnChromeIcon work{Uuid::random(), "folder.fill", 1};

    auto first = test::runTask(loop, backend->placeOwnChrome({primary, work}));
    auto second = test::runTask(loop, backend->placeOwnChrome({primary}));

    ASSERT_EQ(first.size(), 2u);
    EXPECT_NE(first[0], first[1]);
    EXPECT_EQ(second, std::vector<BackendItemToken>{first[0]});
    EXPECT_EQ(backend->placedIcons(), std::vector<OwnChromeIcon>{primary});
    EXPECT_EQ(backend->calls()[0].icons, (std::vector<OwnChromeIcon>{primary, work}));
}

TEST_F(ScriptedBackendTest, pushedChangesReachTheConsumerInOrder) {
    auto clock = visibleItem("Clock");
    backend->pushChange(MenuBarChangeEvent::itemAppeared(clock));
    backend->pushChange(MenuBarChangeEvent::itemDisappeared(clock.id));

    std::vector<MenuBarChangeEvent> received;
    auto consume = [](std::shared_ptr<MenuBarBackend::ChangeStream> stream,
                      std::vector<MenuBarChangeEvent>* out) -> async::Task<void> {
        for (;;) {
            auto next = stream->receive();
            std::optional<MenuBarChangeEvent> event = co_await next;
            if (!event)
                break;
            out->push_back(*event);
        }
    };
    auto consumer = async::spawn(loop, consume(backend->changes(), &received));
    loop.runUntilIdle();
    backend->changes()->close();
    loop.runUntilIdle();

    EXPECT_TRUE(consumer.isDone());
    EXPECT_EQ(received,
              (std::vector<MenuBarChangeEvent>{MenuBarChangeEvent::itemAppeared(clock),
                                               MenuBarChangeEvent::itemDisappeared(clock.id)}));
}

} // namespace
} // namespace corvel
