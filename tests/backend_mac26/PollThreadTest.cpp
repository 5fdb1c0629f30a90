#include "BackendTestSupport.h"
#include "async/ThreadLoop.h"

#include <unordered_map>

namespace corvel::test {
namespace {

// The poll on a real background thread while the main loop changes the bar,
// presses items and reads the current items, which it reads on that thread
// too, through the same identity cache.
class Mac26PollOnAThread : public testing::TestWithParam<ScenarioCase> {
  protected:
    void SetUp() override {
        desktop = sim::SimulatedDesktop::create(loop, builtInScenario(GetParam()));
        backend = std::make_unique<Mac26Backend>("Corvel", desktop->services(), loop, background);
        events = std::make_shared<std::vector<MenuBarChangeEvent>>();
        async::spawn(loop, collectEvents(backend->changes(), events));
        auto prepared = async::spawn(loop, backend->prepare());
        for (int step = 0; step < 2000 && !prepared.isDone(); ++step)
            loop.advance(1ms);
        ASSERT_TRUE(prepared.isDone());
        ASSERT_FALSE(prepared.failure());
    }

    void TearDown() override {
        backend.reset();
        loop.runUntilIdle();
    }

    /// What the events so far say the bar holds, by token.
    std::unordered_map<BackendItemToken, ObservedItem> replayed() const {
        std::unordered_map<BackendItemToken, ObservedItem> items;
        for (const auto& event : *events) {
            if (event.kind() == MenuBarChangeEvent::Kind::itemAppeared ||
                event.kind() == MenuBarChangeEvent::Kind::itemChanged)
                items.insert_or_assign(event.item().id, event.item());
            else if (event.kind() == MenuBarChangeEvent::Kind::itemDisappeared)
                items.erase(event.token());
        }
        return items;
    }

    /// Keeps the main loop busy with reads of its own until the events
    /// describe exactly what a fresh reading sees.
    bool eventsCatchUp() {
        for (int round = 0; round < 200; ++round) {
            loop.runUntil([] { return false; }, 20ms);
            // The reading itself is made on the background thread.
            auto reading = std::make_shared<std::vector<ObservedItem>>();
            auto read = async::spawn(loop, store(backend->currentItems(), reading));
            if (!loop.runUntil([&] { return read.isDone(); }, 10s))
                return false;
            std::unordered_map<BackendItemToken, ObservedItem> expected;
            for (const auto& item : *reading)
                expected.emplace(item.id, item);
            if (replayed() == expected)
                return true;
        }
        return false;
    }

    static async::Task<void> store(async::Task<std::vector<ObservedItem>> reading,
                                   std::shared_ptr<std::vector<ObservedItem>> into) {
        *into = co_await std::move(reading);
    }

    std::optional<sim::BarItem> barItem(std::size_t index) const {
        const auto items = desktop->itemsLeftToRight();
        return index < items.size() ? std::optional(items[index]) : std::nullopt;
    }

    async::ManualLoop loop;
    std::shared_ptr<sim::SimulatedDesktop> desktop;
    async::ThreadLoop background;
    std::unique_ptr<Mac26Backend> backend;
    std::shared_ptr<std::vector<MenuBarChangeEvent>> events;
};

TEST_P(Mac26PollOnAThread, deliversEveryChangeWhileTheMainLoopMovesPressesAndReads) {
    ASSERT_TRUE(eventsCatchUp());
    for (int move = 0; move < 3; ++move) {
        // A person drags the item right of the spacer further right, and
        // presses another one so that its menu opens and closes.
        const auto moving = *barItem(1);
        const auto target = *barItem(4 + move);
        desktop->commandDrag({moving.frame.midX(), 12}, {target.frame.maxX() - 1, 12});
        desktop->click({barItem(6)->frame.midX(), 12});
        loop.advance(200ms);
        ASSERT_TRUE(eventsCatchUp()) << "move " << move;
        desktop->pressKey(53);
        loop.advance(200ms);
    }
    const auto moved = std::count_if(events->begin(), events->end(), [](const auto& event) {
        return event.kind() == MenuBarChangeEvent::Kind::itemChanged;
    });
    EXPECT_GE(moved, 3);
}

INSTANTIATE_TEST_SUITE_P(BuiltInDesktops, Mac26PollOnAThread, testing::ValuesIn(builtInScenarios()),
                         scenarioName);

} // namespace
} // namespace corvel::test
