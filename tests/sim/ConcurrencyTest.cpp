#include "SimTestSupport.h"

#include <atomic>
#include <thread>

namespace corvel::test {
namespace {

// The poll reads the window list and the accessibility trees on its own
// thread, and the reveal supervision posts Escape from its own, while the
// main thread creates, moves and removes items and the changes land later.
// The reader posts one Escape per round of the main thread, as the
// supervision posts a few per press: posting in a tight loop would only pile
// up work for a main thread that the reader starves of the lock.
TEST(SimulatedDesktopConcurrencyTest, ReadsAndPostsFromASecondThreadWhileTheMainThreadMutates) {
    constexpr int rounds = 200;
    async::ManualLoop loop;
    auto scenario = smallScenario();
    scenario.latencies = sim::Latencies{};
    auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    // As the desktop's window listens, looking at the bar on the main thread.
    int announced = 0;
    desktop->setChangeListener([&] {
        ++announced;
        desktop->itemsLeftToRight();
    });
    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
    std::atomic<int> roundsDone{0};
    std::atomic<int> posts{0};
    std::thread reader([&] {
        while (!done.load()) {
            const auto list = desktop->copyWindowInfo(0, 0);
            EXPECT_TRUE(list && list->asArray());
            for (const auto& app : desktop->runningApplications()) {
                const auto bar = desktop->copyAttributeValue(
                    desktop->createApplication(app.processIdentifier), "AXExtrasMenuBar");
                if (bar.value)
                    desktop->copyAttributeValue(*bar.value->asElement(), "AXChildren");
            }
            if (posts.load() < roundsDone.load()) {
                auto source = desktop->createSource(platform::EventSourceStateID::hidSystemState);
                desktop->post(platform::EventTapLocation::hidEventTap,
                              *desktop->createKeyboardEvent(&*source, 53, true));
                posts.fetch_add(1);
            }
            reads.fetch_add(1);
            std::this_thread::yield();
        }
    });
    // Mutate only once the reader runs, so that the two really overlap.
    while (reads.load() < 1)
        std::this_thread::yield();
    for (int round = 0; round < rounds; ++round) {
        auto item = desktop->statusItem(24);
        item->setAutosaveName("Item-" + std::to_string(round % 5));
        item->setLength(round % 2 ? 10000 : 24);
        desktop->click({900, 12});
        loop.advance(10ms);
        desktop->removeStatusItem(item);
        loop.advance(40ms);
        roundsDone.store(round + 1);
    }
    while (posts.load() < rounds)
        std::this_thread::yield();
    done = true;
    reader.join();
    loop.advance(1s);
    const int announcedBefore = announced;
    std::thread([&] { desktop->setAccessibilityTrusted(true); }).join();
    loop.runUntilIdle();
    EXPECT_EQ(announced, announcedBefore + 1) << "a change on the other thread went unannounced";
    EXPECT_EQ(desktop->itemsLeftToRight().size(), 3u);
    EXPECT_EQ(desktop->counters().escapes, rounds) << "a post from the other thread was lost";
    EXPECT_TRUE(desktop->openMenus().empty());
}

// A desktop that runs for a simulated week keeps only the newest posts.
TEST(SimulatedDesktopConcurrencyTest, ThePostRecordKeepsTheNewestAndCountsEveryPost) {
    async::ManualLoop loop;
    auto desktop = sim::SimulatedDesktop::create(loop, smallScenario());
    auto source = desktop->createSource(platform::EventSourceStateID::hidSystemState);
    const int total = static_cast<int>(sim::World::keptPostedEvents) + 500;
    std::uint64_t lastSerial = 0;
    for (int i = 0; i < total; ++i) {
        const auto event = *desktop->createKeyboardEvent(&*source, 53, true);
        lastSerial = event.serial;
        desktop->post(platform::EventTapLocation::hidEventTap, event);
        loop.advance(1min);
    }
    const auto posted = desktop->postedEvents();
    ASSERT_EQ(posted.size(), sim::World::keptPostedEvents);
    EXPECT_EQ(posted.back().event.serial, lastSerial);
    EXPECT_EQ(desktop->counters().posts, total);
}

} // namespace
} // namespace corvel::test
