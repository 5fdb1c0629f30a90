#include "engine/GhostRecoveryCoordinator.h"

#include "async/ManualLoop.h"
#include "async/Spawn.h"
#include "support/MapEnvironment.h"
#include "support/RunTask.h"
#include "support/ScriptedBackend.h"

#include <gtest/gtest.h>

namespace corvel {
namespace {

using Operation = test::ScriptedBackend::Operation;

async::Task<GhostRecoveryOutcome> countedRestart(int* calls, GhostRecoveryOutcome outcome) {
    ++*calls;
    co_return outcome;
}

/// Answers at once with `answer`, or keeps the answer for the test to give.
class ConfirmingDelegate final : public GhostRecoveryCoordinatorDelegate {
  public:
    explicit ConfirmingDelegate(std::optional<bool> answer) : answer_(answer) {}

    void ghostRecoveryCoordinator(GhostRecoveryCoordinator&,
                                  std::function<void(bool)> confirm) override {
        ++requests;
        if (answer_) {
            confirm(*answer_);
        } else {
            pending = std::move(confirm);
        }
    }

    int requests = 0;
    std::function<void(bool)> pending;

  private:
    std::optional<bool> answer_;
};

class GhostRecoveryCoordinatorTest : public ::testing::Test {
  protected:
    std::shared_ptr<GhostRecoveryCoordinator> coordinatorWithCountedRestart() {
        return GhostRecoveryCoordinator::create(backend, [this] {
            return countedRestart(&restarts, GhostRecoveryOutcome::recovered(2));
        });
    }

    async::ManualLoop loop;
    std::shared_ptr<test::ScriptedBackend> backend = std::make_shared<test::ScriptedBackend>();
    int restarts = 0;
};

TEST_F(GhostRecoveryCoordinatorTest, aRequiredRestartAtLaunchHappensOnceWithoutAskingAnyone) {
    auto coordinator = coordinatorWithCountedRestart();
    auto delegate = std::make_shared<ConfirmingDelegate>(true);
    coordinator->setDelegate(delegate);
    EXPECT_EQ(test::runTask(loop, coordinator->recoverAtLaunch()), GhostRecoveryOutcome::clean());
    EXPECT_EQ(restarts, 0) << "a clean menu bar needs no restart";

    backend->setGhostOutcome(GhostRecoveryOutcome::requiresHostRestart());
    EXPECT_EQ(test::runTask(loop, coordinator->recoverAtLaunch()),
              GhostRecoveryOutcome::recovered(2));
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(delegate->requests, 0);
}

TEST_F(GhostRecoveryCoordinatorTest, aRepairThatClearedItemsReportsTheCountWithoutAsking) {
    backend->setGhostOutcome(GhostRecoveryOutcome::recovered(3));
    auto coordinator = coordinatorWithCountedRestart();
    auto delegate = std::make_shared<ConfirmingDelegate>(true);
    coordinator->setDelegate(delegate);

    EXPECT_EQ(test::runTask(loop, coordinator->repairMenuBarRequested()),
              GhostRecoveryOutcome::recovered(3));
    EXPECT_EQ(delegate->requests, 0);
    EXPECT_EQ(restarts, 0);
}

TEST_F(GhostRecoveryCoordinatorTest, aRepairNeverRestartsWithoutAConfirmation) {
    backend->setGhostOutcome(GhostRecoveryOutcome::requiresHostRestart());
    auto coordinator = coordinatorWithCountedRestart();
    auto requiresRestart = GhostRecoveryOutcome::requiresHostRestart();

    // No delegate at all.
    EXPECT_EQ(test::runTask(loop, coordinator->repairMenuBarRequested()), requiresRestart);

    // A delegate that has gone away.
    coordinator->setDelegate(std::make_shared<ConfirmingDelegate>(true));
    EXPECT_EQ(test::runTask(loop, coordinator->repairMenuBarRequested()), requiresRestart);

    // A delegate that declines.
    auto declining = std::make_shared<ConfirmingDelegate>(false);
    coordinator->setDelegate(declining);
    EXPECT_EQ(test::runTask(loop, coordinator->repairMenuBarRequested()), requiresRestart);
    EXPECT_EQ(declining->requests, 1);

    EXPECT_EQ(restarts, 0);
}

TEST_F(GhostRecoveryCoordinatorTest,
       aRepairRestartsOnceOnALateConfirmationAndTreatsADroppedAnswerAsDeclined) {
    backend->setGhostOutcome(GhostRecoveryOutcome::requiresHostRestart());
    auto coordinator = coordinatorWithCountedRestart();
    auto delegate = std::make_shared<ConfirmingDelegate>(std::nullopt);
    coordinator->setDelegate(delegate);

    std::optional<GhostRecoveryOutcome> answered;
    auto run = [](std::shared_ptr<GhostRecoveryCoordinator> c,
                  std::optional<GhostRecoveryOutcome>* out) -> async::Task<void> {
        *out = co_await c->repairMenuBarRequested();
    };
    async::spawn(loop, run(coordinator, &answered));
    loop.runUntilIdle();
    ASSERT_TRUE(delegate->pending);
    EXPECT_FALSE(answered);

    delegate->pending(true);
    loop.runUntilIdle();
    EXPECT_EQ(answered, GhostRecoveryOutcome::recovered(2)) << "the restart's own outcome";
    EXPECT_EQ(delegate->requests, 1);
    EXPECT_EQ(restarts, 1);

    answered.reset();
    async::spawn(loop, run(coordinator, &answered));
    loop.runUntilIdle();
    delegate->pending = nullptr;
    loop.runUntilIdle();
    EXPECT_EQ(answered, GhostRecoveryOutcome::requiresHostRestart());
    EXPECT_EQ(restarts, 1);
}

TEST_F(GhostRecoveryCoordinatorTest, theDefaultRestartAllowsTheHostRestartBeforeRecoveringAgain) {
    auto environment = std::make_shared<test::MapEnvironment>();
    environment->values["CORVEL_ALLOW_HOST_RESTART"] = "0";
    backend->queueGhostOutcome(GhostRecoveryOutcome::requiresHostRestart());
    backend->queueGhostOutcome(GhostRecoveryOutcome::recovered(4));
    std::vector<std::optional<std::string>> seenByRecovery;
    backend->onCall([&](const test::ScriptedBackend::Call& call) {
        if (call.operation == Operation::recoverFromGhosts) {
            seenByRecovery.push_back(environment->get("CORVEL_ALLOW_HOST_RESTART"));
        }
    });
    auto coordinator = GhostRecoveryCoordinator::create(backend, environment);

    EXPECT_EQ(test::runTask(loop, coordinator->recoverAtLaunch()),
              GhostRecoveryOutcome::recovered(4));
    EXPECT_EQ(seenByRecovery, (std::vector<std::optional<std::string>>{"0", "1"}));
}

} // namespace
} // namespace corvel
