#include "SimTestSupport.h"

#include <atomic>
#include <thread>

namespace corvel::test {
namespace {

// The poll reads the window list and the accessibility trees on its own
// thread, and the reveal supervision posts Escape from its own, while the
// main thread creates, moves and removes items and the changes land later.
TEST(SimulatedDesktopConcurrencyTest, ReadsFromASecondThreadWhileTheMainThreadMutatesAreSafe) {
    async::ManualLoop loop;
    auto scenario = smallScenario();
    scenario.latencies = sim::Latencies{};
    auto desktop = sim::SimulatedDesktop::create(loop, scenario);
    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
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
            auto source = desktop->createSource(platform::EventSourceStateID::hidSystemState);
            desktop->post(platform::EventTapLocation::hidEventTap,
                          *desktop->createKeyboardEvent(&*source, 53, true));
            reads.fetch_add(1);
        }
    });
    // Mutate only once the reader runs, so that the two really overlap.
    while (reads.load() < 1)
        std::this_thread::yield();
    for (int round = 0; round < 200; ++round) {
        auto item = desktop->statusItem(24);
        item->setAutosaveName("Item-" + std::to_string(round % 5));
        item->setLength(round % 2 ? 10000 : 24);
        desktop->click({900, 12});
        loop.advance(10ms);
        desktop->removeStatusItem(item);
        loop.advance(40ms);
    }
    while (reads.load() < 10)
        std::this_thread::yield();
    done = true;
    reader.join();
    EXPECT_EQ(desktop->itemsLeftToRight().size(), 3u);
}

} // namespace
} // namespace corvel::test
