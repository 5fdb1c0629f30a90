#include "BackendTestSupport.h"
#include "async/ThreadLoop.h"
#include "backend_mac26/Mac26WindowToken.h"
#include "backend_mac26/RevealSupervisor.h"

namespace corvel::test {
namespace {

/// -1 while the supervision runs, then whether the menu was confirmed open.
using Finished = std::atomic<int>;

async::Task<void> superviseOnTheThread(RevealSupervisor::Ports ports, ObservedItem item,
                                       async::Duration timeout, std::shared_ptr<Finished> done,
                                       async::Executor* main) {
    auto supervision =
        RevealSupervisor::superviseReveal(std::move(ports), std::move(item), timeout);
    const RevealSupervisionOutcome outcome = co_await std::move(supervision);
    done->store(outcome.menuWasConfirmedOpen ? 1 : 0);
    // Wakes the main loop, which waits for work to look at the flag again.
    main->post([] {});
}

// The supervision on a real background thread, reading the window list and
// posting its Escape while the main loop moves the desktop on.
class SupervisionOnAThread : public testing::TestWithParam<ScenarioCase> {
  protected:
    void SetUp() override {
        desktop = sim::SimulatedDesktop::create(loop, builtInScenario(GetParam()));
        loop.runUntilIdle();
        const auto bar = desktop->itemsLeftToRight();
        const auto& extra = bar.front();
        const auto application = desktop->runningApplicationForPid(extra.creatorPid);
        item = ObservedItem{Mac26WindowToken::token(extra.windowNumber),
                            {application->bundleIdentifier.value_or(""), ""},
                            false,
                            ItemFrame{extra.frame.minX(), 0, extra.frame.size.width, 24}};
        itemCentre = {extra.frame.midX(), 12};
    }

    std::shared_ptr<Finished> supervise(async::Duration timeout) {
        auto done = std::make_shared<Finished>(-1);
        RevealSupervisor::Ports ports{MenuBarWindowList(desktop), desktop, desktop,
                                      desktop->currentProcessIdentifier()};
        async::spawn(background, superviseOnTheThread(ports, item, timeout, done, &loop));
        return done;
    }

    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    async::ThreadLoop background;
    ObservedItem item{Mac26WindowToken::token(0), {}, false, std::nullopt};
    platform::Point itemCentre;
};

TEST_P(SupervisionOnAThread, seesAMenuOpenAndCloseWhileTheMainLoopRuns) {
    desktop->click(itemCentre);
    loop.advance(100ms);
    ASSERT_EQ(desktop->openMenus().size(), 1u);
    const auto done = supervise(300ms);

    loop.runUntil([] { return false; }, 500ms);
    EXPECT_EQ(done->load(), -1) << "an open menu keeps it watching past the deadline";
    desktop->pressKey(53);
    loop.advance(100ms);

    ASSERT_TRUE(loop.runUntil([&] { return done->load() != -1; }, 5000ms));
    EXPECT_EQ(done->load(), 1);
    for (const auto& posted : desktop->postedEvents())
        EXPECT_NE(posted.event.type, platform::EventType::keyDown);
}

TEST_P(SupervisionOnAThread, postsItsEscapeFromTheThreadWhenNoMenuOpens) {
    const auto done = supervise(150ms);

    ASSERT_TRUE(loop.runUntil([&] { return done->load() != -1; }, 5000ms));
    EXPECT_EQ(done->load(), 0);
    loop.advance(100ms);
    int escapes = 0;
    for (const auto& posted : desktop->postedEvents())
        escapes += posted.event.type == platform::EventType::keyDown ? 1 : 0;
    EXPECT_EQ(escapes, 1);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, SupervisionOnAThread,
                         testing::ValuesIn(builtInScenarios()), scenarioName);

} // namespace
} // namespace corvel::test
