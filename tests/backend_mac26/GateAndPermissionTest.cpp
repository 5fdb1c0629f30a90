#include "BackendTestSupport.h"
#include "backend_mac26/AccessibilityPermission.h"
#include "backend_mac26/ChromePlacementGate.h"

namespace corvel::test {
namespace {

async::Task<void> passGate(ChromePlacementGate& gate, std::vector<int>& order, int who) {
    co_await gate.waitUntilIdle();
    order.push_back(who);
}

TEST(ChromePlacementGate, letsCallersThroughAtOnceWhileNoPlacementRuns) {
    async::ManualLoop loop;
    ChromePlacementGate gate;
    std::vector<int> order;
    async::spawn(loop, passGate(gate, order, 1));
    loop.runUntilIdle();
    EXPECT_EQ(order, std::vector<int>{1});
}

TEST(ChromePlacementGate, resumesEveryWaiterInArrivalOrderWhenThePlacementEnds) {
    async::ManualLoop loop;
    ChromePlacementGate gate;
    std::vector<int> order;
    gate.begin();
    for (int who = 1; who <= 4; ++who)
        async::spawn(loop, passGate(gate, order, who));
    loop.runUntilIdle();
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(gate.waiterCount(), 4u);

    gate.end();
    // A placement that starts again before they run does not hold back the
    // waiters already released: they do not look at the flag again.
    gate.begin();
    loop.runUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(gate.waiterCount(), 0u);
    EXPECT_TRUE(gate.isInProgress());
}

TEST(ChromePlacementGate, letsACancelledWaiterLeaveWithoutHoldingUpTheOthers) {
    async::ManualLoop loop;
    ChromePlacementGate gate;
    std::vector<int> order;
    gate.begin();
    auto first = async::spawn(loop, passGate(gate, order, 1));
    async::spawn(loop, passGate(gate, order, 2));
    loop.runUntilIdle();
    first.cancel();
    loop.runUntilIdle();
    EXPECT_TRUE(first.isDone());
    gate.end();
    loop.runUntilIdle();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(AccessibilityPermission, asksWithThePromptOptionAndAnswersWhetherTrustedNow) {
    async::ManualLoop loop;
    auto scenario = sim::ScenarioLoader::defaultScenario();
    scenario.accessibility = sim::Scenario::Permission::grantedOnRequest;
    auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    EXPECT_FALSE(AccessibilityPermission::isTrusted(*desktop));
    EXPECT_TRUE(AccessibilityPermission::requestAccess(*desktop));
    EXPECT_EQ(desktop->counters().accessibilityPrompts, 1);
    EXPECT_TRUE(AccessibilityPermission::isTrusted(*desktop));
}

TEST(AccessibilityPermission, staysUntrustedWhenThePersonDoesNotGrant) {
    async::ManualLoop loop;
    auto scenario = sim::ScenarioLoader::defaultScenario();
    scenario.accessibility = sim::Scenario::Permission::denied;
    auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    EXPECT_FALSE(AccessibilityPermission::requestAccess(*desktop));
    EXPECT_EQ(desktop->counters().accessibilityPrompts, 1);
    EXPECT_FALSE(AccessibilityPermission::isTrusted(*desktop));
}

} // namespace
} // namespace corvel::test
